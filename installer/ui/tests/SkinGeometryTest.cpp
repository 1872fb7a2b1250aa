#include <gtest/gtest.h>

#include "installer/ui/SkinGeometry.h"

namespace {

// The shipped theme: caption 28, sides 8, bottom 8, a 16-pixel icon.
const SkinFrameMetrics kMetrics = {28, 8, 8, 8, 16, 16};

SkinHitInput ShippedButtons(int width)
{
    SkinHitInput in = {};
    in.close = SkinButtonRect(SkinButtonPlacement(48, 1, 43 * 4, 20, 4), width);
    in.maximise = SkinButtonRect(SkinButtonPlacement(74, 1, 26 * 4, 20, 4), width);
    in.minimise = SkinButtonRect(SkinButtonPlacement(100, 1, 26 * 4, 20, 4), width);
    in.minimiseBox = in.maximiseBox = in.resizable = true;
    return in;
}

TEST(SkinGeometry, BorderPiecesCoverTheSpanExactly)
{
    // 20 wide: fixed 5 at the start, 4 at the end, an 11-pixel middle.
    const SkinSplit split = SkinSplitOf(20, 5, 4);
    EXPECT_EQ(5, split.start);
    EXPECT_EQ(16, split.end);
    for (int span : {9, 10, 27, 40, 100}) {
        std::vector<int> covered(span, 0);
        for (const SkinPiece &p : SkinBorderPieces(20, split, 3, span)) {
            ASSERT_GE(p.dest, 3) << span;
            ASSERT_LE(p.dest + p.length, 3 + span) << span;
            for (int i = 0; i < p.length; ++i)
                covered[p.dest - 3 + i] = 1;
        }
        for (int i = 0; i < span; ++i)
            EXPECT_TRUE(covered[i]) << span << " at " << i;
        const SkinPiece last = SkinBorderPieces(20, split, 3, span).back();
        EXPECT_EQ(16, last.src);
        EXPECT_EQ(3 + span, last.dest + last.length);
    }
    // An end piece as large as the bitmap leaves a one-pixel middle.
    const SkinSplit tight = SkinSplitOf(20, 5, 30);
    EXPECT_EQ(6, tight.end);
    EXPECT_EQ(1, SkinBorderPieces(20, tight, 0, 30)[1].length);
}

TEST(SkinGeometry, ShippedCaptionButtonsAndHitTable)
{
    const int w = 400, h = 300;
    const SkinHitInput in = ShippedButtons(w);
    EXPECT_EQ(352, in.close.left);
    EXPECT_EQ(395, in.close.right);
    EXPECT_EQ(26, in.maximise.Width());
    EXPECT_EQ(300, in.minimise.left);

    EXPECT_EQ(kHitClose, SkinHitTest(kMetrics, in, w, h, 360, 5));
    EXPECT_EQ(kHitMaxButton, SkinHitTest(kMetrics, in, w, h, 330, 5));
    EXPECT_EQ(kHitMinButton, SkinHitTest(kMetrics, in, w, h, 305, 5));
    EXPECT_EQ(kHitSysMenu, SkinHitTest(kMetrics, in, w, h, 10, 10));
    EXPECT_EQ(kHitTopLeft, SkinHitTest(kMetrics, in, w, h, 2, 2));
    EXPECT_EQ(kHitTopRight, SkinHitTest(kMetrics, in, w, h, 398, 25));
    EXPECT_EQ(kHitLeft, SkinHitTest(kMetrics, in, w, h, 3, 150));
    EXPECT_EQ(kHitRight, SkinHitTest(kMetrics, in, w, h, 395, 150));
    EXPECT_EQ(kHitBottom, SkinHitTest(kMetrics, in, w, h, 200, 295));
    EXPECT_EQ(kHitBottomRight, SkinHitTest(kMetrics, in, w, h, 396, 296));
    EXPECT_EQ(kHitTop, SkinHitTest(kMetrics, in, w, h, 200, 3));
    EXPECT_EQ(kHitCaption, SkinHitTest(kMetrics, in, w, h, 200, 20));
    EXPECT_EQ(kHitClient, SkinHitTest(kMetrics, in, w, h, 200, 150));

    // Maximised or fixed: no sizing zones; without boxes: no buttons.
    SkinHitInput fixed = in;
    fixed.maximised = true;
    EXPECT_EQ(kHitCaption, SkinHitTest(kMetrics, fixed, w, h, 200, 8));
    EXPECT_EQ(kHitClient, SkinHitTest(kMetrics, fixed, w, h, 3, 150));
    fixed.minimiseBox = fixed.maximiseBox = false;
    EXPECT_EQ(kHitCaption, SkinHitTest(kMetrics, fixed, w, h, 330, 5 + 16));
    EXPECT_EQ(kHitClose, SkinHitTest(kMetrics, fixed, w, h, 360, 5));

    const SkinRect client = SkinClientRect(kMetrics, {100, 50, 500, 350});
    EXPECT_EQ(108, client.left);
    EXPECT_EQ(78, client.top);
    EXPECT_EQ(492, client.right);
    EXPECT_EQ(342, client.bottom);
}

TEST(SkinGeometry, ImageCountBelowOneIsThree)
{
    EXPECT_EQ(3, SkinImageCount(0));
    EXPECT_EQ(3, SkinImageCount(-2));
    EXPECT_EQ(30, SkinButtonPlacement(60, 2, 90, 20, 0).Width());
    EXPECT_TRUE(SkinButtonRect({0, 0, 0, 0}, 300).IsEmpty());
}

TEST(SkinGeometry, NineSlicesKeepCornersAndFillTheButton)
{
    // Cell 1 of a five-cell bitmap of 76-pixel cells, 23 high, slices 3.
    const SkinRect cell = {76, 0, 152, 23};
    const auto slices = SkinNineSlices(cell, 120, 30, 3, 3, 3, 3);
    ASSERT_EQ(9u, slices.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(slices[i].src.Width(), slices[i].dest.Width()) << i;
        EXPECT_EQ(slices[i].src.Height(), slices[i].dest.Height()) << i;
    }
    EXPECT_EQ(149, slices[1].src.left);
    EXPECT_EQ(117, slices[1].dest.left);
    EXPECT_EQ(27, slices[3].dest.top);
    int area = 0;
    for (const auto &s : slices)
        area += s.dest.Width() * s.dest.Height();
    EXPECT_EQ(120 * 30, area);
    EXPECT_EQ(70, slices[8].src.Width());
    EXPECT_EQ(114, slices[8].dest.Width());
}

TEST(SkinGeometry, ButtonStatesPickTheirCells)
{
    EXPECT_EQ(2, SkinButtonCell(SkinButtonState(false, true, true, true)));
    EXPECT_EQ(0, SkinButtonCell(SkinButtonState(true, false, false, false)));
    EXPECT_EQ(3, SkinButtonCell(SkinButtonState(true, true, false, false)));
    EXPECT_EQ(3, SkinButtonCell(SkinButtonState(true, false, true, false)));
    EXPECT_EQ(1, SkinButtonCell(SkinButtonState(true, false, true, true)));
}

TEST(SkinGeometry, ThemeValues)
{
    EXPECT_EQ(0x00FF00FFu, SkinParseColour("255 0 255", 1));
    EXPECT_EQ(0x00030201u, SkinParseColour(" 1\t2\n3 ", 1));
    EXPECT_EQ(7u, SkinParseColour("", 7));
    EXPECT_EQ(7u, SkinParseColour("  \t", 7));
    EXPECT_EQ(0x00000201u, SkinParseColour("1 2", 7));
    EXPECT_EQ("C:\\t\\Black\\/top.bmp", SkinThemeFile("C:\\t\\Black\\theme.ini", "x/y\\top.bmp"));
    EXPECT_EQ("/top.bmp", SkinThemeFile("theme.ini", "top.bmp"));
}

TEST(SkinGeometry, TipSitsUnderTheToolAndKeepsOffTheScreenEdge)
{
    const SkinRect r = SkinTipRect(100, 50, 80, 2, 13, 1024);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(49, r.top);
    EXPECT_EQ(98, r.Width());
    EXPECT_EQ(32, r.Height());
    const SkinRect edge = SkinTipRect(980, 50, 80, 1, 13, 1024);
    EXPECT_EQ(999, edge.right);
    EXPECT_EQ(98, edge.Width());
}

}  // namespace

