// CUIControlPrpDlg: the common base of the element property dialogs. Keeps
// the edited element and the window to redraw, picks theme files and
// pictures, imports command templates from the template library and runs
// the shared OK, Cancel and Apply steps.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"
#include "designer/model/UIControl.h"
#include "controls/CheckableGroupBox.h"

class CLangManager;

class CUIControlPrpDlg : public CDialog, public CUIControlEditor {
public:
    // lpszSection: the dialog's language section; nGroupBoxId: its checkable
    // group box (0 = none), which gets a check box title and group id 1.
    CUIControlPrpDlg(UINT nIDTemplate, LPCTSTR lpszSection, UINT nGroupBoxId = 0, CWnd* pParentWnd = NULL);
    virtual ~CUIControlPrpDlg();

    virtual CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    virtual void SetOwnerWnd(CWnd* pWnd) override { m_pOwnerWnd = pWnd; }
    // Invalidates, erases and updates the owner window now.
    virtual void RedrawOwner();
    // Fills the controls from the element; nothing here.
    virtual void InitControls() override {}

    virtual void SetControl(CUIControl* pControl) override { m_pControl = pControl; }
    CUIControl* GetControl() const { return m_pControl; }
    virtual INT_PTR DoModal() override { return CDialog::DoModal(); }

    enum { PICK_THEME = 0,
           PICK_PICTURE = 1 };
    // Runs the open-file dialog in the picker folder; on OK the picked file
    // holds the path.
    BOOL PickFile(LPCTSTR lpszTitle, int nKind);
    // Lets the user choose a command template from the template library.
    BOOL PickCommandTemplate(CString& strTitle, CString& strCommands);
    // Sorts a template's text: a line whose first word is "title" (any case)
    // gives the title (the rest, trimmed); blank lines and lines starting
    // with '#' are dropped; the others become CR LF ended commands.
    static void ParseTemplateText(const CString& strText, CString& strTitle, CString& strCommands);
    // The template library's text source: strings by id (dialog NULL) or a
    // translation of its dialog. Always 0.
    static int __stdcall TemplateCallback(CWnd* pDialog, UINT nID, LPCSTR lpszSection, LPSTR lpszBuffer,
                                          int nBufferSize);
    // Makes every folder of the path up to its last separator (a file path's
    // own name is not made). FALSE when the path is too long or a folder is
    // missing afterwards.
    static BOOL CreateFolderPath(LPCTSTR lpszPath);

    void SetPickFolder(LPCTSTR lpszFolder) { m_strPickFolder = lpszFolder; }
    const CString& GetPickFolder() const { return m_strPickFolder; }
    const CString& GetPickedFile() const { return m_strPickedFile; }
    LPCTSTR GetSection() const { return m_strSection; }
    BOOL GetApplySucceeded() const { return m_bApplySucceeded; }

    // Runs the template library's dialog in the folder; on OK gives the
    // chosen template's text and the folder the dialog ended in.
    typedef INT_PTR (*TemplateRunner)(LPCTSTR lpszFolder, CString& strContents, CString& strFolder);
    static INT_PTR RunTemplateLibrary(LPCTSTR lpszFolder, CString& strContents, CString& strFolder);
    // The studio sets RunTemplateLibrary at start-up; without one nothing is picked.
    static void SetTemplateRunner(TemplateRunner pfn) { s_pfnTemplateRunner = pfn; }

    // The language manager of the dialogs; the element model's one when not set.
    static void SetLangManager(CLangManager* pLang) { s_pLang = pLang; }
    static CLangManager* GetLangManager();
    // The folder of the template library when the profile names none.
    static void SetDefaultTemplateFolder(LPCTSTR lpszFolder) { s_strTemplateFolder = lpszFolder; }
    static CString GetDefaultTemplateFolder();

    virtual BOOL OnInitDialog() override;
    // OK runs Apply and closes only when it succeeded.
    virtual void OnOK() override;
    // Cancel drops the element's theme-reload mark, then closes.
    virtual void OnCancel() override;

protected:
    // Button 1009: read, check and write the controls; a failed check shows
    // its message and calls ApplyFailed. Nothing here.
    virtual void OnApply() {}
    void ApplyFailed() { m_bApplySucceeded = FALSE; }
    // Shows a text of the dialog's language section (or of "String").
    int ShowMessage(UINT nTextID, UINT nType = MB_ICONINFORMATION, LPCTSTR lpszSection = "String");
    CCheckableGroupBox& GetGroupBox() { return m_groupBox; }
    UINT GetGroupBoxId() const { return m_nGroupBoxId; }

    CString m_strPickFolder;
    CString m_strPickedFile;
    CUIControl* m_pControl;
    CWnd* m_pOwnerWnd;

    CString m_strSection;
    UINT m_nGroupBoxId;
    CCheckableGroupBox m_groupBox;
    BOOL m_bApplySucceeded;

    static CLangManager* s_pLang;
    static CString s_strTemplateFolder;
    static TemplateRunner s_pfnTemplateRunner;

    afx_msg void OnApplyButton();
    DECLARE_MESSAGE_MAP()
};

// Interface string ids, control ids and profile names of the dialogs.
enum {
    IDC_PRP_APPLY = 1009,
    IDS_PRP_THEME_FILTER = 61470,
    IDS_PRP_PICTURE_FILTER = 61471,
    IDS_PRP_BAD_TEMPLATE = 61522
};
