// The two folder pickers: the picker's browse button and the import dialog's
// file dialog turned folder picker.
#include <windows.h>
#include <dlgs.h>

#include "framework/tests/TempDir.h"
#include "templates/DlgExports.h"
#include "templates/FolderDialog.h"
#include "templates/tests/TestKit.h"

namespace {

int CALLBACK QuietHost(CWnd*, UINT, LPCSTR, LPSTR lpszBuffer, int nSize)
{
    if (lpszBuffer != NULL && nSize > 0)
        lstrcpynA(lpszBuffer, "Pick", nSize);
    return 0;
}

BOOL CALLBACK FindTreeProc(HWND hWnd, LPARAM lParam)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The text of the folder the browser has selected.
std::string BrowserSelection(HWND hBrowser)
{
    HWND hTree = NULL;
    ::EnumChildWindows(hBrowser, FindTreeProc, (LPARAM)&hTree);
    HTREEITEM hItem = hTree ? TreeView_GetSelection(hTree) : NULL;
    if (hItem == NULL)
        return "";
    char sz[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = sz;
    item.cchTextMax = MAX_PATH;
    ::SendMessageA(hTree, TVM_GETITEMA, 0, (LPARAM)&item);
    return sz;
}

}  // namespace

TEST(PickerBrowse, CancelKeepsTheFolderAndAChoiceListsTheNewOne)
{
    TempDir tmp;
    CString first = tmp / "first", second = tmp / "second";
    ::CreateDirectoryA(first, NULL);
    ::CreateDirectoryA(second, NULL);
    WriteFile(second + "\\other.gmd", "<GrubMod><Contents>other</Contents></GrubMod>");

    CDlgExports dlg;
    dlg.SetTestPersonPath(first);
    dlg.m_pfnHostCallback = QuietHost;
    std::string afterCancel, selected;
    std::vector<std::string> listed;
    auto click = [&] { return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(2006, BN_CLICKED),
                                             (LPARAM)::GetDlgItem(dlg.m_hWnd, 2006)) != 0; };
    std::vector<CDialogDriver::Step> steps = {
        [&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd) && click(); }};
    steps = steps + AnswerBox(dlg.m_hWnd, NULL, NULL, IDCANCEL) + std::vector<CDialogDriver::Step>{[&] {
        afterCancel = WindowText(::GetDlgItem(dlg.m_hWnd, 2007));
        dlg.m_strStartFolder = second;  // the browser opens on the start folder
        return click();
    }} + std::vector<CDialogDriver::Step>{[&] {
        // OK once the browser shows the start folder: it opens the tree down to it
        HWND hBrowser = FindOwnedBox(dlg.m_hWnd);
        if (hBrowser == NULL || !::IsWindowVisible(hBrowser))
            return false;
        selected = BrowserSelection(hBrowser);
        return selected == "second" && ::PostMessageA(hBrowser, WM_COMMAND, IDOK, 0) != 0;
    }, [&] { return FindOwnedBox(dlg.m_hWnd) == NULL; }, [&] {
        listed = ListItems(::GetDlgItem(dlg.m_hWnd, 2008));
        return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0) != 0;
    }};
    CDialogDriver driver(steps, [&] {
        if (HWND hBrowser = FindOwnedBox(dlg.m_hWnd))
            ::PostMessageA(hBrowser, WM_COMMAND, IDCANCEL, 0);
        else if (dlg.m_hWnd)
            ::EndDialog(dlg.m_hWnd, IDABORT);
    });
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(std::string(first), afterCancel);
    EXPECT_STREQ(second, dlg.m_strFolder) << "browser's selection: " << selected;
    EXPECT_EQ(std::vector<std::string>{"other"}, listed);
}

TEST(FolderDialog, ShowsItsTextsAndOkTakesTheSelectedFolders)
{
    TempDir tmp;
    ::CreateDirectoryA(tmp / "GroupA", NULL);
    ::CreateDirectoryA(tmp / "GroupB", NULL);
    WriteFile(tmp / "file.gmd", "x");
    char szCurrent[MAX_PATH], szAfter[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    CFolderDialog dlg(tmp / "GroupA", "Take", OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_HIDEREADONLY);
    dlg.m_ofn.lpstrTitle = "Folders to import";
    std::string caption, okText, nameText;
    bool typeHidden = false;
    auto frame = [&] { return dlg.m_hWnd ? ::GetParent(dlg.m_hWnd) : NULL; };
    auto shellList = [&] { return ::FindWindowExA(::GetDlgItem(frame(), lst2), NULL, WC_LISTVIEWA, NULL); };
    CDialogDriver driver({
        [&] { return frame() && ::IsWindowVisible(frame()) && FindItem(shellList(), "GroupB") >= 0; },
        [&] {
            caption = WindowText(frame());
            okText = WindowText(::GetDlgItem(frame(), IDOK));
            typeHidden = !::IsWindowVisible(::GetDlgItem(frame(), cmb1));
            return SelectItem(shellList(), "GroupA") && SelectItem(shellList(), "file.gmd") &&
                   SelectItem(shellList(), "GroupB");
        },
        [&] {
            nameText = WindowText(::GetDlgItem(frame(), cmb13));
            return ::PostMessageA(frame(), WM_COMMAND, IDOK, 0) != 0;
        }},
        [&] { if (frame()) ::PostMessageA(frame(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("Folders to import", caption);
    EXPECT_EQ("Take", okText);
    EXPECT_TRUE(typeHidden);
    EXPECT_STREQ(tmp.Path(), dlg.m_strStartFolder);
    ASSERT_EQ(2, dlg.m_arrFolders.GetSize());
    EXPECT_STREQ(tmp / "GroupA", dlg.m_arrFolders[0]);
    EXPECT_STREQ(tmp / "GroupB", dlg.m_arrFolders[1]);
    EXPECT_EQ(3, dlg.m_arrNames.GetSize());
    EXPECT_STREQ("\"GroupA\" \"GroupB\" \"file.gmd\" ", dlg.m_strNamesText);
    EXPECT_EQ(std::string(dlg.m_strNamesText), nameText);
    ::GetCurrentDirectoryA(MAX_PATH, szAfter);
    EXPECT_STREQ(szCurrent, szAfter);
}
