#include "skin/support/DrawHelpers.h"

#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/support/SysServices.h"

#include <cstring>
#include <vector>

UINT g_nToolBarImageFormat = ::RegisterClipboardFormatA("Vorlex ToolBar Image");
UINT g_nAlphaBitmapFormat = ::RegisterClipboardFormatA("Alpha Bitmap Image");

namespace {
int ScreenBitsPerPixel()
{
    static const int bits = [] {
        CClientDC screen(NULL);
        return screen.m_hDC ? GetDeviceCaps(screen.m_hDC, BITSPIXEL) : 0;
    }();
    return bits;
}

bool IsScreenDCOf32Bits(HDC dc)
{
    return GetObjectType(dc) == OBJ_DC && WindowFromDC(dc) && ScreenBitsPerPixel() == 32;
}
}  // namespace

HBITMAP CreateCanvasBitmap(HDC destination, int width, int height)
{
    if (IsScreenDCOf32Bits(destination))
        return CVZRBlendFunctions::CreateDIB32(destination, width, height, NULL);
    return CreateCompatibleBitmap(destination, width, height);
}

bool IsThirtyTwoBitDC(HDC dc)
{
    if (IsScreenDCOf32Bits(dc))
        return true;
    BITMAP bm;
    return GetObjectType(dc) == OBJ_MEMDC && GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm) &&
           bm.bmBitsPixel == 32;
}

CVZRWindowArea::CVZRWindowArea(HWND window)
{
    SetRectEmpty(this);
    if (window && IsWindow(window))
        GetWindowRect(window, this);
}

CVZRClientArea::CVZRClientArea(HWND window)
{
    SetRectEmpty(this);
    if (window && IsWindow(window))
        GetClientRect(window, this);
}

CVZRMemoryCanvas::CVZRMemoryCanvas(HDC destination, const RECT& rect) : m_hDestination(destination), m_rect(rect)
{
    m_hMemDC = CreateCompatibleDC(destination);
    m_hBitmap = CreateCanvasBitmap(destination, rect.right > 0 ? rect.right : 1, rect.bottom > 0 ? rect.bottom : 1);
    if (m_hMemDC && m_hBitmap)
        m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);
}

CVZRMemoryCanvas::~CVZRMemoryCanvas()
{
    if (m_hDestination && m_hOldBitmap)
        BitBlt(m_hDestination, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
               m_hMemDC, m_rect.left, m_rect.top, SRCCOPY);
    if (m_hOldBitmap)
        SelectObject(m_hMemDC, m_hOldBitmap);
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    if (m_hMemDC)
        DeleteDC(m_hMemDC);
}

CVZROffsetMemoryCanvas::CVZROffsetMemoryCanvas(HDC destination, const RECT& rect)
{
    m_hDestination = destination;
    m_rect = rect;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    m_hMemDC = CreateCompatibleDC(destination);
    m_hBitmap = CreateCanvasBitmap(destination, width > 0 ? width : 1, height > 0 ? height : 1);
    if (m_hMemDC && m_hBitmap) {
        m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);
        SetViewportOrgEx(m_hMemDC, -rect.left, -rect.top, NULL);
    }
}

CVZROffsetMemoryCanvas::~CVZROffsetMemoryCanvas()
{
    if (!m_hOldBitmap)
        return;
    SetViewportOrgEx(m_hMemDC, 0, 0, NULL);
    if (m_hDestination)
        BitBlt(m_hDestination, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
               m_hMemDC, 0, 0, SRCCOPY);
    m_hDestination = NULL;  // the base copies nothing more
}

CVZRPenSelection::CVZRPenSelection(HDC dc, COLORREF colour) : m_hDC(dc), m_hPen(CreatePen(PS_SOLID, 1, colour))
{
    m_hOld = m_hPen ? SelectObject(dc, m_hPen) : NULL;
}

CVZRPenSelection::~CVZRPenSelection()
{
    if (m_hOld)
        SelectObject(m_hDC, m_hOld);
    if (m_hPen)
        DeleteObject(m_hPen);
}

CVZRBrushSelection::CVZRBrushSelection(HDC dc, COLORREF colour) : m_hDC(dc), m_hBrush(CreateSolidBrush(colour))
{
    m_hOld = m_hBrush ? SelectObject(dc, m_hBrush) : NULL;
}

CVZRBrushSelection::~CVZRBrushSelection()
{
    if (m_hOld)
        SelectObject(m_hDC, m_hOld);
    if (m_hBrush)
        DeleteObject(m_hBrush);
}

