// The import dialog: template folders copied into the library's folder, the
// result message, the refreshed list and names that cannot leave the folder.
#include "templates/DlgInportAll.h"

#include "framework/tests/TempDir.h"
#include "templates/tests/TestKit.h"

namespace {

const CString kTemplates = "\xc4\xa3\xb0\xe5";
const char kLibraryFolder[] = "\xc4\xa3\xb0\xe5\xbf\xe2";

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_lib = m_tmp / "lib";
        m_src = m_tmp / "src";
        for (const CString& dir : {m_lib, m_lib + "\\" + kLibraryFolder, m_lib + "\\Old", m_src, m_src + "\\GroupA",
                                   m_src + "\\GroupA\\" + kTemplates, m_src + "\\Plain"})
            ::CreateDirectoryA(dir, NULL);
        WriteFile(m_src + "\\GroupA\\" + kTemplates + "\\a.gmd", "A new");
        WriteFile(m_src + "\\GroupA\\" + kTemplates + "\\b.gmd", "B new");
        WriteFile(m_src + "\\Plain\\c.gmd", "C");
        m_dlg.SetTestPersonPath(m_lib);
    }
    CString Imported(const char* group, const char* name) const
    {
        return m_lib + "\\" + group + "\\" + kTemplates + "\\" + name;
    }

    TempDir m_tmp;
    CString m_lib, m_src;
    CDlgInportAll m_dlg;
};

}  // namespace

TEST_F(ImportTest, CopiesTemplateFoldersAndKeepsTemplatesAlreadyThere)
{
    ::CreateDirectoryA(m_lib + "\\GroupA", NULL);
    ::CreateDirectoryA(m_lib + "\\GroupA\\" + kTemplates, NULL);
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
    EXPECT_FALSE(m_dlg.DoInputMen(m_src + "\\GroupA\\", "..\\escaped"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_tmp / "escaped"));
    CDlgInportAll noLibrary;
    EXPECT_FALSE(noLibrary.DoInputMen(m_src + "\\GroupA\\", "GroupA"));

    char szLong[] = "%s%s%n a format that is far longer than thirty-two characters";
    m_dlg.SetIndexInfo("C:\\lib", "text", szLong);
    EXPECT_EQ(0, strncmp(m_dlg.m_szIndexText, szLong, 31));
    EXPECT_EQ(31u, strlen(m_dlg.m_szIndexText));
}

TEST_F(ImportTest, OkReportsTheCountAndListsTheNewFolder)
{
    m_dlg.m_arrChosenFolders.Add(m_src + "\\GroupA");
    std::vector<std::string> before, after;
    std::string text;
    auto list = [this] { return ListItems(::GetDlgItem(m_dlg.m_hWnd, 1241)); };
    std::vector<CDialogDriver::Step> steps = {
        [&] { return m_dlg.m_hWnd && ::IsWindowVisible(m_dlg.m_hWnd); },
        [&] { before = list(); return ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDOK, 0) != 0; }};
    steps = steps + AnswerBox(m_dlg.m_hWnd, &text, NULL, IDOK) + std::vector<CDialogDriver::Step>{[&] { after = list(); return ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0) != 0; }};
    CDialogDriver driver(steps, [&] { if (m_dlg.m_hWnd) ::EndDialog(m_dlg.m_hWnd, IDABORT); });
    ASSERT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ(std::vector<std::string>{"Old"}, before);
    EXPECT_EQ((std::vector<std::string>{"GroupA", "Old"}), after);
    EXPECT_NE(std::string::npos, text.find(" 1 ")) << text;
}
