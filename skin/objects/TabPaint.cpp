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
const int kItemText = 256;
const DWORD kComCtl6 = 0x60000;
const DWORD kEmbossRop = 0xB8074A;
const int kToolbarSeparator = 5;
const int kToolbarSeparatorVert = 6;
const int kTrueSize = 1;  // TS_TRUE

int Metric(CVZRSkinContext& skin, int index)
{
    return skin.m_pMetrics ? skin.m_pMetrics->GetSystemMetric(index) : GetSystemMetrics(index);
}

bool IsVerticalTab(DWORD style) { return (style & TCS_VERTICAL) != 0; }

void DrawTabItem(CVZRSkinContext& skin, HWND tab, HDC dc, const RECT& client, int index, int count, int hot)
{
    RECT rect = {0, 0, 0, 0};
    RECT overlap;
    if (!SendMessageA(tab, TCM_GETITEMRECT, index, (LPARAM)&rect) || !IntersectRect(&overlap, &rect, &client))
        return;
    DWORD style = (DWORD)GetWindowLongA(tab, GWL_STYLE);
    int selected = (int)SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    bool isSelected = index == selected;
    bool buttons = (style & TCS_BUTTONS) != 0;
    VZRPartState ps = TabItemPartState(index, count, selected, hot, buttons);
    CVZRThemeClass* theme = skin.LookupThemeClass(buttons ? "BUTTON" : "TAB");
    if (isSelected && !buttons)
        InflateRect(&rect, 2, 2);
    theme->DrawBackground(dc, ps.part, ps.state, &rect);
    VZREdges edges = SkinEdges(skin);
    RECT textRect = rect;
    bool vertical = IsVerticalTab(style);
    char text[kItemText] = "";
    TCITEMA item = {};
    item.mask = TCIF_IMAGE | TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kItemText - 1;
    item.iImage = -1;
    SendMessageA(tab, TCM_GETITEMA, index, (LPARAM)&item);
    text[kItemText - 1] = 0;
    HIMAGELIST images = (HIMAGELIST)SendMessageA(tab, TCM_GETIMAGELIST, 0, 0);
    if (images && item.iImage >= 0) {
        int cx = 16, cy = 16;
        ImageList_GetIconSize(images, &cx, &cy);
        POINT at = {rect.left, rect.top};
        if (vertical) {
            at.x += (style & TCS_RIGHT) ? 1 : edges.cxEdge;
            at.y += 2 * edges.cyEdge;
            textRect.top += edges.cyEdge + cy;
        } else {
            at.x += 2 * edges.cxEdge;
            at.y += (style & TCS_BOTTOM) ? 1 : edges.cyEdge;
            textRect.left += edges.cxEdge + cx;
        }
        ImageList_Draw(images, item.iImage, dc, at.x, at.y, ILD_TRANSPARENT);
    }
    if (text[0]) {
        SetTextColor(dc, SkinColor(skin, COLOR_BTNTEXT));
        LRESULT uiState = SendMessageA(tab, WM_QUERYUISTATE, 0, 0);
        UINT flags;
        if (vertical) {
            SIZE extent = {0, 0};
            GetTextExtentPoint32A(dc, text, (int)strlen(text), &extent);
            int width = textRect.right - textRect.left;
            int height = textRect.bottom - textRect.top;
            textRect.left = textRect.right - (width - extent.cy + 1) / 2;
            textRect.top = textRect.top + (height - extent.cx + 1) / 2;
            flags = DT_NOCLIP | DT_SINGLELINE;
        } else {
            flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
            if (uiState & UISF_HIDEACCEL)
                flags |= DT_HIDEPREFIX;
            if (buttons) {
                if (!isSelected)
                    textRect.top -= 1;
            } else {
                textRect.top += isSelected ? -2 : 1;
                if (index == 0)
                    textRect.right -= 3;
            }
        }
        theme->DrawText(dc, ps.part, ps.state, text, -1, flags, &textRect);
    }
    if (isSelected && GetFocus() == tab && !(SendMessageA(tab, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = rect;
        InflateRect(&focus, -edges.cxEdge / 2, -edges.cyEdge / 2);
        DrawFocusRect(dc, &focus);
    }
}
}  // namespace

RECT GetTabBand(CVZRSkinContext& skin, HWND tab)
{
    RECT client;
    GetClientRect(tab, &client);
    int selected = (int)SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    RECT item = {0, 0, 0, 0};
    SendMessageA(tab, TCM_GETITEMRECT, selected >= 0 ? selected : 0, (LPARAM)&item);
    int rows = (int)SendMessageA(tab, TCM_GETROWCOUNT, 0, 0);
    return TabBand((DWORD)GetWindowLongA(tab, GWL_STYLE), client, item, rows, SkinEdges(skin).cyEdge);
}

void PaintTabBackground(CVZRSkinContext& skin, HWND tab, HDC dc, const RECT& rect)
{
    FillControlBackground(skin, tab, dc, rect, WM_CTLCOLORSTATIC);
    DWORD style = (DWORD)GetWindowLongA(tab, GWL_STYLE);
    if (style & TCS_BUTTONS)
        return;
    RECT client;
    GetClientRect(tab, &client);
    RECT pane = TabPane(style, client, GetTabBand(skin, tab));
    skin.LookupThemeClass("TAB")->DrawBackground(dc, 9, 0, &pane);
}

void PaintTab(CVZRSkinContext& skin, HWND tab, HDC dc, int hot)
{
    RECT client;
    GetClientRect(tab, &client);
    DWORD style = (DWORD)GetWindowLongA(tab, GWL_STYLE);
    RECT band = GetTabBand(skin, tab);
    if (IsVerticalTab(style)) {
        if (style & TCS_RIGHT)
            band.left -= 2;
        else
            band.right += 2;
    } else if (style & TCS_BOTTOM) {
        band.top -= 2;
    } else {
        band.bottom += 2;
    }
    IntersectRect(&band, &band, &client);
    CVZRMemoryCanvas canvas(dc, band);
    PaintTabBackground(skin, tab, canvas, client);
    CScopedSelect font(canvas, (HFONT)SendMessageA(tab, WM_GETFONT, 0, 0));
    SetBkMode(canvas, TRANSPARENT);
    int count = (int)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        DrawTabItem(skin, tab, canvas, client, i, count, hot);
    int selected = (int)SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    if (selected >= 0 && selected < count)
        DrawTabItem(skin, tab, canvas, client, selected, count, hot);
}

int TabItemAt(HWND tab, POINT pt)
{
    int count = (int)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (SendMessageA(tab, TCM_GETITEMRECT, i, (LPARAM)&r) && PtInRect(&r, pt))
            return i;
    }
    return -1;
}

