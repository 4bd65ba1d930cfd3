// The page view control in a dialog, as an ActiveX container holds it: in-place activation,
// navigation and its events, the Document property, and what pointing at and clicking links does.
#include <gtest/gtest.h>

#include <exdispid.h>
#include <mshtml.h>

#include "PageViewHost.h"
#include "support/TestSupport.h"

using namespace pageview_test;
using testing_support::Pump;
using testing_support::WaitFor;

namespace {

const RECT kControlRect = { 8, 8, 488, 358 };

struct PageViewFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(server.Registered());
        ASSERT_TRUE(host.Create(kControlRect));
    }

    // Opens a demo page and waits until it is complete.
    void Open(const std::wstring& page, const std::wstring& query = L"")
    {
        const size_t before = host.Events().Count(DISPID_DOCUMENTCOMPLETE);
        ASSERT_EQ(host.Navigate(FileUrl(DemoSiteDir() + page) + query), S_OK);
        ASSERT_TRUE(host.WaitForDocuments(before + 1));
    }

    std::wstring LastStatus()
    {
        std::vector<std::wstring> texts = host.Events().Texts(DISPID_STATUSTEXTCHANGE);
        return texts.empty() ? L"<none>" : texts.back();
    }

    PageViewServer server;
    PageViewHost host;
};

std::wstring GameLink(const std::map<std::wstring, POINT>& links)
{
    for (const auto& link : links)
        if (link.first.find(L"wd=1") != std::wstring::npos)
            return link.first;
    return std::wstring();
}

}  // namespace

TEST(PageViewControl, IsInPlaceActiveInTheDialogForEachActivatingVerb)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    for (LONG verb : { OLEIVERB_INPLACEACTIVATE, OLEIVERB_SHOW, OLEIVERB_PRIMARY }) {
        SCOPED_TRACE(verb);
        PageViewHost host;
        ASSERT_TRUE(host.Create(kControlRect, verb));
        HWND control = host.Control();
        ASSERT_TRUE(control);
        EXPECT_EQ(::GetParent(control), host.Dialog());
        EXPECT_TRUE(::GetWindowLongPtrW(control, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(::IsWindowVisible(control));
        EXPECT_EQ(host.inPlaceActivations, 1);
        RECT rc;
        ::GetWindowRect(control, &rc);
        ::MapWindowPoints(nullptr, host.Dialog(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, kControlRect.left);
        EXPECT_EQ(rc.top, kControlRect.top);
        EXPECT_EQ(rc.right, kControlRect.right);
        EXPECT_EQ(rc.bottom, kControlRect.bottom);

        // The launcher's page window moves and sizes the control's window directly.
        ::SetWindowPos(control, nullptr, -2, -2, 304, 211, SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetClientRect(control, &rc);
        EXPECT_EQ(rc.right, 304);
        EXPECT_EQ(rc.bottom, 211);

        host.Destroy();
        EXPECT_FALSE(::IsWindow(control));
        EXPECT_EQ(host.inPlaceDeactivations, 1);
    }
}

TEST_F(PageViewFixture, NavigateRaisesCompletionEventsForTheTopPage)
{
    EXPECT_EQ(host.Document(), nullptr) << "no document before the first page";
    const std::wstring url = FileUrl(DemoSiteDir() + L"index.html") + L"?1702000000";
    ASSERT_EQ(host.Navigate(url), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(1));
    Pump(200);

    const EventRecorder& events = host.Events();
    ASSERT_EQ(events.Count(DISPID_NAVIGATECOMPLETE2), 1u);
    ASSERT_EQ(events.Count(DISPID_DOCUMENTCOMPLETE), 1u);
    size_t navigateAt = 0, documentAt = 0;
    for (size_t i = 0; i < events.events.size(); ++i) {
        const RecordedEvent& e = events.events[i];
        if (e.id != DISPID_NAVIGATECOMPLETE2 && e.id != DISPID_DOCUMENTCOMPLETE)
            continue;
        (e.id == DISPID_NAVIGATECOMPLETE2 ? navigateAt : documentAt) = i;
        EXPECT_EQ(e.text, url);
        EXPECT_EQ(e.frame, host.Dispatch()) << "the top-level frame is the control itself";
        const std::vector<VARTYPE> types = { VT_DISPATCH, VT_BYREF | VT_VARIANT };
        EXPECT_EQ(e.types, types);
    }
    EXPECT_LT(navigateAt, documentAt);

    IDispatch* document = host.Document();
    ASSERT_TRUE(document);
    IHTMLDocument2* html = nullptr;
    ASSERT_EQ(document->QueryInterface(__uuidof(IHTMLDocument2), reinterpret_cast<void**>(&html)), S_OK);
    BSTR title = nullptr;
    ASSERT_EQ(html->get_title(&title), S_OK);
    EXPECT_EQ(std::wstring(title), L"Tavik 公告");
    ::SysFreeString(title);
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"Tavik 公告");

    IHTMLWindow2* window = nullptr;
    ASSERT_EQ(html->get_parentWindow(&window), S_OK);
    ASSERT_TRUE(window);
    ErrorHandlerStub handler(ErrorHandlerStub::Answer::True);
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = &handler;
    EXPECT_EQ(window->put_onerror(value), S_OK);
    VARIANT stored;
    ::VariantInit(&stored);
    EXPECT_EQ(window->get_onerror(&stored), S_OK);
    EXPECT_EQ(stored.vt, VT_DISPATCH);
    EXPECT_EQ(stored.pdispVal, static_cast<IDispatch*>(&handler));
    ::VariantClear(&stored);
    window->Release();
    html->Release();
    document->Release();
}

TEST_F(PageViewFixture, Navigate2AndRefreshLoadAgain)
{
    const std::wstring path = DemoSiteDir() + L"notice.html";
    ASSERT_EQ(host.Navigate2(path + L"?42"), S_OK) << "a plain local path, with a query to ignore";
    ASSERT_TRUE(host.WaitForDocuments(1));
    const std::wstring url = FileUrl(path) + L"?42";
    EXPECT_EQ(host.Events().Texts(DISPID_DOCUMENTCOMPLETE).back(), url);
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"服务器维护公告");

    ASSERT_EQ(host.Refresh(), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(2));
    EXPECT_EQ(host.Events().Count(DISPID_NAVIGATECOMPLETE2), 2u) << "a reload is a new document";
    EXPECT_EQ(host.Events().Texts(DISPID_DOCUMENTCOMPLETE).back(), url);

    // A page that cannot be read still completes, with the view's own page in its place.
    ASSERT_EQ(host.Navigate(FileUrl(DemoSiteDir() + L"missing.html")), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(3));
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"无法显示网页");
}

