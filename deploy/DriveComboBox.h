// Extended combo box of the deploy wizard: Windows drives of chosen types
// with their shell icons and names, or the physical disks with their sizes.
#pragma once

#include "framework/Framework.h"
#include "framework/ComboBoxEx.h"
#include "framework/ImageList.h"

#include "deploy/core/DiskSource.h"

#include <vector>

// Drive type mask of FillLogicalDrives.
enum {
    DRIVE_MASK_FIXED = 0x1,
    DRIVE_MASK_CDROM = 0x2,
    DRIVE_MASK_REMOVABLE = 0x4,
    DRIVE_MASK_NETWORK = 0x8,
    DRIVE_MASK_RAMDISK = 0x10,
};

class DriveComboBox : public CComboBoxEx {
public:
    DriveComboBox();
    // The disk list reads the disks through `disks`, which must outlive the box.
    explicit DriveComboBox(const DiskSource& disks);
    virtual ~DriveComboBox();

    // Fills the box once with the drives whose type bit is set; each item's
    // data points to its root ("C:\") in the box's own buffer. Returns the
    // item count, -1 when the box was filled before, -2 when the drive
    // strings cannot be read whole.
    int FillLogicalDrives(UINT typeMask);

    // Empties the box and lists the physical disks 0 to 7 that open:
    // "HDD n (size)", or "HDD n " when the disk tells no geometry.
    int FillPhysicalDrives();

private:
    const DiskSource& m_disks;
    std::vector<char> m_roots;
    CImageList* m_pSystemImages;  // attached to the system list, never destroying it
};
