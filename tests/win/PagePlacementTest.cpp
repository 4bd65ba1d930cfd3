// The page window of the main launcher window: made hidden at start, kept over m_rcWeb in
// screen coordinates while the launcher is sized or dragged, restarting the movie each time.
#include "support/LauncherFixture.h"

using namespace testing_support;
using fakes::CountCalls;

TEST_F(LauncherFixture, PageWindowIsCreatedHiddenAndOwned)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        ASSERT_TRUE(Web());
        EXPECT_FALSE(::IsWindowVisible(Web()));
        EXPECT_EQ(::GetWindow(Web(), GW_OWNER), hWnd);
        EXPECT_EQ(dlg.m_webWnd.m_pOwnerDlg, &dlg);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, BeforeTheFirstRectangleNothingMoves)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        RECT before = Rect(Web());
        fakes::State().calls.clear();
        gui.Run([&] {
            ::SetWindowPos(hWnd, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);  // WM_SIZE
            dlg.LayoutWebWnd();
        });
        // A drag: press, move, release.
        ::SetCursorPos(300, 300);
        gui.Run([&] {
            MSG down = { hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {} };
            dlg.PreTranslateMessage(&down);
        });
        ::SetCursorPos(350, 320);
        gui.Run([&] {
            MSG move = { hWnd, WM_MOUSEMOVE, MK_LBUTTON, 0, 0, {} };
            dlg.PreTranslateMessage(&move);
            MSG up = { hWnd, WM_LBUTTONUP, 0, 0, 0, {} };
            dlg.PreTranslateMessage(&up);
        });
        RECT after = Rect(Web());
        EXPECT_TRUE(::EqualRect(&before, &after));
        EXPECT_FALSE(::IsWindowVisible(Web()));
        EXPECT_EQ(CountCalls("Play"), 0);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, PageFollowsTheLauncherAndEachLayoutPlaysTheMovie)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        gui.Run([&] {
            ::SetWindowPos(hWnd, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            dlg.m_rcWeb = CRect(20, 30, 420, 330);
            fakes::State().calls.clear();
            dlg.LayoutWebWnd();
        });
        RECT web = Rect(Web());
        EXPECT_EQ(web.left, 120);
        EXPECT_EQ(web.top, 80);
        EXPECT_EQ(web.right - web.left, 400);
        EXPECT_EQ(web.bottom - web.top, 300);
        EXPECT_EQ(CountCalls("Play"), 1);
        EXPECT_FALSE(::IsWindowVisible(Web())) << "layout does not show the page";

        // Drag the launcher by (40, 25): the page keeps its place within it.
        ::SetCursorPos(300, 300);
        gui.Run([&] {
            MSG down = { hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {} };
            dlg.PreTranslateMessage(&down);
        });
        ::SetCursorPos(340, 325);
        gui.Run([&] {
            MSG move = { hWnd, WM_MOUSEMOVE, MK_LBUTTON, 0, 0, {} };
            dlg.PreTranslateMessage(&move);
            MSG up = { hWnd, WM_LBUTTONUP, 0, 0, 0, {} };
            dlg.PreTranslateMessage(&up);
        });
        RECT main = Rect(hWnd);
        web = Rect(Web());
        EXPECT_EQ(main.left, 140);
        EXPECT_EQ(main.top, 75);
        EXPECT_EQ(web.left, 160);
        EXPECT_EQ(web.top, 105);
        // (The pointer's own moves while the button is held are drags too.)
        int plays = CountCalls("Play");
        EXPECT_GE(plays, 2);

        // Sizing the launcher lays the page out again.
        gui.Run([&] { ::SetWindowPos(hWnd, nullptr, 0, 0, 990, 690, SWP_NOMOVE | SWP_NOZORDER); });
        EXPECT_EQ(CountCalls("Play"), plays + 1);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, FailingPlayInLayoutIsIgnored)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        gui.Run([&] {
            fakes::State().config.playResult = E_FAIL;
            dlg.m_rcWeb = CRect(0, 0, 100, 100);
            dlg.LayoutWebWnd();
        });
        EXPECT_EQ(fakes::CountCalls("Play"), 2);  // once at start, once now
        EXPECT_TRUE(::IsWindow(hWnd));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}
