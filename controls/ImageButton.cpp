#include "controls/ImageButton.h"

#include "framework/ResourceList.h"
#include "framework/ScopedHandle.h"

IMPLEMENT_DYNAMIC(CImageButton, CButton)

namespace {

const UINT kTypeMask = 0x1F;

}  // namespace

CImageButton::CImageButton()
    : m_bGreyDisabled(TRUE), m_nImageOffsetX(3), m_nImageOffsetY(3), m_ptPressedOffsetX(1),
      m_ptPressedOffsetY(1), m_bIsFlat(TRUE), m_bMouseOver(FALSE), m_bTransparent(FALSE), m_bIsPressed(FALSE),
      m_bIsFocused(FALSE), m_bIsDisabled(FALSE), m_bIsDefault(FALSE), m_bIsCheckBox(FALSE), m_nAlign(ALIGN_HORIZ),
      m_bDrawBorder(TRUE), m_bDrawFlatFocus(FALSE), m_hBmpBkOld(NULL),
      m_bAlwaysTrack(TRUE), m_bChecked(FALSE), m_nTypeStyle(0)
{
    memset(m_icons, 0, sizeof(m_icons));
    SetDefaultColors(FALSE);
    SetPressedStyle(0, FALSE);
}

CImageButton::~CImageButton()
{
    ReleaseBackground();
    FreeResources();
}

void CImageButton::FreeResources(BOOL bCheckForNull)
{
    (void)bCheckForNull;
    for (IconInfo& icon : m_icons) {
        if (icon.hIcon)
            ::DestroyIcon(icon.hIcon);
    }
    memset(m_icons, 0, sizeof(m_icons));
}

void CImageButton::SetDefaultColors(BOOL bRepaint)
{
    m_crColors[COLOR_BK_IN] = m_crColors[COLOR_BK_OUT] = m_crColors[COLOR_BK_FOCUS] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[COLOR_FG_IN] = m_crColors[COLOR_FG_OUT] = m_crColors[COLOR_FG_FOCUS] = ::GetSysColor(COLOR_BTNTEXT);
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CImageButton::SetColor(int nIndex, COLORREF color, BOOL bRepaint)
{
    if (nIndex < 0 || nIndex >= COLOR_COUNT)
        return;
    m_crColors[nIndex] = color;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CImageButton::SetPressedStyle(int nStyle, BOOL bRepaint)
{
    m_ptPressedOffsetX = nStyle == 1 ? 0 : 1;
    m_ptPressedOffsetY = nStyle == 1 ? 2 : 1;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CImageButton::SetFlat(BOOL bFlat, BOOL bRepaint)
{
    m_bIsFlat = bFlat;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CImageButton::SetAlign(int nAlign, BOOL bRepaint)
{
    if (nAlign < ALIGN_HORIZ || nAlign > ALIGN_HORIZ_RIGHT)
        return;
    m_nAlign = nAlign;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CImageButton::SetCheck(int nCheck, BOOL bRepaint)
{
    if (!m_bIsCheckBox)
        return;
    m_bChecked = nCheck == 1 || nCheck == 2;
    if (bRepaint && m_hWnd)
        Invalidate();
}

HICON CImageButton::CreateGrayscaleIcon(HICON hIcon)
{
    ICONINFO info;
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return NULL;
    // GetIconInfo hands over both bitmaps
    CScopedBitmap color(info.hbmColor), mask(info.hbmMask);
    HICON hGrey = NULL;
    BITMAP bm;
    if (color.IsValid() && ::GetObject(color, sizeof(bm), &bm)) {
        CScopedMemDC hDC(::CreateCompatibleDC(NULL));
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = bm.bmWidth;
        bi.bmiHeader.biHeight = -bm.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        CScopedBitmap hDib(::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &pBits, NULL, 0));
        if (hDib.IsValid() && pBits && ::GetDIBits(hDC, color, 0, bm.bmHeight, pBits, &bi, DIB_RGB_COLORS)) {
            DWORD* p = static_cast<DWORD*>(pBits);
            for (int i = 0; i < bm.bmWidth * bm.bmHeight; ++i) {
                const DWORD px = p[i];
                if ((px & 0xFFFFFF) == 0)
                    continue;
                const BYTE r = (BYTE)(px >> 16), g = (BYTE)(px >> 8), b = (BYTE)px;
                const DWORD grey = (DWORD)(0.299 * r + 0.587 * g + 0.114 * b);
                p[i] = (px & 0xFF000000) | (grey << 16) | (grey << 8) | grey;
            }
            ICONINFO out = info;
            out.hbmColor = hDib;
            hGrey = ::CreateIconIndirect(&out);
        }
    }
    return hGrey;
}

DWORD CImageButton::SetIcon(int nIconIn, int nIconOut)
{
    FreeResources();
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIconIn), RT_GROUP_ICON);
    HICON hIn = (HICON)::LoadImage(hInst, MAKEINTRESOURCE(nIconIn), IMAGE_ICON, 0, 0, 0);
    HICON hOut = NULL;
    if (nIconOut == GREY_ICON)
        hOut = CreateGrayscaleIcon(hIn);
    else if (nIconOut != NO_ICON)
        hOut = (HICON)::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(nIconOut), RT_GROUP_ICON),
                                  MAKEINTRESOURCE(nIconOut), IMAGE_ICON, 0, 0, 0);
    if (!hIn) {
        if (hOut)
            ::DestroyIcon(hOut);
        if (m_hWnd)
            Invalidate();
        return nIconIn == 0 ? 0 : 1;
    }
    HICON icons[2] = {hIn, hOut};
    for (int i = 0; i < 2; ++i) {
        if (!icons[i])
            continue;
        ICONINFO info;
        BOOL bInfo = ::GetIconInfo(icons[i], &info);
        // GetIconInfo hands over both bitmaps
        CScopedBitmap color(bInfo ? info.hbmColor : NULL), mask(bInfo ? info.hbmMask : NULL);
        if (!bInfo) {
            for (HICON h : icons)
                if (h)
                    ::DestroyIcon(h);
            FreeResources();
            return 1;
        }
        m_icons[i].hIcon = icons[i];
        m_icons[i].dwWidth = info.xHotspot * 2;
        m_icons[i].dwHeight = info.yHotspot * 2;
    }
    if (m_hWnd)
        Invalidate();
    return 0;
}

