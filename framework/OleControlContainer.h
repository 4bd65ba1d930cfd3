// The container for ActiveX controls in dialog templates. A control whose class name is a class
// identifier in braces gets a window class of ours under that name; each such window creates its
// control, activates it in place as a child window, keeps it sized to itself, connects its
// events to the parent window's event-sink map and gives it keyboard accelerators.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>

// Argument descriptions for CWnd::InvokeHelper, one byte per argument.
#define VTS_NONE ""
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"  // an 8-bit string, passed on as a BSTR
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_PVARIANT "\x4C"  // a VARIANT*; a null pointer is passed as a missing argument

// True once AfxEnableControlContainer ran.
bool AfxControlContainerEnabled();

// Registers the host window class for every control of a dialog template (DIALOGEX or plain)
// whose class name is a class identifier in braces. A malformed template registers nothing more.
void AfxRegisterTemplateControls(const void* pTemplate, size_t cbTemplate);

// Registers the host window class for one class identifier; the class name is its braced text.
bool AfxRegisterControlClass(const wchar_t* pszClassName);

// Offers a keyboard message aimed at a hosted control below hWndTop to that control's
// accelerators; TRUE when the control took it.
BOOL AfxTranslateControlAccelerator(HWND hWndTop, MSG* pMsg);

// The control hosted by a host window (no reference added), or null.
IUnknown* AfxGetHostedControl(HWND hWndHost);
