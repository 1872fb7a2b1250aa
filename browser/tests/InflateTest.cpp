#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include "browser/ImageFs.h"
#include "browser/tests/FreeSpaceIs.h"
#include "browser/tests/ImageBytes.h"
#include "designer/core/ArchiveFile.h"
#include "designer/core/RomfsBuilder.h"
#include "designer/core/ZipEntryInfo.h"
#include "framework/FileFind.h"
#include "framework/tests/TempDir.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
// Points the process's temp folder at a fresh folder for the test's life.
class TempFolderHere {
public:
    TempFolderHere() : m_old(FwGetTempPath())
    {
        Set(m_dir.Path());
        EXPECT_TRUE(FwGetTempPath().Left(m_dir.Path().GetLength()) == m_dir.Path());
    }
    ~TempFolderHere() { Set(m_old); }
    // Names of the files the folder holds.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        CFileFind ff;
        BOOL more = ff.FindFile(m_dir.Path() + FwPathSeparator() + "*.*");
        while (more) {
            more = ff.FindNextFile();
            if (!ff.IsDots())
                names.push_back((LPCTSTR)ff.GetFileName());
        }
        return names;
    }

private:
    static void Set(const CString& path)
    {
#ifdef _WIN32
        SetEnvironmentVariableA("TMP", path);
        SetEnvironmentVariableA("TEMP", path);
#else
        setenv("TMPDIR", path, 1);
#endif
    }
    TempDir m_dir;
    CString m_old;
};

void WriteText(const CString& path, const char* text)
{
    WriteBytes(path, Bytes(text, text + strlen(text)));
}

// A menu folder as the menu generator leaves it before the image is built.
void MakeMenuFolder(const CString& root)
{
    FwCreateDirectory(root);
    FwCreateDirectory(root + "/kelboot");
    FwCreateDirectory(root + "/kelboot/pics");
    WriteText(root + "/kelboot/kelmenu.ini", "[menu]\r\ntitle=Start\r\n; end of file.\r\n");
    WriteBytes(root + "/kelboot/pics/back.bmp", TestData(70000, 3));
    WriteBytes(root + "/kelboot/pics/item0123456789ab.bmp", TestData(1600, 4));
    WriteBytes(root + "/kelboot/empty", Bytes());
}

BOOL AddMember(zipFile zip, const char* name, const Bytes& data)
{
    zip_fileinfo info = ZipEntryInfoNow();
    return zipOpenNewFileInZip(zip, name, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED, Z_DEFAULT_COMPRESSION) == ZIP_OK &&
           zipWriteInFileInZip(zip, data.data(), (unsigned)data.size()) == ZIP_OK && zipCloseFileInZip(zip) == ZIP_OK;
}

// The package the studio writes: the gzip-compressed image first, then the
// preview picture and the description.
bool MakePackage(const CString& zipPath, const CString& gzPath)
{
    zipFile zip = (zipFile)CArchiveFile::CreateZip(zipPath);
    if (!zip)
        return false;
    BOOL ok = AddMember(zip, "menu.gz", ReadBytes(gzPath)) && AddMember(zip, "menu.png", TestData(900, 8)) &&
              AddMember(zip, "menu.txt", Bytes{'h', 'i'});
    return zipClose(zip, "a menu") == ZIP_OK && ok;
}

std::string ExtractText(CImageFs& fs, CFsNode* node, const CString& out)
{
    CString target = out + FwPathSeparator() + "x";
    if (fs.Extract(node, target, TRUE) != CImageFs::EXTRACT_OK)
        return "(failed)";
    Bytes b = ReadBytes(target);
    return std::string(b.begin(), b.end());
}

// Both trees hold the same nodes in the same order, and every file node
// extracts to the same bytes.
void ExpectSameTree(CImageFs& a, CFsNode* na, CImageFs& b, CFsNode* nb, const CString& out)
{
    CFsNode* x = na->m_pChild;
    CFsNode* y = nb->m_pChild;
    for (; x && y; x = x->m_pNext, y = y->m_pNext) {
        EXPECT_STREQ(x->m_strName, y->m_strName);
        ASSERT_EQ(x->m_nType, y->m_nType) << (LPCTSTR)x->m_strName;
        EXPECT_EQ(x->m_dwSize, y->m_dwSize) << (LPCTSTR)x->m_strName;
        if (x->IsFolder())
            ExpectSameTree(a, x, b, y, out);
        else
            EXPECT_EQ(ExtractText(a, x, out), ExtractText(b, y, out)) << (LPCTSTR)x->m_strName;
    }
    EXPECT_FALSE(x || y) << "trees differ in length under " << (LPCTSTR)na->m_strName;
}

