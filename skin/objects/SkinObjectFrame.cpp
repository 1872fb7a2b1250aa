#include "skin/objects/SkinObjectFrame.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/engine/SkinEngine.h"
#include "skin/support/DrawHelpers.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemeSchema.h"

#ifndef DWLP_DLGPROC
#define DWLP_DLGPROC 4
#endif

IMPLEMENT_DYNCREATE(CVZRSkinObjectFrame, CVZRSkinObject)
IMPLEMENT_DYNCREATE(CVZRSkinObjectScrollFrame, CVZRSkinObjectFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectScrollFrame9x, CVZRSkinObjectScrollFrame)
IMPLEMENT_DYNCREATE(CVZRSkinObjectScrollBar, CVZRSkinObjectFrame)

namespace {
const int kSizeBoxPart = 10;

// A dialog procedure read through the other character set's call is a handle,
// 0xFFFFxxxx (zero- or sign-extended on 64-bit); any other nonzero value is an
// address, also one above 4 GB.
bool IsProcedureAddress(LONG_PTR proc)
{
    ULONG_PTR value = ULONG_PTR(proc);
    return value != 0 && (value & ~ULONG_PTR(0xFFFF)) != 0xFFFF0000u && (value | 0xFFFF) != ~ULONG_PTR(0);
}

SIZE WindowSize(HWND window)
{
    RECT r = {0, 0, 0, 0};
    ::GetWindowRect(window, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

// The paint DC of a WM_PAINT: the DC it carries, else BeginPaint's.
class CVZRPaintScope {
public:
    CVZRPaintScope(HWND window, WPARAM wParam) : m_hWnd(window), m_hDC(HDC(wParam))
    {
        if (!m_hDC) {
            m_hDC = ::BeginPaint(window, &m_paint);
            m_bBegun = true;
        }
    }
    ~CVZRPaintScope()
    {
        if (m_bBegun)
            ::EndPaint(m_hWnd, &m_paint);
    }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    PAINTSTRUCT m_paint = {};
    bool m_bBegun = false;
    CVZRPaintScope(const CVZRPaintScope&);
    CVZRPaintScope& operator=(const CVZRPaintScope&);
};
}  // namespace

CVZRSkinObjectFrame::CVZRSkinObjectFrame() : CVZRFrameNonClient(nullptr) { m_strThemeClass = "WINDOW"; }

CVZRSkinObjectFrame::CVZRSkinObjectFrame(int frameKind) : CVZRSkinObjectFrame() { m_frameKind = frameKind; }

LRESULT CVZRSkinObjectFrame::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(msg, wParam, lParam);
}

void CVZRSkinObjectFrame::OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto)
{
    SetContext(m_pEngine ? m_pEngine->GetContext() : nullptr);
    SetFrameWindow(m_hWnd);
    CVZRSkinObject::OnSkinAttach(lpcs, bAuto);
    if (!bAuto)
        AdjustCreation();
}

void CVZRSkinObjectFrame::OnSkinDetach(BOOL bAuto)
{
    if (!bAuto && m_bRegion && ::IsWindow(m_hWnd)) {
        ::SetWindowRgn(m_hWnd, NULL, TRUE);
        m_bRegion = FALSE;
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void CVZRSkinObjectFrame::ReloadMetrics()
{
    m_cachedWidth = m_cachedHeight = -1;
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
}

void CVZRSkinObjectFrame::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    m_hDragIcon = NULL;
    if (bNewState) {
        ResetNonClient();
        if (!bPrevState)
            m_bActive = ::SendMessageA(m_hWnd, 0x0035, 0, 0) != 0;  // WM_ISACTIVEICON
    }
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ReloadMetrics();
    m_cachedWidth = m_cachedHeight = -1;
    SIZE size = WindowSize(m_hWnd);
    UpdateRegion(size.cx, size.cy);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
}

LRESULT CVZRSkinObjectFrame::CallDialogProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_frameKind != kFrameDialog)
        return 0;
    bool unicode = ::SendMessageA(m_hWnd, WM_NOTIFYFORMAT, WPARAM(m_hWnd), NF_QUERY) == NFR_UNICODE;
    LONG_PTR proc = unicode ? ::GetWindowLongPtrW(m_hWnd, DWLP_DLGPROC) : ::GetWindowLongPtrA(m_hWnd, DWLP_DLGPROC);
    if (!IsProcedureAddress(proc))
        return 0;
    return reinterpret_cast<DLGPROC>(proc)(m_hWnd, msg, wParam, lParam);
}

