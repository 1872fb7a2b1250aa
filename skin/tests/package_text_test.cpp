#include "skin/theme/PackageText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string Bytes(const std::u16string& text, bool bom, bool odd = false)
{
    std::string out;
    if (bom)
        out += "\xFF\xFE";
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    if (odd)
        out += 'x';
    return out;
}

std::vector<std::u16string> Lines(const std::string& bytes, bool readLastLine = false)
{
    Utf16LineReader reader(bytes.data(), bytes.size(), readLastLine);
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return lines;
}

TEST(Utf16LineReader, EndsLinesAtCrOrCrLfAndDropsTextAfterTheLastCr)
{
    std::vector<std::u16string> want = {u"[a]", u"b=1", u"", u"c=\u4e2d", u"d"};
    EXPECT_EQ(Lines(Bytes(u"[a]\r\nb=1\r\r\nc=\u4e2d\rd\r", true)), want);
    EXPECT_EQ(Lines(Bytes(u"[a]\rb=1\r\rc=\u4e2d\rd\r\n", true, true)), want);
    EXPECT_EQ(Lines(Bytes(u"[a]\rb=1\r\rc=\u4e2d\rd\r\ne=2", false)), want);
    EXPECT_EQ(Lines(Bytes(u"[a]\rb=1\r\rc=\u4e2d\rd\r\ne=2\n", true)), want);
    EXPECT_TRUE(Lines(Bytes(u"[a]", true)).empty());
    // the same text read from a file keeps its open last line
    std::vector<std::u16string> file = want;
    file.push_back(u"e=2");
    EXPECT_EQ(Lines(Bytes(u"[a]\rb=1\r\rc=\u4e2d\rd\r\ne=2", true), true), file);
    EXPECT_EQ(Lines(Bytes(u"[a]\rb=1\r\rc=\u4e2d\rd\r\n", true), true), want);
    EXPECT_TRUE(Lines(Bytes(u"", true)).empty());
    EXPECT_TRUE(Lines("x").empty());
    Utf16LineReader none(nullptr, 10);
    std::u16string line;
    EXPECT_FALSE(none.ReadLine(line));
}

TEST(Utf16LineReader, ALoneLfStaysInItsLine)
{
    std::vector<std::u16string> want = {u"[a]\nb=1", u"\nc=2\n", u"\n"};
    EXPECT_EQ(Lines(Bytes(u"[a]\nb=1\r\n\nc=2\n\r\n\n\r", true)), want);
}

TEST(PackageText, DefaultIniNameAndMangling)
{
    std::string list = Bytes(u"; schemes\r\n[File.Blue]\r\nColorSchemes = x\r\n[File.Green]\r\n", true);
    EXPECT_EQ(GetDefaultIniNameFromText(list.data(), list.size()), u"Blue_ini");
    std::string none = Bytes(u"[Files]\r\n[File.Open\r\n", true);
    EXPECT_EQ(GetDefaultIniNameFromText(none.data(), none.size()), u"");
    // the list is searched as one text: a last entry without a CR still counts
    std::string open = Bytes(u"; schemes\r\n[File.Blue]", true);
    EXPECT_EQ(GetDefaultIniNameFromText(open.data(), open.size()), u"Blue_ini");
    std::string bare = Bytes(u"[File.Green]", false);
    EXPECT_EQ(GetDefaultIniNameFromText(bare.data(), bare.size()), u"Green_ini");
    EXPECT_EQ(MangleResourceName("OFFICE2007\\SCROLLARROWGLYPHS.BMP"), "OFFICE2007_SCROLLARROWGLYPHS_BMP");
    EXPECT_EQ(MangleResourceName("NormalBlue.ini"), "NormalBlue_ini");
}
}  // namespace
