#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "deploy/core/PartitionTable.h"

namespace {
// One layout record as the disk driver lays it out.
struct Record {
    uint64_t offset;
    uint64_t length;
    uint32_t number;
    uint8_t type;
};

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

void Put64(std::vector<uint8_t>& b, size_t at, uint64_t v)
{
    Put32(b, at, (uint32_t)v);
    Put32(b, at + 4, (uint32_t)(v >> 32));
}

std::vector<uint8_t> LayoutBytes(const std::vector<Record>& records)
{
    std::vector<uint8_t> b(8 + 32 * records.size(), 0);
    Put32(b, 0, (uint32_t)records.size());
    Put32(b, 4, 0x12345678);
    for (size_t i = 0; i < records.size(); ++i) {
        size_t at = 8 + 32 * i;
        Put64(b, at, records[i].offset);
        Put64(b, at + 8, records[i].length);
        Put32(b, at + 16, (uint32_t)(records[i].offset / 512));
        Put32(b, at + 20, records[i].number);
        b[at + 24] = records[i].type;
        b[at + 26] = records[i].type ? 1 : 0;
    }
    return b;
}

std::vector<uint8_t> ExtentBytes(uint32_t count, uint32_t disk, uint64_t offset)
{
    std::vector<uint8_t> b(32, 0);
    Put32(b, 0, count);
    Put32(b, 8, disk);
    Put64(b, 16, offset);
    Put64(b, 24, 1u << 20);
    return b;
}

struct Volume {
    unsigned type;
    std::vector<uint8_t> extents;
};

// Disks and volumes behind the disk source table.
struct FakeDisks {
    std::map<int, std::vector<uint8_t>> layouts;  // disks that open
    std::map<int, uint32_t> layoutErrors;         // a layout query that fails so
    int shortBufferReplies = 0;                   // 122 this many times first (-1: always)
    std::map<char, Volume> volumes;
    std::vector<uint32_t> askedSizes;
    std::vector<char> queried;
    int open = 0;
};

FakeDisks& F(void* ctx)
{
    return *static_cast<FakeDisks*>(ctx);
}

DiskSource Source(FakeDisks& fake)
{
    DiskSource s;
    s.ctx = &fake;
    s.OpenDisk = [](void* c, int n, bool) -> void* {
        if (!F(c).layouts.count(n) && !F(c).layoutErrors.count(n))
            return nullptr;
        ++F(c).open;
        return new int(n);
    };
    s.CloseDisk = [](void* c, void* d) {
        --F(c).open;
        delete static_cast<int*>(d);
    };
    s.QueryLayout = [](void* c, void* d, void* buf, uint32_t size, uint32_t* error) {
        FakeDisks& f = F(c);
        int n = *static_cast<int*>(d);
        f.askedSizes.push_back(size);
        if (f.layoutErrors.count(n)) {
            *error = f.layoutErrors[n];
            return false;
        }
        const std::vector<uint8_t>& bytes = f.layouts[n];
        if (f.shortBufferReplies != 0 || bytes.size() > size) {
            if (f.shortBufferReplies > 0)
                --f.shortBufferReplies;
            *error = DISK_ERROR_INSUFFICIENT_BUFFER;
            return false;
        }
        memcpy(buf, bytes.data(), bytes.size());
        return true;
    };
    s.QueryGeometry = [](void*, void*, void*, uint32_t) { return false; };
    s.GetLogicalDrives = [](void* c) {
        uint32_t mask = 0;
        for (auto& v : F(c).volumes)
            mask |= 1u << (v.first - 'A');
        return mask;
    };
    s.GetDriveType = [](void* c, const char* root) { return F(c).volumes[root[0]].type; };
    s.QueryVolumeExtents = [](void* c, char letter, void* buf, uint32_t size) {
        FakeDisks& f = F(c);
        f.queried.push_back(letter);
        const std::vector<uint8_t>& bytes = f.volumes[letter].extents;
        if (bytes.empty() || bytes.size() > size)
            return false;
        memcpy(buf, bytes.data(), bytes.size());
        return true;
    };
    return s;
}

std::vector<std::string> Devices(const std::vector<PartitionEntry>& entries)
{
    std::vector<std::string> out;
    for (const PartitionEntry& e : entries)
        out.push_back(std::string(e.device) + (e.letter[0] ? std::string("=") + e.letter : std::string()));
    return out;
}

const uint64_t kMiB = 1024 * 1024;

// Slots 0 and 1, an extended container in slot 2 holding two logical
// partitions, each behind its own extended boot record.
std::vector<uint8_t> ExtendedDisk()
{
    return LayoutBytes({{kMiB, 100 * kMiB, 1, 0x07},
                        {101 * kMiB, 100 * kMiB, 2, 0x0B},
                        {201 * kMiB, 300 * kMiB, 0, 0x0F},
                        {0, 0, 0, 0},
                        {202 * kMiB, 99 * kMiB, 5, 0x07},
                        {301 * kMiB, 100 * kMiB, 0, 0x05},
                        {0, 0, 0, 0},
                        {0, 0, 0, 0},
                        {302 * kMiB, 99 * kMiB, 6, 0x0B},
                        {0, 0, 0, 0},
                        {0, 0, 0, 0},
                        {0, 0, 0, 0}});
}
}  // namespace