void CVZRSkinObjectFrame::OnActivating(WPARAM wParam) { CallDialogProc(WM_NCACTIVATE, wParam, 0); }

BOOL CVZRSkinObjectFrame::IsPassThroughMessage(UINT msg)
{
    return IsPassThroughFrameMessage(msg) || CVZRSkinObject::IsPassThroughMessage(msg);
}

// The idle redraw is a side effect of IsPassThroughFrameMessage.
BOOL CVZRSkinObjectFrame::SubclassIgnores(UINT msg)
{
    return msg != WM_ENTERIDLE && CVZRSkinObject::SubclassIgnores(msg);
}

BOOL CVZRSkinObjectFrame::HandledInDefProc(UINT msg) { return CVZRSkinObject::HandledInDefProc(msg); }

BOOL CVZRSkinObjectFrame::HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsPassThroughMessage(msg) || HandledInDefProc(msg))
        return FALSE;
    if (HandleFrameMessage(msg, wParam, lParam, result, true))
        return TRUE;
    return OnWndMsg(msg, wParam, lParam, &result);
}

BOOL CVZRSkinObjectFrame::HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsPassThroughMessage(msg))
        return FALSE;
    if (msg == WM_SKINFRAMEWORK_QUERYSTATE) {
        result = 0;
        return TRUE;
    }
    if (HandleFrameMessage(msg, wParam, lParam, result, false))
        return TRUE;
    return OnWndMsg(msg, wParam, lParam, &result);
}

BOOL CVZRSkinObjectFrame::HandleFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                             bool fromSubclass)
{
    if (!GetSchema())
        return FALSE;
    if (HandleControlMessage(msg, wParam, lParam, result))
        return TRUE;
    HDC dc = HDC(wParam);
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (m_strThemeClass == "COMBOBOX")
            return FALSE;
        SetBkColor(dc, GetSkinColor(COLOR_WINDOW));
        SetTextColor(dc, GetSkinColor(COLOR_WINDOWTEXT));
        result = LRESULT(GetSkinBrush(COLOR_WINDOW));
        return TRUE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        if (m_strThemeClass == "COMBOBOX")
            return FALSE;
        CVZRSkinSystemMetrics* m = CVZRFrameNonClient::GetMetrics();
        HBRUSH dialogBrush = m && m->GetButtonFaceBrush() ? m->GetButtonFaceBrush() : GetSkinBrush(COLOR_BTNFACE);
        int type = int(msg - WM_CTLCOLORMSGBOX);
        if (!CWnd::GrayCtlColor(dc, HWND(lParam), UINT(type), dialogBrush, 0))
            return FALSE;
        result = LRESULT(GetCtlColorBrush(dc, HWND(lParam), type));
        return TRUE;
    }
    case WM_ERASEBKGND:
        if (fromSubclass && m_frameKind == kFramePropertyPage) {
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            SetBrushOrgEx(dc, 0, 0, NULL);
            FillRect(dc, &client, GetCtlColorBrush(dc, m_hWnd, CTLCOLOR_DLG));
            result = 1;
            return TRUE;
        }
        break;
    }
    return HandleNonClientMessage(msg, wParam, lParam, result);
}

// ---------------------------------------------------------------- scroll frames

bool CVZRSkinObjectScrollFrame::RefreshesHere() const { return GetComCtlVersion() < 0x60000; }

bool CVZRSkinObjectScrollFrame9x::RefreshesHere() const { return m_pEngine && m_pEngine->IsWin9x(); }

void CVZRSkinObjectScrollFrame::RefreshScrollBars()
{
    if (!RefreshesHere() || !::IsWindow(m_hWnd))
        return;
    for (CVZRScrollBarInfo* bar : {&m_hBar, &m_vBar}) {
        if (!bar->visible)
            continue;
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_POS};
        if (!::GetScrollInfo(m_hWnd, bar->barType, &info))
            continue;
        SCROLLINFO& last = m_last[bar->barType == kBarVert ? 1 : 0];
        if (info.nPos == last.nPos && info.nMax == last.nMax && info.nMin == last.nMin)
            continue;
        last = info;
        RedrawScrollBar(*bar);
    }
}

