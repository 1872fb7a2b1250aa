#include "skin/draw/SkinEdge.h"

#include "skin/draw/SkinBitmap.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/objects/NonClientGeometry.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

#include <algorithm>
#include <vector>

namespace {
const int kScrollBarSizeBox = 10;
const int kScrollBarArrow = 1;

struct EdgeColours {
    COLORREF light, highlight, shadow, dark;
    const CVZRSkinSystemMetrics* metrics;
    COLORREF Sys(int index) const { return metrics ? metrics->GetColor(index) : GetSysColor(index); }
};

EdgeColours ColoursOf(const CVZRSkinContext& context)
{
    const CVZRSkinSystemMetrics* m = context.m_pMetrics;
    if (m)
        return {m->GetLight(), m->GetHighlight(), m->GetShadow(), m->GetDarkShadow(), m};
    return {GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
            GetSysColor(COLOR_3DDKSHADOW), nullptr};
}

void PartColours(const EdgeColours& c, UINT part, UINT flags, bool outer, COLORREF& topLeft, COLORREF& bottomRight)
{
    if (flags & BF_FLAT) {
        if (flags & BF_MONO)
            topLeft = bottomRight = c.Sys(outer ? COLOR_WINDOWFRAME : COLOR_WINDOW);
        else
            topLeft = bottomRight = outer ? c.shadow : c.Sys(COLOR_BTNFACE);
        return;
    }
    bool soft = (flags & BF_SOFT) != 0;
    switch (part) {
    case BDR_RAISEDOUTER:
        topLeft = soft ? c.highlight : c.light;
        bottomRight = c.dark;
        break;
    case BDR_SUNKENOUTER:
        topLeft = soft ? c.dark : c.shadow;
        bottomRight = c.highlight;
        break;
    case BDR_RAISEDINNER:
        topLeft = soft ? c.light : c.highlight;
        bottomRight = c.shadow;
        break;
    default:  // BDR_SUNKENINNER
        topLeft = soft ? c.shadow : c.dark;
        bottomRight = c.light;
        break;
    }
}

void DrawDiagonal(HDC dc, RECT& rc, UINT flags, COLORREF colour)
{
    int cx = GetSystemMetrics(SM_CXBORDER), cy = GetSystemMetrics(SM_CYBORDER);
    if (cx < 1)
        cx = 1;
    if (cy < 1)
        cy = 1;
    int steps = std::min((rc.right - rc.left) / cx, (rc.bottom - rc.top) / cy);
    UINT kind = flags & 0x1F;
    bool rising = kind == 0x13 || kind == 0x1C;
    for (int i = 0; i < steps; ++i) {
        int x = rc.left + i * cx;
        int y = rising ? rc.bottom - (i + 1) * cy : rc.top + i * cy;
        FillSolidRect(dc, x, y, cx, cy, colour);
    }
    if (flags & BF_TOP)
        rc.left += cx;
    else
        rc.right -= cx;
    if (flags & BF_RIGHT)
        rc.top += cy;
    else
        rc.bottom -= cy;
}

void DrawStrips(HDC dc, RECT& rc, UINT flags, COLORREF topLeft, COLORREF bottomRight)
{
    int cx = GetSystemMetrics(SM_CXBORDER), cy = GetSystemMetrics(SM_CYBORDER);
    if (flags & BF_RIGHT) {
        FillSolidRect(dc, rc.right - cx, rc.top, cx, rc.bottom - rc.top, bottomRight);
        rc.right -= cx;
    }
    if (flags & BF_BOTTOM) {
        FillSolidRect(dc, rc.left, rc.bottom - cy, rc.right - rc.left, cy, bottomRight);
        rc.bottom -= cy;
    }
    if (flags & BF_LEFT) {
        FillSolidRect(dc, rc.left, rc.top, cx, rc.bottom - rc.top, topLeft);
        rc.left += cx;
    }
    if (flags & BF_TOP) {
        FillSolidRect(dc, rc.left, rc.top, rc.right - rc.left, cy, topLeft);
        rc.top += cy;
    }
}
}  // namespace

