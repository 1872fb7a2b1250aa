#include "browser/ImageFs.h"
#include "browser/NodeFiles.h"
#include "browser/tests/ImageBytes.h"
#include "framework/FileFind.h"
#include "framework/MemFile.h"
#include "framework/tests/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {
enum Container { PLAIN,
                 GZIP,
                 ZIP };

Bytes Wrap(const Bytes& image, Container c)
{
    if (c == GZIP)
        return MakeGzip(image);
    if (c == ZIP)
        return MakeZip({{"menu.zmn", image}, {"other", TestData(100, 1)}});
    return image;
}

// The image's children of `node` equal the entries, in reverse order, and
// every file extracts to its data.
void ExpectSameTree(CImageFs& fs, CFsNode* node, const std::vector<TestEntry>& entries, const CString& out)
{
    std::vector<const TestEntry*> expected;
    for (const TestEntry& e : entries)
        expected.push_back(&e);
    std::reverse(expected.begin(), expected.end());
    size_t i = 0;
    for (CFsNode* n = node->m_pChild; n; n = n->m_pNext, ++i) {
        ASSERT_LT(i, expected.size()) << (LPCTSTR)n->m_strName;
        const TestEntry& e = *expected[i];
        EXPECT_EQ(n->m_pParent, node);
        EXPECT_EQ(std::string(n->m_strName), e.name);
        EXPECT_STREQ(n->m_strSource, "(rd)/");
        if (e.folder) {
            EXPECT_EQ(n->m_nType, CFsNode::TYPE_FOLDER) << e.name;
            ExpectSameTree(fs, n, e.children, out);
            continue;
        }
        EXPECT_EQ(n->m_nType, CFsNode::TYPE_FILE) << e.name;
        EXPECT_EQ(n->m_dwSize, e.data.size()) << e.name;
        CString target = out + FwPathSeparator() + "x";
        ASSERT_EQ(fs.Extract(n, target, TRUE), CImageFs::EXTRACT_OK) << e.name;
        Bytes got = ReadBytes(target);
        EXPECT_EQ(std::string(got.begin(), got.end()), e.data) << e.name;
    }
    EXPECT_EQ(i, expected.size());
}

std::vector<TestEntry> SampleTree()
{
    std::vector<TestEntry> deep = {TestEntry::File("leaf", "bottom")};
    for (int level = 30; level > 0; --level)
        deep = {TestEntry::Folder("d" + std::to_string(level), deep)};
    TestEntry bare = TestEntry::Folder("zero-length");
    bare.bare = true;
    Bytes big = TestData(70000, 3);
    return {
        TestEntry::File("empty", ""),
        TestEntry::File(std::string(15, 'f'), "fifteen"),
        TestEntry::File(std::string(16, 's'), "sixteen bytes!!!"),
        TestEntry::File(std::string(17, 'e'), std::string(33, 'q')),
        TestEntry::File("menu.lst", "title x\nkernel /y\n", true),
        TestEntry::File("big.bin", std::string(big.begin(), big.end())),
        TestEntry::Folder("empty folder"),
        bare,
        TestEntry::Folder(std::string(16, 'F'), {TestEntry::File("a", "1"), TestEntry::File("b", "")}),
        deep[0],
    };
}

class RomfsRead : public ::testing::TestWithParam<Container> {
protected:
    CString Put(const Bytes& b, LPCTSTR name = "menu.img")
    {
        CString p = dir / name;
        EXPECT_TRUE(WriteBytes(p, b));
        return p;
    }
    TempDir dir;
    TempDir out;
};
}  // namespace

