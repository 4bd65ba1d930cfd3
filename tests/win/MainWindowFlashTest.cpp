// The main window as the movie's host: a layered popup off-screen, the drag, and the input it
// hands to the windowless control in its message pre-translation.
#include <gtest/gtest.h>

#include <mutex>
#include <set>

#include "launcher/TavikGameDlg.h"
#include "support/FlashHostFixture.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

using namespace testing_support;
using fakes::CountCalls;
using fakes::State;

namespace {

// The main window, recording every message its window procedure gets.
class ObservedMainDlg : public CTavikGameDlg {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_seen.push_back(message);
        }
        return CTavikGameDlg::WindowProc(message, wParam, lParam);
    }
    int Seen(UINT message)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        int n = 0;
        for (UINT m : m_seen)
            n += m == message;
        return n;
    }

private:
    std::mutex m_mutex;
    std::vector<UINT> m_seen;
};

struct MainWindowFlash : FlashHostFixture {
    void SetUp() override
    {
        FlashHostFixture::SetUp();
        g_nWindowWidth = 640;
        g_nWindowHeight = 480;
        g_strTitle = "FlashMain";
        g_bDialogDragging = 0;
        AfxGetApp()->m_pMainWnd = &dlg;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        FlashHostFixture::TearDown();
    }
    // Waits until the dialog's thread has handled everything posted before (a sent message
    // would overtake them).
    void Sync(HWND hWnd) { SyncWith(dlg, hWnd); }
    static void SyncWith(ObservedMainDlg& observed, HWND hWnd)
    {
        int before = observed.Seen(WM_NULL);
        ::PostMessageW(hWnd, WM_NULL, 0, 0);
        for (int i = 0; i < 500 && observed.Seen(WM_NULL) == before; ++i)
            ::Sleep(10);
    }
    RECT Rect(HWND h)
    {
        RECT rc;
        ::GetWindowRect(h, &rc);
        return rc;
    }

    ObservedMainDlg dlg;
};

}  // namespace

TEST_F(MainWindowFlash, BecomesLayeredPopupOffScreenPlayingTheMovie)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        RECT rc = Rect(hWnd);
        EXPECT_EQ(rc.left, -10000);
        EXPECT_EQ(rc.top, -10000);
        EXPECT_EQ(rc.right - rc.left, 640);
        EXPECT_EQ(rc.bottom - rc.top, 480);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_LAYERED));
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
                  static_cast<DWORD>(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
        EXPECT_EQ(WindowTextA(hWnd), "FlashMain");  // the title comes after the control
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(dlg.m_bLayered);
    EXPECT_TRUE(fakes::CallsInOrder({ "DoVerb(-1)", "LoadMovie(0," + WideToUtf8(BinDir()) + "login.swf)", "Play" }));
}

