// CImageEx: the image library's image with a copy of a sub-rectangle into another image.
#pragma once

#include "imaging/xImage.h"

class CImageEx : public CxImage {
public:
    CImageEx() {}

    // Copies rect (image pixels, top row 0) into pDst as a new image of the
    // rect's size. An empty rect gives an empty image; a rect outside the
    // image gives FALSE. bRightColumn marks the slices of the right column.
    BOOL CopyRect(const RECT& rect, CImageEx* pDst, BOOL bRightColumn);
};
