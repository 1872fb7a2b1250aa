#include "installer/ZipUnpacker.h"
#include "installer/tests/InstallerTestFiles.h"

#include <ctime>
#include <string>
#include <sys/stat.h>

using namespace installer_test;

namespace {
bool Exists(const std::string& path) { return FwFileExists(path.c_str()) != FALSE; }

time_t ModTime(const std::string& path)
{
    struct stat st;
    return stat(FwNativePath(path.c_str()), &st) == 0 ? st.st_mtime : 0;
}

time_t LocalTime(int y, int mo, int d, int h, int mi, int s)
{
    struct tm t = {};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    t.tm_isdst = -1;
    return mktime(&t);
}
}  // namespace

TEST(ZipUnpacker, UnpacksFoldersFilesAndTimes)
{
    TempFolder dir;
    CZipUnpacker zip;
    ASSERT_TRUE(zip.Open(FixturePath("python.zip").c_str()));
    ASSERT_TRUE(zip.UnzipTo((dir / "theme").c_str()));
    EXPECT_EQ(ReadFile(dir / "theme/Black/theme.ini"), Bytes({'[', 'T', 'h', 'e', 'm', 'e', ']', '\r', '\n', 'N', 'a',
                                                              'm', 'e', '=', 'B', 'l', 'a', 'c', 'k', '\r', '\n'}));
    EXPECT_EQ(ReadFile(dir / "theme/Black/img/a.bmp").size(), 102u);
    EXPECT_EQ(ReadFile(dir / "theme/readme.txt"), Bytes(5000, 'x'));
    EXPECT_EQ(ModTime(dir / "theme/Black/theme.ini"), LocalTime(2006, 4, 7, 12, 34, 56));
    EXPECT_EQ(ModTime(dir / "theme/readme.txt"), LocalTime(1999, 12, 31, 23, 59, 58));

    CZipUnpacker tool(FixturePath("tool.zip").c_str());
    ASSERT_TRUE(tool.UnzipTo((dir / "tool").c_str()));
    EXPECT_EQ(ReadFile(dir / "tool/Black/theme.ini").size(), 8u);
    EXPECT_EQ(ReadFile(dir / "tool/Black/img/pic.bmp").size(), 30000u);
    EXPECT_TRUE(FwDirectoryExists((dir / "tool/empty").c_str()) || !Exists(dir / "tool/empty"));
}

TEST(ZipUnpacker, OverwritesFlattensAndFilters)
{
    TempFolder dir;
    ASSERT_TRUE(CZipUnpacker::CreateFolder((dir / "t/Black").c_str()));
    ASSERT_TRUE(WriteText(dir / "t/Black/theme.ini", std::string(9000, 'o')));
    CZipUnpacker zip(FixturePath("python.zip").c_str());
    ASSERT_TRUE(zip.UnzipTo((dir / "t").c_str()));
    EXPECT_EQ(ReadFile(dir / "t/Black/theme.ini").size(), 21u);

    ASSERT_TRUE(zip.UnzipTo((dir / "flat").c_str(), TRUE));
    EXPECT_TRUE(Exists(dir / "flat/theme.ini"));
    EXPECT_TRUE(Exists(dir / "flat/a.bmp"));
    EXPECT_FALSE(Exists(dir / "flat/Black"));

    ASSERT_TRUE(zip.GotoFirstFile("INI"));
    CZipUnpacker::FileInfo info;
    ASSERT_TRUE(zip.GetFileInfo(info));
    EXPECT_STREQ(info.szFileName, "Black\\theme.ini");
    EXPECT_FALSE(zip.GotoNextFile("ini"));
    ASSERT_TRUE(zip.GotoFirstFile("txt"));
    ASSERT_TRUE(zip.GetFileInfo(info));
    EXPECT_STREQ(info.szFileName, "readme.txt");
    EXPECT_EQ(info.uncompressedSize, 5000u);
}

TEST(ZipUnpacker, EmptyAndFolderOnlyArchives)
{
    TempFolder dir;
    CZipUnpacker empty;
    EXPECT_FALSE(empty.Open(FixturePath("empty.zip").c_str()) && empty.UnzipTo((dir / "e").c_str()));
    CZipUnpacker folders(FixturePath("folders.zip").c_str());
    EXPECT_TRUE(folders.UnzipTo((dir / "f").c_str()));
    EXPECT_FALSE(Exists(dir / "f/Black"));
    CZipUnpacker missing;
    EXPECT_FALSE(missing.Open((dir / "none.zip").c_str()));
    EXPECT_FALSE(missing.UnzipTo((dir / "m").c_str()));
    EXPECT_FALSE(CZipUnpacker::CreateFolder(""));
    ASSERT_TRUE(WriteText(dir / "file", "x"));
    EXPECT_FALSE(CZipUnpacker::CreateFolder((dir / "file").c_str()));
}

TEST(ZipUnpacker, HostileNamesWriteNothingOutside)
{
    for (const char* name : {"hostile.zip", "drive.zip", "rooted.zip", "backslash.zip", "inner.zip"}) {
        TempFolder dir;
        CZipUnpacker zip(FixturePath(name).c_str());
        EXPECT_FALSE(zip.UnzipTo((dir / "in/deep").c_str())) << name;
        EXPECT_FALSE(Exists(dir / "evil.txt")) << name;
        EXPECT_FALSE(Exists(dir / "in/evil.txt")) << name;
        EXPECT_FALSE(zip.UnzipTo((dir / "flat").c_str(), TRUE)) << name;
    }
    EXPECT_TRUE(CZipUnpacker::IsSafeEntryName("a..b\\c.txt"));
    EXPECT_FALSE(CZipUnpacker::IsSafeEntryName("a\\..\\b"));
    EXPECT_FALSE(CZipUnpacker::IsSafeEntryName(".."));
}

TEST(ZipUnpacker, CrcErrorFailsAndLeavesNoFile)
{
    TempFolder dir;
    CZipUnpacker zip(FixturePath("crc.zip").c_str());
    EXPECT_FALSE(zip.UnzipTo((dir / "c").c_str()));
    EXPECT_FALSE(Exists(dir / "c/bad.txt"));
}
