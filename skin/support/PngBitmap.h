// PNG data turned into a 32-bit top-down DIB section.
#pragma once

#include "framework/Bitmap.h"

struct DecodedPng;

class CVZRPngBitmap : public CBitmap {
public:
    CVZRPngBitmap() {}
    BOOL LoadFromFile(LPCSTR path);
    BOOL LoadFromResource(HMODULE module, HRSRC resource);
    BOOL LoadFromMemory(const void* data, size_t size);
    BOOL HasAlpha() const { return m_bAlpha; }

private:
    BOOL TakeImage(const DecodedPng& image);
    BOOL m_bAlpha = FALSE;
};
