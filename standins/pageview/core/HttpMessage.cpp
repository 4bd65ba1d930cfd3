// The page view's HTTP/1.0 request and response handling.
#include "HttpMessage.h"

#include <cctype>

namespace pageview {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    size_t begin = 0, end = s.size();
    while (begin < end && (s[begin] == ' ' || s[begin] == '\t'))
        ++begin;
    while (end > begin && (s[end - 1] == ' ' || s[end - 1] == '\t' || s[end - 1] == '\r'))
        --end;
    return s.substr(begin, end - begin);
}

}  // namespace

std::string BuildHttpRequest(const HttpTarget& target)
{
    std::string host = target.host.find(':') != std::string::npos ? "[" + target.host + "]" : target.host;
    if (target.port != 80)
        host += ":" + std::to_string(target.port);
    return "GET " + target.path + " HTTP/1.0\r\nHost: " + host +
           "\r\nAccept: */*\r\nUser-Agent: TavikPageView/1.0\r\nConnection: close\r\n\r\n";
}

bool ParseHttpResponse(const std::string& raw, HttpResponse& response)
{
    if (raw.compare(0, 5, "HTTP/") != 0)
        return false;
    size_t lineEnd = raw.find('\n');
    std::string statusLine = raw.substr(0, lineEnd);
    size_t space = statusLine.find(' ');
    if (space == std::string::npos || space + 4 > statusLine.size())
        return false;
    int status = 0;
    for (size_t i = space + 1; i < space + 4; ++i) {
        if (statusLine[i] < '0' || statusLine[i] > '9')
            return false;
        status = status * 10 + (statusLine[i] - '0');
    }

    HttpResponse result;
    result.status = status;
    size_t pos = lineEnd == std::string::npos ? raw.size() : lineEnd + 1;
    long long contentLength = -1;
    while (pos < raw.size()) {
        size_t end = raw.find('\n', pos);
        std::string line = Trim(raw.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? raw.size() : end + 1;
        if (line.empty())
            break;
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = Lower(Trim(line.substr(0, colon)));
        std::string value = Trim(line.substr(colon + 1));
        if (name == "location") {
            result.location = value;
        } else if (name == "content-length") {
            long long length = 0;
            bool digits = !value.empty();
            for (char c : value) {
                if (c < '0' || c > '9' || length > (1LL << 40)) {
                    digits = false;
                    break;
                }
                length = length * 10 + (c - '0');
            }
            if (digits)
                contentLength = length;
        }
    }
    result.body = raw.substr(pos);
    if (contentLength >= 0 && static_cast<unsigned long long>(contentLength) < result.body.size())
        result.body.resize(static_cast<size_t>(contentLength));
    response = result;
    return true;
}

}  // namespace pageview
