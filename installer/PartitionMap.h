// The partitions of the first eight physical disks under their GRUB device
// names, with the drive letters (C to Z, every drive type) that start on them.
#pragma once

#include "deploy/core/PartitionTable.h"
#include "framework/String.h"

#include <cstdint>
#include <vector>

class CPartitionMap {
public:
    // The disk queries of the system when `source` is null (Windows only).
    explicit CPartitionMap(const DiskSource* source = NULL);
    virtual ~CPartitionMap() {}

    // Always true; disks and volumes that cannot be read are left out.
    BOOL Build();
    // The volume's disk extents into the buffer; false when it does not open
    // or the query fails.
    BOOL QueryVolumeExtents(char letter, void* buffer, uint32_t size);
    // The device of the drive of `path` (its first two characters, any case).
    BOOL FindDevice(LPCTSTR path, CString& device) const;

    const std::vector<PartitionEntry>& GetEntries() const { return m_entries; }

private:
    const DiskSource* m_pSource;
    std::vector<PartitionEntry> m_entries;
};
