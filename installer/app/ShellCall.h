// Every program Tessumgr starts (the editor with boot.ini, the web page, the
// mail program) goes through this one call, which tests replace.
#pragma once

#include <windows.h>

typedef INT_PTR (*TessuShellFn)(HWND hWndOwner, LPCSTR file, LPCSTR parameters);

// ShellExecute "open", shown normally; above 32 on success.
INT_PTR TessuShellOpen(HWND hWndOwner, LPCSTR file, LPCSTR parameters = NULL);
// Replaces the call; returns the one it replaced.
TessuShellFn SetTessuShell(TessuShellFn fn);
