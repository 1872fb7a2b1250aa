#include "designer/core/ProjectText.h"

#include <gtest/gtest.h>

namespace {

using namespace ProjectText;

std::string Utf16(const std::string& ascii, bool bigEndian, bool mark)
{
    std::string out;
    if (mark) out = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
    for (char c : ascii) {
        if (bigEndian) out += '\0';
        out += c;
        if (!bigEndian) out += '\0';
    }
    return out;
}

std::vector<std::string> Lines(const std::string& bytes)
{
    CString text;
    EXPECT_TRUE(ToSystemText(bytes, text));
    std::vector<std::string> out;
    for (const CString& l : SplitLines(text)) out.push_back((LPCTSTR)l);
    return out;
}

TEST(ProjectText, ReadsEveryEncodingAndLineEnd)
{
    const std::vector<std::string> expected = {PROJECT_VERSION_LINES, "wallpaper:C:\\a b.bmp", "Default:2"};
    for (const char* eol : {"\r\n", "\n"}) {
        for (bool finalEnd : {true, false}) {
            std::string plain = expected[0] + eol + expected[1] + eol + expected[2] + (finalEnd ? eol : "");
            SCOPED_TRACE(plain);
            EXPECT_EQ(Lines(plain), expected);
            EXPECT_EQ(Lines(Utf16(plain, false, true)), expected);
            EXPECT_EQ(Lines(Utf16(plain, true, true)), expected);
            EXPECT_EQ(Lines(Utf16(plain, false, false)), expected);  // by its zero bytes
            EXPECT_EQ(Lines(Utf16(plain, true, false)), expected);
        }
    }
}

TEST(ProjectText, EncodingIsDecidedBeforeLinesAreSplit)
{
    // A line feed in UTF-16 LE is 0A 00: splitting the bytes first would leave
    // a zero byte at the start of every following line.
    std::string bytes = Utf16("<ROOT>\n<COMMON/>\n</ROOT>", false, true);
    EXPECT_EQ(DetectEncoding(bytes), EncodingUtf16LE);
    CString text;
    ASSERT_TRUE(ToSystemText(bytes, text));
    EXPECT_STREQ((LPCTSTR)text, "<ROOT>\n<COMMON/>\n</ROOT>");
    EXPECT_STREQ((LPCTSTR)AfterFirstLine(text), "<COMMON/>\n</ROOT>");
}

TEST(ProjectText, NonTextIsRefused)
{
    CString text;
    EXPECT_FALSE(ToSystemText("", text));
    std::string strayZero = "<ROOT><COMMON>";
    strayZero += '\0';
    strayZero += "</COMMON></ROOT>";
    EXPECT_EQ(DetectEncoding(strayZero), EncodingAnsi);
    EXPECT_EQ(DetectEncoding("plain text"), EncodingAnsi);
}

TEST(ProjectText, VersionLineDecidesTheFormat)
{
    EXPECT_EQ(FormatOf("Zavomgr.Doc.Ver:1.02"), FormatLines);
    EXPECT_EQ(FormatOf("zavomgr.doc.ver:1.02"), FormatLines);
    EXPECT_EQ(FormatOf("ZAVOMGR.DOC.VER:1.01"), FormatBeta);
    EXPECT_EQ(FormatOf("<ROOT Description=\"Zavomgr Settings File\">"), FormatMarkup);
    EXPECT_EQ(FormatOf("Zavomgr.Doc.Ver:1.02 "), FormatMarkup);
    EXPECT_STREQ((LPCTSTR)AfterFirstLine("one line"), "");
}

TEST(ProjectText, LinesHeaderTakesKeysInOrder)
{
    std::vector<CString> lines = {PROJECT_VERSION_LINES, "WALLPAPER:C:\\x\\w.jpg", "Default:3",
                                  "Colour:7", "singlego:1", "paper:800,600;"};
    CProjectSettings s;
    size_t next = ReadLinesHeader(lines, 1, s);
    EXPECT_EQ(next, 5u);  // four lines used, the odd one ignored
    EXPECT_STREQ((LPCTSTR)s.wallpaper, "C:\\x\\w.jpg");
    EXPECT_EQ(s.defaultEntry, 3);
    EXPECT_EQ(s.timeout, 25);  // as before the file
    EXPECT_EQ(s.singleGo, 1);

    std::vector<CString> shortFile = {PROJECT_VERSION_LINES, "wallpaper:"};
    CProjectSettings t;
    t.timeout = 9;
    EXPECT_EQ(ReadLinesHeader(shortFile, 1, t), 2u);
    EXPECT_STREQ((LPCTSTR)t.wallpaper, "");
    EXPECT_EQ(t.timeout, 9);
}

}  // namespace
