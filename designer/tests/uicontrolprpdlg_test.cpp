// Property dialog base: folder making, template text sorting, the template
// library's text source, the template picker's profile folder, the file
// picker answered by a timer, and the shared OK, Cancel and Apply steps.
#include "designer/UIControlPrpDlg.h"
#include "designer/LangManager.h"

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
        char name[64];
        snprintf(name, sizeof(name), "PrpDlgTest-%lu", GetCurrentProcessId());
        free((void*)m_pszProfileName);
        m_pszProfileName = _strdup(name);
    }
    ~TestApp()
    {
        CString path;
        path.Format("Software\\Zavo Tests\\%s\\Settings", m_pszProfileName);
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
        path.Format("Software\\Zavo Tests\\%s", m_pszProfileName);
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
    }
};
TestApp theTestApp;

CString TempFolder(LPCTSTR name)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    CString folder;
    folder.Format("%s%s_%lu", tmp, name, GetCurrentProcessId());
    return folder;
}

BOOL IsFolder(const CString& path)
{
    const DWORD attr = GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// Actions run one per tick of a thread timer while a modal loop runs.
std::deque<std::function<void()>> g_steps;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty())
        return;
    std::function<void()> step = g_steps.front();
    g_steps.pop_front();
    step();
}

struct StepRunner {
    UINT_PTR id;
    StepRunner() : id(::SetTimer(NULL, 0, 150, StepTimer)) {}
    ~StepRunner()
    {
        ::KillTimer(NULL, id);
        g_steps.clear();
    }
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") == 0 && ::IsWindowVisible(hWnd)) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The top-level dialog of this thread (a message box, a file dialog).
HWND FindThreadDialog()
{
    HWND found = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, (LPARAM)&found);
    return found;
}

class LangFile {
public:
    explicit LangFile(const char* text) : m_folder(TempFolder("prplang") + "\\")
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

} // namespace

TEST(UIControlPrpDlg, CreateFolderPathMakesEveryFolderBeforeTheLastSeparator)
{
    const CString root = TempFolder("prpfolders");
    const CString file = root + "\\a/b\\c\\picture.png";
    EXPECT_TRUE(CUIControlPrpDlg::CreateFolderPath(file));
    EXPECT_TRUE(IsFolder(root + "\\a\\b\\c"));
    EXPECT_FALSE(IsFolder(root + "\\a\\b\\c\\picture.png"));
    EXPECT_EQ(GetFileAttributesA(root + "\\a\\b\\c\\picture.png"), INVALID_FILE_ATTRIBUTES);
    // existing folders are fine
    EXPECT_TRUE(CUIControlPrpDlg::CreateFolderPath(file));
    EXPECT_TRUE(CUIControlPrpDlg::CreateFolderPath(root + "\\a\\"));

    // a path past 259 characters makes nothing
    CString longPath = root + "\\long\\";
    while (longPath.GetLength() < 270)
        longPath += "x";
    longPath += "\\f";
    EXPECT_FALSE(CUIControlPrpDlg::CreateFolderPath(longPath));
    EXPECT_FALSE(IsFolder(root + "\\long"));
    EXPECT_FALSE(CUIControlPrpDlg::CreateFolderPath(NULL));
    EXPECT_FALSE(CUIControlPrpDlg::CreateFolderPath(""));

    RemoveDirectoryA(root + "\\a\\b\\c");
    RemoveDirectoryA(root + "\\a\\b");
    RemoveDirectoryA(root + "\\a");
    RemoveDirectoryA(root);
}

TEST(UIControlPrpDlg, TemplateTextGivesTitleAndCommands)
{
    CString title, commands;
    CUIControlPrpDlg::ParseTemplateText("Title  Boot Windows\r\nroot (hd0,0)\r\n#comment\r\nchainloader +1", title,
                                        commands);
    EXPECT_EQ(title, CString("Boot Windows"));
    EXPECT_EQ(commands, CString("root (hd0,0)\r\nchainloader +1\r\n"));

    title = "old";
    commands.Empty();
    CUIControlPrpDlg::ParseTemplateText("  kernel /boot/vmlinuz  \nSUBTITLE x\ninitrd # not this\n\n  \nboot\n", title,
                                        commands);
    EXPECT_EQ(title, CString("TLE x"));
    EXPECT_EQ(commands, CString("kernel /boot/vmlinuz\r\nboot\r\n"));

    // a template with missing elements arrives as "null"
    title = "kept";
    commands.Empty();
    CUIControlPrpDlg::ParseTemplateText("null", title, commands);
    EXPECT_EQ(title, CString("kept"));
    EXPECT_EQ(commands, CString("null\r\n"));
}

