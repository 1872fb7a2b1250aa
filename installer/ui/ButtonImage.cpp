#include "installer/ui/ButtonImage.h"

#include <vector>

#include "framework/DC.h"
#include "framework/ScopedHandle.h"

namespace {

BYTE Grey(BYTE r, BYTE g, BYTE b)
{
    return (BYTE)((r * 30 + g * 59 + b * 11) / 100);
}

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void GreyPixels(BYTE *bits, const BITMAPINFOHEADER &h, BOOL bKeepKey, COLORREF crKey)
{
    const int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const size_t stride = (((size_t)width * h.biBitCount + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
        BYTE *row = bits + y * stride;
        for (int x = 0; x < width; ++x) {
            if (h.biBitCount == 16) {
                WORD *p = reinterpret_cast<WORD *>(row) + x;
                BYTE r = (BYTE)((*p >> 10 & 31) << 3), g = (BYTE)((*p >> 5 & 31) << 3),
                     b = (BYTE)((*p & 31) << 3);
                if (bKeepKey && RGB(r, g, b) == (crKey & 0xF8F8F8))
                    continue;
                WORD v = (WORD)(Grey(r, g, b) >> 3);
                *p = (WORD)(v << 10 | v << 5 | v);
            } else {
                BYTE *p = row + x * (h.biBitCount / 8);
                if (bKeepKey && RGB(p[2], p[1], p[0]) == crKey)
                    continue;
                p[0] = p[1] = p[2] = Grey(p[2], p[1], p[0]);
            }
        }
    }
}

struct IconTraits {
    typedef HICON Type;
    static Type Null() { return NULL; }
    static void Release(Type h) { ::DestroyIcon(h); }
};
typedef TScopedHandle<IconTraits> CScopedIcon;

// The bitmap's top-left pixel.
COLORREF CornerColour(HBITMAP hBitmap)
{
    CScopedMemDC dc(::CreateCompatibleDC(NULL));
    CScopedSelect sel(dc, hBitmap);
    return ::GetPixel(dc, 0, 0);
}

}  // namespace

HBITMAP CreateGreyBitmap(HBITMAP hSource, BOOL bKeepKey, COLORREF crKey)
{
    BITMAP bm = {};
    if (!hSource || !::GetObject(hSource, sizeof bm, &bm) || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return NULL;
    int bpp = bm.bmBitsPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24)
        bpp = 32;
    DibInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)bpp;
    info.header.biCompression = BI_RGB;
    BITMAPINFO *bi = reinterpret_cast<BITMAPINFO *>(&info);
    const size_t stride = (((size_t)bm.bmWidth * bpp + 31) / 32) * 4;
    std::vector<BYTE> bits(stride * bm.bmHeight);
    {
        CScopedMemDC dc(::CreateCompatibleDC(NULL));
        if (::GetDIBits(dc, hSource, 0, bm.bmHeight, bits.data(), bi, DIB_RGB_COLORS) !=
            bm.bmHeight)
            return NULL;
    }
    if (bpp <= 8) {
        for (int i = 0; i < (1 << bpp); ++i) {
            RGBQUAD &q = info.colours[i];
            if (bKeepKey && RGB(q.rgbRed, q.rgbGreen, q.rgbBlue) == crKey)
                continue;
            q.rgbRed = q.rgbGreen = q.rgbBlue = Grey(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
    } else {
        GreyPixels(bits.data(), info.header, bKeepKey, crKey);
    }
    void *out = NULL;
    HBITMAP hGrey = ::CreateDIBSection(NULL, bi, DIB_RGB_COLORS, &out, NULL, 0);
    if (hGrey && out)
        memcpy(out, bits.data(), bits.size());
    return hGrey;
}

CButtonImage::CButtonImage()
    : m_nKind(0), m_nDrawBits(0), m_nBaseBits(0), m_hImage(NULL), m_cx(0), m_cy(0),
      m_crKey(BI_KEY_CORNER) {}

CButtonImage::~CButtonImage()
{
    Free();
}

void CButtonImage::Free()
{
    if (m_hImage && (m_nKind & BIK_OWNED)) {
        if (m_nKind & BIK_ICON)
            ::DestroyIcon((HICON)m_hImage);
        else
            ::DeleteObject(m_hImage);
    }
    m_hImage = NULL;
}

BOOL CButtonImage::SetImage(HANDLE hImage, UINT nKind)
{
    const UINT type = nKind & (BIK_ICON | BIK_BITMAP);
    if (hImage && type != BIK_ICON && type != BIK_BITMAP)
        return FALSE;
    if (hImage != m_hImage) {
        Free();
        m_cx = m_cy = 0;
        m_crKey = BI_KEY_CORNER;
    }
    m_hImage = hImage;
    m_nKind = nKind;
    if (!hImage)
        return TRUE;
    if (type == BIK_BITMAP) {
        BITMAP bm = {};
        ::GetObject(hImage, sizeof bm, &bm);
        m_cx = bm.bmWidth;
        m_cy = bm.bmHeight;
    } else {
        ICONINFO ii = {};
        if (::GetIconInfo((HICON)hImage, &ii)) {
            CScopedBitmap mask(ii.hbmMask), colour(ii.hbmColor);
            BITMAP bm = {};
            ::GetObject(mask, sizeof bm, &bm);
            m_cx = bm.bmWidth;
            m_cy = colour.IsValid() ? bm.bmHeight : bm.bmHeight / 2;
        }
    }
    return TRUE;
}

COLORREF CButtonImage::SetKeyColour(COLORREF crKey)
{
    COLORREF old = m_crKey;
    m_crKey = crKey;
    return old;
}

void CButtonImage::Draw(HDC hDC, const RECT &rect, UINT nBits)
{
    Draw(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
         nBits | m_nBaseBits);
}

// Draws into a bitmap that holds a copy of the target under the image,
// which takes the place of the brush-filled background.
void CButtonImage::Draw(HDC hDC, int x, int y, int cx, int cy, UINT nBits)
{
    m_nDrawBits = nBits;
    if (!m_hImage || !hDC || cx <= 0 || cy <= 0 || m_cx <= 0 || m_cy <= 0)
        return;
    const int sx = (nBits & FEI_STRETCH) ? cx : m_cx;
    const int sy = (nBits & FEI_STRETCH) ? cy : m_cy;
    const int px = (nBits & FEI_CENTER) ? x + cx / 2 - m_cx / 2 : x;
    const int py = (nBits & FEI_CENTER) ? y + cy / 2 - m_cy / 2 : y;
    const int nSaved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, x, y, x + cx, y + cy);

    CScopedBitmap result(::CreateCompatibleBitmap(hDC, sx, sy));
    CScopedMemDC mem(::CreateCompatibleDC(hDC));
    if (result.IsValid() && mem.IsValid()) {
        CScopedSelect selResult(mem, result);
        ::BitBlt(mem, 0, 0, sx, sy, hDC, px, py, SRCCOPY);
        if (m_nKind & BIK_ICON)
            DrawIcon(mem, sx, sy, nBits);
        else
            DrawBitmap(mem, sx, sy, nBits);
        if (nBits & FEI_DISABLED)
            Emboss(hDC, px, py, sx, sy, mem);
        else
            ::BitBlt(hDC, px, py, sx, sy, mem, 0, 0, SRCCOPY);
    }
    ::RestoreDC(hDC, nSaved);
}

void CButtonImage::DrawIcon(HDC hMem, int cx, int cy, UINT nBits) const
{
    CScopedIcon grey;
    if (nBits & FEI_GRAY) {
        ICONINFO ii = {};
        if (::GetIconInfo((HICON)m_hImage, &ii)) {
            CScopedBitmap mask(ii.hbmMask), colour(ii.hbmColor);
            CScopedBitmap greyColour(colour.IsValid() ? CreateGreyBitmap(colour, FALSE, 0) : NULL);
            if (greyColour.IsValid()) {
                ii.hbmColor = greyColour;
                grey.Reset(::CreateIconIndirect(&ii));
            }
        }
    }
    ::DrawIconEx(hMem, 0, 0, grey.IsValid() ? grey.Get() : (HICON)m_hImage, cx, cy, 0,
                 NULL, DI_NORMAL);
}

void CButtonImage::DrawBitmap(HDC hMem, int cx, int cy, UINT nBits) const
{
    HBITMAP hSource = (HBITMAP)m_hImage;
    const COLORREF crKey = m_crKey == BI_KEY_CORNER ? CornerColour(hSource) : m_crKey;
    CScopedBitmap stretched, grey;
    if (nBits & FEI_STRETCH) {
        CScopedMemDC from(::CreateCompatibleDC(hMem)), to(::CreateCompatibleDC(hMem));
        stretched.Reset(::CreateCompatibleBitmap(hMem, cx, cy));
        CScopedSelect selFrom(from, hSource), selTo(to, stretched);
        ::SetStretchBltMode(to, COLORONCOLOR);
        ::StretchBlt(to, 0, 0, cx, cy, from, 0, 0, m_cx, m_cy, SRCCOPY);
        hSource = stretched;
    }
    if (nBits & FEI_GRAY) {
        grey.Reset(CreateGreyBitmap(hSource, (nBits & FEI_TRANSPARENT) != 0, crKey));
        if (grey.IsValid())
            hSource = grey;
    }
    CScopedMemDC src(::CreateCompatibleDC(hMem));
    CScopedSelect selSrc(src, hSource);
    if (!(nBits & FEI_TRANSPARENT)) {
        ::BitBlt(hMem, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
        return;
    }
    CScopedBitmap maskBmp(::CreateBitmap(cx, cy, 1, 1, NULL));
    CScopedMemDC mask(::CreateCompatibleDC(hMem));
    CScopedSelect selMask(mask, maskBmp);
    ::SetBkColor(src, crKey);
    ::BitBlt(mask, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
    ::SetBkColor(hMem, RGB(255, 255, 255));
    ::SetTextColor(hMem, RGB(0, 0, 0));
    ::BitBlt(hMem, 0, 0, cx, cy, src, 0, 0, SRCINVERT);
    ::BitBlt(hMem, 0, 0, cx, cy, mask, 0, 0, SRCAND);
    ::BitBlt(hMem, 0, 0, cx, cy, src, 0, 0, SRCINVERT);
}

// Dark pixels become a highlight shadow pair; light ones let the target show.
void CButtonImage::Emboss(HDC hDC, int x, int y, int cx, int cy, HDC hImage) const
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = cx;
    info.header.biHeight = cy;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.colours[1].rgbRed = info.colours[1].rgbGreen = info.colours[1].rgbBlue = 255;
    void *bits = NULL;
    CScopedBitmap mono(::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO *>(&info),
                                          DIB_RGB_COLORS, &bits, NULL, 0));
    CScopedMemDC monoDC(::CreateCompatibleDC(hDC));
    if (!mono.IsValid() || !monoDC.IsValid())
        return;
    CScopedSelect selMono(monoDC, mono);
    ::BitBlt(monoDC, 0, 0, cx, cy, hImage, 0, 0, SRCCOPY);
    const DWORD kRopPSDPxax = 0xB8074A;
    ::SetBkColor(hDC, RGB(255, 255, 255));
    ::SetTextColor(hDC, RGB(0, 0, 0));
    {
        CScopedSelect brush(hDC, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        ::BitBlt(hDC, x + 1, y + 1, cx, cy, monoDC, 0, 0, kRopPSDPxax);
    }
    CScopedSelect brush(hDC, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::BitBlt(hDC, x, y, cx, cy, monoDC, 0, 0, kRopPSDPxax);
}
