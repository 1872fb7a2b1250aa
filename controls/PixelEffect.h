// Effects over 32-bit top-down pixels (bytes blue, green, red, reserved) that
// leave one key colour untouched; no window code.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

class CPixelEffect {
public:
    CPixelEffect();
    virtual ~CPixelEffect();
    virtual void GetOutputSize(int nWidth, int nHeight, int& nOutWidth, int& nOutHeight);
    // The base copies every pixel; dst holds the output size's pixels.
    virtual void Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst);

    void SetKeyColor(uint8_t red, uint8_t green, uint8_t blue);
    bool IsKey(uint32_t pixel) const;

    static uint8_t Red(uint32_t p) { return (uint8_t)(p >> 16); }
    static uint8_t Green(uint32_t p) { return (uint8_t)(p >> 8); }
    static uint8_t Blue(uint32_t p) { return (uint8_t)p; }
    static uint32_t Pixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t reserved = 0)
    {
        return ((uint32_t)reserved << 24) | ((uint32_t)red << 16) | ((uint32_t)green << 8) | blue;
    }

protected:
    // dst[i] = fn(src[i]) for every pixel but those of the key colour, which are copied.
    template <class F>
    void MapPixels(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst, F fn) const
    {
        size_t n = (size_t)nWidth * (size_t)nHeight;
        for (size_t i = 0; i < n; ++i)
            dst[i] = IsKey(src[i]) ? src[i] : fn(src[i]);
    }

    uint32_t m_nParam;
    int m_bKeyColor;
    uint8_t m_keyRed, m_keyGreen, m_keyBlue;
};

class CGrayPixelEffect : public CPixelEffect {
public:
    void Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst) override;
};

class CLightenPixelEffect : public CPixelEffect {
public:
    explicit CLightenPixelEffect(float fFactor = 0.0f) : m_fFactor(fFactor) {}
    void SetFactor(float fFactor) { m_fFactor = fFactor; }
    void Process(const uint32_t* src, int nWidth, int nHeight, uint32_t* dst) override;

private:
    float m_fFactor;
};

// Runs the effects in order over the pixels; each output buffer is pre-filled
// with nFill. Width and height become the last effect's output size.
bool RunPixelEffects(std::vector<uint32_t>& pixels, int& nWidth, int& nHeight,
                     CPixelEffect* const* ppEffects, size_t nEffects, uint32_t nFill);
