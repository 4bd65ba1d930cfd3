// The in-process server of the stand-in movie control: its class factory, unloading, and its
// registration under the Flash control's class.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "standins/common/ControlClassFactory.h"
#include "standins/movieplayer/MoviePlayerControl.h"
#include "standins/movieplayer/MoviePlayerIds.h"

namespace movieplayer {

const CLSID kClsidFlash = { 0xd27cdb6e, 0xae6d, 0x11cf, { 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };
const IID kIidTypedInterface = { 0xd27cdb6c, 0xae6d, 0x11cf, { 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };
const IID kDiidEvents = { 0xd27cdb6d, 0xae6d, 0x11cf, { 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };

volatile LONG g_objects = 0;
volatile LONG g_locks = 0;
HINSTANCE g_module = nullptr;

namespace {

const wchar_t kClsidKey[] = L"CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";

TControlClassFactory<MoviePlayerControl> g_factory(&g_locks);

LONG SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH * 4] = {};
    DWORD n = ::GetModuleFileNameW(g_module, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
    return n > 0 && n < sizeof path / sizeof path[0] ? std::wstring(path, n) : std::wstring();
}

// True when the class's in-process server is this very file.
bool RegisteredToUs()
{
    wchar_t value[MAX_PATH * 4] = {};
    LONG size = sizeof value;
    std::wstring key = std::wstring(kClsidKey) + L"\\InprocServer32";
    if (::RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS)
        return false;
    return ::lstrcmpiW(value, ModulePath().c_str()) == 0;
}

}  // namespace
}  // namespace movieplayer

using namespace movieplayer;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, kClsidFlash))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    std::wstring path = ModulePath();
    if (path.empty())
        return SELFREG_E_CLASS;
    HKEY cls = nullptr, server = nullptr;
    LONG rc = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, kClsidKey, 0, nullptr, 0, KEY_WRITE, nullptr, &cls, nullptr);
    if (rc == ERROR_SUCCESS) {
        SetString(cls, nullptr, L"Movie player (stand-in)");
        rc = ::RegCreateKeyExW(cls, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &server, nullptr);
    }
    if (rc == ERROR_SUCCESS) {
        rc = SetString(server, nullptr, path);
        if (rc == ERROR_SUCCESS)
            rc = SetString(server, L"ThreadingModel", L"Apartment");
    }
    if (server)
        ::RegCloseKey(server);
    if (cls)
        ::RegCloseKey(cls);
    return rc == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    // Another server registered under the class (the genuine control) is left alone.
    if (!RegisteredToUs())
        return S_FALSE;
    LONG rc = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kClsidKey);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
