// Scroll bars drawn by the schemas: the default one from the SCROLLBAR parts,
// the second one from its fixed set of images.
#include "skin/theme/DefaultThemeSchema.h"

#include "skin/draw/SkinBitmap.h"
#include "skin/objects/NonClientGeometry.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

namespace {
const int kArrowBtn = 1;
const int kThumbHorz = 2;
const int kThumbVert = 3;
const int kLowerTrackHorz = 4;
const int kUpperTrackHorz = 5;
const int kLowerTrackVert = 6;
const int kUpperTrackVert = 7;
const int kGripperHorz = 8;
const int kGripperVert = 9;

// The parts of a bar along its axis, in bar coordinates.
struct BarLayout {
    RECT firstArrow, secondArrow, trackBefore, thumb, trackAfter;
    bool showThumb;
};

RECT Along(const CVZRScrollBarInfo& bar, int from, int to)
{
    RECT r;
    if (bar.vertical)
        SetRect(&r, bar.crossStart, from, bar.crossEnd, to);
    else
        SetRect(&r, from, bar.crossStart, to, bar.crossEnd);
    return r;
}

BarLayout LayoutOf(const CVZRScrollBarInfo& bar, bool enabled)
{
    BarLayout l;
    l.firstArrow = Along(bar, bar.start, bar.firstArrowEnd);
    l.secondArrow = Along(bar, bar.secondArrowStart, bar.end);
    l.showThumb = enabled && bar.secondArrowStart - bar.firstArrowEnd >= bar.thumbLength;
    if (l.showThumb) {
        l.trackBefore = Along(bar, bar.firstArrowEnd, bar.thumbTop);
        l.thumb = Along(bar, bar.thumbTop, bar.thumbBottom);
        l.trackAfter = Along(bar, bar.thumbBottom, bar.secondArrowStart);
    } else {
        l.trackBefore = Along(bar, bar.firstArrowEnd, bar.secondArrowStart);
        SetRectEmpty(&l.thumb);
        SetRectEmpty(&l.trackAfter);
    }
    return l;
}

// 1 normal, 2 hot, 3 pressed, 4 disabled for the part of a hit code.
int PartState(const CVZRScrollBarInfo& bar, int code, bool enabled)
{
    if (!enabled)
        return 4;
    if (bar.hotPart != code)
        return 1;
    return bar.pressed ? 3 : 2;
}
}  // namespace

bool IsScrollBarEnabled(HWND window, const CVZRScrollBarInfo& bar)
{
    if (bar.nMax <= bar.nMin)
        return false;
    return bar.barType != kBarCtl || !(GetWindowLongA(window, GWL_STYLE) & WS_DISABLED);
}

void CVZRDefaultThemeSchema::DrawScrollBar(HDC dc, HWND window, CVZRScrollBarInfo* bar)
{
    if (!bar || bar->end <= bar->start)
        return;
    bool enabled = IsScrollBarEnabled(window, *bar);
    BarLayout l = LayoutOf(*bar, enabled);
    CVZRThemeClass* tc = GetOwner()->LookupThemeClass("SCROLLBAR");
    bool hover = bar->hotPart != kScrollNone && tc->GetInt(kArrowBtn, 0, TMT_IMAGECOUNT_, 16) == 20;
    int firstBase = bar->vertical ? 0 : 8;
    int firstState = firstBase + PartState(*bar, kScrollFirstArrow, enabled);
    int secondState = firstBase + 4 + PartState(*bar, kScrollSecondArrow, enabled);
    if (hover && enabled && bar->hotPart != kScrollFirstArrow)
        firstState = bar->vertical ? 17 : 19;
    if (hover && enabled && bar->hotPart != kScrollSecondArrow)
        secondState = bar->vertical ? 18 : 20;
    DrawThemeBackground(dc, tc, kArrowBtn, firstState, &l.firstArrow);
    DrawThemeBackground(dc, tc, kArrowBtn, secondState, &l.secondArrow);
    int lower = bar->vertical ? kLowerTrackVert : kLowerTrackHorz;
    int upper = bar->vertical ? kUpperTrackVert : kUpperTrackHorz;
    if (!IsRectEmpty(&l.trackBefore))
        DrawThemeBackground(dc, tc, lower, PartState(*bar, kScrollPageBefore, enabled), &l.trackBefore);
    if (!l.showThumb)
        return;
    int thumbState = PartState(*bar, kScrollThumb, enabled);
    DrawThemeBackground(dc, tc, bar->vertical ? kThumbVert : kThumbHorz, thumbState, &l.thumb);
    int grip = bar->vertical ? 13 : 9;
    if (bar->thumbLength > grip)
        DrawThemeBackground(dc, tc, bar->vertical ? kGripperVert : kGripperHorz, thumbState, &l.thumb);
    if (!IsRectEmpty(&l.trackAfter))
        DrawThemeBackground(dc, tc, upper, PartState(*bar, kScrollPageAfter, enabled), &l.trackAfter);
}

