#include "designer/core/DiskObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
// The path in the class's own form, with '\' separators.
std::string W(const fs::path& path)
{
    std::string s = path.string();
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

void Touch(const fs::path& path, const char* text = "data")
{
    std::ofstream(path, std::ios::binary) << text;
}

class DiskObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        root = fs::temp_directory_path() /
               (std::string("diskobject_test_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::error_code ec;
        fs::remove_all(root, ec);
        fs::create_directories(root);
        root = fs::canonical(root);
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, ec);
        fs::remove_all(root, ec);
    }
    std::set<std::string> Names(const CStringArray& list)
    {
        std::set<std::string> names;
        for (int i = 0; i < list.GetSize(); ++i)
            names.insert((LPCTSTR)list[i]);
        return names;
    }

    fs::path root;
    CDiskObject disk;

private:
    fs::path m_previous;
};
}  // namespace

TEST_F(DiskObjectTest, EmptyNamesAreInternalErrors)
{
    CStringArray list;
    const BOOL results[] = {
        disk.RemoveFile(""),
        disk.CopyFileToFolder("", W(root).c_str()),
        disk.CreateFolderPath(""),
        disk.RemoveFolder(NULL),
        disk.FileExists(""),
        disk.CreateEmptyFile(""),
        disk.FolderExists(""),
        disk.EmptyFolder(""),
        disk.RemoveFolderTree(""),
        disk.ListFiles("", list, FALSE),
        disk.CopyFolder("", W(root).c_str()),
    };
    for (BOOL r : results)
        EXPECT_FALSE(r);
    EXPECT_STREQ("CDiskObject internal error", disk.GetErrorText());
    EXPECT_TRUE(disk.CreateFolderPath(W(root).c_str()));
    EXPECT_TRUE(disk.GetErrorText().IsEmpty());
}

TEST_F(DiskObjectTest, ListsOnlyFilesInListingOrder)
{
    Touch(root / "a.txt");
    Touch(root / "b.bmp");
    Touch(root / "noext");
    fs::create_directories(root / "sub" / "deeper");
    Touch(root / "sub" / "inner.txt");

    CStringArray list;
    ASSERT_TRUE(disk.ListFiles(W(root).c_str(), list, FALSE));
    EXPECT_EQ((std::set<std::string>{"a.txt", "b.bmp", "noext"}), Names(list));

    CStringArray withPath;
    ASSERT_TRUE(disk.ListFiles((W(root) + "\\").c_str(), withPath, TRUE));
    EXPECT_EQ((std::set<std::string>{W(root / "a.txt"), W(root / "b.bmp"), W(root / "noext")}), Names(withPath));

    CStringArray bmp;
    ASSERT_TRUE(disk.ListFilesMatching("*.bmp", W(root).c_str(), bmp, FALSE));
    EXPECT_EQ((std::set<std::string>{"b.bmp"}), Names(bmp));
    CStringArray none;
    EXPECT_TRUE(disk.ListFilesMatching("*.png", W(root).c_str(), none, FALSE));
    EXPECT_EQ(0, none.GetSize());

    CStringArray missing;
    EXPECT_FALSE(disk.ListFiles(W(root / "nowhere").c_str(), missing, FALSE));
    const std::string error = (LPCTSTR)disk.GetErrorText();
    const std::string tail = " " + W(root / "nowhere") + "\\*.*";
    ASSERT_GT(error.size(), tail.size());
    EXPECT_EQ(tail, error.substr(error.size() - tail.size()));
}

