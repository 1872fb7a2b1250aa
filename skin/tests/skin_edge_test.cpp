#include "skin/draw/SkinEdge.h"
#include "skin/theme/ThemeClass.h"
#include "skin/tests/SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {
const COLORREF kBack = RGB(1, 2, 3);

// Metrics whose edge colours are the system's, so that DrawEdge is the reference.
struct SystemEdges {
    CVZRSkinContext context;
    CVZRSkinSystemMetrics metrics{&context};
    SystemEdges()
    {
        context.m_pMetrics = &metrics;
        metrics.SetEdgeColors(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
                              GetSysColor(COLOR_3DDKSHADOW));
    }
};

// A pixel where a horizontal and a vertical strip meet.
bool IsCorner(int x, int y, const RECT& r, int depth)
{
    bool nearX = x < r.left + depth || x >= r.right - depth;
    bool nearY = y < r.top + depth || y >= r.bottom - depth;
    return nearX && nearY;
}

TEST(SkinDrawEdge, MatchesTheSystemForEveryEdgeAndFlag)
{
    SystemEdges edges;
    const UINT kinds[] = {BDR_RAISEDOUTER, BDR_SUNKENOUTER, BDR_RAISEDINNER, BDR_SUNKENINNER, EDGE_RAISED,
                          EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    const UINT extras[] = {0, BF_SOFT, BF_FLAT, BF_MONO, BF_MIDDLE, BF_MIDDLE | BF_FLAT, BF_MIDDLE | BF_MONO};
    int compared = 0;
    for (UINT edge : kinds) {
        for (UINT sides = 0; sides <= BF_RECT; ++sides) {
            for (UINT extra : extras) {
                UINT flags = sides | extra | BF_ADJUST;
                const RECT r = Rect(2, 3, 18, 15);
                Canvas ours(20, 18), system(20, 18);
                RECT a = r, b = r;
                ASSERT_TRUE(SkinDrawEdge(edges.context, ours.dc(), &a, edge, flags));
                DrawEdge(system.dc(), &b, edge, flags);
                EXPECT_TRUE(EqualRect(&a, &b)) << edge << " " << flags;
                for (int y = 0; y < 18; ++y) {
                    for (int x = 0; x < 20; ++x) {
                        if (IsCorner(x, y, r, 2))
                            continue;
                        EXPECT_EQ(ours.At(x, y), system.At(x, y)) << "edge " << edge << " flags " << flags << " at "
                                                                  << x << "," << y;
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

TEST(SkinDrawEdge, CornersFollowTheStripOrderAndBadEdgesDrawNothing)
{
    SystemEdges edges;
    Canvas c(10, 10);
    RECT r = Rect(0, 0, 10, 10);
    ASSERT_TRUE(SkinDrawEdge(edges.context, c.dc(), &r, BDR_RAISEDOUTER, BF_RECT));
    // Right and bottom strips come first and run the full length.
    EXPECT_EQ(c.At(9, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(0, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_TRUE(EqualRect(&r, Ptr(Rect(0, 0, 10, 10))));

    Canvas untouched(10, 10);
    RECT both = Rect(0, 0, 10, 10);
    EXPECT_FALSE(SkinDrawEdge(edges.context, untouched.dc(), &both, 3, BF_RECT | BF_ADJUST));
    EXPECT_FALSE(SkinDrawEdge(edges.context, untouched.dc(), &both, 0x0C, BF_RECT | BF_ADJUST));
    EXPECT_EQ(untouched.Count(kBack), 100);
    EXPECT_TRUE(EqualRect(&both, Ptr(Rect(0, 0, 10, 10))));

    // The skin's own edge colours are used.
    edges.metrics.SetEdgeColors(RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0));
    Canvas skinned(10, 10);
    RECT s = Rect(0, 0, 10, 10);
    SkinDrawEdge(edges.context, skinned.dc(), &s, EDGE_ETCHED, BF_RECT);
    EXPECT_EQ(skinned.At(0, 5), RGB(30, 0, 0));  // sunken outer: shadow
    EXPECT_EQ(skinned.At(1, 5), RGB(20, 0, 0));  // raised inner: highlight
    EXPECT_EQ(skinned.At(9, 5), RGB(20, 0, 0));
    EXPECT_EQ(skinned.At(8, 5), RGB(30, 0, 0));

    // Diagonals draw a line and shrink by one step.
    Canvas diagonal(10, 10);
    RECT d = Rect(0, 0, 10, 10);
    ASSERT_TRUE(SkinDrawEdge(edges.context, diagonal.dc(), &d, BDR_RAISEDOUTER, BF_DIAGONAL_ENDTOPRIGHT | BF_ADJUST));
    EXPECT_EQ(diagonal.Count(kBack), 90);
    EXPECT_EQ(diagonal.At(0, 0), RGB(10, 0, 0));
    EXPECT_EQ(diagonal.At(9, 9), RGB(10, 0, 0));
    EXPECT_EQ(d.right - d.left, 9);
}

TEST(SkinDrawFrameControl, DrawsScrollPartsAndPushButtonsFromTheTheme)
{
    LoadedTheme theme(PackageDir() + "/SolidPackage.dll", "Solid.ini");
    ASSERT_TRUE(theme.ok);
    std::vector<SolidEntry> table = ReadSolidTable();
    auto colour = [&](const char* part, int state) {
        for (const SolidEntry& e : table) {
            if (e.cls == "SCROLLBAR" && e.part == part && e.state == state)
                return e.colour;
        }
        return COLORREF(-1);
    };
    const struct
    {
        UINT state;
        int themeState;
    } arrows[] = {{DFCS_SCROLLUP, 1},
                  {DFCS_SCROLLDOWN | DFCS_PUSHED, 7},
                  {DFCS_SCROLLLEFT | DFCS_INACTIVE, 12},
                  {DFCS_SCROLLRIGHT | DFCS_INACTIVE | DFCS_PUSHED, 16}};
    for (const auto& a : arrows) {
        Canvas c(12, 12);
        RECT r = Rect(0, 0, 12, 12);
        ASSERT_TRUE(SkinDrawFrameControl(theme.context, c.dc(), &r, DFC_SCROLL, a.state));
        EXPECT_EQ(c.Count(colour("ARROWBTN", a.themeState)), 144) << a.state;
    }
    Canvas grip(12, 12);
    RECT g = Rect(0, 0, 12, 12);
    ASSERT_TRUE(SkinDrawFrameControl(theme.context, grip.dc(), &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
    EXPECT_EQ(grip.Count(colour("SIZEBOX", 1)), 144);

    Canvas button(12, 12);
    RECT b = Rect(0, 0, 12, 12);
    ASSERT_TRUE(SkinDrawFrameControl(theme.context, button.dc(), &b, DFC_BUTTON,
                                     DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT));
    EXPECT_TRUE(EqualRect(&b, Ptr(Rect(2, 2, 10, 10))));
    EXPECT_TRUE(button.All(b, RGB(11, 12, 13)));  // the skin's button face
    RECT checked = Rect(0, 0, 12, 12);
    EXPECT_FALSE(SkinDrawFrameControl(theme.context, button.dc(), &checked, DFC_BUTTON,
                                      DFCS_BUTTONPUSH | DFCS_CHECKED));
}

// Caption buttons come out in the skin's colours with glyphs of the skin's own,
// not the system's, whose glyphs need a glyph font (a letter where it is missing).
TEST(SkinDrawFrameControl, DrawsCaptionButtonsWithGlyphsOfItsOwn)
{
    LoadedTheme theme(PackageDir() + "/SolidPackage.dll", "Solid.ini");
    ASSERT_TRUE(theme.ok);
    const COLORREF face = RGB(11, 12, 13);
    const COLORREF ink = theme.metrics.GetColor(COLOR_BTNTEXT);
    ASSERT_NE(ink, face);
    // Inside the 2-pixel edge.
    auto inside = [](const Canvas& c, COLORREF colour) {
        int n = 0;
        for (int y = 2; y < 16; ++y) {
            for (int x = 2; x < 18; ++x)
                n += c.At(x, y) == colour;
        }
        return n;
    };
    std::vector<std::vector<COLORREF>> pictures;
    for (UINT glyph : {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONHELP}) {
        Canvas c(20, 18);
        RECT r = Rect(0, 0, 20, 18);
        ASSERT_TRUE(SkinDrawFrameControl(theme.context, c.dc(), &r, DFC_CAPTION, glyph)) << glyph;
        // Raised edge, the skin's face inside, the glyph in the middle.
        EXPECT_EQ(c.At(3, 3), face) << glyph;
        EXPECT_EQ(c.At(16, 14), face) << glyph;
        EXPECT_GT(inside(c, ink), 6) << glyph;
        EXPECT_EQ(c.Count(kBack), 0) << glyph;
        std::vector<COLORREF> picture;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 20; ++x)
                picture.push_back(c.At(x, y));
        }
        pictures.push_back(picture);
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
    }
    // The cross crosses in the middle; inactive glyphs are grey, pushed ones move.
    Canvas close(20, 18);
    RECT r = Rect(0, 0, 20, 18);
    ASSERT_TRUE(SkinDrawFrameControl(theme.context, close.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(close.At(9, 8), ink);
    EXPECT_EQ(close.At(5, 4), ink);
    Canvas inactive(20, 18);
    ASSERT_TRUE(SkinDrawFrameControl(theme.context, inactive.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE));
    EXPECT_EQ(inside(inactive, ink), 0);
    EXPECT_EQ(inactive.At(9, 8), theme.metrics.GetShadow());
    Canvas pushed(20, 18);
    ASSERT_TRUE(SkinDrawFrameControl(theme.context, pushed.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED));
    EXPECT_EQ(pushed.At(6, 5), ink);
    EXPECT_NE(pushed.At(5, 4), ink);
}
}  // namespace
