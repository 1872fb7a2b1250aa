#include "designer/model/ThemedButton.h"
#include "designer/model/ThemedProgressCtrl.h"
#include "controls/ColorFont.h"
#include "controls/tests/TextTestSupport.h"
#include "framework/DC.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Fixture(const char* name)
{
    return std::string("Z:") + ZAVO_BINARY_DIR + "/designer/theme_fixtures/" + name;
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255),
               kGrey = RGB(128, 128, 128);

COLORREF DrawButton(CThemedButton& button, UINT state, TestCanvas& canvas)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button.GetSafeHwnd();
    dis.hDC = canvas.dc.GetSafeHdc();
    dis.itemState = state;
    button.GetClientRect(&dis.rcItem);
    button.DrawItem(&dis);
    return canvas.Pixel(2, 2);
}

}  // namespace

TEST(ThemedButton, StatePicturesFromAZipTheme)
{
    TestTopWindow parent;
    CThemedButton button;
    button.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 30), &parent, 100);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
    ASSERT_TRUE(button.Open(Fixture("menu.zmt").c_str()));
    EXPECT_TRUE(button.m_settings.m_bAntiAlias);
    TestCanvas canvas(80, 30);
    EXPECT_EQ(kRed, DrawButton(button, 0, canvas));
    EXPECT_EQ(kGreen, DrawButton(button, ODS_FOCUS, canvas));
    EXPECT_EQ(kBlue, DrawButton(button, ODS_FOCUS | ODS_SELECTED, canvas));
    EXPECT_EQ(kGrey, DrawButton(button, ODS_DISABLED, canvas));
    // The pictures fill the whole button.
    EXPECT_EQ(kGrey, canvas.Pixel(79, 29));
    EXPECT_EQ(kGrey, canvas.Pixel(40, 15));

    button.SendMessage(WM_MOUSEHOVER);
    EXPECT_TRUE(button.IsHovering());
    EXPECT_EQ(kGreen, DrawButton(button, 0, canvas));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(kRed, DrawButton(button, 0, canvas));
}

TEST(ThemedButton, CaptionInTheFontColourOrGreyWhenDisabled)
{
    TestTopWindow parent;
    CThemedButton button;
    button.Create("MMMM", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 120, 30), &parent, 100);
    ASSERT_TRUE(button.Open(Fixture("menu.zmt").c_str()));
    CColorFont font("Arial");
    font.SetColor(RGB(255, 255, 0));
    font.SetTextFormat(DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    LOGFONT lf = font.GetLogFontData();
    lf.lfQuality = NONANTIALIASED_QUALITY;
    font.SetLogFont(lf);
    button.SetTextFont(font);
    EXPECT_EQ(font.GetTextFormat(), button.GetTextFont().GetTextFormat());
    TestCanvas canvas(120, 30);
    DrawButton(button, 0, canvas);
    EXPECT_GT(canvas.CountColour(0, 0, 60, 30, RGB(255, 255, 0)), 10);
    EXPECT_EQ(0, canvas.CountColour(60, 0, 120, 30, RGB(255, 255, 0)));  // left-aligned
    DrawButton(button, ODS_DISABLED, canvas);
    EXPECT_EQ(0, canvas.CountColour(0, 0, 120, 30, RGB(255, 255, 0)));
    EXPECT_GT(canvas.CountColour(0, 0, 60, 30, ::GetSysColor(COLOR_GRAYTEXT)), 10);
}

TEST(ThemedButton, BuiltInThemeAndFailedThemes)
{
    TestTopWindow parent;
    CThemedButton button;
    button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 30), &parent, 100);
    ASSERT_TRUE(button.LoadDefaultTheme());
    EXPECT_EQ(3, button.m_settings.m_nClipBottom);
    TestCanvas canvas(40, 30);
    COLORREF normal = DrawButton(button, 0, canvas);
    EXPECT_NE(normal, DrawButton(button, ODS_FOCUS, canvas));
    // A theme whose second picture does not decode: the first is replaced, the others stay.
    EXPECT_FALSE(button.Open(Fixture("badpicture.zmt").c_str()));
    EXPECT_EQ(kRed, DrawButton(button, 0, canvas));
    EXPECT_NE(kGreen, DrawButton(button, ODS_FOCUS, canvas));
    EXPECT_FALSE(button.Open(Fixture("menu_truncated.zmt").c_str()));
    EXPECT_FALSE(button.Open(Fixture("nopictures.zmt").c_str()));
}

