// The template picker through the template library's own dialog: the host's
// texts reach it, and OK hands back the chosen template and the folder.
#include "designer/LangManager.h"
#include "designer/UIControlPrpDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>

namespace {

std::deque<std::function<void()>> g_steps;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty())
        return;
    std::function<void()> step = g_steps.front();
    g_steps.pop_front();
    step();
}

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

HWND FindThreadDialog()
{
    HWND found = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, (LPARAM)&found);
    return found;
}

void WriteFile(const CString& path, const char* text)
{
    FILE* f = fopen(path, "wb");
    ASSERT_TRUE(f);
    fputs(text, f);
    fclose(f);
}

} // namespace

TEST(TemplateImport, LibraryDialogGivesTheChosenTemplateAndItsFolder)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    CString root;
    root.Format("%stplimport_%lu", tmp, GetCurrentProcessId());
    const CString templates = root + "\\templates";
    CreateDirectoryA(root, NULL);
    CreateDirectoryA(root + "\\language", NULL);
    CreateDirectoryA(templates, NULL);
    WriteFile(root + "\\language\\zavomgr.lng", "[Dlg_GORVANL]\r\nTitle=Vorlagen\r\n");
    WriteFile(templates + "\\Linux.gmd",
              "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<GrubMod>\r\n<Author>me</Author>\r\n"
              "<DateTime>2026-01-01</DateTime>\r\n<Description>d</Description>\r\n"
              "<Contents>title Linux\r\nkernel /vmlinuz</Contents>\r\n</GrubMod>\r\n");
    CLangManager lang;
    lang.InitFrom(root + "\\", "Settings");
    CUIControlPrpDlg::SetLangManager(&lang);

    UINT_PTR timer = ::SetTimer(NULL, 0, 150, StepTimer);
    CString caption;
    int items = -1;
    g_steps.push_back([&] {
        HWND dlg = FindThreadDialog();
        char text[64] = "";
        ::GetWindowTextA(dlg, text, sizeof(text));
        caption = text;
        HWND list = ::GetDlgItem(dlg, 2008);
        items = (int)::SendMessage(list, LVM_GETITEMCOUNT, 0, 0);
        LVITEMA item = {};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessage(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
        ::PostMessage(dlg, WM_COMMAND, IDOK, 0);
    });
    CString contents, folder;
    EXPECT_EQ(CUIControlPrpDlg::RunTemplateLibrary(templates, contents, folder), IDOK);
    EXPECT_EQ(caption, CString("Vorlagen"));
    EXPECT_EQ(items, 1);
    EXPECT_NE(contents.Find("kernel /vmlinuz"), -1) << (LPCTSTR)contents;
    EXPECT_EQ(folder, templates);

    // cancelled: nothing comes back
    g_steps.push_back([] { ::PostMessage(FindThreadDialog(), WM_COMMAND, IDCANCEL, 0); });
    CString none, noFolder;
    EXPECT_EQ(CUIControlPrpDlg::RunTemplateLibrary(templates, none, noFolder), IDCANCEL);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(noFolder.IsEmpty());

    ::KillTimer(NULL, timer);
    g_steps.clear();
    CUIControlPrpDlg::SetLangManager(NULL);
    DeleteFileA(templates + "\\Linux.gmd");
    DeleteFileA(root + "\\language\\zavomgr.lng");
    RemoveDirectoryA(templates);
    RemoveDirectoryA(root + "\\language");
    RemoveDirectoryA(root);
}
