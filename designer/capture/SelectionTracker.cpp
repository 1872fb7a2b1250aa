#include "designer/capture/SelectionTracker.h"

#include <windowsx.h>

namespace {
// Which edges each handle moves: left, top, right, bottom.
const BYTE kEdges[CSelectionTracker::kHandles + 1][4] = {
    {1, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 1}, {1, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {1, 1, 1, 1}};
}  // namespace

CSelectionTracker::CSelectionTracker()
    : m_nStyle(0), m_rect(0, 0, 0, 0), m_sizeMin(8, 8), m_nHandleSize(4), m_crColor(RGB(0, 0, 0)),
      m_bTracking(FALSE), m_pfnChanged(NULL),
      m_pChangedContext(NULL)
{
    for (HCURSOR& h : m_hCursors)
        h = NULL;
    SetColor(m_crColor);
}

CSelectionTracker::~CSelectionTracker()
{
}

void CSelectionTracker::SetCursor(int nHandle, HCURSOR hCursor)
{
    if (nHandle >= 0 && nHandle <= kHandles)
        m_hCursors[nHandle] = hCursor;
}

void CSelectionTracker::SetColor(COLORREF crColor)
{
    m_crColor = crColor;
    m_hSolidPen.Reset(::CreatePen(PS_SOLID, 1, crColor));
    m_hDottedPen.Reset(::CreatePen(PS_DOT, 1, crColor));
    m_hHandleBrush.Reset(::CreateSolidBrush(crColor));
}

void CSelectionTracker::LoadHandleSize()
{
    int size = (int)::GetProfileInt("windows", "oleinplaceborderwidth", 4);
    if (size < 1 || size > 64)
        size = 4;
    m_nHandleSize = size;
    m_sizeMin = CSize(size * 2, size * 2);
}

BOOL CSelectionTracker::IsHandleShown(int nHandle) const
{
    if (nHandle < 0 || nHandle >= kHandles)
        return FALSE;
    if (nHandle < 4)
        return TRUE;
    CRect rc = m_rect;
    rc.NormalizeRect();
    if (nHandle == 4 || nHandle == 6)
        return rc.Width() - 3 * m_nHandleSize >= 5;
    return rc.Height() - 3 * m_nHandleSize >= 5;
}

CRect CSelectionTracker::GetHandleRect(int nHandle) const
{
    CRect rc = m_rect;
    rc.NormalizeRect();
    const int size = m_nHandleSize;
    // The handle's centre point on the border, then its square around it.
    int x = rc.left, y = rc.top;
    switch (nHandle) {
    case 0:
        x = rc.left;
        y = rc.top;
        break;
    case 1:
        x = rc.right;
        y = rc.top;
        break;
    case 2:
        x = rc.right;
        y = rc.bottom;
        break;
    case 3:
        x = rc.left;
        y = rc.bottom;
        break;
    case 4:
        x = (rc.left + rc.right) / 2;
        y = rc.top;
        break;
    case 5:
        x = rc.right;
        y = (rc.top + rc.bottom) / 2;
        break;
    case 6:
        x = (rc.left + rc.right) / 2;
        y = rc.bottom;
        break;
    case 7:
        x = rc.left;
        y = (rc.top + rc.bottom) / 2;
        break;
    default: return CRect(0, 0, 0, 0);
    }
    CRect handle(x - size / 2, y - size / 2, x - size / 2 + size, y - size / 2 + size);
    if (!(m_nStyle & handlesOnLine) && (m_nStyle & resizeOutside)) {
        // Entirely outside: pushed away from the rectangle by half a handle.
        const int dx = kEdges[nHandle][0] ? -(size + 1) / 2 : (kEdges[nHandle][2] ? (size + 1) / 2 : 0);
        const int dy = kEdges[nHandle][1] ? -(size + 1) / 2 : (kEdges[nHandle][3] ? (size + 1) / 2 : 0);
        handle.OffsetRect(dx, dy);
    }
    return handle;
}

void CSelectionTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    if (!lpTrueRect)
        return;
    CRect rc = m_rect;
    rc.NormalizeRect();
    if (m_nStyle & (resizeOutside | handlesOnLine)) {
        for (int i = 0; i < kHandles; ++i) {
            if (!IsHandleShown(i))
                continue;
            CRect handle = GetHandleRect(i);
            ::UnionRect(&rc, &rc, &handle);
        }
    }
    *lpTrueRect = rc;
}

