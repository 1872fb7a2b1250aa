// The generate dialog driven through the X server (xdotool), as a user's
// mouse and keyboard drive it: a click on the generate button makes the
// package and says so; Escape then closes the dialog. Runs alone: the
// clicks and keys go to the window under the pointer and in the foreground.
#include "designer/genmenu/GenMenuDlg.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/WinThread.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

std::string OutFolder(const char* name)
{
    std::string path = std::string("Z:") + ZAVO_BINARY_DIR + "/designer/genmenu_keys_out/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG peek;
        while (::PeekMessageA(&peek, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        ::Sleep(5);
    }
}

// Starts xdotool with these arguments (the Unix program, through Wine) and
// pumps this thread's messages meanwhile. Wine gives no end of a Unix
// program to wait for: its events have had time to arrive when this returns.
bool XdoTool(const std::string& args, DWORD ms = 1500)
{
    std::string command = "xdotool " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA("Z:\\usr\\bin\\xdotool", &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    PumpFor(ms);
    return true;
}

// The message boxes shown meanwhile: their texts, each answered with OK.
std::vector<std::string> g_boxes;

BOOL CALLBACK FindBox(HWND h, LPARAM lp)
{
    char cls[16] = "";
    ::GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !::IsWindowVisible(h) || !::GetDlgItem(h, 0xFFFF)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, (LPARAM)&box);
    if (!box) return;
    char text[512] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    g_boxes.push_back(text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(GenMenuKeys, GenerateByClickSaysThePackageIsMadeAndEscapeThenCloses)
{
    _putenv("ZAVO_NO_MSGBOX=");
    const std::string menus = OutFolder("Kel Menus");
    ::CreateDirectoryA(OutFolder("").c_str(), NULL);
    ::CreateDirectoryA(menus.c_str(), NULL);
    const std::string zip = menus + "\\Keys.zip";
    ::DeleteFileA(zip.c_str());

    CUIControlList list;
    list.SetPaperSize(640, 480);
    CUIButton* entry = new CUIButton;
    entry->SetRect(100.0, 100.0, 400.0, 140.0);
    entry->SetCaption("Hard disk");
    entry->SetCmdLine("chainloader (hd0,0)+1");
    list.Add(entry);
    CViewCanvas canvas;
    canvas.SetList(&list);
    canvas.SetVesaMode(0x111);

    CGenMenuDlg dlg;
    dlg.m_pControlList = &list;
    dlg.m_pCanvas = &canvas;
    dlg.m_strMenusFolder = menus.c_str();
    ASSERT_TRUE(dlg.Create(IDD_GENMENU, NULL));
    const std::string title = "Generate keys " + std::to_string(::GetCurrentProcessId());
    dlg.SetWindowText(title.c_str());
    dlg.ShowWindow(SW_SHOW);
    dlg.SetDlgItemText(IDC_GM_NAME, "Keys");
    dlg.SetDlgItemText(IDC_GM_DESCRIPTION, "Made by a click");
    ::SetForegroundWindow(dlg.m_hWnd);
    PumpFor(300);

    CRect button;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_GM_GENERATE), &button);
    UINT_PTR timer = ::SetTimer(NULL, 0, 100, AnswerBox);
    // a step aside first: a move with --sync to where the pointer already is waits for ever
    ASSERT_TRUE(XdoTool("mousemove_relative --sync 1 1 mousemove --sync " + std::to_string(button.CenterPoint().x) +
                        " " + std::to_string(button.CenterPoint().y) + " click 1"));
    for (int i = 0; i < 100 && g_boxes.empty(); ++i)
        PumpFor(100);
    ::KillTimer(NULL, timer);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(zip.c_str())) << (LPCTSTR)dlg.GetErrorText();
    ASSERT_EQ(1u, g_boxes.size());
    CString made;
    theApp.m_langManager.LoadString(made, IDS_GM_ZIPPED, TRUE);
    EXPECT_FALSE(made.IsEmpty());
    EXPECT_EQ(std::string((LPCTSTR)made), g_boxes[0]);
    EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));

    ASSERT_TRUE(XdoTool("key Escape"));
    for (int i = 0; i < 30 && ::IsWindowVisible(dlg.m_hWnd); ++i)
        PumpFor(100);
    EXPECT_FALSE(::IsWindowVisible(dlg.m_hWnd));
    dlg.DestroyWindow();
}

}  // namespace
