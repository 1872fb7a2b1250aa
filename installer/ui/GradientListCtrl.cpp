#include "installer/ui/GradientListCtrl.h"

#include "framework/ScopedHandle.h"

IMPLEMENT_DYNAMIC(CGradientListCtrl, CListCtrl)

CGradientListCtrl::CGradientListCtrl(BOOL bUseGradientFill)
    : m_nHighlight(HIGHLIGHT_ROW), m_crStart(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crEnd(::GetSysColor(COLOR_WINDOW)), m_nDirection(1),
      m_hBackground(::CreateSolidBrush(m_crStart)), m_gradient(bUseGradientFill) {}

CGradientListCtrl::~CGradientListCtrl() {}

void CGradientListCtrl::SetColours(COLORREF crStart, COLORREF crEnd, int nDirection)
{
    m_crStart = crStart;
    m_crEnd = crEnd;
    m_nDirection = nDirection;
    m_hBackground.Reset(::CreateSolidBrush(crStart));
}

RECT CGradientListCtrl::HighlightRect(int nItem, const RECT &bounds, const RECT &label,
                                      const CString &text)
{
    RECT r = label;
    switch (m_nHighlight) {
    case HIGHLIGHT_TEXT: {
        const int blank = (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM) " ");
        const int width =
            (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM)(LPCTSTR)text) + 2 * blank;
        r.right = r.left + width < label.right ? r.left + width : label.right;
        break;
    }
    case HIGHLIGHT_ROW:
        r.right = bounds.right;
        break;
    case HIGHLIGHT_ALLCOLUMNS: {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        r.right = client.right;
        break;
    }
    }
    (void)nItem;
    return r;
}

void CGradientListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    const int nItem = (int)lpDIS->itemID;
    char text[260] = "";
    LVITEM item = {};
    item.mask = LVIF_STATE | LVIF_IMAGE | LVIF_TEXT;
    item.iItem = nItem;
    item.stateMask = 0xFFFF;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(&item);
    const BOOL bFocusList = ::GetFocus() == m_hWnd;
    const BOOL bHighlight = (item.state & LVIS_DROPHILITED) ||
                            ((item.state & LVIS_SELECTED) &&
                             (bFocusList || (GetStyle() & LVS_SHOWSELALWAYS)));
    RECT bounds, label, icon;
    GetItemRect(nItem, &bounds, LVIR_BOUNDS);
    GetItemRect(nItem, &label, LVIR_LABEL);
    GetItemRect(nItem, &icon, LVIR_ICON);
    const RECT highlight = HighlightRect(nItem, bounds, label, text);
    const int blank = (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM) " ");

    const int nSaved = ::SaveDC(hDC);
    if (bHighlight) {
        ::SetTextColor(hDC, RGB(255, 255, 255));
        RECT fill = lpDIS->rcItem;
        fill.left += 2;
        m_gradient.Fill(hDC, fill, m_crStart, m_crEnd, m_nDirection != 1);
    } else {
        ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
        ::FillRect(hDC, &highlight, ::GetSysColorBrush(COLOR_WINDOW));
    }
    ::SetBkMode(hDC, TRANSPARENT);

    // First column: images and label, clipped to the column.
    const int firstWidth = GetColumnWidth(0);
    {
        const int nClip = ::SaveDC(hDC);
        ::IntersectClipRect(hDC, bounds.left, bounds.top, bounds.left + firstWidth, bounds.bottom);
        CImageList *pState = GetImageList(LVSIL_STATE);
        const int stateImage = (int)((item.state & LVIS_STATEIMAGEMASK) >> 12) - 1;
        if (pState && pState->m_hImageList && stateImage >= 0)
            ImageList_Draw(pState->m_hImageList, stateImage, hDC, bounds.left, icon.top,
                           ILD_TRANSPARENT);
        CImageList *pSmall = GetImageList(LVSIL_SMALL);
        if (pSmall && pSmall->m_hImageList)
            ImageList_Draw(pSmall->m_hImageList, item.iImage, hDC, icon.left, icon.top,
                           ILD_TRANSPARENT | (bHighlight ? ILD_BLEND50 : 0) |
                               (item.state & LVIS_OVERLAYMASK));
        RECT r = label;
        r.left += blank;
        r.right -= blank;
        ::DrawText(hDC, text, -1, &r,
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS);
        ::RestoreDC(hDC, nClip);
    }

    RECT cell = bounds;
    cell.right = bounds.left + firstWidth;
    LVCOLUMN column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int col = 1; ::SendMessage(m_hWnd, LVM_GETCOLUMN, col, (LPARAM)&column); ++col) {
        cell.left = cell.right;
        cell.right = cell.left + column.cx;
        if (m_nHighlight == HIGHLIGHT_TEXT || !bHighlight) {
            ::FillRect(hDC, &cell, ::GetSysColorBrush(COLOR_WINDOW));
            ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
        }
        CString sub = GetItemText(nItem, col);
        RECT r = cell;
        r.left += blank;
        r.right -= blank;
        UINT align = DT_LEFT;
        if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
            align = DT_RIGHT;
        else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
            align = DT_CENTER;
        ::DrawText(hDC, sub, -1, &r,
                   align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.state & LVIS_FOCUSED) && bFocusList)
        ::DrawFocusRect(hDC, &highlight);
    ::RestoreDC(hDC, nSaved);
}
