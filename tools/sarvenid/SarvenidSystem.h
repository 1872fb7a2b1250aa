// The system calls Sarvenid makes, as a table that tests replace.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

const unsigned SARVENID_DRIVE_FIXED = 3;  // DRIVE_FIXED
const uint32_t SARVENID_ERROR_NO_MORE_FILES = 18;

struct SarvenidSystem {
    void* ctx;
    bool (*GetVersion)(void* ctx, bool& isNT, unsigned& major);
    uint32_t (*GetLogicalDrives)(void* ctx);
    unsigned (*GetDriveType)(void* ctx, const char* path);
    bool (*GetFileSystemName)(void* ctx, const char* root, char* buf, size_t size);
    // Binds the mount-point functions; on failure the last error holds the cause.
    bool (*LoadMountApi)(void* ctx);
    void (*FreeMountApi)(void* ctx);
    // Null when the enumeration cannot start.
    void* (*FindFirstMountPoint)(void* ctx, const char* root, char* buf, size_t size);
    bool (*FindNextMountPoint)(void* ctx, void* find, char* buf, size_t size);
    void (*FindMountPointClose)(void* ctx, void* find);
    bool (*GetVolumeNameForMountPoint)(void* ctx, const char* mountPoint, char* buf, size_t size);
    // Opens a volume device for reading and writing; null on failure.
    void* (*OpenVolume)(void* ctx, const char* device);
    bool (*FlushVolume)(void* ctx, void* volume);
    void (*CloseVolume)(void* ctx, void* volume);
    uint32_t (*GetLastError)(void* ctx);
    // The system's message for an error code, in the OEM code page.
    std::string (*SystemText)(void* ctx, uint32_t code);
    void (*WriteOut)(void* ctx, const std::string& text);  // buffered standard output
    void (*FlushOut)(void* ctx);
    void (*WriteErr)(void* ctx, const std::string& text);  // unbuffered standard error
};

// The table over Win32 (Windows build only).
const SarvenidSystem& SarvenidWin32System();
