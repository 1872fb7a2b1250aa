#include "installer/DiskImageInfo.h"
#include "installer/GunzipFile.h"
#include "installer/InstallerTexts.h"
#include "installer/LangFile.h"
#include "installer/tests/InstallerTestFiles.h"
#include "framework/MemFile.h"

#include <cstring>
#include <string>
#include <vector>

using namespace installer_test;

namespace {
std::string Text(const char* key) { return BuiltinText("VD Installer", key); }

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string CaptionOf(CDiskImageInfo& info)
{
    CString c;
    info.GetCaption(c);
    return c.GetString();
}

Bytes BootSector()
{
    Bytes b(512, 0);
    b[510] = 0x55;
    b[511] = 0xAA;
    return b;
}

void PutLE16(Bytes& b, size_t at, unsigned v)
{
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}
}  // namespace

TEST(DiskImageAnalyse, FloppiesFromMkfsFat)
{
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse(FixturePath("floppy144.img").c_str()));
    EXPECT_EQ(info.m_nType, CDiskImageInfo::TYPE_FLOPPY);
    EXPECT_EQ(CaptionOf(info), Text("Disk Image Type") + " FDD (c=80 h=2 s=18)" + Text("Suggestion"));
    EXPECT_FALSE(info.m_bCompressed);

    ASSERT_TRUE(info.Analyse(FixturePath("floppy144.img.gz").c_str()));
    EXPECT_TRUE(info.m_bCompressed);
    EXPECT_EQ(CaptionOf(info), Text("Disk Image Type") + " FDD (c=80 h=2 s=18)");
}

TEST(DiskImageAnalyse, EnglishCaptionsReadAsSentences)
{
    const Bytes text = ReadFile(std::string(ZAVO_SOURCE_DIR) + "/installer/app/Tessumgr.lng");
    CLangFile lang;
    ASSERT_TRUE(lang.ParseText(reinterpret_cast<const char*>(text.data()), text.size()));
    CDiskImageInfo info(&lang);
    ASSERT_TRUE(info.Analyse(FixturePath("floppy144.img").c_str()));
    EXPECT_EQ(CaptionOf(info), "Disk type: FDD (c=80 h=2 s=18)\nSuggestion : Zip/Gzip compression is suggested.");
}

TEST(DiskImageAnalyse, FloppyNeedsPlausibleBootParameters)
{
    TempFolder dir;
    Bytes b = BootSector();
    b[0] = 0xEB, b[1] = 0x3C, b[2] = 0x90;
    PutLE16(b, 11, 512);
    PutLE16(b, 19, 0);
    b[32] = 0x00, b[33] = 0x00, b[34] = 0x02;  // 131,072 sectors, read as 32 bits
    PutLE16(b, 24, 32);
    PutLE16(b, 26, 64);
    ASSERT_TRUE(WriteFile(dir / "big.img", b));
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse((dir / "big.img").c_str()));
    EXPECT_EQ(info.m_nCylinders, 64);

    const struct {
        size_t at;
        unsigned value;
    } broken[] = {{11, 1024}, {26, 0}, {26, 256}, {24, 0}, {24, 64}};
    for (const auto& x : broken) {
        Bytes bad = b;
        PutLE16(bad, x.at, x.value);
        ASSERT_TRUE(WriteFile(dir / "bad.img", bad));
        EXPECT_FALSE(info.Analyse((dir / "bad.img").c_str())) << x.at << "=" << x.value;
    }
    Bytes noJump = b;
    noJump[0] = 0xFA;
    ASSERT_TRUE(WriteFile(dir / "bad.img", noJump));
    EXPECT_FALSE(info.Analyse((dir / "bad.img").c_str()));
    EXPECT_EQ(CaptionOf(info), Text("Unknown Type"));
}

TEST(DiskImageAnalyse, HardDiskGeometryFromItsPartitionTable)
{
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse(FixturePath("mbr1023.img").c_str()));
    EXPECT_EQ(info.m_nType, CDiskImageInfo::TYPE_HARDDISK);
    EXPECT_EQ(CaptionOf(info), Text("Disk Image Type") + " HDD (c=1024 h=16 s=63)" + Text("Suggestion"));

    TempFolder dir;
    Bytes mbr = ReadFile(FixturePath("mbr1023.img"));
    mbr[446] = 0;  // no active partition
    ASSERT_TRUE(WriteFile(dir / "inactive.img", mbr));
    EXPECT_FALSE(info.Analyse((dir / "inactive.img").c_str()));
}

