// Scoped drawing helpers and the run-time blending functions.
#pragma once

#include <windows.h>

class CWnd;

// The clipboard formats of tool bar images and of 32-bit bitmaps with alpha,
// registered when the library is loaded.
extern UINT g_nToolBarImageFormat;
extern UINT g_nAlphaBitmapFormat;

// A bitmap to draw into for a destination DC. For a window or screen DC of 32
// bits a DIB of that format: the same pixels, without the display query each
// compatible bitmap of such a DC costs.
HBITMAP CreateCanvasBitmap(HDC destination, int width, int height);
// Whether a DC draws 32-bit pixels: a window or screen DC of a 32-bit screen,
// or a memory DC holding a 32-bit bitmap.
bool IsThirtyTwoBitDC(HDC dc);

class CVZRWindowArea : public RECT {
public:
    explicit CVZRWindowArea(HWND window);
};

class CVZRClientArea : public RECT {
public:
    explicit CVZRClientArea(HWND window);
};

// A memory DC in the destination's coordinates; copied back on destruction.
class CVZRMemoryCanvas {
public:
    CVZRMemoryCanvas(HDC destination, const RECT& rect);
    ~CVZRMemoryCanvas();
    HDC GetDC() const { return m_hMemDC; }
    operator HDC() const { return m_hMemDC; }
    void Discard() { m_hDestination = NULL; }

protected:
    CVZRMemoryCanvas() {}
    HDC m_hDestination = NULL;
    RECT m_rect = {0, 0, 0, 0};
    HDC m_hMemDC = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL;

private:
    CVZRMemoryCanvas(const CVZRMemoryCanvas&);
    CVZRMemoryCanvas& operator=(const CVZRMemoryCanvas&);
};

// A bitmap only as large as the rectangle; the viewport origin moves instead.
class CVZROffsetMemoryCanvas : public CVZRMemoryCanvas {
public:
    CVZROffsetMemoryCanvas(HDC destination, const RECT& rect);
    ~CVZROffsetMemoryCanvas();
};

class CVZRPenSelection {
public:
    CVZRPenSelection(HDC dc, COLORREF colour);
    ~CVZRPenSelection();

private:
    HDC m_hDC;
    HPEN m_hPen;
    HGDIOBJ m_hOld;
    CVZRPenSelection(const CVZRPenSelection&);
    CVZRPenSelection& operator=(const CVZRPenSelection&);
};

class CVZRBrushSelection {
public:
    CVZRBrushSelection(HDC dc, COLORREF colour);
    ~CVZRBrushSelection();

private:
    HDC m_hDC;
    HBRUSH m_hBrush;
    HGDIOBJ m_hOld;
    CVZRBrushSelection(const CVZRBrushSelection&);
    CVZRBrushSelection& operator=(const CVZRBrushSelection&);
};

class CVZRFontSelection {
public:
    explicit CVZRFontSelection(HDC dc, HFONT font = NULL);
    ~CVZRFontSelection();
    void SelectFont(HFONT font);
    void SetTextColor(COLORREF colour);

private:
    HDC m_hDC;
    HGDIOBJ m_hSavedFont = NULL;
    COLORREF m_savedColour = CLR_INVALID;
    CVZRFontSelection(const CVZRFontSelection&);
    CVZRFontSelection& operator=(const CVZRFontSelection&);
};

class CVZRBitmapSelection {
public:
    CVZRBitmapSelection(HDC dc, HBITMAP bitmap);
    ~CVZRBitmapSelection();
    operator HDC() const { return m_hMemDC; }

private:
    HDC m_hMemDC;
    HGDIOBJ m_hOld;
    CVZRBitmapSelection(const CVZRBitmapSelection&);
    CVZRBitmapSelection& operator=(const CVZRBitmapSelection&);
};

class CVZRBlendFunctions {
public:
    static CVZRBlendFunctions& Instance();
    bool IsContextRTL(HDC dc);
    void SetContextRTL(HDC dc, DWORD layout);
    void Triangle(HDC dc, const POINT points[3], COLORREF colour);
    void ScreenToWindow(HWND window, POINT& pt);
    BOOL TransparentBlt(HDC destination, const RECT& destRect, HDC source, const RECT& sourceRect, COLORREF key);
    BOOL AlphaBlend(HDC destination, const RECT& destRect, HDC source, const RECT& sourceRect);
    static HBITMAP CreateDIB32(HDC dc, int width, int height, void** bits);

    // The plain-GDI ways, also used when the system functions are missing.
    static BOOL TransparentBltFallback(HDC destination, const RECT& destRect, HDC source, const RECT& sourceRect,
                                       COLORREF key);
    // Copies a source of the destination rectangle's size but its key-coloured
    // pixels; the source's key pixels turn black.
    static BOOL KeyedBlt(HDC destination, const RECT& destRect, HDC source, COLORREF key);
    // Copies the colour bitmap where the mono mask is 0 (see KeyedBlt).
    static BOOL MaskedBlt(HDC destination, const RECT& destRect, HBITMAP colour, HBITMAP mask);
    static BOOL MaskOutKey(HDC source, HDC maskDC, int width, int height, COLORREF key);
    BOOL AlphaBlendFallback(HDC destination, const RECT& destRect, HDC source, const RECT& sourceRect);
    // For tests: act as if msimg32 had no such functions.
    void ForgetSystemFunctions();

private:
    CVZRBlendFunctions();
    typedef BOOL(WINAPI* GradientFillFn)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    typedef BOOL(WINAPI* AlphaBlendFn)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* TransparentBltFn)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    typedef DWORD(WINAPI* GetLayoutFn)(HDC);
    typedef DWORD(WINAPI* SetLayoutFn)(HDC, DWORD);
    HMODULE m_hMsimg32 = NULL;
    GradientFillFn m_gradientFill = NULL;
    AlphaBlendFn m_alphaBlend = NULL;
    TransparentBltFn m_transparentBlt = NULL;
    GetLayoutFn m_getLayout = reinterpret_cast<GetLayoutFn>(-1);
    SetLayoutFn m_setLayout = reinterpret_cast<SetLayoutFn>(-1);
    GetLayoutFn GetLayoutProc();
    SetLayoutFn SetLayoutProc();
};
