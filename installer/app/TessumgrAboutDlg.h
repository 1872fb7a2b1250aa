// The About box: a title strip with the program's icon, three contact links that open the mail program and then
// tell the main dialog (message 0x464), and the web link.
#pragma once

#include "controls/LinkStatic.h"
#include "framework/Dialog.h"
#include "installer/ui/DialogSkin.h"
#include "installer/ui/GradientTitle.h"

extern const char kTessuWebPage[];

// A link whose target goes through Tessumgr's shell call; a contact link
// then sends 0x464 to the window it was given.
class CTessuLink : public CLinkStatic {
public:
    CTessuLink() : m_hWndNotify(NULL) {}
    HWND m_hWndNotify;

protected:
    virtual INT_PTR OpenTarget(LPCTSTR url, int showcmd) override;
};

class CTessumgrAboutDlg : public CDialog {
public:
    explicit CTessumgrAboutDlg(CWnd* pParent = NULL);

    // The mail target of a contact address, in the language file's language.
    static CString MailTarget(LPCTSTR address, BOOL english);

    CString m_strThemeIni;  // the main dialog's unpacked theme
    CTessuLink m_links[3];
    CTessuLink m_webLink;
    CGradientTitle m_title;
    CDialogSkin m_skin;

protected:
    virtual BOOL OnInitDialog() override;
    afx_msg void OnOkButton();
    DECLARE_MESSAGE_MAP()
};
