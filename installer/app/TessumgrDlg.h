// Tessumgr's main dialog: the two modes, the three path fields with their
// history, the picture commands, the information band and the theme. The
// installing work is the core's CAssembler; the dialog shows its questions.
#pragma once

#include "controls/FileEditCtrl.h"
#include "framework/Brush.h"
#include "framework/Dialog.h"
#include "installer/Assembler.h"
#include "installer/InstallerTexts.h"
#include "installer/ui/AnimatedBanner.h"
#include "installer/ui/BitmapPushButton.h"
#include "installer/ui/DialogSkin.h"
#include "installer/ui/InfoBanner.h"
#include "installer/ui/PictureStatic.h"
#include "installer/ui/RadioMarkButton.h"
#include "installer/ui/VistaToolTipCtrl.h"

struct DiskSource;

class CTessumgrDlg : public CDialog, public IInstallerUi {
public:
    // Disks: the system's when null.
    explicit CTessumgrDlg(const DiskSource* disks = NULL, CWnd* pParent = NULL);
    virtual ~CTessumgrDlg();

    void SetMode(int mode);
    void LocateBootIni();
    void SaveHistory();
    void UpdateInfoText();
    void ApplyLanguageTexts();

    // IInstallerUi
    virtual int Show(LPCTSTR text, LPCTSTR caption, Style style) override;
    virtual CString EditText(const CString& text, int maxLength, int fieldType) override;
    virtual void OnInfoChanged() override { UpdateInfoText(); }
    virtual void OnImagePathChanged(LPCTSTR path) override;

    // The message box; tests answer it.
    virtual int ShowMessage(LPCTSTR text, LPCTSTR caption, UINT type);
    // Skins the dialog from the theme file; FALSE leaves the unskinned layout.
    virtual BOOL LoadSkin(LPCTSTR themeIni);

    int GetMode() const { return m_assembler.m_nMode; }
    BOOL IsExpert() const { return m_assembler.m_bExpert; }
    BOOL IsSkinned() const { return m_bSkinned; }
    const CString& GetThemeIni() const { return m_strThemeIni; }
    CString GetInfoText() const;

    CAssembler m_assembler;
    CFileEditCtrl m_editImage;
    CFileEditCtrl m_editLoader;
    CFileEditCtrl m_editBootIni;

protected:
    virtual BOOL OnInitDialog() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnOK() override {}

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnRadioVirtualDisk();
    afx_msg void OnRadioBootLoader();
    afx_msg void OnAssemble();
    afx_msg void OnQuickApply();
    afx_msg void OnInstallFloppyImage();
    afx_msg void OnReloadImage();
    afx_msg void OnReloadLoader();
    afx_msg void OnOpenBootIni();
    afx_msg void OnWebSite();
    afx_msg void OnAboutMe();
    afx_msg void OnDriveMap();
    afx_msg void OnFieldPostBrowse(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFieldDrop(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnExpertMode(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void AddSystemMenuItem();
    void SetUpFields();
    void ShowModeControls(int mode);
    void PrepareTheme();
    void UseUnskinnedLayout();
    void RemoveTheme();
    void SetUpPictures();
    void SetTip(int id, LPCTSTR key);
    CPictureStatic* Picture(int id);
    // False when the field's new path is refused (the field keeps its text).
    BOOL TakeFieldPath(UINT nID, const CString& path);
    CString FieldText(const CFileEditCtrl& field) const;

    const DiskSource* m_pDisks;
    HICON m_hIcon;
    CVistaToolTipCtrl m_fieldTip;  // outlives the fields' windows
    CDialogSkin m_skin;
    CAnimatedBanner m_header;
    CInfoBanner m_info;
    CPictureStatic m_pictures[9];
    CRadioMarkButton m_radioDisk;
    CRadioMarkButton m_radioLoader;
    CBitmapPushButton m_buttonAssemble;
    CBitmapPushButton m_buttonExit;
    CString m_strInfoTitle;
    CString m_strInfoText;
    CBrush m_brushKey;
    CString m_strThemeFolder;  // removed with the dialog
    CString m_strThemeIni;
    BOOL m_bSkinned;
    BOOL m_bEditorAllowed;
};
