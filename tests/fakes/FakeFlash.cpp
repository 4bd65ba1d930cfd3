// The fake Flash control: OLE object, view object, windowless in-place object, event source and
// the typed interface's automation side, each call recorded.
#include "fakes/FakeFlash.h"

#include <olectl.h>

#include <cstdio>

#include "flashhost/FlashControl.h"

namespace fakes {

namespace {

FakeFlashState g_state;

std::string Narrow(const wchar_t* w)
{
    if (!w)
        return "(null)";
    std::string s;
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    s.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    if (n > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    return s;
}

void Record(const std::string& call)
{
    g_state.calls.push_back(call);
}

std::string Hex(unsigned v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

// Dispatch ids of the typed interface's members the launcher uses.
enum : DISPID {
    kWMode = 0x85,
    kScale = 0x69,
    kBackgroundColor = -501,
    kEmbedMovie = 0xBC,
    kLoadMovie = 0x8E,
    kPlay = 0x70,
    kStopPlay = 0x71,
};

struct Member {
    const wchar_t* name;
    DISPID id;
};
const Member kMembers[] = {
    { L"WMode", kWMode }, { L"Scale", kScale }, { L"BackgroundColor", kBackgroundColor }, { L"EmbedMovie", kEmbedMovie },
    { L"LoadMovie", kLoadMovie }, { L"Play", kPlay }, { L"StopPlay", kStopPlay },
};

}  // namespace

PatternPixel ExpectedPatternPixel(int x, int y, int width, int height)
{
    const int quarter = width / 4;
    int band = quarter > 0 ? x / quarter : 3;
    switch (band) {
    case 0:
        return { 0, 0, 255, 255 };
    case 1:
        return { 128, 128, 128, 128 };
    case 2:
        if (y < height / 2)
            return { 10, 200, 30, 255 };
        return { 0, 0, 0, 0 };
    default:
        return { 0, 0, 0, 0 };
    }
}

class FakeFlash : public IOleObject,
                  public IViewObjectEx,
                  public IOleInPlaceObjectWindowless,
                  public IConnectionPointContainer,
                  public IPersistStorage,
                  public IShockwaveFlash {
public:
    FakeFlash()
    {
        g_state.instance = this;
        ++g_state.instancesCreated;
        g_state.destroyed = false;
    }
    virtual ~FakeFlash()
    {
        if (m_site)
            m_site->Release();
        if (m_sink)
            m_sink->Release();
        if (g_state.instance == this)
            g_state.instance = nullptr;
        g_state.destroyed = true;
        Record("destroyed");
    }

    // ---- IUnknown --------------------------------------------------------------------------
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        const FakeFlashConfig& c = g_state.config;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
            *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, __uuidof(IShockwaveFlash))) {
            Record("QI IShockwaveFlash");
            if (c.offerTypedInterface)
                *ppv = static_cast<IShockwaveFlash*>(this);
        } else if (IsEqualIID(riid, IID_IDispatch)) {
            if (c.offerTypedInterface)
                *ppv = static_cast<IShockwaveFlash*>(this);
        } else if (IsEqualIID(riid, IID_IViewObjectEx)) {
            Record("QI IViewObjectEx");
            if (c.offerViewObjectEx)
                *ppv = static_cast<IViewObjectEx*>(this);
        } else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2)) {
            Record("QI IViewObject");
            if (c.offerViewObject || c.offerViewObjectEx)
                *ppv = static_cast<IViewObjectEx*>(this);
        } else if (IsEqualIID(riid, IID_IOleInPlaceObjectWindowless)) {
            Record("QI IOleInPlaceObjectWindowless");
            if (c.offerWindowless)
                *ppv = static_cast<IOleInPlaceObjectWindowless*>(this);
        } else if (IsEqualIID(riid, IID_IOleInPlaceObject) || IsEqualIID(riid, IID_IOleWindow)) {
            Record("QI IOleInPlaceObject");
            *ppv = static_cast<IOleInPlaceObjectWindowless*>(this);
        } else if (IsEqualIID(riid, IID_IPersistStorage) || IsEqualIID(riid, IID_IPersist)) {
            *ppv = static_cast<IPersistStorage*>(this);
        } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
            Record("QI IConnectionPointContainer");
            if (c.offerConnectionPoints)
                *ppv = static_cast<IConnectionPointContainer*>(this);
        }
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_ref; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG n = --m_ref;
        if (n == 0)
            delete this;
        return n;
    }

    // ---- IOleObject ------------------------------------------------------------------------
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override
    {
        Record("SetClientSite");
        ++m_setClientSiteCalls;
        if (m_setClientSiteCalls > 1 && FAILED(g_state.config.setClientSiteResult))
            return g_state.config.setClientSiteResult;
        if (pSite)
            pSite->AddRef();
        if (m_site)
            m_site->Release();
        m_site = pSite;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** pp) override
    {
        *pp = m_site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD dwSaveOption) override
    {
        Record("Close(" + std::to_string(dwSaveOption) + ")");
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND, LPCRECT) override
    {
        Record("DoVerb(" + std::to_string(iVerb) + ")");
        if (FAILED(g_state.config.doVerbResult))
            return g_state.config.doVerbResult;
        IOleClientSite* site = pActiveSite ? pActiveSite : m_site;
        if (!site || m_siteWindowless)
            return S_OK;
        // Windowless in-place activation through the site, as the genuine control does.
        IOleInPlaceSiteWindowless* pWindowless = nullptr;
        if (g_state.config.offerWindowless &&
            SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&pWindowless))) &&
            pWindowless->CanWindowlessActivate() == S_OK) {
            BOOL noRedraw = TRUE;
            pWindowless->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
            IOleInPlaceFrame* pFrame = nullptr;
            IOleInPlaceUIWindow* pDoc = nullptr;
            OLEINPLACEFRAMEINFO info = { sizeof info };
            pWindowless->GetWindowContext(&pFrame, &pDoc, &g_state.windowContextPos, &g_state.windowContextClip, &info);
            if (pFrame)
                pFrame->Release();
            if (pDoc)
                pDoc->Release();
            m_siteWindowless = pWindowless;
            Record("activated windowless");
            m_siteWindowless->InvalidateRect(nullptr, FALSE);
        } else if (pWindowless) {
            pWindowless->Release();
        }
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        *pClsid = CLSID_ShockwaveFlash;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override
    {
        *pdwStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // ---- IPersistStorage (OleCreate initialises the object with the site's storage) --------
    STDMETHODIMP GetClassID(CLSID* pClsid) override
    {
        *pClsid = CLSID_ShockwaveFlash;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // ---- IViewObjectEx ---------------------------------------------------------------------
    STDMETHODIMP Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL,
                      BOOL (STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override
    {
        Record("Draw(" + std::to_string(dwDrawAspect) + ")");
        if (g_state.config.drawPattern && lprcBounds)
            DrawPattern(hdcDraw, *lprcBounds);
        return S_OK;
    }
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink*) override { return S_OK; }
    STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL) override { return E_NOTIMPL; }
    STDMETHODIMP GetRect(DWORD, LPRECTL) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewStatus(DWORD* pdw) override
    {
        *pdw = VIEWSTATUS_OPAQUE;
        return S_OK;
    }
    STDMETHODIMP QueryHitPoint(DWORD, LPCRECT, POINT, LONG, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryHitRect(DWORD, LPCRECT, LPCRECT, LONG, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL) override { return E_NOTIMPL; }

    // ---- IOleInPlaceObjectWindowless ---------------------------------------------------------
    STDMETHODIMP GetWindow(HWND*) override { return E_FAIL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override
    {
        g_state.objectRects = *pos;
        Record("SetObjectRects(" + std::to_string(pos->left) + "," + std::to_string(pos->top) + "," +
               std::to_string(pos->right) + "," + std::to_string(pos->bottom) + ")");
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnWindowMessage(UINT msg, WPARAM, LPARAM, LRESULT* plResult) override
    {
        Record("OnWindowMessage(" + Hex(msg) + ")");
        if (plResult)
            *plResult = g_state.config.onWindowMessageLResult;
        return g_state.config.onWindowMessageResult;
    }
    STDMETHODIMP GetDropTarget(IDropTarget**) override { return E_NOTIMPL; }

    // ---- IConnectionPointContainer / IConnectionPoint ---------------------------------------
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        Record("FindConnectionPoint");
        if (!IsEqualIID(riid, DIID__IShockwaveFlashEvents)) {
            *ppCP = nullptr;
            return CONNECT_E_NOCONNECTION;
        }
        *ppCP = &m_eventPoint;
        AddRef();
        return S_OK;
    }

    // The event connection point, a separate object because its Unadvise would clash with
    // IOleObject's.
    class EventPoint : public IConnectionPoint {
    public:
        explicit EventPoint(FakeFlash* outer) : m_outer(outer) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
                *ppv = static_cast<IConnectionPoint*>(this);
                AddRef();
                return S_OK;
            }
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return m_outer->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_outer->Release(); }
        STDMETHODIMP GetConnectionInterface(IID* pIID) override
        {
            *pIID = DIID__IShockwaveFlashEvents;
            return S_OK;
        }
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** pp) override
        {
            *pp = static_cast<IConnectionPointContainer*>(m_outer);
            m_outer->AddRef();
            return S_OK;
        }
        STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override
        {
            Record("Advise");
            *pdwCookie = 0;
            if (FAILED(g_state.config.adviseResult))
                return g_state.config.adviseResult;
            IDispatch* pSink = nullptr;
            if (FAILED(pUnkSink->QueryInterface(DIID__IShockwaveFlashEvents, reinterpret_cast<void**>(&pSink))))
                return CONNECT_E_CANNOTCONNECT;
            if (m_outer->m_sink)
                m_outer->m_sink->Release();
            m_outer->m_sink = pSink;
            *pdwCookie = 77;
            return S_OK;
        }
        STDMETHODIMP Unadvise(DWORD dwCookie) override
        {
            Record("Unadvise(" + std::to_string(dwCookie) + ")");
            if (dwCookie != 77 || !m_outer->m_sink)
                return CONNECT_E_NOCONNECTION;
            m_outer->m_sink->Release();
            m_outer->m_sink = nullptr;
            return S_OK;
        }
        STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    private:
        FakeFlash* m_outer;
    };

    // ---- IDispatch (the typed interface's automation side) ----------------------------------
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (const Member& m : kMembers) {
                if (lstrcmpiW(m.name, names[i]) == 0)
                    ids[i] = m.id;
            }
            if (ids[i] == DISPID_UNKNOWN)
                hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override
    {
        const FakeFlashConfig& c = g_state.config;
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        auto arg = [p](UINT callIndex) -> const VARIANT& { return p->rgvarg[p->cArgs - 1 - callIndex]; };
        switch (id) {
        case kWMode:
        case kScale:
            if (!put || p->cArgs != 1 || arg(0).vt != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            Record(std::string("put ") + (id == kWMode ? "WMode=" : "Scale=") + Narrow(arg(0).bstrVal));
            return c.putResult;
        case kBackgroundColor:
            if (!put || p->cArgs != 1 || arg(0).vt != VT_I4)
                return DISP_E_TYPEMISMATCH;
            Record("put BackgroundColor=" + std::to_string(arg(0).lVal));
            return c.putResult;
        case kEmbedMovie:
            if (!put || p->cArgs != 1 || arg(0).vt != VT_BOOL)
                return DISP_E_TYPEMISMATCH;
            Record(std::string("put EmbedMovie=") + (arg(0).boolVal ? "1" : "0"));
            return c.putResult;
        case kLoadMovie:
            if (put || p->cArgs != 2 || arg(0).vt != VT_I4 || arg(1).vt != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            Record("LoadMovie(" + std::to_string(arg(0).lVal) + "," + Narrow(arg(1).bstrVal) + ")");
            return c.loadMovieResult;
        case kPlay:
            Record("Play");
            return c.playResult;
        case kStopPlay:
            Record("StopPlay");
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // ---- what tests make it do --------------------------------------------------------------
    HRESULT Fire(DISPID id, const std::vector<VARIANT>& argsInCallOrder)
    {
        if (!m_sink)
            return E_UNEXPECTED;
        std::vector<VARIANT> reversed(argsInCallOrder.rbegin(), argsInCallOrder.rend());
        DISPPARAMS params = { reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0 };
        return m_sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
    HRESULT Redraw() { return m_siteWindowless ? m_siteWindowless->InvalidateRect(nullptr, FALSE) : E_UNEXPECTED; }

private:
    // The pattern of ExpectedPatternPixel, drawn with GDI over what the DC holds.
    static void DrawPattern(HDC hdc, const RECTL& bounds)
    {
        const LONG width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
        const LONG quarter = width / 4;
        RECT red = { bounds.left, bounds.top, bounds.left + quarter, bounds.bottom };
        RECT green = { bounds.left + 2 * quarter, bounds.top, bounds.left + 3 * quarter, bounds.top + height / 2 };
        HBRUSH redBrush = ::CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH greenBrush = ::CreateSolidBrush(RGB(30, 200, 10));
        ::FillRect(hdc, &red, redBrush);
        ::FillRect(hdc, &green, greenBrush);
        ::DeleteObject(redBrush);
        ::DeleteObject(greenBrush);

        // White at half coverage: a white pixel blended with constant alpha 128.
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = 1;
        bmi.bmiHeader.biHeight = 1;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP white = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (white && bits) {
            *static_cast<DWORD*>(bits) = 0x00FFFFFF;
            HDC src = ::CreateCompatibleDC(hdc);
            HGDIOBJ old = ::SelectObject(src, white);
            BLENDFUNCTION half = { AC_SRC_OVER, 0, 128, 0 };
            ::GdiAlphaBlend(hdc, bounds.left + quarter, bounds.top, quarter, height, src, 0, 0, 1, 1, half);
            ::SelectObject(src, old);
            ::DeleteDC(src);
        }
        if (white)
            ::DeleteObject(white);
        ::GdiFlush();
    }

    ULONG m_ref = 1;
    int m_setClientSiteCalls = 0;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceSiteWindowless* m_siteWindowless = nullptr;
    IDispatch* m_sink = nullptr;
    EventPoint m_eventPoint{ this };

    friend HRESULT RequestRedraw();
};

namespace {

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        auto* p = new FakeFlash;
        Record("created");
        HRESULT hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
Factory g_factory;

}  // namespace

FakeFlashState& State()
{
    return g_state;
}

void ResetFakeFlash()
{
    FakeFlash* live = g_state.instance;
    g_state = FakeFlashState{};
    g_state.instance = live;
}

bool CallsInOrder(const std::vector<std::string>& expected)
{
    size_t next = 0;
    for (const std::string& call : g_state.calls) {
        if (next < expected.size() && call == expected[next])
            ++next;
    }
    return next == expected.size();
}

int CountCalls(const std::string& call)
{
    int n = 0;
    for (const std::string& c : g_state.calls)
        n += c == call;
    return n;
}

FakeFlashRegistration::FakeFlashRegistration()
{
    ::CoRegisterClassObject(CLSID_ShockwaveFlash, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
}

FakeFlashRegistration::~FakeFlashRegistration()
{
    if (m_cookie)
        ::CoRevokeClassObject(m_cookie);
}

HRESULT FireFSCommand(const wchar_t* command, const wchar_t* args)
{
    VARIANT v[2];
    v[0].vt = VT_BSTR;
    v[0].bstrVal = command ? ::SysAllocString(command) : nullptr;
    v[1].vt = VT_BSTR;
    v[1].bstrVal = args ? ::SysAllocString(args) : nullptr;
    HRESULT hr = FireEvent(150, { v[0], v[1] });
    ::SysFreeString(v[0].bstrVal);
    ::SysFreeString(v[1].bstrVal);
    return hr;
}

HRESULT FireEvent(DISPID id, const std::vector<VARIANT>& argsInCallOrder)
{
    return g_state.instance ? g_state.instance->Fire(id, argsInCallOrder) : E_UNEXPECTED;
}

HRESULT RequestRedraw()
{
    return g_state.instance ? g_state.instance->Redraw() : E_UNEXPECTED;
}

}  // namespace fakes
