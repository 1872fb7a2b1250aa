#include <gtest/gtest.h>

#include <cstdlib>

#include "installer/ui/ButtonImage.h"
#include "installer/ui/KoImage.h"
#include "installer/ui/SkinFont.h"
#include "installer/ui/tests/DibCanvas.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

void Black(CKoImage &image, int32_t x, int32_t y)
{
    image.SetPixelColor(x, y, KoRgbQuad{0, 0, 0, 0});
}

TEST(KoImageDraw, BlendsByAlphaSkipsTheKeyAndScalesByTheMaximum)
{
    CKoImage image;
    ASSERT_TRUE(image.Create(4, 1, 24));
    for (int x = 0; x < 3; ++x)
        Black(image, x, 0);
    image.SetPixelColor(3, 0, KoRgbQuad{255, 0, 255, 0});
    image.SetTransColor(kMagenta);
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(0, 0, 128);
    image.AlphaSet(1, 0, 0);

    DibCanvas canvas(6, 2);
    canvas.Fill(RGB(255, 255, 255));
    ASSERT_TRUE(image.Draw(canvas.Dc(), 1, 0));
    EXPECT_TRUE(Near(RGB(127, 127, 127), canvas.At(1, 0), 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(2, 0));  // alpha 0
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(3, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 0));  // key colour

    image.AlphaSetMax(127);
    canvas.Fill(RGB(255, 255, 255));
    image.Draw(canvas.Dc(), 1, 0);
    EXPECT_TRUE(Near(RGB(128, 128, 128), canvas.At(3, 0), 1));
}

TEST(KoImageDraw, StretchesByNearestPixelWithinTheClip)
{
    CKoImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    image.SetPixelColor(0, 1, KoRgbQuad{0, 0, 255, 0});  // top-left red
    image.SetPixelColor(1, 1, KoRgbQuad{255, 0, 0, 0});  // top-right blue
    DibCanvas canvas(4, 4);
    canvas.Fill(RGB(0, 255, 0));
    RECT clip = {0, 0, 3, 1};
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0, 4, 4, &clip));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(2, 0));
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(3, 0));  // outside the clip
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(0, 1));

    // The plain path (no alpha, own size) keeps the rows upright too.
    canvas.Fill(RGB(0, 255, 0));
    ASSERT_TRUE(image.Draw(canvas.Dc(), 1, 1));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(1, 2));
    image.SetEnabled(false);
    EXPECT_FALSE(image.Draw(canvas.Dc(), 0, 0));
}

TEST(KoImageDraw, MissingResourceFailsWithItsText)
{
    CKoImage image;
    EXPECT_FALSE(image.LoadResource(4711, "VISTA_IMGS", KO_TYPE_PNG));
    EXPECT_STREQ("Unable to load resource!", image.GetLastError());
}

// A DIB section of the depth: magenta corner, the rest one colour.
HBITMAP MakeBitmap(int bpp, COLORREF colour)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD c[256];
    } info = {};
    info.h.biSize = sizeof info.h;
    info.h.biWidth = 4;
    info.h.biHeight = -4;
    info.h.biPlanes = 1;
    info.h.biBitCount = (WORD)bpp;
    if (bpp == 8) {
        info.h.biClrUsed = 2;
        info.c[0] = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
        info.c[1] = {255, 0, 255, 0};
    }
    void *bits = NULL;
    HBITMAP h = ::CreateDIBSection(NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS, &bits, NULL, 0);
    CScopedMemDC dc(::CreateCompatibleDC(NULL));
    CScopedSelect sel(dc, h);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ::SetPixelV(dc, x, y, x == 0 && y == 0 ? kMagenta : colour);
    return h;
}

