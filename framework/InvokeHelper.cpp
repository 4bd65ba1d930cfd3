// CWnd::InvokeHelper: an automation call on the control hosted by a window, by dispatch id,
// with arguments described one byte each (VTS_...). A failing call is ignored: the result is
// left empty (null, zero, empty text).
#include <cstdarg>
#include <cstring>
#include <vector>

#include "framework/OleControlContainer.h"
#include "framework/Wnd.h"

namespace {

void ClearResult(VARTYPE vtRet, void* pvRet)
{
    if (!pvRet)
        return;
    switch (vtRet) {
    case VT_DISPATCH: *static_cast<IDispatch**>(pvRet) = nullptr; break;
    case VT_BSTR: static_cast<CString*>(pvRet)->Empty(); break;
    case VT_I4: *static_cast<long*>(pvRet) = 0; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = FALSE; break;
    default: break;
    }
}

// Moves the call's result into the caller's variable; a dispatch pointer passes its reference on.
void StoreResult(VARIANT* result, VARTYPE vtRet, void* pvRet)
{
    if (!pvRet || FAILED(::VariantChangeType(result, result, 0, vtRet)))
        return;
    switch (vtRet) {
    case VT_DISPATCH:
        *static_cast<IDispatch**>(pvRet) = V_DISPATCH(result);
        V_VT(result) = VT_EMPTY;
        break;
    case VT_BSTR: *static_cast<CString*>(pvRet) = CString(static_cast<const wchar_t*>(V_BSTR(result))); break;
    case VT_I4: *static_cast<long*>(pvRet) = V_I4(result); break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = V_BOOL(result) ? TRUE : FALSE; break;
    default: break;
    }
}

}  // namespace

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    ClearResult(vtRet, pvRet);
    IUnknown* pControl = GetControlUnknown();
    IDispatch* pDisp = nullptr;
    if (!pControl || FAILED(pControl->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDisp))) || !pDisp)
        return;

    size_t count = pbParamInfo ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    // Automation wants the arguments last first.
    std::vector<VARIANT> args(count);
    for (VARIANT& v : args)
        ::VariantInit(&v);
    bool supported = true;
    va_list ap;
    va_start(ap, pbParamInfo);
    for (size_t i = 0; i < count && supported; ++i) {
        VARIANT& v = args[count - 1 - i];
        switch (pbParamInfo[i]) {
        case VT_I4:
            V_VT(&v) = VT_I4;
            V_I4(&v) = va_arg(ap, long);
            break;
        case VT_BOOL:
            V_VT(&v) = VT_BOOL;
            V_BOOL(&v) = va_arg(ap, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_BSTR:
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = ::SysAllocString(CString(va_arg(ap, const char*)).Wide().c_str());
            break;
        case VT_DISPATCH:
            V_VT(&v) = VT_DISPATCH;
            V_DISPATCH(&v) = va_arg(ap, IDispatch*);
            break;
        case VT_VARIANT | 0x40: {
            VARIANT* p = va_arg(ap, VARIANT*);
            if (p) {
                V_VT(&v) = VT_VARIANT | VT_BYREF;
                V_VARIANTREF(&v) = p;
            } else {
                V_VT(&v) = VT_ERROR;
                V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
            }
            break;
        }
        default:
            supported = false;
            break;
        }
    }
    va_end(ap);

    if (supported) {
        DISPPARAMS params = { count ? args.data() : nullptr, nullptr, static_cast<UINT>(count), 0 };
        DISPID putId = DISPID_PROPERTYPUT;
        if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        VARIANT result;
        ::VariantInit(&result);
        HRESULT hr = pDisp->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                   vtRet == VT_EMPTY ? nullptr : &result, nullptr, nullptr);
        if (SUCCEEDED(hr) && vtRet != VT_EMPTY)
            StoreResult(&result, vtRet, pvRet);
        ::VariantClear(&result);
    }
    // Only the texts were made here; pointers passed in stay the caller's.
    for (VARIANT& v : args) {
        if (V_VT(&v) == VT_BSTR)
            ::SysFreeString(V_BSTR(&v));
    }
    pDisp->Release();
}
