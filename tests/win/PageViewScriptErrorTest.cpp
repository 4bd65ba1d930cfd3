// Script errors of the page view: a script it cannot run calls the page's onerror handler with
// (message, url, line), and only an answer of true keeps the view's own notice away.
#include <gtest/gtest.h>

#include <exdispid.h>

#include "PageViewHost.h"
#include "support/TestSupport.h"

using namespace pageview_test;
using testing_support::TempDir;

namespace {

const RECT kControlRect = { 0, 0, 400, 300 };
const COLORREF kNoticeColor = RGB(255, 255, 225);
const COLORREF kPageColor = RGB(0x20, 0x30, 0x40);

// The script starts on line 4.
const char kScriptPage[] =
    "<html><head><title>Script page</title></head>\n"
    "<body bgcolor=\"#203040\">\n"
    "<p>Text</p>\n"
    "<script type=\"text/javascript\">\n"
    "undefinedFunction();\n"
    "</script>\n"
    "</body></html>\n";

struct Outcome {
    size_t handlerCalls;
    bool notice;
};

// Opens a page with an onerror handler installed on NavigateComplete2 (or none), and reports
// the handler's calls and whether the view shows its notice.
Outcome OpenWithHandler(const std::wstring& url, ErrorHandlerStub* handler, ErrorHandlerStub::Call* firstCall = nullptr)
{
    PageViewHost host;
    EXPECT_TRUE(host.Create(kControlRect));
    host.Events().errorHandler = handler;
    if (handler)
        handler->recorder = &host.Events();
    EXPECT_EQ(host.Navigate(url), S_OK);
    EXPECT_TRUE(host.WaitForDocuments(1));
    Outcome outcome = { handler ? handler->calls.size() : 0, host.PixelAt(3, 3) == kNoticeColor };
    if (handler && !handler->calls.empty() && firstCall)
        *firstCall = handler->calls[0];
    return outcome;
}

}  // namespace

TEST(PageViewScriptError, OnlyATrueAnswerKeepsTheNoticeAway)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    TempDir dir;
    ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"script.html"), kScriptPage));
    const std::wstring url = FileUrl(dir.File(L"script.html")) + L"?7";

    struct Case { const char* name; ErrorHandlerStub::Answer answer; bool notice; };
    const Case cases[] = {
        { "true", ErrorHandlerStub::Answer::True, false },
        { "false", ErrorHandlerStub::Answer::False, true },
        { "no result", ErrorHandlerStub::Answer::Nothing, true },
        { "failing handler", ErrorHandlerStub::Answer::Fails, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorHandlerStub handler(c.answer);
        ErrorHandlerStub::Call call = {};
        Outcome outcome = OpenWithHandler(url, &handler, &call);
        ASSERT_EQ(outcome.handlerCalls, 1u);
        EXPECT_EQ(outcome.notice, c.notice);
        EXPECT_EQ(call.id, DISPID_VALUE);
        EXPECT_TRUE(call.flags & DISPATCH_METHOD);
        ASSERT_TRUE(call.argsAsExpected);
        EXPECT_FALSE(call.message.empty());
        EXPECT_EQ(call.url, url);
        EXPECT_EQ(call.line, 4);
        EXPECT_EQ(call.navigateCompletes, 1u) << "errors come after NavigateComplete2";
        EXPECT_EQ(call.documentCompletes, 0u) << "and before DocumentComplete";
    }

    Outcome noHandler = OpenWithHandler(url, nullptr);
    EXPECT_TRUE(noHandler.notice) << "without a handler the view shows its notice";
}

TEST(PageViewScriptError, PagesWithoutScriptsToRunRaiseNone)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    TempDir dir;
    ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"quiet.html"),
                                            "<body bgcolor=\"#203040\"><p>Text</p><script>\n<!--\n-->\n</script>"
                                            "<script type=\"application/json\">{\"a\": 1}</script></body>"));
    ErrorHandlerStub handler(ErrorHandlerStub::Answer::False);
    PageViewHost host;
    ASSERT_TRUE(host.Create(kControlRect));
    host.Events().errorHandler = &handler;
    ASSERT_EQ(host.Navigate(FileUrl(dir.File(L"quiet.html"))), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(1));
    EXPECT_TRUE(handler.calls.empty());
    EXPECT_EQ(host.PixelAt(3, 3), kPageColor);
}

TEST(PageViewScriptError, DemoPagesRaiseTheirScriptErrors)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    // The launcher's page has no handler: its notice shows.
    Outcome launcherPage = OpenWithHandler(FileUrl(DemoSiteDir() + L"index.html") + L"?1702000000", nullptr);
    EXPECT_TRUE(launcherPage.notice);

    // The game page, with a handler answering true as the game window installs it: silent.
    ErrorHandlerStub handler(ErrorHandlerStub::Answer::True);
    ErrorHandlerStub::Call call = {};
    const std::wstring game = FileUrl(DemoSiteDir() + L"game.html") + L"?wd=1&server=1";
    Outcome gamePage = OpenWithHandler(game, &handler, &call);
    EXPECT_EQ(gamePage.handlerCalls, 1u);
    EXPECT_FALSE(gamePage.notice);
    EXPECT_EQ(call.url, game);
    EXPECT_EQ(call.line, 6);
}
