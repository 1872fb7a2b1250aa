#include "skin/objects/ControlPaint.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {
const int kChunkSize = 2411;
const int kSpaceSize = 2412;
const int kTickColor = 204;
const int kBorderColor = 3801;
const int kMarqueeChunks = 5;

int Metric(CVZRSkinContext& skin, int index)
{
    return skin.m_pMetrics ? skin.m_pMetrics->GetSystemMetric(index) : GetSystemMetrics(index);
}

void FillColour(HDC dc, const RECT& r, COLORREF colour)
{
    CScopedBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush);
}

// A rectangle given with x and y swapped, back in window terms.
RECT Swap(const RECT& r)
{
    RECT out = {r.top, r.left, r.bottom, r.right};
    return out;
}

void SendPrepaint(HWND control, HDC dc, const RECT& client)
{
    NMCUSTOMDRAW draw = {};
    draw.hdr.hwndFrom = control;
    draw.hdr.idFrom = GetDlgCtrlID(control);
    draw.hdr.code = NM_CUSTOMDRAW;
    draw.dwDrawStage = CDDS_PREPAINT;
    draw.hdc = dc;
    draw.rc = client;
    HWND parent = GetParent(control);
    if (parent)
        SendMessageA(parent, WM_NOTIFY, draw.hdr.idFrom, (LPARAM)&draw);
}
}  // namespace

void PaintPopupMenuBorder(HWND menu, HDC dc)
{
    RECT window, client;
    GetWindowRect(menu, &window);
    GetClientRect(menu, &client);
    MapWindowPoints(menu, NULL, reinterpret_cast<POINT*>(&client), 2);
    int border = client.left - window.left;
    RECT r = {0, 0, window.right - window.left, window.bottom - window.top};
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    for (int i = 1; i < border; ++i) {
        InflateRect(&r, -1, -1);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_MENU));
    }
}

void PaintPopupMenuClient(CVZRSkinContext& skin, HWND menu, HDC dc, const VZRDefProc& defProc)
{
    RECT client;
    GetClientRect(menu, &client);
    CVZRMemoryCanvas canvas(dc, client);
    FillRect(canvas, &client, SkinBrush(skin, COLOR_MENU));
    SetBkMode(canvas, TRANSPARENT);
    if (defProc)
        defProc(WM_PRINTCLIENT, (WPARAM)(HDC)canvas, PRF_CLIENT);
}

void PaintProgress(CVZRSkinContext& skin, HWND progress, HDC dc, int marqueeOffset)
{
    RECT client;
    GetClientRect(progress, &client);
    DWORD style = (DWORD)GetWindowLongA(progress, GWL_STYLE);
    bool vertical = (style & PBS_VERTICAL) != 0;
    CVZRMemoryCanvas canvas(dc, client);
    FillRect(canvas, &client, SkinBrush(skin, COLOR_BTNFACE));
    CVZRThemeClass* theme = skin.LookupThemeClass("PROGRESS");
    theme->DrawBackground(canvas, vertical ? 2 : 1, 0, &client);
    RECT inner = client;
    if (vertical)
        InflateRect(&inner, -3, -4);
    else
        InflateRect(&inner, -4, -3);
    int across = vertical ? client.right - client.left : client.bottom - client.top;
    int chunk = std::max(1, theme->GetInt(0, 0, kChunkSize, ProgressDefaultChunk(across)));
    int space = theme->GetInt(0, 0, kSpaceSize, 2);
    int chunkPart = vertical ? 4 : 3;
    if (style & PBS_MARQUEE) {
        int x = inner.left + marqueeOffset;
        for (int i = 0; i < kMarqueeChunks; ++i) {
            if (x >= inner.right)
                x = inner.left;
            RECT r = {x, inner.top, std::min(x + chunk, (int)inner.right), inner.bottom};
            theme->DrawBackground(canvas, chunkPart, 1, &r);
            x += chunk + space;
        }
        return;
    }
    PBRANGE range = {0, 0};
    SendMessageA(progress, PBM_GETRANGE, FALSE, (LPARAM)&range);
    int pos = (int)SendMessageA(progress, PBM_GETPOS, 0, 0);
    int length = vertical ? client.bottom - client.top : client.right - client.left;
    int count = ProgressChunkCount(length, range.iLow, range.iHigh, pos, chunk, space);
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (vertical) {
            int bottom = inner.bottom - i * (chunk + space);
            if (bottom <= client.top + 1)
                break;
            r = {inner.left, std::max(bottom - chunk, (int)client.top + 1), inner.right, bottom};
        } else {
            int left = inner.left + i * (chunk + space);
            if (left >= client.right - 1)
                break;
            r = {left, inner.top, std::min(left + chunk, (int)client.right - 1), inner.bottom};
        }
        theme->DrawBackground(canvas, chunkPart, 1, &r);
    }
}

