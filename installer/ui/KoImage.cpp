#include "installer/ui/KoImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "installer/ui/KoMemStream.h"

namespace {
uint64_t g_maxMemory = 256000000;
const int32_t kDefaultDpm = (int32_t)(96 * 39.37007874015748 + 0.5);
}  // namespace

CKoImage::CKoImage(int type)
    : m_xDpm(kDefaultDpm), m_yDpm(kDefaultDpm), m_type(type) {}

CKoImage::~CKoImage() { Destroy(); }

void CKoImage::Destroy()
{
    m_block.clear();
    m_alpha.clear();
    m_selection.clear();
    m_width = m_height = m_bpp = m_rowSize = m_imageSize = m_colors = 0;
}

bool CKoImage::Fail(const char *text)
{
    m_error = text;
    return false;
}

uint32_t CKoImage::StoredDepth(uint32_t bpp)
{
    return bpp <= 1 ? 1 : bpp <= 4 ? 4
                      : bpp <= 8   ? 8
                                   : 24;
}

uint64_t CKoImage::GetMemoryLimit() { return g_maxMemory; }

void CKoImage::SetMemoryLimit(uint64_t bytes) { g_maxMemory = bytes; }

bool CKoImage::WithinMemory(uint32_t width, uint32_t height, uint32_t bpp)
{
    bpp = StoredDepth(bpp);
    if ((uint64_t)width * height * bpp / 256 > g_maxMemory)
        return false;
    uint64_t imageSize = ((uint64_t)width * bpp + 31) / 32 * 4 * height;
    uint32_t colors = bpp == 24 ? 0 : 1u << bpp;
    return sizeof(KoBitmapInfoHeader) + colors * 4 + imageSize <= g_maxMemory;
}

bool CKoImage::Create(uint32_t width, uint32_t height, uint32_t bpp, int type)
{
    Destroy();
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return Fail(
            "CKoImage::Create : width and height must be greater than zero");
    if (!WithinMemory(width, height, bpp))
        return Fail("CKOIMAGE_MAX_MEMORY exceeded");
    bpp = StoredDepth(bpp);
    uint64_t rowSize = ((uint64_t)width * bpp + 31) / 32 * 4;
    uint64_t imageSize = rowSize * height;
    uint32_t colors = bpp == 24 ? 0 : 1u << bpp;
    if (!m_block.Allocate(sizeof(KoBitmapInfoHeader) + colors * 4 + (size_t)imageSize))
        return Fail("CKoImage::Create can't allocate memory");
    m_width = width;
    m_height = height;
    m_bpp = bpp;
    m_rowSize = (uint32_t)rowSize;
    m_imageSize = (uint32_t)imageSize;
    m_colors = colors;
    if (type != KO_TYPE_UNKNOWN)
        m_type = type;
    KoBitmapInfoHeader head = {};
    head.biSize = sizeof head;
    head.biWidth = (int32_t)width;
    head.biHeight = (int32_t)height;
    head.biPlanes = 1;
    head.biBitCount = (uint16_t)bpp;
    head.biSizeImage = m_imageSize;
    head.biXPelsPerMeter = m_xDpm;
    head.biYPelsPerMeter = m_yDpm;
    head.biClrUsed = colors;
    memcpy(m_block.data(), &head, sizeof head);
    return true;
}

uint8_t *CKoImage::GetBits(uint32_t row)
{
    if (m_block.empty() || row >= m_height)
        return nullptr;
    return m_block.data() + sizeof(KoBitmapInfoHeader) + m_colors * 4 +
           (size_t)row * m_rowSize;
}

KoRgbQuad *CKoImage::GetPalette()
{
    if (m_block.empty() || m_colors == 0)
        return nullptr;
    return reinterpret_cast<KoRgbQuad *>(m_block.data() +
                                         sizeof(KoBitmapInfoHeader));
}

bool CKoImage::SetPaletteColor(uint32_t index, uint8_t r, uint8_t g, uint8_t b,
                               uint8_t alpha)
{
    KoRgbQuad *pal = GetPalette();
    if (!pal || index >= m_colors)
        return false;
    pal[index] = {b, g, r, alpha};
    return true;
}

bool CKoImage::GetPaletteColor(uint32_t index, KoRgbQuad *out) const
{
    if (m_block.empty() || index >= m_colors || !out)
        return false;
    memcpy(out, m_block.data() + sizeof(KoBitmapInfoHeader) + index * 4, 4);
    return true;
}

