// Runs a dialog modally on the test's thread while a driver thread acts on it from outside, as a
// user would: the driver gets the dialog's window once it exists and must end the dialog.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Afx.h"

namespace testing_support {

// Runs dlg.DoModal() here; driver(hWnd) runs on another thread once the dialog's window exists.
// Returns DoModal's result.
INT_PTR RunModalWithDriver(CDialog& dlg, const std::function<void(HWND)>& driver);

// Runs code on the thread that made it (the dialog's GUI thread), from the driver thread: Run
// waits for the code to finish; Post does not (for code that opens a modal box).
class GuiInvoker {
public:
    GuiInvoker();  // on the GUI thread
    ~GuiInvoker();
    GuiInvoker(const GuiInvoker&) = delete;
    GuiInvoker& operator=(const GuiInvoker&) = delete;
    void Run(const std::function<void()>& code);
    void Post(std::function<void()> code);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd = nullptr;
};

// Sends a message from the driver thread and waits for the answer.
LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// The visible dialog (class #32770) with that caption in this process, waiting up to timeoutMs.
HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs = 10000);

}  // namespace testing_support
