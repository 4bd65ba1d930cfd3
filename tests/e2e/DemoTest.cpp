// The real TavikGame.exe with the demo bundle and both stand-in controls, used as a person would:
// with the mouse at screen positions, answering the close question.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "support/TestSupport.h"
#include "tools/moviemaker/Description.h"

using namespace testing_support;

namespace {

// Points a control class at one of our stand-in servers for the life of the object, and puts
// back whatever was registered before.
class ClassOverride {
public:
    ClassOverride(const wchar_t* clsid, const std::wstring& dll)
    {
        m_key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, m_key.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            m_hadValue = Read(key, nullptr, m_oldServer) && Read(key, L"ThreadingModel", m_oldThreading);
            ::RegCloseKey(key);
        }
        Write(dll, L"Apartment");
    }
    ~ClassOverride()
    {
        if (m_hadValue)
            Write(m_oldServer, m_oldThreading);
        else
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_key.substr(0, m_key.rfind(L'\\')).c_str());
    }

private:
    static bool Read(HKEY key, const wchar_t* name, std::wstring& out)
    {
        wchar_t buf[MAX_PATH * 2] = {};
        DWORD size = sizeof buf - sizeof(wchar_t);
        if (::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
            return false;
        out = buf;
        return true;
    }
    void Write(const std::wstring& server, const std::wstring& threading)
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                         static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
        ::RegSetValueExW(key, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(threading.c_str()),
                         static_cast<DWORD>((threading.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }

    std::wstring m_key, m_oldServer, m_oldThreading;
    bool m_hadValue = false;
};

void CopyTree(const std::wstring& from, const std::wstring& to)
{
    ::CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            ::CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
}

// The login movie for a bundle in folder, naming its site by a file: address.
bool MakeLoginMovie(const std::wstring& folder)
{
    std::string text = ReadBytes(BinDir() + L"demo\\login.movie.in");
    std::string site = "file:///" + WideToUtf8(folder) + "site/";
    for (char& c : site)
        c = c == '\\' ? '/' : c;
    size_t at = text.find("@SITE@");
    if (at == std::string::npos)
        return false;
    for (; at != std::string::npos; at = text.find("@SITE@", at + site.size()))
        text.replace(at, 6, site);
    std::vector<uint8_t> movie;
    std::string error;
    if (!moviemaker::BuildMovie(text, nullptr, movie, error))
        return false;
    return WriteBytes(folder + L"login.swf", std::string(movie.begin(), movie.end()));
}

// Moves the pointer as a mouse would, in a few steps, so every window on the way sees it move.
void MouseTo(int x, int y)
{
    POINT from;
    ::GetCursorPos(&from);
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    for (int step = 1; step <= 4; ++step) {
        int px = from.x + (x - from.x) * step / 4, py = from.y + (y - from.y) * step / 4;
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((px * 65535LL) / (w - 1));
        in.mi.dy = static_cast<LONG>((py * 65535LL) / (h - 1));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &in, sizeof in);
        Pump(40);
    }
    Pump(100);
}

void Button(DWORD flag)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    ::SendInput(1, &in, sizeof in);
    Pump(150);
}

void ClickAt(int x, int y)
{
    MouseTo(x, y);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
}

RECT Rect(HWND h)
{
    RECT rc = {};
    ::GetWindowRect(h, &rc);
    return rc;
}

// The launcher from the demo bundle, on screen with its page.
struct DemoLauncher : ::testing::Test {
    void SetUp() override
    {
        CopyTree(BinDir() + L"demo-site", dir.Path() + L"site");
        ::CopyFileW((BinDir() + L"demo\\config.ini").c_str(), dir.File(L"config.ini").c_str(), FALSE);
        ASSERT_TRUE(MakeLoginMovie(dir.Path()));
        launcher = std::make_unique<LauncherProcess>(dir.Path(), nullptr);
        ASSERT_TRUE(launcher->Start());
        main = launcher->WaitForMainWindow();
        ASSERT_TRUE(main);
        // The movie brings the launcher on screen and shows its page.
        ASSERT_TRUE(WaitFor([&] { return Rect(main).left > -5000 && PageWindow() && ::IsWindowVisible(PageWindow()); }));
        page = PageWindow();
        Pump(500);  // the page loads and paints
    }
    void TearDown() override { launcher.reset(); }

    HWND PageWindow() const
    {
        for (HWND h : TopLevelWindows(launcher->Pid())) {
            if (::GetWindow(h, GW_OWNER) == main)
                return h;
        }
        return nullptr;
    }
    static COLORREF ScreenPixel(int x, int y)
    {
        HDC dc = ::GetDC(nullptr);
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(nullptr, dc);
        return c;
    }

    RecorderLog log;
    ClassOverride flash{ L"{D27CDB6E-AE6D-11CF-96B8-444553540000}", BinDir() + L"MoviePlayer.dll" };
    ClassOverride browser{ L"{8856F961-340A-11D0-A96B-00C04FD705A2}", BinDir() + L"pageview.dll" };
    TempDir dir;
    std::unique_ptr<LauncherProcess> launcher;
    HWND main = nullptr;
    HWND page = nullptr;
};

}  // namespace

