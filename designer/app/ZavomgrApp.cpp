#include "designer/app/ZavomgrApp.h"

#include "controls/VersionInfo.h"
#include "designer/app/MainFrame.h"
#include "designer/propdlg/PropDlgFactory.h"
#include "designer/model/UIControl.h"
#include "designer/app/ZavomgrDoc.h"
#include "designer/app/ZavomgrDocManager.h"
#include "designer/app/ZavomgrView.h"
#include "framework/Dialog.h"
#include "framework/SingleDocTemplate.h"
#include "resources/zavomgr/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

BEGIN_MESSAGE_MAP(CZavomgrApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CZavomgrApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CZavomgrApp::CZavomgrApp()
    : CWinApp("Zavomgr"), m_bSkin(FALSE), m_hSkinLib(NULL), m_pfnThemeStart(NULL),
      m_pfnThemeEnd(NULL), m_bComEntered(FALSE) {}

CZavomgrApp::~CZavomgrApp()
{
    delete m_pDocManager;
    m_pDocManager = NULL;
}

void CZavomgrApp::SetupTempFolder()
{
    const char* temp = getenv("temp");
    if (temp)
        m_strTempPath.Format("%s", temp);
    else
        m_strTempPath = "C:\\";
}

void CZavomgrApp::SetupWorkFolders()
{
    CString help = m_pszHelpFilePath ? m_pszHelpFilePath : "";
    int slash = help.ReverseFind('\\');
    m_strAppPath = slash >= 0 ? help.Left(slash) : CString();
    m_strBinPath = m_strAppPath + "\\Bin";
    m_strThemesPath = m_strAppPath + "\\Themes";
    m_strWebPagesPath = m_strAppPath + "\\WebPages";
    m_strProjectsPath = m_strAppPath + "\\Zavo Projects";
    m_strCmdTemplatesPath = m_strAppPath + "\\Cmd Templates";
    m_strMenusPath = m_strAppPath + "\\Kel Menus";
}

int CZavomgrApp::ExitInstance()
{
    const int result = CWinApp::ExitInstance();
    if (m_bComEntered) ::CoUninitialize();
    m_bComEntered = FALSE;
    return result;
}

// The library's prompts speak the language file's language too.
BOOL CZavomgrApp::LoadLibraryString(UINT nID, CString& rString)
{
    m_langManager.LoadString(rString, nID, FALSE);
    return !rString.IsEmpty();
}

BOOL CZavomgrApp::StartSkin()
{
    m_bSkin = ZavoStartSkin(m_strAppPath, m_hSkinLib, m_pfnThemeStart, m_pfnThemeEnd);
    return m_bSkin;
}

void CZavomgrApp::RegisterTemplate()
{
    CZavomgrDocManager* manager = new CZavomgrDocManager;
    manager->m_strInitialDir = m_strProjectsPath;
    manager->m_pLangManager = &m_langManager;
    m_pDocManager = manager;
    m_pDocManager->AddDocTemplate(new CSingleDocTemplate(IDR_ZAVOMGRTYPE, RUNTIME_CLASS(CZavomgrDoc),
                                                         RUNTIME_CLASS(CMainFrame),
                                                         RUNTIME_CLASS(CZavomgrView)));
}

BOOL CZavomgrApp::RunCommandLine(CCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileNew) {
        CCommandLineInfo newInfo;
        newInfo.m_nShellCommand = CCommandLineInfo::FileNew;
        if (!ProcessShellCommand(newInfo)) return FALSE;
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        // a project that cannot be opened has said so; the studio stays on the new one
        ProcessShellCommand(cmdInfo);
        return TRUE;
    }
    return ProcessShellCommand(cmdInfo);
}

void CZavomgrApp::InstallFrameMenu()
{
    CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    if (m_bSkin || !frame) return;
    HMENU menu = frame->BuildOwnerDrawMenu();
    if (!menu) return;
    HMENU old = ::GetMenu(frame->m_hWnd);
    ::SetMenu(frame->m_hWnd, menu);
    // the resource menu goes once: as the window's menu or as the default one
    if (frame->m_hMenuDefault && frame->m_hMenuDefault != old) ::DestroyMenu(frame->m_hMenuDefault);
    frame->m_hMenuDefault = menu;
    if (old) ::DestroyMenu(old);
}

void CZavomgrApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

namespace {

// The date and time this file was compiled.
struct tm BuildTime()
{
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;  // "Mmm dd yyyy"
    struct tm t = {};
    const char* m = strstr(months, std::string(date, 3).c_str());
    t.tm_mon = m ? (int)(m - months) / 3 : 0;
    t.tm_mday = atoi(date + 4);
    t.tm_year = atoi(date + 7) - 1900;
    sscanf(__TIME__, "%d:%d:%d", &t.tm_hour, &t.tm_min, &t.tm_sec);
    return t;
}

}  // namespace

const char* const CAboutDlg::kHomePage = "http://www.zavo-studio.example/";
const char* const CAboutDlg::kSubPage = "http://www.zavo-studio.example/download.htm";

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CString CAboutDlg::VersionText(const CString& label, const CString& version)
{
    // "版本: " in the system code page of the Chinese texts
    CString text = label.IsEmpty() ? CString("\xb0\xe6\xb1\xbe: ") + version : label + ": " + version;
    text.Replace(", ", ".");
    return text;
}

CString CAboutDlg::BuildText(const CString& label, const struct tm& built)
{
    char date[128];
    CString text = label;
    if (text.Find("BDV-") >= 0) {
        text = text.Mid(4);
        strftime(date, sizeof(date), " %Y-%m-%d %H:%M:%S", &built);
    } else {
        // "专业版, 构建日期 %Y 年 %m 月 %d 日 %H:%M:%S"
        strftime(date, sizeof(date),
                 "\xd7\xa8\xd2\xb5\xb0\xe6, \xb9\xb9\xbd\xa8\xc8\xd5\xc6\xda %Y \xc4\xea"
                 " %m \xd4\xc2 %d \xc8\xd5 %H:%M:%S",
                 &built);
    }
    return text + date;
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CZavomgrApp* app = static_cast<CZavomgrApp*>(AfxGetApp());
    app->m_langManager.TranslateDialog(this, "About_Dlg");
    CString label;
    CVersionInfo info;
    if (info.ReadFromModule(NULL)) {
        GetDlgItemText(IDC_ABOUT_VERSION, label);
        SetDlgItemText(IDC_ABOUT_VERSION, VersionText(label, info.GetProductVersion()));
    }
    GetDlgItemText(IDC_ABOUT_BUILD, label);
    SetDlgItemText(IDC_ABOUT_BUILD, BuildText(label, BuildTime()));
    m_subLink.SubclassDlgItem(IDC_ABOUT_SUBPAGE, this);
    m_homeLink.SubclassDlgItem(IDC_ABOUT_HOMEPAGE, this);
    m_subLink.SetUnderline(0);
    m_homeLink.SetUnderline(0);
    m_homeLink.SetURL(kHomePage);
    m_subLink.SetURL(kSubPage);
    return TRUE;
}

BOOL CZavomgrApp::InitInstance()
{
    // the interface thread's apartment: shell links, the folder browsers and
    // the file dialogs' shell views run in it
    m_bComEntered = SUCCEEDED(::CoInitialize(NULL));
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Kantel Ruziz");
    m_langManager.Init("Settings");
    CUIControl::SetLangManager(&m_langManager);
    SetDialogBkColor(RGB(244, 244, 244), RGB(0, 0, 0));
    SetupTempFolder();
    SetupWorkFolders();
    RegisterPropertyDialogs(m_strCmdTemplatesPath);
    LoadStdProfileSettings(8);
    StartSkin();
    RegisterTemplate();
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!RunCommandLine(cmdInfo) || !m_pMainWnd) return FALSE;
    InstallFrameMenu();

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    ::DragAcceptFiles(m_pMainWnd->GetSafeHwnd(), TRUE);
    // test runs: close by themselves after the given milliseconds
    if (const char* ms = getenv("ZAVO_EXIT_AFTER"))
        m_pMainWnd->SetTimer(CMainFrame::kExitTimer, atoi(ms), NULL);
    return TRUE;
}
