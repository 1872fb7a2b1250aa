// The import dialog: template folders copied into the library's folder, the
// result message, the refreshed list and names that cannot leave the folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/tests/TempDir.h"
#include "templates/DlgInportAll.h"
#include "templates/tests/DialogDriver.h"

namespace {

const char kTemplateFolder[] = "\xc4\xa3\xb0\xe5";
const char kLibraryFolder[] = "\xc4\xa3\xb0\xe5\xbf\xe2";
const char kImportedOne[] =
    "\xc4\xe3\xcb\xf9\xd1\xa1\xd4\xf1\xb5\xc4\xc4\xbf\xc2\xbc\xcf\xc2\xb0\xfc\xba\xac\xd3\xd0\xd0\xa7\xb5\xc4"
    "\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd\xa1\xa3\xb3\xc9\xb9\xa6\xb5\xbc\xc8\xeb 1 \xd7\xe9\xca\xfd\xbe\xdd\xa1\xa3";

void WriteFile(const CString& path, const char* text)
{
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(nullptr, f) << (LPCTSTR)path;
    std::fputs(text, f);
    std::fclose(f);
}

std::string ReadFile(const CString& path)
{
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return "<missing>";
    char buf[256];
    size_t n = std::fread(buf, 1, sizeof(buf), f);
    std::fclose(f);
    return std::string(buf, n);
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_lib = m_tmp / "lib";
        m_src = m_tmp / "src";
        ::CreateDirectoryA(m_lib, NULL);
        ::CreateDirectoryA(m_lib + "\\" + kLibraryFolder, NULL);
        ::CreateDirectoryA(m_lib + "\\Old", NULL);
        ::CreateDirectoryA(m_src, NULL);
        ::CreateDirectoryA(m_src + "\\GroupA", NULL);
        ::CreateDirectoryA(m_src + "\\GroupA\\" + kTemplateFolder, NULL);
        WriteFile(m_src + "\\GroupA\\" + kTemplateFolder + "\\a.gmd", "A new");
        WriteFile(m_src + "\\GroupA\\" + kTemplateFolder + "\\b.gmd", "B new");
        ::CreateDirectoryA(m_src + "\\Plain", NULL);
        WriteFile(m_src + "\\Plain\\c.gmd", "C");
        m_dlg.SetTestPersonPath(m_lib);
    }
    CString Imported(const char* group, const char* name) const
    {
        return m_lib + "\\" + group + "\\" + kTemplateFolder + "\\" + name;
    }

    TempDir m_tmp;
    CString m_lib, m_src;
    CDlgInportAll m_dlg;
};

}  // namespace

TEST_F(ImportTest, CopiesTemplateFoldersAndKeepsTemplatesAlreadyThere)
{
    ::CreateDirectoryA(m_lib + "\\GroupA", NULL);
    ::CreateDirectoryA(m_lib + "\\GroupA\\" + kTemplateFolder, NULL);
    WriteFile(Imported("GroupA", "b.gmd"), "B edited");
    m_dlg.m_arrChosenFolders.Add(m_src + "\\GroupA");
    m_dlg.m_arrChosenFolders.Add(m_src + "\\Plain\\");
    m_dlg.m_arrChosenFolders.Add(m_tmp / "missing");
    EXPECT_EQ(1, m_dlg.ImportChosen());
    EXPECT_EQ("A new", ReadFile(Imported("GroupA", "a.gmd")));
    EXPECT_EQ("B edited", ReadFile(Imported("GroupA", "b.gmd")));
    EXPECT_EQ("<missing>", ReadFile(Imported("Plain", "c.gmd")));
}

TEST_F(ImportTest, NamesCannotLeaveTheLibraryFolder)
{
    EXPECT_TRUE(m_dlg.CheckForFdrName("GroupA"));
    for (const char* name : {"", ".", "..", "..\\x", "a/b", "C:x", kLibraryFolder})
        EXPECT_FALSE(m_dlg.CheckForFdrName(name)) << name;
    EXPECT_FALSE(m_dlg.DoInputMen(m_src + "\\GroupA\\", ".."));
    EXPECT_FALSE(m_dlg.DoInputMen(m_src + "\\GroupA\\", "..\\escaped"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_tmp / "escaped"));
    CDlgInportAll noLibrary;
    EXPECT_FALSE(noLibrary.DoInputMen(m_src + "\\GroupA\\", "GroupA"));
}

TEST_F(ImportTest, OkReportsTheCountAndListsTheNewFolder)
{
    m_dlg.m_arrChosenFolders.Add(m_src + "\\GroupA");
    std::vector<std::string> before, after;
    std::string boxText;
    auto items = [this] {
        std::vector<std::string> v;
        HWND hList = ::GetDlgItem(m_dlg.m_hWnd, 1241);
        for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
            char sz[MAX_PATH] = "";
            ListView_GetItemText(hList, i, 0, sz, MAX_PATH);
            v.push_back(sz);
        }
        std::sort(v.begin(), v.end());
        return v;
    };
    CDialogDriver driver({
        [&] {
            if (m_dlg.m_hWnd == NULL || !::IsWindowVisible(m_dlg.m_hWnd))
                return false;
            before = items();
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            HWND hBox = FindOwnedMessageBox(m_dlg.m_hWnd);
            if (hBox == NULL)
                return false;
            boxText = MessageBoxText(hBox);
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (FindOwnedMessageBox(m_dlg.m_hWnd) != NULL)
                return false;
            after = items();
            ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }},
        [&] { if (m_dlg.m_hWnd) ::EndDialog(m_dlg.m_hWnd, IDABORT); });
    ASSERT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ(std::vector<std::string>{"Old"}, before);
    EXPECT_EQ((std::vector<std::string>{"GroupA", "Old"}), after);
    EXPECT_EQ(kImportedOne, boxText);
}

TEST(ImportInfo, IndexTextIsBoundedAndNotAFormat)
{
    CDlgInportAll dlg;
    char szLong[] = "%s%s%n a format that is far longer than thirty-two characters";
    dlg.SetIndexInfo("C:\\lib", "text", szLong);
    EXPECT_EQ(31u, strlen(dlg.m_szIndexText));
    EXPECT_EQ(0, strncmp(dlg.m_szIndexText, szLong, 31));
    EXPECT_STREQ("C:\\lib\\", dlg.m_strIndexFolder);
}
