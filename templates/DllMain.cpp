#include <cstdarg>
#include <cstdio>
#include <new>

#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ResourceList.h"
#include "templates/GorvanelModule.h"
#include "templates/resource.h"

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

void SetTemplateIcons(CListCtrl& list, CImageList& images)
{
    images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1);
    HICON hIcon = (HICON)::LoadImageA(g_hInstance, MAKEINTRESOURCEA(IDI_GV_TEMPLATE), IMAGE_ICON, 32, 32, 0);
    if (hIcon != NULL) {
        images.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    list.SetImageList(&images, LVSIL_NORMAL);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        // No COM here: the loader lock is held, and the apartment of the
        // loading thread is the host's choice (the folder browser sets up its own).
        ::OutputDebugStringA("Gorvanel.DLL Initializing!\n");
        g_hInstance = hInstance;
        ::OutputDebugStringA("Gorvanel.DLL new CDynLinkLibrary() ++!\n");
        g_pLibrary = new (std::nothrow) CDynLinkLibrary(hInstance);
        if (g_pLibrary == NULL) {
            ::OutputDebugStringA("Gorvanel.DLL AfxInitExtensionModule() failed!\n");
            return FALSE;
        }
        ::OutputDebugStringA("Gorvanel.DLL new CDynLinkLibrary() --!\n");
    } else if (dwReason == DLL_PROCESS_DETACH) {
        ::OutputDebugStringA("Gorvanel.DLL Terminating!\n");
        delete g_pLibrary;
        g_pLibrary = NULL;
        ::OutputDebugStringA("Gorvanel.DLL AfxTermExtensionModule()!\n");
    }
    return TRUE;
}
