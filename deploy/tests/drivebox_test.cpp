#include "deploy/DriveComboBox.h"
#include "deploy/core/PartitionTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cctype>
#include <map>
#include <string>

namespace {
class TopWindow : public CWnd {
public:
    TopWindow() { CreateEx(0, AfxRegisterWndClass(0), "drive box test", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300, NULL, NULL); }
    ~TopWindow()
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

// The letter that tests/with_spare_drive.sh maps to a temp folder.
char SpareDriveLetter()
{
    const char* letter = getenv("ZAVO_SPARE_DRIVE");
    if (!letter || !*letter || !(::GetLogicalDrives() & (1u << (toupper(*letter) - 'A'))))
        return 0;
    return (char)toupper(*letter);
}

struct FakeDisks {
    std::map<int, uint64_t> sizes;  // disk -> bytes; 0: no geometry
};

void Put32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(v >> (8 * i));
}

DiskSource Source(FakeDisks& fake)
{
    DiskSource s = {};
    s.ctx = &fake;
    s.OpenDisk = [](void* c, int n, bool) -> void* {
        FakeDisks& f = *static_cast<FakeDisks*>(c);
        return f.sizes.count(n) ? (void*)&f.sizes[n] : nullptr;
    };
    s.CloseDisk = [](void*, void*) {};
    s.QueryGeometry = [](void*, void* disk, void* buf, uint32_t) {
        uint64_t bytes = *static_cast<uint64_t*>(disk);
        if (bytes == 0)
            return false;
        unsigned char* g = static_cast<unsigned char*>(buf);
        memset(g, 0, 24);
        uint64_t cylinders = bytes / 512;  // one sector per cylinder
        Put32(g, (uint32_t)cylinders);
        Put32(g + 4, (uint32_t)(cylinders >> 32));
        Put32(g + 12, 1);
        Put32(g + 16, 1);
        Put32(g + 20, 512);
        return true;
    };
    return s;
}

std::string Text(DriveComboBox& box, int i)
{
    return (LPCTSTR)box.GetItemText(i);
}
}  // namespace

TEST(DriveComboBox, FixedDrivesWithTheirRootsOnceOnly)
{
    const char spare = SpareDriveLetter();
    if (!spare)
        GTEST_SKIP() << "runs with a spare drive mapped (with_spare_drive.sh)";
    const std::string spareRoot = std::string(1, spare) + ":\\";
    TopWindow parent;
    DriveComboBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 300, 200), &parent, 100));
    int count = box.FillLogicalDrives(DRIVE_MASK_FIXED);
    ASSERT_GT(count, 0);
    EXPECT_EQ(count, box.GetCount());
    bool foundSpare = false;
    for (int i = 0; i < count; ++i) {
        const char* root = (const char*)box.GetItemData(i);
        ASSERT_NE(nullptr, root);
        EXPECT_EQ((UINT)DRIVE_FIXED, ::GetDriveType(root)) << root;
        foundSpare = foundSpare || spareRoot == root;
        EXPECT_FALSE(Text(box, i).empty());
    }
    EXPECT_TRUE(foundSpare);
    EXPECT_EQ(-1, box.FillLogicalDrives(DRIVE_MASK_FIXED | DRIVE_MASK_CDROM));
    EXPECT_EQ(count, box.GetCount());

    DriveComboBox cdOnly;
    ASSERT_TRUE(cdOnly.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 300, 200), &parent, 101));
    int cds = cdOnly.FillLogicalDrives(DRIVE_MASK_CDROM);
    for (int i = 0; i < cds; ++i)
        EXPECT_NE(spareRoot, (const char*)cdOnly.GetItemData(i));
}

TEST(DriveComboBox, SystemImageListOutlivesTheBox)
{
    SHFILEINFO info = {};
    HIMAGELIST system = (HIMAGELIST)::SHGetFileInfo(".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                    SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON | SHGFI_SYSICONINDEX);
    ASSERT_NE((HIMAGELIST)NULL, system);
    {
        TopWindow parent;
        DriveComboBox box;
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 300, 200), &parent, 100));
        box.FillLogicalDrives(DRIVE_MASK_FIXED);
        EXPECT_EQ(system, box.GetImageList()->GetSafeHandle());
    }
    EXPECT_GT(ImageList_GetImageCount(system), 0);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(system, &cx, &cy));
}

TEST(DriveComboBox, PhysicalDisksWithTheirSizes)
{
    FakeDisks fake;
    fake.sizes[0] = 40000000ull * 1024;
    fake.sizes[1] = 0;
    fake.sizes[3] = 2ull << 40;
    DiskSource source = Source(fake);
    TopWindow parent;
    DriveComboBox box(source);
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 300, 200), &parent, 100));
    box.InsertItem(0, "old item");
    EXPECT_EQ(3, box.FillPhysicalDrives());
    ASSERT_EQ(3, box.GetCount());
    EXPECT_EQ("HDD 0 (38.15 GB)", Text(box, 0));
    EXPECT_EQ("HDD 1 ", Text(box, 1));
    EXPECT_EQ("HDD 3 (2.00 TB)", Text(box, 2));

    DriveComboBox real;
    ASSERT_TRUE(real.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 300, 200), &parent, 101));
    EXPECT_EQ(real.GetCount(), real.FillPhysicalDrives());
}
