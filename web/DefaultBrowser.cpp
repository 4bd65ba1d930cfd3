// The default-browser launcher: reads the HTTP open command from the registry and starts its
// program itself. The URL may come from a web page, so it is passed as exactly one quoted
// argument and never when it looks like a switch.
#include "web/DefaultBrowser.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "framework/WinApp.h"
#include "web/BrowserCommandLine.h"

namespace {

// The registered command text; false when the key or a NUL-terminated value of at most 255
// characters is missing.
bool ReadHttpOpenCommand(std::string* command)
{
    HKEY hRoot = nullptr;
    if (::RegOpenKeyA(HKEY_CLASSES_ROOT, nullptr, &hRoot) != ERROR_SUCCESS)
        return false;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, "Http\\shell\\open\\command", 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        ::RegCloseKey(hRoot);
        return false;
    }
    char name[256] = {};
    BYTE data[256] = {};
    DWORD cchName = sizeof name;
    DWORD cbData = sizeof data;
    LONG rc = ::RegEnumValueA(hKey, 0, name, &cchName, nullptr, nullptr, data, &cbData);
    bool ok = rc == ERROR_SUCCESS && cbData <= sizeof data && std::memchr(data, 0, cbData) != nullptr;
    if (ok)
        command->assign(reinterpret_cast<const char*>(data));
    ::RegCloseKey(hKey);
    ::RegCloseKey(hRoot);
    return ok;
}

}  // namespace

void OpenUrlInDefaultBrowser(CString url)
{
    HWND hActive = ::GetActiveWindow();
    CWnd* pMain = AfxGetMainWnd();
    HWND hMain = pMain ? pMain->m_hWnd : nullptr;
    if (!hActive || hActive != hMain)
        return;
    LaunchDefaultBrowser(url);
}

void LaunchDefaultBrowser(const char* url)
{
    std::string command;
    if (!ReadHttpOpenCommand(&command))
        return;
    BrowserStart start;
    if (!BuildBrowserStart(command, url ? url : "", &start))
        return;
    ::ShellExecuteA(nullptr, "open", start.program.c_str(), start.parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
