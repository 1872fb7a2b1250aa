#include "skin/support/ColorTable.h"

#include <algorithm>
#include <cmath>

#include "skin/support/SysServices.h"

namespace {

int g_depthForTest = 0;

const int kBtnFace = COLOR_BTNFACE;
const int kBtnShadow = COLOR_BTNSHADOW;
const int kTreeViewBorder = 57;
const int kBorderColorProperty = 3801;

int Channel(COLORREF c, int shift)
{
    return int((c >> shift) & 0xFF);
}

// Weighted distance in a space where green counts most.
double Distance(COLORREF a, COLORREF b)
{
    double r = (Channel(a, 0) - Channel(b, 0)) * 195.0 / 255.0;
    double g = (Channel(a, 8) - Channel(b, 8)) * 390.0 / 255.0;
    double bl = (Channel(a, 16) - Channel(b, 16)) * 65.0 / 255.0;
    return std::sqrt(r * r + g * g + bl * bl);
}

double ScaledThreshold(COLORREF base, int threshold)
{
    double b = Distance(base, 0);
    return threshold * (2.0 - std::min(b, 220.0) * 0.0045454544);
}

// Moves colour along the line from base until the distance reaches target.
COLORREF MoveToDistance(COLORREF colour, COLORREF base, double target)
{
    double d = Distance(colour, base);
    double t = d > 0 ? target / d : 0;
    int c[3];
    for (int i = 0; i < 3; ++i) {
        int shift = i * 8;
        int from = Channel(base, shift);
        int to = Channel(colour, shift);
        if (d == 0)
            to = from >= 128 ? 0 : 255;
        c[i] = std::max(0, std::min(255, int(from + (to - from) * (d > 0 ? t : target / 255.0) + 0.5)));
    }
    return RGB(c[0], c[1], c[2]);
}

COLORREF Scale(COLORREF c, int num, int den)
{
    return RGB(Channel(c, 0) * num / den, Channel(c, 8) * num / den, Channel(c, 16) * num / den);
}

// Adds delta to the strongest channel and the others in proportion.
COLORREF Brighten(COLORREF c, int delta, COLORREF forBlack)
{
    int top = std::max(Channel(c, 0), std::max(Channel(c, 8), Channel(c, 16)));
    if (top == 0)
        return forBlack;
    int target = std::max(0, std::min(255, top + delta));
    return RGB(std::min(255, Channel(c, 0) * target / top), std::min(255, Channel(c, 8) * target / top),
               std::min(255, Channel(c, 16) * target / top));
}

const int kStyleIndexes[14] = {38, 39, 40, 41, 43, 31, 32, 50, 37, 33, 36, 30, 47, 59};
const COLORREF kBlueStyle[14] = {0x800000, 0xE2A981, 0xC56A31, 0xFFEFE3, 0x962D00, 0xF6DDCB, 0xFAD3BB,
                                 0xEAD1B9, 0xE7B593, 0xC38F6C, 0xFFFFFF, 0xE5D1C1, 0x000000, 0x996633};
const COLORREF kGreenStyle[14] = {0x3A8060, 0x7BB8A6, 0x447A63, 0xDDF3EE, 0x2E5A45, 0xC8E6DC, 0xA8D7C7,
                                  0xB7DACD, 0x82C0AF, 0x5C9A84, 0xFFFFFF, 0xD5E8E1, 0x000000, 0x3F7A62};
const COLORREF kSilverStyle[14] = {0x947C7C, 0xC9BBBB, 0x8B7575, 0xF2ECEC, 0x6F5B5B, 0xE7DEDE, 0xD8CBCB,
                                   0xDED4D4, 0xC4B4B4, 0xA49090, 0xFFFFFF, 0xE6DEDE, 0x000000, 0x7A6666};

struct BlendRow {
    int target, a, b, weight;
};
const BlendRow kBlends[] = {
    {31, COLOR_WINDOW, kBtnFace, 70},
    {32, COLOR_HIGHLIGHT, COLOR_WINDOW, 30},
    {33, COLOR_HIGHLIGHT, COLOR_WINDOW, 50},
    {37, COLOR_HIGHLIGHT, COLOR_WINDOW, 20},
    {38, kBtnShadow, COLOR_WINDOW, 60},
    {39, kBtnShadow, kBtnFace, 40},
    {40, kBtnShadow, 0, 900},
    {41, COLOR_WINDOW, kBtnFace, 215},
    {42, kBtnShadow, kBtnFace, 75},
    {43, kBtnShadow, 0, 700},
    {50, COLOR_HIGHLIGHT, kBtnFace, 25},
};

struct PushRow {
    int index, base, threshold;
};
const PushRow kPushes[] = {
    {31, kBtnFace, 15},
    {32, COLOR_WINDOW, 50},
    {33, COLOR_WINDOW, 80},
    {37, COLOR_WINDOW, 30},
    {38, kBtnFace, 60},
    {39, kBtnFace, 20},
    {40, kBtnFace, 100},
    {41, kBtnFace, 15},
    {42, kBtnFace, 40},
    {43, kBtnFace, 180},
    {50, kBtnFace, 35},
    {51, COLOR_WINDOW, 15},
    {52, kBtnFace, 60},
    {54, COLOR_WINDOW, 120},
};

}  // namespace

