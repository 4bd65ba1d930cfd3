// Test side of the page view: in-process server, event recorder, onerror stub and container.
#include "PageViewHost.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtml.h>

#include "support/TestSupport.h"

namespace pageview_test {

namespace {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kWebBrowserClass = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };

std::wstring BstrText(BSTR s)
{
    return s ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

}  // namespace

// PageViewServer

HMODULE PageViewServer::Module()
{
    // Loaded once and kept: objects and threads of the view may outlive any one test.
    static HMODULE module = ::LoadLibraryW((testing_support::BinDir() + L"pageview.dll").c_str());
    return module;
}

PageViewServer::PageViewServer()
{
    HMODULE module = Module();
    if (!module)
        return;
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(::GetProcAddress(module, "DllGetClassObject"));
    IUnknown* factory = nullptr;
    if (!get || FAILED(get(kWebBrowserClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return;
    if (FAILED(::CoRegisterClassObject(kWebBrowserClass, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
    factory->Release();
}

PageViewServer::~PageViewServer()
{
    if (m_cookie)
        ::CoRevokeClassObject(m_cookie);
}

// EventRecorder

STDMETHODIMP EventRecorder::QueryInterface(REFIID riid, void** ppv)
{
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != __uuidof(DWebBrowserEvents2))
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
}

STDMETHODIMP EventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    RecordedEvent event;
    event.id = id;
    const UINT count = params ? params->cArgs : 0;
    for (UINT i = 0; i < count; ++i)
        event.types.push_back(params->rgvarg[count - 1 - i].vt);
    VARIANT* args = params ? params->rgvarg : nullptr;
    if (id == DISPID_STATUSTEXTCHANGE && count == 1 && args[0].vt == VT_BSTR) {
        event.text = BstrText(args[0].bstrVal);
    } else if ((id == DISPID_NAVIGATECOMPLETE2 || id == DISPID_DOCUMENTCOMPLETE) && count == 2) {
        if (args[1].vt == VT_DISPATCH)
            event.frame = args[1].pdispVal;
        if (args[0].vt == (VT_BYREF | VT_VARIANT) && args[0].pvarVal && args[0].pvarVal->vt == VT_BSTR)
            event.text = BstrText(args[0].pvarVal->bstrVal);
    } else if (id == DISPID_NEWWINDOW2 && count == 2 && args[1].vt == (VT_BYREF | VT_DISPATCH) &&
               args[0].vt == (VT_BYREF | VT_BOOL)) {
        event.newWindowWasNull = *args[1].ppdispVal == nullptr;
        event.cancelWasFalse = *args[0].pboolVal == VARIANT_FALSE;
        *args[0].pboolVal = cancelAnswer;
        if (newWindowAnswer) {
            newWindowAnswer->AddRef();
            *args[1].ppdispVal = newWindowAnswer;
        }
    }
    events.push_back(event);

    // As the game window does: the handler goes on the new document's window.
    if (id == DISPID_NAVIGATECOMPLETE2 && errorHandler && control) {
        DISPPARAMS none = { nullptr, nullptr, 0, 0 };
        VARIANT document;
        ::VariantInit(&document);
        if (SUCCEEDED(control->Invoke(203, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &document, nullptr, nullptr)) &&
            document.vt == VT_DISPATCH && document.pdispVal) {
            IHTMLDocument2* html = nullptr;
            if (SUCCEEDED(document.pdispVal->QueryInterface(__uuidof(IHTMLDocument2), reinterpret_cast<void**>(&html)))) {
                IHTMLWindow2* window = nullptr;
                if (SUCCEEDED(html->get_parentWindow(&window)) && window) {
                    VARIANT handler;
                    ::VariantInit(&handler);
                    handler.vt = VT_DISPATCH;
                    handler.pdispVal = errorHandler;
                    window->put_onerror(handler);
                    window->Release();
                }
                html->Release();
            }
        }
        ::VariantClear(&document);
    }
    return S_OK;
}

size_t EventRecorder::Count(DISPID id) const
{
    size_t n = 0;
    for (const RecordedEvent& e : events)
        n += e.id == id;
    return n;
}

std::vector<std::wstring> EventRecorder::Texts(DISPID id) const
{
    std::vector<std::wstring> texts;
    for (const RecordedEvent& e : events)
        if (e.id == id)
            texts.push_back(e.text);
    return texts;
}

// ErrorHandlerStub

STDMETHODIMP ErrorHandlerStub::QueryInterface(REFIID riid, void** ppv)
{
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch)
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
}

STDMETHODIMP ErrorHandlerStub::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    Call call = { id, flags, L"", L"", 0, false, 0, 0 };
    if (recorder) {
        call.navigateCompletes = recorder->Count(DISPID_NAVIGATECOMPLETE2);
        call.documentCompletes = recorder->Count(DISPID_DOCUMENTCOMPLETE);
    }
    if (params && params->cArgs == 3 && params->rgvarg[2].vt == VT_BSTR && params->rgvarg[1].vt == VT_BSTR &&
        (params->rgvarg[0].vt == VT_I4 || params->rgvarg[0].vt == VT_INT)) {
        call.argsAsExpected = true;
        call.message = BstrText(params->rgvarg[2].bstrVal);
        call.url = BstrText(params->rgvarg[1].bstrVal);
        call.line = params->rgvarg[0].lVal;
    }
    calls.push_back(call);
    switch (m_answer) {
    case Answer::True:
    case Answer::False:
        if (result) {
            ::VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = m_answer == Answer::True ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    case Answer::Nothing:
        return S_OK;
    case Answer::Fails:
        if (result) {
            // A failing handler's result must not count, even if it wrote true.
            ::VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
        }
        return E_FAIL;
    }
    return S_OK;
}

// PageViewHost

PageViewHost::PageViewHost() = default;

PageViewHost::~PageViewHost()
{
    Destroy();
}

bool PageViewHost::Create(const RECT& rect, LONG verb)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialogTemplate = {};
    dialogTemplate.header.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    dialogTemplate.header.cx = 100;
    dialogTemplate.header.cy = 100;
    m_dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr, QuietDialogProc, 0);
    if (!m_dialog)
        return false;
    ::SetWindowPos(m_dialog, HWND_TOP, 0, 0, 640, 480, SWP_SHOWWINDOW);
    m_rect = rect;

    if (FAILED(::StgCreateDocfile(nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_DELETEONRELEASE, 0,
                                  &m_storage)))
        return false;
    if (FAILED(::OleCreate(kWebBrowserClass, IID_IOleObject, OLERENDER_NONE, nullptr, static_cast<IOleClientSite*>(this),
                           m_storage, reinterpret_cast<void**>(&m_object))))
        return false;
    if (FAILED(m_object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_dispatch))))
        return false;
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(m_object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(__uuidof(DWebBrowserEvents2), &m_point)))
            m_point->Advise(static_cast<IDispatch*>(&m_events), &m_cookie);
        container->Release();
    }
    m_events.control = m_dispatch;
    return SUCCEEDED(m_object->DoVerb(verb, nullptr, static_cast<IOleClientSite*>(this), 0, m_dialog, &m_rect)) && m_cookie;
}

