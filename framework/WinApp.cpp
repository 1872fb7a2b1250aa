#include "framework/WinApp.h"
#include "framework/Dialog.h"
#include "framework/Wnd.h"
#include "framework/CmdUI.h"
#include "framework/WinState.h"
#include "framework/DocManager.h"
#include "framework/ScopedHandle.h"
#include <ole2.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <climits>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = NULL;
HINSTANCE g_hInstance = NULL;

LPTSTR Dup(LPCTSTR s) { return s ? _strdup(s) : NULL; }
void Free(LPCTSTR& s)
{
    free((void*)s);
    s = NULL;
}
}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(Dup(lpszAppName)), m_pszExeName(NULL), m_pszHelpFilePath(NULL),
      m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_hInstance(NULL), m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL), m_pRecentFileList(NULL), m_pDocManager(NULL),
      m_hDlgBkBrush(NULL), m_crDlgTextClr(0), m_bShellOpen(FALSE), m_bSessionEnding(FALSE)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    m_pDocManager = NULL;
    delete m_pRecentFileList;
    Free(m_pszAppName);
    Free(m_pszExeName);
    Free(m_pszHelpFilePath);
    Free(m_pszProfileName);
    Free(m_pszRegistryKey);
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    if (m_bSessionEnding)
        CloseAllDocuments(TRUE);
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

// Every loop ends on the quit message, a modal one included, so the
// documents close once nothing below still uses them.
void CWinApp::EndSession()
{
    if (m_bSessionEnding)
        return;
    m_bSessionEnding = TRUE;
    ::PostQuitMessage(0);
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        ::PostQuitMessage(0);  // nothing to show: leave at once
    return CWinThread::Run();
}

BOOL CWinApp::LoadLibraryString(UINT nID, CString& rString)
{
    return rString.LoadString(nID);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWinThread::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- message boxes ----

static int DefaultButton(UINT nType)
{
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},                  // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},          // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},        // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},             // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},                 // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},       // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},  // MB_CANCELTRYCONTINUE
    };
    UINT nKind = nType & MB_TYPEMASK;
    if (nKind >= sizeof(kButtons) / sizeof(kButtons[0]))
        nKind = 0;
    UINT nDef = (nType & MB_DEFMASK) >> 8;
    if (nDef > 2)
        nDef = 0;
    return kButtons[nKind][nDef];
}

