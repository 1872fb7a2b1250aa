#include <gtest/gtest.h>
#include <windows.h>

#include "controls/BarPainter.h"
#include "controls/HslColor.h"
#include "controls/OffscreenDC.h"
#include "controls/tests/TextTestSupport.h"

namespace {

const COLORREF kBack = RGB(1, 2, 3);

// A canvas filled with kBack.
struct Canvas : TestCanvas {
    Canvas(int cx, int cy) : TestCanvas(cx, cy, kBack) {}
};

const COLORREF kFrom = RGB(0, 0, 255);
const COLORREF kTo = RGB(255, 128, 0);

}  // namespace

TEST(BarPainter, LinearEndpointsHorizontalAndVertical)
{
    Canvas c(140, 100);
    CBarPainter painter(&c.dc);
    RECT h = {10, 10, 138, 30};  // 128 wide: two pixels per step
    painter.FillLinear(h, kFrom, kTo, FALSE);
    EXPECT_EQ(kFrom, c.Pixel(10, 15));
    EXPECT_EQ(kFrom, c.Pixel(11, 29));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.Pixel(137, 20));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 32), c.Pixel(74, 20));
    EXPECT_EQ(kBack, c.Pixel(9, 15));
    EXPECT_EQ(kBack, c.Pixel(138, 15));
    EXPECT_EQ(kBack, c.Pixel(20, 30));

    RECT v = {0, 36, 5, 100};  // 64 high: one pixel per step, bottom up
    painter.FillLinear(v, kFrom, kTo, TRUE);
    EXPECT_EQ(kFrom, c.Pixel(2, 99));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.Pixel(2, 36));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 10), c.Pixel(0, 89));
}

TEST(BarPainter, LinearBands)
{
    Canvas c(100, 40);
    CBarPainter painter(&c.dc);
    RECT rc = {0, 0, 100, 10};
    painter.FillLinear(rc, kFrom, kTo, FALSE, 60, 50);  // bands only
    for (int x = 0; x < 50; ++x)
        ASSERT_EQ(kFrom, c.Pixel(x, 5)) << x;
    for (int x = 50; x < 100; ++x)
        ASSERT_EQ(kTo, c.Pixel(x, 5)) << x;

    RECT rc2 = {0, 10, 100, 20};
    painter.FillLinear(rc2, kFrom, kTo, FALSE, 20, 10);
    EXPECT_EQ(kFrom, c.Pixel(19, 15));
    EXPECT_EQ(kFrom, c.Pixel(20, 15));  // first step of the gradient
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.Pixel(89, 15));
    EXPECT_EQ(kTo, c.Pixel(90, 15));

    // Shares beyond 100 percent stay inside the rectangle.
    RECT rc3 = {20, 25, 60, 35};
    painter.FillLinear(rc3, kFrom, kTo, TRUE, 500, 0);
    EXPECT_EQ(kTo, c.Pixel(30, 25));
    EXPECT_EQ(kTo, c.Pixel(30, 34));
    EXPECT_EQ(kBack, c.Pixel(30, 24));
    EXPECT_EQ(kBack, c.Pixel(30, 35));
}

TEST(BarPainter, GradientSolidRightAnglesAndEmpty)
{
    Canvas a(80, 60), b(80, 60);
    RECT rc = {5, 5, 75, 55};
    CBarPainter(&a.dc).FillGradient(rc, kTo, kTo, 45);
    EXPECT_EQ(kTo, a.Pixel(5, 5));
    EXPECT_EQ(kTo, a.Pixel(74, 54));
    EXPECT_EQ(kBack, a.Pixel(4, 4));

    CBarPainter(&a.dc).FillGradient(rc, kFrom, kTo, 90);
    CBarPainter(&b.dc).FillLinear(rc, kFrom, kTo, TRUE);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(b.Pixel(x, y), a.Pixel(x, y)) << x << "," << y;

    CBarPainter(&a.dc).FillGradient(rc, kFrom, kTo, 180);  // reversed horizontal
    EXPECT_EQ(kTo, a.Pixel(5, 30));
    EXPECT_EQ(GradientStepColor(kTo, kFrom, 63), a.Pixel(74, 30));

    Canvas e(20, 20);
    RECT empty = {10, 10, 10, 15};
    CBarPainter(&e.dc).FillGradient(empty, kFrom, kTo, 30);
    CBarPainter(&e.dc).FillLinearDib(empty, kFrom, kTo, FALSE);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(kBack, e.Pixel(x, y));
}

