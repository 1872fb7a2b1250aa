#include "designer/app/tests/StudioTestSupport.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/MainFrame.h"
#include "controls/OwnerDrawMenu.h"
#include "resources/zavomgr/resource.h"
#include "framework/CmdUI.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <string>

CZavomgrApp theApp;

namespace {

// A new project's title under the shipped Chinese language file ("无标题"), in GBK.
const char kChineseUntitledTitle[] = "\xce\xde\xb1\xea\xcc\xe2 - Zavo Studio 2008";

int StartCalls(const std::string& folder)
{
    HMODULE h = GetModuleHandleA((folder + "\\ozSkin.dll").c_str());
    if (!h) return -1;
    auto fn = (int(__cdecl*)())(void*)GetProcAddress(h, "StartCalls");
    return fn ? fn() : -1;
}

BOOL StartIn(const std::string& folder)
{
    theApp.m_strAppPath = folder.c_str();
    theApp.m_hSkinLib = NULL;
    theApp.m_pfnThemeStart = NULL;
    theApp.m_pfnThemeEnd = NULL;
    return theApp.StartSkin();
}

TEST(ZavomgrStartup, SkinFlagFollowsTheLibrary)
{
    std::string root = BinDir() + "\\skintest";
    _putenv("ZAVO_NO_SKIN=1");
    EXPECT_FALSE(StartIn(root + "\\true"));
    EXPECT_EQ(theApp.m_hSkinLib, (HMODULE)NULL);
    _putenv("ZAVO_NO_SKIN=");
    EXPECT_FALSE(StartIn(root + "\\none"));
    EXPECT_FALSE(theApp.m_bSkin);
    EXPECT_EQ(theApp.m_hSkinLib, (HMODULE)NULL);

    EXPECT_FALSE(StartIn(root + "\\noend"));
    EXPECT_NE(theApp.m_hSkinLib, (HMODULE)NULL);
    EXPECT_EQ(StartCalls(root + "\\noend"), 0);  // never called without ThemeEnd

    EXPECT_FALSE(StartIn(root + "\\false"));
    EXPECT_EQ(StartCalls(root + "\\false"), 1);

    EXPECT_TRUE(StartIn(root + "\\true"));
    EXPECT_TRUE(theApp.m_bSkin);
    EXPECT_EQ(StartCalls(root + "\\true"), 1);
    HMODULE h = GetModuleHandleA((root + "\\true\\ozSkin.dll").c_str());
    auto args = (const char*(__cdecl*)())(void*)GetProcAddress(h, "StartArgs");
    ASSERT_TRUE(args);
    EXPECT_EQ(std::string(args()), root + "\\true\\ThemeUI.dll|NormalBlue.ini");
}

TEST(ZavomgrStartup, SkinLibraryIsNotTakenFromTheSearchPath)
{
    std::string root = BinDir() + "\\skintest";
    SetDllDirectoryA((root + "\\true").c_str());
    EXPECT_FALSE(StartIn(root + "\\none"));
    SetDllDirectoryA(NULL);
    EXPECT_EQ(theApp.m_hSkinLib, (HMODULE)NULL);
}

TEST(ZavomgrStartup, TempAndWorkFolders)
{
    _putenv("temp=");
    theApp.SetupTempFolder();
    EXPECT_STREQ((LPCTSTR)theApp.m_strTempPath, "C:\\");
    _putenv("temp=D:\\Some Temp");
    theApp.SetupTempFolder();
    EXPECT_STREQ((LPCTSTR)theApp.m_strTempPath, "D:\\Some Temp");

    theApp.m_pszHelpFilePath = _strdup("C:\\Studio\\Zavomgr.HLP");
    theApp.SetupWorkFolders();
    EXPECT_STREQ((LPCTSTR)theApp.m_strAppPath, "C:\\Studio");
    EXPECT_STREQ((LPCTSTR)theApp.m_strBinPath, "C:\\Studio\\Bin");
    EXPECT_STREQ((LPCTSTR)theApp.m_strThemesPath, "C:\\Studio\\Themes");
    EXPECT_STREQ((LPCTSTR)theApp.m_strWebPagesPath, "C:\\Studio\\WebPages");
    EXPECT_STREQ((LPCTSTR)theApp.m_strProjectsPath, "C:\\Studio\\Zavo Projects");
    EXPECT_STREQ((LPCTSTR)theApp.m_strCmdTemplatesPath, "C:\\Studio\\Cmd Templates");
    EXPECT_STREQ((LPCTSTR)theApp.m_strMenusPath, "C:\\Studio\\Kel Menus");
}

TEST(ZavomgrStartup, AboutTexts)
{
    EXPECT_EQ(CAboutDlg::VersionText("Version", "2, 0, 8, 1"), CString("Version: 2.0.8.1"));
    EXPECT_EQ(CAboutDlg::VersionText("", "2, 0"), CString("\xb0\xe6\xb1\xbe: 2.0"));
    struct tm t = {};
    t.tm_year = 108;
    t.tm_mon = 4;
    t.tm_mday = 7;
    t.tm_hour = 13;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(CAboutDlg::BuildText("BDV-Built:", t), CString("Built: 2008-05-07 13:05:09"));
    EXPECT_EQ(CAboutDlg::BuildText("Pro", t).Find("Pro\xd7\xa8"), 0);
    EXPECT_NE(CAboutDlg::BuildText("Pro", t).Find(" 2008 "), -1);
}

TEST(ZavomgrStartup, AboutBoxLinksAreNeverUnderlinedAndPointAtTheHomePage)
{
    CAboutDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_ABOUTBOX, NULL));
    struct Expected {
        int id;
        const char* url;
    } links[] = {
        {1056, "http://www.zavo-studio.example/"},
        {1115, "http://www.zavo-studio.example/download.htm"}};
    for (const Expected& e : links) {
        auto* link = dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, e.id)));
        ASSERT_TRUE(link != NULL) << e.id;
        EXPECT_EQ(link->GetURL(), CString(e.url));
        EXPECT_EQ(link->GetUnderline(), 0);
        EXPECT_TRUE(link->GetStyle() & SS_NOTIFY);
        link->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        LOGFONT lf = {};
        ::GetObject(link->GetCurrentFont(), sizeof(lf), &lf);
        EXPECT_FALSE(lf.lfUnderline) << e.id;
    }
    dlg.DestroyWindow();
}

