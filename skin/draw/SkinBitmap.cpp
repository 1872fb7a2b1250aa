#include "skin/draw/SkinBitmap.h"

#include "skin/support/BitmapLoad.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/ThemePackage.h"

#include <cstring>

namespace {
// Keyed images kept per bitmap, and the largest kept (in pixels).
const size_t kKeptKeyedImages = 16;
const int kLargestKeptKeyedImage = 256 * 256;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

RECT Rect(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

// The bitmap's pixels, 32 bits each, top row first.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels)
{
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    pixels.assign(size_t(width) * size_t(height), 0);
    CClientDC screen(NULL);
    return GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                     DIB_RGB_COLORS) == height;
}
}  // namespace

CVZRSkinBitmap::~CVZRSkinBitmap()
{
    ClearKeyed();
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

BOOL CVZRSkinBitmap::Attach(HBITMAP bitmap, BOOL hasAlpha, bool premultiply)
{
    if (!bitmap)
        return FALSE;
    if (hasAlpha && premultiply) {
        BOOL reallyAlpha = FALSE;
        HBITMAP premultiplied = PremultiplyAlpha(bitmap, &reallyAlpha);
        DeleteObject(bitmap);
        if (!premultiplied)
            return FALSE;
        bitmap = premultiplied;
        hasAlpha = reallyAlpha;
    }
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    ClearKeyed();
    m_hBitmap = bitmap;
    m_bAlpha = hasAlpha != FALSE;
    m_bMirrored = false;
    m_bAnalysed = false;
    m_regions.clear();
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    GetObject(bitmap, sizeof(bm), &bm);
    m_width = bm.bmWidth;
    m_height = bm.bmHeight;
    return TRUE;
}

BOOL CVZRSkinBitmap::LoadFromFile(LPCSTR path, bool premultiply)
{
    BOOL alpha = FALSE;
    HBITMAP bitmap = LoadBitmapFromFile(path, &alpha);
    return Attach(bitmap, alpha, premultiply);
}

BOOL CVZRSkinBitmap::LoadFromResource(HMODULE module, LPCSTR name, bool premultiply)
{
    BOOL alpha = FALSE;
    HBITMAP bitmap = LoadBitmapFromResource(module, name, &alpha);
    return Attach(bitmap, alpha, premultiply);
}

SIZE CVZRSkinBitmap::GetSize() const
{
    SIZE size = {m_width, m_height};
    return size;
}

RECT CVZRSkinBitmap::GetFrameRect(int index, int count) const
{
    int h = count > 0 ? m_height / count : m_height;
    return Rect(0, index * h, m_width, index * h + h);
}

void CVZRSkinBitmap::Mirror()
{
    if (!m_bAlpha || !m_hBitmap)
        return;
    HBITMAP mirrored = MirrorBitmap(m_hBitmap);
    if (!mirrored)
        return;
    DeleteObject(m_hBitmap);
    ClearKeyed();
    m_hBitmap = mirrored;
    m_bMirrored = !m_bMirrored;
}

void CVZRSkinBitmap::AnalyseSolidRegions(int frameCount, bool horizontal, const RECT& m)
{
    if (!m_hBitmap || frameCount <= 0 || m_bAnalysed)
        return;
    m_bAnalysed = true;
    if (frameCount != 1 && horizontal)
        return;
    std::vector<uint32_t> pixels;
    if (m_width <= 0 || m_height <= 0 || !ReadPixels(m_hBitmap, m_width, m_height, pixels))
        return;
    auto uniform = [&](const RECT& r, uint32_t& value) {
        if (IsEmpty(r) || r.left < 0 || r.top < 0 || r.right > m_width || r.bottom > m_height)
            return false;
        value = pixels[size_t(r.top) * m_width + r.left];
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (pixels[size_t(y) * m_width + x] != value)
                    return false;
            }
        }
        return true;
    };
    auto record = [&](const RECT& r) {
        uint32_t v;
        if (!uniform(r, v))
            return false;
        COLORREF colour = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        if (m_bAlpha)
            colour |= v & 0xFF000000u;
        m_regions.push_back({r, colour});
        return true;
    };
    int h = m_height / frameCount, w = m_width;
    for (int i = 0; i < frameCount; ++i) {
        int top = i * h, bottom = (i + 1) * h;
        if (record(Rect(0, top, w, bottom)))
            continue;
        if (!m.left && !m.top && !m.right && !m.bottom)
            continue;
        record(Rect(0, top + m.top, m.left, bottom - m.bottom));
        record(Rect(m.left, top, w - m.right, top + m.top));
        record(Rect(w - m.right, top + m.top, w, bottom - m.bottom));
        record(Rect(m.left, bottom - m.bottom, w - m.right, bottom));
        record(Rect(m.left, top + m.top, w - m.right, bottom - m.bottom));
    }
}

