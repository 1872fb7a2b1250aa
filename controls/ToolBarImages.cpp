#include "controls/ToolBarImages.h"
#include "controls/BitmapPixels.h"
#include "controls/MenuDrawing.h"
#include "framework/DC.h"
#include "framework/ResourceList.h"
#include "framework/ScopedHandle.h"
#include <shlwapi.h>
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
        out[i] = c == kMaskColor ? ColorPixel(c) : ColorPixel(fn(c));
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

} // namespace

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
    if (bTrueColor == 1)
        m_nDepth = CommonControlsVersion() >= 6 ? 32 : 24;
    else
        m_nDepth = 4;
    UINT nFlags = ILC_MASK | (m_nDepth == 32 ? ILC_COLOR32 : m_nDepth == 24 ? ILC_COLOR24 : ILC_COLOR4);
    if (!m_normal.Create(cx, cy, nFlags, nInitial, 1))
        return FALSE;
    if (bTrueColor == 1 && (!m_hot.Create(cx, cy, nFlags, nInitial, 1) ||
                            !m_disabled.Create(cx, cy, nFlags, nInitial, 1)))
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    return TRUE;
}

COLORREF CToolBarImages::HotColor(COLORREF cr)
{
    // A little darker and so a little stronger than the normal image.
    return RGB(GetRValue(cr) * 7 / 8, GetGValue(cr) * 7 / 8, GetBValue(cr) * 7 / 8);
}

COLORREF CToolBarImages::DisabledColor(COLORREF cr)
{
    int v = (GetRValue(cr) * 3 + GetGValue(cr) * 6 + GetBValue(cr)) / 10;
    v = v + (255 - v) / 2;   // a light grey
    if (RGB(v, v, v) == kMaskColor)
        ++v;
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
        CImageList& list = nMode == MODE_HOT ? m_hot : nMode == MODE_DISABLED ? m_disabled : m_normal;
        return ImageList_Draw(list.m_hImageList, nImage, pDC->m_hDC, x, y, ILD_TRANSPARENT);
    }
    if (nMode != MODE_DISABLED)
        return ImageList_Draw(m_normal.m_hImageList, nImage, pDC->m_hDC, x, y, ILD_TRANSPARENT);
    BOOL bFlat = FALSE;
    ::SystemParametersInfo(SPI_GETFLATMENU, 0, &bFlat, 0);
    EmbossImage(pDC->m_hDC, m_normal.m_hImageList, nImage, x, y, m_cx, m_cy,
                ::GetSysColor(COLOR_3DFACE), !bFlat);
    return FALSE;
}
