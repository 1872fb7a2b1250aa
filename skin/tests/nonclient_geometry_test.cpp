#include "skin/objects/NonClientGeometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace skinstyle;

namespace {
const FrameMetrics kMetrics = {1, 1, 2, 2, 3, 21, 17};

bool Same(const SkinRect& a, const SkinRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

CVZRScrollBarInfo Bar(int length, int nMin, int nMax, int nPage, int nPos, bool vertical = true)
{
    CVZRScrollBarInfo bar;
    bar.vertical = vertical;
    bar.visible = 1;
    SkinRect r = vertical ? SkinRect{100, 0, 117, length} : SkinRect{0, 100, length, 117};
    CalcScrollBarInfo(r, bar, nMin, nMax, nPage, nPos, 17);
    return bar;
}
}  // namespace

TEST(NonClientGeometry, BorderCountsAndWidthsFollowTheStylePair)
{
    struct Row {
        uint32_t style, exStyle;
        int count, countWithClientEdge;
        SkinRect borders;
    } rows[] = {
        {0, 0, 0, 0, {0, 0, 0, 0}},
        {kBorder, 0, 1, 1, {1, 1, 1, 1}},
        {kCaption, 0, 1, 1, {1, 22, 1, 1}},
        {kCaption | kThickFrame, kExWindowEdge, 6, 6, {6, 27, 6, 6}},
        {kCaption, kExToolWindow | kExWindowEdge, 3, 3, {3, 20, 3, 3}},
        {0, kExStaticEdge, 1, 1, {1, 1, 1, 1}},
        {0, kExWindowEdge | kExStaticEdge, 2, 2, {2, 2, 2, 2}},
        {0, kExDlgModalFrame | kExClientEdge, 1, 3, {3, 3, 3, 3}},
        {kDlgFrame, kExClientEdge, 1, 3, {3, 3, 3, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << r.style << " " << r.exStyle);
        EXPECT_EQ(BorderCount(r.style, r.exStyle, true, false, 3), r.count);
        EXPECT_EQ(BorderCount(r.style, r.exStyle, true, true, 3), r.countWithClientEdge);
        EXPECT_TRUE(Same(FrameBorders(r.style, r.exStyle, kMetrics), r.borders));
    }
    EXPECT_EQ(BorderCount(kThickFrame, 0, false, false, 3), 0);
    EXPECT_TRUE(Same(MaximizedFrameBorders(kExToolWindow, 4, kMetrics), SkinRect{4, 21, 4, 4}));
}

TEST(NonClientGeometry, ClientIsTheWindowLessBordersAndBars)
{
    SkinRect window = {0, 0, 200, 150};
    SkinRect borders = {4, 25, 4, 4};
    EXPECT_TRUE(Same(NonClientClientRect(window, borders, 0, 0, 17, 15), SkinRect{4, 25, 196, 146}));
    SkinRect both = NonClientClientRect(window, borders, kVScroll | kHScroll, 0, 17, 15);
    EXPECT_TRUE(Same(both, SkinRect{4, 25, 179, 131}));
    SkinRect left = NonClientClientRect(window, borders, kVScroll | kHScroll, kExLeftScrollBar, 17, 15);
    EXPECT_TRUE(Same(left, SkinRect{21, 25, 196, 131}));
    // The bars sit beside the client, on the left when asked.
    EXPECT_TRUE(Same(NonClientScrollBarRect(both, true, 0, 17, 15), SkinRect{179, 25, 196, 131}));
    EXPECT_TRUE(Same(NonClientScrollBarRect(left, true, kExLeftScrollBar, 17, 15), SkinRect{4, 25, 21, 131}));
    EXPECT_TRUE(Same(NonClientScrollBarRect(both, false, 0, 17, 15), SkinRect{4, 131, 179, 146}));
    // Too small a window keeps an empty, not inverted, client.
    SkinRect tiny = NonClientClientRect(SkinRect{0, 0, 10, 20}, borders, kVScroll | kHScroll, 0, 17, 15);
    EXPECT_EQ(tiny.right, tiny.left);
    EXPECT_EQ(tiny.bottom, tiny.top);
}

TEST(NonClientGeometry, CaptionButtonsByStyle)
{
    auto codes = [](const std::vector<CaptionButtonSlot>& slots) {
        std::vector<int> out;
        for (const CaptionButtonSlot& s : slots)
            out.push_back(s.hitCode);
        return out;
    };
    EXPECT_TRUE(CaptionButtonSlots(kCaption, 0, false, false, false).empty());
    EXPECT_TRUE(CaptionButtonSlots(kCaption | kMinimizeBox | kMaximizeBox, kExContextHelp, false, false, false).empty());
    std::vector<CaptionButtonSlot> tool =
        CaptionButtonSlots(kCaption | kSysMenu | kMinimizeBox, kExToolWindow | kExContextHelp, false, false, true);
    ASSERT_EQ(tool.size(), 1u);
    EXPECT_EQ(tool[0].part, 19);
    EXPECT_TRUE(tool[0].enabled);

    std::vector<CaptionButtonSlot> full =
        CaptionButtonSlots(kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExContextHelp, false, false, true);
    EXPECT_EQ(codes(full), (std::vector<int>{kHitClose, kHitMaxButton, kHitMinButton, kHitHelp}));
    EXPECT_FALSE(full[0].enabled);
    EXPECT_EQ(full[1].command, kScMaximize);

    std::vector<CaptionButtonSlot> onlyMin =
        CaptionButtonSlots(kCaption | kSysMenu | kMinimizeBox, 0, true, false, false);
    EXPECT_EQ(onlyMin[1].part, 21);
    EXPECT_EQ(onlyMin[1].command, kScRestore);
    EXPECT_FALSE(onlyMin[1].enabled);
    EXPECT_TRUE(onlyMin[2].enabled);
    std::vector<CaptionButtonSlot> minimized = CaptionButtonSlots(kCaption | kSysMenu | kMinimizeBox, 0, false, true, false);
    EXPECT_EQ(minimized[2].command, kScRestore);
    EXPECT_EQ(minimized[2].part, 21);
}

TEST(NonClientGeometry, CaptionButtonSizeFromTheCloseImage)
{
    int g = CaptionButtonHeight(25, 0, 4, 1, 0);
    EXPECT_EQ(g, 16);
    EXPECT_EQ(CaptionButtonHeight(25, 0, 4, 1, kExClientEdge), 14);
    int w, h;
    CaptionButtonSize(g, false, 21, 21, &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    CaptionButtonSize(g, false, 30, 20, &w, &h);
    EXPECT_EQ(w, 2 + 24);
    CaptionButtonSize(g, true, 30, 20, &w, &h);
    EXPECT_EQ(w, 16);
    CaptionButtonSize(g, false, 0, 0, &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(CaptionButtonTop(kCaption | kThickFrame, kExWindowEdge, 3, 25, 16), 1 + 2 + 4);
    EXPECT_EQ(CaptionButtonTop(kCaption, kExClientEdge, 3, 25, 16), 3);
}

TEST(NonClientGeometry, CaptionCornersFromKeyColourRuns)
{
    const uint32_t k = 0xFF00FF, c = 0x123456;
    // 12 x 4: rounded corners of 3, 2, 1 pixels, one fully keyed leading row in the middle.
    const int w = 12, h = 4;
    uint32_t px[h][w];
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int corner = 3 - y;
            px[y][x] = (x < corner || x >= w - corner) ? k : c;
        }
    }
    for (int x = 3; x < 9; ++x)
        px[0][x] = k;
    px[1][9] = k;  // a gap leaves two runs on the right
    px[1][10] = c;
    CaptionCorners corners = ScanCaptionCorners(&px[0][0], w, h, k, 3, 3);
    ASSERT_EQ(corners.left.size(), 3u);
    EXPECT_EQ(corners.left[0].x1, 3);
    EXPECT_EQ(corners.left[2].x1, 1);
    EXPECT_EQ(corners.transparentRows, 1);
    // Right runs relative to the right margin's start (x 9).
    ASSERT_EQ(corners.right.size(), 4u);
    EXPECT_EQ(corners.right[0].x0, 0);
    EXPECT_EQ(corners.right[0].x1, 3);
    EXPECT_EQ(corners.right[1].x0, 0);
    EXPECT_EQ(corners.right[1].x1, 1);
    EXPECT_EQ(corners.right[2].x0, 2);
    EXPECT_EQ(corners.right[3].y, 2);
    // Margins wider than the image meet and count no rows.
    CaptionCorners wide = ScanCaptionCorners(&px[0][0], w, h, k, 8, 8);
    EXPECT_EQ(wide.transparentRows, 0);
}

TEST(NonClientGeometry, ScrollBarLayoutTable)
{
    // A normal bar: 200 pixels, arrows 17, range 0..99, page 10, position 45.
    CVZRScrollBarInfo bar = Bar(200, 0, 99, 10, 45);
    EXPECT_EQ(bar.firstArrowEnd, 17);
    EXPECT_EQ(bar.secondArrowStart, 183);
    EXPECT_EQ(bar.thumbLength, 17);  // 166 * 10 / 100 = 17
    EXPECT_EQ(bar.firstThumbPos, 17);
    EXPECT_EQ(bar.trackLength, 200 - (17 + 17 + 17));
    EXPECT_EQ(bar.thumbTop, 17 + 75);  // 45 * 149 / 90 rounded
    EXPECT_EQ(bar.thumbBottom, bar.thumbTop + 17);

    // Shorter than two arrows: two half-length arrows, no room for the thumb.
    CVZRScrollBarInfo tiny = Bar(20, 0, 99, 10, 0);
    EXPECT_EQ(tiny.firstArrowEnd, 10);
    EXPECT_EQ(tiny.secondArrowStart, 10);
    EXPECT_LE(tiny.trackLength, 0);

    // nPage 0 keeps the arrow metric as thumb.
    EXPECT_EQ(Bar(200, 0, 99, 0, 0).thumbLength, 17);
    // A large range keeps half the arrow at least.
    EXPECT_EQ(Bar(200, 0, 9999, 1, 0).thumbLength, 8);

    // Range equal to the page: one pixel before the first thumb position.
    CVZRScrollBarInfo full = Bar(200, 0, 9, 10, 0);
    EXPECT_EQ(full.thumbTop, 16);
    EXPECT_EQ(full.thumbBottom, 16 + full.thumbLength);

    CVZRScrollBarInfo horz = Bar(300, 0, 99, 10, 0, false);
    EXPECT_EQ(horz.start, 0);
    EXPECT_EQ(horz.crossStart, 100);
    EXPECT_EQ(horz.thumbTop, 17);
}

TEST(NonClientGeometry, HitCodesAtTheirEdges)
{
    CVZRScrollBarInfo bar = Bar(200, 0, 99, 10, 45);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 0), kScrollFirstArrow);
    EXPECT_EQ(HitTestScrollBar(bar, 116, 16), kScrollFirstArrow);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 17), kScrollPageBefore);
    EXPECT_EQ(HitTestScrollBar(bar, 100, bar.thumbTop - 1), kScrollPageBefore);
    EXPECT_EQ(HitTestScrollBar(bar, 100, bar.thumbTop), kScrollThumb);
    EXPECT_EQ(HitTestScrollBar(bar, 100, bar.thumbBottom - 1), kScrollThumb);
    EXPECT_EQ(HitTestScrollBar(bar, 100, bar.thumbBottom), kScrollPageAfter);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 182), kScrollPageAfter);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 183), kScrollSecondArrow);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 199), kScrollSecondArrow);
    EXPECT_EQ(HitTestScrollBar(bar, 100, 200), kScrollNone);
    EXPECT_EQ(HitTestScrollBar(bar, 117, 50), kScrollNone);
    EXPECT_EQ(HitTestScrollBar(bar, 99, 50), kScrollNone);
    bar.visible = 0;
    EXPECT_EQ(HitTestScrollBar(bar, 100, 0), kScrollNone);

    int s, e;
    EXPECT_EQ(ScrollPressPart(bar, 5, &s, &e), kScrollFirstArrow);
    EXPECT_EQ(e, 17);
    EXPECT_EQ(ScrollPressPart(bar, 40, &s, &e), kScrollPageBefore);
    EXPECT_EQ(e, bar.thumbTop);
    EXPECT_EQ(ScrollPressPart(bar, 190, &s, &e), kScrollSecondArrow);
    EXPECT_EQ(s, 183);
    EXPECT_EQ(e, 200);
}

