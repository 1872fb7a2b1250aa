#include "skin/theme/DefaultThemeSchema.h"

#include "skin/draw/SkinBitmap.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/objects/FrameNonClient.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

#include <algorithm>
#include <cstdlib>

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);
const int kBgImageFile = 0;
const int kBgBorderFill = 1;
const int kWindowClass = 6;

struct Frames {
    CVZRSkinBitmap* bitmap;
    int count;
    bool horizontal;
    SIZE frame;
};

Frames FramesOf(CVZRThemeClass* themeClass, int part, int state, CVZRSkinBitmap* bitmap)
{
    Frames f;
    f.bitmap = bitmap;
    f.count = themeClass->GetInt(part, state, TMT_IMAGECOUNT_, 1);
    if (f.count < 1)
        f.count = 1;
    f.horizontal = themeClass->GetEnum(part, state, TMT_IMAGELAYOUT_, 1) == 1;
    f.frame = bitmap->GetSize();
    if (f.horizontal)
        f.frame.cx /= f.count;
    else
        f.frame.cy /= f.count;
    return f;
}

RECT SourceFrame(const Frames& f, int state)
{
    int index = state >= 1 && state <= f.count ? state - 1 : 0;
    RECT r = {0, 0, f.frame.cx, f.frame.cy};
    if (f.horizontal)
        OffsetRect(&r, index * f.frame.cx, 0);
    else
        OffsetRect(&r, 0, index * f.frame.cy);
    return r;
}
}  // namespace

BOOL CVZRDefaultThemeSchema::DrawThemeBackground(HDC dc, CVZRThemeClass* tc, int part, int state, const RECT* rect)
{
    if (!tc || !rect)
        return FALSE;
    int bgType = tc->GetEnum(part, state, TMT_BGTYPE_, kBgImageFile);
    if (bgType == kBgBorderFill) {
        DrawBorderFill(dc, tc, part, state, *rect);
        return TRUE;
    }
    if (bgType != kBgImageFile)
        return TRUE;
    CString name = tc->GetImageName(part, state);
    if (name.IsEmpty())
        return FALSE;
    CVZRSkinBitmap* bitmap = tc->GetBitmap(name);
    if (!bitmap)
        return FALSE;
    const RECT none = {0, 0, 0, 0};
    RECT margins = tc->GetRect(part, state, TMT_SIZINGMARGINS_, none);
    Frames f = FramesOf(tc, part, state, bitmap);
    RECT target = *rect;
    int sizing = tc->GetEnum(part, state, TMT_SIZINGTYPE_, kSizingStretch);
    if (sizing == kSizingTrueSize) {
        SIZE size = f.frame;
        if (tc->GetInt(part, state, TMT_TRUESIZESTRETCHMARK_, 0) > 0) {
            size.cx = std::min<LONG>(size.cx, rect->right - rect->left);
            size.cy = std::min<LONG>(size.cy, rect->bottom - rect->top);
        }
        int x = rect->left + std::max<LONG>(0, ((rect->right - rect->left) - size.cx) / 2);
        int y = tc->GetEnum(part, state, TMT_VALIGN_, 0) == 2
                    ? rect->bottom - size.cy
                    : rect->top + std::max<LONG>(0, ((rect->bottom - rect->top) - size.cy) / 2);
        SetRect(&target, x, y, x + size.cx, y + size.cy);
        margins = none;
    }
    RECT source = SourceFrame(f, state);
    COLORREF transparent = COLORREF(-1);
    if (!bitmap->HasAlpha() && tc->GetBool(part, state, TMT_TRANSPARENT_, FALSE))
        transparent = tc->GetColor(part, state, TMT_TRANSPARENTCOLOR_, kMagenta);
    bool borderOnly = tc->GetBool(part, state, TMT_BORDERONLY_, FALSE) != FALSE;
    if (tc->GetClassCode() == kWindowClass && part >= 7 && part <= 12)
        borderOnly = false;
    bitmap->SetMirrorAllowed(tc->GetBool(part, state, TMT_MIRRORIMAGE_, TRUE) != FALSE);
    bitmap->AnalyseSolidRegions(f.count, f.horizontal, margins);
    bitmap->DrawImage(dc, target, source, margins, transparent, sizing, borderOnly);
    if (tc->GetEnum(part, state, TMT_GLYPHTYPE_, 0) == 1)
        DrawGlyph(dc, tc, part, state, *rect);
    return TRUE;
}

