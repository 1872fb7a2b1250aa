#include "imaging/xImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

BYTE Clamp255(long v) { return (BYTE)(v < 0 ? 0 : v > 255 ? 255
                                                          : v); }

BITMAPINFO TopDownInfo(long w, long h)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// Owns a memory DC with a 32-bit top-down DIB section selected into it.
class DibDC {
public:
    DibDC(long w, long h) : m_dc(CreateCompatibleDC(NULL)), m_bmp(NULL), m_old(NULL), m_bits(NULL)
    {
        BITMAPINFO bi = TopDownInfo(w, h);
        if (m_dc) m_bmp = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &m_bits, NULL, 0);
        if (m_bmp) m_old = SelectObject(m_dc, m_bmp);
    }
    ~DibDC()
    {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_bmp) DeleteObject(m_bmp);
        if (m_dc) DeleteDC(m_dc);
    }
    DibDC(const DibDC&) = delete;
    DibDC& operator=(const DibDC&) = delete;
    bool Ok() const { return m_bits != NULL; }
    HDC dc() const { return m_dc; }
    BYTE* bits() const { return (BYTE*)m_bits; }

private:
    HDC m_dc;
    HBITMAP m_bmp;
    HGDIOBJ m_old;
    void* m_bits;
};

class SavedDC {
public:
    explicit SavedDC(HDC dc) : m_dc(dc), m_id(SaveDC(dc)) {}
    ~SavedDC()
    {
        if (m_id) RestoreDC(m_dc, m_id);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC m_dc;
    int m_id;
};

}  // namespace

CxImage::CxImage(DWORD imagetype)
    : m_width(0), m_height(0), m_bpp(0), m_type(imagetype), m_hasAlpha(false), m_jpegQuality(90), m_pngLevel(-1)
{
    m_error[0] = 0;
}

CxImage::CxImage(const CxImage& src) : CxImage(0) { Copy(src); }

CxImage& CxImage::operator=(const CxImage& src)
{
    if (this != &src) Copy(src);
    return *this;
}

CxImage::~CxImage() {}

void CxImage::SetError(const char* text)
{
    strncpy(m_error, text, sizeof(m_error) - 1);
    m_error[sizeof(m_error) - 1] = 0;
}

void CxImage::Destroy()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = m_height = m_bpp = 0;
    m_hasAlpha = false;
}

void* CxImage::Create(DWORD w, DWORD h, DWORD bpp, DWORD imagetype)
{
    // every row in a 32-bit address space too: 32768 x 32768 would wrap to nothing
    const unsigned long long bytes = (unsigned long long)w * h * 4;
    if (w == 0 || h == 0 || w > 32768 || h > 32768 || bytes > (std::numeric_limits<size_t>::max)() / 2) {
        Destroy();
        return NULL;
    }
    switch (bpp) {
    case 1:
    case 4:
    case 8:
    case 24:
    case 32: break;
    default: bpp = 24;
    }
    // a picture made again at about its size keeps its buffer, without fresh memory
    if (m_pixels.capacity() > 2 * bytes) Destroy();
    try {
        m_pixels.assign((size_t)bytes, 0);
    } catch (const std::bad_alloc&) {
        Destroy();
        SetError("out of memory");
        return NULL;
    }
    for (size_t i = 3; i < m_pixels.size(); i += 4) m_pixels[i] = 255;
    m_width = w;
    m_height = h;
    m_bpp = bpp;
    m_type = imagetype;
    m_hasAlpha = false;
    return &m_pixels[0];
}

bool CxImage::Copy(const CxImage& src, bool copypixels, bool /*copyselection*/, bool copyalpha)
{
    if (this == &src) return true;
    m_type = src.m_type;
    m_jpegQuality = src.m_jpegQuality;
    m_pngLevel = src.m_pngLevel;
    if (!src.IsValid()) {
        Destroy();
        return true;
    }
    if (copypixels) {
        m_pixels = src.m_pixels;
        m_width = src.m_width;
        m_height = src.m_height;
        m_bpp = src.m_bpp;
    } else {
        Create(src.m_width, src.m_height, src.m_bpp, src.m_type);
    }
    m_hasAlpha = copyalpha && copypixels && src.m_hasAlpha;
    if (!m_hasAlpha)
        for (size_t i = 3; i < m_pixels.size(); i += 4) m_pixels[i] = 255;
    return true;
}

