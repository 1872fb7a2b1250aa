#include "installer/InstallerPlatform.h"

#include "framework/Sys.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#endif

namespace InstallerPlatform {
#ifdef _WIN32
CString ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder(path, int(n));
    int slash = folder.ReverseFind('\\');
    return slash >= 0 ? folder.Left(slash) : CString(".");
}

bool SetFileDosTime(const char* path, uint32_t dosDateTime)
{
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(WORD(dosDateTime >> 16), WORD(dosDateTime), &local) ||
        !LocalFileTimeToFileTime(&local, &utc))
        return false;
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = SetFileTime(h, &utc, NULL, &utc) != 0;
    CloseHandle(h);
    return ok;
}

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != 0;
}
#else
CString ProgramFolder()
{
    char path[PATH_MAX + 1] = {};
    ssize_t n = readlink("/proc/self/exe", path, PATH_MAX);
    CString folder(path, n > 0 ? int(n) : 0);
    int slash = folder.ReverseFind('/');
    return slash >= 0 ? folder.Left(slash) : CString(".");
}

bool SetFileDosTime(const char* path, uint32_t dosDateTime)
{
    struct tm t = {};
    t.tm_year = int((dosDateTime >> 25) & 0x7F) + 80;
    t.tm_mon = int((dosDateTime >> 21) & 0x0F) - 1;
    t.tm_mday = int((dosDateTime >> 16) & 0x1F);
    t.tm_hour = int((dosDateTime >> 11) & 0x1F);
    t.tm_min = int((dosDateTime >> 5) & 0x3F);
    t.tm_sec = int(dosDateTime & 0x1F) * 2;
    t.tm_isdst = -1;
    struct utimbuf times;
    struct stat st;
    CString native = FwNativePath(path);
    if (stat(native, &st) != 0)
        return false;
    times.actime = st.st_atime;  // the last-access time stays
    times.modtime = mktime(&t);
    return utime(native, &times) == 0;
}

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}
#endif
}  // namespace InstallerPlatform
