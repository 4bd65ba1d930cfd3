// The real TavikGame.exe started in a folder of its own: settings, title, the plug-in installer,
// drive roots, and the ways the main window ends the process.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

using namespace testing_support;

namespace {

const char kDefaultTitleGbk[] = "Pelk\xBC\xAB\xCB\xD9\xB5\xC7\xC2\xBD\xC6\xF7";  // Pelk极速登陆器

bool InstallerOpened(const RecorderLog& log)
{
    for (const std::string& line : log.Lines()) {
        if (line.find("/download/fancysetup.exe") != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace

TEST(Startup, WithoutConfigUsesDefaultsAndOpensInstaller)
{
    ASSERT_EQ(::GetACP(), 936u) << "the tests run under the Chinese ANSI code page";
    RecorderLog log;
    TempDir dir;
    LauncherProcess launcher(dir.Path(), nullptr);
    ASSERT_TRUE(launcher.Start());
    HWND main = launcher.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowTextA(main), kDefaultTitleGbk);
    EXPECT_EQ(WindowTextW(main), L"Pelk极速登陆器");

    ASSERT_TRUE(log.WaitForLines(1));
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u);
    // The registered HTTP open command got the installer's address as its argument.
    EXPECT_NE(lines[0].find("recorder.exe"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("http://plugin.example.com/download/fancysetup.exe"), std::string::npos) << lines[0];
}

TEST(Startup, InstallerOnlyForExactOne)
{
    struct Case { const char* value; bool opens; };
    const Case cases[] = { { "0", false }, { "true", false }, { "01", false }, { "", false }, { "1", true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        RecorderLog log;
        TempDir dir;
        std::string ini = std::string("[config]\r\nfancy3d=") + c.value + "\r\nname=Fancy\r\n";
        LauncherProcess launcher(dir.Path(), &ini);
        ASSERT_TRUE(launcher.Start());
        ASSERT_TRUE(launcher.WaitForMainWindow());
        // The installer is opened before the main window exists; give a started program time to write.
        if (c.opens)
            EXPECT_TRUE(log.WaitForLines(1));
        else
            Pump(700);
        EXPECT_EQ(InstallerOpened(log), c.opens);
    }
}

TEST(Startup, GbkNameArrivesUnchangedInTitle)
{
    RecorderLog log;
    TempDir dir;
    const std::string name = "\xB2\xE2\xCA\xD4\xB4\xB0\xBF\xDA Tavik";  // 测试窗口 Tavik
    std::string ini = "[config]\r\nname=" + name + "\r\nfancy3d=0\r\n";
    LauncherProcess launcher(dir.Path(), &ini);
    ASSERT_TRUE(launcher.Start());
    HWND main = launcher.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowTextA(main), name);
    EXPECT_EQ(WindowTextW(main), L"测试窗口 Tavik");
}

TEST(Startup, RunsFromDriveRoot)
{
    // Drive T: of the test prefix is a folder of its own.
    RecorderLog log;
    std::string ini = "[config]\r\nname=RootRun\r\nfancy3d=1\r\n";
    LauncherProcess launcher(L"T:\\", &ini);
    ASSERT_TRUE(launcher.Start());
    HWND main = launcher.WaitForMainWindow();
    ASSERT_TRUE(main);
    // config.ini was found beside the program at the root: its name and fancy3d were read.
    EXPECT_EQ(WindowTextA(main), "RootRun");
    EXPECT_TRUE(log.WaitForLines(1));
    EXPECT_TRUE(InstallerOpened(log));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    ::DeleteFileW(L"T:\\config.ini");
    ::DeleteFileW(L"T:\\TavikGame.exe");
}

TEST(Startup, OverlongAndOddValuesStartNormally)
{
    RecorderLog log;
    TempDir dir;
    std::string ini = "[config]\r\nname=" + std::string(3000, 'N') + "\r\nwindow_w=-5\r\nwindow_h=abc\r\nfancy3d=" +
                      std::string(2000, '1') + "\r\n";
    LauncherProcess launcher(dir.Path(), &ini);
    ASSERT_TRUE(launcher.Start());
    HWND main = launcher.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowTextA(main), std::string(1023, 'N'));  // cut to the 1024-byte buffer
    Pump(700);
    EXPECT_FALSE(InstallerOpened(log));
}

TEST(Shutdown, CancelAndCloseEndTheProcess)
{
    const struct { const char* how; UINT msg; WPARAM wParam; } cases[] = {
        { "IDCANCEL", WM_COMMAND, IDCANCEL },
        { "WM_CLOSE", WM_CLOSE, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        RecorderLog log;
        TempDir dir;
        std::string ini = "[config]\r\nfancy3d=0\r\nname=Closing\r\n";
        LauncherProcess launcher(dir.Path(), &ini);
        ASSERT_TRUE(launcher.Start());
        HWND main = launcher.WaitForMainWindow();
        ASSERT_TRUE(main);
        ::PostMessageW(main, c.msg, c.wParam, 0);
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }
}

TEST(Shutdown, EnterDoesNotEndTheLauncher)
{
    RecorderLog log;
    TempDir dir;
    std::string ini = "[config]\r\nfancy3d=0\r\nname=StaysOpen\r\n";
    LauncherProcess launcher(dir.Path(), &ini);
    ASSERT_TRUE(launcher.Start());
    HWND main = launcher.WaitForMainWindow();
    ASSERT_TRUE(main);
    ::PostMessageW(main, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(launcher.WaitForExit(1500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(::IsWindow(main));
}
