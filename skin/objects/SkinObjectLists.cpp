#include "skin/objects/SkinObjectLists.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CVZRSkinObjectListBox, CVZRSkinObject)
IMPLEMENT_DYNCREATE(CVZRSkinObjectListView, CVZRSkinObject)
IMPLEMENT_DYNCREATE(CVZRSkinObjectTreeView, CVZRSkinObject)
IMPLEMENT_DYNCREATE(CVZRSkinObjectHeader, CVZRSkinObject)

CVZRSkinObjectListBox::CVZRSkinObjectListBox()
{
    m_strThemeClass = "LISTBOX";
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectListView, CVZRSkinObject)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectListView::OnCreate)
    ON_MESSAGE(WM_HSCROLL, &CVZRSkinObjectListView::OnHScroll)
    ON_MESSAGE(WM_VSCROLL, &CVZRSkinObjectListView::OnVScroll)
END_MESSAGE_MAP()

CVZRSkinObjectListView::CVZRSkinObjectListView()
{
    m_strThemeClass = "LISTVIEW";
}

void CVZRSkinObjectListView::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    ApplyListViewColors(*GetEngine()->GetContext(), m_hWnd, bNewState != FALSE);
    CVZRSkinObject::OnSkinStateChange(bPrevState, bNewState);
}

LRESULT CVZRSkinObjectListView::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    if (GetEngine()->IsEnabled())
        ApplyListViewColors(*GetEngine()->GetContext(), m_hWnd, true);
    return 0;
}

LRESULT CVZRSkinObjectListView::OnHScroll(WPARAM wParam, LPARAM lParam)
{
    int code = LOWORD(wParam);
    if (GetEngine()->IsWin9x() && !lParam && (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)) {
        int dx = (short)HIWORD(wParam) - ::GetScrollPos(m_hWnd, SB_HORZ);
        ::SendMessageA(m_hWnd, LVM_SCROLL, dx, 0);
        return 0;
    }
    LRESULT result = Default();
    return result;
}

LRESULT CVZRSkinObjectListView::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    int code = LOWORD(wParam);
    if (GetEngine()->IsWin9x() && !lParam && (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)) {
        int rows = (short)HIWORD(wParam) - ::GetScrollPos(m_hWnd, SB_VERT);
        int spacing = HIWORD(::SendMessageA(m_hWnd, LVM_GETITEMSPACING, TRUE, 0));
        ::SendMessageA(m_hWnd, LVM_SCROLL, 0, rows * spacing);
        return 0;
    }
    LRESULT result = Default();
    return result;
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectTreeView, CVZRSkinObject)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectTreeView::OnCreate)
END_MESSAGE_MAP()

CVZRSkinObjectTreeView::CVZRSkinObjectTreeView()
{
    m_strThemeClass = "TREEVIEW";
}

void CVZRSkinObjectTreeView::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    ApplyTreeViewColors(*GetEngine()->GetContext(), m_hWnd, bNewState != FALSE);
    CVZRSkinObject::OnSkinStateChange(bPrevState, bNewState);
}

LRESULT CVZRSkinObjectTreeView::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    if (GetEngine()->IsEnabled()) {
        CVZRSkinContext& skin = *GetEngine()->GetContext();
        ::SendMessageA(m_hWnd, TVM_SETBKCOLOR, 0, SkinColor(skin, COLOR_WINDOW));
        ::SendMessageA(m_hWnd, TVM_SETTEXTCOLOR, 0, SkinColor(skin, COLOR_WINDOWTEXT));
    }
    return 0;
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectHeader, CVZRSkinObject)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectHeader::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectHeader::OnPrintClient)
    ON_MESSAGE(WM_LBUTTONDOWN, &CVZRSkinObjectHeader::OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, &CVZRSkinObjectHeader::OnLButtonUp)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectHeader::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectHeader::OnMouseLeave)
END_MESSAGE_MAP()

CVZRSkinObjectHeader::CVZRSkinObjectHeader()
{
    m_strThemeClass = "HEADER";
}

void CVZRSkinObjectHeader::Draw(HDC dc)
{
    PaintHeader(
        *GetEngine()->GetContext(), m_hWnd, dc, m_hotItem, m_bPressed != FALSE,
        [this](UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); },
        GetEngine()->GetComCtlVersion());
}

LRESULT CVZRSkinObjectHeader::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        Draw(dc.m_hDC);
    return 0;
}

LRESULT CVZRSkinObjectHeader::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    Draw((HDC)wParam);
    return 1;
}

LRESULT CVZRSkinObjectHeader::OnLButtonDown(WPARAM, LPARAM lParam)
{
    HDHITTESTINFO hit = {};
    hit.pt.x = (short)LOWORD(lParam);
    hit.pt.y = (short)HIWORD(lParam);
    if (::SendMessageA(m_hWnd, HDM_HITTEST, 0, (LPARAM)&hit) >= 0 && (hit.flags & HHT_ONHEADER))
        m_bPressed = TRUE;
    return Default();
}

LRESULT CVZRSkinObjectHeader::OnLButtonUp(WPARAM, LPARAM)
{
    if (m_bPressed) {
        m_bPressed = FALSE;
        ::InvalidateRect(m_hWnd, NULL, FALSE);
    }
    return Default();
}

void CVZRSkinObjectHeader::SetHot(POINT pt)
{
    HDHITTESTINFO hit = {};
    hit.pt = pt;
    int item = pt.x < 0 ? -1 : (int)::SendMessageA(m_hWnd, HDM_HITTEST, 0, (LPARAM)&hit);
    if (item == m_hotItem)
        return;
    m_hotItem = item;
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    if (item >= 0) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
    }
}

LRESULT CVZRSkinObjectHeader::OnMouseMove(WPARAM, LPARAM lParam)
{
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    SetHot(pt);
    return Default();
}

LRESULT CVZRSkinObjectHeader::OnMouseLeave(WPARAM, LPARAM)
{
    POINT pt = {-1, -1};
    SetHot(pt);
    return Default();
}