void CVZRDefaultThemeSchema::DrawBorderFill(HDC dc, CVZRThemeClass* tc, int part, int state, RECT rect)
{
    int size = tc->GetInt(part, state, TMT_BORDERSIZE_, 1);
    COLORREF border = tc->GetColor(part, state, TMT_BORDERCOLOR_, COLORREF(-1));
    COLORREF fill = tc->GetColor(part, state, TMT_FILLCOLOR_, COLORREF(-1));
    if (size > 0 && border != COLORREF(-1)) {
        FillSolidRect(dc, rect.left, rect.top, rect.right - rect.left, size, border);
        FillSolidRect(dc, rect.left, rect.bottom - size, rect.right - rect.left, size, border);
        FillSolidRect(dc, rect.left, rect.top, size, rect.bottom - rect.top, border);
        FillSolidRect(dc, rect.right - size, rect.top, size, rect.bottom - rect.top, border);
        InflateRect(&rect, -size, -size);
    }
    if (fill != COLORREF(-1) && !tc->GetBool(part, state, TMT_BORDERONLY_, FALSE) && !IsRectEmpty(&rect))
        FillSolidRect(dc, rect, fill);
}

void CVZRDefaultThemeSchema::DrawGlyph(HDC dc, CVZRThemeClass* tc, int part, int state, RECT rect)
{
    if (tc->GetInt(part, state, TMT_IMAGECOUNT_, 1) <= 0)
        return;
    const RECT none = {0, 0, 0, 0};
    RECT content = tc->GetRect(part, state, TMT_CONTENTMARGINS_, none);
    rect.left += content.left;
    rect.top += content.top;
    rect.right -= content.right;
    rect.bottom -= content.bottom;
    CString name;
    if (tc->GetEnum(part, state, TMT_IMAGESELECTTYPE_, 0) == 1) {
        int count = std::max(1, tc->GetInt(part, state, TMT_IMAGECOUNT_, 1));
        bool horizontal = tc->GetEnum(part, state, TMT_IMAGELAYOUT_, 1) == 1;
        int id = SelectImageFile(tc, part, state, rect, count, horizontal);
        if (id < 0)
            return;
        name = tc->GetString(part, state, id, "");
    } else {
        name = tc->GetString(part, state, TMT_GLYPHIMAGEFILE_, "");
    }
    CVZRSkinBitmap* bitmap = name.IsEmpty() ? nullptr : tc->GetBitmap(name);
    if (!bitmap)
        return;
    Frames f = FramesOf(tc, part, state, bitmap);
    int x = rect.left + ((rect.right - rect.left) - f.frame.cx) / 2;
    int y = rect.top + std::max<LONG>(0, ((rect.bottom - rect.top) - f.frame.cy) / 2);
    RECT target = {x, y, x + f.frame.cx, y + f.frame.cy};
    COLORREF transparent = COLORREF(-1);
    if (!bitmap->HasAlpha() && tc->GetBool(part, state, TMT_GLYPHTRANSPARENT_, FALSE))
        transparent = tc->GetColor(part, state, TMT_TRANSPARENTCOLOR_, kMagenta);
    bitmap->DrawImage(dc, target, SourceFrame(f, state), none, transparent, kSizingTrueSize, false);
}

COLORREF CVZRDefaultThemeSchema::GetSizeBoxColor(HWND)
{
    CVZRSkinContext* owner = GetOwner();
    if (owner && owner->m_pMetrics)
        return owner->m_pMetrics->GetColor(COLOR_BTNFACE);
    return GetSysColor(COLOR_BTNFACE);
}

bool IsInCaptionedCorner(HWND window) { return IsInFrameCorner(window, false); }

COLORREF CVZROffice2007ThemeSchema::GetSizeBoxColor(HWND window)
{
    return IsInCaptionedCorner(window) ? RGB(121, 157, 207) : RGB(245, 245, 245);
}
