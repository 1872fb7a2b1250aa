#include "skin/objects/ControlStates.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {
const VZREdges kEdges = {1, 1, 2, 2};

RECT R(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
}  // namespace

TEST(ButtonStates, PartAndStateFollowTypeFlagsAndCheck)
{
    struct Row {
        DWORD style;
        bool enabled, pushed, hot;
        int check, part, state;
    } rows[] = {
        {BS_PUSHBUTTON, true, false, false, 0, 1, 1},
        {BS_PUSHBUTTON, true, false, true, 0, 1, 2},
        {BS_PUSHBUTTON, true, true, true, 0, 1, 3},
        {BS_PUSHBUTTON, false, true, true, 0, 1, 4},
        {BS_DEFPUSHBUTTON, true, false, false, 0, 1, 5},
        {BS_DEFPUSHBUTTON, true, false, true, 0, 1, 2},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, true, false, false, 1, 1, 3},
        {BS_AUTOCHECKBOX, true, false, false, 0, 3, 1},
        {BS_AUTOCHECKBOX, true, false, true, 1, 3, 6},
        {BS_CHECKBOX, false, false, false, 1, 3, 8},
        // Three-state boxes in the mixed state use 9 to 12; a plain box stays at 5 to 8.
        {BS_AUTO3STATE, true, false, false, 2, 3, 9},
        {BS_3STATE, true, false, true, 2, 3, 10},
        {BS_AUTO3STATE, true, true, false, 2, 3, 11},
        {BS_3STATE, false, false, false, 2, 3, 12},
        {BS_AUTOCHECKBOX, true, false, false, 2, 3, 5},
        {BS_RADIOBUTTON, true, false, false, 0, 2, 1},
        {BS_AUTORADIOBUTTON, true, true, false, 1, 2, 7},
        {BS_GROUPBOX, true, false, true, 0, 4, 1},
        {BS_GROUPBOX, false, false, false, 0, 4, 2},
        {BS_USERBUTTON, true, false, false, 0, 0, 0},
    };
    for (const Row& r : rows) {
        VZRPartState ps = ButtonPartState(r.style, r.enabled, r.pushed, r.hot, r.check);
        EXPECT_EQ(ps.part, r.part) << std::hex << r.style;
        EXPECT_EQ(ps.state, r.state) << std::hex << r.style << " check " << r.check;
    }
    EXPECT_EQ(ButtonContentLayout(BS_OWNERDRAW), 7);
    EXPECT_EQ(ButtonContentLayout(BS_AUTORADIOBUTTON), 4);
    EXPECT_EQ(ButtonContentLayout(BS_GROUPBOX), 5);
    EXPECT_EQ(ButtonContentLayout(BS_3STATE | BS_PUSHLIKE), 7);
}

TEST(ButtonStates, LayoutsPlaceGlyphTextCaptionAndContent)
{
    VZRButtonLayoutInput in = {};
    in.client = R(0, 0, 100, 30);
    in.glyph = {13, 13};
    in.spaceHeight = 16;
    in.text = {40, 14};
    in.hasText = true;
    in.edges = kEdges;
    in.style = BS_AUTOCHECKBOX;
    EXPECT_TRUE(Same(ButtonLayoutRect(1, in), R(0, 8, 13, 21)));
    EXPECT_TRUE(Same(ButtonLayoutRect(3, in), R(16, 0, 100, 30)));
    in.style = BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_TOP;
    // (16 + 4 - 13) / 2 = 3 below the top.
    EXPECT_TRUE(Same(ButtonLayoutRect(1, in), R(87, 3, 100, 16)));
    EXPECT_TRUE(Same(ButtonLayoutRect(3, in), R(0, 0, 84, 30)));
    in.style = BS_AUTOCHECKBOX | BS_BOTTOM;
    EXPECT_EQ(ButtonLayoutRect(1, in).top, 30 + 3 - 20);
    in.glyph = {0, 0};
    EXPECT_EQ(ButtonLayoutRect(2, in).right, 13);

    in.style = BS_GROUPBOX;
    EXPECT_TRUE(Same(ButtonLayoutRect(5, in), R(9, 0, 53, 14)));
    EXPECT_TRUE(Same(ButtonLayoutRect(6, in), R(0, 8, 100, 30)));
    in.style = BS_GROUPBOX | BS_RIGHT;
    EXPECT_TRUE(Same(ButtonLayoutRect(5, in), R(49, 0, 93, 14)));
    in.hasText = false;
    RECT none = ButtonLayoutRect(5, in);
    EXPECT_TRUE(IsRectEmpty(&none) != FALSE);
    EXPECT_TRUE(Same(ButtonLayoutRect(7, in), R(2, 2, 98, 28)));

    const RECT box = R(10, 10, 110, 40);
    const SIZE content = {20, 10};
    POINT centred = ButtonContentOrigin(box, content, BS_PUSHBUTTON, true, kEdges);
    EXPECT_EQ(centred.x, 50);
    EXPECT_EQ(centred.y, 20);
    POINT left = ButtonContentOrigin(box, content, BS_CHECKBOX, false, kEdges);
    EXPECT_EQ(left.x, 10);
    POINT pushRightBottom = ButtonContentOrigin(box, content, BS_PUSHBUTTON | BS_RIGHT | BS_BOTTOM, true, kEdges);
    EXPECT_EQ(pushRightBottom.x, 110 - 20 - 1);
    EXPECT_EQ(pushRightBottom.y, 40 - 10 - 1);
}

