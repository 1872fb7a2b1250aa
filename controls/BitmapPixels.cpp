#include "controls/BitmapPixels.h"

BITMAPINFO TopDown32(int cx, int cy)
{
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

BOOL ReadBitmapPixels(HBITMAP hBitmap, int& cx, int& cy, std::vector<uint32_t>& pixels)
{
    BITMAP bm;
    if (hBitmap == NULL || !::GetObject(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    BITMAPINFO bi = TopDown32(cx, cy);
    pixels.assign((size_t)cx * (size_t)cy, 0);
    HDC hDC = ::GetDC(NULL);
    int nRows = ::GetDIBits(hDC, hBitmap, 0, (UINT)cy, pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    return nRows == cy;
}

HBITMAP MakeBitmapFromPixels(int cx, int cy, const std::vector<uint32_t>& pixels)
{
    if (cx <= 0 || cy <= 0 || pixels.size() < (size_t)cx * (size_t)cy)
        return NULL;
    BITMAPINFO bi = TopDown32(cx, cy);
    HDC hDC = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, cx, cy);
    if (hBitmap != NULL)
        ::SetDIBits(hDC, hBitmap, 0, (UINT)cy, pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    return hBitmap;
}
