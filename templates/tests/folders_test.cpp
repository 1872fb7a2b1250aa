// The two folder pickers under Wine: the picker's browse button and the
// import dialog's file dialog turned folder picker.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/tests/TempDir.h"
#include "templates/DlgExports.h"
#include "templates/FolderDialog.h"
#include "templates/tests/DialogDriver.h"

namespace {

int CALLBACK QuietHost(CWnd*, UINT, LPCSTR, LPSTR lpszBuffer, int nSize)
{
    if (lpszBuffer != NULL && nSize > 0)
        lstrcpynA(lpszBuffer, "Pick", nSize);
    return 0;
}

std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
        char sz[MAX_PATH] = "";
        ListView_GetItemText(hList, i, 0, sz, MAX_PATH);
        items.push_back(sz);
    }
    return items;
}

}  // namespace

TEST(PickerBrowse, CancelKeepsTheFolderAndAChoiceListsTheNewOne)
{
    TempDir tmp;
    CString first = tmp / "first", second = tmp / "second";
    ::CreateDirectoryA(first, NULL);
    ::CreateDirectoryA(second, NULL);
    FILE* f = std::fopen(second + "\\other.gmd", "wb");
    ASSERT_NE(nullptr, f);
    std::fputs("<GrubMod><Contents>other</Contents></GrubMod>", f);
    std::fclose(f);

    CDlgExports dlg;
    dlg.SetTestPersonPath(first);
    dlg.m_pfnHostCallback = QuietHost;
    std::string afterCancel;
    std::vector<std::string> listed;
    auto browser = [&] { return dlg.m_hWnd ? FindOwnedMessageBox(dlg.m_hWnd) : NULL; };
    auto click = [&] { ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(2006, BN_CLICKED),
                                      (LPARAM)::GetDlgItem(dlg.m_hWnd, 2006)); };
    CDialogDriver driver({
        [&] {
            if (dlg.m_hWnd == NULL || !::IsWindowVisible(dlg.m_hWnd))
                return false;
            click();
            return true;
        },
        [&] {
            HWND hBrowser = browser();
            if (hBrowser == NULL)
                return false;
            ::PostMessageA(hBrowser, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        [&] {
            if (browser() != NULL)
                return false;
            afterCancel = WindowText(::GetDlgItem(dlg.m_hWnd, 2007));
            dlg.m_strStartFolder = second;  // the browser opens on the start folder
            click();
            return true;
        },
        [&] {
            HWND hBrowser = browser();
            if (hBrowser == NULL)
                return false;
            ::PostMessageA(hBrowser, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (browser() != NULL)
                return false;
            listed = ListItems(::GetDlgItem(dlg.m_hWnd, 2008));
            ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }},
        [&] {
            if (HWND hBrowser = browser())
                ::PostMessageA(hBrowser, WM_COMMAND, IDCANCEL, 0);
            else if (dlg.m_hWnd)
                ::EndDialog(dlg.m_hWnd, IDABORT);
        });
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(std::string(first), afterCancel);
    EXPECT_STREQ(second, dlg.m_strFolder);
    EXPECT_EQ(std::vector<std::string>{"other"}, listed);
}

TEST(FolderDialog, ShowsItsTextsAndOkEndsAtOnce)
{
    TempDir tmp;
    ::CreateDirectoryA(tmp / "GroupA", NULL);
    char szCurrent[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);

    CFolderDialog dlg(tmp / "GroupA", "Take",
                      OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_HIDEREADONLY);
    dlg.m_ofn.lpstrTitle = "Folders to import";
    std::string caption, okText;
    bool typeHidden = false;
    CDialogDriver driver({
        [&] {
            HWND hFrame = dlg.m_hWnd ? ::GetParent(dlg.m_hWnd) : NULL;
            if (hFrame == NULL || !::IsWindowVisible(hFrame))
                return false;
            caption = WindowText(hFrame);
            okText = WindowText(::GetDlgItem(hFrame, IDOK));
            typeHidden = !::IsWindowVisible(::GetDlgItem(hFrame, cmb1));
            ::PostMessageA(hFrame, WM_COMMAND, IDOK, 0);
            return true;
        }},
        [&] {
            if (dlg.m_hWnd)
                ::PostMessageA(::GetParent(dlg.m_hWnd), WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("Folders to import", caption);
    EXPECT_EQ("Take", okText);
    EXPECT_TRUE(typeHidden);
    EXPECT_STREQ(tmp.Path(), dlg.m_strStartFolder);
    char szAfter[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szAfter);
    EXPECT_STREQ(szCurrent, szAfter);
}
