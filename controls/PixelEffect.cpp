#include "controls/PixelEffect.h"
#include "controls/HslColor.h"
#include <algorithm>

CPixelEffect::CPixelEffect() : m_nParam(0), m_bKeyColor(0), m_keyRed(0), m_keyGreen(0), m_keyBlue(0)
{
}

CPixelEffect::~CPixelEffect()
{
}

void CPixelEffect::GetOutputSize(int nWidth, int nHeight, int& nOutWidth, int& nOutHeight)
{
    nOutWidth = nWidth;
    nOutHeight = nHeight;
}

void CPixelEffect::Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst)
{
    std::copy(src, src + (size_t)nWidth * (size_t)nHeight, dst);
}

void CPixelEffect::SetKeyColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_keyRed = red;
    m_keyGreen = green;
    m_keyBlue = blue;
    m_bKeyColor = 1;
}

bool CPixelEffect::IsKey(uint32_t p) const
{
    return m_bKeyColor && Red(p) == m_keyRed && Green(p) == m_keyGreen && Blue(p) == m_keyBlue;
}

void CGrayPixelEffect::Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst)
{
    MapPixels(src, nWidth, nHeight, dst, [](uint32_t p) {
        uint8_t v = (uint8_t)((3 * Red(p) + 6 * Green(p) + Blue(p)) / 10);
        return Pixel(v, v, v, 0);
    });
}

void CLightenPixelEffect::Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst)
{
    MapPixels(src, nWidth, nHeight, dst, [this](uint32_t p) {
        CHslColor c;
        c.SetRGB(Red(p), Green(p), Blue(p));
        float l = c.GetLuminance();
        if (m_fFactor >= 0.0f && l < 1.0f)
            c.SetLuminance(std::min(l + m_fFactor, 1.0f));
        else if (m_fFactor < 0.0f && l > 0.0f)
            c.SetLuminance(std::max(l + m_fFactor, 0.0f));
        return Pixel(c.GetRed(), c.GetGreen(), c.GetBlue(), (uint8_t)(p >> 24));
    });
}

bool RunPixelEffects(std::vector<uint32_t>& pixels, int& nWidth, int& nHeight,
                     CPixelEffect* const* ppEffects, size_t nEffects, uint32_t nFill)
{
    if (nWidth <= 0 || nHeight <= 0 || pixels.size() < (size_t)nWidth * (size_t)nHeight)
        return false;
    for (size_t k = 0; k < nEffects; ++k) {
        int w = 0, h = 0;
        ppEffects[k]->GetOutputSize(nWidth, nHeight, w, h);
        // An effect may only keep or grow the picture.
        if (w < nWidth || h < nHeight)
            return false;
        std::vector<uint32_t> out((size_t)w * (size_t)h, nFill);
        ppEffects[k]->Process(pixels.data(), nWidth, nHeight, out.data());
        pixels.swap(out);
        nWidth = w;
        nHeight = h;
    }
    return true;
}
