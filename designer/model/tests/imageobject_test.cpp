#include "designer/model/ImageObject.h"

#include "framework/DC.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
// Nine colours, one per cell of the 3 x 3 grid of a 40 x 20 image with 5-pixel borders.
COLORREF CellColour(int col, int row)
{
    static const COLORREF colours[9] = {
        RGB(255, 0, 0),
        RGB(0, 255, 0),
        RGB(0, 0, 255),
        RGB(255, 255, 0),
        RGB(0, 255, 255),
        RGB(255, 0, 255),
        RGB(128, 0, 0),
        RGB(0, 128, 0),
        RGB(0, 0, 128),
    };
    return colours[row * 3 + col];
}

int Band(int v, int size, int border)
{
    return v < border ? 0 : (v < size - border ? 1 : 2);
}

// A 24-bit BMP file of w x h whose cells follow CellColour for the given border.
std::vector<BYTE> MakeBmp(int w, int h, int border)
{
    int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> file(54 + stride * h, 0);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(file.size());
    fh.bfOffBits = 54;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = h;  // bottom row first
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::memcpy(&file[0], &fh, 14);
    std::memcpy(&file[14], &ih, 40);
    for (int y = 0; y < h; ++y) {
        BYTE* row = &file[54 + (h - 1 - y) * stride];
        for (int x = 0; x < w; ++x) {
            COLORREF c = CellColour(Band(x, w, border), Band(y, h, border));
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return file;
}

// A memory DC over a white 32-bit DIB.
struct Canvas {
    CDC dc;
    HBITMAP bmp = NULL;
    HGDIOBJ old = NULL;
    Canvas(int w, int h)
    {
        dc.CreateCompatibleDC(NULL);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = NULL;
        bmp = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        old = SelectObject(dc.GetSafeHdc(), bmp);
        RECT all = {0, 0, w, h};
        FillRect(dc.GetSafeHdc(), &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    }
    ~Canvas()
    {
        SelectObject(dc.GetSafeHdc(), old);
        DeleteObject(bmp);
    }
    COLORREF At(int x, int y) { return GetPixel(dc.GetSafeHdc(), x, y); }
};
}  // namespace

TEST(ImageObject, NineSlicesFillTheRectangle)
{
    std::vector<BYTE> bmp = MakeBmp(40, 20, 5);
    CImageObject image;
    image.SetMargins(5, 5, 5, 5);
    ASSERT_TRUE(image.LoadMemory(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    Canvas canvas(110, 40);
    RECT rc = {0, 0, 100, 30};
    ASSERT_TRUE(image.Draw(&canvas.dc, rc, 0, FALSE));
    // every pixel of the target shows the cell of the grid 5 | 90 | 5 by 5 | 20 | 5
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(CellColour(Band(x, 100, 5), Band(y, 30, 5)), canvas.At(x, y)) << x << "," << y;
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(100, 10));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, 30));
}

TEST(ImageObject, SmoothingKeepsUniformCells)
{
    std::vector<BYTE> bmp = MakeBmp(40, 20, 5);
    CImageObject image;
    image.SetMargins(5, 5, 5, 5);
    ASSERT_TRUE(image.LoadMemory(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    Canvas canvas(200, 100);
    RECT rc = {10, 10, 190, 90};
    ASSERT_TRUE(image.Draw(&canvas.dc, rc, 0, TRUE));
    EXPECT_EQ(CellColour(0, 0), canvas.At(10, 10));
    EXPECT_EQ(CellColour(2, 2), canvas.At(189, 89));
    EXPECT_EQ(CellColour(1, 1), canvas.At(100, 50));
    EXPECT_EQ(CellColour(0, 1), canvas.At(12, 50));
    EXPECT_EQ(CellColour(1, 0), canvas.At(100, 12));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(5, 5));
}

// Into a 32-bit memory DC a size of a picture is drawn once for every holder
// of the same pixels: each holder, also of a picture whose centre differs,
// gives what drawing its slices straight gives (here into a DC whose
// clip is not one rectangle, where nothing is shared).
TEST(ImageObject, HoldersShareADrawingOnlyOfEqualPixels)
{
    std::vector<BYTE> same = MakeBmp(40, 20, 5), other = same;
    const int stride = (40 * 3 + 3) & ~3;
    for (int y = 5; y < 15; ++y)
        std::memset(&other[54 + y * stride + 5 * 3], 7, 30 * 3);
    struct Holder {
        const std::vector<BYTE>* file;
        BOOL smooth;
    } const holders[] = {{&same, FALSE}, {&same, FALSE}, {&other, FALSE}, {&same, TRUE}, {&other, TRUE}};
    for (const Holder& h : holders) {
        CImageObject image;
        image.SetMargins(5, 5, 5, 5);
        ASSERT_TRUE(image.LoadMemory(&(*h.file)[0], static_cast<DWORD>(h.file->size()), CXIMAGE_FORMAT_BMP));
        Canvas shared(110, 40), straight(110, 40);
        HRGN clip = CreateRectRgn(0, 0, 110, 40), corner = CreateRectRgn(109, 39, 110, 40);
        CombineRgn(clip, clip, corner, RGN_DIFF);
        SelectClipRgn(straight.dc.GetSafeHdc(), clip);
        DeleteObject(clip);
        DeleteObject(corner);
        RECT rc = {3, 4, 103, 34};
        ASSERT_TRUE(image.Draw(&shared.dc, rc, 0, h.smooth));
        ASSERT_TRUE(image.Draw(&straight.dc, rc, 0, h.smooth));
        int differ = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 110; ++x)
                differ += shared.At(x, y) != straight.At(x, y);
        EXPECT_EQ(0, differ) << (h.file == &same ? "same" : "other") << " smooth " << h.smooth;
        EXPECT_EQ(h.file == &same ? CellColour(1, 1) : RGB(7, 7, 7), shared.At(53, 19));
    }
}

TEST(ImageObject, ZeroMarginsDrawWholeAtOwnWidth)
{
    std::vector<BYTE> bmp = MakeBmp(40, 20, 5);
    CImageObject image;
    ASSERT_TRUE(image.LoadMemory(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    Canvas canvas(100, 60);
    RECT rc = {0, 0, 100, 40};
    ASSERT_TRUE(image.Draw(&canvas.dc, rc));
    EXPECT_EQ(CellColour(0, 0), canvas.At(0, 0));
    EXPECT_EQ(CellColour(2, 0), canvas.At(39, 0));
    EXPECT_EQ(CellColour(2, 2), canvas.At(39, 39));  // stretched to the rectangle's height
    EXPECT_EQ(CellColour(1, 1), canvas.At(20, 20));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(40, 20));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(20, 40));
}

TEST(ImageObject, FailedLoadsDrawNothing)
{
    Canvas canvas(20, 20);
    RECT rc = {0, 0, 20, 20};
    CImageObject image;
    EXPECT_FALSE(image.Draw(&canvas.dc, rc));  // nothing loaded
    image.SetMargins(5, 5, 5, 5);
    const BYTE junk[] = {1, 2, 3, 4};
    EXPECT_FALSE(image.LoadMemory(junk, sizeof(junk), CXIMAGE_FORMAT_BMP));
    EXPECT_FALSE(image.LoadFile("Z:\\no\\such\\image.png"));
    EXPECT_FALSE(image.LoadMemory(NULL, 0, CXIMAGE_FORMAT_BMP));
    EXPECT_FALSE(image.Draw(&canvas.dc, rc));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, 10));

    // margins wider than the image leave the holder not valid
    std::vector<BYTE> bmp = MakeBmp(8, 8, 2);
    image.SetMargins(6, 1, 6, 1);
    EXPECT_FALSE(image.LoadMemory(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    EXPECT_FALSE(image.Draw(&canvas.dc, rc));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(0, 0));
}

