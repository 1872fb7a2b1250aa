#include "designer/core/ArchiveFile.h"
#include "designer/core/ThemePointerPacker.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "testsupport/TestSupport.h"

namespace fs = std::filesystem;

namespace {
std::string Fixture(const char* name)
{
    std::string path = std::string(ZAVO_BINARY_DIR) + "/designer/archive_fixtures/" + name;
#ifdef _WIN32
    // The build runs natively: its folders lie on Wine's drive Z:.
    path = "Z:" + path;
#endif
    return path;
}

std::string Binary()
{
    std::string data;
    for (int i = 0; i < 3000; ++i)
        data += (char)((i * 7 + 3) & 0xFF);
    return data;
}

struct Entry {
    BOOL ok = FALSE;
    std::string data;
    BOOL isFile = FALSE;
    std::string name;
    bool terminated = false;
};

Entry Get(CArchiveFile& archive, int index)
{
    Entry e;
    unsigned char* data = NULL;
    unsigned size = 0;
    CString name;
    e.ok = archive.GetEntry(index, data, size, e.isFile, name);
    if (e.ok) {
        e.data.assign((const char*)data, size);
        e.terminated = data[size] == 0;
        e.name = (LPCTSTR)name;
    }
    return e;
}

class TempFolder {
public:
    TempFolder()
    {
        m_path = fs::temp_directory_path() /
                 ("archive_test_" + std::to_string(std::rand()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    fs::path operator/(const char* name) const { return m_path / name; }

private:
    fs::path m_path;
};
}  // namespace

TEST(ArchiveFile, ReadsZipEntriesFolderEntriesAndComment)
{
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchive(Fixture("plain.zip").c_str())) << (LPCTSTR)archive.GetErrorText();
    EXPECT_EQ(CArchiveFile::KIND_ZIP, archive.GetKind());
    ASSERT_EQ(3, archive.GetEntryCount());

    Entry a = Get(archive, 0);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ("a.txt", a.name);
    EXPECT_EQ("hello zip", a.data);
    EXPECT_TRUE(a.terminated);
    // Made by an ordinary writer: no attribute bit 0x80, still a file.
    EXPECT_TRUE(a.isFile);

    Entry dir = Get(archive, 1);
    ASSERT_TRUE(dir.ok);
    EXPECT_EQ("dir/", dir.name);
    EXPECT_FALSE(dir.isFile);

    Entry b = Get(archive, 2);
    ASSERT_TRUE(b.ok);
    EXPECT_EQ("dir/b.bin", b.name);
    EXPECT_EQ(Binary(), b.data);
    EXPECT_TRUE(b.isFile);

    EXPECT_FALSE(Get(archive, 3).ok);
    EXPECT_STREQ("Could not get file at the specified position from the archive !", archive.GetErrorText());
    EXPECT_FALSE(Get(archive, -1).ok);

    CString comment;
    EXPECT_TRUE(archive.GetComment(comment));
    EXPECT_STREQ("theme comment", comment);
}

TEST(ArchiveFile, ReadsZipFromMemoryAndNamesWithoutTheirData)
{
    std::string bytes = zavotest::ReadFile(Fixture("plain.zip"));
    ASSERT_FALSE(bytes.empty());
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchiveFromMemory(bytes.data(), (unsigned long)bytes.size()));
    ASSERT_EQ(3, archive.GetEntryCount());
    EXPECT_EQ("hello zip", Get(archive, 0).data);
    EXPECT_EQ(Binary(), Get(archive, 2).data);
    CString comment;
    EXPECT_TRUE(archive.GetComment(comment));
    EXPECT_STREQ("theme comment", comment);

