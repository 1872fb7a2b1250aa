// A bitmap's pixels as a 32-bit top-down buffer (0x00RRGGBB) and back.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <vector>

// The header of a 32-bit top-down DIB of cx * cy pixels.
BITMAPINFO TopDown32(int cx, int cy);
// FALSE when the bitmap is missing, empty or cannot be read.
BOOL ReadBitmapPixels(HBITMAP hBitmap, int& cx, int& cy, std::vector<uint32_t>& pixels);
// A bitmap compatible with the screen holding cx * cy pixels; NULL on failure.
HBITMAP MakeBitmapFromPixels(int cx, int cy, const std::vector<uint32_t>& pixels);

inline COLORREF PixelColor(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
inline uint32_t ColorPixel(COLORREF c)
{
    return ((uint32_t)GetRValue(c) << 16) | ((uint32_t)GetGValue(c) << 8) | GetBValue(c);
}
