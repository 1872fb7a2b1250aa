#include "skin/support/BitmapLoad.h"

#include "framework/ScopedFile.h"
#include "skin/support/DibCheck.h"
#include "skin/support/DrawHelpers.h"
#include "skin/support/PngBitmap.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const size_t kMaxFile = size_t(64) << 20;
const unsigned char kPngSignature[4] = {0x89, 'P', 'N', 'G'};

bool ReadWholeFile(LPCSTR path, std::vector<BYTE>& data)
{
    CScopedFile file(fopen(path, "rb"));
    if (!file)
        return false;
    BYTE buffer[16384];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file.Get())) > 0) {
        if (data.size() + n > kMaxFile)
            return false;
        data.insert(data.end(), buffer, buffer + n);
    }
    return true;
}

// A DIB section of the checked layout, whose offsets count from base; the
// information header is at info.
HBITMAP CreateFromLayout(const BYTE* base, const BYTE* info, const DibLayout& l)
{
    std::vector<BYTE> header(sizeof(BITMAPINFOHEADER) + 12 + 256 * 4, 0);
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(header.data());
    memcpy(h, info, sizeof(BITMAPINFOHEADER));
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biSizeImage = DWORD(l.imageSize);
    BYTE* after = header.data() + sizeof(BITMAPINFOHEADER);
    if (l.compression == kDibBitfields) {
        // The masks follow a 40-byte header, or sit inside a larger one at the same place.
        memcpy(after, info + 40, 12);
        after += 12;
    }
    h->biClrUsed = l.colorCount;
    memcpy(after, base + l.tableOffset, size_t(l.colorCount) * 4);
    void* pixels = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(header.data()), DIB_RGB_COLORS, &pixels, NULL, 0);
    if (bitmap && pixels)
        memcpy(pixels, base + l.bitsOffset, l.imageSize);
    return bitmap;
}

// The 32-bit bottom-up pixels of a bitmap; false when it is not 32 bits per pixel.
bool ReadBits32(HBITMAP bitmap, BITMAPINFOHEADER& header, std::vector<BYTE>& bits)
{
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof(bm), &bm) || bm.bmBitsPixel != 32 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(bm.bmWidth) * DWORD(bm.bmHeight) * 4;
    bits.resize(header.biSizeImage);
    CClientDC screen(NULL);
    return GetDIBits(screen, bitmap, 0, UINT(bm.bmHeight), bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                     DIB_RGB_COLORS) == bm.bmHeight;
}

HBITMAP NewDIB32(const BITMAPINFOHEADER& header, const std::vector<BYTE>& bits)
{
    void* pixels = NULL;
    HBITMAP bitmap = CVZRBlendFunctions::CreateDIB32(NULL, header.biWidth, header.biHeight, &pixels);
    if (bitmap && pixels)
        memcpy(pixels, bits.data(), bits.size());
    return bitmap;
}
}  // namespace

HBITMAP CreateBitmapFromPackedDib(const void* data, size_t size, BOOL* hasAlpha)
{
    DibLayout l;
    if (hasAlpha)
        *hasAlpha = FALSE;
    if (!CheckPackedDib(data, size, l))
        return NULL;
    const BYTE* info = static_cast<const BYTE*>(data);
    if (hasAlpha)
        *hasAlpha = l.bitCount == 32;
    return CreateFromLayout(info, info, l);
}

HBITMAP LoadBitmapFromFile(LPCSTR path, BOOL* hasAlpha)
{
    if (hasAlpha)
        *hasAlpha = FALSE;
    std::vector<BYTE> data;
    if (!path || !ReadWholeFile(path, data))
        return NULL;
    if (data.size() >= 4 && memcmp(data.data(), kPngSignature, 4) == 0) {
        CVZRPngBitmap png;
        if (!png.LoadFromMemory(data.data(), data.size()))
            return NULL;
        if (hasAlpha)
            *hasAlpha = png.HasAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    DibLayout l;
    if (!CheckDibFile(data.data(), data.size(), l))
        return NULL;
    if (hasAlpha)
        *hasAlpha = l.bitCount == 32;
    return CreateFromLayout(data.data(), data.data() + 14, l);
}

HBITMAP LoadBitmapFromResource(HMODULE module, LPCSTR name, BOOL* hasAlpha)
{
    if (hasAlpha)
        *hasAlpha = FALSE;
    HRSRC png = FindResourceA(module, name, "PNG");
    if (png) {
        HGLOBAL loaded = LoadResource(module, png);
        const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : NULL;
        if (data && SizeofResource(module, png) >= 4 && memcmp(data, kPngSignature, 4) == 0) {
            CVZRPngBitmap bitmap;
            if (!bitmap.LoadFromResource(module, png))
                return NULL;
            if (hasAlpha)
                *hasAlpha = bitmap.HasAlpha();
            return static_cast<HBITMAP>(bitmap.Detach());
        }
    }
    HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(2));
    if (!res)
        return NULL;
    HGLOBAL loaded = LoadResource(module, res);
    const void* data = loaded ? LockResource(loaded) : NULL;
    return data ? CreateBitmapFromPackedDib(data, SizeofResource(module, res), hasAlpha) : NULL;
}

HBITMAP PremultiplyAlpha(HBITMAP bitmap, BOOL* hasAlpha)
{
    BITMAPINFOHEADER header;
    std::vector<BYTE> bits;
    if (!ReadBits32(bitmap, header, bits))
        return NULL;
    std::vector<BYTE> out(bits);
    bool zero = false, full = false, between = false;
    for (size_t i = 0; i + 3 < out.size(); i += 4) {
        BYTE a = out[i + 3];
        if (a == 0)
            zero = true;
        else if (a == 255)
            full = true;
        else
            between = true;
        for (int c = 0; c < 3; ++c)
            out[i + c] = BYTE(out[i + c] * a / 255);
    }
    bool alpha = between || (zero && full);
    if (hasAlpha) {
        if (alpha)
            *hasAlpha = TRUE;
        else
            out = bits;
    }
    return NewDIB32(header, out);
}

HBITMAP MirrorBitmap(HBITMAP bitmap)
{
    BITMAPINFOHEADER header;
    std::vector<BYTE> bits;
    if (!ReadBits32(bitmap, header, bits))
        return NULL;
    size_t width = size_t(header.biWidth);
    for (size_t row = 0; row < size_t(header.biHeight); ++row) {
        uint32_t* p = reinterpret_cast<uint32_t*>(bits.data() + row * width * 4);
        for (size_t a = 0, b = width - 1; a < b; ++a, --b) {
            uint32_t t = p[a];
            p[a] = p[b];
            p[b] = t;
        }
    }
    return NewDIB32(header, bits);
}
