#include "installer/ui/SkinFrame.h"

#include <string>

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/BitmapRoutines.h"

IMPLEMENT_DYNAMIC(CSkinFrame, CSubclassWnd)

namespace {

const int kIconTop = 5;

int XOf(LPARAM lParam)
{
    return (short)LOWORD(lParam);
}

int YOf(LPARAM lParam)
{
    return (short)HIWORD(lParam);
}

SIZE BitmapSize(CBitmap &bitmap)
{
    BITMAP bm = {};
    SIZE size = {0, 0};
    if (bitmap.GetSafeHandle() && bitmap.GetBitmap(&bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

CString ReadString(LPCTSTR lpszIni, LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    char buffer[1000] = "";
    ::GetPrivateProfileString(lpszSection, lpszKey, "", buffer, sizeof buffer, lpszIni);
    return buffer;
}

int ReadInt(LPCTSTR lpszIni, LPCTSTR lpszSection, LPCTSTR lpszKey, int nDefault)
{
    return (int)::GetPrivateProfileInt(lpszSection, lpszKey, nDefault, lpszIni);
}

COLORREF ReadColour(LPCTSTR lpszIni, LPCTSTR lpszKey, COLORREF crDefault)
{
    return SkinParseColour((LPCTSTR)ReadString(lpszIni, "Colours", lpszKey), crDefault);
}

RECT ToRect(const SkinRect &r)
{
    RECT out = {r.left, r.top, r.right, r.bottom};
    return out;
}

// The window's DC for the whole window, released at the end of the scope.
class CFrameDC {
public:
    explicit CFrameDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetWindowDC(hWnd)) {}
    ~CFrameDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CFrameDC(const CFrameDC &) = delete;
    CFrameDC &operator=(const CFrameDC &) = delete;
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

}  // namespace

// Theme file values: a file name beside theme.ini, else empty.
BOOL CSkinFrame::LoadBitmapKey(LPCTSTR lpszIni, LPCTSTR lpszKey, CBitmap &bitmap)
{
    CString value = ReadString(lpszIni, "Personality", lpszKey);
    if (value.IsEmpty())
        return FALSE;
    bitmap.DeleteObject();
    return LoadPictureFile(&bitmap, SkinThemeFile(lpszIni, (LPCTSTR)value).c_str(), (COLORREF)-1);
}

CSkinFrame::CSkinFrame()
    : m_nLastHit(0), m_nHoverHit(0), m_nPressedHit(0), m_nDownHit(0), m_splitTop{0, 1},
      m_splitLeft{0, 1}, m_splitRight{0, 1}, m_splitBottom{0, 1}, m_placeMin{0, 0, 0, 0},
      m_placeMax{0, 0, 0, 0}, m_placeClose{0, 0, 0, 0}, m_placeRestore{0, 0, 0, 0},
      m_nState(STATE_NORMAL), m_nStateBeforeMin(STATE_NORMAL), m_rcSaved{0, 0, 0, 0},
      m_bResizable(FALSE), m_bMinBox(FALSE), m_bMaxBox(FALSE), m_metrics{0, 0, 0, 0, 16, 16},
      m_nImageCount(3), m_nTextShift(0), m_nTextShiftVert(0), m_crTitle(0),
      m_crInactiveTitle(0), m_crKey(RGB(255, 0, 255)), m_bUsesTran(FALSE), m_bLoaded(FALSE),
      m_bActive(TRUE), m_bRegionSet(FALSE) {}

CSkinFrame::~CSkinFrame()
{
    SubclassWindow((HWND)NULL);
}

void CSkinFrame::Unload()
{
    CBitmap *all[] = {&m_bmpTop, &m_bmpLeft, &m_bmpRight, &m_bmpBottom,
                      &m_bmpMin, &m_bmpMax, &m_bmpClose, &m_bmpRestore};
    for (CBitmap *p : all)
        p->DeleteObject();
    m_placeMin = m_placeMax = m_placeClose = m_placeRestore = SkinRect{0, 0, 0, 0};
    m_bLoaded = FALSE;
}

BOOL CSkinFrame::LoadTheme(LPCTSTR lpszIni)
{
    Unload();
    if (!lpszIni || !LoadBitmapKey(lpszIni, "Top", m_bmpTop) ||
        !LoadBitmapKey(lpszIni, "Left", m_bmpLeft) ||
        !LoadBitmapKey(lpszIni, "Right", m_bmpRight) ||
        !LoadBitmapKey(lpszIni, "Bottom", m_bmpBottom)) {
        Unload();
        return FALSE;
    }
    const SIZE top = BitmapSize(m_bmpTop), left = BitmapSize(m_bmpLeft),
               right = BitmapSize(m_bmpRight), bottom = BitmapSize(m_bmpBottom);
    m_metrics.captionHeight = top.cy / 2;
    m_metrics.leftWidth = left.cx / 2;
    m_metrics.rightWidth = right.cx / 2;
    m_metrics.bottomHeight = bottom.cy / 2;
    m_metrics.iconWidth = ::GetSystemMetrics(SM_CXSMICON);
    m_metrics.iconHeight = ::GetSystemMetrics(SM_CYSMICON);
    m_splitTop = SkinSplitOf(top.cx, ReadInt(lpszIni, "Personality", "TopTopHeight", 0),
                             ReadInt(lpszIni, "Personality", "TopBotHeight", 0));
    m_splitLeft = SkinSplitOf(left.cy, ReadInt(lpszIni, "Personality", "LeftTopHeight", 0),
                              ReadInt(lpszIni, "Personality", "LeftBotHeight", 0));
    m_splitRight = SkinSplitOf(right.cy, ReadInt(lpszIni, "Personality", "RightTopHeight", 0),
                               ReadInt(lpszIni, "Personality", "RightBotHeight", 0));
    m_splitBottom =
        SkinSplitOf(bottom.cx, ReadInt(lpszIni, "Personality", "BottomTopHeight", 0),
                    ReadInt(lpszIni, "Personality", "BottomBotHeight", 0));

    m_nImageCount = SkinImageCount(ReadInt(lpszIni, "Personality", "ButtonImgCount", 3));
    const int nButtons = ReadInt(lpszIni, "Personality", "ButtonCount", 0);
    for (int i = 0; i < nButtons; ++i) {
        CString section;
        section.Format("Button%d", i);
        const int action = ReadInt(lpszIni, section, "Action", 0);
        CBitmap *pSlot = NULL;
        SkinRect *pPlace = NULL;
        if (action == 0) {
            pSlot = &m_bmpClose;
            pPlace = &m_placeClose;
        } else if (action == 2) {
            pSlot = &m_bmpMin;
            pPlace = &m_placeMin;
        } else if (action == 1 && !m_bmpMax.GetSafeHandle()) {
            pSlot = &m_bmpMax;
            pPlace = &m_placeMax;
        } else if (action == 1) {
            pSlot = &m_bmpRestore;
            pPlace = &m_placeRestore;
        } else {
            continue;
        }
        pSlot->DeleteObject();
        CString image = ReadString(lpszIni, section, "ButtonImage");
        if (image.IsEmpty() ||
            !LoadPictureFile(pSlot, SkinThemeFile(lpszIni, (LPCTSTR)image).c_str(),
                             (COLORREF)-1)) {
            Unload();
            return FALSE;
        }
        const SIZE size = BitmapSize(*pSlot);
        *pPlace = SkinButtonPlacement(ReadInt(lpszIni, section, "XCoord", 0),
                                      ReadInt(lpszIni, section, "YCoord", 0), size.cx,
                                      size.cy, m_nImageCount);
    }

    m_nTextShift = ReadInt(lpszIni, "Personality", "TextShift", 0);
    m_nTextShiftVert = ReadInt(lpszIni, "Personality", "TextShiftVert", 0);
    m_crTitle = ReadColour(lpszIni, "TitleText", ::GetSysColor(COLOR_CAPTIONTEXT));
    m_crInactiveTitle =
        ReadColour(lpszIni, "InactiveTitleText", ::GetSysColor(COLOR_CAPTIONTEXT));
    m_bUsesTran = ReadInt(lpszIni, "Personality", "UsesTran", 0) != 0;
    m_crKey = RGB(255, 0, 255);
    if (m_bUsesTran)
        m_crKey = ReadColour(lpszIni, "TransColor", RGB(255, 0, 255));
    m_bLoaded = TRUE;
    return TRUE;
}

BOOL CSkinFrame::Attach(CWnd *pWnd)
{
    if (!m_bLoaded || !pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    SubclassWindow((HWND)NULL);
    BOOL bResult = SubclassWindow(pWnd->GetSafeHwnd());
    const DWORD style = (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE);
    m_bResizable = (style & WS_THICKFRAME) != 0;
    m_bMinBox = (style & WS_MINIMIZEBOX) != 0;
    m_bMaxBox = (style & WS_MAXIMIZEBOX) != 0;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, style & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    return bResult;
}

SkinRect CSkinFrame::WindowSize() const
{
    RECT r = {};
    ::GetWindowRect(m_hWnd, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

SkinRect CSkinFrame::CaptionButtonRect(int nIndex, int nWidth) const
{
    const SkinRect kEmpty = {0, 0, 0, 0};
    switch (nIndex) {
    case 0:
        return m_bmpClose.GetSafeHandle() ? SkinButtonRect(m_placeClose, nWidth) : kEmpty;
    case 1:
        if (m_nState == STATE_MAXIMISED && m_bmpRestore.GetSafeHandle())
            return SkinButtonRect(m_placeRestore, nWidth);
        return m_bmpMax.GetSafeHandle() ? SkinButtonRect(m_placeMax, nWidth) : kEmpty;
    case 2:
        return m_bmpMin.GetSafeHandle() ? SkinButtonRect(m_placeMin, nWidth) : kEmpty;
    }
    return kEmpty;
}

int CSkinFrame::HitTest(int x, int y) const
{
    const SkinRect size = WindowSize();
    SkinHitInput in;
    in.close = CaptionButtonRect(0, size.right);
    in.maximise = CaptionButtonRect(1, size.right);
    in.minimise = CaptionButtonRect(2, size.right);
    in.minimiseBox = m_bMinBox != FALSE;
    in.maximiseBox = m_bMaxBox != FALSE;
    in.resizable = m_bResizable != FALSE;
    in.maximised = m_nState == STATE_MAXIMISED;
    return SkinHitTest(m_metrics, in, size.right, size.bottom, x, y);
}

void CSkinFrame::DrawBorders(CDC *pDC, int w, int h, BOOL bTop, BOOL bSides, BOOL bBottom)
{
    const SIZE top = BitmapSize(m_bmpTop), left = BitmapSize(m_bmpLeft),
               right = BitmapSize(m_bmpRight), bottom = BitmapSize(m_bmpBottom);
    const int half = m_bActive ? 0 : 1;
    const SkinFrameMetrics &m = m_metrics;
    if (bTop) {
        const int y0 = half * m.captionHeight;
        for (const SkinPiece &p : SkinBorderPieces(top.cx, m_splitTop, m.leftWidth,
                                                   w - m.leftWidth - m.rightWidth + 1)) {
            RECT src = {p.src, y0, p.src + p.length, y0 + m.captionHeight};
            BlitBitmapPart(&m_bmpTop, pDC, p.dest, 0, &src);
        }
    }
    if (bSides) {
        const int xl = half * m.leftWidth, xr = half * m.rightWidth;
        for (const SkinPiece &p : SkinBorderPieces(left.cy, m_splitLeft, 0, h)) {
            RECT src = {xl, p.src, xl + m.leftWidth, p.src + p.length};
            BlitBitmapPart(&m_bmpLeft, pDC, 0, p.dest, &src);
        }
        for (const SkinPiece &p : SkinBorderPieces(right.cy, m_splitRight, 0, h)) {
            RECT src = {xr, p.src, xr + m.rightWidth, p.src + p.length};
            BlitBitmapPart(&m_bmpRight, pDC, w - m.rightWidth, p.dest, &src);
        }
    }
    if (bBottom) {
        const int y0 = half * m.bottomHeight;
        for (const SkinPiece &p : SkinBorderPieces(bottom.cx, m_splitBottom, m.leftWidth,
                                                   w - m.leftWidth - m.rightWidth)) {
            RECT src = {p.src, y0, p.src + p.length, y0 + m.bottomHeight};
            BlitBitmapPart(&m_bmpBottom, pDC, p.dest, h - m.bottomHeight, &src);
        }
    }
}

void CSkinFrame::DrawButton(CDC *pDC, CBitmap &bitmap, const SkinRect &rect, int nFrame)
{
    const int frameWidth = BitmapSize(bitmap).cx / m_nImageCount;
    const int height = BitmapSize(m_bmpClose).cy;
    RECT src = {nFrame * frameWidth, 0, (nFrame + 1) * frameWidth, height};
    DrawBitmapPart(&bitmap, pDC, rect.left, rect.top, &src, m_crKey, m_bUsesTran);
}

void CSkinFrame::DrawCaptionButtons(CDC *pDC, int w)
{
    auto frameOf = [this](int hit) {
        return m_nPressedHit == hit ? 1 : m_nHoverHit == hit ? 2
                                                             : 0;
    };
    if (m_bmpClose.GetSafeHandle())
        DrawButton(pDC, m_bmpClose, CaptionButtonRect(0, w), frameOf(HTCLOSE));
    if (m_bMinBox && m_bmpMin.GetSafeHandle())
        DrawButton(pDC, m_bmpMin, CaptionButtonRect(2, w), frameOf(HTMINBUTTON));
    if (m_bMaxBox) {
        const BOOL bRestore = m_nState == STATE_MAXIMISED && m_bmpRestore.GetSafeHandle();
        CBitmap &bitmap = bRestore ? m_bmpRestore : m_bmpMax;
        if (bitmap.GetSafeHandle())
            DrawButton(pDC, bitmap, CaptionButtonRect(1, w), frameOf(HTMAXBUTTON));
    } else if (m_bMinBox && m_bmpMax.GetSafeHandle()) {
        DrawButton(pDC, m_bmpMax, CaptionButtonRect(1, w), 3);
    }
}

void CSkinFrame::DrawIconAndTitle(CDC *pDC, int w)
{
    HICON hIcon = (HICON)::SendMessage(m_hWnd, WM_GETICON, ICON_SMALL, 0);
    if (!hIcon)
        hIcon = ::LoadIcon(::GetModuleHandle(NULL), MAKEINTRESOURCE(128));
    if (hIcon)
        ::DrawIconEx(*pDC, m_metrics.leftWidth, kIconTop, hIcon, m_metrics.iconWidth,
                     m_metrics.iconHeight, 0, NULL, DI_NORMAL);

    CString text = m_strCaption;
    if (text.IsEmpty()) {
        char buffer[512] = "";
        ::GetWindowText(m_hWnd, buffer, sizeof buffer);
        text = buffer;
    }
    NONCLIENTMETRICS ncm = {};
    ncm.cbSize = sizeof ncm;
    CScopedFont font;
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        font.Reset(::CreateFontIndirect(&ncm.lfCaptionFont));
    if (!font.IsValid())
        font.Reset(::CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, "Tahoma"));
    CScopedSelect sel(*pDC, font);
    pDC->SetTextColor(m_bActive ? m_crTitle : m_crInactiveTitle);
    pDC->SetBkMode(TRANSPARENT);
    RECT r = {m_nTextShift, m_nTextShiftVert, m_splitTop.end + w - BitmapSize(m_bmpTop).cx,
              m_metrics.captionHeight};
    pDC->DrawText(text, &r, DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS | DT_NOPREFIX);
}

// The caption strip with the key colour cut away, and everything below it.
HRGN CSkinFrame::MakeWindowRegion(int w, int h)
{
    CFrameDC windowDC(m_hWnd);
    CDC mem;
    CBitmap strip;
    if (!mem.Attach(::CreateCompatibleDC(windowDC)) ||
        !strip.Attach(::CreateCompatibleBitmap(windowDC, w, m_metrics.captionHeight)))
        return NULL;
    {
        CScopedSelect sel(mem, strip);
        const BOOL bActive = m_bActive;
        m_bActive = TRUE;
        DrawBorders(&mem, w, m_metrics.captionHeight, TRUE, TRUE, FALSE);
        m_bActive = bActive;
    }
    HRGN hRgn = ::CreateRectRgn(0, m_metrics.captionHeight, w, h);
    CScopedRgn caption(RegionFromBitmap(&strip, m_crKey));
    if (hRgn && caption.IsValid())
        ::CombineRgn(hRgn, hRgn, caption, RGN_OR);
    return hRgn;
}

void CSkinFrame::SetFrameRegion()
{
    const SkinRect size = WindowSize();
    if (m_bUsesTran) {
        ::SetWindowRgn(m_hWnd, MakeWindowRegion(size.right, size.bottom), TRUE);
        m_bRegionSet = TRUE;
    } else if (m_bRegionSet) {
        ::SetWindowRgn(m_hWnd, NULL, TRUE);
        m_bRegionSet = FALSE;
    }
}

void CSkinFrame::Paint()
{
    if (!m_hWnd || !m_bLoaded)
        return;
    const SkinRect size = WindowSize();
    const int w = size.right, h = size.bottom, capH = m_metrics.captionHeight;
    if (w <= 0 || h <= 0)
        return;
    CFrameDC windowDC(m_hWnd);
    CDC *pWindowDC = CDC::FromHandle(windowDC);
    {
        const int nSaved = ::SaveDC(windowDC);
        ::ExcludeClipRect(windowDC, 0, 0, w, capH);
        DrawBorders(pWindowDC, w, h, FALSE, TRUE, TRUE);
        ::RestoreDC(windowDC, nSaved);
    }
    CDC mem;
    CBitmap strip;
    if (capH <= 0 || !mem.Attach(::CreateCompatibleDC(windowDC)) ||
        !strip.Attach(::CreateCompatibleBitmap(windowDC, w, capH)))
        return;
    CScopedSelect sel(mem, strip);
    DrawBorders(&mem, w, capH, TRUE, TRUE, FALSE);
    DrawCaptionButtons(&mem, w);
    DrawIconAndTitle(&mem, w);
    const int nSaved = ::SaveDC(windowDC);
    if (m_bUsesTran) {
        CScopedRgn shape(MakeWindowRegion(w, h));
        if (shape.IsValid())
            ::SelectClipRgn(windowDC, shape);
    }
    ::BitBlt(windowDC, 0, 0, w, capH, mem, 0, 0, SRCCOPY);
    ::RestoreDC(windowDC, nSaved);
}

void CSkinFrame::Maximise()
{
    RECT work = {};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(m_hWnd, &m_rcSaved);
    m_nState = STATE_MAXIMISED;
    ::MoveWindow(m_hWnd, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 TRUE);
    Paint();
}

void CSkinFrame::Restore()
{
    if (m_nState == STATE_MINIMISED) {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        m_nState = m_nStateBeforeMin;
        Paint();
        return;
    }
    if (m_nState != STATE_MAXIMISED)
        return;
    m_nState = STATE_NORMAL;
    ::MoveWindow(m_hWnd, m_rcSaved.left, m_rcSaved.top, m_rcSaved.right - m_rcSaved.left,
                 m_rcSaved.bottom - m_rcSaved.top, TRUE);
    Paint();
}

void CSkinFrame::Minimise()
{
    if (m_nState != STATE_MINIMISED)
        m_nStateBeforeMin = m_nState;
    m_nState = STATE_MINIMISED;
    ::ShowWindow(m_hWnd, SW_MINIMIZE);
}

void CSkinFrame::ShowSystemMenu(int x, int y)
{
    HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hMenu)
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, m_hWnd, NULL);
}

BOOL CSkinFrame::OnSystemCommand(UINT nId)
{
    switch (nId) {
    case SC_MAXIMIZE:
        Maximise();
        return TRUE;
    case SC_MINIMIZE:
        Minimise();
        return TRUE;
    case SC_RESTORE:
        if (m_nState == STATE_NORMAL)
            return FALSE;
        Restore();
        return TRUE;
    }
    return FALSE;
}

LRESULT CSkinFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bLoaded || !::IsWindow(m_hWnd))
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        LRESULT result = Default();
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        Paint();
        SetFrameRegion();
        return result;
    }
    case WM_ACTIVATE:
        m_bActive = LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE;
        Paint();
        return Default();  // the dialog gives the focus back to its control
    case WM_NCACTIVATE:
        m_bActive = wParam != 0;
        Paint();
        return wParam ? FALSE : TRUE;
    case WM_SETTEXT: {
        LRESULT result = Default();
        m_strCaption = lParam ? (LPCTSTR)lParam : "";
        Paint();
        return result;
    }
    case WM_SHOWWINDOW:
        if (wParam)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                               SWP_NOACTIVATE);
        return Default();
    case WM_GETMINMAXINFO: {
        MINMAXINFO *mmi = (MINMAXINFO *)lParam;
        mmi->ptMinTrackSize.x =
            BitmapSize(m_bmpLeft).cx + BitmapSize(m_bmpRight).cx + BitmapSize(m_bmpTop).cx;
        mmi->ptMinTrackSize.y = BitmapSize(m_bmpLeft).cy + 20;
        return 0;
    }
    case WM_WINDOWPOSCHANGING:
    case WM_SIZING:
    case WM_NCRBUTTONUP:
        return 0;
    case WM_NCCALCSIZE: {
        if (!wParam)
            return Default();
        NCCALCSIZE_PARAMS *p = (NCCALCSIZE_PARAMS *)lParam;
        const SkinRect c = SkinClientRect(
            m_metrics, {p->rgrc[0].left, p->rgrc[0].top, p->rgrc[0].right, p->rgrc[0].bottom});
        p->rgrc[0] = ToRect(c);
        p->rgrc[1] = p->rgrc[0];
        return 0;
    }
    case WM_NCHITTEST: {
        RECT r = {};
        ::GetWindowRect(m_hWnd, &r);
        return HitTest(XOf(lParam) - r.left, YOf(lParam) - r.top);
    }
    case WM_NCPAINT:
        Paint();
        return 0;
    case WM_NCMOUSEMOVE: {
        const int hit = (int)wParam;
        LRESULT result = 0;
        if ((hit >= HTLEFT && hit <= HTBOTTOMRIGHT) ||
            (hit == HTCAPTION && m_nState != STATE_MAXIMISED))
            result = Default();
        m_nHoverHit = hit;
        m_nPressedHit = 0;
        if (hit != m_nDownHit)
            m_nDownHit = 0;
        if (hit != m_nLastHit) {
            m_nLastHit = hit;
            Paint();
        }
        return result;
    }
    case WM_NCLBUTTONDOWN: {
        const int hit = (int)wParam;
        m_nPressedHit = m_nHoverHit = m_nDownHit = hit;
        Paint();
        if ((hit >= HTLEFT && hit <= HTBOTTOMRIGHT) ||
            (hit == HTCAPTION && m_nState != STATE_MAXIMISED))
            return Default();
        if (hit == HTSYSMENU)
            ShowSystemMenu(XOf(lParam), YOf(lParam));
        return 0;
    }
    case WM_NCLBUTTONUP: {
        const int hit = (int)wParam;
        // A button acts only when the press began on it.
        const BOOL bSame = hit == m_nDownHit;
        m_nPressedHit = m_nHoverHit = m_nDownHit = 0;
        if (bSame && hit == HTCLOSE) {
            ::SendMessage(m_hWnd, WM_CLOSE, 0, 0);
            return 0;
        }
        if (bSame && hit == HTMINBUTTON)
            Minimise();
        else if (bSame && hit == HTMAXBUTTON)
            m_nState == STATE_MAXIMISED ? Restore() : Maximise();
        if (::IsWindow(m_hWnd))
            Paint();
        return 0;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && m_bResizable)
            m_nState == STATE_MAXIMISED ? Restore() : Maximise();
        m_nPressedHit = m_nHoverHit = 0;
        Paint();
        return 0;
    case WM_NCRBUTTONDOWN:
        if (wParam == HTCAPTION)
            ShowSystemMenu(XOf(lParam), YOf(lParam));
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0) {
            const UINT id = LOWORD(wParam);
            HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
            if (hMenu && ::GetMenuState(hMenu, id, MF_BYCOMMAND) != (UINT)-1) {
                if (!OnSystemCommand(id))
                    ::SendMessage(m_hWnd, WM_SYSCOMMAND, id, 0);
                return 0;
            }
        }
        return Default();
    case WM_SYSCOMMAND:
        if ((wParam == SC_MAXIMIZE || wParam == SC_RESTORE) && OnSystemCommand((UINT)wParam))
            return 0;
        return Default();
    }
    return CSubclassWnd::WindowProc(message, wParam, lParam);
}
