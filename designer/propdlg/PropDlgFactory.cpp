#include "designer/propdlg/PropDlgFactory.h"

#include <string.h>

#include "designer/propdlg/ButtonPrpDlg.h"
#include "designer/propdlg/PicturePrpDlg.h"
#include "designer/propdlg/ProgressPrpDlg.h"
#include "designer/propdlg/StaticPrpDlg.h"
#include "designer/model/UIControl.h"
#include "designer/propdlg/UIControlPrpDlg.h"

CUIControlEditor* CreateElementPropertyDialog(LPCTSTR lpszTypeName, int& nDialogId)
{
    nDialogId = 0;
    if (!lpszTypeName)
        return NULL;
    if (!strcmp(lpszTypeName, "button")) {
        nDialogId = 143;
        return new CButtonPrpDlg;
    }
    if (!strcmp(lpszTypeName, "picture")) {
        nDialogId = 133;
        return new CPicturePrpDlg;
    }
    if (!strcmp(lpszTypeName, "static")) {
        nDialogId = 147;
        return new CStaticPrpDlg;
    }
    if (!strcmp(lpszTypeName, "progress")) {
        nDialogId = 150;
        return new CProgressPrpDlg;
    }
    return NULL;
}

void RegisterPropertyDialogs(LPCTSTR lpszTemplateFolder)
{
    CUIControlPrpDlg::SetDefaultTemplateFolder(lpszTemplateFolder);
    CUIControl::SetDialogFactory(CreateElementPropertyDialog);
    CUIControlPrpDlg::SetTemplateRunner(CUIControlPrpDlg::RunTemplateLibrary);
}