CVZRColorTable& CVZRColorTable::Instance()
{
    static CVZRColorTable table;
    return table;
}

CVZRColorTable::CVZRColorTable()
{
    std::fill(m_standard, m_standard + kColorTableSize, COLORREF(0));
    std::fill(m_overrides, m_overrides + kColorTableSize, COLORREF(-1));
    std::fill(m_style, m_style + kColorTableSize, COLORREF(-1));
    m_gradients[7].SetStandard(0x8CD5FF, 0x55ADFF);
    m_gradients[8].SetStandard(0x4B8EFE, 0x8BCFFF);
    m_gradients[9].SetStandard(0xC8F2FF, 0x97D4FF);
    RefreshColors();
}

COLORREF CVZRColorTable::GetColor(int index) const
{
    if (index < 0 || index >= kColorTableSize)
        return COLORREF(index);
    return m_overrides[index] != COLORREF(-1) ? m_overrides[index] : m_standard[index];
}

COLORREF CVZRColorTable::GetStandardColor(int index) const
{
    return index >= 0 && index < kColorTableSize ? m_standard[index] : COLORREF(index);
}

void CVZRColorTable::SetOverride(int index, COLORREF colour)
{
    if (index >= 0 && index < kColorTableSize)
        m_overrides[index] = colour;
}

void CVZRColorTable::SetDepthForTest(int bitsPerPixel)
{
    g_depthForTest = bitsPerPixel;
}

bool CVZRColorTable::IsLowColor(HDC dc)
{
    int bits = 0;
    if (dc != NULL) {
        bits = ::GetDeviceCaps(dc, BITSPIXEL);
    } else if (g_depthForTest != 0) {
        bits = g_depthForTest;
    } else {
        HWND desktop = ::GetDesktopWindow();
        HDC screen = ::GetDC(desktop);
        bits = screen ? ::GetDeviceCaps(screen, BITSPIXEL) : 0;
        if (screen)
            ::ReleaseDC(desktop, screen);
    }
    return bits >= 1 && bits <= 8;
}

int CVZRColorTable::GetStyle() const
{
    if (m_bIgnoreVisualStyle)
        return 0;
    return m_styleMode >= 1 && m_styleMode <= 5 ? m_styleMode : m_detectedStyle;
}

int CVZRColorTable::DetectSystemTheme()
{
    CVZRUxThemeBinding theme;
    if (!theme.IsThemeActive() || IsLowColor(NULL))
        return 0;
    WCHAR file[MAX_PATH] = L"", colour[MAX_PATH] = L"";
    if (theme.GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, NULL, 0) != S_OK)
        return 0;
    char fileName[MAX_PATH * 2] = "", colourName[MAX_PATH * 2] = "";
    ::WideCharToMultiByte(CP_ACP, 0, file, -1, fileName, sizeof(fileName), NULL, NULL);
    ::WideCharToMultiByte(CP_ACP, 0, colour, -1, colourName, sizeof(colourName), NULL, NULL);
    CharLowerA(fileName);
    CharLowerA(colourName);
    bool luna = strstr(fileName, "luna.msstyles") || strstr(fileName, "winxp.luna.rvstyles");
    if (luna && strcmp(colourName, "normalcolor") == 0)
        return 1;
    if (luna && strcmp(colourName, "homestead") == 0)
        return 2;
    if (luna && strcmp(colourName, "metallic") == 0)
        return 3;
    if (m_bStyle4Allowed && (strstr(fileName, "royale.msstyles") || strstr(fileName, "winxp.royale.rvstyles")))
        return 4;
    if (m_bStyle5Allowed && strstr(fileName, "aero.msstyles"))
        return 5;
    return 0;
}