TEST(DiskImageAnalyse, IsosByTheirBootCatalog)
{
    const std::string label = Text("Disk Image Type") + " CDFS (" + Text("Volume Name") + ": \"";
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse(FixturePath("noemu.iso").c_str()));
    EXPECT_EQ(info.m_nType, CDiskImageInfo::TYPE_ISO);
    EXPECT_TRUE(info.m_bNoEmulation);
    EXPECT_STREQ(info.m_szVolume, "NOEMU");
    EXPECT_EQ(info.m_size, 1859584u);
    EXPECT_EQ(CaptionOf(info),
              label + "NOEMU\", " + Text("Volume Size") + ": 1.77 MB)\n" + Text("ISO-BTip") + Text("ISO-NoEmu"));

    ASSERT_TRUE(info.Analyse(FixturePath("floppy.iso").c_str()));
    EXPECT_FALSE(info.m_bNoEmulation);
    EXPECT_TRUE(EndsWith(CaptionOf(info), Text("ISO-144")));
    ASSERT_TRUE(info.Analyse(FixturePath("hdd.iso").c_str()));
    EXPECT_TRUE(EndsWith(CaptionOf(info), Text("ISO-HDD")));

    EXPECT_FALSE(info.Analyse(FixturePath("data.iso").c_str()));
    EXPECT_EQ(CaptionOf(info), Text("Disk Image Type") + " " + Text("Data ISO"));

    // compressed: recognised from the inflated bytes, its catalog read through the inflater
    ASSERT_TRUE(info.Analyse(FixturePath("noemu.iso.gz").c_str()));
    EXPECT_TRUE(info.m_bCompressed);
    EXPECT_TRUE(info.m_bNoEmulation);
    EXPECT_NE(CaptionOf(info).find(Text("ISO-Compressed") + "\n"), std::string::npos);
}

TEST(DiskImageAnalyse, IsoSizeAndBadCatalog)
{
    TempFolder dir;
    Bytes iso = ReadFile(FixturePath("noemu.iso"));
    ASSERT_GT(iso.size(), 40000u);
    const unsigned char sectors[4] = {0x00, 0x00, 0x20, 0x00};  // 2,097,152 sectors: 4 GiB
    memcpy(&iso[32848], sectors, 4);
    ASSERT_TRUE(WriteFile(dir / "big.iso", iso));
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse((dir / "big.iso").c_str()));
    EXPECT_EQ(info.m_size, 4294967296ull);
    EXPECT_NE(CaptionOf(info).find(": 4.00 GB)"), std::string::npos);

    // the catalog's sector past the end of the file
    const unsigned char distant[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    memcpy(&iso[34887], distant, 4);
    ASSERT_TRUE(WriteFile(dir / "far.iso", iso));
    EXPECT_FALSE(info.Analyse((dir / "far.iso").c_str()));
    EXPECT_EQ(CaptionOf(info), Text("Unknown Type"));
}

TEST(DiskImageAnalyse, RomfsNameIsCutAt32Bytes)
{
    TempFolder dir;
    Bytes r(1024, 0);
    memcpy(&r[0], "-rom1fs-", 8);
    r[8] = 0x00, r[9] = 0x01, r[10] = 0x00, r[11] = 0x00;  // 65,536 bytes, big-endian
    memset(&r[16], 'N', 40);
    ASSERT_TRUE(WriteFile(dir / "menu.img", r));
    CDiskImageInfo info;
    ASSERT_TRUE(info.Analyse((dir / "menu.img").c_str()));
    EXPECT_EQ(info.m_nType, CDiskImageInfo::TYPE_ROMFS);
    EXPECT_EQ(std::string(info.m_szVolume), std::string(32, 'N'));
    EXPECT_EQ(info.m_size, 65536u);
    EXPECT_TRUE(EndsWith(CaptionOf(info), ": 64.00 KB)" + Text("Suggestion")));
}

