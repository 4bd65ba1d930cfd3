// ErrorHandler's answers and its installation through the document's parent window.
#include "web/ErrorHandler.h"

#include <mshtml.h>

#include "web/WebBrowser2.h"

namespace {

// {332C4425-26CB-11D0-B483-00C04FD90119}
const IID kIID_IHTMLDocument2 = { 0x332C4425, 0x26CB, 0x11D0, { 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19 } };

}  // namespace

ErrorHandler* ErrorHandler::Instance()
{
    static ErrorHandler instance;
    return &instance;
}

STDMETHODIMP ErrorHandler::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch)
        return E_NOINTERFACE;
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ErrorHandler::AddRef()
{
    return 1;
}

STDMETHODIMP_(ULONG) ErrorHandler::Release()
{
    return 0;
}

STDMETHODIMP ErrorHandler::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP ErrorHandler::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

STDMETHODIMP ErrorHandler::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP ErrorHandler::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*, UINT*)
{
    if (pVarResult) {
        V_VT(pVarResult) = VT_BOOL;
        V_BOOL(pVarResult) = VARIANT_TRUE;
    }
    return S_OK;
}

void InstallScriptErrorHandler(CWebBrowser2& browser)
{
    IDispatch* pDispatch = browser.GetDocument();
    if (!pDispatch)
        return;
    IHTMLDocument2* pDocument = nullptr;
    HRESULT hr = pDispatch->QueryInterface(kIID_IHTMLDocument2, reinterpret_cast<void**>(&pDocument));
    pDispatch->Release();
    if (FAILED(hr) || !pDocument)
        return;
    IHTMLWindow2* pWindow = nullptr;
    hr = pDocument->get_parentWindow(&pWindow);
    pDocument->Release();
    if (FAILED(hr) || !pWindow)
        return;
    VARIANT handler;
    ::VariantInit(&handler);
    V_VT(&handler) = VT_DISPATCH;
    V_DISPATCH(&handler) = ErrorHandler::Instance();
    pWindow->put_onerror(handler);
    pWindow->Release();
}
