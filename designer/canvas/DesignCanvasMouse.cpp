#include "designer/canvas/DesignCanvas.h"

#include <math.h>

#include <algorithm>

#include "designer/canvas/CanvasRounding.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "framework/ClientDC.h"

namespace {

const UINT kPanInterval = 10;
const int kPanDeadZone = 16;

BOOL KeyDown(int nKey) { return ::GetKeyState(nKey) < 0; }

}  // namespace

// ---- mouse ---------------------------------------------------------------

void CDesignCanvas::OnSize(UINT nType, int cx, int cy) { DoSize(nType, cx, cy); }
void CDesignCanvas::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { DoHScroll(nSBCode, nPos); }
void CDesignCanvas::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { DoVScroll(nSBCode, nPos); }
BOOL CDesignCanvas::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { return DoSetCursor(pWnd, nHitTest, message); }
void CDesignCanvas::OnLButtonDown(UINT nFlags, CPoint point) { DoLButtonDown(nFlags, point); }
void CDesignCanvas::OnLButtonUp(UINT nFlags, CPoint point) { DoLButtonUp(nFlags, point); }
void CDesignCanvas::OnLButtonDblClk(UINT nFlags, CPoint point) { DoLButtonDblClk(nFlags, point); }
void CDesignCanvas::OnRButtonDown(UINT nFlags, CPoint point) { DoRButtonDown(nFlags, point); }
void CDesignCanvas::OnRButtonUp(UINT nFlags, CPoint point) { DoRButtonUp(nFlags, point); }
void CDesignCanvas::OnMButtonDown(UINT nFlags, CPoint point) { DoMButtonDown(nFlags, point); }
void CDesignCanvas::OnMouseMove(UINT nFlags, CPoint point) { DoMouseMove(nFlags, point); }
BOOL CDesignCanvas::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return DoMouseWheel(nFlags, zDelta, pt); }
void CDesignCanvas::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { DoKeyDown(nChar, nRepCnt, nFlags); }
void CDesignCanvas::OnElementCommand(UINT nID) { DoElementCommand(nID); }
UINT CDesignCanvas::OnGetDlgCode() { return DLGC_WANTALLKEYS; }
void CDesignCanvas::OnKillFocus(CWnd*) { StopPanning(); }

void CDesignCanvas::DoSize(UINT, int, int) { UpdateScrollBars(); }

void CDesignCanvas::DoLButtonDown(UINT nFlags, CPoint point)
{
    BeginPress();
    BOOL ctrl = (nFlags & MK_CONTROL) != 0;
    CPoint q = ClientToPage(point);
    if (m_pList != NULL) {
        if (SelectedCount() > 1 && !ctrl)
            GrabSelection(q, point);
        if (m_nDragMode == CANVAS_DRAG_ADD && !PlacePrototype(q))
            return;
        if (m_nDragMode == CANVAS_DRAG_NONE)
            SelectAtPoint(point, ctrl);
    }
    if (SelectedCount() == 0 && m_nDragMode == CANVAS_DRAG_NONE) {
        m_rubberBand = CRect(point, point);
        m_nDragMode = CANVAS_DRAG_RUBBER;
    }
    if (m_nDragMode != CANVAS_DRAG_NONE)
        Redraw();
}

void CDesignCanvas::BeginPress()
{
    StopPanning();
    SetFocus();
    SetCapture();
    if (m_nDragMode != CANVAS_DRAG_ADD) {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_nDragHandle = 0;
    }
    m_pDragAnchor = NULL;
}

void CDesignCanvas::GrabSelection(CPoint pagePoint, CPoint point)
{
    int count = m_pList->GetCount();
    for (int i = 0; i < count; ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->IsSelected() && p->HitTest(pagePoint) == UIHANDLE_BODY) {
            m_nDragMode = CANVAS_DRAG_MOVE;
            RecordGrab(p, point);
            m_pDragAnchor = p;
        }
    }
    if (m_nDragMode == CANVAS_DRAG_MOVE) {
        ::SetCursor(m_pDragAnchor->GetHandleCursor(UIHANDLE_BODY));
        m_pList->SaveUndo();
    }
}

