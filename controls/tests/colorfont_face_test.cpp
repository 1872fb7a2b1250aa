#include <gtest/gtest.h>
#include <windows.h>

#include "controls/ColorFont.h"
#include "controls/FontFileName.h"

namespace {

// A write to the Fonts key is seen within this time.
void WaitForTheLook() { ::Sleep(kFontsKeyLookMs + 50); }

}  // namespace

// Registers a YaHei font entry in the prefix's Fonts key for the time of the
// test; this program runs alone so that no other font test sees it.
TEST(ColorFontFace, InstalledYaHeiTakesThePlaceOfTheGivenFace)
{
    const char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const char kValue[] = "Microsoft YaHei & Microsoft YaHei UI (TrueType)";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, NULL, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                                             NULL, &key, NULL));
    DWORD dwType = 0;
    bool existed = RegQueryValueExA(key, kValue, NULL, &dwType, NULL, NULL) == ERROR_SUCCESS;
    if (!existed)
        RegSetValueExA(key, kValue, 0, REG_SZ, (const BYTE*)"msyh.ttc", 9);
    WaitForTheLook();

    CString strExpected = GetACP() == 936 ? "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA" : "Microsoft YaHei";
    EXPECT_EQ(strExpected, CColorFont::ChooseFaceName("Arial"));
    CColorFont font("Tahoma");
    EXPECT_STREQ((LPCTSTR)strExpected, font.GetLogFontData().lfFaceName);
    EXPECT_EQ(-14, font.GetLogFontData().lfHeight);

    if (!existed)
        RegDeleteValueA(key, kValue);
    RegCloseKey(key);
    WaitForTheLook();
    EXPECT_EQ(CString("Arial"), CColorFont::ChooseFaceName("Arial"));
}

// The choice made before the font is installed does not outlive the change
// of the Fonts key, nor the one made while it is installed its removal.
TEST(ColorFontFace, ChoiceFollowsTheFontsKey)
{
    const char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const char kValue[] = "Microsoft YaHei (TrueType)";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, NULL, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                                             NULL, &key, NULL));
    DWORD dwType = 0;
    if (RegQueryValueExA(key, kValue, NULL, &dwType, NULL, NULL) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "the prefix has the font already";
    }
    EXPECT_EQ(CString("Arial"), CColorFont::ChooseFaceName("Arial"));
    EXPECT_EQ(CString("Tahoma"), CColorFont::ChooseFaceName("Tahoma"));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, kValue, 0, REG_SZ, (const BYTE*)"msyh.ttf", 9));
    WaitForTheLook();
    CString strExpected = GetACP() == 936 ? "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA" : "Microsoft YaHei";
    EXPECT_EQ(strExpected, CColorFont::ChooseFaceName("Arial"));
    RegDeleteValueA(key, kValue);
    RegCloseKey(key);
    WaitForTheLook();
    EXPECT_EQ(CString("Arial"), CColorFont::ChooseFaceName("Arial"));
}

// Between writes the key is looked at without a read; each write, and only a
// write, is reported once.
TEST(ColorFontFace, FontsKeyLooksChangedOnceAfterEachWrite)
{
    const char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const char kValue[] = "Zavo Watch Test (TrueType)";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL));
    FontsKeyMayHaveChanged();
    WaitForTheLook();
    EXPECT_FALSE(FontsKeyMayHaveChanged());
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, kValue, 0, REG_SZ, (const BYTE*)"none.ttf", 9));
    WaitForTheLook();
    EXPECT_TRUE(FontsKeyMayHaveChanged());
    EXPECT_FALSE(FontsKeyMayHaveChanged());
    WaitForTheLook();
    EXPECT_FALSE(FontsKeyMayHaveChanged());
    RegDeleteValueA(key, kValue);
    RegCloseKey(key);
    WaitForTheLook();
    EXPECT_TRUE(FontsKeyMayHaveChanged());
}