void CKoImage::SetPalette(const uint8_t *rgb, uint32_t count)
{
    for (uint32_t i = 0; i < count && i < m_colors; ++i)
        SetPaletteColor(i, rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
}

void CKoImage::SetPalette(const KoRgbQuad *quads, uint32_t count)
{
    KoRgbQuad *pal = GetPalette();
    if (pal)
        memcpy(pal, quads, std::min(count, m_colors) * 4);
}

bool CKoImage::Inside(int32_t x, int32_t y) const
{
    return !m_block.empty() && x >= 0 && y >= 0 && (uint32_t)x < m_width &&
           (uint32_t)y < m_height;
}

uint8_t CKoImage::GetPixelIndex(int32_t x, int32_t y) const
{
    if (m_colors == 0)
        return 0;
    if (!Inside(x, y))
        return m_transIndex >= 0 ? (uint8_t)m_transIndex : 0;
    const uint8_t *row = const_cast<CKoImage *>(this)->GetBits((uint32_t)y);
    if (m_bpp == 8)
        return row[x];
    int shift = m_bpp == 4 ? (1 - x % 2) * 4 : 7 - x % 8;
    uint8_t byte = row[x * m_bpp / 8];
    return (uint8_t)((byte >> shift) & ((1 << m_bpp) - 1));
}

void CKoImage::SetPixelIndex(int32_t x, int32_t y, uint8_t index)
{
    if (m_colors == 0 || !Inside(x, y))
        return;
    uint8_t *row = GetBits((uint32_t)y);
    if (m_bpp == 8) {
        row[x] = index;
        return;
    }
    int shift = m_bpp == 4 ? (1 - x % 2) * 4 : 7 - x % 8;
    uint8_t mask = (uint8_t)(((1 << m_bpp) - 1) << shift);
    uint8_t &byte = row[x * m_bpp / 8];
    byte = (uint8_t)((byte & ~mask) | ((index << shift) & mask));
}

KoRgbQuad CKoImage::GetPixelColor(int32_t x, int32_t y) const
{
    KoRgbQuad q = {0, 0, 0, 0};
    if (m_block.empty())
        return q;
    if (!Inside(x, y)) {
        if (m_transIndex >= 0 && m_colors) {
            GetPaletteColor((uint32_t)m_transIndex, &q);
            return q;
        }
        x = y = 0;
    }
    if (m_colors) {
        GetPaletteColor(GetPixelIndex(x, y), &q);
    } else {
        const uint8_t *p =
            const_cast<CKoImage *>(this)->GetBits((uint32_t)y) + x * 3;
        q = {p[0], p[1], p[2], 0};
    }
    if (HasAlpha())
        q.reserved = AlphaGet(x, y);
    return q;
}

void CKoImage::SetPixelColor(int32_t x, int32_t y, KoRgbQuad colour,
                             bool setAlpha)
{
    if (!Inside(x, y))
        return;
    if (m_colors) {
        // Nearest palette entry.
        int best = 0;
        long bestDist = 1L << 30;
        for (uint32_t i = 0; i < m_colors; ++i) {
            KoRgbQuad p;
            GetPaletteColor(i, &p);
            long d = (long)(p.red - colour.red) * (p.red - colour.red) +
                     (long)(p.green - colour.green) * (p.green - colour.green) +
                     (long)(p.blue - colour.blue) * (p.blue - colour.blue);
            if (d < bestDist)
                bestDist = d, best = (int)i;
        }
        SetPixelIndex(x, y, (uint8_t)best);
    } else {
        uint8_t *p = GetBits((uint32_t)y) + x * 3;
        p[0] = colour.blue;
        p[1] = colour.green;
        p[2] = colour.red;
    }
    if (setAlpha)
        AlphaSet(x, y, colour.reserved);
}

bool CKoImage::AlphaCreate()
{
    if (m_block.empty())
        return false;
    if (m_alpha.empty()) {
        try {
            m_alpha.assign((size_t)m_width * m_height, 255);
        } catch (const std::bad_alloc &) {
            return Fail("can't allocate memory");
        }
    }
    return true;
}

uint8_t CKoImage::AlphaGet(int32_t x, int32_t y) const
{
    if (m_alpha.empty() || !Inside(x, y))
        return 255;
    return m_alpha[(size_t)y * m_width + x];
}

void CKoImage::AlphaSet(int32_t x, int32_t y, uint8_t value)
{
    if (!m_alpha.empty() && Inside(x, y))
        m_alpha[(size_t)y * m_width + x] = value;
}

bool CKoImage::GetTransColor(uint32_t *rgb) const
{
    if (m_hasTransColor && rgb)
        *rgb = m_transColor;
    return m_hasTransColor;
}

bool CKoImage::Mirror()
{
    if (m_block.empty())
        return false;
    for (uint32_t y = 0; y < m_height; ++y) {
        for (uint32_t x = 0; x < m_width / 2; ++x) {
            int32_t l = (int32_t)x, r = (int32_t)(m_width - 1 - x);
            if (m_colors) {
                uint8_t a = GetPixelIndex(l, (int32_t)y),
                        b = GetPixelIndex(r, (int32_t)y);
                SetPixelIndex(l, (int32_t)y, b);
                SetPixelIndex(r, (int32_t)y, a);
            } else {
                uint8_t *row = GetBits(y);
                std::swap_ranges(row + l * 3, row + l * 3 + 3, row + r * 3);
            }
            if (HasAlpha())
                std::swap(m_alpha[(size_t)y * m_width + l],
                          m_alpha[(size_t)y * m_width + r]);
        }
    }
    return true;
}

bool CKoImage::Flip()
{
    if (m_block.empty())
        return false;
    for (uint32_t y = 0; y < m_height / 2; ++y) {
        uint8_t *a = GetBits(y);
        uint8_t *b = GetBits(m_height - 1 - y);
        std::swap_ranges(a, a + m_rowSize, b);
        if (HasAlpha()) {
            auto ra = m_alpha.begin() + (ptrdiff_t)((size_t)y * m_width);
            auto rb =
                m_alpha.begin() + (ptrdiff_t)((size_t)(m_height - 1 - y) * m_width);
            std::swap_ranges(ra, ra + m_width, rb);
        }
    }
    return true;
}

void CKoImage::TakeImage(CKoImage &other)
{
    m_block.swap(other.m_block);
    m_alpha.swap(other.m_alpha);
    m_selection.swap(other.m_selection);
    m_width = other.m_width;
    m_height = other.m_height;
    m_bpp = other.m_bpp;
    m_rowSize = other.m_rowSize;
    m_imageSize = other.m_imageSize;
    m_colors = other.m_colors;
    m_type = other.m_type;
    m_transIndex = other.m_transIndex;
    m_transColor = other.m_transColor;
    m_hasTransColor = other.m_hasTransColor;
    m_paletteAlpha = other.m_paletteAlpha;
    m_numFrames = other.m_numFrames;
    other.Destroy();
}

bool CKoImage::RunCodec(CKoMemStream &stream, int type)
{
    CKoImage fresh(type);
    fresh.m_frame = m_frame;
    bool ok = type == KO_TYPE_BMP   ? KoDecodeBmp(fresh, stream)
              : type == KO_TYPE_ICO ? KoDecodeIco(fresh, stream)
              : type == KO_TYPE_PNG ? KoDecodePng(fresh, stream)
              : type == KO_TYPE_TGA
                  ? KoDecodeTga(fresh, stream)
                  : fresh.Fail("Decode: Unknown or wrong format");
    if (!ok)
        return Fail(fresh.m_error.empty() ? "" : fresh.m_error.c_str());
    if (!fresh.IsValid())
        return Fail("Decode: Unknown or wrong format");
    fresh.m_type = type;
    TakeImage(fresh);
    return true;
}

bool CKoImage::Decode(CKoMemStream &stream, int type)
{
    if (type != KO_TYPE_UNKNOWN)
        return RunCodec(stream, type);
    static const int kOrder[] = {KO_TYPE_BMP, KO_TYPE_ICO, KO_TYPE_PNG,
                                 KO_TYPE_TGA};
    long start = stream.Tell();
    for (int t : kOrder) {
        stream.Seek(start, SEEK_SET);
        if (RunCodec(stream, t))
            return true;
    }
    return Fail("Decode: Unknown or wrong format");
}

bool CKoImage::Decode(const uint8_t *data, size_t size, int type)
{
    if (!data || size == 0)
        return Fail("Decode: Unknown or wrong format");
    CKoMemStream stream(data, size);
    return Decode(stream, type);
}