BOOL CDesignCanvas::PlacePrototype(CPoint pagePoint)
{
    if (!PointInKeepArea(pagePoint) || m_pPrototype == NULL) {
        m_nDragMode = CANVAS_DRAG_NONE;
        return FALSE;
    }
    m_pList->SaveUndo();
    m_pList->DeselectAll();
    CUIControl* pNew = m_pPrototype->Clone();
    if (m_bSnapToGrid)
        pagePoint = CPoint(SnapX(pagePoint.x), SnapY(pagePoint.y));
    pNew->SetRect((double)pagePoint.x, (double)pagePoint.y, (double)pagePoint.x, (double)pagePoint.y);
    pNew->SetSelected(TRUE);
    m_pList->Add(pNew);
    m_nDragMode = CANVAS_DRAG_RESIZE;
    m_nDragHandle = UIHANDLE_BOTTOMRIGHT;
    return TRUE;
}

void CDesignCanvas::SelectAtPoint(CPoint point, BOOL bToggle)
{
    if (!bToggle)
        m_pList->DeselectAll();
    CUIControl* pHit = NULL;
    int hit = UIHANDLE_NONE;
    for (int i = m_pList->GetCount() - 1; i >= 0 && pHit == NULL; --i) {
        CUIControl* p = m_pList->GetAt(i);
        CRect cr = PageToClient(p->GetRect());
        hit = p->HitTest(cr, point);
        if (hit != UIHANDLE_NONE)
            pHit = p;
    }
    if (pHit != NULL) {
        pHit->SetSelected(bToggle ? !pHit->IsSelected() : TRUE);
        if (!bToggle && hit == UIHANDLE_BODY) {
            ::SetCursor(pHit->GetHandleCursor(UIHANDLE_BODY));
            m_nDragMode = CANVAS_DRAG_MOVE;
            RecordGrab(pHit, point);
            if (SelectedCount() > 1)
                m_pDragAnchor = pHit;
        } else if (!bToggle) {
            m_nDragMode = CANVAS_DRAG_RESIZE;
            m_nDragHandle = hit;
        }
    }
    if (m_nDragMode != CANVAS_DRAG_NONE)
        m_pList->SaveUndo();
}

void CDesignCanvas::RecordGrab(CUIControl* pControl, CPoint point)
{
    m_dragOffset = point - PageToClient(pControl->GetRect()).TopLeft();
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    m_grabX = (point.x + GetHScrollPos()) / zoom - pControl->GetLeft();
    m_grabY = (point.y + GetVScrollPos()) / zoom - pControl->GetTop();
}

void CDesignCanvas::MoveSelection(CPoint point)
{
    CUIControl* pMoved = m_pDragAnchor ? m_pDragAnchor : TopSelected();
    if (pMoved == NULL)
        return;
    // The element's corner keeps its distance from the pointer in page
    // units, so below zoom 1 it does not jump to the client pixel grid.
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    CPoint corner(Nearest((point.x + GetHScrollPos()) / zoom - m_grabX),
                  Nearest((point.y + GetVScrollPos()) / zoom - m_grabY));
    if (m_bSnapToGrid)
        corner = CPoint(SnapX(corner.x), SnapY(corner.y));
    double w = pMoved->GetRight() - pMoved->GetLeft(), h = pMoved->GetBottom() - pMoved->GetTop();
    if (m_pDragAnchor == NULL) {
        double l = corner.x, t = corner.y, r = l + w, b = t + h;
        ClampRect(l, t, r, b);
        pMoved->SetRect(l, t, r, b);
        return;
    }
    double dx = corner.x - pMoved->GetLeft(), dy = corner.y - pMoved->GetTop();
    ClampMoveDelta(dx, dy);
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->IsSelected())
            p->Offset(dx, dy);
    }
}

