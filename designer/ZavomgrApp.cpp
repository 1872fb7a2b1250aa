#include "designer/ZavomgrApp.h"

#include "framework/Dialog.h"
#include "resources/zavomgr/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CZavomgrApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, &CZavomgrApp::OnAppAbout)
  ON_COMMAND(ID_FILE_NEW, &CZavomgrApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, &CZavomgrApp::OnFileOpen)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CZavomgrWnd, CWnd)
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_COMMAND(ID_APP_EXIT, &CZavomgrWnd::OnAppExit)
  ON_COMMAND(ID_APP_ABOUT, &CZavomgrWnd::OnAppAbout)
END_MESSAGE_MAP()

namespace {

const UINT_PTR kExitTimer = 1;

CString TitleOf(CLangManager& lang) {
  CString s;
  lang.LoadString(s, IDR_ZAVOMGRTYPE, FALSE);
  int nl = s.Find('\n');
  if (nl >= 0) s = s.Left(nl);
  return s.IsEmpty() ? CString("Zavo Studio") : s;
}

}  // namespace

CZavomgrApp::CZavomgrApp()
    : CWinApp("Zavomgr"), m_bSkin(FALSE), m_hSkinLib(NULL), m_pfnThemeStart(NULL),
      m_pfnThemeEnd(NULL) {}

CZavomgrApp::~CZavomgrApp() {}

void CZavomgrApp::SetupTempFolder() {
  const char* temp = getenv("temp");
  if (temp)
    m_strTempPath.Format("%s", temp);
  else
    m_strTempPath = "C:\\";
}

void CZavomgrApp::SetupWorkFolders() {
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

BOOL CZavomgrApp::StartSkin() {
  char themePath[MAX_PATH];
  snprintf(themePath, sizeof(themePath), "%s\\ThemeUI.dll", (LPCTSTR)m_strAppPath);
  m_bSkin = FALSE;
  // by full path: a library of that name elsewhere on the search path is never taken
  CString lib = m_strAppPath + "\\ozSkin.dll";
  if (!m_hSkinLib) m_hSkinLib = LoadLibraryExA(lib, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!m_hSkinLib) return FALSE;
  m_pfnThemeStart = (ThemeStartProc)(void*)GetProcAddress(m_hSkinLib, "ThemeStart");
  m_pfnThemeEnd = (ThemeEndProc)(void*)GetProcAddress(m_hSkinLib, "ThemeEnd");
  if (m_pfnThemeStart && m_pfnThemeEnd)
    m_bSkin = (m_pfnThemeStart(themePath, "NormalBlue.ini") & 0xFF) != 0;
  return m_bSkin;
}

BOOL CZavomgrApp::CreateMainWindow() {
  if (m_pMainWnd) return TRUE;
  CZavomgrWnd* wnd = new CZavomgrWnd;
  HMENU menu = ::LoadMenu(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_ZAVOMGRTYPE));
  m_langManager.TranslatePlainMenu(menu, "Menu");
  LPCTSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                    (HBRUSH)(COLOR_WINDOW + 1), LoadIcon(IDR_ZAVOMGRTYPE));
  if (!wnd->CreateEx(0, cls, TitleOf(m_langManager), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                     CW_USEDEFAULT, 800, 600, NULL, menu)) {
    if (menu) DestroyMenu(menu);
    delete wnd;
    return FALSE;
  }
  m_pMainWnd = wnd;
  return TRUE;
}

