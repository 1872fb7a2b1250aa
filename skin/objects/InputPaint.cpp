#include "skin/objects/ControlPaint.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemeSchema.h"

#include <commctrl.h>

namespace {
const int kBgType = 4001;
const int kBorderColor = 3801;
const DWORD kComCtl610 = 0x6000A;

int Metric(CVZRSkinContext& skin, int index)
{
    return skin.m_pMetrics ? skin.m_pMetrics->GetSystemMetric(index) : GetSystemMetrics(index);
}

void FrameOnePixel(HDC dc, const RECT& r, HBRUSH brush) { FrameRect(dc, &r, brush); }

void FrameColour(HDC dc, const RECT& r, COLORREF colour)
{
    CScopedBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush);
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    CScopedBrush tl(CreateSolidBrush(topLeft)), br(CreateSolidBrush(bottomRight));
    RECT top = {r.left, r.top, r.right - 1, r.top + 1};
    RECT leftEdge = {r.left, r.top, r.left + 1, r.bottom - 1};
    RECT right = {r.right - 1, r.top, r.right, r.bottom};
    RECT bottom = {r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(dc, &top, tl);
    FillRect(dc, &leftEdge, tl);
    FillRect(dc, &right, br);
    FillRect(dc, &bottom, br);
}

// A drop-down combo: the system's own painting, then the skin's border and button.
void PaintDropDown(CVZRSkinContext& skin, HWND combo, HDC dc, bool hot, const VZRDefProc& defProc)
{
    RECT client;
    GetClientRect(combo, &client);
    bool enabled = IsWindowEnabled(combo) != FALSE;
    bool pressed = GetKeyState(VK_LBUTTON) < 0 && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0);
    hot = hot || GetCapture() == combo;
    CVZRMemoryCanvas canvas(dc, client);
    UINT message = InputCtlColorMessage(combo, true);
    HBRUSH background = FillControlBackground(skin, combo, canvas, client, message);
    if (defProc)
        defProc(WM_PAINT, (WPARAM)(HDC)canvas, 0);
    CVZRThemeClass* theme = skin.LookupThemeClass("COMBOBOX");
    int state = ComboState(enabled, pressed, hot);
    int width = Metric(skin, SM_CXVSCROLL);
    DWORD exStyle = (DWORD)GetWindowLongA(combo, GWL_EXSTYLE);
    bool left = (exStyle & WS_EX_RIGHT) != 0;
    RECT strip = ComboButtonRect(client, width + 3, exStyle);
    FillRect(canvas, &strip, background);
    int type = theme->GetEnum(0, state, kBgType, 0);
    if (type == 0) {
        RECT inner = client;
        InflateRect(&inner, -3, -3);
        if (left)
            inner.left += width;
        else
            inner.right -= width;
        int saved = SaveDC(canvas);
        ExcludeClipRect(canvas, inner.left, inner.top, inner.right, inner.bottom);
        theme->DrawBackground(canvas, 0, state, &client);
        RestoreDC(canvas, saved);
    } else if (type == 1) {
        FrameColour(canvas, client, theme->GetColor(0, state, kBorderColor, SkinColor(skin, COLOR_WINDOWFRAME)));
        RECT ring = client;
        InflateRect(&ring, -1, -1);
        if (left)
            ring.left += width;
        else
            ring.right -= width;
        FrameOnePixel(canvas, ring, background);
        InflateRect(&ring, -1, -1);
        FrameOnePixel(canvas, ring, background);
    }
    RECT button = ComboButtonRect(client, width, exStyle);
    theme->DrawBackground(canvas, 1, state, &button);
}

// A simple combo: only the border of its edit field.
void PaintSimpleCombo(CVZRSkinContext& skin, HWND combo, HDC dc)
{
    RECT field;
    GetClientRect(combo, &field);
    field.bottom = field.top + (int)SendMessageA(combo, CB_GETITEMHEIGHT, (WPARAM)-1, 0) + 2 * Metric(skin, SM_CYDLGFRAME);
    CVZRThemeClass* theme = skin.LookupThemeClass("EDIT");
    HBRUSH brush = GetControlBrush(skin, combo, dc, InputCtlColorMessage(combo, true));
    if (theme->GetEnum(0, 0, kBgType, 0) == 1) {
        FrameColour(dc, field, theme->GetColor(0, 0, kBorderColor, SkinColor(skin, COLOR_WINDOWFRAME)));
        InflateRect(&field, -1, -1);
        FrameOnePixel(dc, field, brush);
    } else {
        CVZRSkinSystemMetrics* m = skin.m_pMetrics;
        COLORREF shadow = m ? m->GetShadow() : GetSysColor(COLOR_BTNSHADOW);
        COLORREF highlight = m ? m->GetHighlight() : GetSysColor(COLOR_BTNHIGHLIGHT);
        COLORREF dark = m ? m->GetDarkShadow() : GetSysColor(COLOR_3DDKSHADOW);
        COLORREF light = m ? m->GetLight() : GetSysColor(COLOR_3DLIGHT);
        Draw3dRect(dc, field, shadow, highlight);
        InflateRect(&field, -1, -1);
        Draw3dRect(dc, field, dark, light);
    }
    InflateRect(&field, -1, -1);
    FrameOnePixel(dc, field, brush);
}
}  // namespace

