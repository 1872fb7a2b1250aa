#include "browser/BrowserPlatform.h"

#include "framework/Sys.h"

#ifdef _WIN32
#include <windows.h>

CString BrGetVolumeLabel(LPCTSTR root)
{
    char label[MAX_PATH + 1] = "";
    if (!GetVolumeInformationA(root, label, sizeof(label), NULL, NULL, NULL, NULL, 0))
        return CString();
    return CString(label);
}

BOOL BrReplaceFile(LPCTSTR source, LPCTSTR target)
{
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
}

BOOL BrGetFreeSpace(LPCTSTR folder, ULONGLONG& free)
{
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(folder, &available, NULL, NULL))
        return FALSE;
    free = available.QuadPart;
    return TRUE;
}

#else

#include <sys/statvfs.h>

#include <cstdio>

BOOL BrGetFreeSpace(LPCTSTR folder, ULONGLONG& free)
{
    struct statvfs st;
    if (statvfs(FwNativePath(folder), &st) != 0)
        return FALSE;
    free = (ULONGLONG)st.f_bavail * st.f_frsize;
    return TRUE;
}

CString BrGetVolumeLabel(LPCTSTR)
{
    return CString();  // no drive roots here
}

BOOL BrReplaceFile(LPCTSTR source, LPCTSTR target)
{
    return rename(FwNativePath(source), FwNativePath(target)) == 0;
}

#endif

CString BrFolderOf(LPCTSTR path)
{
    CString p = path;
    int back = p.ReverseFind('\\');
    int slash = p.ReverseFind('/');
    int cut = back > slash ? back : slash;
    return cut < 0 ? CString(".") : cut == 0 ? p.Left(1)
                                             : p.Left(cut);
}

BOOL BrTempFileBeside(LPCTSTR target, CString& temp)
{
    return FwGetTempFileName(BrFolderOf(target), "_zm", temp) != 0;
}
