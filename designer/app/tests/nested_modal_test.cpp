// The studio under Wine on a copy of the sample, driven by messages: a
// dialog opened from a running modal dialog (font, colour, file, template,
// folder, capture dialogs, the colour picker and message boxes) hands the
// user back to that dialog when it closes. The main window stays disabled,
// so keys meant for the canvas change nothing, and the project saves as it was.
#include "designer/app/tests/StudioTestSupport.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    DWORD pid;
    HWND skip[3];
    int child;
    HWND found;
};

// The topmost visible window of the studio that is none of the skipped ones
// (and holds the given control, when one is named).
BOOL CALLBACK FindTopWindow(HWND h, LPARAM lp)
{
    Search* s = (Search*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[32] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (pid != s->pid || !IsWindowVisible(h) || !strcmp(cls, "tooltips_class32")) return TRUE;
    for (HWND skip : s->skip)
        if (h == skip) return TRUE;
    if (s->child && !GetDlgItem(h, s->child)) return TRUE;
    s->found = h;
    return FALSE;
}

struct Listing {
    DWORD pid;
    std::string text;
};

BOOL CALLBACK ListWindow(HWND h, LPARAM lp)
{
    Listing* l = (Listing*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != l->pid || !IsWindowVisible(h)) return TRUE;
    char cls[32] = "", title[64] = "", line[160];
    GetClassNameA(h, cls, sizeof(cls));
    GetWindowTextA(h, title, sizeof(title));
    snprintf(line, sizeof(line), "\n  %p %s \"%s\"%s", (void*)h, cls, title, IsWindowEnabled(h) ? "" : " (disabled)");
    l->text += line;
    return TRUE;
}

class NestedModal : public ::testing::Test {
protected:
    void SetUp() override
    {
        // two levels under the program folder, so that the sample's theme paths hold
        folder = BinDir() + "\\Zavo Projects\\NestedTest";
        CreateDirectoryA(folder.c_str(), NULL);
        std::string sample = BinDir() + "\\Zavo Projects\\Sample\\";
        for (const char* name : {"Sample.kel", "wallpaper.png", "logo.png", "chunk.png"})
            ASSERT_TRUE(CopyFileA((sample + name).c_str(), (folder + "\\" + name).c_str(), FALSE)) << sample + name;
        project = folder + "\\Sample.kel";
        original = ReadFile(project);
        SetEnvironmentVariableA("ZAVO_EXIT_AFTER", "90000");
        SetEnvironmentVariableA("ZAVO_NO_SKIN", "1");
        SetEnvironmentVariableA("ZAVO_NO_MSGBOX", "0");  // real message boxes, answered here
        std::string cmd = "\"" + BinDir() + "\\Zavomgr.exe\" \"" + project + "\"";
        STARTUPINFOA si = {sizeof(si)};
        ASSERT_TRUE(CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &pi));
        WaitForInputIdle(pi.hProcess, 10000);
        ASSERT_TRUE(WaitFor([&] { return (main = Top(NULL, NULL, 0)) != NULL; }, 20000));
        ASSERT_TRUE(WaitFor([&] { return Title() == "Sample.kel - Zavo Studio 2008"; }, 10000)) << Title();
    }
    void TearDown() override
    {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
            // whatever is still open is cancelled, then the studio closed unsaved
            for (int i = 0; i < 5; ++i)
                if (HWND top = Top(main, NULL, 0)) PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
            Sleep(200);
            TerminateProcess(pi.hProcess, 0);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }

    std::string Title()
    {
        char buf[256] = "";
        GetWindowTextA(main, buf, sizeof(buf));
        return buf;
    }
    HWND Top(HWND skip1, HWND skip2, int child, HWND skip3 = NULL)
    {
        Search s = {pi.dwProcessId, {skip1, skip2, skip3}, child, NULL};
        EnumWindows(FindTopWindow, (LPARAM)&s);
        return s.found;
    }
    // The studio's visible top-level windows, front first, for failure messages.
    std::string Windows()
    {
        Listing l = {pi.dwProcessId, ""};
        EnumWindows(ListWindow, (LPARAM)&l);
        return l.text;
    }
    HWND Canvas() { return GetWindow(GetDlgItem(main, 0xE900), GW_CHILD); }

    // Opens an element's property dialog by a double click at a page point.
    HWND OpenProperties(int x, int y)
    {
        PostDoubleClick(Canvas(), x, y);
        HWND dlg = NULL;
        WaitFor([&] { return (dlg = Top(main, NULL, IDC_PT_APPLY)) != NULL; }, 10000);
        return dlg;
    }

    // Presses a button of `outer` that opens another window and returns it.
    HWND OpenInner(HWND outer, int button)
    {
        PostMessageA(outer, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(outer, button));
        HWND inner = NULL;
        WaitFor([&] { return (inner = Top(main, outer, 0)) != NULL; }, 10000);
        return inner;
    }

    // Closes an inner window with a command (or a key) and waits until it is gone.
    bool CloseInner(HWND inner, UINT command)
    {
        if (command == VK_ESCAPE)
            PostMessageA(inner, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        else
            PostMessageA(inner, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), (LPARAM)GetDlgItem(inner, command));
        return WaitFor([&] { return !IsWindow(inner) || !IsWindowVisible(inner); }, 10000);
    }

    // After a nested window closed: the outer dialog has the user again, the
    // main window stays disabled, and keys sent to the canvas change nothing.
    void ExpectOuterHolds(HWND outer, const char* what)
    {
        SendMessageTimeoutA(outer, WM_NULL, 0, 0, SMTO_NORMAL, 5000, NULL);
        EXPECT_TRUE(IsWindow(outer)) << what;
        EXPECT_FALSE(IsWindowEnabled(main)) << what;
        EXPECT_TRUE(IsWindowEnabled(outer)) << what;
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == outer; }, 3000))
            << what << ": foreground " << GetForegroundWindow() << ", dialog " << outer << Windows();
        HWND canvas = Canvas();
        PostMessageA(canvas, WM_KEYDOWN, VK_DELETE, 0x01530001);
        PostMessageA(canvas, WM_KEYUP, VK_DELETE, 0xC1530001);
        PostMessageA(canvas, WM_KEYDOWN, VK_CONTROL, 0x001D0001);
        PostMessageA(canvas, WM_KEYDOWN, 'X', 0x002D0001);
        PostMessageA(canvas, WM_KEYUP, 'X', 0xC02D0001);
        PostMessageA(canvas, WM_KEYUP, VK_CONTROL, 0xC01D0001);
        SendMessageTimeoutA(outer, WM_NULL, 0, 0, SMTO_NORMAL, 5000, NULL);
        Sleep(200);
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), (DWORD)WAIT_TIMEOUT) << what << ": the studio died";
    }

    // Cancels the property dialog and saves: the project is what it was.
    void ExpectProjectUnchanged(HWND outer)
    {
        ASSERT_EQ(WaitForSingleObject(pi.hProcess, 0), (DWORD)WAIT_TIMEOUT) << "the studio died";
        if (outer && IsWindow(outer)) ASSERT_TRUE(CloseInner(outer, IDCANCEL));
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main); }, 5000));
        WriteFile(project, "changed on disk");
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0, SMTO_NORMAL, 10000, &result);
        EXPECT_EQ(ReadFile(project), original);
    }

    std::string folder, project, original;
    PROCESS_INFORMATION pi = {};
    HWND main = NULL;
};

