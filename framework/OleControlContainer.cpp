// The control site behind each host window: creates the control, activates it in place as a
// windowed child, keeps it sized to the host, hands its events to the parent's event-sink map,
// and lets it translate its accelerators. Also CWnd::CreateControl and the container switch.
#include "framework/OleControlContainer.h"

#include <olectl.h>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

const char kSiteProp[] = "TavikControlSite";
bool g_containerEnabled = false;

LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// One hosted control. The host window holds one reference from WM_CREATE to WM_DESTROY; the
// control may hold more, so the object goes when the last of them is released.
class ControlSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit ControlSite(HWND hWndHost) : m_hWnd(hWndHost), m_sink(this) {}

    bool Create(REFCLSID clsid);
    // Disconnects and closes the control; the host window is going away.
    void Destroy();
    void FitToHost();
    IUnknown* Control() const { return m_pObject; }
    BOOL TranslateAccelerator(MSG* pMsg);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override { return Null(ppmk, E_NOTIMPL); }
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override { return Null(ppContainer, E_NOINTERFACE); }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_hWnd ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override
    {
        // The host decides the control's size.
        FitToHost();
        return S_OK;
    }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: the host has no tools, menus or status bar.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    // The control's events arrive here and go on to the host's parent.
    class EventSink : public IDispatch {
    public:
        explicit EventSink(ControlSite* pSite) : m_pSite(pSite) {}
        IID m_iid = IID_NULL;
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            if (!ppv)
                return E_POINTER;
            *ppv = nullptr;
            if (riid != IID_IUnknown && riid != IID_IDispatch && (riid != m_iid || m_iid == IID_NULL))
                return E_NOINTERFACE;
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return m_pSite->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_pSite->Release(); }
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
        {
            if (pctinfo)
                *pctinfo = 0;
            return S_OK;
        }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override { return Null(ppTInfo, E_NOTIMPL); }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*, UINT*) override
        {
            return m_pSite->FireEvent(dispid, pParams);
        }

    private:
        ControlSite* m_pSite;
    };

    template <class T>
    static HRESULT Null(T** pp, HRESULT hr)
    {
        if (pp)
            *pp = nullptr;
        return hr;
    }

    virtual ~ControlSite() = default;
    void ConnectEvents();
    HRESULT FireEvent(DISPID dispid, DISPPARAMS* pParams);

    LONG m_refs = 1;
    HWND m_hWnd;
    EventSink m_sink;
    IOleObject* m_pObject = nullptr;
    IOleInPlaceObject* m_pInPlaceObject = nullptr;
    IOleInPlaceActiveObject* m_pActiveObject = nullptr;
    IConnectionPoint* m_pConnection = nullptr;
    DWORD m_dwCookie = 0;
};

STDMETHODIMP ControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP ControlSite::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_hWnd;
    return m_hWnd ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                           LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = nullptr;
    ::GetClientRect(m_hWnd, lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = ::GetAncestor(m_hWnd, GA_ROOT);
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR)
{
    if (pActiveObject)
        pActiveObject->AddRef();
    if (m_pActiveObject)
        m_pActiveObject->Release();
    m_pActiveObject = pActiveObject;
    return S_OK;
}

bool ControlSite::Create(REFCLSID clsid)
{
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&m_pObject))) || !m_pObject) {
        m_pObject = nullptr;
        return false;
    }
    // Controls such as the WebBrowser want their site before they are initialised.
    m_pObject->SetClientSite(static_cast<IOleClientSite*>(this));
    IPersistStreamInit* pInit = nullptr;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pInit))) && pInit) {
        pInit->InitNew();
        pInit->Release();
    }
    ConnectEvents();

    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (FAILED(m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, m_hWnd, &rc))) {
        Destroy();
        return false;
    }
    m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
    if (!m_pActiveObject)
        m_pObject->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&m_pActiveObject));
    return true;
}

void ControlSite::ConnectEvents()
{
    // The control's default event interface, from its class information or else its first
    // connection point.
    IID iid = IID_NULL;
    IProvideClassInfo2* pInfo = nullptr;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&pInfo))) && pInfo) {
        if (FAILED(pInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid)))
            iid = IID_NULL;
        pInfo->Release();
    }
    IConnectionPointContainer* pContainer = nullptr;
    if (FAILED(m_pObject->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))) || !pContainer)
        return;
    IConnectionPoint* pPoint = nullptr;
    if (iid != IID_NULL) {
        pContainer->FindConnectionPoint(iid, &pPoint);
    } else {
        IEnumConnectionPoints* pEnum = nullptr;
        if (SUCCEEDED(pContainer->EnumConnectionPoints(&pEnum)) && pEnum) {
            ULONG got = 0;
            if (pEnum->Next(1, &pPoint, &got) != S_OK || got != 1)
                pPoint = nullptr;
            pEnum->Release();
        }
        if (pPoint && FAILED(pPoint->GetConnectionInterface(&iid))) {
            pPoint->Release();
            pPoint = nullptr;
        }
    }
    pContainer->Release();
    if (!pPoint)
        return;
    m_sink.m_iid = iid;
    if (SUCCEEDED(pPoint->Advise(&m_sink, &m_dwCookie)))
        m_pConnection = pPoint;
    else
        pPoint->Release();
}

