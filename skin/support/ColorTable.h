// The process-wide table of 63 interface colours: the system colours 0 to 29
// and colours derived from them and from the visual style in use, with the
// gradient pairs of bars and buttons. An override wins over every refresh.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"

const int kColorTableSize = 63;
const int kGradientCount = 10;

struct CVZRPaintColor {
    COLORREF standard = 0;
    COLORREF override_ = COLORREF(-1);
    COLORREF Get() const { return override_ != COLORREF(-1) ? override_ : standard; }
};

struct CVZRGradientColor {
    CVZRPaintColor light;
    CVZRPaintColor dark;
    float factor = 0.5f;
    void SetStandard(COLORREF lightColour, COLORREF darkColour, float f = 0.5f)
    {
        light.standard = lightColour;
        dark.standard = darkColour;
        factor = f;
    }
    void SetStandard(COLORREF colour) { SetStandard(colour, colour, 0.5f); }
};

class CVZRColorTable : public CCmdTarget {
public:
    static CVZRColorTable& Instance();

    // An index above 62 is a colour already and comes back unchanged.
    COLORREF GetColor(int index) const;
    COLORREF GetStandardColor(int index) const;
    void SetOverride(int index, COLORREF colour);
    const CVZRGradientColor& GetGradient(int index) const { return m_gradients[index]; }
    void RefreshColors();

    // 0 none or classic, 1 blue, 2 green, 3 silver, 4 royale, 5 the newer style.
    int GetStyle() const;
    void SetStyleMode(int mode) { m_styleMode = mode; }
    int DetectSystemTheme();
    // The bits per pixel of the DC (the desktop's when null) lie in 1..8.
    static bool IsLowColor(HDC dc);
    // For tests: the desktop depth the low-colour test reads, 0 for the real one.
    static void SetDepthForTest(int bitsPerPixel);

    typedef DWORD(WINAPI* SysColorFn)(int);
    void SetSysColorFunction(SysColorFn fn) { m_pfnSysColor = fn; }

    // Per channel: weight below 100 in percent, else in permille.
    static COLORREF Blend(COLORREF a, COLORREF b, int weight);

private:
    CVZRColorTable();
    void SetDerived(const int* indexes, size_t count, int source);
    void PushAway(int index, int base, int threshold);
    void SetGradients(int style, bool lowColor);

    CVZRGradientColor m_gradients[kGradientCount];
    BOOL m_bStyle4Allowed = TRUE;
    BOOL m_bStyle5Allowed = TRUE;
    BOOL m_bIgnoreVisualStyle = FALSE;
    COLORREF m_standard[kColorTableSize];
    COLORREF m_overrides[kColorTableSize];
    COLORREF m_style[kColorTableSize];
    SysColorFn m_pfnSysColor = NULL;
    int m_styleMode = 6;
    int m_detectedStyle = 0;
};
