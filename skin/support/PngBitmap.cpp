#include "skin/support/PngBitmap.h"

#include "framework/ScopedFile.h"
#include "skin/support/DrawHelpers.h"
#include "skin/support/PngDecode.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const size_t kMaxFile = size_t(64) << 20;

}  // namespace

BOOL CVZRPngBitmap::LoadFromFile(LPCSTR path)
{
    DeleteObject();
    m_bAlpha = FALSE;
    CScopedFile file(fopen(path, "rb"));
    if (!file)
        return FALSE;
    std::vector<unsigned char> data;
    unsigned char buffer[16384];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file.Get())) > 0) {
        if (data.size() + n > kMaxFile)
            return FALSE;
        data.insert(data.end(), buffer, buffer + n);
    }
    return LoadFromMemory(data.data(), data.size());
}

BOOL CVZRPngBitmap::LoadFromResource(HMODULE module, HRSRC resource)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (!resource)
        return FALSE;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : NULL;
    if (!data || size <= 9)
        return FALSE;
    return LoadFromMemory(data, size);
}

BOOL CVZRPngBitmap::LoadFromMemory(const void* data, size_t size)
{
    DeleteObject();
    m_bAlpha = FALSE;
    DecodedPng image;
    if (!DecodePng(data, size, image))
        return FALSE;
    return TakeImage(image);
}

BOOL CVZRPngBitmap::TakeImage(const DecodedPng& image)
{
    void* bits = NULL;
    HBITMAP bitmap = CVZRBlendFunctions::CreateDIB32(NULL, int(image.width), -int(image.height), &bits);
    if (!bitmap)
        return FALSE;
    BYTE* out = static_cast<BYTE*>(bits);
    const uint8_t* in = image.rows.data();
    size_t pixels = size_t(image.width) * image.height;
    for (size_t i = 0; i < pixels; ++i, in += image.channels, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = image.channels == 4 ? in[3] : 0;
    }
    Attach(bitmap);
    m_bAlpha = image.channels == 4;
    return TRUE;
}
