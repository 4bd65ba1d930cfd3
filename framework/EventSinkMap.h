// Event-sink maps: a window's table of control events (control id + dispatch id → handler).
// Handlers receive the event's parameters decoded to their declared types (an unsupported
// parameter type does not compile); by-reference flags are written back to the control.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <tuple>
#include <utility>

#include "framework/CString.h"

class CCmdTarget;

struct AFX_EVENTSINKMAP_ENTRY {
    UINT nCtrlID;
    DISPID dispid;
    // Decodes the parameters and calls the handler: S_OK, or the reason it was not called.
    HRESULT (*pfnHandler)(CCmdTarget* pTarget, DISPPARAMS* pParams);
};

struct AFX_EVENTSINKMAP {
    const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
    const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

namespace afx_event {

// Positional parameter i of an event (automation passes them last first).
inline VARIANTARG* ParamAt(DISPPARAMS* pParams, UINT i)
{
    return &pParams->rgvarg[pParams->cArgs - 1 - i];
}

// The variant a by-reference variant points to, or the argument itself.
inline VARIANT* Deref(VARIANTARG* v)
{
    return (V_VT(v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(v)) ? V_VARIANTREF(v) : v;
}

// One decoded parameter: Load reads it, Get hands it to the handler, Store writes it back.
// Only the types below exist; any other handler parameter type is a compile error.
template <class T>
struct Param;

// Text, converted to the ANSI code page.
template <>
struct Param<const char*> {
    CString value;
    bool Load(VARIANTARG* arg)
    {
        VARIANT* v = Deref(arg);
        if (V_VT(v) == VT_BSTR) {
            value = CString(static_cast<const wchar_t*>(V_BSTR(v)));
            return true;
        }
        VARIANT text;
        ::VariantInit(&text);
        if (FAILED(::VariantChangeType(&text, v, 0, VT_BSTR)))
            return false;
        value = CString(static_cast<const wchar_t*>(V_BSTR(&text)));
        ::VariantClear(&text);
        return true;
    }
    const char* Get() const { return value; }
    void Store() {}
};

template <>
struct Param<long> {
    long value = 0;
    bool Load(VARIANTARG* arg)
    {
        VARIANT n;
        ::VariantInit(&n);
        if (FAILED(::VariantChangeType(&n, Deref(arg), 0, VT_I4)))
            return false;
        value = V_I4(&n);
        return true;
    }
    long Get() const { return value; }
    void Store() {}
};

// A flag the handler may change (NewWindow2's Cancel); written back after the call.
template <>
struct Param<BOOL*> {
    BOOL value = FALSE;
    VARIANT_BOOL* target = nullptr;
    bool Load(VARIANTARG* arg)
    {
        if (V_VT(arg) == (VT_BOOL | VT_BYREF))
            target = V_BOOLREF(arg);
        else if (V_VT(arg) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(arg) && V_VT(V_VARIANTREF(arg)) == VT_BOOL)
            target = &V_BOOL(V_VARIANTREF(arg));
        if (!target)
            return false;
        value = *target ? TRUE : FALSE;
        return true;
    }
    BOOL* Get() { return &value; }
    void Store() { *target = value ? VARIANT_TRUE : VARIANT_FALSE; }
};

// The control's own slot for a dispatch pointer (NewWindow2's ppDisp): the handler sees it directly.
template <>
struct Param<IDispatch**> {
    IDispatch** target = nullptr;
    bool Load(VARIANTARG* arg)
    {
        if (V_VT(arg) == (VT_DISPATCH | VT_BYREF))
            target = V_DISPATCHREF(arg);
        else if (V_VT(arg) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(arg) && V_VT(V_VARIANTREF(arg)) == VT_DISPATCH)
            target = &V_DISPATCH(V_VARIANTREF(arg));
        return target != nullptr;
    }
    IDispatch** Get() const { return target; }
    void Store() {}
};

template <>
struct Param<IDispatch*> {
    IDispatch* value = nullptr;
    bool Load(VARIANTARG* arg)
    {
        VARIANT* v = Deref(arg);
        switch (V_VT(v)) {
        case VT_DISPATCH: value = V_DISPATCH(v); return true;
        case VT_DISPATCH | VT_BYREF: value = V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr; return true;
        case VT_EMPTY:
        case VT_NULL: value = nullptr; return true;
        default: return false;
        }
    }
    IDispatch* Get() const { return value; }
    void Store() {}
};

// A variant (the URL of NavigateComplete2): the control's own when passed by reference.
template <>
struct Param<VARIANT*> {
    VARIANT* value = nullptr;
    bool Load(VARIANTARG* arg)
    {
        value = Deref(arg);
        return true;
    }
    VARIANT* Get() const { return value; }
    void Store() {}
};

template <class T, class B, class... A, size_t... I>
HRESULT Call(T* pThis, void (B::*pfn)(A...), DISPPARAMS* pParams, std::index_sequence<I...>)
{
    std::tuple<Param<A>...> params;
    bool loaded = (true && ... && std::get<I>(params).Load(ParamAt(pParams, static_cast<UINT>(I))));
    if (!loaded)
        return DISP_E_TYPEMISMATCH;
    (void)pParams;
    (pThis->*pfn)(std::get<I>(params).Get()...);
    (void)std::initializer_list<int>{ (std::get<I>(params).Store(), 0)... };
    return S_OK;
}

}  // namespace afx_event

// Decodes pParams for pfn and calls it on pThis; the count must match the handler's.
template <class T, class B, class... A>
HRESULT AfxCallEventHandler(T* pThis, void (B::*pfn)(A...), DISPPARAMS* pParams)
{
    if (!pParams || pParams->cArgs != sizeof...(A) || (sizeof...(A) > 0 && !pParams->rgvarg))
        return DISP_E_BADPARAMCOUNT;
    return afx_event::Call(pThis, pfn, pParams, std::index_sequence_for<A...>{});
}

#define DECLARE_EVENTSINK_MAP()                                        \
protected:                                                             \
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();              \
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                                          \
    const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
    const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap()                               \
    {                                                                                     \
        typedef baseClass TheBaseClass;                                                   \
        static const AFX_EVENTSINKMAP_ENTRY _eventEntries[] = {

// void memberFxn(params...) for event dispid of control id.
#define ON_EVENT(theClass, id, dispid, memberFxn)                                         \
            { static_cast<UINT>(id), static_cast<DISPID>(dispid),                         \
              [](CCmdTarget* pTarget, DISPPARAMS* pParams) -> HRESULT {                   \
                  return AfxCallEventHandler(static_cast<theClass*>(pTarget), memberFxn, pParams); } },

#define END_EVENTSINK_MAP()                                                               \
            { 0, 0, nullptr }                                                             \
        };                                                                                \
        static const AFX_EVENTSINKMAP eventMap = { &TheBaseClass::GetThisEventSinkMap, &_eventEntries[0] }; \
        return &eventMap;                                                                 \
    }
