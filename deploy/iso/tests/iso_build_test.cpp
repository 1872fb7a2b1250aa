// Images built by iso_build, read back by xorriso/osirrox, iso-info, 7z and qemu.
#ifdef _WIN32
#include <windows.h>
#endif
#include "deploy/iso/iso.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport/TestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (auto &c : s) c = (char)(gen() & 0xFF);
    return s;
}

fs::path BootImage() { return fs::path(ZAVO_BINARY_DIR) / "bin" / "zavoldr.bin"; }

struct TempDir {
    fs::path path;
    TempDir()
    {
        static int n;
        std::random_device rd;
        path = fs::temp_directory_path() / ("iso_test_" + std::to_string(rd()) + "_" + std::to_string(++n));
        fs::create_directories(path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string Shell(const std::string &cmd, int *rc = nullptr)
{
    std::string out;
#ifndef _WIN32
    FILE *p = popen((cmd + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), p)) > 0) out.append(buf, n);
    int r = pclose(p);
    if (rc) *rc = WEXITSTATUS(r);
#else
    (void)cmd;
    if (rc) *rc = -1;
#endif
    return out;
}

std::string Q(const fs::path &p) { return "'" + p.string() + "'"; }

/* The work folder as the wizard writes it: the boot image and the boot folder. */
void MakeWorkFolder(const fs::path &w)
{
    fs::create_directories(w / "kelboot");
    fs::copy_file(BootImage(), w / "zavoldr.bin", fs::copy_options::overwrite_existing);
    zavotest::WriteFile(w / "kelboot" / "zavo.ini", "[zavo]\r\nmenu=default\r\n");
}

/* What a reader should see: both folders merged, without the hidden boot image. */
void MakeExpected(const fs::path &w, const fs::path &s, const fs::path &e)
{
    fs::create_directories(e);
    fs::copy(w, e, fs::copy_options::recursive);
    fs::remove(e / "zavoldr.bin");
    fs::copy(s, e, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

int Build(const fs::path &w, const fs::path &s, const fs::path &out)
{
    return iso_build(w.string().c_str(), s.string().c_str(), out.string().c_str(), nullptr, nullptr);
}

uint16_t Le16(const std::string &b, size_t at) { return (uint16_t)((unsigned char)b[at] | ((unsigned char)b[at + 1] << 8)); }
uint32_t Le32(const std::string &b, size_t at) { return Le16(b, at) | ((uint32_t)Le16(b, at + 2) << 16); }

class IsoBuild : public ::testing::Test {
protected:
    TempDir tmp;
    fs::path work = tmp.path / "work", src = tmp.path / "src", img = tmp.path / "out.iso";
    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(BootImage()));
        MakeWorkFolder(work);
        fs::create_directories(src);
    }
    bool HaveTool(const char *tool)
    {
#ifdef _WIN32
        (void)tool;
        return false;
#else
        int rc;
        Shell(std::string("command -v ") + tool, &rc);
        return rc == 0;
#endif
    }
    // Under Wine the image, what readers should see and the boot image go to
    // ZAVO_ISO_IMAGE_OUT\<test>, where a native check reads them back.
    void ExpectReadersSeeSources(bool joliet_names_too)
    {
#ifdef _WIN32
        const char *keep = getenv("ZAVO_ISO_IMAGE_OUT");
        if (!keep || !*keep) return;
        fs::path to = fs::path(keep) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(to);
        MakeExpected(work, src, to / "expected");
        fs::copy_file(img, to / "image.iso");
        fs::copy_file(BootImage(), to / "boot.img");
        if (joliet_names_too) zavotest::WriteFile(to / "joliet", "");
        return;
#endif
        if (!HaveTool("osirrox")) GTEST_SKIP() << "osirrox missing";
        fs::path expected = tmp.path / "expected", rr = tmp.path / "rr", jol = tmp.path / "joliet";
        for (auto &p : {expected, rr, jol}) fs::remove_all(p);
        MakeExpected(work, src, expected);
        int rc;
        std::string out = Shell("osirrox -indev " + Q(img) + " -extract / " + Q(rr), &rc);
        ASSERT_EQ(rc, 0) << out;
        out = Shell("diff -r " + Q(expected) + " " + Q(rr), &rc);
        EXPECT_EQ(rc, 0) << "Rock Ridge view differs:\n"
                         << out;
        if (joliet_names_too) {
            // 7z reads the Joliet tree, and lists the boot image under [BOOT]
            if (!HaveTool("7z")) GTEST_SKIP() << "7z missing";
            out = Shell("LC_ALL=C.UTF-8 7z x -y -o" + Q(jol) + " " + Q(img), &rc);
            ASSERT_EQ(rc, 0) << out;
            EXPECT_EQ(zavotest::ReadFile(jol / "[BOOT]" / "Boot-NoEmul.img"), zavotest::ReadFile(BootImage()));
            fs::remove_all(jol / "[BOOT]");
            out = Shell("diff -r " + Q(expected) + " " + Q(jol), &rc);
            EXPECT_EQ(rc, 0) << "Joliet view differs:\n"
                             << out;
        }
    }
};

std::vector<int> progress_seen;
void CollectProgress(void *, int percent) { progress_seen.push_back(percent); }

}  // namespace

