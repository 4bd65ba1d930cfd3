// The main launcher window in this process: hit testing, the about command, OK/Cancel/Close,
// the private query message, icons, title and the update worker start.
#include <gtest/gtest.h>

#include "app/LauncherSettings.h"
#include "launcher/TavikGameDlg.h"
#include "launcher/UpdateWorker.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {

// The main window as the application runs it: the thread's main window, with a known title.
struct MainWindowFixture : ::testing::Test {
    void SetUp() override
    {
        g_strTitle = "MainWindowUnderTest";
        g_nWindowWidth = 1000;
        g_nWindowHeight = 695;
        AfxGetApp()->m_pMainWnd = &dlg;
    }
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }

    CTavikGameDlg dlg;
};

}  // namespace

TEST_F(MainWindowFixture, HitTestIsClientEverywhere)
{
    INT_PTR result = RunModalWithDriver(dlg, [](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        const POINT points[] = {
            { rc.left, rc.top }, { rc.right - 1, rc.top }, { rc.left, rc.bottom - 1 }, { rc.right - 1, rc.bottom - 1 },
            { (rc.left + rc.right) / 2, rc.top }, { rc.left + 1, (rc.top + rc.bottom) / 2 },
            { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 }, { rc.left - 50, rc.top - 50 },
        };
        for (POINT pt : points)
            EXPECT_EQ(SendTo(hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTCLIENT) << pt.x << "," << pt.y;
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowFixture, AboutCommandsShowAboutBoxModally)
{
    RunModalWithDriver(dlg, [](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        for (WPARAM id : { 0x10, 0x13, 0x1F }) {
            SCOPED_TRACE(id);
            ::PostMessageW(hWnd, WM_SYSCOMMAND, id, 0);
            HWND about = WaitForDialog(L"关于 TavikGame");
            ASSERT_TRUE(about);
            EXPECT_EQ(::GetWindow(about, GW_OWNER), hWnd);
            EXPECT_FALSE(::IsWindowEnabled(hWnd)) << "the about box is modal";
            EXPECT_EQ(WindowTextW(::GetDlgItem(about, IDOK)), L"确定");
            ClickDialogButton(about, IDOK);
            for (int i = 0; i < 500 && ::IsWindow(about); ++i)
                ::Sleep(10);
            EXPECT_FALSE(::IsWindow(about));
            EXPECT_TRUE(::IsWindowEnabled(hWnd));
        }
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(MainWindowFixture, OtherSystemCommandsTakeTheNormalRoute)
{
    RunModalWithDriver(dlg, [](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        ::PostMessageW(hWnd, WM_SYSCOMMAND, 0x20, 0);  // not an about id
        ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        for (int i = 0; i < 500 && !::IsIconic(hWnd); ++i)
            ::Sleep(10);
        EXPECT_TRUE(::IsIconic(hWnd));
        EXPECT_FALSE(WaitForDialog(L"关于 TavikGame", 300));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(MainWindowFixture, OkDoesNotEndButCancelAndCloseDo)
{
    INT_PTR result = RunModalWithDriver(dlg, [](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        SendTo(hWnd, WM_COMMAND, IDOK, 0);
        SendTo(hWnd, WM_KEYDOWN, VK_RETURN, 0);
        ::Sleep(100);
        EXPECT_TRUE(::IsWindow(hWnd));
        EXPECT_TRUE(::IsWindowVisible(hWnd));
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);

    CTavikGameDlg second;
    AfxGetApp()->m_pMainWnd = &second;
    result = RunModalWithDriver(second, [](HWND hWnd) { ::PostMessageW(hWnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowFixture, QuitMessageEndsTheModalLoop)
{
    INT_PTR result = RunModalWithDriver(dlg, [](HWND hWnd) {
        ::PostThreadMessageW(::GetWindowThreadProcessId(hWnd, nullptr), WM_QUIT, 0, 0);
    });
    EXPECT_EQ(result, -1);
    // The quit message is passed on to the loops outside.
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowFixture, PrivateQueryAnswersZeroAndIconsAndTitleAreSet)
{
    RunModalWithDriver(dlg, [](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        EXPECT_EQ(SendTo(hWnd, WM_USER + 10002, 5, 7), 0);
        LRESULT big = SendTo(hWnd, WM_GETICON, ICON_BIG, 0);
        LRESULT small = SendTo(hWnd, WM_GETICON, ICON_SMALL, 0);
        EXPECT_NE(big, 0);
        EXPECT_EQ(big, small);
        EXPECT_EQ(SendTo(hWnd, WM_QUERYDRAGICON, 0, 0), big);
        EXPECT_EQ(WindowTextA(hWnd), "MainWindowUnderTest");
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(MainWindowFixture, FirstWorkerStartCarriesSerialOne)
{
    ASSERT_EQ(g_nUpdateSerial, 0);
    RunModalWithDriver(dlg, [](HWND hWnd) { ::PostMessageW(hWnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(g_nUpdateSerial, 1);
    CTavikGameDlg second;
    AfxGetApp()->m_pMainWnd = &second;
    RunModalWithDriver(second, [](HWND hWnd) { ::PostMessageW(hWnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(g_nUpdateSerial, 2);
}

TEST(UpdateWorker, ReturnsAtOnceWithoutReadingItsRecord)
{
    EXPECT_EQ(UpdateWorkerProc(nullptr), 0u);
}
