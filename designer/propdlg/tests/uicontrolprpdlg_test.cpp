// Property dialog base: folder making, the template picker and its texts,
// the file picker answered by a timer, and the shared OK, Cancel and Apply.
#include "designer/app/LangManager.h"
#include "designer/propdlg/UIControlPrpDlg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>

namespace {

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("PrpDlgTest")
    {
        SetRegistryKey("Zavo Tests");
        free((void*)m_pszProfileName);
        m_pszProfileName = _strdup(Name("PrpDlgTest"));
    }
    ~TestApp()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\Zavo Tests\\") + m_pszProfileName + "\\Settings");
        RegDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\Zavo Tests\\") + m_pszProfileName);
    }
    // A name of this process's own, so parallel runs share nothing.
    static CString Name(LPCTSTR base)
    {
        CString s;
        s.Format("%s_%lu", base, GetCurrentProcessId());
        return s;
    }
};
TestApp theTestApp;

CString TempPath(LPCTSTR base)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    return tmp + TestApp::Name(base);
}

// Steps run one per tick of a thread timer while a modal loop runs.
std::deque<std::function<void()>> g_steps;
void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty())
        return;
    std::function<void()> step = g_steps.front();
    g_steps.pop_front();
    step();
}
struct Steps {
    UINT_PTR id = ::SetTimer(NULL, 0, 150, StepTimer);
    ~Steps() { ::KillTimer(NULL, id), g_steps.clear(); }
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !::IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}
// The message box or file dialog this thread shows.
HWND ThreadDialog()
{
    HWND found = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, (LPARAM)&found);
    return found;
}

class LangFile {
public:
    explicit LangFile(const char* text) : m_folder(TempPath("prplang") + "\\")
    {
        CreateDirectoryA(m_folder, NULL);
        CreateDirectoryA(m_folder + "language", NULL);
        FILE* f = fopen(m_folder + "language\\zavomgr.lng", "wb");
        fputs(text, f);
        fclose(f);
        lang.InitFrom(m_folder, "Settings");
        CUIControlPrpDlg::SetLangManager(&lang);
    }
    ~LangFile()
    {
        CUIControlPrpDlg::SetLangManager(NULL);
        DeleteFileA(m_folder + "language\\zavomgr.lng");
        RemoveDirectoryA(m_folder + "language");
        RemoveDirectoryA(m_folder);
    }
    CLangManager lang;

private:
    CString m_folder;
};

class TestPrpDlg : public CUIControlPrpDlg {
public:
    TestPrpDlg() : CUIControlPrpDlg(900, "TestPrp_Dlg", 1020) {}
    BOOL m_bFail = FALSE;
    int m_nApplies = 0;
    CString m_strCaptionAtInit;
    UINT m_nGroupAtInit = 0;

    void InitControls() override
    {
        GetWindowText(m_strCaptionAtInit);
        m_nGroupAtInit = GetGroupBox().GetGroupId();
        GetGroupBox().SetCheck(BST_UNCHECKED);
    }

protected:
    void OnApply() override
    {
        ++m_nApplies;
        if (m_bFail)
            ApplyFailed();
        else
            m_pControl->SetCaption("applied");
    }
};

struct FakeLibrary {
    static CString folder, contents, endFolder;
    static INT_PTR result;
    static INT_PTR Run(LPCTSTR lpszFolder, CString& strContents, CString& strFolder)
    {
        folder = lpszFolder;
        strContents = contents;
        strFolder = endFolder;
        return result;
    }
};
CString FakeLibrary::folder, FakeLibrary::contents, FakeLibrary::endFolder;
INT_PTR FakeLibrary::result = IDCANCEL;

}  // namespace

