// CWinApp and the process-wide framework functions: the one application object, its main
// window, worker threads, message boxes and the control container switch.
#pragma once

#include <string>

#include "framework/Wnd.h"

#define ID_HELP 0xE146
#define AFX_RESTART_MANAGER_SUPPORT_RESTART 0x01

class CWinApp : public CCmdTarget {
public:
    // The one application object registers itself here; the entry point runs it.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;
    const char* m_pszAppName = nullptr;

    // The help command. The launcher ships no help file, so there is nothing to open.
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The title of the application's message boxes: the name given to CWinApp, else the program's
// file name without its extension.
std::wstring AfxGetAppTitle();

// Runs the framework's side of the process: InitInstance, then ExitInstance when it answers FALSE.
int AfxWinMain(HINSTANCE hInstance);

// Installs the container for ActiveX controls in dialog templates.
void AfxEnableControlContainer();

typedef UINT (*AFX_THREADPROC)(LPVOID);
class CWinThread {
public:
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
};
// Starts a worker thread running pfnThreadProc(pParam). The returned object belongs to the
// thread and goes away with it.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// A message box owned by the main window (its last active popup) with the application's title.
// Without an icon flag, OK boxes get the exclamation mark and Yes/No boxes the question mark.
int AfxMessageBox(const wchar_t* pszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(const char* pszText, UINT nType = MB_OK, UINT nIDHelp = 0);