TEST_P(RomfsRead, NodeTreeAndExtractedFilesEqualTheSource)
{
    std::vector<TestEntry> tree = SampleTree();
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(Put(Wrap(RomfsBytes::Make("Menu volume", tree), GetParam()))));
    CFsNode* root = fs.GetTree().GetRoot();
    EXPECT_STREQ(root->m_strName, "Menu volume");
    EXPECT_EQ(root->m_nType, CFsNode::TYPE_OTHER);
    ExpectSameTree(fs, root, tree, out.Path());
    CRomfsImage* image = static_cast<CRomfsImage*>(fs.GetActiveImage());
    EXPECT_EQ(image->GetTempFile().IsEmpty(), GetParam() == PLAIN);

    // the same bytes in memory; a compressed image is still inflated to a file
    Bytes bytes = Wrap(RomfsBytes::Make("Menu volume", tree), GetParam());
    CMemFile memory(bytes.data(), (UINT)bytes.size());
    CImageFs fromMemory;
    ASSERT_TRUE(fromMemory.OpenImage(memory));
    EXPECT_STREQ(fromMemory.GetTree().GetRoot()->m_strName, "Menu volume");
    ExpectSameTree(fromMemory, fromMemory.GetTree().GetRoot(), tree, out.Path());
    image = static_cast<CRomfsImage*>(fromMemory.GetActiveImage());
    EXPECT_EQ(image->GetTempFile().IsEmpty(), GetParam() == PLAIN);
    EXPECT_EQ(image->GetImagePath().IsEmpty(), GetParam() == PLAIN);
}

TEST_P(RomfsRead, VolumeNamesAtTheirLengthLimits)
{
    for (size_t len : {0, 1, 15, 16, 17, 31, 32, 495}) {
        std::string volume(len, 'v');
        Bytes image = RomfsBytes::Make(volume, {TestEntry::File("f", "data")});
        CImageFs fs;
        ASSERT_TRUE(fs.OpenImage(Put(Wrap(image, GetParam())))) << len;
        CFsNode* root = fs.GetTree().GetRoot();
        EXPECT_EQ(std::string(root->m_strName), volume);
        EXPECT_EQ(root->m_dwSize, image.size());
        ASSERT_TRUE(root->m_pChild);
        EXPECT_STREQ(root->m_pChild->m_strName, "f");
    }
    // the name and its NUL no longer fit the header block
    CImageFs fs;
    EXPECT_FALSE(fs.OpenImage(Put(Wrap(RomfsBytes::Make(std::string(496, 'v'), {}), GetParam()))));
}

TEST_P(RomfsRead, HostileImagesFailAndKeepThePreviousImage)
{
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(Put(Wrap(RomfsBytes::Make("good", {TestEntry::File("keep", "me")}), GetParam()),
                                 "good.img")));
    CFsNode* kept = fs.GetTree().GetRoot()->m_pChild;
    ASSERT_TRUE(kept);

    std::vector<TestEntry> tree = {TestEntry::Folder("sub", {TestEntry::File("x", "12345")}),
                                   TestEntry::File("y", "abc")};
    Bytes good = RomfsBytes::Make("vol", tree);
    std::vector<Bytes> bad;
    // truncated at every 16 bytes, size word kept (a lie) and lowered to the cut
    for (size_t cut = 0; cut < good.size(); cut += 16) {
        Bytes t(good.begin(), good.begin() + cut);
        bad.push_back(t);
        if (cut >= 16) {
            RomfsBytes::PatchWord(t, 8, (uint32_t)cut);
            if (cut < good.size() - 16)  // the last data padding may go
                bad.push_back(t);
        }
    }
    // header offsets of this layout: 32 ".", 64 "..", 96 "sub" (list at 128, "x" at 192), 240 "y"
    auto patched = [&](size_t at, uint32_t v) { Bytes b = good; RomfsBytes::PatchWord(b, at, v); return b; };
    bad.push_back(patched(96, 96 | 1));           // "sub" links to itself
    bad.push_back(patched(240, 32 | 2));          // "y" links back to "."
    bad.push_back(patched(96 + 4, 32));           // "sub" lists its parent folder
    bad.push_back(patched(240 + 8, 0x7FFFFFF0));  // oversized file
    bad.push_back(patched(240 + 8, 0xFFFFFFFF));
    bad.push_back(patched(8, 0xFFFFFFF0));        // full size past the file
    bad.push_back(patched(240, 0xFFFFFFF0 | 2));  // next header far outside
    bad.push_back(patched(96 + 4, 0x7FFFFFF0));   // first entry far outside
    {
        Bytes b = good;  // a name running to the end of the image without NUL
        RomfsBytes::PatchWord(b, 240, 0);
        b.resize(240 + 16);
        b.insert(b.end(), 300, 'n');
        RomfsBytes::PatchWord(b, 8, (uint32_t)b.size());
        bad.push_back(b);
    }
    bad.push_back(Bytes{'-', 'r', 'o', 'm', '1', 'f', 's'});
    for (size_t i = 0; i < bad.size(); ++i) {
        Bytes bytes = Wrap(bad[i], GetParam());
        EXPECT_FALSE(fs.OpenImage(Put(bytes))) << i;
        int error = fs.GetOpenError();
        ASSERT_EQ(fs.GetTree().GetRoot()->m_pChild, kept) << i;
        EXPECT_STREQ(kept->m_strName, "keep");
        // from memory: refused with the same reason
        CMemFile memory(bytes.data(), (UINT)bytes.size());
        EXPECT_FALSE(fs.OpenImage(memory)) << i;
        EXPECT_EQ(fs.GetOpenError(), error) << i;
        ASSERT_EQ(fs.GetTree().GetRoot()->m_pChild, kept) << i;
    }
    CString target = out / "keep";
    EXPECT_EQ(fs.Extract(kept, target, TRUE), CImageFs::EXTRACT_OK);
    Bytes got = ReadBytes(target);
    EXPECT_EQ(std::string(got.begin(), got.end()), "me");
}

