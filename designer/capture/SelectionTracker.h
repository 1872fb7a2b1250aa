// CSelectionTracker: a rectangle with eight resize handles and a middle for
// moving, drawn in one colour, with a modal mouse tracking loop.
#pragma once

#include <windows.h>

#include "framework/DC.h"
#include "framework/Geometry.h"
#include "framework/ScopedHandle.h"
#include "framework/Wnd.h"

class CSelectionTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        resizeOutside = 16,
        handlesOnLine = 64  // handles centred on the border line
    };
    enum { hitNothing = -1,
           hitMiddle = 8,
           kHandles = 8 };

    CSelectionTracker();
    ~CSelectionTracker();
    CSelectionTracker(const CSelectionTracker&) = delete;
    CSelectionTracker& operator=(const CSelectionTracker&) = delete;

    // Cursors by handle: 0..7 the handles, 8 the middle. Not owned (shared
    // cursors from resources).
    void SetCursor(int nHandle, HCURSOR hCursor);
    void SetColor(COLORREF crColor);
    // Handle size from the system profile; the minimum size is twice it.
    void LoadHandleSize();

    // The handle under the point, hitMiddle inside the rectangle widened by
    // one pixel, hitNothing elsewhere.
    int HitTest(CPoint point) const;
    // The normalised rectangle widened by the handles lying outside it.
    void GetTrueRect(LPRECT lpTrueRect) const;
    // Sets the handle cursor when the mouse is over the rectangle.
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    void Draw(CDC* pDC) const;
    // Moves or resizes the rectangle with the mouse until the left button
    // is released (Esc or the right button restore it). TRUE when changed.
    BOOL Track(CWnd* pWnd, CPoint point);
    // Called after each change of the rectangle while tracking.
    typedef void (*ChangedCallback)(void* pContext);
    void SetChangedCallback(ChangedCallback pfn, void* pContext)
    {
        m_pfnChanged = pfn;
        m_pChangedContext = pContext;
    }

    // Applies a mouse offset to the start rectangle for the grabbed handle,
    // widening it to the minimum size on the grabbed side.
    CRect AdjustRect(const CRect& start, int nHandle, CSize offset) const;
    BOOL IsHandleShown(int nHandle) const;
    CRect GetHandleRect(int nHandle) const;

    UINT m_nStyle;
    CRect m_rect;
    CSize m_sizeMin;
    int m_nHandleSize;
    COLORREF m_crColor;

private:
    void Changed();

    HCURSOR m_hCursors[kHandles + 1];
    CScopedPen m_hSolidPen;
    CScopedPen m_hDottedPen;
    CScopedBrush m_hHandleBrush;
    BOOL m_bTracking;
    ChangedCallback m_pfnChanged;
    void* m_pChangedContext;
};
