// CWinApp and the framework's process-wide functions.
#include "framework/WinApp.h"

#include <process.h>

namespace {
CWinApp* g_pApp = nullptr;

struct ThreadStart {
    AFX_THREADPROC pfn;
    LPVOID pParam;
    CWinThread* pThread;
};

unsigned __stdcall ThreadEntry(void* pv)
{
    ThreadStart start = *static_cast<ThreadStart*>(pv);
    delete static_cast<ThreadStart*>(pv);
    UINT result = start.pfn(start.pParam);
    ::CloseHandle(start.pThread->m_hThread);
    delete start.pThread;
    return result;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* pszAppName) : m_pszAppName(pszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

std::wstring AfxGetAppTitle()
{
    if (g_pApp && g_pApp->m_pszAppName)
        return CString(g_pApp->m_pszAppName).Wide();
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    // The launcher's application object always answers FALSE; a TRUE answer would need an
    // application message loop, which no program of ours uses.
    return pApp->ExitInstance();
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread;
    auto* start = new ThreadStart{ pfnThreadProc, pParam, pThread };
    unsigned id = 0;
    auto h = reinterpret_cast<HANDLE>(
        _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, start, CREATE_SUSPENDED, &id));
    if (!h) {
        delete start;
        delete pThread;
        return nullptr;
    }
    pThread->m_hThread = h;
    pThread->m_nThreadID = id;
    ::SetThreadPriority(h, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(h);
    return pThread;
}

namespace {
UINT WithDefaultIcon(UINT nType)
{
    if (nType & MB_ICONMASK)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    case MB_ABORTRETRYIGNORE:
    case MB_RETRYCANCEL:
        return nType;
    default:
        return nType;
    }
}

HWND MessageBoxOwner()
{
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = pMain ? pMain->m_hWnd : nullptr;
    if (hOwner)
        hOwner = ::GetLastActivePopup(hOwner);
    return hOwner;
}
}  // namespace

int AfxMessageBox(const wchar_t* pszText, UINT nType, UINT)
{
    return ::MessageBoxW(MessageBoxOwner(), pszText ? pszText : L"", AfxGetAppTitle().c_str(), WithDefaultIcon(nType));
}

int AfxMessageBox(const char* pszText, UINT nType, UINT nIDHelp)
{
    return AfxMessageBox(CString(pszText).Wide().c_str(), nType, nIDHelp);
}
