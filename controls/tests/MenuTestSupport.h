// Helpers of the menu and bar tests: a 32-bit memory DC whose pixels can be read.
#pragma once
#include <windows.h>

class CPixelDC {
public:
    CPixelDC(int cx, int cy, COLORREF crFill = RGB(255, 255, 255)) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC hScreen = ::GetDC(NULL);
        m_hDC = ::CreateCompatibleDC(hScreen);
        ::ReleaseDC(NULL, hScreen);
        m_hbm = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hbm);
        RECT rc = {0, 0, cx, cy};
        HBRUSH hbr = ::CreateSolidBrush(crFill);
        ::FillRect(m_hDC, &rc, hbr);
        ::DeleteObject(hbr);
    }
    ~CPixelDC()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hbm);
        ::DeleteDC(m_hDC);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD p = m_bits[(size_t)y * m_cx + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Number of pixels in the rectangle that differ from cr.
    int CountOther(const RECT& rc, COLORREF cr) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += Pixel(x, y) != cr;
        return n;
    }
    HDC m_hDC;
private:
    int m_cx, m_cy;
    DWORD* m_bits = nullptr;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
};

// Runs the message loop until the condition holds or the time is over.
template <class F>
bool PumpUntil(F cond, DWORD ms = 3000)
{
    DWORD end = ::GetTickCount() + ms;
    while (!cond()) {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (cond())
            break;
        if ((LONG)(::GetTickCount() - end) > 0)
            return false;
        ::Sleep(5);
    }
    return true;
}
