#include "skin/engine/SkinApi.h"
#include "skin/engine/SkinEngine.h"

extern "C" BOOL __cdecl ThemeStart(const char* lpszThemePath, const char* lpszIniName)
{
    try {
        CVZRSkinEngine* engine = GetSkinEngine();
        if (engine == NULL)
            return FALSE;
        engine->SetSkinOptions(engine->GetSkinOptions() | kApplyMetrics);
        return engine->LoadSkin(lpszThemePath, lpszIniName) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL __cdecl ThemeEnd()
{
    return FALSE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_THREAD_DETACH)
        SkinThreadEnded();
    return TRUE;
}
