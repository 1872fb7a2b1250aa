#include "skin/objects/FrameNonClient.h"

#include "framework/Wnd.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemeSchema.h"

#include <algorithm>

#ifndef WS_EX_MDICHILD
#define WS_EX_MDICHILD 0x00000040
#endif
#ifndef WSB_PROP_VSTYLE
#define WSB_PROP_VSTYLE 0x00000100
#endif

namespace {
const int kTmtImageFile = 3001;
const int kTmtStockImageFile = 3007;
const int kTabBody = 10;
const int kSizeBoxPart = 10;
POINT g_menuOffset = {0, 0};

// A window or client DC of a window, released on destruction.
class CVZRWindowDC {
public:
    CVZRWindowDC(HWND window, bool client) : m_hWnd(window), m_hDC(client ? GetDC(window) : GetWindowDC(window)) {}
    ~CVZRWindowDC()
    {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    CVZRWindowDC(const CVZRWindowDC&);
    CVZRWindowDC& operator=(const CVZRWindowDC&);
};

// Raises the frame's lock while the system handles a message itself.
class CVZRFrameLock {
public:
    explicit CVZRFrameLock(int& count) : m_count(count) { ++m_count; }
    ~CVZRFrameLock() { --m_count; }

private:
    int& m_count;
    CVZRFrameLock(const CVZRFrameLock&);
    CVZRFrameLock& operator=(const CVZRFrameLock&);
};

// Owns the tracking record and clears the frame's pointer before freeing it.
class CVZRTrackingOwner {
public:
    CVZRTrackingOwner(CVZRScrollTracking*& slot, CVZRScrollTracking* record) : m_slot(slot), m_record(record)
    {
        m_slot = record;
    }
    ~CVZRTrackingOwner()
    {
        m_slot = nullptr;
        delete m_record;
    }

private:
    CVZRScrollTracking*& m_slot;
    CVZRScrollTracking* m_record;
    CVZRTrackingOwner(const CVZRTrackingOwner&);
    CVZRTrackingOwner& operator=(const CVZRTrackingOwner&);
};

DWORD StyleOf(HWND window) { return DWORD(GetWindowLongA(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) { return DWORD(GetWindowLongA(window, GWL_EXSTYLE)); }
bool IsCaptioned(HWND window) { return (StyleOf(window) & WS_CAPTION) == WS_CAPTION; }

SIZE WindowSize(HWND window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

const RECT* Ptr(const SkinRect& r) { return reinterpret_cast<const RECT*>(&r); }

POINT PointOf(LPARAM lParam)
{
    POINT pt = {short(LOWORD(lParam)), short(HIWORD(lParam))};
    return pt;
}
}  // namespace

SkinRect ToSkinRect(const RECT& r) { return SkinRect{int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

RECT ToRect(const SkinRect& r)
{
    RECT out = {r.left, r.top, r.right, r.bottom};
    return out;
}

POINT GetSkinMenuOffset() { return g_menuOffset; }

bool IsInFrameCorner(HWND window, bool sizable)
{
    for (HWND current = window; current; current = GetParent(current)) {
        DWORD style = StyleOf(current);
        bool decides = sizable ? (style & WS_THICKFRAME) != 0 : (style & WS_CAPTION) == WS_CAPTION;
        if (decides) {
            if (sizable && IsZoomed(current))
                return false;
            RECT own, client;
            if (!GetWindowRect(window, &own) || !GetClientRect(current, &client))
                return false;
            POINT corner = {client.right, client.bottom};
            ClientToScreen(current, &corner);
            return corner.x - own.right <= GetSystemMetrics(SM_CXEDGE) &&
                   corner.y - own.bottom <= GetSystemMetrics(SM_CYEDGE);
        }
        if (!(style & WS_CHILD) || (style & WS_CAPTION) == WS_CAPTION)
            return false;
    }
    return false;
}

void CVZRCaptionButton::Draw(HDC dc, BOOL active)
{
    int state;
    if (!enabled)
        state = 4;
    else if (frame->m_pHotButton == this && frame->m_pPressedButton == this)
        state = 3;
    else if (frame->m_pHotButton == this && !frame->m_pPressedButton)
        state = 2;
    else
        state = 1;
    if (!active)
        state += 4;
    frame->GetContext()->LookupThemeClass("WINDOW")->DrawBackground(dc, part, state, &rect);
}

CVZRFrameNonClient::CVZRFrameNonClient(CVZRSkinContext* context) : m_pContext(context)
{
    m_hBar.barType = kBarHorz;
    m_vBar.barType = kBarVert;
    m_vBar.vertical = 1;
}

CVZRFrameNonClient::~CVZRFrameNonClient() {}

CVZRThemeSchema* CVZRFrameNonClient::GetSchema() const { return m_pContext ? m_pContext->m_pSchema : nullptr; }

CVZRSkinSystemMetrics* CVZRFrameNonClient::GetMetrics() const { return m_pContext ? m_pContext->m_pMetrics : nullptr; }

int CVZRFrameNonClient::GetMetric(int index) const
{
    CVZRSkinSystemMetrics* m = GetMetrics();
    return m ? m->GetSystemMetric(index) : GetSystemMetrics(index);
}

COLORREF CVZRFrameNonClient::GetSkinColor(int index) const
{
    CVZRSkinSystemMetrics* m = GetMetrics();
    return m ? m->GetColor(index) : GetSysColor(index);
}

HBRUSH CVZRFrameNonClient::GetSkinBrush(int index) const
{
    CVZRSkinSystemMetrics* m = GetMetrics();
    HBRUSH brush = m ? m->GetBrush(index) : NULL;
    return brush ? brush : GetSysColorBrush(index);
}

bool CVZRFrameNonClient::AppliesFrames() const
{
    return GetSchema() && (m_pContext->m_applyOptions & kApplyFrames) != 0;
}

HBRUSH CVZRFrameNonClient::GetClientBrush(HDC dc)
{
    HWND parent = GetParent(m_hFrameWnd);
    if (!parent)
        return GetSkinBrush(COLOR_BTNFACE);
    LRESULT answer = SendMessageA(parent, m_ctlColorMessage, WPARAM(dc), LPARAM(m_hFrameWnd));
    if (answer > 0 && answer <= 30)
        return GetSkinBrush(int(answer) - 1);
    if (answer)
        return HBRUSH(answer);
    bool window = m_ctlColorMessage == WM_CTLCOLOREDIT || m_ctlColorMessage == WM_CTLCOLORLISTBOX;
    return GetSkinBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
}

HBRUSH CVZRFrameNonClient::FillBackground(HDC dc, const RECT& rect, UINT msg)
{
    HWND parent = GetParent(m_hFrameWnd);
    LRESULT answer = parent ? SendMessageA(parent, msg, WPARAM(dc), LPARAM(m_hFrameWnd)) : 0;
    if (!answer) {
        FillSolidRect(dc, rect, GetSkinColor(COLOR_BTNFACE));
        return GetSkinBrush(COLOR_BTNFACE);
    }
    HBRUSH brush = answer <= 30 ? GetSkinBrush(int(answer) - 1) : HBRUSH(answer);
    FillRect(dc, &rect, brush);
    return brush;
}

HBRUSH CVZRFrameNonClient::GetCtlColorBrush(HDC dc, HWND child, int type)
{
    CVZRSkinSystemMetrics* m = GetMetrics();
    HBRUSH dialogBrush = m && m->GetButtonFaceBrush() ? m->GetButtonFaceBrush() : GetSkinBrush(COLOR_BTNFACE);
    if (m_frameKind != kFramePropertyPage) {
        CWnd::GrayCtlColor(dc, child, UINT(type), dialogBrush, GetSkinColor(COLOR_BTNTEXT));
        return dialogBrush;
    }
    HBRUSH page = m ? m->GetPageBrush() : NULL;
    if (!page && m) {
        CVZRThemeClass* tab = m_pContext->LookupThemeClass("TAB");
        CString name = tab->GetString(kTabBody, 0, kTmtImageFile, "");
        if (name.IsEmpty())
            name = tab->GetString(kTabBody, 0, kTmtStockImageFile, "");
        CVZRSkinBitmap* image = name.IsEmpty() ? nullptr : tab->GetBitmap(name);
        if (image) {
            SIZE size = image->GetSize();
            CClientDC screen(NULL);
            CScopedBitmap pattern(CreateCompatibleBitmap(screen, size.cx, size.cy));
            CScopedMemDC memory(::CreateCompatibleDC(screen));
            {
                CScopedSelect select(memory, pattern);
                RECT all = {0, 0, size.cx, size.cy};
                image->DrawImage(memory, all, all, RECT{0, 0, 0, 0}, COLORREF(-1), 0, false);
            }
            page = CreatePatternBrush(pattern);
            m->SetPageBrush(page);
        }
    }
    if (!page)
        page = dialogBrush;
    if (child && child != m_hFrameWnd) {
        RECT pageRect, childRect;
        GetWindowRect(m_hFrameWnd, &pageRect);
        GetWindowRect(child, &childRect);
        SetBrushOrgEx(dc, pageRect.left - childRect.left, pageRect.top - childRect.top, NULL);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSkinColor(COLOR_BTNTEXT));
    }
    return page;
}

void CVZRFrameNonClient::CalcBorders()
{
    CVZRThemeSchema* schema = GetSchema();
    if (schema)
        m_borders = schema->CalcFrameBorders(this);
}

bool CVZRFrameNonClient::UsesFlatScrollBars() const
{
    typedef BOOL(WINAPI * GetPropFn)(HWND, int, INT_PTR*);
    static GetPropFn getProp = reinterpret_cast<GetPropFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "FlatSB_GetScrollProp")));
    INT_PTR value = 0;
    return getProp && getProp(m_hFrameWnd, WSB_PROP_VSTYLE, &value);
}

bool CVZRFrameNonClient::IsCloseDisabled() const
{
    DWORD style = StyleOf(m_hFrameWnd), exStyle = ExStyleOf(m_hFrameWnd);
    if ((exStyle & WS_EX_TOOLWINDOW) || !(style & WS_SYSMENU))
        return false;
    HMENU menu = GetSystemMenu(m_hFrameWnd, FALSE);
    return menu && (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
}

void CVZRFrameNonClient::RebuildCaptionButtons(bool force)
{
    DWORD style = StyleOf(m_hFrameWnd), exStyle = ExStyleOf(m_hFrameWnd);
    if (!force && style == m_cachedStyle && exStyle == m_cachedExStyle) {
        // The system menu's close changes without a style change.
        if (!m_buttons.empty() && m_buttons[0]->command == SC_CLOSE)
            m_buttons[0]->enabled = !IsCloseDisabled();
        return;
    }
    m_cachedStyle = style;
    m_cachedExStyle = exStyle;
    m_pHotButton = m_pPressedButton = nullptr;
    m_buttons.clear();
    if ((style & WS_CAPTION) != WS_CAPTION)
        return;
    bool closeDisabled = IsCloseDisabled();
    for (const CaptionButtonSlot& slot :
         CaptionButtonSlots(style, exStyle, IsZoomed(m_hFrameWnd) != 0, IsIconic(m_hFrameWnd) != 0, closeDisabled)) {
        std::unique_ptr<CVZRCaptionButton> button(new CVZRCaptionButton);
        button->hitCode = slot.hitCode;
        SetRectEmpty(&button->rect);
        button->part = slot.part;
        button->frame = this;
        button->command = slot.command;
        button->enabled = slot.enabled;
        m_buttons.push_back(std::move(button));
    }
}

void CVZRFrameNonClient::DrawFrame(HDC dc)
{
    CVZRThemeSchema* schema = GetSchema();
    if (m_lockCount || !schema)
        return;
    schema->DrawFrame(dc, this);
    for (CVZRScrollBarInfo* bar : {&m_vBar, &m_hBar}) {
        if (bar->visible)
            DrawScrollBarInto(dc, *bar);
    }
    if (m_vBar.visible && m_hBar.visible)
        DrawSizeBox(dc);
}

void CVZRFrameNonClient::DrawScrollBarInto(HDC dc, CVZRScrollBarInfo& bar)
{
    bool dragged = m_pTracking && m_pTracking->thumbDrag && m_pTracking->bar == &bar;
    if (!dragged)
        UpdateScrollBar(bar);
    RECT rect = GetScrollBarRect(bar.barType);
    if (IsRectEmpty(&rect))
        return;
    CVZROffsetMemoryCanvas canvas(dc, rect);
    FillSolidRect(canvas, rect, GetSkinColor(COLOR_SCROLLBAR));
    GetSchema()->DrawScrollBar(canvas, m_hFrameWnd, &bar);
}

void CVZRFrameNonClient::DrawSizeBox(HDC dc)
{
    RECT box;
    if (ExStyleOf(m_hFrameWnd) & WS_EX_LEFTSCROLLBAR)
        SetRect(&box, m_vBar.rect.left, m_hBar.rect.top, m_hBar.rect.left, m_hBar.rect.bottom);
    else
        SetRect(&box, m_vBar.rect.left, m_hBar.rect.top, m_vBar.rect.right, m_hBar.rect.bottom);
    if (IsRectEmpty(&box))
        return;
    FillSolidRect(dc, box, GetSchema()->GetSizeBoxColor(m_hFrameWnd));
    if (IsInSizableCorner())
        m_pContext->LookupThemeClass("SCROLLBAR")->DrawBackground(dc, kSizeBoxPart, 1, &box);
}

void CVZRFrameNonClient::RedrawFrame()
{
    if (!IsWindow(m_hFrameWnd) || m_lockCount || !GetSchema())
        return;
    SIZE size = WindowSize(m_hFrameWnd);
    RECT client, window;
    GetClientRect(m_hFrameWnd, &client);
    GetWindowRect(m_hFrameWnd, &window);
    POINT origin = {0, 0};
    ClientToScreen(m_hFrameWnd, &origin);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    RECT whole = {0, 0, size.cx, size.cy};
    // A window that is all client area has no frame to show.
    if (EqualRect(&client, &whole))
        return;
    CVZRWindowDC dc(m_hFrameWnd, false);
    if (!dc)
        return;
    // Composed off-screen and copied once, without the client area.
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    CVZRMemoryCanvas canvas(dc, whole);
    DrawFrame(canvas);
}

BOOL CVZRFrameNonClient::IsInSizableCorner() const { return IsInFrameCorner(m_hFrameWnd, true); }

BOOL CVZRFrameNonClient::IsInCaptionedCorner() const { return IsInFrameCorner(m_hFrameWnd, false); }

void CVZRFrameNonClient::UpdateRegion(int cx, int cy)
{
    if (m_bInRegion)
        return;
    m_bInRegion = TRUE;
    if (!IsCaptioned(m_hFrameWnd)) {
        if (m_bRegion)
            SetWindowRgn(m_hFrameWnd, NULL, TRUE);
        m_bRegion = FALSE;
    } else if (cx != m_cachedWidth || cy != m_cachedHeight) {
        if (AppliesFrames()) {
            CalcBorders();
            HRGN region = GetSchema()->CalcFrameRegion(this, cx, cy);
            SetWindowRgn(m_hFrameWnd, region, TRUE);
            m_bRegion = region != NULL;
        } else if (m_bRegion) {
            SetWindowRgn(m_hFrameWnd, NULL, TRUE);
            m_bRegion = FALSE;
        }
        m_cachedWidth = cx;
        m_cachedHeight = cy;
    }
    m_bInRegion = FALSE;
}

void CVZRFrameNonClient::ResetNonClient()
{
    if (!AppliesFrames())
        return;
    CVZRFrameLock lock(m_lockCount);
    DWORD style = StyleOf(m_hFrameWnd);
    const DWORD bits = WS_HSCROLL | WS_VSCROLL | WS_DLGFRAME;
    if (style & bits) {
        SetWindowLongA(m_hFrameWnd, GWL_STYLE, LONG(style & ~bits));
        RECT rect;
        GetWindowRect(m_hFrameWnd, &rect);
        SendMessageA(m_hFrameWnd, WM_NCCALCSIZE, FALSE, LPARAM(&rect));
        SetWindowLongA(m_hFrameWnd, GWL_STYLE, LONG(style));
    }
}

void CVZRFrameNonClient::AdjustCreation()
{
    if (!IsCaptioned(m_hFrameWnd))
        return;
    CVZRSkinSystemMetrics* m = GetMetrics();
    DWORD style = StyleOf(m_hFrameWnd);
    if (m && GetSchema() && (m_pContext->m_applyOptions & kApplyMetrics) && !(style & WS_CHILD)) {
        bool tool = (ExStyleOf(m_hFrameWnd) & WS_EX_TOOLWINDOW) != 0;
        int grow = tool ? m->GetSmallCaptionHeight() - m->GetSystemSmallCaptionHeight()
                        : m->GetCaptionHeight() - m->GetSystemCaptionHeight();
        RECT r;
        GetWindowRect(m_hFrameWnd, &r);
        HWND parent = GetParent(m_hFrameWnd);
        if (parent && (style & WS_CHILD))
            MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
        if (grow)
            MoveWindow(m_hFrameWnd, r.left, r.top, r.right - r.left, r.bottom - r.top + grow, FALSE);
    }
    SIZE size = WindowSize(m_hFrameWnd);
    UpdateRegion(size.cx, size.cy);
}

BOOL CVZRFrameNonClient::IsPassThroughFrameMessage(UINT msg)
{
    if (msg == WM_ENTERIDLE && IsWindowVisible(m_hFrameWnd) && IsIconic(m_hFrameWnd) && IsCaptioned(m_hFrameWnd))
        RedrawFrame();
    if (m_lockCount && (msg == WM_STYLECHANGING || msg == WM_STYLECHANGED || msg == WM_NCCALCSIZE))
        return TRUE;
    if (!AppliesFrames()) {
        switch (msg) {
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
        case WM_NCCALCSIZE:
        case WM_NCHITTEST:
        case WM_NCPAINT:
        case WM_NCACTIVATE:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCMOUSELEAVE:
        case WM_PRINT: return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------- messages

BOOL CVZRFrameNonClient::HandleNonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!GetSchema() || IsPassThroughFrameMessage(msg))
        return FALSE;
    result = 0;
    switch (msg) {
    case WM_NCPAINT:
        if (UsesFlatScrollBars())
            return FALSE;
        RebuildCaptionButtons();
        RedrawFrame();
        return TRUE;
    case WM_NCCALCSIZE: result = OnNcCalcSize(wParam, lParam); return TRUE;
    case WM_NCMOUSEMOVE:
        if (TrackNonClientHot(ToWindowPoint(lParam)))
            return TRUE;
        return FALSE;
    case WM_NCHITTEST: result = OnNcHitTest(lParam); return TRUE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: OnNcPress(wParam, lParam); return TRUE;
    case WM_NCRBUTTONUP: {
        POINT pt = ToWindowPoint(lParam);
        bool onBar = (m_vBar.visible && HitTestScrollBar(m_vBar, pt.x, pt.y)) ||
                     (m_hBar.visible && HitTestScrollBar(m_hBar, pt.x, pt.y));
        if (!onBar)
            return FALSE;
        {
            CVZRFrameLock lock(m_lockCount);
            RECT rect;
            GetWindowRect(m_hFrameWnd, &rect);
            SendMessageA(m_hFrameWnd, WM_NCCALCSIZE, FALSE, LPARAM(&rect));
        }
        SendMessageA(m_hFrameWnd, WM_CONTEXTMENU, WPARAM(m_hFrameWnd), lParam);
        ResetNonClient();
        return TRUE;
    }
    case WM_NCMOUSELEAVE: {
        bool wasHot = m_pHotButton || m_hBar.hotPart || m_vBar.hotPart;
        POINT none = {-1, -1};
        TrackNonClientHot(none);
        return wasHot;
    }
    case WM_NCACTIVATE:
        if (!IsCaptioned(m_hFrameWnd))
            return FALSE;
        result = OnNcActivate(wParam);
        return TRUE;
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            OnHoverTimer();
            return TRUE;
        }
        if (wParam == kResetTimer) {
            ResetNonClient();
            KillTimer(m_hFrameWnd, kResetTimer);
            return TRUE;
        }
        return FALSE;
    case WM_SETICON: m_hDragIcon = NULL; return FALSE;
    case WM_SETTEXT:
        if (!IsCaptioned(m_hFrameWnd))
            return FALSE;
        result = DefaultProc(msg, wParam, lParam);
        RedrawFrame();
        return TRUE;
    case WM_STYLECHANGED: {
        result = DefaultProc(msg, wParam, lParam);
        CalcBorders();
        m_cachedWidth = m_cachedHeight = -1;
        SIZE size = WindowSize(m_hFrameWnd);
        UpdateRegion(size.cx, size.cy);
        RebuildCaptionButtons();
        return TRUE;
    }
    case WM_CREATE:
        result = DefaultProc(msg, wParam, lParam);
        if (result != -1) {
            AdjustCreation();
            result = 0;
        }
        return TRUE;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        result = DefaultProc(msg, wParam, lParam);
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        bool rtl = (ExStyleOf(m_hFrameWnd) & WS_EX_LAYOUTRTL) != 0;
        if (pos && !(pos->flags & SWP_NOSIZE) && rtl == (msg == WM_WINDOWPOSCHANGED))
            UpdateRegion(pos->cx, pos->cy);
        return TRUE;
    }
    case WM_PRINT: OnPrint(HDC(wParam), lParam, result); return TRUE;
    case WM_GETMINMAXINFO:
        result = DefaultProc(msg, wParam, lParam);
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_SYSCOMMAND: result = OnSysCommand(wParam, lParam); return TRUE;
    case WM_ERASEBKGND: result = OnEraseBackground(wParam, lParam); return TRUE;
    }
    return FALSE;
}

LRESULT CVZRFrameNonClient::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    if (UsesFlatScrollBars()) {
        m_hBar.visible = m_vBar.visible = 0;
        return DefaultProc(WM_NCCALCSIZE, wParam, lParam);
    }
    CalcBorders();
    RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (!rect)
        return 0;
    DWORD style = StyleOf(m_hFrameWnd);
    m_hBar.visible = (style & WS_HSCROLL) != 0;
    m_vBar.visible = (style & WS_VSCROLL) != 0;
    *rect = ToRect(NonClientClientRect(ToSkinRect(*rect), ToSkinRect(m_borders), style, ExStyleOf(m_hFrameWnd),
                                       GetMetric(SM_CXVSCROLL), GetMetric(SM_CYHSCROLL)));
    return 0;
}

POINT CVZRFrameNonClient::ToWindowPoint(LPARAM screenPoint) const
{
    POINT pt = PointOf(screenPoint);
    if (pt.x == -1 && pt.y == -1)
        return pt;
    RECT r;
    GetWindowRect(m_hFrameWnd, &r);
    pt.x -= r.left;
    pt.y -= r.top;
    return pt;
}

CVZRCaptionButton* CVZRFrameNonClient::ButtonAt(POINT pt) const
{
    for (const std::unique_ptr<CVZRCaptionButton>& button : m_buttons) {
        if (button->enabled && PtInRect(&button->rect, pt))
            return button.get();
    }
    return nullptr;
}

int CVZRFrameNonClient::OwnHitTest(POINT pt)
{
    DWORD style = StyleOf(m_hFrameWnd);
    if ((style & WS_VSCROLL) && m_vBar.visible && PtInRect(Ptr(m_vBar.rect), pt))
        return HTVSCROLL;
    if ((style & WS_HSCROLL) && m_hBar.visible && PtInRect(Ptr(m_hBar.rect), pt))
        return HTHSCROLL;
    if ((style & WS_CHILD) && !(ExStyleOf(m_hFrameWnd) & WS_EX_MDICHILD))
        return 0;
    CVZRCaptionButton* button = ButtonAt(pt);
    return button ? button->hitCode : 0;
}

LRESULT CVZRFrameNonClient::OnNcHitTest(LPARAM lParam)
{
    LRESULT def = DefaultProc(WM_NCHITTEST, 0, lParam);
    int own = OwnHitTest(ToWindowPoint(lParam));
    if (own)
        return own;
    switch (def) {
    case HTHSCROLL:
    case HTVSCROLL: return UsesFlatScrollBars() ? def : HTCLIENT;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP: return HTCAPTION;
    }
    return def;
}

BOOL CVZRFrameNonClient::TrackNonClientHot(POINT pt)
{
    CVZRCaptionButton* button = ButtonAt(pt);
    if (button != m_pHotButton) {
        if (!button)
            KillTimer(m_hFrameWnd, kHoverTimer);
        m_pHotButton = button;
        RedrawFrame();
    }
    if (m_pHotButton) {
        SetTimer(m_hFrameWnd, kHoverTimer, 50, NULL);
        return TRUE;
    }
    if (m_pTracking)
        return TRUE;
    for (CVZRScrollBarInfo* bar : {&m_hBar, &m_vBar}) {
        if (!bar->visible)
            continue;
        int part = HitTestScrollBar(*bar, pt.x, pt.y);
        if (part != bar->hotPart) {
            if (!part)
                KillTimer(m_hFrameWnd, kHoverTimer);
            bar->hotPart = part;
            RedrawScrollBar(*bar);
        }
        if (part) {
            SetTimer(m_hFrameWnd, kHoverTimer, 50, NULL);
            return TRUE;
        }
    }
    return FALSE;
}

void CVZRFrameNonClient::OnHoverTimer()
{
    if (GetCapture())
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT window;
    GetWindowRect(m_hFrameWnd, &window);
    POINT pt = {cursor.x - window.left, cursor.y - window.top};
    int own = OwnHitTest(pt);
    if (own && own != HTCLIENT && PtInRect(&window, cursor))
        return;
    POINT none = {-1, -1};
    TrackNonClientHot(none);
    KillTimer(m_hFrameWnd, kHoverTimer);
}

BOOL CVZRFrameNonClient::RunCaptionButtonLoop()
{
    HWND window = m_hFrameWnd;
    SetCapture(window);
    m_pPressedButton = m_pHotButton;
    RedrawFrame();
    BOOL clicked = FALSE;
    MSG msg;
    while (GetCapture() == window) {
        if (!GetMessageA(&msg, NULL, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            clicked = m_pPressedButton && m_pPressedButton == m_pHotButton;
            break;
        }
        if (msg.message == WM_NCMOUSELEAVE)
            continue;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == window) {
            POINT pt = PointOf(msg.lParam);
            ClientToScreen(window, &pt);
            POINT windowPoint = ToWindowPoint(MAKELPARAM(pt.x, pt.y));
            CVZRCaptionButton* pressed =
                m_pHotButton && PtInRect(&m_pHotButton->rect, windowPoint) ? m_pHotButton : nullptr;
            if (pressed != m_pPressedButton) {
                m_pPressedButton = pressed;
                RedrawFrame();
            }
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    int command = clicked && m_pHotButton ? m_pHotButton->command : 0;
    m_pHotButton = m_pPressedButton = nullptr;
    if (GetCapture() == window)
        ReleaseCapture();
    if (!IsWindow(window))
        return FALSE;
    RedrawFrame();
    if (command)
        SendMessageA(window, WM_SYSCOMMAND, WPARAM(command), 0);
    return command != 0;
}

void CVZRFrameNonClient::OnNcPress(WPARAM hitCode, LPARAM lParam)
{
    if (m_pHotButton) {
        RunCaptionButtonLoop();
        return;
    }
    POINT pt = ToWindowPoint(lParam);
    for (CVZRScrollBarInfo* bar : {&m_hBar, &m_vBar}) {
        if (bar->visible && HitTestScrollBar(*bar, pt.x, pt.y)) {
            StartScrollTracking(pt, *bar, GetKeyState(VK_SHIFT) < 0);
            return;
        }
    }
    if (hitCode == HTMINBUTTON || hitCode == HTMAXBUTTON || hitCode == HTCLOSE || hitCode == HTHELP)
        return;
    DefaultProc(WM_NCLBUTTONDOWN, hitCode, lParam);
}

LRESULT CVZRFrameNonClient::OnNcActivate(WPARAM wParam)
{
    OnActivating(wParam);
    // An MDI frame's active child draws its caption as the frame does.
    HWND child = m_pMDIClient ? HWND(SendMessageA(m_pMDIClient->GetFrameWindow(), WM_MDIGETACTIVE, 0, 0)) : NULL;
    if (child && child != m_hFrameWnd)
        SendMessageA(child, WM_NCACTIVATE, wParam, 0);
    m_bActive = wParam != 0;
    RedrawFrame();
    return TRUE;
}

void CVZRFrameNonClient::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (!info || !IsCaptioned(m_hFrameWnd))
        return;
    DWORD options = m_pContext->m_applyOptions;
    if (options & kApplyFrames) {
        LONG minX = m_borders.top * LONG(m_buttons.size()) + GetSystemMetrics(SM_CYSIZE) + 2 * GetMetric(SM_CXEDGE);
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, minX);
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, m_borders.top + m_borders.bottom);
    }
    if ((options & kApplyMetrics) && (ExStyleOf(m_hFrameWnd) & WS_EX_MDICHILD)) {
        info->ptMaxSize.y += info->ptMaxPosition.y + m_borders.top;
        info->ptMaxPosition.y = -m_borders.top;
    }
}

