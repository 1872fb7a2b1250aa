#include "designer/app/LangManager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A profile of its own, so nothing else's settings are touched.
class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("LangManagerTest")
    {
        SetRegistryKey("Zavo Tests");
        // test cases run as parallel processes: each has a profile of its own
        char name[64];
        snprintf(name, sizeof(name), "LangManagerTest-%lu", GetCurrentProcessId());
        free((void*)m_pszProfileName);
        m_pszProfileName = _strdup(name);
    }
    ~TestApp()
    {
        HKEY key = GetAppRegistryKey();
        if (key) {
            RegDeleteKeyA(key, "Settings");
            RegCloseKey(key);
        }
        CString path;
        path.Format("Software\\Zavo Tests\\%s", m_pszProfileName);
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
    }
};
TestApp theTestApp;

class LangManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        m_folder.Format("%slangmgr_%lu\\", tmp, GetCurrentProcessId());
        CreateDirectoryA(m_folder, NULL);
        CreateDirectoryA(m_folder + "language", NULL);
        theTestApp.WriteProfileString("Settings", NULL, NULL);
    }
    void TearDown() override
    {
        DeleteFileA(m_folder + "language\\zavomgr.lng");
        RemoveDirectoryA(m_folder + "language");
        RemoveDirectoryA(m_folder);
        theTestApp.WriteProfileString("Settings", NULL, NULL);
    }
    void WriteLng(const char* text)
    {
        FILE* f = fopen(m_folder + "language\\zavomgr.lng", "wb");
        ASSERT_TRUE(f);
        fputs(text, f);
        fclose(f);
    }
    CString m_folder;
};

const char kLng[] =
    "; comment\r\n"
    "[Global]\r\n"
    "1=OK everywhere\r\n"
    "2=global two\r\n"
    "[About_Dlg]\r\n"
    "Title=About it\r\n"
    "2=\r\n"
    "1001=first control\r\n"
    "65535=never\r\n"
    "4294967295=never\r\n"
    "[String]\r\n"
    "500=one\\ntwo\r\n"
    "501=a\\r\\nb\r\n"
    "[Menu]\r\n"
    "100p=File\r\n"
    "100=New project\r\n"
    "200p=Sub\r\n"
    "200=Deep item\r\n";

TEST_F(LangManagerTest, LookupWithGlobalFallbackAndEmptyValues)
{
    WriteLng(kLng);
    CLangManager lm;
    lm.InitFrom(m_folder, "Settings");
    ASSERT_TRUE(lm.IsLoaded()) << (LPCTSTR)lm.GetLastError();
    EXPECT_STREQ(lm.Lookup("About_Dlg", "1001"), "first control");
    EXPECT_STREQ(lm.Lookup("About_Dlg", "1"), "OK everywhere");
    EXPECT_STREQ(lm.Lookup("About_Dlg", "2"), "");  // present but empty: no fallback
    EXPECT_STREQ(lm.Lookup("Other", "2"), "global two");
    EXPECT_EQ(lm.Lookup("About_Dlg", "999"), nullptr);
    EXPECT_EQ(lm.Lookup("", "1"), nullptr);
}

TEST_F(LangManagerTest, LoadStringResolvesEscapes)
{
    WriteLng(kLng);
    CLangManager lm;
    lm.InitFrom(m_folder, "Settings");
    CString s;
    lm.LoadString(s, 500, TRUE);
    EXPECT_STREQ((LPCTSTR)s, "one \ntwo");
    lm.LoadString(s, 500, FALSE);
    EXPECT_STREQ((LPCTSTR)s, "one\ntwo");
    lm.LoadString(s, 501, TRUE);
    EXPECT_STREQ((LPCTSTR)s, "a\r\nb");
    lm.LoadString(s, 4242, FALSE);  // nowhere: empty
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(LangManagerTest, WithoutFileTheLocalePathIsRecordedAndNothingTranslates)
{
    CLangManager lm;
    lm.InitFrom(m_folder, "Settings");
    EXPECT_FALSE(lm.IsLoaded());
    EXPECT_NE(lm.GetLastError().Find("Unable to open file: \""), -1);
    CString saved = theTestApp.GetProfileString("Settings", "Default Language", "N/A");
    EXPECT_EQ(saved, lm.GetFilePath());
    EXPECT_EQ(saved.Find(m_folder + "language\\"), 0);
    EXPECT_EQ(saved.Right(4), CString(".ini"));
    EXPECT_EQ(lm.Lookup("Global", "1"), nullptr);

    // a Default Language naming a readable file is taken, but not translated from
    WriteLng(kLng);
    CString other = m_folder + "language\\zavomgr.lng";
    theTestApp.WriteProfileString("Settings", "Default Language", other);
    CString folder2 = m_folder + "nowhere\\";
    CLangManager lm2;
    lm2.InitFrom(folder2, "Settings");
    EXPECT_FALSE(lm2.IsLoaded());
    EXPECT_EQ(lm2.GetFilePath(), other);
}

TEST_F(LangManagerTest, TranslatesDialogControlsWithIds)
{
    WriteLng(kLng);
    CLangManager lm;
    lm.InitFrom(m_folder, "About_Dlg");
    HWND dlg = CreateWindowExA(0, "STATIC", "caption", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(dlg);
    HWND a = CreateWindowExA(0, "STATIC", "old", WS_CHILD, 0, 0, 10, 10, dlg, (HMENU)1001, NULL, NULL);
    HWND b = CreateWindowExA(0, "STATIC", "keep", WS_CHILD, 0, 0, 10, 10, dlg, (HMENU)65535, NULL, NULL);
    HWND c = CreateWindowExA(0, "STATIC", "empty", WS_CHILD, 0, 0, 10, 10, dlg, (HMENU)2, NULL, NULL);
    // a static text without an id in an extended dialog template
    HWND d = CreateWindowExA(0, "STATIC", "keep", WS_CHILD, 0, 0, 10, 10, dlg, (HMENU)-1, NULL, NULL);
    lm.TranslateDialog(dlg, "About_Dlg");
    char buf[64];
    GetWindowTextA(a, buf, 64);
    EXPECT_STREQ(buf, "first control");
    GetWindowTextA(b, buf, 64);
    EXPECT_STREQ(buf, "keep");
    GetWindowTextA(c, buf, 64);
    EXPECT_STREQ(buf, "empty");
    GetWindowTextA(d, buf, 64);
    EXPECT_STREQ(buf, "keep");
    GetWindowTextA(dlg, buf, 64);
    EXPECT_STREQ(buf, "About it");
    DestroyWindow(dlg);
}

TEST_F(LangManagerTest, TranslatesMenuAndSubmenus)
{
    WriteLng(kLng);
    CLangManager lm;
    lm.InitFrom(m_folder, "About_Dlg");
    char buf[64];
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 200, "deep");
    AppendMenuA(file, MF_STRING, 100, "new");
    AppendMenuA(file, MF_POPUP, (UINT_PTR)sub, "sub");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)file, "file");
    lm.TranslatePlainMenu(bar, "Menu");
    GetMenuStringA(bar, 0, buf, 64, MF_BYPOSITION);
    EXPECT_STREQ(buf, "File");
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    GetMenuStringA(file, 100, buf, 64, MF_BYCOMMAND);
    EXPECT_STREQ(buf, "New project");
    GetMenuStringA(file, 1, buf, 64, MF_BYPOSITION);
    EXPECT_STREQ(buf, "Sub");
    GetMenuStringA(sub, 200, buf, 64, MF_BYCOMMAND);
    EXPECT_STREQ(buf, "Deep item");
    DestroyMenu(bar);
}

}  // namespace