int CountNodes(CFsNode* node)
{
    int n = 0;
    for (CFsNode* c = node->m_pChild; c; c = c->m_pNext)
        n += 1 + CountNodes(c);
    return n;
}

class StudioPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeMenuFolder(dir / "src");
        image = dir / "menu";
        CRomfsBuilder builder;
        ASSERT_EQ(builder.BuildRomfsImage(dir / "src/kelboot", image, "DemoRomfs"), 1);
        plain = ReadBytes(image);
        ASSERT_FALSE(plain.empty());
        CArchiveFile gzip;
        ASSERT_TRUE(gzip.GzipFile(image)) << (LPCTSTR)gzip.GetErrorText();
        ASSERT_TRUE(WriteBytes(image, plain));  // the plain image to compare with
    }
    TempDir dir;
    TempDir out;
    CString image;
    Bytes plain;
};
}  // namespace

TEST_F(StudioPackage, OpensAsTheImageItHolds)
{
    ASSERT_TRUE(MakePackage(dir / "menu.zip", image + ".gz"));
    CImageFs packaged, direct;
    ASSERT_TRUE(packaged.OpenImage(dir / "menu.zip")) << packaged.GetOpenError();
    ASSERT_TRUE(direct.OpenImage(image));
    EXPECT_STREQ(packaged.GetTree().GetRoot()->m_strName, "DemoRomfs");
    DWORD size = RomfsBytes::WordAt(plain, 8);
    EXPECT_EQ(packaged.GetTree().GetRoot()->m_dwSize, size);
    EXPECT_EQ(CountNodes(packaged.GetTree().GetRoot()), 5);
    ExpectSameTree(packaged, packaged.GetTree().GetRoot(), direct, direct.GetTree().GetRoot(), out.Path());
    CRomfsImage* active = static_cast<CRomfsImage*>(packaged.GetActiveImage());
    EXPECT_TRUE(ReadBytes(active->GetTempFile()) == Bytes(plain.begin(), plain.begin() + size));
}

// One gzip layer inside the zip is opened, none below it, and a gzip file
// still holds the image itself.
TEST_F(StudioPackage, NoDeeperLayerIsInflated)
{
    Bytes gz = ReadBytes(image + ".gz");
    ASSERT_TRUE(WriteBytes(dir / "twice.gz", MakeGzip(gz)));
    ASSERT_TRUE(MakePackage(dir / "deep.zip", dir / "twice.gz"));
    CImageFs fs;
    EXPECT_FALSE(fs.OpenImage(dir / "deep.zip"));
    EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_NOT_IMAGE);
    EXPECT_FALSE(fs.OpenImage(dir / "twice.gz"));
    EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_NOT_IMAGE);
    ASSERT_TRUE(fs.OpenImage(image + ".gz"));
    EXPECT_EQ(CountNodes(fs.GetTree().GetRoot()), 5);
}

// A package or a gzip image cut short, as a broken download leaves it.
TEST_F(StudioPackage, CutLayersAreTruncated)
{
    Bytes gz = ReadBytes(image + ".gz");
    for (size_t cut : {gz.size() / 4, gz.size() / 2}) {
        ASSERT_TRUE(WriteBytes(dir / "cut.gz", Bytes(gz.begin(), gz.begin() + cut)));
        ASSERT_TRUE(MakePackage(dir / "cut.zip", dir / "cut.gz"));
        CImageFs fs;
        EXPECT_FALSE(fs.OpenImage(dir / "cut.zip")) << cut;
        EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_TRUNCATED) << cut;
        EXPECT_FALSE(fs.OpenImage(dir / "cut.gz")) << cut;
        EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_TRUNCATED) << cut;
    }
}

