// CToolBarCtrl: the common toolbar control, wrapped thinly.
#pragma once
#include "framework/Wnd.h"

class FW_API CToolBarCtrl : public CWnd {
public:
    int GetButtonCount() const { return (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const { return (BOOL)::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)lpButton); }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) { return (BOOL)::SendMessage(m_hWnd, TB_ADDBUTTONS, nNumButtons, (LPARAM)lpButtons); }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) { return (BOOL)::SendMessage(m_hWnd, TB_INSERTBUTTON, nIndex, (LPARAM)lpButton); }
    BOOL DeleteButton(int nIndex) { return (BOOL)::SendMessage(m_hWnd, TB_DELETEBUTTON, nIndex, 0); }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0)); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0)); }
    BOOL IsButtonEnabled(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONENABLED, nID, 0); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONCHECKED, nID, 0); }
    int GetState(int nID) const { return (int)::SendMessage(m_hWnd, TB_GETSTATE, nID, 0); }
    BOOL SetState(int nID, UINT nState) { return (BOOL)::SendMessage(m_hWnd, TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    UINT CommandToIndex(UINT nID) const { return (UINT)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nID, 0); }
    BOOL SetButtonSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    HIMAGELIST SetImageList(HIMAGELIST hList) { return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)hList); }
    HIMAGELIST GetImageList() const { return (HIMAGELIST)::SendMessage(m_hWnd, TB_GETIMAGELIST, 0, 0); }
    HIMAGELIST SetHotImageList(HIMAGELIST hList) { return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETHOTIMAGELIST, 0, (LPARAM)hList); }
    HIMAGELIST SetDisabledImageList(HIMAGELIST hList) { return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETDISABLEDIMAGELIST, 0, (LPARAM)hList); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)::SendMessage(m_hWnd, TB_SETEXTENDEDSTYLE, 0, dwExStyle); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0); }
    HWND GetToolTips() const { return (HWND)::SendMessage(m_hWnd, TB_GETTOOLTIPS, 0, 0); }
    void AutoSize() { ::SendMessage(m_hWnd, TB_AUTOSIZE, 0, 0); }
    BOOL GetMaxSize(LPSIZE pSize) const { return (BOOL)::SendMessage(m_hWnd, TB_GETMAXSIZE, 0, (LPARAM)pSize); }
    int GetHotItem() const { return (int)::SendMessage(m_hWnd, TB_GETHOTITEM, 0, 0); }
};