TEST(BarStates, ProgressChunksAndMarqueeStep)
{
    EXPECT_EQ(ProgressChunkCount(100, 0, 100, 50, 10, 2), 5);
    EXPECT_EQ(ProgressChunkCount(100, 0, 100, 100, 10, 2), 9);
    EXPECT_EQ(ProgressChunkCount(100, 0, 100, 1, 10, 2), 1);
    EXPECT_EQ(ProgressChunkCount(100, 0, 100, 0, 10, 2), 0);
    EXPECT_EQ(ProgressChunkCount(100, 20, 20, 20, 10, 2), 0);
    EXPECT_EQ(ProgressChunkCount(100, 30, 20, 25, 10, 2), 0);
    EXPECT_EQ(ProgressChunkCount(100, 0, 10, 5, 0, 0), 50);
    EXPECT_EQ(ProgressMarqueeStep(30, 10, 2), 24);
    EXPECT_EQ(ProgressMarqueeStep(50, 10, 2), 24);
    EXPECT_EQ(ProgressMarqueeStep(51, 10, 2), 12);
    EXPECT_EQ(ProgressDefaultChunk(20), 13);
}

TEST(BarStates, UpDownButtonsAndTheButtonUnderAPoint)
{
    // (button, hot, pressed) -> state
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinNone, kSpinNone, true), 1);
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinUp, kSpinNone, true), 2);
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinUp, kSpinUp, true), 3);
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinDown, kSpinUp, true), 2);
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinUp, kSpinDown, true), 1);
    EXPECT_EQ(SpinButtonState(kSpinDown, kSpinDown, kSpinDown, false), 4);
    EXPECT_EQ(SpinButtonState(kSpinUp, kSpinNone, kSpinNone, false), 4);
    const SIZE size = {16, 20};
    EXPECT_EQ(SpinButtonAt({5, 3}, size, false), kSpinUp);
    EXPECT_EQ(SpinButtonAt({5, 15}, size, false), kSpinDown);
    EXPECT_EQ(SpinButtonAt({5, 10}, size, false), kSpinNone);
    EXPECT_EQ(SpinButtonAt({3, 5}, size, true), kSpinDown);
    EXPECT_EQ(SpinButtonAt({12, 5}, size, true), kSpinUp);
    EXPECT_EQ(SpinButtonAt({8, 5}, size, true), kSpinNone);
    EXPECT_EQ(SpinButtonAt({-1, 5}, size, true), kSpinNone);
    EXPECT_EQ(SpinButtonAt({5, 20}, size, false), kSpinNone);
}

