#pragma once
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/ScopedHandle.h"

// A 32-bit top-down DIB section with its pixels in reach.
class DibCanvas {
public:
    DibCanvas(int w, int h) : m_w(w), m_h(h), m_dc(::CreateCompatibleDC(NULL))
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bmp.Reset(::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void **)&m_bits,
                                       NULL, 0));
        m_old = ::SelectObject(m_dc, m_bmp);
    }
    ~DibCanvas() { ::SelectObject(m_dc, m_old); }
    void Fill(COLORREF c)
    {
        for (int i = 0; i < m_w * m_h; ++i)
            m_bits[i] = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
    }
    void Set(int x, int y, COLORREF c)
    {
        m_bits[y * m_w + x] = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
    }
    COLORREF At(int x, int y)
    {
        ::GdiFlush();
        DWORD v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
    }
    // All pixels, rows top down, 0x00RRGGBB.
    const DWORD *Bits()
    {
        ::GdiFlush();
        return m_bits;
    }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bmp; }
    // Hands the bitmap to a framework object (deselected first).
    void MoveInto(CBitmap &bmp)
    {
        ::SelectObject(m_dc, m_old);
        m_old = NULL;
        bmp.Attach(m_bmp.Detach());
    }

private:
    int m_w, m_h;
    CScopedMemDC m_dc;
    CScopedBitmap m_bmp;
    DWORD *m_bits = nullptr;
    HGDIOBJ m_old;
};
