#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>

#include "controls/KeyNameEdit.h"
#include "controls/ProfileEdit.h"
#include "controls/VersionInfo.h"
#include "framework/WinApp.h"

TEST(VersionInfo, ChoosesTheTranslation)
{
    const WORD table[] = {0x0804, 1200, 0x0409, 1200, 0x0000, 1252, 0x0C09, 1252};
    EXPECT_EQ(1, CVersionInfo::ChooseTranslation(table, 4, 0x0409));  // exact
    EXPECT_EQ(0, CVersionInfo::ChooseTranslation(table, 4, 0x0404));  // same primary language
    EXPECT_EQ(2, CVersionInfo::ChooseTranslation(table, 4, 0x0407));  // neutral
    const WORD noNeutral[] = {0x0804, 1200, 0x0C09, 1252};
    EXPECT_EQ(1, CVersionInfo::ChooseTranslation(noNeutral, 2, 0x0407));  // English
    const WORD other[] = {0x0419, 1251, 0x0407, 1252};
    EXPECT_EQ(0, CVersionInfo::ChooseTranslation(other, 2, 0x0411));  // first
    EXPECT_EQ(-1, CVersionInfo::ChooseTranslation(other, 0, 0x0411));
}

TEST(VersionInfo, ReadsThisProgramsResource)
{
    CVersionInfo vi;
    ASSERT_TRUE(vi.ReadFromModule(NULL));
    EXPECT_EQ(VS_FFI_SIGNATURE, vi.GetFixedFileInfo().dwSignature);
    EXPECT_EQ(MAKELONG(1, 2), vi.GetFixedFileInfo().dwFileVersionMS);
    EXPECT_EQ(MAKELONG(9, 7), vi.GetFixedFileInfo().dwFileVersionLS);

    const WORD table[] = {0x0804, 1200, 0x0409, 1200};
    bool chinese = CVersionInfo::ChooseTranslation(table, 2, GetUserDefaultLangID()) == 0;
    if (chinese) {
        EXPECT_EQ(CString("Zavo test (zh)"), vi.GetProductName());
        EXPECT_TRUE(vi.GetCompanyName().IsEmpty());
    } else {
        EXPECT_EQ(CString("Zavo test (en)"), vi.GetProductName());
        EXPECT_EQ(CString("2.1 en"), vi.GetProductVersion());
        EXPECT_EQ(CString("Zavo test company"), vi.GetCompanyName());
        EXPECT_EQ(CString("versioninfo_test.exe"), vi.GetOriginalFileName());
        EXPECT_EQ(CString("special"), vi.GetSpecialBuild());
        EXPECT_TRUE(vi.GetComments().IsEmpty());
        EXPECT_TRUE(vi.GetPrivateBuild().IsEmpty());
    }
}

TEST(VersionInfo, FileWithoutResourceLeavesEverythingEmpty)
{
    CVersionInfo vi;
    ASSERT_TRUE(vi.ReadFromModule(NULL));
    char szPath[MAX_PATH], szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "zvi", 0, szPath);
    FILE* f = fopen(szPath, "wb");
    ASSERT_TRUE(f != NULL);
    fputs("MZ not really a program", f);
    fclose(f);
    EXPECT_FALSE(vi.ReadFromFile(szPath));
    DeleteFileA(szPath);
    for (int i = 0; i < CVersionInfo::StringCount; ++i)
        EXPECT_TRUE(vi.GetString(i).IsEmpty()) << i;
    EXPECT_EQ(0u, vi.GetFixedFileInfo().dwSignature);
    EXPECT_FALSE(vi.ReadFromFile("C:\\no\\such\\file.exe"));
}

namespace {

class EditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, NULL, "ctltest", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CWnd m_parent;
};

// Sends what the keyboard would: key-down, character (if any), key-up.
void PressKey(CWnd& w, UINT vk, UINT scan, UINT ch, bool extended = false)
{
    LPARAM down = 1 | (scan << 16) | (extended ? (1 << 24) : 0);
    LPARAM up = down | (1u << 30) | (1u << 31);
    w.SendMessage(WM_KEYDOWN, vk, down);
    if (ch != 0)
        w.SendMessage(WM_CHAR, ch, down);
    w.SendMessage(WM_KEYUP, vk, up);
}

CString TextOf(CWnd& w)
{
    CString s;
    w.GetWindowText(s);
    return s;
}

}  // namespace

TEST_F(EditTest, KeyNameEditShowsLettersDigitsAndFunctionKeys)
{
    CKeyNameEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 1018));
    PressKey(edit, 'A', 0x1E, 'A');
    EXPECT_EQ(CString("A"), TextOf(edit));
    PressKey(edit, 'A', 0x1E, 'a');
    EXPECT_EQ(CString("a"), TextOf(edit));
    PressKey(edit, '7', 0x08, '7');
    EXPECT_EQ(CString("7"), TextOf(edit));
    PressKey(edit, VK_LEFT, 0x4B, 0, true);  // cursor key: unchanged
    EXPECT_EQ(CString("7"), TextOf(edit));
    PressKey(edit, VK_OEM_COMMA, 0x33, ',');  // punctuation: unchanged
    EXPECT_EQ(CString("7"), TextOf(edit));
    PressKey(edit, VK_F5, 0x3F, 0);
    EXPECT_EQ(CString("F5"), TextOf(edit));
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(2, end);

    edit.SendMessage(WM_SYSKEYDOWN, VK_F10, 1 | (0x44 << 16));
    EXPECT_EQ(CString("F10"), TextOf(edit));
}

TEST_F(EditTest, ProfileEditLoadsAndSavesItsText)
{
    CWinApp app("CtlTestApp");
    app.SetRegistryKey("ZavoControlsTest");
    CProfileEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 100));
    edit.SetWindowText("C:\\work\\boot");
    EXPECT_TRUE(edit.SaveState("Edits", "Path"));
    edit.SetWindowText("other");
    EXPECT_TRUE(edit.LoadState("Edits", "Path"));
    EXPECT_EQ(CString("C:\\work\\boot"), TextOf(edit));

    EXPECT_FALSE(edit.LoadState("", "Path"));
    EXPECT_EQ(CString("C:\\work\\boot"), TextOf(edit));
    EXPECT_TRUE(edit.LoadState("Edits", "Missing"));
    EXPECT_TRUE(TextOf(edit).IsEmpty());
}
