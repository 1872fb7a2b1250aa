/* Entry of the resource-only theme libraries; the test library that must fail
   to load as a program module answers FALSE. */
#include <windows.h>

#ifndef RESOURCE_ONLY_RESULT
#define RESOURCE_ONLY_RESULT TRUE
#endif

BOOL WINAPI ResourceOnlyEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    return reason == DLL_PROCESS_ATTACH ? RESOURCE_ONLY_RESULT : TRUE;
}
