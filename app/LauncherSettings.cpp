// The launcher's process-wide settings, read from config.ini through the profile functions.
#include "app/LauncherSettings.h"

#include <windows.h>

#include "app/ModuleDir.h"
#include "app/Settings.h"

CString g_strModuleDir;
int g_nWindowWidth = 0;
int g_nWindowHeight = 0;
CString g_strGameUrl;
CString g_strTitle;
CString g_strFancy3d;

const wchar_t kDefaultLauncherTitle[] = L"Pelk极速登陆器";

namespace {

bool IsAnsiLeadByte(unsigned char b)
{
    return ::IsDBCSLeadByte(b) != FALSE;
}
}  // namespace

CString ComputeModuleDir()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(tavik::ModuleDirFromPath(path, &IsAnsiLeadByte));
}

void LoadLauncherSettings(const CString& configPath)
{
    auto read = [&configPath](const char* key, const char* defaultValue) {
        char value[tavik::kSettingBufferSize] = {};
        ::GetPrivateProfileStringA(tavik::kConfigSection, key, defaultValue, value, sizeof value, configPath);
        return std::string(value);
    };
    // The default title becomes an 8-bit setting here, in the ANSI code page.
    tavik::LauncherSettings s = tavik::ReadLauncherSettings(read, CString(kDefaultLauncherTitle).Str());
    g_nWindowWidth = s.windowWidth;
    g_nWindowHeight = s.windowHeight;
    g_strGameUrl = s.gameUrl;
    g_strTitle = s.title;
    g_strFancy3d = s.fancy3d;
}