TEST(DiskImageAnalyse, UnreadableAndUnknownFiles)
{
    CDiskImageInfo info;
    EXPECT_FALSE(info.Analyse("no-such-folder\\x.img"));
    EXPECT_EQ(CaptionOf(info), Text("Unknown Type"));
    TempFolder dir;
    ASSERT_TRUE(WriteFile(dir / "empty.img", Bytes()));
    EXPECT_FALSE(info.Analyse((dir / "empty.img").c_str()));
    ASSERT_TRUE(WriteFile(dir / "fake.gz", Bytes{0x1F, 0x8B, 8, 0, 1, 2, 3}));
    EXPECT_FALSE(info.Analyse((dir / "fake.gz").c_str()));
    EXPECT_FALSE(info.m_bCompressed);
}

namespace {
// All that the analysis found.
std::string Found(CDiskImageInfo& info, BOOL found)
{
    return std::to_string(found) + " " + std::to_string(info.m_nType) + " " + std::to_string(info.m_nCylinders) +
           "/" + std::to_string(info.m_nHeads) + "/" + std::to_string(info.m_nSectors) + " " +
           std::to_string(info.m_size) + " [" + info.m_szVolume + "] " + std::to_string(info.m_bNoEmulation) +
           std::to_string(info.m_bCompressed) + " " + CaptionOf(info);
}
}  // namespace

// An image's bytes in memory are analysed as the file holding them, plain and
// compressed, the boot catalog read from them too.
TEST(DiskImageAnalyse, BytesInMemoryAsTheFile)
{
    TempFolder dir;
    Bytes iso = ReadFile(FixturePath("noemu.iso"));
    ASSERT_GT(iso.size(), 40000u);
    const unsigned char distant[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    memcpy(&iso[34887], distant, 4);
    ASSERT_TRUE(WriteFile(dir / "far.iso", iso));
    ASSERT_TRUE(WriteFile(dir / "empty.img", Bytes()));
    ASSERT_TRUE(WriteFile(dir / "fake.gz", Bytes{0x1F, 0x8B, 8, 0, 1, 2, 3}));
    std::vector<std::string> paths = {dir / "far.iso", dir / "empty.img", dir / "fake.gz"};
    for (const char* name : {"floppy144.img", "floppy144.img.gz", "mbr1023.img", "noemu.iso", "floppy.iso", "hdd.iso",
                             "data.iso", "noemu.iso.gz", "python.zip"})
        paths.push_back(FixturePath(name));
    int found = 0;
    for (const std::string& path : paths) {
        Bytes bytes = ReadFile(path);
        CMemFile memory(bytes.data(), (UINT)bytes.size());
        CDiskImageInfo fromFile, fromMemory;
        std::string file = Found(fromFile, fromFile.Analyse(path.c_str()));
        EXPECT_EQ(file, Found(fromMemory, fromMemory.Analyse(memory))) << path;
        found += fromFile.m_nType != CDiskImageInfo::TYPE_NONE;
    }
    EXPECT_EQ(7, found);
}

TEST(DiskImageAnalyse, SizeTexts)
{
    CDiskImageInfo info;
    EXPECT_STREQ(info.FormatSize(5), "005 Byte");
    EXPECT_STREQ(info.FormatSize(1023), "1023 Byte");
    EXPECT_STREQ(info.FormatSize(1024), "1.00 KB");
    EXPECT_STREQ(info.FormatSize(1048576), "1.00 MB");
    EXPECT_STREQ(info.FormatSize(0x40000000), "1.00 GB");
    EXPECT_STREQ(info.FormatSize(6ull << 30), "6.00 GB");
}

TEST(Gunzip, InflatesAtMostTheBufferAndOnlyGzip)
{
    unsigned char buffer[4096];
    size_t produced = 0;
    EXPECT_TRUE(GunzipFile(buffer, sizeof(buffer), FixturePath("floppy144.img.gz").c_str(), &produced));
    EXPECT_EQ(produced, sizeof(buffer));
    EXPECT_EQ(buffer[510], 0x55);
    EXPECT_FALSE(GunzipFile(buffer, sizeof(buffer), FixturePath("floppy144.img").c_str(), &produced));
    EXPECT_FALSE(GunzipFile(buffer, sizeof(buffer), FixturePath("python.zip").c_str()));
}
