#include "installer/ui/AnimatedBanner.h"

#include "installer/ui/MemDC.h"
#include "installer/ui/SkinGeometry.h"

IMPLEMENT_DYNAMIC(CAnimatedBanner, CStatic)

namespace {
// "Microsoft YaHei" in the Chinese code page.
const char kYaHei[] = "\xce\xa2\xc8\xed\xd1\xc5\xba\xda";
}  // namespace

CAnimatedBanner::CAnimatedBanner()
    : m_strCaption(" "), m_background(KO_TYPE_PNG), m_moving(KO_TYPE_BMP), m_x(0), m_font(kYaHei)
{
    m_font.SetBold(TRUE);
}

CAnimatedBanner::~CAnimatedBanner() {}

BOOL CAnimatedBanner::SetMovingImage(UINT nResId, LPCTSTR lpszResType)
{
    const BOOL ok = m_moving.LoadResource(nResId, lpszResType, KO_TYPE_BMP);
    m_moving.AlphaSetMax(80);
    m_x = -((int)m_moving.GetWidth() * 3 / 4);
    if (m_hWnd)
        ::SetTimer(m_hWnd, TIMER_ID, TIMER_MS, NULL);
    return ok;
}

BOOL CAnimatedBanner::SetBackground(UINT nResId, LPCTSTR lpszResType)
{
    return m_background.LoadResource(nResId, lpszResType, KO_TYPE_PNG);
}

void CAnimatedBanner::Step(HDC hDC)
{
    m_x = SkinBannerStep(m_x, (int)m_background.GetWidth(), (int)m_moving.GetWidth());
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CMemDC mem(CDC::FromHandle(hDC), &client);
    if (!mem.IsValid())
        return;
    ::FillRect(mem, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    m_background.Draw(mem, 0, 0);
    m_moving.Draw(mem, m_x, 0);
}

LRESULT CAnimatedBanner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == TIMER_ID) {
            HDC hDC = ::GetDC(m_hWnd);
            Step(hDC);
            ::ReleaseDC(m_hWnd, hDC);
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Step(hDC);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    case WM_DESTROY:
        ::KillTimer(m_hWnd, TIMER_ID);
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