void PageViewHost::Destroy()
{
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    if (m_dispatch) {
        m_dispatch->Release();
        m_dispatch = nullptr;
    }
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object->Release();
        m_object = nullptr;
    }
    if (m_storage) {
        m_storage->Release();
        m_storage = nullptr;
    }
    if (m_dialog) {
        ::DestroyWindow(m_dialog);
        m_dialog = nullptr;
    }
}

HWND PageViewHost::Control() const
{
    HWND window = nullptr;
    IOleWindow* oleWindow = nullptr;
    if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&oleWindow)))) {
        oleWindow->GetWindow(&window);
        oleWindow->Release();
    }
    return window;
}

STDMETHODIMP PageViewHost::QueryInterface(REFIID riid, void** ppv)
{
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else
        return E_NOINTERFACE;
    return S_OK;
}

STDMETHODIMP PageViewHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                            LPOLEINPLACEFRAMEINFO info)
{
    *frame = nullptr;
    *doc = nullptr;
    *pos = m_rect;
    *clip = m_rect;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_dialog;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT PageViewHost::Invoke(DISPID id, WORD flags, std::vector<VARIANT>& reversedArgs, VARIANT* result)
{
    DISPPARAMS params = { reversedArgs.empty() ? nullptr : reversedArgs.data(), nullptr,
                          static_cast<UINT>(reversedArgs.size()), 0 };
    return m_dispatch->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

HRESULT PageViewHost::Navigate(const std::wstring& url)
{
    std::vector<VARIANT> args(5);
    for (VARIANT& arg : args) {
        ::VariantInit(&arg);
        arg.vt = VT_BYREF | VT_VARIANT;
        arg.pvarVal = nullptr;
    }
    args[4].vt = VT_BSTR;
    args[4].bstrVal = ::SysAllocString(url.c_str());
    HRESULT hr = Invoke(104, DISPATCH_METHOD, args, nullptr);
    ::SysFreeString(args[4].bstrVal);
    return hr;
}

HRESULT PageViewHost::Navigate2(const std::wstring& url)
{
    VARIANT address, empty;
    ::VariantInit(&address);
    ::VariantInit(&empty);
    address.vt = VT_BSTR;
    address.bstrVal = ::SysAllocString(url.c_str());
    std::vector<VARIANT> args(5);
    for (VARIANT& arg : args) {
        ::VariantInit(&arg);
        arg.vt = VT_BYREF | VT_VARIANT;
        arg.pvarVal = &empty;
    }
    args[4].pvarVal = &address;
    HRESULT hr = Invoke(500, DISPATCH_METHOD, args, nullptr);
    ::VariantClear(&address);
    return hr;
}

HRESULT PageViewHost::Refresh()
{
    std::vector<VARIANT> none;
    return Invoke(-550, DISPATCH_METHOD, none, nullptr);
}

IDispatch* PageViewHost::Document()
{
    std::vector<VARIANT> none;
    VARIANT result;
    ::VariantInit(&result);
    if (FAILED(Invoke(203, DISPATCH_PROPERTYGET, none, &result)) || result.vt != VT_DISPATCH) {
        ::VariantClear(&result);
        return nullptr;
    }
    return result.pdispVal;
}

bool PageViewHost::WaitForDocuments(size_t count, DWORD timeoutMs)
{
    return testing_support::WaitFor([&] { return m_events.Count(DISPID_DOCUMENTCOMPLETE) >= count; }, timeoutMs);
}

std::map<std::wstring, POINT> PageViewHost::FindLinks()
{
    std::map<std::wstring, POINT> links;
    HWND control = Control();
    RECT rc;
    ::GetClientRect(control, &rc);
    for (int y = 0; y < rc.bottom; y += 3) {
        for (int x = 0; x < rc.right; x += 3) {
            size_t before = m_events.events.size();
            ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            for (size_t i = before; i < m_events.events.size(); ++i) {
                const RecordedEvent& e = m_events.events[i];
                if (e.id == DISPID_STATUSTEXTCHANGE && !e.text.empty() && !links.count(e.text))
                    links[e.text] = POINT{ x, y };
            }
        }
    }
    ::SendMessageW(control, WM_MOUSELEAVE, 0, 0);
    return links;
}

void PageViewHost::Click(POINT at)
{
    HWND control = Control();
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

COLORREF PageViewHost::PixelAt(int x, int y)
{
    HWND control = Control();
    RECT rc;
    ::GetClientRect(control, &rc);
    if (x < 0 || y < 0 || x >= rc.right || y >= rc.bottom)
        return CLR_INVALID;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = -rc.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib);
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const DWORD pixel = static_cast<const DWORD*>(bits)[y * rc.right + x];
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::wstring FileUrl(const std::wstring& path)
{
    std::wstring url = L"file:///";
    for (wchar_t c : path)
        url += c == L'\\' ? L'/' : c;
    return url;
}

std::wstring DemoSiteDir()
{
    return testing_support::BinDir() + L"demo-site\\";
}

std::vector<HWND> PopupPageWindows()
{
    std::vector<HWND> found;
    for (HWND hWnd : testing_support::TopLevelWindows(::GetCurrentProcessId())) {
        wchar_t name[64] = L"";
        ::GetClassNameW(hWnd, name, 64);
        if (std::wstring(name) == L"TavikPageViewWindow")
            found.push_back(hWnd);
    }
    return found;
}

}  // namespace pageview_test
