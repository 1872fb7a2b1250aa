#include "browser/ImageSave.h"
#include "browser/tests/FreeSpaceIs.h"
#include "browser/tests/ImageBytes.h"
#include "framework/FileFind.h"
#include "framework/tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
std::string Shell(const CString& command)
{
    std::string out;
    if (FILE* p = popen(command, "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

int CountEntries(const CString& folder)
{
    int n = 0;
    CFileFind ff;
    for (BOOL more = ff.FindFile(folder + FwPathSeparator() + "*.*"); more;) {
        more = ff.FindNextFile();
        n += !ff.IsDots();
    }
    return n;
}

class Save : public ::testing::Test {
protected:
    void SetUp() override
    {
        FwCreateDirectory(temp);
        oldTemp = getenv("TMPDIR") ? getenv("TMPDIR") : "";
        setenv("TMPDIR", temp, 1);  // the staging folder goes here
        ASSERT_TRUE(fs.NewImage(CImageFs::MODE_ROMFS, "C:\\demo.bin"));
        root = fs.GetTree().GetRoot();
    }
    void TearDown() override
    {
        if (oldTemp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", oldTemp.c_str(), 1);
    }
    CString Put(LPCTSTR name, const Bytes& b)
    {
        CString p = dir / name;
        EXPECT_TRUE(WriteBytes(p, b));
        return p;
    }
    DropResult Drop(LPCTSTR path, CFsNode* folder = NULL)
    {
        CFsNode* added = NULL;
        DropResult r = AddDroppedFile(fs, folder ? folder : root, path, FALSE, &added);
        if (added)
            rows.Add(added);
        return r;
    }
    // Drops three files, one of them twice.
    Files DropSample()
    {
        Files f = {{"a.txt", TestData(10, 1)}, {"Big.bin", TestData(70000, 2)}, {"empty", {}}};
        for (const auto& e : f)
            EXPECT_EQ(Drop(Put(e.first.c_str(), e.second)), DROP_ADDED);
        EXPECT_EQ(Drop(dir / "a.txt"), DROP_DUPLICATE);
        return f;
    }

    TempDir dir;
    CString temp = dir / "tmp";
    std::string oldTemp;
    CImageFs fs;
    CFsNode* root = NULL;
    CPtrArray rows;
};
}  // namespace

TEST(ImageExtension, AddedOnlyWhenThePathHasNoDotAnywhere)
{
    EXPECT_STREQ(AddImageExtension("C:\\out\\menu"), "C:\\out\\menu.zmn");
    EXPECT_STREQ(AddImageExtension("C:\\a.dir\\menu"), "C:\\a.dir\\menu");
    EXPECT_STREQ(AddImageExtension("/tmp/a.b/menu"), "/tmp/a.b/menu");
    EXPECT_STREQ(AddImageExtension(".\\menu"), ".\\menu");
    EXPECT_STREQ(AddImageExtension("C:\\out\\menu.img"), "C:\\out\\menu.img");
    EXPECT_STREQ(AddImageExtension("menu."), "menu.");
}

TEST_F(Save, DropRefusesFoldersDuplicatesAndReadOnlyImages)
{
    Files f = DropSample();
    FwCreateDirectory(dir / "other");
    EXPECT_TRUE(WriteBytes(dir / "other" + FwPathSeparator() + "A.TXT", TestData(3, 3)));
    EXPECT_EQ(Drop(dir / "other" + FwPathSeparator() + "A.TXT"), DROP_DUPLICATE);
    EXPECT_EQ(Drop(temp), DROP_FOLDER);
    EXPECT_EQ(Drop(dir / "missing"), DROP_UNREADABLE);
    CFsNode* added = NULL;
    EXPECT_EQ(AddDroppedFile(fs, root, dir / "Big.bin", TRUE, &added), DROP_READ_ONLY);
    EXPECT_EQ(added, nullptr);
    ASSERT_EQ(rows.GetSize(), 3);
    int children = 0;
    for (CFsNode* n = root->m_pChild; n; n = n->m_pNext, ++children) {
        EXPECT_TRUE(n->IsDiskFile());
        EXPECT_EQ(n->m_dwSize, f[(LPCTSTR)n->m_strName].size());
    }
    EXPECT_EQ(children, 3);
}

TEST_F(Save, FilesDroppedOnAFileRowGoIntoItsFolder)
{
    Drop(Put("one", TestData(5, 3)));
    CFsNode* file = static_cast<CFsNode*>(rows[0]);
    EXPECT_EQ(DropFolderFor(file, NULL), root);
    EXPECT_EQ(DropFolderFor(NULL, root), root);
    EXPECT_EQ(DropFolderFor(root, NULL), root);
    EXPECT_EQ(DropFolderFor(NULL, NULL), nullptr);
    EXPECT_EQ(Drop(Put("two", TestData(5, 4)), DropFolderFor(file, NULL)), DROP_ADDED);
    EXPECT_EQ(file->m_pChild, nullptr);
}

TEST_F(Save, PlainSaveHoldsExactlyTheDroppedFilesAndRemovesTheStagingFolder)
{
    Files f = DropSample();
    CString image;
    ASSERT_EQ(SaveNodesAsImage(fs, rows, dir / "out", FALSE, FALSE, image), SAVE_CREATED);
    EXPECT_STREQ(image, AddImageExtension(dir / "out"));
    std::string volume;
    Files read;
    ASSERT_TRUE(ParseRomfs(ReadBytes(image), volume, read));
    EXPECT_EQ(volume, "DemoRomfs");
    EXPECT_TRUE(read == f);
    EXPECT_EQ(CountEntries(temp), 0);
    EXPECT_FALSE(FwFileExists(image + ".zip"));
}

TEST_F(Save, CompressedSaveIsOneZipMemberReadByUnzip)
{
    Files f = DropSample();
    CString image;
    ASSERT_EQ(SaveNodesAsImage(fs, rows, dir / "menu.img", FALSE, TRUE, image), SAVE_ZIPPED);
    EXPECT_FALSE(FwFileExists(image));
    CString zip = image + ".zip";
    EXPECT_EQ(Shell("zipinfo -1 '" + zip + "'"), "menu.img\n");
    std::string unzipped = Shell("unzip -p '" + zip + "' menu.img");
    std::string volume;
    Files read;
    ASSERT_TRUE(ParseRomfs(Bytes(unzipped.begin(), unzipped.end()), volume, read));
    EXPECT_TRUE(read == f);
    EXPECT_EQ(Shell("unzip -tq '" + zip + "'").find("No errors"), 0u);
    EXPECT_EQ(CountEntries(temp), 0);
}

TEST_F(Save, FailuresKeepWhatIsOnDisk)
{
    CString image;
    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "x", FALSE, FALSE, image), SAVE_NO_FILES);
    DropSample();
    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "x", TRUE, FALSE, image), SAVE_READ_ONLY);

    // a zip that cannot replace its target leaves the plain image
    FwCreateDirectory(dir / "z.zmn.zip");
    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "z.zmn", FALSE, TRUE, image), SAVE_ZIP_FAILED);
    EXPECT_EQ(ReadBytes(image).size() % 1024, 0u);
    EXPECT_FALSE(ReadBytes(image).empty());

    // a dropped file gone before the save fails it and keeps an old target
    Bytes old = TestData(77, 9);
    CString target = Put("keep.zmn", old);
    FwDeleteFile(dir / "Big.bin");
    EXPECT_EQ(SaveNodesAsImage(fs, rows, target, FALSE, FALSE, image), SAVE_EXTRACT_FAILED);
    EXPECT_TRUE(ReadBytes(target) == old);
    EXPECT_FALSE(fs.CreateImage(dir / "no-such-folder", target, CImageFs::MODE_ROMFS, "v"));
    EXPECT_TRUE(ReadBytes(target) == old);
    EXPECT_EQ(CountEntries(temp), 0);
    EXPECT_EQ(CountEntries(dir.Path()),
              6);  // tmp, a.txt, empty, z.zmn, z.zmn.zip, keep.zmn
}