std::string MenuText(HMENU menu, UINT item, UINT flags)
{
    char buf[128] = "";
    GetMenuStringA(menu, item, buf, sizeof(buf), flags);
    return buf;
}

// The text of a command's item; owner-drawn items keep it in their record.
std::string CommandText(HMENU menu, UINT id)
{
    MENUITEMINFOA info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, id, FALSE, &info)) return "";
    auto* record = (COwnerDrawItem*)info.dwItemData;
    if (!(info.fType & MFT_OWNERDRAW) || !COwnerDrawMenu::IsRecord(record))
        return MenuText(menu, id, MF_BYCOMMAND);
    char buf[256] = "";
    WideCharToMultiByte(CP_ACP, 0, record->strText.c_str(), -1, buf, sizeof(buf), NULL, NULL);
    return buf;
}

// "Ctrl+Shift+S", "Ctrl+PgUp": an accelerator as the menu texts show it.
std::string AcceleratorName(const ACCEL& a)
{
    std::string name;
    if (a.fVirt & FCONTROL) name += "Ctrl+";
    if (a.fVirt & FALT) name += "Alt+";
    if (a.fVirt & FSHIFT) name += "Shift+";
    switch (a.key) {
    case VK_PRIOR: return name + "PgUp";
    case VK_NEXT: return name + "PgDn";
    case VK_HOME: return name + "Home";
    case VK_END: return name + "End";
    case VK_INSERT: return name + "Ins";
    case VK_DELETE: return name + "Del";
    case VK_BACK: return name + "Backspace";
    }
    if (a.key >= VK_F1 && a.key <= VK_F12) return name + "F" + std::to_string(a.key - VK_F1 + 1);
    return name + (char)a.key;
}

// Every item of a command with an accelerator ends in a tab and one of the
// command's accelerators.
void ExpectAcceleratorHints(HMENU menu)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_ZAVOMGRTYPE));
    ASSERT_TRUE(table);
    ACCEL accels[64];
    int count = CopyAcceleratorTableA(table, accels, 64);
    int checked = 0;
    for (int i = 0; i < count; ++i) {
        std::string text = CommandText(menu, accels[i].cmd);
        if (text.empty()) continue;  // a command without a menu item
        ++checked;
        size_t tab = text.find('\t');
        ASSERT_NE(tab, std::string::npos) << accels[i].cmd << " " << text;
        bool found = false;
        for (int j = 0; j < count; ++j)
            if (accels[j].cmd == accels[i].cmd && text.substr(tab + 1) == AcceleratorName(accels[j])) found = true;
        EXPECT_TRUE(found) << accels[i].cmd << " " << text;
    }
    EXPECT_GT(checked, 20);
}