bool CVZRSkinBitmap::FindSolidRegion(const RECT& s, CVZRSolidRegion& out) const
{
    for (const CVZRSolidRegion& r : m_regions) {
        if (s.left >= r.rect.left && s.top >= r.rect.top && s.right <= r.rect.right && s.bottom <= r.rect.bottom) {
            out = r;
            return true;
        }
    }
    return false;
}

void CVZRSkinBitmap::Blit(HDC dc, const RECT& target, HDC source, const RECT& s)
{
    if (IsEmpty(target) || IsEmpty(s))
        return;
    if (m_bAlpha)
        CVZRBlendFunctions::Instance().AlphaBlend(dc, target, source, s);
    else if (Width(target) == Width(s) && Height(target) == Height(s))
        BitBlt(dc, target.left, target.top, Width(target), Height(target), source, s.left, s.top, SRCCOPY);
    else
        StretchBlt(dc, target.left, target.top, Width(target), Height(target), source, s.left, s.top, Width(s),
                   Height(s), SRCCOPY);
}

void CVZRSkinBitmap::DrawPart(HDC dc, const RECT& target, HDC source, const RECT& s, int tile)
{
    // An empty source piece draws nothing (and must never be tiled).
    if (IsEmpty(target) || IsEmpty(s))
        return;
    CVZRSolidRegion region;
    if (FindSolidRegion(s, region)) {
        BYTE alpha = BYTE(region.colour >> 24);
        if (!m_bAlpha) {
            FillSolidRect(dc, target, region.colour & 0xFFFFFF);
            return;
        }
        if (alpha == 0)
            return;
        if (alpha == 255) {
            FillSolidRect(dc, target, region.colour & 0xFFFFFF);
            return;
        }
    }
    int sw = Width(s), sh = Height(s), tw = Width(target), th = Height(target);
    if (!tile || (sw == 1 && (sh == 1 || sh == th)) || (sh == 1 && (sw == 1 || sw == tw))) {
        Blit(dc, target, source, s);
        return;
    }
    int tileH = (tile & 1) && sh < th ? sh : th;
    int tileW = (tile & 2) && sw < tw ? sw : tw;
    for (int y = target.top; y < target.bottom; y += tileH) {
        int pieceH = y + tileH > target.bottom ? target.bottom - y : tileH;
        int srcH = tileH == th ? sh : pieceH;
        for (int x = target.left; x < target.right; x += tileW) {
            int pieceW = x + tileW > target.right ? target.right - x : tileW;
            int srcW = tileW == tw ? sw : pieceW;
            Blit(dc, Rect(x, y, x + pieceW, y + pieceH), source, Rect(s.left, s.top, s.left + srcW, s.top + srcH));
        }
    }
}

