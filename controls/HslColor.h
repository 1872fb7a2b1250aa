// A colour kept as red-green-blue or hue-saturation-luminance, each side
// computed from the other when first read. No window code.
#pragma once
#include <stdint.h>

class CHslColor {
public:
    // rgb as a COLORREF: red in the low byte.
    explicit CHslColor(uint32_t rgb = 0);

    void SetRGB(uint8_t red, uint8_t green, uint8_t blue);
    uint8_t GetRed();
    uint8_t GetGreen();
    uint8_t GetBlue();
    // The colour as a COLORREF value.
    uint32_t GetRGB();

    // Keeps hue and saturation.
    void SetLuminance(float luminance);
    float GetLuminance();
    float GetHue();
    float GetSaturation();

private:
    void ToHsl();
    void ToRgb();

    uint8_t m_red, m_green, m_blue;
    float m_hue;         // degrees, 0 to below 360
    float m_saturation;  // 0..1
    float m_luminance;   // 0..1
    bool m_rgbValid;
    bool m_hslValid;
};

// One of the 64 steps of a two-colour gradient: each channel of
// from + (to - from) * step / 64. Colours are COLORREF values.
uint32_t GradientStepColor(uint32_t from, uint32_t to, int step);
