#include "designer/model/ThemeFileReader.h"
#include "designer/model/ThemeSettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
std::string Fixture(const char* name)
{
    std::string path = std::string(ZAVO_BINARY_DIR) + "/designer/theme_fixtures/" + name;
#ifdef _WIN32
    path = "Z:" + path;  // the fixtures are made natively, on Wine's drive Z:
#endif
    return path;
}

// Keeps what it was handed; a picture "decodes" when it starts with "BM".
class RecordingReader : public CThemeImageReader {
public:
    explicit RecordingReader(CThemeSettings::Kind kind) : CThemeImageReader(kind), parses(0) {}
    std::string images[CThemeSettings::IMAGE_COUNT];
    int margins[CThemeSettings::IMAGE_COUNT][4] = {};
    int parses;

    virtual BOOL ParseTheme(char* text)
    {
        ++parses;
        return CThemeImageReader::ParseTheme(text);
    }

protected:
    virtual BOOL LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                int left, int top, int right, int bottom)
    {
        if (size < 2 || data[0] != 'B' || data[1] != 'M')
            return FALSE;
        images[index].assign((const char*)data, size);
        int m[4] = {left, top, right, bottom};
        for (int i = 0; i < 4; ++i)
            margins[index][i] = m[i];
        return TRUE;
    }
};

CThemeSettings Parsed(const char* text, CThemeSettings::Kind kind = CThemeSettings::MENU_THEME)
{
    CThemeSettings settings(kind);
    settings.Parse(text);
    return settings;
}
}  // namespace

TEST(ThemeText, SplitsCrLfAndLfLinesAndCutsTrailingBlanks)
{
    std::vector<CString> lines;
    ThemeText::SplitLines("a \t\r\nb\r\n\r\nc", lines);
    ASSERT_EQ(4u, lines.size());
    EXPECT_STREQ("a", lines[0]);
    EXPECT_STREQ("b", lines[1]);
    EXPECT_STREQ("", lines[2]);
    EXPECT_STREQ("c", lines[3]);

    ThemeText::SplitLines("x\ny\n", lines);
    ASSERT_EQ(2u, lines.size());
    EXPECT_STREQ("y", lines[1]);

    ThemeText::SplitLines("", lines);
    ASSERT_EQ(1u, lines.size());
    EXPECT_STREQ("", lines[0]);
}

TEST(ThemeText, LfLinesBeforeALaterCrStayOneLine)
{
    std::vector<CString> lines;
    ThemeText::SplitLines("a\nb\rc\nd", lines);
    ASSERT_EQ(3u, lines.size());
    EXPECT_STREQ("a\nb", lines[0]);
    EXPECT_STREQ("c", lines[1]);
    EXPECT_STREQ("d", lines[2]);
    // More counted lines than the text holds: the rest are empty, nothing is read past the end.
    ThemeText::SplitLines("a\rb\n\nc", lines);
    ASSERT_EQ(3u, lines.size());
    EXPECT_STREQ("a", lines[0]);
    EXPECT_STREQ("b", lines[1]);
}

TEST(ThemeText, ClipBoxValues)
{
    int l, t, r, b;
    ThemeText::ParseClipBox("(3, 4, 5, 6)", l, t, r, b);
    EXPECT_EQ(3, l);
    EXPECT_EQ(4, t);
    EXPECT_EQ(5, r);
    EXPECT_EQ(6, b);
    ThemeText::ParseClipBox("( \"-2\", \"+7\"x,\t9 ,\"10\" )", l, t, r, b);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(7, t);
    EXPECT_EQ(9, r);
    EXPECT_EQ(10, b);
    ThemeText::ParseClipBox("none", l, t, r, b);
    EXPECT_EQ(0, l + t + r + b);
    // Missing pieces and a missing ')' end as zeros, never as garbage.
    ThemeText::ParseClipBox("(1,2", l, t, r, b);
    EXPECT_EQ(1, l);
    EXPECT_EQ(2, t);
    EXPECT_EQ(0, r);
    EXPECT_EQ(0, b);
    ThemeText::ParseClipBox("(1,2,3,4", l, t, r, b);
    EXPECT_EQ(4, b);
    ThemeText::ParseClipBox("(99999999999999,-99999999999999,a,)", l, t, r, b);
    EXPECT_EQ(2147483647, l);
    EXPECT_EQ(-2147483647 - 1, t);
    EXPECT_EQ(0, r);
}

