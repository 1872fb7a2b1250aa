// Loading theme bitmaps from files and resources, alpha preparation and mirroring.
#pragma once

#include <windows.h>

// A PNG or a bitmap file; hasAlpha tells whether the image carries alpha.
HBITMAP LoadBitmapFromFile(LPCSTR path, BOOL* hasAlpha);
// A "PNG" resource, else a bitmap resource of that name.
HBITMAP LoadBitmapFromResource(HMODULE module, LPCSTR name, BOOL* hasAlpha);
// A premultiplied 32-bit copy; when hasAlpha is given it is set only when the
// alpha bytes hold both 0 and 255 or any value between, and an opaque image
// keeps its colours.
HBITMAP PremultiplyAlpha(HBITMAP bitmap, BOOL* hasAlpha);
// A 32-bit copy with every row reversed.
HBITMAP MirrorBitmap(HBITMAP bitmap);
// A DIB section from a checked packed DIB (header, colour table, rows); palette
// images are made device bitmaps through a logical palette.
HBITMAP CreateBitmapFromPackedDib(const void* data, size_t size, BOOL* hasAlpha);