CVZRFontSelection::CVZRFontSelection(HDC dc, HFONT font) : m_hDC(dc)
{
    if (font)
        SelectFont(font);
}

CVZRFontSelection::~CVZRFontSelection()
{
    if (m_hSavedFont)
        SelectObject(m_hDC, m_hSavedFont);
    if (m_savedColour != CLR_INVALID)
        ::SetTextColor(m_hDC, m_savedColour);
}

void CVZRFontSelection::SelectFont(HFONT font)
{
    HGDIOBJ old = SelectObject(m_hDC, font);
    if (!m_hSavedFont)
        m_hSavedFont = old;
}

void CVZRFontSelection::SetTextColor(COLORREF colour)
{
    COLORREF old = ::SetTextColor(m_hDC, colour);
    if (m_savedColour == CLR_INVALID)
        m_savedColour = old;
}

CVZRBitmapSelection::CVZRBitmapSelection(HDC dc, HBITMAP bitmap) : m_hMemDC(CreateCompatibleDC(dc))
{
    m_hOld = m_hMemDC && bitmap ? SelectObject(m_hMemDC, bitmap) : NULL;
}

CVZRBitmapSelection::~CVZRBitmapSelection()
{
    if (m_hOld)
        SelectObject(m_hMemDC, m_hOld);
    if (m_hMemDC)
        DeleteDC(m_hMemDC);
}

CVZRBlendFunctions& CVZRBlendFunctions::Instance()
{
    static CVZRBlendFunctions functions;
    return functions;
}

CVZRBlendFunctions::CVZRBlendFunctions()
{
    m_hMsimg32 = LoadLibraryA("msimg32.dll");
    if (m_hMsimg32) {
        m_gradientFill = reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(GetProcAddress(m_hMsimg32, "GradientFill")));
        m_alphaBlend = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(GetProcAddress(m_hMsimg32, "AlphaBlend")));
        m_transparentBlt =
            reinterpret_cast<TransparentBltFn>(reinterpret_cast<void*>(GetProcAddress(m_hMsimg32, "TransparentBlt")));
    }
}

void CVZRBlendFunctions::ForgetSystemFunctions()
{
    m_gradientFill = NULL;
    m_alphaBlend = NULL;
    m_transparentBlt = NULL;
}

CVZRBlendFunctions::GetLayoutFn CVZRBlendFunctions::GetLayoutProc()
{
    if (m_getLayout == reinterpret_cast<GetLayoutFn>(-1)) {
        HMODULE gdi = GetModuleHandleA("GDI32.DLL");
        m_getLayout = gdi ? reinterpret_cast<GetLayoutFn>(reinterpret_cast<void*>(GetProcAddress(gdi, "GetLayout"))) : NULL;
    }
    return m_getLayout;
}

CVZRBlendFunctions::SetLayoutFn CVZRBlendFunctions::SetLayoutProc()
{
    if (m_setLayout == reinterpret_cast<SetLayoutFn>(-1)) {
        HMODULE gdi = GetModuleHandleA("GDI32.DLL");
        m_setLayout = gdi ? reinterpret_cast<SetLayoutFn>(reinterpret_cast<void*>(GetProcAddress(gdi, "SetLayout"))) : NULL;
    }
    return m_setLayout;
}

bool CVZRBlendFunctions::IsContextRTL(HDC dc)
{
    GetLayoutFn fn = GetLayoutProc();
    return dc && fn && fn(dc) != 0 && fn(dc) != GDI_ERROR;
}

void CVZRBlendFunctions::SetContextRTL(HDC dc, DWORD layout)
{
    SetLayoutFn fn = SetLayoutProc();
    if (fn && dc)
        fn(dc, layout);
}

void CVZRBlendFunctions::Triangle(HDC dc, const POINT points[3], COLORREF colour)
{
    CVZRPenSelection pen(dc, colour);
    CVZRBrushSelection brush(dc, colour);
    Polygon(dc, points, 3);
}

void CVZRBlendFunctions::ScreenToWindow(HWND window, POINT& pt)
{
    RECT rc;
    if (!GetWindowRect(window, &rc))
        return;
    pt.y -= rc.top;
    if (GetWindowLongA(window, GWL_EXSTYLE) & 0x400000)
        pt.x = rc.right - pt.x;
    else
        pt.x -= rc.left;
}

HBITMAP CVZRBlendFunctions::CreateDIB32(HDC dc, int width, int height, void** bits)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = NULL;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
    if (bits)
        *bits = bitmap ? pixels : NULL;
    return bitmap;
}

