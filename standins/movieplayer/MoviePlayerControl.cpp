// The stand-in movie control: OLE object, view, windowless in-place object and event source.
#include "standins/movieplayer/MoviePlayerControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "standins/movieplayer/DcCanvas.h"
#include "standins/movieplayer/MoviePlayerIds.h"

namespace movieplayer {
namespace {

const wchar_t kTimerClass[] = L"MoviePlayerStandInTimer";
constexpr UINT_PTR kFrameTimer = 1;

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER && wParam == kFrameTimer) {
        auto* control = reinterpret_cast<MoviePlayerControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (control)
            control->OnTimer();
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A message-only window whose only job is to receive the frame timer on the control's thread.
HWND CreateTimerWindow(MoviePlayerControl* control)
{
    WNDCLASSEXW wc = { sizeof wc };
    if (!::GetClassInfoExW(g_module, kTimerClass, &wc)) {
        wc = WNDCLASSEXW{ sizeof wc };
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = g_module;
        wc.lpszClassName = kTimerClass;
        ::RegisterClassExW(&wc);
    }
    HWND hwnd = ::CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_module, nullptr);
    if (hwnd)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    return hwnd;
}

// Pixels per inch of the screen, for the extent in hundredths of a millimetre.
SIZEL PixelsToHimetric(int w, int h)
{
    HDC screen = ::GetDC(nullptr);
    int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return SIZEL{ ::MulDiv(w, 2540, dpiX > 0 ? dpiX : 96), ::MulDiv(h, 2540, dpiY > 0 ? dpiY : 96) };
}

}  // namespace

MoviePlayerControl::MoviePlayerControl() : m_events(this)
{
    ::InterlockedIncrement(&g_objects);
    m_player.SetFsCommandHandler([this](const std::string& command, const std::string& args) {
        m_events.FireFsCommand(Widen(command), Widen(args));
    });
}

MoviePlayerControl::~MoviePlayerControl()
{
    StopTimer();
    if (m_timerWindow)
        ::DestroyWindow(m_timerWindow);
    m_events.UnadviseAll();
    if (m_inPlaceSite)
        m_inPlaceSite->Release();
    if (m_site)
        m_site->Release();
    if (m_viewSink)
        m_viewSink->Release();
    ::InterlockedDecrement(&g_objects);
}

// ---- IUnknown ---------------------------------------------------------------------------------

STDMETHODIMP MoviePlayerControl::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
        *ppv = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, kIidTypedInterface) || IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2) ||
             IsEqualIID(riid, IID_IViewObjectEx))
        *ppv = static_cast<IViewObjectEx*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject) ||
             IsEqualIID(riid, IID_IOleInPlaceObjectWindowless))
        *ppv = static_cast<IOleInPlaceObjectWindowless*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStorage))
        *ppv = static_cast<IPersistStorage*>(this);
    if (!*ppv)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) MoviePlayerControl::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_ref)); }

