// File > web export on the sample, in this process: the save dialog and the
// message boxes are answered as a user would, the shell opener is a recorder.
// The page is left for web_page_check, which parses it with Python.
#include "designer/app/tests/StudioTestSupport.h"
#include "designer/app/MainFrame.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrDoc.h"
#include "designer/app/ZavomgrView.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

CZavomgrApp theApp;

namespace {

void Pump() { PumpApp(theApp); }

// What the user does while the command runs: types the page's path into the
// save dialog, answers a question with Yes and reads and closes a message.
struct User {
    std::string path;
    std::vector<std::string> messages, captions;
    int fileDialogs = 0;
};
User g_user;

BOOL CALLBACK FindDialog(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !IsWindowVisible(h) || !IsWindowEnabled(h)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, (LPARAM)&dlg);
    if (!dlg) return;
    if (GetDlgItem(dlg, 0x480) || GetDlgItem(dlg, 0x47C)) {  // the file dialog's name field
        ++g_user.fileDialogs;
        SetDlgItemTextA(dlg, 0x480, g_user.path.c_str());
        SetDlgItemTextA(dlg, 0x47C, g_user.path.c_str());
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    } else if (GetDlgItem(dlg, IDYES)) {
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDYES));
    } else if (GetDlgItem(dlg, 0xFFFF)) {  // a message box's text
        char text[1024] = "";
        GetDlgItemTextA(dlg, 0xFFFF, text, sizeof(text));
        g_user.messages.push_back(text);
        GetWindowTextA(dlg, text, sizeof(text));
        g_user.captions.push_back(text);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    }
}

std::vector<std::string> g_opened;
bool g_openFails = false;

HINSTANCE WINAPI RecordOpen(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_opened.push_back(std::string(verb) + " " + file);
    return (HINSTANCE)(INT_PTR)(g_openFails ? SE_ERR_NOASSOC : 33);
}

// A string of the studio as the language file gives it; the file must have
// its own, or a check against it proves nothing.
std::string Translated(UINT id)
{
    CString text;
    theApp.m_langManager.LoadString(text, id, FALSE);
    CString builtIn;
    builtIn.LoadString(id);
    EXPECT_STRNE(builtIn, text) << id;
    return (LPCTSTR)text;
}

// The caption of the studio's message boxes.
std::string BoxCaption()
{
    CString caption;
    theApp.m_langManager.LoadString(caption, IDS_APP_CAPTION, TRUE);
    return (LPCTSTR)caption;
}

class WebExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        _putenv("ZAVO_NO_MSGBOX=");
        theApp.m_langManager.InitFrom((BinDir() + "\\").c_str(), "Settings");
        CUIControl::SetLangManager(&theApp.m_langManager);
        theApp.m_strAppPath = BinDir().c_str();
        std::string base = WindowsPath(ZAVO_BINARY_DIR "/designer/web_export");
        CreateDirectoryA(base.c_str(), NULL);
        out = base + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveTree(out);
        CreateDirectoryA(out.c_str(), NULL);
        // a WebPages folder that is not there yet
        theApp.m_strWebPagesPath = (out + "\\WebPages").c_str();
        CZavomgrDoc::s_pfnShellOpen = RecordOpen;
        g_opened.clear();
        g_openFails = false;
        g_user = User();
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd) theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = NULL;
        Pump();
    }
    // The studio's window with the sample project, as it lies in the program folder.
    bool OpenSample()
    {
        if (!theApp.m_pDocManager) theApp.RegisterTemplate();
        CCommandLineInfo info;
        if (!theApp.RunCommandLine(info) || !theApp.m_pMainWnd) return false;
        theApp.m_pMainWnd->ShowWindow(SW_SHOW);
        std::string sample = BinDir() + "\\Zavo Projects\\Sample\\Sample.kel";
        if (!theApp.OpenDocumentFile(sample.c_str())) return false;
        Pump();
        return true;
    }
    void Export(const std::string& path)
    {
        g_user.path = path;
        UINT_PTR timer = SetTimer(NULL, 0, 50, Answer);
        theApp.m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WEB_PREVIEW, 0), 0);
        KillTimer(NULL, timer);
        Pump();
    }
    std::string out;
};

TEST_F(WebExport, WritesThePageWithItsPicturesAndOpensIt)
{
    ASSERT_TRUE(OpenSample());
    std::string page = out + "\\WebPages\\Sample.html", images = out + "\\WebPages\\Sample_Images";
    Export(page);
    EXPECT_EQ(g_user.fileDialogs, 1);
    EXPECT_TRUE(g_user.messages.empty()) << g_user.messages.front();
    ASSERT_TRUE(Exists(page));
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], "open " + page);
    std::string html = ReadFile(page);
    EXPECT_EQ(html.find("<html><head>"), 0u);
    EXPECT_NE(html.find("</body></html>"), std::string::npos);
    // the logo and the heading are drawn on the wallpaper; the entries and the
    // bar have pictures of their own, which lie in the images folder
    for (const char* name : {"wallpaper.png", "BtnNormal_0.png", "BtnHover_0.png", "BtnNormal_2.png", "BtnHover_2.png",
                             "ProgressTrack.png", "ProgressChunk.png"}) {
        EXPECT_NE(html.find(std::string("./Sample_Images/") + name), std::string::npos) << name;
        EXPECT_TRUE(Exists(images + "\\" + name)) << name;
    }
}

