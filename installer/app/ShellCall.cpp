#include "installer/app/ShellCall.h"

#include <shellapi.h>

namespace {
INT_PTR SystemShell(HWND hWndOwner, LPCSTR file, LPCSTR parameters)
{
    return (INT_PTR)::ShellExecuteA(hWndOwner, "open", file, parameters, NULL, SW_SHOWNORMAL);
}

TessuShellFn g_shell = SystemShell;
}  // namespace

INT_PTR TessuShellOpen(HWND hWndOwner, LPCSTR file, LPCSTR parameters) { return g_shell(hWndOwner, file, parameters); }

TessuShellFn SetTessuShell(TessuShellFn fn)
{
    TessuShellFn old = g_shell;
    g_shell = fn ? fn : SystemShell;
    return old;
}
