// The page view's window: loads pages, lays them out and paints them with GDI, scrolls, and turns
// pointing at and clicking links into calls to its host (the control, or a popup window).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "PageImages.h"
#include "core/HtmlDocument.h"
#include "core/PageLayout.h"

namespace pageview {

struct LoadedPage;

class PageWindowHost {
public:
    virtual ~PageWindowHost() = default;
    // Keeps the host (and with it the window object) alive while the window handles a message.
    virtual void HoldHost() = 0;
    virtual void ReleaseHost() = 0;

    virtual void PageStatusText(const std::wstring& text) = 0;
    // A link asks for a new window; true when the host took care of it (cancelled it or gave it
    // to a window of its own), false to let the view open a window itself.
    virtual bool PageNewWindow(const std::wstring& address) = 0;
    // A new page is in place (the host's document object must follow it).
    virtual void PageNavigateComplete(const std::wstring& address, const std::wstring& title) = 0;
    // A script the view cannot run; true when the page's error handler took care of it.
    virtual bool PageScriptError(const std::wstring& message, const std::wstring& address, int line) = 0;
    virtual void PageDocumentComplete(const std::wstring& address) = 0;
};

class PageWindow {
public:
    explicit PageWindow(PageWindowHost* host);
    ~PageWindow();
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    // A child window of parent; a navigation asked for before this starts now.
    bool Create(HWND parent, const RECT& rect, DWORD style);
    void Destroy();
    HWND Handle() const { return m_hWnd; }

    void Navigate(const std::string& address);  // UTF-8
    void Refresh();
    const std::string& Address() const { return m_address; }
    const std::wstring& Notice() const { return m_notice; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void StartLoad();
    void PageLoaded(LoadedPage* page);
    void LayOut();
    void Paint(HDC dc);
    void ScrollTo(int y);
    void UpdateHover(int x, int y);
    void Click(int x, int y);
    void FollowLink(int link);
    bool Alive(unsigned generation) const;
    HFONT Font(int font);
    std::string LinkAddress(int link) const;

    PageWindowHost* m_host;
    HWND m_hWnd = nullptr;
    std::string m_pending;       // asked for before the window existed
    bool m_hasPending = false;
    std::string m_address;
    unsigned m_generation = 0;
    HtmlDocument m_doc;
    std::vector<PageImage> m_images;
    PageLayout m_layout;
    std::wstring m_notice;
    int m_scroll = 0;
    int m_hoverLink = -1;
    int m_pressedLink = -1;
    bool m_trackingLeave = false;
    bool m_inLayout = false;
    HFONT m_fonts[kFontCount] = {};
};

// Called as the DLL unloads.
void UnregisterPageWindowClasses();

}  // namespace pageview