LRESULT CVZRFrameNonClient::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    UINT command = UINT(wParam) & 0xFFF0;
    DWORD options = m_pContext->m_applyOptions;
    DWORD style = StyleOf(m_hFrameWnd), exStyle = ExStyleOf(m_hFrameWnd);
    if (command == SC_MAXIMIZE && (exStyle & WS_EX_MDICHILD) && !IsZoomed(m_hFrameWnd) && (options & kApplyMetrics)) {
        LRESULT result = DefaultProc(WM_SYSCOMMAND, wParam, lParam);
        RECT client;
        GetClientRect(GetParent(m_hFrameWnd), &client);
        MoveWindow(m_hFrameWnd, -m_borders.left, -m_borders.top, client.right + m_borders.left + m_borders.right,
                   client.bottom + m_borders.top + m_borders.bottom, TRUE);
        return result;
    }
    if ((command == SC_MOUSEMENU || command == SC_KEYMENU) && IsCaptioned(m_hFrameWnd) && (options & kApplyMetrics)) {
        RECT probe = {0, 0, 100, 100};
        AdjustWindowRectEx(&probe, style, FALSE, exStyle);
        g_menuOffset.x = m_borders.left + probe.left;
        g_menuOffset.y = m_borders.top + probe.top;
        LRESULT result = DefaultProc(WM_SYSCOMMAND, wParam, lParam);
        g_menuOffset.x = g_menuOffset.y = 0;
        return result;
    }
    if (command == SC_MOVE && IsIconic(m_hFrameWnd)) {
        DefaultProc(WM_NCPAINT, 1, 0);
        RedrawFrame();
    }
    LRESULT result = DefaultProc(WM_SYSCOMMAND, wParam, lParam);
    if (command == SC_MINIMIZE)
        RedrawFrame();
    return result;
}