COLORREF CVZRColorTable::Blend(COLORREF a, COLORREF b, int weight)
{
    int scale = weight < 100 ? 100 : 1000;
    int c[3];
    for (int i = 0; i < 3; ++i) {
        int shift = i * 8;
        c[i] = (Channel(a, shift) * weight + Channel(b, shift) * (scale - weight) + scale / 2) / scale;
    }
    return RGB(c[0], c[1], c[2]);
}

void CVZRColorTable::SetDerived(const int* indexes, size_t count, int source)
{
    for (size_t i = 0; i < count; ++i)
        m_standard[indexes[i]] = m_standard[source];
}

void CVZRColorTable::PushAway(int index, int base, int threshold)
{
    double limit = ScaledThreshold(m_standard[base], threshold);
    if (Distance(m_standard[index], m_standard[base]) < limit)
        m_standard[index] = MoveToDistance(m_standard[index], m_standard[base], limit);
}

void CVZRColorTable::RefreshColors()
{
    m_detectedStyle = DetectSystemTheme();
    int style = GetStyle();
    bool lowColor = IsLowColor(NULL);
    SysColorFn sysColor = m_pfnSysColor ? m_pfnSysColor : ::GetSysColor;
    m_standard[0] = 0;
    for (int i = 1; i < 30; ++i)
        m_standard[i] = sysColor(i);

    static const int face[] = {30, 51, 53, 55, 56};
    static const int shadow[] = {34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61};
    static const int window[] = {31, 36, 41};
    static const int highlight[] = {32, 33, 37, 50};
    static const int grey[] = {35, 58};
    static const int highlightText[] = {47, 49};
    SetDerived(face, 5, kBtnFace);
    SetDerived(shadow, 12, kBtnShadow);
    SetDerived(window, 3, COLOR_WINDOW);
    SetDerived(highlight, 4, COLOR_HIGHLIGHT);
    SetDerived(grey, 2, COLOR_GRAYTEXT);
    SetDerived(highlightText, 2, COLOR_HIGHLIGHTTEXT);
    m_standard[44] = m_standard[COLOR_WINDOWTEXT];
    m_standard[45] = m_standard[COLOR_MENUTEXT];
    m_standard[46] = m_standard[COLOR_BTNTEXT];
    m_standard[59] = 0;

    std::fill(m_style, m_style + kColorTableSize, COLORREF(-1));
    if (style >= 1 && style <= 5) {
        const COLORREF* set = style == 2 ? kGreenStyle : style == 3 ? kSilverStyle
                                                                    : kBlueStyle;
        for (int i = 0; i < 14; ++i)
            m_style[kStyleIndexes[i]] = set[i];
    }
    if (lowColor) {
        SetGradients(style, true);
        return;
    }
    for (const BlendRow& row : kBlends)
        m_standard[row.target] = Blend(m_standard[row.a], m_standard[row.b], row.weight);
    if (Distance(m_standard[30], m_standard[kBtnFace]) > ScaledThreshold(m_standard[kBtnFace], 35))
        m_standard[30] = MoveToDistance(m_standard[30], m_standard[kBtnFace], ScaledThreshold(m_standard[kBtnFace], 35));
    for (const PushRow& row : kPushes)
        PushAway(row.index, row.base, row.threshold);
    if (Distance(m_standard[35], m_standard[41]) > 145)
        m_standard[35] = MoveToDistance(m_standard[35], m_standard[41], 145);
    COLORREF c30 = m_standard[30], c13 = m_standard[COLOR_HIGHLIGHT], c5 = m_standard[COLOR_WINDOW];
    m_standard[36] = RGB(Channel(c30, 0) / 2 + Channel(c13, 0) / 10 + Channel(c5, 0) * 2 / 5,
                         Channel(c30, 8) / 2 + Channel(c13, 8) / 10 + Channel(c5, 8) * 2 / 5,
                         Channel(c30, 16) / 2 + Channel(c13, 16) / 10 + Channel(c5, 16) * 2 / 5);
    m_standard[48] = Brighten(m_standard[kBtnFace], 35, 0x232323);
    m_standard[49] = m_standard[kBtnFace] == 0 ? 0x7F7F7F : Brighten(m_standard[kBtnShadow], -43, 0x7F7F7F);
    m_standard[34] = Scale(m_standard[31], 3, 4);
    COLORREF face15 = m_standard[kBtnFace];
    m_standard[22] = RGB(std::min(255, Channel(face15, 0) + 15), std::min(255, Channel(face15, 8) + 15),
                         std::min(255, Channel(face15, 16) + 15));
    m_standard[53] = m_standard[30];
    m_standard[58] = GetColor(40);
    m_standard[60] = m_standard[40];
    for (int i = 30; i < kColorTableSize; ++i) {
        if (m_style[i] != COLORREF(-1))
            m_standard[i] = m_style[i];
    }
    SetGradients(style, false);
    // A themed application's tree views draw their border in the visual style's colour.
    CVZRUxThemeBinding treeView;
    COLORREF border = 0;
    if (treeView.OpenThemeData(NULL, L"TREEVIEW") && treeView.IsAppThemed() &&
        treeView.GetThemeColor(0, 0, kBorderColorProperty, &border) == S_OK)
        m_standard[kTreeViewBorder] = border;
}

