// The default-browser launcher against the registry of the test prefix and the recorder: which
// registered commands and URLs start the browser, with exactly which argument, and the
// active-window condition of OpenUrlInDefaultBrowser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Afx.h"
#include "resource.h"
#include "support/TestSupport.h"
#include "web/DefaultBrowser.h"
#include "win/RecorderArgs.h"

using namespace testing_support;

namespace {

const char kCommandKey[] = "Http\\shell\\open\\command";
const std::string kStandardCommand = "\"C:\\tavik\\recorder.exe\" \"%1\"";

// Changes the HTTP open command for one test and puts the original back afterwards.
class HttpCommandOverride {
public:
    HttpCommandOverride()
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            char data[1024] = {};
            DWORD cb = sizeof data - 1;
            if (::RegQueryValueExA(hKey, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &cb) == ERROR_SUCCESS) {
                m_original = data;
                m_hadValue = true;
            }
            ::RegCloseKey(hKey);
        }
    }
    ~HttpCommandOverride()
    {
        if (m_hadValue)
            Set(m_original);
    }
    static void Set(const std::string& command)
    {
        HKEY hKey = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>(command.size() + 1));
            ::RegCloseKey(hKey);
        }
    }
    static void RemoveValue()
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_WRITE, &hKey) == ERROR_SUCCESS) {
            ::RegDeleteValueA(hKey, nullptr);
            ::RegCloseKey(hKey);
        }
    }
    static void RemoveKey() { ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommandKey); }
    bool HadValue() const { return m_hadValue; }

private:
    std::string m_original;
    bool m_hadValue = false;
};

// Launches a known URL with the standard command and waits for it, so that anything an earlier
// call started has been recorded before it.
void LaunchSentinel(const RecorderLog& log, size_t linesBefore)
{
    HttpCommandOverride::Set(kStandardCommand);
    LaunchDefaultBrowser("sentinel");
    ASSERT_TRUE(log.WaitForLines(linesBefore + 1));
}

}  // namespace

TEST(DefaultBrowser, RegisteredCommandsDecideTheProgram)
{
    HttpCommandOverride guard;
    ASSERT_TRUE(guard.HadValue()) << "the test prefix registers the recorder";
    RecorderLog log;

    struct Case {
        const char* name;
        std::string command;  // empty with removeValue/removeKey
        bool removeValue;
        bool removeKey;
        bool launches;
    };
    std::string padded = "\"C:\\tavik\\recorder.exe\" ";
    std::string exactly255 = padded + std::string(255 - padded.size(), 'x');
    std::string over255 = padded + std::string(300, 'x');
    const Case cases[] = {
        { "quoted with switches and placeholder", "\"C:\\tavik\\recorder.exe\" --switch -x \"%1\"", false, false, true },
        { "unquoted with switches", "C:\\tavik\\recorder.exe --flag %1", false, false, true },
        { "unquoted, upper case", "C:\\TAVIK\\RECORDER.EXE", false, false, true },
        { "255 characters", exactly255, false, false, true },
        { "over 255 characters", over255, false, false, false },
        { "empty command", "", false, false, false },
        { "missing value", "", true, false, false },
        { "missing key", "", false, true, false },
    };
    size_t lines = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpCommandOverride::Set(c.command);
        if (c.removeValue)
            HttpCommandOverride::RemoveValue();
        if (c.removeKey)
            HttpCommandOverride::RemoveKey();
        LaunchDefaultBrowser("http://example.com/page");
        if (c.launches) {
            ASSERT_TRUE(log.WaitForLines(lines + 1));
            auto args = RecordedArgs(log.Lines()[lines]);
            ASSERT_EQ(args.size(), 2u) << log.Lines()[lines];
            EXPECT_TRUE(IsRecorder(args[0])) << log.Lines()[lines];
            EXPECT_EQ(args[1], L"http://example.com/page");
            ++lines;
        } else {
            LaunchSentinel(log, lines);
            auto all = log.Lines();
            ASSERT_EQ(all.size(), lines + 1) << "nothing but the sentinel was started";
            EXPECT_EQ(RecordedArgs(all[lines]).back(), L"sentinel");
            ++lines;
        }
    }
}

