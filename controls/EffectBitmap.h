// A bitmap that re-renders its own pixels through a chain of pixel effects.
#pragma once
#include <windows.h>
#include "framework/Bitmap.h"

class CPixelEffect;

class CEffectBitmap : public CBitmap {
public:
    // crBackground 0xFFFFFFFF: none.
    explicit CEffectBitmap(COLORREF crBackground = 0xFFFFFFFF) : m_crBackground(crBackground) {}
    virtual ~CEffectBitmap() { DeleteObject(); }

    // Grey, then lightened by 0.08 three times; magenta-like key pixels stay.
    BOOL MakeDisabled(COLORREF crKey);
    // Lightened by 0.04 twice.
    BOOL MakeNormal(COLORREF crKey);
    BOOL RunEffects(CPixelEffect* const* ppEffects, size_t nEffects);

    COLORREF m_crBackground;
};
