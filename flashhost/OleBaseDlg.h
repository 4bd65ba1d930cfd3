// TOleBaseDlg<T>: makes a dialog's window the container of one windowless ActiveX control whose
// typed interface is T. One object is the client site, the windowless in-place site, the
// in-place frame and a storage stub; its reference count never ends its life, which is the
// life of the dialog it is part of. It creates and activates the control, renders it (layered,
// with per-pixel alpha, or plainly into a DC) and handles the host window's messages.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "app/LauncherSettings.h"
#include "flashhost/LayeredFrame.h"

// Drag state of hosts that use HostWindowProc, shared by every host in the process.
extern BYTE g_bHostDragging;
extern POINT g_ptHostDragOffset;

// Input messages a windowless control receives from its host.
inline bool IsControlInputMessage(UINT message)
{
    return message == WM_SETCURSOR || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL);
}

template <class T>
class TOleBaseDlg : public IOleClientSite, public IOleInPlaceSiteWindowless, public IOleInPlaceFrame, public IStorage {
public:
    TOleBaseDlg() = default;
    TOleBaseDlg(const TOleBaseDlg&) = delete;
    TOleBaseDlg& operator=(const TOleBaseDlg&) = delete;

    // ---- IUnknown, shared by all interfaces -------------------------------------------------
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleInPlaceSiteEx) ||
                 IsEqualIID(riid, IID_IOleInPlaceSiteWindowless))
            *ppv = static_cast<IOleInPlaceSiteWindowless*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceFrame))
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else if (IsEqualIID(riid, IID_IStorage))
            *ppv = static_cast<IStorage*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_nRefCount); }
    // The count may reach zero or below; the object lives as long as its dialog.
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_nRefCount); }

    // ---- IOleClientSite -----------------------------------------------------------------------
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override
    {
        if (ppContainer)
            *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    virtual ~TOleBaseDlg()
    {
        if (m_pControl) {
            if (m_pConnectionPoint) {
                if (m_dwEventCookie)
                    m_pConnectionPoint->Unadvise(m_dwEventCookie);
                m_pConnectionPoint->Release();
            }
            if (m_pConnectionPointContainer)
                m_pConnectionPointContainer->Release();
            m_pOleObject->Close(OLECLOSE_NOSAVE);
            if (m_pViewObjectEx)
                m_pViewObjectEx->Release();
            if (m_pViewObject)
                m_pViewObject->Release();
            if (m_pInPlaceObjectWindowless)
                m_pInPlaceObjectWindowless->Release();
            if (m_pInPlaceObject)
                m_pInPlaceObject->Release();
            m_pOleObject->Release();
            m_pControl->Release();
        } else if (m_pOleObject) {
            // Creation stopped before the typed interface: the control was never activated, but
            // the object OleCreate gave us is still ours to let go.
            m_pOleObject->Release();
        }
        FreeBuffers();
    }

    // ---- the host's operations ----------------------------------------------------------------

    // The host window's message handler (for hosts that use it as their window procedure).
    virtual LRESULT HostWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CREATE: {
            auto* pcs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, pcs ? reinterpret_cast<LONG_PTR>(pcs->lpCreateParams) : 0);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_SIZE:
            SizeControl();
            return 0;
        case WM_PAINT:
            if (!m_bLayered) {
                PaintControl();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            BeginDrag(hWnd, &g_bHostDragging, &g_ptHostDragOffset);
            break;
        case WM_MOUSEMOVE:
            if (g_bHostDragging)
                DragTo(hWnd, g_ptHostDragOffset, SWP_NOSIZE);
            break;
        case WM_LBUTTONUP:
            ::ReleaseCapture();
            g_bHostDragging = 0;
            break;
        default:
            break;
        }
        LRESULT result = 0;
        if (IsControlInputMessage(message) && ForwardToControl(message, wParam, lParam, &result))
            return result;
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    // Turns hWndHost into a borderless popup off-screen with the configured size, creates the
    // control there and activates it. FALSE when a step fails; what was obtained stays for the
    // destructor to release.
    virtual BOOL CreateControl(HWND hWndHost, REFCLSID clsid, DWORD dwExStyle, DWORD dwStyle)
    {
        m_clsid = clsid;
        m_bLayered = dwExStyle & WS_EX_LAYERED;

        m_hWndHost = hWndHost;
        ::SetWindowLongA(hWndHost, GWL_STYLE, static_cast<LONG>(dwStyle & ~static_cast<DWORD>(WS_CAPTION)));
        ::SetWindowLongA(hWndHost, GWL_EXSTYLE, static_cast<LONG>(dwExStyle));

        ::SetWindowPos(hWndHost, nullptr, -10000, -10000, g_nWindowWidth, g_nWindowHeight, SWP_NOZORDER);
        ::UpdateWindow(hWndHost);

        ::OleCreate(m_clsid, IID_IOleObject, OLERENDER_DRAW, nullptr, static_cast<IOleClientSite*>(this),
                    static_cast<IStorage*>(this), reinterpret_cast<void**>(&m_pOleObject));
        if (!m_pOleObject || FAILED(::OleSetContainedObject(m_pOleObject, TRUE)))
            return FALSE;
        if (FAILED(m_pOleObject->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&m_pControl)))) {
            m_pControl = nullptr;
            return FALSE;
        }
        if (FAILED(m_pOleObject->QueryInterface(IID_IViewObjectEx, reinterpret_cast<void**>(&m_pViewObjectEx)))) {
            m_pViewObjectEx = nullptr;
            if (FAILED(m_pOleObject->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&m_pViewObject)))) {
                m_pViewObject = nullptr;
                return FALSE;
            }
        }
        if (m_bLayered) {
            if (FAILED(m_pOleObject->QueryInterface(IID_IOleInPlaceObjectWindowless,
                                                    reinterpret_cast<void**>(&m_pInPlaceObjectWindowless)))) {
                m_pInPlaceObjectWindowless = nullptr;
                if (!QueryInPlaceObject())
                    return FALSE;
                // Without windowless activation there is no per-pixel alpha: draw plainly.
                m_bLayered = 0;
            }
        } else if (!QueryInPlaceObject()) {
            return FALSE;
        }
        if (!OnBeforeActivate())
            return FALSE;
        if (FAILED(m_pOleObject->SetClientSite(static_cast<IOleClientSite*>(this))))
            return FALSE;
        if (FAILED(m_pOleObject->DoVerb(OLEIVERB_SHOW, nullptr, static_cast<IOleClientSite*>(this), 0, nullptr, nullptr)))
            return FALSE;
        return OnAfterActivate() ? TRUE : FALSE;
    }

    // Renders the whole control. Layered: over black and over white into the cached buffers,
    // alpha from the difference, presented with UpdateLayeredWindow. Otherwise into hDC (or the
    // window's DC). The rectangle and erase flag do not matter: every call draws everything.
    virtual void DrawControl(HDC hDC, LPCRECT, BOOL)
    {
        IViewObject* pView = m_pViewObjectEx ? static_cast<IViewObject*>(m_pViewObjectEx) : m_pViewObject;
        if (!m_bLayered) {
            RECT rcClient;
            ::GetClientRect(m_hWndHost, &rcClient);
            if (!pView)
                return;
            if (hDC) {
                ::OleDraw(pView, DVASPECT_CONTENT, hDC, &rcClient);
            } else {
                HDC hWndDC = ::GetDC(m_hWndHost);
                ::OleDraw(pView, DVASPECT_CONTENT, hWndDC, &rcClient);
                ::ReleaseDC(m_hWndHost, hWndDC);
            }
            return;
        }

        RECT rcWindow;
        ::GetWindowRect(m_hWndHost, &rcWindow);
        const int width = rcWindow.right - rcWindow.left;
        const int height = rcWindow.bottom - rcWindow.top;
        const bool empty = width <= 0 || height <= 0;
        if (!m_hdcBlack || !::EqualRect(&rcWindow, &m_rcBuffers))
            MakeBuffers(rcWindow, width, height);
        // Buffers that could not or should not be made (a window too large): skip the frame.
        if (!empty && (!m_pBitsBlack || !m_pBitsWhite))
            return;

        if (m_pOleObject && pView && !empty) {
            RECT rcClient;
            ::GetClientRect(m_hWndHost, &rcClient);
            const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
            ::memset(m_pBitsBlack, 0x00, bytes);
            ::memset(m_pBitsWhite, 0xFF, bytes);
            ::OleDraw(pView, DVASPECT_TRANSPARENT, m_hdcBlack, &rcClient);
            ::OleDraw(pView, DVASPECT_TRANSPARENT, m_hdcWhite, &rcClient);
            ::GdiFlush();
            tavik::ReconstructAlpha(m_pBitsBlack, m_pBitsWhite, static_cast<size_t>(width) * static_cast<size_t>(height));
        }

        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        HMODULE hUser32 = ::LoadLibraryA("User32.DLL");
        if (!hUser32)
            return;
        using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
        auto pfnUpdate = reinterpret_cast<UpdateLayeredWindowFn>(::GetProcAddress(hUser32, "UpdateLayeredWindow"));
        if (pfnUpdate) {
            POINT ptDest = { rcWindow.left, rcWindow.top };
            SIZE size = { width, height };
            POINT ptSrc = { 0, 0 };
            pfnUpdate(m_hWndHost, nullptr, &ptDest, &size, m_hdcBlack, &ptSrc, 0, &blend, ULW_ALPHA);
        }
        ::FreeLibrary(hUser32);
    }

    // Hooks around activation, for the specialisation of a control.
    virtual BOOL OnBeforeActivate() { return TRUE; }
    virtual BOOL OnAfterActivate() { return TRUE; }

    // IDispatch-shaped operations: a derived class that also implements an event dispinterface
    // answers its calls with these.
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    {
        return S_OK;
    }

    // ---- IOleWindow (in-place site and frame) -------------------------------------------------
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        if (!phwnd)
            return E_POINTER;
        *phwnd = m_hWndHost;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // ---- IOleInPlaceSite / Ex / Windowless ----------------------------------------------------
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override
    {
        if (ppFrame) {
            *ppFrame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
        }
        if (ppDoc)
            *ppDoc = nullptr;
        if (lpFrameInfo) {
            lpFrameInfo->fMDIApp = FALSE;
            lpFrameInfo->hwndFrame = m_hWndHost;
            lpFrameInfo->haccel = nullptr;
            lpFrameInfo->cAccelEntries = 0;
        }
        RECT rcClient = {};
        ::GetClientRect(m_hWndHost, &rcClient);
        if (lprcPosRect)
            *lprcPosRect = rcClient;
        if (lprcClipRect)
            *lprcClipRect = rcClient;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    STDMETHODIMP OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD) override
    {
        if (pfNoRedraw)
            *pfNoRedraw = FALSE;
        return S_OK;
    }
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { return S_FALSE; }
    STDMETHODIMP RequestUIActivate() override { return S_FALSE; }
    STDMETHODIMP CanWindowlessActivate() override { return S_OK; }
    STDMETHODIMP GetCapture() override { return S_FALSE; }
    STDMETHODIMP SetCapture(BOOL) override { return S_FALSE; }
    STDMETHODIMP GetFocus() override { return S_OK; }
    STDMETHODIMP SetFocus(BOOL) override { return S_OK; }
    STDMETHODIMP GetDC(LPCRECT, DWORD, HDC* phDC) override
    {
        // No device context is handed out; the caller gets a clear "none".
        if (phDC)
            *phDC = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP ReleaseDC(HDC) override { return S_FALSE; }
    STDMETHODIMP InvalidateRect(LPCRECT pRect, BOOL fErase) override
    {
        DrawControl(nullptr, pRect, fErase);
        return S_OK;
    }
    STDMETHODIMP InvalidateRgn(HRGN, BOOL) override { return S_OK; }
    STDMETHODIMP ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP AdjustRect(LPRECT) override { return S_FALSE; }
    STDMETHODIMP OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return S_FALSE; }

    // ---- IOleInPlaceUIWindow / IOleInPlaceFrame -----------------------------------------------
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }

    // ---- IStorage: a stub; nothing is ever stored ----------------------------------------------
    STDMETHODIMP CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    STDMETHODIMP OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    STDMETHODIMP CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage**) override { return E_NOTIMPL; }
    STDMETHODIMP OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) override { return E_NOTIMPL; }
    STDMETHODIMP CopyTo(DWORD, const IID*, SNB, IStorage*) override { return E_NOTIMPL; }
    STDMETHODIMP MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP EnumElements(DWORD, void*, DWORD, IEnumSTATSTG**) override { return E_NOTIMPL; }
    STDMETHODIMP DestroyElement(const OLECHAR*) override { return E_NOTIMPL; }
    STDMETHODIMP RenameElement(const OLECHAR*, const OLECHAR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*, const FILETIME*) override { return E_NOTIMPL; }
    STDMETHODIMP SetClass(REFCLSID) override { return S_OK; }
    STDMETHODIMP SetStateBits(DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }

