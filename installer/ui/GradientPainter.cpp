#include "installer/ui/GradientPainter.h"

#include "framework/ScopedHandle.h"
#include "installer/ui/SkinGeometry.h"

CGradientPainter::CGradientPainter(BOOL bUseLibrary)
    : m_hLibrary(bUseLibrary ? ::LoadLibrary("msimg32.dll") : NULL), m_pfnGradientFill(NULL)
{
    if (m_hLibrary)
        m_pfnGradientFill = (GradientFillProc)::GetProcAddress(m_hLibrary, "GradientFill");
}

CGradientPainter::~CGradientPainter()
{
    if (m_hLibrary)
        ::FreeLibrary(m_hLibrary);
}

void CGradientPainter::Fill(HDC hDC, const RECT &rect, COLORREF crFrom, COLORREF crTo,
                            BOOL bVertical) const
{
    if (!m_pfnGradientFill) {
        FillBands(hDC, rect, crFrom, crTo, bVertical);
        return;
    }
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = (COLOR16)(GetRValue(crFrom) << 8);
    v[0].Green = (COLOR16)(GetGValue(crFrom) << 8);
    v[0].Blue = (COLOR16)(GetBValue(crFrom) << 8);
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = (COLOR16)(GetRValue(crTo) << 8);
    v[1].Green = (COLOR16)(GetGValue(crTo) << 8);
    v[1].Blue = (COLOR16)(GetBValue(crTo) << 8);
    GRADIENT_RECT r = {0, 1};
    m_pfnGradientFill(hDC, v, 2, &r, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void CGradientPainter::FillBands(HDC hDC, const RECT &rect, COLORREF crFrom, COLORREF crTo,
                                 BOOL bVertical)
{
    const int length = bVertical ? rect.bottom - rect.top : rect.right - rect.left;
    for (int band = 1; band <= 255; ++band) {
        const int a = SkinBandStart(length, band), b = SkinBandStart(length, band + 1);
        if (b <= a)
            continue;
        RECT r = rect;
        if (bVertical) {
            r.top = rect.top + a;
            r.bottom = rect.top + b;
        } else {
            r.left = rect.left + a;
            r.right = rect.left + b;
        }
        CScopedBrush brush(::CreateSolidBrush(SkinBandColour(crFrom, crTo, band)));
        ::FillRect(hDC, &r, brush);
    }
}
