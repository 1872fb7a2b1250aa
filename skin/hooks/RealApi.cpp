#include "skin/hooks/RealApi.h"

namespace {

template <typename T>
void Bind(T& out, HMODULE module, LPCSTR name)
{
    out = reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

CVZRRealApi Load()
{
    CVZRRealApi api = {};
    api.hUser32 = ::GetModuleHandleA("user32.dll");
    api.hKernel32 = ::GetModuleHandleA("kernel32.dll");
    api.hGdi32 = ::GetModuleHandleA("gdi32.dll");
    Bind(api.GetProcAddress, api.hKernel32, "GetProcAddress");
    Bind(api.GetModuleHandleA, api.hKernel32, "GetModuleHandleA");
    Bind(api.LoadLibraryA, api.hKernel32, "LoadLibraryA");
    Bind(api.CreateThread, api.hKernel32, "CreateThread");
    Bind(api.CallWindowProcA, api.hUser32, "CallWindowProcA");
    Bind(api.CallWindowProcW, api.hUser32, "CallWindowProcW");
    Bind(api.DefWindowProcA, api.hUser32, "DefWindowProcA");
    Bind(api.DefWindowProcW, api.hUser32, "DefWindowProcW");
    Bind(api.DefDlgProcA, api.hUser32, "DefDlgProcA");
    Bind(api.DefDlgProcW, api.hUser32, "DefDlgProcW");
    Bind(api.DefMDIChildProcA, api.hUser32, "DefMDIChildProcA");
    Bind(api.DefMDIChildProcW, api.hUser32, "DefMDIChildProcW");
    Bind(api.DefFrameProcA, api.hUser32, "DefFrameProcA");
    Bind(api.DefFrameProcW, api.hUser32, "DefFrameProcW");
    Bind(api.GetSysColor, api.hUser32, "GetSysColor");
    Bind(api.GetSysColorBrush, api.hUser32, "GetSysColorBrush");
    Bind(api.FillRect, api.hUser32, "FillRect");
    Bind(api.DeleteObject, api.hGdi32, "DeleteObject");
    return api;
}

const CVZRRealApi* g_pApi = NULL;

// Bound while the library loads, before anything patches its imports.
const CVZRRealApi& g_boundAtLoad = RealApi();

}  // namespace

const CVZRRealApi& RealApi()
{
    if (g_pApi == NULL) {
        static const CVZRRealApi api = Load();
        g_pApi = &api;
    }
    return *g_pApi;
}
