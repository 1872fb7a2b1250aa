// Stand-in skin library for the start-up tests; built in several variants.
#include <windows.h>

#include <cstdio>

#include "skin/engine/SkinApi.h"

static int g_startCalls = 0;
static char g_args[600] = "";

extern "C" __declspec(dllexport) BOOL __cdecl ThemeStart(const char* themePath, const char* iniName)
{
    ++g_startCalls;
    snprintf(g_args, sizeof(g_args), "%s|%s", themePath, iniName);
    return SKIN_RESULT;
}

#ifndef SKIN_NO_END
extern "C" __declspec(dllexport) BOOL __cdecl ThemeEnd()
{
    return FALSE;
}
#endif

extern "C" __declspec(dllexport) int __cdecl StartCalls()
{
    return g_startCalls;
}

extern "C" __declspec(dllexport) const char* __cdecl StartArgs() { return g_args; }