BOOL CVZRBlendFunctions::TransparentBlt(HDC destination, const RECT& d, HDC source, const RECT& s, COLORREF key)
{
    if (CVZROSVersion::IsWin2000OrGreater() && m_transparentBlt)
        return m_transparentBlt(destination, d.left, d.top, d.right - d.left, d.bottom - d.top, source, s.left, s.top,
                                s.right - s.left, s.bottom - s.top, key);
    return TransparentBltFallback(destination, d, source, s, key);
}

BOOL CVZRBlendFunctions::TransparentBltFallback(HDC destination, const RECT& d, HDC source, const RECT& s,
                                                COLORREF key)
{
    if (!destination || !source)
        return FALSE;
    int sw = s.right - s.left, sh = s.bottom - s.top, dw = d.right - d.left, dh = d.bottom - d.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return FALSE;
    COLORREF oldBk = SetBkColor(destination, RGB(255, 255, 255));
    COLORREF oldText = ::SetTextColor(destination, RGB(0, 0, 0));
    BOOL ok = TRUE;
    {
        CScopedMemDC colourDC(::CreateCompatibleDC(destination)), maskDC(::CreateCompatibleDC(destination));
        CScopedBitmap colour(CreateCompatibleBitmap(destination, sw, sh));
        CScopedBitmap mask(CreateBitmap(sw, sh, 1, 1, NULL));
        ok = colourDC && maskDC && colour && mask;
        if (ok) {
            CScopedSelect selColour(colourDC, colour), selMask(maskDC, mask);
            ok = BitBlt(colourDC, 0, 0, sw, sh, source, s.left, s.top, SRCCOPY);
            SetBkColor(colourDC, key);
            ok = ok && BitBlt(maskDC, 0, 0, sw, sh, colourDC, 0, 0, SRCCOPY);
            if (key != RGB(0, 0, 0)) {
                SetBkColor(colourDC, RGB(0, 0, 0));
                ::SetTextColor(colourDC, RGB(255, 255, 255));
                ok = ok && BitBlt(colourDC, 0, 0, sw, sh, maskDC, 0, 0, SRCAND);
            }
            if (dw == sw && dh == sh) {
                ok = ok && BitBlt(destination, d.left, d.top, dw, dh, maskDC, 0, 0, SRCAND);
                ok = ok && BitBlt(destination, d.left, d.top, dw, dh, colourDC, 0, 0, SRCPAINT);
            } else {
                ok = ok && StretchBlt(destination, d.left, d.top, dw, dh, maskDC, 0, 0, sw, sh, SRCAND);
                ok = ok && StretchBlt(destination, d.left, d.top, dw, dh, colourDC, 0, 0, sw, sh, SRCPAINT);
            }
        }
    }
    SetBkColor(destination, oldBk);
    ::SetTextColor(destination, oldText);
    return ok;
}

// Makes the mask of a source's key pixels and blacks them out in the source.
BOOL CVZRBlendFunctions::MaskOutKey(HDC source, HDC maskDC, int width, int height, COLORREF key)
{
    COLORREF oldBk = SetBkColor(source, key);
    BOOL ok = BitBlt(maskDC, 0, 0, width, height, source, 0, 0, SRCCOPY);
    if (ok && key != RGB(0, 0, 0)) {
        COLORREF oldText = ::SetTextColor(source, RGB(255, 255, 255));
        SetBkColor(source, RGB(0, 0, 0));
        ok = BitBlt(source, 0, 0, width, height, maskDC, 0, 0, SRCAND);
        ::SetTextColor(source, oldText);
    }
    SetBkColor(source, oldBk);
    return ok;
}

BOOL CVZRBlendFunctions::MaskedBlt(HDC destination, const RECT& d, HBITMAP colour, HBITMAP mask)
{
    int w = d.right - d.left, h = d.bottom - d.top;
    CScopedMemDC memory(::CreateCompatibleDC(destination));
    if (!memory || w <= 0 || h <= 0)
        return FALSE;
    COLORREF oldBk = SetBkColor(destination, RGB(255, 255, 255));
    COLORREF oldText = ::SetTextColor(destination, RGB(0, 0, 0));
    BOOL ok;
    {
        CScopedSelect selMask(memory, mask);
        ok = BitBlt(destination, d.left, d.top, w, h, memory, 0, 0, SRCAND);
    }
    {
        CScopedSelect selColour(memory, colour);
        ok = ok && BitBlt(destination, d.left, d.top, w, h, memory, 0, 0, SRCPAINT);
    }
    SetBkColor(destination, oldBk);
    ::SetTextColor(destination, oldText);
    return ok;
}