namespace {
// A frame of an image whose frames are stacked vertically.
RECT StackedFrame(CVZRSkinBitmap* bitmap, int count, int index)
{
    SIZE size = bitmap->GetSize();
    int h = size.cy / count;
    RECT r = {0, index * h, size.cx, (index + 1) * h};
    return r;
}
}  // namespace

void CVZROffice2007ThemeSchema::DrawScrollBar(HDC dc, HWND window, CVZRScrollBarInfo* bar)
{
    if (!bar || bar->end <= bar->start)
        return;
    CVZRThemeClass* tc = GetOwner()->LookupThemeClass("SCROLLBAR");
    bool dark = IsInCaptionedCorner(window);
    bool vertical = bar->vertical != 0;
    bool enabled = IsScrollBarEnabled(window, *bar);
    BarLayout l = LayoutOf(*bar, enabled);
    const char* backgroundName = vertical ? (dark ? "OFFICE2007\\SCROLLVERTICALDARK.BMP" : "OFFICE2007\\SCROLLVERTICALLIGHT.BMP")
                                          : (dark ? "OFFICE2007\\SCROLLHORIZONTALDARK.BMP" : "OFFICE2007\\SCROLLHORIZONTALLIGHT.BMP");
    CVZRSkinBitmap* background = tc->GetBitmap(backgroundName);
    if (!background)
        return;
    RECT whole = Along(*bar, bar->start, bar->end);
    RECT longSides = vertical ? RECT{1, 0, 1, 0} : RECT{0, 1, 0, 1};
    background->DrawImage(dc, whole, StackedFrame(background, 2, 0), longSides, COLORREF(-1), kSizingStretch, false);

    bool active = enabled && bar->hotPart != kScrollNone;
    if (active) {
        const char* arrowsName = vertical ? (dark ? "OFFICE2007\\SCROLLARROWSVERTICALDARK.BMP" : "OFFICE2007\\SCROLLARROWSVERTICALLIGHT.BMP")
                                          : (dark ? "OFFICE2007\\SCROLLARROWSHORIZONTALDARK.BMP" : "OFFICE2007\\SCROLLARROWSHORIZONTALLIGHT.BMP");
        CVZRSkinBitmap* arrows = tc->GetBitmap(arrowsName);
        if (!arrows)
            return;
        const RECT three = {3, 3, 3, 3};
        for (int code : {kScrollFirstArrow, kScrollSecondArrow}) {
            int frame = bar->hotPart == code ? (bar->pressed ? 3 : 2) : 1;
            const RECT& target = code == kScrollFirstArrow ? l.firstArrow : l.secondArrow;
            arrows->DrawImage(dc, target, StackedFrame(arrows, 4, frame), three, COLORREF(-1), kSizingStretch, false);
        }
    }
    CVZRSkinBitmap* glyphs = tc->GetBitmap("OFFICE2007\\SCROLLARROWGLYPHS.BMP");
    if (!glyphs)
        return;
    const RECT none = {0, 0, 0, 0};
    int firstGlyph = vertical ? 0 : 72;
    int secondGlyph = vertical ? 36 : 108;
    for (int i = 0; i < 2; ++i) {
        const RECT& arrow = i == 0 ? l.firstArrow : l.secondArrow;
        int x = (i == 0 ? firstGlyph : secondGlyph) + (enabled ? 0 : 27);
        int left = arrow.left + (arrow.right - arrow.left - 9) / 2;
        int top = arrow.top + (arrow.bottom - arrow.top - 9) / 2;
        RECT target = {left, top, left + 9, top + 9};
        RECT source = {x, 0, x + 9, 9};
        glyphs->DrawImage(dc, target, source, none, RGB(255, 0, 255), kSizingStretch, false);
    }
    if (bar->pressed && (bar->hotPart == kScrollPageBefore || bar->hotPart == kScrollPageAfter)) {
        const RECT& track = bar->hotPart == kScrollPageBefore ? l.trackBefore : l.trackAfter;
        RECT shortSides = vertical ? RECT{0, 1, 0, 1} : RECT{1, 0, 1, 0};
        if (!IsRectEmpty(&track))
            background->DrawImage(dc, track, StackedFrame(background, 2, 1), shortSides, COLORREF(-1), kSizingStretch,
                                  false);
    }
    if (!l.showThumb)
        return;
    CVZRSkinBitmap* thumb =
        tc->GetBitmap(vertical ? "OFFICE2007\\SCROLLTHUMBVERTICAL.BMP" : "OFFICE2007\\SCROLLTHUMBHORIZONTAL.BMP");
    if (!thumb)
        return;
    int frame = bar->hotPart == kScrollThumb ? (bar->pressed ? 2 : 1) : 0;
    const RECT five = {5, 5, 5, 5};
    thumb->DrawImage(dc, l.thumb, StackedFrame(thumb, 3, frame), five, COLORREF(-1), kSizingStretch, false);
    if (bar->thumbLength > 10)
        DrawThemeBackground(dc, tc, vertical ? kGripperVert : kGripperHorz, 0, &l.thumb);
}
