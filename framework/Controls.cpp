// Creation and the few non-inline members of the control wrappers.
#include "framework/ControlHelpers.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Static.h"
#include "framework/ScrollBar.h"
#include "framework/ComboBox.h"
#include "framework/ListBox.h"
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/SliderCtrl.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/ToolTipCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/ImageList.h"
#include <vector>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

void AfxEnsureCommonControls()
{
    static bool s_done = false;
    if (s_done)
        return;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_COOL_CLASSES |
                ICC_USEREX_CLASSES | ICC_ANIMATE_CLASS;
    ::InitCommonControlsEx(&icc);
    s_done = true;
}

static BOOL CreateControl(CWnd* pWnd, LPCTSTR lpszClass, LPCTSTR lpszText, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxEnsureCommonControls();
    return pWnd->CreateEx(0, lpszClass, lpszText, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

// Owner-draw messages reflected from the parent.

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult) *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult) *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n == CB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<char> buf((size_t)n + 1, 0);
    ::SendMessage(m_hWnd, CB_GETLBTEXT, nIndex, (LPARAM)buf.data());
    rString = buf.data();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
    } else if (message == WM_MEASUREITEM) {
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
    } else {
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult) *pResult = TRUE;
    return TRUE;
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n == LB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<char> buf((size_t)n + 1, 0);
    ::SendMessage(m_hWnd, LB_GETTEXT, nIndex, (LPARAM)buf.data());
    rString = buf.data();
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
    } else if (message == WM_MEASUREITEM) {
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
    } else {
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult) *pResult = TRUE;
    return TRUE;
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_LISTVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col;
    ZeroMemory(&col, sizeof(col));
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = (LPTSTR)lpszColumnHeading;
    col.fmt = nFormat;
    if (nWidth != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return (int)::SendMessage(m_hWnd, LVM_INSERTCOLUMN, nCol, (LPARAM)&col);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nItem;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMTEXT, nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    std::vector<char> buf(256);
    for (;;) {
        LVITEM item;
        ZeroMemory(&item, sizeof(item));
        item.iSubItem = nSubItem;
        item.pszText = buf.data();
        item.cchTextMax = (int)buf.size();
        int n = (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&item);
        if (n < (int)buf.size() - 1)
            return CString(buf.data());
        buf.resize(buf.size() * 4);
    }
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = nMask;
    item.state = nState;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOld = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOld, LVNI_SELECTED));
    return nOld;
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const
{
    LVHITTESTINFO hti;
    ZeroMemory(&hti, sizeof(hti));
    hti.pt = pt;
    int n = HitTest(&hti);
    if (pFlags) *pFlags = hti.flags;
    return n;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(
        m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)(pImageList ? pImageList->m_hImageList : NULL)));
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult) *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_TREEVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis;
    ZeroMemory(&tvis, sizeof(tvis));
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = (LPTSTR)lpszItem;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis;
    ZeroMemory(&tvis, sizeof(tvis));
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = (LPTSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    return InsertItem(&tvis);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    GetItem(&item);
    return item.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The control tells no length: grow until the text fits.
    std::vector<char> buf(256);
    for (;;) {
        buf[0] = 0;
        TVITEM item;
        ZeroMemory(&item, sizeof(item));
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = buf.data();
        item.cchTextMax = (int)buf.size();
        if (!GetItem(&item))
            return CString();
        buf.back() = 0;
        // the control may answer with its own buffer
        LPCTSTR pszText = item.pszText != NULL && item.pszText != LPSTR_TEXTCALLBACK ? item.pszText : buf.data();
        if (pszText != buf.data() || lstrlen(pszText) < (int)buf.size() - 1 || buf.size() >= 0x100000)
            return CString(pszText);
        buf.resize(buf.size() * 4);
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = (LPTSTR)lpszItem;
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* pFlags) const
{
    TVHITTESTINFO hti;
    ZeroMemory(&hti, sizeof(hti));
    hti.pt = pt;
    HTREEITEM h = (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags) *pFlags = hti.flags;
    return h;
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(
        m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)(pImageList ? pImageList->m_hImageList : NULL)));
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, PROGRESS_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, TRACKBAR_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, UPDOWN_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_TABCONTROL, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(
        m_hWnd, TCM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->m_hImageList : NULL)));
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxEnsureCommonControls();
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    pParentWnd ? pParentWnd->m_hWnd : NULL, NULL);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd ? pWnd->m_hWnd : NULL;
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        if (ti.hwnd == NULL)
            ti.hwnd = hWnd;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    // A tooltip that takes a record of this size for an extended one reads a second
    // rectangle behind it: the zeroed tail keeps that read inside this record.
    struct {
        TOOLINFO ti;
        RECT tail;
    } record = {};
    TOOLINFO& ti = record.ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0 && pWnd != NULL)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.lpszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString s;
    s.LoadString(nIDText);
    return AddTool(pWnd, s, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPTSTR)lpszText;
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}
