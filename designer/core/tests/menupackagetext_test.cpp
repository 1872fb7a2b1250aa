#include "designer/core/MenuPackageText.h"

#include <gtest/gtest.h>

#include <string>

#include "testsupport/TestSupport.h"

using namespace MenuPackageText;

TEST(MenuPackageText, NamesThatCannotBeOneFileNameAreRefused)
{
    for (const char* bad : {"", "a..b", "trail.", "trail ", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b",
                            "a|b", "tab\tname", "CON", "con.txt", "Nul ", "COM1", "lpt9.zip", "CLOCK$"})
        EXPECT_FALSE(IsValidMenuName(bad)) << bad;
    EXPECT_FALSE(IsValidMenuName(NULL));
    EXPECT_FALSE(IsValidMenuName(std::string(201, 'a').c_str()));
    for (const char* good : {"Menu", "My menu 2", "COM10", "CONSOLE", "a.b.c", "LPT"})
        EXPECT_TRUE(IsValidMenuName(good)) << good;
    EXPECT_TRUE(IsValidMenuName(std::string(200, 'a').c_str()));
}

TEST(MenuPackageText, IniValuesStayOnOneLine)
{
    EXPECT_EQ(CString("a b  c"), IniValue("a\nb\r\tc"));
    EXPECT_EQ(CString(""), IniValue(NULL));
}

TEST(MenuPackageText, PageWidthsGiveTheirModeAndResolution)
{
    EXPECT_EQ(0x111, VesaModeOf(640));
    EXPECT_EQ(0x114, VesaModeOf(800));
    EXPECT_EQ(0x117, VesaModeOf(1024));
    EXPECT_EQ(0, VesaModeOf(700));
    EXPECT_EQ(CString("800 x 600"), ResolutionText(0x114));
    EXPECT_EQ(CString("N/A"), ResolutionText(0));
}

TEST(MenuPackageText, ZipCommentNamesResolutionAndProjectAndFitsSixteenBits)
{
    CString comment = ZipComment("Menu", 0x117, "");
    EXPECT_EQ(0, comment.Find("\r\nMenu\r\n\r\n// ="));
    EXPECT_GE(comment.Find("// Resolution: 1024 x 768\r\n// Project: N/A\r\n//\r\n"), 0);
    comment = ZipComment(CString('x', 70000), 0x111, "C:\\p.kel");
    EXPECT_EQ(0xFFFF, comment.GetLength());
    EXPECT_GE(comment.Find("// Project: C:\\p.kel"), 0);
}

TEST(MenuPackageText, PngSizeComesFromTheHeaderOnly)
{
    unsigned char head[24] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                              0, 0, 0x01, 0x40, 0, 0, 0, 0xF0};
    int cx = 0, cy = 0;
    EXPECT_TRUE(PngHeaderSize(head, sizeof head, cx, cy));
    EXPECT_EQ(320, cx);
    EXPECT_EQ(240, cy);
    EXPECT_FALSE(PngHeaderSize(head, 23, cx, cy));
    head[13] = 'X';
    EXPECT_FALSE(PngHeaderSize(head, sizeof head, cx, cy));

    head[13] = 'H';
    zavotest::TempFolder folder;
    std::string path = (folder / "p.png").string();
    ASSERT_TRUE(zavotest::WriteFile(path, std::string((const char*)head, sizeof head)));
    cx = cy = 0;
    EXPECT_TRUE(PngFileSize(path.c_str(), cx, cy));
    EXPECT_EQ(320, cx);
    EXPECT_FALSE(PngFileSize((folder / "none.png").string().c_str(), cx, cy));
}
