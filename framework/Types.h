// Small value types of the framework: CPoint, CRect and the paint device context CPaintDC.
#pragma once

#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int ix, int iy) { x = ix; y = iy; }
};

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rc) { left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

class CWnd;

// BeginPaint/EndPaint around a handler's painting.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
    HDC m_hDC;
};
