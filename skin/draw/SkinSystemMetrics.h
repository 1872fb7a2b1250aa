// System colours, brushes, fonts and frame sizes as the loaded skin defines them.
#pragma once

#include <windows.h>

class CVZRSkinContext;

const int kSkinColorCount = 31;

class CVZRSkinSystemMetrics {
public:
    explicit CVZRSkinSystemMetrics(CVZRSkinContext* owner);
    virtual ~CVZRSkinSystemMetrics();
    virtual void Refresh();

    // The skin colour, or the system's while the entry is unset.
    COLORREF GetColor(int index) const;
    // -1 for an unset entry.
    COLORREF GetSkinColor(int index) const;
    HBRUSH GetBrush(int index) const;
    bool IsSkinBrush(HGDIOBJ handle) const;
    HBRUSH GetButtonFaceBrush() const { return m_hBtnFaceBrush; }
    // The tab-page pattern brush, made by its user; freed at each refresh.
    HBRUSH GetPageBrush() const { return m_hSecondBrush; }
    void SetPageBrush(HBRUSH brush)
    {
        if (m_hSecondBrush)
            DeleteObject(m_hSecondBrush);
        m_hSecondBrush = brush;
    }
    HFONT GetCaptionFont() const { return m_hCaptionFont; }
    HFONT GetSmallCaptionFont() const { return m_hSmallCaptionFont; }
    HFONT GetMenuFont() const { return m_hMenuFont; }
    COLORREF GetLight() const { return m_light; }
    COLORREF GetHighlight() const { return m_highlight; }
    COLORREF GetShadow() const { return m_shadow; }
    COLORREF GetDarkShadow() const { return m_darkShadow; }
    // Sets the four edge colours (light, highlight, shadow, dark shadow).
    void SetEdgeColors(COLORREF light, COLORREF highlight, COLORREF shadow, COLORREF darkShadow);
    int GetBorderMultiplier() const { return m_borderMultiplier; }
    int GetSystemMetric(int index) const;
    int GetCaptionHeight() const { return m_captionHeight; }
    int GetSmallCaptionHeight() const { return m_smallCaptionHeight; }
    int GetSystemCaptionHeight() const { return m_systemCaptionHeight; }
    int GetSystemSmallCaptionHeight() const { return m_systemSmallCaptionHeight; }

private:
    void SetFont(HFONT& font, const LOGFONTA& logFont);
    void ReadSizes();
    void ReleaseBrush(int index);

    HFONT m_hCaptionFont = NULL;
    HFONT m_hMenuFont = NULL;
    HFONT m_hSmallCaptionFont = NULL;
    CVZRSkinContext* m_pOwner;
    HBRUSH m_hBtnFaceBrush = NULL;
    HBRUSH m_hSecondBrush = NULL;
    COLORREF m_light = 0, m_highlight = 0, m_shadow = 0, m_darkShadow = 0;
    COLORREF m_colors[kSkinColorCount];
    HBRUSH m_brushes[kSkinColorCount];
    int m_borderMultiplier = 1;
    int m_cxBorder = 0, m_cyBorder = 0, m_cxEdge = 0, m_cyEdge = 0;
    int m_cxHScroll = 0, m_cyHScroll = 0, m_cxVScroll = 0, m_cyVScroll = 0;
    int m_captionHeight = 0, m_smallCaptionHeight = 0;
    int m_systemCaptionHeight = 0, m_systemSmallCaptionHeight = 0;
    CVZRSkinSystemMetrics(const CVZRSkinSystemMetrics&);
    CVZRSkinSystemMetrics& operator=(const CVZRSkinSystemMetrics&);
};
