#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "installer/ui/BitmapRoutines.h"
#include "installer/ui/tests/DibCanvas.h"
#include "framework/ScopedHandle.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

int RectCount(HRGN rgn)
{
    DWORD n = ::GetRegionData(rgn, 0, NULL);
    std::vector<BYTE> data(n);
    ::GetRegionData(rgn, n, (RGNDATA *)data.data());
    return (int)((RGNDATA *)data.data())->rdh.nCount;
}

TEST(RegionFromBitmap, AllKeyGivesAnEmptyRegion)
{
    DibCanvas c(6, 4);
    c.Fill(kKey);
    CBitmap bmp;
    c.MoveInto(bmp);
    CScopedRgn rgn(RegionFromBitmap(&bmp, kKey));
    ASSERT_TRUE((HRGN)rgn);
    RECT box;
    EXPECT_EQ(NULLREGION, ::GetRgnBox(rgn, &box));
}

TEST(RegionFromBitmap, CoversExactlyTheNonKeyPixelsWithMoreRunsThanRows)
{
    const int w = 9, h = 3;
    DibCanvas c(w, h);
    c.Fill(RGB(10, 20, 30));
    for (int y = 0; y < h; ++y)
        for (int x = (y % 2); x < w; x += 2)
            c.Set(x, y, kKey);
    CBitmap bmp;
    c.MoveInto(bmp);
    CScopedRgn rgn(RegionFromBitmap(&bmp, kKey));
    ASSERT_TRUE((HRGN)rgn);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ((x + y) % 2 == 1, !!::PtInRegion(rgn, x, y)) << x << "," << y;
    EXPECT_GT(RectCount(rgn), h);
}

TEST(RegionFromBitmap, KeyMatchesOnADeviceDependentBitmap)
{
    // A bitmap in the display's own format is read back as 32 bits.
    HDC screen = ::GetDC(NULL);
    CBitmap bmp;
    bmp.Attach(::CreateCompatibleBitmap(screen, 4, 1));
    ::ReleaseDC(NULL, screen);
    {
        CScopedMemDC dc(::CreateCompatibleDC(NULL));
        CScopedSelect sel(dc, bmp);
        ::SetPixel(dc, 0, 0, kKey);
        ::SetPixel(dc, 1, 0, RGB(0, 0, 0));
        ::SetPixel(dc, 2, 0, kKey);
        ::SetPixel(dc, 3, 0, kKey);
    }
    CScopedRgn rgn(RegionFromBitmap(&bmp, kKey));
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 1, 0));
    EXPECT_FALSE(::PtInRegion(rgn, 3, 0));
}

TEST(BitmapRoutines, TransparentDrawSkipsTheKeyAndBlitsParts)
{
    DibCanvas src(4, 2);
    src.Fill(kKey);
    src.Set(1, 0, RGB(200, 0, 0));
    src.Set(2, 1, RGB(0, 200, 0));
    CBitmap bmp;
    src.MoveInto(bmp);

    DibCanvas dst(6, 4);
    dst.Fill(RGB(0, 0, 255));
    CDC *pDC = CDC::FromHandle(dst.Dc());
    DrawTransparentBitmap(pDC, 1, 1, 4, 2, &bmp, 0, 0, kKey, NULL);
    EXPECT_EQ(RGB(0, 0, 255), dst.At(1, 1));
    EXPECT_EQ(RGB(200, 0, 0), dst.At(2, 1));
    EXPECT_EQ(RGB(0, 200, 0), dst.At(3, 2));
    EXPECT_EQ(RGB(0, 0, 255), dst.At(4, 2));

    RECT part = {1, 0, 3, 2};
    DrawBitmapPart(&bmp, pDC, 0, 0, &part, kKey,
                   FALSE);  // plain copy keeps the key colour
    EXPECT_EQ(RGB(200, 0, 0), dst.At(0, 0));
    EXPECT_EQ(kKey, dst.At(1, 0));
    EXPECT_EQ(RGB(0, 200, 0), dst.At(1, 1));

    RECT dest = {0, 3, 6, 4};
    StretchBitmapPart(&bmp, pDC, &dest, &part);
    EXPECT_EQ(RGB(200, 0, 0), dst.At(0, 3));
}

TEST(LoadPictureFile, RefusesAnObjectThatHoldsABitmap)
{
    CBitmap bmp;
    bmp.Attach(::CreateBitmap(2, 2, 1, 1, NULL));
    HGDIOBJ before = bmp.GetSafeHandle();
    EXPECT_FALSE(LoadPictureFile(
        &bmp, ZAVO_SOURCE_DIR "/resources/zavomgr/capture_info.bmp",
        RGB(0, 0, 0)));
    EXPECT_EQ(before, bmp.GetSafeHandle());
    CBitmap fresh;
    EXPECT_FALSE(LoadPictureFile(&fresh, "Z:\\no\\such\\file.bmp", RGB(0, 0, 0)));
}

TEST(LoadPictureFile, RendersABmpAtItsSize)
{
    CBitmap bmp;
    ASSERT_TRUE(LoadPictureFile(
        &bmp, "Z:" ZAVO_SOURCE_DIR "/resources/zavomgr/capture_info.bmp",
        (COLORREF)-1));
    BITMAP bm = {};
    bmp.GetBitmap(&bm);
    EXPECT_GT(bm.bmWidth, 0);
    EXPECT_GT(bm.bmHeight, 0);
}

}  // namespace