TEST(NonClientGeometry, PixelToPositionToPixelWithinOne)
{
    for (int page : {0, 1, 10, 33}) {
        for (int pos = 0; pos <= 100 - (page ? page : 1) + 1; ++pos) {
            CVZRScrollBarInfo bar = Bar(250, 0, 100, page, pos);
            int back = PosFromPixel(bar, bar.thumbTop);
            ASSERT_LE(std::abs(back - pos), 1) << "page " << page << " pos " << pos;
            CVZRScrollBarInfo again = Bar(250, 0, 100, page, back);
            ASSERT_LE(std::abs(again.thumbTop - bar.thumbTop), 1);
        }
    }
    CVZRScrollBarInfo bar = Bar(250, 5, 100, 10, 5);
    EXPECT_EQ(PosFromPixel(bar, 0), 5);
    EXPECT_EQ(PosFromPixel(bar, 249), 91);
    bar.nPage = 0;
    EXPECT_EQ(PosFromPixel(bar, 249), 100);

    // A drag is held in the track, and snaps back when the cursor leaves.
    bar = Bar(250, 0, 100, 10, 50);
    bar.dragThumbTop = 80;
    EXPECT_EQ(DragThumbTop(bar, -40, 0, true), bar.firstThumbPos);
    EXPECT_EQ(DragThumbTop(bar, 1000, 0, true), bar.firstThumbPos + bar.trackLength);
    EXPECT_EQ(DragThumbTop(bar, 100, -5, true), 95);
    EXPECT_EQ(DragThumbTop(bar, 100, -5, false), 80);
    EXPECT_EQ(SkinMulDiv(7, 1, 2), 4);
    EXPECT_EQ(SkinMulDiv(-7, 1, 2), -4);
    EXPECT_EQ(SkinMulDiv(7, 1, 0), -1);
}