// The project window as start-up makes it: template, empty project, menu.
HWND StartEmptyProject(CZavomgrApp& app)
{
    if (!app.m_pDocManager) app.RegisterTemplate();
    CCommandLineInfo info;
    if (!app.RunCommandLine(info) || !app.m_pMainWnd) return NULL;
    app.InstallFrameMenu();
    return app.m_pMainWnd->GetSafeHwnd();
}

void CloseProjectWindow(CZavomgrApp& app)
{
    app.m_pMainWnd->DestroyWindow();
    app.m_pMainWnd = NULL;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {}
}

TEST(ZavomgrStartup, MainWindowMenuIsTranslated)
{
    CZavomgrApp& app = theApp;
    app.m_langManager.InitFrom((BinDir() + "\\").c_str(), "Settings");
    ASSERT_TRUE(app.m_langManager.IsLoaded());
    HWND wnd = StartEmptyProject(app);
    ASSERT_TRUE(wnd);
    HMENU menu = GetMenu(wnd);
    // the GBK texts of the language file, byte for byte
    EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), "\xce\xc4\xbc\xfe(&F)");
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(GetSubMenu(menu, 0)));
    EXPECT_EQ(CommandText(menu, 0xE100), "\xd0\xc2\xbd\xa8\xcf\xee\xc4\xbf(&N)\tCtrl+N");
    ExpectAcceleratorHints(menu);
    char title[64];
    GetWindowTextA(wnd, title, sizeof(title));
    EXPECT_STREQ(title, kChineseUntitledTitle);
    CloseProjectWindow(app);

    app.m_langManager.InitFrom("C:\\no\\such\\place\\", "Settings");
    wnd = StartEmptyProject(app);
    ASSERT_TRUE(wnd);
    WCHAR w[64] = L"";
    GetMenuStringW(GetMenu(wnd), 0, w, 64, MF_BYPOSITION);
    EXPECT_TRUE(std::wstring(w) == L"&\u0424\u0430\u0439\u043b");
    ExpectAcceleratorHints(GetMenu(wnd));
    CloseProjectWindow(app);
}

TEST(ZavomgrStartup, PrintSetupItemAndPrintCommandsAreEnabled)
{
    CZavomgrApp& app = theApp;
    HWND wnd = StartEmptyProject(app);
    ASSERT_TRUE(wnd);
    HMENU file = GetSubMenu(GetMenu(wnd), 0);
    ASSERT_TRUE(file);
    // the frame updates the popup's items through CCmdUI as it opens
    EnableMenuItem(file, ID_FILE_PRINT_SETUP, MF_BYCOMMAND | MF_GRAYED);
    SendMessageA(wnd, WM_INITMENUPOPUP, (WPARAM)file, 0);
    UINT state = GetMenuState(file, ID_FILE_PRINT_SETUP, MF_BYCOMMAND);
    ASSERT_NE(state, (UINT)-1);
    EXPECT_FALSE(state & MF_GRAYED);
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_pOther = app.m_pMainWnd;
        BOOL handled = app.m_pMainWnd->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, NULL);
        AFX_CMDHANDLERINFO info = {};
        EXPECT_TRUE(handled || app.m_pMainWnd->OnCmdMsg(id, CN_COMMAND, NULL, &info)) << id;
    }
    CloseProjectWindow(app);
}

