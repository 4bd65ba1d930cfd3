// Page addresses: local paths, file: and http: URLs, and link resolution.
#include "PageAddress.h"

#include <cctype>
#include <vector>

namespace pageview {

namespace {

bool IsAlpha(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
        --end;
    return s.substr(begin, end - begin);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Splits "scheme://authority/path?query#fragment" parts off an absolute URL.
struct UrlParts {
    std::string scheme;     // lower case
    bool hasAuthority = false;
    std::string authority;
    std::string path;
    std::string query;      // with its '?', or empty
};

UrlParts SplitUrl(const std::string& url)
{
    UrlParts parts;
    size_t colon = url.find(':');
    parts.scheme = Lower(url.substr(0, colon));
    std::string rest = colon == std::string::npos ? std::string() : url.substr(colon + 1);
    size_t hash = rest.find('#');
    if (hash != std::string::npos)
        rest.erase(hash);
    size_t question = rest.find('?');
    if (question != std::string::npos) {
        parts.query = rest.substr(question);
        rest.erase(question);
    }
    if (rest.compare(0, 2, "//") == 0) {
        parts.hasAuthority = true;
        size_t slash = rest.find('/', 2);
        parts.authority = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
    }
    parts.path = rest;
    return parts;
}

bool IsDriveSegment(const std::string& segment)
{
    return segment.size() == 2 && IsAlpha(segment[0]) && (segment[1] == ':' || segment[1] == '|');
}

// Removes "." and ".." segments; a drive segment of a file path is never climbed over.
std::string RemoveDotSegments(const std::string& path, bool keepDrive)
{
    std::vector<std::string> segments;
    size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    bool trailingSlash = false;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        bool last = slash == std::string::npos;
        if (segment == ".") {
            trailingSlash = last;
        } else if (segment == "..") {
            if (!segments.empty() && !(keepDrive && segments.size() == 1 && IsDriveSegment(segments[0])))
                segments.pop_back();
            trailingSlash = last;
        } else {
            segments.push_back(segment);
            trailingSlash = false;
        }
        if (last)
            break;
        start = slash + 1;
    }
    std::string out = path.empty() || path[0] != '/' ? "" : "/";
    for (size_t k = 0; k < segments.size(); ++k) {
        if (k)
            out += '/';
        out += segments[k];
    }
    if (trailingSlash && (out.empty() || out.back() != '/'))
        out += '/';
    return out;
}

}  // namespace

std::string SchemeOf(const std::string& address)
{
    std::string text = Trim(address);
    size_t i = 0;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' || text[i] == '-' ||
                               text[i] == '.'))
        ++i;
    if (i < 2 || i >= text.size() || text[i] != ':' || !IsAlpha(text[0]))
        return std::string();
    return Lower(text.substr(0, i));
}

bool IsLocalPath(const std::string& address)
{
    std::string text = Trim(address);
    if (text.size() >= 3 && IsAlpha(text[0]) && text[1] == ':' && (text[2] == '\\' || text[2] == '/'))
        return true;
    return text.size() >= 3 && text[0] == '\\' && text[1] == '\\' && text[2] != '\\';
}

std::string CanonicalAddress(const std::string& address)
{
    std::string text = Trim(address);
    if (!IsLocalPath(text))
        return text;
    std::string url;
    for (char c : text)
        url += c == '\\' ? '/' : c;
    // "//server/share" keeps its server as the URL's host; "C:/..." gets an empty host.
    return url[0] == '/' ? "file:" + url : "file:///" + url;
}

bool FileUrlToPath(const std::string& url, std::string& path)
{
    std::string text = Trim(url);
    if (SchemeOf(text) != "file")
        return false;
    std::string rest = text.substr(5);
    size_t cut = rest.find_first_of("?#");
    if (cut != std::string::npos)
        rest.erase(cut);
    for (char& c : rest)
        if (c == '\\')
            c = '/';

    std::string raw;
    if (rest.compare(0, 2, "//") == 0) {
        size_t slash = rest.find('/', 2);
        std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        std::string after = slash == std::string::npos ? std::string() : rest.substr(slash);
        if (host.empty() || Lower(host) == "localhost")
            raw = after.size() > 1 && after[0] == '/' ? after.substr(1) : after;
        else if (IsDriveSegment(host))
            raw = host + after;
        else
            raw = "//" + host + after;
    } else {
        raw = !rest.empty() && rest[0] == '/' ? rest.substr(1) : rest;
    }

    std::string decoded;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size() && HexValue(raw[i + 1]) >= 0 && HexValue(raw[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2]));
            i += 2;
        } else {
            decoded += raw[i];
        }
    }
    if (decoded.find('\0') != std::string::npos)
        return false;
    if (decoded.size() >= 2 && IsAlpha(decoded[0]) && decoded[1] == '|')
        decoded[1] = ':';
    for (char& c : decoded)
        if (c == '/')
            c = '\\';
    if (!IsLocalPath(decoded))
        return false;
    path = decoded;
    return true;
}

