#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/KoImage.h"

namespace {

// Keeps the DC's state and clip around a draw.
class CSavedDC {
public:
    explicit CSavedDC(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    ~CSavedDC()
    {
        if (m_nSaved)
            ::RestoreDC(m_hDC, m_nSaved);
    }
    CSavedDC(const CSavedDC &) = delete;
    CSavedDC &operator=(const CSavedDC &) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

}  // namespace

bool CKoImage::Draw(HDC hDC, int x, int y, int cx, int cy,
                    const RECT *pClip) const
{
    if (m_block.empty() || !hDC || cx == 0 || cy == 0 || !m_enabled)
        return false;
    if (cx < 0)
        cx = (int)m_width;
    if (cy < 0)
        cy = (int)m_height;
    RECT clipBox = {};
    if (::GetClipBox(hDC, &clipBox) == ERROR)
        return false;
    if (pClip && !::IntersectRect(&clipBox, &clipBox, pClip))
        return true;
    RECT dest = {x, y, x + cx, y + cy};
    RECT area = {};
    if (!::IntersectRect(&area, &dest, &clipBox))
        return true;

    const BITMAPINFO *bi = reinterpret_cast<const BITMAPINFO *>(m_block.data());
    const void *bits = m_block.data() + sizeof(KoBitmapInfoHeader) + m_colors * 4;
    bool plain = !m_hasTransColor && m_transIndex < 0 && m_alpha.empty() &&
                 !m_paletteAlpha;
    if (plain && cx == (int)m_width && cy == (int)m_height) {
        CSavedDC saved(hDC);
        ::IntersectClipRect(hDC, area.left, area.top, area.right, area.bottom);
        ::SetDIBitsToDevice(hDC, x, y, m_width, m_height, 0, 0, 0, m_height, bits,
                            bi, DIB_RGB_COLORS);
        return true;
    }

    // Blend pixel by pixel in a 24-bit copy of the covered area.
    const int aw = area.right - area.left, ah = area.bottom - area.top;
    BITMAPINFO ob = {};
    ob.bmiHeader.biSize = sizeof ob.bmiHeader;
    ob.bmiHeader.biWidth = aw;
    ob.bmiHeader.biHeight = -ah;
    ob.bmiHeader.biPlanes = 1;
    ob.bmiHeader.biBitCount = 24;
    BYTE *px = nullptr;
    CScopedBitmap offscreen(
        ::CreateDIBSection(hDC, &ob, DIB_RGB_COLORS, (void **)&px, NULL, 0));
    CScopedMemDC mem(::CreateCompatibleDC(hDC));
    if (!offscreen.IsValid() || !mem.IsValid() || !px)
        return false;
    CScopedSelect sel(mem, offscreen);
    ::BitBlt(mem, 0, 0, aw, ah, hDC, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const size_t stride = ((size_t)aw * 3 + 3) & ~(size_t)3;
    const uint32_t alphaScale = (uint32_t)m_alphaMax + 1;
    for (int row = 0; row < ah; ++row) {
        const int dy = area.top + row - y;
        const int sy = (int)m_height - 1 - (int)((int64_t)dy * m_height / cy);
        BYTE *out = px + row * stride;
        for (int col = 0; col < aw; ++col, out += 3) {
            const int dx = area.left + col - x;
            const int sx = (int)((int64_t)dx * m_width / cx);
            KoRgbQuad c;
            uint32_t alpha = m_alpha.empty() ? 255 : AlphaGet(sx, sy);
            alpha = alpha * alphaScale / 256;
            if (m_colors) {
                uint8_t index = GetPixelIndex(sx, sy);
                if (m_transIndex >= 0 && index == (uint8_t)m_transIndex)
                    continue;
                GetPaletteColor(index, &c);
                if (m_paletteAlpha)
                    alpha = alpha * ((uint32_t)c.reserved + 1) / 256;
            } else {
                const uint8_t *p =
                    const_cast<CKoImage *>(this)->GetBits((uint32_t)sy) + sx * 3;
                c = {p[0], p[1], p[2], 0};
            }
            if (m_hasTransColor &&
                (uint32_t)(c.red | c.green << 8 | c.blue << 16) == m_transColor)
                continue;
            if (alpha == 0)
                continue;
            if (alpha >= 255) {
                out[0] = c.blue;
                out[1] = c.green;
                out[2] = c.red;
                continue;
            }
            out[0] = (BYTE)((out[0] * (255 - alpha) + c.blue * alpha) / 256);
            out[1] = (BYTE)((out[1] * (255 - alpha) + c.green * alpha) / 256);
            out[2] = (BYTE)((out[2] * (255 - alpha) + c.red * alpha) / 256);
        }
    }
    ::BitBlt(hDC, area.left, area.top, aw, ah, mem, 0, 0, SRCCOPY);
    return true;
}

bool CKoImage::LoadResource(HRSRC hRes, int type, HMODULE hModule)
{
    HGLOBAL hData = hRes ? ::LoadResource(hModule, hRes) : NULL;
    const void *data = hData ? ::LockResource(hData) : NULL;
    DWORD size = hRes ? ::SizeofResource(hModule, hRes) : 0;
    if (!data || size == 0)
        return Fail("Unable to load resource!");
    return Decode(static_cast<const uint8_t *>(data), size, type);
}

bool CKoImage::LoadResource(unsigned id, const char *resType, int type,
                            HMODULE hModule)
{
    if (!hModule)
        hModule = ::GetModuleHandle(NULL);
    return LoadResource(::FindResource(hModule, MAKEINTRESOURCE(id), resType), type,
                        hModule);
}