void CDesignCanvas::ResizeSelection(CPoint point)
{
    CUIControl* p = TopSelected();
    if (p == NULL)
        return;
    CPoint q = ClientToPage(point);
    if (m_bSnapToGrid)
        q = CPoint(SnapX(q.x), SnapY(q.y));
    double l = p->GetLeft(), t = p->GetTop(), r = p->GetRight(), b = p->GetBottom();
    BOOL moveL = FALSE, moveT = FALSE, moveR = FALSE, moveB = FALSE;
    switch (m_nDragHandle) {
    case UIHANDLE_TOPLEFT: moveL = moveT = TRUE; break;
    case UIHANDLE_TOP: moveT = TRUE; break;
    case UIHANDLE_TOPRIGHT: moveR = moveT = TRUE; break;
    case UIHANDLE_BOTTOMLEFT: moveL = moveB = TRUE; break;
    case UIHANDLE_BOTTOM: moveB = TRUE; break;
    case UIHANDLE_BOTTOMRIGHT: moveR = moveB = TRUE; break;
    case UIHANDLE_LEFT: moveL = TRUE; break;
    case UIHANDLE_RIGHT: moveR = TRUE; break;
    default: return;
    }
    CSize minSize = p->GetMinSize(), maxSize = p->GetMaxSize();
    double dummy = 0;
    if (moveL || moveR) {
        double x = q.x;
        double span = moveL ? r - x : x - l;
        if (minSize.cx != -1 && span < minSize.cx)
            span = minSize.cx;
        if (maxSize.cx != -1 && span > maxSize.cx)
            span = maxSize.cx;
        x = moveL ? r - span : l + span;
        dummy = moveT ? t : b;
        ClampPoint(x, dummy);
        (moveL ? l : r) = x;
    }
    if (moveT || moveB) {
        double y = q.y;
        double span = moveT ? b - y : y - t;
        if (minSize.cy != -1 && span < minSize.cy)
            span = minSize.cy;
        if (maxSize.cy != -1 && span > maxSize.cy)
            span = maxSize.cy;
        y = moveT ? b - span : t + span;
        dummy = moveL ? l : r;
        ClampPoint(dummy, y);
        (moveT ? t : b) = y;
    }
    p->SetRect(l, t, r, b);
}

void CDesignCanvas::DoMouseMove(UINT, CPoint point)
{
    if (m_nDragMode == CANVAS_DRAG_NONE || m_nDragMode == CANVAS_DRAG_ADD)
        return;
    int dx = 0, dy = 0;
    if (m_nDragMode == CANVAS_DRAG_RUBBER) {
        DrawRubberBand();
        AutoScroll(point, dx, dy);
        m_rubberBand.left -= dx;
        m_rubberBand.top -= dy;
        m_rubberBand.right = point.x;
        m_rubberBand.bottom = point.y;
        DrawRubberBand();
        return;
    }
    if (m_nDragMode == CANVAS_DRAG_MOVE)
        MoveSelection(point);
    else if (m_nDragMode == CANVAS_DRAG_RESIZE)
        ResizeSelection(point);
    AutoScroll(point, dx, dy);
    Redraw();
}

void CDesignCanvas::FinishDrag()
{
    if (m_pList == NULL)
        return;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        CRect r = p->GetRect();
        if (m_nDragMode == CANVAS_DRAG_MOVE) {
            if (m_bSnapToGrid)
                r.OffsetRect(SnapX(r.left) - r.left, SnapY(r.top) - r.top);
            p->SetRect(r);
        } else if (m_bSnapToGrid) {
            int h = m_nDragHandle;
            if (h == UIHANDLE_TOPLEFT || h == UIHANDLE_BOTTOMLEFT || h == UIHANDLE_LEFT)
                r.left = SnapX(r.left);
            if (h == UIHANDLE_TOPRIGHT || h == UIHANDLE_BOTTOMRIGHT || h == UIHANDLE_RIGHT)
                r.right = SnapX(r.right);
            if (h == UIHANDLE_TOPLEFT || h == UIHANDLE_TOP || h == UIHANDLE_TOPRIGHT)
                r.top = SnapY(r.top);
            if (h == UIHANDLE_BOTTOMLEFT || h == UIHANDLE_BOTTOM || h == UIHANDLE_BOTTOMRIGHT)
                r.bottom = SnapY(r.bottom);
            p->SetRect(r);
        }
    }
    m_pList->SetModified(TRUE);
}

void CDesignCanvas::DoLButtonUp(UINT, CPoint)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_nDragMode == CANVAS_DRAG_MOVE || m_nDragMode == CANVAS_DRAG_RESIZE) {
        FinishDrag();
    } else if (m_nDragMode == CANVAS_DRAG_RUBBER && m_pList != NULL) {
        m_pList->DeselectAll();
        CRect band = ClientToPage(m_rubberBand);
        if (band.Width() == 0 && band.Height() == 0)
            band.InflateRect(1, 1);
        for (int i = 0; i < ElementCount(); ++i) {
            if (m_pList->GetAt(i)->IntersectsRect(band))
                m_pList->GetAt(i)->SetSelected(TRUE);
        }
    }
    // A click on the empty page showed its deselection on the press: with no
    // band drawn and nothing selected by it the picture is the same.
    CRect band(m_rubberBand);
    band.NormalizeRect();
    const BOOL same = m_nDragMode == CANVAS_DRAG_RUBBER && band.IsRectEmpty() && SelectedCount() == 0;
    m_rubberBand.SetRectEmpty();
    m_pDragAnchor = NULL;
    if (!same)
        Redraw();
    // Placing goes on only when this press was a placement: once Escape or a
    // right press has cancelled it, a click selects again.
    if (m_bMultiCreate && m_pPrototype != NULL && m_bAddPending) {
        m_nDragMode = CANVAS_DRAG_ADD;
    } else {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_bAddPending = FALSE;
    }
    m_nDragHandle = 0;
}

