#include "skin/objects/SkinObjectBars.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"
#include "skin/support/SysServices.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CVZRSkinObjectMenu, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectProgress, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectStatusBar, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectSpin, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectTrackBar, CVZRSkinObjectFrame)

namespace {
const UINT kSelectItem = 0x01E5;

CVZRSkinContext& SkinOf(CVZRSkinObject* object) { return *object->GetEngine()->GetContext(); }

POINT PointOf(LPARAM lParam)
{
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return pt;
}
}  // namespace

// ---- popup menu

BEGIN_MESSAGE_MAP(CVZRSkinObjectMenu, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_NCPAINT, &CVZRSkinObjectMenu::OnNcPaint)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectMenu::OnPaint)
    ON_MESSAGE(WM_PRINT, &CVZRSkinObjectMenu::OnPrint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectMenu::OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectMenu::OnEraseBkgnd)
    ON_MESSAGE(kSelectItem, &CVZRSkinObjectMenu::OnSelectItem)
    ON_MESSAGE(WM_KEYDOWN, &CVZRSkinObjectMenu::OnKeyDown)
    ON_MESSAGE(WM_SYSKEYDOWN, &CVZRSkinObjectMenu::OnKeyDown)
    ON_MESSAGE(WM_CHAR, &CVZRSkinObjectMenu::OnChar)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectMenu::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_WINDOWPOSCHANGING && lParam) {
        // A system menu opened from a skinned caption sits by the skin's borders.
        POINT offset = GetSkinMenuOffset();
        WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        pos->x += offset.x;
        pos->y += offset.y;
        return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
    }
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

void CVZRSkinObjectMenu::DrawClient(HDC dc)
{
    PaintPopupMenuClient(SkinOf(this), m_hWnd, dc,
                         [this](UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); });
}

LRESULT CVZRSkinObjectMenu::OnNcPaint(WPARAM, LPARAM)
{
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc) {
        PaintPopupMenuBorder(m_hWnd, dc);
        ::ReleaseDC(m_hWnd, dc);
    }
    return 0;
}

LRESULT CVZRSkinObjectMenu::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        DrawClient(dc.m_hDC);
    return 0;
}

LRESULT CVZRSkinObjectMenu::OnPrint(WPARAM wParam, LPARAM lParam)
{
    HDC dc = (HDC)wParam;
    if (!dc)
        return 0;
    if (lParam & PRF_NONCLIENT)
        PaintPopupMenuBorder(m_hWnd, dc);
    if (lParam & PRF_CLIENT) {
        RECT window, client;
        ::GetWindowRect(m_hWnd, &window);
        ::GetClientRect(m_hWnd, &client);
        ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<POINT*>(&client), 2);
        POINT old;
        ::OffsetWindowOrgEx(dc, -(client.left - window.left), -(client.top - window.top), &old);
        DrawClient(dc);
        ::SetWindowOrgEx(dc, old.x, old.y, NULL);
    }
    return 1;
}

LRESULT CVZRSkinObjectMenu::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (wParam)
        DrawClient((HDC)wParam);
    return 1;
}

LRESULT CVZRSkinObjectMenu::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CVZRSkinObjectMenu::OnSelectItem(WPARAM, LPARAM)
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    LRESULT result = Default();
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return result;
}

LRESULT CVZRSkinObjectMenu::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (wParam != VK_UP && wParam != VK_DOWN)
        return Default();
    HWND window = m_hWnd;
    ::SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    LRESULT result = Default();
    if (::IsWindow(window)) {
        ::SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window, NULL, FALSE);
    }
    return result;
}

LRESULT CVZRSkinObjectMenu::OnChar(WPARAM, LPARAM)
{
    HWND window = m_hWnd;
    LRESULT result = Default();
    if (::IsWindow(window))
        ::InvalidateRect(window, NULL, FALSE);
    return result;
}

// ---- progress

BEGIN_MESSAGE_MAP(CVZRSkinObjectProgress, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectProgress::OnCreate)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectProgress::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectProgress::OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectProgress::OnEraseBkgnd)
    ON_MESSAGE(PBM_SETMARQUEE, &CVZRSkinObjectProgress::OnSetMarquee)
    ON_MESSAGE(WM_TIMER, &CVZRSkinObjectProgress::OnTimer)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectProgress::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Timers other than the marquee's are the frame's.
    if (msg == WM_TIMER && wParam != kMarqueeTimer)
        return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectProgress::CVZRSkinObjectProgress()
{
    m_strThemeClass = "PROGRESS";
}

void CVZRSkinObjectProgress::SetStaticEdgeState(int wanted)
{
    if (wanted == m_staticEdgeState)
        return;
    LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, wanted ? exStyle & ~WS_EX_STATICEDGE : exStyle | WS_EX_STATICEDGE);
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_staticEdgeState = wanted;
}

void CVZRSkinObjectProgress::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    CVZRSkinObjectFrame::OnSkinStateChange(bPrevState, bNewState);
    int wanted = GetEngine()->IsEnabled() ? 1 : (CVZRUxThemeBinding().IsAppThemed() ? 1 : 0);
    SetStaticEdgeState(wanted);
}

LRESULT CVZRSkinObjectProgress::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    if (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_STATICEDGE) {
        m_staticEdgeState = 0;
        SetStaticEdgeState(1);
    }
    return 0;
}

LRESULT CVZRSkinObjectProgress::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        PaintProgress(SkinOf(this), m_hWnd, dc.m_hDC, m_marqueeOffset);
    return 0;
}

LRESULT CVZRSkinObjectProgress::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    PaintProgress(SkinOf(this), m_hWnd, (HDC)wParam, m_marqueeOffset);
    return 1;
}

