// The page view DLL as a whole: its module handle, the count of live objects and locks that
// keeps it loaded, and the class identifier it serves.
#pragma once

#include <windows.h>

namespace pageview {

// The WebBrowser class the view stands in for.
extern const CLSID CLSID_PageView;

HINSTANCE ModuleHandle();

// Every live COM object, server lock and loader thread holds the module.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

}  // namespace pageview