int CountFiles(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*.png").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        ++n;
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return n;
}

// The user presses Escape on the keyboard while the pictures of a large
// project are written: the export ends at once and leaves nothing behind.
TEST_F(WebExport, EscapeDuringThePicturesStopsAtOnceAndLeavesNoPage)
{
    ASSERT_TRUE(OpenSample());
    CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
    ASSERT_TRUE(frame != NULL);
    CUIControlList& list = frame->GetZavomgrView()->GetDocument()->GetControlList();
    const int n = list.GetCount();
    for (int copy = 0; copy < 100; ++copy)
        for (int i = 0; i < n; ++i) list.Add(list.GetAt(i)->Clone());
    std::string page = out + "\\WebPages\\Big.html", images = out + "\\WebPages\\Big_Images";
    std::atomic<DWORD> pressed(0);
    std::thread user([&]() {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 60000 && CountFiles(images) < 20) Sleep(10);
        if (zavotest::PressOnXServer(L"Escape", []() {})) pressed = GetTickCount();
    });
    Export(page);
    const DWORD ended = GetTickCount();
    user.join();
    ASSERT_NE(0u, (DWORD)pressed);
    EXPECT_LT((LONG)(ended - pressed), 1000);
    EXPECT_FALSE(Exists(page));
    EXPECT_FALSE(Exists(images));
    EXPECT_TRUE(g_opened.empty());
    EXPECT_TRUE(g_user.messages.empty()) << g_user.messages.front();
}

std::string g_waitCaption;

void CALLBACK LookAtWaitDialog(HWND, UINT, UINT_PTR, DWORD)
{
    for (HWND h = FindWindowExA(NULL, NULL, "#32770", NULL); h; h = FindWindowExA(NULL, h, "#32770", NULL)) {
        if (GetWindowThreadProcessId(h, NULL) == GetCurrentThreadId() && GetDlgItem(h, 23042)) {
            char text[256] = "";
            GetWindowTextA(h, text, sizeof(text));
            g_waitCaption = text;
        }
    }
}

// The wait dialog speaks the language of the studio.
TEST_F(WebExport, WaitDialogTakesItsTextsFromTheLanguageFile)
{
    ASSERT_TRUE(OpenSample());
    CString caption;
    theApp.m_langManager.LoadString(caption, 61515, FALSE);
    char builtIn[64] = "";
    ::LoadStringA(::GetModuleHandle(NULL), 61515, builtIn, sizeof(builtIn));
    ASSERT_STRNE(builtIn, caption);  // the language file has its own
    g_waitCaption.clear();
    // the first step's pump shows the dialog to this timer
    UINT_PTR look = SetTimer(NULL, 0, 10, LookAtWaitDialog);
    Export(out + "\\WebPages\\Sample.html");
    KillTimer(NULL, look);
    EXPECT_EQ(std::string(caption), g_waitCaption);
}

// A page that cannot be written (here held open by another program, as the
// tests run with rights that a read-only flag does not stop) is reported and
// the page there stays as it was.
TEST_F(WebExport, PageThatCannotBeWrittenIsReportedAndLeftAsItWas)
{
    ASSERT_TRUE(OpenSample());
    std::string folder = out + "\\locked";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string page = folder + "\\Sample.html";
    WriteFile(page, "an older page");
    HANDLE held = CreateFileA(page.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Export(page);
    CloseHandle(held);
    EXPECT_EQ(ReadFile(page), "an older page");
    ASSERT_EQ(g_user.messages.size(), 1u);
    EXPECT_NE(g_user.messages[0].find(page), std::string::npos) << g_user.messages[0];
    EXPECT_TRUE(g_opened.empty());
    // in the studio's language and caption
    const std::string format = Translated(IDS_WEB_CANNOT_WRITE);
    EXPECT_EQ(g_user.messages[0].substr(0, format.find('%')), format.substr(0, format.find('%')));
    EXPECT_EQ(g_user.captions[0], BoxCaption());
}

// The page is written but no program opens it: said in the studio's
// language, under the caption of its other boxes.
TEST_F(WebExport, PageThatCannotBeOpenedIsToldInTheStudiosLanguage)
{
    ASSERT_TRUE(OpenSample());
    const std::string page = out + "\\WebPages\\Sample.html";
    g_openFails = true;
    Export(page);
    ASSERT_TRUE(Exists(page));
    ASSERT_EQ(g_opened.size(), 1u);
    ASSERT_EQ(g_user.messages.size(), 1u);
    CString text;
    text.Format(Translated(IDS_WEB_CANNOT_OPEN).c_str(), page.c_str());
    EXPECT_EQ(g_user.messages[0], (LPCTSTR)text);
    EXPECT_EQ(g_user.captions[0], BoxCaption());
}

}  // namespace