bool ParseHttpUrl(const std::string& url, HttpTarget& target)
{
    std::string text = Trim(url);
    if (SchemeOf(text) != "http" || text.compare(4, 3, "://") != 0)
        return false;
    std::string rest = text.substr(7);
    size_t hash = rest.find('#');
    if (hash != std::string::npos)
        rest.erase(hash);
    size_t end = rest.find_first_of("/?");
    std::string authority = rest.substr(0, end);
    std::string path = end == std::string::npos ? std::string() : rest.substr(end);
    size_t at = authority.rfind('@');
    if (at != std::string::npos)
        authority.erase(0, at + 1);

    std::string host, port;
    if (!authority.empty() && authority[0] == '[') {
        size_t close = authority.find(']');
        if (close == std::string::npos)
            return false;
        host = authority.substr(1, close - 1);
        std::string after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':')
                return false;
            port = after.substr(1);
        }
    } else {
        size_t colon = authority.rfind(':');
        host = authority.substr(0, colon);
        if (colon != std::string::npos)
            port = authority.substr(colon + 1);
    }
    if (host.empty())
        return false;
    for (char c : host)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == ':'))
            return false;
    int portNumber = 80;
    if (!port.empty()) {
        if (port.size() > 5)
            return false;
        portNumber = 0;
        for (char c : port) {
            if (c < '0' || c > '9')
                return false;
            portNumber = portNumber * 10 + (c - '0');
        }
        if (portNumber < 1 || portNumber > 65535)
            return false;
    }
    // Control characters and spaces would break the request line; send them escaped.
    std::string safePath = path.empty() || path[0] != '/' ? "/" : "";
    static const char kHex[] = "0123456789ABCDEF";
    for (char c : path) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u <= ' ' || u >= 0x7F) {
            safePath += '%';
            safePath += kHex[u >> 4];
            safePath += kHex[u & 15];
        } else {
            safePath += c;
        }
    }
    target.host = host;
    target.port = portNumber;
    target.path = safePath;
    return true;
}

std::string ResolveAddress(const std::string& base, const std::string& reference)
{
    std::string ref = Trim(reference);
    if (IsLocalPath(ref))
        return CanonicalAddress(ref);
    if (!SchemeOf(ref).empty())
        return ref;
    std::string baseUrl = CanonicalAddress(base);
    if (SchemeOf(baseUrl).empty())
        return ref;
    UrlParts parts = SplitUrl(baseUrl);
    const bool isFile = parts.scheme == "file";
    size_t refQuery = ref.find_first_of("?#");
    for (size_t i = 0; i < ref.size() && i < refQuery; ++i)
        if (ref[i] == '\\')
            ref[i] = '/';

    std::string prefix = parts.scheme + ":" + (parts.hasAuthority ? "//" + parts.authority : "");
    if (ref.empty())
        return prefix + parts.path + parts.query;
    if (ref.compare(0, 2, "//") == 0)
        return parts.scheme + ":" + ref;
    if (ref[0] == '#')
        return prefix + parts.path + parts.query + ref;
    if (ref[0] == '?')
        return prefix + parts.path + ref;

    std::string refPath = ref, refTail;
    if (refQuery != std::string::npos) {
        refPath = ref.substr(0, refQuery);
        refTail = ref.substr(refQuery);
    }
    std::string merged;
    if (refPath.empty()) {
        merged = parts.path;
    } else if (refPath[0] == '/') {
        // A rooted link of a local page stays on the page's drive.
        size_t driveEnd = parts.path.size() >= 3 && parts.path[0] == '/' && IsDriveSegment(parts.path.substr(1, 2)) ? 3 : 0;
        merged = isFile && driveEnd ? parts.path.substr(0, driveEnd) + refPath : refPath;
    } else {
        size_t slash = parts.path.rfind('/');
        merged = (slash == std::string::npos ? (parts.hasAuthority ? "/" : "") : parts.path.substr(0, slash + 1)) + refPath;
    }
    return prefix + RemoveDotSegments(merged, isFile) + refTail;
}

}  // namespace pageview
