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

namespace {
constexpr UINT kRunCode = WM_APP + 0x4D;
constexpr UINT kRunPostedCode = WM_APP + 0x4E;
}  // namespace

GuiInvoker::GuiInvoker()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &GuiInvoker::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavikTestGuiInvoker";
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

GuiInvoker::~GuiInvoker()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK GuiInvoker::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kRunCode) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    if (msg == kRunPostedCode) {
        auto* code = reinterpret_cast<std::function<void()>*>(lParam);
        (*code)();
        delete code;
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

void GuiInvoker::Run(const std::function<void()>& code)
{
    ::SendMessageW(m_hWnd, kRunCode, 0, reinterpret_cast<LPARAM>(&code));
}

void GuiInvoker::Post(std::function<void()> code)
{
    ::PostMessageW(m_hWnd, kRunPostedCode, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(code))));
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