STDMETHODIMP_(ULONG) MoviePlayerControl::Release()
{
    LONG n = ::InterlockedDecrement(&m_ref);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

// ---- IOleObject -------------------------------------------------------------------------------

STDMETHODIMP MoviePlayerControl::SetClientSite(IOleClientSite* pSite)
{
    if (pSite)
        pSite->AddRef();
    if (m_site)
        m_site->Release();
    m_site = pSite;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetClientSite(IOleClientSite** ppSite)
{
    if (!ppSite)
        return E_POINTER;
    *ppSite = m_site;
    if (m_site)
        m_site->AddRef();
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::Close(DWORD)
{
    InPlaceDeactivate();
    // Letting go of the site breaks the cycle between a container and its control.
    SetClientSite(nullptr);
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetMoniker(DWORD, DWORD, IMoniker** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::GetClipboardData(DWORD, IDataObject** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND,
                                        LPCRECT lprcPosRect)
{
    switch (iVerb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(pActiveSite ? pActiveSite : m_site, lprcPosRect);
    case OLEIVERB_HIDE:
        return InPlaceDeactivate();
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT MoviePlayerControl::ActivateInPlace(IOleClientSite* site, LPCRECT lprcPosRect)
{
    if (m_inPlaceSite || m_siteWindow) {  // already active: at most a new place
        if (lprcPosRect)
            SetObjectRects(lprcPosRect, lprcPosRect);
        return S_OK;
    }
    if (!site)
        return E_UNEXPECTED;
    IOleInPlaceSiteWindowless* windowless = nullptr;
    IOleInPlaceSite* plain = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&windowless))))
        windowless = nullptr;
    if (windowless && windowless->CanWindowlessActivate() != S_OK) {
        windowless->Release();
        windowless = nullptr;
    }
    if (windowless) {
        plain = windowless;
        plain->AddRef();
    } else if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&plain)))) {
        return E_NOINTERFACE;
    }
    if (plain->CanInPlaceActivate() != S_OK) {
        plain->Release();
        if (windowless)
            windowless->Release();
        return E_FAIL;
    }
    if (windowless) {
        BOOL noRedraw = FALSE;
        windowless->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
    } else {
        plain->OnInPlaceActivate();
    }
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = nullptr;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = { sizeof info };
    if (SUCCEEDED(plain->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
        if (frame)
            frame->Release();
        if (doc)
            doc->Release();
    }
    m_rcPos = lprcPosRect ? *lprcPosRect : pos;
    HWND hwnd = nullptr;
    plain->GetWindow(&hwnd);
    m_siteWindow = hwnd;
    plain->Release();
    m_inPlaceSite = windowless;
    if (!m_timerWindow)
        m_timerWindow = CreateTimerWindow(this);
    SyncViewport();
    if (m_player.Loaded())
        StartTimer();
    Invalidate();
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::EnumVerbs(IEnumOLEVERB** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::GetUserClassID(CLSID* pClsid)
{
    if (!pClsid)
        return E_POINTER;
    *pClsid = kClsidFlash;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetUserType(DWORD, LPOLESTR* pp)
{
    if (pp)
        *pp = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP MoviePlayerControl::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel)
        return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    m_extent = *psizel;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel)
        return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (m_extent.cx == 0 && m_extent.cy == 0 && m_player.Loaded()) {
        const TwipRect& st = m_player.GetMovie()->stage;
        *psizel = PixelsToHimetric((st.xMax - st.xMin) / 20, (st.yMax - st.yMin) / 20);
    } else {
        *psizel = m_extent;
    }
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::Advise(IAdviseSink*, DWORD* pdw)
{
    if (pdw)
        *pdw = 0;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::EnumAdvise(IEnumSTATDATA** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (!pdwStatus)
        return E_POINTER;
    *pdwStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT |
                 OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

// ---- IViewObject ------------------------------------------------------------------------------

STDMETHODIMP MoviePlayerControl::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw,
                                      LPCRECTL lprcBounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (dwDrawAspect != DVASPECT_CONTENT && dwDrawAspect != DVASPECT_TRANSPARENT)
        return DV_E_DVASPECT;
    if (!hdcDraw)
        return E_INVALIDARG;
    RECT bounds = m_rcPos;
    if (lprcBounds)
        bounds = RECT{ lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom };
    // Only the content aspect of an opaque movie paints its background; otherwise what the DC
    // holds shows through wherever the movie draws nothing.
    const bool opaque = dwDrawAspect == DVASPECT_CONTENT && ::lstrcmpiW(m_wmode.c_str(), L"transparent") != 0;
    Rgba background{ 255, 255, 255, 255 };
    if (m_backgroundColor >= 0) {
        background = Rgba{ static_cast<uint8_t>(m_backgroundColor >> 16), static_cast<uint8_t>(m_backgroundColor >> 8),
                           static_cast<uint8_t>(m_backgroundColor), 255 };
    } else if (m_player.Loaded() && m_player.GetMovie()->hasBackground) {
        background = m_player.GetMovie()->background;
    }
    const ScaleMode mode = ParseScaleMode(std::string(m_scale.begin(), m_scale.end()));
    bool drawn = DrawIntoDc(hdcDraw, bounds, [&](Canvas& canvas, const PixelRect& area) {
        m_player.SetViewport(area, mode);
        m_player.Render(canvas, opaque ? &background : nullptr);
    });
    SyncViewport();  // pointer input is in the site's coordinates
    return drawn || bounds.right <= bounds.left || bounds.bottom <= bounds.top ? S_OK : E_FAIL;
}

STDMETHODIMP MoviePlayerControl::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pSink)
{
    if (pSink)
        pSink->AddRef();
    if (m_viewSink)
        m_viewSink->Release();
    m_viewSink = pSink;
    m_viewAspects = aspects;
    m_viewAdvf = advf;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppSink)
{
    if (pAspects)
        *pAspects = m_viewAspects;
    if (pAdvf)
        *pAdvf = m_viewAdvf;
    if (ppSink) {
        *ppSink = m_viewSink;
        if (m_viewSink)
            m_viewSink->AddRef();
    }
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return GetExtent(dwDrawAspect, lpsizel);
}

STDMETHODIMP MoviePlayerControl::GetViewStatus(DWORD* pdwStatus)
{
    if (!pdwStatus)
        return E_POINTER;
    // A transparent movie lets the container's background show.
    *pdwStatus = ::lstrcmpiW(m_wmode.c_str(), L"transparent") == 0 ? 0 : VIEWSTATUS_OPAQUE;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::QueryHitPoint(DWORD, LPCRECT pRectBounds, POINT ptlLoc, LONG, DWORD* pHitResult)
{
    if (!pHitResult || !pRectBounds)
        return E_POINTER;
    *pHitResult = ::PtInRect(pRectBounds, ptlLoc) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

// ---- IOleInPlaceObjectWindowless ----------------------------------------------------------------

STDMETHODIMP MoviePlayerControl::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = nullptr;
    return E_FAIL;  // windowless: no window of its own
}

STDMETHODIMP MoviePlayerControl::InPlaceDeactivate()
{
    StopTimer();
    if (m_inPlaceSite) {
        IOleInPlaceSiteWindowless* site = m_inPlaceSite;
        m_inPlaceSite = nullptr;
        site->OnInPlaceDeactivateEx(TRUE);
        site->Release();
    }
    m_siteWindow = nullptr;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (!lprcPosRect)
        return E_POINTER;
    bool moved = !::EqualRect(&m_rcPos, lprcPosRect);
    m_rcPos = *lprcPosRect;
    SyncViewport();
    if (moved)
        Invalidate();
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::OnWindowMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT* plResult)
{
    if (plResult)
        *plResult = 0;
    if (!m_player.Loaded())
        return S_FALSE;
    AddRef();  // a command raised from here may make the container let go of us
    SyncViewport();
    const double x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    bool took = false;
    ++m_playerCalls;
    switch (msg) {
    case WM_MOUSEMOVE:
        took = m_player.PointerMove(x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        took = m_player.PointerDown(x, y);
        if (took && m_inPlaceSite)
            m_inPlaceSite->SetCapture(TRUE);
        break;
    case WM_LBUTTONUP:
        took = m_player.PointerUp(x, y);
        if (m_inPlaceSite && m_inPlaceSite->GetCapture() == S_OK)
            m_inPlaceSite->SetCapture(FALSE);
        break;
    case WM_SETCURSOR:
        if (m_player.PointerOverButton()) {
            ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            if (plResult)
                *plResult = TRUE;
            took = true;
        }
        break;
    default:
        break;
    }
    --m_playerCalls;
    if (m_player.TakeDirty())
        Invalidate();
    Release();
    return took ? S_OK : S_FALSE;
}

STDMETHODIMP MoviePlayerControl::GetDropTarget(IDropTarget** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

// ---- IConnectionPointContainer ------------------------------------------------------------------

STDMETHODIMP MoviePlayerControl::EnumConnectionPoints(IEnumConnectionPoints** pp)
{
    if (pp)
        *pp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP MoviePlayerControl::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    if (!IsEqualIID(riid, kDiidEvents))
        return CONNECT_E_NOCONNECTION;
    *ppCP = &m_events;
    m_events.AddRef();
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetClassID(CLSID* pClsid)
{
    if (!pClsid)
        return E_POINTER;
    *pClsid = kClsidFlash;
    return S_OK;
}

// ---- frames -------------------------------------------------------------------------------------

void MoviePlayerControl::OnTimer()
{
    if (m_playerCalls > 0)
        return;
    AddRef();
    ++m_playerCalls;
    m_player.Tick();
    --m_playerCalls;
    if (m_player.TakeDirty())
        Invalidate();
    Release();
}

void MoviePlayerControl::StartTimer()
{
    if (!m_timerWindow || !m_player.Loaded())
        return;
    double rate = std::max(1.0, std::min(m_player.FrameRate(), 100.0));
    UINT interval = static_cast<UINT>(std::lround(1000.0 / rate));
    m_timerRunning = ::SetTimer(m_timerWindow, kFrameTimer, interval, nullptr) != 0;
}

void MoviePlayerControl::StopTimer()
{
    if (m_timerWindow && m_timerRunning)
        ::KillTimer(m_timerWindow, kFrameTimer);
    m_timerRunning = false;
}

void MoviePlayerControl::Invalidate()
{
    if (m_inPlaceSite)
        m_inPlaceSite->InvalidateRect(nullptr, FALSE);
    else if (m_siteWindow)
        ::InvalidateRect(m_siteWindow, &m_rcPos, FALSE);
}

void MoviePlayerControl::SyncViewport()
{
    m_player.SetViewport(PixelRect{ m_rcPos.left, m_rcPos.top, m_rcPos.right, m_rcPos.bottom },
                         ParseScaleMode(std::string(m_scale.begin(), m_scale.end())));
}

std::wstring MoviePlayerControl::Widen(const std::string& text) const
{
    if (text.empty())
        return std::wstring();
    // Movies of version 6 and later store UTF-8; older ones the system's code page.
    const bool utf8 = m_player.Loaded() && m_player.GetMovie()->version >= 6;
    UINT cp = utf8 ? CP_UTF8 : CP_ACP;
    DWORD flags = utf8 ? MB_ERR_INVALID_CHARS : 0;
    int n = ::MultiByteToWideChar(cp, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        cp = CP_ACP;
        flags = 0;
        n = ::MultiByteToWideChar(cp, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    }
    std::wstring out(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(cp, flags, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

}  // namespace movieplayer