void CVZRSkinBitmap::DrawWithMargins(HDC dc, const RECT& target, const RECT& s, const RECT& m, int sizingType,
                                     bool borderOnly)
{
    if (!m_hBitmap || Height(s) < m.top + m.bottom || IsEmpty(target))
        return;
    SetStretchBltMode(dc, COLORONCOLOR);
    CVZRBlendFunctions& blend = CVZRBlendFunctions::Instance();
    bool rtl = blend.IsContextRTL(dc);
    if (m_bAlpha && m_bMirrorAllowed && m_bMirrored != rtl)
        Mirror();
    CScopedMemDC memDC(::CreateCompatibleDC(dc));
    if (!memDC)
        return;
    if (!m_bAlpha && rtl)
        blend.SetContextRTL(memDC, 0);
    CScopedSelect select(memDC, m_hBitmap);
    int tile = sizingType == kSizingTile ? 3 : 0;
    if (!m.left && !m.top && !m.right && !m.bottom) {
        DrawPart(dc, target, memDC, s, tile);
        return;
    }
    int tl = m.left, tt = m.top, tr = m.right, tb = m.bottom;
    int tw = Width(target), th = Height(target);
    // Margins that do not fit are scaled to the target and never pass it.
    if (tt + tb >= th || Height(s) == m.top + m.bottom) {
        tt = m.top + m.bottom > 0 ? MulDiv(th, m.top, m.top + m.bottom) : 0;
        tb = th - tt;
        tile &= ~1;
    }
    if (tl + tr >= tw || Width(s) == m.left + m.right) {
        tl = m.left + m.right > 0 ? MulDiv(tw, m.left, m.left + m.right) : 0;
        tr = tw - tl;
        tile &= ~2;
    }
    const int tx[4] = {target.left, target.left + tl, target.right - tr, target.right};
    const int ty[4] = {target.top, target.top + tt, target.bottom - tb, target.bottom};
    const int sx[4] = {s.left, s.left + m.left, s.right - m.right, s.right};
    const int sy[4] = {s.top, s.top + m.top, s.bottom - m.bottom, s.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            RECT t = Rect(tx[col], ty[row], tx[col + 1], ty[row + 1]);
            RECT src = Rect(sx[col], sy[row], sx[col + 1], sy[row + 1]);
            bool corner = row != 1 && col != 1;
            if (corner)
                Blit(dc, t, memDC, src);
            else if (!(row == 1 && col == 1 && borderOnly))
                DrawPart(dc, t, memDC, src, tile);
        }
    }
}

void CVZRSkinBitmap::DrawImage(HDC dc, const RECT& target, const RECT& s, const RECT& m, COLORREF transparent,
                               int sizingType, bool borderOnly)
{
    if (Height(s) < m.top + m.bottom)
        return;
    CVZRSolidRegion region;
    if (FindSolidRegion(s, region)) {
        BYTE alpha = BYTE(region.colour >> 24);
        COLORREF colour = region.colour & 0xFFFFFF;
        if (!m_bAlpha) {
            if (colour != transparent)
                FillSolidRect(dc, target, colour);
            return;
        }
        if (alpha == 0)
            return;
        if (alpha == 255) {
            FillSolidRect(dc, target, colour);
            return;
        }
    }
    if (transparent == COLORREF(-1) || m_bAlpha) {
        DrawWithMargins(dc, target, s, m, sizingType, borderOnly);
        return;
    }
    int w = Width(target), h = Height(target);
    if (w <= 0 || h <= 0 || DrawKeyed(dc, target, s, m, transparent, sizingType, borderOnly))
        return;
    CScopedBitmap buffer(CreateCanvasBitmap(dc, w, h));
    CScopedMemDC bufferDC(::CreateCompatibleDC(dc));
    if (!buffer || !bufferDC)
        return;
    CScopedSelect select(bufferDC, buffer);
    FillSolidRect(bufferDC, 0, 0, w, h, transparent);
    DrawWithMargins(bufferDC, Rect(0, 0, w, h), s, m, sizingType, borderOnly);
    CVZRBlendFunctions::KeyedBlt(dc, target, bufferDC, transparent);
}

void CVZRSkinBitmap::ClearKeyed()
{
    CVZRScopedLock lock(m_keyedLock);
    for (CVZRKeyedImage& image : m_keyed) {
        DeleteObject(image.colour);
        DeleteObject(image.mask);
    }
    m_keyed.clear();
}

