// Two-colour gradient fills on a device context.
#pragma once
#include <windows.h>
#include "framework/DC.h"

class CBarPainter {
public:
    explicit CBarPainter(CDC* pDC) : m_pDC(pDC) {}

    // Any angle in degrees: 0 runs from left to right, 90 from bottom to top,
    // 180 and 270 the other way; other angles draw skewed bands.
    void FillGradient(const RECT& rect, COLORREF crFrom, COLORREF crTo, int nAngle);
    // 64 colour steps, left to right or bottom to top, after optional solid
    // bands given in percent of the extent (start band first).
    void FillLinear(const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical,
                    int nStartPercent = 0, int nEndPercent = 0);
    // FillLinear through a 32-bit DIB whose alpha is opaque.
    void FillLinearDib(const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical);

private:
    void FillSkewed(const CRect& rect, COLORREF crFrom, COLORREF crTo, int nAngle);

    CDC* m_pDC;
};

// Answers a background-erase request of a window that paints its whole area.
inline BOOL EraseBackgroundNone(CDC*) { return TRUE; }
