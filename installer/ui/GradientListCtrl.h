// A report list with owner-drawn rows whose selection is a gradient.
#pragma once
#include "framework/ListCtrl.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/GradientPainter.h"

class CGradientListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CGradientListCtrl)
public:
    // Highlight modes: the label text only, from the label across the row,
    // the whole row to the client's right edge.
    enum { HIGHLIGHT_TEXT = 0,
           HIGHLIGHT_ROW = 1,
           HIGHLIGHT_ALLCOLUMNS = 2 };

    explicit CGradientListCtrl(BOOL bUseGradientFill = TRUE);
    virtual ~CGradientListCtrl();

    // Direction 1 horizontal, any other value vertical.
    void SetColours(COLORREF crStart, COLORREF crEnd, int nDirection);
    void SetHighlightMode(int nMode) { m_nHighlight = nMode; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

private:
    RECT HighlightRect(int nItem, const RECT &bounds, const RECT &label, const CString &text);

    int m_nHighlight;
    COLORREF m_crStart, m_crEnd;
    int m_nDirection;
    CScopedBrush m_hBackground;
    CGradientPainter m_gradient;
};
