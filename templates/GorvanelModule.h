// The library's module handle and its debug log.
#pragma once

#include <windows.h>

HINSTANCE GorvanelInstance();
void GorvanelLog(LPCSTR lpszFormat, ...);
