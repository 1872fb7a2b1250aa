#include "framework/ScrollView.h"
#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView()
    : m_nMapMode(MM_TEXT), m_totalDev(0, 0), m_pageDev(0, 0), m_lineDev(0, 0), m_ptPos(0, 0),
      m_bInUpdateBars(FALSE)
{
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine)
{
    m_nMapMode = nMapMode == MM_TEXT ? nMapMode : MM_TEXT;
    m_totalDev = CSize(sizeTotal.cx > 0 ? sizeTotal.cx : 0, sizeTotal.cy > 0 ? sizeTotal.cy : 0);
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx <= 0) m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy <= 0) m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx <= 0) m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy <= 0) m_lineDev.cy = m_pageDev.cy / 10;
    if (m_lineDev.cx <= 0) m_lineDev.cx = 1;
    if (m_lineDev.cy <= 0) m_lineDev.cy = 1;
    if (m_hWnd != NULL) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return m_ptPos;
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo)
{
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(-m_ptPos.x, -m_ptPos.y);
    CView::OnPrepareDC(pDC, pInfo);
}

// Keeps the position inside the range the window can show and sets the bars.
void CScrollView::UpdateBars()
{
    if (m_hWnd == NULL || m_bInUpdateBars)
        return;
    m_bInUpdateBars = TRUE;
    CRect rc;
    GetClientRect(&rc);
    // Bars that show take room: measure as if both were absent.
    if (GetStyle() & WS_VSCROLL)
        rc.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (GetStyle() & WS_HSCROLL)
        rc.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    bool bNeedH = m_totalDev.cx > rc.Width();
    bool bNeedV = m_totalDev.cy > rc.Height();
    if (bNeedH) rc.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (bNeedV) rc.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (!bNeedH && m_totalDev.cx > rc.Width()) bNeedH = true;
    if (!bNeedV && m_totalDev.cy > rc.Height()) bNeedV = true;

    int maxX = bNeedH ? m_totalDev.cx - rc.Width() : 0;
    int maxY = bNeedV ? m_totalDev.cy - rc.Height() : 0;
    CPoint pt = m_ptPos;
    if (pt.x > maxX) pt.x = maxX;
    if (pt.y > maxY) pt.y = maxY;
    if (pt.x < 0) pt.x = 0;
    if (pt.y < 0) pt.y = 0;
    if (pt != m_ptPos) {
        ::ScrollWindowEx(m_hWnd, m_ptPos.x - pt.x, m_ptPos.y - pt.y, NULL, NULL, NULL, NULL,
                         SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
        m_ptPos = pt;
    }
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = bNeedH ? m_totalDev.cx - 1 : 0;
    si.nPage = bNeedH ? (UINT)rc.Width() : 0;
    si.nPos = m_ptPos.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, bNeedH);
    si.nMax = bNeedV ? m_totalDev.cy - 1 : 0;
    si.nPage = bNeedV ? (UINT)rc.Height() : 0;
    si.nPos = m_ptPos.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    ::ShowScrollBar(m_hWnd, SB_VERT, bNeedV);
    m_bInUpdateBars = FALSE;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CSize delta(pt.x - m_ptPos.x, pt.y - m_ptPos.y);
    OnScrollBy(delta, TRUE);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // nScrollCode: low byte the horizontal code, high byte the vertical (0xFF: none).
    BYTE hCode = LOBYTE(nScrollCode), vCode = HIBYTE(nScrollCode);
    CSize delta(0, 0);
    auto step = [&](BYTE code, int bar, int cur, int page, int line, LONG& out) {
        SCROLLINFO si;
        ZeroMemory(&si, sizeof(si));
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(m_hWnd, bar, &si);
        int maxPos = si.nMax - (int)(si.nPage > 0 ? si.nPage - 1 : 0);
        int target = cur;
        switch (code) {
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = maxPos; break;
        case SB_LINEUP: target = cur - line; break;
        case SB_LINEDOWN: target = cur + line; break;
        case SB_PAGEUP: target = cur - page; break;
        case SB_PAGEDOWN: target = cur + page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = (int)nPos; break;
        default: return;
        }
        out = target - cur;
    };
    if (hCode != 0xFF)
        step(hCode, SB_HORZ, m_ptPos.x, m_pageDev.cx, m_lineDev.cx, delta.cx);
    if (vCode != 0xFF)
        step(vCode, SB_VERT, m_ptPos.y, m_pageDev.cy, m_lineDev.cy, delta.cy);
    return OnScrollBy(delta, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CRect rc;
    GetClientRect(&rc);
    int maxX = m_totalDev.cx - rc.Width();
    int maxY = m_totalDev.cy - rc.Height();
    if (maxX < 0) maxX = 0;
    if (maxY < 0) maxY = 0;
    CPoint pt(m_ptPos.x + sizeScroll.cx, m_ptPos.y + sizeScroll.cy);
    if (pt.x > maxX) pt.x = maxX;
    if (pt.y > maxY) pt.y = maxY;
    if (pt.x < 0) pt.x = 0;
    if (pt.y < 0) pt.y = 0;
    if (pt == m_ptPos)
        return FALSE;
    if (bDoScroll) {
        ::ScrollWindowEx(m_hWnd, m_ptPos.x - pt.x, m_ptPos.y - pt.y, NULL, NULL, NULL, NULL,
                         SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
        m_ptPos = pt;
        ::SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
        ::SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
    }
    return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL) {
        CView::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos, TRUE);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL) {
        CView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos, TRUE);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)pt;
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return FALSE;
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    bool bVert = (GetStyle() & WS_VSCROLL) != 0 || m_totalDev.cx <= 0;
    int nStep = bVert ? m_lineDev.cy : m_lineDev.cx;
    int nDelta;
    if (nLines == WHEEL_PAGESCROLL)
        nDelta = bVert ? m_pageDev.cy : m_pageDev.cx;
    else
        nDelta = (int)nLines * nStep;
    nDelta = -(int)zDelta * nDelta / WHEEL_DELTA;
    return OnScrollBy(bVert ? CSize(0, nDelta) : CSize(nDelta, 0), TRUE);
}