// Headers that contradict the image they are in: damage, not another format.
TEST_P(RomfsRead, HeaderLoopsOverlongNamesAndFilesPastTheImageAreDamaged)
{
    Bytes good = RomfsBytes::Make("vol", {TestEntry::Folder("sub", {TestEntry::File("x", "12345")}),
                                          TestEntry::File("y", "abc")});
    // header offsets as above: 96 "sub", 240 "y" (its name at 256)
    auto patched = [&](size_t at, uint32_t v) { Bytes b = good; RomfsBytes::PatchWord(b, at, v); return b; };
    Bytes longName = good;
    longName.resize(256);
    longName.insert(longName.end(), 600, 'n');  // no NUL in the whole header block
    longName.insert(longName.end(), 64, 0);
    RomfsBytes::PatchWord(longName, 8, (uint32_t)longName.size());
    Bytes longVolume = RomfsBytes::Make(std::string(600, 'v'), {});
    const Bytes damaged[] = {patched(96, 96 | 1), patched(240 + 8, 0x7FFFFFF0), longName, longVolume};
    for (size_t i = 0; i < sizeof(damaged) / sizeof(damaged[0]); ++i) {
        CImageFs fs;
        EXPECT_FALSE(fs.OpenImage(Put(Wrap(damaged[i], GetParam())))) << i;
        EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_DAMAGED) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, RomfsRead, ::testing::Values(PLAIN, GZIP, ZIP));

TEST(RomfsImage, CompressedDataWithoutMagicIsRefusedBeforeAnyTempFile)
{
    TempDir dir;
    Bytes notRomfs = TestData(4000, 5);
    ASSERT_TRUE(WriteBytes(dir / "a.gz", MakeGzip(notRomfs)));
    CRomfsImage image;
    EXPECT_FALSE(image.Open(dir / "a.gz"));
    EXPECT_TRUE(image.GetTempFile().IsEmpty());
}

TEST(RomfsImage, TempFileOfACompressedImageGoesWithTheImage)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / "a.gz", MakeGzip(RomfsBytes::Make("v", {TestEntry::File("f", "1")}))));
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(dir / "a.gz"));
    CString temp = static_cast<CRomfsImage*>(fs.GetActiveImage())->GetTempFile();
    EXPECT_TRUE(FwFileExists(temp));
    ASSERT_TRUE(fs.NewImage(CImageFs::MODE_ROMFS, "C:\\demo.bin"));
    EXPECT_FALSE(FwFileExists(temp));
    CFsNode* root = fs.GetTree().GetRoot();
    EXPECT_STREQ(root->m_strName, "DemoRomfs");
    EXPECT_EQ(root->m_nType, CFsNode::TYPE_OTHER);
    EXPECT_EQ(root->m_dwSize, 30u);
    EXPECT_EQ(root->m_pChild, nullptr);
    EXPECT_FALSE(fs.NewImage(2, "x"));
    EXPECT_EQ(fs.GetActiveImage(), nullptr);
}

