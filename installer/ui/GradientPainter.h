// Two-colour gradients through msimg32's GradientFill, bound at run time,
// with 255 solid bands in its place when the library or function is missing.
#pragma once
#include <windows.h>

class CGradientPainter {
public:
    // bUseLibrary FALSE: always the bands.
    explicit CGradientPainter(BOOL bUseLibrary = TRUE);
    ~CGradientPainter();
    CGradientPainter(const CGradientPainter &) = delete;
    CGradientPainter &operator=(const CGradientPainter &) = delete;

    BOOL HasGradientFill() const { return m_pfnGradientFill != NULL; }
    void Fill(HDC hDC, const RECT &rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical) const;
    // The fallback alone.
    static void FillBands(HDC hDC, const RECT &rect, COLORREF crFrom, COLORREF crTo,
                          BOOL bVertical);

private:
    typedef BOOL(WINAPI *GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    HMODULE m_hLibrary;
    GradientFillProc m_pfnGradientFill;
};
