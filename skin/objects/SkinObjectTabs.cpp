#include "skin/objects/SkinObjectTabs.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"
#include "skin/support/DrawHelpers.h"

IMPLEMENT_DYNCREATE(CVZRSkinObjectTab, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectToolBar, CVZRSkinObjectFrame)

BEGIN_MESSAGE_MAP(CVZRSkinObjectTab, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectTab::OnEraseBkgnd)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectTab::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectTab::OnPrintClient)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectTab::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectTab::OnMouseLeave)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectTab::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectTab::CVZRSkinObjectTab()
{
    m_strThemeClass = "TAB";
}

LRESULT CVZRSkinObjectTab::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    HDC dc = (HDC)wParam;
    if (!dc)
        return 1;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CVZRMemoryCanvas canvas(dc, client);
    PaintTabBackground(*GetEngine()->GetContext(), m_hWnd, canvas, client);
    return 1;
}

LRESULT CVZRSkinObjectTab::OnPaint(WPARAM wParam, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (!dc.IsValid())
        return 0;
    CVZRSkinContext& skin = *GetEngine()->GetContext();
    // A DC passed in wParam came without WM_ERASEBKGND.
    if (wParam && dc.m_hDC == (HDC)wParam) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        PaintTabBackground(skin, m_hWnd, dc.m_hDC, client);
    }
    PaintTab(skin, m_hWnd, dc.m_hDC, m_hotItem);
    return 0;
}

LRESULT CVZRSkinObjectTab::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (wParam)
        PaintTab(*GetEngine()->GetContext(), m_hWnd, (HDC)wParam, m_hotItem);
    return 1;
}

void CVZRSkinObjectTab::SetHot(POINT pt)
{
    int hot = pt.x < 0 ? -1 : TabItemAt(m_hWnd, pt);
    if (hot == m_hotItem)
        return;
    m_hotItem = hot;
    RECT band = GetTabBand(*GetEngine()->GetContext(), m_hWnd);
    ::InvalidateRect(m_hWnd, &band, FALSE);
    if (hot >= 0) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
    }
}

LRESULT CVZRSkinObjectTab::OnMouseMove(WPARAM, LPARAM lParam)
{
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    SetHot(pt);
    return Default();
}

LRESULT CVZRSkinObjectTab::OnMouseLeave(WPARAM, LPARAM)
{
    POINT pt = {-1, -1};
    SetHot(pt);
    return Default();
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectToolBar, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectToolBar::OnPaint)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectToolBar::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectToolBar::CVZRSkinObjectToolBar()
{
    m_strThemeClass = "TOOLBAR";
}

LRESULT CVZRSkinObjectToolBar::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        PaintToolbar(*GetEngine()->GetContext(), m_hWnd, dc.m_hDC, GetEngine()->GetComCtlVersion());
    return 0;
}
