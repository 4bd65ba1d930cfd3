// Calls into the Flash control's typed interface through automation, by member name.
#include "flashhost/FlashControl.h"

const CLSID CLSID_ShockwaveFlash = { 0xd27cdb6e, 0xae6d, 0x11cf, { 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };
const IID DIID__IShockwaveFlashEvents = { 0xd27cdb6d, 0xae6d, 0x11cf, { 0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };

namespace {

// Resolves name and invokes it with args (given in call order) as a method or property put.
HRESULT InvokeByName(IDispatch* pDisp, const wchar_t* name, WORD flags, VARIANT* args, UINT count)
{
    if (!pDisp)
        return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = { const_cast<LPOLESTR>(name) };
    HRESULT hr = pDisp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    // Automation takes arguments last to first.
    VARIANT reversed[2];
    for (UINT i = 0; i < count; ++i)
        reversed[i] = args[count - 1 - i];
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = { count ? reversed : nullptr, nullptr, count, 0 };
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    ::VariantInit(&result);
    hr = pDisp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr, nullptr);
    ::VariantClear(&result);
    return hr;
}

HRESULT PutString(IShockwaveFlash* pFlash, const wchar_t* name, const wchar_t* value)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(value);
    HRESULT hr = InvokeByName(pFlash, name, DISPATCH_PROPERTYPUT, &v, 1);
    ::SysFreeString(v.bstrVal);
    return hr;
}

}  // namespace

HRESULT FlashPutWMode(IShockwaveFlash* pFlash, const wchar_t* mode)
{
    return PutString(pFlash, L"WMode", mode);
}

HRESULT FlashPutScale(IShockwaveFlash* pFlash, const wchar_t* scale)
{
    return PutString(pFlash, L"Scale", scale);
}

HRESULT FlashPutBackgroundColor(IShockwaveFlash* pFlash, long color)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = color;
    return InvokeByName(pFlash, L"BackgroundColor", DISPATCH_PROPERTYPUT, &v, 1);
}

HRESULT FlashPutEmbedMovie(IShockwaveFlash* pFlash, bool embed)
{
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = embed ? VARIANT_TRUE : VARIANT_FALSE;
    return InvokeByName(pFlash, L"EmbedMovie", DISPATCH_PROPERTYPUT, &v, 1);
}

HRESULT FlashLoadMovie(IShockwaveFlash* pFlash, int layer, const wchar_t* url)
{
    VARIANT args[2];
    args[0].vt = VT_I4;
    args[0].lVal = layer;
    args[1].vt = VT_BSTR;
    args[1].bstrVal = ::SysAllocString(url);
    HRESULT hr = InvokeByName(pFlash, L"LoadMovie", DISPATCH_METHOD, args, 2);
    ::SysFreeString(args[1].bstrVal);
    return hr;
}

HRESULT FlashPlay(IShockwaveFlash* pFlash)
{
    return InvokeByName(pFlash, L"Play", DISPATCH_METHOD, nullptr, 0);
}

HRESULT FlashStopPlay(IShockwaveFlash* pFlash)
{
    return InvokeByName(pFlash, L"StopPlay", DISPATCH_METHOD, nullptr, 0);
}