// Each failure names the file it could not use and why.
TEST_F(Save, FailuresNameTheFileAndTheReason)
{
    DropSample();
    CString image;
    SaveProblem problem;
    FwCreateDirectory(dir / "z.zmn.zip");
    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "z.zmn", FALSE, TRUE, image, &problem), SAVE_ZIP_FAILED);
    EXPECT_STREQ(problem.file, dir / "z.zmn.zip");
    EXPECT_EQ(problem.reason, CImageFs::OPEN_CANNOT_WRITE);

    CString nowhere = dir / "no-such-folder" + FwPathSeparator() + "menu.zmn";
    EXPECT_EQ(SaveNodesAsImage(fs, rows, nowhere, FALSE, FALSE, image, &problem), SAVE_BUILD_FAILED);
    EXPECT_STREQ(problem.file, nowhere);
    EXPECT_EQ(problem.reason, CImageFs::OPEN_CANNOT_WRITE);

    CString bad = dir / "menu?.zmn";
    EXPECT_EQ(SaveNodesAsImage(fs, rows, bad, FALSE, FALSE, image, &problem), SAVE_BUILD_FAILED);
    EXPECT_STREQ(problem.file, bad);
    EXPECT_EQ(problem.reason, CImageFs::OPEN_NAME_NOT_ALLOWED);

    {
        FreeSpaceIs full(1000);  // the staging folder shares the disk, but writes less
        EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "full.zmn", FALSE, FALSE, image, &problem), SAVE_BUILD_FAILED);
        EXPECT_STREQ(problem.file, dir / "full.zmn");
        EXPECT_EQ(problem.reason, CImageFs::OPEN_NO_SPACE);
        EXPECT_FALSE(FwFileExists(dir / "full.zmn"));
    }

    FwDeleteFile(dir / "Big.bin");
    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "gone.zmn", FALSE, FALSE, image, &problem), SAVE_EXTRACT_FAILED);
    EXPECT_STREQ(problem.file, dir / "Big.bin");
    EXPECT_EQ(problem.reason, CImageFs::OPEN_CANNOT_READ);
    EXPECT_FALSE(FwFileExists(dir / "gone.zmn"));

    EXPECT_EQ(SaveNodesAsImage(fs, rows, dir / "x", TRUE, FALSE, image, &problem), SAVE_READ_ONLY);
    EXPECT_TRUE(problem.file.IsEmpty());
    EXPECT_EQ(CountEntries(temp), 0);
}

