#include "controls/PixelEffect.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const uint32_t kMagenta = CPixelEffect::Pixel(255, 0, 255);

// The two chains of the image toolbar: disabled and normal.
std::vector<uint32_t> Disabled(std::vector<uint32_t> px)
{
    CGrayPixelEffect grey;
    CLightenPixelEffect lighten(0.08f);
    CPixelEffect* chain[4] = {&grey, &lighten, &lighten, &lighten};
    for (CPixelEffect* p : chain)
        p->SetKeyColor(255, 0, 255);
    int w = (int)px.size(), h = 1;
    EXPECT_TRUE(RunPixelEffects(px, w, h, chain, 4, 0xFFFFFFFF));
    return px;
}

std::vector<uint32_t> Normal(std::vector<uint32_t> px)
{
    CLightenPixelEffect lighten(0.04f);
    CPixelEffect* chain[2] = {&lighten, &lighten};
    for (CPixelEffect* p : chain)
        p->SetKeyColor(255, 0, 255);
    int w = (int)px.size(), h = 1;
    EXPECT_TRUE(RunPixelEffects(px, w, h, chain, 2, 0xFFFFFFFF));
    return px;
}

TEST(PixelEffect, BlackTurnsIntoLightGreysStepByStep)
{
    std::vector<uint32_t> px = {CPixelEffect::Pixel(0, 0, 0)};
    EXPECT_EQ(Disabled(px)[0] & 0xFFFFFF, CPixelEffect::Pixel(60, 60, 60));
    EXPECT_EQ(Normal(px)[0] & 0xFFFFFF, CPixelEffect::Pixel(20, 20, 20));

    CLightenPixelEffect once(0.08f);
    uint32_t out = 0;
    once.Process(px.data(), 1, 1, &out);
    EXPECT_EQ(out & 0xFFFFFF, CPixelEffect::Pixel(20, 20, 20));
}

TEST(PixelEffect, KeyColourAndWhiteAreLeftAlone)
{
    std::vector<uint32_t> px = {kMagenta, CPixelEffect::Pixel(255, 255, 255), CPixelEffect::Pixel(200, 40, 40)};
    std::vector<uint32_t> d = Disabled(px), n = Normal(px);
    EXPECT_EQ(d[0], kMagenta);
    EXPECT_EQ(n[0], kMagenta);
    EXPECT_EQ(d[1] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(n[1] & 0xFFFFFF, 0xFFFFFFu);
    // A colour becomes a grey in the disabled image and stays a colour, lighter, in the normal one.
    EXPECT_TRUE(CPixelEffect::Red(d[2]) == CPixelEffect::Green(d[2]) && CPixelEffect::Green(d[2]) == CPixelEffect::Blue(d[2]));
    EXPECT_GT(CPixelEffect::Red(n[2]), 200);
    EXPECT_GT(CPixelEffect::Green(n[2]), 40);
    EXPECT_GT(CPixelEffect::Red(n[2]), CPixelEffect::Green(n[2]));
}

TEST(PixelEffect, GreyWeightsAndKeyFlag)
{
    CGrayPixelEffect grey;
    uint32_t in[2] = {CPixelEffect::Pixel(100, 50, 10, 0x80), kMagenta}, out[2] = {};
    grey.Process(in, 2, 1, out);
    EXPECT_EQ(out[0], CPixelEffect::Pixel(61, 61, 61, 0));     // (300 + 300 + 10) / 10
    EXPECT_EQ(out[1], CPixelEffect::Pixel(102, 102, 102, 0));  // no key colour set yet
    EXPECT_FALSE(grey.IsKey(kMagenta));
    grey.SetKeyColor(255, 0, 255);
    EXPECT_TRUE(grey.IsKey(kMagenta | 0xFF000000u));
    EXPECT_FALSE(grey.IsKey(CPixelEffect::Pixel(255, 0, 254)));

    CLightenPixelEffect darken(-0.5f);
    uint32_t white = CPixelEffect::Pixel(255, 255, 255), black = 0, r = 0;
    darken.Process(&white, 1, 1, &r);
    EXPECT_EQ(r & 0xFFFFFF, CPixelEffect::Pixel(127, 127, 127));
    darken.Process(&black, 1, 1, &r);
    EXPECT_EQ(r & 0xFFFFFF, 0u);
}

TEST(PixelEffect, ChainsRefuseBadSizes)
{
    std::vector<uint32_t> px(3);
    int w = 2, h = 2;
    CPixelEffect copy;
    CPixelEffect* chain[1] = {&copy};
    EXPECT_FALSE(RunPixelEffects(px, w, h, chain, 1, 0));
    w = 0;
    EXPECT_FALSE(RunPixelEffects(px, w, h, chain, 1, 0));
    w = 3;
    h = 1;
    EXPECT_TRUE(RunPixelEffects(px, w, h, chain, 1, 0));
}

}  // namespace
