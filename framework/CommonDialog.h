// Base of the system's common dialogs (file, font, colour). The system runs
// the dialog; its hook hands the dialog window to our object on
// WM_INITDIALOG, so message maps of derived dialogs see its messages.
#pragma once
#include "framework/Dialog.h"
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