TEST(UIControlPrpDlg, TemplateCallbackServesTheLanguageFile)
{
    LangFile lng("[String]\r\n4022=No template chosen\r\n[Dlg_GORVANL]\r\nTitle=Templates\r\n5=Folder:\r\n");
    char buffer[260];
    memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "No template chosen");

    // too long for the buffer: untouched
    char small[8];
    memset(small, 'x', sizeof(small));
    CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", small, sizeof(small));
    EXPECT_EQ(std::string(small, sizeof(small)), std::string(8, 'x'));
    // exactly one short of the text with its NUL: untouched too
    char edge[18];
    memset(edge, 'x', sizeof(edge));
    CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", edge, sizeof(edge));
    EXPECT_EQ(std::string(edge, sizeof(edge)), std::string(18, 'x'));
    EXPECT_EQ(CUIControlPrpDlg::TemplateCallback(NULL, 4022, "String", NULL, 260), 0);

    // with a dialog: its caption and controls come from the section
    CWnd dlg;
    ASSERT_TRUE(dlg.CreateEx(0, AfxRegisterWndClass(0), "untranslated", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    HWND label = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 50, 20, dlg.m_hWnd, (HMENU)5, NULL, NULL);
    EXPECT_EQ(CUIControlPrpDlg::TemplateCallback(&dlg, 0, "Dlg_GORVANL", NULL, 0), 0);
    CString text;
    dlg.GetWindowText(text);
    EXPECT_EQ(text, CString("Templates"));
    char labelText[32];
    ::GetWindowTextA(label, labelText, sizeof(labelText));
    EXPECT_STREQ(labelText, "Folder:");
    dlg.DestroyWindow();
}

namespace {

struct FakeLibrary {
    static CString lastFolder;
    static INT_PTR result;
    static CString contents;
    static CString endFolder;
    static INT_PTR Run(LPCTSTR lpszFolder, CString& strContents, CString& strFolder)
    {
        lastFolder = lpszFolder;
        if (result == IDOK) {
            strContents = contents;
            strFolder = endFolder;
        }
        return result;
    }
};
CString FakeLibrary::lastFolder;
INT_PTR FakeLibrary::result = IDCANCEL;
CString FakeLibrary::contents;
CString FakeLibrary::endFolder;

class TestPrpDlg : public CUIControlPrpDlg {
public:
    TestPrpDlg() : CUIControlPrpDlg(900, "TestPrp_Dlg", 1020) {}
    BOOL m_bFail = FALSE;
    int m_nApplies = 0;
    int m_nInits = 0;
    CString m_strCaptionAtInit;
    int m_nCheckAtInit = -2;
    UINT m_nGroupAtInit = 0;

    void InitControls() override
    {
        ++m_nInits;
        GetWindowText(m_strCaptionAtInit);
        m_nCheckAtInit = GetGroupBox().GetCheck();
        m_nGroupAtInit = GetGroupBox().GetGroupId();
        GetGroupBox().SetCheck(BST_UNCHECKED);
    }

protected:
    void OnApply() override
    {
        ++m_nApplies;
        if (m_bFail)
            ApplyFailed();
        else if (m_pControl)
            m_pControl->SetCaption("applied");
    }
};

} // namespace

