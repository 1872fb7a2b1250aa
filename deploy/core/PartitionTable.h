// Partitions of the physical disks under their GRUB device names, with the
// Windows drive letters that start on them. Shared by the studio's drive map
// and the installer's partition map; every query goes through a DiskSource.
#pragma once
#include "deploy/core/DiskSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One record of the drive layout, as the disk driver returns it (32 bytes).
struct PartitionInfo {
    int64_t startingOffset;
    int64_t partitionLength;
    uint32_t hiddenSectors;
    uint32_t partitionNumber;
    uint8_t partitionType;
    uint8_t bootIndicator;
    uint8_t recognizedPartition;
    uint8_t rewritePartition;
};

enum {
    PARTITION_KIND_PRIMARY = 1,
    PARTITION_KIND_LOGICAL = 2,
};

struct PartitionEntry {
    int32_t kind;
    int32_t disk;     // n of "PHYSICALDRIVE%d"
    char letter[3];   // "C:" when a volume starts here, else empty
    char device[13];  // "(hd%d,%d)"
    PartitionInfo info;
};

const int kPartitionDiskCount = 8;
const uint32_t kLayoutFirstSize = 168;
const uint32_t kLayoutGrowth = 128;
// A layout that still does not fit gives no entries for its disk.
const uint32_t kLayoutMaxSize = 64 * 1024;
const uint32_t kVolumeExtentsSize = 1024;

// Drive types whose volumes are asked for their extents, as bits 1 << type.
// The studio leaves CD-ROM, network and unknown drives out; the installer
// asks every drive.
const unsigned kQueryStudioDriveTypes = (1u << DISK_DRIVE_NO_ROOT_DIR) | (1u << DISK_DRIVE_REMOVABLE) |
                                        (1u << DISK_DRIVE_FIXED) | (1u << DISK_DRIVE_RAMDISK);
const unsigned kQueryAllDriveTypes = 0xFFFFFFFFu;

// Disks 0 to 7, then the letters C to Z of the queried types. Disks that do
// not open or whose layout cannot be read give no entries.
std::vector<PartitionEntry> ReadPartitionTable(const DiskSource& source, unsigned queriedTypes);

// The partitions of one open disk, appended to `entries`; false when the
// layout could not be read.
bool ReadDiskPartitions(const DiskSource& source, void* disk, int diskNumber, std::vector<PartitionEntry>& entries);

// Gives letters to the entries where a volume's first extent starts.
void MatchDriveLetters(const DiskSource& source, unsigned queriedTypes, std::vector<PartitionEntry>& entries);

// Parses a drive layout buffer into its records; false when the count does
// not fit the buffer.
bool ParseDriveLayout(const uint8_t* buffer, size_t size, std::vector<PartitionInfo>& records);

// The disk number and starting offset of a volume's first extent; false when
// the buffer lists no extent.
bool ParseFirstExtent(const uint8_t* buffer, size_t size, uint32_t& disk, int64_t& offset);

// Bytes of a disk from its 24-byte geometry record.
bool ParseDiskGeometrySize(const uint8_t* buffer, size_t size, uint64_t& bytes);

// The device of the first entry whose letter equals `drive` ("C:", capitals).
bool FindGrubDevice(const std::vector<PartitionEntry>& entries, const char* drive, std::string& device);
