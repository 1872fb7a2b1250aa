// Runs with the Chinese system code page (GBK, 936).
#include "installer/MenuText.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(MenuTextDbcs, EachDoubleByteCharacterBecomesOneUnderscore)
{
    ASSERT_EQ(936u, ::GetACP());
    CString path = "(hd0,4)/My Images/\xC8\xED\xC5\xCC.img";  // two GBK characters
    EXPECT_TRUE(SanitizeMenuPath(path));
    EXPECT_STREQ(path.GetString(), "(hd0,4)/My_Images/__.img");

    // trail bytes that read as '\' and ' ' stay inside their character
    CString trail = "(hd0,0)/\x95\x5C\x81\x20X";
    EXPECT_TRUE(SanitizeMenuPath(trail));
    EXPECT_STREQ(trail.GetString(), "(hd0,0)/__X");

    CString end = "(hd0,0)/A\xC8";
    EXPECT_TRUE(SanitizeMenuPath(end));
    EXPECT_STREQ(end.GetString(), "(hd0,0)/A_");
}

TEST(MenuTextDbcs, FileNamePartSkipsTrailBytes)
{
    ASSERT_EQ(936u, ::GetACP());
    EXPECT_STREQ(FileNamePart("C:\\\x95\x5C"
                              "A.IMG")
                     .GetString(),
                 "\x95\x5C"
                 "A.IMG");
}
