// A memory DC that collects drawing for a rectangle of a target DC and copies
// it there when it goes away. Draw with the target's coordinates.
#pragma once
#include <windows.h>
#include "framework/DC.h"

class COffscreenDC : public CDC {
public:
    // The rectangle is the target's clip box unless one is given (logical units).
    explicit COffscreenDC(CDC* pDC, const RECT* pRect = NULL);
    virtual ~COffscreenDC();

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    CDC* m_pDC;
    CRect m_rect;
    HGDIOBJ m_hOldBrush;
    HGDIOBJ m_hOldFont;
    COLORREF m_crOldBk;
    COLORREF m_crOldText;
    HGDIOBJ m_hOldPen;
    POINT m_ptOldOrg;
    int m_nOldBkMode;
    BOOL m_bValid;
};