    // Damaged member data: the names still read, the data do not.
    std::string damaged = bytes;
    size_t at = damaged.find("dir/b.bin");
    ASSERT_NE(at, std::string::npos);
    for (size_t i = at + 9; i < at + 60; ++i)
        damaged[i] = (char)0xFF;
    ASSERT_TRUE(archive.OpenArchiveFromMemory(damaged.data(), (unsigned long)damaged.size()));
    const char* names[] = {"a.txt", "dir/", "dir/b.bin"};
    const BOOL files[] = {TRUE, FALSE, TRUE};
    for (int i = 0; i < 3; ++i) {
        CString name;
        BOOL isFile = !files[i];
        ASSERT_TRUE(archive.GetEntryName(i, name, isFile)) << i;
        EXPECT_STREQ(names[i], name);
        EXPECT_EQ(files[i], isFile);
    }
    EXPECT_FALSE(Get(archive, 2).ok);
    CString name;
    BOOL isFile = FALSE;
    EXPECT_FALSE(archive.GetEntryName(3, name, isFile));
    EXPECT_FALSE(archive.GetEntryName(-1, name, isFile));

    std::string text = "neither zip nor gzip\n";
    EXPECT_FALSE(archive.OpenArchiveFromMemory(text.data(), (unsigned long)text.size()));
    EXPECT_FALSE(archive.OpenArchiveFromMemory(bytes.data(), 40));
    EXPECT_EQ(-1, archive.GetEntryCount());
}

TEST(ArchiveFile, RefusesZipEntriesWhoseSizeLies)
{
    for (const char* name : {"huge_size.zip", "short_size.zip"}) {
        CArchiveFile archive;
        ASSERT_TRUE(archive.OpenArchive(Fixture(name).c_str())) << name;
        EXPECT_FALSE(Get(archive, 0).ok) << name;
        EXPECT_STREQ("Could not unzip file at the specified position from the archive !", archive.GetErrorText());
        // The other entries stay readable.
        EXPECT_EQ(Binary(), Get(archive, 2).data) << name;
    }
}

namespace {
// Names of the entries read at the indexes, "-" for each that fails.
std::string NamesAt(CArchiveFile& archive, std::initializer_list<int> indexes)
{
    std::string names;
    for (int i : indexes) {
        CString name;
        BOOL isFile = FALSE;
        names += archive.GetEntryName(i, name, isFile) ? (LPCTSTR)name : "-";
        names += ' ';
    }
    return names;
}

// What the archive gives from its file and from memory: open, count, names.
std::string Reading(CArchiveFile& archive, BOOL opened)
{
    if (!opened)
        return "not opened";
    return std::to_string(archive.GetEntryCount()) + ": " + NamesAt(archive, {0, 1, 2, 3});
}
}  // namespace

// Entries are found by index in any order, and damaged directories give the
// same from a file, whose reads past its end the zip library may go on with,
// and from memory, which refuses them.
TEST(ArchiveFile, EntriesInAnyOrderAndDamagedDirectoriesFromFileAndMemory)
{
    std::string bytes = zavotest::ReadFile(Fixture("plain.zip"));
    ASSERT_FALSE(bytes.empty());
    size_t end = bytes.rfind("PK\x05\x06");
    size_t last = bytes.rfind("PK\x01\x02");
    ASSERT_NE(end, std::string::npos);
    ASSERT_NE(last, std::string::npos);
    std::string pastEnd = bytes, longExtra = bytes, farData = bytes;
    std::string cut = bytes.substr(0, end - 10) + bytes.substr(end);
    pastEnd[end + 17] = (char)0x70;     // the directory's offset
    longExtra[last + 30] = (char)0xFF;  // the last entry's extra field length
    longExtra[last + 31] = (char)0xFF;
    farData[last + 45] = (char)0x70;  // the last entry's local header offset
    TempFolder dir;
    const char* plainEntry = "1: unknown unknown unknown unknown ";
    const struct {
        const char* name;
        const std::string& data;
        const char* fromFile;
        const char* fromMemory;
        bool lastFromFile;
        bool lastFromMemory;
    } cases[] = {
        {"plain.zip", bytes, "3: a.txt dir/ dir/b.bin - ", "3: a.txt dir/ dir/b.bin - ", true, true},
        {"past_end.zip", pastEnd, plainEntry, "not opened", false, false},
        // a file can be read past its end, memory cannot
        {"long_extra.zip", longExtra, "3: a.txt dir/ dir/b.bin - ", "3: a.txt dir/ - - ", true, false},
        {"cut.zip", cut, plainEntry, "not opened", false, false},
        {"far_data.zip", farData, "3: a.txt dir/ dir/b.bin - ", "3: a.txt dir/ dir/b.bin - ", false, false},
    };
    for (const auto& c : cases) {
        std::string path = (dir / c.name).string();
        ASSERT_TRUE(zavotest::WriteFile(path, c.data));
        CArchiveFile file, memory;
        EXPECT_EQ(Reading(file, file.OpenArchive(path.c_str())), c.fromFile) << c.name;
        BOOL opened = memory.OpenArchiveFromMemory(c.data.data(), (unsigned long)c.data.size());
        EXPECT_EQ(Reading(memory, opened), c.fromMemory) << c.name;
        // the bytes as a file's read as the file does
        CArchiveFile bytes;
        EXPECT_EQ(Reading(bytes, bytes.OpenArchiveBytes(c.data.data(), (unsigned long)c.data.size())), c.fromFile)
            << c.name;
        if (file.GetKind() == CArchiveFile::KIND_ZIP) {
            EXPECT_EQ(Get(file, 2).ok, c.lastFromFile) << c.name;
            EXPECT_EQ(Get(bytes, 2).ok, c.lastFromFile) << c.name;
        }
        if (opened) {
            EXPECT_EQ(Get(memory, 2).ok, c.lastFromMemory) << c.name;
        }
    }
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchive(Fixture("plain.zip").c_str()));
    EXPECT_EQ(NamesAt(archive, {2, 0, 2, 1, 3, 1, -1, 0, 2}), "dir/b.bin a.txt dir/b.bin dir/ - dir/ - a.txt dir/b.bin ");
    EXPECT_EQ(Binary(), Get(archive, 2).data);
    EXPECT_EQ("hello zip", Get(archive, 0).data);
    EXPECT_EQ(NamesAt(archive, {1, 2}), "dir/ dir/b.bin ");
}

