// The fake WebBrowser control: class factory, OLE embedding and in-place activation with a
// window of its own, the automation members the launcher calls, and one connection point for
// DWebBrowserEvents2.
#include "fakes/FakeWebBrowser.h"

#include <olectl.h>

#include <algorithm>
#include <string>

namespace fakes {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kCLSID_WebBrowser = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };
// {34A715A0-6587-11D0-924A-0020AFC7AC4D}
const IID kDIID_DWebBrowserEvents2 = { 0x34A715A0, 0x6587, 0x11D0, { 0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D } };

namespace {

const wchar_t kWindowClass[] = L"TavikFakeWebBrowser";

std::string Utf8(const wchar_t* text)
{
    if (!text)
        return std::string();
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &s[0], n, nullptr, nullptr);
    return s;
}

std::string Describe(const VARIANT& v)
{
    switch (V_VT(&v)) {
    case VT_BSTR: return "BSTR:" + Utf8(V_BSTR(&v));
    case VT_I4: return "I4:" + std::to_string(V_I4(&v));
    case VT_EMPTY: return "EMPTY";
    case VT_ERROR:
        if (V_ERROR(&v) == DISP_E_PARAMNOTFOUND)
            return "missing";
        break;
    case VT_VARIANT | VT_BYREF:
        return V_VARIANTREF(&v) ? "ref:" + Describe(*V_VARIANTREF(&v)) : "ref:null";
    default: break;
    }
    return "VT:" + std::to_string(V_VT(&v));
}

class WebBrowserObject;
std::vector<WebBrowserObject*>& Live()
{
    static std::vector<WebBrowserObject*> live;
    return live;
}

