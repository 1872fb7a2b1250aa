#include "controls/EffectBitmap.h"
#include "controls/BitmapPixels.h"
#include "controls/PixelEffect.h"
#include <vector>

namespace {

void KeyAll(CPixelEffect* const* pp, size_t n, COLORREF crKey)
{
    for (size_t i = 0; i < n; ++i)
        pp[i]->SetKeyColor(GetRValue(crKey), GetGValue(crKey), GetBValue(crKey));
}

}  // namespace

BOOL CEffectBitmap::RunEffects(CPixelEffect* const* ppEffects, size_t nEffects)
{
    int cx = 0, cy = 0;
    std::vector<uint32_t> px;
    if (!ReadBitmapPixels((HBITMAP)m_hObject, cx, cy, px))
        return FALSE;
    uint32_t nFill = 0;
    if (m_crBackground == 0xFFFFFFFF || m_crBackground == RGB(255, 255, 255))
        nFill = 0xFFFFFFFF;
    else if (m_crBackground != 0)
        nFill = CPixelEffect::Pixel(GetRValue(m_crBackground), GetGValue(m_crBackground), GetBValue(m_crBackground));
    if (!RunPixelEffects(px, cx, cy, ppEffects, nEffects, nFill))
        return FALSE;
    HBITMAP hNew = MakeBitmapFromPixels(cx, cy, px);
    if (hNew == NULL)
        return FALSE;
    DeleteObject();
    Attach(hNew);
    return TRUE;
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