TEST_F(PageViewFixture, PointingAtLinksReportsTheirAddresses)
{
    Open(L"index.html", L"?1702000000");
    const std::map<std::wstring, POINT> links = host.FindLinks();
    const std::wstring site = FileUrl(DemoSiteDir());
    std::vector<std::wstring> found;
    for (const auto& link : links)
        found.push_back(link.first);
    const std::vector<std::wstring> expected = {
        site + L"game.html?wd=1&server=1", site + L"guide.html", site + L"news.html", site + L"notice.html",
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(LastStatus(), L"") << "leaving the view while over a link clears the status";

    const std::wstring game = GameLink(links);
    ASSERT_FALSE(game.empty());
    const POINT at = links.at(game);
    HWND control = host.Control();
    ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(LastStatus(), game);
    const size_t count = host.Events().Count(DISPID_STATUSTEXTCHANGE);
    ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 1, at.y + 1));
    EXPECT_EQ(host.Events().Count(DISPID_STATUSTEXTCHANGE), count) << "moving within a link says nothing new";
    RECT rc;
    ::GetClientRect(control, &rc);
    ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(rc.right - 2, rc.bottom - 2));
    EXPECT_EQ(LastStatus(), L"");
    ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(LastStatus(), game);
    const std::vector<VARTYPE> oneString = { VT_BSTR };
    for (const RecordedEvent& e : host.Events().events) {
        if (e.id == DISPID_STATUSTEXTCHANGE) {
            EXPECT_EQ(e.types, oneString);
        }
    }
}

