// The studio's application object: start-up order, work folders, skin
// library and the language manager.
#pragma once

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "framework/Dialog.h"
#include "framework/CommandLineInfo.h"
#include "designer/app/LangManager.h"
#include "controls/LinkStatic.h"
#include "controls/SkinStart.h"

class CZavomgrApp : public CWinApp {
public:
    CZavomgrApp();
    virtual ~CZavomgrApp();

    virtual BOOL InitInstance() override;
    virtual int ExitInstance() override;
    virtual BOOL LoadLibraryString(UINT nID, CString& rString) override;
    // Binds ozSkin.dll from the program folder; sets and returns the skin flag.
    BOOL StartSkin();

    BOOL m_bSkin;
    CString m_strBinPath;
    CString m_strThemesPath;
    CString m_strWebPagesPath;
    CString m_strProjectsPath;
    CString m_strTempPath;
    CString m_strCmdTemplatesPath;
    CString m_strMenusPath;
    CString m_strAppPath;
    CLangManager m_langManager;
    HMODULE m_hSkinLib;
    ThemeStartProc m_pfnThemeStart;
    ThemeEndProc m_pfnThemeEnd;
    BOOL m_bComEntered;  // InitInstance entered COM on the interface thread

    void SetupWorkFolders();
    void SetupTempFolder();
    // The document manager and the project template (document, main frame, view).
    void RegisterTemplate();
    // An empty project first, then the file the command line names, if any.
    BOOL RunCommandLine(CCommandLineInfo& cmdInfo);
    // Without the skin the frame gets the translated menu built for it.
    void InstallFrameMenu();

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

// The About box: translated texts, version and build date.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    virtual BOOL OnInitDialog() override;
    // The texts of controls 1113 and 1034 as the dialog shows them.
    static CString VersionText(const CString& label, const CString& version);
    static CString BuildText(const CString& label, const struct tm& built);
    // The maker's home page and its download page.
    static const char* const kHomePage;
    static const char* const kSubPage;

    CLinkStatic m_homeLink;  // control 1056
    CLinkStatic m_subLink;   // control 1115
};
