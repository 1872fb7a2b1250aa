// The loader field editor: a rich edit limited to the field's length. The
// text goes in and comes out with the field's own line ends; OK refuses a
// text longer than the field, Cancel gives an empty text.
#pragma once

#include "framework/Dialog.h"
#include "framework/RichEditCtrl.h"
#include "installer/ui/BitmapPushButton.h"
#include "installer/ui/DialogSkin.h"

class CMenuEditDlg : public CDialog {
public:
    explicit CMenuEditDlg(CWnd* pParent = NULL);

    // The message box; tests answer it.
    virtual int ShowMessage(LPCTSTR text, UINT type);

    CString m_strText;
    int m_nMaxLength;
    int m_nFieldType;  // the loader field the text goes to; 0: any text
    CString m_strThemeIni;
    CRichEditCtrl m_edit;
    CBitmapPushButton m_buttons[2];
    CDialogSkin m_skin;

protected:
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    virtual void OnCancel() override;
    afx_msg void OnOkButton() { OnOK(); }
    afx_msg void OnCancelButton() { OnCancel(); }
    DECLARE_MESSAGE_MAP()
};
