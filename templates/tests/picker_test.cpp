// The template picker driven by messages: listing, OK, double click, tooltips,
// the host's text service and names that would leave the folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/tests/TempDir.h"
#include "templates/DlgExports.h"
#include "templates/tests/DialogDriver.h"

namespace {

const int kList = 2008;

void WriteFile(const CString& path, const char* text)
{
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(nullptr, f) << (LPCTSTR)path;
    std::fputs(text, f);
    std::fclose(f);
}

std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    int n = ListView_GetItemCount(hList);
    for (int i = 0; i < n; ++i) {
        char sz[MAX_PATH] = "";
        ListView_GetItemText(hList, i, 0, sz, MAX_PATH);
        items.push_back(sz);
    }
    return items;
}

bool SelectItem(HWND hList, const char* name)
{
    std::vector<std::string> items = ListItems(hList);
    auto it = std::find(items.begin(), items.end(), name);
    if (it == items.end())
        return false;
    int i = (int)(it - items.begin());
    ListView_SetItemState(hList, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return true;
}

// The host: translates the dialog's caption and gives texts of its own.
struct Host {
    static inline std::vector<std::string> calls;
    static inline std::string tipFormat = "by %s on %s: %s";
    static int CALLBACK Callback(CWnd* pDlg, UINT nID, LPCSTR lpszSection, LPSTR lpszBuffer, int nSize)
    {
        char szCall[64];
        std::snprintf(szCall, sizeof(szCall), "%s %u %s", pDlg ? "dlg" : "null", nID, lpszSection);
        calls.push_back(szCall);
        if (pDlg != NULL) {
            pDlg->SetWindowText("Command templates");
            return 0;
        }
        std::string text;
        switch (nID) {
        case 4020: text = "Templates"; break;
        case 4021: text = "Choose a folder"; break;
        case 4022: text = "Choose a template first"; break;
        case 4023: text = "Damaged template"; break;
        case 4024: text = tipFormat; break;
        }
        if ((int)text.size() < nSize)
            lstrcpynA(lpszBuffer, text.c_str(), nSize);
        return 0;
    }
};

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Host::calls.clear();
        Host::tipFormat = "by %s on %s: %s";
        m_lib = m_tmp / "lib";
        ASSERT_TRUE(::CreateDirectoryA(m_lib, NULL));
        WriteFile(m_lib + "\\full.gmd",
                  "<GrubMod>\r\n<Author>Ann</Author>\r\n<DateTime>2008</DateTime>\r\n<Description>Full</Description>\r\n"
                  "<Contents>title Full\r\nroot (hd0,0)</Contents>\r\n</GrubMod>\r\n");
        WriteFile(m_lib + "\\nodesc.gmd",
                  "<GrubMod><Author>Bob</Author><DateTime>2009</DateTime><Contents>x</Contents></GrubMod>");
        WriteFile(m_lib + "\\broken.gmd", "<GrubMod><Author>Carl</Author><Contents>y</GrubMod>");
        WriteFile(m_lib + "\\notes.txt", "<GrubMod/>");
        WriteFile(m_lib + "\\.hidden.gmd", "<GrubMod/>");
        ::CreateDirectoryA(m_lib + "\\folder.gmd", NULL);
        WriteFile(m_tmp / "secret.gmd", "<GrubMod><Contents>SECRET</Contents></GrubMod>");
        m_dlg.SetTestPersonPath(m_lib + "\\");
        m_dlg.m_pfnHostCallback = Host::Callback;
    }

    HWND List() const { return ::GetDlgItem(m_dlg.m_hWnd, kList); }
    bool Open() const { return m_dlg.m_hWnd != NULL && ::IsWindowVisible(m_dlg.m_hWnd); }
    std::function<void()> Abort()
    {
        return [this] { if (m_dlg.m_hWnd) ::EndDialog(m_dlg.m_hWnd, IDABORT); };
    }
    std::string InfoTip(const char* name, int nSize)
    {
        std::vector<std::string> items = ListItems(List());
        int i = (int)(std::find(items.begin(), items.end(), name) - items.begin());
        std::vector<char> buffer(nSize + 8, '#');
        NMLVGETINFOTIPA tip = {};
        tip.hdr.hwndFrom = List();
        tip.hdr.idFrom = kList;
        tip.hdr.code = LVN_GETINFOTIPA;
        tip.pszText = buffer.data();
        tip.cchTextMax = nSize;
        tip.iItem = i;
        ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, kList, (LPARAM)&tip);
        EXPECT_EQ('#', buffer[nSize]) << "written past the tooltip buffer";
        return std::string(buffer.data(), strnlen(buffer.data(), nSize));
    }

    TempDir m_tmp;
    CString m_lib;
    CDlgExports m_dlg;
};

}  // namespace

TEST(PickerSamples, ListsTheSampleTemplatesAndOkFillsTheMembers)
{
    CString folder = ZAVO_SOURCE_DIR "/templates/samples";
    folder.Replace('/', '\\');
    CDlgExports dlg;
    dlg.SetTestPersonPath(folder);
    dlg.m_pfnHostCallback = Host::Callback;
    std::vector<std::string> items;
    CDialogDriver driver({
        [&] {
            if (dlg.m_hWnd == NULL)
                return false;
            HWND hList = ::GetDlgItem(dlg.m_hWnd, kList);
            items = ListItems(hList);
            EXPECT_TRUE(SelectItem(hList, "WindowsNT"));
            ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
            return true;
        }},
        [&] { if (dlg.m_hWnd) ::EndDialog(dlg.m_hWnd, IDABORT); });
    ASSERT_EQ(IDOK, dlg.DoModal());
    std::sort(items.begin(), items.end());
    EXPECT_EQ((std::vector<std::string>{"BootISO", "SecondDisk", "WindowsNT"}), items);
    EXPECT_STREQ("WindowsNT.gmd", dlg.m_strFileName);
    EXPECT_STREQ("Zavo", dlg.m_strAuthor);
    EXPECT_STREQ("2008-05-12", dlg.m_strDateTime);
    EXPECT_EQ(0, dlg.m_strDescription.Find("Starts Windows NT"));
    EXPECT_STREQ("title Start Windows NT/2000/XP/2003\nfind --set-root --ignore-floppies /ntldr\nchainloader /ntldr",
                 dlg.m_strContents);
    EXPECT_STREQ(folder, dlg.m_strFolder);
}

