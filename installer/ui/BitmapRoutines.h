#pragma once
// Blits of bitmap parts, key-colour drawing and window regions from bitmaps.
#include "framework/Bitmap.h"
#include "framework/DC.h"

BOOL LoadPictureFile(CBitmap *pBitmap, LPCTSTR lpszPath, COLORREF crBack);
void BlitBitmapPart(CBitmap *pBitmap, CDC *pDC, int x, int y, const RECT *pSrc);
void StretchBitmapPart(CBitmap *pBitmap, CDC *pDC, const RECT *pDest,
                       const RECT *pSrc);
void BlitBitmap(CBitmap *pBitmap, CDC *pDC, const RECT *pDest);
void DrawBitmapPart(CBitmap *pBitmap, CDC *pDC, int x, int y, const RECT *pSrc,
                    COLORREF crKey, BOOL bKey);
void DrawTransparentBitmap(CDC *pDC, int x, int y, int width, int height,
                           CBitmap *pBitmap, int xSrc, int ySrc, COLORREF crKey,
                           HPALETTE hPalette);
HRGN RegionFromBitmap(CBitmap *pBitmap, COLORREF crKey);
