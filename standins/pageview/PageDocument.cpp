// The view's HTML document and its parent window.
#include "PageDocument.h"

#include <new>

#include "PageViewModule.h"

namespace pageview {

namespace {

HRESULT CopyString(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// The window of a document: keeps its onerror value as given.
class PageHtmlWindow final : public HtmlWindowStubs {
public:
    PageHtmlWindow() { ::VariantInit(&m_onerror); LockModule(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IHTMLFramesCollection2 && riid != IID_IHTMLWindow2)
            return E_NOINTERFACE;
        *ppv = static_cast<IHTMLWindow2*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    STDMETHODIMP put_onerror(VARIANT value) override { return ::VariantCopy(&m_onerror, &value); }
    STDMETHODIMP get_onerror(VARIANT* value) override
    {
        if (!value)
            return E_POINTER;
        ::VariantInit(value);
        return ::VariantCopy(value, &m_onerror);
    }
    STDMETHODIMP get_document(IHTMLDocument2** document) override
    {
        if (!document)
            return E_POINTER;
        *document = m_document;
        if (m_document)
            m_document->AddRef();
        return S_OK;
    }

    // The document goes away before its window may; the window then has none.
    void SetDocument(PageDocument* document) { m_document = document; }

    bool CallOnError(const std::wstring& message, const std::wstring& url, int line)
    {
        // A copy, so the handler may replace onerror while it runs.
        VARIANT handler;
        ::VariantInit(&handler);
        if (FAILED(::VariantCopy(&handler, &m_onerror)))
            return false;
        bool handled = false;
        if (handler.vt == VT_DISPATCH && handler.pdispVal) {
            VARIANT args[3];  // in reverse order: line, url, message
            for (VARIANT& arg : args)
                ::VariantInit(&arg);
            args[0].vt = VT_I4;
            args[0].lVal = line;
            args[1].vt = VT_BSTR;
            args[1].bstrVal = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
            args[2].vt = VT_BSTR;
            args[2].bstrVal = ::SysAllocStringLen(message.data(), static_cast<UINT>(message.size()));
            DISPPARAMS params = { args, nullptr, 3, 0 };
            VARIANT result;
            ::VariantInit(&result);
            HRESULT hr = handler.pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                                  &result, nullptr, nullptr);
            handled = SUCCEEDED(hr) && result.vt == VT_BOOL && result.boolVal == VARIANT_TRUE;
            ::VariantClear(&result);
            for (VARIANT& arg : args)
                ::VariantClear(&arg);
        }
        ::VariantClear(&handler);
        return handled;
    }

private:
    ~PageHtmlWindow()
    {
        ::VariantClear(&m_onerror);
        UnlockModule();
    }

    LONG m_refs = 1;
    VARIANT m_onerror;
    PageDocument* m_document = nullptr;
};

PageDocument* PageDocument::Create(const std::wstring& url, const std::wstring& title)
{
    PageHtmlWindow* window = new (std::nothrow) PageHtmlWindow();
    if (!window)
        return nullptr;
    PageDocument* document = new (std::nothrow) PageDocument(url, title, window);
    if (!document)
        window->Release();
    return document;
}

PageDocument::PageDocument(const std::wstring& url, const std::wstring& title, PageHtmlWindow* window)
    : m_url(url), m_title(title), m_window(window)
{
    m_window->SetDocument(this);
    LockModule();
}

PageDocument::~PageDocument()
{
    m_window->SetDocument(nullptr);
    m_window->Release();
    UnlockModule();
}

STDMETHODIMP PageDocument::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IHTMLDocument && riid != IID_IHTMLDocument2)
        return E_NOINTERFACE;
    *ppv = static_cast<IHTMLDocument2*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) PageDocument::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) PageDocument::Release()
{
    LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP PageDocument::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP PageDocument::get_parentWindow(IHTMLWindow2** window)
{
    if (!window)
        return E_POINTER;
    *window = m_window;
    m_window->AddRef();
    return S_OK;
}

STDMETHODIMP PageDocument::get_title(BSTR* title) { return CopyString(m_title, title); }
STDMETHODIMP PageDocument::get_URL(BSTR* url) { return CopyString(m_url, url); }
STDMETHODIMP PageDocument::get_readyState(BSTR* state) { return CopyString(L"complete", state); }

bool PageDocument::ReportScriptError(const std::wstring& message, const std::wstring& url, int line)
{
    PageHtmlWindow* window = m_window;
    window->AddRef();
    bool handled = window->CallOnError(message, url, line);
    window->Release();
    return handled;
}

}  // namespace pageview
