#include <cstdarg>
#include <cstdio>
#include <new>

#include "framework/ResourceList.h"
#include "templates/GorvanelModule.h"

namespace {

HINSTANCE g_hInstance = NULL;
CDynLinkLibrary* g_pLibrary = NULL;

}  // namespace

HINSTANCE GorvanelInstance() { return g_hInstance; }

void GorvanelLog(LPCSTR lpszFormat, ...)
{
    char szText[512];
    va_list args;
    va_start(args, lpszFormat);
    _vsnprintf(szText, sizeof(szText) - 1, lpszFormat, args);
    va_end(args);
    szText[sizeof(szText) - 1] = '\0';
    ::OutputDebugStringA(szText);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        ::OutputDebugStringA("Gorvanel.DLL Initializing!\n");
        ::CoInitialize(NULL);
        g_hInstance = hInstance;
        ::OutputDebugStringA("Gorvanel.DLL new CDynLinkLibrary() ++!\n");
        g_pLibrary = new (std::nothrow) CDynLinkLibrary(hInstance);
        if (g_pLibrary == NULL) {
            ::OutputDebugStringA("Gorvanel.DLL AfxInitExtensionModule() failed!\n");
            ::CoUninitialize();
            return FALSE;
        }
        ::OutputDebugStringA("Gorvanel.DLL new CDynLinkLibrary() --!\n");
    } else if (dwReason == DLL_PROCESS_DETACH) {
        ::OutputDebugStringA("Gorvanel.DLL Terminating!\n");
        ::CoUninitialize();
        ::OutputDebugStringA("Gorvanel.DLL CoUninitialize()!\n");
        delete g_pLibrary;
        g_pLibrary = NULL;
        ::OutputDebugStringA("Gorvanel.DLL AfxTermExtensionModule()!\n");
    }
    return TRUE;
}