void CxImage::Swap(CxImage& other)
{
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_bpp, other.m_bpp);
    std::swap(m_type, other.m_type);
    std::swap(m_hasAlpha, other.m_hasAlpha);
    std::swap(m_jpegQuality, other.m_jpegQuality);
    std::swap(m_pngLevel, other.m_pngLevel);
    m_pixels.swap(other.m_pixels);
    std::swap(m_error, other.m_error);
}

RGBQUAD CxImage::GetPixelColor(long x, long y) const
{
    RGBQUAD c = {};
    if (x < 0 || y < 0 || (DWORD)x >= m_width || (DWORD)y >= m_height) return c;
    memcpy(&c, &m_pixels[((size_t)y * m_width + x) * 4], 4);
    return c;
}

void CxImage::SetPixelColor(long x, long y, RGBQUAD c)
{
    if (x < 0 || y < 0 || (DWORD)x >= m_width || (DWORD)y >= m_height) return;
    memcpy(&m_pixels[((size_t)y * m_width + x) * 4], &c, 4);
    if (c.rgbReserved != 255) m_hasAlpha = true;
}

DWORD CxImage::GetPaletteSize() const
{
    return (IsValid() && m_bpp <= 8) ? (DWORD)(4u << m_bpp) : 0;
}

DWORD CxImage::GetSize() const
{
    if (!IsValid()) return 0;
    DWORD stride = ((m_width * m_bpp + 31) / 32) * 4;
    return (DWORD)sizeof(BITMAPINFOHEADER) + GetPaletteSize() + stride * m_height;
}

bool CxImage::IncreaseBpp(DWORD nbit)
{
    if (!IsValid()) return false;
    if (nbit > m_bpp) m_bpp = nbit == 32 ? 32 : 24;
    return true;
}

bool CxImage::Flip()
{
    if (!IsValid()) return false;
    size_t row = (size_t)m_width * 4;
    std::vector<BYTE> tmp(row);
    for (DWORD top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
        memcpy(&tmp[0], &m_pixels[top * row], row);
        memcpy(&m_pixels[top * row], &m_pixels[bottom * row], row);
        memcpy(&m_pixels[bottom * row], &tmp[0], row);
    }
    return true;
}

bool CxImage::Light(long brightness, long contrast)
{
    if (!IsValid()) return false;
    long c = 100 + std::max(-100L, std::min(contrast, 100L));
    for (size_t i = 0; i < m_pixels.size(); i += 4)
        for (int k = 0; k < 3; ++k)
            m_pixels[i + k] = Clamp255(((long)m_pixels[i + k] - 128) * c / 100 + 128 + brightness);
    return true;
}

bool CxImage::Thumbnail(long cx, long cy, RGBQUAD bg, CxImage* iDst)
{
    if (!IsValid() || cx <= 0 || cy <= 0) return false;
    // the largest size with the picture's proportions that fits
    double scale = std::min((double)cx / m_width, (double)cy / m_height);
    long w = std::max(1L, (long)(m_width * scale + 0.5));
    long h = std::max(1L, (long)(m_height * scale + 0.5));
    w = std::min(w, cx);
    h = std::min(h, cy);
    long ox = (cx - w) / 2, oy = (cy - h) / 2;

    CxImage out;
    if (!out.Create(cx, cy, m_bpp < 24 ? 24 : m_bpp, m_type)) return false;
    bg.rgbReserved = 255;
    for (long y = 0; y < cy; ++y)
        for (long x = 0; x < cx; ++x) out.SetPixelColor(x, y, bg);
    // box filter: each target pixel averages the source pixels it covers
    for (long y = 0; y < h; ++y) {
        DWORD sy0 = (DWORD)((double)y * m_height / h), sy1 = (DWORD)((double)(y + 1) * m_height / h);
        sy1 = std::max(sy1, sy0 + 1);
        for (long x = 0; x < w; ++x) {
            DWORD sx0 = (DWORD)((double)x * m_width / w), sx1 = (DWORD)((double)(x + 1) * m_width / w);
            sx1 = std::max(sx1, sx0 + 1);
            unsigned long sum[4] = {0, 0, 0, 0}, n = 0;
            for (DWORD sy = sy0; sy < sy1 && sy < m_height; ++sy)
                for (DWORD sx = sx0; sx < sx1 && sx < m_width; ++sx, ++n)
                    for (int k = 0; k < 4; ++k) sum[k] += m_pixels[((size_t)sy * m_width + sx) * 4 + k];
            if (!n) continue;
            BYTE a = (BYTE)(sum[3] / n);
            BYTE* d = &out.m_pixels[((size_t)(y + oy) * cx + x + ox) * 4];
            // blend over the background so the result is opaque
            for (int k = 0; k < 3; ++k) d[k] = (BYTE)(((sum[k] / n) * a + d[k] * (255 - a)) / 255);
        }
    }
    if (iDst) {
        iDst->Copy(out);
    } else {
        Copy(out);
    }
    return true;
}