BOOL CVZRBlendFunctions::KeyedBlt(HDC destination, const RECT& d, HDC source, COLORREF key)
{
    int w = d.right - d.left, h = d.bottom - d.top;
    if (!destination || !source || w <= 0 || h <= 0)
        return FALSE;
    CScopedMemDC maskDC(::CreateCompatibleDC(destination));
    CScopedBitmap mask(CreateBitmap(w, h, 1, 1, NULL));
    if (!maskDC || !mask)
        return FALSE;
    CScopedSelect selMask(maskDC, mask);
    if (!MaskOutKey(source, maskDC, w, h, key))
        return FALSE;
    COLORREF oldBk = SetBkColor(destination, RGB(255, 255, 255));
    COLORREF oldText = ::SetTextColor(destination, RGB(0, 0, 0));
    BOOL ok = BitBlt(destination, d.left, d.top, w, h, maskDC, 0, 0, SRCAND) &&
              BitBlt(destination, d.left, d.top, w, h, source, 0, 0, SRCPAINT);
    SetBkColor(destination, oldBk);
    ::SetTextColor(destination, oldText);
    return ok;
}

BOOL CVZRBlendFunctions::AlphaBlend(HDC destination, const RECT& d, HDC source, const RECT& s)
{
    bool useFallback = !m_alphaBlend || (IsContextRTL(destination) && CVZROSVersion::IsWin9x()) ||
                       (!CVZROSVersion::IsWin2000OrGreater() && (s.left != 0 || s.top != 0));
    if (useFallback)
        return AlphaBlendFallback(destination, d, source, s);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return m_alphaBlend(destination, d.left, d.top, d.right - d.left, d.bottom - d.top, source, s.left, s.top,
                        s.right - s.left, s.bottom - s.top, blend);
}

BOOL CVZRBlendFunctions::AlphaBlendFallback(HDC destination, const RECT& d, HDC source, const RECT& s)
{
    int w = d.right - d.left, h = d.bottom - d.top;
    if (!destination || !source || w <= 0 || h <= 0 || s.right <= s.left || s.bottom <= s.top)
        return FALSE;
    bool sourceRTL = IsContextRTL(source), destRTL = IsContextRTL(destination);
    void *srcBits = NULL, *dstBits = NULL, *outBits = NULL;
    CScopedBitmap srcBmp(CreateDIB32(destination, w, h, &srcBits));
    CScopedBitmap dstBmp(CreateDIB32(destination, w, h, &dstBits));
    CScopedBitmap outBmp(CreateDIB32(destination, w, h, &outBits));
    CScopedMemDC srcDC(::CreateCompatibleDC(destination)), dstDC(::CreateCompatibleDC(destination));
    if (!srcBmp || !dstBmp || !outBmp || !srcDC || !dstDC)
        return FALSE;
    BOOL ok;
    {
        CScopedSelect selSrc(srcDC, srcBmp), selDst(dstDC, dstBmp);
        SetContextRTL(srcDC, 0);
        SetContextRTL(dstDC, 0);
        SetStretchBltMode(srcDC, COLORONCOLOR);
        ok = StretchBlt(srcDC, 0, 0, w, h, source, s.left, s.top, s.right - s.left, s.bottom - s.top, SRCCOPY) &&
             BitBlt(dstDC, 0, 0, w, h, destination, d.left, d.top, SRCCOPY);
    }
    GdiFlush();
    if (!ok)
        return FALSE;
    const BYTE* src = static_cast<const BYTE*>(srcBits);
    const BYTE* dst = static_cast<const BYTE*>(dstBits);
    BYTE* out = static_cast<BYTE*>(outBits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sx = sourceRTL ? w - 1 - x : x, dx = destRTL ? w - 1 - x : x;
            const BYTE* sp = src + (size_t(y) * w + sx) * 4;
            const BYTE* dp = dst + (size_t(y) * w + dx) * 4;
            BYTE* op = out + (size_t(y) * w + dx) * 4;
            for (int c = 0; c < 3; ++c) {
                int v = sp[c] + dp[c] * (255 - sp[3]) / 255;
                op[c] = BYTE(v > 255 ? 255 : v);  // a source that is not premultiplied may pass 255
            }
            op[3] = 0;
        }
    }
    CScopedMemDC outDC(::CreateCompatibleDC(destination));
    CScopedSelect selOut(outDC, outBmp);
    DWORD rop = destRTL ? (SRCCOPY | 0x80000000) : SRCCOPY;
    return BitBlt(destination, d.left, d.top, w, h, outDC, 0, 0, rop);
}
