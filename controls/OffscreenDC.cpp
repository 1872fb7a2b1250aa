#include "controls/OffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* pDC, const RECT* pRect)
    : m_hOldBitmap(NULL), m_pDC(pDC), m_hOldBrush(NULL), m_hOldFont(NULL), m_crOldBk(0),
      m_crOldText(0), m_hOldPen(NULL), m_nOldBkMode(0), m_bValid(FALSE)
{
    m_ptOldOrg.x = m_ptOldOrg.y = 0;
    if (pDC == NULL || pDC->m_hDC == NULL)
        return;
    if (pRect != NULL)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);
    m_rect.NormalizeRect();

    CRect devRect(m_rect);
    pDC->LPtoDP(&devRect);
    devRect.NormalizeRect();
    if (devRect.IsRectEmpty() || !CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, devRect.Width(), devRect.Height())) {
        DeleteDC();
        return;
    }
    HDC hTarget = pDC->m_hDC;
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);

    ::SetMapMode(m_hDC, ::GetMapMode(hTarget));
    SIZE ext;
    ::GetWindowExtEx(hTarget, &ext);
    ::SetWindowExtEx(m_hDC, ext.cx, ext.cy, NULL);
    ::GetViewportExtEx(hTarget, &ext);
    ::SetViewportExtEx(m_hDC, ext.cx, ext.cy, NULL);

    m_hOldBrush = ::SelectObject(m_hDC, ::GetCurrentObject(hTarget, OBJ_BRUSH));
    m_hOldFont = ::SelectObject(m_hDC, ::GetCurrentObject(hTarget, OBJ_FONT));
    m_hOldPen = ::SelectObject(m_hDC, ::GetCurrentObject(hTarget, OBJ_PEN));
    m_crOldBk = ::SetBkColor(m_hDC, ::GetBkColor(hTarget));
    m_crOldText = ::SetTextColor(m_hDC, ::GetTextColor(hTarget));
    m_nOldBkMode = ::SetBkMode(m_hDC, ::GetBkMode(hTarget));
    ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, &m_ptOldOrg);
    m_bValid = TRUE;
}

COffscreenDC::~COffscreenDC()
{
    if (m_bValid) {
        ::BitBlt(m_pDC->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(),
                 m_hDC, m_rect.left, m_rect.top, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::SelectObject(m_hDC, m_hOldBrush);
        ::SelectObject(m_hDC, m_hOldFont);
        ::SelectObject(m_hDC, m_hOldPen);
        ::SetBkColor(m_hDC, m_crOldBk);
        ::SetTextColor(m_hDC, m_crOldText);
        ::SetBkMode(m_hDC, m_nOldBkMode);
        ::SetWindowOrgEx(m_hDC, m_ptOldOrg.x, m_ptOldOrg.y, NULL);
    }
    DeleteDC();
    m_bitmap.DeleteObject();
}
