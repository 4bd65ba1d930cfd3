// Page addresses: schemes, local paths, file: URLs, http: URLs and link resolution.
#include <gtest/gtest.h>

#include "standins/pageview/core/PageAddress.h"

using namespace pageview;

TEST(PageAddress, SchemesAndLocalPaths)
{
    struct Case { const char* address; const char* scheme; bool local; };
    const Case cases[] = {
        { "http://host/x", "http", false }, { "HTTP://host", "http", false }, { "file:///C:/x", "file", false },
        { "javascript:void(0)", "javascript", false }, { "C:\\site\\a.html", "", true }, { "c:/site/a.html", "", true },
        { "\\\\server\\share\\a.html", "", true }, { "a.html", "", false }, { "/a.html", "", false },
        { "", "", false }, { ":x", "", false }, { "  http://x  ", "http", false }, { "1http://x", "", false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SchemeOf(c.address), c.scheme) << c.address;
        EXPECT_EQ(IsLocalPath(c.address), c.local) << c.address;
    }
}

TEST(PageAddress, CanonicalAddressMakesLocalPathsFileUrls)
{
    EXPECT_EQ(CanonicalAddress("C:\\site\\page.html?123"), "file:///C:/site/page.html?123");
    EXPECT_EQ(CanonicalAddress("\\\\server\\share\\p.html"), "file://server/share/p.html");
    EXPECT_EQ(CanonicalAddress("  http://a/b  "), "http://a/b");
    EXPECT_EQ(CanonicalAddress("relative.html"), "relative.html");
}

TEST(PageAddress, FileUrlsBecomePathsWithoutQuery)
{
    struct Case { const char* url; bool ok; const char* path; };
    const Case cases[] = {
        { "file:///C:/site/page.html", true, "C:\\site\\page.html" },
        { "file:///C:/site/page.html?1702000000", true, "C:\\site\\page.html" },
        { "file:///C:/site/page.html#top", true, "C:\\site\\page.html" },
        { "FILE:///c|/site/a%20b.html?x#y", true, "c:\\site\\a b.html" },
        { "file://localhost/C:/x.html", true, "C:\\x.html" },
        { "file://C:/x.html", true, "C:\\x.html" },
        { "file:C:/x.html", true, "C:\\x.html" },
        { "file:/C:/x.html", true, "C:\\x.html" },
        { "file://server/share/x.html", true, "\\\\server\\share\\x.html" },
        { "file:///C:/%E4%B8%AD.html", true, "C:\\\xE4\xB8\xAD.html" },
        { "file:///C:/bad%2", true, "C:\\bad%2" },
        { "file:///C:/nul%00.html", false, "" },
        { "file:///relative.html", false, "" },
        { "file:", false, "" },
        { "http://host/x", false, "" },
        { "C:\\plain.html", false, "" },
    };
    for (const Case& c : cases) {
        std::string path = "unchanged";
        EXPECT_EQ(FileUrlToPath(c.url, path), c.ok) << c.url;
        EXPECT_EQ(path, c.ok ? c.path : "unchanged") << c.url;
    }
}

TEST(PageAddress, HttpUrlsSplitIntoTargets)
{
    struct Case { const char* url; bool ok; const char* host; int port; const char* path; };
    const Case cases[] = {
        { "http://127.0.0.1:8080/site/index.html?x=1#frag", true, "127.0.0.1", 8080, "/site/index.html?x=1" },
        { "http://example.test", true, "example.test", 80, "/" },
        { "http://example.test?q", true, "example.test", 80, "/?q" },
        { "http://user:pw@host:81/", true, "host", 81, "/" },
        { "http://[::1]:9000/a", true, "::1", 9000, "/a" },
        { "http://host/a b\r\nX: y", true, "host", 80, "/a%20b%0D%0AX:%20y" },
        { "http://host:0/", false, "", 0, "" },
        { "http://host:65536/", false, "", 0, "" },
        { "http://host:8x/", false, "", 0, "" },
        { "http:///path", false, "", 0, "" },
        { "http://ho st/", false, "", 0, "" },
        { "https://host/", false, "", 0, "" },
        { "http:/host", false, "", 0, "" },
    };
    for (const Case& c : cases) {
        HttpTarget target;
        EXPECT_EQ(ParseHttpUrl(c.url, target), c.ok) << c.url;
        if (!c.ok)
            continue;
        EXPECT_EQ(target.host, c.host) << c.url;
        EXPECT_EQ(target.port, c.port) << c.url;
        EXPECT_EQ(target.path, c.path) << c.url;
    }
}

TEST(PageAddress, ResolvesLinksAgainstThePage)
{
    struct Case { const char* base; const char* ref; const char* resolved; };
    const Case cases[] = {
        { "file:///C:/site/index.html?123", "game.html?wd=1", "file:///C:/site/game.html?wd=1" },
        { "file:///C:/site/sub/index.html", "../img/a.png", "file:///C:/site/img/a.png" },
        { "file:///C:/site/index.html", "../../../x.html", "file:///C:/x.html" },
        { "file:///C:/site/index.html", "/root.html", "file:///C:/root.html" },
        { "file:///C:/site/index.html", "sub\\b.html", "file:///C:/site/sub/b.html" },
        { "C:\\site\\index.html", "b.html", "file:///C:/site/b.html" },
        { "http://h:81/a/b/c.html?q#f", "d.html", "http://h:81/a/b/d.html" },
        { "http://h/a/b/c.html", "/x/y.html", "http://h/x/y.html" },
        { "http://h/a/b/c.html", "//other/z", "http://other/z" },
        { "http://h/a/b/c.html?q=1", "?q=2", "http://h/a/b/c.html?q=2" },
        { "http://h/a/b/c.html?q=1", "#top", "http://h/a/b/c.html?q=1#top" },
        { "http://h/a/b/c.html", "", "http://h/a/b/c.html" },
        { "http://h/a/b/c.html", "./.././d", "http://h/a/d" },
        { "http://h/a/b/", "..", "http://h/a/" },
        { "http://h", "x.html", "http://h/x.html" },
        { "http://h/a.html", "http://other/b.html", "http://other/b.html" },
        { "http://h/a.html", "javascript:go()", "javascript:go()" },
        { "http://h/a.html", "D:\\x.html", "file:///D:/x.html" },
        { "", "x.html", "x.html" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveAddress(c.base, c.ref), c.resolved) << c.base << " + " << c.ref;
}
