// CDataExchange: the context of one UpdateData run (DoDataExchange with a direction).
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    bool m_bFailed = false;
};

// Binds the template control nIDC of the dialog to rControl (once; later exchanges do nothing).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
