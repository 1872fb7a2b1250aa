// The skin library's two exports, undecorated and cdecl, as the hosts bind
// them by name: ThemeStart(package path, ini name) loads a skin (nonzero when
// it is active); ThemeEnd does nothing and gives 0.
#pragma once

#include <windows.h>

typedef BOOL(__cdecl* ThemeStartProc)(const char* lpszThemePath, const char* lpszIniName);
typedef BOOL(__cdecl* ThemeEndProc)();

extern "C" {
BOOL __cdecl ThemeStart(const char* lpszThemePath, const char* lpszIniName);
BOOL __cdecl ThemeEnd();
}