bool CxImage::CreateFromHBITMAP(HBITMAP hbmp, HPALETTE /*hpal*/)
{
    BITMAP bm;
    if (!hbmp || !GetObject(hbmp, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        Destroy();
        SetError("not a bitmap");
        return false;
    }
    DWORD bpp = bm.bmBitsPixel * bm.bmPlanes;
    if (!Create(bm.bmWidth, bm.bmHeight, bpp >= 24 ? 24 : bpp, 0)) return false;
    BITMAPINFO bi = TopDownInfo(m_width, m_height);
    HDC screen = GetDC(NULL);
    int rows = GetDIBits(screen, hbmp, 0, m_height, &m_pixels[0], &bi, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    if (rows != (int)m_height) {
        Destroy();
        SetError("GetDIBits failed");
        return false;
    }
    for (size_t i = 3; i < m_pixels.size(); i += 4) m_pixels[i] = 255;
    return true;
}

HBITMAP CxImage::MakeBitmap(HDC hdc) const
{
    if (!IsValid()) return NULL;
    BITMAPINFO bi = TopDownInfo(m_width, m_height);
    if (!hdc) {
        void* bits = NULL;
        HBITMAP bmp = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        if (bmp) memcpy(bits, &m_pixels[0], m_pixels.size());
        return bmp;
    }
    return CreateDIBitmap(hdc, &bi.bmiHeader, CBM_INIT, &m_pixels[0], &bi, DIB_RGB_COLORS);
}

bool CxImage::DrawPixels(HDC hdc, long x, long y, long cx, long cy, RECT* clip, bool smooth,
                         bool blend) const
{
    if (!IsValid() || !hdc) return false;
    if (cx < 0) cx = m_width;
    if (cy < 0) cy = m_height;
    if (cx == 0 || cy == 0) return true;
    SavedDC saved(hdc);
    if (clip) IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);
    BITMAPINFO bi = TopDownInfo(m_width, m_height);
    if (!blend || !m_hasAlpha) {
        SetStretchBltMode(hdc, smooth ? HALFTONE : COLORONCOLOR);
        if (smooth) SetBrushOrgEx(hdc, 0, 0, NULL);
        return StretchDIBits(hdc, x, y, cx, cy, 0, 0, m_width, m_height, &m_pixels[0], &bi,
                             DIB_RGB_COLORS, SRCCOPY) != (int)GDI_ERROR;
    }
    // AlphaBlend wants premultiplied colours
    DibDC src(m_width, m_height);
    if (!src.Ok()) return false;
    BYTE* d = src.bits();
    for (size_t i = 0; i < m_pixels.size(); i += 4) {
        BYTE a = m_pixels[i + 3];
        for (int k = 0; k < 3; ++k) d[i + k] = (BYTE)((m_pixels[i + k] * a + 127) / 255);
        d[i + 3] = a;
    }
    GdiFlush();
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return AlphaBlend(hdc, x, y, cx, cy, src.dc(), 0, 0, m_width, m_height, bf) != FALSE;
}

long CxImage::Draw(HDC hdc, long x, long y, long cx, long cy, RECT* clip, bool smooth) const
{
    return DrawPixels(hdc, x, y, cx, cy, clip, smooth, false) ? 1 : 0;
}

long CxImage::Draw(HDC hdc, const RECT& r, RECT* clip, bool smooth) const
{
    return Draw(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, clip, smooth);
}

long CxImage::Draw2(HDC hdc, long x, long y, long cx, long cy) const
{
    return DrawPixels(hdc, x, y, cx, cy, NULL, false, true) ? 1 : 0;
}

long CxImage::Draw2(HDC hdc, const RECT& r) const
{
    return Draw2(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top);
}
