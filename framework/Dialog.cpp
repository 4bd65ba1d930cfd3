// CDialog: template loading, creation with the window attached before its first message,
// the modal loop with pre-translation, and the standard OK/Cancel behaviour.
#include "framework/Dialog.h"

#include "framework/OleControlContainer.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything is handled by the attached object; the dialog manager does the rest.
    return FALSE;
}

HWND CDialog::CreateFromTemplate(HWND hOwner)
{
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL hTemplate = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    auto* pTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : nullptr;
    if (!pTemplate)
        return nullptr;
    if (AfxControlContainerEnabled())
        AfxRegisterTemplateControls(pTemplate, ::SizeofResource(hInst, hRes));
    BeginCreateHook("#32770");
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, pTemplate, hOwner, &CDialog::DialogProc, 0);
    EndCreateHook();
    if (!hWnd && m_hWnd) {
        // Creation failed after the window was attached (for example in WM_INITDIALOG).
        m_hWnd = nullptr;
    }
    return hWnd;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        // Default processing first, so a class's DefWindowProc sees the message before OnInitDialog.
        Default();
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    if (m_bContinueModal) {
        m_nModalResult = nResult;
        m_bContinueModal = false;
        PostMessage(WM_NULL);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard and mouse input of this dialog and its controls goes to the dialog manager.
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // A hosted control gets its accelerators before the dialog manager sees the keys.
    if (AfxTranslateControlAccelerator(m_hWnd, pMsg))
        return TRUE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = pParentWnd ? pParentWnd->m_hWnd : (pMain && pMain != this ? pMain->m_hWnd : nullptr);
    return CreateFromTemplate(hOwner) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : (pMain && pMain != this ? pMain->m_hWnd : nullptr);
    if (hOwner)
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    bool reenableOwner = hOwner && ::IsWindowEnabled(hOwner);
    if (reenableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = true;
    HWND hWnd = CreateFromTemplate(hOwner);
    if (hWnd && m_bContinueModal)
        RunModalLoop();
    m_bContinueModal = false;

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (reenableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    // A dialog whose template does not show it is shown once the queue first runs dry.
    bool showOnIdle = !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE);
    MSG msg;
    while (m_bContinueModal && m_hWnd) {
        if (showOnIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            ::UpdateWindow(m_hWnd);
            showOnIdle = false;
        }
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit message ends this loop and every loop outside it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}
