// The main launcher window: icons, the update worker start, the about command, minimised
// painting, and a window that is client area everywhere.
#include "launcher/TavikGameDlg.h"

#include "app/TavikGameApp.h"
#include "launcher/AboutDlg.h"
#include "launcher/UpdateWorker.h"

BYTE g_bDialogDragging = 0;
POINT g_ptDialogDragOffset = { 0, 0 };

BEGIN_MESSAGE_MAP(CTavikGameDlg, CDialogEx)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SIZE()
    ON_WM_CREATE()
    ON_MESSAGE(WM_USER + 10002, &CTavikGameDlg::OnUserQuery)
END_MESSAGE_MAP()

CTavikGameDlg::CTavikGameDlg() : CDialogEx(IDD_TAVIKGAME_DIALOG, nullptr)
{
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

BOOL CTavikGameDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    StartUpdateWorker(m_hWnd);

    // The window becomes a borderless layered popup off-screen, playing the login movie.
    CFlashDlgBase::CreateControl(m_hWnd, CLSID_ShockwaveFlash, WS_EX_LAYERED, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX);

    // The page window, hidden until the movie places it.
    CreateWebWnd();
    LayoutWebWnd();

    SetWindowText(g_strTitle);
    return TRUE;
}

BOOL CTavikGameDlg::PreTranslateMessage(MSG* pMsg)
{
    // The rules look only at the message, never at its window: they act on this window and its
    // movie, whichever window of the thread the message was for.
    const UINT message = pMsg->message;
    if (message == WM_SYSCOMMAND && pMsg->wParam == SC_CLOSE) {
        ::PostQuitMessage(0);
        return TRUE;
    }
    switch (message) {
    case WM_CREATE:
        if (pMsg->lParam)
            ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, *reinterpret_cast<const LONG_PTR*>(pMsg->lParam));
        return FALSE;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        break;
    case WM_SIZE:
        SizeControl();
        return FALSE;
    case WM_PAINT:
        if (!m_bLayered) {
            PaintControl();
            return FALSE;
        }
        break;
    case WM_LBUTTONDOWN:
        BeginDrag(m_hWnd, &g_bDialogDragging, &g_ptDialogDragOffset);
        break;
    case WM_MOUSEMOVE:
        if (g_bDialogDragging) {
            DragTo(m_hWnd, g_ptDialogDragOffset, SWP_NOSIZE);
            LayoutWebWnd();
        }
        break;
    case WM_LBUTTONUP:
        ::ReleaseCapture();
        g_bDialogDragging = 0;
        break;
    default:
        break;
    }

    // The movie gets the input; what it consumes is not translated or dispatched.
    if (IsControlInputMessage(message) || message == WM_SYSKEYDOWN) {
        LRESULT result = 0;
        if (ForwardToControl(message, pMsg->wParam, pMsg->lParam, &result))
            return result != 0;
    }
    // Not the dialog's own pre-translation: Tab, Enter and Escape belong to the movie.
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CTavikGameDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // No caption dragging or border sizing by the system: the movie decides.
    if (message == WM_NCHITTEST)
        return HTCLIENT;
    return CDialogEx::DefWindowProc(message, wParam, lParam);
}

void CTavikGameDlg::OnOK()
{
    // Enter must not close the launcher.
    UpdateData(TRUE);
}

void CTavikGameDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialogEx::OnSysCommand(nID, lParam);
    }
}

void CTavikGameDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        int cxIcon = ::GetSystemMetrics(SM_CXICON);
        int cyIcon = ::GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - cxIcon + 1) / 2;
        int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialogEx::OnPaint();
    }
}

HCURSOR CTavikGameDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CTavikGameDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    LayoutWebWnd();
}

int CTavikGameDlg::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CDialogEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableScrollBar(SB_BOTH, ESB_ENABLE_BOTH);
    return 0;
}

LRESULT CTavikGameDlg::OnUserQuery(WPARAM, LPARAM)
{
    return 0;
}