TEST(BarStates, TrackbarThumbLengthTickAreaAndPixels)
{
    const RECT client = R(0, 0, 200, 30);
    VZRTrackGeometry g = TrackbarGeometry(TBS_HORZ, client, 0, 16, kEdges);
    EXPECT_EQ(g.thumbLength, 21);
    EXPECT_EQ(g.halfWidth, 11);
    EXPECT_TRUE(Same(g.tick, R(13, 2, 187, 23)));
    EXPECT_EQ(g.trackWidth, 200 - 26);
    EXPECT_EQ(TrackbarPixel(g, 0, 0, 10), 13);
    EXPECT_EQ(TrackbarPixel(g, 10, 0, 10), 13 + 173);
    EXPECT_EQ(TrackbarPixel(g, 5, 5, 5), 13);
    // Ticks on top push the area down by 8.
    VZRTrackGeometry top = TrackbarGeometry(TBS_HORZ | TBS_TOP, client, 0, 16, kEdges);
    EXPECT_EQ(top.tick.top, 10);
    EXPECT_EQ(TrackbarGeometry(TBS_TOP | TBS_NOTICKS, client, 0, 16, kEdges).tick.top, 2);
    // A thumb longer than the client shrinks to it; a fixed length is taken as it is.
    VZRTrackGeometry low = TrackbarGeometry(TBS_HORZ, R(0, 0, 200, 12), 0, 16, kEdges);
    EXPECT_EQ(low.thumbLength, 12 - 6);
    EXPECT_EQ(TrackbarGeometry(TBS_FIXEDLENGTH, client, 9, 16, kEdges).thumbLength, 9);
    VZRTrackGeometry sel = TrackbarGeometry(TBS_ENABLESELRANGE, client, 0, 16, kEdges);
    EXPECT_EQ(sel.thumbLength, 21 + 11 * 2 / 9);
    EXPECT_EQ(TrackbarGeometry(TBS_ENABLESELRANGE | TBS_FIXEDLENGTH, client, 20, 16, kEdges).halfWidth, 9);
    // A track narrower than the thumb keeps a width of 1.
    EXPECT_EQ(TrackbarGeometry(0, R(0, 0, 10, 30), 0, 16, kEdges).trackWidth, 1);
    EXPECT_EQ(TrackbarThumbPart(TBS_BOTH), 3);
    EXPECT_EQ(TrackbarThumbPart(TBS_VERT | TBS_LEFT), 7);
    EXPECT_EQ(TrackbarThumbPart(TBS_VERT), 8);
    EXPECT_EQ(TrackbarThumbPart(TBS_TOP), 5);
    EXPECT_EQ(TrackbarThumbPart(0), 4);
    EXPECT_EQ(TrackbarThumbState(true, false, true, true), 4);
    EXPECT_EQ(TrackbarThumbState(false, true, true, true), 5);
}

TEST(ToolbarStates, ContentBoxesImageOffsetsAndStates)
{
    VZRToolbarBoxInput in = {};
    in.rect = R(10, 0, 34, 22);
    in.padding = MAKELONG(7, 6);
    in.image = {16, 16};
    in.cyMenuCheck = 13;
    in.edges = kEdges;
    in.buttonState = TBSTATE_ENABLED;
    VZRToolbarBox b = ToolbarButtonBox(in);
    EXPECT_EQ(b.x0, 12);
    EXPECT_EQ(b.y0, 2);
    EXPECT_EQ(b.width, 24 - 6);
    EXPECT_EQ(b.height, 22 - 4);
    EXPECT_EQ(b.imageRoom, 20);
    EXPECT_EQ(b.imageX, 2);
    EXPECT_EQ(b.imageY, 1);
    EXPECT_FALSE(b.arrow || b.split);

    in.buttonState = TBSTATE_ENABLED | TBSTATE_PRESSED;
    EXPECT_EQ(ToolbarButtonBox(in).imageX, 3);
    in.toolbarStyle = TBSTYLE_LIST;
    EXPECT_EQ(ToolbarButtonBox(in).imageX, 7 / 2 + 1);

    in.toolbarStyle = 0;
    in.buttonState = TBSTATE_ENABLED;
    in.buttonStyle = BTNS_WHOLEDROPDOWN;
    b = ToolbarButtonBox(in);
    EXPECT_TRUE(b.arrow);
    EXPECT_EQ(b.imageRoom, 15);
    in.rect = R(0, 0, 40, 22);
    in.buttonStyle = BTNS_DROPDOWN;
    in.extendedStyle = TBSTYLE_EX_DRAWDDARROWS;
    b = ToolbarButtonBox(in);
    EXPECT_TRUE(b.split);
    EXPECT_FALSE(b.arrow);
    EXPECT_EQ(b.dropWidth, 13);
    EXPECT_EQ(b.imageX, (4 + 31 - 16 - 13) / 2);

    EXPECT_EQ(ToolbarButtonState(0, true), 4);
    EXPECT_EQ(ToolbarButtonState(TBSTATE_ENABLED | TBSTATE_PRESSED | TBSTATE_CHECKED, true), 3);
    EXPECT_EQ(ToolbarButtonState(TBSTATE_ENABLED | TBSTATE_CHECKED, true), 5);
    EXPECT_EQ(ToolbarButtonState(TBSTATE_ENABLED, true), 2);
    EXPECT_EQ(ToolbarButtonState(TBSTATE_ENABLED, false), 1);
}

