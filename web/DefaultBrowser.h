// Opening a URL in the user's default browser: the program registered for the HTTP open command,
// started with the URL as its one argument.
#pragma once

#include "framework/CString.h"

// Opens url only while the application's main window is the active window.
void OpenUrlInDefaultBrowser(CString url);
// Opens url whatever window is active. Failures are silent.
void LaunchDefaultBrowser(const char* url);
