// The build's program folder and the solid test package, for tests that host ozSkin.dll.
#pragma once

#include "skin/engine/SkinApi.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace skinhost {
inline std::string BinDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    *strrchr(path, '\\') = 0;
    return path;
}

inline std::string PackagesDir() { return BinDir() + "\\..\\skin\\packages"; }

// ozSkin.dll of the program folder started on the solid package; NULL when either fails.
inline HMODULE StartSolidSkin()
{
    HMODULE skin = LoadLibraryA((BinDir() + "\\ozSkin.dll").c_str());
    ThemeStartProc start = skin ? (ThemeStartProc)(void*)GetProcAddress(skin, "ThemeStart") : NULL;
    return start && start((PackagesDir() + "\\SolidPackage.dll").c_str(), "Solid.ini") ? skin : NULL;
}
}  // namespace skinhost
