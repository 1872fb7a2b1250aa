// CImageButton: an owner-drawn push button with an icon beside its caption
// and a flat look that lights up under the pointer. Keeps the behaviour of
// the button style it replaces (default push button, check box).
#pragma once

#include <windows.h>

#include "framework/Button.h"
#include "framework/ScopedHandle.h"
#include "framework/ToolTipCtrl.h"

class CImageButton : public CButton {
    DECLARE_DYNAMIC(CImageButton)
public:
    enum { ALIGN_HORIZ = 0,
           ALIGN_VERT = 1,
           ALIGN_HORIZ_RIGHT = 2 };
    enum { COLOR_BK_IN = 0,
           COLOR_FG_IN,
           COLOR_BK_OUT,
           COLOR_FG_OUT,
           COLOR_BK_FOCUS,
           COLOR_FG_FOCUS,
           COLOR_COUNT };
    // Out icon id: no second icon, or a grey copy of the in icon.
    enum { NO_ICON = 0,
           GREY_ICON = -2 };

    CImageButton();
    virtual ~CImageButton();

    // Loads the icons from the module holding the in icon; 1 when one
    // cannot be read (then both are freed), else 0.
    DWORD SetIcon(int nIconIn, int nIconOut = NO_ICON);
    // 0: pressed offset (1, 1); 1: (0, 2).
    void SetPressedStyle(int nStyle, BOOL bRepaint = TRUE);
    void SetFlat(BOOL bFlat, BOOL bRepaint = TRUE);
    void SetAlign(int nAlign, BOOL bRepaint = TRUE);
    void SetColor(int nIndex, COLORREF color, BOOL bRepaint = TRUE);
    void SetDefaultColors(BOOL bRepaint = TRUE);
    void SetCheck(int nCheck, BOOL bRepaint = TRUE);
    int GetCheck() const { return m_bChecked; }
    BOOL IsMouseOver() const { return m_bMouseOver; }
    BOOL IsCheckBox() const { return m_bIsCheckBox; }
    BOOL IsDefault() const { return m_bIsDefault; }
    HICON GetInIcon() const { return m_icons[0].hIcon; }
    HICON GetOutIcon() const { return m_icons[1].hIcon; }
    void SetTooltipText(LPCTSTR lpszText, BOOL bActivate = TRUE);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    void FreeResources(BOOL bCheckForNull = TRUE);
    void CancelHover();
    void OnMouseMove(POINT point);
    void PrepareImageRect(BOOL bHasTitle, RECT* rpItem, CRect* rpTitle, BOOL bIsPressed, DWORD dwWidth,
                          DWORD dwHeight, CRect* rpImage);
    void DrawTheIcon(HDC hDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed, BOOL bIsDisabled);
    void DrawBackground(HDC hDC, CRect& rect);
    // Drops the copy of the parent behind a transparent button.
    void ReleaseBackground();
    static HICON CreateGrayscaleIcon(HICON hIcon);

    struct IconInfo {
        HICON hIcon;
        DWORD dwWidth;
        DWORD dwHeight;
    };

    BOOL m_bGreyDisabled;
    int m_nImageOffsetX, m_nImageOffsetY;
    int m_ptPressedOffsetX, m_ptPressedOffsetY;
    BOOL m_bIsFlat;
    BOOL m_bMouseOver;
    BOOL m_bTransparent;
    BOOL m_bIsPressed, m_bIsFocused, m_bIsDisabled;
    BOOL m_bIsDefault;
    BOOL m_bIsCheckBox;
    int m_nAlign;
    BOOL m_bDrawBorder;
    BOOL m_bDrawFlatFocus;
    COLORREF m_crColors[COLOR_COUNT];
    CToolTipCtrl m_toolTip;
    CScopedMemDC m_hDCBk;
    CScopedBitmap m_hBmpBk;
    HGDIOBJ m_hBmpBkOld;
    BOOL m_bAlwaysTrack;
    int m_bChecked;
    UINT m_nTypeStyle;
    IconInfo m_icons[2];
};