void CVZRColorTable::SetGradients(int style, bool lowColor)
{
    COLORREF face = m_standard[kBtnFace], shadow = m_standard[kBtnShadow], window = m_standard[COLOR_WINDOW];
    if (style == 2) {
        m_gradients[0].SetStandard(0x82C0AF, 0x447A63);
        m_gradients[1].SetStandard(0xC6E8DE, 0xA8D7C7, 0.3f);
        m_gradients[2].SetStandard(0x82C0AF, 0x447A63);
        m_gradients[3].SetStandard(0xE9F5F1, 0xB7DACD, 0.3f);
        m_gradients[4].SetStandard(0xF0F8F5, 0xBFDED2, 0.3f);
        m_gradients[5].SetStandard(0xDDEFE9, 0xA3CEBF);
        m_gradients[6].SetStandard(0xF0F8F5, 0xC4E1D6);
    } else if (style == 3) {
        m_gradients[0].SetStandard(0xB8A7A7, 0x7C6767, 0.75f);
        m_gradients[1].SetStandard(0xEAE2E2, 0xD8CBCB);
        m_gradients[2].SetStandard(0xB8A7A7, 0x7C6767, 0.75f);
        m_gradients[3].SetStandard(0xF6F2F2, 0xCFC1C1, 0.75f);
        m_gradients[4].SetStandard(0xF8F5F5, 0xD6C9C9);
        m_gradients[5].SetStandard(0xEDE6E6, 0xC9B9B9);
        m_gradients[6].SetStandard(0xF8F5F5, 0xD9CDCD);
    } else if (style >= 1) {
        m_gradients[0].SetStandard(0xD68759, 0x962D00);
        m_gradients[1].SetStandard(0xF5BE9E, 0xFADAC4);
        m_gradients[2].SetStandard(0xD68759, 0x962D00);
        m_gradients[3].SetStandard(0xFEECDD, 0xE2A981, 0.75f);
        m_gradients[4].SetStandard(0xFFEFE3, 0xE4AD87);
        m_gradients[5].SetStandard(0xF6DDCB, 0xDCA179);
        m_gradients[6].SetStandard(0xFFEFE3, 0xE7B593);
        m_standard[54] = 0x962D00;
    } else {
        m_gradients[0].SetStandard(Blend(face, shadow, 50), shadow);
        m_gradients[1].SetStandard(Blend(window, face, 215), face);
        m_gradients[2].SetStandard(face, shadow);
        m_gradients[3].SetStandard(Blend(window, face, 500), Blend(face, shadow, 80));
        m_gradients[4].SetStandard(window, face);
        m_gradients[5].SetStandard(Blend(window, face, 300), Blend(face, shadow, 70));
        m_gradients[6].SetStandard(window, Blend(face, window, 60));
    }
    if (lowColor) {
        m_gradients[3].SetStandard(face);
        m_gradients[1].SetStandard(face);
    }
}
