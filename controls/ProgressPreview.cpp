#include "controls/ProgressPreview.h"
#include "framework/PaintDC.h"
#include "imaging/xImage.h"

#include <stdlib.h>

namespace {

// |channel - d| for each channel.
COLORREF Shade(COLORREF c, int d)
{
    return RGB(abs(GetRValue(c) - d), abs(GetGValue(c) - d), abs(GetBValue(c) - d));
}

int MixChannel(int p, int q, int k) { return q + (p - q) * k / 100; }

COLORREF Mix(COLORREF p, COLORREF q, int k)
{
    return RGB(MixChannel(GetRValue(p), GetRValue(q), k), MixChannel(GetGValue(p), GetGValue(q), k),
               MixChannel(GetBValue(p), GetBValue(q), k));
}

int RowChannel(int dark, int c, int i, int h) { return dark + (c - dark) * i / h; }

}  // namespace

BEGIN_MESSAGE_MAP(CProgressPreview, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CProgressPreview::CProgressPreview()
    : m_hOldBitmap(NULL), m_crBack(RGB(0xF0, 0xF0, 0xF0)), m_crChunk(0x88887C)
{
}

CProgressPreview::~CProgressPreview()
{
    FreeImage();
}

void CProgressPreview::DrawBar(CDC* pDC, const CRect& rect, COLORREF c, COLORREF b)
{
    int x = rect.left, y = rect.top, w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    COLORREF base = Shade(c, 100), dark = Shade(c, 86);
    COLORREF edge = Mix(base, b, 40);
    pDC->FillSolidRect(x, y, w, h, base);
    for (int i = 1; i <= h - 2; ++i) {
        COLORREF row = RGB(RowChannel(GetRValue(dark), GetRValue(c), i, h),
                           RowChannel(GetGValue(dark), GetGValue(c), i, h),
                           RowChannel(GetBValue(dark), GetBValue(c), i, h));
        if (i < h / 2) {
            int k = 37 + 5 * (i - 1);
            row = Mix(row, RGB(255, 255, 255), k < 100 ? k : 100);
        }
        pDC->FillSolidRect(x + 1, y + i, w - 2, 1, row);
    }
    if (w < 2 || h < 2)
        return;
    const int right = x + w - 1, bottom = y + h - 1;
    const POINT corners[4] = {{x, y}, {right, y}, {x, bottom}, {right, bottom}};
    for (const POINT& pt : corners) {
        int dx = pt.x == x ? 1 : -1, dy = pt.y == y ? 1 : -1;
        pDC->SetPixel(pt.x, pt.y, b);
        pDC->SetPixel(pt.x + dx, pt.y, edge);
        pDC->SetPixel(pt.x, pt.y + dy, edge);
        pDC->SetPixel(pt.x + dx, pt.y + dy, base);
    }
}

void CProgressPreview::SetBkColor(COLORREF crColor)
{
    m_crBack = crColor;
    if (m_hWnd != NULL)
        Invalidate();
}

void CProgressPreview::FreeImage()
{
    if (m_memDC.GetSafeHdc() != NULL) {
        ::SelectObject(m_memDC, m_hOldBitmap);
        m_memDC.DeleteDC();
    }
    m_bitmap.DeleteObject();
    m_hOldBitmap = NULL;
}

BOOL CProgressPreview::MakeImage()
{
    FreeImage();
    GetClientRect(&m_rcClient);
    CDC* pDC = GetDC();
    BOOL bMade = pDC != NULL && m_memDC.CreateCompatibleDC(pDC) &&
                 m_bitmap.CreateCompatibleBitmap(pDC, m_rcClient.Width(), m_rcClient.Height());
    if (pDC != NULL)
        ReleaseDC(pDC);
    if (!bMade) {
        FreeImage();
        return FALSE;
    }
    m_hOldBitmap = ::SelectObject(m_memDC, m_bitmap.m_hObject);
    m_memDC.FillSolidRect(&m_rcClient, m_crBack);
    DrawBar(&m_memDC, m_rcClient, m_crChunk, m_crBack);
    return TRUE;
}

void CProgressPreview::Redraw()
{
    if (m_hWnd == NULL || m_memDC.GetSafeHdc() == NULL)
        return;
    m_memDC.FillSolidRect(&m_rcClient, m_crBack);
    DrawBar(&m_memDC, m_rcClient, m_crChunk, m_crBack);
    Invalidate();
}

void CProgressPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (!IsWindowEnabled()) {
        ::FillRect(dc.GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_MENU));
        return;
    }
    if (m_memDC.GetSafeHdc() == NULL && !MakeImage())
        return;
    dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &m_memDC, 0, 0, SRCCOPY);
}

BOOL CProgressPreview::SaveImage(LPCTSTR lpszPath)
{
    if (lpszPath == NULL || (m_memDC.GetSafeHdc() == NULL && (m_hWnd == NULL || !MakeImage())))
        return FALSE;
    int h = m_rcClient.Height();
    if (m_rcClient.Width() < 5 || h <= 0)
        return FALSE;
    CDC stripDC;
    CBitmap strip;
    if (!stripDC.CreateCompatibleDC(&m_memDC) || !strip.CreateCompatibleBitmap(&m_memDC, 2, h))
        return FALSE;
    {
        CScopedSelect select(&stripDC, &strip);
        stripDC.BitBlt(0, 0, 2, h, &m_memDC, 3, 0, SRCCOPY);
    }
    CxImage image;
    return image.CreateFromHBITMAP((HBITMAP)strip.m_hObject) && image.Save(lpszPath, CXIMAGE_FORMAT_PNG);
}
