#include "skin/objects/SkinObjectInput.h"

#include "skin/draw/SkinPaintDC.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/ControlPaint.h"
#include "skin/theme/ThemeClass.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CVZRSkinObjectComboBox, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectDateTime, CVZRSkinObjectComboBox)
IMPLEMENT_DYNCREATE(CVZRSkinObjectMonthCal, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectEdit, CVZRSkinObjectScrollFrame)

namespace {
const UINT kComboLeftButtonMessage = 0x00F4;
const int kBgType = 4001;
}  // namespace

BEGIN_MESSAGE_MAP(CVZRSkinObjectComboBox, CVZRSkinObjectFrame)
    ON_MESSAGE(WM_PAINT, &CVZRSkinObjectComboBox::OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, &CVZRSkinObjectComboBox::OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, &CVZRSkinObjectComboBox::OnEraseBkgnd)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectComboBox::OnCreate)
    ON_MESSAGE(WM_MOUSEMOVE, &CVZRSkinObjectComboBox::OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, &CVZRSkinObjectComboBox::OnMouseLeave)
    ON_MESSAGE(WM_SETFOCUS, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_KILLFOCUS, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_CAPTURECHANGED, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_ENABLE, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_UPDATEUISTATE, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(WM_LBUTTONUP, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
    ON_MESSAGE(kComboLeftButtonMessage, &CVZRSkinObjectComboBox::OnDefaultThenInvalidate)
END_MESSAGE_MAP()

BOOL CVZRSkinObjectComboBox::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control's own handlers come before the frame's.
    if (OnWndMsg(msg, wParam, lParam, &result))
        return TRUE;
    return CVZRSkinObjectFrame::HandleControlMessage(msg, wParam, lParam, result);
}

CVZRSkinObjectComboBox::CVZRSkinObjectComboBox()
{
    m_strThemeClass = "COMBOBOX";
}

HBRUSH CVZRSkinObjectComboBox::GetClientBrush(HDC dc)
{
    m_ctlColorMessage = InputCtlColorMessage(m_hWnd, true);
    return CVZRSkinObjectFrame::GetClientBrush(dc);
}

void CVZRSkinObjectComboBox::OnDraw(HDC dc)
{
    PaintComboBox(*GetEngine()->GetContext(), m_hWnd, dc, m_bHot != FALSE,
                  [this](UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); });
}

LRESULT CVZRSkinObjectComboBox::OnPaint(WPARAM, LPARAM)
{
    CVZRSkinPaintDC dc(m_hWnd);
    if (dc.IsValid())
        OnDraw(dc.m_hDC);
    return 0;
}

LRESULT CVZRSkinObjectComboBox::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & PRF_CLIENT) || !wParam)
        return Default();
    OnDraw((HDC)wParam);
    return 1;
}

LRESULT CVZRSkinObjectComboBox::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CVZRSkinObjectComboBox::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    StripInputBorders(m_hWnd);
    return 0;
}

void CVZRSkinObjectComboBox::SetHot(POINT pt)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const BOOL hot = ::PtInRect(&client, pt);
    SetControlHot(m_hWnd, m_bHot, hot, hot != FALSE);
}

LRESULT CVZRSkinObjectComboBox::OnMouseMove(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    SetHot(pt);
    return result;
}

LRESULT CVZRSkinObjectComboBox::OnMouseLeave(WPARAM, LPARAM)
{
    LRESULT result = Default();
    POINT pt = {-1, -1};
    SetHot(pt);
    return result;
}

LRESULT CVZRSkinObjectComboBox::OnDefaultThenInvalidate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return result;
}

BEGIN_MESSAGE_MAP(CVZRSkinObjectDateTime, CVZRSkinObjectComboBox)
    ON_MESSAGE(WM_CREATE, &CVZRSkinObjectDateTime::OnCreate)
    ON_MESSAGE(WM_LBUTTONDOWN, &CVZRSkinObjectDateTime::OnLButtonDown)
END_MESSAGE_MAP()

void CVZRSkinObjectDateTime::OnDraw(HDC dc)
{
    PaintDateTime(*GetEngine()->GetContext(), m_hWnd, dc, m_bHot != FALSE, GetEngine()->GetComCtlVersion(),
                  [this](UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); });
}

void CVZRSkinObjectDateTime::DrawFrame(HDC dc)
{
    CVZRThemeClass* combo = GetEngine()->GetContext()->LookupThemeClass("COMBOBOX");
    int state = !::IsWindowEnabled(m_hWnd) ? 4 : 1 + (m_bHot ? 1 : 0);
    if ((::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && combo->GetEnum(0, state, kBgType, 0) == 0) {
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        ::OffsetRect(&window, -window.left, -window.top);
        RECT inner = window;
        ::InflateRect(&inner, -2, -2);
        int saved = ::SaveDC(dc);
        ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        combo->DrawBackground(dc, 0, state, &window);
        ::RestoreDC(dc, saved);
        return;
    }
    CVZRSkinObjectComboBox::DrawFrame(dc);
}

void CVZRSkinObjectDateTime::ReloadMetrics()
{
    CVZRSkinObjectComboBox::ReloadMetrics();
    SetCalendarColors(*GetEngine()->GetContext(), m_hWnd, true);
}

LRESULT CVZRSkinObjectDateTime::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

LRESULT CVZRSkinObjectDateTime::OnLButtonDown(WPARAM, LPARAM lParam)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int width = GetEngine()->GetMetrics()->GetSystemMetric(SM_CXVSCROLL);
    int x = (short)LOWORD(lParam);
    bool dropButton = x >= client.right - width && x < client.right;
    if (::IsWindowEnabled(m_hWnd) && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & DTS_UPDOWN) && dropButton) {
        ::SetFocus(m_hWnd);
        DefWindowProc(WM_SYSKEYDOWN, VK_DOWN, 0);
        return 0;
    }
    return Default();
}

void CVZRSkinObjectMonthCal::ReloadMetrics()
{
    CVZRSkinObjectFrame::ReloadMetrics();
    SetCalendarColors(*GetEngine()->GetContext(), m_hWnd, false);
}

CVZRSkinObjectEdit::CVZRSkinObjectEdit()
{
    m_strThemeClass = "EDIT";
}

HBRUSH CVZRSkinObjectEdit::GetClientBrush(HDC dc)
{
    m_ctlColorMessage = InputCtlColorMessage(m_hWnd, false);
    return CVZRSkinObjectScrollFrame::GetClientBrush(dc);
}

void CVZRSkinObjectEdit::DrawFrame(HDC dc)
{
    HWND next = ::GetWindow(m_hWnd, GW_HWNDNEXT);
    RECT own, other, overlap;
    ::GetWindowRect(m_hWnd, &own);
    if (next && ::IsWindowVisible(next) && ::GetWindowRect(next, &other) && ::IntersectRect(&overlap, &own, &other) &&
        overlap.right - overlap.left == 2) {
        ::OffsetRect(&overlap, -own.left, -own.top);
        ::ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
    }
    CVZRSkinObjectScrollFrame::DrawFrame(dc);
}
