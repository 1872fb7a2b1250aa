#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>

#include "controls/BarPainter.h"
#include "controls/HslColor.h"
#include "controls/OffscreenDC.h"

namespace {

const COLORREF kBack = RGB(1, 2, 3);

// A 32-bit top-down DIB selected into a memory DC, filled with kBack.
class Canvas {
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_dc.CreateCompatibleDC(NULL);
        m_hBmp = CreateDIBSection(m_dc.m_hDC, &bmi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        m_hOld = SelectObject(m_dc.m_hDC, m_hBmp);
        RECT rc = {0, 0, cx, cy};
        m_dc.FillSolidRect(&rc, kBack);
    }
    ~Canvas()
    {
        SelectObject(m_dc.m_hDC, m_hOld);
        DeleteObject(m_hBmp);
    }
    COLORREF At(int x, int y)
    {
        GdiFlush();
        DWORD v = m_bits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    BYTE AlphaAt(int x, int y) { GdiFlush(); return (BYTE)(m_bits[y * m_cx + x] >> 24); }
    CDC m_dc;
    int m_cx, m_cy;
private:
    HBITMAP m_hBmp;
    HGDIOBJ m_hOld;
    DWORD* m_bits;
};

const COLORREF kFrom = RGB(0, 0, 255);
const COLORREF kTo = RGB(255, 128, 0);

}  // namespace

TEST(BarPainter, LinearEndpointsHorizontalAndVertical)
{
    Canvas c(140, 100);
    CBarPainter painter(&c.m_dc);
    RECT h = {10, 10, 138, 30};   // 128 wide: two pixels per step
    painter.FillLinear(h, kFrom, kTo, FALSE);
    EXPECT_EQ(kFrom, c.At(10, 15));
    EXPECT_EQ(kFrom, c.At(11, 29));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.At(137, 20));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 32), c.At(74, 20));
    EXPECT_EQ(kBack, c.At(9, 15));
    EXPECT_EQ(kBack, c.At(138, 15));
    EXPECT_EQ(kBack, c.At(20, 30));

    RECT v = {0, 36, 5, 100};     // 64 high: one pixel per step, bottom up
    painter.FillLinear(v, kFrom, kTo, TRUE);
    EXPECT_EQ(kFrom, c.At(2, 99));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.At(2, 36));
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 10), c.At(0, 89));
}

TEST(BarPainter, LinearBands)
{
    Canvas c(100, 40);
    CBarPainter painter(&c.m_dc);
    RECT rc = {0, 0, 100, 10};
    painter.FillLinear(rc, kFrom, kTo, FALSE, 60, 50);   // bands only
    for (int x = 0; x < 50; ++x)
        ASSERT_EQ(kFrom, c.At(x, 5)) << x;
    for (int x = 50; x < 100; ++x)
        ASSERT_EQ(kTo, c.At(x, 5)) << x;

    RECT rc2 = {0, 10, 100, 20};
    painter.FillLinear(rc2, kFrom, kTo, FALSE, 20, 10);
    EXPECT_EQ(kFrom, c.At(19, 15));
    EXPECT_EQ(kFrom, c.At(20, 15));          // first step of the gradient
    EXPECT_EQ(GradientStepColor(kFrom, kTo, 63), c.At(89, 15));
    EXPECT_EQ(kTo, c.At(90, 15));

    // Shares beyond 100 percent stay inside the rectangle.
    RECT rc3 = {20, 25, 60, 35};
    painter.FillLinear(rc3, kFrom, kTo, TRUE, 500, 0);
    EXPECT_EQ(kTo, c.At(30, 25));
    EXPECT_EQ(kTo, c.At(30, 34));
    EXPECT_EQ(kBack, c.At(30, 24));
    EXPECT_EQ(kBack, c.At(30, 35));
}

TEST(BarPainter, GradientSolidRightAnglesAndEmpty)
{
    Canvas a(80, 60), b(80, 60);
    RECT rc = {5, 5, 75, 55};
    CBarPainter(&a.m_dc).FillGradient(rc, kTo, kTo, 45);
    EXPECT_EQ(kTo, a.At(5, 5));
    EXPECT_EQ(kTo, a.At(74, 54));
    EXPECT_EQ(kBack, a.At(4, 4));

    CBarPainter(&a.m_dc).FillGradient(rc, kFrom, kTo, 90);
    CBarPainter(&b.m_dc).FillLinear(rc, kFrom, kTo, TRUE);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(b.At(x, y), a.At(x, y)) << x << "," << y;

    CBarPainter(&a.m_dc).FillGradient(rc, kFrom, kTo, 180);   // reversed horizontal
    EXPECT_EQ(kTo, a.At(5, 30));
    EXPECT_EQ(GradientStepColor(kTo, kFrom, 63), a.At(74, 30));

    Canvas e(20, 20);
    RECT empty = {10, 10, 10, 15};
    CBarPainter(&e.m_dc).FillGradient(empty, kFrom, kTo, 30);
    CBarPainter(&e.m_dc).FillLinearDib(empty, kFrom, kTo, FALSE);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(kBack, e.At(x, y));
}

