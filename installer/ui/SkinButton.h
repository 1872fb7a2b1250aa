// Push buttons drawn from the theme's button bitmap: five cells (normal,
// pressed, disabled, hover and focus, unused) in nine slices, shaped by the
// magenta key colour, with hover tracking and the caption drawn over them.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/DC.h"
#include "installer/ui/SkinFont.h"

class CButtonSkin {
public:
    enum { STATE_NORMAL = 0,
           STATE_HOVER = 1,
           STATE_PRESSED = 2,
           STATE_FOCUSED = 3,
           STATE_DISABLED = 4 };

    CButtonSkin();
    virtual ~CButtonSkin() {}

    // [Buttons] Bitmap (beside theme.ini) and its slice sizes.
    BOOL Load(LPCTSTR lpszIniPath);
    BOOL IsLoaded() const { return m_bLoaded; }
    // The state's cell over the rectangle, drawn from (0, 0).
    void Draw(CDC *pDC, const RECT &rect, int nState);

private:
    CBitmap m_bitmap;
    int m_nTop, m_nLeft, m_nRight, m_nBottom;
    BOOL m_bLoaded;
};

class CSkinButton : public CButton {
    DECLARE_DYNAMIC(CSkinButton)
public:
    static const COLORREF kKeyColour = RGB(255, 0, 255);

    CSkinButton();
    virtual ~CSkinButton();

    // NULL or an unloaded skin: the system draws the button.
    void SetSkin(CButtonSkin *pSkin);
    BOOL IsHovered() const { return m_bHover; }
    // The cell the region was last cut from (-1: none yet).
    int GetRegionCell() const { return m_nRegionCell; }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL IsSkinned() const { return m_pSkin && m_pSkin->IsLoaded(); }
    int CurrentState();
    void Refresh();
    void UpdateRegion(int nState);
    BOOL InRegion(POINT point);
    void Press(BOOL bMouse);
    void Release();
    void OnPaint();

    CButtonSkin *m_pSkin;
    BOOL m_bHover, m_bHeld, m_bFocus, m_bEnabled;
    COLORREF m_crText;
    CSkinFont m_font;
    int m_nRegionCell;
    SIZE m_regionSize;
};