TEST_F(DiskObjectTest, CreatesEveryMissingLevel)
{
    fs::create_directories(root / "a");
    fs::current_path(root / "a");
    EXPECT_TRUE(disk.CreateFolderPath(W(root / "a" / "b" / "c").c_str()));
    EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "c"));
    EXPECT_EQ(fs::canonical(root / "a"), fs::current_path());
    EXPECT_TRUE(disk.CreateFolderPath((W(root / "a" / "b" / "c") + "\\").c_str()));
    // Forward slashes and relative paths work as well.
    EXPECT_TRUE(disk.CreateFolderPath("rel/x\\y"));
    EXPECT_TRUE(fs::is_directory(root / "a" / "rel" / "x" / "y"));

    Touch(root / "file");
    EXPECT_FALSE(disk.CreateFolderPath(W(root / "file" / "below").c_str()));
    const std::string error = (LPCTSTR)disk.GetErrorText();
    EXPECT_NE(std::string::npos, error.find(" " + W(root / "file"))) << error;
}

// The menu build's job threads share the current folder with the window
// thread: making and probing folders leave it alone all the time.
TEST_F(DiskObjectTest, MakesAndProbesFoldersWithoutMovingTheCurrentFolder)
{
    fs::current_path(root);
    std::atomic<bool> done(false), moved(false);
    std::thread watcher([&]() {
        while (!done) {
            if (fs::current_path() != root)
                moved = true;
        }
    });
    for (int i = 0; i < 200; ++i) {
        const std::string deep = W(root / ("t" + std::to_string(i)) / "a" / "b" / "c");
        EXPECT_TRUE(disk.CreateFolderPath(deep.c_str()));
        EXPECT_TRUE(disk.FolderExists(deep.c_str()));
    }
    done = true;
    watcher.join();
    EXPECT_FALSE(moved);
}

TEST_F(DiskObjectTest, QualifiesRelativePaths)
{
    fs::create_directories(root / "w" / "v");
    fs::current_path(root / "w" / "v");
    EXPECT_STREQ(W(root / "w" / "sub" / "x.txt").c_str(), disk.QualifyPath("..\\sub\\x.txt"));
    EXPECT_STREQ(W(root / "sub" / "x.txt").c_str(), disk.QualifyPath("../../sub/x.txt"));
    EXPECT_STREQ(W(root / "w" / "v" / "x.txt").c_str(), disk.QualifyPath("x.txt"));
    EXPECT_STREQ((W(root / "w" / "v" / "d") + "\\").c_str(), disk.QualifyFolder("d"));
    EXPECT_STREQ("\\\\server\\share\\", disk.QualifyFolder("//server/share"));
    EXPECT_STREQ("x.txt", disk.GetFileNamePart("..\\sub\\x.txt"));
    EXPECT_STREQ(W(root / "w" / "sub").c_str(), disk.GetFolderPart("..\\sub\\x.txt"));
    EXPECT_EQ(fs::canonical(root / "w" / "v"), fs::current_path());
#ifdef _WIN32
    EXPECT_STREQ("C:\\a\\b.txt", disk.QualifyPath("C:\\a\\b.txt"));
    EXPECT_STREQ("C:\\a\\", disk.QualifyFolder("C:/a"));
    const std::string drive = W(root).substr(0, 2);
    EXPECT_STREQ((drive + "\\top\\x.txt").c_str(), disk.QualifyPath("\\top\\x.txt"));
#endif
}

TEST_F(DiskObjectTest, CopiesTopLevelFilesOfAFolder)
{
    fs::create_directories(root / "A" / "nested");
    Touch(root / "A" / "one.txt", "1");
    Touch(root / "A" / "two.txt", "22");
    Touch(root / "A" / "nested" / "deep.txt");
    EXPECT_TRUE(disk.CopyFolderFiles(W(root / "A").c_str(), W(root / "B" / "C").c_str()));
    EXPECT_EQ(2u, fs::file_size(root / "B" / "C" / "two.txt"));
    EXPECT_TRUE(fs::exists(root / "B" / "C" / "one.txt"));
    EXPECT_FALSE(fs::exists(root / "B" / "C" / "nested"));

    EXPECT_TRUE(disk.CopyFolder(W(root / "A").c_str(), W(root / "D").c_str()));
    EXPECT_TRUE(fs::exists(root / "D" / "one.txt"));
    EXPECT_TRUE(disk.CopyFileToFolder(W(root / "A" / "one.txt").c_str(), W(root / "E" / "F").c_str()));
    EXPECT_TRUE(fs::exists(root / "E" / "F" / "one.txt"));
}