TEST_F(MainWindowFlash, QueuedSystemCloseEndsAtOnce)
{
    INT_PTR result = RunModalWithDriver(dlg, [](HWND hWnd) { ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(result, -1);  // a quit message, not a dialog result
    EXPECT_EQ(dlg.Seen(WM_SYSCOMMAND), 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowFlash, DragFollowsTheCursorWhileTheButtonIsHeld)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        RECT start = Rect(hWnd);
        ::SetCursorPos(200, 200);
        ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        Sync(hWnd);
        EXPECT_EQ(g_bDialogDragging, 1);
        EXPECT_EQ(g_ptDialogDragOffset.x, 200 - start.left);
        EXPECT_EQ(g_ptDialogDragOffset.y, 200 - start.top);

        for (POINT step : { POINT{ 230, 240 }, POINT{ 180, 150 } }) {
            ::SetCursorPos(step.x, step.y);
            ::PostMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
            Sync(hWnd);
            RECT now = Rect(hWnd);
            EXPECT_EQ(now.left, start.left + step.x - 200);
            EXPECT_EQ(now.top, start.top + step.y - 200);
            EXPECT_EQ(now.right - now.left, 640);  // moved, not sized
        }

        ::PostMessageW(hWnd, WM_LBUTTONUP, 0, 0);
        Sync(hWnd);
        EXPECT_EQ(g_bDialogDragging, 0);
        RECT released = Rect(hWnd);
        ::SetCursorPos(400, 400);
        ::PostMessageW(hWnd, WM_MOUSEMOVE, 0, 0);
        Sync(hWnd);
        RECT after = Rect(hWnd);
        EXPECT_TRUE(::EqualRect(&released, &after)) << "no drag after the release";
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(MainWindowFlash, InputReachesTheMovieByTheForwardingList)
{
    struct Case { UINT message; bool forwarded; };
    const Case cases[] = {
        { WM_SETCURSOR, true }, { WM_KEYDOWN, true }, { WM_KEYUP, true }, { WM_CHAR, true }, { WM_SYSKEYDOWN, true },
        { WM_SYSKEYUP, false }, { WM_SYSCHAR, false }, { WM_MOUSEMOVE, true }, { WM_RBUTTONDOWN, true },
        { WM_MBUTTONDBLCLK, true }, { WM_MOUSEWHEEL, true }, { WM_MOUSEHWHEEL, false }, { WM_TIMER, false },
        { WM_LBUTTONDOWN, true }, { WM_LBUTTONUP, true },
    };
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        for (const Case& c : cases)
            ::PostMessageW(hWnd, c.message, 0, 0);
        Sync(hWnd);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
    char name[32];
    for (const Case& c : cases) {
        std::snprintf(name, sizeof name, "OnWindowMessage(0x%X)", c.message);
        EXPECT_EQ(CountCalls(name), c.forwarded ? 1 : 0) << name;
    }
}

TEST_F(MainWindowFlash, MessagesTheMovieConsumesAreNotDispatched)
{
    struct Case { HRESULT answer; LRESULT result; bool dispatched; };
    for (Case c : { Case{ S_OK, 1, false }, Case{ S_OK, 0, true }, Case{ S_FALSE, 1, true } }) {
        SCOPED_TRACE(std::to_string(c.answer) + "/" + std::to_string(c.result));
        fakes::ResetFakeFlash();
        State().config.onWindowMessageResult = c.answer;
        State().config.onWindowMessageLResult = c.result;
        ObservedMainDlg main;
        AfxGetApp()->m_pMainWnd = &main;
        RunModalWithDriver(main, [&](HWND hWnd) {
            ASSERT_TRUE(hWnd);
            ::PostMessageW(hWnd, WM_KEYDOWN, 'A', 0);
            ::PostMessageW(hWnd, WM_RBUTTONUP, 0, 0);
            SyncWith(main, hWnd);
            ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(main.Seen(WM_KEYDOWN), c.dispatched ? 1 : 0);
        EXPECT_EQ(main.Seen(WM_RBUTTONUP), c.dispatched ? 1 : 0);
    }
    AfxGetApp()->m_pMainWnd = &dlg;
}

TEST_F(MainWindowFlash, QueuedSizeAndCreateAreAppliedToTheMovie)
{
    static CREATESTRUCTA create = {};
    create.lpCreateParams = reinterpret_cast<LPVOID>(0x1234);
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        State().calls.clear();
        ::PostMessageW(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
        Sync(hWnd);
        // The system refuses to post WM_CREATE (it carries a pointer), so hand it over directly.
        MSG msg = { hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), 0, {} };
        EXPECT_FALSE(dlg.PreTranslateMessage(&msg));
        EXPECT_EQ(::GetWindowLongPtrA(hWnd, GWLP_USERDATA), 0x1234);
        msg.lParam = 0;  // no structure: nothing to read
        EXPECT_FALSE(dlg.PreTranslateMessage(&msg));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(fakes::CallsInOrder({ "DoVerb(-1)", "SetObjectRects(0,0,640,480)" }));
}

TEST_F(MainWindowFlash, ThreadMessagesGetTheMainWindowsLastChance)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        ::PostThreadMessageW(::GetWindowThreadProcessId(hWnd, nullptr), WM_CHAR, 'x', 0);
        Sync(hWnd);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(CountCalls("OnWindowMessage(0x102)"), 1);
}