void CVZRFrameNonClient::OnPrint(HDC dc, LPARAM flags, LRESULT& result)
{
    if (flags != PRF_NONCLIENT) {
        CVZRFrameLock lock(m_lockCount);
        result = DefaultProc(WM_PRINT, WPARAM(dc), flags);
        return;
    }
    DWORD style = StyleOf(m_hFrameWnd);
    m_hBar.visible = (style & WS_HSCROLL) != 0;
    m_vBar.visible = (style & WS_VSCROLL) != 0;
    if (ExStyleOf(m_hFrameWnd) & WS_EX_LAYOUTRTL)
        CVZRBlendFunctions::Instance().SetContextRTL(dc, LAYOUT_RTL);
    RebuildCaptionButtons();
    DrawFrame(dc);
    result = 0;
}

LRESULT CVZRFrameNonClient::OnEraseBackground(WPARAM wParam, LPARAM lParam)
{
    ULONG_PTR classBrush = GetClassLongPtrA(m_hFrameWnd, GCLP_HBRBACKGROUND);
    if (classBrush < 1 || classBrush > 30)
        return DefaultProc(WM_ERASEBKGND, wParam, lParam);
    SetClassLongPtrA(m_hFrameWnd, GCLP_HBRBACKGROUND, LONG_PTR(GetSkinBrush(int(classBrush) - 1)));
    LRESULT result = DefaultProc(WM_ERASEBKGND, wParam, lParam);
    SetClassLongPtrA(m_hFrameWnd, GCLP_HBRBACKGROUND, LONG_PTR(classBrush));
    return result;
}

