#include "imaging/xImage.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string TempName(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "imaging_test_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b, BYTE a = 255)
{
    RGBQUAD q;
    q.rgbRed = r;
    q.rgbGreen = g;
    q.rgbBlue = b;
    q.rgbReserved = a;
    return q;
}

// Four solid quadrants: red, green, blue, white.
void MakeQuadrants(CxImage& img, long w = 32, long h = 24)
{
    ASSERT_NE(img.Create(w, h, 24), nullptr);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) {
            bool right = x >= w / 2, bottom = y >= h / 2;
            img.SetPixelColor(x, y, !bottom ? (right ? Rgb(0, 255, 0) : Rgb(255, 0, 0)) : (right ? Rgb(255, 255, 255) : Rgb(0, 0, 255)));
        }
}

// A gradient that JPEG cannot compress to nothing.
void MakeNoise(CxImage& img, long w = 128, long h = 96)
{
    ASSERT_NE(img.Create(w, h, 24), nullptr);
    unsigned seed = 7;
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) {
            seed = seed * 1103515245 + 12345;
            img.SetPixelColor(x, y, Rgb((BYTE)(x * 2), (BYTE)(y * 2), (BYTE)(seed >> 24)));
        }
}

long FileSize(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return -1;
    fseek(f, 0, SEEK_END);
    long n = ftell(f);
    fclose(f);
    return n;
}

bool Near(RGBQUAD a, RGBQUAD b, int tol)
{
    return abs(a.rgbRed - b.rgbRed) <= tol && abs(a.rgbGreen - b.rgbGreen) <= tol &&
           abs(a.rgbBlue - b.rgbBlue) <= tol;
}

#define EXPECT_COLOR(img, x, y, c, tol) \
    EXPECT_TRUE(Near((img).GetPixelColor(x, y), c, tol)) << "pixel " << (x) << "," << (y)

// A 32-bit DIB section selected into a memory DC; pixels read back directly.
struct Canvas {
    HDC dc = NULL;
    HBITMAP bmp = NULL;
    HGDIOBJ old = NULL;
    DWORD* bits = NULL;
    long w, h;
    Canvas(long w_, long h_, COLORREF fill) : w(w_), h(h_)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(NULL);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
        old = SelectObject(dc, bmp);
        RECT r = {0, 0, w, h};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &r, b);
        DeleteObject(b);
        GdiFlush();
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    RGBQUAD GetPixelColor(long x, long y)
    {
        GdiFlush();
        DWORD v = bits[y * w + x];
        return Rgb((v >> 16) & 255, (v >> 8) & 255, v & 255);
    }
};

struct Format {
    DWORD type;
    const char* ext;
    int tolerance;
};

class RoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(RoundTrip, SavedFileLoadsBackWithItsColours)
{
    Format f = GetParam();
    CxImage img;
    MakeQuadrants(img);
    std::string path = TempName((std::string("rt.") + f.ext).c_str());
    ASSERT_TRUE(img.Save(path.c_str(), f.type));

    CxImage back;
    ASSERT_TRUE(back.Load(path.c_str(), 0)) << back.GetLastError();
    EXPECT_EQ(back.GetType(), f.type);
    ASSERT_EQ(back.GetWidth(), 32u);
    ASSERT_EQ(back.GetHeight(), 24u);
    // away from the quadrant borders, where JPEG blurs
    EXPECT_COLOR(back, 4, 4, Rgb(255, 0, 0), f.tolerance);
    EXPECT_COLOR(back, 27, 4, Rgb(0, 255, 0), f.tolerance);
    EXPECT_COLOR(back, 4, 19, Rgb(0, 0, 255), f.tolerance);
    EXPECT_COLOR(back, 27, 19, Rgb(255, 255, 255), f.tolerance);

    CxImage typed;
    EXPECT_TRUE(typed.Load(path.c_str(), f.type));
    DWORD other = f.type == CXIMAGE_FORMAT_PNG ? CXIMAGE_FORMAT_BMP : CXIMAGE_FORMAT_PNG;
    CxImage wrong;
    EXPECT_FALSE(wrong.Load(path.c_str(), other));
    EXPECT_FALSE(wrong.IsValid());
    remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Imaging, RoundTrip,
                         ::testing::Values(Format{CXIMAGE_FORMAT_BMP, "bmp", 0},
                                           Format{CXIMAGE_FORMAT_GIF, "gif", 0},
                                           Format{CXIMAGE_FORMAT_JPG, "jpg", 40},
                                           Format{CXIMAGE_FORMAT_PNG, "png", 0},
                                           Format{CXIMAGE_FORMAT_ICO, "ico", 0}));

