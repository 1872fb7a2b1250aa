#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(TestSupport, FilesWrittenReadBackByteForByteAndFoldersAreMade)
{
    zavotest::TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string bytes("a\0b\r\n\xff", 6);
    const fs::path deep = folder / "x" / "y" / "z.bin";
    EXPECT_TRUE(zavotest::WriteFile(deep, bytes));
    EXPECT_EQ(bytes, zavotest::ReadFile(deep));
    EXPECT_EQ(bytes, zavotest::ReadFile(deep.string()));
    EXPECT_EQ("", zavotest::ReadFile(folder / "missing"));
}

TEST(TestSupport, TempFolderGoesWithItsContent)
{
    fs::path kept;
    {
        zavotest::TempFolder folder("tsupport");
        kept = folder.Path();
        ASSERT_TRUE(zavotest::WriteFile(folder / "sub" / "f.txt", "x"));
        zavotest::TempFolder other("tsupport");
        EXPECT_NE(kept, other.Path());
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(TestSupport, ToolsAreFoundOnThePathOnly)
{
    EXPECT_EQ("", zavotest::FindTool("no-such-tool-anywhere"));
#ifndef _WIN32
    EXPECT_NE("", zavotest::FindTool("sh"));
#endif
}