// ---------------------------------------------------------------- scroll bars

RECT CVZRFrameNonClient::GetScrollBarRect(int type) const
{
    RECT client;
    GetClientRect(m_hFrameWnd, &client);
    if (type == kBarCtl)
        return client;
    POINT origin = {0, 0};
    ClientToScreen(m_hFrameWnd, &origin);
    RECT window;
    GetWindowRect(m_hFrameWnd, &window);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    return ToRect(NonClientScrollBarRect(ToSkinRect(client), type == kBarVert, ExStyleOf(m_hFrameWnd),
                                         GetMetric(SM_CXVSCROLL), GetMetric(SM_CYHSCROLL)));
}

void CVZRFrameNonClient::UpdateScrollBar(CVZRScrollBarInfo& bar)
{
    RECT rect = GetScrollBarRect(bar.barType);
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
    if (!GetScrollInfo(m_hFrameWnd, bar.barType, &info))
        info.nMin = info.nMax = info.nPage = info.nPos = 0;
    int arrow = bar.vertical ? GetMetric(SM_CYVSCROLL) : GetMetric(SM_CXHSCROLL);
    CalcScrollBarInfo(ToSkinRect(rect), bar, info.nMin, info.nMax, int(info.nPage), info.nPos, arrow);
}

void CVZRFrameNonClient::RedrawScrollBar(CVZRScrollBarInfo& bar)
{
    if (!bar.visible || !IsWindow(m_hFrameWnd) || !GetSchema())
        return;
    CVZRWindowDC dc(m_hFrameWnd, bar.barType == kBarCtl);
    if (dc)
        DrawScrollBarInto(dc, bar);
}

