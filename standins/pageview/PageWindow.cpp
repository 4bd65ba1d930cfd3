// The page view's window: loading, layout, painting, scrolling and links.
#include "PageWindow.h"

#include <algorithm>
#include <memory>

#include "PageLoader.h"
#include "PageViewModule.h"
#include "PopupPage.h"
#include "TextConvert.h"
#include "core/HtmlReader.h"
#include "core/PageAddress.h"

namespace pageview {

namespace {

const wchar_t kViewClass[] = L"TavikPageView";
const UINT WM_PAGE_LOADED = WM_APP + 1;
const int kNoticeHeight = 24;
const int kWheelStep = 48;
const COLORREF kNoticeColor = RGB(255, 255, 225);
const wchar_t kScriptErrorMessage[] = L"\u9875\u9762\u89C6\u56FE\u4E0D\u80FD\u8FD0\u884C\u811A\u672C";  // 页面视图不能运行脚本
const wchar_t kScriptErrorTitle[] = L"\u811A\u672C\u9519\u8BEF\uFF1A";  // 脚本错误：

bool g_viewClassRegistered = false;

bool RegisterViewClass(WNDPROC windowProc)
{
    if (g_viewClassRegistered)
        return true;
    WNDCLASSEXW wc = { sizeof(wc) };
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = ModuleHandle();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kViewClass;
    g_viewClassRegistered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return g_viewClassRegistered;
}

bool IsDark(uint32_t rgb)
{
    int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r * 299 + g * 587 + b * 114 < 128 * 1000;
}

COLORREF ToColorRef(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found)
{
    auto* faces = reinterpret_cast<std::vector<std::wstring>*>(found);
    if (font->lfFaceName[0] != L'@')  // vertical variants
        faces->push_back(font->lfFaceName);
    return 1;
}

// A face that has Chinese characters: a known good one when installed, else any that has them
// (under Wine that may be a font of the host system), else the system's default.
const wchar_t* PageFace()
{
    static std::wstring face;
    if (!face.empty())
        return face.c_str();
    std::vector<std::wstring> faces;
    HDC dc = ::GetDC(nullptr);
    LOGFONTW query = {};
    query.lfCharSet = GB2312_CHARSET;
    ::EnumFontFamiliesExW(dc, &query, NoteFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, dc);
    static const wchar_t* const kPreferred[] = {
        L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei", L"WenQuanYi Zen Hei", L"Noto Sans CJK SC", L"Droid Sans Fallback",
    };
    for (const wchar_t* preferred : kPreferred) {
        for (const std::wstring& f : faces) {
            if (f == preferred) {
                face = f;
                return face.c_str();
            }
        }
    }
    face = faces.empty() ? L"Tahoma" : faces.front();
    return face.c_str();
}

class GdiMeasure : public TextMeasure {
public:
    GdiMeasure(HDC dc, Charset charset, HFONT (*font)(void*, int), void* owner) : m_dc(dc), m_charset(charset), m_font(font), m_owner(owner) {}

