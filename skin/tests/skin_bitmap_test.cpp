#include "skin/draw/SkinBitmap.h"
#include "skin/support/BitmapLoad.h"
#include "skin/support/DrawHelpers.h"
#include "skin/tests/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace skintest;

namespace {
const COLORREF kBack = RGB(1, 2, 3);
const RECT kNoMargins = {0, 0, 0, 0};

COLORREF Piece(int col, int row) { return RGB(40 * col + 10, 40 * row + 10, 200); }

// 9 x 9 pixels: nine 3 x 3 pieces of distinct colours.
CVZRSkinBitmap* NinePieces(bool alpha = false)
{
    CVZRSkinBitmap* b = new CVZRSkinBitmap;
    HBITMAP h = alpha ? MakeBitmap32(9, 9, [](int x, int y) { return Argb(Piece(x / 3, y / 3)); })
                      : MakeBitmap24(9, 9, [](int x, int y) { return Piece(x / 3, y / 3); });
    b->Attach(h, alpha, true);
    return b;
}

int PieceAt(const Canvas& c, int x, int y)
{
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (c.At(x, y) == Piece(col, row))
                return row * 3 + col;
        }
    }
    return -1;
}

TEST(SkinBitmap, NinePiecesKeepCornersAndFillTheRest)
{
    std::unique_ptr<CVZRSkinBitmap> b(NinePieces());
    const RECT m = {3, 3, 3, 3};
    Canvas c(30, 30);
    b->DrawImage(c.dc(), Rect(5, 5, 25, 25), Rect(0, 0, 9, 9), m, COLORREF(-1), kSizingStretch, false);
    EXPECT_TRUE(c.All(Rect(5, 5, 8, 8), Piece(0, 0)));
    EXPECT_TRUE(c.All(Rect(8, 5, 22, 8), Piece(1, 0)));
    EXPECT_TRUE(c.All(Rect(22, 5, 25, 8), Piece(2, 0)));
    EXPECT_TRUE(c.All(Rect(5, 8, 8, 22), Piece(0, 1)));
    EXPECT_TRUE(c.All(Rect(8, 8, 22, 22), Piece(1, 1)));
    EXPECT_TRUE(c.All(Rect(22, 22, 25, 25), Piece(2, 2)));
    EXPECT_EQ(c.Count(kBack), 30 * 30 - 20 * 20);

    // Border only leaves the centre.
    c.Fill(kBack);
    b->DrawImage(c.dc(), Rect(5, 5, 25, 25), Rect(0, 0, 9, 9), m, COLORREF(-1), kSizingStretch, true);
    EXPECT_TRUE(c.All(Rect(8, 8, 22, 22), kBack));
    EXPECT_TRUE(c.All(Rect(22, 8, 25, 22), Piece(2, 1)));
}

TEST(SkinBitmap, MarginsScaledDownNeverPassTheTarget)
{
    std::unique_ptr<CVZRSkinBitmap> b(NinePieces());
    const RECT m = {3, 3, 3, 3};
    for (int size : {4, 5, 2, 1}) {
        Canvas c(12, 12);
        b->DrawImage(c.dc(), Rect(4, 4, 4 + size, 4 + size), Rect(0, 0, 9, 9), m, COLORREF(-1), kSizingStretch, false);
        // Nothing outside the target, every target pixel drawn.
        EXPECT_EQ(c.Count(kBack), 144 - size * size) << size;
        int top = MulDiv(size, 3, 6);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                int piece = PieceAt(c, 4 + x, 4 + y);
                EXPECT_EQ(piece / 3, y < top ? 0 : 2) << size << " at " << x << "," << y;
                EXPECT_EQ(piece % 3, x < top ? 0 : 2) << size << " at " << x << "," << y;
            }
        }
    }
}

