#pragma once
#include "framework/Wnd.h"

class CImageList;

class FW_API CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem)
    {
        TCITEM t;
        t.mask = TCIF_TEXT;
        t.pszText = (LPTSTR)lpszItem;
        return (LONG)::SendMessage(m_hWnd, TCM_INSERTITEM, nItem, (LPARAM)&t);
    }
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (LONG)::SendMessage(m_hWnd, TCM_INSERTITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)::SendMessage(m_hWnd, TCM_SETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0); }
    int GetCurSel() const { return (int)::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0); }
    int SetCurSel(int nItem) { return (int)::SendMessage(m_hWnd, TCM_SETCURSEL, nItem, 0); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessage(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    CImageList* SetImageList(CImageList* pImageList);
    HIMAGELIST GetImageList() const { return (HIMAGELIST)::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0); }
    int GetCurFocus() const { return (int)::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    CSize SetItemSize(CSize size)
    {
        DWORD dw = (DWORD)::SendMessage(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
        return CSize(LOWORD(dw), HIWORD(dw));
    }
};