TEST(ThemeSettings, MenuKeysInTheSectionOnly)
{
    CThemeSettings s = Parsed("normal=before.bmp\r\n"
                              "[MENU THEME]\r\n"
                              "normalimage=n.bmp\r\n"
                              "HOVER = h.bmp\r\n"
                              "\tselected=s.bmp\r\n"
                              "disabled=d.bmp\r\n"
                              "unknown=1\r\n"
                              "clipbox=(1,2,3,4)\r\n"
                              "anti-aliase=TrueBlue\r\n"
                              "author=Me\r\n"
                              "date=today\r\n"
                              "url=u\r\n"
                              "[menu theme]\r\n"
                              "normal=second.bmp\r\n");
    EXPECT_STREQ("n.bmp", s.m_strImage[0]);
    EXPECT_STREQ("h.bmp", s.m_strImage[1]);
    EXPECT_STREQ("s.bmp", s.m_strImage[2]);
    EXPECT_STREQ("d.bmp", s.m_strImage[3]);
    EXPECT_EQ(1, s.m_nClipLeft);
    EXPECT_EQ(4, s.m_nClipBottom);
    EXPECT_TRUE(s.m_bAntiAlias);
    EXPECT_STREQ("Me", s.m_strAuthor);
    EXPECT_STREQ("today", s.m_strDate);
    EXPECT_STREQ("u", s.m_strUrl);
}

TEST(ThemeSettings, ProgressKeysAndMargins)
{
    CThemeSettings s = Parsed("[progress theme]\nv_track=vt\ntrack=t\nchunk=c\nv_chunk=vc\n"
                              "clipbox=(3,3,4,4)\nhover=ignored\n",
                              CThemeSettings::PROGRESS_THEME);
    EXPECT_STREQ("t", s.m_strImage[0]);
    EXPECT_STREQ("c", s.m_strImage[1]);
    EXPECT_STREQ("vt", s.m_strImage[2]);
    EXPECT_STREQ("vc", s.m_strImage[3]);
    int l, t, r, b;
    s.GetImageMargins(2, l, t, r, b);
    EXPECT_EQ(4, r);
    s.GetImageMargins(1, l, t, r, b);
    EXPECT_EQ(0, l + t + r + b);
}

TEST(ThemeSettings, ValueRules)
{
    EXPECT_FALSE(Parsed("[menu theme]\nanti-aliase= true\n").m_bAntiAlias);
    EXPECT_FALSE(Parsed("[menu theme]\nanti-aliase=tru\n").m_bAntiAlias);
    EXPECT_FALSE(Parsed("[menu theme]\nanti-aliase\n").m_bAntiAlias);

    CThemeSettings s(CThemeSettings::MENU_THEME);
    s.Parse("[menu theme]\nnormal=n.bmp\nauthor=A\nclipbox=(1,1,1,1)\n");
    // Without '=': a picture name is emptied, the other fields are kept.
    s.Parse("[menu theme]\nNormal\nauthor\nclipbox\n");
    EXPECT_STREQ("", s.m_strImage[0]);
    EXPECT_STREQ("A", s.m_strAuthor);
    EXPECT_EQ(1, s.m_nClipTop);
    // No header: nothing changes.
    EXPECT_FALSE(s.Parse("normal=x\nauthor=B\n"));
    EXPECT_STREQ("A", s.m_strAuthor);
    EXPECT_FALSE(s.Parse(" [menu theme]\nauthor=B\n"));
}

TEST(ThemeSettings, LongValuesAreCutToTheirFields)
{
    std::string text = "[menu theme]\nnormal=" + std::string(1000, 'n') + "\nauthor=" +
                       std::string(500, 'a') + "\ndate=" + std::string(100, 'd') + "\nurl=" +
                       std::string(700, 'u') + "\n";
    CThemeSettings s = Parsed(text.c_str());
    EXPECT_EQ(259, s.m_strImage[0].GetLength());
    EXPECT_EQ(127, s.m_strAuthor.GetLength());
    EXPECT_EQ(15, s.m_strDate.GetLength());
    EXPECT_EQ(255, s.m_strUrl.GetLength());
}

TEST(ThemeFileReader, ZipMenuThemeWithEveryKey)
{
    RecordingReader reader(CThemeSettings::MENU_THEME);
    ASSERT_TRUE(reader.Open(Fixture("menu.zmt").c_str()));
    const CThemeSettings& s = reader.m_settings;
    EXPECT_STREQ("img/normal.bmp", s.m_strImage[0]);
    EXPECT_STREQ("img/Hover.BMP", s.m_strImage[1]);
    EXPECT_STREQ("img/selected.bmp", s.m_strImage[2]);
    EXPECT_STREQ("img/disabled.bmp", s.m_strImage[3]);
    EXPECT_EQ(3, s.m_nClipLeft);
    EXPECT_EQ(4, s.m_nClipTop);
    EXPECT_EQ(5, s.m_nClipRight);
    EXPECT_EQ(6, s.m_nClipBottom);
    EXPECT_TRUE(s.m_bAntiAlias);
    EXPECT_STREQ("Somebody", s.m_strAuthor);
    EXPECT_STREQ("2008-05-01", s.m_strDate);
    EXPECT_STREQ("http://example.invalid/themes", s.m_strUrl);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(54u + 60u * 21u, reader.images[i].size()) << i;
        EXPECT_EQ(6, reader.margins[i][3]) << i;
    }
    // Each picture is its own entry: the hover one is green (BGR bytes).
    EXPECT_EQ('\xA0', reader.images[1][55]);
}

