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

#else

#include <cstdio>

CString BrGetVolumeLabel(LPCTSTR)
{
    return CString();  // no drive roots here
}

BOOL BrReplaceFile(LPCTSTR source, LPCTSTR target)
{
    return rename(FwNativePath(source), FwNativePath(target)) == 0;
}

#endif

BOOL BrTempFileBeside(LPCTSTR target, CString& temp)
{
    CString path = target;
    int back = path.ReverseFind('\\');
    int slash = path.ReverseFind('/');
    int cut = back > slash ? back : slash;
    CString folder = cut < 0 ? CString(".") : cut == 0 ? path.Left(1)
                                                       : path.Left(cut);
    return FwGetTempFileName(folder, "_zm", temp) != 0;
}
