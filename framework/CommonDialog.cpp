#include "framework/CommonDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd)
{
    m_lpszTemplateName = NULL;
    m_nIDHelp = 0;
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

BOOL CCommonDialog::AttachHookedWindow(HWND hWnd)
{
    if (m_hWnd != NULL || !SubclassWindow(hWnd))
        return FALSE;
    try {
        return OnInitDialog();
    } catch (...) {
        return FALSE;
    }
}