class WebBrowserObject : public FakeWebBrowser,
                         public IDispatch,
                         public IOleObject,
                         public IOleInPlaceObject,
                         public IOleInPlaceActiveObject,
                         public IConnectionPointContainer,
                         public IProvideClassInfo2 {
public:
    WebBrowserObject() { Live().push_back(this); }

    // The single connection point, a separate object because its Unadvise would clash with
    // IOleObject's.
    class EventPoint : public IConnectionPoint {
    public:
        explicit EventPoint(WebBrowserObject* pOwner) : m_pOwner(pOwner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            if (!ppv)
                return E_POINTER;
            *ppv = nullptr;
            if (riid != IID_IUnknown && riid != IID_IConnectionPoint)
                return E_NOINTERFACE;
            *ppv = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return m_pOwner->AddRefObject(); }
        STDMETHODIMP_(ULONG) Release() override { return m_pOwner->ReleaseObject(); }
        STDMETHODIMP GetConnectionInterface(IID* pIID) override
        {
            if (!pIID)
                return E_POINTER;
            *pIID = kDIID_DWebBrowserEvents2;
            return S_OK;
        }
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override
        {
            if (!ppCPC)
                return E_POINTER;
            *ppCPC = m_pOwner;
            m_pOwner->AddRefObject();
            return S_OK;
        }
        STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override
        {
            if (!pUnkSink || !pdwCookie)
                return E_POINTER;
            IDispatch* pSink = nullptr;
            if (FAILED(pUnkSink->QueryInterface(kDIID_DWebBrowserEvents2, reinterpret_cast<void**>(&pSink))) || !pSink)
                return CONNECT_E_CANNOTCONNECT;
            m_sinks.push_back({ ++m_nextCookie, pSink });
            *pdwCookie = m_nextCookie;
            return S_OK;
        }
        STDMETHODIMP Unadvise(DWORD dwCookie) override
        {
            for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
                if (it->first == dwCookie) {
                    IDispatch* pSink = it->second;
                    m_sinks.erase(it);
                    pSink->Release();
                    return S_OK;
                }
            }
            return CONNECT_E_NOCONNECTION;
        }
        STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override
        {
            if (ppEnum)
                *ppEnum = nullptr;
            return E_NOTIMPL;
        }

        std::vector<std::pair<DWORD, IDispatch*>> m_sinks;

    private:
        WebBrowserObject* m_pOwner;
        DWORD m_nextCookie = 0;
    };

    ULONG AddRefObject() { return static_cast<ULONG>(++m_refs); }
    ULONG ReleaseObject()
    {
        LONG n = --m_refs;
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else if (riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (riid == IID_IOleInPlaceActiveObject)
            *ppv = static_cast<IOleInPlaceActiveObject*>(this);
        else if (riid == IID_IConnectionPointContainer)
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
            *ppv = static_cast<IProvideClassInfo2*>(this);
        else
            return E_NOINTERFACE;
        AddRefObject();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }

    // IDispatch: the members the launcher calls.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo)
            *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
                        UINT*) override
    {
        WebBrowserCall call;
        call.dispid = dispid;
        call.flags = wFlags;
        if (pParams) {
            for (UINT i = pParams->cArgs; i > 0; --i)
                call.args.push_back(Describe(pParams->rgvarg[i - 1]));
        }
        m_calls.push_back(call);
        switch (dispid) {
        case 104:   // Navigate
        case 500:   // Navigate2
        case -550:  // Refresh
            return (wFlags & DISPATCH_METHOD) ? S_OK : DISP_E_MEMBERNOTFOUND;
        case 203:  // Document
            if (!(wFlags & DISPATCH_PROPERTYGET) || !pResult)
                return DISP_E_MEMBERNOTFOUND;
            V_VT(pResult) = VT_DISPATCH;
            V_DISPATCH(pResult) = m_pDocument;
            if (m_pDocument)
                m_pDocument->AddRef();
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override
    {
        if (pClientSite)
            pClientSite->AddRef();
        if (m_pSite)
            m_pSite->Release();
        m_pSite = pClientSite;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override
    {
        if (!ppClientSite)
            return E_POINTER;
        *ppClientSite = m_pSite;
        if (m_pSite)
            m_pSite->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        m_closed = true;
        InPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        if (ppmk)
            *ppmk = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** ppDataObject) override
    {
        if (ppDataObject)
            *ppDataObject = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent, LPCRECT lprcPosRect) override
    {
        if (iVerb != OLEIVERB_INPLACEACTIVATE && iVerb != OLEIVERB_SHOW && iVerb != OLEIVERB_UIACTIVATE)
            return OLEOBJ_S_INVALIDVERB;
        return Activate(pActiveSite ? pActiveSite : m_pSite, hwndParent, lprcPosRect);
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override
    {
        if (ppEnumOleVerb)
            *ppEnumOleVerb = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        if (!pClsid)
            return E_POINTER;
        *pClsid = kCLSID_WebBrowser;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* pszUserType) override
    {
        if (pszUserType)
            *pszUserType = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD* pdwConnection) override
    {
        if (pdwConnection)
            *pdwConnection = 0;
        return E_NOTIMPL;
    }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override
    {
        if (ppenumAdvise)
            *ppenumAdvise = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override
    {
        if (!pdwStatus)
            return E_POINTER;
        *pdwStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        if (!phwnd)
            return E_POINTER;
        *phwnd = m_hWnd;
        return m_hWnd ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override
    {
        if (!m_pInPlaceSite)
            return S_OK;
        IOleInPlaceSite* pSite = m_pInPlaceSite;
        m_pInPlaceSite = nullptr;
        if (m_hWnd) {
            ::DestroyWindow(m_hWnd);
            m_hWnd = nullptr;
        }
        pSite->OnInPlaceDeactivate();
        pSite->Release();
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT) override
    {
        if (!lprcPosRect)
            return E_POINTER;
        if (m_hWnd)
            ::MoveWindow(m_hWnd, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                         lprcPosRect->bottom - lprcPosRect->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg) override
    {
        if (!lpmsg)
            return E_POINTER;
        m_acceleratorKeys.emplace_back(lpmsg->message, lpmsg->wParam);
        bool mine = lpmsg->message == WM_KEYDOWN &&
                    std::find(m_accelerators.begin(), m_accelerators.end(), lpmsg->wParam) != m_accelerators.end();
        return mine ? S_OK : S_FALSE;
    }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override
    {
        if (ppEnum)
            *ppEnum = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (!ppCP)
            return E_POINTER;
        *ppCP = nullptr;
        if (riid != kDIID_DWebBrowserEvents2)
            return CONNECT_E_NOCONNECTION;
        *ppCP = &m_point;
        AddRefObject();
        return S_OK;
    }

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** ppTI) override
    {
        if (ppTI)
            *ppTI = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetGUID(DWORD dwGuidKind, GUID* pGUID) override
    {
        if (!pGUID)
            return E_POINTER;
        if (dwGuidKind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
            return E_INVALIDARG;
        *pGUID = kDIID_DWebBrowserEvents2;
        return S_OK;
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<WebBrowserObject*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        } else if (pThis && message >= WM_KEYFIRST && message <= WM_KEYLAST) {
            pThis->m_windowKeys.emplace_back(message, wParam);
            return 0;
        } else if (message == WM_GETDLGCODE) {
            // As the real control: every key goes to the page.
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    HRESULT Activate(IOleClientSite* pSite, HWND hwndParent, LPCRECT lprcPosRect)
    {
        if (m_pInPlaceSite)
            return S_OK;
        if (!pSite)
            return E_UNEXPECTED;
        IOleInPlaceSite* pInPlace = nullptr;
        if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlace))) || !pInPlace)
            return E_NOINTERFACE;
        if (pInPlace->CanInPlaceActivate() != S_OK) {
            pInPlace->Release();
            return E_FAIL;
        }
        pInPlace->OnInPlaceActivate();
        HWND hParent = nullptr;
        pInPlace->GetWindow(&hParent);
        IOleInPlaceFrame* pFrame = nullptr;
        IOleInPlaceUIWindow* pDoc = nullptr;
        RECT rcPos = {}, rcClip = {};
        OLEINPLACEFRAMEINFO info = { sizeof info };
        if (SUCCEEDED(pInPlace->GetWindowContext(&pFrame, &pDoc, &rcPos, &rcClip, &info))) {
            if (pFrame)
                pFrame->Release();
            if (pDoc)
                pDoc->Release();
        }
        if (lprcPosRect)
            rcPos = *lprcPosRect;
        if (!hParent)
            hParent = hwndParent;
        RegisterWindowClass();
        m_hWnd = ::CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, rcPos.left,
                                   rcPos.top, rcPos.right - rcPos.left, rcPos.bottom - rcPos.top, hParent, nullptr,
                                   ::GetModuleHandleW(nullptr), this);
        if (!m_hWnd) {
            pInPlace->OnInPlaceDeactivate();
            pInPlace->Release();
            return E_FAIL;
        }
        m_pInPlaceSite = pInPlace;
        m_hSiteWnd = hParent;
        return S_OK;
    }

    static void RegisterWindowClass()
    {
        WNDCLASSEXW wc = { sizeof wc };
        if (::GetClassInfoExW(::GetModuleHandleW(nullptr), kWindowClass, &wc))
            return;
        wc = WNDCLASSEXW{ sizeof wc };
        wc.lpfnWndProc = &WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kWindowClass;
        ::RegisterClassExW(&wc);
    }

    HRESULT Fire(DISPID dispid, std::vector<VARIANTARG>& args)
    {
        HRESULT result = S_OK;
        // A sink may disconnect while it runs; work on a copy with references held.
        std::vector<IDispatch*> sinks;
        for (auto& entry : m_point.m_sinks) {
            entry.second->AddRef();
            sinks.push_back(entry.second);
        }
        AddRefObject();
        for (IDispatch* pSink : sinks) {
            DISPPARAMS params = { args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0 };
            HRESULT hr = pSink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
            if (FAILED(hr))
                result = hr;
            pSink->Release();
        }
        ReleaseObject();
        return result;
    }

    ~WebBrowserObject() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
        if (m_pInPlaceSite)
            m_pInPlaceSite->Release();
        if (m_pSite)
            m_pSite->Release();
        if (m_pDocument)
            m_pDocument->Release();
        for (auto& entry : m_point.m_sinks)
            entry.second->Release();
        auto& live = Live();
        live.erase(std::remove(live.begin(), live.end(), this), live.end());
    }

    LONG m_refs = 1;
    HWND m_hWnd = nullptr;
    HWND m_hSiteWnd = nullptr;
    bool m_closed = false;
    IOleClientSite* m_pSite = nullptr;
    IOleInPlaceSite* m_pInPlaceSite = nullptr;
    IDispatch* m_pDocument = nullptr;
    EventPoint m_point{ this };
    std::vector<WebBrowserCall> m_calls;
    std::vector<std::pair<UINT, WPARAM>> m_windowKeys;
    std::vector<std::pair<UINT, WPARAM>> m_acceleratorKeys;
    std::vector<WPARAM> m_accelerators;
};

WebBrowserObject* Impl(FakeWebBrowser* p)
{
    return static_cast<WebBrowserObject*>(p);
}
const WebBrowserObject* Impl(const FakeWebBrowser* p)
{
    return static_cast<const WebBrowserObject*>(p);
}

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        auto* pObject = new WebBrowserObject;
        HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->ReleaseObject();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

VARIANTARG Text(const wchar_t* text)
{
    VARIANTARG v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(text ? text : L"");
    return v;
}

}  // namespace

FakeWebBrowserRegistration::FakeWebBrowserRegistration()
{
    if (FAILED(::CoRegisterClassObject(kCLSID_WebBrowser, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
}

FakeWebBrowserRegistration::~FakeWebBrowserRegistration()
{
    if (m_cookie)
        ::CoRevokeClassObject(m_cookie);
}

FakeWebBrowser* FakeWebBrowser::Below(HWND hWnd)
{
    for (WebBrowserObject* p : Live()) {
        if (p->m_hSiteWnd && (p->m_hSiteWnd == hWnd || ::IsChild(hWnd, p->m_hSiteWnd)))
            return p;
    }
    return nullptr;
}

size_t FakeWebBrowser::LiveCount()
{
    return Live().size();
}

HWND FakeWebBrowser::Window() const { return Impl(this)->m_hWnd; }
HWND FakeWebBrowser::SiteWindow() const { return Impl(this)->m_hSiteWnd; }
bool FakeWebBrowser::IsInPlaceActive() const { return Impl(this)->m_pInPlaceSite != nullptr; }
bool FakeWebBrowser::WasClosed() const { return Impl(this)->m_closed; }
std::vector<WebBrowserCall> FakeWebBrowser::Calls() const { return Impl(this)->m_calls; }
void FakeWebBrowser::ClearCalls() { Impl(this)->m_calls.clear(); }
std::vector<std::pair<UINT, WPARAM>> FakeWebBrowser::WindowKeys() const { return Impl(this)->m_windowKeys; }
std::vector<std::pair<UINT, WPARAM>> FakeWebBrowser::AcceleratorKeys() const { return Impl(this)->m_acceleratorKeys; }
void FakeWebBrowser::SetAcceleratorKeys(const std::vector<WPARAM>& keys) { Impl(this)->m_accelerators = keys; }
size_t FakeWebBrowser::SinkCount() const { return Impl(this)->m_point.m_sinks.size(); }

void FakeWebBrowser::SetDocument(IDispatch* pDocument)
{
    WebBrowserObject* p = Impl(this);
    if (pDocument)
        pDocument->AddRef();
    if (p->m_pDocument)
        p->m_pDocument->Release();
    p->m_pDocument = pDocument;
}

HRESULT FakeWebBrowser::FireEvent(DISPID dispid, std::vector<VARIANTARG> argsLastFirst)
{
    HRESULT hr = Impl(this)->Fire(dispid, argsLastFirst);
    for (VARIANTARG& v : argsLastFirst)
        ::VariantClear(&v);
    return hr;
}

HRESULT FakeWebBrowser::FireStatusTextChange(const wchar_t* text)
{
    return FireEvent(102, { Text(text) });
}

HRESULT FakeWebBrowser::FireNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* pCancel)
{
    VARIANTARG disp, cancel;
    ::VariantInit(&disp);
    ::VariantInit(&cancel);
    V_VT(&disp) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&disp) = ppDisp;
    V_VT(&cancel) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&cancel) = pCancel;
    // By-reference arguments are not owned by the call, so VariantClear leaves them alone.
    return FireEvent(251, { cancel, disp });
}

namespace {

std::vector<VARIANTARG> FrameAndUrl(IDispatch* pFrame, VARIANT* url)
{
    VARIANTARG frame, ref;
    ::VariantInit(&frame);
    ::VariantInit(&ref);
    V_VT(&frame) = VT_DISPATCH;
    V_DISPATCH(&frame) = pFrame;
    if (pFrame)
        pFrame->AddRef();
    V_VT(&ref) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&ref) = url;
    return { ref, frame };
}

}  // namespace

HRESULT FakeWebBrowser::FireNavigateComplete2(IDispatch* pFrame, const wchar_t* url)
{
    VARIANT v = Text(url);
    HRESULT hr = FireEvent(252, FrameAndUrl(pFrame, &v));
    ::VariantClear(&v);
    return hr;
}

HRESULT FakeWebBrowser::FireDocumentComplete(IDispatch* pFrame, const wchar_t* url)
{
    VARIANT v = Text(url);
    HRESULT hr = FireEvent(259, FrameAndUrl(pFrame, &v));
    ::VariantClear(&v);
    return hr;
}

}  // namespace fakes
