// The browser's application object: start-up, the skin library and the
// document template.
#pragma once
#include "controls/SkinStart.h"
#include "framework/CommandLineInfo.h"
#include "framework/WinApp.h"

class CMainFrame;

class CPelsysApp : public CWinApp {
public:
    CPelsysApp();

    virtual BOOL InitInstance() override;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

    // Binds ozSkin.dll of the program folder; the result is not kept.
    void StartSkin();
    void RegisterTemplate();
    // File new first (it makes the frame), then the file named, if any.
    BOOL RunCommandLine(CCommandLineInfo& cmdInfo);
    CMainFrame* GetMainFrame() const;

    CString m_strAppPath;  // the program folder, without a trailing '\'
    HMODULE m_hSkinLib;
    ThemeStartProc m_pfnThemeStart;
    ThemeEndProc m_pfnThemeEnd;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};
