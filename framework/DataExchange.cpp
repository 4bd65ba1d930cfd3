// Data exchange between dialog templates and their wrapper objects.
#include "framework/DataExchange.h"

#include "framework/Wnd.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    if (!rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd))
        pDX->m_bFailed = true;
}
