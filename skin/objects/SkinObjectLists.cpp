#include "skin/objects/SkinObjectLists.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"

#include <commctrl.h>

#include <vector>

IMPLEMENT_DYNCREATE(CVZRSkinObjectListBox, CVZRSkinObjectScrollFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectListView, CVZRSkinObjectScrollFrame9x)
IMPLEMENT_DYNCREATE(CVZRSkinObjectTreeView, CVZRSkinObjectScrollFrame9x)
IMPLEMENT_DYNCREATE(CVZRSkinObjectHeader, CVZRSkinObjectFrame)

CVZRSkinObjectListBox::CVZRSkinObjectListBox()
{
    m_strThemeClass = "LISTBOX";
    m_ctlColorMessage = WM_CTLCOLORLISTBOX;
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectListView, CVZRSkinObjectScrollFrame9x)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectListView::OnCreate)
    ON_MESSAGE(WM_HSCROLL, &CVZRSkinObjectListView::OnHScroll)
    ON_MESSAGE(WM_VSCROLL, &CVZRSkinObjectListView::OnVScroll)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectListView::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectScrollFrame9x::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectListView::CVZRSkinObjectListView()
{
    m_strThemeClass = "LISTVIEW";
    m_ctlColorMessage = WM_CTLCOLORLISTBOX;
}

void CVZRSkinObjectListView::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    ApplyListViewColors(*GetEngine()->GetContext(), m_hWnd, bNewState != FALSE);
    CVZRSkinObjectScrollFrame9x::OnSkinStateChange(bPrevState, bNewState);
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
    RefreshScrollBars();
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
    RefreshScrollBars();
    return result;
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectTreeView, CVZRSkinObjectScrollFrame9x)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectTreeView::OnCreate)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectTreeView::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectScrollFrame9x::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectTreeView::CVZRSkinObjectTreeView()
{
    m_strThemeClass = "TREEVIEW";
    m_ctlColorMessage = WM_CTLCOLORLISTBOX;
}

void CVZRSkinObjectTreeView::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    ApplyTreeViewColors(*GetEngine()->GetContext(), m_hWnd, bNewState != FALSE);
    CVZRSkinObjectScrollFrame9x::OnSkinStateChange(bPrevState, bNewState);
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

BEGIN_MESSAGE_MAP(CVZRSkinObjectHeader, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectHeader::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectHeader::OnPrintClient)
    ON_MESSAGE(WM_LBUTTONDOWN, &CVZRSkinObjectHeader::OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, &CVZRSkinObjectHeader::OnLButtonUp)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectHeader::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectHeader::OnMouseLeave)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectHeader::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

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
    SetControlHot(m_hWnd, m_hotItem, item, item >= 0);
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

IMPLEMENT_DYNCREATE(CVZRSkinObjectMDIClient, CVZRSkinObjectFrame)

void CVZRSkinObjectMDIClient::OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto)
{
    HWND parent = lpcs && lpcs->hwndParent ? lpcs->hwndParent : ::GetParent(m_hWnd);
    m_pParentFrame = parent ? GetEngine()->AcquireSkinObject(parent) : NULL;
    if (CVZRSkinObjectFrame* frame = dynamic_cast<CVZRSkinObjectFrame*>(m_pParentFrame))
        frame->m_pMDIClient = this;
    CVZRSkinObjectFrame::OnSkinAttach(lpcs, bAuto);
}

CVZRSkinObjectMDIClient::~CVZRSkinObjectMDIClient() { UnlinkParentFrame(); }

void CVZRSkinObjectMDIClient::UnlinkParentFrame()
{
    if (!m_pParentFrame)
        return;
    CVZRSkinObjectFrame* frame = dynamic_cast<CVZRSkinObjectFrame*>(m_pParentFrame);
    if (frame && frame->m_pMDIClient == this)
        frame->m_pMDIClient = nullptr;
    m_pParentFrame->Release();
    m_pParentFrame = nullptr;
}

void CVZRSkinObjectMDIClient::OnSkinDetach(BOOL bAuto)
{
    UnlinkParentFrame();
    CVZRSkinObjectFrame::OnSkinDetach(bAuto);
}

BOOL CVZRSkinObjectMDIClient::HandledInDefProc(UINT msg) { return msg == WM_SKINFRAMEWORK_QUERYSTATE; }

void CVZRSkinObjectMDIClient::RedrawBars(bool horizontal, bool vertical)
{
    if (horizontal)
        RedrawScrollBar(m_hBar);
    if (vertical)
        RedrawScrollBar(m_vBar);
}

BOOL CVZRSkinObjectMDIClient::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case 0x003F:  // the children were scrolled
        result = Default();
        RedrawBars(msg != WM_VSCROLL, msg != WM_HSCROLL);
        return TRUE;
    case WM_NCACTIVATE:
        if (!CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result))
            result = Default();
        RedrawBars(true, true);
        return TRUE;
    case WM_SIZE:
        return OnSize(lParam);
    case WM_MDITILE:
    case WM_MDICASCADE:
    case WM_MDIICONARRANGE:
        result = Arrange();
        return TRUE;
    default:
        return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
    }
}

BOOL CVZRSkinObjectMDIClient::OnSize(LPARAM lParam)
{
    if (!(GetEngine()->GetSkinOptions() & kApplyMetrics))
        return FALSE;
    BOOL maximized = FALSE;
    HWND active = (HWND)::SendMessageA(m_hWnd, WM_MDIGETACTIVE, 0, (LPARAM)&maximized);
    CVZRSkinObject* object = active && maximized ? GetEngine()->AcquireSkinObject(active) : NULL;
    CVZRSkinObjectFrame* child = dynamic_cast<CVZRSkinObjectFrame*>(object);
    BOOL moved = FALSE;
    if (child && !child->IsInactive()) {
        RECT b = child->m_borders;
        int cx = LOWORD(lParam), cy = HIWORD(lParam);
        ::MoveWindow(active, -b.left, -b.top, cx + b.left + b.right, cy + b.top + b.bottom, TRUE);
        moved = TRUE;
    }
    if (object)
        object->Release();
    return moved;
}

LRESULT CVZRSkinObjectMDIClient::Arrange()
{
    if (m_bArranging)
        return Default();
    m_bArranging = TRUE;
    std::vector<std::pair<HWND, CVZRSkinObjectFrame*>> children;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CVZRSkinObject* object = GetEngine()->AcquireSkinObject(child);
        CVZRSkinObjectFrame* frame = dynamic_cast<CVZRSkinObjectFrame*>(object);
        if (!frame) {
            if (object)
                object->Release();
            continue;
        }
        children.push_back({child, frame});
        RECT window;
        ::GetWindowRect(child, &window);
        ++frame->m_lockCount;
        ::SendMessageA(child, WM_NCCALCSIZE, FALSE, (LPARAM)&window);
        --frame->m_lockCount;
        ::SetTimer(child, kNonClientResetTimer, 1000, NULL);
    }
    LRESULT result = Default();
    m_bArranging = FALSE;
    for (auto& entry : children) {
        if (::IsWindow(entry.first))
            entry.second->RedrawFrame();
        entry.second->Release();
    }
    return result;
}