    int TextWidth(const std::string& text, int font) override
    {
        std::wstring wide = PageTextToWide(text, m_charset);
        Select(font);
        SIZE size = {};
        ::GetTextExtentPoint32W(m_dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }
    int LineHeight(int font) override
    {
        Select(font);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(m_dc, &tm);
        return tm.tmHeight + tm.tmExternalLeading + 2;
    }

private:
    void Select(int font)
    {
        if (font != m_selected) {
            ::SelectObject(m_dc, m_font(m_owner, font));
            m_selected = font;
        }
    }

    HDC m_dc;
    Charset m_charset;
    HFONT (*m_font)(void*, int);
    void* m_owner;
    int m_selected = -1;
};

// Keeps the host alive for the length of one message.
class HostHold {
public:
    explicit HostHold(PageWindowHost* host) : m_host(host) { if (m_host) m_host->HoldHost(); }
    ~HostHold() { if (m_host) m_host->ReleaseHost(); }
    HostHold(const HostHold&) = delete;
    HostHold& operator=(const HostHold&) = delete;

private:
    PageWindowHost* m_host;
};

}  // namespace

PageWindow::PageWindow(PageWindowHost* host) : m_host(host) {}

PageWindow::~PageWindow()
{
    Destroy();
    FreeImages(m_images);
    for (HFONT& font : m_fonts) {
        if (font)
            ::DeleteObject(font);
        font = nullptr;
    }
}

bool PageWindow::Create(HWND parent, const RECT& rect, DWORD style)
{
    if (m_hWnd)
        return true;
    if (!RegisterViewClass(&PageWindow::WindowProc))
        return false;
    HWND hWnd = ::CreateWindowExW(0, kViewClass, L"", style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, nullptr, ModuleHandle(), this);
    if (!hWnd)
        return false;
    LayOut();
    if (m_hasPending) {
        m_hasPending = false;
        Navigate(m_pending);
    }
    return true;
}

void PageWindow::Destroy()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void PageWindow::Navigate(const std::string& address)
{
    ++m_generation;
    if (!m_hWnd) {
        m_pending = CanonicalAddress(address);
        m_hasPending = true;
        return;
    }
    m_pending = CanonicalAddress(address);
    StartLoad();
}

void PageWindow::Refresh()
{
    if (!m_address.empty())
        Navigate(m_address);
    else if (m_hasPending || !m_pending.empty())
        Navigate(m_pending);
}

void PageWindow::StartLoad()
{
    if (StartPageLoad(m_hWnd, WM_PAGE_LOADED, m_generation, m_pending))
        return;
    // No thread to spare: show the view's own page rather than nothing.
    LoadedPage* page = new (std::nothrow) LoadedPage();
    if (!page)
        return;
    page->generation = m_generation;
    page->address = m_pending;
    page->document = ReadHtml("<title>-</title><p>" + m_pending);
    if (!::PostMessageW(m_hWnd, WM_PAGE_LOADED, 0, reinterpret_cast<LPARAM>(page)))
        delete page;
}

bool PageWindow::Alive(unsigned generation) const
{
    return m_hWnd && ::IsWindow(m_hWnd) && generation == m_generation;
}

void PageWindow::PageLoaded(LoadedPage* loaded)
{
    std::unique_ptr<LoadedPage> page(loaded);
    if (page->generation != m_generation)
        return;  // a later navigation replaced this one
    const unsigned generation = m_generation;
    FreeImages(m_images);
    m_images = DecodeImages(page->images);
    m_images.resize(page->document.images.size());
    m_doc = std::move(page->document);
    m_address = page->address;
    m_pending.clear();
    m_notice.clear();
    m_scroll = 0;
    m_hoverLink = -1;
    m_pressedLink = -1;
    const std::wstring title = PageTextToWide(m_doc.title, m_doc.charset);
    ::SetWindowTextW(m_hWnd, title.c_str());
    LayOut();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);

    const std::wstring address = Utf8ToWide(m_address);
    if (m_host)
        m_host->PageNavigateComplete(address, title);
    if (!Alive(generation))
        return;

    bool unhandled = false;
    int unhandledLine = 0;
    for (size_t i = 0; i < m_doc.scripts.size(); ++i) {
        if (!ScriptNeedsEngine(m_doc.scripts[i]))
            continue;
        const int line = m_doc.scripts[i].line;
        bool handled = m_host && m_host->PageScriptError(kScriptErrorMessage, address, line);
        if (!Alive(generation))
            return;
        if (!handled && !unhandled) {
            unhandled = true;
            unhandledLine = line;
        }
    }
    if (unhandled) {
        m_notice = kScriptErrorTitle + std::wstring(kScriptErrorMessage) + L"\uFF08\u7B2C " + std::to_wstring(unhandledLine) +
                   L" \u884C\uFF09";  // （第 N 行）
        LayOut();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    if (m_host)
        m_host->PageDocumentComplete(address);
}

HFONT PageWindow::Font(int font)
{
    if (font < 0 || font >= kFontCount)
        font = 0;
    if (!m_fonts[font]) {
        static const int kHeights[] = { 15, 30, 24, 19, 16, 14, 12 };
        const int heading = FontHeading(font);
        LOGFONTW lf = {};
        lf.lfHeight = -kHeights[heading];
        lf.lfWeight = heading > 0 || FontBold(font) ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = FontLink(font) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, PageFace(), LF_FACESIZE);
        m_fonts[font] = ::CreateFontIndirectW(&lf);
        if (!m_fonts[font])
            m_fonts[font] = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    return m_fonts[font];
}

void PageWindow::LayOut()
{
    if (!m_hWnd || m_inLayout)
        return;
    m_inLayout = true;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const bool hadBar = (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_VSCROLL) != 0;
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int fullWidth = rc.right + (hadBar ? barWidth : 0);
    const int top = m_notice.empty() ? 0 : kNoticeHeight;

    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(dc, Font(0));
    GdiMeasure measure(dc, m_doc.charset, [](void* self, int font) { return static_cast<PageWindow*>(self)->Font(font); }, this);
    const std::vector<Size> sizes = ImageSizes(m_images);
    m_layout = LayOutPage(m_doc, fullWidth, top, measure, sizes);
    const bool needBar = m_layout.height > rc.bottom && rc.bottom > 0;
    if (needBar)
        m_layout = LayOutPage(m_doc, std::max(1, fullWidth - barWidth), top, measure, sizes);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);