namespace {

// The system sizes a message box by its text and buttons only, so a long
// caption on a short text would be cut: the box is widened once it has laid
// itself out.
thread_local HWND t_hFittedBox = NULL;
const char kBoxProc[] = "ZavoFwBoxProc";

int CaptionWidth(HWND hBox)
{
    char szCaption[256] = "";
    int nLength = ::GetWindowTextA(hBox, szCaption, sizeof(szCaption));
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (nLength == 0 || !::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return 0;
    CScopedFont font(::CreateFontIndirectA(&ncm.lfCaptionFont));
    HDC hDC = ::GetDC(hBox);
    HGDIOBJ hOld = ::SelectObject(hDC, font.Get());
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, szCaption, nLength, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hBox, hDC);
    // the icon, the close button and a gap on each side
    return size.cx + ::GetSystemMetrics(SM_CXSMICON) + ncm.iCaptionWidth + 4 * ncm.iBorderWidth + 16;
}

void FitCaption(HWND hBox)
{
    RECT rcWindow, rcClient;
    ::GetWindowRect(hBox, &rcWindow);
    ::GetClientRect(hBox, &rcClient);
    const int nFrame = (rcWindow.right - rcWindow.left) - rcClient.right;
    const int nWidth = std::min(CaptionWidth(hBox) + nFrame, ::GetSystemMetrics(SM_CXSCREEN));
    const int nGrow = nWidth - (rcWindow.right - rcWindow.left);
    if (nGrow <= 0)
        return;
    // the row of buttons is centred anew; the icon and the text stay on the left
    std::vector<HWND> buttons;
    int nRowLeft = INT_MAX, nRowRight = INT_MIN;
    for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Button") != 0 || !(::GetWindowLongPtrA(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rc;
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(NULL, hBox, (POINT*)&rc, 2);
        nRowLeft = std::min(nRowLeft, (int)rc.left);
        nRowRight = std::max(nRowRight, (int)rc.right);
        buttons.push_back(hChild);
    }
    const int nShift = buttons.empty() ? 0 : (rcClient.right + nGrow - (nRowRight - nRowLeft)) / 2 - nRowLeft;
    for (HWND hButton : buttons) {
        RECT rc;
        ::GetWindowRect(hButton, &rc);
        ::MapWindowPoints(NULL, hBox, (POINT*)&rc, 2);
        ::SetWindowPos(hButton, NULL, rc.left + nShift, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int nLeft = std::max(0, (int)rcWindow.left - nGrow / 2);
    ::SetWindowPos(hBox, NULL, nLeft, rcWindow.top, nWidth, rcWindow.bottom - rcWindow.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK FittingBoxProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = (WNDPROC)::GetPropA(hWnd, kBoxProc);
    if (nMsg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        ::RemovePropA(hWnd, kBoxProc);
    }
    LRESULT lResult = ::CallWindowProcA(pfnOld, hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_INITDIALOG)
        FitCaption(hWnd);
    return lResult;
}

LRESULT CALLBACK MessageBoxHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_hFittedBox == NULL) {
        HWND hWnd = (HWND)wParam;
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "#32770") == 0) {
            t_hFittedBox = hWnd;
            ::SetPropA(hWnd, kBoxProc, (HANDLE)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)FittingBoxProc);
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

int AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    const char* pEnv = getenv("ZAVO_NO_MSGBOX");
    if (pEnv != NULL && strcmp(pEnv, "1") == 0) {
        int nResult = DefaultButton(nType);
        fprintf(stderr, "[messagebox] %s: %s -> %d\n", lpszCaption ? lpszCaption : "",
                lpszText ? lpszText : "", nResult);
        fflush(stderr);
        return nResult;
    }
    HWND hOuterBox = t_hFittedBox;
    t_hFittedBox = NULL;
    CScopedHook hook(::SetWindowsHookExA(WH_CBT, MessageBoxHook, NULL, ::GetCurrentThreadId()));
    int nResult = ::MessageBox(hWndOwner, lpszText, lpszCaption, nType);
    t_hFittedBox = hOuterBox;
    return nResult;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    (void)nIDPrompt;
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        default: nType |= MB_ICONEXCLAMATION; break;
        }
    }
    // The box goes on the active popup; a top-level window behind it (a
    // frame under a modeless dialog) is disabled too while it is up.
    HWND hTop = NULL;
    HWND hOwner = AfxGetModalOwner(NULL, &hTop);
    if (hOwner != NULL && !::IsWindowEnabled(hOwner))
        hOwner = hTop != NULL && ::IsWindowEnabled(hTop) ? hTop : NULL;
    CModalOwner owner(hOwner, hOwner != NULL ? hTop : NULL, false);
    return AfxShowMessageBox(hOwner, lpszPrompt, m_pszAppName, nType);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowMessageBox(NULL, lpszText, NULL, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString str;
    str.LoadString(nIDPrompt);
    (void)nIDHelp;
    return AfxMessageBox(str, nType, nIDPrompt);
}

// ---- globals ----

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == NULL)
        pThread = g_pApp;
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance != NULL ? g_hInstance : ::GetModuleHandle(NULL);
}

LPCTSTR AfxGetAppName()
{
    return g_pApp != NULL && g_pApp->m_pszAppName != NULL ? g_pApp->m_pszAppName : "";
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    g_hInstance = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return TRUE;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileName(hInstance, szPath, MAX_PATH);
    szPath[n < MAX_PATH ? n : MAX_PATH - 1] = 0;
    char* pName = strrchr(szPath, '\\');
    pName = pName ? pName + 1 : szPath;
    char* pDot = strrchr(pName, '.');
    CString strExe(pName);
    if (pDot != NULL)
        strExe = strExe.Left((int)(pDot - pName));
    if (pApp->m_pszExeName == NULL)
        pApp->m_pszExeName = Dup(strExe);
    if (pApp->m_pszAppName == NULL) {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            pApp->m_pszAppName = Dup(strTitle);
        else
            pApp->m_pszAppName = Dup(strExe);
    }
    if (pApp->m_pszHelpFilePath == NULL) {
        CString strHelp(szPath);
        int nDot = strHelp.ReverseFind('.');
        if (nDot > 0)
            strHelp = strHelp.Left(nDot);
        pApp->m_pszHelpFilePath = Dup(strHelp + ".HLP");
    }
    if (pApp->m_pszProfileName == NULL) {
        // Beside the program, as an .ini file, until SetRegistryKey is called.
        CString strIni(szPath);
        int nDot = strIni.ReverseFind('.');
        if (nDot > 0)
            strIni = strIni.Left(nDot);
        pApp->m_pszProfileName = Dup(strIni + ".INI");
    }
    return TRUE;
}

namespace {
bool g_oleStarted = false;
}

