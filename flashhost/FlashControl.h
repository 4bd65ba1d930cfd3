// The Shockwave Flash control as the launcher knows it: its class, its typed interface and its
// event interface, and the few members the launcher uses. The typed interface is driven through
// its automation side by member name, so the genuine control and any control offering the same
// names both work.
#pragma once

#include <windows.h>
#include <ole2.h>

// The control's class and its event dispinterface.
extern const CLSID CLSID_ShockwaveFlash;
extern const IID DIID__IShockwaveFlashEvents;

// The typed interface. Only its IDispatch side is used.
struct
#ifdef _MSC_VER
    __declspec(uuid("D27CDB6C-AE6D-11CF-96B8-444553540000"))
#endif
    IShockwaveFlash : public IDispatch {
};
#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IShockwaveFlash, 0xd27cdb6c, 0xae6d, 0x11cf, 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00)
#endif

// The event dispinterface; events arrive through IDispatch::Invoke.
struct
#ifdef _MSC_VER
    __declspec(uuid("D27CDB6D-AE6D-11CF-96B8-444553540000"))
#endif
    _IShockwaveFlashEvents : public IDispatch {
};
#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(_IShockwaveFlashEvents, 0xd27cdb6d, 0xae6d, 0x11cf, 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00)
#endif

// Event dispatch ids acted on.
constexpr DISPID DISPID_FLASH_FSCOMMAND = 150;
constexpr DISPID DISPID_FLASH_FLASHCALL = 197;

// Members of the typed interface, each resolved by name and then invoked. Every call answers
// the control's HRESULT (E_POINTER without a control).
HRESULT FlashPutWMode(IShockwaveFlash* pFlash, const wchar_t* mode);
HRESULT FlashPutScale(IShockwaveFlash* pFlash, const wchar_t* scale);
HRESULT FlashPutBackgroundColor(IShockwaveFlash* pFlash, long color);
HRESULT FlashPutEmbedMovie(IShockwaveFlash* pFlash, bool embed);
HRESULT FlashLoadMovie(IShockwaveFlash* pFlash, int layer, const wchar_t* url);
HRESULT FlashPlay(IShockwaveFlash* pFlash);
HRESULT FlashStopPlay(IShockwaveFlash* pFlash);
