// The disk and volume queries of the drive maps and the disk box, as a table
// that tests replace. Buffers hold the bytes the disk driver returns.
// GetLogicalDrives and GetDriveType are macros in windows.h: a unit that
// names these members includes windows.h before this header or not at all.
#pragma once
#include <cstdint>

// GetDriveType results.
const unsigned DISK_DRIVE_UNKNOWN = 0;
const unsigned DISK_DRIVE_NO_ROOT_DIR = 1;
const unsigned DISK_DRIVE_REMOVABLE = 2;
const unsigned DISK_DRIVE_FIXED = 3;
const unsigned DISK_DRIVE_REMOTE = 4;
const unsigned DISK_DRIVE_CDROM = 5;
const unsigned DISK_DRIVE_RAMDISK = 6;

const uint32_t DISK_ERROR_INSUFFICIENT_BUFFER = 122;

struct DiskSource {
    void* ctx;
    // Opens "\\.\PHYSICALDRIVE<n>": for reading (sharing read), or with
    // `write` for reading and writing (sharing both). Null when it does not open.
    void* (*OpenDisk)(void* ctx, int disk, bool write);
    void (*CloseDisk)(void* ctx, void* disk);
    // The drive layout (count, signature, 32-byte partition records) into
    // the buffer; on failure false with the system error in `error`.
    bool (*QueryLayout)(void* ctx, void* disk, void* buffer, uint32_t size, uint32_t* error);
    // The 24-byte disk geometry record.
    bool (*QueryGeometry)(void* ctx, void* disk, void* buffer, uint32_t size);
    uint32_t (*GetLogicalDrives)(void* ctx);
    unsigned (*GetDriveType)(void* ctx, const char* root);
    // The disk extents of the volume "\\.\<letter>:" into the buffer; false
    // when the volume does not open or the query fails.
    bool (*QueryVolumeExtents)(void* ctx, char letter, void* buffer, uint32_t size);
};

#ifdef _WIN32
// The table over DeviceIoControl and the drive functions of Win32.
const DiskSource& Win32DiskSource();
#endif
