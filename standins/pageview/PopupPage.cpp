// A top-level window showing one page view; it owns itself and ends with its window.
#include "PopupPage.h"

#include <windows.h>

#include <new>

#include "PageViewModule.h"
#include "PageWindow.h"

namespace pageview {

namespace {

const wchar_t kPopupClass[] = L"TavikPageViewWindow";
bool g_popupClassRegistered = false;

class PopupPage : public PageWindowHost {
public:
    PopupPage() : m_view(this) { LockModule(); }
    ~PopupPage() override { UnlockModule(); }

    bool Open(const std::string& address)
    {
        if (!Register())
            return false;
        HWND hWnd = ::CreateWindowExW(0, kPopupClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 800, 600, nullptr, nullptr, ModuleHandle(), this);
        if (!hWnd)
            return false;
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        m_view.Create(hWnd, rc, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
        m_view.Navigate(address);
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
        return true;
    }

    void HoldHost() override {}
    void ReleaseHost() override {}
    void PageStatusText(const std::wstring&) override {}
    bool PageNewWindow(const std::wstring&) override { return false; }
    void PageNavigateComplete(const std::wstring&, const std::wstring& title) override
    {
        if (m_hWnd)
            ::SetWindowTextW(m_hWnd, title.c_str());
    }
    bool PageScriptError(const std::wstring&, const std::wstring&, int) override { return false; }
    void PageDocumentComplete(const std::wstring&) override {}

private:
    static bool Register()
    {
        if (g_popupClassRegistered)
            return true;
        WNDCLASSEXW wc = { sizeof(wc) };
        wc.lpfnWndProc = &PopupPage::WindowProc;
        wc.hInstance = ModuleHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kPopupClass;
        g_popupClassRegistered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        return g_popupClassRegistered;
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<PopupPage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->m_hWnd = hWnd;
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<PopupPage*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (self && message == WM_SIZE && self->m_view.Handle())
            ::MoveWindow(self->m_view.Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        if (self && message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            self->m_hWnd = nullptr;
            delete self;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    PageWindow m_view;
};

}  // namespace

void OpenPopupPage(const std::string& address)
{
    PopupPage* page = new (std::nothrow) PopupPage();
    if (page && !page->Open(address))
        delete page;
}

void UnregisterPopupPageClass()
{
    if (g_popupClassRegistered)
        ::UnregisterClassW(kPopupClass, ModuleHandle());
    g_popupClassRegistered = false;
}

}  // namespace pageview