TEST(BarPainter, SkewedGradientCoversTheRectangle)
{
    for (int angle : {30, 45, 135, 225, 300}) {
        Canvas c(90, 50);
        RECT rc = {10, 5, 80, 45};
        CBarPainter(&c.m_dc).FillGradient(rc, RGB(0, 0, 0), RGB(252, 0, 0), angle);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 90; ++x) {
                bool inside = x >= 10 && x < 80 && y >= 5 && y < 45;
                COLORREF px = c.At(x, y);
                if (inside) {
                    ASSERT_NE(kBack, px) << angle << ": " << x << "," << y;
                    ASSERT_EQ(0, GetGValue(px));
                } else {
                    ASSERT_EQ(kBack, px) << angle << ": " << x << "," << y;
                }
            }
        // The colour rises along the top row from left to right.
        EXPECT_LT(GetRValue(c.At(10, 5)), GetRValue(c.At(79, 5))) << angle;
    }
}

TEST(BarPainter, DibFillMatchesThePlainFillAndIsOpaque)
{
    Canvas a(50, 30), b(50, 30);
    RECT rc = {3, 2, 43, 22};
    CBarPainter(&a.m_dc).FillLinearDib(rc, kFrom, kTo, FALSE);
    CBarPainter(&b.m_dc).FillLinear(rc, kFrom, kTo, FALSE);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(b.At(x, y), a.At(x, y)) << x << "," << y;
    EXPECT_EQ(0xFF, a.AlphaAt(3, 2));
    EXPECT_EQ(0xFF, a.AlphaAt(42, 21));
}

TEST(OffscreenDC, CopiesTheClipBoxBackWithTheTargetsState)
{
    Canvas c(100, 80);
    SetTextColor(c.m_dc.m_hDC, RGB(10, 20, 30));
    SetBkMode(c.m_dc.m_hDC, TRANSPARENT);
    HBRUSH hBrush = CreateSolidBrush(RGB(0, 200, 0));
    HGDIOBJ hOldBrush = SelectObject(c.m_dc.m_hDC, hBrush);
    IntersectClipRect(c.m_dc.m_hDC, 20, 10, 70, 50);
    {
        COffscreenDC mem(&c.m_dc);
        ASSERT_TRUE(mem.IsValid());
        EXPECT_EQ(CRect(20, 10, 70, 50), mem.GetRect());
        EXPECT_EQ(RGB(10, 20, 30), mem.GetTextColor());
        EXPECT_EQ(TRANSPARENT, mem.GetBkMode());
        EXPECT_EQ((HGDIOBJ)hBrush, GetCurrentObject(mem.m_hDC, OBJ_BRUSH));
        RECT all = {20, 10, 70, 50};
        mem.FillSolidRect(&all, RGB(255, 255, 255));
        RECT part = {30, 20, 40, 30};
        mem.FillSolidRect(&part, RGB(200, 0, 0));
        EXPECT_EQ(kBack, c.At(35, 25));   // nothing reaches the target before the end
    }
    EXPECT_EQ(RGB(200, 0, 0), c.At(35, 25));
    EXPECT_EQ(RGB(255, 255, 255), c.At(20, 10));
    EXPECT_EQ(RGB(255, 255, 255), c.At(69, 49));
    EXPECT_EQ(kBack, c.At(19, 10));
    EXPECT_EQ(kBack, c.At(70, 49));
    SelectObject(c.m_dc.m_hDC, hOldBrush);
    DeleteObject(hBrush);
}

TEST(OffscreenDC, EmptyClipBoxIsInvalidAndHarmless)
{
    Canvas c(10, 10);
    RECT none = {5, 5, 5, 5};
    {
        COffscreenDC mem(&c.m_dc, &none);
        EXPECT_FALSE(mem.IsValid());
        EXPECT_EQ(NULL, mem.m_hDC);
    }
    EXPECT_EQ(kBack, c.At(5, 5));
}
