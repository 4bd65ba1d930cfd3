// Helpers shared by the Windows tests: folders, waiting while pumping messages, finding the
// windows of a process, the recorder's log, and starting the real launcher as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Folder of the running test program (the build's bin folder), with a trailing backslash.
std::wstring BinDir();

// Waits up to timeoutMs for ready() while handling this thread's messages.
bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs = 10000);
// Handles this thread's messages for about ms milliseconds.
void Pump(DWORD ms);

// A fresh folder under the temporary folder (or under root), removed with its content.
class TempDir {
public:
    explicit TempDir(const std::wstring& root = L"");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& Path() const { return m_path; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// Deletes a folder and everything in it.
void RemoveTree(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The 3D plug-in's folder "fancy" beside the Wine user's desktop folder.
std::wstring PluginFolder();

// Visible or hidden top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD pid);
// The first top-level window of pid with the given class (and caption, when not null).
HWND FindTopLevel(DWORD pid, const wchar_t* className, const wchar_t* caption = nullptr);
std::wstring WindowTextW(HWND hWnd);
std::string WindowTextA(HWND hWnd);

// A message box (class #32770 with the given caption, or any caption when null) owned by pid.
HWND WaitForMessageBox(DWORD pid, const wchar_t* caption, DWORD timeoutMs = 10000);
// The static text of a message box.
std::wstring MessageBoxText(HWND hBox);
// Presses a button of a dialog as a click would (BM_CLICK on the button with that id).
void ClickDialogButton(HWND hDlg, int id);

// The recorder's log: every start of a program that stands in for browsers and documents.
class RecorderLog {
public:
    RecorderLog();  // a fresh log file, named in this process's TAVIK_RECORDER_LOG
    ~RecorderLog();
    const std::wstring& Path() const { return m_path; }
    // The command lines recorded so far (UTF-8 as the recorder wrote them).
    std::vector<std::string> Lines() const;
    // Waits until at least count lines are there.
    bool WaitForLines(size_t count, DWORD timeoutMs = 10000) const;

private:
    std::wstring m_path;
    TempDir m_dir;
};

// The real TavikGame.exe copied into a folder of its own and started there.
class LauncherProcess {
public:
    // Copies the program into folder (which must exist) and writes config.ini when configIni is
    // given (bytes as they are, so GBK text can be tested).
    LauncherProcess(const std::wstring& folder, const std::string* configIni);
    ~LauncherProcess();  // ends the process if it still runs
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    bool Start();
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }
    // The main launcher window (the process's top-level dialog), once it exists.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 15000);
    const std::wstring& Folder() const { return m_folder; }

private:
    std::wstring m_folder;
    PROCESS_INFORMATION m_pi = {};
};

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

}  // namespace testing_support