namespace {

TEST(SkinGeometry, BandGradientReachesBothEnds)
{
    const unsigned from = 0x00102030, to = 0x00F0E0D0;
    EXPECT_EQ(from, SkinBandColour(from, to, 1));
    const unsigned last = SkinBandColour(from, to, 255);
    EXPECT_NEAR(0xD0, (int)(last & 0xFF), 1);
    EXPECT_NEAR(0xE0, (int)(last >> 8 & 0xFF), 1);
    EXPECT_NEAR(0xF0, (int)(last >> 16 & 0xFF), 1);
    // Falling channels too.
    EXPECT_EQ(to, SkinBandColour(to, from, 1));
    EXPECT_NEAR(0x30, (int)(SkinBandColour(to, from, 255) & 0xFF), 1);
    EXPECT_EQ(0, SkinBandStart(300, 1));
    EXPECT_EQ(298, SkinBandStart(300, 255));
    EXPECT_EQ(300, SkinBandStart(300, 256));
}

TEST(SkinGeometry, PushButtonLookAndBannerStep)
{
    const SkinPushLook pressed = SkinPushButtonLook(true, true, true, false);
    EXPECT_EQ(3, pressed.first);
    EXPECT_EQ(1, pressed.second);
    EXPECT_EQ(5, pressed.textShift);
    EXPECT_EQ(0, SkinPushButtonLook(false, false, true, false).first);
    EXPECT_TRUE(SkinPushButtonLook(false, false, false, true).greyText);
    EXPECT_EQ(3, SkinPushButtonLook(true, false, false, true).first);

    EXPECT_EQ(790, SkinBannerStep(780, 800, 492));
    EXPECT_EQ(800, SkinBannerStep(790, 800, 492));
    EXPECT_EQ(-369, SkinBannerStep(800, 800, 492));

    EXPECT_EQ(0, SkinTipBand(0, 40));
    EXPECT_EQ(61, SkinTipBand(39, 40));
    EXPECT_EQ(0x00FDF0D6u, SkinTipBandColour(0));
    EXPECT_EQ(0x00E8E1C7u, SkinTipBandColour(63));
}

}  // namespace
