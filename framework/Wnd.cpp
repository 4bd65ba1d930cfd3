// CWnd: the handle-to-object link, the window procedure that feeds message maps, subclassing,
// creation hooking, pre-translation and the window helpers of the framework.
#include "framework/Wnd.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {

// The property that links a window to its framework object.
const char kObjectProp[] = "TavikFrameworkWnd";

struct CreateHookState {
    HHOOK hHook = nullptr;
    CWnd* pWndInit = nullptr;
    const char* pszClass = nullptr;
};
thread_local CreateHookState t_createHook;

bool ClassIs(HWND hWnd, const char* pszClass)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return lstrcmpiA(name, pszClass) == 0;
}

}  // namespace

// ---- message maps ---------------------------------------------------------------------------

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfnHandler; ++e) {
            if (e->nMessage == nMessage && (nMessage != WM_COMMAND || e->nID == nID))
                return e;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    // Only menu, accelerator and button-click commands; other control notifications are not commands.
    if (nCode != 0 && nCode != 1)
        return false;
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, nID);
    if (!e)
        return false;
    LRESULT ignored = 0;
    return e->pfnHandler(this, 0, 0, &ignored);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, nullptr } };
    static const AFX_MSGMAP map = { &CCmdTarget::GetThisMessageMap, entries };
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

// ---- attachment -----------------------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // A window must not outlive its object: destroy it while the object can still answer.
        ::DestroyWindow(m_hWnd);
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProp));
}

void CWnd::AttachAndSubclass(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProp, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &CWnd::WndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    if (::GetPropA(m_hWnd, kObjectProp) == this)
        ::RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    AttachAndSubclass(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return pParent ? SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID))) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    Detach();
    return hWnd;
}

LRESULT CALLBACK CWnd::CbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    CreateHookState& st = t_createHook;
    if (nCode == HCBT_CREATEWND && st.pWndInit) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        // Helper windows the system may create first (input method windows) are left alone.
        if (!st.pszClass || ClassIs(hWnd, st.pszClass)) {
            CWnd* pWnd = st.pWndInit;
            st.pWndInit = nullptr;
            pWnd->AttachAndSubclass(hWnd);
        }
    }
    return ::CallNextHookEx(st.hHook, nCode, wParam, lParam);
}

void CWnd::BeginCreateHook(const char* pszClass)
{
    CreateHookState& st = t_createHook;
    st.pWndInit = this;
    st.pszClass = pszClass;
    if (!st.hHook)
        st.hHook = ::SetWindowsHookExA(WH_CBT, &CWnd::CbtHook, nullptr, ::GetCurrentThreadId());
}

void CWnd::EndCreateHook()
{
    CreateHookState& st = t_createHook;
    st.pWndInit = nullptr;
    st.pszClass = nullptr;
    if (st.hHook) {
        ::UnhookWindowsHookEx(st.hHook);
        st.hHook = nullptr;
    }
}

// ---- message processing ---------------------------------------------------------------------

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg = MSG{ hWnd, message, wParam, lParam, 0, {} };
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_currentMsg = saved;

    if (message == WM_NCDESTROY) {
        // The window is gone; the object may be reused or may delete itself.
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(message, 0);
    return e && e->pfnHandler(this, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (OnCmdMsg(nID, nCode))
        return TRUE;
    // Commands the main window does not handle go on to the application object.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
        return pApp->OnCmdMsg(nID, nCode);
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hMain = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hMain, pMsg))
        return TRUE;
    if (hMain) {
        // The top-level window of the target through parents and owners.
        HWND hTop = pMsg->hwnd;
        while (hTop && ::GetParent(hTop))
            hTop = ::GetParent(hTop);
        if (hTop != hMain)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

// ---- helpers --------------------------------------------------------------------------------

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    POINT pts[2] = { { lpRect->left, lpRect->top }, { lpRect->right, lpRect->bottom } };
    ::ClientToScreen(m_hWnd, &pts[0]);
    ::ClientToScreen(m_hWnd, &pts[1]);
    lpRect->left = pts[0].x;
    lpRect->top = pts[0].y;
    lpRect->right = pts[1].x;
    lpRect->bottom = pts[1].y;
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    char* buf = rString.GetBuffer(n + 1);
    int got = ::GetWindowTextA(m_hWnd, buf, n + 1);
    rString.ReleaseBuffer(got);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    // Centred over the owner when it is visible, otherwise in the work area of the monitor the
    // window is on (the primary one when it is off every screen).
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcWnd, rcArea;
    ::GetWindowRect(m_hWnd, &rcWnd);
    MONITORINFO mi = { sizeof mi };
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    rcArea = mi.rcWork;
    RECT rcCenter = rcArea;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &rcCenter);
    int w = rcWnd.right - rcWnd.left, h = rcWnd.bottom - rcWnd.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
    // Keep it inside the work area.
    if (x + w > rcArea.right) x = rcArea.right - w;
    if (x < rcArea.left) x = rcArea.left;
    if (y + h > rcArea.bottom) y = rcArea.bottom - h;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const wchar_t* pszText, const wchar_t* pszCaption, UINT nType)
{
    std::wstring caption = pszCaption ? std::wstring(pszCaption) : AfxGetAppTitle();
    return ::MessageBoxW(m_hWnd, pszText ? pszText : L"", caption.c_str(), nType);
}

int CWnd::MessageBox(const char* pszText, const char* pszCaption, UINT nType)
{
    if (pszCaption)
        return ::MessageBoxA(m_hWnd, pszText ? pszText : "", pszCaption, nType);
    return MessageBox(CString(pszText).Wide().c_str(), nullptr, nType);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_hDC(::BeginPaint(pWnd->m_hWnd, &m_ps)) {}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}