namespace {
// A glyph's rectangles painted into rows of text, '#' for ink.
std::vector<std::string> Paint(int glyph, const SkinRect& area)
{
    std::vector<std::string> rows(size_t(area.bottom), std::string(size_t(area.right), '.'));
    for (const SkinRect& r : CaptionGlyphRects(glyph, area)) {
        EXPECT_TRUE(r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom);
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                rows[size_t(y)][size_t(x)] = '#';
        }
    }
    return rows;
}
}  // namespace

TEST(NonClientGeometry, CaptionGlyphsAreRectanglesCentredInTheButton)
{
    const SkinRect area = {0, 0, 16, 14};
    // Each reads as its picture: a cross, a bar at the foot, a window with a
    // title band, two windows, a question mark.
    std::vector<std::string> close = Paint(kGlyphClose, area);
    EXPECT_EQ(close[1], "................");
    EXPECT_EQ(close[2], "...#........#...");
    EXPECT_EQ(close[6], ".......##.......");
    EXPECT_EQ(close[11], "...#........#...");
    EXPECT_EQ(close[12], "................");
    std::vector<std::string> minimise = Paint(kGlyphMinimise, area);
    EXPECT_EQ(minimise[9], "................");
    EXPECT_EQ(minimise[10], "...#######......");
    EXPECT_EQ(minimise[11], "...#######......");
    std::vector<std::string> maximise = Paint(kGlyphMaximise, area);
    EXPECT_EQ(maximise[2], "...##########...");
    EXPECT_EQ(maximise[3], "...##########...");
    EXPECT_EQ(maximise[7], "...#........#...");
    EXPECT_EQ(maximise[11], "...##########...");
    std::vector<std::string> restore = Paint(kGlyphRestore, area);
    EXPECT_EQ(restore[2], "......#######...");
    EXPECT_EQ(restore[5], "...#######..#...");
    EXPECT_EQ(restore[8], "...#.....####...");
    EXPECT_EQ(restore[11], "...#######......");
    std::vector<std::string> help = Paint(kGlyphHelp, area);
    EXPECT_EQ(help[3], "......###.......");
    EXPECT_EQ(help[4], ".....#...#......");
    EXPECT_EQ(help[9], "................");
    EXPECT_EQ(help[10], ".......#........");
    // A bigger button gets a bigger glyph with thicker strokes.
    std::vector<std::string> big = Paint(kGlyphClose, SkinRect{0, 0, 18, 18});
    EXPECT_EQ(big[2], "..##.........##...");
    EXPECT_EQ(big[7], ".......###........");
    EXPECT_EQ(big[13], "..##.........##...");
    EXPECT_TRUE(CaptionGlyphRects(5, area).empty());
    EXPECT_TRUE(CaptionGlyphRects(kGlyphClose, SkinRect{0, 0, 3, 10}).empty());
}