bool CVZRFrameNonClient::DrawsNonClientBars() const { return AppliesFrames() && !UsesFlatScrollBars(); }

void CVZRFrameNonClient::RedrawNonClientBars(int type)
{
    if (type == SB_HORZ || type == SB_BOTH)
        RedrawScrollBar(m_hBar);
    if (type == SB_VERT || type == SB_BOTH)
        RedrawScrollBar(m_vBar);
}

BOOL CVZRFrameNonClient::GetTrackPos(int barType, int* pos) const
{
    if (!m_pTracking || !m_pTracking->thumbDrag || m_pTracking->barType != barType)
        return FALSE;
    *pos = m_pTracking->newPos;
    return TRUE;
}

void CVZRFrameNonClient::SendScroll(int command, int position)
{
    if (!m_pTracking || !m_pTracking->target)
        return;
    SendMessageA(m_pTracking->target, m_pTracking->vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(command, position),
                 LPARAM(m_pTracking->notify));
}

POINT CVZRFrameNonClient::TrackingPoint(POINT clientPoint) const
{
    if (!m_pTracking->nonClient)
        return clientPoint;
    ClientToScreen(m_hFrameWnd, &clientPoint);
    return ToWindowPoint(MAKELPARAM(clientPoint.x, clientPoint.y));
}

