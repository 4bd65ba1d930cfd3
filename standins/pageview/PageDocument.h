// The document the view's Document property gives: an HTML document whose parent window keeps
// the page's onerror handler. The view asks it to report its script errors to that handler.
#pragma once

#include <string>

#include "HtmlStubs.h"

namespace pageview {

class PageHtmlWindow;

class PageDocument final : public HtmlDocumentStubs {
public:
    // A new document with one reference, or null when out of memory.
    static PageDocument* Create(const std::wstring& url, const std::wstring& title);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    STDMETHODIMP get_parentWindow(IHTMLWindow2** window) override;
    STDMETHODIMP get_title(BSTR* title) override;
    STDMETHODIMP get_URL(BSTR* url) override;
    STDMETHODIMP get_readyState(BSTR* state) override;

    // Calls the window's onerror handler with (message, url, line); true only when it answers true.
    bool ReportScriptError(const std::wstring& message, const std::wstring& url, int line);

private:
    PageDocument(const std::wstring& url, const std::wstring& title, PageHtmlWindow* window);
    ~PageDocument();

    LONG m_refs = 1;
    std::wstring m_url;
    std::wstring m_title;
    PageHtmlWindow* m_window;
};

}  // namespace pageview
