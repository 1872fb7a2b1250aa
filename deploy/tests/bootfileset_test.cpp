#include "deploy/BootFileSet.h"
#include "deploy/core/BootFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testsupport/TestSupport.h"

namespace fs = std::filesystem;

namespace {
const time_t kClock = 1234567890;
const char* const kModules[] = {"memdisk.gz", "passwd.gz", "splash.gz", "bcdw.gz", "isoemu.gz", "grub4dos.gz"};

fs::path Built(const char* relative)
{
#ifdef _WIN32
    return fs::path("Z:" + std::string(ZAVO_BINARY_DIR) + "/" + relative);
#else
    return fs::path(std::string(ZAVO_BINARY_DIR) + "/" + relative);
#endif
}

class TempFolder {
public:
    TempFolder()
    {
        m_path = fs::temp_directory_path() /
                 ("bootfileset_" + std::to_string(std::rand()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    fs::path operator/(const char* name) const { return m_path / name; }
    const fs::path& Path() const { return m_path; }
    std::string Folder() const { return (m_path / "").string(); }

private:
    fs::path m_path;
};

std::string PresetField(const char* bootPath)
{
    std::string text = MakePresetText(bootPath, "2.01", FormatGmtTime(kClock));
    text.resize(kPresetFieldSize, '\0');
    return text;
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A work folder with a new set, a root with an old one.
void MakeSets(const TempFolder& t)
{
    zavotest::WriteFile(t / "work" / "zeldr.bin", "new loader");
    zavotest::WriteFile(t / "work" / "zavo.sys", "new system");
    zavotest::WriteFile(t / "work" / "Kelboot" / "menu.gz", "new menu");
    zavotest::WriteFile(t / "work" / "Kelboot" / "zavo.ini", "new ini");
    zavotest::WriteFile(t / "root" / "zeldr.bin", "old loader");
    zavotest::WriteFile(t / "root" / "Kelboot" / "menu.gz", "old menu");
    zavotest::WriteFile(t / "root" / "Kelboot" / "stale.txt", "stale");
    zavotest::WriteFile(t / "root" / "keep.txt", "the user's own");
}
}  // namespace

TEST(BootFileSet, UnpackedModulesEqualWhatUnzipExtracts)
{
    TempFolder t;
    std::string zip = zavotest::ReadFile(Built("resources/bootfiles/bootmods.zip"));
    ASSERT_FALSE(zip.empty());
    CString error;
    ASSERT_TRUE(UnpackBootModules(zip.data(), (unsigned long)zip.size(), (t / "Kelboot").string().c_str(), error))
        << (LPCTSTR)error;
    std::vector<std::string> expected(std::begin(kModules), std::end(kModules));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Names(t / "Kelboot"));
    for (const char* name : kModules) {
        std::string reference = zavotest::ReadFile(Built("deploy/bootmods_unzipped") / name);
        ASSERT_FALSE(reference.empty()) << name;
        EXPECT_EQ(reference, zavotest::ReadFile(t / "Kelboot" / name)) << name;
    }
}

TEST(BootFileSet, UnpackRefusesEntriesOutsideTheFolderAndBadZips)
{
    TempFolder t;
    std::string zip = zavotest::ReadFile(Built("deploy/package_fixtures/Escape.zip"));
    CString error;
    EXPECT_FALSE(UnpackBootModules(zip.data(), (unsigned long)zip.size(), (t / "in").string().c_str(), error));
    EXPECT_NE(-1, error.Find("escape.gz"));
    EXPECT_FALSE(fs::exists(t / "escape.gz"));
    std::string text = "not a zip";
    EXPECT_FALSE(UnpackBootModules(text.data(), (unsigned long)text.size(), (t / "in").string().c_str(), error));
    EXPECT_FALSE(error.IsEmpty());
}

TEST(BootFileSet, PatchesBothFilesOfEitherMode)
{
    TempFolder t;
    const std::string zeldr = zavotest::ReadFile(Built("bin/zeldr.bin"));
    const std::string cdLoader = zavotest::ReadFile(Built("bin/zavoldr.bin"));
    const std::string system = zavotest::ReadFile(Built("resources/bootfiles/zavo.sys"));
    ASSERT_EQ(8192u, zeldr.size());
    ASSERT_EQ(2048u, cdLoader.size());
    ASSERT_EQ("\x55\xAA", system.substr(1022, 2));
    CString error;

    zavotest::WriteFile(t / "zeldr.bin", zeldr);
    zavotest::WriteFile(t / "zavo.sys", system);
    ASSERT_TRUE(PatchLoaderFiles((t / "zeldr.bin").string().c_str(), (t / "zavo.sys").string().c_str(), FALSE,
                                 "(hd0,1)/kelboot", kClock, error))
        << (LPCTSTR)error;
    std::string loader = zeldr;
    loader.replace(752, 16, std::string("ZAVO.SYS\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(loader, zavotest::ReadFile(t / "zeldr.bin"));
    std::string sys = system;
    sys.replace(704, kPresetFieldSize, PresetField("(hd0,1)/kelboot"));
    EXPECT_EQ(sys, zavotest::ReadFile(t / "zavo.sys"));
    EXPECT_EQ(0u, PresetField("(hd0,1)/kelboot").find("#ZM_PATH@(hd0,1)/kelboot/zavo.ini\n#="));

    zavotest::WriteFile(t / "zavoldr.bin", cdLoader);
    zavotest::WriteFile(t / "zavo.sys", system);
    ASSERT_TRUE(PatchLoaderFiles((t / "zavoldr.bin").string().c_str(), (t / "zavo.sys").string().c_str(), TRUE,
                                 "(cd)/kelboot", kClock, error));
    EXPECT_EQ(cdLoader, zavotest::ReadFile(t / "zavoldr.bin"));  // the stand-in already names ZAVO.SYS
    sys = system;
    sys.replace(704, kPresetFieldSize, PresetField("(cd)/kelboot"));
    EXPECT_EQ(sys, zavotest::ReadFile(t / "zavo.sys"));

    // Too long a boot path changes neither file.
    zavotest::WriteFile(t / "zeldr.bin", zeldr);
    zavotest::WriteFile(t / "zavo.sys", system);
    std::string tooLong(54, 'p');
    EXPECT_FALSE(PatchLoaderFiles((t / "zeldr.bin").string().c_str(), (t / "zavo.sys").string().c_str(), FALSE,
                                  tooLong.c_str(), kClock, error));
    EXPECT_EQ(zeldr, zavotest::ReadFile(t / "zeldr.bin"));
    EXPECT_EQ(system, zavotest::ReadFile(t / "zavo.sys"));

    // A missing system file is reported, not created.
    EXPECT_FALSE(PatchLoaderFiles((t / "zeldr.bin").string().c_str(), (t / "none.sys").string().c_str(), FALSE,
                                  "(hd0,0)/kelboot", kClock, error));
    EXPECT_NE(-1, error.Find("none.sys"));
    EXPECT_FALSE(fs::exists(t / "none.sys"));
}

TEST(BootFileSet, InstallReplacesTheKelbootFolderUnlessKept)
{
    for (BOOL keep : {FALSE, TRUE}) {
        TempFolder t;
        MakeSets(t);
        CBootFileInstaller installer;
        CString error;
        ASSERT_TRUE(installer.Install((t / "work").string().c_str(), (t / "root").string().c_str(), keep, error))
            << (LPCTSTR)error;
        EXPECT_EQ("new loader", zavotest::ReadFile(t / "root" / "zeldr.bin"));
        EXPECT_EQ("new system", zavotest::ReadFile(t / "root" / "zavo.sys"));
        EXPECT_EQ("new menu", zavotest::ReadFile(t / "root" / "Kelboot" / "menu.gz"));
        EXPECT_EQ("new ini", zavotest::ReadFile(t / "root" / "Kelboot" / "zavo.ini"));
        EXPECT_EQ(keep ? true : false, fs::exists(t / "root" / "Kelboot" / "stale.txt")) << keep;
        std::vector<std::string> top = {"Kelboot", "keep.txt", "zavo.sys", "zeldr.bin"};
        EXPECT_EQ(top, Names(t / "root"));
    }
}

TEST(BootFileSet, FailedInstallLeavesTheOldSet)
{
    TempFolder t;
    MakeSets(t);
    zavotest::WriteFile(t / "root" / "zavo.sys" / "inside.txt", "a folder named like the system file");
    CBootFileInstaller installer;
    CString error;
    EXPECT_FALSE(installer.Install((t / "work").string().c_str(), (t / "root").string().c_str(), FALSE, error));
    EXPECT_NE(-1, error.Find("zavo.sys"));
    EXPECT_EQ("old loader", zavotest::ReadFile(t / "root" / "zeldr.bin"));
    EXPECT_EQ("old menu", zavotest::ReadFile(t / "root" / "Kelboot" / "menu.gz"));
    EXPECT_EQ("stale", zavotest::ReadFile(t / "root" / "Kelboot" / "stale.txt"));
    EXPECT_EQ("a folder named like the system file", zavotest::ReadFile(t / "root" / "zavo.sys" / "inside.txt"));
    std::vector<std::string> top = {"Kelboot", "keep.txt", "zavo.sys", "zeldr.bin"};
    EXPECT_EQ(top, Names(t / "root"));

    fs::remove(t / "work" / "zavo.sys");
    fs::remove_all(t / "root" / "zavo.sys");
    EXPECT_FALSE(installer.Install((t / "work").string().c_str(), (t / "root").string().c_str(), FALSE, error));
    EXPECT_EQ("old loader", zavotest::ReadFile(t / "root" / "zeldr.bin"));
}

#ifdef _WIN32
TEST(BootFileSet, ResourcesGiveTheStandInsInEachMode)
{
    TempFolder t;
    CString loader, system, error;
    ASSERT_TRUE(WriteBootFiles(BOOT_MODE_ISO, t.Folder().c_str(), loader, system, error)) << (LPCTSTR)error;
    EXPECT_EQ(zavotest::ReadFile(Built("bin/zavoldr.bin")), zavotest::ReadFile(t / "zavoldr.bin"));
    EXPECT_EQ(zavotest::ReadFile(Built("resources/bootfiles/zavo.sys")), zavotest::ReadFile(t / "Kelboot" / "zavo.sys"));
    EXPECT_EQ((t / "Kelboot" / "zavo.sys").string(), (LPCTSTR)system);

    ASSERT_TRUE(WriteBootFiles(BOOT_MODE_HARD_DISK, t.Folder().c_str(), loader, system, error));
    EXPECT_EQ(zavotest::ReadFile(Built("bin/zeldr.bin")), zavotest::ReadFile(t / "zeldr.bin"));
    EXPECT_EQ(zavotest::ReadFile(Built("resources/bootfiles/zavo.sys")), zavotest::ReadFile(t / "zavo.sys"));
    EXPECT_EQ((t / "zeldr.bin").string(), (LPCTSTR)loader);

    ASSERT_TRUE(UnpackBootFileSet((t / "Kelboot").string().c_str(), error)) << (LPCTSTR)error;
    for (const char* name : kModules)
        EXPECT_EQ(zavotest::ReadFile(Built("deploy/bootmods_unzipped") / name), zavotest::ReadFile(t / "Kelboot" / name)) << name;
}
#endif