TEST(UIControlPrpDlg, TemplatePickerUsesAndKeepsTheProfileFolder)
{
    theTestApp.WriteProfileString("Settings", "Cmd Template", "");
    CUIControlPrpDlg::SetTemplateRunner(FakeLibrary::Run);
    TestPrpDlg dlg;
    CString title = "t", commands = "c";

    // without a runner nothing is picked
    CUIControlPrpDlg::SetTemplateRunner(NULL);
    EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    CUIControlPrpDlg::SetTemplateRunner(FakeLibrary::Run);

    FakeLibrary::result = IDCANCEL;
    EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(FakeLibrary::lastFolder, CUIControlPrpDlg::GetDefaultTemplateFolder());
    EXPECT_EQ(FakeLibrary::lastFolder.Right(14), CString("\\Cmd Templates"));
    EXPECT_EQ(title, CString("t"));
    EXPECT_EQ(commands, CString("c"));
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString(""));

    FakeLibrary::result = IDOK;
    FakeLibrary::contents = "title Linux\nkernel /vmlinuz\n";
    FakeLibrary::endFolder = "C:\\Other Templates";
    title.Empty();
    commands.Empty();
    EXPECT_TRUE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(title, CString("Linux"));
    EXPECT_EQ(commands, CString("kernel /vmlinuz\r\n"));
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString("C:\\Other Templates"));

    // the next run starts in the stored folder
    EXPECT_TRUE(dlg.PickCommandTemplate(title, commands));
    EXPECT_EQ(FakeLibrary::lastFolder, CString("C:\\Other Templates"));

    // an empty template text is refused with a message
    FakeLibrary::contents.Empty();
    FakeLibrary::endFolder = "C:\\Third";
    CString boxText;
    {
        StepRunner runner;
        g_steps.push_back([&boxText] {
            HWND box = FindThreadDialog();
            char text[64] = "";
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            boxText = text;
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(dlg.PickCommandTemplate(title, commands));
    }
    EXPECT_EQ(boxText, CString("bad template"));
    EXPECT_EQ(theTestApp.GetProfileString("Settings", "Cmd Template", ""), CString("C:\\Other Templates"));
    CUIControlPrpDlg::SetTemplateRunner(NULL);
}

TEST(UIControlPrpDlg, PickFileTakesThePathChosenInTheDialog)
{
    const CString folder = TempFolder("prppick");
    CreateDirectoryA(folder, NULL);
    const CString file = folder + "\\theme.zmt";
    FILE* f = fopen(file, "wb");
    fputs("x", f);
    fclose(f);

    TestPrpDlg dlg;
    dlg.SetPickFolder(folder);
    CString caption;
    {
        StepRunner runner;
        g_steps.push_back([&caption, &file] {
            HWND box = FindThreadDialog();
            char text[64] = "";
            ::GetWindowTextA(box, text, sizeof(text));
            caption = text;
            ::SetDlgItemTextA(box, 0x47C, file);   // the file name box
            ::SetDlgItemTextA(box, 0x480, file);
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(dlg.PickFile("Choose a theme", CUIControlPrpDlg::PICK_THEME));
    }
    EXPECT_EQ(caption, CString("Choose a theme"));
    EXPECT_EQ(dlg.GetPickedFile().CompareNoCase(file), 0) << (LPCTSTR)dlg.GetPickedFile();

    // cancelled: the last pick stays
    {
        StepRunner runner;
        g_steps.push_back([] { ::PostMessage(FindThreadDialog(), WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(dlg.PickFile("Choose a picture", CUIControlPrpDlg::PICK_PICTURE));
    }
    EXPECT_EQ(dlg.GetPickedFile().CompareNoCase(file), 0);
    DeleteFileA(file);
    RemoveDirectoryA(folder);
}

TEST(UIControlPrpDlg, OkClosesOnlyAfterApplySucceedsAndCancelDropsTheReloadMark)
{
    LangFile lng("[TestPrp_Dlg]\r\nTitle=Translated\r\n");
    CUIControl element;
    TestPrpDlg dlg;
    element.SetPropertyDialog(&dlg, 900);
    EXPECT_EQ(dlg.GetControl(), &element);
    dlg.m_bFail = TRUE;
    element.SetThemeReloadPending(TRUE);

    BOOL openAfterFailedOk = FALSE;
    BOOL editEnabled = TRUE;
    {
        StepRunner runner;
        g_steps.push_back([&dlg] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
        g_steps.push_back([&] {
            openAfterFailedOk = ::IsWindow(dlg.m_hWnd) && dlg.IsWindowVisible();
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
    EXPECT_EQ(dlg.m_nInits, 1);
    EXPECT_EQ(dlg.m_strCaptionAtInit, CString("Translated"));
    EXPECT_EQ(dlg.m_nCheckAtInit, BST_UNCHECKED);
    EXPECT_EQ(dlg.m_nGroupAtInit, 1u);
    EXPECT_FALSE(editEnabled);

    // a second run: OK with a good apply closes at once
    element.SetThemeReloadPending(TRUE);
    element.SetCaption("before");
    {
        StepRunner runner;
        g_steps.push_back([&dlg] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(element.GetCaption(), CString("applied"));
    EXPECT_TRUE(element.IsThemeReloadPending());
    EXPECT_EQ(dlg.m_nInits, 2);
    element.SetPropertyDialog(NULL, 0);
}

TEST(UIControlPrpDlg, ElementsGetTheirDialogFromTheFactoryAndOwnIt)
{
    static int created = 0, destroyed = 0;
    struct CountingEditor : CUIControlEditor {
        CUIControl* control = NULL;
        CWnd* owner = NULL;
        int runs = 0;
        CountingEditor() { ++created; }
        ~CountingEditor() override { ++destroyed; }
        void SetControl(CUIControl* p) override { control = p; }
        void InitControls() override {}
        void SetOwnerWnd(CWnd* p) override { owner = p; }
        INT_PTR DoModal() override { return ++runs, IDOK; }
    };
    CUIControl::SetDialogFactory([](LPCTSTR type, int& id) -> CUIControlEditor* {
        id = 77;
        return strcmp(type, "basic") ? new CountingEditor : NULL;
    });
    struct Element : CUIControl {
        Element() { SetTypeName("static"); CreatePropertyDialog(); }
    };
    {
        Element element;
        CountingEditor* editor = static_cast<CountingEditor*>(element.GetPropertyDialog());
        ASSERT_TRUE(editor);
        EXPECT_EQ(editor->control, &element);
        EXPECT_EQ(element.GetPropertyDialogId(), 77);
        CWnd owner;
        element.ShowProperties(&owner, FALSE);
        EXPECT_EQ(editor->runs, 0);
        element.ShowProperties(&owner, TRUE);
        EXPECT_EQ(editor->runs, 1);
        EXPECT_EQ(editor->owner, &owner);
    }
    EXPECT_EQ(created, 1);
    EXPECT_EQ(destroyed, 1);
    CUIControl::SetDialogFactory(NULL);
    CUIControl plain;
    EXPECT_EQ(plain.GetPropertyDialog(), nullptr);
    plain.ShowProperties(NULL, TRUE);   // no dialog: nothing happens
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
