// Modal dialogs driven from a second thread.
#include "support/ModalDriver.h"

#include <thread>

#include "support/TestSupport.h"

namespace testing_support {

INT_PTR RunModalWithDriver(CDialog& dlg, const std::function<void(HWND)>& driver)
{
    std::thread worker([&dlg, &driver] {
        HWND hWnd = nullptr;
        for (int i = 0; i < 1000 && !(hWnd = dlg.m_hWnd); ++i)
            ::Sleep(10);
        // Let the dialog finish its start-up before acting on it.
        if (hWnd)
            ::SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_BLOCK, 10000, nullptr);
        driver(hWnd);
    });
    INT_PTR result = dlg.DoModal();
    worker.join();
    return result;
}

LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hWnd, msg, wParam, lParam, SMTO_BLOCK, 10000, &result);
    return static_cast<LRESULT>(result);
}

HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    DWORD start = ::GetTickCount();
    while (!found && ::GetTickCount() - start < timeoutMs) {
        found = FindTopLevel(::GetCurrentProcessId(), L"#32770", caption);
        if (found && !::IsWindowVisible(found))
            found = nullptr;
        if (!found)
            ::Sleep(20);
    }
    return found;
}

}  // namespace testing_support
