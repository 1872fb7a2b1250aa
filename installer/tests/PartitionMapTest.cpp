#include "installer/PartitionMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#undef GetDriveType  // the seam's member, not the A/W macro

namespace {
typedef std::vector<uint8_t> Bytes;

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

void Put64(Bytes& b, size_t at, uint64_t v)
{
    Put32(b, at, (uint32_t)v);
    Put32(b, at + 4, (uint32_t)(v >> 32));
}

// Layout records of (starting offset, partition number).
Bytes Layout(const std::vector<std::pair<uint64_t, uint32_t>>& records)
{
    Bytes b(8 + 32 * records.size(), 0);
    Put32(b, 0, (uint32_t)records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        Put64(b, 8 + 32 * i, records[i].first);
        Put32(b, 8 + 32 * i + 20, records[i].second);
        b[8 + 32 * i + 24] = records[i].second ? 0x07 : 0;
    }
    return b;
}

Bytes Extent(uint32_t disk, uint64_t offset)
{
    Bytes b(32, 0);
    Put32(b, 0, 1);
    Put32(b, 8, disk);
    Put64(b, 16, offset);
    return b;
}

struct Fake {
    std::map<int, Bytes> disks;
    std::map<char, Bytes> volumes;  // an empty buffer: the query fails
    std::map<char, unsigned> types;
    std::vector<uint32_t> askedSizes;
    std::vector<char> queried;
    DiskSource source;

    Fake()
    {
        source.ctx = this;
        source.OpenDisk = [](void* c, int n, bool) -> void* {
            Fake* f = static_cast<Fake*>(c);
            return f->disks.count(n) ? &f->disks[n] : NULL;
        };
        source.CloseDisk = [](void*, void*) {};
        source.QueryLayout = [](void* c, void* disk, void* buffer, uint32_t size, uint32_t* error) {
            static_cast<Fake*>(c)->askedSizes.push_back(size);
            const Bytes& b = *static_cast<Bytes*>(disk);
            if (b.size() > size) {
                *error = DISK_ERROR_INSUFFICIENT_BUFFER;
                return false;
            }
            memcpy(buffer, b.data(), b.size());
            return true;
        };
        source.QueryGeometry = [](void*, void*, void*, uint32_t) { return false; };
        source.GetLogicalDrives = [](void* c) {
            uint32_t mask = 0;
            for (const auto& v : static_cast<Fake*>(c)->volumes)
                mask |= 1u << (v.first - 'A');
            return mask;
        };
        source.GetDriveType = [](void* c, const char* root) {
            Fake* f = static_cast<Fake*>(c);
            return f->types.count(root[0]) ? f->types[root[0]] : DISK_DRIVE_FIXED;
        };
        source.QueryVolumeExtents = [](void* c, char letter, void* buffer, uint32_t size) {
            Fake* f = static_cast<Fake*>(c);
            f->queried.push_back(letter);
            const Bytes& b = f->volumes[letter];
            if (b.empty() || b.size() > size)
                return false;
            memcpy(buffer, b.data(), b.size());
            return true;
        };
    }

    std::vector<std::string> Devices()
    {
        CPartitionMap map(&source);
        map.Build();
        std::vector<std::string> out;
        for (const PartitionEntry& e : map.GetEntries())
            out.push_back(std::string(e.device) + (e.letter[0] ? std::string("=") + e.letter : ""));
        return out;
    }
};
}  // namespace

TEST(PartitionMap, NumbersSlotsAndLogicalPartitions)
{
    Fake slot1;
    slot1.disks[0] = Layout({{0, 0}, {1 << 20, 1}, {0, 0}, {0, 0}});
    EXPECT_EQ(slot1.Devices(), (std::vector<std::string>{"(hd0,1)"}));

    Fake logical;
    logical.disks[0] = Layout({{32256, 1}, {1 << 20, 2}, {2 << 20, 0}, {0, 0}, {3 << 20, 5}, {0, 0}, {4 << 20, 6}, {0, 0}});
    logical.disks[2] = Layout({{32256, 1}, {0, 0}, {0, 0}, {0, 0}});
    EXPECT_EQ(logical.Devices(),
              (std::vector<std::string>{"(hd0,0)", "(hd0,1)", "(hd0,4)", "(hd0,5)", "(hd2,0)"}));
}

TEST(PartitionMap, LayoutBufferGrowsUntilItFits)
{
    Fake f;
    std::vector<std::pair<uint64_t, uint32_t>> records(4, {0, 0});
    for (uint32_t i = 0; i < 10; ++i)
        records.push_back({uint64_t(i + 1) << 20, i + 5});
    f.disks[0] = Layout(records);  // 8 + 14 * 32 = 456 bytes
    EXPECT_EQ(f.Devices().size(), 10u);
    EXPECT_EQ(f.askedSizes, (std::vector<uint32_t>{168, 296, 424, 552}));
}

TEST(PartitionMap, LettersByDiskAndOffsetNeverFloppies)
{
    Fake f;
    f.disks[0] = Layout({{32256, 1}, {1 << 20, 2}, {0, 0}, {0, 0}});
    f.disks[1] = Layout({{32256, 1}, {0, 0}, {0, 0}, {0, 0}});
    f.volumes['A'] = Extent(0, 32256);
    f.volumes['B'] = Extent(0, 32256);
    f.volumes['C'] = Extent(0, 32256);
    f.volumes['D'] = Extent(1, 32256);
    f.volumes['E'] = Extent(0, 1 << 20);
    f.volumes['F'] = Extent(0, 12345);  // starts on no partition
    f.volumes['G'] = Bytes();           // its extents query fails
    f.volumes['H'] = Extent(0, 1 << 20);
    f.types['H'] = DISK_DRIVE_CDROM;  // every type is asked
    Put32(f.volumes['H'], 0, 0);      // but lists no extent
    EXPECT_EQ(f.Devices(), (std::vector<std::string>{"(hd0,0)=C:", "(hd0,1)=E:", "(hd1,0)=D:"}));
    EXPECT_EQ(f.queried, (std::vector<char>{'C', 'D', 'E', 'F', 'G', 'H'}));

    CPartitionMap map(&f.source);
    map.Build();
    CString device;
    EXPECT_TRUE(map.FindDevice("e:\\IMAGES\\A.ISO", device));
    EXPECT_STREQ(device.GetString(), "(hd0,1)");
    EXPECT_FALSE(map.FindDevice("F:\\X.IMG", device));
    EXPECT_FALSE(map.FindDevice("G:\\X.IMG", device));
    EXPECT_FALSE(map.FindDevice("\\\\server\\X.IMG", device));
    EXPECT_TRUE(device.IsEmpty());
}

TEST(PartitionMap, NoDisksGiveAnEmptyMap)
{
    Fake f;
    f.volumes['C'] = Extent(0, 32256);
    EXPECT_TRUE(f.Devices().empty());
}
