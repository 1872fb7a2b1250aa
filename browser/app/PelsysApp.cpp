#include "browser/app/PelsysApp.h"

#include "browser/app/LeftView.h"
#include "browser/app/MainFrame.h"
#include "browser/app/PelsysDoc.h"
#include "framework/Dialog.h"
#include "framework/SingleDocTemplate.h"
#include "resources/pelsys/resource.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CPelsysApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CPelsysApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CPelsysApp::CPelsysApp() : CWinApp("Pelsys"), m_hSkinLib(NULL), m_pfnThemeStart(NULL), m_pfnThemeEnd(NULL)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    m_strAppPath = path;
    int slash = m_strAppPath.ReverseFind('\\');
    m_strAppPath = slash >= 0 ? m_strAppPath.Left(slash) : CString();
}

void CPelsysApp::StartSkin()
{
    ZavoStartSkin(m_strAppPath, m_hSkinLib, m_pfnThemeStart, m_pfnThemeEnd);
}

void CPelsysApp::RegisterTemplate()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPelsysDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CLeftView)));
}

CMainFrame* CPelsysApp::GetMainFrame() const
{
    return DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
}

BOOL CPelsysApp::RunCommandLine(CCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew)
        return ProcessShellCommand(cmdInfo);
    CCommandLineInfo newInfo;
    newInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!ProcessShellCommand(newInfo))
        return FALSE;
    return ProcessShellCommand(cmdInfo);
}

CDocument* CPelsysApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CMainFrame* frame = GetMainFrame();
    if (!frame || !frame->OpenImageFile(lpszFileName))
        return NULL;
    return CWinApp::OpenDocumentFile(lpszFileName);
}

void CPelsysApp::OnAppAbout()
{
    CDialog dlg(IDD_ABOUTBOX);
    dlg.DoModal();
}

BOOL CPelsysApp::InitInstance()
{
    AfxOleInit();
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Zavo System");
    LoadStdProfileSettings(4);
    StartSkin();
    RegisterTemplate();
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!RunCommandLine(cmdInfo) || !m_pMainWnd)
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    ::DragAcceptFiles(m_pMainWnd->GetSafeHwnd(), TRUE);
    // test runs: close by themselves after the given milliseconds
    if (const char* ms = getenv("ZAVO_EXIT_AFTER"))
        m_pMainWnd->SetTimer(CMainFrame::kExitTimer, atoi(ms), NULL);
    return TRUE;
}
