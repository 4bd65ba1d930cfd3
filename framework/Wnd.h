// CCmdTarget and CWnd: framework objects attached to window handles, static message maps whose
// handlers receive decoded, type-checked arguments, and the pre-translation walk of queued messages.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/CString.h"
#include "framework/Types.h"

class CCmdTarget;
class CWnd;
class CDataExchange;
struct AFX_EVENTSINKMAP;

// One row of a message map. The handler decodes the message and calls the member function;
// it answers true when it handled the message and then sets *pResult.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;  // command id for WM_COMMAND rows
    bool (*pfnHandler)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                       \
            { 0, 0, nullptr }                                                   \
        };                                                                      \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap;                                                     \
    }

#define AFX_MSG_HANDLER(body) \
    [](CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> bool { \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget); (void)pThis; (void)wParam; (void)lParam; \
        body; return true; }

// void memberFxn()
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(id), AFX_MSG_HANDLER((pThis->*(memberFxn))(); *pResult = 0) },
// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    { static_cast<UINT>(message), 0, AFX_MSG_HANDLER(*pResult = (pThis->*(memberFxn))(wParam, lParam)) },
// int OnCreate(LPCREATESTRUCTA)
#define ON_WM_CREATE() \
    { WM_CREATE, 0, AFX_MSG_HANDLER(*pResult = pThis->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam))) },
// void OnDestroy()
#define ON_WM_DESTROY() \
    { WM_DESTROY, 0, AFX_MSG_HANDLER(pThis->OnDestroy(); *pResult = 0) },
// void OnPaint()
#define ON_WM_PAINT() \
    { WM_PAINT, 0, AFX_MSG_HANDLER(pThis->OnPaint(); *pResult = 0) },
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE() \
    { WM_SIZE, 0, AFX_MSG_HANDLER(pThis->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); *pResult = 0) },
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() \
    { WM_SYSCOMMAND, 0, AFX_MSG_HANDLER(pThis->OnSysCommand(static_cast<UINT>(wParam), lParam); *pResult = 0) },
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    { WM_QUERYDRAGICON, 0, AFX_MSG_HANDLER(*pResult = reinterpret_cast<LRESULT>(pThis->OnQueryDragIcon())) },
// void OnClose()
#define ON_WM_CLOSE() \
    { WM_CLOSE, 0, AFX_MSG_HANDLER(pThis->OnClose(); *pResult = 0) },
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() \
    { WM_TIMER, 0, AFX_MSG_HANDLER(pThis->OnTimer(static_cast<UINT_PTR>(wParam)); *pResult = 0) },

// Anything that can receive commands through a message map.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the map row for command nID (notification code 0 or 1); true when one was found.
    virtual bool OnCmdMsg(UINT nID, int nCode);
    // Runs the event-sink map row for event dispid of control nCtrlID; false when there is none,
    // otherwise *phr tells whether the handler could be called with the event's parameters.
    bool OnEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pParams, HRESULT* phr);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();
    virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;
    // The row for a message (or command) in this object's map chain, or null.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nID) const;
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The framework object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Attaches this object to an existing window and routes its messages through the message map;
    // the window's previous procedure becomes the default handling.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window back its previous procedure, but only while ours is still installed.
    HWND UnsubclassWindow();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void PostNcDestroy();

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Hosted ActiveX controls (OleControlContainer.cpp). CreateControl makes a child window with
    // the control in place; InvokeHelper calls the control of this window by dispatch id with
    // arguments described by pbParamInfo (VTS_...). Without a control it does nothing.
    BOOL CreateControl(REFCLSID clsid, const char* pszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID);
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    // The hosted control (no reference added), or null.
    IUnknown* GetControlUnknown() const;
    BOOL DestroyWindow();

    // Offers a queued message to PreTranslateMessage of each framework window from its target up
    // through parents and owners, stopping at hWndStop; true when one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Thin wrappers of the window functions the launcher uses.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
    }
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void SetWindowText(const char* pszText) { ::SetWindowTextA(m_hWnd, pszText); }
    void SetWindowText(const wchar_t* pszText) { ::SetWindowTextW(m_hWnd, pszText); }
    void GetWindowText(CString& rString) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    int MessageBox(const wchar_t* pszText, const wchar_t* pszCaption = nullptr, UINT nType = MB_OK);
    int MessageBox(const char* pszText, const char* pszCaption = nullptr, UINT nType = MB_OK);

protected:
    friend class CDialog;
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    // Map lookup for one message; WM_COMMAND goes to OnCommand.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Default handling of the message being processed.
    LRESULT Default();

    // Handlers with the framework's default behaviour.
    int OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
    void OnPaint() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }

    // Attaches to hWnd and installs the framework's window procedure.
    void AttachAndSubclass(HWND hWnd);
    // Arranges for the next window of class pszClass created on this thread to be attached to
    // this object before its first message; undone by EndCreateHook.
    void BeginCreateHook(const char* pszClass);
    static void EndCreateHook();

    WNDPROC m_pfnSuper = nullptr;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHook(int nCode, WPARAM wParam, LPARAM lParam);
    void Detach();

    MSG m_currentMsg = {};
};

// Queued-message filter of the framework's message loops: the pre-translation walk, then the
// main window's last chance for messages of windows outside its tree.
BOOL AfxPreTranslateMessage(MSG* pMsg);
