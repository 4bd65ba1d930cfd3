// CDialog and CDialogEx: dialogs made from the program's templates, run modally in the
// framework's own message loop (with pre-translation) or modelessly.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog in the framework's modal loop; the result of EndDialog, or -1 when the
    // dialog could not be made or a quit message ended the loop.
    virtual INT_PTR DoModal();
    // Makes the dialog modeless, owned by pParentWnd (or the main window).
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp = 0;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnPaint() { Default(); }

    DECLARE_MESSAGE_MAP()

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(HWND hOwner);
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    bool m_bContinueModal = false;
    INT_PTR m_nModalResult = -1;
};

// The extended dialog class; the launcher uses it as a plain dialog.
class CDialogEx : public CDialog {
public:
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};
