// Helpers shared by the Windows tests.
#include "support/TestSupport.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>

namespace testing_support {

std::wstring BinDir()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

void Pump(DWORD ms)
{
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (ready())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        Pump(20);
    }
}

TempDir::TempDir(const std::wstring& root)
{
    static std::atomic<int> counter{ 0 };
    std::wstring base = root;
    if (base.empty()) {
        wchar_t tmp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, tmp);
        base = tmp;
    }
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    for (;;) {
        m_path = base + L"tavik-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L"\\";
        if (::CreateDirectoryW(m_path.c_str(), nullptr))
            break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            m_path.clear();
            break;
        }
    }
}

TempDir::~TempDir()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

void RemoveTree(const std::wstring& path)
{
    std::wstring dir = path;
    if (!dir.empty() && dir.back() == L'\\')
        dir.pop_back();
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring full = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                for (int i = 0; i < 50 && !::DeleteFileW(full.c_str()); ++i)
                    ::Sleep(20);  // a program just ended may still hold it
            }
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(dir.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    ::CloseHandle(h);
    return out;
}

bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring PluginFolder()
{
    wchar_t desktop[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE);
    std::wstring d = desktop;
    return d.substr(0, d.rfind(L"Desktop")) + L"fancy";
}

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    struct Ctx { DWORD pid; std::vector<HWND> found; } ctx{ pid, {} };
    ::EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(h, &owner);
            if (owner == c->pid)
                c->found.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

HWND FindTopLevel(DWORD pid, const wchar_t* className, const wchar_t* caption)
{
    for (HWND h : TopLevelWindows(pid)) {
        wchar_t cls[64] = {};
        ::GetClassNameW(h, cls, 64);
        if (className && lstrcmpiW(cls, className) != 0)
            continue;
        if (caption && WindowTextW(h) != caption)
            continue;
        return h;
    }
    return nullptr;
}

std::wstring WindowTextW(HWND hWnd)
{
    wchar_t buf[1024] = {};
    ::GetWindowTextW(hWnd, buf, 1024);
    return buf;
}

std::string WindowTextA(HWND hWnd)
{
    char buf[2048] = {};
    // Through WM_GETTEXT so the text comes from the window's owner in this process's code page.
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

HWND WaitForMessageBox(DWORD pid, const wchar_t* caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND h : TopLevelWindows(pid)) {
            wchar_t cls[64] = {};
            ::GetClassNameW(h, cls, 64);
            // A message box has a static text (id 0xFFFF) and is visible.
            if (lstrcmpW(cls, L"#32770") == 0 && ::IsWindowVisible(h) && ::GetDlgItem(h, 0xFFFF) &&
                (!caption || WindowTextW(h) == caption)) {
                found = h;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

std::wstring MessageBoxText(HWND hBox)
{
    return WindowTextW(::GetDlgItem(hBox, 0xFFFF));
}

void ClickDialogButton(HWND hDlg, int id)
{
    HWND button = ::GetDlgItem(hDlg, id);
    if (button)
        ::PostMessageW(button, BM_CLICK, 0, 0);
    else
        ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

RecorderLog::RecorderLog()
{
    m_path = m_dir.File(L"recorder.log");
    ::SetEnvironmentVariableW(L"TAVIK_RECORDER_LOG", m_path.c_str());
}

RecorderLog::~RecorderLog()
{
    ::SetEnvironmentVariableW(L"TAVIK_RECORDER_LOG", nullptr);
}

std::vector<std::string> RecorderLog::Lines() const
{
    std::vector<std::string> lines;
    std::string all = ReadBytes(m_path);
    size_t start = 0;
    for (size_t nl; (nl = all.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(all.substr(start, nl - start));
    return lines;
}

bool RecorderLog::WaitForLines(size_t count, DWORD timeoutMs) const
{
    return WaitFor([&] { return Lines().size() >= count; }, timeoutMs);
}

LauncherProcess::LauncherProcess(const std::wstring& folder, const std::string* configIni) : m_folder(folder)
{
    if (!m_folder.empty() && m_folder.back() != L'\\')
        m_folder += L'\\';
    ::CopyFileW((BinDir() + L"TavikGame.exe").c_str(), (m_folder + L"TavikGame.exe").c_str(), FALSE);
    if (configIni)
        WriteBytes(m_folder + L"config.ini", *configIni);
}

LauncherProcess::~LauncherProcess()
{
    if (m_pi.hProcess) {
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_pi.hProcess, 99);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

bool LauncherProcess::Start()
{
    std::wstring exe = m_folder + L"TavikGame.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = { sizeof si };
    return ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si, &m_pi) != FALSE;
}

HWND LauncherProcess::WaitForMainWindow(DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND h : TopLevelWindows(Pid())) {
            wchar_t cls[64] = {};
            ::GetClassNameW(h, cls, 64);
            // The main window is the unowned dialog; its title is set at the end of its start-up.
            if (lstrcmpW(cls, L"#32770") == 0 && !::GetWindow(h, GW_OWNER) && WindowTextW(h) != L"TavikGame") {
                found = h;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

DWORD LauncherProcess::WaitForExit(DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

std::wstring Utf8ToWide(const std::string& s)
{
    if (s.empty())
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string WideToUtf8(const std::wstring& s)
{
    if (s.empty())
        return std::string();
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace testing_support