protected:
    bool QueryInPlaceObject()
    {
        if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject))))
            return true;
        m_pInPlaceObject = nullptr;
        return false;
    }

    // WM_SIZE: show the control again and give it the client area.
    void SizeControl()
    {
        if (m_pOleObject &&
            FAILED(m_pOleObject->DoVerb(OLEIVERB_SHOW, nullptr, static_cast<IOleClientSite*>(this), 0, nullptr, nullptr)))
            return;
        RECT rcClient;
        ::GetClientRect(m_hWndHost, &rcClient);
        if (m_pInPlaceObjectWindowless)
            m_pInPlaceObjectWindowless->SetObjectRects(&rcClient, &rcClient);
        else if (m_pInPlaceObject)
            m_pInPlaceObject->SetObjectRects(&rcClient, &rcClient);
    }

    // WM_PAINT of a host that is not layered.
    void PaintControl()
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWndHost, &ps);
        DrawControl(hDC, &ps.rcPaint, ps.fErase);
        ::EndPaint(m_hWndHost, &ps);
    }

    // A left-button window drag: the offset of the cursor from the window's corner.
    static void BeginDrag(HWND hWnd, BYTE* pDragging, POINT* pOffset)
    {
        POINT pt;
        RECT rc;
        ::GetCursorPos(&pt);
        ::GetWindowRect(hWnd, &rc);
        pOffset->x = pt.x - rc.left;
        pOffset->y = pt.y - rc.top;
        *pDragging = 1;
        ::SetCapture(hWnd);
    }

    static void DragTo(HWND hWnd, POINT offset, UINT flags)
    {
        POINT pt;
        ::GetCursorPos(&pt);
        ::SetWindowPos(hWnd, nullptr, pt.x - offset.x, pt.y - offset.y, 0, 0, flags);
    }

    // Gives an input message to the windowless control; true when it consumed it (S_OK).
    bool ForwardToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        if (!m_pInPlaceObjectWindowless)
            return false;
        LRESULT result = 0;
        if (m_pInPlaceObjectWindowless->OnWindowMessage(message, wParam, lParam, &result) != S_OK)
            return false;
        *pResult = result;
        return true;
    }

    void FreeBuffers()
    {
        if (m_hdcBlack)
            ::DeleteDC(m_hdcBlack);
        if (m_hbmBlack)
            ::DeleteObject(m_hbmBlack);
        if (m_hdcWhite)
            ::DeleteDC(m_hdcWhite);
        if (m_hbmWhite)
            ::DeleteObject(m_hbmWhite);
        m_hdcBlack = m_hdcWhite = nullptr;
        m_hbmBlack = m_hbmWhite = nullptr;
        m_pBitsBlack = m_pBitsWhite = nullptr;
    }

    // Two top-down 32-bit DIB sections of the window's size, each in a memory DC.
    void MakeBuffers(const RECT& rcWindow, int width, int height)
    {
        FreeBuffers();
        m_rcBuffers = rcWindow;
        HDC hScreen = ::GetDC(m_hWndHost);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        const bool allowed = tavik::FrameBuffersAllowed(width, height);
        m_hdcBlack = ::CreateCompatibleDC(hScreen);
        m_hbmBlack = allowed ? ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0) : nullptr;
        m_pBitsBlack = m_hbmBlack ? static_cast<BYTE*>(pBits) : nullptr;
        if (m_hbmBlack)
            ::SelectObject(m_hdcBlack, m_hbmBlack);
        pBits = nullptr;
        m_hdcWhite = ::CreateCompatibleDC(hScreen);
        m_hbmWhite = allowed ? ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0) : nullptr;
        m_pBitsWhite = m_hbmWhite ? static_cast<BYTE*>(pBits) : nullptr;
        if (m_hbmWhite)
            ::SelectObject(m_hdcWhite, m_hbmWhite);
        ::ReleaseDC(m_hWndHost, hScreen);
    }

public:
    CLSID m_clsid = {};
    T* m_pControl = nullptr;
    IOleObject* m_pOleObject = nullptr;
    IViewObject* m_pViewObject = nullptr;
    IViewObjectEx* m_pViewObjectEx = nullptr;
    IOleInPlaceObject* m_pInPlaceObject = nullptr;
    IOleInPlaceObjectWindowless* m_pInPlaceObjectWindowless = nullptr;
    IConnectionPointContainer* m_pConnectionPointContainer = nullptr;
    IConnectionPoint* m_pConnectionPoint = nullptr;
    HWND m_hWndHost = nullptr;
    BOOL m_bLayered = 0;
    DWORD m_dwEventCookie = 0;
    HDC m_hdcBlack = nullptr;
    HBITMAP m_hbmBlack = nullptr;
    RECT m_rcBuffers = {};
    BYTE* m_pBitsBlack = nullptr;
    HDC m_hdcWhite = nullptr;
    HBITMAP m_hbmWhite = nullptr;
    BYTE* m_pBitsWhite = nullptr;
    LONG m_nRefCount = 0;
};
