#include "designer/core/RomfsPlatform.h"

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <cstdio>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace RomfsPlatform {
namespace {
#ifdef _WIN32
// Paths are in the system code page; the C library's narrow calls would read
// them in its own locale.
std::wstring WidePath(const char* path)
{
    const int n = path ? ::MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0) : 0;
    if (n <= 1)
        return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}
#else
std::string NativePath(const char* path)
{
    std::string p = path ? path : "";
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}
#endif
}  // namespace

bool GetFileStatus(const char* path, FileStatus& status)
{
#ifdef _WIN32
    struct _stati64 st;
    if (_wstati64(WidePath(path).c_str(), &st) != 0)
        return false;
    status.isDirectory = (st.st_mode & _S_IFMT) == _S_IFDIR;
    status.isRegular = (st.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat st;
    if (lstat(NativePath(path).c_str(), &st) != 0)
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

#ifdef _WIN32
FILE* OpenFile(const char* path, const char* mode)
{
    const std::wstring wide = WidePath(path);
    return wide.empty() ? NULL : _wfopen(wide.c_str(), std::wstring(mode, mode + strlen(mode)).c_str());
}

bool RemoveFile(const char* path) { return _wremove(WidePath(path).c_str()) == 0; }
#else
FILE* OpenFile(const char* path, const char* mode)
{
    return std::fopen(NativePath(path).c_str(), mode);
}

bool RemoveFile(const char* path) { return std::remove(NativePath(path).c_str()) == 0; }
#endif
}  // namespace RomfsPlatform
