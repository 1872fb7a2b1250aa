// The studio under Wine on a copy of the sample project, driven by messages
// as a user would: the menu package through its dialog, then File Save. The
// package is read by sample_package_check with readers that are not ours.
#include "designer/app/tests/StudioTestSupport.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A skinned run keeps its outputs beside the unskinned run's, under names with a suffix.
const std::string kMenuName = "SampleTest" + RunSuffix();
const std::string kMovedMenuName = "SampleMoved" + RunSuffix();
const char kDescriptionText[] = "The sample project's boot menu";

// The program folder the studio runs from: the build's, or an installed one.
std::string StudioDir()
{
    const char* dir = getenv("ZAVO_STUDIO_DIR");
    return dir && *dir ? std::string(dir) : BinDir();
}

std::string Text(HWND h)
{
    char buf[512] = "";
    GetWindowTextA(h, buf, sizeof(buf));
    return buf;
}

struct Search {
    DWORD pid;
    int child;  // a control the window must hold; 0 for none
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND h, LPARAM lp)
{
    Search* s = (Search*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && IsWindowVisible(h) && (!s->child || GetDlgItem(h, s->child))) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindTop(DWORD pid, int child)
{
    Search s = {pid, child, NULL};
    EnumWindows(FindTopWindow, (LPARAM)&s);
    return s.found;
}

class SampleStudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* out = getenv("ZAVO_SAMPLE_OUT");
        // two levels under the program folder, as the sample lies, so that its
        // paths to the program's themes hold
        folder = out && *out ? std::string(out) : StudioDir() + "\\Zavo Projects\\" + kMenuName;
        project = folder + "\\Sample.kel";
        original = ReadFile(WindowsPath(ZAVO_SOURCE_DIR "/samples/Sample.kel"));
        ASSERT_NE(original.find("<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>"), std::string::npos);
        RemoveTree(folder);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        // the sample as the build placed it in the program folder
        std::string sample = StudioDir() + "\\Zavo Projects\\Sample\\";
        for (const char* name : {"Sample.kel", "wallpaper.png", "logo.png", "chunk.png"})
            ASSERT_TRUE(CopyFileA((sample + name).c_str(), (folder + "\\" + name).c_str(), FALSE)) << sample + name;
        // started as tools/run.sh starts it: in the project's folder, the project on the command line
        Start(project, folder);
    }

    void Start(const std::string& path, const std::string& currentFolder)
    {
        SetEnvironmentVariableA("ZAVO_EXIT_AFTER", "90000");
        SetStudioSkin();
        SetEnvironmentVariableA("ZAVO_NO_MSGBOX", "1");
        SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
        log = CreateFileA((folder + "\\studio.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                          OPEN_ALWAYS, 0, NULL);
        STARTUPINFOA si = {sizeof(si)};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = log;
        std::string cmd = "\"" + StudioDir() + "\\Zavomgr.exe\" \"" + path + "\"";
        ASSERT_TRUE(CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, 0, NULL, currentFolder.c_str(), &si, &pi));
        WaitForInputIdle(pi.hProcess, 10000);
        ASSERT_TRUE(WaitFor([&] { return (main = FindTop(pi.dwProcessId, 0)) != NULL; }, 20000));
    }

    // Closes the studio and waits for its end.
    void Stop()
    {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
                if (main) PostMessageA(main, WM_CLOSE, 0, 0);
                if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
            }
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            pi = {};
        }
        if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
        log = INVALID_HANDLE_VALUE;
        main = NULL;
    }

    // Makes the menu package through the create-menu dialog.
    void MakePackage(const std::string& name, const std::string& zip)
    {
        SetFileAttributesA(zip.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(zip.c_str());
        ASSERT_FALSE(Exists(zip));
        // Create menu: the dialog is modal, so the command is posted
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_CREATE_MENU, 0), 0);
        HWND dlg = NULL;
        ASSERT_TRUE(WaitFor([&] { return (dlg = FindTop(pi.dwProcessId, IDC_GM_GENERATE)) != NULL; }, 20000)) << StudioLog();
        EXPECT_EQ(GetWindowLongPtrA(dlg, GWLP_HWNDPARENT), (LONG_PTR)main);
        HWND generate = GetDlgItem(dlg, IDC_GM_GENERATE), status = GetDlgItem(dlg, IDC_GM_STATUS);
        ASSERT_TRUE(SetDlgItemTextA(dlg, IDC_GM_NAME, name.c_str()));
        ASSERT_TRUE(SetDlgItemTextA(dlg, IDC_GM_DESCRIPTION, kDescriptionText));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_GM_GENERATE, BN_CLICKED), (LPARAM)generate);

        // busy: the button goes grey and the status speaks; done: the button is back, the status empty
        bool busy = false;
        std::vector<std::string> texts;
        auto done = [&] {
            if (!IsWindowEnabled(generate)) busy = true;
            std::string t = status ? Text(status) : std::string();
            if (!t.empty() && (texts.empty() || texts.back() != t)) texts.push_back(t);
            return IsWindowEnabled(generate) && (busy || Exists(zip)) && (!status || t.empty());
        };
        ASSERT_TRUE(WaitFor(done, 60000)) << StudioLog();
        EXPECT_TRUE(Exists(zip)) << StudioLog();
        EXPECT_FALSE(texts.empty()) << "no status text while the package was made";
        EXPECT_EQ(UnexpectedBoxes().find("[messagebox]"), std::string::npos) << StudioLog();

        // the job's last message pump runs with the inputs back on, and a Cancel
        // that it takes is ignored: the user clicks again
        int clicks = 0;
        ASSERT_TRUE(WaitFor([&] {
            if (!IsWindow(dlg)) return true;
            if (clicks++ % 10 == 0)
                PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
            return false;
        },
                            10000));
    }

    void TearDown() override { Stop(); }

    // The design canvas: the view's only child.
    HWND Canvas() { return GetWindow(GetDlgItem(main, 0xE900), GW_CHILD); }

    // Opens an element's property dialog by a double click at a page point.
    HWND OpenProperties(int x, int y)
    {
        PostDoubleClick(Canvas(), x, y);
        HWND dlg = NULL;
        WaitFor([&] { return (dlg = FindTop(pi.dwProcessId, IDC_PT_APPLY)) != NULL; }, 10000);
        return dlg;
    }

    // The screen's colour at a page point of the canvas.
    COLORREF PagePixel(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(Canvas(), &p);
        HDC screen = GetDC(NULL);
        COLORREF c = GetPixel(screen, p.x, p.y);
        ReleaseDC(NULL, screen);
        return c;
    }

    // Runs a command that opens a file dialog and answers it with the path.
    bool CommandWithFileDialog(UINT id, const std::string& path)
    {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        HWND dlg = NULL;
        if (!WaitFor([&] { return (dlg = FindTop(pi.dwProcessId, IDOK)) != NULL && dlg != main; }, 10000)) return false;
        SetDlgItemTextA(dlg, 0x480, path.c_str());  // edt1
        SetDlgItemTextA(dlg, 0x47C, path.c_str());  // cmb13
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        bool closed = WaitFor([&] { return !IsWindow(dlg); }, 10000);
        SendMessageA(main, WM_NULL, 0, 0);  // the command has returned
        return closed;
    }

    std::string StudioLog() { return ReadFile(folder + "\\studio.log"); }
    // The log without the word that a package was made: any other box is unexpected.
    std::string UnexpectedBoxes()
    {
        char made[512] = "";
        GetPrivateProfileStringA("String", "61498", "", made, sizeof(made),
                                 (StudioDir() + "\\language\\zavomgr.lng").c_str());
        const std::string line = std::string("[messagebox] Zavomgr: ") + made + " -> 1";
        std::string log = StudioLog();
        for (size_t at; made[0] && (at = log.find(line)) != std::string::npos;)
            log.erase(at, line.size());
        return log;
    }

    std::string folder, project, original;
    PROCESS_INFORMATION pi = {};
    HANDLE log = INVALID_HANDLE_VALUE;
    HWND main = NULL;
};