void CDesignCanvas::DoLButtonDblClk(UINT, CPoint)
{
    if (SelectedCount() == 1)
        GetSelectedElement()->ShowProperties(this, TRUE);
}

void CDesignCanvas::DoRButtonDown(UINT, CPoint point)
{
    StopPanning();
    CPoint q = ClientToPage(point);
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->HitTest(q) == UIHANDLE_BODY && !p->IsSelected()) {
            m_pList->DeselectAll();
            p->SetSelected(TRUE);
        }
    }
    Redraw();
    m_nDragMode = CANVAS_DRAG_NONE;
    m_bAddPending = FALSE;
}

void CDesignCanvas::DoRButtonUp(UINT, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    CUIControl* p = SelectedCount() == 1 ? GetSelectedElement() : NULL;
    if (p != NULL && p->HitTest(ClientToPage(point)) == UIHANDLE_BODY)
        p->TrackContextMenu(screen.x, screen.y, this);
    else
        ShowContextMenu(screen);
}

void CDesignCanvas::DoMButtonDown(UINT, CPoint point)
{
    if (m_bPanning) {
        StopPanning();
        return;
    }
    if (!(GetStyle() & (WS_HSCROLL | WS_VSCROLL)))
        return;
    m_panAnchor = point;
    m_bPanning = TRUE;
    SetTimer(m_nPanTimer, kPanInterval);
    Redraw();
}

void CDesignCanvas::StopPanning()
{
    if (!m_bPanning)
        return;
    m_bPanning = FALSE;
    if (m_hWnd != NULL)
        KillTimer(m_nPanTimer);
    Redraw();
}

void CDesignCanvas::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nPanTimer)
        OnPanTimer();
    else
        CWnd::OnTimer(nIDEvent);
}

void CDesignCanvas::OnPanTimer()
{
    KillTimer(m_nPanTimer);
    if (!m_bPanning)
        return;
    CPoint pointer;
    ::GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    SetHScrollPos(GetHScrollPos() + (pointer.x - m_panAnchor.x) / kPanDeadZone);
    SetVScrollPos(GetVScrollPos() + (pointer.y - m_panAnchor.y) / kPanDeadZone);
    Redraw();
    SetTimer(m_nPanTimer, kPanInterval);
}

BOOL CDesignCanvas::DoMouseWheel(UINT, short zDelta, CPoint)
{
    static int s_accumulated = 0;
    s_accumulated += zDelta;
    int lines = s_accumulated / WHEEL_DELTA;
    SCROLLINFO si;
    if ((GetStyle() & WS_VSCROLL) && GetScrollInfo(SB_VERT, &si) && si.nMax != 0) {
        SetVScrollPos(GetVScrollPos() - lines);
        s_accumulated -= lines * WHEEL_DELTA;
        Redraw();
    }
    return TRUE;
}

HCURSOR CDesignCanvas::GetCursorForPoint(CPoint point)
{
    if (m_bPanning) {
        int dx = point.x - m_panAnchor.x, dy = point.y - m_panAnchor.y;
        BOOL sideways = dx > kPanDeadZone || dx < -kPanDeadZone;
        if (sideways && dy > kPanDeadZone)
            return m_panCursors[dx > 0 ? 3 : 1];
        if (sideways && dy < -kPanDeadZone)
            return m_panCursors[dx > 0 ? 1 : 3];
        return m_panCursors[sideways ? 2 : 0];
    }
    if (m_nDragMode == CANVAS_DRAG_ADD)
        return ::LoadCursor(NULL, IDC_CROSS);
    HCURSOR hCursor = NULL;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        int hit = p->HitTest(PageToClient(p->GetRect()), point);
        if (hit > UIHANDLE_BODY)
            hCursor = p->GetHandleCursor(hit);
    }
    return hCursor;
}

