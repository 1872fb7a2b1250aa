// Binds the skin library of a program folder, as the studio and the browser do
// at start-up.
#pragma once
#include <windows.h>

#include "skin/engine/SkinApi.h"

// Loads "<folder>\ozSkin.dll" by full path (a library of that name elsewhere on
// the search path is never taken), looks up ThemeStart and ThemeEnd and, when
// both are there, calls ThemeStart("<folder>\ThemeUI.dll", "NormalBlue.ini").
// Returns its result; FALSE without the library, an entry point, or with
// ZAVO_NO_SKIN=1 in the environment. The library stays loaded.
BOOL ZavoStartSkin(LPCSTR lpszFolder, HMODULE& hLib, ThemeStartProc& pfnStart, ThemeEndProc& pfnEnd);
