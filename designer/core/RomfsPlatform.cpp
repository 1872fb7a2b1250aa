#include "designer/core/RomfsPlatform.h"

#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <cstdio>
#else
#include <unistd.h>
#endif

namespace RomfsPlatform
{
namespace
{
std::string NativePath(const char* path)
{
    std::string p = path ? path : "";
#ifndef _WIN32
    for (char& c : p)
        if (c == '\\')
            c = '/';
#endif
    return p;
}
}  // namespace

bool GetFileStatus(const char* path, FileStatus& status)
{
    std::string p = NativePath(path);
#ifdef _WIN32
    struct _stati64 st;
    if (_stati64(p.c_str(), &st) != 0)
        return false;
    status.isDirectory = (st.st_mode & _S_IFMT) == _S_IFDIR;
    status.isRegular = (st.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat st;
    if (lstat(p.c_str(), &st) != 0)
        return false;
    status.isDirectory = S_ISDIR(st.st_mode);
    status.isRegular = S_ISREG(st.st_mode);
#endif
    status.device = (uint64_t)st.st_dev;
    status.inode = (uint64_t)st.st_ino;
    status.mode = (unsigned)st.st_mode;
    status.size = status.isRegular ? (uint64_t)st.st_size : 0;
    return true;
}

FILE* OpenFile(const char* path, const char* mode) { return std::fopen(NativePath(path).c_str(), mode); }

bool RemoveFile(const char* path) { return std::remove(NativePath(path).c_str()) == 0; }
}  // namespace RomfsPlatform
