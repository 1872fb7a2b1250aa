#include "skin/draw/SkinSystemMetrics.h"

#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeSchema.h"

#include <cstring>

namespace {
const int kSysMetricsClass = 3;
const int kCaptionFont = 801;
const int kSmallCaptionFont = 802;
const int kScrollBarWidth = 1202;
const int kScrollBarHeight = 1203;
const int kCaptionBarHeight = 1205;
const int kSmCaptionBarHeight = 1207;
const int kFirstColor = 1601;
const UINT kNonClientMetricsSize = 340;

const COLORREF kDefaultColors[kSkinColorCount] = {
    RGB(192, 192, 192),
    RGB(58, 110, 165),
    RGB(0, 0, 128),
    RGB(128, 128, 128),
    RGB(192, 192, 192),
    RGB(255, 255, 255),
    RGB(0, 0, 0),
    RGB(0, 0, 0),
    RGB(0, 0, 0),
    RGB(255, 255, 255),
    RGB(192, 192, 192),
    RGB(192, 192, 192),
    RGB(128, 128, 128),
    RGB(0, 0, 128),
    RGB(255, 255, 255),
    RGB(192, 192, 192),
    RGB(128, 128, 128),
    RGB(128, 128, 128),
    RGB(0, 0, 0),
    RGB(192, 192, 192),
    RGB(255, 255, 255),
    RGB(0, 0, 0),
    RGB(223, 223, 223),
    RGB(0, 0, 0),
    RGB(255, 255, 225),
    RGB(180, 180, 180),
    RGB(0, 0, 255),
    RGB(16, 132, 208),
    RGB(181, 181, 181),
    RGB(0, 0, 128),
    RGB(192, 192, 192),
};
}  // namespace

CVZRSkinSystemMetrics::CVZRSkinSystemMetrics(CVZRSkinContext* owner) : m_pOwner(owner)
{
    for (int i = 0; i < kSkinColorCount; ++i) {
        m_colors[i] = COLORREF(-1);
        m_brushes[i] = NULL;
    }
}

CVZRSkinSystemMetrics::~CVZRSkinSystemMetrics()
{
    for (HBRUSH brush : m_brushes) {
        if (brush)
            DeleteObject(brush);
    }
    for (HGDIOBJ object : {(HGDIOBJ)m_hBtnFaceBrush, (HGDIOBJ)m_hSecondBrush, (HGDIOBJ)m_hCaptionFont,
                           (HGDIOBJ)m_hMenuFont, (HGDIOBJ)m_hSmallCaptionFont}) {
        if (object)
            DeleteObject(object);
    }
}

void CVZRSkinSystemMetrics::SetFont(HFONT& font, const LOGFONTA& logFont)
{
    HFONT made = CreateFontIndirectA(&logFont);
    if (!made)
        return;
    if (font)
        DeleteObject(font);
    font = made;
}

void CVZRSkinSystemMetrics::ReadSizes()
{
    m_borderMultiplier = 1;
    SystemParametersInfoA(SPI_GETBORDER, 0, &m_borderMultiplier, 0);
    m_cxBorder = GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = GetSystemMetrics(SM_CYEDGE);
    m_cxHScroll = GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = GetSystemMetrics(SM_CYVSCROLL);
    m_captionHeight = m_systemCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    m_smallCaptionHeight = m_systemSmallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
}

// Out of the table first: the skin's DeleteObject spares the brushes in it.
void CVZRSkinSystemMetrics::ReleaseBrush(int index)
{
    HBRUSH brush = m_brushes[index];
    m_brushes[index] = NULL;
    if (brush)
        DeleteObject(brush);
}