TEST(Imaging, PngKeepsAlphaAndIcoMasksTransparentPixels)
{
    CxImage img;
    MakeQuadrants(img, 16, 16);
    img.SetPixelColor(0, 0, Rgb(10, 20, 30, 0));
    img.SetPixelColor(1, 0, Rgb(10, 20, 30, 128));
    ASSERT_TRUE(img.HasAlpha());
    std::string png = TempName("alpha.png"), ico = TempName("alpha.ico");
    ASSERT_TRUE(img.Save(png.c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(img.Save(ico.c_str(), CXIMAGE_FORMAT_ICO));
    CxImage back;
    ASSERT_TRUE(back.Load(png.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(back.GetPixelColor(1, 0).rgbReserved, 128);
    EXPECT_EQ(back.GetPixelColor(5, 5).rgbReserved, 255);
    ASSERT_TRUE(back.Load(ico.c_str(), CXIMAGE_FORMAT_ICO));
    EXPECT_EQ(back.GetPixelColor(0, 0).rgbReserved, 0);
    EXPECT_COLOR(back, 12, 12, Rgb(255, 255, 255), 0);
    remove(png.c_str());
    remove(ico.c_str());
}

TEST(Imaging, IconLargerThan256IsRefused)
{
    CxImage img;
    img.Create(300, 10, 24);
    std::string ico = TempName("big.ico");
    EXPECT_FALSE(img.Save(ico.c_str(), CXIMAGE_FORMAT_ICO));
    EXPECT_EQ(FileSize(ico), -1);
}

TEST(Imaging, JpegQualityChangesFileSize)
{
    CxImage img;
    MakeNoise(img);
    std::string lo = TempName("q20.jpg"), hi = TempName("q95.jpg");
    img.SetJpegQuality(20);
    ASSERT_TRUE(img.Save(lo.c_str(), CXIMAGE_FORMAT_JPG));
    img.SetJpegQuality(95);
    ASSERT_TRUE(img.Save(hi.c_str(), CXIMAGE_FORMAT_JPG));
    long a = FileSize(lo), b = FileSize(hi);
    EXPECT_GT(a, 0);
    EXPECT_GT(b, a * 2);
    CxImage back;
    EXPECT_TRUE(back.Load(hi.c_str(), CXIMAGE_FORMAT_JPG));
    remove(lo.c_str());
    remove(hi.c_str());
}

// Rows of any alpha give the JPEG file of the picture of them.
TEST(Imaging, JpegOfRowsIsTheJpegOfTheirPicture)
{
    CxImage img;
    MakeNoise(img, 70, 33);
    img.SetJpegQuality(77);
    std::vector<BYTE> ofPicture, ofRows;
    ASSERT_TRUE(img.Encode(ofPicture, CXIMAGE_FORMAT_JPG));
    std::vector<DWORD> rows((const DWORD*)img.GetBits(), (const DWORD*)img.GetBits() + 70 * 33);
    for (size_t i = 0; i < rows.size(); i += 3) rows[i] &= 0x00FFFFFFu;
    ASSERT_TRUE(CxImage::EncodeJpegRows(&rows[0], 70, 33, 77, ofRows));
    EXPECT_TRUE(ofPicture == ofRows);
    EXPECT_FALSE(CxImage::EncodeJpegRows(NULL, 70, 33, 77, ofRows));
    EXPECT_TRUE(ofRows.empty());
}

// The bytes of img saved as a BMP file (the file is removed again).
void SavedBmpBytes(CxImage& img, const char* name, std::vector<BYTE>& data)
{
    std::string path = TempName(name);
    ASSERT_TRUE(img.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
    data.assign(FileSize(path), 0);
    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_TRUE(f != NULL);
    ASSERT_EQ(fread(&data[0], 1, data.size(), f), data.size());
    fclose(f);
    remove(path.c_str());
}

// A 24-bit BMP written by hand: rows bottom-up (or top-down for a negative
// height), padded to four bytes, the pixels gap bytes after the headers.
std::vector<BYTE> HandMadeBmp(long w, long h, DWORD gap)
{
    const DWORD stride = ((DWORD)w * 3 + 3) & ~3u, rows = (DWORD)(h < 0 ? -h : h);
    std::vector<BYTE> b(54 + gap + stride * rows, 0);
    auto put = [&b](size_t at, DWORD v, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at + i] = (BYTE)(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, (DWORD)b.size(), 4);
    put(10, 54 + gap, 4);
    put(14, 40, 4);
    put(18, (DWORD)w, 4);
    put(22, (DWORD)h, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (DWORD y = 0; y < rows; ++y)
        for (long x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k) b[54 + gap + y * stride + x * 3 + k] = (BYTE)(x * 50 + y * 20 + k * 7 + 1);
    return b;
}

// What GDI+ itself reads from a file: size, pixel format and the pixels as
// 32-bit ARGB rows; false when it cannot read it.
bool GdiplusReads(const std::string& path, UINT& w, UINT& h, Gdiplus::PixelFormat& format, std::vector<BYTE>& pixels)
{
    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    GpBitmap* theirs = NULL;
    std::wstring wide(path.begin(), path.end());
    if (GdipCreateBitmapFromFile(wide.c_str(), &theirs) != Ok) return false;
    GdipGetImageWidth(theirs, &w);
    GdipGetImageHeight(theirs, &h);
    GdipGetImagePixelFormat(theirs, &format);
    pixels.assign((size_t)w * h * 4, 0);
    Rect rect(0, 0, (INT)w, (INT)h);
    BitmapData data = {};
    data.Width = w;
    data.Height = h;
    data.Stride = (INT)w * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels.data();
    bool ok = GdipBitmapLockBits(theirs, &rect, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                                 &data) == Ok;
    if (ok) GdipBitmapUnlockBits(theirs, &data);
    GdipDisposeImage(theirs);
    return ok;
}

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

TEST(Imaging, PlainBmpReadsAsGdiplusReadsIt)
{
    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    // the library's own start stays as it is
    ULONG_PTR token = 0;
    GdiplusStartupInput in;
    ASSERT_EQ(Ok, GdiplusStartup(&token, &in, NULL));
    struct Case {
        long w, h;
        DWORD gap;
    };
    for (const Case& c : {Case{5, 3, 0}, Case{3, -2, 8}, Case{1, 1, 0}, Case{7, 4, 2}}) {
        const std::vector<BYTE> bmp = HandMadeBmp(c.w, c.h, c.gap);
        const std::string path = TempName("plain.bmp");
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_TRUE(f != NULL);
        fwrite(bmp.data(), 1, bmp.size(), f);
        fclose(f);
        CxImage ours;
        ASSERT_TRUE(ours.Load(path.c_str(), CXIMAGE_FORMAT_BMP)) << c.w << "x" << c.h;

        UINT w = 0, h = 0;
        PixelFormat format = 0;
        std::vector<BYTE> pixels;
        ASSERT_TRUE(GdiplusReads(path, w, h, format, pixels));
        remove(path.c_str());

        ASSERT_EQ(w, ours.GetWidth());
        ASSERT_EQ(h, ours.GetHeight());
        EXPECT_EQ((format >> 8) & 0xFF, ours.GetBpp());
        EXPECT_FALSE(ours.HasAlpha());
        EXPECT_EQ(0, memcmp(pixels.data(), ours.GetBits(), pixels.size())) << c.w << "x" << c.h;
    }
}

// A PNG file written by hand: the given scanlines (each led by filter 0) in
// stored deflate blocks, with the extra chunks after IHDR.
void PutBig32(std::vector<BYTE>& o, DWORD v)
{
    for (int i = 3; i >= 0; --i) o.push_back((BYTE)(v >> (8 * i)));
}
void PutChunk(std::vector<BYTE>& png, const char* type, const std::vector<BYTE>& data)
{
    PutBig32(png, (DWORD)data.size());
    std::vector<BYTE> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    DWORD crc = 0xFFFFFFFFu;
    for (BYTE b : body) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, crc ^ 0xFFFFFFFFu);
}
std::vector<BYTE> HandMadePng(DWORD w, DWORD h, BYTE depth, BYTE color, const std::vector<BYTE>& rows,
                              const std::vector<std::pair<const char*, std::vector<BYTE>>>& extra)
{
    std::vector<BYTE> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<BYTE> ihdr;
    PutBig32(ihdr, w);
    PutBig32(ihdr, h);
    ihdr.insert(ihdr.end(), {depth, color, 0, 0, 0});
    PutChunk(png, "IHDR", ihdr);
    for (const auto& chunk : extra) PutChunk(png, chunk.first, chunk.second);
    std::vector<BYTE> z = {0x78, 0x01};
    for (size_t at = 0; at < rows.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, rows.size() - at);
        z.push_back(at + n >= rows.size() ? 1 : 0);
        z.insert(z.end(), {(BYTE)n, (BYTE)(n >> 8), (BYTE)~n, (BYTE)(~n >> 8)});
        z.insert(z.end(), rows.begin() + at, rows.begin() + at + n);
    }
    DWORD a = 1, b = 0;
    for (BYTE c : rows) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    return png;
}
std::vector<BYTE> Scanlines(DWORD w, DWORD h, DWORD bytesPerPixel)
{
    std::vector<BYTE> rows;
    for (DWORD y = 0; y < h; ++y) {
        rows.push_back(0);
        for (DWORD x = 0; x < w * bytesPerPixel; ++x) rows.push_back((BYTE)(x * 37 + y * 11 + (x % 3) * 60));
    }
    return rows;
}

// Whichever way a PNG file is read, it gives what GDI+ reads from it.
TEST(Imaging, PngReadsAsGdiplusReadsIt)
{
    using namespace Gdiplus;
    ULONG_PTR token = 0;
    GdiplusStartupInput in;
    ASSERT_EQ(Ok, GdiplusStartup(&token, &in, NULL));
    CxImage opaque, clear;
    MakeNoise(opaque, 9, 7);
    MakeNoise(clear, 9, 7);
    for (long x = 0; x < 9; ++x) clear.SetPixelColor(x, 2, Rgb(10, 20, 30, (BYTE)(x * 30)));
    std::vector<BYTE> ours1, ours2;
    ASSERT_TRUE(opaque.Encode(ours1, CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(clear.Encode(ours2, CXIMAGE_FORMAT_PNG));
    const std::vector<BYTE> gamma = {0, 0, 0xB1, 0x8F}, key = {0, 37, 0, 48, 0, 120};
    std::vector<BYTE> palette = Scanlines(32, 8, 3);
    palette.resize(768);
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"ours, opaque", ours1},
        {"ours, alpha", ours2},
        {"rgb", HandMadePng(6, 5, 8, 2, Scanlines(6, 5, 3), {})},
        {"rgba", HandMadePng(6, 5, 8, 6, Scanlines(6, 5, 4), {{"pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1}}})},
        {"rgb with gamma", HandMadePng(6, 5, 8, 2, Scanlines(6, 5, 3), {{"gAMA", gamma}})},
        {"rgba with gamma", HandMadePng(6, 5, 8, 6, Scanlines(6, 5, 4), {{"gAMA", gamma}})},
        {"rgb with a clear colour", HandMadePng(6, 5, 8, 2, Scanlines(6, 5, 3), {{"tRNS", key}})},
        {"grey", HandMadePng(6, 5, 8, 0, Scanlines(6, 5, 1), {})},
        {"palette", HandMadePng(6, 5, 8, 3, Scanlines(6, 5, 1), {{"PLTE", palette}})},
        {"rgb of 16 bits", HandMadePng(6, 5, 16, 2, Scanlines(6, 5, 6), {})},
    };
    for (const Case& c : cases) {
        const std::string path = TempName("read.png");
        ASSERT_NO_FATAL_FAILURE(WriteFileBytes(path, c.bytes));
        UINT w = 0, h = 0;
        PixelFormat format = 0;
        std::vector<BYTE> pixels;
        const bool theirs = GdiplusReads(path, w, h, format, pixels);
        CxImage loaded, decoded;
        const bool read = loaded.Load(path.c_str(), CXIMAGE_FORMAT_PNG);
        remove(path.c_str());
        ASSERT_EQ(theirs, read) << c.name;
        ASSERT_TRUE(decoded.Decode(c.bytes.data(), (DWORD)c.bytes.size(), CXIMAGE_FORMAT_PNG)) << c.name;
        if (!theirs) continue;
        for (const CxImage* ours : {&loaded, &decoded}) {
            ASSERT_EQ(w, ours->GetWidth()) << c.name;
            ASSERT_EQ(h, ours->GetHeight()) << c.name;
            EXPECT_EQ((format >> 8) & 0xFF, ours->GetBpp()) << c.name;
            bool alpha = false;
            for (size_t i = 3; i < pixels.size(); i += 4) alpha = alpha || pixels[i] != 255;
            EXPECT_EQ(alpha, ours->HasAlpha()) << c.name;
            EXPECT_EQ(0, memcmp(pixels.data(), ours->GetBits(), pixels.size())) << c.name;
        }
    }
    // cut short or spoilt, a file is refused by every reader or read as GDI+ reads it
    std::vector<BYTE> cut(ours1.begin(), ours1.begin() + ours1.size() - 20), spoilt = ours1;
    spoilt[40] ^= 0x55;
    for (const std::vector<BYTE>* bad : {&cut, &spoilt}) {
        const std::string path = TempName("bad.png");
        ASSERT_NO_FATAL_FAILURE(WriteFileBytes(path, *bad));
        UINT w = 0, h = 0;
        PixelFormat format = 0;
        std::vector<BYTE> pixels;
        const bool theirs = GdiplusReads(path, w, h, format, pixels);
        CxImage ours;
        const bool read = ours.Load(path.c_str(), CXIMAGE_FORMAT_PNG);
        remove(path.c_str());
        EXPECT_EQ(theirs, read);
        if (theirs && read) EXPECT_EQ(0, memcmp(pixels.data(), ours.GetBits(), pixels.size()));
    }
}

TEST(Imaging, DecodeFromMemoryAndRejectsGarbage)
{
    CxImage img;
    MakeQuadrants(img);
    std::vector<BYTE> data;
    ASSERT_NO_FATAL_FAILURE(SavedBmpBytes(img, "mem.bmp", data));

    CxImage m;
    ASSERT_TRUE(m.Decode(&data[0], (DWORD)data.size(), CXIMAGE_FORMAT_BMP));
    EXPECT_COLOR(m, 27, 19, Rgb(255, 255, 255), 0);
    EXPECT_EQ(m.GetBpp(), 24u);
    EXPECT_EQ(m.GetSize(), 40u + 32 * 3 * 24);
    EXPECT_EQ(m.GetPaletteSize(), 0u);

    CxImage cut;
    EXPECT_FALSE(cut.Decode(&data[0], 30, CXIMAGE_FORMAT_BMP));
    EXPECT_FALSE(cut.IsValid());
    BYTE junk[64] = {'B', 'M', 0xFF, 0xFF};
    EXPECT_FALSE(cut.Decode(junk, sizeof(junk), 0));
    EXPECT_FALSE(cut.Decode(NULL, 0, 0));
    EXPECT_FALSE(cut.Load("Z:\\no\\such\\file.png", 0));
}

// Larger files are read through a view of them, smaller ones and files open
// for writing as before: every way gives what decoding the bytes gives.
TEST(Imaging, FilesOfEverySizeLoadAsTheirBytesDecode)
{
    for (long w : {40L, 300L}) {
        CxImage img;
        MakeNoise(img, w, 200);
        std::vector<BYTE> data;
        ASSERT_NO_FATAL_FAILURE(SavedBmpBytes(img, "size.bmp", data));
        const std::string path = TempName("size.bmp");
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_TRUE(f != NULL);
        fwrite(&data[0], 1, data.size(), f);
        fclose(f);
        CxImage decoded, loaded;
        ASSERT_TRUE(decoded.Decode(&data[0], (DWORD)data.size(), CXIMAGE_FORMAT_BMP));
        ASSERT_TRUE(loaded.Load(path.c_str(), CXIMAGE_FORMAT_BMP)) << w;
        ASSERT_EQ(decoded.GetWidth(), loaded.GetWidth());
        EXPECT_EQ(0, memcmp(decoded.GetBits(), loaded.GetBits(), (size_t)w * 200 * 4));
        {
            // a writer holds it: read as before
            HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
            ASSERT_NE(writer, INVALID_HANDLE_VALUE);
            CxImage held;
            EXPECT_TRUE(held.Load(path.c_str(), CXIMAGE_FORMAT_BMP)) << w;
            EXPECT_EQ(0, memcmp(decoded.GetBits(), held.GetBits(), (size_t)w * 200 * 4));
            CloseHandle(writer);
        }
        // cut short, it is refused whole
        f = fopen(path.c_str(), "wb");
        fwrite(&data[0], 1, data.size() / 2, f);
        fclose(f);
        CxImage cut;
        EXPECT_FALSE(cut.Load(path.c_str(), CXIMAGE_FORMAT_BMP)) << w;
        EXPECT_FALSE(cut.IsValid());
        remove(path.c_str());
    }
}

// Sizes whose bytes do not fit the address space are refused, not wrapped.
TEST(Imaging, PictureTooLargeForTheAddressSpaceIsRefused)
{
    if (sizeof(void*) > 4) GTEST_SKIP() << "fits a 64-bit address space";
    CxImage img;
    EXPECT_EQ(img.Create(32768, 32768, 24), nullptr);
    EXPECT_FALSE(img.IsValid());
    EXPECT_EQ(img.Create(32768, 24576, 24), nullptr);
    EXPECT_NE(img.Create(64, 48, 24), nullptr);
    EXPECT_EQ(img.GetWidth(), 64u);
}

// Decodes of the same bytes are reused: each decode still answers for its own
// bytes, whole, and hands out pixels of its own.
TEST(Imaging, RepeatedDecodesAnswerForTheirOwnBytes)
{
    CxImage img;
    MakeQuadrants(img);
    std::vector<BYTE> data;
    ASSERT_NO_FATAL_FAILURE(SavedBmpBytes(img, "again.bmp", data));

    CxImage first;
    ASSERT_TRUE(first.Decode(&data[0], (DWORD)data.size(), 0));
    first.SetPixelColor(0, 0, Rgb(9, 9, 9));
    CxImage second;
    ASSERT_TRUE(second.Decode(&data[0], (DWORD)data.size(), 0));
    EXPECT_COLOR(second, 0, 0, Rgb(255, 0, 0), 0);
    EXPECT_EQ(second.GetType(), (DWORD)CXIMAGE_FORMAT_BMP);
    EXPECT_FALSE(second.HasAlpha());

    // the last row's first pixel in the file (rows bottom up) is the top-left one
    std::vector<BYTE> changed(data);
    const size_t topLeft = 54 + (size_t)(24 - 1) * 32 * 3;
    changed[topLeft] = 0x10;  // blue
    changed[topLeft + 1] = 0x20;
    changed[topLeft + 2] = 0x30;
    CxImage third;
    ASSERT_TRUE(third.Decode(&changed[0], (DWORD)changed.size(), 0));
    EXPECT_COLOR(third, 0, 0, Rgb(0x30, 0x20, 0x10), 0);
    EXPECT_COLOR(third, 27, 19, Rgb(255, 255, 255), 0);
    // a type that does not match the bytes is refused even when they were read before
    CxImage wrong;
    EXPECT_FALSE(wrong.Decode(&data[0], (DWORD)data.size(), CXIMAGE_FORMAT_PNG));
    EXPECT_FALSE(wrong.IsValid());
}

// A PNG read back right after it was written gives what decoding its bytes
// gives: pixels, depth, alpha and type.
TEST(Imaging, PngWrittenReadsBackAsADecodeOfItsBytes)
{
    CxImage opaque, clear, flagged;
    MakeNoise(opaque, 300, 200);
    MakeQuadrants(clear);
    clear.SetPixelColor(1, 1, Rgb(10, 20, 30, 40));
    MakeQuadrants(flagged);
    flagged.SetPixelColor(2, 2, Rgb(1, 2, 3, 4));
    flagged.SetPixelColor(2, 2, Rgb(1, 2, 3, 255));  // alpha written, all opaque
    int n = 0;
    for (CxImage* img : {&opaque, &clear, &flagged}) {
        std::string path = TempName(("back" + std::to_string(n++) + ".png").c_str());
        ASSERT_TRUE(img->Save(path.c_str(), CXIMAGE_FORMAT_PNG));
        CxImage kept, fresh;
        ASSERT_TRUE(kept.Load(path.c_str(), 0));
        CxImage::ForgetDecodedPictures();
        ASSERT_TRUE(fresh.Load(path.c_str(), 0));
        remove(path.c_str());
        EXPECT_EQ(kept.GetWidth(), fresh.GetWidth());
        EXPECT_EQ(kept.GetHeight(), fresh.GetHeight());
        EXPECT_EQ(kept.GetBpp(), fresh.GetBpp()) << path;
        EXPECT_EQ(kept.GetType(), fresh.GetType());
        EXPECT_EQ(kept.HasAlpha(), fresh.HasAlpha()) << path;
        ASSERT_EQ(kept.GetSize(), fresh.GetSize());
        EXPECT_EQ(0, memcmp(kept.GetBits(), fresh.GetBits(), (size_t)kept.GetWidth() * kept.GetHeight() * 4))
            << path;
    }
}

// Level 0 stores the rows as they are: a larger file of the same pixels.
TEST(Imaging, StoredPngIsLargerAndReadsBackTheSame)
{
    CxImage img;
    MakeNoise(img);
    std::string packed = TempName("packed.png"), stored = TempName("stored.png");
    ASSERT_TRUE(img.Save(packed.c_str(), CXIMAGE_FORMAT_PNG));
    img.SetPngCompression(0);
    ASSERT_TRUE(img.Save(stored.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_GT(FileSize(stored), 128 * 96 * 3);
    EXPECT_LT(FileSize(packed), FileSize(stored));
    CxImage::ForgetDecodedPictures();
    CxImage a, b;
    ASSERT_TRUE(a.Load(packed.c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(b.Load(stored.c_str(), CXIMAGE_FORMAT_PNG));
    remove(packed.c_str());
    remove(stored.c_str());
    ASSERT_EQ(a.GetSize(), b.GetSize());
    EXPECT_EQ(0, memcmp(a.GetBits(), b.GetBits(), (size_t)a.GetWidth() * a.GetHeight() * 4));
    EXPECT_COLOR(b, 5, 7, img.GetPixelColor(5, 7), 0);
}

TEST(Imaging, DrawStretchesIntoTheRectangleAndHonoursClip)
{
    CxImage img;
    MakeQuadrants(img, 2, 2);
    Canvas c(40, 40, RGB(0, 0, 0));
    ASSERT_TRUE(img.Draw(c.dc, 0, 0, 20, 20));
    EXPECT_COLOR(c, 2, 2, Rgb(255, 0, 0), 0);
    EXPECT_COLOR(c, 17, 2, Rgb(0, 255, 0), 0);
    EXPECT_COLOR(c, 2, 17, Rgb(0, 0, 255), 0);
    EXPECT_COLOR(c, 17, 17, Rgb(255, 255, 255), 0);
    EXPECT_COLOR(c, 25, 25, Rgb(0, 0, 0), 0);

    RECT r = {20, 20, 40, 40}, clip = {20, 20, 30, 40};
    ASSERT_TRUE(img.Draw(c.dc, r, &clip));
    EXPECT_COLOR(c, 22, 22, Rgb(255, 0, 0), 0);
    EXPECT_COLOR(c, 35, 22, Rgb(0, 0, 0), 0);  // clipped away
    // the clip does not stay on the DC
    ASSERT_TRUE(img.Draw(c.dc, 30, 0, -1, -1));
    EXPECT_COLOR(c, 31, 0, Rgb(0, 255, 0), 0);
}

TEST(Imaging, Draw2BlendsByAlpha)
{
    CxImage img;
    img.Create(4, 1, 32);
    img.SetPixelColor(0, 0, Rgb(255, 0, 0, 255));
    img.SetPixelColor(1, 0, Rgb(255, 0, 0, 0));
    img.SetPixelColor(2, 0, Rgb(255, 255, 255, 128));
    img.SetPixelColor(3, 0, Rgb(0, 0, 255, 255));
    Canvas c(4, 1, RGB(0, 0, 0));
    ASSERT_TRUE(img.Draw2(c.dc, 0, 0));
    EXPECT_COLOR(c, 0, 0, Rgb(255, 0, 0), 1);
    EXPECT_COLOR(c, 1, 0, Rgb(0, 0, 0), 1);
    EXPECT_COLOR(c, 2, 0, Rgb(128, 128, 128), 3);
    EXPECT_COLOR(c, 3, 0, Rgb(0, 0, 255), 1);

    Canvas opaque(4, 1, RGB(0, 0, 0));
    ASSERT_TRUE(img.Draw(opaque.dc, 0, 0));
    EXPECT_COLOR(opaque, 1, 0, Rgb(255, 0, 0), 0);  // Draw ignores alpha
}

TEST(Imaging, ThumbnailKeepsProportionsOnBackground)
{
    CxImage img;
    img.Create(100, 50, 24);
    for (long y = 0; y < 50; ++y)
        for (long x = 0; x < 100; ++x) img.SetPixelColor(x, y, Rgb(200, 10, 10));
    CxImage thumb;
    ASSERT_TRUE(img.Thumbnail(40, 40, Rgb(0, 0, 255), &thumb));
    EXPECT_EQ(thumb.GetWidth(), 40u);
    EXPECT_EQ(thumb.GetHeight(), 40u);
    EXPECT_EQ(img.GetWidth(), 100u);
    EXPECT_COLOR(thumb, 20, 2, Rgb(0, 0, 255), 0);
    EXPECT_COLOR(thumb, 20, 20, Rgb(200, 10, 10), 0);
    EXPECT_COLOR(thumb, 20, 37, Rgb(0, 0, 255), 0);
    ASSERT_TRUE(img.Thumbnail(240, 180, Rgb(0, 0, 0)));
    EXPECT_EQ(img.GetWidth(), 240u);
    EXPECT_EQ(img.GetHeight(), 180u);
}

TEST(Imaging, BitmapsInAndOut)
{
    CxImage img;
    MakeQuadrants(img, 8, 8);
    HDC screen = GetDC(NULL);
    HBITMAP ddb = img.MakeBitmap(screen);
    ReleaseDC(NULL, screen);
    ASSERT_NE(ddb, (HBITMAP)NULL);
    CxImage back;
    ASSERT_TRUE(back.CreateFromHBITMAP(ddb));
    DeleteObject(ddb);
    EXPECT_EQ(back.GetWidth(), 8u);
    EXPECT_COLOR(back, 1, 1, Rgb(255, 0, 0), 0);
    EXPECT_COLOR(back, 6, 6, Rgb(255, 255, 255), 0);
    EXPECT_FALSE(back.CreateFromHBITMAP(NULL));
}

TEST(Imaging, SwapExchangesPicturesWhole)
{
    CxImage a, b;
    MakeQuadrants(a, 8, 6);
    ASSERT_NE(b.Create(3, 2, 32, CXIMAGE_FORMAT_PNG), nullptr);
    b.SetPixelColor(1, 1, Rgb(1, 2, 3, 4));
    const BYTE* pixels = a.GetBits();
    a.Swap(b);
    EXPECT_EQ(3u, a.GetWidth());
    EXPECT_EQ(32u, a.GetBpp());
    EXPECT_TRUE(a.HasAlpha());
    EXPECT_EQ((DWORD)CXIMAGE_FORMAT_PNG, a.GetType());
    EXPECT_EQ(4, a.GetPixelColor(1, 1).rgbReserved);
    EXPECT_EQ(8u, b.GetWidth());
    EXPECT_EQ(24u, b.GetBpp());
    EXPECT_FALSE(b.HasAlpha());
    EXPECT_EQ(pixels, b.GetBits());
    EXPECT_EQ(255, b.GetPixelColor(0, 0).rgbRed);
}

TEST(Imaging, FlipLightCopy)
{
    CxImage img;
    MakeQuadrants(img, 4, 4);
    CxImage copy(img);
    ASSERT_TRUE(copy.Flip());
    EXPECT_COLOR(copy, 0, 0, Rgb(0, 0, 255), 0);
    EXPECT_COLOR(img, 0, 0, Rgb(255, 0, 0), 0);
    img.SetPixelColor(0, 0, Rgb(100, 250, 0));
    ASSERT_TRUE(img.Light(20, 0));
    EXPECT_COLOR(img, 0, 0, Rgb(120, 255, 20), 0);
    CxImage c2;
    ASSERT_TRUE(c2.Copy(img, true, true, true));
    EXPECT_COLOR(c2, 0, 0, Rgb(120, 255, 20), 0);
    ASSERT_TRUE(c2.IncreaseBpp(24));
    c2.Destroy();
    EXPECT_FALSE(c2.IsValid());
    EXPECT_FALSE(c2.Flip());
}

}  // namespace

namespace {

TEST(Imaging, GifOfManyColoursAndTransparency)
{
    CxImage img;
    MakeNoise(img, 200, 120);  // over 255 colours and long enough for a full code table
    img.SetPixelColor(0, 0, Rgb(0, 0, 0, 0));
    std::string gif = TempName("many.gif");
    ASSERT_TRUE(img.Save(gif.c_str(), CXIMAGE_FORMAT_GIF));
    CxImage back;
    ASSERT_TRUE(back.Load(gif.c_str(), CXIMAGE_FORMAT_GIF)) << back.GetLastError();
    ASSERT_EQ(back.GetWidth(), 200u);
    EXPECT_EQ(back.GetPixelColor(0, 0).rgbReserved, 0);
    for (long y = 1; y < 120; y += 7)
        for (long x = 1; x < 200; x += 13) EXPECT_COLOR(back, x, y, img.GetPixelColor(x, y), 30);
    remove(gif.c_str());
}

}  // namespace
