#include "installer/ui/GradientTitle.h"

#include "framework/DC.h"
#include "framework/ScopedHandle.h"

IMPLEMENT_DYNAMIC(CGradientTitle, CStatic)

CGradientTitle::CGradientTitle(BOOL bUseGradientFill)
    : m_hIcon(NULL), m_nIconX(0), m_nIconSize(0), m_nMargin(10),
      m_crStart(::GetSysColor(COLOR_ACTIVECAPTION)), m_crEnd(::GetSysColor(COLOR_BTNFACE)),
      m_crText(RGB(255, 255, 255)), m_nAlign(ALIGN_RIGHT), m_bVertical(FALSE),
      m_gradient(bUseGradientFill) {}

CGradientTitle::~CGradientTitle() {}

BOOL CGradientTitle::SetIcon(UINT nIconId, int x, int nSize)
{
    m_hIcon = ::LoadIcon(::GetModuleHandle(NULL), MAKEINTRESOURCE(nIconId));
    m_nIconX = x;
    m_nIconSize = nSize;
    return m_hIcon != NULL;
}

void CGradientTitle::SetColours(COLORREF crStart, COLORREF crEnd)
{
    m_crStart = crStart;
    m_crEnd = crEnd;
}

void CGradientTitle::Paint(HDC hDC, const RECT &client)
{
    m_gradient.Fill(hDC, client, m_crStart, m_crEnd, m_bVertical);
    char text[256] = "";
    if (m_hWnd)
        ::GetWindowText(m_hWnd, text, sizeof text);
    RECT r = client;
    r.left += m_nIconSize;
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (m_nAlign == ALIGN_CENTRE) {
        format |= DT_CENTER;
    } else if (m_nAlign == ALIGN_LEFT) {
        r.left += m_nMargin;
    } else {
        r.right -= m_nMargin;
        format |= DT_RIGHT;
    }
    HFONT hFont = m_hWnd ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    CScopedSelect font(hDC, hFont);
    ::SetTextColor(hDC, m_crText);
    ::SetBkMode(hDC, TRANSPARENT);
    ::DrawText(hDC, text, -1, &r, format);
    if (m_hIcon)
        ::DrawIconEx(hDC, m_nIconX, (client.bottom - client.top - m_nIconSize + 1) / 2, m_hIcon,
                     m_nIconSize, m_nIconSize, 0, NULL, DI_NORMAL);
}

LRESULT CGradientTitle::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        Paint(hDC, client);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
