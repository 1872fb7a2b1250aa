// The system calls of the romfs builder. Paths are Windows-style ('\');
// the native build maps them to POSIX paths.
#pragma once

#include <cstdint>
#include <cstdio>

namespace RomfsPlatform {
struct FileStatus {
    uint64_t device;
    uint64_t inode;
    unsigned mode;
    bool isDirectory;
    bool isRegular;
    uint64_t size;
};

// The status of the entry itself (a link is not followed); false on failure.
bool GetFileStatus(const char* path, FileStatus& status);
FILE* OpenFile(const char* path, const char* mode);
bool RemoveFile(const char* path);
}  // namespace RomfsPlatform
