#include "installer/ui/BitmapRoutines.h"

#include <olectl.h>

#include <cstring>
#include <vector>

#include "framework/DC.h"
#include "framework/ScopedHandle.h"

namespace {

struct ComRelease {
    IUnknown *p;
    ~ComRelease()
    {
        if (p)
            p->Release();
    }
};

struct GlobalFreer {
    HGLOBAL h;
    ~GlobalFreer()
    {
        if (h)
            ::GlobalFree(h);
    }
};

struct ScreenDC {
    HDC h = ::GetDC(NULL);
    ~ScreenDC()
    {
        if (h)
            ::ReleaseDC(NULL, h);
    }
};

RECT WholeOrPart(HBITMAP hBitmap, const RECT *pSrc)
{
    if (pSrc)
        return *pSrc;
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof bm, &bm);
    RECT r = {0, 0, bm.bmWidth, bm.bmHeight};
    return r;
}

}  // namespace

BOOL LoadPictureFile(CBitmap *pBitmap, LPCTSTR lpszPath, COLORREF crBack)
{
    if (!pBitmap || pBitmap->GetSafeHandle() || !lpszPath)
        return FALSE;
    CScopedHandle file(::CreateFile(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL,
                                    OPEN_EXISTING, 0, NULL));
    if (!file.IsValid())
        return FALSE;
    DWORD size = ::GetFileSize(file, NULL);
    if (size == INVALID_FILE_SIZE || size == 0)
        return FALSE;
    GlobalFreer mem = {::GlobalAlloc(GMEM_MOVEABLE, size)};
    if (!mem.h)
        return FALSE;
    void *p = ::GlobalLock(mem.h);
    DWORD read = 0;
    BOOL ok = p && ::ReadFile(file, p, size, &read, NULL) && read == size;
    ::GlobalUnlock(mem.h);
    if (!ok)
        return FALSE;
    IStream *stream = NULL;
    if (FAILED(::CreateStreamOnHGlobal(mem.h, FALSE, &stream)))
        return FALSE;
    ComRelease streamOwner = {stream};
    IPicture *picture = NULL;
    if (FAILED(::OleLoadPicture(stream, (LONG)size, FALSE, IID_IPicture,
                                (void **)&picture)) ||
        !picture)
        return FALSE;
    ComRelease pictureOwner = {picture};
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    ScreenDC screen;
    int width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen.h, LOGPIXELSX), 2540);
    int height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen.h, LOGPIXELSY), 2540);
    if (width <= 0 || height <= 0)
        return FALSE;
    CScopedBitmap bitmap(::CreateCompatibleBitmap(screen.h, width, height));
    CScopedMemDC dc(::CreateCompatibleDC(screen.h));
    if (!bitmap || !dc)
        return FALSE;
    {
        CScopedSelect sel(dc, bitmap);
        if (crBack != (COLORREF)-1) {
            CScopedBrush brush(::CreateSolidBrush(crBack));
            RECT r = {0, 0, width, height};
            ::FillRect(dc, &r, brush);
        }
        if (FAILED(picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth,
                                   -hmHeight, NULL)))
            return FALSE;
    }
    return pBitmap->Attach(bitmap.Detach());
}

void BlitBitmapPart(CBitmap *pBitmap, CDC *pDC, int x, int y,
                    const RECT *pSrc)
{
    if (!pBitmap || !pDC)
        return;
    RECT src = WholeOrPart(*pBitmap, pSrc);
    CScopedMemDC mem(::CreateCompatibleDC(*pDC));
    CScopedSelect sel(mem, *pBitmap);
    ::BitBlt(*pDC, x, y, src.right - src.left, src.bottom - src.top, mem,
             src.left, src.top, SRCCOPY);
}

void StretchBitmapPart(CBitmap *pBitmap, CDC *pDC, const RECT *pDest,
                       const RECT *pSrc)
{
    if (!pBitmap || !pDC || !pDest)
        return;
    RECT src = WholeOrPart(*pBitmap, pSrc);
    CScopedMemDC mem(::CreateCompatibleDC(*pDC));
    CScopedSelect sel(mem, *pBitmap);
    int oldMode = ::SetStretchBltMode(*pDC, COLORONCOLOR);
    ::StretchBlt(*pDC, pDest->left, pDest->top, pDest->right - pDest->left,
                 pDest->bottom - pDest->top, mem, src.left, src.top,
                 src.right - src.left, src.bottom - src.top, SRCCOPY);
    ::SetStretchBltMode(*pDC, oldMode);
}

void BlitBitmap(CBitmap *pBitmap, CDC *pDC, const RECT *pDest)
{
    if (!pBitmap || !pDC || !pDest)
        return;
    CScopedMemDC mem(::CreateCompatibleDC(*pDC));
    CScopedSelect sel(mem, *pBitmap);
    ::BitBlt(*pDC, pDest->left, pDest->top, pDest->right - pDest->left,
             pDest->bottom - pDest->top, mem, 0, 0, SRCCOPY);
}