CString GetToolbarButtonText(HWND toolbar, int command)
{
    // The message takes no buffer size: the length comes first.
    LRESULT length = SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, 0);
    CString text;
    if (length <= 0)
        return text;
    std::vector<char> buffer((size_t)length + 1, 0);
    SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, (LPARAM)buffer.data());
    buffer[(size_t)length] = 0;
    text = buffer.data();
    if (text.GetLength() > kItemText - 1)
        text = text.Left(kItemText - 1);
    return text;
}

namespace {
bool IsAlphaList(HIMAGELIST list)
{
    IMAGEINFO info = {};
    if (!ImageList_GetImageInfo(list, 0, &info))
        return false;
    BITMAP bm = {};
    return GetObjectA(info.hbmImage, sizeof(bm), &bm) && bm.bmBitsPixel == 32;
}

void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y, COLORREF back, UINT style, DWORD rop,
                   DWORD state = 0)
{
    IMAGELISTDRAWPARAMS p = {};
    p.cbSize = state ? sizeof(p) : IMAGELISTDRAWPARAMS_V3_SIZE;
    p.himl = list;
    p.i = index;
    p.hdcDst = dc;
    p.x = x;
    p.y = y;
    p.rgbBk = back;
    p.rgbFg = CLR_DEFAULT;
    p.fStyle = style;
    p.dwRop = rop;
    p.fState = state;
    ImageList_DrawIndirect(&p);
}