TEST(SkinBitmap, TilesStretchesAndOnePixelSources)
{
    // A 2 x 2 checker centre between 1-pixel margins.
    auto pixel = [](int x, int y) -> COLORREF {
        if (x == 0 || y == 0 || x == 3 || y == 3)
            return RGB(0, 0, 0);
        return (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    };
    CVZRSkinBitmap b;
    b.Attach(MakeBitmap24(4, 4, pixel), FALSE, true);
    const RECT m = {1, 1, 1, 1};
    Canvas tiled(10, 10);
    b.DrawImage(tiled.dc(), Rect(0, 0, 10, 10), Rect(0, 0, 4, 4), m, COLORREF(-1), kSizingTile, false);
    for (int y = 1; y < 9; ++y) {
        for (int x = 1; x < 9; ++x)
            EXPECT_EQ(tiled.At(x, y), (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255)) << x << "," << y;
    }
    Canvas stretched(10, 10);
    b.DrawImage(stretched.dc(), Rect(0, 0, 10, 10), Rect(0, 0, 4, 4), m, COLORREF(-1), kSizingStretch, false);
    EXPECT_TRUE(stretched.All(Rect(1, 1, 5, 5), RGB(0, 0, 255)));
    EXPECT_TRUE(stretched.All(Rect(5, 1, 9, 5), RGB(255, 0, 0)));

    // A 1-pixel source with tiling is stretched; so is a source as wide as the target.
    CVZRSkinBitmap one;
    one.Attach(MakeBitmap24(1, 1, [](int, int) { return RGB(9, 99, 199); }), FALSE, true);
    Canvas c(7, 5);
    one.DrawImage(c.dc(), Rect(0, 0, 7, 5), Rect(0, 0, 1, 1), kNoMargins, COLORREF(-1), kSizingTile, false);
    EXPECT_EQ(c.Count(RGB(9, 99, 199)), 35);

    // A source whose centre is empty (as wide as both margins) draws edges only and ends.
    CVZRSkinBitmap thin;
    thin.Attach(MakeBitmap24(2, 9, [](int x, int y) { return Piece(x, y / 3); }), FALSE, true);
    Canvas t(6, 20);
    thin.DrawImage(t.dc(), Rect(0, 0, 6, 20), Rect(0, 0, 2, 9), Rect(1, 3, 1, 3), COLORREF(-1), kSizingTile, false);
    EXPECT_EQ(t.Count(kBack), 0);
    EXPECT_TRUE(t.All(Rect(0, 0, 3, 3), Piece(0, 0)));
    EXPECT_TRUE(t.All(Rect(3, 17, 6, 20), Piece(1, 2)));
}

TEST(SkinBitmap, SolidRegionsAreAnalysedOnceAndFilled)
{
    // Alpha: transparent left half, opaque uniform right half.
    CVZRSkinBitmap b;
    b.Attach(MakeBitmap32(8, 4, [](int x, int) { return x < 4 ? 0u : Argb(RGB(0, 200, 0)); }), TRUE, true);
    ASSERT_TRUE(b.HasAlpha());
    b.AnalyseSolidRegions(1, false, Rect(4, 0, 4, 0));
    size_t regions = b.GetSolidRegions().size();
    EXPECT_GE(regions, 2u);
    b.AnalyseSolidRegions(1, false, Rect(4, 0, 4, 0));
    EXPECT_EQ(b.GetSolidRegions().size(), regions);
    CVZRSolidRegion r;
    ASSERT_TRUE(b.FindSolidRegion(Rect(0, 0, 4, 4), r));
    EXPECT_EQ(r.colour >> 24, 0u);
    ASSERT_TRUE(b.FindSolidRegion(Rect(4, 0, 8, 4), r));
    EXPECT_EQ(r.colour, 0xFF000000u | RGB(0, 200, 0));

    Canvas c(10, 10);
    b.DrawImage(c.dc(), Rect(0, 0, 10, 10), Rect(0, 0, 4, 4), kNoMargins, COLORREF(-1), kSizingStretch, false);
    EXPECT_EQ(c.Count(kBack), 100);
    b.DrawImage(c.dc(), Rect(0, 0, 10, 10), Rect(4, 0, 8, 4), kNoMargins, COLORREF(-1), kSizingStretch, false);
    EXPECT_EQ(c.Count(RGB(0, 200, 0)), 100);
}

TEST(SkinBitmap, TransparentKeyLeavesTheDestination)
{
    CVZRSkinBitmap b;
    b.Attach(MakeBitmap24(6, 6, [](int x, int y) {
                 return x == 0 || y == 0 || x == 5 || y == 5 ? RGB(255, 0, 255) : RGB(0, 128, 0);
             }),
             FALSE, true);
    Canvas c(12, 12);
    b.DrawImage(c.dc(), Rect(0, 0, 12, 12), Rect(0, 0, 6, 6), Rect(1, 1, 1, 1), RGB(255, 0, 255), kSizingStretch,
                false);
    EXPECT_EQ(c.Count(RGB(255, 0, 255)), 0);
    EXPECT_TRUE(c.All(Rect(1, 1, 11, 11), RGB(0, 128, 0)));
    EXPECT_EQ(c.Count(kBack), 144 - 100);
}

TEST(BitmapLoad, PremultipliesAndDetectsAlphaInAnyPixelOrder)
{
    HBITMAP src = MakeBitmap32(2, 1, [](int, int) { return 0x80000000u | RGB(50, 100, 200); });  // r 200 g 100 b 50
    BOOL alpha = FALSE;
    HBITMAP pre = PremultiplyAlpha(src, &alpha);
    ASSERT_TRUE(pre);
    EXPECT_TRUE(alpha);
    uint32_t px[2];
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(NULL);
    ASSERT_EQ(GetDIBits(screen, pre, 0, 1, px, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(px[0], 0x80000000u | 100u << 16 | 50u << 8 | 25u);
    DeleteObject(pre);
    DeleteObject(src);

    const struct
    {
        uint32_t a0, a1;
        bool alpha;
    } cases[] = {{255, 0, true}, {0, 255, true}, {0, 0, false}, {255, 255, false}, {255, 7, true}, {7, 7, true}};
    for (const auto& k : cases) {
        HBITMAP b = MakeBitmap32(2, 1, [&](int x, int) { return (x ? k.a1 : k.a0) << 24 | 0x406080u; });
        BOOL has = FALSE;
        HBITMAP p = PremultiplyAlpha(b, &has);
        EXPECT_EQ(has != FALSE, k.alpha) << k.a0 << " " << k.a1;
        ASSERT_EQ(GetDIBits(screen, p, 0, 1, px, &info, DIB_RGB_COLORS), 1);
        if (!k.alpha)
            EXPECT_EQ(px[0] & 0xFFFFFF, 0x406080u);  // an opaque image keeps its colours
        DeleteObject(p);
        DeleteObject(b);
    }
    // Only 32-bit bitmaps.
    HBITMAP rgb = MakeBitmap24(2, 2, [](int, int) { return RGB(1, 1, 1); });
    EXPECT_EQ(PremultiplyAlpha(rgb, NULL), (HBITMAP)NULL);
    DeleteObject(rgb);
    ReleaseDC(NULL, screen);
}

TEST(BitmapLoad, MirrorsRowsAndRefusesBadBitmapResources)
{
    HBITMAP b = MakeBitmap32(3, 1, [](int x, int) { return 0xFF000000u | uint32_t(x + 1); });
    HBITMAP m = MirrorBitmap(b);
    CVZRSkinBitmap mirrored;
    ASSERT_TRUE(mirrored.Attach(m, FALSE, false));
    Canvas c(3, 1);
    mirrored.DrawImage(c.dc(), Rect(0, 0, 3, 1), Rect(0, 0, 3, 1), kNoMargins, COLORREF(-1), kSizingStretch, false);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 3));
    EXPECT_EQ(c.At(2, 0), RGB(0, 0, 1));
    DeleteObject(b);

    // A packed DIB that promises more rows than it holds gives none.
    std::vector<BYTE> dib(40 + 4 * 4 * 4, 0);
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    h->biSize = 40;
    h->biWidth = 4;
    h->biHeight = 4;
    h->biPlanes = 1;
    h->biBitCount = 32;
    BOOL alpha = FALSE;
    HBITMAP ok = CreateBitmapFromPackedDib(dib.data(), dib.size(), &alpha);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(alpha);
    DeleteObject(ok);
    EXPECT_EQ(CreateBitmapFromPackedDib(dib.data(), dib.size() - 1, &alpha), (HBITMAP)NULL);
    EXPECT_FALSE(alpha);
    h->biHeight = 0x7FFFFFFF;
    EXPECT_EQ(CreateBitmapFromPackedDib(dib.data(), dib.size(), &alpha), (HBITMAP)NULL);
}

// A bitmap file: 14-byte file header, 40-byte information header, table, rows.
std::string BitmapFile(int w, int h, int bits, const std::vector<uint32_t>& table, const std::vector<BYTE>& rows)
{
    std::string out(14 + 40, '\0');
    auto put32 = [&out](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = char(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(10, uint32_t(54 + table.size() * 4));
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    out[26] = 1;
    out[28] = char(bits);
    put32(46, uint32_t(table.size()));
    for (uint32_t c : table)
        out.append(reinterpret_cast<const char*>(&c), 4);
    out.append(reinterpret_cast<const char*>(rows.data()), rows.size());
    put32(2, uint32_t(out.size()));
    return out;
}

std::string TempFile(const char* name, const std::string& bytes)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + name + std::to_string(GetCurrentProcessId());
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
}

TEST(BitmapLoad, ReadsPaletteAndAlphaFilesAndRefusesCutOnes)
{
    // 2 x 2, 8 bits: palette red, blue; bottom row first.
    std::string palette = BitmapFile(2, 2, 8, {0x00FF0000u, 0x000000FFu}, {1, 0, 0, 0, 0, 1, 0, 0});
    std::string path = TempFile("skin8", palette);
    BOOL alpha = TRUE;
    CVZRSkinBitmap b;
    HBITMAP loaded = LoadBitmapFromFile(path.c_str(), &alpha);
    ASSERT_TRUE(b.Attach(loaded, alpha, true));
    EXPECT_FALSE(alpha);
    Canvas c(2, 2);
    b.DrawImage(c.dc(), Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), kNoMargins, COLORREF(-1), kSizingStretch, false);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));

    // 32 bits with alpha: reported, premultiplied when loaded.
    std::vector<BYTE> rows = {40, 80, 200, 128, 0, 0, 0, 0};
    path = TempFile("skin32", BitmapFile(2, 1, 32, {}, rows));
    CVZRSkinBitmap a;
    ASSERT_TRUE(a.LoadFromFile(path.c_str()));
    EXPECT_TRUE(a.HasAlpha());

    // Cut anywhere before the last row: no bitmap.
    for (size_t cut : {size_t(10), size_t(53), palette.size() - 1}) {
        path = TempFile("skincut", palette.substr(0, cut));
        EXPECT_EQ(LoadBitmapFromFile(path.c_str(), &alpha), (HBITMAP)NULL) << cut;
        EXPECT_FALSE(alpha);
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(LoadBitmapFromFile("Z:\\no\\such\\file.bmp", &alpha), (HBITMAP)NULL);
}

