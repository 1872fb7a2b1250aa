#include "controls/SkinStart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

BOOL ZavoStartSkin(LPCSTR lpszFolder, HMODULE& hLib, ThemeStartProc& pfnStart, ThemeEndProc& pfnEnd)
{
    const char* noSkin = getenv("ZAVO_NO_SKIN");
    if (noSkin && strcmp(noSkin, "1") == 0)
        return FALSE;
    char themePath[MAX_PATH];
    char libPath[MAX_PATH];
    snprintf(themePath, sizeof(themePath), "%s\\ThemeUI.dll", lpszFolder);
    snprintf(libPath, sizeof(libPath), "%s\\ozSkin.dll", lpszFolder);
    if (!hLib)
        hLib = LoadLibraryExA(libPath, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!hLib)
        return FALSE;
    pfnStart = (ThemeStartProc)(void*)GetProcAddress(hLib, "ThemeStart");
    pfnEnd = (ThemeEndProc)(void*)GetProcAddress(hLib, "ThemeEnd");
    if (!pfnStart || !pfnEnd)
        return FALSE;
    return (pfnStart(themePath, "NormalBlue.ini") & 0xFF) != 0;
}
