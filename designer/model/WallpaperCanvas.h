// The page as the menu build and the web preview compose it: the folder's
// wallpaper.png (or a picture in memory) in a memory bitmap that elements
// draw over and cut their pictures from. One canvas can serve every element of a build; elements
// that merge themselves into the wallpaper change what the later ones see.
#pragma once

#include <windows.h>

#include "framework/DC.h"
#include "framework/String.h"
#include "imaging/xImage.h"
#include "framework/ScopedHandle.h"

#include <vector>

class CWallpaperCanvas {
public:
    CWallpaperCanvas();
    ~CWallpaperCanvas();

    // Loads folder\wallpaper.png and makes a 32-bit bitmap of its size with
    // the wallpaper's colours in it; FALSE when the picture does not load.
    BOOL Open(LPCTSTR lpszFolder);
    // The same from a picture in memory; there is no file to save then
    // (SaveAsWallpaper and SaveIfChanged write nothing).
    BOOL Open(const CxImage& picture);
    BOOL IsOpen() const { return m_hBitmap.IsValid(); }
    // Makes the whole bitmap the wallpaper again (drawn only where it was
    // drawn over since).
    void DrawWallpaper();
    // The same for a picture cut from area alone: what is drawn next is kept
    // inside area until the next DrawWallpaper.
    void DrawWallpaper(const CRect& area);
    CDC* GetDC() { return &m_dc; }
    CSize GetSize() const { return m_size; }
    // Makes the whole bitmap the wallpaper and saves it as PNG over the
    // folder's wallpaper.png, or only marks it unsaved while saving is put off.
    BOOL SaveAsWallpaper();
    // Puts off the saving of SaveAsWallpaper until SaveIfChanged.
    void SetSaveDeferred(BOOL bDeferred) { m_bSaveDeferred = bDeferred; }
    BOOL IsChanged() const { return m_bChanged; }
    // The pixels of a rectangle inside the bitmap as a 24-bit picture, as
    // copying them out through a bitmap of the DC's kind gives them; FALSE
    // for a rectangle not wholly inside.
    BOOL Cut(const RECT& rect, CxImage& picture);
    // Remembers the wallpaper as it is; Revert makes it that again, the
    // bitmap included, dropping what was merged since. A mark serves one
    // Revert.
    void Mark();
    void Revert();
    // The same, handing the merged wallpaper over as its 32-bit rows.
    void Revert(std::vector<DWORD>& merged);
    // Saves an unsaved wallpaper; TRUE when there is nothing to save.
    BOOL SaveIfChanged();
    // The wallpaper with everything merged into it so far.
    const CxImage& GetWallpaper() const;
    const CString& GetWallpaperPath() const { return m_strWallpaper; }

private:
    void Close();
    BOOL MakeBitmap(const CxImage& picture);
    // The bitmap as the wallpaper again where it was drawn over.
    void Restore();
    size_t PixelCount() const;
    // The picture from the merged pixels when a merge made it stale.
    BOOL UpdateWallpaper() const;

    // the wallpaper as a picture, and its pixels as drawn into the bitmap,
    // which merges update first
    mutable CxImage m_wallpaper;
    std::vector<DWORD> m_base;
    std::vector<DWORD> m_marked;
    BOOL m_bMarkedChanged;
    mutable BOOL m_bStale;
    CString m_strWallpaper;
    CDC m_dc;
    CScopedBitmap m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    void* m_pBits;
    BOOL m_bSaveDeferred;
    BOOL m_bChanged;
    // where the bitmap may differ from the wallpaper
    CRect m_rcDrawn;
    CSize m_size;

    CWallpaperCanvas(const CWallpaperCanvas&);
    CWallpaperCanvas& operator=(const CWallpaperCanvas&);
};
