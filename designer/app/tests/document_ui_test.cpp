// The project settings dialog driven by messages, and the document manager's
// file dialog filters.
#include "designer/app/tests/StudioTestSupport.h"
#include "deploy/DepWizard.h"
#include "designer/app/GlobalSetDlg.h"
#include "designer/app/MainFrame.h"
#include "designer/core/ProjectPaths.h"
#include "designer/model/UIControl.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrDoc.h"
#include "designer/app/ZavomgrDocManager.h"
#include "designer/app/ZavomgrView.h"
#include "framework/FwRes.h"
#include "framework/SingleDocTemplate.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

HWND g_dialog = NULL;
std::vector<std::function<void(HWND)>> g_steps;
size_t g_next = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_dialog || !IsWindow(g_dialog)) return;
    if (g_next < g_steps.size()) {
        g_steps[g_next++](g_dialog);
    } else {
        KillTimer(NULL, id);
    }
}

class TestSetDlg : public CGlobalSetDlg {
public:
    BOOL OnInitDialog() override
    {
        BOOL result = CGlobalSetDlg::OnInitDialog();
        g_dialog = m_hWnd;
        return result;
    }
};

INT_PTR RunDialog(CGlobalSetDlg& dlg, std::vector<std::function<void(HWND)>> steps)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    g_dialog = NULL;
    g_steps = std::move(steps);
    g_next = 0;
    UINT_PTR timer = SetTimer(NULL, 0, 30, Tick);
    INT_PTR result = dlg.DoModal();
    KillTimer(NULL, timer);
    return result;
}

void Click(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id));
}

std::string Text(HWND dlg, int id)
{
    char buf[128] = "";
    GetDlgItemTextA(dlg, id, buf, sizeof(buf));
    return buf;
}

TEST(GlobalSetDlg, ResolutionFollowsTheTrackbar)
{
    TestSetDlg dlg;
    dlg.m_nPageWidth = 1024;
    dlg.m_nPageHeight = 768;
    dlg.m_nGridWidth = dlg.m_nGridHeight = 8;
    int shownPos = 0;
    std::string shownText;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                         HWND bar = GetDlgItem(d, IDC_GS_RESOLUTION);
                                         shownPos = (int)SendMessageA(bar, TBM_GETPOS, 0, 0);
                                         shownText = Text(d, IDC_GS_RESOLUTIONTEXT);
                                         SendMessageA(bar, TBM_SETPOS, TRUE, 1);
                                         SendMessageA(d, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)bar);
                                     },
                                     [](HWND d) { Click(d, IDOK); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownPos, 3);
    EXPECT_EQ(shownText, "1024x768");
    EXPECT_EQ(dlg.m_nPageWidth, 640);
    EXPECT_EQ(dlg.m_nPageHeight, 480);
    EXPECT_EQ(dlg.m_nVesaMode, 0x111);
}

