#include "designer/UIControlPrpDlg.h"

// The template library's dialog is not linked into this build: nothing to choose.
INT_PTR CUIControlPrpDlg::RunTemplateLibrary(LPCTSTR lpszFolder, CString& strContents, CString& strFolder)
{
    (void)lpszFolder;
    strContents.Empty();
    strFolder.Empty();
    return IDCANCEL;
}
