#include "browser/BrowserPlatform.h"

#ifdef _WIN32
#include <windows.h>

CString BrGetVolumeLabel(LPCTSTR root)
{
    char label[MAX_PATH + 1] = "";
    if (!GetVolumeInformationA(root, label, sizeof(label), NULL, NULL, NULL, NULL, 0))
        return CString();
    return CString(label);
}

#else

CString BrGetVolumeLabel(LPCTSTR)
{
    return CString();   // no drive roots here
}

#endif
