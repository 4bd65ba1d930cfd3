// The page view's HTTP/1.0 request and response handling.
#include <gtest/gtest.h>

#include "standins/pageview/core/HttpMessage.h"

using namespace pageview;

TEST(PageViewHttp, BuildsAGetRequest)
{
    HttpTarget target;
    target.host = "127.0.0.1";
    target.port = 8080;
    target.path = "/site/index.html?x=1";
    const std::string request = BuildHttpRequest(target);
    EXPECT_EQ(request.rfind("GET /site/index.html?x=1 HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(request.find("\r\nHost: 127.0.0.1:8080\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.size() - 4), "\r\n\r\n");

    target.host = "::1";
    target.port = 80;
    EXPECT_NE(BuildHttpRequest(target).find("\r\nHost: [::1]\r\n"), std::string::npos);
}

TEST(PageViewHttp, ReadsStatusRedirectAndBody)
{
    struct Case { std::string raw; bool ok; int status; std::string location; std::string body; };
    const Case cases[] = {
        { "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>hi</p>", true, 200, "", "<p>hi</p>" },
        { "HTTP/1.1 302 Found\r\nlocation:  /next.html \r\n\r\n", true, 302, "/next.html", "" },
        { "HTTP/1.0 200 OK\nContent-Length: 3\n\nabcdef", true, 200, "", "abc" },
        { "HTTP/1.0 200 OK\r\nContent-Length: 99\r\n\r\nabc", true, 200, "", "abc" },
        { "HTTP/1.0 200 OK\r\nContent-Length: x\r\n\r\nabc", true, 200, "", "abc" },
        { "HTTP/1.0 404 Not Found\r\n\r\nmissing", true, 404, "", "missing" },
        { "HTTP/1.0 200", true, 200, "", "" },
        { "HTTP/1.0 2x0 OK\r\n\r\n", false, 0, "", "" },
        { "HTTP/1.0\r\n\r\n", false, 0, "", "" },
        { "<html>no status line", false, 0, "", "" },
        { "", false, 0, "", "" },
    };
    for (const Case& c : cases) {
        HttpResponse response;
        response.status = -1;
        EXPECT_EQ(ParseHttpResponse(c.raw, response), c.ok) << c.raw;
        if (!c.ok) {
            EXPECT_EQ(response.status, -1) << "left unchanged";
            continue;
        }
        EXPECT_EQ(response.status, c.status) << c.raw;
        EXPECT_EQ(response.location, c.location) << c.raw;
        EXPECT_EQ(response.body, c.body) << c.raw;
    }
}
