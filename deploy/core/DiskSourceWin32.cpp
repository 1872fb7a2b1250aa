// The Win32 side of the disk source.
#include "deploy/core/DiskSource.h"

#include <cstdio>
#include <windows.h>
#include <winioctl.h>

namespace {
// Owns a device handle for one query.
class ScopedDevice {
public:
    explicit ScopedDevice(HANDLE h) : m_h(h) {}
    ~ScopedDevice()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    HANDLE Get() const { return m_h; }
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    ScopedDevice(const ScopedDevice&);
    ScopedDevice& operator=(const ScopedDevice&);
    HANDLE m_h;
};

void* WinOpenDisk(void*, int disk, bool write)
{
    char path[32];
    snprintf(path, sizeof(path), "\\\\.\\PHYSICALDRIVE%d", disk);
    DWORD access = write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    DWORD share = write ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    HANDLE h = CreateFileA(path, access, share, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    return h == INVALID_HANDLE_VALUE ? NULL : h;
}

void WinCloseDisk(void*, void* disk)
{
    CloseHandle((HANDLE)disk);
}

bool WinQueryLayout(void*, void* disk, void* buffer, uint32_t size, uint32_t* error)
{
    DWORD returned = 0;
    if (DeviceIoControl((HANDLE)disk, IOCTL_DISK_GET_DRIVE_LAYOUT, NULL, 0, buffer, size, &returned, NULL))
        return true;
    *error = GetLastError();
    return false;
}

bool WinQueryGeometry(void*, void* disk, void* buffer, uint32_t size)
{
    DWORD returned = 0;
    return DeviceIoControl((HANDLE)disk, IOCTL_DISK_GET_DRIVE_GEOMETRY, NULL, 0, buffer, size, &returned, NULL) != 0;
}

uint32_t WinGetLogicalDrives(void*)
{
    return GetLogicalDrives();
}

unsigned WinGetDriveType(void*, const char* root)
{
    return GetDriveTypeA(root);
}

bool WinQueryVolumeExtents(void*, char letter, void* buffer, uint32_t size)
{
    char path[8];
    snprintf(path, sizeof(path), "\\\\.\\%c:", letter);
    ScopedDevice volume(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, NULL));
    if (!volume.IsOpen())
        return false;
    DWORD returned = 0;
    return DeviceIoControl(volume.Get(), IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, NULL, 0, buffer, size, &returned,
                           NULL) != 0;
}
}  // namespace

const DiskSource& Win32DiskSource()
{
    static const DiskSource source = {NULL, WinOpenDisk, WinCloseDisk,
                                      WinQueryLayout, WinQueryGeometry, WinGetLogicalDrives,
                                      WinGetDriveType, WinQueryVolumeExtents};
    return source;
}
