#include "skin/support/DibCheck.h"
#include "skin/support/PngDecode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
typedef std::vector<uint8_t> Bytes;

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

// A packed DIB: header, colour table, rows.
Bytes Dib(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0, uint32_t used = 0,
          uint32_t headerSize = 40)
{
    size_t table = bits <= 8 ? (used ? used : (1u << bits)) * 4 : used * 4;
    if (compression == 3 && headerSize == 40)
        table += 12;
    size_t stride = ((size_t(bits) * size_t(width) + 31) / 32) * 4;
    Bytes b(headerSize + table + stride * size_t(height < 0 ? -height : height));
    Put32(b, 0, headerSize);
    Put32(b, 4, uint32_t(width));
    Put32(b, 8, uint32_t(height));
    b[12] = 1;
    b[14] = uint8_t(bits);
    Put32(b, 16, compression);
    Put32(b, 32, used);
    return b;
}

Bytes File(const Bytes& dib, uint32_t offBits = 0)
{
    Bytes b(14);
    b[0] = 'B';
    b[1] = 'M';
    b.insert(b.end(), dib.begin(), dib.end());
    Put32(b, 2, uint32_t(b.size()));
    Put32(b, 10, offBits);
    return b;
}

bool Packed(const Bytes& b)
{
    DibLayout l;
    return CheckPackedDib(b.data(), b.size(), l);
}

TEST(DibCheck, AcceptsWholeBitmapsOfEveryKind)
{
    DibLayout l;
    Bytes b = Dib(3, 2, 24);
    ASSERT_TRUE(CheckPackedDib(b.data(), b.size(), l));
    EXPECT_EQ(l.stride, 12u);
    EXPECT_EQ(l.bitsOffset, 40u);
    b = Dib(5, -4, 8, 0, 3);
    ASSERT_TRUE(CheckPackedDib(b.data(), b.size(), l));
    EXPECT_TRUE(l.topDown);
    EXPECT_EQ(l.height, 4);
    EXPECT_EQ(l.bitsOffset, 52u);
    EXPECT_TRUE(Packed(Dib(9, 1, 1)));
    EXPECT_TRUE(Packed(Dib(9, 1, 4)));
    EXPECT_TRUE(Packed(Dib(2, 2, 16, 3)));
    EXPECT_TRUE(Packed(Dib(2, 2, 32, 3, 0, 124)));
    EXPECT_TRUE(Packed(Dib(2, 2, 32, 0, 0, 108)));
    Bytes f = File(Dib(2, 2, 32), 54);
    ASSERT_TRUE(CheckDibFile(f.data(), f.size(), l));
    EXPECT_EQ(l.bitsOffset, 54u);
}

