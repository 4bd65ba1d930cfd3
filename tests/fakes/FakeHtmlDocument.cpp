// The fake HTML document and window, built on the C layout of the document interfaces: only the
// members the launcher uses do something, every other slot answers E_NOTIMPL.
#define CINTERFACE
#define COBJMACROS
#include "fakes/FakeHtmlDocument.h"

#include <mshtml.h>

#include <cstring>

namespace fakes {

namespace {

// {332C4425-26CB-11D0-B483-00C04FD90119}
const IID kIID_IHTMLDocument2 = { 0x332C4425, 0x26CB, 0x11D0, { 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19 } };
// {332C4427-26CB-11D0-B483-00C04FD90119}
const IID kIID_IHTMLWindow2 = { 0x332C4427, 0x26CB, 0x11D0, { 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19 } };

// Any slot nobody should call. One calling convention on x64, so extra arguments are harmless.
HRESULT STDMETHODCALLTYPE NotImplemented(void*)
{
    return E_NOTIMPL;
}

template <class Vtbl>
void FillNotImplemented(Vtbl* vtbl)
{
    using Slot = HRESULT(STDMETHODCALLTYPE*)(void*);
    Slot slots[sizeof(Vtbl) / sizeof(Slot)];
    for (Slot& s : slots)
        s = &NotImplemented;
    std::memcpy(vtbl, slots, sizeof(Vtbl));
}

struct Window {
    IHTMLWindow2 iface;
    LONG refs;
    OnErrorLog* log;
};

struct Document {
    IHTMLDocument2 iface;
    LONG refs;
    Window* window;
};

struct Plain {
    IDispatch iface;
    LONG refs;
};

// ---- window ----
HRESULT STDMETHODCALLTYPE WindowQueryInterface(IHTMLWindow2* This, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, kIID_IHTMLWindow2))
        return E_NOINTERFACE;
    *ppv = This;
    InterlockedIncrement(&reinterpret_cast<Window*>(This)->refs);
    return S_OK;
}
ULONG STDMETHODCALLTYPE WindowAddRef(IHTMLWindow2* This)
{
    return static_cast<ULONG>(InterlockedIncrement(&reinterpret_cast<Window*>(This)->refs));
}
ULONG STDMETHODCALLTYPE WindowRelease(IHTMLWindow2* This)
{
    auto* w = reinterpret_cast<Window*>(This);
    LONG n = InterlockedDecrement(&w->refs);
    if (n == 0)
        delete w;
    return static_cast<ULONG>(n);
}
HRESULT STDMETHODCALLTYPE WindowPutOnError(IHTMLWindow2* This, VARIANT v)
{
    OnErrorLog* log = reinterpret_cast<Window*>(This)->log;
    log->puts++;
    log->vt = V_VT(&v);
    log->handler = V_VT(&v) == VT_DISPATCH ? V_DISPATCH(&v) : nullptr;
    return S_OK;
}

const IHTMLWindow2Vtbl* WindowVtbl()
{
    static IHTMLWindow2Vtbl vtbl;
    static bool ready = false;
    if (!ready) {
        FillNotImplemented(&vtbl);
        vtbl.QueryInterface = &WindowQueryInterface;
        vtbl.AddRef = &WindowAddRef;
        vtbl.Release = &WindowRelease;
        vtbl.put_onerror = &WindowPutOnError;
        ready = true;
    }
    return &vtbl;
}

// ---- document ----
HRESULT STDMETHODCALLTYPE DocQueryInterface(IHTMLDocument2* This, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, kIID_IHTMLDocument2))
        return E_NOINTERFACE;
    *ppv = This;
    InterlockedIncrement(&reinterpret_cast<Document*>(This)->refs);
    return S_OK;
}
ULONG STDMETHODCALLTYPE DocAddRef(IHTMLDocument2* This)
{
    return static_cast<ULONG>(InterlockedIncrement(&reinterpret_cast<Document*>(This)->refs));
}
ULONG STDMETHODCALLTYPE DocRelease(IHTMLDocument2* This)
{
    auto* d = reinterpret_cast<Document*>(This);
    LONG n = InterlockedDecrement(&d->refs);
    if (n == 0) {
        WindowRelease(&d->window->iface);
        delete d;
    }
    return static_cast<ULONG>(n);
}
HRESULT STDMETHODCALLTYPE DocGetParentWindow(IHTMLDocument2* This, IHTMLWindow2** p)
{
    if (!p)
        return E_POINTER;
    Window* w = reinterpret_cast<Document*>(This)->window;
    WindowAddRef(&w->iface);
    *p = &w->iface;
    return S_OK;
}

const IHTMLDocument2Vtbl* DocumentVtbl()
{
    static IHTMLDocument2Vtbl vtbl;
    static bool ready = false;
    if (!ready) {
        FillNotImplemented(&vtbl);
        vtbl.QueryInterface = &DocQueryInterface;
        vtbl.AddRef = &DocAddRef;
        vtbl.Release = &DocRelease;
        vtbl.get_parentWindow = &DocGetParentWindow;
        ready = true;
    }
    return &vtbl;
}

// ---- plain dispatch ----
HRESULT STDMETHODCALLTYPE PlainQueryInterface(IDispatch* This, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch))
        return E_NOINTERFACE;
    *ppv = This;
    InterlockedIncrement(&reinterpret_cast<Plain*>(This)->refs);
    return S_OK;
}
ULONG STDMETHODCALLTYPE PlainAddRef(IDispatch* This)
{
    return static_cast<ULONG>(InterlockedIncrement(&reinterpret_cast<Plain*>(This)->refs));
}
ULONG STDMETHODCALLTYPE PlainRelease(IDispatch* This)
{
    auto* p = reinterpret_cast<Plain*>(This);
    LONG n = InterlockedDecrement(&p->refs);
    if (n == 0)
        delete p;
    return static_cast<ULONG>(n);
}

const IDispatchVtbl* PlainVtbl()
{
    static IDispatchVtbl vtbl;
    static bool ready = false;
    if (!ready) {
        FillNotImplemented(&vtbl);
        vtbl.QueryInterface = &PlainQueryInterface;
        vtbl.AddRef = &PlainAddRef;
        vtbl.Release = &PlainRelease;
        ready = true;
    }
    return &vtbl;
}

}  // namespace

IDispatch* CreateFakeHtmlDocument(OnErrorLog* pLog)
{
    auto* w = new Window{ {}, 1, pLog };
    w->iface.lpVtbl = const_cast<IHTMLWindow2Vtbl*>(WindowVtbl());
    auto* d = new Document{ {}, 1, w };
    d->iface.lpVtbl = const_cast<IHTMLDocument2Vtbl*>(DocumentVtbl());
    return reinterpret_cast<IDispatch*>(&d->iface);
}

IDispatch* CreatePlainDispatch()
{
    auto* p = new Plain{ {}, 1 };
    p->iface.lpVtbl = const_cast<IDispatchVtbl*>(PlainVtbl());
    return &p->iface;
}

}  // namespace fakes
