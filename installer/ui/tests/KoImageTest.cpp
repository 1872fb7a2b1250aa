#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "installer/ui/KoImage.h"
#include "installer/ui/KoMemStream.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string &name)
{
    std::ifstream f(std::string(ZAVO_BINARY_DIR) + "/installer/ui/images/" + name,
                    std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

struct Sample {
    const char *file;
    int type;
    bool alpha;     // compare the alpha layer too
    int tolerance;  // per channel
};

void PrintTo(const Sample &s, std::ostream *os) { *os << s.file; }

class CodecMatchesImageMagick : public testing::TestWithParam<Sample> {};

void ExpectSamePixels(const CKoImage &img, const Sample &s)
{
    std::vector<uint8_t> dump = ReadFile(std::string(s.file) + ".rgba");
    unsigned w = 0, h = 0;
    std::vector<uint8_t> size = ReadFile(std::string(s.file) + ".size");
    ASSERT_EQ(2, sscanf(std::string(size.begin(), size.end()).c_str(), "%u %u",
                        &w, &h));
    ASSERT_EQ(w, img.GetWidth());
    ASSERT_EQ(h, img.GetHeight());
    ASSERT_EQ((size_t)w * h * 4, dump.size());
    int bad = 0;
    for (unsigned y = 0; y < h && bad < 5; ++y) {
        for (unsigned x = 0; x < w && bad < 5; ++x) {
            const uint8_t *want = &dump[((size_t)y * w + x) * 4];
            KoRgbQuad got = img.GetPixelColor((int32_t)x, (int32_t)(h - 1 - y));
            uint8_t alpha = img.AlphaGet((int32_t)x, (int32_t)(h - 1 - y));
            bool same = abs(got.red - want[0]) <= s.tolerance &&
                        abs(got.green - want[1]) <= s.tolerance &&
                        abs(got.blue - want[2]) <= s.tolerance;
            if (s.alpha && want[3] == 0)
                same = alpha == 0;
            else if (s.alpha)
                same = same && alpha == want[3];
            if (!same) {
                ++bad;
                ADD_FAILURE() << s.file << " at " << x << "," << y << ": "
                              << (int)got.red << " " << (int)got.green << " "
                              << (int)got.blue << " a" << (int)alpha << " want "
                              << (int)want[0] << " " << (int)want[1] << " "
                              << (int)want[2] << " a" << (int)want[3];
            }
        }
    }
}

TEST_P(CodecMatchesImageMagick, ByTypeAndByDetection)
{
    const Sample &s = GetParam();
    std::vector<uint8_t> data = ReadFile(s.file);
    ASSERT_FALSE(data.empty());
    CKoImage byType;
    ASSERT_TRUE(byType.Decode(data.data(), data.size(), s.type))
        << byType.GetLastError();
    EXPECT_EQ(s.type, byType.GetType());
    ExpectSamePixels(byType, s);

    CKoImage detected;
    ASSERT_TRUE(detected.Decode(data.data(), data.size(), KO_TYPE_UNKNOWN))
        << detected.GetLastError();
    EXPECT_EQ(s.type, detected.GetType());
    ExpectSamePixels(detected, s);
}

const Sample kSamples[] = {
    {"bmp1.bmp", KO_TYPE_BMP, false, 0},
    {"bmp4.bmp", KO_TYPE_BMP, false, 0},
    {"bmp8.bmp", KO_TYPE_BMP, false, 0},
    {"rle8.bmp", KO_TYPE_BMP, false, 0},
    {"rle4.bmp", KO_TYPE_BMP, false, 0},
    {"os2.bmp", KO_TYPE_BMP, false, 0},
    {"bmp16.bmp", KO_TYPE_BMP, false, 1},
    {"bmp24.bmp", KO_TYPE_BMP, false, 0},
    {"bmp32.bmp", KO_TYPE_BMP, false, 0},
    {"tga24.tga", KO_TYPE_TGA, false, 0},
    {"tgarle.tga", KO_TYPE_TGA, false, 0},
    {"tga32.tga", KO_TYPE_TGA, true, 0},
    {"tgamap.tga", KO_TYPE_TGA, false, 0},
    {"tgagrey.tga", KO_TYPE_TGA, false, 0},
    {"ico32.ico", KO_TYPE_ICO, true, 0},
    {"mono.ico", KO_TYPE_ICO, true, 0},
    {"alpha.png", KO_TYPE_PNG, true, 0},
    {"two.png", KO_TYPE_PNG, false, 0},
};
INSTANTIATE_TEST_SUITE_P(Samples, CodecMatchesImageMagick,
                         testing::ValuesIn(kSamples),
                         [](const testing::TestParamInfo<Sample> &i) {
                             std::string n = i.param.file;
                             n[n.find('.')] = '_';
                             return n;
                         });

TEST(KoImage, TwoBitPngIsWidenedToFourBits)
{
    std::vector<uint8_t> data = ReadFile("two.png");
    CKoImage img;
    ASSERT_TRUE(img.Decode(data.data(), data.size(), KO_TYPE_PNG));
    EXPECT_EQ(4u, img.GetBpp());
    EXPECT_EQ(16u, img.GetNumColors());
}

TEST(KoImage, CreateRoundsDepthAndChecksSizes)
{
    CKoImage img;
    EXPECT_FALSE(img.Create(0, 5, 8));
    EXPECT_STREQ("CKoImage::Create : width and height must be greater than zero",
                 img.GetLastError());
    ASSERT_TRUE(img.Create(13, 2, 3));
    EXPECT_EQ(4u, img.GetBpp());
    EXPECT_EQ(16u, img.GetNumColors());
    EXPECT_EQ(8u, img.GetEffWidth());
    ASSERT_TRUE(img.Create(5, 1, 17));
    EXPECT_EQ(24u, img.GetBpp());
    EXPECT_EQ(16u, img.GetEffWidth());
    // Sizes that wrap in 32 bits are refused before anything is allocated.
    EXPECT_FALSE(img.Create(0x10000, 0x10000, 24));
    EXPECT_STREQ("CKOIMAGE_MAX_MEMORY exceeded", img.GetLastError());
    EXPECT_FALSE(img.Create(0x7FFFFFFF, 0x7FFFFFFF, 1));
    EXPECT_FALSE(img.IsValid());
}

// The limit can be lowered for the whole process: Create refuses what no
// longer fits, and takes it again once it is raised.
TEST(KoImage, MemoryLimitCanBeLowered)
{
    const uint64_t limit = CKoImage::GetMemoryLimit();
    EXPECT_EQ(256000000u, limit);
    CKoImage img;
    ASSERT_TRUE(img.Create(1000, 1000, 24));
    CKoImage::SetMemoryLimit(1000000);
    EXPECT_FALSE(CKoImage::WithinMemory(1000, 1000, 24));
    EXPECT_FALSE(img.Create(1000, 1000, 24));
    EXPECT_STREQ("CKOIMAGE_MAX_MEMORY exceeded", img.GetLastError());
    EXPECT_TRUE(img.Create(500, 500, 24));
    CKoImage::SetMemoryLimit(limit);
    EXPECT_TRUE(img.Create(1000, 1000, 24));
}

TEST(KoImage, PixelAccessStaysInside)
{
    CKoImage img;
    ASSERT_TRUE(img.Create(9, 3, 1));
    img.SetPaletteColor(1, 200, 100, 50);
    EXPECT_FALSE(img.SetPaletteColor(2, 1, 1, 1));
    img.SetPixelIndex(8, 2, 1);
    img.SetPixelIndex(9, 2, 1);
    img.SetPixelIndex(-1, 0, 1);
    EXPECT_EQ(1, img.GetPixelIndex(8, 2));
    EXPECT_EQ(0, img.GetPixelIndex(7, 2));
    EXPECT_EQ(200, img.GetPixelColor(8, 2).red);
    img.Mirror();
    EXPECT_EQ(1, img.GetPixelIndex(0, 2));
    img.Flip();
    EXPECT_EQ(1, img.GetPixelIndex(0, 0));
}

TEST(KoMemStream, GrowsInPagesAndReadsWholeElements)
{
    CKoMemStream s;
    std::vector<uint8_t> block(5000, 7);
    EXPECT_EQ(1u, s.Write(block.data(), 5000, 1));
    EXPECT_EQ(8192u, s.Capacity());
    EXPECT_EQ(5000, s.Size());
    EXPECT_FALSE(s.Seek(-1, SEEK_SET));
    EXPECT_FALSE(s.Seek(-5001, SEEK_END));
    ASSERT_TRUE(s.Seek(-10, SEEK_END));
    uint8_t out[12];
    EXPECT_EQ(2u, s.Read(out, 4, 3));
    EXPECT_EQ(-1, s.GetC());
    EXPECT_TRUE(s.Eof());

    const uint8_t fixed[3] = {1, 2, 3};
    CKoMemStream borrowed(fixed, sizeof fixed);
    EXPECT_EQ(1, borrowed.GetC());
    EXPECT_FALSE(borrowed.PutC(9));
}

// Every prefix of every sample decodes or fails without touching memory it does
// not own.
TEST(KoImage, TruncatedFilesFailCleanly)
{
    for (const Sample &s : kSamples) {
        std::vector<uint8_t> data = ReadFile(s.file);
        for (size_t n = 1; n < data.size(); n += 1 + n / 8) {
            std::vector<uint8_t> cut(data.begin(), data.begin() + (ptrdiff_t)n);
            CKoImage img;
            if (!img.Decode(cut.data(), cut.size(), KO_TYPE_UNKNOWN)) {
                EXPECT_STRNE("", img.GetLastError());
            }
        }
    }
}

std::vector<uint8_t> BmpHeader(int32_t w, int32_t h, uint16_t bpp,
                               uint32_t compression)
{
    std::vector<uint8_t> b(54 + (bpp <= 8 ? 4u << bpp : 0), 0);
    b[0] = 'B', b[1] = 'M';
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&b[at], &v, 4); };
    put32(10, (uint32_t)b.size());
    put32(14, 40);
    put32(18, (uint32_t)w);
    put32(22, (uint32_t)h);
    b[26] = 1;
    b[28] = (uint8_t)bpp;
    put32(30, compression);
    return b;
}

