// The page view's HTTP/1.0 exchange: the GET request for a target, and the parts of a response
// it uses (status, redirect address, body).
#pragma once

#include <string>

#include "PageAddress.h"

namespace pageview {

std::string BuildHttpRequest(const HttpTarget& target);

struct HttpResponse {
    int status = 0;
    std::string location;  // the Location header, for redirects
    std::string body;
};

// False when the bytes do not start with an HTTP status line.
bool ParseHttpResponse(const std::string& raw, HttpResponse& response);

}  // namespace pageview
