// The two folder pickers: the picker's browse button and the import dialog's
// file dialog turned folder picker.
#include <windows.h>
#include <dlgs.h>

#include "framework/tests/TempDir.h"
#include "templates/DlgExports.h"
#include "templates/FolderBrowser.h"
#include "templates/FolderDialog.h"

#include <thread>
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
            }} +
            std::vector<CDialogDriver::Step>{[&] {
                                                 // OK once the browser shows the start folder: it opens the tree down to it
                                                 HWND hBrowser = FindOwnedBox(dlg.m_hWnd);
                                                 if (hBrowser == NULL || !::IsWindowVisible(hBrowser))
                                                     return false;
                                                 selected = BrowserSelection(hBrowser);
                                                 return selected == "second" && ::PostMessageA(hBrowser, WM_COMMAND, IDOK, 0) != 0;
                                             },
                                             [&] { return FindOwnedBox(dlg.m_hWnd) == NULL; }, [&] {
        listed = ListItems(::GetDlgItem(dlg.m_hWnd, 2008));
        return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0) != 0; }};
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

TEST(PickerBrowse, AChoiceWithoutAPathEmptiesTheFolderAndTheList)
{
    TempDir tmp;
    WriteFile(tmp / "one.gmd", "<GrubMod><Contents>one</Contents></GrubMod>");
    CDlgExports dlg;
    dlg.SetTestPersonPath(tmp.Path());
    dlg.m_pfnHostCallback = QuietHost;
    std::vector<std::string> listedBefore, listedAfter;
    std::string folderAfter, boxText;
    LPITEMIDLIST pidlComputer = NULL;
    ASSERT_EQ(S_OK, ::SHGetSpecialFolderLocation(NULL, CSIDL_DRIVES, &pidlComputer));
    std::vector<CDialogDriver::Step> steps = {
        [&] {
            if (dlg.m_hWnd == NULL || !::IsWindowVisible(dlg.m_hWnd))
                return false;
            listedBefore = ListItems(::GetDlgItem(dlg.m_hWnd, 2008));
            return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(2006, BN_CLICKED),
                                  (LPARAM)::GetDlgItem(dlg.m_hWnd, 2006)) != 0;
        },
        [&] {
            // the computer itself: a choice that is no folder of the file system
            HWND hBrowser = FindOwnedBox(dlg.m_hWnd);
            if (hBrowser == NULL || !::IsWindowVisible(hBrowser) || BrowserSelection(hBrowser).empty())
                return false;
            ::SendMessageA(hBrowser, BFFM_SETSELECTIONA, FALSE, (LPARAM)pidlComputer);
            return ::PostMessageA(hBrowser, WM_COMMAND, IDOK, 0) != 0;
        },
        [&] { return FindOwnedBox(dlg.m_hWnd) == NULL; },
        [&] {
            folderAfter = WindowText(::GetDlgItem(dlg.m_hWnd, 2007));
            listedAfter = ListItems(::GetDlgItem(dlg.m_hWnd, 2008));
            return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0) != 0;
        }};
    steps = steps + AnswerBox(dlg.m_hWnd, &boxText, NULL, IDOK) + std::vector<CDialogDriver::Step>{[&] { return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0) != 0; }};
    CDialogDriver driver(steps, [&] {
        if (HWND hBox = FindOwnedBox(dlg.m_hWnd))
            ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0);
        else if (dlg.m_hWnd)
            ::EndDialog(dlg.m_hWnd, IDABORT);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ::CoTaskMemFree(pidlComputer);
    EXPECT_EQ(std::vector<std::string>{"one"}, listedBefore);
    EXPECT_EQ("", folderAfter);
    EXPECT_TRUE(listedAfter.empty());
    EXPECT_EQ("Pick", boxText);  // the nothing-chosen box, not a read of "\\one.gmd"
    EXPECT_TRUE(dlg.m_strContents.IsEmpty());
}

namespace {

BOOL CALLBACK FindThreadBoxProc(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

}  // namespace

TEST(FolderBrowser, LeavesAThreadWithoutComAsItWas)
{
    HRESULT hrAfter = E_FAIL, hrAgain = E_FAIL;
    int nResult = -1;
    bool shown = false;
    std::thread([&] {
        CFolderBrowser::SetStartFolder("C:\\");
        CFolderBrowser browser;
        browser.SetFlags(BIF_NEWDIALOGSTYLE, 0);
        char szPath[MAX_PATH];
        HWND hBox = NULL;
        CDialogDriver driver({[&] {
                                 ::EnumThreadWindows(::GetCurrentThreadId(), FindThreadBoxProc, (LPARAM)&hBox);
                                 shown = hBox != NULL;
                                 return shown && ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0) != 0;
                             }},
                             [&] {
                                 if (hBox)
                                     ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0);
                             });
        nResult = browser.Browse(NULL, szPath);
        // a thread that never entered an apartment may still choose either
        hrAfter = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
        if (SUCCEEDED(hrAfter))
            ::CoUninitialize();
        // one that did keeps its own
        ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
        browser.Browse(NULL, NULL);
        hrAgain = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
        if (SUCCEEDED(hrAgain))
            ::CoUninitialize();
        ::CoUninitialize();
    }).join();
    EXPECT_TRUE(shown);
    EXPECT_EQ(CFolderBrowser::kCancelled, nResult);
    EXPECT_EQ(S_OK, hrAfter);
    EXPECT_EQ(S_FALSE, hrAgain);
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
    CDialogDriver driver({[&] { return frame() && ::IsWindowVisible(frame()) && FindItem(shellList(), "GroupB") >= 0; },
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
