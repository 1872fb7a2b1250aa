#include "deploy/MenuPackage.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Fixture(const char* name)
{
    std::string path = std::string(ZAVO_BINARY_DIR) + "/deploy/package_fixtures/" + name;
#ifdef _WIN32
    path = "Z:" + path;
#endif
    return path;
}
}  // namespace

TEST(MenuPackage, ValidPackagesHoldTitlePictureAndMenuAtTheTop)
{
    EXPECT_EQ(1, IsValidMenuPackage(Fixture("Plain.zip").c_str()));
    EXPECT_EQ(1, IsValidMenuPackage(Fixture("My.Menu.zip").c_str()));    // title cut at the first point
    EXPECT_EQ(1, IsValidMenuPackage(Fixture("MixedCase.zip").c_str()));  // names compared without case
    EXPECT_EQ(1, IsValidMenuPackage(Fixture("Broken.zip").c_str()));     // only the directory is read
    EXPECT_EQ(0, IsValidMenuPackage(Fixture("NoPicture.zip").c_str()));
    EXPECT_EQ(0, IsValidMenuPackage(Fixture("Nested.zip").c_str()));
    EXPECT_EQ(0, IsValidMenuPackage(Fixture("NotAZip.zip").c_str()));
    EXPECT_EQ(0, IsValidMenuPackage(Fixture("Missing.zip").c_str()));
    EXPECT_EQ(0, IsValidMenuPackage(""));
}

TEST(MenuPackage, TitlesAndImageTypes)
{
    EXPECT_STREQ("My", GetFileTitleNoExt("C:\\Kel Menus\\My.Menu.zip"));
    EXPECT_STREQ("Plain", GetFileTitleNoExt("Plain"));
    EXPECT_STREQ("", GetFileTitleNoExt("C:\\Kel Menus\\"));
    EXPECT_STREQ("", GetFileTitleNoExt(NULL));

    const struct
    {
        const char* path;
        int type;
    } cases[] = {{"a.bmp", 1}, {"A.GIF", 2}, {"x.jpg", 3}, {"x.JPEG", 3}, {"p.Png", 4}, {"i.ico", 5}, {"t.tif", 0}, {"", 0}, {"png", 4}, {NULL, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.type, ImageTypeFromExtension(c.path)) << (c.path ? c.path : "null");
}

TEST(MenuPackage, ThumbnailsKeepTheirProportions)
{
    ThumbnailRect tall = FitThumbnail(50, 100, 64);
    EXPECT_EQ(16, tall.x);
    EXPECT_EQ(0, tall.y);
    EXPECT_EQ(32, tall.width);
    EXPECT_EQ(64, tall.height);

    ThumbnailRect wide = FitThumbnail(100, 50, 64);
    EXPECT_EQ(0, wide.x);
    EXPECT_EQ(16, wide.y);
    EXPECT_EQ(64, wide.width);
    EXPECT_EQ(32, wide.height);

    // A line of pixels still gets one pixel across, inside the square.
    ThumbnailRect line = FitThumbnail(1, 1000, 64);
    EXPECT_EQ(1, line.width);
    EXPECT_EQ(64, line.height);
    EXPECT_LE(line.x + line.width, 64);

    ThumbnailRect none = FitThumbnail(0, 10, 64);
    EXPECT_EQ(0, none.width);
}
