// Page addresses: plain local paths and file: URLs become file paths, http: URLs become a host,
// port and request path, and links are resolved against the page's address.
#pragma once

#include <string>

namespace pageview {

// The scheme in lower case ("file", "http", ...), or "" when there is none. A single letter before
// the colon is a drive, not a scheme.
std::string SchemeOf(const std::string& address);

// "C:\dir\page.html", "C:/dir/page.html" or "\\server\share\page.html".
bool IsLocalPath(const std::string& address);

// Trims the address and turns a plain local path into a file: URL; other addresses are kept.
std::string CanonicalAddress(const std::string& address);

// The local path of a file: URL, without its query and fragment, %xx decoded; false when the
// URL is not a file: URL of an absolute path.
bool FileUrlToPath(const std::string& url, std::string& path);

struct HttpTarget {
    std::string host;
    int port = 80;
    std::string path;  // request path with its query, never empty, without the fragment
};

// Splits an http: URL; false when it is not one or its host or port is unusable.
bool ParseHttpUrl(const std::string& url, HttpTarget& target);

// The absolute address a link of the page at base leads to.
std::string ResolveAddress(const std::string& base, const std::string& reference);

}  // namespace pageview
