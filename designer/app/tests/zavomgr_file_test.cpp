// The studio under Wine opens, saves and refuses projects through its File
// menu commands; the file dialogs are answered from this process.
#include "designer/app/tests/StudioTestSupport.h"
#include "designer/app/ProjectFile.h"
#include "designer/model/UIControlList.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const UINT kFileOpen = 0xE101, kFileSave = 0xE103, kFileSaveAs = 0xE104;

std::string TempDir() { return ProcessTempDir("zavomgr_file_"); }

struct Search {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindByClass(HWND h, LPARAM lp)
{
    auto* s = (Search*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[64] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (pid == s->pid && IsWindowVisible(h) && (!s->cls || strcmp(cls, s->cls) == 0)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD pid, const char* cls, HANDLE process)
{
    Search s = {pid, cls, NULL};
    for (int i = 0; i < 200 && !s.found; ++i) {
        EnumWindows(FindByClass, (LPARAM)&s);
        if (!s.found && WaitForSingleObject(process, 50) == WAIT_OBJECT_0) break;
    }
    return s.found;
}

// A running studio with its main window.
class Studio {
public:
    explicit Studio(const std::string& args)
    {
        // the destructor closes it; the studio's timer only ends a run the test lost
        SetEnvironmentVariableA("ZAVO_EXIT_AFTER", "90000");
        SetStudioSkin();
        SetEnvironmentVariableA("ZAVO_NO_MSGBOX", "1");
        std::string cmd = "\"" + BinDir() + "\\Zavomgr.exe\" " + args;
        STARTUPINFOA si = {sizeof(si)};
        if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi_)) return;
        WaitForInputIdle(pi_.hProcess, 5000);
        main_ = WaitForWindow(pi_.dwProcessId, NULL, pi_.hProcess);
    }
    ~Studio()
    {
        if (!pi_.hProcess) return;
        if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    HWND Main() const { return main_; }
    std::string Title() const
    {
        char buf[256] = "";
        GetWindowTextA(main_, buf, sizeof(buf));
        return buf;
    }
    // The frame takes a new title when it is next idle, after the command.
    std::string TitleOnceIdle(const std::string& expected) const
    {
        for (int i = 0; i < 200 && Title() != expected; ++i) Sleep(50);
        return Title();
    }
    // Runs a command and waits until the studio is idle again.
    void Command(UINT id)
    {
        SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // Runs a command that opens a file dialog and answers it with the path.
    bool CommandWithDialog(UINT id, const std::string& path)
    {
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        HWND dlg = WaitForWindow(pi_.dwProcessId, "#32770", pi_.hProcess);
        if (!dlg) return false;
        SetDlgItemTextA(dlg, 0x480, path.c_str());  // edt1
        SetDlgItemTextA(dlg, 0x47C, path.c_str());  // cmb13
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        for (int i = 0; i < 200 && IsWindow(dlg); ++i) Sleep(50);
        SendMessageA(main_, WM_NULL, 0, 0);  // the command has returned
        return !IsWindow(dlg);
    }

private:
    PROCESS_INFORMATION pi_ = {};
    HWND main_ = NULL;
};

const char kLinesProject[] =
    "Zavomgr.Doc.Ver:1.02\r\n"
    "wallpaper:C:\\no\\such\\wall.jpg\r\n"
    "Default:2\r\n"
    "Timeout:30\r\n"
    "SingleGo:1\r\n"
    "paper:800,600;\r\n"
    "button:10,20,110,50,Go,entry1,0,title,cmd\\comma2,,F1,TRUE,false;\r\n"
    "static:5,5,200,40,Hello\\colon world,label,3,,,,,false,false;\r\n";

// What the studio must write for a project file: read and written again.
std::string Expected(const std::string& bytes)
{
    CUIControlList list;
    CProjectSettings settings;
    int code = 0;
    CString error;
    CProjectFile::Read(bytes, list, settings, code, error);
    CString text = CProjectFile::Write(list, settings);
    return std::string((LPCTSTR)text, text.GetLength());
}

TEST(ZavomgrFile, OpensFromTheCommandLineAndSavesThroughTheMenu)
{
    std::string dir = TempDir();
    std::string project = dir + "\\old.kel", copy = dir + "\\copy.kel";
    // a copy left by an earlier process with this id would make the dialog ask
    // whether to replace it, in a box nobody answers
    DeleteFileA(copy.c_str());
    WriteFile(project, kLinesProject);
    std::string expected = Expected(kLinesProject);
    ASSERT_EQ(expected.find("<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
                            "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n"
                            "<WALLPAPER>C:\\no\\such\\wall.jpg</WALLPAPER>\r\n<DEFAULT>2</DEFAULT>\r\n"
                            "<TIMEOUT>30</TIMEOUT>\r\n<SINGLEGO>1</SINGLEGO>\r\n"),
              0u)
        << expected;

    Studio studio("\"" + project + "\"");
    ASSERT_TRUE(studio.Main());
    EXPECT_EQ(studio.TitleOnceIdle("old.kel - Zavo Studio 2008"), "old.kel - Zavo Studio 2008");
    EXPECT_EQ(HasWindowRegion(studio.Main()), SkinnedRun());
    studio.Command(kFileSave);
    EXPECT_EQ(ReadFile(project), expected);  // converted to the current format

    ASSERT_TRUE(studio.CommandWithDialog(kFileSaveAs, copy));
    EXPECT_EQ(studio.TitleOnceIdle("copy.kel - Zavo Studio 2008"), "copy.kel - Zavo Studio 2008");
    EXPECT_EQ(ReadFile(copy), expected);
}

TEST(ZavomgrFile, RefusedProjectIsNeverOverwritten)
{
    std::string dir = TempDir();
    std::string good = dir + "\\good.kel", beta = dir + "\\beta.kel";
    std::string current = Expected(kLinesProject);
    WriteFile(good, current);
    const std::string betaText = "Zavomgr.Doc.Ver:1.01\r\nwallpaper:C:\\x.bmp\r\n";
    WriteFile(beta, betaText);

    Studio studio("\"" + good + "\"");
    ASSERT_TRUE(studio.Main());
    ASSERT_EQ(studio.TitleOnceIdle("good.kel - Zavo Studio 2008"), "good.kel - Zavo Studio 2008");
    ASSERT_TRUE(studio.CommandWithDialog(kFileOpen, beta));
    EXPECT_EQ(studio.Title(), "good.kel - Zavo Studio 2008");
    WriteFile(good, "changed on disk");
    studio.Command(kFileSave);
    EXPECT_EQ(ReadFile(beta), betaText);
    EXPECT_EQ(ReadFile(good), current);  // the project that stayed open
}

}  // namespace
