// The DLL's entry points: DllMain, the class object, and whether the DLL may unload.
#include "PageViewModule.h"

#include "PageViewControl.h"
#include "PageWindow.h"
#include "standins/common/ControlClassFactory.h"

namespace pageview {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID CLSID_PageView = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };

namespace {

HINSTANCE g_module = nullptr;
volatile LONG g_locks = 0;

TControlClassFactory<PageViewControl> g_factory(&g_locks);

}  // namespace

HINSTANCE ModuleHandle() { return g_module; }
void LockModule() { ::InterlockedIncrement(&g_locks); }
void UnlockModule() { ::InterlockedDecrement(&g_locks); }
LONG ModuleLockCount() { return g_locks; }

}  // namespace pageview

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        pageview::g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        pageview::UnregisterPageWindowClasses();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (clsid != pageview::CLSID_PageView)
        return CLASS_E_CLASSNOTAVAILABLE;
    return pageview::g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return pageview::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}
