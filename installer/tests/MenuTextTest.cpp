#include "installer/MenuText.h"

#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
// Natively the lead bytes are those of GBK.
TEST(MenuText, SanitizeTurnsBlanksAndDoubleByteCharactersIntoUnderscores)
{
    CString path = "(hd0,4)/My Images/\xC8\xED\xC5\xCC.img";  // two GBK characters
    EXPECT_TRUE(SanitizeMenuPath(path));
    EXPECT_STREQ(path.GetString(), "(hd0,4)/My_Images/__.img");

    CString cut = "(hd0,0)/A\xC8";  // a lead byte at the very end
    EXPECT_TRUE(SanitizeMenuPath(cut));
    EXPECT_STREQ(cut.GetString(), "(hd0,0)/A_");

    CString plain = "(hd0,0)/BOOT/FD.IMG";
    EXPECT_FALSE(SanitizeMenuPath(plain));

    CString longPath = CString('a', 300);
    EXPECT_TRUE(SanitizeMenuPath(longPath));
    EXPECT_EQ(longPath.GetLength(), MENU_PATH_LIMIT);
}
#endif

TEST(MenuText, MenusHaveTheLinesTheLoaderReads)
{
    const std::string header = InstallHeaderText().GetString();
    EXPECT_EQ(header.find("#\n# Tessumgr Generated, \n# "), 0u);
    EXPECT_EQ(header.size(), 102u);  // the build stamp is always 20 characters
    EXPECT_EQ(std::string(DiskImageMenuText("(hd0,1)/FD.IMG", 1, 80, 2, 18).GetString()),
              header + "\n\nkernel (rd)/memdisk.gz c=80 h=2 s=18 floppy\ninitrd (hd0,1)/FD.IMG");
    EXPECT_EQ(std::string(DiskImageMenuText("(hd0,1)/HD.IMG", 2, 1024, 16, 63).GetString()),
              header + "\n\nkernel (rd)/memdisk.gz c=1024 h=16 s=63 harddisk\ninitrd (hd0,1)/HD.IMG");
    EXPECT_EQ(std::string(IsoEmuMenuText("(hd0,0)/A.ISO").GetString()), header + "\nisoemu (hd0,0)/A.ISO");
    const std::string quick = QuickApplicationText().GetString();
    EXPECT_EQ(quick.find("#\n# Tessumgr Quick Application \n# "), 0u);
    EXPECT_EQ(quick.substr(quick.size() - 70),
              "title Tessu Default Img \nkernel (rd)/memdisk.gz \ninitrd (rd)/TQA.gz \n\n");
}