TEST(RomfsImage, FolderWithNonZeroSizeStillGivesANode)
{
    TempDir dir;
    Bytes b = RomfsBytes::Make("v", {TestEntry::Folder("odd", {TestEntry::File("in", "x")})});
    RomfsBytes::PatchWord(b, 96 + 8, 77);
    ASSERT_TRUE(WriteBytes(dir / "i", b));
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(dir / "i"));
    CFsNode* odd = fs.GetTree().GetRoot()->m_pChild;
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->m_nType, CFsNode::TYPE_FOLDER);
    ASSERT_TRUE(odd->m_pChild);
    EXPECT_STREQ(odd->m_pChild->m_strName, "in");
}

namespace {
std::set<std::string> Listing(const CString& folder)
{
    std::set<std::string> names;
    CFileFind ff;
    BOOL more = ff.FindFile(folder + FwPathSeparator() + "*");
    while (more) {
        more = ff.FindNextFile();
        if (!ff.IsDots())
            names.insert((LPCTSTR)ff.GetFileName());
    }
    return names;
}
}  // namespace

TEST(RomfsImage, HostileNamesStayInsideTheirFolder)
{
    TempDir dir;
    CString base = dir.Path();
    FwCreateDirectory(dir / "out");
    const char* names[] = {"../up", "..\\up2", "/abs", "C:drive", "c:\\x", "CON", "nul.txt", "com1",
                           "ctl\x01\x1f", "dot.", "..", ".", "sp ", "a/b/c", "Lpt9.log"};
    std::vector<TestEntry> tree;
    for (const char* n : names)
        tree.push_back(TestEntry::File(n, std::string("data of ") + n));
    ASSERT_TRUE(WriteBytes(dir / "img", RomfsBytes::Make("v", tree)));
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(dir / "img"));
    CPtrArray nodes;
    for (CFsNode* n = fs.GetTree().GetRoot()->m_pChild; n; n = n->m_pNext)
        nodes.Add(n);
    EXPECT_EQ(nodes.GetSize(), 13);  // "." and ".." are never nodes
    EXPECT_EQ(ExtractNodesTo(fs, nodes, dir / "out"), 13);
    EXPECT_EQ(Listing(base), (std::set<std::string>{"img", "out"}));
    std::set<std::string> got = Listing(dir / "out");
    for (const std::string& n : got) {
        EXPECT_EQ(n.find_first_of("/\\:\x01\x1f"), std::string::npos) << n;
        EXPECT_NE(n.back(), '.');
        EXPECT_NE(n.back(), ' ');
    }
    EXPECT_TRUE(got.count("_CON") && got.count("_nul.txt") && got.count("_com1") && got.count("_Lpt9.log"));
    EXPECT_TRUE(got.count(".._up") && got.count("a_b_c") && got.count("dot._"));
}

TEST(NodeFiles, SafeFileNames)
{
    EXPECT_STREQ(MakeSafeFileName("menu.lst"), "menu.lst");
    EXPECT_STREQ(MakeSafeFileName(""), "_");
    EXPECT_STREQ(MakeSafeFileName(".."), "_.._");
    EXPECT_STREQ(MakeSafeFileName("."), "_._");
    EXPECT_STREQ(MakeSafeFileName("x:\\y"), "x__y");
    EXPECT_STREQ(MakeSafeFileName("aux.tar.gz"), "_aux.tar.gz");
    EXPECT_STREQ(MakeSafeFileName("console"), "console");
    EXPECT_STREQ(MakeSafeFileName("COM10"), "COM10");
    EXPECT_STREQ(MakeSafeFileName("a<b>|?*\"\x7f"), "a_b______");
}