TEST_F(DiskObjectTest, FailedCopyNamesBothFiles)
{
    fs::create_directories(root / "A");
    fs::create_directories(root / "B" / "x.txt");  // a folder where the copy must go
    Touch(root / "A" / "x.txt");
    EXPECT_FALSE(disk.CopyFolderFiles(W(root / "A").c_str(), W(root / "B").c_str()));
    const std::string error = (LPCTSTR)disk.GetErrorText();
    const std::string tail = " " + W(root / "A" / "x.txt") + " -> " + W(root / "B" / "x.txt");
    ASSERT_GT(error.size(), tail.size()) << error;
    EXPECT_EQ(tail, error.substr(error.size() - tail.size()));
    EXPECT_NE(' ', error[0]);

    EXPECT_FALSE(disk.CopyFileToFolder(W(root / "A" / "missing.txt").c_str(), W(root / "B").c_str()));
    const std::string copyError = (LPCTSTR)disk.GetErrorText();
    EXPECT_NE(std::string::npos, copyError.find(W(root / "A" / "missing.txt")));
}

TEST_F(DiskObjectTest, FilesAndFoldersExistOrNot)
{
    Touch(root / "f.txt");
    fs::current_path(root);
    EXPECT_TRUE(disk.FileExists(W(root / "f.txt").c_str()));
    EXPECT_TRUE(disk.FileExists("f.txt"));
    EXPECT_FALSE(disk.FileExists(W(root / "g.txt").c_str()));
    EXPECT_FALSE(disk.FileExists(W(root).c_str()));
    EXPECT_TRUE(disk.GetErrorText().IsEmpty());
    EXPECT_TRUE(disk.FolderExists(W(root).c_str()));
    EXPECT_FALSE(disk.FolderExists(W(root / "f.txt").c_str()));
    EXPECT_FALSE(disk.FolderExists(W(root / "none").c_str()));
    EXPECT_EQ(root, fs::current_path());
}

TEST_F(DiskObjectTest, CreatesEmptyFilesWithTheirFolders)
{
    EXPECT_TRUE(disk.CreateEmptyFile(W(root / "p" / "q" / "e.txt").c_str()));
    EXPECT_EQ(0u, fs::file_size(root / "p" / "q" / "e.txt"));
    Touch(root / "full.txt", "something");
    EXPECT_TRUE(disk.CreateEmptyFile(W(root / "full.txt").c_str()));
    EXPECT_EQ(0u, fs::file_size(root / "full.txt"));
    EXPECT_TRUE(disk.RemoveFile(W(root / "full.txt").c_str()));
    EXPECT_FALSE(fs::exists(root / "full.txt"));
    EXPECT_FALSE(disk.RemoveFile(W(root / "full.txt").c_str()));
    const std::string error = (LPCTSTR)disk.GetErrorText();
    EXPECT_NE(std::string::npos, error.find(" " + W(root / "full.txt")));
}

TEST_F(DiskObjectTest, RemoveFolderLeavesFoldersWithSubfolders)
{
    fs::create_directories(root / "t" / "sub");
    Touch(root / "t" / "a.txt");
    EXPECT_FALSE(disk.RemoveFolder(W(root / "t").c_str()));
    EXPECT_FALSE(fs::exists(root / "t" / "a.txt"));
    EXPECT_TRUE(fs::is_directory(root / "t" / "sub"));
    EXPECT_NE(std::string::npos, std::string((LPCTSTR)disk.GetErrorText()).find(W(root / "t")));
    EXPECT_TRUE(disk.RemoveFolder(W(root / "t" / "sub").c_str()));
    EXPECT_TRUE(disk.RemoveFolder(W(root / "t").c_str()));
    EXPECT_FALSE(fs::exists(root / "t"));
}