const CVZRKeyedImage* CVZRSkinBitmap::FindOrMakeKeyed(HDC dc, const RECT& s, const RECT& m, int w, int h,
                                                      COLORREF key, int sizingType, bool borderOnly)
{
    for (const CVZRKeyedImage& image : m_keyed) {
        if (EqualRect(&image.source, &s) && EqualRect(&image.margins, &m) && image.width == w && image.height == h &&
            image.key == key && image.sizingType == sizingType && image.borderOnly == borderOnly)
            return &image;
    }
    CScopedBitmap colour(CVZRBlendFunctions::CreateDIB32(dc, w, h, NULL));
    CScopedBitmap mask(CreateBitmap(w, h, 1, 1, NULL));
    CScopedMemDC colourDC(::CreateCompatibleDC(dc)), maskDC(::CreateCompatibleDC(dc));
    if (!colour || !mask || !colourDC || !maskDC)
        return nullptr;
    {
        CScopedSelect selColour(colourDC, colour), selMask(maskDC, mask);
        FillSolidRect(colourDC, 0, 0, w, h, key);
        DrawWithMargins(colourDC, Rect(0, 0, w, h), s, m, sizingType, borderOnly);
        if (!CVZRBlendFunctions::MaskOutKey(colourDC, maskDC, w, h, key))
            return nullptr;
    }
    if (m_keyed.size() >= kKeptKeyedImages) {
        DeleteObject(m_keyed.front().colour);
        DeleteObject(m_keyed.front().mask);
        m_keyed.erase(m_keyed.begin());
    }
    m_keyed.push_back(CVZRKeyedImage{s, m, w, h, sizingType, borderOnly, key, colour.Detach(), mask.Detach()});
    return &m_keyed.back();
}

bool CVZRSkinBitmap::DrawKeyed(HDC dc, const RECT& target, const RECT& s, const RECT& m, COLORREF key,
                               int sizingType, bool borderOnly)
{
    int w = Width(target), h = Height(target);
    if (w * h > kLargestKeptKeyedImage || !IsThirtyTwoBitDC(dc) || CVZRBlendFunctions::Instance().IsContextRTL(dc))
        return false;
    CVZRScopedLock lock(m_keyedLock);
    const CVZRKeyedImage* image = FindOrMakeKeyed(dc, s, m, w, h, key, sizingType, borderOnly);
    return image && CVZRBlendFunctions::MaskedBlt(dc, target, image->colour, image->mask);
}

CVZRSkinBitmap* CVZRSkinBitmapCache::Get(CVZRThemePackage* package, LPCSTR name)
{
    if (!name || !*name)
        return nullptr;
    auto it = m_bitmaps.find(name);
    if (it != m_bitmaps.end())
        return it->second.get();
    CVZRSkinBitmap* bitmap = package ? package->LoadBitmap(name) : nullptr;
    if (bitmap)
        m_bitmaps[name].reset(bitmap);
    return bitmap;
}

SIZE CVZRSkinBitmapCache::GetSize(CVZRThemePackage* package, LPCSTR name)
{
    CVZRSkinBitmap* bitmap = Get(package, name);
    SIZE none = {0, 0};
    return bitmap ? bitmap->GetSize() : none;
}

BOOL FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    RECT rc = Rect(x, y, x + width, y + height);
    return FillSolidRect(dc, rc, colour);
}

BOOL FillSolidRect(HDC dc, const RECT& rect, COLORREF colour)
{
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
    SetBkColor(dc, old);
    return TRUE;
}

void FrameRectSolid(HDC dc, const RECT& r, int width, COLORREF colour)
{
    FillSolidRect(dc, r.left, r.top, r.right - r.left, width, colour);
    FillSolidRect(dc, r.left, r.top, width, r.bottom - r.top, colour);
    FillSolidRect(dc, r.right - width, r.top, width, r.bottom - r.top, colour);
    FillSolidRect(dc, r.left, r.bottom - width, r.right - r.left, width, colour);
}

void FrameRectBrush(HDC dc, const RECT& r, int width, HBRUSH brush)
{
    RECT strips[4] = {Rect(r.left, r.top, r.right, r.top + width), Rect(r.left, r.top, r.left + width, r.bottom),
                      Rect(r.right - width, r.top, r.right, r.bottom), Rect(r.left, r.bottom - width, r.right, r.bottom)};
    for (const RECT& s : strips)
        ::FillRect(dc, &s, brush);
}

SIZE IconSize(HICON icon)
{
    SIZE size = {32, 32};
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    CScopedBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bm;
    if (!mask || !GetObject(mask, sizeof(bm), &bm))
        return size;
    size.cx = bm.bmWidth;
    size.cy = colour ? bm.bmHeight : bm.bmHeight / 2;
    return size;
}