// A package or gzip image whose container header is damaged, or cut off
// before the data it states, says so rather than "not a menu image".
TEST_F(StudioPackage, DamagedAndCutContainerHeadersGiveTheirReason)
{
    Bytes gz = ReadBytes(image + ".gz");
    ASSERT_TRUE(MakePackage(dir / "whole.zip", image + ".gz"));
    Bytes zip = ReadBytes(dir / "whole.zip");
    Bytes stored = MakeZip({{"menu", plain, 0, 0}});
    Bytes crypt = MakeZip({{"menu", plain, 8, 1}});
    Bytes badMethod = gz;
    badMethod[2] = 7;
    Bytes badFlags = gz;
    badFlags[3] |= 0x20;
    Bytes damaged = gz;  // a stored deflate block whose length check fails
    damaged[10] = 0x00;
    damaged[11] = 0x05;
    damaged[12] = 0x00;
    damaged[13] = 0x00;
    damaged[14] = 0x00;
    Bytes cutName = MakeGzip(plain, 0x08);
    cutName.resize(14);  // inside the file name field
    const struct {
        const char* name;
        Bytes bytes;
        int reason;
    } cases[] = {
        {"cut.zip", Bytes(zip.begin(), zip.begin() + zip.size() / 2), CImageFs::OPEN_TRUNCATED},
        {"name.gz", cutName, CImageFs::OPEN_TRUNCATED},
        {"stored.zip", stored, CImageFs::OPEN_DAMAGED},
        {"crypt.zip", crypt, CImageFs::OPEN_DAMAGED},
        {"method.gz", badMethod, CImageFs::OPEN_DAMAGED},
        {"flags.gz", badFlags, CImageFs::OPEN_DAMAGED},
        {"data.gz", damaged, CImageFs::OPEN_DAMAGED},
        {"nine.gz", Bytes(gz.begin(), gz.begin() + 9), CImageFs::OPEN_TRUNCATED},
        {"short.zip", Bytes(zip.begin(), zip.begin() + 20), CImageFs::OPEN_TRUNCATED},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(dir / c.name, c.bytes));
        CImageFs fs;
        EXPECT_FALSE(fs.OpenImage(dir / c.name)) << c.name;
        EXPECT_EQ(fs.GetOpenError(), c.reason) << c.name;
    }
}

namespace {
const size_t kBombBytes = 48u << 20;

Bytes SmallImage()
{
    return RomfsBytes::Make("bomb", {TestEntry::File("f", "payload")});
}

// The image followed by many zero bytes, compressed: a few kilobytes on disk.
Bytes Bomb(Bytes image, bool zip = false)
{
    image.resize(image.size() + kBombBytes, 0);
    return zip ? MakeZip({{"menu.zmn", image}}) : MakeGzip(image);
}

struct ProgressLog {
    int calls = 0;
    int cancelAt = -1;
    ULONGLONG lastDone = 0, total = 0;
    static BOOL Report(void* context, ULONGLONG done, ULONGLONG total)
    {
        ProgressLog* log = static_cast<ProgressLog*>(context);
        log->lastDone = done;
        log->total = total;
        return log->calls++ != log->cancelAt;
    }
};
}  // namespace

TEST(GzipBomb, InflatesOnlyWhatTheImageHeaderStates)
{
    TempDir dir;
    TempFolderHere temp;
    Bytes image = SmallImage();
    for (bool zip : {false, true}) {
        ASSERT_TRUE(WriteBytes(dir / "bomb", Bomb(image, zip)));
        ASSERT_LT(ReadBytes(dir / "bomb").size(), 1u << 20);
        CImageFs fs;
        ASSERT_TRUE(fs.OpenImage(dir / "bomb")) << zip;
        CString file = static_cast<CRomfsImage*>(fs.GetActiveImage())->GetTempFile();
        EXPECT_TRUE(ReadBytes(file) == image) << zip;
        EXPECT_EQ(ExtractText(fs, fs.GetTree().GetRoot()->m_pChild, dir.Path()), "payload");
    }
}

TEST(GzipBomb, ImageLargerThanTheFreeSpaceIsRefusedWithTheDiskUnchanged)
{
    TempDir dir;
    TempFolderHere temp;
    Bytes image = SmallImage();
    RomfsBytes::PatchWord(image, 8, 0xFFFFFFF0u);
    ASSERT_TRUE(WriteBytes(dir / "bomb.gz", Bomb(image)));
    FreeSpaceIs free(1u << 30);
    ProgressLog log;
    CImageFs fs;
    fs.SetProgress(ProgressLog::Report, &log);
    EXPECT_FALSE(fs.OpenImage(dir / "bomb.gz"));
    EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_NO_SPACE);
    EXPECT_EQ(log.calls, 0);
    EXPECT_TRUE(temp.Files().empty());
}

