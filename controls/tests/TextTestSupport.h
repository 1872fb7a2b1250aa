// Window-test helpers: a visible top-level window and a 32-bit DIB canvas.
#pragma once
#include <windows.h>
#include "framework/DC.h"
#include "framework/Wnd.h"

class TestTopWindow : public CWnd {
public:
    explicit TestTopWindow(int w = 400, int h = 300)
    {
        CreateEx(0, AfxRegisterWndClass(0), "test window", WS_POPUP | WS_VISIBLE, 50, 50, w, h, NULL, NULL);
    }
    ~TestTopWindow()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
    }
};

// A top-down 32-bit DIB selected into a memory DC, filled with one colour.
class TestCanvas {
public:
    TestCanvas(int w, int h, COLORREF fill = RGB(255, 0, 255)) : m_w(w), m_bits(NULL)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        dc.Attach(::CreateCompatibleDC(NULL));
        m_old = ::SelectObject(dc, m_bitmap);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~TestCanvas()
    {
        ::SelectObject(dc, m_old);
        ::DeleteObject(m_bitmap);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    BYTE Alpha(int x, int y) const
    {
        ::GdiFlush();
        return (BYTE)(m_bits[y * m_w + x] >> 24);
    }
    // Pixels in [x0, x1) x [y0, y1) that pass the test.
    template <class F>
    int Count(int x0, int y0, int x1, int y1, F test) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(Pixel(x, y)) ? 1 : 0;
        return n;
    }
    int CountColour(int x0, int y0, int x1, int y1, COLORREF colour) const
    {
        return Count(x0, y0, x1, y1, [colour](COLORREF c) { return c == colour; });
    }
    HBITMAP Bitmap() const { return m_bitmap; }
    CDC dc;

private:
    TestCanvas(const TestCanvas&);
    TestCanvas& operator=(const TestCanvas&);
    int m_w;
    DWORD* m_bits;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