void DrawEmbossed(CVZRSkinContext& skin, HIMAGELIST list, int index, HDC dc, int x, int y, SIZE image)
{
    int w = image.cx + 1, h = image.cy + 1;
    CScopedMemDC mem(::CreateCompatibleDC(dc));
    CScopedBitmap mono(CreateBitmap(w, h, 1, 1, NULL));
    CScopedSelect monoSelected(mem, mono);
    PatBlt(mem, 0, 0, w, h, WHITENESS);
    DrawListImage(list, index, mem, 0, 0, SkinColor(skin, COLOR_BTNFACE), ILD_MASK | ILD_ROP, SRCCOPY);
    DrawListImage(list, index, mem, 0, 0, SkinColor(skin, COLOR_BTNHIGHLIGHT), ILD_IMAGE | ILD_ROP, SRCPAINT);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        CScopedSelect brush(dc, SkinBrush(skin, COLOR_BTNHIGHLIGHT));
        BitBlt(dc, x + 1, y + 1, w, h, mem, 0, 0, kEmbossRop);
    }
    {
        CScopedSelect brush(dc, SkinBrush(skin, COLOR_BTNSHADOW));
        BitBlt(dc, x, y, w, h, mem, 0, 0, kEmbossRop);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

struct ToolbarLists {
    HIMAGELIST normal, hot, disabled;
    SIZE image;
};

void DrawToolbarButton(CVZRSkinContext& skin, HWND toolbar, HDC dc, const TBBUTTON& button, const RECT& rect,
                       bool hot, const ToolbarLists& lists, DWORD comctlVersion)
{
    DWORD style = (DWORD)GetWindowLongA(toolbar, GWL_STYLE);
    VZRToolbarBoxInput in = {};
    in.rect = rect;
    in.toolbarStyle = style;
    in.extendedStyle = (DWORD)SendMessageA(toolbar, TB_GETEXTENDEDSTYLE, 0, 0);
    in.buttonStyle = button.fsStyle;
    in.buttonState = button.fsState;
    in.padding = (DWORD)SendMessageA(toolbar, TB_GETPADDING, 0, 0);
    in.image = lists.image;
    in.cyMenuCheck = Metric(skin, SM_CYMENUCHECK);
    in.edges = SkinEdges(skin);
    VZRToolbarBox box = ToolbarButtonBox(in);
    int state = ToolbarButtonState(button.fsState, hot);
    bool pushed = (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0;
    bool enabled = (button.fsState & TBSTATE_ENABLED) != 0;
    CVZRThemeClass* theme = skin.LookupThemeClass("TOOLBAR");
    if (box.split) {
        RECT main = rect, drop = rect;
        main.right -= box.dropWidth;
        drop.left = main.right;
        theme->DrawBackground(dc, 3, state, &main);
        theme->DrawBackground(dc, 4, state, &drop);
    } else {
        theme->DrawBackground(dc, 1, state, &rect);
    }
    bool list = (style & TBSTYLE_LIST) != 0;
    bool hasImage = button.iBitmap >= 0;
    int x = box.x0 + box.imageX, y = box.y0 + box.imageY;
    if (hasImage && !(list && button.iBitmap == I_IMAGENONE && (button.fsStyle & BTNS_AUTOSIZE))) {
        HIMAGELIST chosen = (hot || (button.fsState & TBSTATE_CHECKED)) && lists.hot ? lists.hot
                            : enabled                                                ? lists.normal
                                                                                     : lists.disabled;
        if (!chosen)
            chosen = lists.normal;
        if (chosen) {
            if (enabled || lists.disabled)
                DrawListImage(chosen, button.iBitmap, dc, x, y, SkinColor(skin, COLOR_BTNFACE), ILD_TRANSPARENT, 0);
            else if (comctlVersion >= kComCtl6 && IsAlphaList(chosen) && ImageList_GetBkColor(chosen) == CLR_NONE)
                DrawListImage(chosen, button.iBitmap, dc, x, y, SkinColor(skin, COLOR_BTNFACE), ILD_TRANSPARENT, 0,
                              ILS_SATURATE);
            else
                DrawEmbossed(skin, chosen, button.iBitmap, dc, x, y, lists.image);
        }
    }
    CString text = button.fsStyle & BTNS_SEP ? CString() : GetToolbarButtonText(toolbar, button.idCommand);
    if (!text.IsEmpty()) {
        RECT tr = {box.x0, box.y0, box.x0 + box.width, box.y0 + box.height};
        if (pushed)
            OffsetRect(&tr, 1, list ? 1 : 0);
        bool withImage = hasImage && lists.normal;
        if (list)
            tr.left += withImage ? 2 * in.edges.cxEdge + lists.image.cx : in.edges.cxEdge;
        else if (withImage)
            tr.top += box.imageY + lists.image.cy;
        UINT flags = SendMessageA(toolbar, TB_GETTEXTROWS, 0, 0) <= 1 ? DT_END_ELLIPSIS | DT_SINGLELINE
                                                                      : DT_END_ELLIPSIS | DT_EDITCONTROL | DT_WORDBREAK;
        flags |= list ? DT_VCENTER | DT_SINGLELINE : DT_CENTER;
        SetTextColor(dc, SkinColor(skin, enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
        SetBkMode(dc, TRANSPARENT);
        OffsetRect(&tr, 1, 1);
        ::DrawTextA(dc, text, -1, &tr, flags);
    }
    if (box.arrow) {
        int ax = rect.right - 6 + (pushed ? 1 : 0);
        int ay = (rect.top + rect.bottom) / 2 + (pushed ? 1 : 0);
        POINT points[3] = {{ax - 2, ay - 1}, {ax + 2, ay - 1}, {ax, ay + 1}};
        CVZRBlendFunctions::Instance().Triangle(dc, points, SkinColor(skin, COLOR_BTNTEXT));
    }
}
// The separator part drawn as a line in the item, not over all of it: the
// item is as wide as the gap it leaves between buttons.
void DrawToolbarSeparator(CVZRSkinContext& skin, CVZRThemeClass* theme, HDC dc, const RECT& item, bool verticalBar)
{
    const int part = verticalBar ? kToolbarSeparatorVert : kToolbarSeparator;
    SIZE size = {0, 0};
    int thickness = 2;
    if (theme->GetPartSize(part, 0, &item, kTrueSize, &size) && (verticalBar ? size.cy : size.cx) > 0)
        thickness = verticalBar ? size.cy : size.cx;
    RECT line = ToolbarSeparatorLine(item, verticalBar, thickness, SkinEdges(skin));
    if (!IsRectEmpty(&line))
        theme->DrawBackground(dc, part, 0, &line);
}
}  // namespace

void PaintToolbar(CVZRSkinContext& skin, HWND toolbar, HDC dc, DWORD comctlVersion)
{
    RECT client;
    GetClientRect(toolbar, &client);
    CVZRMemoryCanvas canvas(dc, client);
    FillRect(canvas, &client, SkinBrush(skin, COLOR_BTNFACE));
    CScopedSelect font(canvas, (HFONT)SendMessageA(toolbar, WM_GETFONT, 0, 0));
    NMCUSTOMDRAW draw = {};
    draw.hdr.hwndFrom = toolbar;
    draw.hdr.idFrom = GetDlgCtrlID(toolbar);
    draw.hdr.code = NM_CUSTOMDRAW;
    draw.dwDrawStage = CDDS_PREPAINT;
    draw.hdc = canvas;
    draw.rc = client;
    if (GetParent(toolbar))
        SendMessageA(GetParent(toolbar), WM_NOTIFY, draw.hdr.idFrom, (LPARAM)&draw);
    ToolbarLists lists;
    lists.normal = (HIMAGELIST)SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0);
    lists.hot = (HIMAGELIST)SendMessageA(toolbar, TB_GETHOTIMAGELIST, 0, 0);
    lists.disabled = (HIMAGELIST)SendMessageA(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0);
    lists.image.cx = lists.image.cy = 16;
    if (lists.normal) {
        int cx = 16, cy = 16;
        ImageList_GetIconSize(lists.normal, &cx, &cy);
        lists.image.cx = cx;
        lists.image.cy = cy;
    }
    int hot = (int)SendMessageA(toolbar, TB_GETHOTITEM, 0, 0);
    int count = (int)SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0);
    CVZRThemeClass* theme = skin.LookupThemeClass("TOOLBAR");
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!SendMessageA(toolbar, TB_GETBUTTON, i, (LPARAM)&button) || (button.fsState & TBSTATE_HIDDEN))
            continue;
        RECT rect = {0, 0, 0, 0};
        if (!SendMessageA(toolbar, TB_GETITEMRECT, i, (LPARAM)&rect))
            continue;
        if (button.fsStyle & BTNS_SEP) {
            DrawToolbarSeparator(skin, theme, canvas, rect, (GetWindowLongA(toolbar, GWL_STYLE) & CCS_VERT) != 0);
            continue;
        }
        DrawToolbarButton(skin, toolbar, canvas, button, rect, i == hot, lists, comctlVersion);
    }
}