TEST_F(SampleStudio, MakesTheMenuPackageAndSavesTheProjectUnchanged)
{
    // the command line's project comes after the empty one the studio starts with
    WaitFor([&] { return Text(main) == "Sample.kel - Zavo Studio 2008"; }, 10000);
    ASSERT_EQ(Text(main), "Sample.kel - Zavo Studio 2008") << StudioLog();
    EXPECT_EQ(HasWindowRegion(main), SkinnedRun());

    std::string zip = StudioDir() + "\\Kel Menus\\" + kMenuName + ".zip";
    MakePackage(kMenuName, zip);
    if (HasFatalFailure()) return;

    // File Save writes the open project: what is on disk now must go
    std::ofstream(project, std::ios::binary) << "changed on disk";
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
    EXPECT_EQ(ReadFile(project), original);

    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 15000), (DWORD)WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(UnexpectedBoxes().find("[messagebox]"), std::string::npos) << StudioLog();
}

// Each element's property dialog opens on a double click and takes OK: the
// sample's entries and progress bar name the program's own themes.
TEST_F(SampleStudio, EveryElementConfirmsItsPropertiesWithTheShippedThemes)
{
    WaitFor([&] { return Text(main) == "Sample.kel - Zavo Studio 2008"; }, 10000);
    ASSERT_EQ(Text(main), "Sample.kel - Zavo Studio 2008") << StudioLog();
    const POINT kElements[] = {{300, 220}, {300, 276}, {300, 332}, {84, 84}, {450, 60}, {400, 558}};
    for (POINT at : kElements) {
        HWND dlg = OpenProperties(at.x, at.y);
        ASSERT_TRUE(dlg) << at.x << "," << at.y << " " << StudioLog();
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dlg); }, 10000)) << at.x << "," << at.y << " " << StudioLog();
        EXPECT_EQ(UnexpectedBoxes().find("[messagebox]"), std::string::npos) << StudioLog();
        if (IsWindow(dlg))
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
    }
}

