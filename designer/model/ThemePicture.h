// A theme picture: the nine-slice holder with the size of the loaded image.
#pragma once

#include "designer/model/ImageObject.h"

class CThemePicture : public CImageObject {
public:
    int GetImageWidth() const { return (int)m_whole.GetWidth(); }
    int GetImageHeight() const { return (int)m_whole.GetHeight(); }
    BOOL IsLoaded() const { return m_bValid; }
};

// Loads the built-in picture nID of type "CTRL_IMGS" with the given margins.
// Returns 1 when loaded, 0 when it does not decode, -1 when it is missing.
int LoadBuiltInThemePicture(CThemePicture& picture, UINT nID, int nLeft, int nTop, int nRight, int nBottom);