TEST_F(DemoLauncher, ComesOnScreenCentredWithItsPage)
{
    RECT rc = Rect(main), area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(rc.right - rc.left, 1000);
    EXPECT_EQ(rc.bottom - rc.top, 695);
    EXPECT_NEAR(rc.left, (area.left + area.right) / 2 - 500, 1);
    EXPECT_NEAR(rc.top, (area.top + area.bottom) / 2 - 695 / 2, 1);
    RECT web = Rect(page);
    EXPECT_EQ(web.left, rc.left + 260);
    EXPECT_EQ(web.top, rc.top + 150);
    EXPECT_EQ(web.right - web.left, 481);
    EXPECT_EQ(web.bottom - web.top, 386);
    // What the screen shows: the movie's home button, the transparent corner, the page.
    EXPECT_EQ(ScreenPixel(rc.left + 100, rc.top + 170), RGB(0x3A, 0x7B, 0xD5));
    EXPECT_EQ(ScreenPixel(rc.left + 1, rc.top + 1), RGB(0, 0, 0)) << "the corner outside the panel is see-through";
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(web.left + 400, web.top + 100) == RGB(0xFF, 0xF7, 0xE6); }, 5000))
        << "the page's background";
}

TEST_F(DemoLauncher, MovieButtonsOpenTheDefaultBrowser)
{
    RECT rc = Rect(main);
    ClickAt(rc.left + 130, rc.top + 174);  // home page
    ASSERT_TRUE(log.WaitForLines(1));
    EXPECT_NE(log.Lines()[0].find("http://www.example.com/"), std::string::npos) << log.Lines()[0];
    ClickAt(rc.left + 130, rc.top + 304);  // forum
    ASSERT_TRUE(log.WaitForLines(2));
    EXPECT_NE(log.Lines()[1].find("http://bbs.example.com/"), std::string::npos) << log.Lines()[1];
}

TEST_F(DemoLauncher, NewWindowLinkOfThePageOpensInTheDefaultBrowser)
{
    RECT web = Rect(page);
    // "新手指南", a target="_blank" link below the headline.
    MouseTo(web.left + 30, web.top + 208);
    ClickAt(web.left + 30, web.top + 208);
    ASSERT_TRUE(log.WaitForLines(1));
    std::string line = log.Lines()[0];
    EXPECT_NE(line.find("guide.html"), std::string::npos) << line;
    EXPECT_NE(line.find("recorder.exe"), std::string::npos) << line;
}

TEST_F(DemoLauncher, DraggingTheMovieMovesLauncherAndPage)
{
    RECT rc = Rect(main), web = Rect(page);
    MouseTo(rc.left + 600, rc.top + 580);  // plain panel, no button
    Button(MOUSEEVENTF_LEFTDOWN);
    MouseTo(rc.left + 630, rc.top + 600);
    MouseTo(rc.left + 650, rc.top + 620);
    Button(MOUSEEVENTF_LEFTUP);
    // The launcher handles the moves in its own time.
    WaitFor([&] { return Rect(main).left - rc.left == 50 && Rect(page).top - web.top == 40; }, 5000);
    RECT moved = Rect(main), webMoved = Rect(page);
    EXPECT_EQ(moved.left - rc.left, 50);
    EXPECT_EQ(moved.top - rc.top, 40);
    EXPECT_EQ(webMoved.left - web.left, 50);
    EXPECT_EQ(webMoved.top - web.top, 40);
}

TEST_F(DemoLauncher, MinimiseButtonMinimises)
{
    RECT rc = Rect(main);
    ClickAt(rc.left + 915, rc.top + 40);
    EXPECT_TRUE(WaitFor([&] { return ::IsIconic(main) != FALSE; }, 5000));
}

TEST_F(DemoLauncher, CloseButtonAsksThenYesWritesTheProfileAndEnds)
{
    std::wstring fancy = PluginFolder();
    RemoveTree(fancy);
    ASSERT_TRUE(::CreateDirectoryW(fancy.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((fancy + L"\\king").c_str(), nullptr));
    WriteBytes(fancy + L"\\king\\config.ini", "[plugin]\r\nkeep=yes\r\n[config]\r\nfancy3d=1\r\n");

    RECT rc = Rect(main);
    ClickAt(rc.left + 955, rc.top + 40);
    HWND box = WaitForMessageBox(launcher->Pid(), L"提示");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), L"确实要退出游戏？");
    RECT yes = Rect(::GetDlgItem(box, IDYES));
    ClickAt((yes.left + yes.right) / 2, (yes.top + yes.bottom) / 2);
    EXPECT_EQ(launcher->WaitForExit(), 0u);

    std::wstring profile = fancy + L"\\king\\config.ini";
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"config", L"fancy3d", L"", value, 64, profile.c_str());
    EXPECT_EQ(std::wstring(value), L"0");
    std::string all = ReadBytes(profile);
    for (const char* expected : { "keep=yes", "window_w=1000", "window_h=695", "gameurl=wd=1",
                                  "name=Pelk\xBC\xAB\xCB\xD9\xB5\xC7\xC2\xBD\xC6\xF7" })
        EXPECT_NE(all.find(expected), std::string::npos) << expected;
    RemoveTree(fancy);
}
