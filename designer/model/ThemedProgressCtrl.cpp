#include "designer/model/ThemedProgressCtrl.h"
#include "framework/PaintDC.h"
#include "imaging/xImage.h"

#include <stdlib.h>

BEGIN_MESSAGE_MAP(CThemedProgressCtrl, CProgressCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CThemedProgressCtrl::CThemedProgressCtrl()
    : CThemeImageReader(CThemeSettings::PROGRESS_THEME), m_nLower(0), m_nUpper(100), m_nRange(100),
      m_nStep(10), m_nPos(0)
{
}

CThemedProgressCtrl::~CThemedProgressCtrl() {}

BOOL CThemedProgressCtrl::LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                         int left, int top, int right, int bottom)
{
    m_images[index].SetMargins(left, top, right, bottom);
    return m_images[index].LoadMemory(data, size, CXIMAGE_FORMAT_UNKNOWN);
}

BOOL CThemedProgressCtrl::LoadDefaultTheme()
{
    static const struct {
        UINT id;
        int margins[4];
    } kPictures[CThemeSettings::IMAGE_COUNT] = {
        {146, {3, 3, 4, 4}}, {145, {0, 0, 0, 0}}, {136, {3, 3, 4, 4}}, {135, {0, 0, 0, 0}}};
    m_settings.m_nClipLeft = m_settings.m_nClipTop = m_settings.m_nClipRight = m_settings.m_nClipBottom = 3;
    BOOL bAll = TRUE;
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        const int* m = kPictures[i].margins;
        int nResult = LoadBuiltInThemePicture(m_images[i], kPictures[i].id, m[0], m[1], m[2], m[3]);
        if (nResult == 0)
            return FALSE;
        if (nResult < 0)
            bAll = FALSE;
    }
    return bAll;
}

void CThemedProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    long long nRange = llabs((long long)nUpper - nLower);
    m_nRange = nRange == 0 ? 1 : (nRange > 0x7FFFFFFF ? 0x7FFFFFFF : (int)nRange);
    if (m_hWnd != NULL)
        CProgressCtrl::SetRange((short)nLower, (short)nUpper);
}

void CThemedProgressCtrl::SetPos(int nPos)
{
    int nLow = m_nLower < m_nUpper ? m_nLower : m_nUpper;
    int nHigh = m_nLower < m_nUpper ? m_nUpper : m_nLower;
    m_nPos = nPos < nLow ? nLow : (nPos > nHigh ? nHigh : nPos);
    if (m_hWnd != NULL)
        CProgressCtrl::SetPos(m_nPos);
}

BOOL CThemedProgressCtrl::LoadChunkImage(LPCTSTR lpszPath)
{
    // A file that does not load keeps the chunk picture there was.
    CThemePicture picture;
    picture.SetMargins(0, 0, 0, 0);
    if (!picture.LoadFile(lpszPath))
        return FALSE;
    m_images[CHUNK] = picture;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
    return TRUE;
}

int CThemedProgressCtrl::GetChunkCount(int nClientWidth) const
{
    int nChunkWidth = m_images[CHUNK].GetImageWidth();
    if (m_nPos == m_nLower || nChunkWidth <= 0 || nClientWidth <= 0)
        return 0;
    long long nCount = (llabs((long long)m_nLower) + m_nPos) * (nClientWidth / m_nRange) / nChunkWidth;
    // More chunks than fit side by side would only be drawn outside the control.
    long long nMost = nClientWidth / nChunkWidth + 1;
    return nCount < 0 ? 0 : (int)(nCount > nMost ? nMost : nCount);
}

BOOL CThemedProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CThemedProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CThemedProgressCtrl::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    BOOL bSmooth = m_settings.m_bAntiAlias;
    if (GetStyle() & PBS_VERTICAL) {
        m_images[V_TRACK].Draw(pDC, client, 0, bSmooth);
        return;
    }
    m_images[TRACK].Draw(pDC, client, 0, bSmooth);
    int nCount = GetChunkCount(client.Width());
    int nChunkWidth = m_images[CHUNK].GetImageWidth();
    CRect chunk(m_settings.m_nClipLeft, m_settings.m_nClipTop, m_settings.m_nClipLeft + nChunkWidth,
                client.bottom - m_settings.m_nClipRight);
    for (int i = 0; i < nCount; ++i) {
        m_images[CHUNK].Draw(pDC, chunk, 0, bSmooth);
        chunk.OffsetRect(nChunkWidth, 0);
    }
}
