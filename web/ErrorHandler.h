// ErrorHandler: the page's window.onerror handler that marks every script error as handled, so
// the browser shows no script-error notification; and its installation on a browser's page.
#pragma once

#include <windows.h>
#include <ole2.h>

class CWebBrowser2;

// One instance per process, in static storage; reference counting never ends its life.
class ErrorHandler : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    // Answers true in pVarResult when there is one.
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // The process's instance, made on first use.
    static ErrorHandler* Instance();

private:
    ErrorHandler() = default;
    virtual ~ErrorHandler() = default;
};

// Makes the ErrorHandler the onerror handler of the window of the browser's top-level document;
// does nothing without a document or with one that is not HTML.
void InstallScriptErrorHandler(CWebBrowser2& browser);
