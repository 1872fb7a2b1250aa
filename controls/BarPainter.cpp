#include "controls/BarPainter.h"
#include "controls/HslColor.h"
#include "framework/ScopedHandle.h"

#include <math.h>
#include <string.h>

namespace {

const int kSteps = 64;

void FillSolid(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedBrush hBrush(::CreateSolidBrush(cr));
    if (!hBrush.IsValid())
        return;
    ::FillRect(hDC, &rc, hBrush);
}

void FillSolid(HDC hDC, int l, int t, int r, int b, COLORREF cr)
{
    RECT rc = {l, t, r, b};
    FillSolid(hDC, rc, cr);
}

// A band never reaches past the rectangle, whatever percent it is given.
int BandShare(int extent, int percent)
{
    return extent * (percent > 100 ? 100 : percent) / 100;
}

}  // namespace

void CBarPainter::FillGradient(const RECT& rect, COLORREF crFrom, COLORREF crTo, int nAngle)
{
    CRect rc(rect);
    rc.NormalizeRect();
    if (m_pDC == NULL || rc.IsRectEmpty())
        return;
    if (crFrom == crTo) {
        FillSolid(m_pDC->m_hDC, rc, crFrom);
        return;
    }
    switch (nAngle) {
    case 0:
    case 360: FillLinearDib(rc, crFrom, crTo, FALSE); return;
    case 90: FillLinearDib(rc, crFrom, crTo, TRUE); return;
    case 180: FillLinearDib(rc, crTo, crFrom, FALSE); return;
    case 270: FillLinearDib(rc, crTo, crFrom, TRUE); return;
    default: FillSkewed(rc, crFrom, crTo, nAngle); return;
    }
}

void CBarPainter::FillSkewed(const CRect& rc, COLORREF crFrom, COLORREF crTo, int nAngle)
{
    int cx = rc.Width(), cy = rc.Height();
    CDC memDC;
    if (!memDC.CreateCompatibleDC(m_pDC))
        return;
    CBitmap bmp;
    if (!bmp.Attach(::CreateCompatibleBitmap(m_pDC->m_hDC, cx, cy)))
        return;
    {
        CScopedSelect selBitmap(memDC.m_hDC, bmp.m_hObject);
        CScopedSelect selPen(memDC.m_hDC, ::GetStockObject(NULL_PEN));
        const double kPi = 3.14159265358979323846;
        int skew = (int)(cos((nAngle + 180) * kPi / 180.0) * cy);
        int stripWidth = (skew < 0 ? -skew : skew) + cx;
        int start = skew >= 1 ? -skew : 0;
        for (int i = 0; i < kSteps; ++i) {
            int x0 = start + (i * stripWidth) / kSteps;
            int x1 = start + ((i + 1) * stripWidth) / kSteps;
            if (x1 <= x0)
                continue;
            POINT pts[4] = {{x0, 0}, {x1, 0}, {x1 + skew, cy}, {x0 + skew, cy}};
            CBrush brush;
            if (!brush.CreateSolidBrush(GradientStepColor(crFrom, crTo, i)))
                continue;
            CScopedSelect selBrush(memDC, brush);
            ::Polygon(memDC.m_hDC, pts, 4);
        }
        ::BitBlt(m_pDC->m_hDC, rc.left, rc.top, cx, cy, memDC.m_hDC, 0, 0, SRCCOPY);
    }
}

void CBarPainter::FillLinear(const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical,
                             int nStartPercent, int nEndPercent)
{
    CRect rc(rect);
    rc.NormalizeRect();
    if (m_pDC == NULL || rc.IsRectEmpty())
        return;
    HDC hDC = m_pDC->m_hDC;
    if (crFrom == crTo) {
        FillSolid(hDC, rc, crFrom);
        return;
    }
    int extent = bVertical ? rc.Height() : rc.Width();
    if (nStartPercent > 0) {
        int band = BandShare(extent, nStartPercent);
        if (bVertical) {
            FillSolid(hDC, rc.left, rc.top, rc.right, rc.top + band, crTo);
            rc.top += band;
        } else {
            FillSolid(hDC, rc.left, rc.top, rc.left + band, rc.bottom, crFrom);
            rc.left += band;
        }
    }
    if (nEndPercent > 0) {
        int band = BandShare(extent, nEndPercent);
        if (bVertical) {
            FillSolid(hDC, rc.left, rc.bottom - band, rc.right, rc.bottom, crFrom);
            rc.bottom -= band;
        } else {
            FillSolid(hDC, rc.right - band, rc.top, rc.right, rc.bottom, crTo);
            rc.right -= band;
        }
    }
    if (nStartPercent + nEndPercent > 100)
        return;

    int rest = bVertical ? rc.Height() : rc.Width();
    for (int i = 0; i < kSteps; ++i) {
        int a = (i * rest) / kSteps;
        int b = ((i + 1) * rest) / kSteps;
        if (b <= a)
            continue;
        COLORREF cr = GradientStepColor(crFrom, crTo, i);
        if (bVertical)
            FillSolid(hDC, rc.left, rc.bottom - b, rc.right, rc.bottom - a, cr);
        else
            FillSolid(hDC, rc.left + a, rc.top, rc.left + b, rc.bottom, cr);
    }
}

void CBarPainter::FillLinearDib(const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical)
{
    CRect rc(rect);
    rc.NormalizeRect();
    if (m_pDC == NULL || rc.IsRectEmpty())
        return;
    int cx = rc.Width(), cy = rc.Height();

    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;

    CDC memDC;
    if (!memDC.CreateCompatibleDC(m_pDC))
        return;
    CBitmap dib;
    if (!dib.Attach(::CreateDIBSection(m_pDC->m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0)) || pBits == NULL)
        return;
    CScopedSelect sel(memDC.m_hDC, dib.m_hObject);
    CRect inner(0, 0, cx, cy);
    CBarPainter(&memDC).FillLinear(inner, crFrom, crTo, bVertical);
    ::GdiFlush();
    BYTE* p = (BYTE*)pBits;
    for (size_t n = (size_t)cx * (size_t)cy; n > 0; --n, p += 4)
        p[3] = 0xFF;
    ::BitBlt(m_pDC->m_hDC, rc.left, rc.top, cx, cy, memDC.m_hDC, 0, 0, SRCCOPY);
}