TEST(DibCheck, RefusesBadHeadersAndShortData)
{
    Bytes b = Dib(3, 2, 24);
    b.pop_back();
    EXPECT_FALSE(Packed(b));
    EXPECT_FALSE(Packed(Dib(3, 2, 24, 0, 0, 56)));
    EXPECT_FALSE(Packed(Dib(3, 2, 12)));
    EXPECT_FALSE(Packed(Dib(3, 2, 8, 1)));   // run-length
    EXPECT_FALSE(Packed(Dib(3, 2, 24, 3)));  // bit fields need 16 or 32 bits
    EXPECT_FALSE(Packed(Dib(3, 2, 8, 0, 257)));
    EXPECT_FALSE(Packed(Dib(0, 2, 24)));
    EXPECT_FALSE(Packed(Dib(3, 0, 24)));
    Bytes tiny = Dib(1, 1, 32);
    Put32(tiny, 8, 0x80000000u);  // |height| overflows
    EXPECT_FALSE(Packed(tiny));
    Put32(tiny, 8, 1);
    Put32(tiny, 4, 0x7FFFFFFFu);
    EXPECT_FALSE(Packed(tiny));
    Put32(tiny, 4, 30000);
    Put32(tiny, 8, 30000);  // rows far past the data
    EXPECT_FALSE(Packed(tiny));
    Bytes cut = Dib(1, 1, 32);
    cut.resize(39);
    EXPECT_FALSE(Packed(cut));
    DibLayout none;
    EXPECT_FALSE(CheckPackedDib(nullptr, 100, none));

    DibLayout l;
    Bytes f = File(Dib(2, 2, 32), 500);  // rows past the end
    EXPECT_FALSE(CheckDibFile(f.data(), f.size(), l));
    f = File(Dib(2, 2, 8), 20);  // rows inside the colour table
    EXPECT_FALSE(CheckDibFile(f.data(), f.size(), l));
    f = File(Dib(2, 2, 24));
    f[1] = 'X';
    EXPECT_FALSE(CheckDibFile(f.data(), f.size(), l));
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Fixture(const char* name) { return std::string(SKIN_FIXTURES) + "/png/" + name; }

// The reference pixels of another reader, as RGBA bytes.
Bytes ConvertPixels(const std::string& path)
{
    std::string command = "/usr/bin/convert '" + path + "' -depth 8 rgba:-";
    FILE* pipe = popen(command.c_str(), "r");
    Bytes out;
    if (!pipe)
        return out;
    uint8_t buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    pclose(pipe);
    return out;
}

DecodedPng Decode(const char* name)
{
    Bytes data = ReadFile(Fixture(name));
    DecodedPng png;
    EXPECT_TRUE(DecodePng(data.data(), data.size(), png)) << name;
    return png;
}

TEST(PngDecode, MatchesAnotherReaderForEveryColourType)
{
    const struct
    {
        const char* name;
        int channels;
    } cases[] = {{"palette_trns.png", 4}, {"rgb16.png", 3}, {"grey.png", 3}, {"grey4.png", 3}, {"grey_alpha.png", 4}, {"rgba16.png", 4}};
    for (const auto& c : cases) {
        DecodedPng png = Decode(c.name);
        ASSERT_EQ(png.channels, c.channels) << c.name;
        Bytes want = ConvertPixels(Fixture(c.name));
        ASSERT_EQ(want.size(), size_t(png.width) * png.height * 4) << c.name;
        for (size_t i = 0; i < size_t(png.width) * png.height; ++i) {
            for (int k = 0; k < 4; ++k) {
                int got = k < png.channels ? png.rows[i * png.channels + k] : 255;
                // 16-bit samples: the other reader rounds, the decoder cuts.
                EXPECT_NEAR(got, want[i * 4 + k], 1) << c.name << " pixel " << i << " channel " << k;
            }
        }
    }
}

TEST(PngDecode, CompositesOnItsBackgroundAndCorrectsGamma)
{
    DecodedPng bk = Decode("bkgd.png");
    ASSERT_EQ(bk.channels, 3);
    EXPECT_EQ(bk.background[0], 0);
    EXPECT_EQ(bk.background[2], 255);
    for (uint32_t x = 0; x < bk.width; ++x) {
        double a = x * 60 / 255.0;
        EXPECT_NEAR(bk.rows[x * 3], 200 * a, 1);
        EXPECT_NEAR(bk.rows[x * 3 + 1], 100 * a, 1);
        EXPECT_NEAR(bk.rows[x * 3 + 2], 255 * (1 - a), 1);
    }
    DecodedPng g = Decode("gama.png");
    ASSERT_EQ(g.channels, 3);
    for (uint32_t x = 0; x < g.width; ++x) {
        double want = 255 * std::pow(x * 60 / 255.0, 1 / (0.45455 * 2.2));
        EXPECT_NEAR(g.rows[x * 3], want, 1) << x;
        EXPECT_NEAR(g.rows[x * 3 + 2], 255, 0);
    }
}

TEST(PngDecode, RefusesBrokenTruncatedShortAndHugeData)
{
    for (const char* name : {"broken.png", "truncated.png", "nine.png", "huge.png"}) {
        Bytes data = ReadFile(Fixture(name));
        DecodedPng png;
        EXPECT_FALSE(DecodePng(data.data(), data.size(), png)) << name;
        EXPECT_TRUE(png.rows.empty());
    }
    DecodedPng png;
    EXPECT_FALSE(DecodePng(nullptr, 0, png));
    EXPECT_FALSE(DecodePng("\x89PNG\r\n\x1a", 7, png));
}
}  // namespace