const POINT kEntry = {300, 220}, kLogo = {84, 84}, kProgress = {400, 558};

TEST_F(NestedModal, FontColourFileAndTemplateDialogsOfAnEntry)
{
    HWND dlg = OpenProperties(kEntry.x, kEntry.y);
    ASSERT_TRUE(dlg);
    struct Step {
        int button;
        UINT close;
        const char* what;
    };
    const Step kSteps[] = {{IDC_PT_FONT, IDOK, "font dialog, OK"},
                           {IDC_PT_FONT, IDCANCEL, "font dialog, Cancel"},
                           {IDC_PT_COLOR, IDOK, "colour dialog, OK"},
                           {IDC_PT_THEMEPICK, IDCANCEL, "theme file dialog, Cancel"},
                           {IDC_PT_TEMPLATE, IDCANCEL, "template picker, Cancel"}};
    for (const Step& step : kSteps) {
        HWND inner = OpenInner(dlg, step.button);
        ASSERT_TRUE(inner) << step.what << Windows();
        EXPECT_FALSE(IsWindowEnabled(dlg)) << step.what << ": the property dialog takes input under it";
        ASSERT_TRUE(CloseInner(inner, step.close)) << step.what;
        ExpectOuterHolds(dlg, step.what);
    }
    ExpectProjectUnchanged(dlg);
}

