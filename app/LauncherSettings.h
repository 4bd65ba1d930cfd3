// The launcher's process-wide settings and module folder, and how start-up fills them.
#pragma once

#include "framework/CString.h"

// Written once during start-up, before the main window exists; read-only afterwards.
extern CString g_strModuleDir;
extern int g_nWindowWidth;
extern int g_nWindowHeight;
extern CString g_strGameUrl;
extern CString g_strTitle;
extern CString g_strFancy3d;

// The title used when config.ini names none; the plug-in profile writes it too.
extern const wchar_t kDefaultLauncherTitle[];

// The executable's folder with exactly one trailing backslash.
CString ComputeModuleDir();
// Reads the five settings of configPath's "config" section (defaults for anything missing).
void LoadLauncherSettings(const CString& configPath);
