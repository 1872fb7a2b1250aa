// Writes what a window shows now, read back from the screen, as a BMP: the
// client area, or the whole window with its frame and scroll bars.
#pragma once
#include <windows.h>

#include <stdio.h>

#include "framework/ScopedHandle.h"
#include "imaging/xImage.h"

inline void SaveWindowShot(HWND hWnd, bool bWholeWindow, const char* path)
{
    RECT rc;
    if (bWholeWindow)
        ::GetWindowRect(hWnd, &rc);
    else
        ::GetClientRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC hWindow = bWholeWindow ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    CScopedMemDC mem(::CreateCompatibleDC(hWindow));
    CScopedBitmap shot(::CreateCompatibleBitmap(hWindow, w, h));
    {
        CScopedSelect select(mem, shot);
        ::BitBlt(mem, 0, 0, w, h, hWindow, 0, 0, SRCCOPY);
    }
    ::ReleaseDC(hWnd, hWindow);
    CxImage frame;
    if (!frame.CreateFromHBITMAP(shot) || !frame.Save(path, CXIMAGE_FORMAT_BMP))
        fprintf(stderr, "cannot write %s\n", path);
}