TEST_F(PageViewFixture, BlankLinkAsksForANewWindowAndOpensNoneWhenCancelled)
{
    Open(L"index.html");
    const std::map<std::wstring, POINT> links = host.FindLinks();
    const std::wstring game = GameLink(links);
    ASSERT_FALSE(game.empty());

    host.Events().cancelAnswer = VARIANT_TRUE;
    host.Events().events.clear();
    host.Click(links.at(game));
    const EventRecorder& events = host.Events();
    ASSERT_EQ(events.Count(DISPID_NEWWINDOW2), 1u);
    const RecordedEvent* newWindow = nullptr;
    std::wstring statusBefore;
    for (const RecordedEvent& e : events.events) {
        if (e.id == DISPID_STATUSTEXTCHANGE)
            statusBefore = e.text;
        if (e.id == DISPID_NEWWINDOW2) {
            newWindow = &e;
            break;
        }
    }
    ASSERT_TRUE(newWindow);
    EXPECT_EQ(statusBefore, game) << "the status names the link before the new-window request";
    const std::vector<VARTYPE> types = { VT_BYREF | VT_DISPATCH, VT_BYREF | VT_BOOL };
    EXPECT_EQ(newWindow->types, types);
    EXPECT_TRUE(newWindow->newWindowWasNull);
    EXPECT_TRUE(newWindow->cancelWasFalse);

    Pump(500);
    EXPECT_TRUE(PopupPageWindows().empty()) << "a cancelled request opens nothing";
    EXPECT_EQ(host.Events().Count(DISPID_NAVIGATECOMPLETE2), 0u) << "and the page stays";
}

TEST_F(PageViewFixture, BlankLinkOpensAWindowWhenNotCancelled)
{
    Open(L"index.html");
    const std::map<std::wstring, POINT> links = host.FindLinks();
    const std::wstring news = FileUrl(DemoSiteDir()) + L"news.html";
    ASSERT_TRUE(links.count(news));

    host.Events().cancelAnswer = VARIANT_FALSE;
    host.Click(links.at(news));
    EXPECT_EQ(host.Events().Count(DISPID_NEWWINDOW2), 1u);
    ASSERT_TRUE(WaitFor([] { return PopupPageWindows().size() == 1; }));
    HWND popup = PopupPageWindows()[0];
    EXPECT_TRUE(WaitFor([&] { return testing_support::WindowTextW(popup) == L"版本更新说明"; }));
    ::DestroyWindow(popup);
    EXPECT_EQ(host.Events().Count(DISPID_NAVIGATECOMPLETE2), 1u) << "the view itself stays on its page";
}

TEST_F(PageViewFixture, NewWindowGivenByTheHostShowsTheLink)
{
    PageViewHost other;
    ASSERT_TRUE(other.Create({ 0, 0, 300, 200 }));
    Open(L"index.html");
    const std::map<std::wstring, POINT> links = host.FindLinks();
    const std::wstring guide = FileUrl(DemoSiteDir()) + L"guide.html";
    ASSERT_TRUE(links.count(guide));

    host.Events().cancelAnswer = VARIANT_FALSE;
    host.Events().newWindowAnswer = other.Dispatch();
    host.Click(links.at(guide));
    ASSERT_TRUE(other.WaitForDocuments(1));
    EXPECT_EQ(other.Events().Texts(DISPID_DOCUMENTCOMPLETE).back(), guide);
    Pump(200);
    EXPECT_TRUE(PopupPageWindows().empty());
}

TEST_F(PageViewFixture, OrdinaryLinkNavigatesInPlace)
{
    Open(L"index.html");
    const std::map<std::wstring, POINT> links = host.FindLinks();
    const std::wstring notice = FileUrl(DemoSiteDir()) + L"notice.html";
    ASSERT_TRUE(links.count(notice));
    host.Click(links.at(notice));
    ASSERT_TRUE(host.WaitForDocuments(2));
    EXPECT_EQ(host.Events().Count(DISPID_NEWWINDOW2), 0u);
    EXPECT_EQ(host.Events().Texts(DISPID_NAVIGATECOMPLETE2).back(), notice);
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"服务器维护公告");

    // Back through the page's own link.
    const std::map<std::wstring, POINT> back = host.FindLinks();
    const std::wstring index = FileUrl(DemoSiteDir()) + L"index.html";
    ASSERT_TRUE(back.count(index));
    host.Click(back.at(index));
    ASSERT_TRUE(host.WaitForDocuments(3));
    EXPECT_EQ(host.Events().Texts(DISPID_DOCUMENTCOMPLETE).back(), index);
}