TEST(GlobalSetDlg, OutOfRangeValuesKeepTheDialogOpen)
{
    TestSetDlg dlg;
    dlg.m_nGridWidth = dlg.m_nGridHeight = 0;  // raised to the least grid
    bool openAfterTimeout = false, openAfterGrid = false;
    INT_PTR result = RunDialog(dlg, {[](HWND d) {
                                         SetDlgItemTextA(d, IDC_GS_TIMEOUT, "100");
                                         Click(d, IDOK);
                                     },
                                     [&](HWND d) {
                                         openAfterTimeout = IsWindowVisible(d) != 0;
                                         SetDlgItemTextA(d, IDC_GS_TIMEOUT, "99");
                                         SetDlgItemTextA(d, IDC_GS_GRIDWIDTH, "0");
                                         Click(d, IDOK);
                                     },
                                     [&](HWND d) {
                                         openAfterGrid = IsWindowVisible(d) != 0;
                                         Click(d, IDCANCEL);
                                     }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(openAfterTimeout);
    EXPECT_TRUE(openAfterGrid);
    EXPECT_EQ(CGlobalSetDlg::GetResolutionText(0x114), CString("800x600"));
    EXPECT_EQ(CGlobalSetDlg::GetResolutionText(0x100), CString(""));
}

// Answers the file dialog itself and keeps what it was given.
class TestDocManager : public CZavomgrDocManager {
public:
    std::string filter, defExt, title;
    int index = -1;
    BOOL RunFileDialog(BOOL, LPCTSTR lpszTitle, DWORD, LPCTSTR lpszFilter, int nFilterIndex,
                       LPCTSTR lpszDefExt, CString& fileName) override
    {
        title = lpszTitle ? lpszTitle : "";
        const char* end = lpszFilter;
        while (*end || end[1]) ++end;
        filter.assign(lpszFilter, end + 2);
        index = nFilterIndex;
        defExt = lpszDefExt ? lpszDefExt : "";
        fileName = "C:\\chosen.kel";
        return TRUE;
    }
};

TEST(ZavomgrDocManager, FilterAndExtensionFromTheDocumentString)
{
    TestDocManager manager;
    CSingleDocTemplate* tmpl = new CSingleDocTemplate(IDR_ZAVOMGRTYPE, RUNTIME_CLASS(CZavomgrDoc),
                                                      RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CZavomgrView));
    tmpl->m_strDocStrings = "Studio\n\nZavo\nProjects (*.kel)\n.kel;.zav\nZavomgr.Document\nZavo Document";
    manager.AddDocTemplate(tmpl);
    CString name;
    ASSERT_TRUE(manager.DoPromptFileName(name, AFX_IDS_SAVEFILE, 0, FALSE, tmpl));
    EXPECT_EQ(name, CString("C:\\chosen.kel"));
    std::string all = AfxLoadFwString(AFX_IDS_ALLFILTER).GetString();
    EXPECT_EQ(manager.filter, std::string("Projects (*.kel)\0*.kel;*.zav\0", 29) + all +
                                  std::string("\0*.*\0\0", 6));
    EXPECT_EQ(manager.defExt, "kel");
    EXPECT_EQ(manager.index, 1);
    EXPECT_EQ(manager.title, AfxLoadFwString(AFX_IDS_SAVEFILE).GetString());

    CString part;
    EXPECT_TRUE(manager.GetDocString(tmpl, part, CDocTemplate::filterName));
    EXPECT_EQ(part, CString("Projects (*.kel)"));
    EXPECT_FALSE(manager.GetDocString(tmpl, part, 9));
}

std::string TempDir();

// The language file's document string gives both dialogs their filter and
// default extension; without one in the file the resource's string holds.
TEST(ZavomgrDocManager, LanguageFileGivesTheFilter)
{
    std::string dir = TempDir();
    CreateDirectoryA((dir + "\\language").c_str(), NULL);
    std::string lng = dir + "\\language\\zavomgr.lng";
    std::ofstream(lng) << "[String]\n117=Studio\\n\\nZavo\\nMenu projects (*.zmp)\\n.zmp\\nZavomgr.Document\\nZavo\n";
    CLangManager lang;
    lang.InitFrom((dir + "\\").c_str(), "Settings");
    ASSERT_TRUE(lang.IsLoaded());

    TestDocManager manager;
    manager.m_pLangManager = &lang;
    CSingleDocTemplate* tmpl = new CSingleDocTemplate(IDR_ZAVOMGRTYPE, RUNTIME_CLASS(CZavomgrDoc),
                                                      RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CZavomgrView));
    manager.AddDocTemplate(tmpl);
    std::string all = AfxLoadFwString(AFX_IDS_ALLFILTER).GetString();
    std::string expected = std::string("Menu projects (*.zmp)\0*.zmp\0", 28) + all + std::string("\0*.*\0\0", 6);
    CString name;
    ASSERT_TRUE(manager.DoPromptFileName(name, AFX_IDS_SAVEFILE, 0, FALSE, tmpl));
    EXPECT_EQ(manager.filter, expected);
    EXPECT_EQ(manager.defExt, "zmp");
    ASSERT_TRUE(manager.DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_FILEMUSTEXIST, TRUE, NULL));
    EXPECT_EQ(manager.filter, expected);
    EXPECT_EQ(manager.index, 1);

    std::ofstream(lng) << "[String]\n122=Studio\n";
    CLangManager plain;
    plain.InitFrom((dir + "\\").c_str(), "Settings");
    manager.m_pLangManager = &plain;
    ASSERT_TRUE(manager.DoPromptFileName(name, AFX_IDS_SAVEFILE, 0, FALSE, tmpl));
    EXPECT_EQ(manager.defExt, "kel");
    DeleteFileA(lng.c_str());
    RemoveDirectoryA((dir + "\\language").c_str());
}