TEST(GzipBomb, CancelStopsTheInflationAndRemovesItsFile)
{
    TempDir dir;
    TempFolderHere temp;
    Bytes image = SmallImage();
    RomfsBytes::PatchWord(image, 8, (uint32_t)(image.size() + kBombBytes));
    ASSERT_TRUE(WriteBytes(dir / "big.gz", Bomb(image)));
    ProgressLog log;
    log.cancelAt = 3;
    CImageFs fs;
    fs.SetProgress(ProgressLog::Report, &log);
    EXPECT_FALSE(fs.OpenImage(dir / "big.gz"));
    EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_CANCELLED);
    EXPECT_EQ(log.calls, 4);
    EXPECT_EQ(log.total, image.size() + kBombBytes);
    EXPECT_LT(log.lastDone, 1u << 20);
    EXPECT_TRUE(temp.Files().empty());
}

namespace {
// The most memory the process has held at once.
size_t PeakMemory()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return (size_t)usage.ru_maxrss * 1024;
#endif
}
}  // namespace

// A file far larger than any buffer the extraction may hold: 1 GiB of zeros
// in a gzip image of about a megabyte.
TEST(GzipBomb, GigabyteFileExtractsInBoundedMemory)
{
    TempDir dir;
    TempFolderHere temp;
    const uint32_t size = 1u << 30;
    Bytes head = RomfsBytes::ZeroFileHead("big", size);
    {
        gzFile gz = gzopen(FwNativePath(dir / "big.gz"), "wb9");
        ASSERT_TRUE(gz);
        gzwrite(gz, head.data(), (unsigned)head.size());
        std::vector<char> zeros(1 << 20, 0);
        for (uint32_t done = 0; done < size; done += (uint32_t)zeros.size())
            ASSERT_EQ(gzwrite(gz, zeros.data(), (unsigned)zeros.size()), (int)zeros.size());
        ASSERT_EQ(gzclose(gz), Z_OK);
    }
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(dir / "big.gz")) << fs.GetOpenError();
    CFsNode* node = fs.GetTree().GetRoot()->m_pChild;
    ASSERT_TRUE(node);
    ASSERT_EQ(node->m_dwSize, size);
    size_t before = PeakMemory();
    CString target = dir / "zeros";
    ASSERT_EQ(fs.Extract(node, target, TRUE), CImageFs::EXTRACT_OK);
    EXPECT_LT(PeakMemory(), before + (8u << 20));
    CFile out;
    ASSERT_TRUE(out.Open(target, CFile::modeRead | CFile::typeBinary));
    EXPECT_EQ(out.GetLength(), size);
}

TEST(GzipBomb, CancelStopsTheExtractionAndRemovesItsFile)
{
    TempDir dir;
    const uint32_t size = 4u << 20;
    Bytes image = RomfsBytes::ZeroFileHead("big", size);
    image.resize(image.size() + size, 0);
    ASSERT_TRUE(WriteBytes(dir / "big.zmn", image));
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(dir / "big.zmn"));
    ProgressLog log;
    log.cancelAt = 3;
    fs.SetProgress(ProgressLog::Report, &log);
    CString target = dir / "zeros";
    EXPECT_EQ(fs.Extract(fs.GetTree().GetRoot()->m_pChild, target, TRUE), CImageFs::EXTRACT_CANCELLED);
    EXPECT_EQ(log.calls, 4);
    EXPECT_EQ(log.total, size);
    EXPECT_LT(log.lastDone, 1u << 20);
    EXPECT_FALSE(FwFileExists(target));
}

TEST(GzipBomb, ImageShorterThanItsHeaderStatesIsTruncated)
{
    TempDir dir;
    TempFolderHere temp;
    Bytes image = SmallImage();
    RomfsBytes::PatchWord(image, 8, (uint32_t)(image.size() + 40000));
    ASSERT_TRUE(WriteBytes(dir / "short.gz", MakeGzip(image)));
    CImageFs fs;
    EXPECT_FALSE(fs.OpenImage(dir / "short.gz"));
    EXPECT_EQ(fs.GetOpenError(), CImageFs::OPEN_TRUNCATED);
    EXPECT_TRUE(temp.Files().empty());
}
