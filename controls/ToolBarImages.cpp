#include "controls/ToolBarImages.h"
#include "controls/BitmapPixels.h"
#include "controls/MenuDrawing.h"
#include "framework/DC.h"
#include "framework/ResourceList.h"
#include "framework/ScopedHandle.h"
#include <shlwapi.h>
#include <cmath>
#include <vector>

namespace {

const COLORREF kMaskColor = RGB(192, 192, 192);
const COLORREF kMagenta = RGB(255, 0, 255);

// A copy with every pixel but the mask colour recoloured.
std::vector<uint32_t> Derive(const std::vector<uint32_t>& px, COLORREF (*fn)(COLORREF))
{
    std::vector<uint32_t> out(px.size());
    for (size_t i = 0; i < px.size(); ++i) {
        COLORREF c = PixelColor(px[i]);
        // the fourth byte (alpha of 32-bit images) is kept
        out[i] = c == kMaskColor ? px[i] : (px[i] & 0xFF000000u) | (ColorPixel(fn(c)) & 0x00FFFFFFu);
    }
    return out;
}

BOOL AddImages(CImageList& list, int cx, int cy, const std::vector<uint32_t>& px)
{
    CScopedBitmap hbm(MakeBitmapFromPixels(cx, cy, px));
    if (!hbm.IsValid())
        return FALSE;
    return ImageList_AddMasked(list.m_hImageList, hbm, kMaskColor) >= 0;
}

}  // namespace

CToolBarImages::CToolBarImages() : m_nDepth(4), m_cx(-1), m_cy(-1)
{
}

CToolBarImages::~CToolBarImages()
{
}

int CToolBarImages::CommonControlsVersion()
{
    HMODULE hMod = ::LoadLibraryA("comctl32.dll");
    if (hMod == NULL)
        return 0;
    int nMajor = 0;
    DLLGETVERSIONPROC pfn = (DLLGETVERSIONPROC)(void*)::GetProcAddress(hMod, "DllGetVersion");
    if (pfn != NULL) {
        DLLVERSIONINFO dvi;
        ZeroMemory(&dvi, sizeof(dvi));
        dvi.cbSize = sizeof(dvi);
        if (SUCCEEDED(pfn(&dvi)))
            nMajor = (int)dvi.dwMajorVersion;
    }
    ::FreeLibrary(hMod);
    return nMajor;
}

BOOL CToolBarImages::Create(int cx, int cy, int bTrueColor, int nInitial)
{
    m_normal.DeleteImageList();
    m_hot.DeleteImageList();
    m_disabled.DeleteImageList();
    m_cx = m_cy = -1;
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_nDepth = DepthFor(bTrueColor, bTrueColor == 1 ? CommonControlsVersion() : 0);
    UINT nFlags = ILC_MASK | (m_nDepth == 32 ? ILC_COLOR32 : m_nDepth == 24 ? ILC_COLOR24
                                                                            : ILC_COLOR4);
    if (!m_normal.Create(cx, cy, nFlags, nInitial, 1))
        return FALSE;
    if (bTrueColor == 1 && (!m_hot.Create(cx, cy, nFlags, nInitial, 1) ||
                            !m_disabled.Create(cx, cy, nFlags, nInitial, 1)))
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    return TRUE;
}

int CToolBarImages::DepthFor(int bTrueColor, int nCommonControlsMajor)
{
    if (bTrueColor != 1)
        return 4;
    return nCommonControlsMajor > 5 ? 32 : 24;
}

CImageList& CToolBarImages::GetList(int nMode)
{
    return nMode == MODE_HOT ? m_hot : nMode == MODE_DISABLED ? m_disabled
                                                              : m_normal;
}

COLORREF CToolBarImages::HotColor(COLORREF cr)
{
    auto hot = [](int c) { return (int)(255.0 * pow(c / 255.0, 1.4)); };
    return RGB(hot(GetRValue(cr)), hot(GetGValue(cr)), hot(GetBValue(cr)));
}

COLORREF CToolBarImages::DisabledColor(COLORREF cr)
{
    // integer weights keep white exactly white in any floating-point precision
    double luma = (587 * GetGValue(cr) + 114 * GetBValue(cr) + 299 * GetRValue(cr)) / 1000.0;
    int v = (int)(255.0 * sqrt(luma / 255.0));
    if (v > 255)
        v = 255;
    if (RGB(v, v, v) == kMaskColor)
        ++v;  // an opaque pixel must not turn transparent
    return RGB(v, v, v);
}

BOOL CToolBarImages::LoadBitmap(UINT nIDResource)
{
    if (m_cx < 0 || m_normal.m_hImageList == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_BITMAP);
    if (hInst == NULL)
        hInst = ::GetModuleHandle(NULL);
    CScopedBitmap hbm((HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(nIDResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!hbm.IsValid())
        return FALSE;
    int cx = 0, cy = 0;
    std::vector<uint32_t> px;
    BOOL bRead = ReadBitmapPixels(hbm, cx, cy, px);
    hbm.Reset();
    if (!bRead)
        return FALSE;
    // Magenta is the transparent colour of the studio's bitmaps as well.
    for (uint32_t& p : px)
        if (PixelColor(p) == kMagenta)
            p = ColorPixel(kMaskColor);
    if (m_nDepth == 4)
        return AddImages(m_normal, cx, cy, px);
    return AddImages(m_normal, cx, cy, px) &&
           AddImages(m_disabled, cx, cy, Derive(px, &DisabledColor)) &&
           AddImages(m_hot, cx, cy, Derive(px, &HotColor));
}

BOOL CToolBarImages::Draw(CDC* pDC, int x, int y, int nMode, int nImage)
{
    if (m_cx < 0 || pDC == NULL)
        return FALSE;
    if (m_nDepth != 4) {
        return ImageList_Draw(GetList(nMode).m_hImageList, nImage, pDC->m_hDC, x, y, ILD_TRANSPARENT);
    }
    if (nMode != MODE_DISABLED)
        return ImageList_Draw(m_normal.m_hImageList, nImage, pDC->m_hDC, x, y, ILD_TRANSPARENT);
    BOOL bFlat = FALSE;
    ::SystemParametersInfo(SPI_GETFLATMENU, 0, &bFlat, 0);
    EmbossImage(pDC->m_hDC, m_normal.m_hImageList, nImage, x, y, m_cx, m_cy,
                ::GetSysColor(COLOR_3DFACE), !bFlat);
    return FALSE;
}
