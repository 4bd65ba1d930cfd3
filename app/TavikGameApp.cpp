// Start-up: the application object prepares the process, reads config.ini, opens the 3D
// plug-in installer when asked to, and runs the main launcher window modally.
#include "app/TavikGameApp.h"

#include <shellapi.h>
#include <winsock2.h>

#include "app/Settings.h"
#include "launcher/TavikGameDlg.h"

CTavikGameApp theApp;

BEGIN_MESSAGE_MAP(CTavikGameApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CTavikGameApp::CTavikGameApp()
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CTavikGameApp::InitInstance()
{
    AfxEnableControlContainer();
    ::OleInitialize(nullptr);
    RunLauncher();
    ::OleUninitialize();
    return FALSE;
}

void CTavikGameApp::RunLauncher()
{
    ::InitCommonControls();
    WSADATA wsaData;
    ::WSAStartup(0x0101, &wsaData);

    g_strModuleDir = ComputeModuleDir();
    LoadLauncherSettings(g_strModuleDir + tavik::kConfigFileName);

    if (tavik::ShouldOpenPluginInstaller(g_strFancy3d.Str()))
        ::ShellExecuteA(nullptr, "open", tavik::kPluginInstallerUrl, nullptr, nullptr, SW_SHOWNORMAL);

    {
        CTavikGameDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        ::WSACleanup();
        m_pMainWnd = nullptr;
    }
}