TEST(ArchiveFile, ReadsTarInsideGzip)
{
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchive(Fixture("pair.tar.gz").c_str()));
    EXPECT_EQ(CArchiveFile::KIND_TAR_GZIP, archive.GetKind());
    ASSERT_EQ(2, archive.GetEntryCount());
    Entry one = Get(archive, 0);
    Entry two = Get(archive, 1);
    ASSERT_TRUE(one.ok && two.ok);
    EXPECT_EQ("one.txt", one.name);
    EXPECT_EQ("first file", one.data);
    EXPECT_TRUE(one.isFile && one.terminated);
    EXPECT_EQ("two.bin", two.name);
    EXPECT_EQ(Binary(), two.data);
    EXPECT_FALSE(Get(archive, 2).ok);
    EXPECT_STREQ("Invalid file position !", archive.GetErrorText());
}

TEST(ArchiveFile, TarNameFillingItsWholeFieldStopsAtTheField)
{
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchive(Fixture("longname.tar.gz").c_str()));
    Entry e = Get(archive, 0);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(std::string(100, 'n'), e.name);
}

TEST(ArchiveFile, TarHeaderWithSizePastTheDataIsNoEntry)
{
    CArchiveFile archive;
    ASSERT_TRUE(archive.OpenArchive(Fixture("lying.tar.gz").c_str()));
    EXPECT_EQ(CArchiveFile::KIND_TAR_GZIP, archive.GetKind());
    EXPECT_EQ(1, archive.GetEntryCount());
    EXPECT_EQ("abc", Get(archive, 0).data);
    EXPECT_FALSE(Get(archive, 1).ok);
    EXPECT_STREQ("Invalid file position !", archive.GetErrorText());
    EXPECT_FALSE(Get(archive, 2).ok);
}