TEST(BlendFunctions, FallbacksMatchTheSystemWithinOne)
{
    CVZRBlendFunctions& blend = CVZRBlendFunctions::Instance();
    srand(7);
    HBITMAP src = MakeBitmap32(16, 8, [](int, int) {
        uint32_t a = uint32_t(rand() % 256);
        uint32_t r = a ? uint32_t(rand()) % (a + 1) : 0, g = a ? uint32_t(rand()) % (a + 1) : 0,
                 b = a ? uint32_t(rand()) % (a + 1) : 0;
        return a << 24 | r << 16 | g << 8 | b;
    });
    HDC srcDC = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(srcDC, src);
    auto background = [](Canvas& c) {
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                SetPixel(c.dc(), x, y, RGB(x * 15, y * 30, 255 - x * 10));
    };
    Canvas system(16, 8), fallback(16, 8);
    background(system);
    background(fallback);
    ASSERT_TRUE(blend.AlphaBlend(system.dc(), Rect(0, 0, 16, 8), srcDC, Rect(0, 0, 16, 8)));
    ASSERT_TRUE(blend.AlphaBlendFallback(fallback.dc(), Rect(0, 0, 16, 8), srcDC, Rect(0, 0, 16, 8)));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            COLORREF a = system.At(x, y), b = fallback.At(x, y);
            EXPECT_NEAR(GetRValue(a), GetRValue(b), 1) << x << "," << y;
            EXPECT_NEAR(GetGValue(a), GetGValue(b), 1) << x << "," << y;
            EXPECT_NEAR(GetBValue(a), GetBValue(b), 1) << x << "," << y;
        }
    }
    SelectObject(srcDC, old);
    DeleteObject(src);

    // A source that is not premultiplied saturates instead of wrapping.
    HBITMAP loud = MakeBitmap32(1, 1, [](int, int) { return 0x80FFFFFFu; });
    old = SelectObject(srcDC, loud);
    Canvas white(1, 1, RGB(255, 255, 255));
    ASSERT_TRUE(blend.AlphaBlendFallback(white.dc(), Rect(0, 0, 1, 1), srcDC, Rect(0, 0, 1, 1)));
    EXPECT_EQ(white.At(0, 0), RGB(255, 255, 255));
    SelectObject(srcDC, old);
    DeleteObject(loud);

    // TransparentBlt, keyed on magenta and on black.
    for (COLORREF key : {RGB(255, 0, 255), RGB(0, 0, 0)}) {
        HBITMAP keyed = MakeBitmap24(6, 4, [key](int x, int y) { return (x + y) % 3 ? key : RGB(x * 40, 90, y * 60 + 5); });
        old = SelectObject(srcDC, keyed);
        Canvas s(12, 8), f(12, 8);
        background(s);
        background(f);
        ASSERT_TRUE(blend.TransparentBlt(s.dc(), Rect(0, 0, 12, 8), srcDC, Rect(0, 0, 6, 4), key));
        ASSERT_TRUE(CVZRBlendFunctions::TransparentBltFallback(f.dc(), Rect(0, 0, 12, 8), srcDC, Rect(0, 0, 6, 4), key));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(s.At(x, y), f.At(x, y)) << key << " " << x << "," << y;
        }
        SelectObject(srcDC, old);
        DeleteObject(keyed);
    }
    DeleteDC(srcDC);
}