TEST(NodeFiles, LongNamesAreShortenedForMessagesKeepingHeadAndTail)
{
    EXPECT_STREQ(ShortenForMessage("menu.lst", 64), "menu.lst");
    std::string exact(64, 'e');
    EXPECT_STREQ(ShortenForMessage(exact.c_str(), 64), exact.c_str());
    std::string name = "head" + std::string(400, 'm') + "tail.bin";
    CString shown = ShortenForMessage(name.c_str(), 64);
    EXPECT_EQ(shown.GetLength(), 64);
    std::string s = (LPCTSTR)shown;
    EXPECT_EQ(s.substr(0, 4), "head");
    EXPECT_NE(s.find("..."), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 8), "tail.bin");
}

TEST(NodeFiles, SizeTexts)
{
    EXPECT_STREQ(FormatSizeText(0), "000 Byte");
    EXPECT_STREQ(FormatSizeText(1023), "1023 Byte");
    EXPECT_STREQ(FormatSizeText(1024), "1.00 KB");
    EXPECT_STREQ(FormatSizeText(1048575), "1024.00 KB");
    EXPECT_STREQ(FormatSizeText(1048576), "1.00 MB");
    EXPECT_STREQ(FormatSizeText(1073741824), "1.00 GB");
}

TEST(NodeFiles, DropFilesBlockLayout)
{
    CStringArray paths;
    paths.Add("C:\\t\\a.txt");
    paths.Add("C:\\t\\bb");
    std::vector<BYTE> block;
    BuildDropFilesBlock(paths, block);
    size_t total = 11 + 8;
    EXPECT_EQ(block.size(), ((total + 22) / 32 + 1) * 32);
    EXPECT_EQ(block.size() % 32, 0u);
    EXPECT_EQ(block[0], 20);
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(block[i], 0) << i;
    EXPECT_STREQ((const char*)&block[20], "C:\\t\\a.txt");
    EXPECT_STREQ((const char*)&block[31], "C:\\t\\bb");
    EXPECT_EQ(block[39], 0);
    EXPECT_EQ(block[40], 0);
}

TEST(NodeFiles, TempExtractionCopiesDiskFilesAndSkipsFolders)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / "dropped.txt", Bytes{'h', 'i'}));
    CImageFs fs;
    ASSERT_TRUE(fs.NewImage(CImageFs::MODE_ROMFS, "C:\\demo.bin"));
    CFsNode disk;
    ASSERT_TRUE(MakeDiskFileNode(dir / "dropped.txt", disk, CFsNode::TYPE_FILE));
    EXPECT_STREQ(disk.m_strName, "dropped.txt");
    EXPECT_EQ(disk.m_dwSize, 2u);
    EXPECT_FALSE(MakeDiskFileNode(dir / "missing", disk, CFsNode::TYPE_FILE));
    CFsNode* file = fs.GetTree().Insert(NULL, disk);
    CFsNode folder;
    folder.m_nType = CFsNode::TYPE_FOLDER;
    folder.m_strName = "f";
    CPtrArray nodes;
    nodes.Add(fs.GetTree().Insert(NULL, folder));
    nodes.Add(file);
    CStringArray paths;
    ASSERT_TRUE(ExtractNodesToTemp(fs, nodes, paths));
    ASSERT_EQ(paths.GetSize(), 1);
    EXPECT_EQ(ReadBytes(paths[0]), (Bytes{'h', 'i'}));
    FwDeleteFile(paths[0]);
    CString asIs;
    EXPECT_EQ(fs.Extract(file, asIs, FALSE), CImageFs::EXTRACT_OK);
    EXPECT_EQ(asIs, dir / "dropped.txt");
    EXPECT_FALSE(ExtractNodesToTemp(fs, CPtrArray(), paths));
}