BOOL SkinDrawEdge(CVZRSkinContext& context, HDC dc, LPRECT rect, UINT edge, UINT flags)
{
    if (!rect)
        return FALSE;
    if (flags & BF_MONO)
        flags |= BF_FLAT;
    RECT rc = *rect;
    EdgeColours colours = ColoursOf(context);
    const UINT parts[2] = {edge & 3u, edge & 0x0Cu};
    for (int i = 0; i < 2; ++i) {
        UINT part = parts[i];
        if (!part)
            continue;
        if (part == 3 || part == 0x0C)
            return FALSE;
        COLORREF topLeft, bottomRight;
        PartColours(colours, part, flags, i == 0, topLeft, bottomRight);
        if (flags & BF_DIAGONAL)
            DrawDiagonal(dc, rc, flags, (flags & BF_BOTTOM) ? bottomRight : topLeft);
        else
            DrawStrips(dc, rc, flags, topLeft, bottomRight);
    }
    if ((flags & BF_MIDDLE) && !(flags & BF_DIAGONAL) && rc.right > rc.left && rc.bottom > rc.top)
        FillSolidRect(dc, rc, colours.Sys((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        *rect = rc;
    return TRUE;
}

namespace {
void FillGlyph(HDC dc, const std::vector<SkinRect>& glyph, int dx, int dy, COLORREF colour)
{
    for (const SkinRect& r : glyph)
        FillSolidRect(dc, RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, colour);
}

// A caption button with its glyph drawn from rectangles: no glyph font needed.
void DrawCaptionButton(CVZRSkinContext& context, HDC dc, RECT rc, UINT state)
{
    const EdgeColours colours = ColoursOf(context);
    const bool pushed = (state & DFCS_PUSHED) != 0;
    if (!(state & DFCS_FLAT))
        SkinDrawEdge(context, dc, &rc, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (!(state & DFCS_TRANSPARENT))
        FillSolidRect(dc, rc, colours.Sys(COLOR_BTNFACE));
    if (pushed)
        OffsetRect(&rc, 1, 1);
    std::vector<SkinRect> glyph = CaptionGlyphRects(int(state & 0xFF), SkinRect{rc.left, rc.top, rc.right, rc.bottom});
    if (state & DFCS_INACTIVE) {
        FillGlyph(dc, glyph, 1, 1, colours.highlight);
        FillGlyph(dc, glyph, 0, 0, colours.shadow);
    } else {
        FillGlyph(dc, glyph, 0, 0, colours.Sys(COLOR_BTNTEXT));
    }
}
}  // namespace

BOOL SkinDrawFrameControl(CVZRSkinContext& context, HDC dc, LPRECT rect, UINT type, UINT state)
{
    if (!rect)
        return FALSE;
    COLORREF face = context.m_pMetrics ? context.m_pMetrics->GetColor(COLOR_BTNFACE) : GetSysColor(COLOR_BTNFACE);
    if (type == DFC_SCROLL && (state & DFCS_SCROLLSIZEGRIP)) {
        FillSolidRect(dc, *rect, face);
        context.LookupThemeClass("SCROLLBAR")->DrawBackground(dc, kScrollBarSizeBox, 1, rect);
        return TRUE;
    }
    if (type == DFC_SCROLL && (state & 0x1F) <= DFCS_SCROLLRIGHT) {
        int direction = int(state & 0x1F);
        int offset = (state & DFCS_INACTIVE) ? 4 : (state & DFCS_PUSHED) ? 3
                                                                         : 1;
        context.LookupThemeClass("SCROLLBAR")->DrawBackground(dc, kScrollBarArrow, direction * 4 + offset, rect);
        return TRUE;
    }
    if (type == DFC_BUTTON && (state & DFCS_BUTTONPUSH) &&
        !(state & ~UINT(DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT))) {
        RECT rc = *rect;
        SkinDrawEdge(context, dc, &rc, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        FillSolidRect(dc, rc, face);
        if (state & DFCS_ADJUSTRECT)
            *rect = rc;
        return TRUE;
    }
    if (type == DFC_CAPTION && (state & 0xFF) <= DFCS_CAPTIONHELP) {
        DrawCaptionButton(context, dc, *rect, state);
        return TRUE;
    }
    return FALSE;
}
