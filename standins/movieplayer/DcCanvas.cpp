// Pixel access to device contexts for the movie's drawing.
#include "standins/movieplayer/DcCanvas.h"

#include <cstring>

namespace movieplayer {
namespace {

constexpr int kMaxSide = 16384;

// Whether the first row in memory is the top one. The header's sign cannot be trusted for this
// (some systems report every DIB section as bottom-up), so one pixel is set and looked for.
bool TopDown(HDC hdc, uint8_t* firstRow, uint8_t* lastRow)
{
    uint8_t first[4], last[4];
    std::memcpy(first, firstRow, 4);
    std::memcpy(last, lastRow, 4);
    ::SetPixelV(hdc, 0, 0, RGB(255 - first[2], 255 - first[1], 255 - first[0]));
    ::GdiFlush();
    bool topDown = std::memcmp(first, firstRow, 4) != 0;
    std::memcpy(firstRow, first, 4);
    std::memcpy(lastRow, last, 4);
    return topDown;
}

// The 32-bit DIB section behind a memory DC that maps logical to device pixels one to one.
bool DirectCanvas(HDC hdc, Canvas& canvas)
{
    HGDIOBJ hbm = ::GetCurrentObject(hdc, OBJ_BITMAP);
    DIBSECTION ds = {};
    if (!hbm || ::GetObjectW(hbm, sizeof ds, &ds) != sizeof ds)
        return false;
    if (ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0)
        return false;
    POINT vp, wn;
    if (::GetMapMode(hdc) != MM_TEXT || ::GetGraphicsMode(hdc) != GM_COMPATIBLE || !::GetViewportOrgEx(hdc, &vp) ||
        !::GetWindowOrgEx(hdc, &wn) || vp.x != 0 || vp.y != 0 || wn.x != 0 || wn.y != 0)
        return false;
    ::GdiFlush();
    const int stride = ds.dsBm.bmWidthBytes;
    const int height = ds.dsBm.bmHeight;
    auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
    canvas.width = ds.dsBm.bmWidth;
    canvas.height = height;
    canvas.bits = bits;
    canvas.stride = stride;
    if (height > 1 && !TopDown(hdc, bits, bits + std::ptrdiff_t(height - 1) * stride)) {
        canvas.bits = bits + std::ptrdiff_t(height - 1) * stride;
        canvas.stride = -stride;
    }
    return true;
}

}  // namespace

bool DrawIntoDc(HDC hdc, const RECT& bounds, const std::function<void(Canvas&, const PixelRect&)>& draw)
{
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (!hdc || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
        return false;
    Canvas canvas;
    if (DirectCanvas(hdc, canvas)) {
        draw(canvas, PixelRect{ bounds.left, bounds.top, bounds.right, bounds.bottom });
        return true;
    }
    // Any other DC: copy the area out, draw over the copy, copy it back.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hbm || !bits) {
        if (hbm)
            ::DeleteObject(hbm);
        return false;
    }
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, hbm);
    ::BitBlt(mem, 0, 0, w, h, hdc, bounds.left, bounds.top, SRCCOPY);
    ::GdiFlush();
    canvas = Canvas{ static_cast<uint8_t*>(bits), w, h, w * 4 };
    draw(canvas, PixelRect{ 0, 0, w, h });
    ::BitBlt(hdc, bounds.left, bounds.top, w, h, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(hbm);
    return true;
}

}  // namespace movieplayer
