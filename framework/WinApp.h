// The application object: start-up, profile, recent files, shell commands.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/WinThread.h"
#include "framework/String.h"
#include "framework/CommandLineInfo.h"
#include "framework/RecentFileList.h"
#include "framework/ResourceList.h"
#include "framework/FwRes.h"
#include "framework/Sys.h"
#include "framework/ScopedHandle.h"

class CDocManager;
class CDocTemplate;
class CDocument;

// The printer chosen in print setup (DEVMODE and DEVNAMES memory), kept
// between calls and freed with its owner.
class FW_API CPrinterHandles {
public:
    CPrinterHandles() : m_hDevMode(NULL), m_hDevNames(NULL) {}
    ~CPrinterHandles() { Free(); }
    void Free();
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;

private:
    CPrinterHandles(const CPrinterHandles&);
    CPrinterHandles& operator=(const CPrinterHandles&);
};

class FW_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Strings allocated with malloc, as callers may replace them (free + _strdup).
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszRegistryKey;
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    CRecentFileList* m_pRecentFileList;
    CDocManager* m_pDocManager;
    HBRUSH m_hDlgBkBrush;  // SetDialogBkColor
    COLORREF m_crDlgTextClr;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Documents: through the document manager (made by the first AddDocTemplate
    // unless the program set its own m_pDocManager before).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // The session ends: the loops unwind and ExitInstance closes the documents.
    void EndSession();
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Profile: the registry under HKCU\Software\<key>\<profile name>\<section>
    // after SetRegistryKey, otherwise the .ini file m_pszProfileName.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();                 // caller closes
    HKEY GetSectionKey(LPCTSTR lpszSection);  // caller closes
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL value removes the entry; a NULL entry removes the section.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    virtual BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // A string of the library's own (prompts, titles): from the resources
    // here; a program with its own language texts answers from them.
    virtual BOOL LoadLibraryString(UINT nID, CString& rString);
    void EnableShellOpen();
    // Registers the document types of the templates (none without a document manager).
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();
    void SetDialogBkColor(COLORREF clrCtlBk = RGB(192, 192, 192), COLORREF clrCtlText = RGB(0, 0, 0));
    // 3-D controls are the system's own: registers the common controls.
    BOOL Enable3dControls();
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnAppExit();

    // Printing: the system's print dialog on the kept printer; IDOK, IDCANCEL,
    // or -1 when the dialog failed (CommDlgExtendedError tells why).
    virtual INT_PTR DoPrintDialog(PRINTDLG* pPD);
    // The kept printer, or the system's default one; FALSE without a printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPD);
    afx_msg void OnFilePrintSetup();

    BOOL m_bShellOpen;
    CPrinterHandles m_printer;

protected:
    CScopedBrush m_dlgBkBrush;  // owns m_hDlgBkBrush
    BOOL m_bSessionEnding;
    DECLARE_MESSAGE_MAP()
};

FW_API CWinApp* AfxGetApp();
// Control containment at start-up: registers the common controls.
FW_API void AfxEnableControlContainer();
// OLE start-up for drag and drop and the clipboard: once per program, undone
// when AfxWinMain returns. FALSE when the libraries could not start.
FW_API BOOL AfxOleInit();
FW_API CWnd* AfxGetMainWnd();
FW_API HINSTANCE AfxGetInstanceHandle();
FW_API LPCTSTR AfxGetAppName();
FW_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
FW_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Every message box of the framework goes through here. With ZAVO_NO_MSGBOX=1
// in the environment the text goes to stderr and the default button is returned.
FW_API int AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
// The library's side of WinMain: start-up, InitInstance, Run, ExitInstance.
FW_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
FW_API BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