TEST(ThemedProgressCtrl, RangePositionAndChunkCount)
{
    TestTopWindow parent;
    CThemedProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &parent, 101);
    ASSERT_TRUE(progress.Open(Fixture("progress.zmt").c_str()));
    progress.SetRange(0, 20);
    progress.SetPos(5);
    EXPECT_EQ(5, progress.GetChunkCount(200));
    EXPECT_EQ(5, progress.GetChunkCount(219));
    EXPECT_EQ(5, progress.CProgressCtrl::GetPos());
    progress.SetPos(0);
    EXPECT_EQ(0, progress.GetChunkCount(200));
    progress.SetPos(50);
    EXPECT_EQ(20, progress.GetPos());
    progress.SetPos(-3);
    EXPECT_EQ(0, progress.GetPos());
    progress.SetRange(7, 7);
    EXPECT_EQ(1, progress.GetRangeSize());
    progress.SetRange(-2147483647 - 1, 2147483647);
    progress.SetPos(2147483647);
    EXPECT_GE(progress.GetChunkCount(200), 0);
    EXPECT_LE(progress.GetChunkCount(200), 21);
    // No chunk picture: no chunks, no division by zero.
    CThemedProgressCtrl empty;
    empty.SetPos(50);
    EXPECT_EQ(0, empty.GetChunkCount(200));
}

TEST(ThemedProgressCtrl, DrawsTrackAndChunksFromTheClipBox)
{
    TestTopWindow parent;
    CThemedProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &parent, 101);
    ASSERT_TRUE(progress.Open(Fixture("progress.zmt").c_str()));
    progress.SetRange(0, 20);
    progress.SetPos(5);
    TestCanvas canvas(200, 30);
    progress.Draw(&canvas.dc);
    // clip box (2, 3, 4, 5): chunks from x 2, y 3 down to 30 - 4, 10 pixels each.
    EXPECT_EQ(kGreen, canvas.Pixel(2, 3));
    EXPECT_EQ(kGreen, canvas.Pixel(51, 25));
    EXPECT_EQ(kGrey, canvas.Pixel(52, 15));
    EXPECT_EQ(kGrey, canvas.Pixel(2, 27));
    EXPECT_EQ(kGrey, canvas.Pixel(1, 15));
    EXPECT_EQ(kGrey, canvas.Pixel(199, 29));

    progress.ModifyStyle(0, PBS_VERTICAL);
    progress.Draw(&canvas.dc);
    EXPECT_EQ(kGrey, canvas.Pixel(20, 15));  // the vertical track only
    progress.ModifyStyle(PBS_VERTICAL, 0);

    std::string path = std::string(ZAVO_BINARY_DIR) + "/designer/theme_fixtures/blue.bmp";
    CxImage blue;
    blue.Create(4, 4, 24, CXIMAGE_FORMAT_BMP);
    RGBQUAD q = {255, 0, 0, 0};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            blue.SetPixelColor(x, y, q);
    ASSERT_TRUE(blue.Save(("Z:" + path).c_str(), CXIMAGE_FORMAT_BMP));
    EXPECT_TRUE(progress.LoadChunkImage(("Z:" + path).c_str()));
    EXPECT_FALSE(progress.LoadChunkImage("Z:\\no\\such.bmp"));
    EXPECT_EQ(5 * 10 / 4, progress.GetChunkCount(200));
    progress.Draw(&canvas.dc);
    EXPECT_EQ(kBlue, canvas.Pixel(2 + 11 * 4, 10));
    EXPECT_EQ(kGrey, canvas.Pixel(2 + 12 * 4, 10));
}

TEST(ThemedProgressCtrl, BuiltInTheme)
{
    TestTopWindow parent;
    CThemedProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 19), &parent, 101);
    ASSERT_TRUE(progress.LoadDefaultTheme());
    progress.SetPos(50);
    EXPECT_EQ(50 * 1 / 10, progress.GetChunkCount(100));
    TestCanvas canvas(100, 19);
    progress.Draw(&canvas.dc);
    EXPECT_EQ(RGB(6, 176, 37), canvas.Pixel(5, 9));
    EXPECT_NE(RGB(255, 0, 255), canvas.Pixel(99, 18));
}
