#include "installer/ui/VistaToolTipCtrl.h"

#include <algorithm>
#include <string>

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/SkinGeometry.h"

IMPLEMENT_DYNAMIC(CVistaToolTipCtrl, CToolTipCtrl)

CVistaToolTipCtrl::CVistaToolTipCtrl() : m_crText(RGB(0, 0, 0))
{
    m_borderPen.Attach(::CreatePen(PS_INSIDEFRAME, 1, RGB(189, 208, 224)));
}

CVistaToolTipCtrl::~CVistaToolTipCtrl() {}

// The tool's own window; the one under the pointer only when no tool is
// current, and never the tip itself.
HWND CVistaToolTipCtrl::ToolWindow(POINT pointer) const
{
    TOOLINFO ti = {};
    ti.cbSize = sizeof ti;
    if (::SendMessage(m_hWnd, TTM_GETCURRENTTOOL, 0, (LPARAM)&ti) && ti.hwnd &&
        ::IsWindow(ti.hwnd))
        return ti.hwnd;
    HWND hUnder = ::WindowFromPoint(pointer);
    return hUnder == m_hWnd ? NULL : hUnder;
}

RECT CVistaToolTipCtrl::PlaceFor(POINT pointer, HWND hTool, const char *pszText) const
{
    std::string text(pszText ? pszText : "");
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());

    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    TEXTMETRIC tm = {};
    ::GetTextMetrics(hDC, &tm);
    int width = 0, lines = 0;
    size_t start = 0;
    do {
        size_t end = text.find('\n', start);
        const std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        SIZE size = {0, 0};
        ::GetTextExtentPoint32(hDC, line.c_str(), (int)line.size(), &size);
        width = std::max(width, (int)size.cx);
        ++lines;
        start = end == std::string::npos ? text.size() + 1 : end + 1;
    } while (start <= text.size());
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);

    RECT tool = {pointer.x, pointer.y, pointer.x, pointer.y};
    if (hTool)
        ::GetWindowRect(hTool, &tool);
    const SkinRect r = SkinTipRect(pointer.x, tool.bottom, width, lines, tm.tmHeight,
                                   ::GetSystemMetrics(SM_CXSCREEN));
    RECT out = {r.left, r.top, r.right, r.bottom};
    return out;
}

void CVistaToolTipCtrl::OnPaint()
{
    POINT pointer;
    ::GetCursorPos(&pointer);
    char text[1024] = "";
    ::GetWindowText(m_hWnd, text, sizeof text);
    const RECT place = PlaceFor(pointer, ToolWindow(pointer), text);
    RECT now;
    ::GetWindowRect(m_hWnd, &now);
    if (!::EqualRect(&now, &place))
        ::SetWindowPos(m_hWnd, NULL, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);

    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    {
        CScopedSelect pen(hDC, m_borderPen);
        CScopedSelect brush(hDC, ::GetStockObject(NULL_BRUSH));
        ::RoundRect(hDC, client.left, client.top, client.right, client.bottom, 5, 5);
    }
    RECT inner = client;
    ::InflateRect(&inner, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    inner.bottom += 1;
    const int height = inner.bottom - inner.top;
    for (int y = 0; y < height; ++y) {
        RECT row = {inner.left, inner.top + y, inner.right, inner.top + y + 1};
        CScopedBrush brush(::CreateSolidBrush(SkinTipBandColour(SkinTipBand(y, height))));
        ::FillRect(hDC, &row, brush);
    }
    CScopedSelect font(hDC, (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    ::SetTextColor(hDC, m_crText);
    ::SetBkMode(hDC, TRANSPARENT);
    ::DrawText(hDC, text, -1, &inner, DT_WORDBREAK);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CVistaToolTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCPAINT:
        return 0;
    case WM_PRINT:
        ::SendMessage(m_hWnd, WM_PAINT, 0, 0);
        return 0;
    case WM_PRINTCLIENT:
        return 0;
    }
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}