TEST_F(IsoBuild, RockRidgeAndJolietViewsEqualTheSources)
{
    zavotest::WriteFile(src / "readme.txt", "hello\n");
    zavotest::WriteFile(src / "empty.dat", "");
    fs::create_directories(src / "empty folder");
    zavotest::WriteFile(src / "kelboot" / "user.cfg", "merged into the boot folder\n");
    zavotest::WriteFile(src / "back~up#1.txt", "tilde and hash\n");
    zavotest::WriteFile(src / "old.bak", "backup\n");
    zavotest::WriteFile(src / "a.b.c", "dots\n");
    zavotest::WriteFile(src / ".hidden", "leading dot\n");
    zavotest::WriteFile(src / (std::string(60, 'L') + ".txt"), "longish\n");
#ifdef _WIN32
    // names come in the system code page (1252 here)
    zavotest::WriteFile(src / "docs" / "Gr\xFC\xDF"
                                       "e.txt",
                        "non-ASCII name\n");
#else
    zavotest::WriteFile(src / "docs" / "Gr\xC3\xBC\xC3\x9F"
                                       "e \xE6\x97\xA5\xE6\x9C\xAC.txt",
                        "non-ASCII name\n");
#endif
    zavotest::WriteFile(src / "docs" / "big.bin", RandomBytes(300000, 1));
    fs::path deep = src;
    for (int i = 0; i < 40; i++) deep /= "d";
    zavotest::WriteFile(deep / "bottom.txt", "forty levels down\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(true);
}

TEST_F(IsoBuild, SourceFoldersDifferingOnlyInCaseMergeUnderTheWorkFoldersName)
{
    zavotest::WriteFile(src / "KelBoot" / "user.cfg", "the user's own boot folder\n");
    zavotest::WriteFile(src / "KELBOOT" / "Sub" / "a.txt", "deeper\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
#ifndef _WIN32
    if (!HaveTool("osirrox")) GTEST_SKIP() << "osirrox missing";
    int rc;
    std::string out = Shell("osirrox -indev " + Q(img) + " -find / 2>/dev/null", &rc);
    EXPECT_NE(out.find("'/kelboot/user.cfg'"), std::string::npos) << out;
    EXPECT_NE(out.find("'/kelboot/Sub/a.txt'"), std::string::npos) << out;
    EXPECT_NE(out.find("'/kelboot/zavo.ini'"), std::string::npos) << out;
    EXPECT_EQ(out.find("KelBoot"), std::string::npos) << out;
    EXPECT_EQ(out.find("KELBOOT"), std::string::npos) << out;
#endif
}

TEST_F(IsoBuild, LongRockRidgeNamesUseContinuationAreas)
{
    // paths stay within the 260 characters of a Windows path
    size_t room = 256 - src.string().size();
    std::string n200(std::min<size_t>(200, room - 5), 'x'), n220 = std::string(std::min<size_t>(216, room - 6), 'y') + ".txt";
    zavotest::WriteFile(src / n200, "two hundred\n");
    zavotest::WriteFile(src / n220, "two hundred and twenty\n");
    zavotest::WriteFile(src / "sub" / n200, "again\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(false);
}

TEST_F(IsoBuild, JolietNamesReplaceReservedCharactersAndStayDistinct)
{
    if (!HaveTool("iso-info")) GTEST_SKIP();
    zavotest::WriteFile(src / "a:b?c.txt", "reserved\n");
    std::string common(64, 'n');
    zavotest::WriteFile(src / (common + "_first.txt"), "1\n");
    zavotest::WriteFile(src / (common + "_second.txt"), "2\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    int rc;
    std::string joliet = Shell("iso-info -l -i " + Q(img), &rc);
    EXPECT_NE(joliet.find("a_b_c.txt"), std::string::npos) << joliet;
    // both long names are there, under distinct Joliet names of at most 64 characters
    if (!HaveTool("7z")) GTEST_SKIP();
    fs::path jol = tmp.path / "j";
    std::string out = Shell("LC_ALL=C.UTF-8 7z x -y -o" + Q(jol) + " " + Q(img), &rc);
    ASSERT_EQ(rc, 0) << out;
    int longs = 0;
    std::string contents;
    for (auto &e : fs::directory_iterator(jol)) {
        std::string name = e.path().filename().string();
        if (name.rfind("nnnn", 0) == 0) {
            longs++;
            EXPECT_LE(name.size(), 64u);
            contents += zavotest::ReadFile(e.path());
        }
    }
    EXPECT_EQ(longs, 2);
    EXPECT_TRUE(contents == "1\n2\n" || contents == "2\n1\n") << contents;
    EXPECT_TRUE(fs::exists(jol / "a_b_c.txt"));
    // Rock Ridge keeps the exact names
    ExpectReadersSeeSources(false);
}

TEST_F(IsoBuild, CutJolietNamesKeepTheirExtensionAndStayDistinct)
{
    if (!HaveTool("7z")) GTEST_SKIP() << "7z missing";
    // cut at 60 characters, the base would end in " ." before ".txt"
    std::string blank_cut = std::string(58, 'w') + " ." + std::string(40, 'z') + ".txt";
    std::string hundred = std::string(96, 'h') + ".txt";
    // cut alike three times: "~1" and "~2" keep them apart
    std::string same = std::string(70, 's');
    zavotest::WriteFile(src / blank_cut, "blank\n");
    zavotest::WriteFile(src / hundred, "hundred\n");
    for (const char *tail : {"_a.log", "_b.log", "_c.log"}) zavotest::WriteFile(src / (same + tail), tail);
    zavotest::WriteFile(src / (std::string(80, 'x') + ".averyverylongextension"), "no extension kept\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    fs::path jol = tmp.path / "j";
    int rc;
    std::string out = Shell("LC_ALL=C.UTF-8 7z x -y -o" + Q(jol) + " " + Q(img), &rc);
    ASSERT_EQ(rc, 0) << out;
    EXPECT_EQ(zavotest::ReadFile(jol / (std::string(58, 'w') + ".txt")), "blank\n");
    EXPECT_EQ(zavotest::ReadFile(jol / (std::string(60, 'h') + ".txt")), "hundred\n");
    std::set<std::string> logs;
    for (const std::string &name : {std::string(60, 's') + ".log", std::string(58, 's') + "~1.log",
                                    std::string(58, 's') + "~2.log"})
        logs.insert(zavotest::ReadFile(jol / name));
    EXPECT_EQ(logs, (std::set<std::string>{"_a.log", "_b.log", "_c.log"}));
    EXPECT_EQ(zavotest::ReadFile(jol / std::string(64, 'x')), "no extension kept\n");
    for (auto &e : fs::directory_iterator(jol)) {
        std::string name = e.path().filename().string();
        EXPECT_LE(name.size(), 64u) << name;
        EXPECT_TRUE(name.back() != ' ' && name.back() != '.') << name;
    }
}

#ifndef _WIN32
namespace {
fs::path truncate_later;
void TruncateLaterFile(void *, int) { fs::resize_file(truncate_later, 1000); }

int FailListingOfLocked(const char *path, iso_name_fn fn, void *context)
{
    std::string p(path);
    if (p.size() >= 6 && p.compare(p.size() - 6, 6, "locked") == 0) return -1;
    return iso_plat_list(path, fn, context);
}

// a name the listing gives but no open finds (as '?' for what a code page lacks)
int ListAGoneName(const char *path, iso_name_fn fn, void *context)
{
    fn(context, "gone?.txt");
    return iso_plat_list(path, fn, context);
}
}  // namespace

TEST_F(IsoBuild, FileThatShrinksDuringTheCopyStopsTheBuildWithItsName)
{
    zavotest::WriteFile(src / "a_first.bin", RandomBytes(3 * 1024 * 1024, 21));
    zavotest::WriteFile(src / "z_later.bin", RandomBytes(100000, 22));
    truncate_later = src / "z_later.bin";
    iso_set_progress_hook(TruncateLaterFile, nullptr);
    int r = Build(work, src, img);
    iso_set_progress_hook(nullptr, nullptr);
    EXPECT_EQ(r, 0);
    std::string error = iso_last_error();
    EXPECT_NE(error.find("z_later.bin"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(img));
}

TEST_F(IsoBuild, FileListedButNotFoundStopsTheBuildWithItsName)
{
    zavotest::WriteFile(src / "kept.txt", "kept\n");
    iso_list_folder = ListAGoneName;
    int r = Build(work, src, img);
    iso_list_folder = iso_plat_list;
    EXPECT_EQ(r, 0);
    std::string error = iso_last_error();
    EXPECT_NE(error.find("gone?.txt"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(img));
}

TEST_F(IsoBuild, FoldersThatCannotBeListedAreNamedAndTheRestIsBuilt)
{
    zavotest::WriteFile(src / "kept.txt", "kept\n");
    zavotest::WriteFile(src / "locked" / "hidden.txt", "not listed\n");
    zavotest::WriteFile(src / "deep" / "locked" / "hidden.txt", "not listed\n");
    iso_list_folder = FailListingOfLocked;
    int r = Build(work, src, img);
    iso_list_folder = iso_plat_list;
    ASSERT_EQ(r, 1) << iso_last_error();
    // one line each, in listing order
    std::string left = iso_folders_left_out();
    EXPECT_EQ(std::count(left.begin(), left.end(), '\n'), 2) << left;
    EXPECT_NE(left.find((src / "locked").string() + "\n"), std::string::npos) << left;
    EXPECT_NE(left.find((src / "deep" / "locked").string() + "\n"), std::string::npos) << left;
    // the image holds the rest; the two folders are there, empty
    fs::remove(src / "locked" / "hidden.txt");
    fs::remove(src / "deep" / "locked" / "hidden.txt");
    ExpectReadersSeeSources(true);
    // a later good build clears the list
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    EXPECT_STREQ(iso_folders_left_out(), "");
}
#endif

TEST(IsoProgress, WholeAndHundredthsComeFromOneTruncatedCount)
{
    char text[16];
    EXPECT_EQ(iso_progress_text(text, sizeof(text), 1008, 10000), 10);
    EXPECT_STREQ(text, " 10.08%");
    EXPECT_EQ(iso_progress_text(text, sizeof(text), 8889, 10000), 88);
    EXPECT_STREQ(text, " 88.89%");
    EXPECT_EQ(iso_progress_text(text, sizeof(text), 88999, 100000), 88);
    EXPECT_STREQ(text, " 88.99%");
    // large images: no overflow of the count
    EXPECT_EQ(iso_progress_text(text, sizeof(text), 2000000, 2000001), 99);
    EXPECT_STREQ(text, " 99.99%");
}

TEST_F(IsoBuild, VolumeDescriptorsCarryTheStudioFields)
{
    zavotest::WriteFile(src / "f.txt", "x");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string b = zavotest::ReadFile(img);
    ASSERT_GE(b.size(), 20u * 2048);
    std::string pvd = b.substr(16 * 2048, 2048);
    EXPECT_EQ(pvd.substr(0, 6), std::string("\x01"
                                            "CD001"));
    EXPECT_EQ(pvd.substr(40, 8), "ZavoMenu");
    EXPECT_EQ(pvd.substr(8, 5), "WIN32");
    EXPECT_EQ(Le16(b, 16 * 2048 + 120), 1) << "volume set size";
    EXPECT_EQ(Le16(b, 16 * 2048 + 124), 1) << "volume sequence number";
    EXPECT_EQ(Le32(b, 16 * 2048 + 80) * 2048ull, b.size()) << "volume space size";
    EXPECT_EQ(pvd.substr(318, 16), "Zavo Studio 2009");
    // boot record, Joliet descriptor with escape %/E, terminator
    EXPECT_EQ(b.substr(17 * 2048, 30), std::string("\x00"
                                                   "CD001\x01"
                                                   "EL TORITO SPECIFICATION",
                                                   30));
    EXPECT_EQ(b.substr(18 * 2048 + 88, 3), "%/E");
    EXPECT_EQ((unsigned char)b[19 * 2048], 255);
    EXPECT_EQ(b.substr(20 * 2048, 4), "ZGI ");
    if (HaveTool("iso-info")) {
        std::string info = Shell("iso-info -i " + Q(img));
        EXPECT_NE(info.find("Volume      : ZavoMenu"), std::string::npos) << info;
        EXPECT_NE(info.find("Joliet Level: 3"), std::string::npos) << info;
    }
}

#ifndef _WIN32
// Dates carry the zone of the run: a zone set between two builds of one
// process is the zone of the second.
TEST_F(IsoBuild, EachBuildTakesTheTimeZoneOfItsRun)
{
    zavotest::WriteFile(src / "f.txt", "x");
    const char *old = getenv("TZ");
    std::string saved = old ? old : "";
    auto root_offset = [&]() {
        std::string b = zavotest::ReadFile(img);
        // the offset byte of the root record's date and of the creation date
        return std::make_pair((int)(signed char)b[16 * 2048 + 156 + 18 + 6], (int)(signed char)b[16 * 2048 + 813 + 16]);
    };
    setenv("TZ", "UTC0", 1);
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    EXPECT_EQ(root_offset(), std::make_pair(0, 0));
    setenv("TZ", "<+0530>-5:30", 1);
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    EXPECT_EQ(root_offset(), std::make_pair(22, 22));
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
#endif

TEST_F(IsoBuild, BootCatalogPointsAtTheWorkFolderBootImage)
{
    // user files named like the boot files stay visible and do not take their place
    zavotest::WriteFile(src / "zavoldr.bin", "not the loader");
    zavotest::WriteFile(src / "boot.catalog", "user catalog");
    zavotest::WriteFile(src / "sub" / "zavoldr.bin", "nor this");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string b = zavotest::ReadFile(img);
    uint32_t catalog = Le32(b, 17 * 2048 + 71);
    std::string cat = b.substr(catalog * 2048ull, 64);
    EXPECT_EQ((unsigned char)cat[0], 1);
    EXPECT_EQ((unsigned char)cat[30], 0x55);
    EXPECT_EQ((unsigned char)cat[31], 0xAA);
    unsigned sum = 0;
    for (int i = 0; i < 32; i += 2) sum += Le16(cat, i);
    EXPECT_EQ(sum & 0xFFFF, 0u);
    EXPECT_EQ(cat.substr(4, 16), "Zavo Studio 2009");
    EXPECT_EQ((unsigned char)cat[32], 0x88);
    EXPECT_EQ(Le16(cat, 38), 4) << "sector count";
    uint32_t lba = Le32(cat, 40);
    EXPECT_EQ(lba, catalog + 1) << "catalog, then boot image open the file data";
    EXPECT_EQ(b.substr(lba * 2048ull, 2048), zavotest::ReadFile(BootImage()));
    if (HaveTool("xorriso")) {
        std::string rep = Shell("xorriso -indev " + Q(img) + " -report_el_torito plain");
        EXPECT_NE(rep.find("El Torito boot img :   1  BIOS  y   none"), std::string::npos) << rep;
        EXPECT_NE(rep.find(std::to_string(lba)), std::string::npos) << rep;
    }
    ExpectReadersSeeSources(true);
}

TEST_F(IsoBuild, EqualFilesShareOneExtentAndLateDifferencesDoNot)
{
    if (!HaveTool("xorriso")) GTEST_SKIP();
    std::string data = RandomBytes(100 * 1024, 7);
    zavotest::WriteFile(src / "one" / "a.bin", data);
    zavotest::WriteFile(src / "two" / "b.bin", data);
    std::string late = data;
    late[late.size() - 1] ^= 1;
    zavotest::WriteFile(src / "c.bin", late);
    zavotest::WriteFile(src / "e1", "");
    zavotest::WriteFile(src / "e2", "");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string rep = Shell("xorriso -indev " + Q(img) + " -find / -type f -exec report_lba");
    auto lba_of = [&](const std::string &path) {
        size_t at = rep.find("'" + path + "'");
        if (at == std::string::npos) return std::string();
        size_t line = rep.rfind("File data lba:", at);
        std::istringstream in(rep.substr(line + 14, at - line - 14));
        std::string xt, comma, lba;
        in >> xt >> comma >> lba;
        return lba;
    };
    EXPECT_EQ(lba_of("/one/a.bin"), lba_of("/two/b.bin")) << rep;
    EXPECT_NE(lba_of("/one/a.bin"), lba_of("/c.bin")) << rep;
    ExpectReadersSeeSources(false);
}

// Many files of a few sizes: each shares only with its equal twin, whether the
// twin comes first in its size, later, or in another folder, and sizes that
// fall in one bucket of the size table stay apart.
TEST_F(IsoBuild, AmongManyFilesOfOneSizeOnlyEqualOnesShare)
{
    if (!HaveTool("xorriso")) GTEST_SKIP();
    for (int i = 0; i < 120; i++) {
        zavotest::WriteFile(src / "a" / ("f" + std::to_string(i) + ".bin"), RandomBytes(100, 1000 + i));
        zavotest::WriteFile(src / "b" / ("g" + std::to_string(i) + ".bin"), RandomBytes(300, 2000 + i));
    }
    // twins of the first, a middle and the last file of size 100
    zavotest::WriteFile(src / "c" / "twin0.bin", RandomBytes(100, 1000));
    zavotest::WriteFile(src / "c" / "twin60.bin", RandomBytes(100, 1060));
    zavotest::WriteFile(src / "c" / "twin119.bin", RandomBytes(100, 1119));
    // the first 100 bytes of f0 in a file 16384 bytes longer: the same bucket, another size
    zavotest::WriteFile(src / "c" / "longer.bin", RandomBytes(100, 1000) + std::string(16384, 'x'));
    // a size met once, and twins of it
    zavotest::WriteFile(src / "d" / "single.bin", RandomBytes(777, 5));
    zavotest::WriteFile(src / "d" / "pair1.bin", RandomBytes(555, 6));
    zavotest::WriteFile(src / "e" / "pair2.bin", RandomBytes(555, 6));
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string rep = Shell("xorriso -indev " + Q(img) + " -find / -type f -exec report_lba");
    std::map<std::string, std::string> lba;
    std::istringstream lines(rep);
    for (std::string line; std::getline(lines, line);) {
        size_t q = line.find(" '/");
        if (line.rfind("File data lba:", 0) != 0 || q == std::string::npos) continue;
        std::istringstream in(line.substr(14));
        std::string xt, comma, at;
        in >> xt >> comma >> at;
        lba[line.substr(q + 2, line.size() - q - 3)] = at;
    }
    ASSERT_EQ(lba.size(), 120u * 2 + 4 + 2 + 1 + 1) << rep;  // with the boot folder's zavo.ini
    EXPECT_EQ(lba["/c/twin0.bin"], lba["/a/f0.bin"]);
    EXPECT_EQ(lba["/c/twin60.bin"], lba["/a/f60.bin"]);
    EXPECT_EQ(lba["/c/twin119.bin"], lba["/a/f119.bin"]);
    EXPECT_EQ(lba["/d/pair1.bin"], lba["/e/pair2.bin"]);
    std::set<std::string> distinct;
    for (auto &[path, at] : lba)
        if (path.rfind("/c/twin", 0) != 0 && path != "/e/pair2.bin") distinct.insert(at);
    EXPECT_EQ(distinct.size(), 120u * 2 + 1 + 2 + 1) << "files of different content share an extent";
    ExpectReadersSeeSources(true);
}

TEST_F(IsoBuild, ManyFilesSpanSeveralDirectorySectors)
{
    for (int i = 0; i < 1500; i++) zavotest::WriteFile(src / "many" / ("file_number_" + std::to_string(i) + ".txt"), std::to_string(i));
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(true);
    if (HaveTool("7z")) {
        fs::path x = tmp.path / "7z";
        int rc;
        std::string out = Shell("7z x -y -o" + Q(x) + " " + Q(img), &rc);
        ASSERT_EQ(rc, 0) << out;
        EXPECT_EQ(zavotest::ReadFile(x / "many" / "file_number_1499.txt"), "1499");
        EXPECT_EQ(zavotest::ReadFile(x / "kelboot" / "zavo.ini"), zavotest::ReadFile(work / "kelboot" / "zavo.ini"));
    }
}

TEST_F(IsoBuild, RunsTwiceInOneProcessWithDifferentInputs)
{
    zavotest::WriteFile(src / "first.txt", "first run");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(true);
    fs::remove_all(src);
    zavotest::WriteFile(src / "second" / "second.txt", RandomBytes(5000, 3));
    fs::path img2 = tmp.path / "second.iso";
    ASSERT_EQ(Build(work, src, img2), 1) << iso_last_error();
    img = img2;
    ExpectReadersSeeSources(true);
}

TEST_F(IsoBuild, FatalErrorsReturnZeroLeaveNoImageAndTheNextBuildWorks)
{
    zavotest::WriteFile(src / "f.txt", "x");
    // output that cannot be opened
    EXPECT_EQ(Build(work, src, tmp.path / "no" / "such" / "dir" / "x.iso"), 0);
    EXPECT_NE(std::string(iso_last_error()).find("Unable to open disc image file"), std::string::npos);
    // missing source folder
    EXPECT_EQ(Build(work, tmp.path / "missing", img), 0);
    EXPECT_NE(std::string(iso_last_error()).find("Invalid node"), std::string::npos);
    // missing boot image: the build stops, no image is left
    fs::path bare = tmp.path / "bare";
    fs::create_directories(bare);
    EXPECT_EQ(Build(bare, src, img), 0);
    EXPECT_NE(std::string(iso_last_error()).find("cant find the boot image"), std::string::npos);
    EXPECT_FALSE(fs::exists(img));
    // the same name at the same place in both folders, also when names sort
    // between the two copies and the sort never compares them
    zavotest::WriteFile(src / "kelboot" / "zavo.ini", "clash");
    EXPECT_EQ(Build(work, src, img), 0);
    EXPECT_NE(std::string(iso_last_error()).find("Unable to sort directory"), std::string::npos) << iso_last_error();
    for (char c = 'a'; c <= 'z'; c++) zavotest::WriteFile(src / "kelboot" / (std::string("zavo.j") + c), "between");
    EXPECT_EQ(Build(work, src, img), 0);
    EXPECT_NE(std::string(iso_last_error()).find("Unable to sort directory"), std::string::npos) << iso_last_error();
    EXPECT_FALSE(fs::exists(img));
    fs::remove(src / "kelboot" / "zavo.ini");
    // and then a good build
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(true);
}

#ifndef _WIN32
TEST_F(IsoBuild, UnreadableOrTooLargeFilesAndFullDisksStopTheBuild)
{
    {
        std::ofstream f(src / "huge.bin", std::ios::binary);
    }
    fs::resize_file(src / "huge.bin", 0x100000000ull + 1);  // sparse
    EXPECT_EQ(Build(work, src, img), 0);
    EXPECT_NE(std::string(iso_last_error()).find("too large"), std::string::npos) << iso_last_error();
    EXPECT_FALSE(fs::exists(img));
    fs::remove(src / "huge.bin");
    // a full disk
    if (fs::exists("/dev/full")) {
        zavotest::WriteFile(src / "some.bin", RandomBytes(100000, 9));
        EXPECT_EQ(Build(work, src, "/dev/full"), 0);
        EXPECT_NE(std::string(iso_last_error()).find("cannot"), std::string::npos) << iso_last_error();
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
    if (geteuid() != 0) {
        zavotest::WriteFile(src / "secret.txt", "x");
        chmod((src / "secret.txt").c_str(), 0);
        EXPECT_EQ(Build(work, src, img), 0);
        EXPECT_NE(std::string(iso_last_error()).find("not readable"), std::string::npos);
    }
}
#endif

TEST_F(IsoBuild, ProgressIsMonotoneAndReachesHundred)
{
    zavotest::WriteFile(src / "big1.bin", RandomBytes(3 * 1024 * 1024, 11));
    zavotest::WriteFile(src / "big2.bin", RandomBytes(2 * 1024 * 1024, 12));
    progress_seen.clear();
    iso_set_progress_hook(CollectProgress, nullptr);
    int r = Build(work, src, img);
    iso_set_progress_hook(nullptr, nullptr);
    ASSERT_EQ(r, 1) << iso_last_error();
    ASSERT_GE(progress_seen.size(), 2u);
    for (size_t i = 1; i < progress_seen.size(); i++) EXPECT_GE(progress_seen[i], progress_seen[i - 1]);
    EXPECT_EQ(progress_seen.back(), 100);
}

TEST_F(IsoBuild, ImageBootsInQemuAndPrintsTheStandInLine)
{
    if (!HaveTool("qemu-system-i386")) GTEST_SKIP() << "qemu missing";
    zavotest::WriteFile(src / "f.txt", "x");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    fs::path serial = tmp.path / "serial.txt";
    Shell("timeout 20 qemu-system-i386 -m 32 -boot d -display none -no-reboot -cdrom " + Q(img) +
          " -serial file:" + serial.string() + " & pid=$!; for i in $(seq 1 80); do "
                                               "grep -q 'menu=.*\\|NOT FOUND' " +
          Q(serial) + " 2>/dev/null && break; sleep 0.25; done; kill $pid; wait $pid");
    // The line, the loader's chained-name field (2032 to 2047) in hex, then
    // the first and the "menu=" line of the work folder's zavo.ini.
    EXPECT_NE(zavotest::ReadFile(serial).find("ZAVO CD BOOT OK\r\n5A41564F2E53595300000000000055AA\r\n"
                                              "[zavo]\r\nmenu=default\r\n"),
              std::string::npos)
        << zavotest::ReadFile(serial);
}

#ifndef _WIN32
TEST_F(IsoBuild, ClashingMappedNamesWithLongExtensionsGetUniqueNames)
{
    // both map to "__." and the same 190 characters of extension
    std::string ext(200, 'e');
    zavotest::WriteFile(src / ("\xC3\xBC." + ext), "u umlaut\n");
    zavotest::WriteFile(src / ("\xC3\xA9." + ext), "e acute\n");
    zavotest::WriteFile(src / "\xE4\xB8\xAD.txt", "one\n");
    zavotest::WriteFile(src / "\xE6\x96\x87.txt", "two\n");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    ExpectReadersSeeSources(false);
}
#endif

#ifndef _WIN32
// The Windows build of the driver makes the image under Wine; the native readers check it.
// Set ZAVO_ISO_WINE_DRIVER to the path of iso_driver.exe to run it.
TEST_F(IsoBuild, ImageBuiltUnderWineReadsBackNatively)
{
    const char *driver = getenv("ZAVO_ISO_WINE_DRIVER");
    if (!driver || !*driver) GTEST_SKIP() << "ZAVO_ISO_WINE_DRIVER not set";
    zavotest::WriteFile(src / "docs" / "readme.txt", "from wine\n");
    zavotest::WriteFile(src / "back~up#1.txt", "kept\n");
    zavotest::WriteFile(src / "data.bin", RandomBytes(200000, 5));
    zavotest::WriteFile(src / "copy.bin", zavotest::ReadFile(src / "data.bin"));
    fs::create_directories(src / "empty");
    auto win = [](const fs::path &p) { return "'Z:" + p.string() + "'"; };
    int rc;
    std::string out = Shell(std::string(ZAVO_SOURCE_DIR) + "/tools/wine-run.sh " + Q(driver) + " " + win(work) + " " +
                                win(src) + " " + win(img),
                            &rc);
    ASSERT_EQ(rc, 0) << out;
    ExpectReadersSeeSources(true);
}

namespace {
std::multiset<std::string> FileContents(const fs::path &tree)
{
    std::multiset<std::string> all;
    for (auto &e : fs::recursive_directory_iterator(tree))
        if (e.is_regular_file()) all.insert(zavotest::ReadFile(e.path()));
    return all;
}
}  // namespace

// Names a code page cannot hold, built by the Windows driver under a Western
// (C.UTF-8 gives 1252) and a Chinese code page: Joliet holds every name exactly, Rock Ridge keeps
// every file under a name of its own.
TEST_F(IsoBuild, NamesOutsideTheCodePageAreInTheImageBuiltUnderWine)
{
    const char *driver = getenv("ZAVO_ISO_WINE_DRIVER");
    if (!driver || !*driver) GTEST_SKIP() << "ZAVO_ISO_WINE_DRIVER not set";
    if (!HaveTool("osirrox")) GTEST_SKIP() << "osirrox missing";
    const std::string chinese = "\xE8\xAF\xB4\xE6\x98\x8E", korean = "\xED\x95\x9C\xEA\xB8\x80",
                      thai = "\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2";
    zavotest::WriteFile(src / (chinese + ".txt"), "chinese\n");
    zavotest::WriteFile(src / (korean + ".txt"), "korean\n");
    zavotest::WriteFile(src / "plain.txt", "plain\n");
    zavotest::WriteFile(src / (chinese + thai) / (thai + ".bin"), RandomBytes(70000, 8));
    fs::path expected = tmp.path / "expected", jol = tmp.path / "joliet", rr = tmp.path / "rr";
    MakeExpected(work, src, expected);
    for (const char *locale : {"C.UTF-8", "zh_CN.UTF-8"}) {
        SCOPED_TRACE(locale);
        int rc;
        auto build = [&] {
            return Shell(std::string("LC_ALL=") + locale + " " + ZAVO_SOURCE_DIR + "/tools/wine-run.sh " + Q(driver) +
                             " 'Z:" + work.string() + "' 'Z:" + src.string() + "' 'Z:" + img.string() + "'",
                         &rc);
        };
        std::string out = build();
        ASSERT_EQ(rc, 0) << out;
        for (auto &p : {jol, rr}) fs::remove_all(p);
        out = Shell("LC_ALL=C.UTF-8 osirrox -read_fs norock -indev " + Q(img) + " -extract / " + Q(jol), &rc);
        ASSERT_EQ(rc, 0) << out;
        out = Shell("diff -r " + Q(expected) + " " + Q(jol), &rc);
        EXPECT_EQ(rc, 0) << "Joliet view differs:\n"
                         << out;
        out = Shell("LC_ALL=C.UTF-8 osirrox -indev " + Q(img) + " -extract / " + Q(rr), &rc);
        ASSERT_EQ(rc, 0) << out;
        EXPECT_EQ(FileContents(rr), FileContents(expected));
        EXPECT_EQ(zavotest::ReadFile(rr / "plain.txt"), "plain\n");
    }
}
#endif

#ifdef _WIN32
// Names come in the system code page (1252 here): Joliet holds their UTF-16 form.
TEST_F(IsoBuild, CodePageNamesBecomeUcs2InJoliet)
{
    std::string name = src.string() + "\\caf\xE9.txt";
    FILE *f = fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    fputs("accent", f);
    fclose(f);
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string b = zavotest::ReadFile(img);
    EXPECT_NE(b.find(std::string("\0c\0a\0f\0\xE9\0.\0t\0x\0t", 16)), std::string::npos);
    EXPECT_NE(b.find(std::string("NM\x0D\x01\x00"
                                 "caf\xE9.txt",
                                 13)),
              std::string::npos)
        << "Rock Ridge keeps the bytes";
}
#endif

#ifdef _WIN32
// Names a code page cannot hold (run under 1252 and under 936): each is in
// the image, exactly in Joliet, with a substitute in Rock Ridge that keeps
// the names apart; a file that cannot be read stops the build and is named.
TEST_F(IsoBuild, NamesOutsideTheCodePageKeepTheirJolietNames)
{
    const std::wstring chinese = L"\u8BF4\u660E";
    zavotest::WriteFile(src / (chinese + L".txt"), "chinese");
    zavotest::WriteFile(src / fs::path(L"\uD55C\uAE00.txt"), "korean");
    zavotest::WriteFile(src / fs::path(L"\u0E44\u0E17\u0E22") / "inside.txt", "in a thai folder");
    ASSERT_EQ(Build(work, src, img), 1) << iso_last_error();
    std::string b = zavotest::ReadFile(img);
    EXPECT_NE(b.find(std::string("\x8B\xF4\x66\x0E\0.\0t\0x\0t", 12)), std::string::npos);
    EXPECT_NE(b.find(std::string("\xD5\x5C\xAE\x00\0.\0t\0x\0t", 12)), std::string::npos);
    EXPECT_NE(b.find(std::string("\x0E\x44\x0E\x17\x0E\x22", 6)), std::string::npos);
    EXPECT_NE(b.find(std::string("NM\x0B\x01\x00__.txt", 11)), std::string::npos);
    if (GetACP() == 936)
        EXPECT_NE(b.find(std::string("NM\x0D\x01\x00\xCB\xB5\xC3\xF7.txt", 13)), std::string::npos);
    else
        EXPECT_NE(b.find(std::string("NM\x0D\x01\x00__~1.txt", 13)), std::string::npos);
    for (const char *data : {"chinese", "korean", "in a thai folder"}) EXPECT_NE(b.find(data), std::string::npos) << data;

    fs::path locked = src / (chinese + L"-locked.txt");
    zavotest::WriteFile(locked, "held by another program");
    HANDLE h = CreateFileW(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int r = Build(work, src, img);
    CloseHandle(h);
    EXPECT_EQ(r, 0);
    std::string error = iso_last_error();
    EXPECT_NE(error.find(GetACP() == 936 ? "\xCB\xB5\xC3\xF7-locked.txt" : "-locked.txt"), std::string::npos) << error;
    // named in the source's own separators
    EXPECT_NE(error.find(src.string() + "\\"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(img));
}
#endif
