#include "skin/objects/ControlPaint.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const DWORD kComCtl580 = 0x50050;
const int kItemText = 256;

struct HeaderItem {
    char text[kItemText];
    HDITEMA item;
};

void GetHeaderItem(HWND header, int index, HeaderItem& out)
{
    memset(&out, 0, sizeof(out));
    out.item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_LPARAM;
    out.item.pszText = out.text;
    out.item.cchTextMax = kItemText - 1;
    SendMessageA(header, HDM_GETITEMA, index, (LPARAM)&out.item);
    out.text[kItemText - 1] = 0;
}

int TextWidth(HDC dc, const char* text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

void SortArrow(CVZRSkinContext& skin, HDC dc, int x, int middle, bool up)
{
    POINT points[3];
    if (up) {
        points[0] = {x, middle + 2};
        points[1] = {x + 8, middle + 2};
        points[2] = {x + 4, middle - 2};
    } else {
        points[0] = {x, middle - 2};
        points[1] = {x + 8, middle - 2};
        points[2] = {x + 4, middle + 2};
    }
    CVZRBlendFunctions::Instance().Triangle(dc, points, SkinColor(skin, COLOR_BTNSHADOW));
}

void DrawHeaderItem(CVZRSkinContext& skin, HWND header, HDC dc, int index, RECT rect, bool pressed)
{
    HeaderItem hi;
    GetHeaderItem(header, index, hi);
    const HDITEMA& item = hi.item;
    if (item.fmt & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = GetDlgCtrlID(header);
        draw.itemID = index;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = pressed ? ODS_SELECTED : 0;
        draw.hwndItem = header;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = item.lParam;
        if (SendMessageA(GetParent(header), WM_DRAWITEM, draw.CtlID, (LPARAM)&draw))
            return;
    }
    VZREdges edges = SkinEdges(skin);
    int textWidth = TextWidth(dc, hi.text);
    RECT text = rect;
    HIMAGELIST images = (HIMAGELIST)SendMessageA(header, HDM_GETIMAGELIST, 0, 0);
    bool image = images && (item.fmt & HDF_IMAGE) && item.iImage >= 0 && item.iImage < ImageList_GetImageCount(images);
    if (image) {
        int margin = (int)SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0);
        if (margin == 0)
            margin = 3 * edges.cxEdge;
        int cx = 16, cy = 16;
        ImageList_GetIconSize(images, &cx, &cy);
        int y = rect.top + (rect.bottom - rect.top - cy) / 2;
        int x;
        if (item.fmt & HDF_BITMAP_ON_RIGHT) {
            x = rect.left + 2 * margin + textWidth + 9;
            x = std::max(std::min(x, (int)rect.right - 3 - cx), (int)rect.left + 6);
            text.right = x - 6;
        } else {
            x = rect.left + margin;
            text.left = rect.left + margin + cx;
        }
        ImageList_Draw(images, item.iImage, dc, x + (pressed ? 1 : 0), y, ILD_TRANSPARENT);
    } else if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
        int x = HeaderSortArrowX(rect, textWidth, edges.cxEdge);
        SortArrow(skin, dc, x, (rect.top + rect.bottom - 2) / 2, (item.fmt & HDF_SORTUP) != 0);
        text.right = x;
    }
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    int justify = item.fmt & HDF_JUSTIFYMASK;
    if (justify == HDF_RIGHT) {
        flags |= DT_RIGHT;
        text.left += 6;
        text.right -= 9;
    } else if (justify == HDF_CENTER) {
        flags |= DT_CENTER;
        text.left += 6;
        text.right -= 6;
    } else {
        text.left += 9;
        text.right -= 6;
    }
    if (text.right - text.left <= 0 || !hi.text[0])
        return;
    if (pressed)
        OffsetRect(&text, 1, 1);
    ::DrawTextA(dc, hi.text, -1, &text, flags);
}
}  // namespace

void ApplyListViewColors(CVZRSkinContext& skin, HWND list, bool skinned)
{
    COLORREF back = skinned ? SkinColor(skin, COLOR_WINDOW) : GetSysColor(COLOR_WINDOW);
    COLORREF text = skinned ? SkinColor(skin, COLOR_WINDOWTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    SendMessageA(list, LVM_SETBKCOLOR, 0, back);
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, text);
}

void ApplyTreeViewColors(CVZRSkinContext& skin, HWND tree, bool skinned)
{
    if (skinned) {
        SendMessageA(tree, TVM_SETBKCOLOR, 0, SkinColor(skin, COLOR_WINDOW));
        SendMessageA(tree, TVM_SETTEXTCOLOR, 0, SkinColor(skin, COLOR_WINDOWTEXT));
        SendMessageA(tree, TVM_SETLINECOLOR, 0, SkinColor(skin, COLOR_GRAYTEXT));
        return;
    }
    SendMessageA(tree, TVM_SETBKCOLOR, 0, (LPARAM)-1);
    SendMessageA(tree, TVM_SETTEXTCOLOR, 0, (LPARAM)-1);
    SendMessageA(tree, TVM_SETLINECOLOR, 0, (LPARAM)CLR_DEFAULT);
}

void PaintHeader(CVZRSkinContext& skin, HWND header, HDC dc, int hot, bool pressed, const VZRDefProc& defProc,
                 DWORD comctlVersion)
{
    RECT client;
    GetClientRect(header, &client);
    CVZRMemoryCanvas canvas(dc, client);
    FillRect(canvas, &client, SkinBrush(skin, COLOR_BTNFACE));
    RECT band = client;
    if ((GetWindowLongA(header, GWL_STYLE) & HDS_FILTERBAR) && comctlVersion >= kComCtl580) {
        band.bottom = band.top + (band.bottom - band.top - 1) / 2;
        if (defProc)
            defProc(WM_PAINT, (WPARAM)(HDC)canvas, 0);
    }
    CScopedSelect font(canvas, (HFONT)SendMessageA(header, WM_GETFONT, 0, 0));
    SetTextColor(canvas, SkinColor(skin, COLOR_BTNTEXT));
    SetBkMode(canvas, TRANSPARENT);
    CVZRThemeClass* theme = skin.LookupThemeClass("HEADER");
    int count = (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    int lastRight = client.left;
    for (int i = 0; i < count; ++i) {
        int index = (int)SendMessageA(header, HDM_ORDERTOINDEX, i, 0);
        RECT item = {0, 0, 0, 0};
        if (!SendMessageA(header, HDM_GETITEMRECT, index, (LPARAM)&item))
            continue;
        item.top = band.top;
        item.bottom = band.bottom;
        lastRight = std::max(lastRight, (int)item.right);
        if (item.right <= client.left || item.left >= client.right)
            continue;
        int state = HeaderItemState(index, hot, pressed);
        theme->DrawBackground(canvas, 1, state, &item);
        DrawHeaderItem(skin, header, canvas, index, item, pressed && index == hot);
    }
    if (lastRight < client.right) {
        RECT rest = {lastRight, band.top, client.right, band.bottom};
        theme->DrawBackground(canvas, 0, 0, &rest);
    }
}
