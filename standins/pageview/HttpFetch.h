// A minimal HTTP/1.0 GET over Winsock, for the page view's loader thread.
#pragma once

#include <string>

#include "core/PageAddress.h"

namespace pageview {

// Limits of one response, so a server cannot make the view hang or fill memory.
const size_t kMaxResponseBytes = 16 * 1024 * 1024;
const int kHttpTimeoutMs = 15000;

// Sends the GET request and returns the raw response (status line, headers, body); false when
// the host cannot be reached or nothing arrives in time.
bool HttpGetRaw(const HttpTarget& target, std::string& raw);

}  // namespace pageview
