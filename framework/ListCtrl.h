#pragma once
#include "framework/Wnd.h"
#include "framework/ImageList.h"

class FW_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETECOLUMN, nCol, 0); }
    int GetColumnWidth(int nCol) const { return (int)::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    int InsertItem(const LVITEM* pItem) { return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)pItem); }
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL GetItem(LVITEM* pItem) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)pItem); }
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    int GetNextItem(int nItem, int nFlags) const { return (int)::SendMessage(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    UINT GetSelectedCount() const { return (UINT)::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    POSITION GetFirstSelectedItemPosition() const { return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, nItem, bPartialOK); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(POINT pt, UINT* pFlags = NULL) const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
    {
        lpRect->left = (LONG)nCode;
        return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
    }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST, nImageListType, 0)); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)::SendMessage(m_hWnd, LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)::SendMessage(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }
    int GetTopIndex() const { return (int)::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    HWND GetHeaderCtrl() const { return (HWND)::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0); }
    BOOL Arrange(UINT nCode) { return (BOOL)::SendMessage(m_hWnd, LVM_ARRANGE, nCode, 0); }
    BOOL Scroll(SIZE size) { return (BOOL)::SendMessage(m_hWnd, LVM_SCROLL, size.cx, size.cy); }
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint); }
    BOOL SetItemPosition(int nItem, POINT pt) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMPOSITION32, nItem, (LPARAM)&pt); }
    DWORD SetIconSpacing(int cx, int cy) { return (DWORD)::SendMessage(m_hWnd, LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy)); }
    COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETTEXTCOLOR, 0, 0); }
    BOOL Update(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_UPDATE, nItem, 0); }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
