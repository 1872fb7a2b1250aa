#include "designer/core/ProjectPaths.h"

#include <gtest/gtest.h>

TEST(ProjectPaths, RelativePathsResolveAgainstTheProjectFolder)
{
    EXPECT_STREQ("C:\\Projects\\Menu\\wallpaper.png", CProjectPaths::Resolve("wallpaper.png", "C:\\Projects\\Menu"));
    EXPECT_STREQ("C:\\Projects\\Menu\\img\\logo.png", CProjectPaths::Resolve(".\\img\\logo.png", "C:\\Projects\\Menu\\"));
    EXPECT_STREQ("C:\\Themes\\Button\\Dusk.zmt",
                 CProjectPaths::Resolve("..\\..\\Themes\\Button\\Dusk.zmt", "C:\\Projects\\Menu"));
    EXPECT_STREQ("C:\\Projects\\a.png", CProjectPaths::Resolve("img/../../a.png", "C:\\Projects\\Menu"));
    // steps never climb above the drive or the share
    EXPECT_STREQ("C:\\a.png", CProjectPaths::Resolve("..\\..\\..\\a.png", "C:\\x"));
    EXPECT_STREQ("\\\\srv\\share\\a.png", CProjectPaths::Resolve("..\\..\\a.png", "\\\\srv\\share\\x"));
    EXPECT_STREQ("C:\\a.png", CProjectPaths::Resolve("a.png", "C:\\"));
}

TEST(ProjectPaths, AbsoluteEmptyAndUnsavedPathsStayAsTheyAre)
{
    for (const char* path : {"D:\\pics\\a.png", "\\\\srv\\share\\a.png", "\\a.png", "D:a.png", ""})
        EXPECT_STREQ(path, CProjectPaths::Resolve(path, "C:\\Projects")) << path;
    EXPECT_FALSE(CProjectPaths::IsRelative("D:\\a"));
    EXPECT_FALSE(CProjectPaths::IsRelative(""));
    EXPECT_TRUE(CProjectPaths::IsRelative("a\\b.png"));
    // a project never saved has no folder to go by
    EXPECT_STREQ("a.png", CProjectPaths::Resolve("a.png", ""));
}

TEST(ProjectPaths, SaveAsKeepsNamingTheSameFiles)
{
    const char* old = "C:\\Projects\\Menu";
    // into a sub-folder, a parent and an unrelated folder
    EXPECT_STREQ("..\\wallpaper.png", CProjectPaths::Rebase("..\\wallpaper.png", old, old));
    EXPECT_STREQ("Menu\\wallpaper.png", CProjectPaths::Rebase("wallpaper.png", old, "C:\\Projects"));
    EXPECT_STREQ("C:\\Projects\\Menu\\wallpaper.png", CProjectPaths::Rebase("wallpaper.png", old, "C:\\Projects\\Menu\\Copy"));
    EXPECT_STREQ("C:\\Projects\\Menu\\wallpaper.png", CProjectPaths::Rebase("wallpaper.png", old, "D:\\Other"));
    // the new folder's name compared without regard to case, as the system does
    EXPECT_STREQ("menu\\a.png", CProjectPaths::Rebase("menu\\a.png", "c:\\projects", "C:\\PROJECTS\\"));
    EXPECT_STREQ("Menu\\a.png", CProjectPaths::Rebase("a.png", old, "c:\\projects"));
    // a folder whose name only starts like the new one's is not under it
    EXPECT_STREQ("C:\\Projects\\Menu2\\a.png", CProjectPaths::Rebase("a.png", "C:\\Projects\\Menu2", "C:\\Projects\\Menu"));
    EXPECT_STREQ("D:\\a.png", CProjectPaths::Rebase("D:\\a.png", old, "C:\\Projects"));
    EXPECT_STREQ("", CProjectPaths::Rebase("", old, "C:\\Projects"));
}

TEST(ProjectPaths, FolderOfAFile)
{
    EXPECT_STREQ("C:\\Projects\\Menu", CProjectPaths::FolderOf("C:\\Projects\\Menu\\Sample.kel"));
    EXPECT_STREQ("C:", CProjectPaths::FolderOf("C:\\Sample.kel"));
    EXPECT_STREQ("", CProjectPaths::FolderOf("Sample.kel"));
    EXPECT_TRUE(CProjectPaths::SameFolder("C:\\Projects\\", "c:\\projects"));
}