BOOL CDesignCanvas::DoSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        HCURSOR hCursor = GetCursorForPoint(point);
        if (hCursor != NULL) {
            ::SetCursor(hCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- keyboard ------------------------------------------------------------

void CDesignCanvas::StepSelection(UINT nChar, BOOL bResize)
{
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    double sx = (m_bSnapToGrid ? m_gridSize.cx : 1) / zoom;
    double sy = (m_bSnapToGrid ? m_gridSize.cy : 1) / zoom;
    sx = sx < 1.0 ? 1.0 : sx;
    sy = sy < 1.0 ? 1.0 : sy;
    double dx = 0, dy = 0;
    switch (nChar) {
    case VK_DOWN: dy = sy; break;
    case VK_UP: dy = -sy; break;
    case VK_RIGHT: dx = sx; break;
    case VK_LEFT: dx = -sx; break;
    default: return;
    }
    if (SelectedCount() == 0)
        return;
    ClampMoveDelta(dx, dy);
    m_pList->SaveUndo();
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        if (bResize) {
            int r = Nearest(p->GetRight() + dx), b = Nearest(p->GetBottom() + dy);
            if (m_bSnapToGrid) {
                r = dx != 0 ? SnapX(r) : r;
                b = dy != 0 ? SnapY(b) : b;
            }
            p->SetRect(p->GetLeft(), p->GetTop(), dx != 0 ? r : p->GetRight(), dy != 0 ? b : p->GetBottom());
            continue;
        }
        double w = p->GetRight() - p->GetLeft(), h = p->GetBottom() - p->GetTop();
        double l = p->GetLeft() + dx, t = p->GetTop() + dy;
        if (m_bSnapToGrid) {
            l = SnapX(Nearest(l));
            t = SnapY(Nearest(t));
        }
        double r = l + w, b = t + h;
        ClampRect(l, t, r, b);
        p->SetRect(Nearest(l), Nearest(t), Nearest(r), Nearest(b));
    }
    m_pList->SetModified(TRUE);
}

void CDesignCanvas::DoKeyDown(UINT nChar, UINT, UINT)
{
    StopPanning();
    BOOL shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    if (m_pList != NULL) {
        switch (nChar) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: StepSelection(nChar, shift); break;
        case VK_PRIOR: ctrl ? OrderTop() : OrderUp(); break;
        case VK_NEXT: ctrl ? OrderBottom() : OrderDown(); break;
        case VK_DELETE: shift ? Cut() : DeleteSelected(); break;
        case VK_INSERT: shift ? Paste() : DuplicateSelected(); break;
        case VK_RETURN:
            if (ctrl)
                ShowSelectedProperties();
            break;
        case 'A':
            if (ctrl) SelectAll();
            break;
        case 'X':
            if (ctrl) Cut();
            break;
        case 'V':
            if (ctrl) Paste();
            break;
        case 'C':
            if (ctrl) Copy();
            break;
        case 'Z':
            if (ctrl) Undo();
            break;
        default: break;
        }
        // held keys: the picture follows once the repeats waiting are done;
        // the zoom keys redraw through SetZoom
        MSG next;
        if (::PeekMessage(&next, m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD))
            Invalidate(FALSE);
        else if (nChar != VK_ADD && nChar != VK_SUBTRACT)
            Redraw();
    }
    if (nChar == VK_ESCAPE) {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_bAddPending = FALSE;
    } else if (nChar == VK_ADD) {
        SetZoom(m_zoom + m_zoomStep);
    } else if (nChar == VK_SUBTRACT) {
        SetZoom(m_zoom - m_zoomStep);
    }
}

// ---- placing -------------------------------------------------------------

void CDesignCanvas::DeletePrototype()
{
    delete m_pPrototype;
    m_pPrototype = NULL;
}

void CDesignCanvas::SetPrototype(CUIControl* pPrototype)
{
    if (pPrototype != m_pPrototype)
        DeletePrototype();
    m_pPrototype = pPrototype;
    if (pPrototype != NULL) {
        m_bAddPending = TRUE;
        m_nDragMode = CANVAS_DRAG_ADD;
        ::SetCursor(::LoadCursor(NULL, IDC_CROSS));
    } else {
        m_bAddPending = FALSE;
        m_nDragMode = CANVAS_DRAG_NONE;
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    }
}

void CDesignCanvas::SetMultiCreate(BOOL bOn)
{
    m_bMultiCreate = bOn;
    m_nDragMode = CANVAS_DRAG_NONE;
    m_bAddPending = FALSE;
    DeletePrototype();
}
