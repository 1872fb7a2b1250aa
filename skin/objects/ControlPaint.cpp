#include "skin/objects/ControlPaint.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/theme/SkinContext.h"

namespace {
const int kLastColorIndex = 30;
}

VZREdges SkinEdges(CVZRSkinContext& skin)
{
    CVZRSkinSystemMetrics* m = skin.m_pMetrics;
    if (!m)
        return {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER), GetSystemMetrics(SM_CXEDGE),
                GetSystemMetrics(SM_CYEDGE)};
    return {m->GetSystemMetric(SM_CXBORDER), m->GetSystemMetric(SM_CYBORDER), m->GetSystemMetric(SM_CXEDGE),
            m->GetSystemMetric(SM_CYEDGE)};
}

COLORREF SkinColor(CVZRSkinContext& skin, int index)
{
    return skin.m_pMetrics ? skin.m_pMetrics->GetColor(index) : GetSysColor(index);
}

HBRUSH SkinBrush(CVZRSkinContext& skin, int index)
{
    HBRUSH brush = skin.m_pMetrics ? skin.m_pMetrics->GetBrush(index) : NULL;
    return brush ? brush : GetSysColorBrush(index);
}

namespace {
// The parent's brush; NULL when it gave none.
HBRUSH AskParent(CVZRSkinContext& skin, HWND window, HDC dc, UINT message)
{
    HWND parent = GetParent(window);
    if (!parent)
        return NULL;
    LRESULT answer = SendMessageA(parent, message, (WPARAM)dc, (LPARAM)window);
    if (!answer)
        return NULL;
    if (answer <= kLastColorIndex)
        return SkinBrush(skin, (int)answer - 1);
    return (HBRUSH)answer;
}
}  // namespace

HBRUSH GetControlBrush(CVZRSkinContext& skin, HWND window, HDC dc, UINT message)
{
    HBRUSH brush = AskParent(skin, window, dc, message);
    if (brush)
        return brush;
    if (GetParent(window) && (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX))
        return SkinBrush(skin, COLOR_WINDOW);
    return SkinBrush(skin, COLOR_BTNFACE);
}

HBRUSH FillControlBackground(CVZRSkinContext& skin, HWND window, HDC dc, const RECT& rect, UINT message)
{
    HBRUSH brush = AskParent(skin, window, dc, message);
    if (!brush)
        brush = SkinBrush(skin, COLOR_BTNFACE);
    FillRect(dc, &rect, brush);
    return brush;
}

void TrackMouseLeave(HWND window)
{
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, window, HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
}