void DrawBitmapPart(CBitmap *pBitmap, CDC *pDC, int x, int y, const RECT *pSrc,
                    COLORREF crKey, BOOL bKey)
{
    if (!pBitmap || !pDC)
        return;
    if (!bKey) {
        BlitBitmapPart(pBitmap, pDC, x, y, pSrc);
        return;
    }
    RECT src = WholeOrPart(*pBitmap, pSrc);
    DrawTransparentBitmap(pDC, x, y, src.right - src.left, src.bottom - src.top,
                          pBitmap, src.left, src.top, crKey, NULL);
}

void DrawTransparentBitmap(CDC *pDC, int x, int y, int width, int height,
                           CBitmap *pBitmap, int xSrc, int ySrc, COLORREF crKey,
                           HPALETTE hPalette)
{
    if (!pDC || !pBitmap || width <= 0 || height <= 0)
        return;
    HDC target = *pDC;
    CScopedMemDC source(::CreateCompatibleDC(target)), image(::CreateCompatibleDC(target)), mask(::CreateCompatibleDC(target));
    CScopedSelect selSource(source, *pBitmap);
    HPALETTE oldPal = NULL;
    if (hPalette && (::GetDeviceCaps(target, RASTERCAPS) & RC_PALETTE)) {
        oldPal = ::SelectPalette(image, hPalette, FALSE);
        ::RealizePalette(image);
    }
    CScopedBitmap imageBmp(::CreateCompatibleBitmap(target, width, height));
    CScopedBitmap maskBmp(::CreateBitmap(width, height, 1, 1, NULL));
    CScopedSelect selImage(image, imageBmp);
    CScopedSelect selMask(mask, maskBmp);
    ::BitBlt(image, 0, 0, width, height, source, xSrc, ySrc, SRCCOPY);
    COLORREF oldBk = ::SetBkColor(image, crKey);
    ::BitBlt(mask, 0, 0, width, height, image, 0, 0, SRCCOPY);
    ::SetBkColor(image, RGB(0, 0, 0));
    COLORREF oldText = ::SetTextColor(image, RGB(255, 255, 255));
    ::BitBlt(image, 0, 0, width, height, mask, 0, 0, SRCAND);
    ::SetBkColor(image, oldBk);
    ::SetTextColor(image, oldText);
    COLORREF targetBk = ::SetBkColor(target, RGB(255, 255, 255));
    COLORREF targetText = ::SetTextColor(target, RGB(0, 0, 0));
    ::BitBlt(target, x, y, width, height, mask, 0, 0, SRCAND);
    ::BitBlt(target, x, y, width, height, image, 0, 0, SRCPAINT);
    ::SetBkColor(target, targetBk);
    ::SetTextColor(target, targetText);
    if (oldPal)
        ::SelectPalette(image, oldPal, FALSE);
}

// Reads the bitmap as a top-down 32-bit DIB whatever the display depth, so the
// key compares the same way everywhere.
HRGN RegionFromBitmap(CBitmap *pBitmap, COLORREF crKey)
{
    BITMAP bm = {};
    if (!pBitmap || !pBitmap->GetSafeHandle() || !pBitmap->GetBitmap(&bm) ||
        bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> px((size_t)bm.bmWidth * bm.bmHeight);
    CScopedMemDC ic(::CreateIC("DISPLAY", NULL, NULL, NULL));
    int rows = ::GetDIBits(ic, *pBitmap, 0, (UINT)bm.bmHeight, px.data(), &bi,
                           DIB_RGB_COLORS);
    if (rows != bm.bmHeight)
        return NULL;
    const DWORD key =
        GetBValue(crKey) | GetGValue(crKey) << 8 | GetRValue(crKey) << 16;
    std::vector<RECT> rects;
    rects.reserve((size_t)bm.bmHeight);
    for (int y = 0; y < bm.bmHeight; ++y) {
        const DWORD *row = &px[(size_t)y * bm.bmWidth];
        for (int x = 0; x < bm.bmWidth;) {
            while (x < bm.bmWidth && (row[x] & 0xFFFFFF) == key)
                ++x;
            int start = x;
            while (x < bm.bmWidth && (row[x] & 0xFFFFFF) != key)
                ++x;
            if (x > start)
                rects.push_back({start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA *rgn = reinterpret_cast<RGNDATA *>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = (DWORD)rects.size();
    rgn->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    ::SetRect(&rgn->rdh.rcBound, 0, 0, bm.bmWidth, bm.bmHeight);
    if (!rects.empty())
        memcpy(rgn->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return ::ExtCreateRegion(NULL, (DWORD)data.size(), rgn);
}
