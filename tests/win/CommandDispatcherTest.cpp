// The movie's commands acting on the real main window, as the login movie sends them.
#include <shlobj.h>

#include <ctime>

#include "support/LauncherFixture.h"

using namespace testing_support;

namespace {

RECT WorkArea()
{
    RECT rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

void ExpectCentredInWorkArea(HWND hWnd)
{
    RECT rc = LauncherFixture::Rect(hWnd), area = WorkArea();
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    EXPECT_NEAR(rc.left, (area.left + area.right) / 2 - w / 2, 1);
    EXPECT_NEAR(rc.top, (area.top + area.bottom) / 2 - h / 2, 1);
}

// The addresses Navigate received.
std::vector<std::string> Navigations(HWND page)
{
    std::vector<std::string> urls;
    if (fakes::FakeWebBrowser* b = fakes::FakeWebBrowser::Below(page)) {
        for (const fakes::WebBrowserCall& c : b->Calls()) {
            if (c.dispid == 104 && !c.args.empty())
                urls.push_back(c.args[0]);
        }
    }
    return urls;
}

}  // namespace

TEST_F(LauncherFixture, MoveWebPlacesAndShowsThePage)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        EXPECT_EQ(Movie(L"MoveWeb", L"10,20,800,500"), S_OK);
        EXPECT_EQ(dlg.m_rcWeb.left, 575);
        EXPECT_EQ(dlg.m_rcWeb.top, 260);
        EXPECT_EQ(dlg.m_rcWeb.right, 1371);
        EXPECT_EQ(dlg.m_rcWeb.bottom, 756);
        RECT main = Rect(hWnd), web = Rect(Web());
        EXPECT_EQ(web.left, main.left + 575);
        EXPECT_EQ(web.top, main.top + 260);
        EXPECT_EQ(web.right - web.left, 796);
        EXPECT_EQ(web.bottom - web.top, 496);
        EXPECT_TRUE(::IsWindowVisible(Web()));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, MoveWebWithEmptyOrTooFewFields)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        RECT before = Rect(Web());
        for (const wchar_t* args : { L"", L"1,2,3", L"800,500" }) {
            EXPECT_EQ(Movie(L"moveweb", args), S_OK);
            EXPECT_FALSE(::IsWindowVisible(Web())) << "ignored";
        }
        HRESULT hr = E_FAIL;
        gui.Run([&] { hr = fakes::FireFSCommand(L"moveweb", nullptr); });
        EXPECT_EQ(hr, S_OK);
        EXPECT_FALSE(::IsWindowVisible(Web()));

        EXPECT_EQ(Movie(L"moveweb", L"0,0,4,4"), S_OK);  // empty rectangle: shown where it was
        RECT after = Rect(Web());
        EXPECT_TRUE(::IsWindowVisible(Web()));
        EXPECT_TRUE(::EqualRect(&before, &after));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, WebUrlNavigatesWithTimeAndCentresTheLauncher)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        EXPECT_EQ(Rect(hWnd).left, -10000) << "off-screen until the movie asks";
        const long long t0 = static_cast<long long>(std::time(nullptr));
        EXPECT_EQ(Movie(L"weburl", L"http://site.example/login.php"), S_OK);
        EXPECT_EQ(Movie(L"WEBURL", L"game.php?a=1"), S_OK);
        EXPECT_EQ(Movie(L"weburl", L""), S_OK);
        const long long t1 = static_cast<long long>(std::time(nullptr));
        std::vector<std::string> urls = Navigations(Web());
        ASSERT_EQ(urls.size(), 3u);
        const char* prefixes[] = { "BSTR:http://site.example/login.php?", "BSTR:game.php?a=1?", "BSTR:?" };
        for (size_t i = 0; i < 3; ++i) {
            ASSERT_EQ(urls[i].rfind(prefixes[i], 0), 0u) << urls[i];
            long long stamp = std::stoll(urls[i].substr(std::string(prefixes[i]).size()));
            EXPECT_GE(stamp, t0);
            EXPECT_LE(stamp, t1);
        }
        ExpectCentredInWorkArea(hWnd);
        EXPECT_FALSE(::IsWindowVisible(Web())) << "weburl does not show the page";

        // Dragged away by the user, then centred again by the next weburl; the page follows.
        gui.Run([&] {
            dlg.m_rcWeb = CRect(10, 10, 110, 110);
            ::SetWindowPos(hWnd, nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        });
        EXPECT_EQ(Movie(L"weburl", L"x"), S_OK);
        ExpectCentredInWorkArea(hWnd);
        EXPECT_EQ(Rect(Web()).left, Rect(hWnd).left + 10);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, UrlCommandsOpenTheDefaultBrowserOnlyWhileActive)
{
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        gui.Run([&] {
            ::SetWindowPos(hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
            ::SetForegroundWindow(hWnd);
            ::SetActiveWindow(hWnd);
        });
        ASSERT_EQ(::GetForegroundWindow(), hWnd);
        const wchar_t* commands[] = { L"homepageURL", L"coinurl", L"BBSURL", L"customerURL" };
        for (const wchar_t* command : commands)
            EXPECT_EQ(Movie(command, (std::wstring(L"http://site.example/") + command).c_str()), S_OK);
        ASSERT_TRUE(log.WaitForLines(4));
        std::vector<std::string> lines = log.Lines();
        ASSERT_EQ(lines.size(), 4u);
        // The four browsers start at once, so their lines may come in any order.
        for (const wchar_t* command : commands) {
            std::string url = "\"http://site.example/" + WideToUtf8(command) + "\"";
            int found = 0;
            for (const std::string& line : lines)
                found += line.find(url) != std::string::npos;
            EXPECT_EQ(found, 1) << url;
        }

        // Another window active: nothing is opened.
        HWND other = nullptr;
        gui.Run([&] {
            other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
            ::SetForegroundWindow(other);
            ::SetActiveWindow(other);
        });
        EXPECT_EQ(Movie(L"homepageURL", L"http://site.example/inactive"), S_OK);
        Pump(700);
        EXPECT_EQ(log.Lines().size(), 4u);
        gui.Run([&] { ::DestroyWindow(other); });
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, OpenWebOpensADocumentWithItsProgramAndMinMinimises)
{
    TempDir dir;
    std::wstring doc = dir.File(L"notes.tvkdoc");
    WriteBytes(doc, "a document");
    RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        EXPECT_EQ(Movie(L"openweb", doc.c_str()), S_OK);
        ASSERT_TRUE(log.WaitForLines(1));
        EXPECT_NE(log.Lines()[0].find("notes.tvkdoc"), std::string::npos) << log.Lines()[0];

        EXPECT_EQ(Movie(L"fullscreen", L"true"), S_OK);  // not a command: no effect
        EXPECT_FALSE(::IsIconic(hWnd));
        EXPECT_EQ(Movie(L"min", L""), S_OK);
        EXPECT_TRUE(::IsIconic(hWnd));
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
}

TEST_F(LauncherFixture, CloseAsksAndNoKeepsEverything)
{
    std::wstring fancy = PluginFolder();
    RemoveTree(fancy);
    INT_PTR result = RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        MovieAsync(L"close", L"");
        HWND box = WaitForMessageBox(::GetCurrentProcessId(), L"提示");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), L"确实要退出游戏？");
        EXPECT_EQ(::GetWindow(box, GW_OWNER), hWnd);
        EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
        EXPECT_TRUE(::GetDlgItem(box, IDYES));
        ClickDialogButton(box, IDNO);
        for (int i = 0; i < 200 && ::IsWindow(box); ++i)
            ::Sleep(10);
        Pump(300);
        EXPECT_TRUE(::IsWindow(hWnd));
        EXPECT_FALSE(FileExists(fancy)) << "no profile without a Yes";
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(LauncherFixture, CloseAnsweredYesWritesTheProfileAndQuits)
{
    std::wstring fancy = PluginFolder();
    RemoveTree(fancy);
    INT_PTR result = RunModalWithDriver(dlg, [&](HWND hWnd) {
        ASSERT_TRUE(hWnd);
        MovieAsync(L"CLOSE", L"");
        HWND box = WaitForMessageBox(::GetCurrentProcessId(), L"提示");
        ASSERT_TRUE(box);
        ClickDialogButton(box, IDYES);
    });
    EXPECT_EQ(result, -1) << "ended by the quit message";
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(FileExists(fancy + L"\\king\\config.ini"));
    RemoveTree(fancy);
}