TEST(ToolbarStates, SeparatorsAreThinLinesAcrossTheMiddleOfTheirItem)
{
    // A wide gap keeps a 2-pixel line in its middle, clear of the ends by the edges.
    EXPECT_TRUE(Same(ToolbarSeparatorLine(R(100, 0, 124, 30), false, 2, kEdges), R(111, 2, 113, 28)));
    // The part's own width, but never more than the item.
    EXPECT_TRUE(Same(ToolbarSeparatorLine(R(100, 0, 124, 30), false, 6, kEdges), R(109, 2, 115, 28)));
    EXPECT_TRUE(Same(ToolbarSeparatorLine(R(10, 0, 14, 30), false, 8, kEdges), R(10, 2, 14, 28)));
    // A vertical tool bar's separator lies across it.
    EXPECT_TRUE(Same(ToolbarSeparatorLine(R(0, 40, 30, 48), true, 2, kEdges), R(2, 43, 28, 45)));
    // An item too small for the edges gives an empty line, not an inverted one.
    RECT tiny = ToolbarSeparatorLine(R(0, 0, 8, 3), false, 2, kEdges);
    EXPECT_GE(tiny.bottom, tiny.top);
}

TEST(TabStates, PartsBandAndPane)
{
    EXPECT_EQ(TabItemPartState(0, 3, 1, -1, false).part, 6);
    EXPECT_EQ(TabItemPartState(2, 3, 1, 2, false).part, 7);
    EXPECT_EQ(TabItemPartState(2, 3, 1, 2, false).state, 2);
    EXPECT_EQ(TabItemPartState(2, 3, 2, -1, false).part, 5);
    EXPECT_EQ(TabItemPartState(1, 3, 1, 1, false).state, 3);
    EXPECT_EQ(TabItemPartState(1, 3, 1, -1, true).part, 1);
    EXPECT_EQ(TabItemPartState(0, 3, 1, 0, true).state, 1);

    const RECT client = R(0, 0, 200, 100);
    const RECT item = R(2, 2, 60, 22);
    RECT band = TabBand(0, client, item, 1, 2);
    EXPECT_TRUE(Same(band, R(0, 0, 200, 22)));
    EXPECT_TRUE(Same(TabPane(0, client, band), R(0, 22, 200, 100)));
    RECT bottom = TabBand(TCS_BOTTOM, client, R(2, 78, 60, 98), 1, 2);
    EXPECT_TRUE(Same(TabPane(TCS_BOTTOM, client, bottom), R(0, 0, 200, 78)));
    RECT right = TabBand(TCS_VERTICAL | TCS_RIGHT, client, R(170, 2, 198, 60), 1, 2);
    EXPECT_TRUE(Same(right, R(170, 0, 200, 100)));
    EXPECT_TRUE(Same(TabPane(TCS_VERTICAL | TCS_RIGHT, client, right), R(0, 0, 170, 100)));

    EXPECT_EQ(HeaderItemState(1, 1, true), 3);
    EXPECT_EQ(HeaderItemState(1, 1, false), 2);
    EXPECT_EQ(HeaderItemState(0, 1, true), 1);
    EXPECT_EQ(HeaderSortArrowX(R(0, 0, 100, 20), 30, 2), 51);
    EXPECT_EQ(HeaderSortArrowX(R(0, 0, 60, 20), 30, 2), 48);
    EXPECT_EQ(HeaderSortArrowX(R(0, 0, 15, 20), 30, 2), 6);
}
