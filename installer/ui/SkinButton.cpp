#include "installer/ui/SkinButton.h"

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/BitmapRoutines.h"
#include "installer/ui/SkinGeometry.h"

IMPLEMENT_DYNAMIC(CSkinButton, CButton)

CButtonSkin::CButtonSkin() : m_nTop(0), m_nLeft(0), m_nRight(0), m_nBottom(0), m_bLoaded(FALSE) {}

BOOL CButtonSkin::Load(LPCTSTR lpszIni)
{
    m_bitmap.DeleteObject();
    m_bLoaded = FALSE;
    char value[1000] = "";
    ::GetPrivateProfileString("Buttons", "Bitmap", "", value, sizeof value, lpszIni);
    if (!value[0] ||
        !LoadPictureFile(&m_bitmap, SkinThemeFile(lpszIni, value).c_str(), (COLORREF)-1))
        return FALSE;
    m_nTop = (int)::GetPrivateProfileInt("Buttons", "TopHeight", 0, lpszIni);
    m_nBottom = (int)::GetPrivateProfileInt("Buttons", "BottomHeight", 0, lpszIni);
    m_nLeft = (int)::GetPrivateProfileInt("Buttons", "LeftWidth", 0, lpszIni);
    m_nRight = (int)::GetPrivateProfileInt("Buttons", "RightWidth", 0, lpszIni);
    m_bLoaded = TRUE;
    return TRUE;
}

void CButtonSkin::Draw(CDC *pDC, const RECT &rect, int nState)
{
    BITMAP bm = {};
    if (!m_bLoaded || !m_bitmap.GetBitmap(&bm))
        return;
    const int cellWidth = bm.bmWidth / 5;
    const int cell = SkinButtonCell(nState);
    const SkinRect src = {cell * cellWidth, 0, (cell + 1) * cellWidth, bm.bmHeight};
    for (const SkinSlice &s : SkinNineSlices(src, rect.right - rect.left, rect.bottom - rect.top,
                                             m_nTop, m_nLeft, m_nRight, m_nBottom)) {
        if (s.dest.IsEmpty() || s.src.IsEmpty())
            continue;
        RECT from = {s.src.left, s.src.top, s.src.right, s.src.bottom};
        RECT to = {s.dest.left, s.dest.top, s.dest.right, s.dest.bottom};
        StretchBitmapPart(&m_bitmap, pDC, &to, &from);
    }
}

CSkinButton::CSkinButton()
    : m_pSkin(NULL), m_bHover(FALSE), m_bHeld(FALSE), m_bFocus(FALSE), m_bEnabled(TRUE),
      m_crText(::GetSysColor(COLOR_BTNTEXT)), m_font("Tahoma"), m_nRegionCell(-1),
      m_regionSize{0, 0} {}

CSkinButton::~CSkinButton() {}

void CSkinButton::SetSkin(CButtonSkin *pSkin)
{
    m_pSkin = pSkin;
    if (m_hWnd && IsSkinned())
        Refresh();
}

int CSkinButton::CurrentState()
{
    m_bFocus = ::GetFocus() == m_hWnd;
    m_bEnabled = (GetStyle() & WS_DISABLED) == 0;
    return SkinButtonState(m_bEnabled != FALSE, m_bFocus != FALSE, m_bHover != FALSE,
                           m_bHeld != FALSE);
}

// The window shape follows the cell's magenta pixels; it is set here, when
// the size or the cell changed, never while painting.
void CSkinButton::UpdateRegion(int nState)
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int cell = SkinButtonCell(nState);
    if (cell == m_nRegionCell && client.right == m_regionSize.cx &&
        client.bottom == m_regionSize.cy)
        return;
    if (client.right <= 0 || client.bottom <= 0)
        return;
    CDC *pScreen = CDC::FromHandle(::GetDC(NULL));
    CDC mem;
    CBitmap image;
    const BOOL ok = mem.Attach(::CreateCompatibleDC(*pScreen)) &&
                    image.Attach(::CreateCompatibleBitmap(*pScreen, client.right, client.bottom));
    ::ReleaseDC(NULL, pScreen->Detach());
    if (!ok)
        return;
    {
        CScopedSelect sel(mem, image);
        m_pSkin->Draw(&mem, client, nState);
    }
    HRGN hRgn = RegionFromBitmap(&image, kKeyColour);
    if (hRgn) {
        ::SetWindowRgn(m_hWnd, hRgn, FALSE);
        m_nRegionCell = cell;
        m_regionSize.cx = client.right;
        m_regionSize.cy = client.bottom;
    }
}

void CSkinButton::Refresh()
{
    UpdateRegion(CurrentState());
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    ::UpdateWindow(m_hWnd);
}

BOOL CSkinButton::InRegion(POINT point)
{
    CScopedRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(m_hWnd, rgn) != ERROR)
        return ::PtInRegion(rgn, point.x, point.y);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return ::PtInRect(&client, point);
}

void CSkinButton::Press(BOOL bMouse)
{
    m_bHeld = TRUE;
    m_bHover = TRUE;
    if (bMouse)
        ::SetCapture(m_hWnd);
    Refresh();
    ::SetFocus(m_hWnd);
}

void CSkinButton::Release()
{
    const BOOL bHeld = m_bHeld;
    m_bHeld = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bHeld && m_bHover) {
        m_bHover = FALSE;
        Refresh();
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent)
            ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), BN_CLICKED),
                          (LPARAM)m_hWnd);
        return;
    }
    Refresh();
}

void CSkinButton::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int nState = CurrentState();
    CDC mem;
    CBitmap image;
    if (client.right > 0 && client.bottom > 0 && mem.Attach(::CreateCompatibleDC(hDC)) &&
        image.Attach(::CreateCompatibleBitmap(hDC, client.right, client.bottom))) {
        CScopedSelect sel(mem, image);
        m_pSkin->Draw(&mem, client, nState);
        char text[256] = "";
        ::GetWindowText(m_hWnd, text, sizeof text);
        CScopedSelect font(mem, m_font);
        mem.SetTextColor(m_bEnabled ? m_crText : RGB(100, 100, 100));
        mem.SetBkMode(TRANSPARENT);
        mem.DrawText(text, -1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        ::BitBlt(hDC, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsSkinned())
        return CButton::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE: {
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (InRegion(pt)) {
            if (!m_bHover) {
                m_bHover = TRUE;
                Refresh();
                ::SetCapture(m_hWnd);
            }
        } else if (m_bHover) {
            m_bHover = FALSE;
            Refresh();
            if (!m_bHeld && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        Press(TRUE);
        return 0;
    case WM_LBUTTONUP:
        Release();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & 0x40000000))
            Press(FALSE);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Release();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_ENABLE:
        if (wParam)
            ModifyStyle(WS_DISABLED, 0);
        else
            ModifyStyle(0, WS_DISABLED);
        Refresh();
        return 0;
    case WM_SIZE: {
        LRESULT result = CButton::WindowProc(message, wParam, lParam);
        UpdateRegion(CurrentState());
        return result;
    }
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: {
        // The system button may paint itself here; the skin goes over it.
        LRESULT result = CButton::WindowProc(message, wParam, lParam);
        ::InvalidateRect(m_hWnd, NULL, FALSE);
        return result;
    }
    }
    return CButton::WindowProc(message, wParam, lParam);
}
