// Loads a page and its images away from the GUI thread: file: addresses and local paths from
// disk, http: addresses over HTTP/1.0. The result is posted to the view's window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/HtmlDocument.h"

namespace pageview {

struct LoadedPage {
    unsigned generation = 0;
    std::string address;   // where the page came from, after redirects (UTF-8)
    bool found = false;    // false: document is the view's own "cannot show" page
    HtmlDocument document;
    std::vector<std::string> images;  // bytes by document image index; empty when not loaded
};

// Fetches the bytes at an address (file:, local path or http:, redirects followed).
bool FetchAddress(const std::string& address, std::string& bytes, std::string& finalAddress);

// Starts the load; when done, posts message to window with the LoadedPage* as lParam (the
// window then owns it). False when no thread could be started.
bool StartPageLoad(HWND window, UINT message, unsigned generation, const std::string& address);

}  // namespace pageview
