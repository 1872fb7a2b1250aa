// Every text the studio shows on its main window, in its save question, on
// the deploy wizard's pages and in the wizard's file dialogs, read back under
// each shipped language file: each is in that language's script (Latin for
// English; Chinese with the Latin of names and paths for Chinese), and the
// texts the language file gives are the ones shown. Runs under code page 936.
#include "designer/app/tests/StudioTestSupport.h"
#include "designer/app/MainFrame.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrDoc.h"
#include "designer/app/ZavomgrView.h"
#include "controls/FileEditCtrl.h"
#include "framework/FwRes.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

struct Shown {
    std::string where;
    std::wstring text;
};

std::vector<Shown> g_shown;

std::wstring WideText(HWND h)
{
    wchar_t buf[1024] = L"";
    ::GetWindowTextW(h, buf, 1024);
    return buf;
}

void Note(const std::string& where, const std::wstring& text)
{
    if (!text.empty()) g_shown.push_back({where, text});
}

// The window's caption and the texts of its visible children, combo box
// items included; the buttons the system labels itself (a message box's, a
// wizard's Back, Next and Cancel) left out.
void NoteWindow(const std::string& where, HWND window, std::vector<int> systemButtons = {})
{
    Note(where + " caption", WideText(window));
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        if (std::find(systemButtons.begin(), systemButtons.end(), ::GetDlgCtrlID(child)) != systemButtons.end())
            continue;
        char cls[32] = "";
        ::GetClassNameA(child, cls, sizeof(cls));
        const std::string id = where + " #" + std::to_string(::GetDlgCtrlID(child)) + " " + cls;
        if (_stricmp(cls, "ComboBox") == 0) {
            const int n = (int)::SendMessageW(child, CB_GETCOUNT, 0, 0);
            for (int i = 0; i < n; ++i) {
                wchar_t item[512] = L"";
                if (::SendMessageW(child, CB_GETLBTEXTLEN, i, 0) < 512) ::SendMessageW(child, CB_GETLBTEXT, i, (LPARAM)item);
                Note(id + " item", item);
            }
        } else if (_stricmp(cls, "Edit") != 0) {
            Note(id, WideText(child));
        }
        if (_stricmp(cls, "#32770") == 0) NoteWindow(where, child);
    }
}

std::string Narrow(const std::wstring& text, UINT codePage = CP_UTF8)
{
    char buf[4096] = "";
    ::WideCharToMultiByte(codePage, 0, text.c_str(), -1, buf, sizeof(buf), NULL, NULL);
    return buf;
}

bool IsLatin(wchar_t c) { return c >= 0x20 && c < 0x7F; }
bool IsChinese(wchar_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           c == 0x201C || c == 0x201D || c == 0x2026 || c == 0x00B7;
}

// Latin words a Chinese screen shows as they are: the names of the program
// and of a partition table (and paths).
const wchar_t* const kNames[] = {L"Zavomgr", L"Zavo Studio 2007 ", L"MBR"};

// The texts with a character outside the language's script; on a Chinese
// screen also the texts in Latin words alone, names aside.
std::vector<std::string> OutsideScript(bool chinese)
{
    std::vector<std::string> bad;
    for (const Shown& s : g_shown) {
        bool outside = false, letters = false, han = false;
        for (wchar_t c : s.text) {
            outside |= !(IsLatin(c) || c == '\t' || c == '\r' || c == '\n' || (chinese && IsChinese(c)));
            letters |= (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            han |= c >= 0x4E00 && c <= 0x9FFF;
        }
        const size_t start = s.text.find_first_not_of(L' ');
        const std::wstring trimmed = start == std::wstring::npos ? std::wstring() : s.text.substr(start);
        bool name = false;
        for (const wchar_t* n : kNames) name |= trimmed == n;
        name |= trimmed.find(L":\\") != std::wstring::npos;  // a path
        if (outside || (chinese && letters && !han && !name)) bad.push_back(s.where + ": " + Narrow(s.text));
    }
    return bad;
}

// A text shown as the language file gives it (a group box's title after the
// blanks its check box takes).
bool Seen(const std::wstring& text)
{
    for (const Shown& s : g_shown) {
        const size_t start = s.text.find_first_not_of(L' ');
        if (start != std::wstring::npos && s.text.substr(start) == text) return true;
    }
    return false;
}

// The language file's value of a key, as the studio shows it.
std::wstring FileText(const std::string& lng, const char* section, const char* key)
{
    char buf[1024] = "";
    ::GetPrivateProfileStringA(section, key, "", buf, sizeof(buf), lng.c_str());
    wchar_t wide[1024] = L"";
    ::MultiByteToWideChar(936, 0, buf, -1, wide, 1024);
    return wide;
}

// ---- the wizard, driven from a timer while it runs modally ----

int g_step = 0;
bool g_inStep = false;

struct DialogSearch {
    HWND found, except;
};

BOOL CALLBACK FindDialog(HWND h, LPARAM lp)
{
    DialogSearch* s = (DialogSearch*)lp;
    char cls[16] = "";
    ::GetClassNameA(h, cls, sizeof(cls));
    if (h == s->except || strcmp(cls, "#32770") || !::IsWindowVisible(h)) return TRUE;
    s->found = h;
    return FALSE;
}

// A visible dialog of this thread other than the one given.
HWND FindOwnDialog(HWND except = NULL)
{
    DialogSearch search = {NULL, except};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, (LPARAM)&search);
    return search.found;
}

