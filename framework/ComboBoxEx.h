// Combo box with images (comctl32's ComboBoxEx32).
#pragma once
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"

class FW_API CComboBoxEx : public CComboBox {
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    CComboBoxEx() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    int InsertItem(const COMBOBOXEXITEM* pCBItem) { return (int)::SendMessage(m_hWnd, CBEM_INSERTITEM, 0, (LPARAM)pCBItem); }
    int InsertItem(int nIndex, LPCTSTR lpszText, int nImage = I_IMAGECALLBACK, int nSelImage = I_IMAGECALLBACK, int nIndent = 0, LPARAM lParam = 0);
    int DeleteItem(int iIndex) { return (int)::SendMessage(m_hWnd, CBEM_DELETEITEM, iIndex, 0); }
    BOOL GetItem(COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_GETITEM, 0, (LPARAM)pCBItem); }
    BOOL SetItem(const COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_SETITEM, 0, (LPARAM)pCBItem); }
    CString GetItemText(int nIndex) const;
    CImageList* SetImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, CBEM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->m_hImageList : NULL))); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, CBEM_GETIMAGELIST, 0, 0)); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, CBEM_GETEXTENDEDSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles) { return (DWORD)::SendMessage(m_hWnd, CBEM_SETEXTENDEDSTYLE, dwExMask, dwExStyles); }
    CComboBox* GetComboBoxCtrl() const { return (CComboBox*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, CBEM_GETCOMBOCONTROL, 0, 0)); }
    CEdit* GetEditCtrl() const { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, CBEM_GETEDITCONTROL, 0, 0)); }
    BOOL HasEditChanged() const { return (BOOL)::SendMessage(m_hWnd, CBEM_HASEDITCHANGED, 0, 0); }
};