TEST(ArchiveFile, SingleGzipAndPlainFilesAreOneEntryNamedUnknown)
{
    const struct
    {
        const char* file;
        std::string data;
    } cases[] = {
        {"short.gz", "short text"},
        {"text.gz", [] { std::string s; for (int i = 0; i < 200; ++i) s += "line of text\n"; return s; }()},
        {"notcompressed.txt", "neither zip nor gzip\n"},
        {"binary.bin", Binary()},
    };
    for (const auto& c : cases) {
        CArchiveFile archive;
        ASSERT_TRUE(archive.OpenArchive(Fixture(c.file).c_str())) << c.file;
        EXPECT_EQ(CArchiveFile::KIND_GZIP, archive.GetKind()) << c.file;
        EXPECT_EQ(1, archive.GetEntryCount());
        for (int index : {0, 5}) {
            Entry e = Get(archive, index);
            ASSERT_TRUE(e.ok);
            EXPECT_EQ("unknown", e.name);
            EXPECT_EQ(c.data, e.data) << c.file;
            EXPECT_TRUE(e.isFile && e.terminated);
        }
        CString comment = "x";
        EXPECT_TRUE(archive.GetComment(comment));
        EXPECT_TRUE(comment.IsEmpty());
    }
}

namespace {
std::string Gzip(const std::string& data)
{
    z_stream z = {};
    EXPECT_EQ(Z_OK, deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY));
    std::string out(deflateBound(&z, (uLong)data.size()) + 32, '\0');
    z.next_in = (Bytef*)data.data();
    z.avail_in = (uInt)data.size();
    z.next_out = (Bytef*)&out[0];
    z.avail_out = (uInt)out.size();
    EXPECT_EQ(Z_STREAM_END, deflate(&z, Z_FINISH));
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Everything the archive gives: open, error, kind, count, each entry.
std::string Everything(CArchiveFile& archive, BOOL opened)
{
    std::string all = std::string(opened ? "opened" : "not opened") + " [" + (LPCTSTR)archive.GetErrorText() + "] " +
                      std::to_string(archive.GetKind()) + " " + std::to_string(archive.GetEntryCount());
    for (int i = 0; i < 4; ++i) {
        Entry e = Get(archive, i);
        all += e.ok ? " " + e.name + "=" + e.data + (e.isFile ? "" : "/") : " -";
    }
    return all;
}
}  // namespace

// Bytes opened as a file's give what the file gives: zip, gzip members one
// after another and what follows them, cut and damaged streams, tar in gzip
// and bytes that are neither.
TEST(ArchiveFile, BytesReadAsTheFileHoldingThem)
{
    const std::string text = "some text of the first member\n", more = "and a second member";
    std::string cut = Gzip(Binary());
    cut.resize(cut.size() / 2);
    std::string badMember = Gzip(text) + "\x1f\x8b\x08\x00garbage";
    std::string damaged = Gzip(Binary());
    damaged[damaged.size() / 2] ^= 0x55;
    const struct {
        const char* name;
        std::string data;
    } made[] = {
        {"two.gz", Gzip(text) + Gzip(more)},
        {"trailing.gz", Gzip(text) + "not a member"},
        {"one_byte_after.gz", Gzip(text) + "\x1f"},
        {"bad_member.gz", badMember},
        {"magic_only.gz", Gzip(text) + "\x1f\x8b"},
        {"cut.gz", cut},
        {"damaged.gz", damaged},
        {"one.bin", "\x1f"},
        {"magic.bin", "\x1f\x8b"},
        {"empty.gz", Gzip("")},
        {"large.gz", Gzip(std::string(3 << 20, 'z') + Binary())},
    };
    TempFolder dir;
    std::vector<std::pair<std::string, std::string>> cases;
    for (const auto& c : made) {
        std::string path = (dir / c.name).string();
        ASSERT_TRUE(zavotest::WriteFile(path, c.data));
        cases.push_back({path, c.data});
    }
    for (const char* name : {"plain.zip", "pair.tar.gz", "longname.tar.gz", "lying.tar.gz", "short.gz", "text.gz",
                             "notcompressed.txt", "binary.bin", "empty.bin", "truncated.gz"}) {
        std::string path = Fixture(name);
        cases.push_back({path, zavotest::ReadFile(path)});
    }
    for (const auto& c : cases) {
        CArchiveFile file, bytes;
        std::string fromFile = Everything(file, file.OpenArchive(c.first.c_str()));
        std::string fromBytes = Everything(bytes, bytes.OpenArchiveBytes(c.second.data(), (unsigned long)c.second.size()));
        EXPECT_EQ(fromFile, fromBytes) << c.first;
    }
    EXPECT_FALSE(CArchiveFile().OpenArchiveBytes(NULL, 0));
}

