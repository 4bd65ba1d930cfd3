// Identities the stand-in control answers to: the Flash control's class, its typed interface
// and its event interface, and the event dispatch ids.
#pragma once

#include <windows.h>

namespace movieplayer {

extern const CLSID kClsidFlash;
extern const IID kIidTypedInterface;
extern const IID kDiidEvents;

constexpr DISPID kEventFsCommand = 150;
constexpr DISPID kEventFlashCall = 197;

// Counts of live objects and server locks, for DllCanUnloadNow.
extern volatile LONG g_objects;
extern volatile LONG g_locks;
extern HINSTANCE g_module;

}  // namespace movieplayer
