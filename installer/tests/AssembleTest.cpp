// Assemble on the scratch drive T: (a link in the Wine prefix to an empty
// folder), with the disk queries filled by the test.
#include "deploy/core/DiskSource.h"
#include "installer/Assembler.h"
#include "installer/IniFile.h"
#include "installer/InstallerTexts.h"
#include "installer/MenuText.h"
#include "installer/tests/InstallerTestFiles.h"
#include "installer/tests/ScriptedUi.h"
#include "installer/tests/ScratchDrive.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace installer_test;

#undef GetDriveType  // the seam's member, not the A/W macro

namespace {
const std::string kDrive = "T:";

std::string Bin(const char* name) { return std::string(ZAVO_BINARY_DIR) + "/bin/" + name; }

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

// Disk 0 with partitions in slots 0 and 1, disk 1 with one; the test says
// on which of them T: starts (none: no letter).
struct Disks {
    int disk = 0;
    uint32_t offset = 32256;
    bool hasLetter = true;
    DiskSource source;

    Disks()
    {
        source.ctx = this;
        source.OpenDisk = [](void*, int n, bool) -> void* { return n < 2 ? (void*)(intptr_t)(n + 1) : NULL; };
        source.CloseDisk = [](void*, void*) {};
        source.QueryLayout = [](void*, void* disk, void* buffer, uint32_t size, uint32_t* error) {
            Bytes b(8 + 4 * 32, 0);
            Put32(b, 0, 4);
            Put32(b, 8, 32256);
            Put32(b, 8 + 20, 1);
            if (intptr_t(disk) == 1) {
                Put32(b, 40, 1 << 20);
                Put32(b, 40 + 20, 2);
            }
            if (b.size() > size) {
                *error = DISK_ERROR_INSUFFICIENT_BUFFER;
                return false;
            }
            memcpy(buffer, b.data(), b.size());
            return true;
        };
        source.QueryGeometry = [](void*, void*, void*, uint32_t) { return false; };
        source.GetLogicalDrives = [](void*) { return uint32_t(1) << ('T' - 'A'); };
        source.GetDriveType = [](void*, const char*) { return DISK_DRIVE_FIXED; };
        source.QueryVolumeExtents = [](void* c, char letter, void* buffer, uint32_t) {
            Disks* d = static_cast<Disks*>(c);
            if (letter != 'T' || !d->hasLetter)
                return false;
            Bytes b(32, 0);
            Put32(b, 0, 1);
            Put32(b, 8, d->disk);
            Put32(b, 16, d->offset);
            memcpy(buffer, b.data(), b.size());
            return true;
        };
    }
};

const char kBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /noexecute=optin "
    "/fastdetect\r\n";

// The key lines of an ini text in order, as "section|key=value" with blanks
// around key and value removed.
std::vector<std::string> IniLines(const Bytes& bytes)
{
    std::vector<std::string> out;
    std::string text(bytes.begin(), bytes.end()), section;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line;
            std::transform(section.begin(), section.end(), section.begin(), ::tolower);
            continue;
        }
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq), value = eq == std::string::npos ? "" : line.substr(eq + 1);
        key.erase(key.find_last_not_of(' ') + 1);
        value.erase(0, value.find_first_not_of(' '));
        out.push_back(section + "|" + key + "=" + value);
    }
    return out;
}

bool Contains(const std::vector<std::string>& v, const std::string& s)
{
    return std::find(v.begin(), v.end(), s) != v.end();
}

class AssembleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ResetScratchDrive(kBootIni));
    }
    void TearDown() override { ClearFolder("T:\\"); }

    static std::vector<std::string> Listing(const std::string& folder = "T:\\")
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = fd.cFileName;
            if (name != "." && name != "..")
                names.push_back(name + "@" + std::to_string(fd.nFileSizeLow));
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }

    CAssembler& Make(int mode = CAssembler::MODE_VIRTUAL_DISK)
    {
        m_assembler.reset(new CAssembler(m_ui, NULL, &m_disks.source));
        m_assembler->m_nMode = mode;
        m_assembler->m_strBootIniPath = "T:\\boot.ini";
        return *m_assembler;
    }

    bool Shown(const char* key) const
    {
        const std::string text = PromptText(NULL, key).GetString();
        return std::find(m_ui.shown.begin(), m_ui.shown.end(), text) != m_ui.shown.end();
    }

    // The file equals the stand-in outside [from, from + size).
    static void ExpectStandIn(const std::string& path, const char* standIn, size_t from, size_t size)
    {
        Bytes a = ReadFile(path), b = ReadFile(Bin(standIn));
        ASSERT_EQ(a.size(), b.size()) << path;
        ASSERT_GT(b.size(), from + size);
        std::fill(a.begin() + from, a.begin() + from + size, 0);
        std::fill(b.begin() + from, b.begin() + from + size, 0);
        EXPECT_TRUE(a == b) << path << " differs from " << standIn;
    }

    static std::string Field(const std::string& path, size_t from, size_t size)
    {
        Bytes a = ReadFile(path);
        return a.size() >= from + size ? std::string(a.begin() + from, a.begin() + from + size) : std::string();
    }

    ScriptedUi m_ui;
    Disks m_disks;
    std::unique_ptr<CAssembler> m_assembler;
};

std::string Padded(const CString& text, size_t size)
{
    std::string s = text.GetString();
    s.resize(size, '\0');
    return s;
}
}  // namespace

TEST_F(AssembleTest, FloppyImageInstallsTessuSysZeldrAndTheEntry)
{
    ASSERT_TRUE(WriteFile("T:\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
    CAssembler& a = Make();
    a.m_strImagePath = "T:\\FD.IMG";
    a.OnAssemble();
    EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_OK);
    EXPECT_TRUE(Shown("Operation OK"));

    ExpectStandIn("T:\\Tessu.sys", "tessu.sys", 192, 314);
    EXPECT_EQ(Field("T:\\Tessu.sys", 192, 314),
              Padded(DiskImageMenuText("(hd0,0)/FD.IMG", 1, 80, 2, 18), 314));
    ExpectStandIn("T:\\Zeldr.bin", "zeldr.bin", 752, 16);
    EXPECT_EQ(Field("T:\\Zeldr.bin", 752, 16), std::string("TESSU.SYS\0\0\0\0\0\0\0", 16));

    const std::vector<std::string> lines = IniLines(ReadFile("T:\\boot.ini"));
    EXPECT_TRUE(Contains(lines, "[operating systems]|T:\\Zeldr.bin=\"Tessu - FD.IMG\""));
    EXPECT_TRUE(Contains(lines, "[boot loader]|timeout=30"));
    EXPECT_EQ(ReadFile("T:\\boot.ini.tsu"), Bytes(kBootIni, kBootIni + strlen(kBootIni)));
}

TEST_F(AssembleTest, MenuOf314CharactersIsWrittenAnd315AreRefused)
{
    const CString fixed = DiskImageMenuText("(hd0,0)/", 1, 80, 2, 18);
    const int folder = 314 - fixed.GetLength() - int(strlen("/FD.IMG"));
    ASSERT_GT(folder, 0);
    for (int extra = 0; extra < 2; ++extra) {
        const std::string dir = "T:\\" + std::string(folder + extra, 'd');
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), NULL));
        ASSERT_TRUE(WriteFile(dir + "\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
        CAssembler& a = Make();
        a.m_strImagePath = (dir + "\\FD.IMG").c_str();
        a.OnAssemble();
        if (extra == 0) {
            EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_OK);
            const std::string field = Field("T:\\Tessu.sys", 192, 314);
            EXPECT_EQ(field.find('\0'), std::string::npos);  // unterminated
            EXPECT_EQ(ReadFile("T:\\Tessu.sys")[506], ReadFile(Bin("tessu.sys"))[506]);
            ClearFolder("T:\\");
            ASSERT_TRUE(WriteText("T:\\boot.ini", kBootIni));
        } else {
            EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_MENU_TOO_LONG);
            EXPECT_TRUE(Shown("Menu Too Long"));
            EXPECT_EQ(GetFileAttributesA("T:\\Tessu.sys"), INVALID_FILE_ATTRIBUTES);
            EXPECT_EQ(ReadFile("T:\\boot.ini"), Bytes(kBootIni, kBootIni + strlen(kBootIni)));
        }
    }
}