int CSelectionTracker::HitTest(CPoint point) const
{
    for (int i = 0; i < kHandles; ++i) {
        if (IsHandleShown(i) && GetHandleRect(i).PtInRect(point))
            return i;
    }
    CRect rc = m_rect;
    rc.NormalizeRect();
    rc.InflateRect(1, 1);
    return rc.PtInRect(point) ? (int)hitMiddle : (int)hitNothing;
}

BOOL CSelectionTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (!pWnd || nHitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    const int hit = HitTest(point);
    if (hit < 0 || m_hCursors[hit] == NULL)
        return FALSE;
    ::SetCursor(m_hCursors[hit]);
    return TRUE;
}

void CSelectionTracker::Draw(CDC* pDC) const
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    const HDC hDC = pDC->GetSafeHdc();
    CRect rc = m_rect;
    rc.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) {
        CScopedSelect pen(hDC, (m_nStyle & solidLine) ? m_hSolidPen : m_hDottedPen);
        CScopedSelect brush(hDC, ::GetStockObject(NULL_BRUSH));
        const int oldRop = ::SetROP2(hDC, R2_COPYPEN);
        ::Rectangle(hDC, rc.left, rc.top, rc.right + 1, rc.bottom + 1);
        ::SetROP2(hDC, oldRop);
    }
    for (int i = 0; i < kHandles; ++i) {
        if (IsHandleShown(i)) {
            CRect handle = GetHandleRect(i);
            ::FillRect(hDC, &handle, m_hHandleBrush);
        }
    }
}

CRect CSelectionTracker::AdjustRect(const CRect& start, int nHandle, CSize offset) const
{
    CRect rc = start;
    if (nHandle < 0 || nHandle > kHandles)
        return rc;
    const BYTE* edges = kEdges[nHandle];
    if (edges[0]) rc.left += offset.cx;
    if (edges[1]) rc.top += offset.cy;
    if (edges[2]) rc.right += offset.cx;
    if (edges[3]) rc.bottom += offset.cy;
    if (nHandle == hitMiddle)
        return rc;
    // Too small (or turned over): widened on the grabbed side.
    if (rc.right - rc.left < m_sizeMin.cx) {
        if (edges[0])
            rc.left = rc.right - m_sizeMin.cx;
        else if (edges[2])
            rc.right = rc.left + m_sizeMin.cx;
    }
    if (rc.bottom - rc.top < m_sizeMin.cy) {
        if (edges[1])
            rc.top = rc.bottom - m_sizeMin.cy;
        else if (edges[3])
            rc.bottom = rc.top + m_sizeMin.cy;
    }
    return rc;
}

void CSelectionTracker::Changed()
{
    if (m_pfnChanged)
        m_pfnChanged(m_pChangedContext);
}

BOOL CSelectionTracker::Track(CWnd* pWnd, CPoint point)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || m_bTracking || ::GetCapture() != NULL)
        return FALSE;
    const int hit = HitTest(point);
    if (hit < 0)
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    m_rect.NormalizeRect();
    const CRect start = m_rect;
    BOOL bCancelled = FALSE;
    BOOL bDone = FALSE;
    m_bTracking = TRUE;
    ::SetCapture(hWnd);
    while (!bDone && ::GetCapture() == hWnd) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, NULL, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam);
            bCancelled = TRUE;
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            if (msg.hwnd != hWnd) {
                ::DispatchMessageW(&msg);
                break;
            }
            const CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            const CRect next = AdjustRect(start, hit, CSize(pt.x - point.x, pt.y - point.y));
            if (!::EqualRect(&next, &m_rect)) {
                m_rect = next;
                Changed();
            }
            if (msg.message == WM_LBUTTONUP)
                bDone = TRUE;
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                bCancelled = TRUE;
                bDone = TRUE;
            }
            break;
        case WM_RBUTTONDOWN:
            bCancelled = TRUE;
            bDone = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bTracking = FALSE;
    if (bCancelled && !::EqualRect(&m_rect, &start)) {
        m_rect = start;
        Changed();
    }
    return !::EqualRect(&m_rect, &start);
}