    if (needBar != hadBar)
        ::ShowScrollBar(m_hWnd, SB_VERT, needBar);
    ::GetClientRect(m_hWnd, &rc);
    SCROLLINFO si = { sizeof(si) };
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = needBar ? m_layout.height - 1 : 0;
    si.nPage = needBar ? static_cast<UINT>(rc.bottom) : 0;
    m_scroll = needBar ? std::min(std::max(0, m_scroll), std::max(0, m_layout.height - static_cast<int>(rc.bottom))) : 0;
    si.nPos = m_scroll;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, needBar);
    m_inLayout = false;
}

void PageWindow::ScrollTo(int y)
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    int limit = std::max(0, m_layout.height - static_cast<int>(rc.bottom));
    y = std::min(std::max(0, y), limit);
    if (y == m_scroll)
        return;
    m_scroll = y;
    ::SetScrollPos(m_hWnd, SB_VERT, y, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void PageWindow::Paint(HDC target)
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (rc.right <= 0 || rc.bottom <= 0)
        return;
    HDC dc = ::CreateCompatibleDC(target);
    HBITMAP canvas = ::CreateCompatibleBitmap(target, rc.right, rc.bottom);
    HGDIOBJ oldBitmap = ::SelectObject(dc, canvas);

    const uint32_t background = m_doc.hasBackground ? m_doc.background : 0xFFFFFF;
    HBRUSH brush = ::CreateSolidBrush(ToColorRef(background));
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    const bool dark = IsDark(background);
    const COLORREF textColor = dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const COLORREF linkColor = dark ? RGB(153, 204, 255) : RGB(0, 0, 238);
    ::SetBkMode(dc, TRANSPARENT);

    if (!m_notice.empty()) {
        RECT band = { 0, -m_scroll, rc.right, kNoticeHeight - m_scroll };
        HBRUSH noticeBrush = ::CreateSolidBrush(kNoticeColor);
        ::FillRect(dc, &band, noticeBrush);
        ::DeleteObject(noticeBrush);
        HGDIOBJ old = ::SelectObject(dc, Font(0));
        ::SetTextColor(dc, RGB(0, 0, 0));
        RECT text = band;
        text.left += kPageMargin;
        ::DrawTextW(dc, m_notice.c_str(), static_cast<int>(m_notice.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::SelectObject(dc, old);
    }

    HDC imageDc = ::CreateCompatibleDC(target);
    HGDIOBJ oldFont = ::SelectObject(dc, Font(0));
    for (const Box& box : m_layout.boxes) {
        const int y = box.y - m_scroll;
        if (y + box.height < 0 || y > rc.bottom)
            continue;
        if (box.kind == Box::Kind::Text) {
            std::wstring text = PageTextToWide(box.text, m_doc.charset);
            ::SelectObject(dc, Font(box.font));
            ::SetTextColor(dc, box.link >= 0 ? linkColor : textColor);
            ::TextOutW(dc, box.x, y, text.c_str(), static_cast<int>(text.size()));
            continue;
        }
        const PageImage* image = box.image >= 0 && static_cast<size_t>(box.image) < m_images.size() ? &m_images[static_cast<size_t>(box.image)] : nullptr;
        if (image && image->bitmap) {
            HGDIOBJ old = ::SelectObject(imageDc, image->bitmap);
            BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
            ::AlphaBlend(dc, box.x, y, box.width, box.height, imageDc, 0, 0, image->width, image->height, blend);
            ::SelectObject(imageDc, old);
        } else {
            RECT frame = { box.x, y, box.x + box.width, y + box.height };
            ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        }
    }
    ::SelectObject(dc, oldFont);
    ::DeleteDC(imageDc);

    ::BitBlt(target, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(canvas);
    ::DeleteDC(dc);
}

std::string PageWindow::LinkAddress(int link) const
{
    if (link < 0 || static_cast<size_t>(link) >= m_doc.links.size())
        return std::string();
    const std::string& href = m_doc.links[static_cast<size_t>(link)].href;
    const std::string utf8 = m_doc.charset == Charset::Utf8 ? href : WideToUtf8(PageTextToWide(href, Charset::Ansi));
    return ResolveAddress(m_address, utf8);
}

void PageWindow::UpdateHover(int x, int y)
{
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = { sizeof(track), TME_LEAVE, m_hWnd, 0 };
        m_trackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    const int link = LinkAt(m_layout, x, y + m_scroll);
    if (link == m_hoverLink)
        return;
    m_hoverLink = link;
    if (m_host)
        m_host->PageStatusText(link >= 0 ? Utf8ToWide(LinkAddress(link)) : std::wstring());
}

void PageWindow::Click(int x, int y)
{
    const int link = LinkAt(m_layout, x, y + m_scroll);
    const int pressed = m_pressedLink;
    m_pressedLink = -1;
    if (link >= 0 && link == pressed)
        FollowLink(link);
}

void PageWindow::FollowLink(int link)
{
    const std::string address = LinkAddress(link);
    const std::string scheme = SchemeOf(address);
    const unsigned generation = m_generation;
    if (scheme == "javascript") {
        bool handled = m_host && m_host->PageScriptError(kScriptErrorMessage, Utf8ToWide(m_address), 0);
        if (!handled && Alive(generation)) {
            m_notice = kScriptErrorTitle + std::wstring(kScriptErrorMessage);
            LayOut();
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return;
    }
    if (scheme != "file" && scheme != "http")
        return;  // nothing the view can show; the click does nothing
    std::string target = m_doc.links[static_cast<size_t>(link)].target;
    for (char& c : target)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    const bool newWindow = !target.empty() && target != "_self" && target != "_top" && target != "_parent";
    if (!newWindow) {
        Navigate(address);
        return;
    }
    if (m_host && m_host->PageNewWindow(Utf8ToWide(address)))
        return;
    OpenPopupPage(address);
}

LRESULT CALLBACK PageWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* created = static_cast<PageWindow*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        if (created)
            created->m_hWnd = hWnd;
    }
    PageWindow* self = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    HostHold hold(self->m_host);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT PageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    switch (message) {
    case WM_PAGE_LOADED:
        PageLoaded(reinterpret_cast<LoadedPage*>(lParam));
        return 0;
    case WM_SIZE:
        LayOut();
        ::InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        Paint(dc);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        UpdateHover(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        if (m_hoverLink >= 0) {
            m_hoverLink = -1;
            if (m_host)
                m_host->PageStatusText(std::wstring());
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorA(nullptr, m_hoverLink >= 0 ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN: {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (::GetFocus() != hWnd)
            ::SetFocus(hWnd);
        if (!::IsWindow(hWnd))
            return 0;
        // A click reports the link under it even when no move came first.
        UpdateHover(x, y);
        m_pressedLink = LinkAt(m_layout, x, y + m_scroll);
        return 0;
    }
    case WM_LBUTTONUP:
        Click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(m_scroll - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelStep / WHEEL_DELTA);
        return 0;
    case WM_VSCROLL: {
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        SCROLLINFO si = { sizeof(si), SIF_TRACKPOS };
        ::GetScrollInfo(hWnd, SB_VERT, &si);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(m_scroll - kWheelStep / 3); break;
        case SB_LINEDOWN: ScrollTo(m_scroll + kWheelStep / 3); break;
        case SB_PAGEUP: ScrollTo(m_scroll - rc.bottom); break;
        case SB_PAGEDOWN: ScrollTo(m_scroll + rc.bottom); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(m_layout.height); break;
        }
        return 0;
    }
    case WM_KEYDOWN: {
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        switch (wParam) {
        case VK_UP: ScrollTo(m_scroll - kWheelStep / 3); return 0;
        case VK_DOWN: ScrollTo(m_scroll + kWheelStep / 3); return 0;
        case VK_PRIOR: ScrollTo(m_scroll - rc.bottom); return 0;
        case VK_NEXT: ScrollTo(m_scroll + rc.bottom); return 0;
        case VK_HOME: ScrollTo(0); return 0;
        case VK_END: ScrollTo(m_layout.height); return 0;
        }
        break;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_DESTROY: {
        // Pages that arrived too late are freed here instead of being lost with the window.
        MSG msg;
        while (::PeekMessageW(&msg, hWnd, WM_PAGE_LOADED, WM_PAGE_LOADED, PM_REMOVE))
            delete reinterpret_cast<LoadedPage*>(msg.lParam);
        ++m_generation;
        break;
    }
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        if (m_hWnd == hWnd)
            m_hWnd = nullptr;
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void UnregisterPageWindowClasses()
{
    if (g_viewClassRegistered)
        ::UnregisterClassW(kViewClass, ModuleHandle());
    g_viewClassRegistered = false;
    UnregisterPopupPageClass();
}

}  // namespace pageview
