// Helpers of the menu and bar tests: a 32-bit memory DC whose pixels can be read.
#pragma once
#include <windows.h>
#include "controls/tests/TextTestSupport.h"

class CPixelDC : public TestCanvas {
public:
    CPixelDC(int cx, int cy, COLORREF crFill = RGB(255, 255, 255)) : TestCanvas(cx, cy, crFill), m_hDC(dc) {}
    // Number of pixels in the rectangle that differ from cr.
    int CountOther(const RECT& rc, COLORREF cr) const
    {
        return Count(rc.left, rc.top, rc.right, rc.bottom, [cr](COLORREF c) { return c != cr; });
    }
    HDC m_hDC;
};

// A pixel of a bitmap resource of the test program (the toolbar strips' art).
inline COLORREF ResourceBitmapPixel(UINT nID, int x, int y)
{
    HBITMAP hbm = ::LoadBitmap(::GetModuleHandle(NULL), MAKEINTRESOURCE(nID));
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    COLORREF cr = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);
    return cr;
}

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
