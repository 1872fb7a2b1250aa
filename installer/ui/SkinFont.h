// The font of the installer's skinned captions: a logical font that can be
// made bold again later, with a text colour and an optional bound DC.
#pragma once
#include "framework/Font.h"

class CSkinFont : public CFont {
public:
    explicit CSkinFont(LPCTSTR lpszFace);
    virtual ~CSkinFont();

    // Makes the font again with the weight; returns the previous one.
    int SetWeight(int nWeight);
    // 700 or 400; TRUE when the font was already 500 or heavier.
    BOOL SetBold(BOOL bBold);
    int GetWeight() const { return m_logFont.lfWeight; }
    const LOGFONT &GetLogFont() const { return m_logFont; }

    void SetColor(COLORREF crText);
    COLORREF GetColor() const { return m_crText; }
    // A DC whose text colour follows SetColor (NULL: none).
    void BindDC(HDC hDC) { m_hDC = hDC; }

private:
    LOGFONT m_logFont;
    COLORREF m_crText;
    HDC m_hDC;
};