// How far apart two colours are, channel by channel.
int Distance(COLORREF a, COLORREF b)
{
    int d = 0;
    for (int shift : {0, 8, 16}) d = std::max(d, std::abs((int)((a >> shift) & 255) - (int)((b >> shift) & 255)));
    return d;
}

// A project saved into another folder keeps its pictures: the wallpaper, the
// logo and the progress chunk load wherever the studio's current folder is.
TEST_F(SampleStudio, SaveAsIntoAnotherFolderKeepsThePictures)
{
    WaitFor([&] { return Text(main) == "Sample.kel - Zavo Studio 2008"; }, 10000);
    ASSERT_EQ(Text(main), "Sample.kel - Zavo Studio 2008") << StudioLog();
    // the pictures' colours as the studio shows them from the sample's own folder
    const POINT kProbes[] = {{400, 12}, {84, 60}, {205, 558}};  // wallpaper, logo, chunk
    COLORREF shown[3];
    // a loaded machine paints late: take the colours once the page is drawn and holds still
    ASSERT_TRUE(WaitFor([&] {
        COLORREF before[3];
        for (int i = 0; i < 3; ++i) before[i] = PagePixel(kProbes[i].x, kProbes[i].y);
        Sleep(300);
        for (int i = 0; i < 3; ++i) {
            shown[i] = PagePixel(kProbes[i].x, kProbes[i].y);
            if (shown[i] != before[i]) return false;
        }
        return shown[0] != 0 && shown[0] != shown[1] && shown[2] != RGB(0xf5, 0xf5, 0xf5);
    },
                        20000));

    // into the folder above, the files lie under the project's folder again
    const std::string parent = folder.substr(0, folder.rfind('\\')), name = folder.substr(folder.rfind('\\') + 1);
    std::string above = parent + "\\SampleAbove" + RunSuffix() + ".kel";
    DeleteFileA(above.c_str());
    ASSERT_TRUE(CommandWithFileDialog(ID_FILE_SAVE_AS, above));
    EXPECT_NE(ReadFile(above).find("<WALLPAPER>" + name + "\\wallpaper.png</WALLPAPER>"), std::string::npos)
        << ReadFile(above);
    // into a folder beside it, they are named in full
    std::string moved = parent + "\\" + kMovedMenuName;
    RemoveTree(moved);
    ASSERT_TRUE(CreateDirectoryA(moved.c_str(), NULL));
    ASSERT_TRUE(CommandWithFileDialog(ID_FILE_SAVE_AS, moved + "\\Sample.kel"));
    std::string text = ReadFile(moved + "\\Sample.kel");
    EXPECT_NE(text.find("<WALLPAPER>" + folder + "\\wallpaper.png</WALLPAPER>"), std::string::npos) << text;
    EXPECT_NE(text.find("<THEMEFILE>" + folder + "\\logo.png</THEMEFILE>"), std::string::npos) << text;
    EXPECT_NE(text.find("<ADDPATH>" + folder + "\\chunk.png</ADDPATH>"), std::string::npos) << text;
    Stop();

    // reopened from the new folder, then from a third one
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (const std::string& current : {moved, std::string(temp)}) {
        Start(moved + "\\Sample.kel", current);
        ASSERT_TRUE(WaitFor([&] { return Text(main) == "Sample.kel - Zavo Studio 2008"; }, 10000)) << StudioLog();
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(WaitFor([&] { return Distance(PagePixel(kProbes[i].x, kProbes[i].y), shown[i]) < 24; }, 20000))
                << current << " probe " << i << ": " << std::hex << PagePixel(kProbes[i].x, kProbes[i].y) << " not "
                << shown[i];
        }
        // the last studio makes the package; sample_moved_package_check reads it
        if (current != moved) MakePackage(kMovedMenuName, StudioDir() + "\\Kel Menus\\" + kMovedMenuName + ".zip");
        Stop();
    }
    EXPECT_EQ(UnexpectedBoxes().find("[messagebox]"), std::string::npos) << StudioLog();
}

}  // namespace
