// The page as the menu build and the web preview compose it: the folder's
// wallpaper.png in a memory bitmap that elements draw over and cut their
// pictures from.
#pragma once

#include <windows.h>

#include "framework/DC.h"
#include "framework/String.h"
#include "imaging/xImage.h"

class CWallpaperCanvas {
public:
    CWallpaperCanvas();
    ~CWallpaperCanvas();

    // Loads folder\wallpaper.png and makes a 32-bit bitmap of its size with
    // the wallpaper drawn in; FALSE when the picture does not load.
    BOOL Open(LPCTSTR lpszFolder);
    // Draws the wallpaper over the whole bitmap again.
    void DrawWallpaper();
    CDC* GetDC() { return &m_dc; }
    CSize GetSize() const { return CSize((int)m_wallpaper.GetWidth(), (int)m_wallpaper.GetHeight()); }
    // Saves the whole bitmap as PNG over the folder's wallpaper.png.
    BOOL SaveAsWallpaper();
    const CString& GetWallpaperPath() const { return m_strWallpaper; }

private:
    CxImage m_wallpaper;
    CString m_strWallpaper;
    CDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;

    CWallpaperCanvas(const CWallpaperCanvas&);
    CWallpaperCanvas& operator=(const CWallpaperCanvas&);
};
