// The framework in one include: windows, dialogs, the application object, data exchange,
// hosted ActiveX controls and their event-sink maps.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "framework/CString.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/EventSinkMap.h"
#include "framework/OleControlContainer.h"
#include "framework/Types.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