// Runs the studio, optionally capturing its main window's title.
struct StudioRun {
    DWORD exitCode = 999;
    std::string title;
    std::string aboutVersion;  // control 1113 of the About box, when asked for
    bool skinLoaded = false;   // ozSkin.dll among the process's modules
};

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND h, LPARAM lp)
{
    auto* ctx = (DialogSearch*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[32];
    GetClassNameA(h, cls, sizeof(cls));
    if (pid == ctx->pid && strcmp(cls, "#32770") == 0 && IsWindowVisible(h)) {
        ctx->found = h;
        return FALSE;
    }
    return TRUE;
}

// Opens the About box through the menu command, reads it and closes it.
std::string AskAbout(DWORD pid, HWND main)
{
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(0xE140, 0), 0);
    DialogSearch ctx = {pid, NULL};
    for (int i = 0; i < 200 && !ctx.found; ++i) {
        Sleep(50);
        EnumWindows(FindDialog, (LPARAM)&ctx);
    }
    if (!ctx.found) return "";
    char buf[256] = "";
    GetDlgItemTextA(ctx.found, 1113, buf, sizeof(buf));
    PostMessageA(ctx.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return buf;
}

BOOL CALLBACK FindTitle(HWND h, LPARAM lp)
{
    auto* ctx = (std::pair<DWORD, HWND>*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == ctx->first && IsWindowVisible(h)) {
        ctx->second = h;
        return FALSE;
    }
    return TRUE;
}

bool HasModule(DWORD pid, const char* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 entry = {sizeof(entry)};
    bool found = false;
    for (BOOL ok = Module32First(snapshot, &entry); ok && !found; ok = Module32Next(snapshot, &entry))
        found = _stricmp(entry.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

StudioRun RunStudio(const std::string& exe, const std::string& args, bool about = false, bool skinned = false)
{
    StudioRun r;
    std::string cmd = "\"" + exe + "\" " + args;
    // closed below once read; the studio's own timer only ends a run whose window was missed
    SetEnvironmentVariableA("ZAVO_EXIT_AFTER", "15000");
    SetEnvironmentVariableA("ZAVO_NO_SKIN", skinned ? NULL : "1");
    SetEnvironmentVariableA("ZAVO_NO_MSGBOX", "1");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    std::string buf = cmd;
    if (!CreateProcessA(NULL, &buf[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return r;
    WaitForInputIdle(pi.hProcess, 5000);
    std::pair<DWORD, HWND> ctx(pi.dwProcessId, (HWND)NULL);
    for (int i = 0; i < 200 && !ctx.second; ++i) {
        EnumWindows(FindTitle, (LPARAM)&ctx);
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    if (ctx.second) {
        char buf[256] = "";
        GetWindowTextA(ctx.second, buf, sizeof(buf));
        r.title = buf;
        r.skinLoaded = HasModule(pi.dwProcessId, "ozSkin.dll");
        if (about) r.aboutVersion = AskAbout(pi.dwProcessId, ctx.second);
        PostMessageA(ctx.second, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 998);
    GetExitCodeProcess(pi.hProcess, &r.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return r;
}

std::string ReadProfileIn(const char* path, const char* entry)
{
    char buf[512] = "";
    DWORD size = sizeof(buf);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    RegQueryValueExA(key, entry, NULL, NULL, (BYTE*)buf, &size);
    RegCloseKey(key);
    return buf;
}

std::string ReadProfile(const char* entry)
{
    return ReadProfileIn("Software\\Kantel Ruziz\\Zavomgr\\Settings", entry);
}

TEST(ZavomgrStartup, StartsWithLanguageFileAndOpensANamedProject)
{
    std::string exe = BinDir() + "\\Zavomgr.exe";
    StudioRun plain = RunStudio(exe, "", true);
    EXPECT_EQ(plain.exitCode, 0u);
    EXPECT_EQ(plain.title, kChineseUntitledTitle);
    ASSERT_GT(plain.aboutVersion.size(), 9u);
    EXPECT_EQ(plain.aboutVersion.substr(plain.aboutVersion.size() - 9), ": 2.0.8.1");

    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string project = std::string(tmp) + "startup_demo.kel";
    FILE* f = fopen(project.c_str(), "wb");
    ASSERT_TRUE(f);
    fputs("<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
          "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<PAPER>800,600;</PAPER>\r\n"
          "</COMMON>\r\n</ROOT>\r\n",
          f);
    fclose(f);
    StudioRun named = RunStudio(exe, "\"" + project + "\"");
    EXPECT_EQ(named.exitCode, 0u);
    EXPECT_EQ(named.title, "startup_demo.kel - Zavo Studio 2008");
    std::string recent = ReadProfileIn("Software\\Kantel Ruziz\\Zavomgr\\Recent File List", "File1");
    EXPECT_EQ(recent, project);
    remove(project.c_str());

    StudioRun missing = RunStudio(exe, "\"" + std::string(tmp) + "no_such_project.kel\"");
    // the open fails with its message; the studio stays on the new project
    EXPECT_EQ(missing.exitCode, 0u);
    EXPECT_EQ(missing.title, kChineseUntitledTitle);
}

TEST(ZavomgrStartup, WithoutLanguageFileRecordsTheLocaleFile)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "zavomgr_nolang_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), NULL);
    ASSERT_TRUE(CopyFileA((BinDir() + "\\Zavomgr.exe").c_str(), (dir + "\\Zavomgr.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BinDir() + "\\zavofw.dll").c_str(), (dir + "\\zavofw.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BinDir() + "\\Gorvanel.dll").c_str(), (dir + "\\Gorvanel.dll").c_str(), FALSE));
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kantel Ruziz\\Zavomgr\\Settings", 0, KEY_SET_VALUE,
                      &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Default Language");
        RegCloseKey(key);
    }
    StudioRun r = RunStudio(dir + "\\Zavomgr.exe", "");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.title, "Untitled - Zavo Studio 2008");
    std::string lang = ReadProfile("Default Language");
    EXPECT_EQ(lang.find(dir + "\\language\\"), 0u) << lang;
    EXPECT_EQ(lang.substr(lang.size() - 4), ".ini");
    DeleteFileA((dir + "\\Zavomgr.exe").c_str());
    DeleteFileA((dir + "\\zavofw.dll").c_str());
    DeleteFileA((dir + "\\Gorvanel.dll").c_str());
    RemoveDirectoryA(dir.c_str());
}

// The studio skinned by the program folder's library, in this process.
void StartSkinnedEmptyProject(HMODULE& skin, HWND& wnd)
{
    _putenv("ZAVO_NO_SKIN=");
    ASSERT_TRUE(StartIn(BinDir()));
    skin = GetModuleHandleA((BinDir() + "\\ozSkin.dll").c_str());
    ASSERT_TRUE(skin);
    wnd = StartEmptyProject(theApp);
    ASSERT_TRUE(wnd);
}

// The real skin library of the build's program folder, in this process.
TEST(ZavomgrStartup, SkinnedFromTheProgramFolderTheMenuBarSitsInTheRebar)
{
    HMODULE skin = NULL;
    HWND wnd = NULL;
    ASSERT_NO_FATAL_FAILURE(StartSkinnedEmptyProject(skin, wnd));
    MEMORY_BASIC_INFORMATION info;
    ASSERT_TRUE(VirtualQuery((void*)GetWindowLongPtrA(wnd, GWLP_WNDPROC), &info, sizeof(info)));
    EXPECT_EQ((HMODULE)info.AllocationBase, skin);
    CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
    ASSERT_TRUE(frame);
    EXPECT_EQ(GetParent(frame->GetMenuBar().m_hWnd), frame->GetReBar().m_hWnd);
    EXPECT_EQ(GetMenu(wnd), (HMENU)NULL);
    CloseProjectWindow(theApp);
}

// The window classes the skin's class map gives a skin object.
const char* const kSkinnedClasses[] = {
    "ComboBox", "ComboBoxEx32", "Edit", "SysDateTimePick32", "SysMonthCal32", "ListBox", "ComboLBox",
    "ScrollBar", "SysListView32", "SysHeader32", "msctls_statusbar32", "SysTreeView32", "msctls_progress32",
    "msctls_trackbar32", "SysTabControl32", "MDIClient", "msctls_updown32", "ToolbarWindow32", "Button"};

bool IsSkinnedClass(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    for (const char* skinned : kSkinnedClasses)
        if (_stricmp(name, skinned) == 0) return true;
    return false;
}

HMODULE ModuleOf(void* address)
{
    MEMORY_BASIC_INFORMATION info = {};
    VirtualQuery(address, &info, sizeof(info));
    return (HMODULE)info.AllocationBase;
}

// The framework's own record of the procedure it hands on to, in both forms:
// one of them is the procedure's address, the other may be a system thunk.
struct SuperProc : CWnd {
    static constexpr WNDPROC CWnd::*kAnsi = &SuperProc::m_pfnSuper;
    static constexpr WNDPROC CWnd::*kWide = &SuperProc::m_pfnSuperW;
};

// A window's procedure is the skin's, or the framework subclassed the window
// after the skin and hands on to it.
bool InSkin(HWND window, HMODULE skin)
{
    LONG_PTR top = IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                           : GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (ModuleOf((void*)top) == skin) return true;
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    return wnd && (ModuleOf((void*)(wnd->*SuperProc::kAnsi)) == skin || ModuleOf((void*)(wnd->*SuperProc::kWide)) == skin);
}

// A tool tip that subclasses its tool puts the system's procedure on top,
// and the chain under it cannot be read.
bool UnderToolTip(HWND window)
{
    return ModuleOf((void*)GetWindowLongPtrA(window, GWLP_WNDPROC)) == GetModuleHandleA("comctl32.dll");
}

// The windows of the skinned classes under a window, and those whose window
// procedure leads past the skin library ("class (id)" each).
struct SkinnedChildren {
    HMODULE skin;
    int checked = 0;
    std::string outside;
};

BOOL CALLBACK CheckSkinnedChild(HWND child, LPARAM lp)
{
    auto* r = (SkinnedChildren*)lp;
    if (!IsSkinnedClass(child) || UnderToolTip(child)) return TRUE;
    ++r->checked;
    if (!InSkin(child, r->skin)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof(name));
        r->outside += std::string(name) + " (" + std::to_string(GetDlgCtrlID(child)) + ") ";
    }
    return TRUE;
}

SkinnedChildren CheckSkinnedChildren(HWND parent, HMODULE skin)
{
    SkinnedChildren r;
    r.skin = skin;
    EnumChildWindows(parent, CheckSkinnedChild, (LPARAM)&r);
    return r;
}

// A modal dialog that a command opens, looked at from a timer of its modal
// loop and cancelled.
struct ModalLook {
    HWND frame;
    HMODULE skin;
    HWND dialog = NULL;
    bool dialogInSkin = false;
    SkinnedChildren children;
    int ticks = 0;
};
ModalLook* g_look = NULL;

void CALLBACK LookAtModal(HWND, UINT, UINT_PTR, DWORD)
{
    ModalLook& look = *g_look;
    HWND popup = GetLastActivePopup(look.frame);
    if (popup != look.frame && IsWindowVisible(popup) && !look.dialog) {
        look.dialog = popup;
        look.dialogInSkin = InSkin(popup, look.skin);
        look.children = CheckSkinnedChildren(popup, look.skin);
    }
    // cancelled once looked at; a dialog that never came gives up the loop's hold too
    if (popup != look.frame && (look.dialog || ++look.ticks > 100))
        PostMessageA(popup, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(popup, IDCANCEL));
}

ModalLook LookAtCommand(HWND frame, HMODULE skin, UINT command)
{
    ModalLook look;
    look.frame = frame;
    look.skin = skin;
    g_look = &look;
    UINT_PTR timer = SetTimer(NULL, 0, 100, LookAtModal);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    KillTimer(NULL, timer);
    g_look = NULL;
    return look;
}

// Skinned, the frame's children and the controls of the project properties
// and of the deploy wizard's first page run through the skin library.
TEST(ZavomgrStartup, SkinnedTheStudiosWindowsAndDialogControlsRunThroughTheSkin)
{
    HMODULE skin = NULL;
    HWND wnd = NULL;
    ASSERT_NO_FATAL_FAILURE(StartSkinnedEmptyProject(skin, wnd));
    SkinnedChildren frame = CheckSkinnedChildren(wnd, skin);
    EXPECT_GE(frame.checked, 5);  // tool bars, the menu bar, the status bar
    EXPECT_EQ(frame.outside, "");

    for (UINT command : {(UINT)ID_PROJECT_PROPERTIES, (UINT)ID_MULTI_BOOT}) {
        ModalLook look = LookAtCommand(wnd, skin, command);
        ASSERT_TRUE(look.dialog) << command;
        EXPECT_FALSE(IsWindow(look.dialog)) << command;
        EXPECT_TRUE(look.dialogInSkin) << command;
        EXPECT_GE(look.children.checked, 10) << command;
        EXPECT_EQ(look.children.outside, "") << command;
    }
    CloseProjectWindow(theApp);
}

TEST(ZavomgrStartup, SkinLibraryWithoutItsThemeGivesTheOwnerDrawnMenu)
{
    _putenv("ZAVO_NO_SKIN=");
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "zavomgr_notheme_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), NULL);
    ASSERT_TRUE(CopyFileA((BinDir() + "\\ozSkin.dll").c_str(), (dir + "\\ozSkin.dll").c_str(), FALSE));
    EXPECT_FALSE(StartIn(dir));
    EXPECT_NE(theApp.m_hSkinLib, (HMODULE)NULL);
    HWND wnd = StartEmptyProject(theApp);
    ASSERT_TRUE(wnd);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(GetSubMenu(GetMenu(wnd), 0)));
    CloseProjectWindow(theApp);
    // the library stays loaded, as the studio leaves it
    MoveFileExA((dir + "\\ozSkin.dll").c_str(), NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

TEST(ZavomgrStartup, StartedAsUsersStartItTheStudioIsSkinnedAndClosesCleanly)
{
    StudioRun r = RunStudio(BinDir() + "\\Zavomgr.exe", "", false, true);
    EXPECT_EQ(r.title, kChineseUntitledTitle);
    EXPECT_TRUE(r.skinLoaded);
    EXPECT_EQ(r.exitCode, 0u);
}

}  // namespace
