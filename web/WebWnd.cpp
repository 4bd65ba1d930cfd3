// The popup web window: template binding, keys, the Backspace hook, the control's placement and
// the routing of the page's new-window requests.
#include "web/WebWnd.h"

#include "app/LauncherSettings.h"
#include "web/DefaultBrowser.h"
#include "web/GameLink.h"

HWND g_hWebWnd = nullptr;
HHOOK g_hKeyHook = nullptr;

namespace {

const DISPID kDispStatusTextChange = 102;
const DISPID kDispNewWindow2 = 251;

}  // namespace

BEGIN_MESSAGE_MAP(CWebWnd, CDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CWebWnd, CDialog)
    ON_EVENT(CWebWnd, IDC_WEB_BROWSER, kDispStatusTextChange, &CWebWnd::OnStatusTextChange)
    ON_EVENT(CWebWnd, IDC_WEB_BROWSER, kDispNewWindow2, &CWebWnd::OnNewWindow2)
END_EVENTSINK_MAP()

CWebWnd::CWebWnd() : CDialog(IDD) {}

void CWebWnd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WEB_BROWSER, m_browser);
}

BOOL CWebWnd::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_hWebWnd = m_hWnd;
    return TRUE;
}

void CWebWnd::OnOK()
{
    // The page's own Enter must never close or hide the window.
}

BOOL CWebWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_F5) {
            m_browser.Refresh();
            return TRUE;
        }
        // Enter and Escape belong to the page, not to the dialog manager.
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            return CWnd::PreTranslateMessage(pMsg);
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CWebWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        g_hKeyHook = ::SetWindowsHookExA(WH_GETMESSAGE, &WebWndKeyHookProc, nullptr, ::GetCurrentThreadId());
    } else if (message == WM_DESTROY) {
        if (g_hKeyHook)
            ::UnhookWindowsHookEx(g_hKeyHook);
        g_hKeyHook = nullptr;
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}

LRESULT CALLBACK WebWndKeyHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode >= 0 && wParam == PM_REMOVE && pMsg && pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_UNICHAR &&
        pMsg->wParam == VK_BACK && ::IsDialogMessageA(g_hWebWnd, pMsg)) {
        pMsg->message = WM_NULL;
        pMsg->wParam = 0;
        pMsg->lParam = 0;
    }
    return ::CallNextHookEx(g_hKeyHook, nCode, wParam, lParam);
}

void CWebWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_browser.m_hWnd) {
        // The control reaches past the edges so that its own border stays out of sight.
        CRect rc;
        GetClientRect(&rc);
        m_browser.SetWindowPos(nullptr, -2, -2, rc.Width() + 4, rc.Height() + 11, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CDialog::OnSize(nType, cx, cy);
}

void CWebWnd::OnStatusTextChange(const char* text)
{
    if (text && *text)
        m_strLinkUrl = text;
}

void CWebWnd::OnNewWindow2(IDispatch** /*ppDisp*/, BOOL* Cancel)
{
    if (IsGameLink(m_strLinkUrl, g_strGameUrl)) {
        // The game window is not opened from here yet; the page still opens no window.
        *Cancel = TRUE;
        return;
    }
    LaunchDefaultBrowser(m_strLinkUrl);
    *Cancel = TRUE;
}
