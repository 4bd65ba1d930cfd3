// CTavikGameDlg: the launcher's main window (template 102), run modally by the application.
#pragma once

#include "flashhost/FlashDlgBase.h"
#include "framework/Afx.h"
#include "resource.h"
#include "web/WebWnd.h"

// Left-button drag of the main window: in progress, and cursor minus window corner at its start.
extern BYTE g_bDialogDragging;
extern POINT g_ptDialogDragOffset;

class CTavikGameDlg : public CDialogEx, public CFlashDlgBase {
public:
    CTavikGameDlg();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The movie's commands.
    HRESULT OnFSCommand(CEventString command, CEventString args) override;
    // Places the page window over m_rcWeb (nothing while m_rcWeb is empty) and restarts the movie.
    void LayoutWebWnd();

    CWebWnd m_webWnd;
    CRect m_rcWeb;  // where the page window goes, in this window's client coordinates

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    LRESULT OnUserQuery(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    HICON m_hIcon;

private:
    void CreateWebWnd();
};
