#include "skin/objects/NonClientGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

using namespace skinstyle;

namespace {
const int kPartMinButton = 15;
const int kPartMaxButton = 17;
const int kPartCloseButton = 18;
const int kPartSmallCloseButton = 19;
const int kPartRestoreButton = 21;
const int kPartHelpButton = 23;

bool Has(uint32_t bits, uint32_t mask) { return (bits & mask) != 0; }
}  // namespace

int SkinMulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = int64_t(number) * numerator;
    int64_t half = std::abs(int64_t(denominator)) / 2;
    bool negative = (product < 0) != (denominator < 0);
    int64_t magnitude = (std::abs(product) + half) / std::abs(int64_t(denominator));
    int64_t result = negative ? -magnitude : magnitude;
    return result > INT_MAX || result < INT_MIN ? -1 : int(result);
}

int BorderCount(uint32_t style, uint32_t exStyle, bool withFrame, bool withClientEdge, int borderMultiplier)
{
    int count = 0;
    if (Has(exStyle, kExWindowEdge))
        count = 2;
    else if (Has(exStyle, kExStaticEdge))
        count = 1;
    if (Has(style, kBorder | kDlgFrame) || Has(exStyle, kExDlgModalFrame))
        ++count;
    if (withFrame && Has(style, kThickFrame))
        count += borderMultiplier;
    if (withClientEdge && Has(exStyle, kExClientEdge))
        count += 2;
    return count;
}

static int CaptionOf(uint32_t exStyle, const FrameMetrics& m)
{
    return Has(exStyle, kExToolWindow) ? m.smallCaptionHeight : m.captionHeight;
}

SkinRect FrameBorders(uint32_t style, uint32_t exStyle, const FrameMetrics& m)
{
    SkinRect b = {0, 0, 0, 0};
    if ((style & kCaption) == kCaption)
        b.top = CaptionOf(exStyle, m);
    int count = BorderCount(style, exStyle, true, false, m.borderMultiplier);
    b.left = b.right = count * m.cxBorder;
    b.top += count * m.cyBorder;
    b.bottom = count * m.cyBorder;
    if (Has(exStyle, kExClientEdge)) {
        b.left += m.cxEdge;
        b.right += m.cxEdge;
        b.top += m.cyEdge;
        b.bottom += m.cyEdge;
    }
    return b;
}

SkinRect MaximizedFrameBorders(uint32_t exStyle, int overhang, const FrameMetrics& m)
{
    SkinRect b = {overhang, CaptionOf(exStyle, m) + overhang, overhang, overhang};
    return b;
}

SkinRect NonClientClientRect(const SkinRect& window, const SkinRect& borders, uint32_t style, uint32_t exStyle,
                             int vBarWidth, int hBarHeight)
{
    SkinRect r = {window.left + borders.left, window.top + borders.top, window.right - borders.right,
                  window.bottom - borders.bottom};
    if (Has(style, kVScroll)) {
        if (Has(exStyle, kExLeftScrollBar | kExLayoutRtl))
            r.left += vBarWidth;
        else
            r.right -= vBarWidth;
    }
    if (Has(style, kHScroll))
        r.bottom -= hBarHeight;
    r.bottom = std::max(r.bottom, r.top);
    r.right = std::max(r.right, r.left);
    return r;
}

SkinRect NonClientScrollBarRect(const SkinRect& client, bool vertical, uint32_t exStyle, int vBarWidth,
                                int hBarHeight)
{
    if (vertical) {
        int left = Has(exStyle, kExLeftScrollBar) ? client.left - vBarWidth : client.right;
        return SkinRect{left, client.top, left + vBarWidth, client.bottom};
    }
    return SkinRect{client.left, client.bottom, client.right, client.bottom + hBarHeight};
}

std::vector<CaptionButtonSlot> CaptionButtonSlots(uint32_t style, uint32_t exStyle, bool maximized, bool minimized,
                                                  bool closeDisabledInMenu)
{
    std::vector<CaptionButtonSlot> out;
    bool tool = Has(exStyle, kExToolWindow);
    bool sysMenu = Has(style, kSysMenu);
    if (!sysMenu)
        return out;
    bool minMax = !tool && Has(style, kMinimizeBox | kMaximizeBox);
    bool closeEnabled = tool || !closeDisabledInMenu;
    out.push_back({kHitClose, tool ? kPartSmallCloseButton : kPartCloseButton, kScClose, closeEnabled});
    if (minMax) {
        bool canMax = Has(style, kMaximizeBox);
        if (!maximized)
            out.push_back({kHitMaxButton, kPartMaxButton, kScMaximize, canMax});
        else
            out.push_back({kHitMaxButton, kPartRestoreButton, kScRestore, canMax});
        bool canMin = Has(style, kMinimizeBox);
        if (minimized)
            out.push_back({kHitMinButton, kPartRestoreButton, kScRestore, canMin});
        else
            out.push_back({kHitMinButton, kPartMinButton, kScMinimize, canMin});
    }
    if (Has(exStyle, kExContextHelp) && !tool)
        out.push_back({kHitHelp, kPartHelpButton, kScContextHelp, true});
    return out;
}

