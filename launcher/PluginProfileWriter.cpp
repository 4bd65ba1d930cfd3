// The plug-in profile writer.
#include "launcher/PluginProfileWriter.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/LauncherSettings.h"
#include "framework/WinApp.h"
#include "launcher/PluginProfile.h"

namespace {

bool IsAnsiLeadByte(unsigned char b)
{
    return ::IsDBCSLeadByte(b) != FALSE;
}

// Makes the folder when it is missing; on failure tells the user which path could not be made.
bool EnsureFolder(const std::string& folder)
{
    if (::PathIsDirectoryA(folder.c_str()))
        return true;
    if (::CreateDirectoryA(folder.c_str(), nullptr))
        return true;
    std::wstring text = CString(folder).Wide() + L"创建失败！";
    AfxMessageBox(text.c_str(), MB_OK);
    return false;
}

}  // namespace

void WritePluginProfile()
{
    char desktop[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, FALSE))
        return;
    tavik::PluginProfilePaths paths = tavik::PluginProfilePathsFor(desktop, &IsAnsiLeadByte);
    if (!EnsureFolder(paths.fancyFolder) || !EnsureFolder(paths.kingFolder))
        return;
    for (const auto& kv : tavik::PluginProfileValues(CString(kDefaultLauncherTitle).Str()))
        ::WritePrivateProfileStringA("config", kv.first.c_str(), kv.second.c_str(), paths.profileFile.c_str());
}
