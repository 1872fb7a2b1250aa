// Menu packages: zip files <title>.zip holding <title>.gz and <title>.png.
#pragma once

#include "framework/Framework.h"

// The file name without its folder, cut at its first '.'.
CString GetFileTitleNoExt(LPCTSTR path);

// bmp 1, gif 2, jpg or jpeg 3, png 4, ico 5 by the path's extension (any
// case); anything else 0.
int ImageTypeFromExtension(LPCTSTR path);

// 1 when the zip holds file entries <title>.png and <title>.gz (names
// compared without case); only the zip directory is read.
int IsValidMenuPackage(LPCTSTR path);

// Where a width x height picture goes in a size x size thumbnail, keeping
// its proportions: a tall one full height and centred across, a wide one
// full width and centred down.
struct ThumbnailRect {
    int x, y, width, height;
};
ThumbnailRect FitThumbnail(unsigned width, unsigned height, int size);