TEST_F(DiskObjectTest, RemovesAWholeTree)
{
    fs::create_directories(root / "tree" / "a" / "b" / "c");
    fs::create_directories(root / "tree" / "d");
    Touch(root / "tree" / "top.txt");
    Touch(root / "tree" / "a" / "b" / "mid.txt");
    Touch(root / "tree" / "a" / "b" / "c" / "low.txt");
    CStringArray folders;
    ASSERT_TRUE(disk.ListAllFolders(W(root / "tree").c_str(), folders));
    const std::string base = W(root / "tree") + "\\";
    EXPECT_EQ((std::set<std::string>{base + "a\\", base + "a\\b\\", base + "a\\b\\c\\", base + "d\\"}), Names(folders));
    EXPECT_TRUE(disk.RemoveFolderTree(W(root / "tree").c_str())) << (LPCTSTR)disk.GetErrorText();
    EXPECT_FALSE(fs::exists(root / "tree"));
    EXPECT_FALSE(disk.RemoveFolderTree(W(root / "tree").c_str()));
    EXPECT_FALSE(disk.GetErrorText().IsEmpty());
}

TEST_F(DiskObjectTest, RemoveFolderTreeRefusesARoot)
{
    EXPECT_FALSE(disk.RemoveFolderTree("\\"));
    EXPECT_STREQ("CDiskObject internal error", disk.GetErrorText());
}

#ifndef _WIN32
TEST_F(DiskObjectTest, RemoveFolderTreeDoesNotFollowLinks)
{
    fs::create_directories(root / "outside");
    Touch(root / "outside" / "keep.txt");
    fs::create_directories(root / "tree" / "sub");
    fs::create_directory_symlink(root / "outside", root / "tree" / "sub" / "link");
    fs::create_symlink(root / "outside" / "keep.txt", root / "tree" / "filelink");
    EXPECT_TRUE(disk.RemoveFolderTree(W(root / "tree").c_str())) << (LPCTSTR)disk.GetErrorText();
    EXPECT_FALSE(fs::exists(root / "tree"));
    EXPECT_TRUE(fs::exists(root / "outside" / "keep.txt"));
}

TEST_F(DiskObjectTest, RemoveFolderTreeReportsWhatItCannotRemove)
{
    fs::create_directories(root / "tree" / "locked");
    Touch(root / "tree" / "locked" / "f.txt");
    fs::permissions(root / "tree" / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    if (access((root / "tree" / "locked").c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_FALSE(disk.RemoveFolderTree(W(root / "tree").c_str()));
    EXPECT_NE(std::string::npos, std::string((LPCTSTR)disk.GetErrorText()).find("f.txt"));
    fs::permissions(root / "tree" / "locked", fs::perms::owner_all);
}
#endif

#ifdef _WIN32
TEST_F(DiskObjectTest, RemoveFolderTreeReportsAReadOnlyFile)
{
    fs::create_directories(root / "tree" / "sub");
    Touch(root / "tree" / "sub" / "ro.txt");
    fs::permissions(root / "tree" / "sub" / "ro.txt", fs::perms::owner_read);
    EXPECT_FALSE(disk.RemoveFolderTree(W(root / "tree").c_str()));
    EXPECT_NE(std::string::npos, std::string((LPCTSTR)disk.GetErrorText()).find("ro.txt"));
    EXPECT_TRUE(fs::exists(root / "tree" / "sub" / "ro.txt"));
    fs::permissions(root / "tree" / "sub" / "ro.txt", fs::perms::owner_all);
}
#endif

#ifdef _WIN32
TEST_F(DiskObjectTest, FeedbackWindowShowsNamesAndErrors)
{
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 20, NULL, NULL, NULL, NULL);
    if (!window)
        GTEST_SKIP() << "no display";
    CDiskObject shown(window);
    char text[512] = "";
    Touch(root / "seen.txt");
    CStringArray list;
    EXPECT_TRUE(shown.ListFiles(W(root).c_str(), list, FALSE));
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("seen.txt", text);
    EXPECT_FALSE(shown.RemoveFile(""));
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("CDiskObject internal error", text);
    DestroyWindow(window);
}
#endif
