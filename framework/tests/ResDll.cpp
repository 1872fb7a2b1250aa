// An extension library holding only resources: it registers its module with
// the framework while loaded.
#include "framework/ResourceList.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        AfxAddResourceModule(hInst);
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxRemoveResourceModule(hInst);
    return TRUE;
}
