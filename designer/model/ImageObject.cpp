#include "designer/model/ImageObject.h"

#include "designer/model/DrawnPixels.h"
#include "framework/DC.h"

LONG CChangeStamp::Next()
{
    static LONG s_nLast = 0;
    return ::InterlockedIncrement(&s_nLast);
}

CImageObject::CImageObject()
    : m_bWhole(FALSE), m_bValid(FALSE), m_nTop(0), m_nBottom(0), m_nLeft(0), m_nRight(0),
      m_nWidth(0), m_nHeight(0)
{
}

CImageObject::~CImageObject()
{
}

void CImageObject::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_nLeft = nLeft;
    m_nTop = nTop;
    m_nRight = nRight;
    m_nBottom = nBottom;
    m_nWidth = 0;
    m_nHeight = 0;
    m_bAllSlices = FALSE;
    m_stamp.Touch();
}

BOOL CImageObject::LoadResource(HRSRC hRes)
{
    m_bValid = FALSE;
    m_stamp.Touch();
    if (!m_whole.LoadResource(hRes, CXIMAGE_FORMAT_UNKNOWN))
        return FALSE;
    return CutSlices();
}

BOOL CImageObject::LoadFile(LPCTSTR lpszPath)
{
    m_bValid = FALSE;
    m_stamp.Touch();
    if (lpszPath == NULL || !m_whole.Load(lpszPath, CXIMAGE_FORMAT_UNKNOWN))
        return FALSE;
    return CutSlices();
}

BOOL CImageObject::LoadMemory(const BYTE* pData, DWORD dwSize, DWORD dwImageType)
{
    m_bValid = FALSE;
    m_stamp.Touch();
    if (pData == NULL || !m_whole.Decode(pData, dwSize, dwImageType))
        return FALSE;
    return CutSlices();
}

BOOL CImageObject::CutSlices()
{
    m_stamp.Touch();
    m_bValid = FALSE;
    if (m_nLeft == 0 && m_nTop == 0 && m_nRight == 0 && m_nBottom == 0) {
        m_bWhole = TRUE;
        m_bValid = TRUE;
        return TRUE;
    }
    m_bWhole = FALSE;
    // the image library keeps rows top row first, so the grid is cut as it stands
    m_nWidth = static_cast<int>(m_whole.GetWidth());
    m_nHeight = static_cast<int>(m_whole.GetHeight());
    const int cols[4] = {0, m_nLeft, m_nWidth - m_nRight, m_nWidth};
    const int rows[4] = {0, m_nTop, m_nHeight - m_nBottom, m_nHeight};
    // (column, row) of each slice in the grid, in slice order
    static const int grid[SLICES][2] = {
        {0, 0},
        {2, 0},
        {2, 2},
        {0, 2},
        {1, 0},
        {2, 1},
        {1, 2},
        {0, 1},
        {1, 1},
    };
    m_bAllSlices = TRUE;
    for (int i = 0; i < SLICES; ++i) {
        int c = grid[i][0], r = grid[i][1];
        RECT rc = {cols[c], rows[r], cols[c + 1], rows[r + 1]};
        if (!m_whole.CopyRect(rc, &m_slices[i], c == 2))
            return FALSE;
        m_bAllSlices = m_bAllSlices && m_slices[i].IsValid();
    }
    m_contentKey.clear();
    const int margins[4] = {m_nLeft, m_nTop, m_nRight, m_nBottom};
    CDrawnPixels::AddToKey(m_contentKey, margins);
    CDrawnPixels::AddPixelsToKey(m_contentKey, m_whole.GetBits(), m_nWidth, m_nHeight);
    m_bValid = TRUE;
    return TRUE;
}

namespace {
void DrawSlice(const CImageEx& slice, HDC hdc, long x, long y, long cx, long cy, BOOL bSmooth)
{
    // a target smaller than the margins leaves nothing to stretch into
    if (cx > 0 && cy > 0 && slice.IsValid())
        slice.Draw(hdc, x, y, cx, cy, NULL, bSmooth != FALSE);
}
}  // namespace

BOOL CImageObject::Draw(CDC* pDC, const RECT& rect, DWORD dwReserved, BOOL bSmooth)
{
    (void)dwReserved;
    if (!m_bValid || pDC == NULL)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    if (m_bWhole) {
        m_whole.Draw(hdc, rect.left, rect.top, -1, rect.bottom - rect.top, NULL, bSmooth != FALSE);
        return TRUE;
    }
    if (Covers(rect)) {
        // the slices tile the rectangle, so each size is drawn once for every
        // holder of the same picture
        std::string key(m_contentKey);
        CDrawnPixels::AddToKey(key, bSmooth != FALSE);
        CDrawnPixels::DrawShared(pDC, CRect(rect), key,
                                 [this, bSmooth](CDC* pTarget, const CRect& r) { DrawSlices(pTarget->GetSafeHdc(), r, bSmooth); });
        return TRUE;
    }
    DrawSlices(hdc, rect, bSmooth);
    return TRUE;
}

void CImageObject::DrawSlices(HDC hdc, const RECT& rect, BOOL bSmooth) const
{
    const long l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const long innerW = r - l - m_nLeft - m_nRight;
    const long innerH = b - t - m_nTop - m_nBottom;
    DrawSlice(m_slices[TOP_LEFT], hdc, l, t, m_nLeft, m_nTop, FALSE);
    DrawSlice(m_slices[TOP_RIGHT], hdc, r - m_nRight, t, m_nRight, m_nTop, FALSE);
    DrawSlice(m_slices[BOTTOM_RIGHT], hdc, r - m_nRight, b - m_nBottom, m_nRight, m_nBottom, FALSE);
    DrawSlice(m_slices[BOTTOM_LEFT], hdc, l, b - m_nBottom, m_nLeft, m_nBottom, FALSE);
    DrawSlice(m_slices[TOP], hdc, l + m_nLeft, t, innerW, m_nTop, FALSE);
    DrawSlice(m_slices[BOTTOM], hdc, l + m_nLeft, b - m_nBottom, innerW, m_nBottom, FALSE);
    DrawSlice(m_slices[LEFT], hdc, l, t + m_nTop, m_nLeft, innerH, bSmooth);
    DrawSlice(m_slices[RIGHT], hdc, r - m_nRight, t + m_nTop, m_nRight, innerH, bSmooth);
    DrawSlice(m_slices[CENTRE], hdc, l + m_nLeft, t + m_nTop, innerW, innerH, bSmooth);
}

BOOL CImageObject::StaysInside(const RECT& rect) const
{
    // drawn whole, the picture keeps its own width; smaller than the margins,
    // the corners reach out of the rectangle
    if (!m_bValid || m_bWhole)
        return FALSE;
    return rect.right - rect.left >= m_nLeft + m_nRight && rect.bottom - rect.top >= m_nTop + m_nBottom;
}
