// Theme images: loading, solid-region analysis and nine-piece drawing by the
// schema's sizing rules; the cache of a theme class; solid fills.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "skin/support/SysServices.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CVZRThemePackage;

// A keyed image drawn once at one size: its pixels with the key turned black,
// and the mask of the key.
struct CVZRKeyedImage {
    RECT source;
    RECT margins;
    int width;
    int height;
    int sizingType;
    bool borderOnly;
    COLORREF key;
    HBITMAP colour;
    HBITMAP mask;
};

struct CVZRSolidRegion {
    RECT rect;
    COLORREF colour;  // the pixel's alpha in the top byte for alpha bitmaps
};

const int kSizingTrueSize = 0;
const int kSizingStretch = 1;
const int kSizingTile = 2;

class CVZRSkinBitmap {
public:
    CVZRSkinBitmap() {}
    virtual ~CVZRSkinBitmap();

    BOOL LoadFromFile(LPCSTR path, bool premultiply = true);
    BOOL LoadFromResource(HMODULE module, LPCSTR name, bool premultiply = true);
    // Takes a bitmap as loaded; alpha images are premultiplied when asked.
    BOOL Attach(HBITMAP bitmap, BOOL hasAlpha, bool premultiply);

    HBITMAP GetHandle() const { return m_hBitmap; }
    bool HasAlpha() const { return m_bAlpha; }
    bool IsMirrored() const { return m_bMirrored; }
    SIZE GetSize() const;
    RECT GetFrameRect(int index, int count) const;
    void SetMirrorAllowed(bool allowed) { m_bMirrorAllowed = allowed; }
    void Mirror();

    void AnalyseSolidRegions(int frameCount, bool horizontal, const RECT& margins);
    bool FindSolidRegion(const RECT& source, CVZRSolidRegion& out) const;
    const std::vector<CVZRSolidRegion>& GetSolidRegions() const { return m_regions; }

    void DrawImage(HDC dc, const RECT& target, const RECT& source, const RECT& margins, COLORREF transparent,
                   int sizingType, bool borderOnly);

private:
    void Blit(HDC dc, const RECT& target, HDC source, const RECT& sourceRect);
    void DrawPart(HDC dc, const RECT& target, HDC source, const RECT& sourceRect, int tileFlags);
    void DrawWithMargins(HDC dc, const RECT& target, const RECT& source, const RECT& margins, int sizingType,
                         bool borderOnly);
    // Draws from the keyed images kept for 32-bit destinations; false when it cannot.
    bool DrawKeyed(HDC dc, const RECT& target, const RECT& source, const RECT& margins, COLORREF key, int sizingType,
                   bool borderOnly);
    const CVZRKeyedImage* FindOrMakeKeyed(HDC dc, const RECT& source, const RECT& margins, int width, int height,
                                          COLORREF key, int sizingType, bool borderOnly);
    void ClearKeyed();

    bool m_bMirrorAllowed = true;
    HBITMAP m_hBitmap = NULL;
    bool m_bAlpha = false;
    bool m_bFiltered = false;
    bool m_bMirrored = false;
    bool m_bAnalysed = false;
    int m_width = 0;
    int m_height = 0;
    std::vector<CVZRSolidRegion> m_regions;
    CVZRLock m_keyedLock;  // a kept bitmap is selected into one DC at a time
    std::vector<CVZRKeyedImage> m_keyed;
    CVZRSkinBitmap(const CVZRSkinBitmap&);
    CVZRSkinBitmap& operator=(const CVZRSkinBitmap&);
};

class CVZRSkinBitmapCache {
public:
    // Loaded through the package on first request; a failed name is tried again next time.
    CVZRSkinBitmap* Get(CVZRThemePackage* package, LPCSTR name);
    SIZE GetSize(CVZRThemePackage* package, LPCSTR name);
    void Clear() { m_bitmaps.clear(); }

private:
    std::map<std::string, std::unique_ptr<CVZRSkinBitmap>> m_bitmaps;
};

BOOL FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour);
BOOL FillSolidRect(HDC dc, const RECT& rect, COLORREF colour);
void FrameRectSolid(HDC dc, const RECT& rect, int width, COLORREF colour);
void FrameRectBrush(HDC dc, const RECT& rect, int width, HBRUSH brush);
SIZE IconSize(HICON icon);