TEST(ButtonImage, GreyAndKeyColourAtEveryDepth)
{
    const COLORREF colour = RGB(200, 100, 50);
    const int grey = (200 * 30 + 100 * 59 + 50 * 11) / 100;
    for (int bpp : {8, 16, 24, 32}) {
        CButtonImage image;
        ASSERT_TRUE(image.SetImage(MakeBitmap(bpp, colour), BIK_BITMAP | BIK_OWNED));
        DibCanvas canvas(8, 8);
        canvas.Fill(RGB(0, 0, 255));
        image.Draw(canvas.Dc(), 0, 0, 8, 8, FEI_CENTER | FEI_GRAY | FEI_TRANSPARENT);
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(2, 2)) << bpp;  // the corner key
        EXPECT_TRUE(Near(RGB(grey, grey, grey), canvas.At(3, 3), 8))
            << bpp << " " << std::hex << canvas.At(3, 3);
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 1)) << bpp;  // outside the image

        canvas.Fill(RGB(0, 0, 255));
        image.Draw(canvas.Dc(), 0, 0, 8, 8, FEI_CENTER);
        EXPECT_EQ(kMagenta, canvas.At(2, 2)) << bpp;
        EXPECT_TRUE(Near(colour, canvas.At(5, 5), 8)) << bpp;
    }
}

TEST(ButtonImage, IconSizesAndKindsAreChecked)
{
    BYTE andBits[32 * 4] = {}, xorBits[32 * 4] = {};
    HICON mono = ::CreateIcon(NULL, 32, 32, 1, 1, andBits, xorBits);
    ASSERT_TRUE(mono != NULL);
    CButtonImage image;
    ASSERT_TRUE(image.SetImage(mono, BIK_ICON | BIK_OWNED));
    EXPECT_EQ(32, image.GetWidth());
    EXPECT_EQ(32, image.GetHeight());

    HBITMAP other = MakeBitmap(24, RGB(1, 2, 3));
    EXPECT_FALSE(image.SetImage(other, BIK_ICON | BIK_BITMAP));
    EXPECT_EQ(32, image.GetWidth());
    ::DeleteObject(other);

    DibCanvas canvas(40, 40);
    canvas.Fill(RGB(244, 244, 244));
    image.Draw(canvas.Dc(), 0, 0, 40, 40, FEI_CENTER | FEI_GRAY);
    EXPECT_EQ(FEI_CENTER | FEI_GRAY, image.GetDrawBits());
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(20, 20));  // AND 0, XOR 0: black
    EXPECT_EQ(RGB(244, 244, 244), canvas.At(2, 2));
}

TEST(ButtonImage, DisabledIsEmbossedInHighlightAndShadow)
{
    HBITMAP h = MakeBitmap(24, RGB(255, 255, 255));
    {
        CScopedMemDC dc(::CreateCompatibleDC(NULL));
        CScopedSelect sel(dc, h);
        ::SetPixelV(dc, 0, 0, RGB(255, 255, 255));
        ::SetPixelV(dc, 1, 1, RGB(0, 0, 0));
    }
    CButtonImage image;
    image.SetImage(h, BIK_BITMAP | BIK_OWNED);
    DibCanvas canvas(4, 4);
    canvas.Fill(RGB(244, 244, 244));
    image.Draw(canvas.Dc(), 0, 0, 4, 4, FEI_DISABLED);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(1, 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(2, 2));
    EXPECT_EQ(RGB(244, 244, 244), canvas.At(3, 0));
}

TEST(SkinFont, BoldReportsTheWeightBefore)
{
    CSkinFont font("Tahoma");
    EXPECT_EQ(-12, font.GetLogFont().lfHeight);
    EXPECT_FALSE(font.SetBold(TRUE));
    EXPECT_EQ(FW_BOLD, font.GetWeight());
    EXPECT_TRUE(font.SetBold(TRUE));
    EXPECT_TRUE(font.GetSafeHandle() != NULL);

    DibCanvas canvas(1, 1);
    font.BindDC(canvas.Dc());
    font.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(canvas.Dc()));
}

}  // namespace
