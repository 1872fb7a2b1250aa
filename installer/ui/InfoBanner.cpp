#include "installer/ui/InfoBanner.h"

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/MemDC.h"

IMPLEMENT_DYNAMIC(CInfoBanner, CStatic)

namespace {

const unsigned char kHighlightPng[] = {
#include "highlight_png.inc"
};
// "SimHei" in the Chinese code page.
const char kHeiTi[] = "\xba\xda\xcc\xe5";

}  // namespace

CInfoBanner::CInfoBanner(BOOL bUseGradientFill)
    : m_nResId(0), m_highlight(KO_TYPE_PNG), m_crTitle(RGB(148, 215, 255)),
      m_crDetail(RGB(255, 255, 255)),
      m_crGradient{RGB(9, 74, 116), RGB(32, 121, 140), RGB(5, 111, 90)},
      m_gradient(bUseGradientFill)
{
    m_highlight.Decode(kHighlightPng, sizeof kHighlightPng, KO_TYPE_PNG);
    m_titleFont.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0,
                           VARIABLE_PITCH | FF_SWISS, kHeiTi);
    m_detailFont.CreateFont(15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0,
                            VARIABLE_PITCH | FF_SWISS, "Tahoma");
}

CInfoBanner::~CInfoBanner() {}

BOOL CInfoBanner::SetImage(UINT nResId, LPCTSTR lpszResType, int nImageType)
{
    m_nResId = nResId;
    return m_image.LoadResource(nResId, lpszResType, nImageType);
}

void CInfoBanner::SetTexts(LPCTSTR lpszTitle, LPCTSTR lpszDetail)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    m_strDetail = lpszDetail ? lpszDetail : "";
}

void CInfoBanner::Refresh()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CInfoBanner::Paint(HDC hDC, const RECT &client)
{
    const int middle = (client.left + client.right) / 2;
    RECT left = {client.left, client.top, middle, client.bottom};
    RECT right = {middle, client.top, client.right, client.bottom};
    m_gradient.Fill(hDC, left, m_crGradient[0], m_crGradient[1], FALSE);
    m_gradient.Fill(hDC, right, m_crGradient[1], m_crGradient[2], FALSE);
    if (m_nResId)
        m_image.Draw(hDC, 5, 5);
    ::SetBkMode(hDC, TRANSPARENT);
    {
        CScopedSelect font(hDC, m_titleFont);
        ::SetTextColor(hDC, m_crTitle);
        RECT r = {66, client.top + 10, client.right - 10, client.bottom - 5};
        ::DrawText(hDC, m_strTitle, -1, &r, DT_RIGHT | DT_NOPREFIX);
    }
    {
        CScopedSelect font(hDC, m_detailFont);
        ::SetTextColor(hDC, m_crDetail);
        RECT r = {66, client.top + 18, client.right - 15, client.bottom - 5};
        ::DrawText(hDC, m_strDetail, -1, &r, DT_LEFT | DT_NOPREFIX);
    }
    m_highlight.Draw(hDC, client.left + 2, client.top + 2, client.right - client.left - 4, 16);
    RECT frame = client;
    CDC *pDC = CDC::FromHandle(hDC);
    pDC->Draw3dRect(&frame, RGB(13, 49, 65), RGB(94, 112, 100));
    ::InflateRect(&frame, -1, -1);
    pDC->Draw3dRect(&frame, RGB(135, 192, 185), RGB(109, 165, 168));
}

LRESULT CInfoBanner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        {
            CMemDC mem(CDC::FromHandle(hDC), &client);
            if (mem.IsValid())
                Paint(mem, client);
        }
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