TEST(UIControlPrpDlg, CreateFolderPathMakesEveryFolderBeforeTheLastSeparator)
{
    const CString root = TempPath("prpfolders");
    EXPECT_TRUE(CUIControlPrpDlg::CreateFolderPath(root + "\\a/b\\picture.png"));
    EXPECT_EQ(GetFileAttributesA(root + "\\a\\b"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(root + "\\a\\b\\picture.png"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(CUIControlPrpDlg::CreateFolderPath(root + "\\a\\b\\other.png"));  // all there already

    CString tooLong = root + "\\long\\" + CString('x', 260) + "\\f";
    EXPECT_FALSE(CUIControlPrpDlg::CreateFolderPath(tooLong));
    EXPECT_EQ(GetFileAttributesA(root + "\\long"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CUIControlPrpDlg::CreateFolderPath(NULL));
    RemoveDirectoryA(root + "\\a\\b");
    RemoveDirectoryA(root + "\\a");
    RemoveDirectoryA(root);
}

TEST(UIControlPrpDlg, TemplatePickerSortsTheTextAndKeepsTheChosenFolder)
{
    LangFile lng("[String]\r\n61522=bad template\r\n");
    theTestApp.WriteProfileString("Settings", "Cmd Template", "");
    CUIControlPrpDlg::SetTemplateRunner(FakeLibrary::Run);
    TestPrpDlg dlg;
    CString title = "t", commands = "c";
    FakeLibrary::result = IDCANCEL;
    EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(FakeLibrary::folder, CUIControlPrpDlg::GetDefaultTemplateFolder());
    EXPECT_EQ(title + commands, CString("tc"));

    FakeLibrary::result = IDOK;
    FakeLibrary::contents = "Title  Boot Windows\r\nroot (hd0,0)\r\n#comment\r\n  \r\nchainloader +1 \nsubtitle x\n"
                            "  # indented comment\r\necho a#b\r\ntitlebar y";
    FakeLibrary::endFolder = "C:\\Other";
    commands.Empty();
    EXPECT_TRUE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(title, CString("Boot Windows"));
    // "subtitle" and "titlebar" are no title lines; '#' inside a line is kept
    EXPECT_EQ(commands, CString("root (hd0,0)\r\nchainloader +1\r\nsubtitle x\r\necho a#b\r\ntitlebar y\r\n"));
    FakeLibrary::contents = "kernel /a\n  TITLE x \n\ttitle\tsecond one";
    commands.Empty();
    EXPECT_TRUE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(title, CString("second one"));  // a later title line wins
    EXPECT_EQ(commands, CString("kernel /a\r\n"));
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString("C:\\Other"));
    EXPECT_TRUE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(FakeLibrary::folder, CString("C:\\Other"));

    // an empty text is refused with a message and stores nothing
    FakeLibrary::contents.Empty();
    FakeLibrary::endFolder = "C:\\Third";
    char boxText[64] = "";
    {
        Steps steps;
        g_steps.push_back([&boxText] {
            ::GetDlgItemTextA(ThreadDialog(), 0xFFFF, boxText, sizeof(boxText));
            ::PostMessage(ThreadDialog(), WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    }
    EXPECT_STREQ(boxText, "bad template");
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString("C:\\Other"));

    // a template without its text reads "null": the same refusal, fields untouched
    FakeLibrary::contents = "null";
    boxText[0] = '\0';
    title = "t", commands = "c";
    {
        Steps steps;
        g_steps.push_back([&boxText] {
            ::GetDlgItemTextA(ThreadDialog(), 0xFFFF, boxText, sizeof(boxText));
            ::PostMessage(ThreadDialog(), WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    }
    EXPECT_STREQ(boxText, "bad template");
    EXPECT_EQ(title + commands, CString("tc"));
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString("C:\\Other"));
    CUIControlPrpDlg::SetTemplateRunner(NULL);
    EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
}

TEST(UIControlPrpDlg, TemplateCallbackServesTheLanguageFile)
{
    LangFile lng("[String]\r\n4022=No template chosen\r\n[Dlg_GORVANL]\r\nTitle=Templates\r\n");
    char buffer[260];
    EXPECT_EQ(CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "No template chosen");
    char small[18];  // one short of the text and its NUL: untouched
    memset(small, 'x', sizeof(small));
    CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", small, sizeof(small));
    EXPECT_EQ(std::string(small, sizeof(small)), std::string(18, 'x'));

    CWnd dlg;
    ASSERT_TRUE(dlg.CreateEx(0, AfxRegisterWndClass(0), "untranslated", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    EXPECT_EQ(CUIControlPrpDlg::TemplateCallback(&dlg, 0, "Dlg_GORVANL", NULL, 0), 0);
    CString text;
    dlg.GetWindowText(text);
    EXPECT_EQ(text, CString("Templates"));
    dlg.DestroyWindow();
}

TEST(UIControlPrpDlg, PickFileTakesThePathChosenInTheDialog)
{
    const CString file = TempPath("prppick.zmt");
    FILE* f = fopen(file, "wb");
    fclose(f);
    TestPrpDlg dlg;
    char caption[64] = "";
    {
        Steps steps;
        g_steps.push_back([&caption, &file] {
            HWND box = ThreadDialog();
            ::GetWindowTextA(box, caption, sizeof(caption));
            ::SetDlgItemTextA(box, 0x47C, file);  // the file name box of either layout
            ::SetDlgItemTextA(box, 0x480, file);
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(dlg.PickFile("Choose a theme", CUIControlPrpDlg::PICK_THEME));
    }
    EXPECT_STREQ(caption, "Choose a theme");
    EXPECT_EQ(dlg.GetPickedFile().CompareNoCase(file), 0) << (LPCTSTR)dlg.GetPickedFile();
    {
        Steps steps;
        g_steps.push_back([] { ::PostMessage(ThreadDialog(), WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(dlg.PickFile("Choose a picture", CUIControlPrpDlg::PICK_PICTURE));
    }
    EXPECT_EQ(dlg.GetPickedFile().CompareNoCase(file), 0);
    DeleteFileA(file);
}

TEST(UIControlPrpDlg, ALongPictureFilterReachesTheDialogWhole)
{
    CString filter = "Pictures|*.bmp;*.png|";
    for (int i = 0; filter.GetLength() < 280; ++i) {
        CString pair;
        pair.Format("Kind %02d (*.k%02d)|*.k%02d|", i, i, i);
        filter += pair;
    }
    filter += "Last kind (*.zz)|*.zz||";
    ASSERT_GE(filter.GetLength(), 300);
    LangFile lng("[String]\r\n61471=" + filter + "\r\n");
    TestPrpDlg dlg;
    char lastType[64] = "";
    {
        Steps steps;
        g_steps.push_back([&lastType] {
            HWND box = ThreadDialog();
            HWND types = ::GetDlgItem(box, 0x470);  // the file type list
            const int n = (int)::SendMessageA(types, CB_GETCOUNT, 0, 0);
            if (n > 0 && ::SendMessageA(types, CB_GETLBTEXTLEN, n - 1, 0) < (LRESULT)sizeof(lastType))
                ::SendMessageA(types, CB_GETLBTEXT, n - 1, (LPARAM)lastType);
            ::PostMessage(box, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_FALSE(dlg.PickFile("Choose a picture", CUIControlPrpDlg::PICK_PICTURE));
    }
    EXPECT_STREQ(lastType, "Last kind (*.zz)");
}

TEST(UIControlPrpDlg, OkClosesOnlyAfterApplySucceedsAndCancelDropsTheReloadMark)
{
    LangFile lng("[TestPrp_Dlg]\r\nTitle=Translated\r\n");
    CUIControl element;
    TestPrpDlg dlg;
    element.SetPropertyDialog(&dlg, 900);
    dlg.m_bFail = TRUE;
    element.SetThemeReloadPending(TRUE);
    BOOL openAfterFailedOk = FALSE, editEnabled = TRUE;
    {
        Steps steps;
        g_steps.push_back([&dlg] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
        g_steps.push_back([&] {
            openAfterFailedOk = dlg.IsWindowVisible();
            editEnabled = ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, 1021));
            dlg.m_bFail = FALSE;
            dlg.SendMessage(WM_COMMAND, 1009, 0);
        });
        g_steps.push_back([&dlg] { dlg.SendMessage(WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_TRUE(openAfterFailedOk);
    EXPECT_EQ(dlg.m_nApplies, 2);
    EXPECT_EQ(element.GetCaption(), CString("applied"));
    EXPECT_FALSE(element.IsThemeReloadPending());
    EXPECT_EQ(dlg.m_strCaptionAtInit, CString("Translated"));
    EXPECT_EQ(dlg.m_nGroupAtInit, 1u);
    EXPECT_FALSE(editEnabled);

    element.SetThemeReloadPending(TRUE);
    {
        Steps steps;
        g_steps.push_back([&dlg] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_TRUE(element.IsThemeReloadPending());
    element.SetPropertyDialog(NULL, 0);
}

TEST(UIControlPrpDlg, ElementsOwnTheDialogTheFactoryMakes)
{
    static int alive = 0;
    struct Editor : CUIControlEditor {
        int runs = 0;
        Editor() { ++alive; }
        ~Editor() override { --alive; }
        void SetControl(CUIControl*) override {}
        void InitControls() override {}
        void SetOwnerWnd(CWnd*) override {}
        INT_PTR DoModal() override { return ++runs; }
    };
    struct Element : CUIControl {
        Element() { SetTypeName("static"), CreatePropertyDialog(); }
    };
    CUIControl::SetDialogFactory([](LPCTSTR, int& id) -> CUIControlEditor* { return id = 77, new Editor; });
    {
        Element element;
        ASSERT_EQ(alive, 1);
        EXPECT_EQ(element.GetPropertyDialogId(), 77);
        element.ShowProperties(NULL, TRUE);
        EXPECT_EQ(static_cast<Editor*>(element.GetPropertyDialog())->runs, 1);
    }
    EXPECT_EQ(alive, 0);
    CUIControl::SetDialogFactory(NULL);
}

// The shell's file dialog may leave a worker thread behind that keeps the
// process from ending; end it once the results are out.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    fflush(stdout);
    fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), (UINT)result);
    return result;
}