UINT InputCtlColorMessage(HWND window, bool fromChild)
{
    if (!IsWindowEnabled(window))
        return WM_CTLCOLORSTATIC;
    HWND source = fromChild ? GetWindow(window, GW_CHILD) : window;
    if (source && (GetWindowLongA(source, GWL_STYLE) & ES_READONLY))
        return WM_CTLCOLORSTATIC;
    return WM_CTLCOLOREDIT;
}

void PaintComboBox(CVZRSkinContext& skin, HWND combo, HDC dc, bool hot, const VZRDefProc& defProc)
{
    DWORD kind = (DWORD)GetWindowLongA(combo, GWL_STYLE) & 3;
    if (kind == CBS_SIMPLE || kind == 0)
        PaintSimpleCombo(skin, combo, dc);
    else
        PaintDropDown(skin, combo, dc, hot, defProc);
}

void PaintDateTime(CVZRSkinContext& skin, HWND picker, HDC dc, bool hot, DWORD comctlVersion,
                   const VZRDefProc& defProc)
{
    RECT client;
    GetClientRect(picker, &client);
    bool enabled = IsWindowEnabled(picker) != FALSE;
    hot = hot || GetCapture() == picker;
    DWORD style = (DWORD)GetWindowLongA(picker, GWL_STYLE);
    COLORREF back = SkinColor(skin, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    CVZRMemoryCanvas canvas(dc, client);
    {
        CScopedBrush brush(CreateSolidBrush(back));
        FillRect(canvas, &client, brush);
    }
    if (defProc)
        defProc(WM_PRINTCLIENT, (WPARAM)(HDC)canvas, PRF_CLIENT);
    else
        SendMessageA(picker, WM_PRINTCLIENT, (WPARAM)(HDC)canvas, PRF_CLIENT);
    CVZRThemeClass* combo = skin.LookupThemeClass("COMBOBOX");
    int state = !enabled ? 4 : hot ? 2
                                   : 1;
    int type = combo->GetEnum(0, state, kBgType, 0);
    int width = Metric(skin, SM_CXVSCROLL);
    CScopedBrush backBrush(CreateSolidBrush(back));
    if (comctlVersion < kComCtl610) {
        if (!(style & DTS_UPDOWN)) {
            RECT strip = {client.right - width - 3, client.top, client.right, client.bottom};
            FillRect(canvas, &strip, backBrush);
        }
    } else if (type == 0) {
        RECT inner = client;
        InflateRect(&inner, -2, -2);
        int saved = SaveDC(canvas);
        ExcludeClipRect(canvas, inner.left, inner.top, inner.right, inner.bottom);
        combo->DrawBackground(canvas, 0, state, &client);
        RestoreDC(canvas, saved);
    } else if (type == 1) {
        FrameColour(canvas, client, combo->GetColor(0, state, kBorderColor, SkinColor(skin, COLOR_WINDOWFRAME)));
        RECT ring = client;
        InflateRect(&ring, -1, -1);
        FrameOnePixel(canvas, ring, backBrush);
    }
    if (style & DTS_SHOWNONE) {
        RECT square = client;
        InflateRect(&square, -1, -1);
        square.right = square.left + (square.bottom - square.top);
        FillRect(canvas, &square, backBrush);
        CVZRThemeClass* button = skin.LookupThemeClass("BUTTON");
        SIZE size = {0, 0};
        if (!button->GetPartSize(3, 1, NULL, kPartSizeDraw, &size) || size.cx <= 0 || size.cy <= 0)
            size.cx = size.cy = 13;
        RECT box;
        box.left = square.left + (square.right - square.left - size.cx) / 2;
        box.top = square.top + (square.bottom - square.top - size.cy) / 2;
        box.right = box.left + size.cx;
        box.bottom = box.top + size.cy;
        SYSTEMTIME time;
        bool none = SendMessageA(picker, DTM_GETSYSTEMTIME, 0, (LPARAM)&time) == GDT_NONE;
        int boxState = none ? (enabled ? 1 : 4) : (enabled ? 5 : 8);
        button->DrawBackground(canvas, 3, boxState, &box);
    }
    if (!(style & DTS_UPDOWN) && comctlVersion < kComCtl610) {
        RECT strip = {client.right - width, client.top, client.right, client.bottom};
        FillRect(canvas, &strip, backBrush);
        combo->DrawBackground(canvas, 1, state, &strip);
    }
}

void SetCalendarColors(CVZRSkinContext& skin, HWND window, bool dateTime)
{
    UINT message = dateTime ? DTM_SETMCCOLOR : MCM_SETCOLOR;
    const int colours[][2] = {{MCSC_BACKGROUND, COLOR_WINDOW}, {MCSC_MONTHBK, COLOR_WINDOW}, {MCSC_TEXT, COLOR_WINDOWTEXT}, {MCSC_TITLEBK, COLOR_ACTIVECAPTION}, {MCSC_TITLETEXT, COLOR_CAPTIONTEXT}, {MCSC_TRAILINGTEXT, COLOR_GRAYTEXT}};
    for (const auto& c : colours)
        SendMessageA(window, message, c[0], SkinColor(skin, c[1]));
}

void StripInputBorders(HWND window)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (style & WS_BORDER)
        SetWindowLongA(window, GWL_STYLE, style & ~WS_BORDER);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    SetWindowPos(window, NULL, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
