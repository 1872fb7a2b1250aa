#include "designer/model/ImageEx.h"

BOOL CImageEx::CopyRect(const RECT& rect, CImageEx* pDst, BOOL bRightColumn)
{
    (void)bRightColumn;  // pixels are copied whole, so every column starts on its own pixel
    if (pDst == NULL || !IsValid())
        return FALSE;
    long width = static_cast<long>(GetWidth());
    long height = static_cast<long>(GetHeight());
    if (rect.left < 0 || rect.top < 0 || rect.right > width || rect.bottom > height ||
        rect.right < rect.left || rect.bottom < rect.top)
        return FALSE;
    IncreaseBpp(24);
    long cx = rect.right - rect.left;
    long cy = rect.bottom - rect.top;
    if (cx == 0 || cy == 0) {
        pDst->Destroy();
        return TRUE;
    }
    if (pDst->Create(cx, cy, GetBpp(), CXIMAGE_FORMAT_BMP) == NULL)
        return FALSE;
    bool alpha = HasAlpha();
    for (long y = 0; y < cy; ++y) {
        for (long x = 0; x < cx; ++x) {
            RGBQUAD c = GetPixelColor(rect.left + x, rect.top + y);
            if (!alpha)
                c.rgbReserved = 255;
            pDst->SetPixelColor(x, y, c);
        }
    }
    return TRUE;
}
