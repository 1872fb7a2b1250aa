#include "deploy/DriveComboBox.h"

#include "deploy/DiskSizeText.h"
#include "deploy/core/PartitionTable.h"

#include <shellapi.h>

namespace {
UINT MaskBitOfType(UINT type)
{
    switch (type) {
    case DRIVE_FIXED:
        return DRIVE_MASK_FIXED;
    case DRIVE_CDROM:
        return DRIVE_MASK_CDROM;
    case DRIVE_REMOVABLE:
        return DRIVE_MASK_REMOVABLE;
    case DRIVE_REMOTE:
        return DRIVE_MASK_NETWORK;
    case DRIVE_RAMDISK:
        return DRIVE_MASK_RAMDISK;
    default:
        return 0;
    }
}

const int kPhysicalDisks = 8;
const int kDiskImage = 1;
}  // namespace

DriveComboBox::DriveComboBox() : m_disks(Win32DiskSource()), m_pSystemImages(NULL) {}

DriveComboBox::DriveComboBox(const DiskSource& disks) : m_disks(disks), m_pSystemImages(NULL) {}

DriveComboBox::~DriveComboBox()
{
    if (m_pSystemImages) {
        m_pSystemImages->Detach();
        delete m_pSystemImages;
    }
}

int DriveComboBox::FillLogicalDrives(UINT typeMask)
{
    if (!m_roots.empty())
        return -1;
    const DWORD needed = ::GetLogicalDriveStrings(0, NULL);
    m_roots.assign(needed + 1, '\0');
    if (needed == 0 || ::GetLogicalDriveStrings(needed, &m_roots[0]) != needed - 1)
        return -2;

    int count = 0;
    for (char* root = &m_roots[0]; *root; root += strlen(root) + 1) {
        if (!(typeMask & MaskBitOfType(::GetDriveType(root))))
            continue;
        SHFILEINFO info = {};
        if (!::SHGetFileInfo(root, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME))
            continue;
        InsertItem(count++, info.szDisplayName, info.iIcon, info.iIcon, 0, (LPARAM)root);
    }

    SHFILEINFO info = {};
    HIMAGELIST system = (HIMAGELIST)::SHGetFileInfo(".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                    SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON | SHGFI_SYSICONINDEX);
    if (system && !m_pSystemImages) {
        m_pSystemImages = new CImageList;
        m_pSystemImages->Attach(system);
        m_pSystemImages->SetBkColor(CLR_NONE);
        SetImageList(m_pSystemImages);
    }
    return count;
}

int DriveComboBox::FillPhysicalDrives()
{
    SendMessage(CB_RESETCONTENT);
    int count = 0;
    for (int n = 0; n < kPhysicalDisks; ++n) {
        void* disk = m_disks.OpenDisk(m_disks.ctx, n, true);
        if (!disk)
            continue;
        unsigned char geometry[24] = {};
        uint64_t bytes = 0;
        CString text;
        if (m_disks.QueryGeometry(m_disks.ctx, disk, geometry, sizeof(geometry)) &&
            ParseDiskGeometrySize(geometry, sizeof(geometry), bytes))
            text.Format("HDD %d (%s)", n, FormatDiskSize(bytes / 1024));
        else
            text.Format("HDD %d ", n);
        m_disks.CloseDisk(m_disks.ctx, disk);
        InsertItem(count++, text, kDiskImage, kDiskImage);
    }
    return count;
}