BOOL AfxOleInit()
{
    if (g_oleStarted)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    g_oleStarted = true;
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinApp* pApp = AfxGetApp();
    try {
        if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || pApp == NULL)
            return -1;
        if (!pApp->InitApplication())
            return -1;
        if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        } else {
            nReturnCode = pApp->Run();
        }
    } catch (...) {
        fprintf(stderr, "unhandled exception in the application\n");
        nReturnCode = -1;
    }
    AfxDeleteTempMaps();
    if (g_oleStarted) {
        ::OleUninitialize();
        g_oleStarted = false;
    }
    return nReturnCode;
}

// ---- profile ----

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    Free(m_pszRegistryKey);
    m_pszRegistryKey = Dup(lpszRegistryKey);
    Free(m_pszProfileName);
    m_pszProfileName = Dup(m_pszAppName ? m_pszAppName : AfxGetAppName());
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString str;
    str.LoadString(nIDRegistryKey);
    SetRegistryKey(str);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftKey = NULL, hCompanyKey = NULL, hAppKey = NULL;
    DWORD dw;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        if (::RegCreateKeyEx(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyEx(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
            ::RegCloseKey(hCompanyKey);
        }
        ::RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                     NULL, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = GetSectionKey(lpszSection);
        if (hKey == NULL)
            return (UINT)nDefault;
        DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = GetSectionKey(lpszSection);
        if (hKey == NULL)
            return FALSE;
        DWORD dw = (DWORD)nValue;
        LONG lResult = ::RegSetValueEx(hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dw, sizeof(dw));
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }
    char szT[16];
    wsprintf(szT, "%d", nValue);
    return ::WritePrivateProfileString(lpszSection, lpszEntry, szT, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = GetSectionKey(lpszSection);
        if (hKey == NULL)
            return CString(lpszDefault);
        DWORD dwType = 0, dwCount = 0;
        LONG lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        CString strValue(lpszDefault);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
            std::vector<char> buf((size_t)dwCount + 1, 0);
            lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, (LPBYTE)buf.data(), &dwCount);
            if (lResult == ERROR_SUCCESS)
                strValue = buf.data();
        }
        ::RegCloseKey(hKey);
        return strValue;
    }
    std::vector<char> buf(4096);
    for (;;) {
        DWORD n = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault, buf.data(),
                                            (DWORD)buf.size(), m_pszProfileName);
        if (n < buf.size() - 1)
            break;
        buf.resize(buf.size() * 2);
    }
    return CString(buf.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey != NULL) {
        if (lpszEntry == NULL) {
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == NULL)
                return FALSE;
            LONG lResult = ::RegDeleteKey(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS;
        }
        HKEY hKey = GetSectionKey(lpszSection);
        if (hKey == NULL)
            return FALSE;
        LONG lResult;
        if (lpszValue == NULL)
            lResult = ::RegDeleteValue(hKey, lpszEntry);
        else
            lResult = ::RegSetValueEx(hKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                      (DWORD)strlen(lpszValue) + 1);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS || (lpszValue == NULL && lResult == ERROR_FILE_NOT_FOUND);
    }
    return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
        return FALSE;
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
        *ppData = new BYTE[dwCount ? dwCount : 1];
        lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
        *pBytes = dwCount;
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_BINARY) {
        delete[] * ppData;
        *ppData = NULL;
        *pBytes = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
        return FALSE;
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (nMaxMRU != 0) {
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    CString strName = (*m_pRecentFileList)[nIndex];
    // a Cancel at "Save changes?" is no reason to forget the file
    AfxThreadState* pState = AfxGetThreadState();
    pState->bOpenNotTried = false;
    if (OpenDocumentFile(strName) == NULL && !pState->bOpenNotTried)
        m_pRecentFileList->Remove(nIndex);
    pState->bOpenNotTried = false;
    return TRUE;
}

void CWinApp::OnAppExit()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && pMain->m_hWnd != NULL)
        pMain->SendMessage(WM_CLOSE);
    else
        ::PostQuitMessage(0);
}

// ---- command line ----

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++) {
        LPCTSTR pszParam = __argv[i];
        BOOL bFlag = FALSE;
        BOOL bLast = (i == __argc - 1);
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNothing:
        return TRUE;
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        return FALSE;
    default:
        return FALSE;
    }
}

void CWinApp::EnableShellOpen() { m_bShellOpen = TRUE; }

void CWinApp::SetDialogBkColor(COLORREF clrCtlBk, COLORREF clrCtlText)
{
    m_dlgBkBrush.Reset(::CreateSolidBrush(clrCtlBk));
    m_hDlgBkBrush = m_dlgBkBrush;
    m_crDlgTextClr = clrCtlText;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    LPCTSTR name = MAKEINTRESOURCE(nIDResource);
    return ::LoadCursor(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