TEST(DrawHelpers, MemoryCanvasesCopyBackUnlessDiscarded)
{
    Canvas c(20, 20);
    {
        CVZRMemoryCanvas canvas(c.dc(), Rect(5, 5, 15, 15));
        FillSolidRect(canvas, Rect(0, 0, 20, 20), RGB(10, 20, 30));
    }
    EXPECT_EQ(c.Count(RGB(10, 20, 30)), 100);
    EXPECT_TRUE(c.All(Rect(5, 5, 15, 15), RGB(10, 20, 30)));
    {
        CVZRMemoryCanvas canvas(c.dc(), Rect(0, 0, 20, 20));
        FillSolidRect(canvas, Rect(0, 0, 20, 20), RGB(99, 99, 99));
        canvas.Discard();
    }
    EXPECT_EQ(c.Count(RGB(99, 99, 99)), 0);
    {
        CVZROffsetMemoryCanvas canvas(c.dc(), Rect(2, 3, 6, 9));
        FillSolidRect(canvas, Rect(0, 0, 20, 20), RGB(40, 50, 60));
        FillSolidRect(canvas, Rect(2, 3, 3, 4), RGB(70, 80, 90));
    }
    EXPECT_EQ(c.Count(RGB(40, 50, 60)) + c.Count(RGB(70, 80, 90)), 24);
    EXPECT_EQ(c.At(2, 3), RGB(70, 80, 90));
    HWND gone = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    DestroyWindow(gone);
    CVZRWindowArea area(gone);
    EXPECT_TRUE(IsRectEmpty(&area));
}
}  // namespace