TEST(DefaultBrowser, UrlReachesTheBrowserAsOneArgument)
{
    HttpCommandOverride guard;
    ASSERT_TRUE(guard.HadValue());
    HttpCommandOverride::Set(kStandardCommand);
    RecorderLog log;

    const std::string launched[] = {
        "http://example.com/a b  c",
        "http://a/?q=\"x y\"&z=\"",
        "http://a/?x=1&y=2^3|4",
        "C:\\path with space\\",
        "http://a/\\\"b\\",
    };
    size_t lines = 0;
    for (const std::string& url : launched) {
        SCOPED_TRACE(url);
        LaunchDefaultBrowser(url.c_str());
        ASSERT_TRUE(log.WaitForLines(lines + 1));
        auto args = RecordedArgs(log.Lines()[lines]);
        ASSERT_EQ(args.size(), 2u) << log.Lines()[lines];
        EXPECT_TRUE(IsRecorder(args[0]));
        EXPECT_EQ(WideToUtf8(args[1]), url);
        ++lines;
    }

    // An empty URL starts the browser with no parameters.
    LaunchDefaultBrowser("");
    ASSERT_TRUE(log.WaitForLines(lines + 1));
    auto args = RecordedArgs(log.Lines()[lines]);
    ASSERT_EQ(args.size(), 1u) << log.Lines()[lines];
    EXPECT_TRUE(IsRecorder(args[0]));
    ++lines;

    // Switch-like texts and a null pointer start nothing.
    for (const char* url : { "-new-window http://evil/", " /c calc", "--remote-debugging-port=9" }) {
        SCOPED_TRACE(url);
        LaunchDefaultBrowser(url);
    }
    LaunchDefaultBrowser(nullptr);
    ASSERT_TRUE(log.WaitForLines(lines + 1));
    LaunchSentinel(log, lines + 1);
    auto all = log.Lines();
    ASSERT_EQ(all.size(), lines + 2) << "only the null pointer (as an empty URL) and the sentinel started";
    EXPECT_EQ(RecordedArgs(all[lines]).size(), 1u);
    EXPECT_EQ(RecordedArgs(all[lines + 1]).back(), L"sentinel");
}

TEST(DefaultBrowser, OpenUrlActsOnlyWhileTheMainWindowIsActive)
{
    HttpCommandOverride guard;
    ASSERT_TRUE(guard.HadValue());
    HttpCommandOverride::Set(kStandardCommand);
    RecorderLog log;

    CDialog mainDlg(IDD_ABOUTBOX), otherDlg(IDD_ABOUTBOX);
    ASSERT_TRUE(mainDlg.Create(IDD_ABOUTBOX, nullptr));
    ASSERT_TRUE(otherDlg.Create(IDD_ABOUTBOX, nullptr));
    mainDlg.ShowWindow(SW_SHOW);
    otherDlg.ShowWindow(SW_SHOW);
    AfxGetApp()->m_pMainWnd = &mainDlg;

    ::SetForegroundWindow(mainDlg.m_hWnd);
    ::SetActiveWindow(mainDlg.m_hWnd);
    Pump(50);
    ASSERT_EQ(::GetActiveWindow(), mainDlg.m_hWnd);
    OpenUrlInDefaultBrowser("http://main-active/");
    ASSERT_TRUE(log.WaitForLines(1));

    ::SetForegroundWindow(otherDlg.m_hWnd);
    ::SetActiveWindow(otherDlg.m_hWnd);
    Pump(50);
    ASSERT_EQ(::GetActiveWindow(), otherDlg.m_hWnd);
    OpenUrlInDefaultBrowser("http://other-active/");
    LaunchDefaultBrowser("http://launch-anyway/");
    ASSERT_TRUE(log.WaitForLines(2));

    // Without a main window nothing is the main window.
    AfxGetApp()->m_pMainWnd = nullptr;
    OpenUrlInDefaultBrowser("http://no-main/");
    LaunchSentinel(log, 2);

    auto all = log.Lines();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(RecordedArgs(all[0]).back(), L"http://main-active/");
    EXPECT_EQ(RecordedArgs(all[1]).back(), L"http://launch-anyway/");
    EXPECT_EQ(RecordedArgs(all[2]).back(), L"sentinel");
    mainDlg.DestroyWindow();
    otherDlg.DestroyWindow();
}