BOOL CVZRSkinObjectScrollFrame::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_WINDOWPOSCHANGED:
    case WM_MOUSEWHEEL:
        result = msg == WM_WINDOWPOSCHANGED ? 0 : DefaultProc(msg, wParam, lParam);
        if (msg == WM_WINDOWPOSCHANGED && !HandleNonClientMessage(msg, wParam, lParam, result))
            result = DefaultProc(msg, wParam, lParam);
        RefreshScrollBars();
        return TRUE;
    case WM_ERASEBKGND:
        if (!HandleNonClientMessage(msg, wParam, lParam, result))
            result = DefaultProc(msg, wParam, lParam);
        RefreshScrollBars();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- scroll bar control

CVZRSkinObjectScrollBar::CVZRSkinObjectScrollBar()
{
    m_bar.barType = kBarCtl;
    m_bar.visible = 1;
}

void CVZRSkinObjectScrollBar::PrepareBar()
{
    m_bar.visible = 1;
    m_bar.barType = kBarCtl;
    m_bar.vertical = (::GetWindowLongA(m_hWnd, GWL_STYLE) & SBS_VERT) != 0;
}

void CVZRSkinObjectScrollBar::DrawControl(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (IsRectEmpty(&client) || !GetSchema())
        return;
    DWORD style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
        CVZRMemoryCanvas canvas(dc, client);
        FillBackground(canvas, client, WM_CTLCOLORSTATIC);
        if (style & SBS_SIZEGRIP)
            GetContext()->LookupThemeClass("SCROLLBAR")->DrawBackground(canvas, kSizeBoxPart, 1, &client);
        return;
    }
    PrepareBar();
    DrawScrollBarInto(dc, m_bar);
}

BOOL CVZRSkinObjectScrollBar::HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    bool sizeBox = (::GetWindowLongA(m_hWnd, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
    switch (msg) {
    case WM_CREATE:
        HandleNonClientMessage(msg, wParam, lParam, result);
        ::InvalidateRect(m_hWnd, NULL, FALSE);
        return TRUE;
    case WM_PAINT: {
        CVZRPaintScope dc(m_hWnd, wParam);
        DrawControl(dc);
        result = 0;
        return TRUE;
    }
    case WM_PRINTCLIENT:
        DrawControl(HDC(wParam));
        result = 1;
        return TRUE;
    case WM_ENABLE:
        result = DefaultProc(msg, wParam, lParam);
        ::InvalidateRect(m_hWnd, NULL, FALSE);
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        if (sizeBox)
            return FALSE;
        PrepareBar();
        POINT pt = {short(LOWORD(lParam)), short(HIWORD(lParam))};
        if (msg == WM_MOUSELEAVE)
            pt.x = pt.y = -1;
        int part = HitTestScrollBar(m_bar, pt.x, pt.y);
        if (part != m_bar.hotPart) {
            m_bar.hotPart = part;
            ::InvalidateRect(m_hWnd, NULL, FALSE);
        }
        if (part && msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
            ::TrackMouseEvent(&track);
        }
        result = 0;
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (sizeBox)
            return FALSE;
        PrepareBar();
        UpdateScrollBar(m_bar);
        POINT pt = {short(LOWORD(lParam)), short(HIWORD(lParam))};
        StartScrollTracking(pt, m_bar, ::GetKeyState(VK_SHIFT) < 0);
        result = 0;
        return TRUE;
    }
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS: {
        BOOL redraw = msg == SBM_SETPOS ? BOOL(lParam) : BOOL(wParam);
        result = msg == SBM_SETPOS ? DefaultProc(msg, wParam, FALSE) : DefaultProc(msg, FALSE, lParam);
        if (redraw && ::IsWindowVisible(m_hWnd)) {
            HDC dc = ::GetDC(m_hWnd);
            if (dc) {
                DrawControl(dc);
                ::ReleaseDC(m_hWnd, dc);
            }
        }
        return TRUE;
    }
    case SBM_GETSCROLLINFO: {
        result = DefaultProc(msg, wParam, lParam);
        SCROLLINFO* info = reinterpret_cast<SCROLLINFO*>(lParam);
        int pos;
        if (info && (info->fMask & SIF_TRACKPOS) && GetTrackPos(kBarCtl, &pos))
            info->nTrackPos = pos;
        return TRUE;
    }
    case WM_SETFOCUS: result = 0; return TRUE;
    }
    return FALSE;
}