TEST_F(PickerTest, ListsOnlyTemplateFilesAndTranslatesTheDialog)
{
    std::vector<std::string> items;
    std::string caption, folderText;
    CDialogDriver driver({
        [&] {
            if (!Open())
                return false;
            items = ListItems(List());
            caption = WindowText(m_dlg.m_hWnd);
            folderText = WindowText(::GetDlgItem(m_dlg.m_hWnd, 2007));
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }}, Abort());
    ASSERT_EQ(IDCANCEL, m_dlg.DoModal());
    std::sort(items.begin(), items.end());
    EXPECT_EQ((std::vector<std::string>{"broken", "full", "nodesc"}), items);
    EXPECT_EQ("Command templates", caption);
    EXPECT_EQ(std::string(m_lib + "\\"), folderText);
    ASSERT_FALSE(Host::calls.empty());
    EXPECT_EQ("dlg 0 Dlg_GORVANL", Host::calls.front());
}

TEST_F(PickerTest, OkWithoutSelectionAsksTheHostAndStaysOpen)
{
    std::string boxText, boxCaption;
    bool stillOpen = false;
    CDialogDriver driver({
        [&] {
            if (!Open())
                return false;
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            HWND hBox = FindOwnedMessageBox(m_dlg.m_hWnd);
            if (hBox == NULL)
                return false;
            boxText = MessageBoxText(hBox);
            boxCaption = WindowText(hBox);
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (FindOwnedMessageBox(m_dlg.m_hWnd) != NULL)
                return false;
            stillOpen = Open();
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }}, Abort());
    ASSERT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ("Choose a template first", boxText);
    EXPECT_EQ("Templates", boxCaption);
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(Host::calls.end(), std::find(Host::calls.begin(), Host::calls.end(), "null 4022 String"));
    EXPECT_NE(Host::calls.end(), std::find(Host::calls.begin(), Host::calls.end(), "null 4020 String"));
}

TEST_F(PickerTest, DoubleClickReadsTheChosenTemplateAndMissingValuesReadNull)
{
    CDialogDriver driver({
        [&] {
            if (!Open())
                return false;
            EXPECT_TRUE(SelectItem(List(), "nodesc"));
            NMITEMACTIVATE act = {};
            act.hdr.hwndFrom = List();
            act.hdr.idFrom = kList;
            act.hdr.code = NM_DBLCLK;
            act.iItem = -1;
            ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, kList, (LPARAM)&act);
            return true;
        }}, Abort());
    ASSERT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("nodesc.gmd", m_dlg.m_strFileName);
    EXPECT_STREQ("Bob", m_dlg.m_strAuthor);
    EXPECT_STREQ("null", m_dlg.m_strDescription);
    EXPECT_STREQ("x", m_dlg.m_strContents);
}

TEST_F(PickerTest, BrokenTemplateAndNameLeavingTheFolderGiveNull)
{
    CDialogDriver driver({
        [&] {
            if (!Open())
                return false;
            EXPECT_TRUE(SelectItem(List(), "broken"));
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDOK, 0);
            return true;
        }}, Abort());
    ASSERT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("Carl", m_dlg.m_strAuthor);
    EXPECT_STREQ("null", m_dlg.m_strContents);

    CDlgExports dlg;
    dlg.SetTestPersonPath(m_lib);
    dlg.m_pfnHostCallback = Host::Callback;
    CDialogDriver driver2({
        [&] {
            if (dlg.m_hWnd == NULL)
                return false;
            HWND hList = ::GetDlgItem(dlg.m_hWnd, kList);
            EXPECT_TRUE(SelectItem(hList, "full"));
            int i = ListView_GetNextItem(hList, -1, LVNI_SELECTED);
            char szName[] = "..\\secret";
            ListView_SetItemText(hList, i, 0, szName);
            ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
            return true;
        }},
        [&] { if (dlg.m_hWnd) ::EndDialog(dlg.m_hWnd, IDABORT); });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("null", dlg.m_strContents);
}

TEST_F(PickerTest, InfoTipShowsTheValuesOrTheDamagedTextWithinTheBuffer)
{
    std::string full, nodesc, cut, hostile;
    CDialogDriver driver({
        [&] {
            if (!Open())
                return false;
            full = InfoTip("full", 260);
            nodesc = InfoTip("nodesc", 260);
            cut = InfoTip("full", 6);
            Host::tipFormat = "%s %d %n %s %s %s %%";
            hostile = InfoTip("full", 260);
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }}, Abort());
    ASSERT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ("by Ann on 2008: Full", full);
    EXPECT_EQ("Damaged template", nodesc);
    EXPECT_EQ("by An", cut);
    EXPECT_EQ("Ann %d %n 2008 Full %s %", hostile);
}

TEST(PickerTexts, WithoutHostTheLibraryUsesItsOwnStrings)
{
    CDlgExports dlg;
    EXPECT_NE('\0', dlg.TranslateString(4024)[0]);
    dlg.m_pfnHostCallback = Host::Callback;
    EXPECT_STREQ("Choose a folder", dlg.TranslateString(4021));
}
