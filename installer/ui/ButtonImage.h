// An icon or a bitmap drawn into a button rectangle: centred or stretched,
// with a key colour, a grey look and an embossed disabled look.
#pragma once
#include <windows.h>

#include "controls/FileEditCtrl.h"

// Kind bits of SetImage.
#define BIK_ICON 0x1
#define BIK_BITMAP 0x2
#define BIK_OWNED 0x4
// Drawing bits beside FEI_CENTER, FEI_DISABLED and FEI_GRAY.
#define FEI_TRANSPARENT 0x010
#define FEI_STRETCH 0x020

// Take the key colour from the bitmap's top-left pixel.
#define BI_KEY_CORNER 0xFF000000

class CButtonImage : public CFileEditImage {
public:
    CButtonImage();
    virtual ~CButtonImage();

    // FALSE when a handle is given with both or neither of BIK_ICON and
    // BIK_BITMAP (the previous image stays).
    BOOL SetImage(HANDLE hImage, UINT nKind);
    COLORREF SetKeyColour(COLORREF crKey);
    // Bits added to every draw through the file edit control's interface.
    void SetBaseBits(UINT nBits) { m_nBaseBits = nBits; }

    void Draw(HDC hDC, int x, int y, int cx, int cy, UINT nBits);
    virtual void Draw(HDC hDC, const RECT &rect, UINT nBits) override;

    int GetWidth() const { return m_cx; }
    int GetHeight() const { return m_cy; }
    UINT GetDrawBits() const { return m_nDrawBits; }

private:
    void Free();
    void DrawIcon(HDC hMem, int cx, int cy, UINT nBits) const;
    void DrawBitmap(HDC hMem, int cx, int cy, UINT nBits) const;
    void Emboss(HDC hDC, int x, int y, int cx, int cy, HDC hImage) const;
    HBITMAP ComposeBitmap(HDC hDC, int cx, int cy, UINT nBits) const;
    HBITMAP ComposeIcon(HDC hDC, int cx, int cy, UINT nBits) const;

    UINT m_nKind;
    UINT m_nDrawBits;
    UINT m_nBaseBits;
    HANDLE m_hImage;
    int m_cx, m_cy;
    COLORREF m_crKey;
};

// A DIB-section copy of the bitmap in grey ((r*30 + g*59 + b*11) / 100):
// the colour table up to 8 bits, every pixel at 16 (5-5-5), 24 and 32 bits;
// with bKeepKey, pixels or entries of the key colour stay as they are.
HBITMAP CreateGreyBitmap(HBITMAP hSource, BOOL bKeepKey, COLORREF crKey);