HWND g_sheet = NULL;

std::vector<std::string> g_unexpected;

void CALLBACK DriveWizard(HWND, UINT, UINT_PTR, DWORD)
{
    // a message box on the way is noted and closed
    HWND box = FindOwnDialog(g_sheet);
    if (box && box != theApp.m_pMainWnd->m_hWnd && ::GetDlgItem(box, 0xFFFF)) {
        g_unexpected.push_back(Narrow(WideText(::GetDlgItem(box, 0xFFFF))));
        ::PostMessageA(box, WM_COMMAND, ::GetDlgItem(box, IDOK) ? IDOK : IDCANCEL, 0);
        return;
    }
    if (g_inStep && g_step != 2 && g_step != 4) return;
    if (g_step == 0) {
        g_sheet = FindOwnDialog(theApp.m_pMainWnd->m_hWnd);
        if (!g_sheet) return;
        g_inStep = true;
        const std::vector<int> sheetButtons = {0x3023, 0x3024, IDCANCEL, IDHELP};  // Back, Next
        NoteWindow("wizard page 1", g_sheet, sheetButtons);
        // a default menu package chosen by a double click, then Next
        HWND page = (HWND)::SendMessageA(g_sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        for (int i = 0; i < 100 && ::SendDlgItemMessageA(page, IDC_DW_PACKLIST, LVM_GETITEMCOUNT, 0, 0) == 0; ++i) {
            ::Sleep(20);
            PumpApp(theApp);
        }
        for (int i = 0; i < 20; ++i) {
            ::Sleep(50);
            PumpApp(theApp);
        }
        NMITEMACTIVATE nm = {};
        nm.hdr.hwndFrom = ::GetDlgItem(page, IDC_DW_PACKLIST);
        nm.hdr.idFrom = IDC_DW_PACKLIST;
        nm.hdr.code = NM_DBLCLK;
        nm.iItem = 0;
        ::SendMessageA(page, WM_NOTIFY, IDC_DW_PACKLIST, (LPARAM)&nm);
        ::SendMessageA(g_sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        PumpApp(theApp);
        page = (HWND)::SendMessageA(g_sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        if (::GetDlgItem(page, IDC_DW_ISOTARGET)) g_step = 1;
        NoteWindow("wizard page 2", g_sheet, sheetButtons);
        // each field's browse button: the target's file dialog, the source's folder browser
        g_step = 2;
        if (CWnd* field = CWnd::FromHandlePermanent(::GetDlgItem(page, IDC_DW_ISOTARGET)))
            static_cast<CFileEditCtrl*>(field)->ButtonClicked();
        g_step = 4;
        if (CWnd* field = CWnd::FromHandlePermanent(::GetDlgItem(page, IDC_DW_ISOSOURCE)))
            static_cast<CFileEditCtrl*>(field)->ButtonClicked();
        g_step = 6;
        ::PostMessageA(g_sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        g_inStep = false;
    } else if (g_step == 2 || g_step == 4) {
        if (!box || box == theApp.m_pMainWnd->m_hWnd) return;
        const int step = g_step++;
        ::Sleep(200);
        PumpApp(theApp);
        // the dialog's own texts but the title, the OK button and the types are the system's
        if (step == 2) {
            Note("ISO file dialog caption", WideText(box));
            Note("ISO file dialog OK", WideText(::GetDlgItem(box, IDOK)));
            HWND types = ::GetDlgItem(box, 0x470);
            const int n = (int)::SendMessageW(types, CB_GETCOUNT, 0, 0);
            for (int i = 0; i < n; ++i) {
                wchar_t item[512] = L"";
                ::SendMessageW(types, CB_GETLBTEXT, i, (LPARAM)item);
                Note("ISO file dialog type", item);
            }
        } else {
            // the browser's caption and buttons are the system's; its texts the field's
            for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                char cls[32] = "";
                ::GetClassNameA(child, cls, sizeof(cls));
                if (::IsWindowVisible(child) && _stricmp(cls, "Static") == 0)
                    Note("source folder dialog #" + std::to_string(::GetDlgCtrlID(child)), WideText(child));
            }
        }
        ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }
}

// ---- the save question ----

void CALLBACK ReadQuestion(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindOwnDialog(theApp.m_pMainWnd->m_hWnd);

    if (!box || !::GetDlgItem(box, 0xFFFF)) return;
    ::KillTimer(NULL, id);
    Note("save question caption", WideText(box));
    Note("save question text", WideText(::GetDlgItem(box, 0xFFFF)));
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

class ScreenTexts : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        g_shown.clear();
        g_step = 0;
        const std::string which = GetParam();
        if (which == "english") {
            // the shipped English file in a program folder of its own
            folder = ProcessTempDir("zavomgr_texts_");
            CreateDirectoryA((folder + "\\language").c_str(), NULL);
            lng = folder + "\\language\\zavomgr.lng";
            ASSERT_TRUE(CopyFileA((WindowsPath(ZAVO_SOURCE_DIR) + "\\language\\english.lng").c_str(), lng.c_str(),
                                  FALSE));
        } else {
            folder = BinDir();
            lng = folder + "\\language\\zavomgr.lng";
        }
        theApp.m_langManager.InitFrom((folder + "\\").c_str(), "Settings");
        ASSERT_TRUE(theApp.m_langManager.IsLoaded());
        CUIControl::SetLangManager(&theApp.m_langManager);
        theApp.m_strAppPath = BinDir().c_str();
        theApp.m_strBinPath = theApp.m_strAppPath + "\\Bin";
        theApp.m_strMenusPath = (WindowsPath(ZAVO_BINARY_DIR) + "\\deploy\\package_fixtures\\wizard").c_str();
        _putenv("ZAVO_NO_MSGBOX=");
        if (!theApp.m_pDocManager) theApp.RegisterTemplate();
        CCommandLineInfo info;
        ASSERT_TRUE(theApp.RunCommandLine(info) && theApp.m_pMainWnd);
        theApp.InstallFrameMenu();
        frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
        ASSERT_TRUE(frame);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        PumpApp(theApp);
        theApp.OnIdle(0);
        PumpApp(theApp);
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd) {
            if (CDocument* doc = frame->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
            theApp.m_pMainWnd->DestroyWindow();
        }
        theApp.m_pMainWnd = NULL;
        PumpApp(theApp);
    }
    bool Chinese() const { return std::string(GetParam()) == "chinese"; }

    std::string folder, lng;
    CMainFrame* frame = NULL;
};

TEST_P(ScreenTexts, MainWindowSaveQuestionWizardAndItsFileDialogsSpeakTheFilesLanguage)
{
    // the main window: caption, menu bar, status bar
    NoteWindow("main window", frame->m_hWnd);
    HMENU menu = ::GetMenu(frame->m_hWnd);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        ::GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        Note("menu " + std::to_string(i), text);
    }
    const CString ready = frame->GetStatusBar().GetPaneText(0);
    wchar_t pane[256] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, ready, -1, pane, 256);
    Note("status bar", pane);
    EXPECT_EQ(pane, FileText(lng, "String", "57345"));

    // the question before a changed project is closed
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_TRUE(doc);
    doc->SetModifiedFlag(TRUE);
    UINT_PTR timer = ::SetTimer(NULL, 0, 50, ReadQuestion);
    EXPECT_FALSE(doc->SaveModified());
    ::KillTimer(NULL, timer);
    doc->SetModifiedFlag(FALSE);
    std::wstring question = FileText(lng, "String", "61699");
    const size_t name = question.find(L"%1");
    ASSERT_NE(name, std::wstring::npos) << "the file's question: " << Narrow(question);
    question.replace(name, 2, FileText(lng, "String", "61443"));
    EXPECT_TRUE(Seen(question)) << Narrow(question);

    // the wizard's two pages and the dialogs of its two path fields
    timer = ::SetTimer(NULL, 0, 50, DriveWizard);
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MULTI_BOOT, 0), 0);
    ::KillTimer(NULL, timer);
    EXPECT_EQ(g_step, 6);
    EXPECT_TRUE(g_unexpected.empty()) << g_unexpected[0];
    EXPECT_TRUE(Seen(FileText(lng, "Dep_Step2_Dlg", "1044")));
    EXPECT_TRUE(Seen(FileText(lng, "Dep_Step1_Dlg", "Title")));
    EXPECT_TRUE(Seen(FileText(lng, "Dep_Step2_Dlg", "1090")));
    EXPECT_TRUE(Seen(FileText(lng, "String", "61450")));
    EXPECT_TRUE(Seen(FileText(lng, "String", "61451")));
    std::wstring filter = FileText(lng, "String", "61449");
    EXPECT_TRUE(Seen(filter.substr(0, filter.find(L'|'))));

    std::vector<std::string> bad = OutsideScript(Chinese());
    EXPECT_TRUE(bad.empty()) << bad.size() << " texts, the first: " << (bad.empty() ? "" : bad[0]);
    for (const std::string& b : bad) ADD_FAILURE() << b;
    ASSERT_GT(g_shown.size(), 40u);
}

INSTANTIATE_TEST_SUITE_P(ShippedFiles, ScreenTexts, ::testing::Values("english", "chinese"));

}  // namespace
