// The popup web window with the fake WebBrowser: creation hidden and owned, the control's
// geometry, F5/Enter/Escape/OK, the Backspace hook and its lifetime, the remembered link, and the
// routing of new-window requests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LauncherSettings.h"
#include "fakes/FakeHtmlDocument.h"
#include "fakes/FakeWebBrowser.h"
#include "resource.h"
#include "support/TestSupport.h"
#include "web/WebWnd.h"
#include "win/PreTranslatePump.h"
#include "win/RecorderArgs.h"

using fakes::FakeWebBrowser;
using namespace testing_support;

namespace {

// The page window with probes on the points the tests watch.
class ProbeWebWnd : public CWebWnd {
public:
    HHOOK hookAtInitDialog = nullptr;
    std::vector<std::pair<UINT, WPARAM>> preTranslatedKeys;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
            preTranslatedKeys.emplace_back(pMsg->message, pMsg->wParam);
        return CWebWnd::PreTranslateMessage(pMsg);
    }

protected:
    BOOL OnInitDialog() override
    {
        hookAtInitDialog = g_hKeyHook;
        return CWebWnd::OnInitDialog();
    }
};

struct PopupWebWindow : ::testing::Test {
    void SetUp() override
    {
        AfxEnableControlContainer();
        ASSERT_TRUE(registration.Ok());
        ASSERT_TRUE(owner.Create(IDD_ABOUTBOX, nullptr));
        ASSERT_TRUE(web.Create(IDD_WEB_WND, &owner));
        web.m_pOwnerDlg = &owner;
        fake = FakeWebBrowser::Below(web.m_hWnd);
        ASSERT_NE(fake, nullptr);
        savedMarker = g_strGameUrl;
        g_strGameUrl = "wd=1";
    }
    void TearDown() override
    {
        g_strGameUrl = savedMarker;
        web.DestroyWindow();
        owner.DestroyWindow();
    }

    bool HasKey(const std::vector<std::pair<UINT, WPARAM>>& keys, UINT message, WPARAM key)
    {
        for (auto& k : keys)
            if (k.first == message && k.second == key)
                return true;
        return false;
    }

    fakes::FakeWebBrowserRegistration registration;
    CDialog owner{ IDD_ABOUTBOX };
    ProbeWebWnd web;
    FakeWebBrowser* fake = nullptr;
    CString savedMarker;
};

}  // namespace

TEST_F(PopupWebWindow, CreatedHiddenBorderlessAndOwned)
{
    EXPECT_FALSE(::IsWindowVisible(web.m_hWnd));
    EXPECT_EQ(::GetWindow(web.m_hWnd, GW_OWNER), owner.m_hWnd);
    LONG style = ::GetWindowLongA(web.m_hWnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_EQ(g_hWebWnd, web.m_hWnd);
    EXPECT_EQ(web.m_browser.m_hWnd, ::GetDlgItem(web.m_hWnd, IDC_WEB_BROWSER));
    EXPECT_EQ(web.m_pOwnerDlg, &owner);
    EXPECT_TRUE(web.m_strLinkUrl.IsEmpty());
}

TEST_F(PopupWebWindow, ControlCoversTheClientAreaAndMoreAfterEachSize)
{
    // Until the first size change the control keeps its template place.
    RECT rc;
    ::GetWindowRect(web.m_browser.m_hWnd, &rc);
    POINT pt = { rc.left, rc.top };
    ::ScreenToClient(web.m_hWnd, &pt);
    EXPECT_GT(pt.x, 0);

    const SIZE sizes[] = { { 500, 300 }, { 800, 600 }, { 120, 40 } };
    for (SIZE s : sizes) {
        SCOPED_TRACE(s.cx);
        ::SetWindowPos(web.m_hWnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        ::GetClientRect(web.m_hWnd, &client);
        ::GetWindowRect(web.m_browser.m_hWnd, &rc);
        POINT topLeft = { rc.left, rc.top };
        ::ScreenToClient(web.m_hWnd, &topLeft);
        EXPECT_EQ(topLeft.x, -2);
        EXPECT_EQ(topLeft.y, -2);
        EXPECT_EQ(rc.right - rc.left, client.right + 4);
        EXPECT_EQ(rc.bottom - rc.top, client.bottom + 11);
        // The control itself fills its host.
        RECT inner;
        ::GetClientRect(fake->Window(), &inner);
        EXPECT_EQ(inner.right, client.right + 4);
        EXPECT_EQ(inner.bottom, client.bottom + 11);
    }
}

TEST_F(PopupWebWindow, F5RefreshesEnterAndEscapeGoToThePageOkDoesNothing)
{
    web.ShowWindow(SW_SHOWNA);
    fake->ClearCalls();
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_F5, 1);
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageA(web.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageA(web.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
    PumpWithPreTranslate(100);

    auto calls = fake->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].dispid, -550) << "F5 reloads the page";
    auto keys = fake->WindowKeys();
    EXPECT_FALSE(HasKey(keys, WM_KEYDOWN, VK_F5));
    EXPECT_TRUE(HasKey(keys, WM_KEYDOWN, VK_RETURN));
    EXPECT_TRUE(HasKey(keys, WM_KEYDOWN, VK_ESCAPE));
    auto offered = fake->AcceleratorKeys();
    EXPECT_FALSE(HasKey(offered, WM_KEYDOWN, VK_RETURN)) << "Enter bypasses the dialog manager";
    EXPECT_FALSE(HasKey(offered, WM_KEYDOWN, VK_ESCAPE));

    web.SendMessage(WM_COMMAND, IDOK);
    PumpWithPreTranslate(50);
    EXPECT_TRUE(::IsWindow(web.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(web.m_hWnd)) << "neither Enter, Escape nor OK closes or hides it";
}

TEST_F(PopupWebWindow, HookIsInstalledBeforeInitDialogAndRemovedAtDestroy)
{
    EXPECT_NE(web.hookAtInitDialog, nullptr);
    EXPECT_EQ(g_hKeyHook, web.hookAtInitDialog);
    HHOOK hook = g_hKeyHook;
    web.DestroyWindow();
    EXPECT_EQ(g_hKeyHook, nullptr);
    EXPECT_FALSE(::UnhookWindowsHookEx(hook)) << "the hook is already gone";
}

TEST_F(PopupWebWindow, BackspaceForThePageIsHandledAtRetrieval)
{
    web.ShowWindow(SW_SHOWNA);
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_BACK, 1);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, fake->Window(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_NULL)) << "the loop gets an empty message";
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, 0);
    EXPECT_EQ(msg.hwnd, fake->Window());
    EXPECT_TRUE(HasKey(fake->WindowKeys(), WM_KEYDOWN, VK_BACK)) << "the dialog manager delivered it";

    // In the loop, Backspace (and the character it makes) never reaches pre-translation.
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_BACK, 1);
    ::PostMessageA(fake->Window(), WM_KEYDOWN, 'X', 1);
    PumpWithPreTranslate(100);
    EXPECT_FALSE(HasKey(web.preTranslatedKeys, WM_KEYDOWN, VK_BACK));
    EXPECT_FALSE(HasKey(web.preTranslatedKeys, WM_CHAR, VK_BACK));
    EXPECT_TRUE(HasKey(web.preTranslatedKeys, WM_KEYDOWN, 'X')) << "other keys take the normal road";
    EXPECT_TRUE(HasKey(fake->WindowKeys(), WM_CHAR, VK_BACK));
}

