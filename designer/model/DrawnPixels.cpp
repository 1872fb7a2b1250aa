#include "designer/model/DrawnPixels.h"

#include <string.h>

#include "controls/BitmapPixels.h"
#include "framework/ScopedHandle.h"

namespace {

// Larger drawings (an element at a high zoom) are drawn each time rather than
// held: 64 KB each at most.
const int kKeptPixelsMax = 16 * 1024;

}  // namespace

void CDrawnPixels::AddToKey(std::string& key, LPCTSTR lpszText)
{
    size_t n = lpszText ? strlen(lpszText) : 0;
    AddToKey(key, n);
    key.append(lpszText ? lpszText : "", n);
}

void CDrawnPixels::Forget()
{
    m_key.clear();
    m_pixels.clear();
    m_pixels.shrink_to_fit();
}

// A copy gives the pixels drawing there gives: the same depth, device units,
// and nothing of the rectangle cut off by the edge or a clip.
BOOL CDrawnPixels::CanKeep(HDC hdc, const CRect& rect)
{
    if (rect.IsRectEmpty() || ::GetObjectType(hdc) != OBJ_MEMDC || BitsPerPixel(hdc) != 32 ||
        ::GetMapMode(hdc) != MM_TEXT || ::GetGraphicsMode(hdc) != GM_COMPATIBLE)
        return FALSE;
    CRect clip;
    if (::GetClipBox(hdc, &clip) != SIMPLEREGION)
        return FALSE;
    CRect both;
    return both.IntersectRect(&clip, &rect) && both == rect;
}

BOOL CDrawnPixels::Render(const CRect& rect, const Drawing& drawing)
{
    const int w = rect.Width(), h = rect.Height();
    CScopedMemDC mem(::CreateCompatibleDC(NULL));
    if (!mem.IsValid())
        return FALSE;
    BITMAPINFO bi = TopDown32(w, h);
    void* bits = NULL;
    CScopedBitmap bitmap(::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0));
    if (!bitmap.IsValid() || bits == NULL)
        return FALSE;
    {
        CScopedSelect select(mem, bitmap);
        CDC dc;
        dc.Attach(mem);
        drawing(&dc, CRect(0, 0, w, h));
        dc.Detach();
        ::GdiFlush();
    }
    m_pixels.assign((const DWORD*)bits, (const DWORD*)bits + (size_t)w * h);
    m_size = CSize(w, h);
    return TRUE;
}

HDC CDrawnPixels::s_hDirectDC = NULL;
DWORD* CDrawnPixels::s_pDirectBits = NULL;
CSize CDrawnPixels::s_directSize(0, 0);
int CDrawnPixels::s_nDirectDepth = 0;

int CDrawnPixels::BitsPerPixel(HDC hdc)
{
    if (hdc != NULL && hdc == s_hDirectDC) {
        if (s_nDirectDepth == 0)
            s_nDirectDepth = ::GetDeviceCaps(hdc, BITSPIXEL);
        return s_nDirectDepth;
    }
    return ::GetDeviceCaps(hdc, BITSPIXEL);
}

CDrawnPixels::CDirectTarget::CDirectTarget(HDC hdc, DWORD* pBits, CSize size)
    : m_hOldDC(s_hDirectDC), m_pOldBits(s_pDirectBits), m_oldSize(s_directSize), m_nOldDepth(s_nDirectDepth)
{
    s_hDirectDC = hdc;
    s_pDirectBits = pBits;
    s_directSize = size;
    s_nDirectDepth = 0;
}

CDrawnPixels::CDirectTarget::~CDirectTarget()
{
    s_hDirectDC = m_hOldDC;
    s_pDirectBits = m_pOldBits;
    s_directSize = m_oldSize;
    s_nDirectDepth = m_nOldDepth;
}

// The first row of the rectangle in the direct target's pixels, and the
// distance between rows; FALSE for other DCs.
BOOL CDrawnPixels::FindTargetRows(HDC hdc, const CRect& rect, DWORD*& pFirst, LONG_PTR& nStride)
{
    if (hdc == NULL || hdc != s_hDirectDC || s_pDirectBits == NULL)
        return FALSE;
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    if (!::LPtoDP(hdc, corners, 2) || corners[1].x - corners[0].x != rect.Width() ||
        corners[1].y - corners[0].y != rect.Height())
        return FALSE;
    if (corners[0].x < 0 || corners[0].y < 0 || corners[1].x > s_directSize.cx || corners[1].y > s_directSize.cy)
        return FALSE;
    nStride = (LONG_PTR)s_directSize.cx * sizeof(DWORD);
    pFirst = s_pDirectBits + (size_t)corners[0].y * s_directSize.cx + corners[0].x;
    return TRUE;
}

void CDrawnPixels::Draw(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!CanKeep(hdc, rect) || (LONGLONG)rect.Width() * rect.Height() > kKeptPixelsMax) {
        if (!m_pixels.empty())
            Forget();
        drawing(pDC, rect);
        return;
    }
    const BOOL kept = key == m_key && m_size == rect.Size() && !m_pixels.empty();
    DWORD* pFirst = NULL;
    LONG_PTR nStride = 0;
    if (FindTargetRows(hdc, rect, pFirst, nStride)) {
        // the target's own pixels: drawn there and read back, or written there
        const int w = rect.Width(), h = rect.Height();
        ::GdiFlush();
        if (!kept) {
            drawing(pDC, rect);
            ::GdiFlush();
            m_pixels.resize((size_t)w * h);
        }
        for (int y = 0; y < h; ++y) {
            DWORD* row = (DWORD*)((BYTE*)pFirst + y * nStride);
            if (kept)
                memcpy(row, &m_pixels[(size_t)y * w], w * sizeof(DWORD));
            else
                memcpy(&m_pixels[(size_t)y * w], row, w * sizeof(DWORD));
        }
        m_key = key;
        m_size = rect.Size();
        return;
    }
    if (!kept) {
        m_key.clear();
        if (!Render(rect, drawing)) {
            m_pixels.clear();
            drawing(pDC, rect);
            return;
        }
        m_key = key;
    }
    BITMAPINFO bi = TopDown32(m_size.cx, m_size.cy);
    ::StretchDIBits(hdc, rect.left, rect.top, m_size.cx, m_size.cy, 0, 0, m_size.cx, m_size.cy, &m_pixels[0], &bi,
                    DIB_RGB_COLORS, SRCCOPY);
}