int CaptionButtonHeight(int topBorder, int correction, int borderCount, int cxBorder, uint32_t exStyle)
{
    int g = topBorder + correction - borderCount * cxBorder - 5;
    if (Has(exStyle, kExClientEdge))
        g -= 2;
    return g;
}

void CaptionButtonSize(int g, bool toolWindow, int frameWidth, int frameHeight, int* width, int* height)
{
    *width = *height = g;
    if (!toolWindow && frameWidth > 0 && frameHeight > 0)
        *width = SkinMulDiv(frameWidth - frameHeight, 4, frameHeight) + SkinMulDiv(frameWidth, g, frameHeight);
}

int CaptionButtonTop(uint32_t style, uint32_t exStyle, int borderMultiplier, int topBorder, int height)
{
    int top = Has(exStyle, kExWindowEdge | kExStaticEdge) ? 1 : 0;
    if (Has(style, kThickFrame))
        top += (borderMultiplier + 1) / 2;
    top += (topBorder - height) / 2;
    if (Has(exStyle, kExClientEdge))
        --top;
    return top;
}

CaptionCorners ScanCaptionCorners(const uint32_t* pixels, int width, int height, uint32_t key, int leftMargin,
                                  int rightMargin)
{
    CaptionCorners out;
    leftMargin = std::clamp(leftMargin, 0, width);
    rightMargin = std::clamp(rightMargin, 0, width - leftMargin);
    int rightStart = width - rightMargin;
    bool countingRows = leftMargin < rightStart;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * width;
        int x = 0;
        while (x < leftMargin && (row[x] & 0xFFFFFF) == key)
            ++x;
        if (x > 0)
            out.left.push_back({y, 0, x});
        for (int run = rightStart; run < width;) {
            if ((row[run] & 0xFFFFFF) != key) {
                ++run;
                continue;
            }
            int runEnd = run;
            while (runEnd < width && (row[runEnd] & 0xFFFFFF) == key)
                ++runEnd;
            out.right.push_back({y, run - rightStart, runEnd - rightStart});
            run = runEnd;
        }
        if (countingRows) {
            bool all = true;
            for (int i = leftMargin; i < rightStart && all; ++i)
                all = (row[i] & 0xFFFFFF) == key;
            if (all)
                ++out.transparentRows;
            else
                countingRows = false;
        }
    }
    return out;
}

void CalcScrollBarInfo(const SkinRect& rect, CVZRScrollBarInfo& bar, int nMin, int nMax, int nPage, int nPos,
                       int arrowMetric)
{
    bar.rect = rect;
    if (bar.vertical) {
        bar.start = rect.top;
        bar.end = rect.bottom;
        bar.crossStart = rect.left;
        bar.crossEnd = rect.right;
    } else {
        bar.start = rect.left;
        bar.end = rect.right;
        bar.crossStart = rect.top;
        bar.crossEnd = rect.bottom;
    }
    int arrow = arrowMetric;
    bar.thumbLength = arrowMetric;
    bar.nMin = nMin;
    bar.nMax = nMax;
    bar.nPage = nPage;
    bar.nPos = nPos;
    if ((bar.end - bar.start) / 2 < arrow)
        arrow = (bar.end - bar.start) / 2;
    bar.firstArrowEnd = bar.start + arrow;
    bar.secondArrowStart = bar.end - arrow;
    int range = nMax + 1 - nMin;
    if (nPage && range)
        bar.thumbLength = std::max(SkinMulDiv(bar.end - bar.start - 2 * arrow, nPage, range), arrowMetric / 2);
    bar.firstThumbPos = bar.start + arrow;
    bar.trackLength = bar.end - (bar.firstThumbPos + arrow + bar.thumbLength);
    int page = nPage ? nPage : 1;
    if (range == page) {
        bar.thumbTop = bar.firstThumbPos - 1;
        bar.thumbBottom = bar.firstThumbPos + bar.thumbLength - 1;
    } else {
        bar.thumbTop = SkinMulDiv(nPos - nMin, bar.trackLength, range - page) + bar.firstThumbPos;
        bar.thumbBottom = bar.thumbTop + bar.thumbLength;
    }
}

int HitTestScrollBar(const CVZRScrollBarInfo& bar, int x, int y)
{
    if (!bar.visible || x < bar.rect.left || x >= bar.rect.right || y < bar.rect.top || y >= bar.rect.bottom)
        return kScrollNone;
    int along = bar.vertical ? y : x;
    if (along < bar.firstArrowEnd)
        return kScrollFirstArrow;
    if (along >= bar.secondArrowStart)
        return kScrollSecondArrow;
    if (along < bar.thumbTop)
        return kScrollPageBefore;
    if (along < bar.thumbBottom)
        return kScrollThumb;
    return kScrollPageAfter;
}