void CVZRFrameNonClient::StartScrollTracking(POINT pt, CVZRScrollBarInfo& bar, BOOL shift)
{
    HWND window = m_hFrameWnd;
    CVZRTrackingOwner owner(m_pTracking, new CVZRScrollTracking);
    CVZRScrollTracking& t = *m_pTracking;
    t.bar = &bar;
    t.vertical = bar.vertical;
    t.barType = bar.barType;
    t.nonClient = bar.barType != kBarCtl;
    t.notify = bar.barType == kBarCtl ? window : NULL;
    t.target = bar.barType == kBarCtl ? GetParent(window) : window;
    int along = bar.vertical ? pt.y : pt.x;
    int spanStart, spanEnd;
    int part = ScrollPressPart(bar, along, &spanStart, &spanEnd);
    if (bar.vertical)
        SetRect(&t.rect, bar.crossStart, spanStart, bar.crossEnd, spanEnd);
    else
        SetRect(&t.rect, spanStart, bar.crossStart, spanEnd, bar.crossEnd);
    bool offsetSet = false;
    if (shift && (part == kScrollPageBefore || part == kScrollPageAfter)) {
        part = kScrollThumb;
        t.thumbOffset = -(bar.thumbLength / 2);
        offsetSet = true;
    }
    bar.hotPart = part;
    bar.pressed = 1;
    m_bTrackingDone = false;
    if (part == kScrollThumb) {
        if (bar.thumbLength >= bar.secondArrowStart - bar.firstArrowEnd) {
            bar.hotPart = kScrollNone;
            bar.pressed = 0;
            return;
        }
        t.thumbDrag = TRUE;
        t.command = SB_THUMBPOSITION;
        int width = bar.crossEnd - bar.crossStart;
        int beyond = 2 * (bar.vertical ? GetSystemMetrics(SM_CYVTHUMB) : GetSystemMetrics(SM_CXHTHUMB));
        if (bar.vertical)
            SetRect(&t.rect, bar.crossStart - 8 * width, bar.start - beyond, bar.crossEnd + 8 * width, bar.end + beyond);
        else
            SetRect(&t.rect, bar.start - beyond, bar.crossStart - 8 * width, bar.end + beyond, bar.crossEnd + 8 * width);
        bar.dragThumbTop = bar.thumbTop;
        t.lastThumbTop = bar.thumbTop;
        t.lastPos = t.newPos = bar.nPos;
        if (!offsetSet)
            t.thumbOffset = bar.thumbTop - along;
        SetCapture(window);
        SendScroll(SB_THUMBTRACK, t.lastPos);
    } else {
        t.command = part - kScrollFirstArrow;
        SetCapture(window);
    }
    if (t.thumbDrag)
        TrackThumb(WM_LBUTTONDOWN, pt);
    else
        TrackArrowOrPage(WM_LBUTTONDOWN, pt);
    MSG msg;
    while (!m_bTrackingDone && GetCapture() == window) {
        if (!GetMessageA(&msg, NULL, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.wParam == kScrollRepeatTimer && msg.hwnd == window) {
            RepeatStep();
        } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            POINT at = TrackingPoint(PointOf(msg.lParam));
            if (t.thumbDrag)
                TrackThumb(msg.message, at);
            else
                TrackArrowOrPage(msg.message, at);
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (!m_bTrackingDone && IsWindow(window)) {
        // Ended by WM_QUIT or a lost capture: no final position.
        if (GetCapture() == window)
            ReleaseCapture();
        KillTimer(window, kScrollRepeatTimer);
        SendScroll(SB_ENDSCROLL, 0);
    }
    KillTimer(window, kScrollRepeatTimer);
    bar.hotPart = kScrollNone;
    bar.pressed = 0;
    m_bTrackingDone = false;
    if (IsWindow(window)) {
        t.thumbDrag = FALSE;
        RedrawScrollBar(bar);
    }
}

void CVZRFrameNonClient::TrackArrowOrPage(UINT msg, POINT pt)
{
    CVZRScrollTracking& t = *m_pTracking;
    CVZRScrollBarInfo& bar = *t.bar;
    if (t.command == SB_PAGEUP)
        (bar.vertical ? t.rect.bottom : t.rect.right) = bar.thumbTop;
    else if (t.command == SB_PAGEDOWN)
        (bar.vertical ? t.rect.top : t.rect.left) = bar.thumbBottom;
    BOOL wasInside = t.inside;
    BOOL inside = PtInRect(&t.rect, pt);
    if (inside != t.inside) {
        t.inside = inside;
        bar.pressed = inside;
        RedrawScrollBar(bar);
    }
    UINT delay;
    switch (msg) {
    case WM_LBUTTONDOWN: delay = GetDoubleClickTime() * 4 / 5; break;
    case WM_MOUSEMOVE: delay = GetDoubleClickTime() / 10; break;
    case WM_LBUTTONUP: EndTracking(); return;
    default: return;
    }
    if (inside && !wasInside) {
        t.timer = SetTimer(m_hFrameWnd, kScrollRepeatTimer, delay, NULL);
        SendScroll(t.command, 0);
    }
}

void CVZRFrameNonClient::RepeatStep()
{
    POINT cursor;
    GetCursorPos(&cursor);
    POINT pt;
    if (m_pTracking->nonClient) {
        pt = ToWindowPoint(MAKELPARAM(cursor.x, cursor.y));
    } else {
        pt = cursor;
        ScreenToClient(m_hFrameWnd, &pt);
    }
    TrackArrowOrPage(0, pt);
    if (m_pTracking->inside) {
        m_pTracking->timer = SetTimer(m_hFrameWnd, kScrollRepeatTimer, GetDoubleClickTime() / 10, NULL);
        SendScroll(m_pTracking->command, 0);
    }
}

void CVZRFrameNonClient::TrackThumb(UINT msg, POINT pt)
{
    CVZRScrollTracking& t = *m_pTracking;
    CVZRScrollBarInfo& bar = *t.bar;
    BOOL inside = PtInRect(&t.rect, pt);
    int top = DragThumbTop(bar, bar.vertical ? pt.y : pt.x, t.thumbOffset, inside != FALSE);
    if (top != t.lastThumbTop) {
        int pos = PosFromPixel(bar, top);
        t.newPos = pos;
        if (pos != t.lastPos) {
            SendScroll(SB_THUMBTRACK, pos);
            t.lastPos = pos;
        }
        bar.thumbTop = top;
        bar.thumbBottom = top + bar.thumbLength;
        t.lastThumbTop = top;
        RedrawScrollBar(bar);
    }
    t.inside = inside;
    if (msg == WM_LBUTTONUP || GetKeyState(VK_LBUTTON) >= 0)
        EndTracking();
}

void CVZRFrameNonClient::EndTracking()
{
    CVZRScrollTracking& t = *m_pTracking;
    m_bTrackingDone = true;
    if (GetCapture() == m_hFrameWnd)
        ReleaseCapture();
    if (t.thumbDrag) {
        SendScroll(SB_THUMBPOSITION, t.lastPos);
        RedrawScrollBar(*t.bar);
    } else {
        KillTimer(m_hFrameWnd, kScrollRepeatTimer);
        t.timer = 0;
    }
    SendScroll(SB_ENDSCROLL, 0);
}
