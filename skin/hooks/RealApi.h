// The system functions as they were before the import hooks: the library's
// own calls go through these, never through its (patched) import table.
#pragma once

#include <windows.h>

struct CVZRRealApi {
    HMODULE hUser32;
    HMODULE hKernel32;
    HMODULE hGdi32;
    FARPROC(WINAPI* GetProcAddress)
    (HMODULE, LPCSTR);
    HMODULE(WINAPI* GetModuleHandleA)
    (LPCSTR);
    HMODULE(WINAPI* LoadLibraryA)
    (LPCSTR);
    HANDLE(WINAPI* CreateThread)
    (LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
    LRESULT(WINAPI* CallWindowProcA)
    (WNDPROC, HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* CallWindowProcW)
    (WNDPROC, HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefWindowProcA)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefWindowProcW)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefDlgProcA)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefDlgProcW)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefMDIChildProcA)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefMDIChildProcW)
    (HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefFrameProcA)
    (HWND, HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefFrameProcW)
    (HWND, HWND, UINT, WPARAM, LPARAM);
    DWORD(WINAPI* GetSysColor)
    (int);
    HBRUSH(WINAPI* GetSysColorBrush)
    (int);
    BOOL(WINAPI* DeleteObject)
    (HGDIOBJ);
    int(WINAPI* FillRect)(HDC, const RECT*, HBRUSH);
};

// Filled on first use (the library does so when it is loaded, before any hook).
const CVZRRealApi& RealApi();