// The builder could not write the image: the target is named, not the source.
TEST_F(Save, ImageThatCannotBeWrittenIsATargetFailure)
{
    FwCreateDirectory(dir / "src");
    Put("src/big.bin", TestData(70000, 5));
    CString target = dir / "menu.zmn";
    rlimit old = {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    BOOL built = fs.CreateImage(dir / "src", target, CImageFs::MODE_ROMFS, "v");
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(built);
    EXPECT_EQ(fs.GetBuildError(), CImageFs::OPEN_CANNOT_WRITE);
    EXPECT_EQ(CountEntries(dir.Path()), 2);  // tmp, src: no target, no partial image

    FreeSpaceIs full(70000);
    EXPECT_FALSE(fs.CreateImage(dir / "src", target, CImageFs::MODE_ROMFS, "v"));
    EXPECT_EQ(fs.GetBuildError(), CImageFs::OPEN_NO_SPACE);
    EXPECT_EQ(CountEntries(dir.Path()), 2);
    EXPECT_FALSE(fs.CreateImage(dir / "missing", target, CImageFs::MODE_ROMFS, "v"));
    EXPECT_EQ(fs.GetBuildError(), CImageFs::OPEN_CANNOT_READ);
}

TEST_F(Save, ZipNeedsBothPathsAndAReadableImage)
{
    EXPECT_FALSE(ZipImageFile("", dir / "a"));
    EXPECT_FALSE(ZipImageFile(dir / "a.zip", ""));
    EXPECT_FALSE(ZipImageFile(dir / "a.zip", dir / "missing"));
    EXPECT_FALSE(FwFileExists(dir / "a.zip"));
}
