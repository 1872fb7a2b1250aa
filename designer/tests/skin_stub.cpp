// Stand-in skin library for the start-up tests; built in several variants.
#include <windows.h>

static int g_startCalls = 0;

extern "C" __declspec(dllexport) BOOL __cdecl ThemeStart(const char* themePath, const char* iniName) {
  ++g_startCalls;
  (void)themePath;
  (void)iniName;
  return SKIN_RESULT;
}

#ifndef SKIN_NO_END
extern "C" __declspec(dllexport) void __cdecl ThemeEnd() {}
#endif

extern "C" __declspec(dllexport) int __cdecl StartCalls() { return g_startCalls; }
