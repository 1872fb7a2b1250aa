#include "installer/ui/RadioMarkButton.h"

#include "framework/DC.h"
#include "framework/ScopedHandle.h"

IMPLEMENT_DYNAMIC(CRadioMarkButton, CButton)

CRadioMarkButton::CRadioMarkButton()
    : m_dwStyle(0), m_bHover(FALSE), m_bChecked(FALSE), m_nMarkSize(15),
      m_crChecked(0x00FF00), m_crUnchecked(0x007F00), m_hIconChecked(NULL),
      m_hIconUnchecked(NULL), m_iconSize{0, 0}, m_checkedSize{0, 0}, m_uncheckedSize{0, 0} {}

CRadioMarkButton::~CRadioMarkButton() {}

void CRadioMarkButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD style = (GetStyle() & ~(DWORD)0x1F) | BS_OWNERDRAW;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, style);
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_dwStyle = style;
    m_toolTip.Create(this);
}

BOOL CRadioMarkButton::SetBitmaps(UINT nCheckedId, UINT nUncheckedId)
{
    m_bmpChecked.DeleteObject();
    m_bmpUnchecked.DeleteObject();
    BITMAP bm = {};
    if (m_bmpChecked.LoadBitmap(nCheckedId) && m_bmpChecked.GetBitmap(&bm))
        m_checkedSize = {bm.bmWidth, bm.bmHeight};
    if (m_bmpUnchecked.LoadBitmap(nUncheckedId) && m_bmpUnchecked.GetBitmap(&bm))
        m_uncheckedSize = {bm.bmWidth, bm.bmHeight};
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CRadioMarkButton::SetCheck(int nCheck, BOOL bRedraw)
{
    m_bChecked = nCheck == BST_CHECKED || nCheck == BST_INDETERMINATE;
    if (bRedraw && m_hWnd)
        Invalidate();
}

void CRadioMarkButton::DrawMark(HDC hDC, const RECT &mark, BOOL bDisabled, BOOL bPressed)
{
    const int shift = bPressed ? 1 : 0;
    if (m_hIconChecked && m_hIconUnchecked) {
        ::DrawState(hDC, NULL, NULL, (LPARAM)(m_bChecked ? m_hIconChecked : m_hIconUnchecked), 0,
                    mark.left + shift, mark.top + shift, m_iconSize.cx, m_iconSize.cy,
                    DST_ICON | (bDisabled ? DSS_DISABLED : DSS_NORMAL));
        return;
    }
    if (m_bmpChecked.GetSafeHandle() && m_bmpUnchecked.GetSafeHandle()) {
        const SIZE size = m_bChecked ? m_checkedSize : m_uncheckedSize;
        ::DrawState(hDC, NULL, NULL,
                    (LPARAM)(HBITMAP)(m_bChecked ? m_bmpChecked : m_bmpUnchecked), 0,
                    mark.left + shift, mark.top + shift, size.cx, size.cy,
                    DST_BITMAP | (bDisabled ? DSS_DISABLED : DSS_NORMAL));
        return;
    }
    const COLORREF fill = bDisabled    ? ::GetSysColor(COLOR_BTNSHADOW)
                          : m_bChecked ? m_crChecked
                                       : m_crUnchecked;
    CScopedBrush brush(::CreateSolidBrush(fill));
    CScopedPen outline(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    CScopedPen inner(::CreatePen(PS_SOLID, 1, m_crUnchecked));
    CScopedSelect selBrush(hDC, brush);
    {
        CScopedSelect selPen(hDC, outline);
        ::Ellipse(hDC, mark.left, mark.top, mark.right, mark.bottom);
    }
    CScopedSelect selPen(hDC, inner);
    CScopedSelect hollow(hDC, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(hDC, mark.left + 1, mark.top + 1, mark.right - 1, mark.bottom - 1);
}

void CRadioMarkButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    const BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bFocus = (lpDIS->itemState & ODS_FOCUS) != 0;
    const BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    RECT item = lpDIS->rcItem;
    ::InflateRect(&item, -2, -2);
    if (bFocus)
        ::DrawFocusRect(hDC, &item);
    ::InflateRect(&item, -1, -1);

    int size = 15;
    if (m_hIconChecked && m_hIconUnchecked)
        size = m_iconSize.cx;
    else if (m_bmpChecked.GetSafeHandle() && m_bmpUnchecked.GetSafeHandle())
        size = m_uncheckedSize.cx + 2;
    const int height = item.bottom - item.top;
    RECT mark, text = item;
    mark.top = item.top + (height - size) / 2 + 2;
    if (m_bmpChecked.GetSafeHandle() && m_bmpUnchecked.GetSafeHandle() && !m_hIconChecked)
        mark.top = item.top + (height - m_uncheckedSize.cy) / 2 + 4;
    mark.bottom = mark.top + size;
    if (m_dwStyle & BS_LEFTTEXT) {
        mark.right = item.right;
        mark.left = item.right - size;
        text.right = mark.left - 3;
    } else {
        mark.left = item.left;
        mark.right = item.left + size;
        text.left = mark.right + 3;
    }
    DrawMark(hDC, mark, bDisabled, bPressed);

    char caption[256] = "";
    ::GetWindowText(m_hWnd, caption, sizeof caption);
    if (caption[0]) {
        RECT measure = text;
        ::DrawText(hDC, caption, -1, &measure, DT_CALCRECT | DT_WORDBREAK);
        const int w = measure.right - measure.left, h = measure.bottom - measure.top;
        RECT place = text;
        const DWORD align = m_dwStyle & BS_CENTER;
        if (align == BS_CENTER)
            place.left = text.left + (text.right - text.left - w) / 2;
        else if (align == BS_RIGHT)
            place.left = text.right - w;
        place.right = place.left + w;
        place.top = text.top + (text.bottom - text.top - h) / 2;
        place.bottom = place.top + h;
        if (bPressed)
            ::OffsetRect(&place, 1, 1);
        if (bDisabled) {
            RECT light = place;
            ::OffsetRect(&light, 1, 1);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawText(hDC, caption, -1, &light, DT_WORDBREAK);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
        } else {
            ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
        }
        ::DrawText(hDC, caption, -1, &place, DT_WORDBREAK);
    }
    ::SetBkMode(hDC, nOldMode);
}

BOOL CRadioMarkButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT *pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && m_hWnd)
        Invalidate();  // the parent still gets the click
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CRadioMarkButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_SETCHECK:
        SetCheck((int)wParam, TRUE);
        return 0;
    case BM_GETCHECK:
        return GetCheck();
    case WM_MOUSEMOVE: {
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        ::ClientToScreen(m_hWnd, &pt);
        if (::WindowFromPoint(pt) != m_hWnd) {
            m_bHover = FALSE;
            Invalidate();
            break;
        }
        if (!m_bHover) {
            m_bHover = TRUE;
            Invalidate();
            TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        } else if (wParam & MK_LBUTTON) {
            return 0;
        }
        break;
    }
    case WM_MOUSELEAVE:
        m_bHover = FALSE;
        Invalidate();
        return 0;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
