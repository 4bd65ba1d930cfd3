// CWebBrowser2's automation calls. With no control bound they do nothing, and a failing call is
// ignored (GetDocument then answers null).
#include "web/WebBrowser2.h"

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID CLSID_WebBrowserControl = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };

namespace {

const DISPID kDispNavigate = 104;
const DISPID kDispNavigate2 = 500;
const DISPID kDispRefresh = -550;
const DISPID kDispDocument = 203;

}  // namespace

BOOL CWebBrowser2::Create(const char*, const char* lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, void*)
{
    return CreateControl(CLSID_WebBrowserControl, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWebBrowser2::Navigate(const char* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers)
{
    static const BYTE params[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    InvokeHelper(kDispNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, params, URL, Flags, TargetFrameName, PostData, Headers);
}

void CWebBrowser2::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers)
{
    static const BYTE params[] = VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    InvokeHelper(kDispNavigate2, DISPATCH_METHOD, VT_EMPTY, nullptr, params, URL, Flags, TargetFrameName, PostData, Headers);
}

void CWebBrowser2::Refresh()
{
    InvokeHelper(kDispRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

IDispatch* CWebBrowser2::GetDocument()
{
    IDispatch* pDocument = nullptr;
    InvokeHelper(kDispDocument, DISPATCH_PROPERTYGET, VT_DISPATCH, &pDocument, nullptr);
    return pDocument;
}
