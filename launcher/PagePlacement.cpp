// The launcher's page window: made hidden during start-up and kept over m_rcWeb, in the main
// window's client coordinates, whenever the main window is sized or dragged or the movie asks.
#include "launcher/TavikGameDlg.h"

void CTavikGameDlg::CreateWebWnd()
{
    m_webWnd.Create(IDD_WEB_WND, this);
    m_webWnd.m_pOwnerDlg = this;
}

void CTavikGameDlg::LayoutWebWnd()
{
    if (m_rcWeb.IsRectEmpty())
        return;
    CRect rc = m_rcWeb;
    ClientToScreen(&rc);
    if (!m_webWnd.m_hWnd)
        return;
    m_webWnd.SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // Every layout restarts the movie; a movie that cannot play just stays as it is.
    FlashPlay(m_pControl);
}