BOOL CZavomgrApp::OpenProject(LPCTSTR lpszPath) {
  FILE* f = fopen(lpszPath, "rb");
  if (!f) return FALSE;
  fclose(f);
  CZavomgrWnd* wnd = static_cast<CZavomgrWnd*>(m_pMainWnd);
  wnd->m_strProject = lpszPath;
  CString name(lpszPath);
  int slash = name.ReverseFind('\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  wnd->SetWindowText(name + " - " + TitleOf(m_langManager));
  AddToRecentFileList(lpszPath);
  return TRUE;
}

void CZavomgrApp::OnFileNew() {
  if (!m_pMainWnd) CreateMainWindow();
}

void CZavomgrApp::OnFileOpen() {}

void CZavomgrApp::OnAppAbout() {
  CAboutDlg dlg;
  dlg.DoModal();
}

namespace {

// The product version from the program's own version resource.
BOOL ReadProductVersion(CString& version) {
  char path[MAX_PATH];
  if (!GetModuleFileNameA(NULL, path, MAX_PATH)) return FALSE;
  DWORD handle = 0, size = GetFileVersionInfoSizeA(path, &handle);
  if (!size) return FALSE;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path, 0, size, &data[0])) return FALSE;
  WORD* lang = NULL;
  UINT len = 0;
  if (!VerQueryValueA(&data[0], "\\VarFileInfo\\Translation", (void**)&lang, &len) || len < 4)
    return FALSE;
  char query[64];
  snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\ProductVersion", lang[0], lang[1]);
  char* value = NULL;
  if (!VerQueryValueA(&data[0], query, (void**)&value, &len) || !value) return FALSE;
  version = value;
  return TRUE;
}

// The date and time this file was compiled.
struct tm BuildTime() {
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

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CString CAboutDlg::VersionText(const CString& label, const CString& version) {
  // "版本: " in the system code page of the Chinese texts
  CString text = label.IsEmpty() ? CString("\xb0\xe6\xb1\xbe: ") + version : label + ": " + version;
  text.Replace(", ", ".");
  return text;
}

CString CAboutDlg::BuildText(const CString& label, const struct tm& built) {
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

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CZavomgrApp* app = static_cast<CZavomgrApp*>(AfxGetApp());
  app->m_langManager.TranslateDialog(this, "About_Dlg");
  CString version, label;
  if (ReadProductVersion(version)) {
    GetDlgItemText(IDC_ABOUT_VERSION, label);
    SetDlgItemText(IDC_ABOUT_VERSION, VersionText(label, version));
  }
  GetDlgItemText(IDC_ABOUT_BUILD, label);
  SetDlgItemText(IDC_ABOUT_BUILD, BuildText(label, BuildTime()));
  return TRUE;
}

BOOL CZavomgrApp::InitInstance() {
  SetRegistryKey("Kantel Ruziz");
  m_langManager.Init("Settings");
  SetDialogBkColor(RGB(244, 244, 244), RGB(0, 0, 0));
  SetupTempFolder();
  SetupWorkFolders();
  LoadStdProfileSettings(8);
  StartSkin();
  EnableShellOpen();

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  // an empty project always comes first; only an open command adds the file
  if (!CreateMainWindow()) return FALSE;
  if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
    if (!OpenProject(cmdInfo.m_strFileName)) return FALSE;
  }

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  ::DragAcceptFiles(m_pMainWnd->GetSafeHwnd(), TRUE);
  // test runs: close by themselves after the given milliseconds
  if (const char* ms = getenv("ZAVO_EXIT_AFTER")) ::SetTimer(m_pMainWnd->GetSafeHwnd(), kExitTimer, atoi(ms), NULL);
  return TRUE;
}

void CZavomgrWnd::OnDestroy() {
  CWnd::OnDestroy();
  ::PostQuitMessage(0);
}

void CZavomgrWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  ::EndPaint(m_hWnd, &ps);
  (void)dc;
}

void CZavomgrWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kExitTimer) {
    ::KillTimer(m_hWnd, kExitTimer);
    ::PostMessage(m_hWnd, WM_CLOSE, 0, 0);
  }
}

// Until the frame routes commands, the window hands About to the application.
void CZavomgrWnd::OnAppAbout() { AfxGetApp()->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, NULL, NULL); }

void CZavomgrWnd::OnAppExit() { ::PostMessage(m_hWnd, WM_CLOSE, 0, 0); }

void CZavomgrWnd::PostNcDestroy() { delete this; }
