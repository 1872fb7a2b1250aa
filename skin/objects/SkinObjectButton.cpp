#include "skin/objects/SkinObjectButton.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"
#include "skin/objects/ControlStates.h"

IMPLEMENT_DYNCREATE(CVZRSkinObjectButton, CVZRSkinObjectFrame)

BEGIN_MESSAGE_MAP(CVZRSkinObjectButton, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectButton::OnEraseBkgnd)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectButton::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectButton::OnMouseLeave)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectButton::OnCreate)
    ON_MESSAGE(WM_SETFOCUS, &CVZRSkinObjectButton::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_KILLFOCUS, &CVZRSkinObjectButton::OnDefaultThenInvalidate)
    ON_MESSAGE(BM_SETCHECK, &CVZRSkinObjectButton::OnDefaultThenInvalidate)
    ON_MESSAGE(BM_SETSTYLE, &CVZRSkinObjectButton::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_CAPTURECHANGED, &CVZRSkinObjectButton::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_ENABLE, &CVZRSkinObjectButton::OnEnable)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectButton::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectButton::OnPrintClient)
    ON_MESSAGE(WM_UPDATEUISTATE, &CVZRSkinObjectButton::OnUpdateUIState)
    ON_MESSAGE(BM_SETSTATE, &CVZRSkinObjectButton::OnSetState)
    ON_MESSAGE(WM_SETTEXT, &CVZRSkinObjectButton::OnSetText)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectButton::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectButton::CVZRSkinObjectButton()
{
    m_strThemeClass = "BUTTON";
    m_ctlColorMessage = WM_CTLCOLORBTN;
}

bool CVZRSkinObjectButton::IsSkinnedType() const
{
    return ButtonType((DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE)) <= BS_PUSHBOX;
}

void CVZRSkinObjectButton::OnDraw(HDC dc)
{
    PaintButton(*GetEngine()->GetContext(), m_hWnd, dc, m_bHot != FALSE, m_bPushed != FALSE);
}

void CVZRSkinObjectButton::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    CVZRSkinObjectFrame::OnSkinStateChange(bPrevState, bNewState);
    m_bHot = FALSE;
    m_bPushed = FALSE;
}

BOOL CVZRSkinObjectButton::HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (!IsSkinnedType())
        return FALSE;
    return CVZRSkinObjectFrame::HandleSubclassMessage(msg, wParam, lParam, result);
}

BOOL CVZRSkinObjectButton::HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    // Also reached through CallWindowProc from a class library's subclass: an
    // owner-drawn button (maybe made so after creation) paints through its parent.
    if (!IsSkinnedType())
        return FALSE;
    if ((msg == WM_PAINT || msg == WM_PRINTCLIENT) && wParam) {
        OnDraw((HDC)wParam);
        result = 1;
        return TRUE;
    }
    return CVZRSkinObjectFrame::HandleDefProcMessage(msg, wParam, lParam, result);
}

BOOL CVZRSkinObjectButton::HandledInDefProc(UINT msg)
{
    if (msg == WM_TIMER)
        return FALSE;
    if (IsWindowsForms() && (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC))
        return FALSE;
    return CVZRSkinObjectFrame::HandledInDefProc(msg);
}

LRESULT CVZRSkinObjectButton::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

void CVZRSkinObjectButton::SetHot(POINT pt)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const BOOL hot = ::PtInRect(&client, pt);
    SetControlHot(m_hWnd, m_bHot, hot, hot != FALSE);
}

LRESULT CVZRSkinObjectButton::OnMouseMove(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    if (ButtonType((DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE)) != BS_GROUPBOX) {
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        SetHot(pt);
    }
    return result;
}

LRESULT CVZRSkinObjectButton::OnMouseLeave(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (ButtonType((DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE)) != BS_GROUPBOX) {
        POINT pt = {-1, -1};
        SetHot(pt);
    }
    return result;
}

LRESULT CVZRSkinObjectButton::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

LRESULT CVZRSkinObjectButton::OnDefaultThenInvalidate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return result;
}

LRESULT CVZRSkinObjectButton::OnEnable(WPARAM, LPARAM)
{
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

LRESULT CVZRSkinObjectButton::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        OnDraw(dc.m_hDC);
    return 0;
}

LRESULT CVZRSkinObjectButton::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    OnDraw((HDC)wParam);
    return 1;
}

LRESULT CVZRSkinObjectButton::OnUpdateUIState(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ::DefWindowProcA(m_hWnd, WM_UPDATEUISTATE, wParam, lParam);
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return result;
}

LRESULT CVZRSkinObjectButton::OnSetState(WPARAM wParam, LPARAM)
{
    // Without WS_VISIBLE the system changes the state and draws nothing.
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    bool visible = (style & WS_VISIBLE) != 0;
    if (visible)
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_VISIBLE);
    Default();
    if (visible)
        ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    m_bPushed = wParam != 0;
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

LRESULT CVZRSkinObjectButton::OnSetText(WPARAM, LPARAM)
{
    LRESULT result = Default();
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return result;
}