HRESULT ControlSite::FireEvent(DISPID dispid, DISPPARAMS* pParams)
{
    if (!m_hWnd)
        return S_OK;
    // A handler may destroy the dialog; the site stays alive until the call returns.
    AddRef();
    HRESULT hr = S_OK;
    if (CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd)))
        pParent->OnEvent(static_cast<UINT>(::GetDlgCtrlID(m_hWnd)), dispid, pParams, &hr);
    Release();
    return hr;
}

void ControlSite::FitToHost()
{
    if (!m_pInPlaceObject || !m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    m_pInPlaceObject->SetObjectRects(&rc, &rc);
}

BOOL ControlSite::TranslateAccelerator(MSG* pMsg)
{
    return m_pActiveObject && m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
}

void ControlSite::Destroy()
{
    if (m_pConnection) {
        m_pConnection->Unadvise(m_dwCookie);
        m_pConnection->Release();
        m_pConnection = nullptr;
    }
    if (m_pInPlaceObject) {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = nullptr;
    }
    if (m_pActiveObject) {
        m_pActiveObject->Release();
        m_pActiveObject = nullptr;
    }
    if (m_pObject) {
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject->SetClientSite(nullptr);
        m_pObject->Release();
        m_pObject = nullptr;
    }
    m_hWnd = nullptr;
}

ControlSite* SiteOf(HWND hWnd)
{
    return hWnd ? static_cast<ControlSite*>(::GetPropA(hWnd, kSiteProp)) : nullptr;
}

LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // The class name is the control's class identifier.
        wchar_t name[64] = {};
        CLSID clsid;
        ::GetClassNameW(hWnd, name, 64);
        if (FAILED(::CLSIDFromString(name, &clsid)))
            break;
        auto* pSite = new ControlSite(hWnd);
        ::SetPropA(hWnd, kSiteProp, pSite);
        // A control that cannot be made leaves an empty window: the dialog still works and
        // calls on the control do nothing.
        if (!pSite->Create(clsid)) {
            ::RemovePropA(hWnd, kSiteProp);
            pSite->Release();
        }
        return 0;
    }
    case WM_SIZE:
        if (ControlSite* pSite = SiteOf(hWnd))
            pSite->FitToHost();
        break;
    case WM_SETFOCUS:
        // Focus given to the host (by the dialog manager) goes on to the control's window.
        if (HWND hChild = ::GetWindow(hWnd, GW_CHILD)) {
            ::SetFocus(hChild);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (ControlSite* pSite = SiteOf(hWnd)) {
            ::RemovePropA(hWnd, kSiteProp);
            pSite->Destroy();
            pSite->Release();
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

void AfxEnableControlContainer()
{
    g_containerEnabled = true;
}

bool AfxControlContainerEnabled()
{
    return g_containerEnabled;
}

bool AfxRegisterControlClass(const wchar_t* pszClassName)
{
    CLSID clsid;
    if (!pszClassName || FAILED(::CLSIDFromString(pszClassName, &clsid)))
        return false;
    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = { sizeof wc };
    if (::GetClassInfoExW(hInst, pszClassName, &wc))
        return true;
    wc = WNDCLASSEXW{ sizeof wc };
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = &HostWndProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = pszClassName;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BOOL AfxTranslateControlAccelerator(HWND hWndTop, MSG* pMsg)
{
    if (!pMsg || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    for (HWND hWnd = pMsg->hwnd; hWnd && hWnd != hWndTop; hWnd = ::GetParent(hWnd)) {
        if (ControlSite* pSite = SiteOf(hWnd))
            return pSite->TranslateAccelerator(pMsg);
    }
    return FALSE;
}

IUnknown* AfxGetHostedControl(HWND hWndHost)
{
    ControlSite* pSite = SiteOf(hWndHost);
    return pSite ? pSite->Control() : nullptr;
}

IUnknown* CWnd::GetControlUnknown() const
{
    return AfxGetHostedControl(m_hWnd);
}

BOOL CWnd::CreateControl(REFCLSID clsid, const char* pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    wchar_t name[64] = {};
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd || ::StringFromGUID2(clsid, name, 64) == 0 ||
        !AfxRegisterControlClass(name))
        return FALSE;
    HWND hWnd = ::CreateWindowExW(0, name, CString(pszWindowName).Wide().c_str(), dwStyle | WS_CHILD, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), ::GetModuleHandleW(nullptr), nullptr);
    if (!hWnd)
        return FALSE;
    if (!AfxGetHostedControl(hWnd) || !SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}