int AdvanceMarquee(CVZRSkinContext& skin, HWND progress, int offset, int interval)
{
    RECT client;
    GetClientRect(progress, &client);
    CVZRThemeClass* theme = skin.LookupThemeClass("PROGRESS");
    int chunk = std::max(1, theme->GetInt(0, 0, kChunkSize, (2 * (client.bottom - client.top) - 12) / 3));
    int space = theme->GetInt(0, 0, kSpaceSize, 2);
    offset += ProgressMarqueeStep(interval, chunk, space);
    return offset > client.right ? 0 : offset;
}

void PaintSpin(CVZRSkinContext& skin, HWND spin, HDC dc, int hot, int pressed)
{
    RECT client;
    GetClientRect(spin, &client);
    DWORD style = (DWORD)GetWindowLongA(spin, GWL_STYLE);
    CVZRMemoryCanvas canvas(dc, client);
    FillRect(canvas, &client, SkinBrush(skin, COLOR_BTNFACE));
    int low = 0, high = 0;
    SendMessageA(spin, UDM_GETRANGE32, (WPARAM)&low, (LPARAM)&high);
    bool active = low != high && IsWindowEnabled(spin);
    RECT area = client;
    HWND buddy = (HWND)SendMessageA(spin, UDM_GETBUDDY, 0, 0);
    if (buddy && (GetWindowLongA(buddy, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) {
        bool right = (style & UDS_ALIGNRIGHT) != 0;
        area.left += right ? 0 : 1;
        area.top += 1;
        area.right -= right ? 1 : 0;
        area.bottom -= 1;
        CVZRThemeClass* edit = skin.LookupThemeClass("EDIT");
        CScopedBrush border(CreateSolidBrush(edit->GetColor(0, 0, kBorderColor, SkinColor(skin, COLOR_WINDOWFRAME))));
        FrameRect(canvas, &client, border);
        int x = right ? client.left : client.right - 1;
        RECT column = {x, client.top + 1, x + 1, client.bottom - 1};
        FillColour(canvas, column, SkinColor(skin, COLOR_WINDOW));
    }
    CVZRThemeClass* theme = skin.LookupThemeClass("SPIN");
    int downState = SpinButtonState(kSpinDown, hot, pressed, active);
    int upState = SpinButtonState(kSpinUp, hot, pressed, active);
    if (style & UDS_HORZ) {
        int middle = area.left + (area.right - area.left) / 2;
        RECT left = {area.left, area.top, middle, area.bottom};
        RECT right = {middle, area.top, area.right, area.bottom};
        theme->DrawBackground(canvas, 4, downState, &left);
        theme->DrawBackground(canvas, 3, upState, &right);
        return;
    }
    int middle = area.top + (area.bottom - area.top) / 2;
    RECT upper = {area.left, area.top, area.right, middle};
    RECT lower = {area.left, middle, area.right, area.bottom};
    theme->DrawBackground(canvas, 1, upState, &upper);
    theme->DrawBackground(canvas, 2, downState, &lower);
}

namespace {
// One tick of 1 x 3 pixels at the pixel along the bar (swapped coordinates).
void Tick(HDC dc, bool vertical, int along, int from, bool down, HBRUSH brush)
{
    RECT r = {along, down ? from : from - 2, along + 1, down ? from + 3 : from + 1};
    if (vertical)
        r = Swap(r);
    FillRect(dc, &r, brush);
}

void Wedge(HDC dc, bool vertical, int along, int from, bool down, int direction, HBRUSH brush)
{
    for (int column = 0; column < 3; ++column) {
        int height = 3 - column;
        int x = along + direction * column;
        RECT r = {x, down ? from : from - height + 1, x + 1, down ? from + height : from + 1};
        if (vertical)
            r = Swap(r);
        FillRect(dc, &r, brush);
    }
}
}  // namespace

void PaintTrackbar(CVZRSkinContext& skin, HWND trackbar, HDC dc, bool hot, int tickFrequency)
{
    RECT client;
    GetClientRect(trackbar, &client);
    DWORD style = (DWORD)GetWindowLongA(trackbar, GWL_STYLE);
    bool vertical = (style & TBS_VERT) != 0;
    CVZRMemoryCanvas canvas(dc, client);
    SendPrepaint(trackbar, canvas, client);
    FillControlBackground(skin, trackbar, canvas, client, WM_CTLCOLORSTATIC);
    bool focused = GetFocus() == trackbar && !(SendMessageA(trackbar, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if (focused) {
        SetBkColor(canvas, SkinColor(skin, COLOR_BTNHIGHLIGHT));
        DrawFocusRect(canvas, &client);
    }
    RECT swapped = vertical ? Swap(client) : client;
    VZRTrackGeometry g = TrackbarGeometry(style, swapped, (int)SendMessageA(trackbar, TBM_GETTHUMBLENGTH, 0, 0),
                                          Metric(skin, SM_CYHSCROLL), SkinEdges(skin));
    CVZRThemeClass* theme = skin.LookupThemeClass("TRACKBAR");
    if (!(style & TBS_NOTICKS)) {
        CScopedBrush tick(CreateSolidBrush(theme->GetColor(vertical ? 10 : 9, 1, kTickColor, SkinColor(skin, COLOR_BTNTEXT))));
        int minimum = (int)SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0);
        int maximum = (int)SendMessageA(trackbar, TBM_GETRANGEMAX, 0, 0);
        bool below = !(style & TBS_TOP) || (style & TBS_BOTH);
        bool above = (style & (TBS_TOP | TBS_BOTH)) != 0;
        std::vector<std::pair<int, bool>> sides;
        if (below)
            sides.push_back({(int)g.tick.bottom + 1, true});
        if (above)
            sides.push_back({(int)g.tick.top - 1, false});
        // The control's array holds the ticks between the ends: two fewer than it counts.
        int inner = std::max(0, (int)SendMessageA(trackbar, TBM_GETNUMTICS, 0, 0) - 2);
        const DWORD* ticks = inner ? (const DWORD*)SendMessageA(trackbar, TBM_GETPTICS, 0, 0) : NULL;
        std::vector<DWORD> values(ticks ? ticks : NULL, ticks ? ticks + inner : NULL);
        int frequency = std::max(tickFrequency, 1);
        for (const auto& side : sides) {
            int first = TrackbarPixel(g, minimum, minimum, maximum);
            int last = TrackbarPixel(g, maximum, minimum, maximum);
            Tick(canvas, vertical, first, side.first, side.second, tick);
            Tick(canvas, vertical, first + 1, side.first, side.second, tick);
            Tick(canvas, vertical, last, side.first, side.second, tick);
            Tick(canvas, vertical, last - 1, side.first, side.second, tick);
            for (size_t i = 0; i < values.size(); ++i) {
                if ((i + 1) % frequency == 0)
                    Tick(canvas, vertical, TrackbarPixel(g, (int)values[i], minimum, maximum), side.first,
                         side.second, tick);
            }
            int start = (int)SendMessageA(trackbar, TBM_GETSELSTART, 0, 0);
            int end = (int)SendMessageA(trackbar, TBM_GETSELEND, 0, 0);
            if ((style & TBS_ENABLESELRANGE) && start < end && end >= minimum) {
                HBRUSH text = SkinBrush(skin, COLOR_BTNTEXT);
                Wedge(canvas, vertical, TrackbarPixel(g, start, minimum, maximum), side.first, side.second, -1, text);
                Wedge(canvas, vertical, TrackbarPixel(g, end, minimum, maximum), side.first, side.second, 1, text);
            }
        }
    }
    RECT channel = {0, 0, 0, 0};
    SendMessageA(trackbar, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    if (vertical)
        channel = Swap(channel);
    theme->DrawBackground(canvas, vertical ? 2 : 1, 1, &channel);
    if (style & TBS_NOTHUMB)
        return;
    RECT thumb = {0, 0, 0, 0};
    SendMessageA(trackbar, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    int state = TrackbarThumbState(IsWindowEnabled(trackbar) != FALSE, GetCapture() == trackbar, focused, hot);
    theme->DrawBackground(canvas, TrackbarThumbPart(style), state, &thumb);
}