TEST(BarPainter, SkewedGradientCoversTheRectangle)
{
    for (int angle : {30, 45, 135, 225, 300}) {
        Canvas c(90, 50);
        RECT rc = {10, 5, 80, 45};
        CBarPainter(&c.dc).FillGradient(rc, RGB(0, 0, 0), RGB(252, 0, 0), angle);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 90; ++x) {
                bool inside = x >= 10 && x < 80 && y >= 5 && y < 45;
                COLORREF px = c.Pixel(x, y);
                if (inside) {
                    ASSERT_NE(kBack, px) << angle << ": " << x << "," << y;
                    ASSERT_EQ(0, GetGValue(px));
                } else {
                    ASSERT_EQ(kBack, px) << angle << ": " << x << "," << y;
                }
            }
        // The colour rises along the top row from left to right.
        EXPECT_LT(GetRValue(c.Pixel(10, 5)), GetRValue(c.Pixel(79, 5))) << angle;
    }
}

TEST(BarPainter, DibFillMatchesThePlainFillAndIsOpaque)
{
    Canvas a(50, 30), b(50, 30);
    RECT rc = {3, 2, 43, 22};
    CBarPainter(&a.dc).FillLinearDib(rc, kFrom, kTo, FALSE);
    CBarPainter(&b.dc).FillLinear(rc, kFrom, kTo, FALSE);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(b.Pixel(x, y), a.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(0xFF, a.Alpha(3, 2));
    EXPECT_EQ(0xFF, a.Alpha(42, 21));
}

TEST(OffscreenDC, CopiesTheClipBoxBackWithTheTargetsState)
{
    Canvas c(100, 80);
    SetTextColor(c.dc.m_hDC, RGB(10, 20, 30));
    SetBkMode(c.dc.m_hDC, TRANSPARENT);
    HBRUSH hBrush = CreateSolidBrush(RGB(0, 200, 0));
    HGDIOBJ hOldBrush = SelectObject(c.dc.m_hDC, hBrush);
    IntersectClipRect(c.dc.m_hDC, 20, 10, 70, 50);
    {
        COffscreenDC mem(&c.dc);
        ASSERT_TRUE(mem.IsValid());
        EXPECT_EQ(CRect(20, 10, 70, 50), mem.GetRect());
        EXPECT_EQ(RGB(10, 20, 30), mem.GetTextColor());
        EXPECT_EQ(TRANSPARENT, mem.GetBkMode());
        EXPECT_EQ((HGDIOBJ)hBrush, GetCurrentObject(mem.m_hDC, OBJ_BRUSH));
        RECT all = {20, 10, 70, 50};
        mem.FillSolidRect(&all, RGB(255, 255, 255));
        RECT part = {30, 20, 40, 30};
        mem.FillSolidRect(&part, RGB(200, 0, 0));
        EXPECT_EQ(kBack, c.Pixel(35, 25));  // nothing reaches the target before the end
    }
    EXPECT_EQ(RGB(200, 0, 0), c.Pixel(35, 25));
    EXPECT_EQ(RGB(255, 255, 255), c.Pixel(20, 10));
    EXPECT_EQ(RGB(255, 255, 255), c.Pixel(69, 49));
    EXPECT_EQ(kBack, c.Pixel(19, 10));
    EXPECT_EQ(kBack, c.Pixel(70, 49));
    SelectObject(c.dc.m_hDC, hOldBrush);
    DeleteObject(hBrush);
}

TEST(OffscreenDC, EmptyClipBoxIsInvalidAndHarmless)
{
    Canvas c(10, 10);
    RECT none = {5, 5, 5, 5};
    {
        COffscreenDC mem(&c.dc, &none);
        EXPECT_FALSE(mem.IsValid());
        EXPECT_EQ(NULL, mem.m_hDC);
    }
    EXPECT_EQ(kBack, c.Pixel(5, 5));
}