BOOL CALLBACK FindSheet(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

int g_wizardPages = -1;

void CALLBACK PressThroughWizard(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND sheet = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, (LPARAM)&sheet);
    if (!sheet) return;
    KillTimer(NULL, id);
    HWND tab = (HWND)SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0);
    g_wizardPages = tab ? (int)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) : -1;
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// The multi-boot command runs the wizard from its first page; Cancel ends it.
TEST(DeployWizard, MultiBootRunsTheTwoPages)
{
    g_wizardPages = -1;
    UINT_PTR timer;
    timer = SetTimer(NULL, 0, 50, PressThroughWizard);
    CZavomgrDoc* doc = (CZavomgrDoc*)RUNTIME_CLASS(CZavomgrDoc)->CreateObject();
    doc->OnMultiBoot();
    KillTimer(NULL, timer);
    delete doc;
    EXPECT_EQ(g_wizardPages, 2);

    CString name;
    EXPECT_EQ(CDepWizStep2::MakeWorkFolderName(name), 1);
    EXPECT_EQ(name.Find('.'), -1);
    EXPECT_NE(name.Find("KEL"), -1);
    ASSERT_EQ(name.Right(4), CString("_tmp"));
    EXPECT_TRUE(DeleteFileA(name.Left(name.GetLength() - 4) + ".tmp"));  // the file the system made

    // a '.' in the temp folder's own path stays: only the file's name changes
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dotted = std::string(tmp) + "work.dir";
    CreateDirectoryA(dotted.c_str(), NULL);
    char oldTmp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", oldTmp, MAX_PATH);
    SetEnvironmentVariableA("TMP", dotted.c_str());
    EXPECT_EQ(CDepWizStep2::MakeWorkFolderName(name), 1);
    SetEnvironmentVariableA("TMP", oldTmp[0] ? oldTmp : NULL);
    EXPECT_EQ(name.Find((dotted + "\\KEL").c_str()), 0) << (LPCTSTR)name;
    EXPECT_EQ(name.Right(4), CString("_tmp"));
    EXPECT_TRUE(DeleteFileA(name.Left(name.GetLength() - 4) + ".tmp"));
    RemoveDirectoryA(dotted.c_str());
}

// ---- the opened project's wallpaper in the studio's window ----

std::string TempDir() { return ProcessTempDir("zavomgr_docui_"); }

void Pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

std::string ProjectWithWallpaper(const std::string& wallpaper)
{
    std::string common = wallpaper.empty() ? "" : "<WALLPAPER>" + wallpaper + "</WALLPAPER>\r\n";
    return "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
           "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n" +
           common +
           "<DEFAULT>1</DEFAULT>\r\n<PAPER>640,480;</PAPER>\r\n</COMMON>\r\n</ROOT>\r\n";
}

class StudioWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        _putenv("ZAVO_NO_MSGBOX=1");
        theApp.m_langManager.InitFrom((BinDir() + "\\").c_str(), "Settings");
        CUIControl::SetLangManager(&theApp.m_langManager);
        theApp.m_strAppPath = BinDir().c_str();
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd) theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = NULL;
        Pump();
    }
    bool Start()
    {
        if (!theApp.m_pDocManager) theApp.RegisterTemplate();
        CCommandLineInfo info;
        if (!theApp.RunCommandLine(info) || !theApp.m_pMainWnd) return false;
        CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
        if (!frame) return false;
        frame->ShowWindow(SW_SHOW);
        Pump();
        view = frame->GetZavomgrView();
        return view != NULL && view->HasCanvas();
    }
    bool Open(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        bool opened = theApp.OpenDocumentFile(path.c_str()) != NULL;
        Pump();
        return opened;
    }
    CZavomgrView* view = NULL;
};

void CALLBACK AcceptSettings(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, (LPARAM)&dlg);
    if (!dlg) return;
    KillTimer(NULL, id);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
}

// A project without a wallpaper shows none, not the one before; one whose
// image is missing keeps its path through the settings dialog and a save.
TEST_F(StudioWindow, EachProjectShowsOnlyItsOwnWallpaper)
{
    ASSERT_TRUE(Start());
    std::string dir = TempDir();
    std::string png = dir + "\\wall.png", missing = dir + "\\gone.png";
    CxImage image;
    ASSERT_TRUE(image.Create(64, 48, 24, CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(image.Save(png.c_str(), CXIMAGE_FORMAT_PNG));

    ASSERT_TRUE(Open(dir + "\\a.kel", ProjectWithWallpaper(png)));
    CDesignCanvas& canvas = view->GetCanvas();
    EXPECT_EQ(canvas.GetWallpaper(), CString(png.c_str()));
    EXPECT_TRUE(canvas.GetWallpaperImage().IsValid());

    ASSERT_TRUE(Open(dir + "\\b.kel", ProjectWithWallpaper("")));
    EXPECT_EQ(view->GetDocument()->GetSettings().wallpaper, CString(""));
    EXPECT_EQ(canvas.GetWallpaper(), CString(""));
    EXPECT_FALSE(canvas.GetWallpaperImage().IsValid());

    ASSERT_TRUE(Open(dir + "\\a.kel", ProjectWithWallpaper(png)));
    std::string c = dir + "\\c.kel";
    ASSERT_TRUE(Open(c, ProjectWithWallpaper(missing)));
    EXPECT_EQ(view->GetDocument()->GetSettings().wallpaper, CString(missing.c_str()));
    EXPECT_EQ(canvas.GetWallpaper(), CString(missing.c_str()));
    EXPECT_FALSE(canvas.GetWallpaperImage().IsValid());

    UINT_PTR timer = SetTimer(NULL, 0, 50, AcceptSettings);
    theApp.m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(ID_PROJECT_PROPERTIES, 0), 0);
    KillTimer(NULL, timer);
    Pump();
    EXPECT_EQ(view->GetDocument()->GetSettings().wallpaper, CString(missing.c_str()));
    ASSERT_TRUE(view->GetDocument()->OnSaveDocument(c.c_str()));
    std::ifstream in(c, std::ios::binary);
    std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(saved.find("<WALLPAPER>" + missing + "</WALLPAPER>"), std::string::npos) << saved;
    for (const char* name : {"a.kel", "b.kel", "c.kel", "wall.png"}) DeleteFileA((dir + "\\" + name).c_str());
    RemoveDirectoryA(dir.c_str());
}

// A project named by a path relative to the current folder finds its
// pictures after the current folder moved (a file dialog moves it).
TEST_F(StudioWindow, ProjectOpenedByARelativePathKeepsItsPictures)
{
    ASSERT_TRUE(Start());
    std::string dir = TempDir();
    CreateDirectoryA((dir + "\\rel").c_str(), NULL);
    CxImage image;
    ASSERT_TRUE(image.Create(64, 48, 24, CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(image.Save((dir + "\\rel\\wall.png").c_str(), CXIMAGE_FORMAT_PNG));
    std::ofstream(dir + "\\rel\\p.kel", std::ios::binary) << ProjectWithWallpaper("wall.png");
    char oldCurrent[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, oldCurrent);
    SetCurrentDirectoryA(dir.c_str());
    ASSERT_TRUE(theApp.OpenDocumentFile("rel\\p.kel") != NULL);
    Pump();
    SetCurrentDirectoryA(oldCurrent);
    CDesignCanvas& canvas = view->GetCanvas();
    canvas.SetWallpaper("", FALSE);
    EXPECT_TRUE(canvas.SetWallpaper(CProjectPaths::Resolve("wall.png")));
    EXPECT_TRUE(canvas.GetWallpaperImage().IsValid());
    DeleteFileA((dir + "\\rel\\wall.png").c_str());
    DeleteFileA((dir + "\\rel\\p.kel").c_str());
    RemoveDirectoryA((dir + "\\rel").c_str());
    RemoveDirectoryA(dir.c_str());
}

std::string g_newWallpaper;

void CALLBACK ChooseWallpaper(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, (LPARAM)&dlg);
    if (!dlg) return;
    KillTimer(NULL, id);
    SetDlgItemTextA(dlg, IDC_GS_WALLPAPER, g_newWallpaper.c_str());
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
}

// A new wallpaper that does not load (cut short, empty, not a picture)
// leaves the old picture and path, and the user is told.
TEST_F(StudioWindow, AnUnreadableNewWallpaperChangesNothingAndIsReported)
{
    ASSERT_TRUE(Start());
    std::string dir = TempDir();
    std::string png = dir + "\\wall.png", cut = dir + "\\cut.png", empty = dir + "\\empty.png",
                text = dir + "\\text.png";
    CxImage image;
    ASSERT_TRUE(image.Create(64, 48, 24, CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(image.Save(png.c_str(), CXIMAGE_FORMAT_PNG));
    std::ifstream in(png, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::ofstream(empty, std::ios::binary).close();
    std::ofstream(text, std::ios::binary) << "not a picture";
    ASSERT_TRUE(Open(dir + "\\a.kel", ProjectWithWallpaper(png)));
    CDesignCanvas& canvas = view->GetCanvas();
    for (const std::string& bad : {cut, empty, text}) {
        g_newWallpaper = bad;
        testing::internal::CaptureStderr();
        UINT_PTR timer = SetTimer(NULL, 0, 50, ChooseWallpaper);
        theApp.m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(ID_PROJECT_PROPERTIES, 0), 0);
        KillTimer(NULL, timer);
        Pump();
        std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find("[messagebox]"), std::string::npos) << bad;
        EXPECT_EQ(canvas.GetWallpaper(), CString(png.c_str())) << bad;
        EXPECT_TRUE(canvas.GetWallpaperImage().IsValid()) << bad;
        EXPECT_EQ(view->GetDocument()->GetSettings().wallpaper, CString(png.c_str())) << bad;
    }
    for (const std::string& name : {std::string("a.kel"), std::string("wall.png"), std::string("cut.png"),
                                    std::string("empty.png"), std::string("text.png")})
        DeleteFileA((dir + "\\" + name).c_str());
    RemoveDirectoryA(dir.c_str());
}

// A project refused at start-up leaves the studio open on a new project.
TEST_F(StudioWindow, RefusedProjectOnTheCommandLineKeepsTheStudioOpen)
{
    std::string beta = TempDir() + "\\beta.kel";
    std::ofstream(beta, std::ios::binary) << "Zavomgr.Doc.Ver:1.01\r\nwallpaper:C:\\x.bmp\r\n";
    if (!theApp.m_pDocManager) theApp.RegisterTemplate();
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = beta.c_str();
    EXPECT_TRUE(theApp.RunCommandLine(info));
    ASSERT_TRUE(theApp.m_pMainWnd != NULL);
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, theApp.m_pMainWnd);
    ASSERT_TRUE(frame && frame->GetActiveDocument());
    EXPECT_TRUE(frame->GetActiveDocument()->GetPathName().IsEmpty());
    DeleteFileA(beta.c_str());
}

}  // namespace