TEST(FsNodeTree, InsertsAtTheHeadAndDeletesDeepSubtrees)
{
    CFsNodeTree tree;
    CFsNode t;
    t.m_strName = "a";
    CFsNode* a = tree.Insert(NULL, t);
    t.m_strName = "b";
    CFsNode* b = tree.Insert(NULL, t);
    EXPECT_EQ(tree.GetRoot()->m_pChild, b);
    EXPECT_EQ(b->m_pNext, a);
    CFsNode* p = a;
    for (int i = 0; i < 200000; ++i)
        p = tree.Insert(p, t);
    EXPECT_EQ(tree.GetCount(), 200003);
    tree.Delete(a);
    EXPECT_EQ(tree.GetCount(), 2);
    EXPECT_EQ(tree.GetRoot()->m_pChild, b);
    EXPECT_EQ(b->m_pNext, nullptr);
    tree.Delete(tree.GetRoot());
    EXPECT_EQ(tree.GetCount(), 1);
    EXPECT_EQ(tree.GetRoot()->m_pChild, nullptr);
}

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {
void MakeTree(const CString& root, int seed)
{
    FwCreateDirectory(root);
    FwCreateDirectory(root + "/empty");
    FwCreateDirectory(root + "/also empty");
    WriteBytes(root + "/" + CString('a', 15), TestData(15, seed));
    WriteBytes(root + "/" + CString('b', 16), TestData(16, seed + 1));
    WriteBytes(root + "/" + CString('c', 17), TestData(100000, seed + 2));
    WriteBytes(root + "/zero", Bytes());
    WriteBytes(root + "/run.sh", Bytes{'#', '!', '/', 'b', 'i', 'n'});
#ifndef _WIN32
    chmod(FwNativePath(root + "/run.sh"), 0755);
#endif
    CString deep = root;
    for (int i = 0; i < 25; ++i) {
        deep += i == 5 ? "/level-16-chars!" : "/d";  // short: Windows paths end at 260
        FwCreateDirectory(deep);
        WriteBytes(deep + "/f" + CString('x', i), TestData(i * 37, seed + i));
    }
}

// The node's children equal the folder's entries by name and kind; every
// file extracts to the bytes of its source.
void ExpectSameAsFolder(CImageFs& fs, CFsNode* node, const CString& folder, const CString& out, int& files)
{
    std::set<std::string> disk, image;
    CFileFind ff;
    BOOL more = ff.FindFile(folder + "/*");
    while (more) {
        more = ff.FindNextFile();
        if (!ff.IsDots())
            disk.insert(std::string((LPCTSTR)ff.GetFileName()) + (ff.IsDirectory() ? "/" : ""));
    }
    ff.Close();
    for (CFsNode* n = node->m_pChild; n; n = n->m_pNext) {
        image.insert(std::string((LPCTSTR)n->m_strName) + (n->IsFolder() ? "/" : ""));
        CString src = folder + "/" + n->m_strName;
        if (n->IsFolder()) {
            ExpectSameAsFolder(fs, n, src, out, files);
            continue;
        }
        ASSERT_EQ(n->m_nType, CFsNode::TYPE_FILE);
        CString target = out + "/x";
        ASSERT_EQ(fs.Extract(n, target, TRUE), CImageFs::EXTRACT_OK) << (LPCTSTR)src;
        EXPECT_TRUE(ReadBytes(target) == ReadBytes(src)) << (LPCTSTR)src;
        ++files;
    }
    EXPECT_EQ(image, disk) << (LPCTSTR)folder;
}
}  // namespace

TEST_P(RomfsRead, ImagesOfOurBuilderReadBackAsTheirFolder)
{
    CString src = dir / "src";
    MakeTree(src, 11);
    CImageFs fs;
    ASSERT_TRUE(fs.CreateImage(src, dir / "built.zmn", CImageFs::MODE_ROMFS, "Built volume"));
    EXPECT_FALSE(fs.CreateImage(src, dir / "other.zmn", 2, "x"));
    ASSERT_TRUE(fs.OpenImage(Put(Wrap(ReadBytes(dir / "built.zmn"), GetParam()))));
    EXPECT_STREQ(fs.GetTree().GetRoot()->m_strName, "Built volume");
    int files = 0;
    ExpectSameAsFolder(fs, fs.GetTree().GetRoot(), src, out.Path(), files);
    EXPECT_EQ(files, 30);
}
