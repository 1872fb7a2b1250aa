#include "designer/core/PathValue.h"

#include <gtest/gtest.h>

TEST(PathValue, SplitsDriveFolderNameAndLastExtension)
{
    CPathValue p("  C:\\dir\\file.name.txt ");
    EXPECT_STREQ("C:", p.GetPart(0, NULL, 0));
    EXPECT_STREQ("\\dir\\", p.GetPart(1, NULL, 1));
    EXPECT_STREQ("file.name", p.GetPart(2, NULL, 2));
    EXPECT_STREQ(".txt", p.GetPart(3, NULL, 3));
    EXPECT_STREQ("C:\\dir\\file.name.txt", p.GetPart(0, NULL, 3));
    EXPECT_STREQ("C:\\dir\\file.name_Images", p.GetPart(0, "_Images", 2));
    // from and to are ordered and clamped.
    EXPECT_STREQ("\\dir\\", p.GetPart(2, NULL, 1));
    EXPECT_STREQ("C:\\dir\\file.name.txt", p.GetPart(-4, NULL, 9));
}

TEST(PathValue, PathWithoutBackslashIsAllDrive)
{
    CPathValue p("file.txt");
    EXPECT_STREQ("file.txt", p.GetPart(0, NULL, 0));
    EXPECT_STREQ("", p.GetPart(1, NULL, 1));
    EXPECT_STREQ("", p.GetPart(2, NULL, 2));
    EXPECT_STREQ("", p.GetPart(3, NULL, 3));
}

TEST(PathValue, DotInAFolderIsNoExtension)
{
    CPathValue p("C:\\my.dir\\readme");
    EXPECT_STREQ("readme", p.GetPart(2, NULL, 2));
    EXPECT_STREQ("", p.GetPart(3, NULL, 3));
    EXPECT_STREQ("readme", p.GetPart(2, NULL, 3));
    EXPECT_STREQ("C:\\my.dir\\readme", p.GetPart(0, NULL, 3));
}

TEST(PathValue, ParentRelativePath)
{
    CString out;
    CPathValue("C:\\a\\b\\c.png").GetParentRelativePath(out);
    EXPECT_STREQ(".\\b\\c.png", out);
    CPathValue("C:\\c.png").GetParentRelativePath(out);
    EXPECT_STREQ("", out);
    CPathValue("").GetParentRelativePath(out);
    EXPECT_STREQ("", out);
}