TEST(ImageObject, TargetSmallerThanMarginsDrawsOnlyTheCorners)
{
    std::vector<BYTE> bmp = MakeBmp(40, 20, 5);
    CImageObject image;
    image.SetMargins(5, 5, 5, 5);
    ASSERT_TRUE(image.LoadMemory(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    Canvas canvas(40, 40);
    RECT rc = {10, 10, 18, 18};  // 8 x 8: no room for edges or centre
    ASSERT_TRUE(image.Draw(&canvas.dc, rc));
    EXPECT_EQ(CellColour(0, 0), canvas.At(10, 10));
    EXPECT_EQ(CellColour(2, 2), canvas.At(17, 17));
    // no edge is drawn mirrored outside the rectangle
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(9, 14));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(19, 14));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(14, 9));
}

TEST(ImageEx, CopyRectTakesTheRectanglesPixels)
{
    std::vector<BYTE> bmp = MakeBmp(40, 20, 5);
    CImageEx src;
    ASSERT_TRUE(src.Decode(&bmp[0], static_cast<DWORD>(bmp.size()), CXIMAGE_FORMAT_BMP));
    CImageEx dst;
    RECT rc = {35, 15, 40, 20};
    ASSERT_TRUE(src.CopyRect(rc, &dst, TRUE));
    EXPECT_EQ(5u, dst.GetWidth());
    EXPECT_EQ(5u, dst.GetHeight());
    EXPECT_EQ(static_cast<DWORD>(CXIMAGE_FORMAT_BMP), dst.GetType());
    RGBQUAD c = dst.GetPixelColor(4, 4);
    EXPECT_EQ(CellColour(2, 2), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
    RECT outside = {30, 10, 41, 20};
    EXPECT_FALSE(src.CopyRect(outside, &dst, TRUE));
    RECT backwards = {10, 10, 5, 20};
    EXPECT_FALSE(src.CopyRect(backwards, &dst, FALSE));
    RECT empty = {10, 10, 10, 20};
    EXPECT_TRUE(src.CopyRect(empty, &dst, FALSE));
    EXPECT_FALSE(dst.IsValid());
}
