// Base of the system's common dialogs (file, font, colour). The system runs
// the dialog; its hook hands the dialog window to our object on
// WM_INITDIALOG, so message maps of derived dialogs see its messages.
#pragma once
#include "framework/Dialog.h"
#include "framework/ResourceList.h"
#include <commdlg.h>

class FW_API CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd = NULL);

    // OK and Cancel go on to the system's dialog, which fills the results.
    virtual void OnOK() override;
    virtual void OnCancel() override;

    // Called by the hooks: takes the dialog window over and initialises.
    BOOL AttachHookedWindow(HWND hWnd);
};

// The body of each dialog's default hook: the object rides in the system
// structure's lCustData and takes the window over on WM_INITDIALOG.
template <class TDialog, class TStruct>
UINT_PTR AfxCommonDlgHook(HWND hWnd, UINT message, LPARAM lParam)
{
    if (message != WM_INITDIALOG || lParam == 0)
        return 0;
    TDialog* pDlg = (TDialog*)((TStruct*)lParam)->lCustData;
    if (pDlg != NULL)
        pDlg->AttachHookedWindow(hWnd);
    return 0;
}

// Before the system call: the default hook where the flags ask for a hook and
// none is set, the object for that hook, and the module of a custom template.
template <class TStruct, class THook, class TDialog>
void AfxPrepareCommonDlg(TStruct& s, TDialog* pDlg, THook pfnDefault, DWORD dwHookFlag, DWORD dwTemplateFlag)
{
    if ((s.Flags & dwHookFlag) && s.lpfnHook == NULL)
        s.lpfnHook = pfnDefault;
    if (s.lpfnHook == pfnDefault)
        s.lCustData = (LPARAM)pDlg;
    if ((s.Flags & dwTemplateFlag) && s.lpTemplateName != NULL)
        s.hInstance = (decltype(s.hInstance))AfxFindResourceHandle(s.lpTemplateName, RT_DIALOG);
}
