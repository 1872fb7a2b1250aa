// CDrawnPixels: what an element last drew on the canvas, kept with a key of
// everything that drawing depends on, so that an unchanged element is copied
// rather than drawn again. Only for drawings that draw nothing outside their
// rectangle. Draw is for those that cover it whatever lies under it; DrawOver
// for those that draw over what lies there (text on the wallpaper). The
// drawing before the last one is kept too, so that a zoom step and the step
// back find the faces they drew.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Geometry.h"

class CDrawnPixels {
public:
    typedef std::function<void(CDC* pDC, const CRect& rect)> Drawing;

    // Into a memory DC of 32-bit pixels, where the rectangle is wholly
    // visible: the kept pixels when the key is the last one, else the drawing,
    // kept. Into a direct target it is drawn in place and read back; elsewhere
    // it is made at the origin of a bitmap of the rectangle's size.
    // Elsewhere, and for large rectangles, the drawing goes straight into pDC.
    void Draw(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing);
    // Kept with the pixels that lay under it, and copied only onto the same
    // ones; only into a direct target, elsewhere drawn straight.
    void DrawOver(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing);
    void Forget();

    // Drawings shared by every element that draws the same picture at the
    // same size (a theme's face under many entries, a picture used again),
    // kept by a key of the picture's content and the size, within a budget.
    // Only for drawings that cover their rectangle and look the same wherever
    // they are drawn; into other DCs than 32-bit memory ones drawn straight.
    static void DrawShared(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing);
    // Whether a shared drawing of the key and size is kept now.
    static BOOL IsShared(const std::string& key, CSize size);
    // Appends a key of w x h pixels of 4 bytes: the size and a 64-bit hash.
    static void AddPixelsToKey(std::string& key, const BYTE* pBits, int w, int h);

    CDrawnPixels() {}
    // A copy starts empty: it is drawn anew the first time.
    CDrawnPixels(const CDrawnPixels&) {}
    CDrawnPixels& operator=(const CDrawnPixels& other);
    ~CDrawnPixels();

    // While one lives, drawings into its DC are made there and read back, and
    // kept ones written straight into its pixels: the top-down 32-bit rows of
    // the bitmap of that size selected into it.
    class CDirectTarget {
    public:
        CDirectTarget(HDC hdc, DWORD* pBits, CSize size);
        ~CDirectTarget();

    private:
        CDirectTarget(const CDirectTarget&);
        CDirectTarget& operator=(const CDirectTarget&);
        HDC m_hOldDC;
        DWORD* m_pOldBits;
        CSize m_oldSize;
        int m_nOldDepth;
    };

    // GetDeviceCaps(hdc, BITSPIXEL), asked of the direct target's DC once
    // while it lives: under Wine each question costs server round trips.
    static int BitsPerPixel(HDC hdc);

    // Appends the bytes of a value to a key.
    template <class T>
    static void AddToKey(std::string& key, const T& value)
    {
        key.append((const char*)&value, sizeof(value));
    }
    static void AddToKey(std::string& key, LPCTSTR lpszText);

private:
    // One drawing: its key, size and pixels (packed: as runs along the rows),
    // and for DrawOver the pixels under it.
    struct Entry {
        std::string key;
        CSize size;
        std::vector<DWORD> pixels;
        bool packed = false;
        std::vector<DWORD> under;
        size_t Bytes() const { return (pixels.capacity() + under.capacity()) * sizeof(DWORD); }
    };

    static BOOL CanKeep(HDC hdc, const CRect& rect);
    static BOOL FindTargetRows(HDC hdc, const CRect& rect, DWORD*& pFirst, LONG_PTR& nStride);
    // The drawing made at the origin of a 32-bit bitmap of the size.
    static BOOL RenderApart(CSize size, const Drawing& drawing, std::vector<DWORD>& pixels);
    // A drawing's rows read back from a direct target into an entry, packed
    // where that takes less room, and put back.
    static void KeepRows(const DWORD* pFirst, LONG_PTR nStride, CSize size, Entry& entry);
    static void PutRows(DWORD* pFirst, LONG_PTR nStride, CSize size, const Entry& entry);
    // Kept pixels of the rectangle's size put there.
    static void PutPixels(HDC hdc, const CRect& rect, const std::vector<DWORD>& pixels);
    BOOL Render(const CRect& rect, const Drawing& drawing);
    // The kept drawing of the key and size made current (the one before is
    // swapped in when it is that one); FALSE when neither is. With pUnder,
    // the pixels under it must be those rows of the target.
    BOOL FindKept(const std::string& key, CSize size, const DWORD* pUnder, LONG_PTR nStride);
    // The current drawing becomes the one before, within the budget for
    // those, and the current one is emptied for a new drawing.
    void StartNew();
    void DropPrevious();

    static HDC s_hDirectDC;
    static DWORD* s_pDirectBits;
    static CSize s_directSize;
    static int s_nDirectDepth;
    // Bytes held by every cache's drawing before the last one.
    static size_t s_nPreviousBytes;

    Entry m_current;
    Entry m_previous;
    size_t m_nPreviousBytes = 0;
};
