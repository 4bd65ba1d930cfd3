// CWebWnd: the launcher's page window, a borderless popup dialog owned by the main window with a
// WebBrowser control. It remembers the link under the pointer, sends new-window links to the
// default browser, and has the dialog manager handle Backspace for the page as it is retrieved.
#pragma once

#include "framework/Afx.h"
#include "resource.h"
#include "web/WebBrowser2.h"

class CWebWnd : public CDialog {
public:
    enum { IDD = IDD_WEB_WND };

    CWebWnd();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CWebBrowser2 m_browser;
    // The main launcher dialog that created this window; not owned, null until it sets itself.
    CDialog* m_pOwnerDlg = nullptr;
    // The last non-empty status text of the page: the address of the link being opened.
    CString m_strLinkUrl;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSize(UINT nType, int cx, int cy);
    void OnStatusTextChange(const char* text);
    void OnNewWindow2(IDispatch** ppDisp, BOOL* Cancel);

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()
};

// The popup web window, set in its OnInitDialog.
extern HWND g_hWebWnd;
// The GUI thread's message hook, installed while the popup web window exists.
extern HHOOK g_hKeyHook;

// Hands Backspace key messages for the popup web window to the dialog manager as they are
// retrieved, and leaves an empty message in their place.
LRESULT CALLBACK WebWndKeyHookProc(int nCode, WPARAM wParam, LPARAM lParam);