TEST(KoImage, HostileHeadersAndRunsStayInBounds)
{
    CKoImage img;
    std::vector<uint8_t> huge = BmpHeader(0x7FFFFFFF, 0x7FFFFFFF, 24, 0);
    EXPECT_FALSE(img.Decode(huge.data(), huge.size(), KO_TYPE_BMP));
    EXPECT_STREQ("CKOIMAGE_MAX_MEMORY exceeded", img.GetLastError());
    std::vector<uint8_t> shortRows = BmpHeader(100, 100, 24, 0);
    EXPECT_FALSE(img.Decode(shortRows.data(), shortRows.size(), KO_TYPE_BMP));

    // Rows missing from a large uncompressed bitmap: refused as a short one;
    // a large run-length bitmap whose data end at once is all of colour 0.
    std::vector<uint8_t> large = BmpHeader(8000, 8000, 24, 0);
    large.resize(large.size() + 3 * 8000, 7);
    EXPECT_FALSE(img.Decode(large.data(), large.size(), KO_TYPE_BMP));
    EXPECT_STREQ("Error reading BMP info", img.GetLastError());
    std::vector<uint8_t> empty = BmpHeader(8000, 8000, 8, 1);
    empty.push_back(0);
    empty.push_back(1);
    ASSERT_TRUE(img.Decode(empty.data(), empty.size(), KO_TYPE_BMP));
    EXPECT_EQ(0, img.GetPixelIndex(0, 0));
    EXPECT_EQ(0, img.GetPixelIndex(7999, 7999));
    EXPECT_EQ(0, img.GetPixelIndex(4000, 123));

    // RLE8 runs far past the row end, deltas past the bottom, an absolute run
    // past the data.
    std::vector<uint8_t> rle = BmpHeader(4, 2, 8, 1);
    for (uint8_t b : {255, 1, 0, 2, 200, 200, 255, 3, 0, 0, 0, 250, 1, 2})
        rle.push_back(b);
    ASSERT_TRUE(img.Decode(rle.data(), rle.size(), KO_TYPE_BMP));
    EXPECT_EQ(1, img.GetPixelIndex(3, 0));

    // A TGA run packet longer than the picture.
    const uint8_t tga[] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2,
                           0, 1, 0, 24, 0, 0xFF, 1, 2, 3, 0x81, 4, 5, 6};
    ASSERT_TRUE(img.Decode(tga, sizeof tga, KO_TYPE_TGA));
    EXPECT_EQ(3, img.GetPixelColor(1, 0).red);
    const uint8_t badTga[] = {0, 0, 7, 0, 0, 0, 0, 0, 0,
                              0, 0, 0, 2, 0, 1, 0, 24, 0};
    EXPECT_FALSE(img.Decode(badTga, sizeof badTga, KO_TYPE_TGA));
    EXPECT_STREQ("Unknown TGA image type", img.GetLastError());

    // Icon entries pointing outside the file, and a frame beyond the count.
    std::vector<uint8_t> ico = ReadFile("mono.ico");
    std::vector<uint8_t> outside = ico;
    outside[18] = 0xF0;
    EXPECT_FALSE(img.Decode(outside.data(), outside.size(), KO_TYPE_ICO));
    CKoImage second;
    second.SetFrame(1);
    EXPECT_FALSE(second.Decode(ico.data(), ico.size(), KO_TYPE_ICO));

    const uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(img.Decode(junk, sizeof junk, KO_TYPE_UNKNOWN));
    EXPECT_STREQ("Decode: Unknown or wrong format", img.GetLastError());
}

}  // namespace