int PosFromPixel(const CVZRScrollBarInfo& bar, int pixel)
{
    if (pixel < bar.firstThumbPos)
        return bar.nMin;
    if (pixel < bar.firstThumbPos + bar.trackLength) {
        int span = bar.nMax - bar.nMin - (bar.nPage ? bar.nPage - 1 : 0);
        return bar.nMin + SkinMulDiv(span, pixel - bar.firstThumbPos, bar.trackLength);
    }
    return bar.nPage ? bar.nMax - bar.nPage + 1 : bar.nMax;
}

int ScrollPressPart(const CVZRScrollBarInfo& bar, int along, int* spanStart, int* spanEnd)
{
    int part;
    if (along < bar.firstArrowEnd) {
        part = kScrollFirstArrow;
        *spanStart = bar.start;
        *spanEnd = bar.firstArrowEnd;
    } else if (along < bar.secondArrowStart) {
        if (along < bar.thumbTop) {
            part = kScrollPageBefore;
            *spanStart = bar.firstArrowEnd;
            *spanEnd = bar.thumbTop;
        } else if (along < bar.thumbBottom) {
            part = kScrollThumb;
            *spanStart = bar.thumbTop;
            *spanEnd = bar.thumbBottom;
        } else {
            part = kScrollPageAfter;
            *spanStart = bar.thumbBottom;
            *spanEnd = bar.secondArrowStart;
        }
    } else {
        part = kScrollSecondArrow;
        *spanStart = bar.secondArrowStart;
        *spanEnd = bar.end;
    }
    return part;
}

int DragThumbTop(const CVZRScrollBarInfo& bar, int along, int offset, bool inside)
{
    if (!inside)
        return bar.dragThumbTop;
    return std::clamp(along + offset, bar.firstThumbPos, bar.firstThumbPos + std::max(0, bar.trackLength));
}

namespace {
// The question mark, five cells wide and eight high.
const char* const kHelpGlyph[8] = {".###.", "#...#", "....#", "...#.", "..#..", "..#..", ".....", "..#.."};

void Add(std::vector<SkinRect>& out, int x, int y, int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        out.push_back({x + left, y + top, x + right, y + bottom});
}
}  // namespace

std::vector<SkinRect> CaptionGlyphRects(int glyph, const SkinRect& area)
{
    std::vector<SkinRect> out;
    const int w = area.right - area.left, h = area.bottom - area.top;
    const int s = std::min(w, h);
    if (s < 4 || glyph < kGlyphClose || glyph > kGlyphHelp)
        return out;
    const int g = std::max(3, (s * 7 + 5) / 10);   // the glyph's square
    const int stroke = std::max(1, (s + 4) / 10);  // the cross's strokes
    const int line = std::max(1, stroke - 1);      // the boxes' sides
    const int band = line + 1;                     // the boxes' title bands
    const int x = area.left + (w - g) / 2, y = area.top + (h - g) / 2;
    switch (glyph) {
    case kGlyphClose: {
        // Two diagonals of the stroke's thickness from corner to corner.
        const int t = std::min(stroke, g - 1), rows = g - t + 1, top = y + (g - rows) / 2;
        for (int i = 0; i < rows; ++i) {
            Add(out, x, top, i, i, i + t, i + 1);
            Add(out, x, top, g - t - i, i, g - i, i + 1);
        }
        break;
    }
    case kGlyphMinimise: Add(out, x, y, 0, g - band, (g * 2 + 2) / 3, g); break;
    case kGlyphMaximise:
        Add(out, x, y, 0, 0, g, band);
        Add(out, x, y, 0, band, line, g);
        Add(out, x, y, g - line, band, g, g);
        Add(out, x, y, line, g - line, g - line, g);
        break;
    case kGlyphRestore: {
        // The back window shows only where the front one does not cover it.
        const int b = std::max(band + 2, g * 3 / 4), d = g - b;
        Add(out, x, y, d, 0, g, band);
        Add(out, x, y, g - line, band, g, b);
        Add(out, x, y, d, band, d + line, d);
        Add(out, x, y, b, b - line, g - line, b);
        Add(out, x, y, 0, d, b, d + band);
        Add(out, x, y, 0, d + band, line, g);
        Add(out, x, y, b - line, d + band, b, g);
        Add(out, x, y, line, g - line, b - line, g);
        break;
    }
    case kGlyphHelp: {
        const int cell = std::max(1, (g + 2) / 8);
        const int hx = area.left + (w - 5 * cell) / 2, hy = area.top + (h - 8 * cell) / 2;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 5; ++col) {
                if (kHelpGlyph[row][col] == '#')
                    Add(out, hx, hy, col * cell, row * cell, (col + 1) * cell, (row + 1) * cell);
            }
        }
        break;
    }
    }
    return out;
}
