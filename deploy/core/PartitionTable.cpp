#include "deploy/core/PartitionTable.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {
const size_t kLayoutHeaderSize = 8;
const size_t kRecordSize = 32;
const size_t kPrimarySlots = 4;
const size_t kExtentDiskAt = 8;
const size_t kExtentOffsetAt = 16;
const size_t kGeometrySize = 24;

uint32_t Le32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint64_t Le64(const uint8_t* p)
{
    return (uint64_t)Le32(p) | (uint64_t)Le32(p + 4) << 32;
}

PartitionInfo ParseRecord(const uint8_t* p)
{
    PartitionInfo info;
    info.startingOffset = (int64_t)Le64(p);
    info.partitionLength = (int64_t)Le64(p + 8);
    info.hiddenSectors = Le32(p + 16);
    info.partitionNumber = Le32(p + 20);
    info.partitionType = p[24];
    info.bootIndicator = p[25];
    info.recognizedPartition = p[26];
    info.rewritePartition = p[27];
    return info;
}

PartitionEntry MakeEntry(int kind, int disk, int number, const PartitionInfo& info)
{
    PartitionEntry entry;
    memset(&entry, 0, sizeof(entry));
    entry.kind = kind;
    entry.disk = disk;
    snprintf(entry.device, sizeof(entry.device), "(hd%d,%d)", disk, number);
    entry.info = info;
    return entry;
}

// Asks for the layout, growing the buffer while it is too small.
bool QueryLayout(const DiskSource& source, void* disk, std::vector<uint8_t>& buffer)
{
    for (uint32_t size = kLayoutFirstSize; size <= kLayoutMaxSize; size += kLayoutGrowth) {
        buffer.assign(size, 0);
        uint32_t error = 0;
        if (source.QueryLayout(source.ctx, disk, buffer.data(), size, &error))
            return true;
        if (error != DISK_ERROR_INSUFFICIENT_BUFFER)
            return false;
    }
    return false;
}
}  // namespace

bool ParseDriveLayout(const uint8_t* buffer, size_t size, std::vector<PartitionInfo>& records)
{
    records.clear();
    if (size < kLayoutHeaderSize)
        return false;
    uint32_t count = Le32(buffer);
    if (count > (size - kLayoutHeaderSize) / kRecordSize)
        return false;
    for (uint32_t i = 0; i < count; ++i)
        records.push_back(ParseRecord(buffer + kLayoutHeaderSize + i * kRecordSize));
    return true;
}

bool ParseFirstExtent(const uint8_t* buffer, size_t size, uint32_t& disk, int64_t& offset)
{
    if (size < kExtentOffsetAt + 8 || Le32(buffer) == 0)
        return false;
    disk = Le32(buffer + kExtentDiskAt);
    offset = (int64_t)Le64(buffer + kExtentOffsetAt);
    return true;
}

bool ParseDiskGeometrySize(const uint8_t* buffer, size_t size, uint64_t& bytes)
{
    if (size < kGeometrySize)
        return false;
    bytes = Le64(buffer) * Le32(buffer + 12) * Le32(buffer + 16) * Le32(buffer + 20);
    return true;
}

bool ReadDiskPartitions(const DiskSource& source, void* disk, int diskNumber, std::vector<PartitionEntry>& entries)
{
    std::vector<uint8_t> buffer;
    std::vector<PartitionInfo> records;
    if (!QueryLayout(source, disk, buffer) || !ParseDriveLayout(buffer.data(), buffer.size(), records))
        return false;
    if (records.size() < kPrimarySlots)
        return true;
    for (size_t slot = 0; slot < kPrimarySlots; ++slot) {
        if (records[slot].partitionNumber != 0)
            entries.push_back(MakeEntry(PARTITION_KIND_PRIMARY, diskNumber, (int)slot, records[slot]));
    }
    // Records of number 0 link the extended boot records and use no number.
    int logical = (int)kPrimarySlots;
    for (size_t i = kPrimarySlots; i < records.size(); ++i) {
        if (records[i].partitionNumber != 0)
            entries.push_back(MakeEntry(PARTITION_KIND_LOGICAL, diskNumber, logical++, records[i]));
    }
    return true;
}

void MatchDriveLetters(const DiskSource& source, unsigned queriedTypes, std::vector<PartitionEntry>& entries)
{
    uint32_t mask = source.GetLogicalDrives(source.ctx);
    for (int i = 2; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        char root[4] = {(char)('A' + i), ':', '\\', 0};
        unsigned type = source.GetDriveType(source.ctx, root);
        if (type >= 32 || !(queriedTypes & (1u << type)))
            continue;
        uint8_t extents[kVolumeExtentsSize] = {};
        uint32_t disk = 0;
        int64_t offset = 0;
        if (!source.QueryVolumeExtents(source.ctx, root[0], extents, sizeof(extents)) ||
            !ParseFirstExtent(extents, sizeof(extents), disk, offset))
            continue;
        for (PartitionEntry& entry : entries) {
            if ((uint32_t)entry.disk == disk && entry.info.startingOffset == offset)
                snprintf(entry.letter, sizeof(entry.letter), "%c:", root[0]);
        }
    }
}

std::vector<PartitionEntry> ReadPartitionTable(const DiskSource& source, unsigned queriedTypes)
{
    std::vector<PartitionEntry> entries;
    for (int n = 0; n < kPartitionDiskCount; ++n) {
        void* disk = source.OpenDisk(source.ctx, n, false);
        if (!disk)
            continue;
        ReadDiskPartitions(source, disk, n, entries);
        source.CloseDisk(source.ctx, disk);
    }
    MatchDriveLetters(source, queriedTypes, entries);
    return entries;
}

bool FindGrubDevice(const std::vector<PartitionEntry>& entries, const char* drive, std::string& device)
{
    for (const PartitionEntry& entry : entries) {
        char upper[sizeof(entry.letter)] = {};
        for (size_t i = 0; i + 1 < sizeof(upper) && entry.letter[i]; ++i)
            upper[i] = (char)toupper((unsigned char)entry.letter[i]);
        if (upper[0] && drive && strcmp(upper, drive) == 0) {
            device = entry.device;
            return true;
        }
    }
    device.clear();
    return false;
}
