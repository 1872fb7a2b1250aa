#include "controls/EffectBitmap.h"
#include "controls/PixelEffect.h"
#include <vector>

namespace {

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
    bi.bmiHeader.biSizeImage = (DWORD)cx * (DWORD)cy * 4;
    return bi;
}

void KeyAll(CPixelEffect* const* pp, size_t n, COLORREF crKey)
{
    for (size_t i = 0; i < n; ++i)
        pp[i]->SetKeyColor(GetRValue(crKey), GetGValue(crKey), GetBValue(crKey));
}

} // namespace

BOOL CEffectBitmap::RunEffects(CPixelEffect* const* ppEffects, size_t nEffects)
{
    BITMAP bm;
    if (m_hObject == NULL || !GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    int cx = bm.bmWidth, cy = bm.bmHeight;
    std::vector<uint32_t> px((size_t)cx * (size_t)cy);
    BITMAPINFO bi = TopDown32(cx, cy);
    HDC hScreen = ::GetDC(NULL);
    int nRows = ::GetDIBits(hScreen, (HBITMAP)m_hObject, 0, (UINT)cy, px.data(), &bi, DIB_RGB_COLORS);
    if (nRows != cy) {
        ::ReleaseDC(NULL, hScreen);
        return FALSE;
    }
    uint32_t nFill = 0;
    if (m_crBackground == 0xFFFFFFFF || m_crBackground == RGB(255, 255, 255))
        nFill = 0xFFFFFFFF;
    else if (m_crBackground != 0)
        nFill = CPixelEffect::Pixel(GetRValue(m_crBackground), GetGValue(m_crBackground), GetBValue(m_crBackground));
    BOOL bOk = RunPixelEffects(px, cx, cy, ppEffects, nEffects, nFill);
    HBITMAP hNew = bOk ? ::CreateCompatibleBitmap(hScreen, cx, cy) : NULL;
    if (hNew != NULL) {
        bi = TopDown32(cx, cy);
        ::SetDIBits(hScreen, hNew, 0, (UINT)cy, px.data(), &bi, DIB_RGB_COLORS);
        DeleteObject();
        Attach(hNew);
    }
    ::ReleaseDC(NULL, hScreen);
    return hNew != NULL;
}

BOOL CEffectBitmap::MakeDisabled(COLORREF crKey)
{
    CGrayPixelEffect grey;
    CLightenPixelEffect lighten(0.08f);
    CPixelEffect* chain[4] = {&grey, &lighten, &lighten, &lighten};
    KeyAll(chain, 4, crKey);
    return RunEffects(chain, 4);
}

BOOL CEffectBitmap::MakeNormal(COLORREF crKey)
{
    CLightenPixelEffect lighten(0.04f);
    CPixelEffect* chain[2] = {&lighten, &lighten};
    KeyAll(chain, 2, crKey);
    return RunEffects(chain, 2);
}
