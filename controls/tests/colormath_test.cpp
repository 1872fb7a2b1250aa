#include <gtest/gtest.h>
#include <stdint.h>
#include <stdlib.h>

#include "controls/HslColor.h"

namespace {

uint32_t Rgb(int r, int g, int b) { return (uint32_t)r | ((uint32_t)g << 8) | ((uint32_t)b << 16); }

}  // namespace

TEST(HslColor, RoundTripThroughHslKeepsEveryColour)
{
    int worst = 0;
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 3)
            for (int b = 0; b <= 255; b += 7) {
                CHslColor c(Rgb(r, g, b));
                float l = c.GetLuminance();
                c.SetLuminance(l);  // RGB now comes back from hue, saturation, luminance
                int d = abs(c.GetRed() - r);
                d = d > abs(c.GetGreen() - g) ? d : abs(c.GetGreen() - g);
                d = d > abs(c.GetBlue() - b) ? d : abs(c.GetBlue() - b);
                worst = d > worst ? d : worst;
                ASSERT_LE(d, 1) << r << "," << g << "," << b;
            }
    EXPECT_LE(worst, 1);
}

TEST(HslColor, HueSaturationAndLuminanceOfKnownColours)
{
    struct {
        uint32_t rgb;
        float hue, sat, lum;
    } cases[] = {
        {Rgb(255, 0, 0), 0, 1, 0.5f},
        {Rgb(0, 255, 0), 120, 1, 0.5f},
        {Rgb(0, 0, 255), 240, 1, 0.5f},
        {Rgb(255, 255, 0), 60, 1, 0.5f},
        {Rgb(255, 0, 255), 300, 1, 0.5f},
        {Rgb(0, 255, 255), 180, 1, 0.5f},
        {Rgb(255, 255, 255), 0, 0, 1.0f},
        {Rgb(0, 0, 0), 0, 0, 0.0f},
        {Rgb(128, 64, 64), 0, 1.0f / 3, 0.376471f},
    };
    for (auto& t : cases) {
        CHslColor c(t.rgb);
        EXPECT_NEAR(t.hue, c.GetHue(), 0.01f) << std::hex << t.rgb;
        EXPECT_NEAR(t.sat, c.GetSaturation(), 0.001f) << std::hex << t.rgb;
        EXPECT_NEAR(t.lum, c.GetLuminance(), 0.001f) << std::hex << t.rgb;
    }
}

TEST(HslColor, GreyStaysGreyAtAnyLuminance)
{
    CHslColor c(Rgb(90, 90, 90));
    EXPECT_EQ(0.0f, c.GetHue());
    EXPECT_EQ(0.0f, c.GetSaturation());
    for (float l = 0.0f; l <= 1.0f; l += 0.125f) {
        c.SetLuminance(l);
        EXPECT_EQ(c.GetRed(), c.GetGreen());
        EXPECT_EQ(c.GetGreen(), c.GetBlue());
        EXPECT_EQ((int)(l * 255), c.GetRed());
    }
}

TEST(HslColor, LuminanceChangeKeepsHueAndClampsRange)
{
    CHslColor c;
    c.SetRGB(200, 100, 50);
    EXPECT_EQ(100, c.GetGreen());
    float hue = c.GetHue();
    c.SetLuminance(0.8f);
    EXPECT_NEAR(0.8f, c.GetLuminance(), 0.0001f);
    CHslColor check(c.GetRGB());
    EXPECT_NEAR(hue, check.GetHue(), 1.5f);
    EXPECT_GT(c.GetBlue(), 50);

    c.SetLuminance(7.0f);
    EXPECT_EQ(0xFFFFFFu, c.GetRGB());
    c.SetLuminance(-1.0f);
    EXPECT_EQ(0u, c.GetRGB());
}

TEST(GradientStepColor, EndsAndMiddlePerChannel)
{
    uint32_t from = Rgb(0, 200, 64), to = Rgb(255, 0, 64);
    EXPECT_EQ(from, GradientStepColor(from, to, 0));
    EXPECT_EQ(to, GradientStepColor(from, to, 64));
    EXPECT_EQ(Rgb(127, 100, 64), GradientStepColor(from, to, 32));
    EXPECT_EQ(Rgb(251, 3, 64), GradientStepColor(from, to, 63));
    for (int i = 0; i < 64; ++i) {
        uint32_t c = GradientStepColor(from, to, i);
        EXPECT_LE(GradientStepColor(from, to, i) & 0xFF, GradientStepColor(from, to, i + 1) & 0xFF);
        EXPECT_EQ(0u, c >> 24);
    }
}