TEST(ThemeFileReader, GzipTarProgressTheme)
{
    RecordingReader reader(CThemeSettings::PROGRESS_THEME);
    ASSERT_TRUE(reader.Open(Fixture("progress.zmt").c_str()));
    EXPECT_STREQ("vchunk.bmp", reader.m_settings.m_strImage[3]);
    EXPECT_FALSE(reader.m_settings.m_bAntiAlias);  // "= true" has a blank
    EXPECT_EQ(2, reader.margins[0][0]);
    EXPECT_EQ(5, reader.margins[2][3]);
    EXPECT_EQ(0, reader.margins[1][0] + reader.margins[3][3]);
}

TEST(ThemeFileReader, SecondTextIsUsedWhenTheFirstFails)
{
    RecordingReader reader(CThemeSettings::MENU_THEME);
    EXPECT_TRUE(reader.Open(Fixture("twoini.zmt").c_str()));
    EXPECT_EQ(2, reader.parses);
    EXPECT_STREQ("img/normal.bmp", reader.m_settings.m_strImage[0]);
}

TEST(ThemeFileReader, BadAndTruncatedThemesAreRefused)
{
    const char* bad[] = {"menu_truncated.zmt", "progress_truncated.zmt", "nopictures.zmt",
                         "plain.zmt", "empty.zmt", "text.zmt", "missing-file.zmt"};
    for (const char* name : bad) {
        RecordingReader reader(CThemeSettings::MENU_THEME);
        EXPECT_FALSE(reader.Open(Fixture(name).c_str())) << name;
    }
    RecordingReader progress(CThemeSettings::PROGRESS_THEME);
    EXPECT_FALSE(progress.Open(Fixture("wrongsection.zmt").c_str()));
    EXPECT_FALSE(progress.Open(NULL));
}

// A theme file's bytes read as the file does: the result, the texts parsed,
// the settings and each picture with its margins.
TEST(ThemeFileReader, BytesReadAsTheFile)
{
    for (const char* name : {"menu.zmt", "progress.zmt", "twoini.zmt", "badpicture.zmt", "menu_truncated.zmt",
                             "progress_truncated.zmt", "nopictures.zmt", "plain.zmt", "empty.zmt", "text.zmt",
                             "wrongsection.zmt"}) {
        for (CThemeSettings::Kind kind : {CThemeSettings::MENU_THEME, CThemeSettings::PROGRESS_THEME}) {
            std::ifstream in(Fixture(name).c_str(), std::ios::binary);
            ASSERT_TRUE(in.good()) << name;
            std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            RecordingReader file(kind), memory(kind);
            EXPECT_EQ(file.Open(Fixture(name).c_str()), memory.Open(bytes.data(), (unsigned long)bytes.size()))
                << name;
            EXPECT_EQ(file.parses, memory.parses) << name;
            for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
                EXPECT_STREQ(file.m_settings.m_strImage[i], memory.m_settings.m_strImage[i]) << name;
                EXPECT_TRUE(file.images[i] == memory.images[i]) << name << " " << i;
                for (int m = 0; m < 4; ++m)
                    EXPECT_EQ(file.margins[i][m], memory.margins[i][m]) << name;
            }
        }
    }
    RecordingReader reader(CThemeSettings::MENU_THEME);
    EXPECT_FALSE(reader.Open(NULL, 0));
}

TEST(ThemeFileReader, PicturesBeforeAFailedOneStayReplaced)
{
    RecordingReader reader(CThemeSettings::MENU_THEME);
    EXPECT_FALSE(reader.Open(Fixture("badpicture.zmt").c_str()));
    EXPECT_FALSE(reader.images[0].empty());
    EXPECT_TRUE(reader.images[1].empty());
    EXPECT_TRUE(reader.images[2].empty());
}

TEST(ThemeFileReader, FindImageOnlyWhileOpenAndOnlyFiles)
{
    RecordingReader reader(CThemeSettings::MENU_THEME);
    ASSERT_TRUE(reader.Open(Fixture("menu.zmt").c_str()));
    unsigned char* data = (unsigned char*)1;
    unsigned size = 7;
    EXPECT_FALSE(reader.FindImage("img/normal.bmp", data, size));  // closed again after Open
    EXPECT_EQ(NULL, data);
    EXPECT_EQ(0u, size);
}