TEST_F(PopupWebWindow, BackspaceForOtherWindowsIsLeftAlone)
{
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    ::PostMessageA(other, WM_KEYDOWN, VK_BACK, 1);
    ::PostMessageA(owner.m_hWnd, WM_CHAR, VK_BACK, 1);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, other, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_BACK));
    ASSERT_TRUE(::PeekMessageA(&msg, owner.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_BACK));
    // Looking without removing does not run the rule either.
    ::PostMessageA(fake->Window(), WM_KEYDOWN, VK_BACK, 1);
    ASSERT_TRUE(::PeekMessageA(&msg, fake->Window(), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    ::DestroyWindow(other);
}

TEST_F(PopupWebWindow, LinkUrlKeepsTheLastNonEmptyStatusText)
{
    const struct {
        const wchar_t* text;
        const char* expected;
    } steps[] = {
        { L"", "" },
        { L"http://site/a", "http://site/a" },
        { L"", "http://site/a" },
        { L"Done", "Done" },
        { L"http://site/b?x=1", "http://site/b?x=1" },
    };
    for (auto& s : steps) {
        EXPECT_EQ(fake->FireStatusTextChange(s.text), S_OK);
        EXPECT_STREQ(web.m_strLinkUrl, s.expected);
    }
}

TEST_F(PopupWebWindow, OtherLinksOpenInTheDefaultBrowserAndAreCancelled)
{
    RecorderLog log;
    // The popup, not the main window, is active: the new-window route launches all the same.
    AfxGetApp()->m_pMainWnd = &owner;
    owner.ShowWindow(SW_SHOW);
    web.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(web.m_hWnd);
    ::SetActiveWindow(web.m_hWnd);

    fake->FireStatusTextChange(L"http://site/news page?a=1&b=2");
    fake->FireStatusTextChange(L"");
    IDispatch* sentinel = fakes::CreatePlainDispatch();
    IDispatch* slot = sentinel;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(fake->FireNewWindow2(&slot, &cancel), S_OK);
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(slot, sentinel) << "the new window's pointer is never touched";
    sentinel->Release();

    ASSERT_TRUE(log.WaitForLines(1));
    auto args = RecordedArgs(log.Lines()[0]);
    ASSERT_EQ(args.size(), 2u) << log.Lines()[0];
    EXPECT_TRUE(IsRecorder(args[0]));
    EXPECT_EQ(args[1], L"http://site/news page?a=1&b=2");
}

TEST_F(PopupWebWindow, NewWindowBeforeAnyStatusTextStartsTheBrowserWithNothing)
{
    RecorderLog log;
    IDispatch* slot = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    fake->FireNewWindow2(&slot, &cancel);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(slot, nullptr);
    ASSERT_TRUE(log.WaitForLines(1));
    auto args = RecordedArgs(log.Lines()[0]);
    ASSERT_EQ(args.size(), 1u) << log.Lines()[0];
    EXPECT_TRUE(IsRecorder(args[0]));
}

TEST_F(PopupWebWindow, GameLinksAndSwitchLikeTextsOpenNothingAndAreCancelled)
{
    RecorderLog log;
    const wchar_t* notLaunched[] = { L"http://game/enter?wd=1&srv=3", L"-new-window http://evil/" };
    for (const wchar_t* text : notLaunched) {
        fake->FireStatusTextChange(text);
        IDispatch* slot = nullptr;
        VARIANT_BOOL cancel = VARIANT_FALSE;
        fake->FireNewWindow2(&slot, &cancel);
        EXPECT_EQ(cancel, VARIANT_TRUE);
        EXPECT_EQ(slot, nullptr);
    }
    // The marker is case-sensitive: this one is an ordinary link, and the only start.
    fake->FireStatusTextChange(L"http://game/enter?WD=1");
    IDispatch* slot = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    fake->FireNewWindow2(&slot, &cancel);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    ASSERT_TRUE(log.WaitForLines(1));
    Pump(200);
    auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(RecordedArgs(lines[0]).back(), L"http://game/enter?WD=1");
}