void CVZRSkinSystemMetrics::Refresh()
{
    CVZRThemeSchema* schema = m_pOwner ? m_pOwner->m_pSchema : nullptr;
    if (!schema) {
        for (int i = 0; i < kSkinColorCount; ++i) {
            m_colors[i] = GetSysColor(i);
            ReleaseBrush(i);
        }
        return;
    }
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = kNonClientMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0)) {
        SetFont(m_hCaptionFont, ncm.lfCaptionFont);
        SetFont(m_hSmallCaptionFont, ncm.lfSmCaptionFont);
        SetFont(m_hMenuFont, ncm.lfMenuFont);
    }
    ReadSizes();
    if (m_pOwner->m_applyOptions & kApplyMetrics) {
        int value = 0;
        if (schema->GetIntProperty(kSysMetricsClass, 0, 0, kCaptionBarHeight, &value) == S_OK)
            m_captionHeight = value;
        ++m_captionHeight;
        if (schema->GetIntProperty(kSysMetricsClass, 0, 0, kSmCaptionBarHeight, &value) == S_OK)
            m_smallCaptionHeight = value;
        ++m_smallCaptionHeight;
        if (schema->GetIntProperty(kSysMetricsClass, 0, 0, kScrollBarWidth, &value) == S_OK && value > 0)
            m_cxVScroll = m_cxHScroll = value;
        if (schema->GetIntProperty(kSysMetricsClass, 0, 0, kScrollBarHeight, &value) == S_OK && value > 0)
            m_cyVScroll = m_cyHScroll = value;
        LOGFONTA font;
        if (schema->GetFontProperty(kSysMetricsClass, 0, 0, kCaptionFont, &font) == S_OK)
            SetFont(m_hCaptionFont, font);
        if (schema->GetFontProperty(kSysMetricsClass, 0, 0, kSmallCaptionFont, &font) == S_OK)
            SetFont(m_hSmallCaptionFont, font);
    }
    for (int i = 0; i < kSkinColorCount; ++i) {
        COLORREF old = m_colors[i];
        m_colors[i] = COLORREF(-1);
        COLORREF colour;
        if (schema->GetColorProperty(kSysMetricsClass, 0, 0, kFirstColor + i, &colour) != S_OK)
            colour = m_pOwner->FilterColor(kDefaultColors[i]);
        m_colors[i] = colour;
        if (colour != old || !m_brushes[i]) {
            ReleaseBrush(i);
            m_brushes[i] = CreateSolidBrush(colour);
        }
    }
    m_light = m_colors[COLOR_3DLIGHT];
    m_highlight = m_colors[COLOR_BTNHIGHLIGHT];
    m_shadow = m_colors[COLOR_BTNSHADOW];
    m_darkShadow = m_colors[COLOR_3DDKSHADOW];
    if (m_hBtnFaceBrush)
        DeleteObject(m_hBtnFaceBrush);
    m_hBtnFaceBrush = CreateSolidBrush(m_colors[COLOR_BTNFACE]);
    if (m_hSecondBrush)
        DeleteObject(m_hSecondBrush);
    m_hSecondBrush = NULL;
}

COLORREF CVZRSkinSystemMetrics::GetColor(int index) const
{
    if (index < 0 || index >= kSkinColorCount)
        return GetSysColor(index);
    return m_colors[index] == COLORREF(-1) ? GetSysColor(index) : m_colors[index];
}

COLORREF CVZRSkinSystemMetrics::GetSkinColor(int index) const
{
    return index >= 0 && index < kSkinColorCount ? m_colors[index] : COLORREF(-1);
}

HBRUSH CVZRSkinSystemMetrics::GetBrush(int index) const
{
    return index >= 0 && index < kSkinColorCount ? m_brushes[index] : NULL;
}

bool CVZRSkinSystemMetrics::IsSkinBrush(HGDIOBJ handle) const
{
    if (!handle || GetObjectType(handle) != OBJ_BRUSH)
        return false;
    for (HBRUSH brush : m_brushes) {
        if (brush == handle)
            return true;
    }
    return false;
}

void CVZRSkinSystemMetrics::SetEdgeColors(COLORREF light, COLORREF highlight, COLORREF shadow, COLORREF darkShadow)
{
    m_light = light;
    m_highlight = highlight;
    m_shadow = shadow;
    m_darkShadow = darkShadow;
}

int CVZRSkinSystemMetrics::GetSystemMetric(int index) const
{
    switch (index) {
    case SM_CXBORDER: return m_cxBorder;
    case SM_CYBORDER: return m_cyBorder;
    case SM_CXEDGE: return m_cxEdge;
    case SM_CYEDGE: return m_cyEdge;
    case SM_CXHSCROLL: return m_cxHScroll;
    case SM_CYHSCROLL: return m_cyHScroll;
    case SM_CXVSCROLL: return m_cxVScroll;
    case SM_CYVSCROLL: return m_cyVScroll;
    default: return GetSystemMetrics(index);
    }
}
