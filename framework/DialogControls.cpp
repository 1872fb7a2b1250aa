// Creation of the combo box with images and the animation control; the
// control-containment and 3-D entry points of start-up.
#include "framework/ControlHelpers.h"
#include "framework/ComboBoxEx.h"
#include "framework/AnimateCtrl.h"
#include "framework/ResourceList.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxEnsureCommonControls();
    return CreateEx(0, WC_COMBOBOXEX, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CComboBoxEx::InsertItem(int nIndex, LPCTSTR lpszText, int nImage, int nSelImage, int nIndent,
                            LPARAM lParam)
{
    COMBOBOXEXITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
    item.iItem = nIndex;
    item.pszText = (LPTSTR)lpszText;
    item.iImage = nImage;
    item.iSelectedImage = nSelImage;
    item.iIndent = nIndent;
    item.lParam = lParam;
    return InsertItem(&item);
}

CString CComboBoxEx::GetItemText(int nIndex) const
{
    CString str;
    COMBOBOXEXITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = CBEIF_TEXT;
    item.iItem = nIndex;
    // The control reports no length: grow until the text fits.
    for (int nLen = 256; nLen <= 65536; nLen *= 4) {
        item.pszText = str.GetBuffer(nLen);
        item.cchTextMax = nLen;
        item.pszText[0] = '\0';
        BOOL bOK = (BOOL)::SendMessage(m_hWnd, CBEM_GETITEM, 0, (LPARAM)&item);
        item.pszText[nLen - 1] = '\0';
        int nGot = lstrlen(item.pszText);
        str.ReleaseBuffer(bOK ? nGot : 0);
        if (!bOK || nGot < nLen - 1)
            break;
    }
    return str;
}

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxEnsureCommonControls();
    return CreateEx(0, ANIMATE_CLASS, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CAnimateCtrl::Open(LPCTSTR lpszFileName)
{
    HINSTANCE hInst = NULL;
    if (IS_INTRESOURCE(lpszFileName))
        hInst = AfxFindResourceHandle(lpszFileName, "AVI");
    return (BOOL)::SendMessage(m_hWnd, ACM_OPENA, (WPARAM)hInst, (LPARAM)lpszFileName);
}

BOOL CAnimateCtrl::Open(UINT nID) { return Open(MAKEINTRESOURCE(nID)); }

void AfxEnableControlContainer()
{
    AfxEnsureCommonControls();
}

BOOL CWinApp::Enable3dControls()
{
    AfxEnsureCommonControls();
    return TRUE;
}
