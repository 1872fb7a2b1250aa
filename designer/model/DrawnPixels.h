// CDrawnPixels: what an element last drew on the canvas, kept with a key of
// everything that drawing depends on, so that an unchanged element is copied
// rather than drawn again. Only for drawings that cover their rectangle
// whatever lies under it and draw nothing outside it.
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
    void Forget();

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
    static BOOL CanKeep(HDC hdc, const CRect& rect);
    static BOOL FindTargetRows(HDC hdc, const CRect& rect, DWORD*& pFirst, LONG_PTR& nStride);
    BOOL Render(const CRect& rect, const Drawing& drawing);

    static HDC s_hDirectDC;
    static DWORD* s_pDirectBits;
    static CSize s_directSize;
    static int s_nDirectDepth;

    std::string m_key;
    CSize m_size;
    std::vector<DWORD> m_pixels;
};
