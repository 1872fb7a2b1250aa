#include "framework/Framework.h"

#include "deploy/DiskSizeText.h"
#include "deploy/DriveDeviceMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
// One disk with one partition in slot 1 and the volume C: on it.
struct OneDisk {
    int opens = 0;
};

OneDisk& D(void* ctx)
{
    return *static_cast<OneDisk*>(ctx);
}

void Put32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(v >> (8 * i));
}

DiskSource Source(OneDisk& disk)
{
    DiskSource s;
    s.ctx = &disk;
    s.OpenDisk = [](void* c, int n, bool) -> void* {
        ++D(c).opens;
        return n == 0 ? c : nullptr;
    };
    s.CloseDisk = [](void*, void*) {};
    s.QueryLayout = [](void*, void*, void* buf, uint32_t size, uint32_t*) {
        unsigned char* b = static_cast<unsigned char*>(buf);
        memset(b, 0, size);
        Put32(b, 4);
        Put32(b + 8 + 32 + 0, 32256);  // slot 1 starts at sector 63
        Put32(b + 8 + 32 + 20, 1);
        return true;
    };
    s.QueryGeometry = [](void*, void*, void*, uint32_t) { return false; };
    s.GetLogicalDrives = [](void*) { return (uint32_t)(1u << 2); };
    s.GetDriveType = [](void*, const char*) { return DISK_DRIVE_FIXED; };
    s.QueryVolumeExtents = [](void*, char, void* buf, uint32_t) {
        unsigned char* b = static_cast<unsigned char*>(buf);
        Put32(b, 1);
        Put32(b + 16, 32256);
        return true;
    };
    return s;
}
}  // namespace

TEST(DriveDeviceMap, LooksUpCapitalDriveTextsAndBuildsOnce)
{
    OneDisk disk;
    DiskSource source = Source(disk);
    DriveDeviceMap map(source);
    CString drive = "C:";
    EXPECT_EQ(1, map.Lookup(drive));
    EXPECT_STREQ("(hd0,1)", drive);
    const int opens = disk.opens;
    EXPECT_EQ(8, opens);

    drive = "c:";
    EXPECT_EQ(0, map.Lookup(drive));
    EXPECT_STREQ("", drive);
    drive = "D:";
    EXPECT_EQ(0, map.Lookup(drive));
    EXPECT_EQ(opens, disk.opens);
}

TEST(FormatDiskSize, UnitsChangeAtEachPowerOfTwo)
{
    EXPECT_STREQ("1023.00 KB", FormatDiskSize(1023));
    EXPECT_STREQ("1.00 MB", FormatDiskSize(1024));
    EXPECT_STREQ("1024.00 MB", FormatDiskSize(1048575));
    EXPECT_STREQ("1.00 GB", FormatDiskSize(1048576));
    EXPECT_STREQ("38.15 GB", FormatDiskSize(40000000));
    EXPECT_STREQ("512.00 MB", FormatDiskSize(524288));
    EXPECT_STREQ("2.00 TB", FormatDiskSize(2ull * 1024 * 1024 * 1024));
    EXPECT_STREQ("1.00 TB", FormatDiskSize(1073741824ull));
}

#ifdef _WIN32
TEST(DriveDeviceMap, TheMachineUnderWineGivesAnEmptyMap)
{
    DriveDeviceMap map;
    CString drive = "C:";
    EXPECT_EQ(0, map.Lookup(drive));
    EXPECT_STREQ("", drive);
    EXPECT_TRUE(map.GetEntries().empty());
}
#endif
