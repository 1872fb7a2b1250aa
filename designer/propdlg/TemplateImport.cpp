#include "designer/propdlg/UIControlPrpDlg.h"

#include "templates/DlgExports.h"

INT_PTR CUIControlPrpDlg::RunTemplateLibrary(LPCTSTR lpszFolder, CString& strContents, CString& strFolder)
{
    CDlgExports dlg(NULL);
    dlg.SetTestPersonPath(lpszFolder ? lpszFolder : "");
    dlg.m_pfnHostCallback = TemplateCallback;
    const INT_PTR result = dlg.DoModal();
    if (result == IDOK) {
        strContents = dlg.m_strContents;
        strFolder = dlg.m_strFolder;
    }
    return result;
}