TEST(ArchiveFile, ReportsFilesItCannotRead)
{
    const struct
    {
        const char* file;
        const char* error;
    } cases[] = {
        {"missing.zip", "Could not determine archive type !"},
        {"empty.bin", "Could not read data from gzip archive !"},
        {"truncated.gz", "Could not read data from gzip archive !"},
    };
    for (const auto& c : cases) {
        CArchiveFile archive;
        EXPECT_FALSE(archive.OpenArchive(Fixture(c.file).c_str())) << c.file;
        EXPECT_STREQ(c.error, archive.GetErrorText()) << c.file;
        EXPECT_EQ(-1, archive.GetEntryCount());
        EXPECT_STREQ("Archive not opened", archive.GetErrorText());
    }
}

TEST(ArchiveFile, OpensReadOnlyGzipFiles)
{
    TempFolder temp;
    fs::copy_file(Fixture("short.gz"), temp / "ro.gz");
    fs::permissions(temp / "ro.gz", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    CArchiveFile archive;
    EXPECT_TRUE(archive.OpenArchive((temp / "ro.gz").string().c_str())) << (LPCTSTR)archive.GetErrorText();
    EXPECT_EQ("short text", Get(archive, 0).data);
    archive.CloseArchive();
    fs::permissions(temp / "ro.gz", fs::perms::owner_all);
}

TEST(ArchiveFile, GzipFileCompressesAtLevelNineAndDeletesTheInput)
{
    TempFolder temp;
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content += "menu line " + std::to_string(i % 37) + "\n";
    const fs::path input = temp / "x.smf";
    std::ofstream(input, std::ios::binary) << content;

    CArchiveFile archive;
    ASSERT_TRUE(archive.GzipFile(input.string().c_str())) << (LPCTSTR)archive.GetErrorText();
    EXPECT_FALSE(fs::exists(input));
    const fs::path output = temp / "x.smf.gz";
    ASSERT_TRUE(fs::exists(output));
    // gzip header: magic, deflate, and XFL 2 for maximum compression.
    const std::string gz = zavotest::ReadFile(output);
    ASSERT_GT(gz.size(), 10u);
    EXPECT_EQ('\x1f', gz[0]);
    EXPECT_EQ('\x8b', gz[1]);
    EXPECT_EQ(2, gz[8]);

    gzFile in = gzopen(output.string().c_str(), "rb");
    ASSERT_TRUE(in);
    std::string back(content.size() + 10, '\0');
    int n = gzread(in, &back[0], (unsigned)back.size());
    gzclose(in);
    ASSERT_EQ((int)content.size(), n);
    back.resize(n);
    EXPECT_EQ(content, back);
#ifndef _WIN32
    EXPECT_EQ(0, std::system(("gzip -t '" + output.string() + "'").c_str()));
#endif
}

TEST(ArchiveFile, GzipDataGivesTheBytesOfGzipFile)
{
    TempFolder temp;
    // more than one read chunk of the file, and nothing at all
    for (size_t size : {size_t(0), size_t(100), size_t(70000)}) {
        std::string content(size, '\0');
        for (size_t i = 0; i < size; ++i)
            content[i] = char((i * 7919) % 251 < 120 ? 'a' + i % 5 : (i * 31) % 256);
        const fs::path input = temp / "x.smf";
        std::ofstream(input, std::ios::binary) << content;
        CArchiveFile archive;
        ASSERT_TRUE(archive.GzipFile(input.string().c_str())) << (LPCTSTR)archive.GetErrorText();
        const std::string fromFile = zavotest::ReadFile(temp / "x.smf.gz");
        const fs::path output = temp / "y.smf.gz";
        ASSERT_TRUE(archive.GzipData(content.data(), content.size(), output.string().c_str()))
            << (LPCTSTR)archive.GetErrorText();
        EXPECT_TRUE(fromFile == zavotest::ReadFile(output)) << size << " bytes";
        fs::remove(temp / "x.smf.gz");
        fs::remove(output);
    }
    // an output that cannot be made fails, leaving nothing
    CArchiveFile archive;
    EXPECT_FALSE(archive.GzipData("abc", 3, (temp / "missing" / "y.gz").string().c_str()));
    EXPECT_FALSE(archive.GetErrorText().IsEmpty());
    EXPECT_FALSE(fs::exists(temp / "missing"));
}

TEST(ArchiveFile, GzipFileOfAMissingFileFailsAndWritesNothing)
{
    TempFolder temp;
    CArchiveFile archive;
    EXPECT_FALSE(archive.GzipFile((temp / "none.smf").string().c_str()));
    EXPECT_FALSE(archive.GetErrorText().IsEmpty());
    EXPECT_FALSE(fs::exists(temp / "none.smf.gz"));
}

TEST(ThemePointerPacker, TakesThePointersTheThemeHasAndDefaultsForTheRest)
{
    TempFolder temp;
    const fs::path kelboot = temp / "Kelboot";
    fs::create_directories(kelboot);
    const fs::path before = fs::current_path();

    CThemePointerPacker only;
    only.SetArchivePath(Fixture("pointers_cursor.zip").c_str());
    EXPECT_EQ(1, only.Run(kelboot.string().c_str()));
    EXPECT_EQ(before, fs::current_path());
    EXPECT_EQ("BMcursor.bmp", zavotest::ReadFile(kelboot / "cursor.bmp"));
    EXPECT_TRUE(fs::exists(kelboot / "cursor.gz"));
    EXPECT_TRUE(fs::exists(kelboot / "hand.gz"));
    EXPECT_FALSE(fs::exists(kelboot / "hand.bmp"));

    fs::remove_all(kelboot);
    fs::create_directories(kelboot);
    CThemePointerPacker both;
    both.SetArchivePath(Fixture("pointers_both.zip").c_str());
    EXPECT_EQ(1, both.Run(kelboot.string().c_str()));
    EXPECT_EQ("BMHand.BMP", zavotest::ReadFile(kelboot / "hand.bmp"));
    EXPECT_EQ("BMcursor.bmp", zavotest::ReadFile(kelboot / "cursor.bmp"));
    EXPECT_FALSE(fs::exists(kelboot / "hand.gz"));
    EXPECT_FALSE(fs::exists(kelboot / "readme.txt"));

    fs::remove_all(kelboot);
    fs::create_directories(kelboot);
    CThemePointerPacker none;
    EXPECT_EQ(1, none.Run(kelboot.string().c_str()));
    EXPECT_TRUE(fs::exists(kelboot / "cursor.gz"));
    EXPECT_TRUE(fs::exists(kelboot / "hand.gz"));
}

#ifndef _WIN32
TEST(ArchiveFile, ReadsArchivesMadeByTarAndZip)
{
    TempFolder temp;
    fs::create_directories(temp / "src");
    std::ofstream(temp / "src" / "cursor.bmp", std::ios::binary) << "BMcursor";
    std::ofstream(temp / "src" / "hand.bmp", std::ios::binary) << "BMhand";
    const std::string dir = (temp / "src").string();
    ASSERT_EQ(0, std::system(("cd '" + dir + "' && tar czf ../t.tar.gz cursor.bmp hand.bmp && zip -q ../t.zip cursor.bmp hand.bmp").c_str()));

    for (const char* name : {"t.tar.gz", "t.zip"}) {
        CArchiveFile archive;
        ASSERT_TRUE(archive.OpenArchive((temp / name).string().c_str())) << name;
        ASSERT_EQ(2, archive.GetEntryCount()) << name;
        Entry first = Get(archive, 0);
        Entry second = Get(archive, 1);
        EXPECT_EQ("cursor.bmp", first.name);
        EXPECT_EQ("BMcursor", first.data);
        EXPECT_EQ("hand.bmp", second.name);
        EXPECT_EQ("BMhand", second.data);
        EXPECT_TRUE(first.isFile && second.isFile);
    }
}
#endif
