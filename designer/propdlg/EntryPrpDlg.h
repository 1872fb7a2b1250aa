// CEntryPrpDlg: what the menu entry, picture and text property dialogs share:
// the entry's title, commands, shortcut, password and caption fields, the
// working font with its colour and alignment, and the command template.
#pragma once

#include <windows.h>

#include "designer/propdlg/UIControlPrpDlg.h"
#include "controls/KeyNameEdit.h"

class CColorFont;

class CEntryPrpDlg : public CUIControlPrpDlg {
public:
    // Longest texts the fields take; longer ones are refused by Apply.
    enum {
        MAX_TITLE = 255,
        MAX_CAPTION = 255,
        MAX_COMMANDS = 4095,
        MAX_SHORTKEY = 32,
        MAX_PASSWORD = 32,
        MAX_PATHTEXT = MAX_PATH - 1
    };
    enum { COLOR_DIALOG_FLAGS = 387,
           FONT_DIALOG_FLAGS = 329 };

    // Values of the entry fields as read from the controls.
    struct EntryFields {
        CString caption;
        CString title;
        CString commands;
        CString shortKey;
        CString password;
        BOOL bQuickGo;
        int nPassMode;
    };

    // pAlignFlags: the DrawText formats of the left, centre and right radios.
    CEntryPrpDlg(UINT nIDTemplate, LPCTSTR lpszSection, UINT nGroupBoxId, const UINT* pAlignFlags);
    virtual ~CEntryPrpDlg();

    // NULL until the controls were first filled.
    CColorFont* GetWorkingFont() const { return m_pFont; }
    // The themes folder of the studio; the program folder's "Themes" when not set.
    static void SetThemesFolder(LPCTSTR lpszFolder);
    static CString GetThemesFolder();
    // The time stamp of the files the dialogs make: UTC, "YYYYMMDD_HHMMSS".
    static CString FileTimeStamp();

    virtual void OnCancel() override;

protected:
    // Seams for the modal parts (file, font and colour dialogs, template
    // library, message boxes).
    virtual void Tell(UINT nTextID);
    virtual BOOL ChoosePath(LPCTSTR lpszTitle, int nKind);
    virtual BOOL ChooseTemplate(CString& strTitle, CString& strCommands);
    virtual BOOL RunFontDialog(LOGFONT& lf, COLORREF& crColor);
    virtual BOOL RunColorDialog(COLORREF& crColor);
    // Hands the working font to the dialog's preview.
    virtual void ShowFont() = 0;

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;

    // Fills title, caption, commands, shortcut, quick-go, password mode and
    // password, remakes the working font and picks the alignment radio.
    void FillEntryControls();
    void ReadEntryControls(EntryFields& fields);
    // The menu-entry part is complete: title, commands, shortcut and, with a
    // password mode, the password. Shows message 61464 otherwise.
    BOOL CheckEntryComplete(const EntryFields& fields);
    // Every field within its length; shows the length message otherwise.
    BOOL CheckLengths(const EntryFields& fields, const CString& strPath1, const CString& strPath2);
    // Title, caption, name (empty), commands, theme file, font, theme reload.
    void WriteEntryHead(const EntryFields& fields, LPCTSTR lpszThemeFile);
    // Shortcut, quick-go, password mode, password.
    void WriteEntryTail(const EntryFields& fields);
    // Enables the password field by the password box.
    void UpdatePasswordField();

    afx_msg void OnFontButton();
    afx_msg void OnColorButton();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    afx_msg void OnTemplateButton();
    afx_msg void OnPassModeBox();
    afx_msg void OnAsMenuBox();
    DECLARE_MESSAGE_MAP()

protected:
    CKeyNameEdit m_shortKey;
    CColorFont* m_pFont;
    DWORD m_dwColorFlags;
    DWORD m_dwFontFlags;

private:
    void SetAlignment(int nIndex);
    void LimitFields();

    UINT m_alignFlags[3];
    static CString s_strThemesFolder;
};
