// CWebBrowser2: the wrapper through which every WebBrowser control of the launcher is driven,
// by automation calls with the control's fixed dispatch ids.
#pragma once

#include "framework/Afx.h"

// The WebBrowser control's class identifier.
extern const CLSID CLSID_WebBrowserControl;

class CWebBrowser2 : public CWnd {
public:
    // Creates the WebBrowser control as a child of pParentWnd; the class name and creation
    // context are not used.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);

    // Null variant pointers are passed as missing arguments.
    void Navigate(const char* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
    void Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
    void Refresh();
    // The current document with a reference for the caller, or null.
    IDispatch* GetDocument();
};