void CImageButton::SetTooltipText(LPCTSTR lpszText, BOOL bActivate)
{
    if (!lpszText || !m_hWnd)
        return;
    if (!m_toolTip.GetSafeHwnd()) {
        m_toolTip.Create(this);
        m_toolTip.Activate(FALSE);
        m_toolTip.SetMaxTipWidth(400);
    }
    if (m_toolTip.GetToolCount() == 0)
        m_toolTip.AddTool(this, lpszText, NULL, 1);
    else
        m_toolTip.UpdateTipText(lpszText, this, 1);
    m_toolTip.Activate(bActivate);
}

void CImageButton::PreSubclassWindow()
{
    UINT type = GetStyle() & kTypeMask;
    if (type & BS_CHECKBOX)
        m_bIsCheckBox = TRUE;
    if (type == BS_DEFPUSHBUTTON) {
        m_bIsDefault = TRUE;
        type = BS_PUSHBUTTON;
    }
    m_nTypeStyle = type;
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

void CImageButton::CancelHover()
{
    if (!m_bMouseOver)
        return;
    m_bMouseOver = FALSE;
    Invalidate();
}

void CImageButton::OnMouseMove(POINT point)
{
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    HWND hUnder = ::WindowFromPoint(screen);
    const BOOL bLeftDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (hUnder == m_hWnd && (!bLeftDown || m_bMouseOver)) {
        if (!m_bMouseOver && (m_bAlwaysTrack || ::GetActiveWindow())) {
            m_bMouseOver = TRUE;
            Invalidate();
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
    } else {
        CancelHover();
    }
}

BOOL CImageButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_LBUTTONDBLCLK)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

BOOL CImageButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetFocus();
        if (m_bIsCheckBox) {
            m_bChecked = !m_bChecked;
            Invalidate();
        }
        return FALSE;  // the parent gets its notification too
    }
    if (message == WM_CTLCOLORBTN) {
        if (pResult)
            *pResult = (LRESULT)::GetStockObject(NULL_BRUSH);
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return CButton::WindowProc(message, wParam, lParam) |
               (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
        const UINT type = (UINT)wParam & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            m_bIsDefault = type == BS_DEFPUSHBUTTON;
        return CButton::WindowProc(message, ((UINT)wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
    }
    case BM_SETCHECK:
        SetCheck((int)wParam);
        return 0;
    case BM_GETCHECK:
        return m_bChecked;
    case WM_LBUTTONDBLCLK:
        message = WM_LBUTTONDOWN;
        break;
    case WM_MOUSEMOVE: {
        POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        OnMouseMove(point);
        break;
    }
    case WM_MOUSELEAVE:
    case WM_CANCELMODE:
    case WM_KILLFOCUS:
        CancelHover();
        break;
    case WM_ENABLE:
        if (!wParam) {
            CancelHover();
            if (CWnd* pParent = GetParent()) {
                // the system has taken the focus from a window it disables
                const HWND hFocus = ::GetFocus();
                if (hFocus == m_hWnd || hFocus == NULL) {
                    HWND hNext = ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, FALSE);
                    ::SetFocus(hNext && hNext != m_hWnd ? hNext : pParent->GetSafeHwnd());
                }
            }
        }
        break;
    case WM_SYSCOLORCHANGE:
        SetDefaultColors(FALSE);
        ReleaseBackground();
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CImageButton::ReleaseBackground()
{
    if (m_hDCBk.IsValid())
        ::SelectObject(m_hDCBk, m_hBmpBkOld);
    m_hDCBk.Reset();
    m_hBmpBk.Reset();
}

void CImageButton::DrawBackground(HDC hDC, CRect& rect)
{
    if (m_bTransparent) {
        if (!m_hDCBk.IsValid()) {
            CWnd* pParent = GetParent();
            CRect wnd;
            GetWindowRect(&wnd);
            HWND hParent = pParent ? pParent->GetSafeHwnd() : NULL;
            ::ScreenToClient(hParent, (POINT*)&wnd.left);
            ::ScreenToClient(hParent, (POINT*)&wnd.right);
            HDC hParentDC = ::GetDC(hParent);
            m_hDCBk.Reset(::CreateCompatibleDC(hParentDC));
            m_hBmpBk.Reset(::CreateCompatibleBitmap(hParentDC, rect.Width(), rect.Height()));
            m_hBmpBkOld = ::SelectObject(m_hDCBk, m_hBmpBk);
            ::BitBlt(m_hDCBk, 0, 0, rect.Width(), rect.Height(), hParentDC, wnd.left, wnd.top, SRCCOPY);
            ::ReleaseDC(hParent, hParentDC);
        }
        ::BitBlt(hDC, 0, 0, rect.Width(), rect.Height(), m_hDCBk, 0, 0, SRCCOPY);
        return;
    }
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        HBRUSH hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
        ::FrameRect(hDC, &rect, hBlack);
        rect.DeflateRect(1, 1);
    }
    COLORREF color = m_crColors[COLOR_BK_OUT];
    if (m_bMouseOver || m_bIsPressed)
        color = m_crColors[COLOR_BK_IN];
    else if (m_bIsFocused)
        color = m_crColors[COLOR_BK_FOCUS];
    CScopedBrush hBrush(::CreateSolidBrush(color));
    ::FillRect(hDC, &rect, hBrush);
}

void CImageButton::PrepareImageRect(BOOL bHasTitle, RECT* rpItem, CRect* rpTitle, BOOL bIsPressed, DWORD dwWidth,
                                    DWORD dwHeight, CRect* rpImage)
{
    CRect btn(*rpItem);
    rpImage->CopyRect(&btn);
    switch (m_nAlign) {
    case ALIGN_HORIZ:
        if (bHasTitle) {
            rpImage->left += m_nImageOffsetX;
            rpTitle->left += dwWidth + m_nImageOffsetX;
        } else {
            rpImage->left += (btn.Width() - (int)dwWidth) / 2;
        }
        rpImage->top += (btn.Height() - (int)dwHeight) / 2;
        break;
    case ALIGN_HORIZ_RIGHT:
        GetClientRect(&btn);
        if (bHasTitle) {
            rpImage->left = btn.right - (int)dwWidth - m_nImageOffsetX;
            rpTitle->right = rpTitle->Width() - (int)dwWidth - m_nImageOffsetX;
        } else {
            rpImage->left += (btn.Width() - (int)dwWidth) / 2;
        }
        rpImage->top += (btn.Height() - (int)dwHeight) / 2;
        break;
    case ALIGN_VERT:
        rpImage->left += (btn.Width() - (int)dwWidth) / 2;
        if (bHasTitle) {
            rpImage->top = m_nImageOffsetY;
            rpTitle->top += dwHeight;
        } else {
            rpImage->top += (btn.Height() - (int)dwHeight) / 2;
        }
        break;
    }
    if (bIsPressed && !m_bIsCheckBox)
        rpImage->OffsetRect(m_ptPressedOffsetX, m_ptPressedOffsetY);
}

void CImageButton::DrawTheIcon(HDC hDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed,
                               BOOL bIsDisabled)
{
    int index = 0;
    const BOOL bLit = m_bIsCheckBox ? bIsPressed : (bIsPressed || m_bMouseOver);
    if (m_icons[1].hIcon && !bLit)
        index = 1;
    CRect image;
    PrepareImageRect(bHasTitle, rpItem, rpCaption, bIsPressed, m_icons[index].dwWidth, m_icons[index].dwHeight,
                     &image);
    ::DrawState(hDC, NULL, NULL, (LPARAM)m_icons[index].hIcon, 0, image.left, image.top, image.Width(),
                image.Height(), DST_ICON | (bIsDisabled && m_bGreyDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (m_bIsCheckBox)
        m_bIsPressed = m_bIsPressed || m_bChecked;
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    CRect item(lpDIS->rcItem);
    ::SetBkMode(hDC, TRANSPARENT);

    DrawBackground(hDC, item);

    if (m_bIsPressed) {
        if (m_bIsFlat) {
            if (m_bDrawBorder)
                ::DrawEdge(hDC, &item, BDR_SUNKENOUTER, BF_RECT);
        } else {
            ::FrameRect(hDC, &item, ::GetSysColorBrush(COLOR_BTNSHADOW));
        }
    } else if (!m_bIsFlat) {
        ::DrawEdge(hDC, &item, EDGE_RAISED, BF_RECT);
    } else if (m_bMouseOver && m_bDrawBorder) {
        ::DrawEdge(hDC, &item, BDR_RAISEDINNER, BF_RECT);
    }

    CString title;
    GetWindowText(title);
    CRect caption(lpDIS->rcItem);
    if (m_icons[0].hIcon)
        DrawTheIcon(hDC, !title.IsEmpty(), &lpDIS->rcItem, &caption, m_bIsPressed, m_bIsDisabled);

    if (!title.IsEmpty()) {
        if (m_bIsPressed && !m_bIsCheckBox)
            caption.OffsetRect(m_ptPressedOffsetX, m_ptPressedOffsetY);
        CRect centre = caption;
        ::DrawText(hDC, title, -1, &caption, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        caption.OffsetRect((centre.Width() - caption.Width()) / 2, (centre.Height() - caption.Height()) / 2);
        if (m_bIsDisabled) {
            caption.OffsetRect(1, 1);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_3DHILIGHT));
            ::DrawText(hDC, title, -1, &caption, DT_WORDBREAK | DT_CENTER);
            caption.OffsetRect(-1, -1);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_3DSHADOW));
            ::DrawText(hDC, title, -1, &caption, DT_WORDBREAK | DT_CENTER);
        } else {
            COLORREF color = m_crColors[COLOR_FG_OUT];
            if (m_bMouseOver || m_bIsPressed)
                color = m_crColors[COLOR_FG_IN];
            else if (m_bIsFocused)
                color = m_crColors[COLOR_FG_FOCUS];
            ::SetTextColor(hDC, color);
            ::DrawText(hDC, title, -1, &caption, DT_WORDBREAK | DT_CENTER);
        }
    }

    if ((!m_bIsFlat || m_bDrawFlatFocus) && m_bIsFocused) {
        CRect focus(lpDIS->rcItem);
        focus.DeflateRect(3, 3);
        ::DrawFocusRect(hDC, &focus);
    }
}
