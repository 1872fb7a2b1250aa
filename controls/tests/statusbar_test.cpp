#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>

#include "controls/ImageStatusBar.h"
#include "controls/tests/TextTestSupport.h"

namespace {

const COLORREF kBack = RGB(250, 250, 250);

class CountingBar : public CImageStatusBar {
public:
    int m_nDrawn[8] = {0};
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        if (lpDIS->itemID < 8)
            ++m_nDrawn[lpDIS->itemID];
        CImageStatusBar::DrawItem(lpDIS);
    }
};

// A 32-bit DIB in a memory DC filled with kBack.
struct Surface : TestCanvas {
    Surface() : TestCanvas(120, 20, kBack) {}
    bool AnyInk(int x0, int x1) const
    {
        return Count(x0, 0, x1, 20, [](COLORREF c) { return c != kBack; }) > 0;
    }
};

const UINT kIndicators[] = {0, 0xF006, 0xF007, 0xE701};

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, NULL, "statusbartest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      500, 200, NULL, NULL));
        ASSERT_TRUE(m_bar.Create(&m_parent));
        ASSERT_TRUE(m_bar.SetIndicators(kIndicators, 4));
        m_bar.SetPaneInfo(1, 0xF006, SBPS_OWNERDRAW, 90);
        m_bar.SetPaneInfo(2, 0xF007, SBPS_OWNERDRAW, 90);
        m_bar.SetPaneText(1, " 12, 34");
        m_bar.SetPaneText(2, " 0, 0");
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    void Draw(Surface& s, UINT index)
    {
        DRAWITEMSTRUCT dis;
        memset(&dis, 0, sizeof(dis));
        dis.CtlType = ODT_STATIC;
        dis.itemID = index;
        dis.hDC = s.dc;
        SetRect(&dis.rcItem, 0, 0, 120, 20);
        m_bar.DrawItem(&dis);
    }

    CWnd m_parent;
    CountingBar m_bar;
};

}  // namespace

TEST_F(StatusBarTest, PositionPaneShowsItsPictureThenTheText)
{
    Surface s;
    Draw(s, 1);
    EXPECT_EQ(RGB(0, 64, 160), GetPixel(s.dc, 7, 3));  // cross-hair
    EXPECT_EQ(kBack, GetPixel(s.dc, 2, 2));            // magenta stays transparent
    EXPECT_FALSE(s.AnyInk(15, 18));
    EXPECT_TRUE(s.AnyInk(18, 120));
}

// The picture is drawn from a mask made once: the pixels a transparent copy
// of the resource gives, on a background of many colours, each time.
TEST_F(StatusBarTest, PanePictureDrawsAsATransparentCopyOfItsBitmap)
{
    auto stripes = [](Surface& s) {
        for (int x = 0; x < 120; ++x)
            s.dc.FillSolidRect(x, 0, 1, 20, RGB(x * 2, 255 - x * 2, (x * 7) & 255));
    };
    HBITMAP hBitmap = (HBITMAP)::LoadImage(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_STATUS_POSITION),
                                           IMAGE_BITMAP, 0, 0, 0);
    ASSERT_TRUE(hBitmap != NULL);
    BITMAP bm;
    ASSERT_NE(0, ::GetObject(hBitmap, sizeof(bm), &bm));
    Surface expected;
    stripes(expected);
    HDC hMem = ::CreateCompatibleDC(expected.dc);
    HGDIOBJ old = ::SelectObject(hMem, hBitmap);
    ::TransparentBlt(expected.dc, 0, 0, bm.bmWidth, bm.bmHeight, hMem, 0, 0, bm.bmWidth, bm.bmHeight,
                     RGB(255, 0, 255));
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);

    for (int pass = 0; pass < 2; ++pass) {
        Surface s;
        stripes(s);
        ::SetTextColor(s.dc, RGB(1, 2, 3));
        ::SetBkColor(s.dc, RGB(4, 5, 6));
        Draw(s, 1);
        EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(s.dc));  // the DC's colours come back
        EXPECT_EQ(RGB(4, 5, 6), ::GetBkColor(s.dc));
        int differ = 0;
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x)
                differ += s.Pixel(x, y) != expected.Pixel(x, y);
        EXPECT_EQ(0, differ) << "pass " << pass;
        EXPECT_EQ(RGB(0, 64, 160), s.Pixel(7, 3));
        EXPECT_EQ(expected.Pixel(2, 2), s.Pixel(2, 2));
    }
}

TEST_F(StatusBarTest, MissingPictureStillDrawsTheText)
{
    Surface s;
    Draw(s, 2);
    EXPECT_FALSE(s.AnyInk(0, 2));
    EXPECT_TRUE(s.AnyInk(2, 60));
}

TEST_F(StatusBarTest, OtherPanesAreNotDrawnHere)
{
    Surface s;
    Draw(s, 0);
    Draw(s, 3);
    EXPECT_FALSE(s.AnyInk(0, 120));

    memset(m_bar.m_nDrawn, 0, sizeof(m_bar.m_nDrawn));
    m_bar.MoveWindow(0, 150, 480, 22);
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GE(m_bar.m_nDrawn[1], 1);
    EXPECT_GE(m_bar.m_nDrawn[2], 1);
    EXPECT_EQ(0, m_bar.m_nDrawn[0]);
    EXPECT_EQ(0, m_bar.m_nDrawn[3]);
}
