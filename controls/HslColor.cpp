#include "controls/HslColor.h"

namespace {

uint8_t Channel(uint32_t rgb, int shift) { return (uint8_t)((rgb >> shift) & 0xFF); }

float HueToChannel(float m1, float m2, float h)
{
    while (h < 0.0f)
        h += 360.0f;
    while (h >= 360.0f)
        h -= 360.0f;
    if (h < 60.0f)
        return m1 + (m2 - m1) * h / 60.0f;
    if (h < 180.0f)
        return m2;
    if (h < 240.0f)
        return m1 + (m2 - m1) * (240.0f - h) / 60.0f;
    return m1;
}

uint8_t ToByte(float v)
{
    float x = v * 255.0f;
    if (x <= 0.0f)
        return 0;
    if (x >= 255.0f)
        return 255;
    return (uint8_t)x;
}

}  // namespace

CHslColor::CHslColor(uint32_t rgb)
    : m_red(Channel(rgb, 0)), m_green(Channel(rgb, 8)), m_blue(Channel(rgb, 16)),
      m_hue(0.0f), m_saturation(0.0f), m_luminance(0.0f), m_rgbValid(true), m_hslValid(false)
{
}

void CHslColor::SetRGB(uint8_t red, uint8_t green, uint8_t blue)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
    m_rgbValid = true;
    m_hslValid = false;
}

uint8_t CHslColor::GetRed()
{
    ToRgb();
    return m_red;
}
uint8_t CHslColor::GetGreen()
{
    ToRgb();
    return m_green;
}
uint8_t CHslColor::GetBlue()
{
    ToRgb();
    return m_blue;
}

uint32_t CHslColor::GetRGB()
{
    ToRgb();
    return (uint32_t)m_red | ((uint32_t)m_green << 8) | ((uint32_t)m_blue << 16);
}

void CHslColor::SetLuminance(float luminance)
{
    ToHsl();
    if (luminance < 0.0f)
        luminance = 0.0f;
    if (luminance > 1.0f)
        luminance = 1.0f;
    m_luminance = luminance;
    m_rgbValid = false;
}

float CHslColor::GetLuminance()
{
    ToHsl();
    return m_luminance;
}
float CHslColor::GetHue()
{
    ToHsl();
    return m_hue;
}
float CHslColor::GetSaturation()
{
    ToHsl();
    return m_saturation;
}

void CHslColor::ToHsl()
{
    if (m_hslValid)
        return;
    int r = m_red, g = m_green, b = m_blue;
    int mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
    int mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
    m_luminance = (float)(mx + mn) / 510.0f;
    if (mx == mn) {
        m_saturation = 0.0f;
        m_hue = 0.0f;
    } else {
        float delta = (float)(mx - mn);
        m_saturation = m_luminance <= 0.5f ? delta / (float)(mx + mn)
                                           : delta / (float)(510 - mx - mn);
        float rc = (float)(mx - r) / delta;
        float gc = (float)(mx - g) / delta;
        float bc = (float)(mx - b) / delta;
        float hue = 0.0f;
        if (r == mx)
            hue = (bc - gc + 6.0f) * 60.0f;
        if (g == mx)
            hue = (rc - bc + 2.0f) * 60.0f;
        if (b == mx)
            hue = (gc - rc + 4.0f) * 60.0f;
        if (hue >= 360.0f)
            hue -= 360.0f;
        m_hue = hue;
    }
    m_hslValid = true;
}

void CHslColor::ToRgb()
{
    if (m_rgbValid)
        return;
    if (m_saturation == 0.0f) {
        m_red = m_green = m_blue = ToByte(m_luminance);
    } else {
        float m2 = m_luminance <= 0.5f ? m_luminance * (1.0f + m_saturation)
                                       : m_luminance + m_saturation - m_luminance * m_saturation;
        float m1 = 2.0f * m_luminance - m2;
        m_red = ToByte(HueToChannel(m1, m2, m_hue + 120.0f));
        m_green = ToByte(HueToChannel(m1, m2, m_hue));
        m_blue = ToByte(HueToChannel(m1, m2, m_hue - 120.0f));
    }
    m_rgbValid = true;
}

uint32_t GradientStepColor(uint32_t from, uint32_t to, int step)
{
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = (int)Channel(from, shift);
        int b = (int)Channel(to, shift);
        int c = (a * 64 + (b - a) * step) >> 6;
        result |= (uint32_t)(c & 0xFF) << shift;
    }
    return result;
}