LRESULT CVZRSkinObjectProgress::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CVZRSkinObjectProgress::OnSetMarquee(WPARAM wParam, LPARAM lParam)
{
    m_marqueeOffset = 0;
    m_marqueeInterval = 0;
    if (!(::GetWindowLongA(m_hWnd, GWL_STYLE) & PBS_MARQUEE))
        return Default();
    ::KillTimer(m_hWnd, kMarqueeTimer);
    if (wParam && lParam > 0) {
        m_marqueeInterval = (int)lParam;
        ::SetTimer(m_hWnd, kMarqueeTimer, (UINT)lParam, NULL);
    }
    return 1;
}

LRESULT CVZRSkinObjectProgress::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam != kMarqueeTimer || !(::GetWindowLongA(m_hWnd, GWL_STYLE) & PBS_MARQUEE))
        return Default();
    m_marqueeOffset = AdvanceMarquee(SkinOf(this), m_hWnd, m_marqueeOffset, m_marqueeInterval);
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

// ---- status bar

BEGIN_MESSAGE_MAP(CVZRSkinObjectStatusBar, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectStatusBar::OnCreate)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectStatusBar::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectStatusBar::CVZRSkinObjectStatusBar()
{
    // The schema names the status bar's class STATUS.
    m_strThemeClass = "STATUS";
}

void CVZRSkinObjectStatusBar::ReloadMetrics()
{
    CVZRSkinObjectFrame::ReloadMetrics();
    ::PostMessageA(m_hWnd, WM_WININICHANGE, 0, 0);
}

LRESULT CVZRSkinObjectStatusBar::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    ::SendMessageA(m_hWnd, WM_WININICHANGE, 0, 0);
    return 0;
}

// ---- up-down

BEGIN_MESSAGE_MAP(CVZRSkinObjectSpin, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectSpin::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectSpin::OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectSpin::OnEraseBkgnd)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectSpin::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectSpin::OnMouseLeave)
    ON_MESSAGE(WM_LBUTTONDOWN, &CVZRSkinObjectSpin::OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, &CVZRSkinObjectSpin::OnLButtonUp)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectSpin::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectSpin::CVZRSkinObjectSpin()
{
    m_strThemeClass = "SPIN";
}

int CVZRSkinObjectSpin::ButtonAt(POINT pt) const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    SIZE size = {client.right, client.bottom};
    return SpinButtonAt(pt, size, (::GetWindowLongA(m_hWnd, GWL_STYLE) & UDS_HORZ) != 0);
}

void CVZRSkinObjectSpin::SetHot(POINT pt)
{
    const int hot = ButtonAt(pt);
    SetControlHot(m_hWnd, m_hot, hot, hot != 0);
}

LRESULT CVZRSkinObjectSpin::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        PaintSpin(SkinOf(this), m_hWnd, dc.m_hDC, m_hot, m_pressed);
    return 0;
}

LRESULT CVZRSkinObjectSpin::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    PaintSpin(SkinOf(this), m_hWnd, (HDC)wParam, m_hot, m_pressed);
    return 1;
}

LRESULT CVZRSkinObjectSpin::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CVZRSkinObjectSpin::OnMouseMove(WPARAM, LPARAM lParam)
{
    SetHot(PointOf(lParam));
    return Default();
}

LRESULT CVZRSkinObjectSpin::OnMouseLeave(WPARAM, LPARAM)
{
    POINT pt = {-1, -1};
    SetHot(pt);
    return Default();
}

LRESULT CVZRSkinObjectSpin::OnLButtonDown(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    int button = ButtonAt(PointOf(lParam));
    if (button) {
        m_pressed = button;
        ::InvalidateRect(m_hWnd, NULL, FALSE);
    }
    return result;
}

LRESULT CVZRSkinObjectSpin::OnLButtonUp(WPARAM, LPARAM)
{
    if (m_pressed) {
        m_pressed = 0;
        ::InvalidateRect(m_hWnd, NULL, FALSE);
    }
    return Default();
}

// ---- trackbar

BEGIN_MESSAGE_MAP(CVZRSkinObjectTrackBar, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectTrackBar::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectTrackBar::OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectTrackBar::OnEraseBkgnd)
    ON_MESSAGE(TBM_SETTICFREQ, &CVZRSkinObjectTrackBar::OnSetTicFreq)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectTrackBar::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectTrackBar::OnMouseLeave)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectTrackBar::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectTrackBar::CVZRSkinObjectTrackBar()
{
    m_strThemeClass = "TRACKBAR";
}

LRESULT CVZRSkinObjectTrackBar::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        PaintTrackbar(SkinOf(this), m_hWnd, dc.m_hDC, m_bHot != FALSE, m_tickFrequency);
    return 0;
}

LRESULT CVZRSkinObjectTrackBar::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    PaintTrackbar(SkinOf(this), m_hWnd, (HDC)wParam, m_bHot != FALSE, m_tickFrequency);
    return 1;
}

LRESULT CVZRSkinObjectTrackBar::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CVZRSkinObjectTrackBar::OnSetTicFreq(WPARAM wParam, LPARAM)
{
    m_tickFrequency = (int)wParam;
    return Default();
}

void CVZRSkinObjectTrackBar::SetHot(POINT pt)
{
    RECT thumb = {0, 0, 0, 0};
    ::SendMessageA(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    const BOOL hot = ::PtInRect(&thumb, pt);
    SetControlHot(m_hWnd, m_bHot, hot, hot != FALSE);
}

LRESULT CVZRSkinObjectTrackBar::OnMouseMove(WPARAM, LPARAM lParam)
{
    SetHot(PointOf(lParam));
    return Default();
}

LRESULT CVZRSkinObjectTrackBar::OnMouseLeave(WPARAM, LPARAM)
{
    POINT pt = {-1, -1};
    SetHot(pt);
    return Default();
}
