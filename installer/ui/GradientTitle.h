// A title strip: a two-colour gradient with an icon and the window text.
#pragma once
#include "framework/Static.h"
#include "installer/ui/GradientPainter.h"

class CGradientTitle : public CStatic {
    DECLARE_DYNAMIC(CGradientTitle)
public:
    enum { ALIGN_LEFT = 0,
           ALIGN_CENTRE = 1,
           ALIGN_RIGHT = 3 };

    explicit CGradientTitle(BOOL bUseGradientFill = TRUE);
    virtual ~CGradientTitle();

    BOOL SetIcon(UINT nIconId, int x, int nSize);
    void SetColours(COLORREF crStart, COLORREF crEnd);
    void SetTextColour(COLORREF crText) { m_crText = crText; }
    void SetAlignment(int nAlign) { m_nAlign = nAlign; }
    void SetVertical(BOOL bVertical) { m_bVertical = bVertical; }
    void Paint(HDC hDC, const RECT &client);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HICON m_hIcon;
    int m_nIconX, m_nIconSize;
    int m_nMargin;
    COLORREF m_crStart, m_crEnd, m_crText;
    int m_nAlign;
    BOOL m_bVertical;
    CGradientPainter m_gradient;
};