TEST(PartitionTable, NumbersPrimarySlotsAndLogicalPartitionsFromFour)
{
    FakeDisks fake;
    fake.layouts[0] = ExtendedDisk();
    std::vector<PartitionEntry> entries = ReadPartitionTable(Source(fake), kQueryStudioDriveTypes);
    EXPECT_EQ(Devices(entries), (std::vector<std::string>{"(hd0,0)", "(hd0,1)", "(hd0,4)", "(hd0,5)"}));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].kind, PARTITION_KIND_PRIMARY);
    EXPECT_EQ(entries[2].kind, PARTITION_KIND_LOGICAL);
    EXPECT_EQ(entries[3].info.startingOffset, (int64_t)(302 * kMiB));
    EXPECT_EQ(entries[3].info.partitionType, 0x0B);
    EXPECT_EQ(entries[3].info.hiddenSectors, 302u * 2048);
    EXPECT_EQ(fake.open, 0);
}

TEST(PartitionTable, SlotIndexCountsNotUsedSlots)
{
    FakeDisks fake;
    fake.layouts[0] = LayoutBytes({{0, 0, 0, 0}, {kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    EXPECT_EQ(Devices(ReadPartitionTable(Source(fake), kQueryStudioDriveTypes)),
              std::vector<std::string>{"(hd0,1)"});
}

TEST(PartitionTable, UnreadableDisksGiveNoEntriesAndLaterDisksKeepTheirNumbers)
{
    FakeDisks fake;            // disk 0 does not open
    fake.layoutErrors[1] = 5;  // access denied
    fake.layouts[2] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    fake.layouts[3] = LayoutBytes({{kMiB, kMiB, 1, 7}});  // fewer than four records
    fake.layouts[7] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    std::vector<uint8_t> lying = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    Put32(lying, 0, 1000);  // more records than bytes
    fake.layouts[4] = lying;
    EXPECT_EQ(Devices(ReadPartitionTable(Source(fake), kQueryStudioDriveTypes)),
              (std::vector<std::string>{"(hd2,0)", "(hd7,0)"}));
    EXPECT_EQ(fake.open, 0);
}

TEST(PartitionTable, LayoutBufferGrowsWhileTooSmallButNotForEver)
{
    FakeDisks fake;
    fake.layouts[0] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    fake.shortBufferReplies = 2;
    EXPECT_EQ(Devices(ReadPartitionTable(Source(fake), kQueryStudioDriveTypes)),
              std::vector<std::string>{"(hd0,0)"});
    EXPECT_EQ(fake.askedSizes, (std::vector<uint32_t>{168, 296, 424}));

    FakeDisks endless;
    endless.layouts[0] = fake.layouts[0];
    endless.layouts[1] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    endless.shortBufferReplies = -1;
    EXPECT_TRUE(ReadPartitionTable(Source(endless), kQueryStudioDriveTypes).empty());
    ASSERT_FALSE(endless.askedSizes.empty());
    for (uint32_t size : endless.askedSizes)
        EXPECT_LE(size, kLayoutMaxSize);
}

TEST(PartitionTable, LettersMatchWholeStartingOffsetsOnTheSameDisk)
{
    FakeDisks fake;
    const uint64_t high = 0x100000000ull;  // same low half as offset kMiB
    fake.layouts[0] = LayoutBytes({{kMiB, kMiB, 1, 7}, {high + kMiB, kMiB, 2, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    fake.layouts[1] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    fake.volumes['C'] = {DISK_DRIVE_FIXED, ExtentBytes(1, 0, high + kMiB)};
    fake.volumes['E'] = {DISK_DRIVE_REMOVABLE, ExtentBytes(2, 1, kMiB)};
    fake.volumes['F'] = {DISK_DRIVE_FIXED, ExtentBytes(0, 0, 0)};  // no extents, as under Wine
    fake.volumes['A'] = {DISK_DRIVE_REMOVABLE, ExtentBytes(1, 0, kMiB)};
    std::vector<PartitionEntry> entries = ReadPartitionTable(Source(fake), kQueryStudioDriveTypes);
    EXPECT_EQ(Devices(entries), (std::vector<std::string>{"(hd0,0)", "(hd0,1)=C:", "(hd1,0)=E:"}));
    EXPECT_EQ(fake.queried, (std::vector<char>{'C', 'E', 'F'}));

    std::string device;
    EXPECT_TRUE(FindGrubDevice(entries, "E:", device));
    EXPECT_EQ(device, "(hd1,0)");
    EXPECT_FALSE(FindGrubDevice(entries, "e:", device));
    EXPECT_EQ(device, "");
    EXPECT_FALSE(FindGrubDevice(entries, "F:", device));
    EXPECT_FALSE(FindGrubDevice(entries, "", device));
}

TEST(PartitionTable, QueriedDriveTypesAreAParameter)
{
    FakeDisks fake;
    fake.layouts[0] = LayoutBytes({{kMiB, kMiB, 1, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    fake.volumes['D'] = {DISK_DRIVE_CDROM, ExtentBytes(1, 0, kMiB)};
    fake.volumes['N'] = {DISK_DRIVE_REMOTE, ExtentBytes(1, 0, kMiB)};
    fake.volumes['U'] = {DISK_DRIVE_UNKNOWN, ExtentBytes(1, 0, kMiB)};
    fake.volumes['R'] = {DISK_DRIVE_RAMDISK, {}};
    std::vector<PartitionEntry> studio = ReadPartitionTable(Source(fake), kQueryStudioDriveTypes);
    EXPECT_EQ(fake.queried, std::vector<char>{'R'});
    EXPECT_EQ(Devices(studio), std::vector<std::string>{"(hd0,0)"});

    fake.queried.clear();
    std::vector<PartitionEntry> all = ReadPartitionTable(Source(fake), kQueryAllDriveTypes);
    EXPECT_EQ(fake.queried, (std::vector<char>{'D', 'N', 'R', 'U'}));
    // Every matching volume writes its letter; the last one stays.
    EXPECT_EQ(Devices(all), std::vector<std::string>{"(hd0,0)=U:"});
}

TEST(PartitionTable, GeometryGivesTheDiskSize)
{
    std::vector<uint8_t> g(24, 0);
    Put64(g, 0, 4865);
    Put32(g, 8, 12);
    Put32(g, 12, 255);
    Put32(g, 16, 63);
    Put32(g, 20, 512);
    uint64_t bytes = 0;
    ASSERT_TRUE(ParseDiskGeometrySize(g.data(), g.size(), bytes));
    EXPECT_EQ(bytes, 4865ull * 255 * 63 * 512);
    EXPECT_FALSE(ParseDiskGeometrySize(g.data(), 23, bytes));
}
