// The studio's map from Windows drive letters to GRUB devices, read once
// through a disk source and kept as long as the map lives.
#pragma once

#include "framework/Framework.h"

#include "deploy/core/PartitionTable.h"

#include <vector>

class DriveDeviceMap {
public:
    // The source must outlive the map. On Windows the default reads the machine.
    explicit DriveDeviceMap(const DiskSource& source);
#ifdef _WIN32
    DriveDeviceMap();
#endif

    // `drive` is a letter and a colon in capitals ("C:"). Builds the map on
    // the first call; on a match the text becomes the device ("(hd0,1)")
    // and the result is 1, else the text is emptied and the result is 0.
    int Lookup(CString& drive);

    // Reads the partitions and their letters; returns 1.
    int Build();

    const std::vector<PartitionEntry>& GetEntries() const { return m_entries; }

private:
    const DiskSource& m_source;
    BOOL m_bBuilt;
    std::vector<PartitionEntry> m_entries;
};
