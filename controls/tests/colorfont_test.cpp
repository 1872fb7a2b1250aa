#include <gtest/gtest.h>
#include <windows.h>
#include <string>

#include "controls/ColorFont.h"
#include "controls/FontFileName.h"

namespace {

const char kFontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Sets a value in the Fonts key for one test and removes it afterwards.
class FontsValue {
public:
    FontsValue(const std::string& name, const std::string& data) : m_name(name)
    {
        HKEY key;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, NULL, 0,
                                                 KEY_SET_VALUE, NULL, &key, NULL));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                                (const BYTE*)data.c_str(), (DWORD)data.size() + 1));
        RegCloseKey(key);
    }
    ~FontsValue()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, m_name.c_str());
            RegCloseKey(key);
        }
    }

private:
    std::string m_name;
};

bool YaHeiInstalled()
{
    CString v, f;
    return GetFontFileName("\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA", v, f) || GetFontFileName("Microsoft YaHei", v, f);
}

}  // namespace

TEST(ColorFont, DefaultsForAFaceName)
{
    CColorFont font("Arial");
    const LOGFONT& lf = font.GetLogFontData();
    EXPECT_EQ(-14, lf.lfHeight);
    EXPECT_EQ(0, lf.lfWidth);
    EXPECT_EQ(0, lf.lfEscapement);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(0, lf.lfItalic);
    EXPECT_EQ(0, lf.lfUnderline);
    EXPECT_EQ(1, lf.lfCharSet);
    EXPECT_EQ(2, lf.lfQuality);
    EXPECT_EQ(18, lf.lfPitchAndFamily);
    EXPECT_EQ(0u, font.GetColor());
    EXPECT_EQ(1u, font.GetTextFormat());
    EXPECT_EQ(NULL, font.GetBoundDC());
    ASSERT_NE((HGDIOBJ)NULL, font.m_hObject);

    if (!YaHeiInstalled()) {
        EXPECT_STREQ("Arial", lf.lfFaceName);
    }
    LOGFONT made;
    ASSERT_EQ((int)sizeof(LOGFONT), GetObjectA(font.m_hObject, sizeof(made), &made));
    EXPECT_EQ(-14, made.lfHeight);
    EXPECT_STREQ(lf.lfFaceName, made.lfFaceName);
}

TEST(ColorFont, LongFaceNameIsCutToTheField)
{
    std::string longName(80, 'Q');
    CColorFont font(longName.c_str());
    if (YaHeiInstalled())
        return;
    const LOGFONT& lf = font.GetLogFontData();
    EXPECT_EQ(std::string(LF_FACESIZE - 1, 'Q'), std::string(lf.lfFaceName));
    EXPECT_NE((HGDIOBJ)NULL, font.m_hObject);
}

TEST(ColorFont, LogFontRoundTripAndUnterminatedFace)
{
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CColorFont font(lf);
    EXPECT_EQ(0, memcmp(&lf, &font.GetLogFontData(), sizeof(lf)));
    EXPECT_EQ(1u, font.GetTextFormat());

    LOGFONT other = lf;
    other.lfHeight = -9;
    memset(other.lfFaceName, 'Z', LF_FACESIZE);  // no terminator
    ASSERT_TRUE(font.SetLogFont(other));
    LOGFONT back;
    EXPECT_EQ((int)sizeof(LOGFONT), font.GetLogFont(&back));
    EXPECT_EQ(-9, back.lfHeight);
    EXPECT_EQ(std::string(LF_FACESIZE - 1, 'Z'), std::string(back.lfFaceName));
    LOGFONT made;
    ASSERT_EQ((int)sizeof(LOGFONT), GetObjectA(font.m_hObject, sizeof(made), &made));
    EXPECT_EQ(-9, made.lfHeight);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
}

TEST(ColorFont, SetColorUnboundAndBound)
{
    CColorFont font("Arial");
    EXPECT_EQ(RGB(1, 2, 3), font.SetColor(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), font.GetColor());

    HDC dc = CreateCompatibleDC(NULL);
    ASSERT_NE((HDC)NULL, dc);
    SetTextColor(dc, RGB(9, 9, 9));
    font.BindDC(dc);
    EXPECT_EQ(RGB(9, 9, 9), font.SetColor(RGB(200, 0, 0)));
    EXPECT_EQ(RGB(200, 0, 0), GetTextColor(dc));
    EXPECT_EQ(RGB(200, 0, 0), font.GetColor());
    font.BindDC(NULL);
    DeleteDC(dc);
}

TEST(FontFileName, FirstValueBeginningWithTheFaceCaseInsensitive)
{
    FontsValue v("ZavoTestFace Regular (TrueType)", "zavotest.ttf");
    CString name, file;
    ASSERT_TRUE(GetFontFileName("zavotestface", name, file));
    EXPECT_STREQ("ZavoTestFace Regular (TrueType)", (LPCTSTR)name);
    EXPECT_STREQ("zavotest.ttf", (LPCTSTR)file);

    EXPECT_TRUE(GetFontFileName("ZavoTest", name, file));
    EXPECT_FALSE(GetFontFileName("ZavoTestFace Regular (TrueType) and more", name, file));
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_TRUE(file.IsEmpty());
}

TEST(FontFileName, OverlongNamesAndDataAreSkipped)
{
    FontsValue longName("ZavoLongName" + std::string(400, 'n'), "long.ttf");
    FontsValue longData("ZavoLongData (TrueType)", std::string(600, 'd') + ".ttf");
    CString name, file;
    EXPECT_FALSE(GetFontFileName("ZavoLongName", name, file));
    EXPECT_FALSE(GetFontFileName("ZavoLongData", name, file));
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_TRUE(file.IsEmpty());
    EXPECT_FALSE(GetFontFileName("", name, file));
}
