#include "skin/objects/ControlPaint.h"

#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemeSchema.h"

#include <vector>

namespace {
const int kTextColor = 3803;

SIZE GlyphSize(CVZRThemeClass* theme, int part)
{
    SIZE size = {0, 0};
    if (!theme->GetPartSize(part, 1, NULL, kPartSizeDraw, &size) || size.cx <= 0 || size.cy <= 0)
        size.cx = size.cy = 13;
    return size;
}

CString WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    CString text;
    if (length > 0) {
        GetWindowTextA(window, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

SIZE ImageSize(HANDLE image, bool icon)
{
    SIZE size = {0, 0};
    if (!icon) {
        BITMAP bm = {};
        if (GetObjectA(image, sizeof(bm), &bm)) {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight;
        }
        return size;
    }
    ICONINFO info = {};
    if (GetIconInfo((HICON)image, &info)) {
        CScopedBitmap mask(info.hbmMask), colour(info.hbmColor);
        BITMAP bm = {};
        GetObjectA(mask, sizeof(bm), &bm);
        size.cx = bm.bmWidth;
        size.cy = colour ? bm.bmHeight : bm.bmHeight / 2;
    }
    return size;
}

UINT AlignmentFlags(DWORD style, bool pushLike)
{
    DWORD horizontal = style & (BS_LEFT | BS_RIGHT);
    if (!horizontal)
        horizontal = pushLike ? BS_CENTER : BS_LEFT;
    DWORD vertical = style & (BS_TOP | BS_BOTTOM);
    UINT flags = horizontal == BS_RIGHT ? DT_RIGHT : horizontal == BS_CENTER ? DT_CENTER
                                                                             : DT_LEFT;
    if (vertical == BS_TOP)
        flags |= DT_TOP;
    else if (vertical == BS_BOTTOM)
        flags |= DT_BOTTOM;
    else
        flags |= DT_VCENTER;
    return flags;
}

void DrawContent(HWND button, HDC dc, const RECT& client, const VZRButtonLayoutInput& in, bool enabled)
{
    DWORD style = in.style;
    bool pushLike = IsPushLikeButton(style);
    int type = ButtonType(style);
    RECT rc = ButtonLayoutRect(pushLike ? 7 : ButtonContentLayout(style), in);
    bool multi = (style & BS_MULTILINE) != 0;
    LRESULT uiState = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
    SIZE size = {0, 0};
    bool drawn = false;
    POINT at = {0, 0};
    if (style & (BS_BITMAP | BS_ICON)) {
        bool icon = (style & BS_ICON) != 0;
        HANDLE image = (HANDLE)SendMessageA(button, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0);
        if (image) {
            size = ImageSize(image, icon);
            at = ButtonContentOrigin(rc, size, style, pushLike, in.edges);
            DrawStateA(dc, NULL, NULL, (LPARAM)image, 0, at.x, at.y, size.cx, size.cy,
                       (icon ? DST_ICON : DST_BITMAP) | (enabled ? 0 : DSS_DISABLED));
            drawn = true;
        }
    } else {
        CString text = WindowText(button);
        if (!text.IsEmpty()) {
            UINT flags = multi ? DT_NOCLIP | DT_WORDBREAK | DT_EDITCONTROL : DT_NOCLIP | DT_SINGLELINE;
            RECT calc = {0, 0, rc.right - rc.left, 0};
            ::DrawTextA(dc, text, -1, &calc, flags | DT_CALCRECT);
            size.cx = calc.right - calc.left;
            size.cy = calc.bottom - calc.top;
            if (pushLike && !multi)
                InflateRect(&rc, -in.edges.cxBorder, -in.edges.cyBorder);
            at = ButtonContentOrigin(rc, size, style, pushLike, in.edges);
            if (GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_RTLREADING)
                flags |= DT_RTLREADING;
            if (uiState & UISF_HIDEACCEL)
                flags |= DT_HIDEPREFIX;
            if (type != BS_USERBUTTON) {
                if (multi) {
                    RECT target = {at.x, at.y, at.x + size.cx, at.y + size.cy};
                    ::DrawTextA(dc, text, -1, &target, flags);
                } else {
                    ::DrawTextA(dc, text, -1, &rc, flags | AlignmentFlags(style, pushLike));
                }
            }
            drawn = true;
        }
    }
    if (GetFocus() != button || (uiState & UISF_HIDEFOCUS))
        return;
    RECT focus;
    if (pushLike) {
        focus = ButtonLayoutRect(7, in);
        InflateRect(&focus, -in.edges.cxBorder, -in.edges.cyBorder);
    } else if (type == BS_USERBUTTON) {
        focus = client;
    } else {
        if (!drawn)
            return;
        RECT box = {at.x - in.edges.cxBorder, at.y - in.edges.cyBorder, at.x + size.cx + in.edges.cxEdge,
                    at.y + size.cy + in.edges.cyEdge};
        IntersectRect(&focus, &box, &client);
    }
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void DrawButtonFace(CVZRSkinContext& skin, HWND button, HDC dc, const RECT& client, bool hot, bool pushed)
{
    DWORD style = (DWORD)GetWindowLongA(button, GWL_STYLE);
    bool enabled = IsWindowEnabled(button) != FALSE;
    int check = (int)SendMessageA(button, BM_GETCHECK, 0, 0);
    hot = hot || GetCapture() == button;
    VZRPartState ps = ButtonPartState(style, enabled, pushed, hot, check);
    CVZRThemeClass* theme = skin.LookupThemeClass("BUTTON");
    int type = ButtonType(style);

    VZRButtonLayoutInput in = {};
    in.client = client;
    in.style = style;
    in.edges = SkinEdges(skin);
    in.glyph = GlyphSize(theme, IsRadioType(type) ? 2 : 3);
    SIZE space = {0, 0};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    in.spaceHeight = space.cy;
    CString text = WindowText(button);
    in.hasText = !text.IsEmpty();
    if (in.hasText)
        GetTextExtentPoint32A(dc, text, text.GetLength(), &in.text);

    COLORREF textColour = SkinColor(skin, COLOR_BTNTEXT);
    if (ps.part == 1) {
        theme->DrawBackground(dc, 1, ps.state, &client);
    } else if (ps.part == 3 || ps.part == 2) {
        RECT glyph = ButtonLayoutRect(ps.part == 3 ? 1 : 2, in);
        theme->DrawBackground(dc, ps.part, ps.state, &glyph);
    } else if (ps.part == 4) {
        RECT frame = ButtonLayoutRect(6, in);
        theme->DrawBackground(dc, 4, ps.state, &frame);
        RECT caption = ButtonLayoutRect(5, in);
        if (!IsRectEmpty(&caption))
            FillControlBackground(skin, button, dc, caption, WM_CTLCOLORBTN);
    }
    if (ps.part)
        textColour = theme->GetColor(ps.part, ps.state, kTextColor, textColour);
    SetTextColor(dc, textColour);
    DrawContent(button, dc, client, in, enabled);
}
}  // namespace

bool IsSkinnedButton(HWND button)
{
    int type = ButtonType((DWORD)GetWindowLongA(button, GWL_STYLE));
    return type <= BS_PUSHBOX;
}

void PaintButton(CVZRSkinContext& skin, HWND button, HDC dc, bool hot, bool pushed)
{
    if (!IsSkinnedButton(button))
        return;
    RECT client;
    GetClientRect(button, &client);
    HFONT font = (HFONT)SendMessageA(button, WM_GETFONT, 0, 0);
    char className[64] = "";
    GetClassNameA(button, className, sizeof(className));
    bool forms = strstr(className, "WindowsForms") != NULL;
    if (ButtonType((DWORD)GetWindowLongA(button, GWL_STYLE)) != BS_GROUPBOX || forms) {
        CVZRMemoryCanvas canvas(dc, client);
        FillControlBackground(skin, button, canvas, client, WM_CTLCOLORBTN);
        CScopedSelect selected(canvas, font);
        SetBkMode(canvas, TRANSPARENT);
        DrawButtonFace(skin, button, canvas, client, hot, pushed);
        return;
    }
    CScopedSelect selected(dc, font);
    COLORREF oldBack = SetBkColor(dc, SkinColor(skin, COLOR_BTNFACE));
    DrawButtonFace(skin, button, dc, client, hot, pushed);
    SetBkColor(dc, oldBack);
}