TEST_F(NestedModal, FolderBrowserOverTheTemplatePicker)
{
    HWND dlg = OpenProperties(kEntry.x, kEntry.y);
    ASSERT_TRUE(dlg);
    HWND picker = OpenInner(dlg, IDC_PT_TEMPLATE);
    ASSERT_TRUE(picker);
    PostMessageA(picker, WM_COMMAND, MAKEWPARAM(2006, BN_CLICKED), (LPARAM)GetDlgItem(picker, 2006));
    HWND browser = NULL;
    ASSERT_TRUE(WaitFor([&] { return (browser = Top(main, picker, 0, dlg)) != NULL; }, 10000));
    ASSERT_TRUE(CloseInner(browser, IDCANCEL));
    ExpectOuterHolds(picker, "folder browser over the template picker");
    EXPECT_FALSE(IsWindowEnabled(dlg));
    ASSERT_TRUE(CloseInner(picker, IDCANCEL));
    ExpectOuterHolds(dlg, "template picker after its folder browser");
    ExpectProjectUnchanged(dlg);
}

TEST_F(NestedModal, MessageBoxOfARefusedEntry)
{
    HWND dlg = OpenProperties(kEntry.x, kEntry.y);
    ASSERT_TRUE(dlg);
    SetDlgItemTextA(dlg, IDC_PT_CAPTION, "");
    HWND box = OpenInner(dlg, IDC_PT_APPLY);
    ASSERT_TRUE(box);
    EXPECT_TRUE(GetDlgItem(box, 0xFFFF)) << "a message box";
    ASSERT_TRUE(CloseInner(box, IDOK));
    ExpectOuterHolds(dlg, "message box");
    ExpectProjectUnchanged(dlg);
}

TEST_F(NestedModal, CaptureAndPictureDialogOfThePicture)
{
    HWND dlg = OpenProperties(kLogo.x, kLogo.y);
    ASSERT_TRUE(dlg);
    HWND capture = OpenInner(dlg, IDC_PT_CAPTURE);
    ASSERT_TRUE(capture);
    ASSERT_TRUE(CloseInner(capture, IDCANCEL));
    // the capture hides the main window while it runs
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main); }, 5000));
    ExpectOuterHolds(dlg, "screen capture");
    HWND picker = OpenInner(dlg, IDC_PT_HOVERPICK);
    ASSERT_TRUE(picker);
    ASSERT_TRUE(CloseInner(picker, IDCANCEL));
    ExpectOuterHolds(dlg, "hover picture file dialog");
    ExpectProjectUnchanged(dlg);
}

TEST_F(NestedModal, ColourPickerOfTheProgressBar)
{
    HWND dlg = OpenProperties(kProgress.x, kProgress.y);
    ASSERT_TRUE(dlg);
    HWND popup = OpenInner(dlg, IDC_PT_COLOR);
    ASSERT_TRUE(popup);
    ASSERT_TRUE(CloseInner(popup, VK_ESCAPE));
    ExpectOuterHolds(dlg, "colour picker");
    ExpectProjectUnchanged(dlg);
}

TEST_F(NestedModal, MessageBoxOfThePasswordDialog)
{
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_TOOL_GRUBMD5, 0), 0);
    HWND dlg = NULL;
    ASSERT_TRUE(WaitFor([&] { return (dlg = Top(main, NULL, IDC_MD5_MAKE)) != NULL; }, 10000));
    HWND box = OpenInner(dlg, IDC_MD5_MAKE);  // no password: the dialog says so
    ASSERT_TRUE(box);
    ASSERT_TRUE(CloseInner(box, IDOK));
    ExpectOuterHolds(dlg, "password dialog's message");
    ASSERT_TRUE(CloseInner(dlg, IDCANCEL));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && GetForegroundWindow() == main; }, 5000));
    ExpectProjectUnchanged(NULL);
}

}  // namespace