TEST_F(AssembleTest, IsoChecksComeInOrder)
{
    const Bytes noemu = ReadFile(FixturePath("noemu.iso"));
    const std::vector<std::string> before = Listing();
    ASSERT_TRUE(CreateDirectoryA("T:\\ISO", NULL));
    ASSERT_TRUE(WriteFile("T:\\ISO\\A.ISO", noemu));
    CAssembler& sub = Make();
    sub.m_strImagePath = "T:\\ISO\\A.ISO";
    sub.OnAssemble();
    EXPECT_EQ(sub.m_nStatus, CAssembler::STATUS_NOT_AT_ROOT);

    ASSERT_TRUE(WriteFile("T:\\A.GZ", ReadFile(FixturePath("noemu.iso.gz"))));
    CAssembler& gz = Make();
    gz.m_strImagePath = "T:\\A.GZ";
    gz.OnAssemble();
    EXPECT_EQ(gz.m_nStatus, CAssembler::STATUS_COMPRESSED_ISO);

    ASSERT_TRUE(WriteFile("T:\\F.ISO", ReadFile(FixturePath("floppy.iso"))));
    m_ui.answers = {IInstallerUi::ANSWER_NO};
    CAssembler& declined = Make();
    declined.m_strImagePath = "T:\\F.ISO";
    declined.OnAssemble();
    EXPECT_EQ(declined.m_nStatus, CAssembler::STATUS_STOPPED);
    EXPECT_FALSE(Shown("Operation OK"));

    m_disks.hasLetter = false;
    ASSERT_TRUE(WriteFile("T:\\ABCDEFGHI.ISO", noemu));
    CAssembler& nodev = Make();
    nodev.m_strImagePath = "T:\\ABCDEFGHI.ISO";
    nodev.OnAssemble();
    EXPECT_EQ(nodev.m_nStatus, CAssembler::STATUS_NO_DEVICE);
    m_disks.hasLetter = true;

    CAssembler& name = Make();
    name.m_strImagePath = "T:\\ABCDEFGHI.ISO";
    name.OnAssemble();
    EXPECT_EQ(name.m_nStatus, CAssembler::STATUS_ISO_NAME);
    EXPECT_EQ(GetFileAttributesA("T:\\Tessu.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("T:\\Zeldr.bin"), INVALID_FILE_ATTRIBUTES);

    // on the second disk: a warning, then the install
    m_ui.shown.clear();
    m_disks.disk = 1;
    ASSERT_TRUE(WriteFile("T:\\ABCDEFGH.ISO", noemu));
    CAssembler& second = Make();
    second.m_strImagePath = "t:\\abcdefgh.iso";
    second.OnAssemble();
    EXPECT_EQ(second.m_nStatus, CAssembler::STATUS_OK);
    EXPECT_TRUE(Shown("ISOEmu May Fail"));
    EXPECT_EQ(Field("T:\\Tessu.sys", 192, 314), Padded(IsoEmuMenuText("(hd1,0)/ABCDEFGH.ISO"), 314));
}

TEST_F(AssembleTest, PathTheMenuCannotNameIsRefusedBeforeAnyWrite)
{
    ASSERT_TRUE(CreateDirectoryA("T:\\My Images", NULL));
    ASSERT_TRUE(WriteFile("T:\\My Images\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
    const std::vector<std::string> before = Listing();
    CAssembler& a = Make();
    a.m_strImagePath = "T:\\My Images\\FD.IMG";
    a.OnAssemble();
    EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_PATH_INVALID);
    EXPECT_TRUE(Shown("Menu Path Invalid"));
    EXPECT_EQ(Listing(), before);
}

TEST_F(AssembleTest, BootLoaderModeChainsTheLoaderAtTheRootOnly)
{
    Bytes ntldr(8192, 0);
    ntldr[0] = 0xE9;
    ASSERT_TRUE(CreateDirectoryA("T:\\SUB", NULL));
    ASSERT_TRUE(WriteFile("T:\\SUB\\NTLDR", ntldr));
    const std::vector<std::string> before = Listing();
    CAssembler& sub = Make(CAssembler::MODE_BOOT_LOADER);
    sub.m_strLoaderPath = "T:\\SUB\\NTLDR";
    sub.OnAssemble();
    EXPECT_EQ(sub.m_nStatus, CAssembler::STATUS_NOT_AT_ROOT);
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(ReadFile("T:\\boot.ini"), Bytes(kBootIni, kBootIni + strlen(kBootIni)));

    ASSERT_TRUE(WriteFile("T:\\ntldr", ntldr));
    CAssembler& root = Make(CAssembler::MODE_BOOT_LOADER);
    root.m_strLoaderPath = "T:\\ntldr";
    root.OnAssemble();
    EXPECT_EQ(root.m_nStatus, CAssembler::STATUS_OK);
    EXPECT_EQ(Field("T:\\Zeldr.bin", 752, 16), std::string("NTLDR\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_TRUE(Contains(IniLines(ReadFile("T:\\boot.ini")), "[operating systems]|T:\\Zeldr.bin=\"Tessu - ntldr\""));
    EXPECT_EQ(GetFileAttributesA("T:\\Tessu.sys"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AssembleTest, Grub2HeadIsPatchedAfterItsFirstSectorIsKept)
{
    Bytes g2(20000, 0x11);
    g2[0] = 0xE9;
    g2[512] = 0xEA;
    Put32(g2, 592, 0x1BADB002);
    ASSERT_TRUE(WriteFile("T:\\G2LDR", g2));
    CAssembler& a = Make(CAssembler::MODE_BOOT_LOADER);
    a.m_strLoaderPath = "T:\\G2LDR";
    a.OnAssemble();
    EXPECT_EQ(a.m_loader.m_nType, CBootLoaderInfo::TYPE_GRUB2);
    EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_OK);
    const Bytes patched = ReadFile("T:\\G2LDR"), head = ReadFile(Bin("grub2head.bin"));
    ASSERT_EQ(patched.size(), g2.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), patched.begin()));
    EXPECT_TRUE(std::equal(g2.begin() + 512, g2.end(), patched.begin() + 512));
    EXPECT_EQ(ReadFile("T:\\G2LDR.tsu"), Bytes(g2.begin(), g2.begin() + 512));
}

TEST_F(AssembleTest, BootIniKeepsEveryEntryAndItsAttributes)
{
    const std::string ini =
        "[boot loader]\r\n"
        "timeout=0\r\n"
        "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
        "[operating systems]\r\n"
        "; keep this comment\r\n"
        "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /noexecute=optin /fastdetect\r\n"
        "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP debug\" /debug /debugport=com1\r\n"
        "T:\\Zeldr.bin=\"Tessu - OLD.IMG\"\r\n"
        "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n";
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (int answer : {IInstallerUi::ANSWER_YES, IInstallerUi::ANSWER_NO}) {
        SetFileAttributesA("T:\\boot.ini", FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteText("T:\\boot.ini", ini));
        ASSERT_TRUE(SetFileAttributesA("T:\\boot.ini", attributes));
        CAssembler& a = Make();
        m_ui.answers = {answer};
        ASSERT_TRUE(a.AddBootIniEntry("Zeldr.bin", "Tessu - NEW.IMG"));
        EXPECT_EQ(GetFileAttributesA("T:\\boot.ini") & attributes, attributes);
        std::vector<std::string> expected = IniLines(Bytes(ini.begin(), ini.end()));
        if (answer == IInstallerUi::ANSWER_YES)
            expected[0] = "[boot loader]|timeout=5";
        expected[4] = "[operating systems]|T:\\Zeldr.bin=\"Tessu - NEW.IMG\"";
        EXPECT_EQ(IniLines(ReadFile("T:\\boot.ini")), expected);
    }
    // each write made a new backup of the original
    EXPECT_EQ(ReadFile("T:\\boot.ini.tsu"), Bytes(ini.begin(), ini.end()));
    EXPECT_EQ(ReadFile("T:\\boot.ini.tsu1"), Bytes(ini.begin(), ini.end()));
}

TEST_F(AssembleTest, EntriesOfOursInOtherCasesGiveWayToOneEntry)
{
    const std::string ini = std::string(kBootIni) + "t:\\ZELDR.BIN=\"Tessu - OLD.IMG\"\r\n"
                                                    "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n"
                                                    "T:\\zeldr.BIN=\"Tessu - OLDER.IMG\"\r\n";
    ASSERT_TRUE(WriteText("T:\\boot.ini", ini));
    CAssembler& a = Make();
    ASSERT_TRUE(a.AddBootIniEntry("Zeldr.bin", "Tessu - NEW.IMG"));
    std::vector<std::string> expected = IniLines(Bytes(ini.begin(), ini.end()));
    expected.erase(expected.begin() + 5);
    expected.erase(expected.begin() + 3);
    expected.push_back("[operating systems]|T:\\Zeldr.bin=\"Tessu - NEW.IMG\"");
    EXPECT_EQ(IniLines(ReadFile("T:\\boot.ini")), expected);
}

namespace {
// Writes like a profile writer that drops the last entry.
class LossyAssembler : public CAssembler {
public:
    using CAssembler::CAssembler;

protected:
    BOOL WriteIniValue(CIniFile& ini, LPCTSTR section, LPCTSTR key, LPCTSTR value) override
    {
        const BOOL ok = CAssembler::WriteIniValue(ini, section, key, value);
        Bytes text = ReadFile("T:\\boot.ini");
        std::string s(text.begin(), text.end());
        s.erase(s.rfind("multi("));
        WriteText("T:\\boot.ini", s);
        return ok;
    }
};
}  // namespace

TEST_F(AssembleTest, ForcedFailuresLeaveTheOriginalBytes)
{
    ASSERT_TRUE(WriteFile("T:\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
    ASSERT_TRUE(SetFileAttributesA("T:\\boot.ini", FILE_ATTRIBUTE_READONLY));
    LossyAssembler lossy(m_ui, NULL, &m_disks.source);
    lossy.m_strBootIniPath = "T:\\boot.ini";
    lossy.m_strImagePath = "T:\\FD.IMG";
    lossy.OnAssemble();
    EXPECT_EQ(lossy.m_nStatus, CAssembler::STATUS_BOOTINI_FAILED);
    EXPECT_TRUE(Shown("Write Bootini Failed"));
    EXPECT_FALSE(Shown("Operation OK"));
    EXPECT_EQ(ReadFile("T:\\boot.ini"), Bytes(kBootIni, kBootIni + strlen(kBootIni)));
    EXPECT_EQ(GetFileAttributesA("T:\\boot.ini") & 7, DWORD(FILE_ATTRIBUTE_READONLY));
    SetFileAttributesA("T:\\boot.ini", FILE_ATTRIBUTE_NORMAL);

    // an old Tessu.sys that cannot be removed stops before Zeldr.bin and boot.ini
    m_ui.shown.clear();
    ClearFolder("T:\\");
    ASSERT_TRUE(WriteText("T:\\boot.ini", kBootIni));
    ASSERT_TRUE(WriteFile("T:\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
    ASSERT_TRUE(WriteText("T:\\Tessu.sys", "old"));
    ASSERT_TRUE(SetFileAttributesA("T:\\Tessu.sys", FILE_ATTRIBUTE_READONLY));
    CAssembler& locked = Make();
    locked.m_strImagePath = "T:\\FD.IMG";
    locked.OnAssemble();
    EXPECT_EQ(locked.m_nStatus, CAssembler::STATUS_REMOVE_FAILED);
    EXPECT_EQ(ReadFile("T:\\Tessu.sys"), Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(GetFileAttributesA("T:\\Zeldr.bin"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile("T:\\boot.ini"), Bytes(kBootIni, kBootIni + strlen(kBootIni)));

    // a boot.ini without a timeout is refused before any write
    SetFileAttributesA("T:\\Tessu.sys", FILE_ATTRIBUTE_NORMAL);
    DeleteFileA("T:\\Tessu.sys");
    ASSERT_TRUE(WriteText("T:\\boot.ini", "[boot loader]\r\ndefault=x\r\n"));
    CAssembler& invalid = Make();
    invalid.m_strImagePath = "T:\\FD.IMG";
    invalid.OnAssemble();
    EXPECT_EQ(invalid.m_nStatus, CAssembler::STATUS_BOOTINI_FAILED);
    EXPECT_TRUE(Shown("Invalid Bootini"));
    EXPECT_EQ(GetFileAttributesA("T:\\Tessu.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"FD.IMG@1474560", "boot.ini@26"}));
}

TEST_F(AssembleTest, QuickApplicationAndFloppyImage)
{
    CAssembler& quick = Make(CAssembler::MODE_BOOT_LOADER);
    quick.m_strLoaderPath = "T:\\NTLDR";
    m_ui.answers = {IInstallerUi::ANSWER_OK};
    quick.OnQuickApply();
    EXPECT_EQ(quick.m_nStatus, CAssembler::STATUS_OK);
    EXPECT_TRUE(Shown("Operation OK"));
    ExpectStandIn("T:\\Tessu.sys", "tessuqa.sys", 192, 314);
    EXPECT_EQ(Field("T:\\Tessu.sys", 192, 314), Padded(QuickApplicationText(), 314));
    EXPECT_EQ(Field("T:\\Zeldr.bin", 752, 16), std::string("TESSU.SYS\0\0\0\0\0\0\0", 16));
    EXPECT_TRUE(Contains(IniLines(ReadFile("T:\\boot.ini")), "[operating systems]|T:\\Zeldr.bin=\"Tessu - QuickBoot\""));

    // the floppy image, in virtual-disk mode whatever the mode, greets on success only
    ClearFolder("T:\\");
    ASSERT_TRUE(WriteText("T:\\boot.ini", kBootIni));
    m_ui.shown.clear();
    CAssembler& floppy = Make(CAssembler::MODE_BOOT_LOADER);
    floppy.OnInstallFloppyImage();
    EXPECT_TRUE(m_ui.shown.empty());
    floppy.m_bExpert = TRUE;
    floppy.OnInstallFloppyImage();
    EXPECT_EQ(floppy.m_nStatus, CAssembler::STATUS_OK);
    EXPECT_EQ(ReadFile("T:\\TessuImg.gz"), ReadFile(Bin("tessuimg.gz")));
    EXPECT_EQ(floppy.m_image.m_nType, CDiskImageInfo::TYPE_FLOPPY);
    ASSERT_FALSE(m_ui.shown.empty());
    EXPECT_EQ(m_ui.shown.back().find("\r\nHi, friend!"), 0u);
    EXPECT_EQ(Field("T:\\Tessu.sys", 192, 314),
              Padded(DiskImageMenuText("(hd0,0)/TessuImg.gz", 1, 80, 2, 18), 314));

    m_ui.shown.clear();
    m_disks.hasLetter = false;
    CAssembler& failing = Make();
    failing.m_bExpert = TRUE;
    failing.OnInstallFloppyImage();
    EXPECT_EQ(failing.m_nStatus, CAssembler::STATUS_NO_DEVICE);
    ASSERT_FALSE(m_ui.shown.empty());
    EXPECT_EQ(m_ui.shown.back().find("\r\nHi, friend!"), std::string::npos);
}

namespace {
// The boot drive U: is a 1 MiB drive (small_drive.sh) that each case fills
// until only a few KB stay free; the images stay on T:.
class FullDriveTest : public AssembleTest {
protected:
    void SetUp() override
    {
        AssembleTest::SetUp();
        ULARGE_INTEGER total = {};
        if (!GetDiskFreeSpaceExA("U:\\", NULL, &total, NULL) || total.QuadPart > (4u << 20))
            GTEST_SKIP() << "no small drive U: (it needs a tmpfs mount)";
        ClearFolder("U:\\");
        ASSERT_TRUE(WriteText("U:\\boot.ini", kOldIni));
        ASSERT_TRUE(WriteFile("U:\\Tessu.sys", Bytes(4096, 's')));
        ASSERT_TRUE(WriteFile("U:\\Zeldr.bin", Bytes(4096, 'z')));
    }
    void TearDown() override
    {
        ClearFolder("U:\\");
        AssembleTest::TearDown();
    }

    // Leaves `free` bytes of the drive free.
    static ::testing::AssertionResult Fill(uint64_t free)
    {
        ULARGE_INTEGER available = {};
        GetDiskFreeSpaceExA("U:\\", &available, NULL, NULL);
        if (available.QuadPart < free)
            return ::testing::AssertionFailure() << "only " << available.QuadPart << " bytes free";
        if (!WriteFile("U:\\filler", Bytes(size_t(available.QuadPart - free), 'f')))
            return ::testing::AssertionFailure() << "filler not written";
        return ::testing::AssertionSuccess();
    }

    CAssembler& MakeOnU(int mode)
    {
        CAssembler& a = Make(mode);
        a.m_strBootIniPath = "U:\\boot.ini";
        return a;
    }

    void ExpectOldFiles()
    {
        EXPECT_EQ(ReadFile("U:\\Tessu.sys"), Bytes(4096, 's'));
        EXPECT_EQ(ReadFile("U:\\Zeldr.bin"), Bytes(4096, 'z'));
        EXPECT_EQ(ReadFile("U:\\boot.ini"), Bytes(kOldIni, kOldIni + strlen(kOldIni)));
        EXPECT_EQ(Listing("U:\\"), (std::vector<std::string>{"Tessu.sys@4096", "Zeldr.bin@4096", "boot.ini@" + std::to_string(strlen(kOldIni)),
                                                             "filler@" + std::to_string(ReadFile("U:\\filler").size())}));
    }

    static Bytes Ntldr()
    {
        Bytes ntldr(8192, 0);
        ntldr[0] = 0xE9;
        return ntldr;
    }

    static const char kOldIni[];
};
const char FullDriveTest::kOldIni[] = "[boot loader]\r\ntimeout=30\r\n[operating systems]\r\n"
                                      "U:\\Zeldr.bin=\"Tessu - OLD.IMG\"\r\n";
}  // namespace

TEST_F(FullDriveTest, OldLoaderFilesStayWholeWhenTheNewOnesDoNotFit)
{
    ASSERT_TRUE(WriteFile("T:\\FD.IMG", ReadFile(FixturePath("floppy144.img"))));
    ASSERT_TRUE(Fill(8192));
    CAssembler& disk = MakeOnU(CAssembler::MODE_VIRTUAL_DISK);
    disk.m_strImagePath = "T:\\FD.IMG";
    disk.OnAssemble();
    EXPECT_EQ(disk.m_nStatus, CAssembler::STATUS_WRITE_FAILED);
    EXPECT_TRUE(Shown("Write Failed"));
    ExpectOldFiles();

    ASSERT_TRUE(WriteFile("T:\\ntldr", Ntldr()));
    ASSERT_TRUE(DeleteFileA("U:\\filler"));
    ASSERT_TRUE(Fill(0));
    CAssembler& loader = MakeOnU(CAssembler::MODE_BOOT_LOADER);
    loader.m_strLoaderPath = "T:\\ntldr";
    loader.OnAssemble();
    EXPECT_EQ(loader.m_nStatus, CAssembler::STATUS_WRITE_FAILED);
    ExpectOldFiles();
}

TEST_F(FullDriveTest, BootIniBackupThatDoesNotFitLeavesNoFile)
{
    ASSERT_TRUE(WriteFile("T:\\ntldr", Ntldr()));
    ASSERT_TRUE(DeleteFileA("U:\\Zeldr.bin"));
    ASSERT_TRUE(Fill(8192));  // room for the new Zeldr.bin alone
    CAssembler& a = MakeOnU(CAssembler::MODE_BOOT_LOADER);
    a.m_strLoaderPath = "T:\\ntldr";
    a.OnAssemble();
    EXPECT_EQ(a.m_nStatus, CAssembler::STATUS_BOOTINI_FAILED);
    EXPECT_TRUE(Shown("Write Bootini Failed"));
    EXPECT_EQ(ReadFile("U:\\Zeldr.bin").size(), ReadFile(Bin("zeldr.bin")).size());
    EXPECT_EQ(ReadFile("U:\\boot.ini"), Bytes(kOldIni, kOldIni + strlen(kOldIni)));
    EXPECT_EQ(GetFileAttributesA("U:\\boot.ini.tsu"), INVALID_FILE_ATTRIBUTES);
}

TEST(AssembleResources, WritesAreChecked)
{
    TempFolder dir;
    EXPECT_TRUE(WriteResourceToFile(kTessuResourceType, IDR_ZELDR_BIN, (dir / "z.bin").c_str()));
    EXPECT_EQ(ReadFile(dir / "z.bin"), ReadFile(Bin("zeldr.bin")));
    EXPECT_FALSE(WriteResourceToFile(kTessuResourceType, 999, (dir / "none.bin").c_str()));
    EXPECT_FALSE(WriteResourceToFile(kTessuResourceType, IDR_ZELDR_BIN, (dir / "no\\such\\z.bin").c_str()));
    unsigned char* data = NULL;
    size_t size = 0;
    ASSERT_TRUE(LoadResourceData(IDR_GRUB2_HEAD, kTessuResourceType, &data, &size));
    std::unique_ptr<unsigned char[]> owner(data);
    EXPECT_EQ(Bytes(data, data + size), ReadFile(Bin("grub2head.bin")));
    unsigned char* none = NULL;
    EXPECT_FALSE(LoadResourceData(999, kTessuResourceType, &none));
}
