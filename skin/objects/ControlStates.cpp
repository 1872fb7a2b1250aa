#include "skin/objects/ControlStates.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const int kButtonTypeMask = 0x0F;
const int kLayoutKinds[12] = {7, 7, 3, 3, 4, 3, 3, 5, 0, 4, 0, 7};
const int kDefaultGlyph = 13;

RECT MakeRect(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}
}  // namespace

int ButtonType(DWORD style) { return (int)(style & kButtonTypeMask); }

bool IsPushLikeButton(DWORD style)
{
    int type = ButtonType(style);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW || (style & BS_PUSHLIKE);
}

bool IsCheckBoxType(int type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioType(int type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

int ButtonContentLayout(DWORD style)
{
    if (IsPushLikeButton(style))
        return 7;
    int type = ButtonType(style);
    return type < 12 ? kLayoutKinds[type] : 0;
}

VZRPartState ButtonPartState(DWORD style, bool enabled, bool pushed, bool hot, int check)
{
    int type = ButtonType(style);
    if (IsPushLikeButton(style)) {
        int state = !enabled                   ? 4
                    : pushed                   ? 3
                    : hot                      ? 2
                    : check                    ? 3
                    : type == BS_DEFPUSHBUTTON ? 5
                                               : 1;
        return {1, state};
    }
    int base = !enabled ? 4 : pushed ? 3
                          : hot      ? 2
                                     : 1;
    if (IsCheckBoxType(type)) {
        int state = base + (check ? 4 : 0);
        if (check == BST_INDETERMINATE && (type == BS_3STATE || type == BS_AUTO3STATE))
            state += 4;
        return {3, state};
    }
    if (IsRadioType(type))
        return {2, base + (check ? 4 : 0)};
    if (type == BS_GROUPBOX)
        return {4, enabled ? 1 : 2};
    return {0, 0};
}

RECT ButtonLayoutRect(int kind, const VZRButtonLayoutInput& in)
{
    RECT r = in.client;
    SIZE glyph = in.glyph;
    if (glyph.cx <= 0 || glyph.cy <= 0)
        glyph.cx = glyph.cy = kDefaultGlyph;
    switch (kind) {
    case 1:
    case 2: {
        int h = in.spaceHeight;
        int offset = (h + h / 4 - glyph.cy) / 2;
        int top;
        DWORD vertical = in.style & (BS_TOP | BS_BOTTOM);
        if (vertical == BS_TOP)
            top = r.top + offset;
        else if (vertical == BS_BOTTOM)
            top = r.bottom + offset - h - h / 4;
        else
            top = r.top + (r.bottom - r.top - glyph.cy) / 2;
        int left = (in.style & BS_LEFTTEXT) ? r.right - glyph.cx : r.left;
        return MakeRect(left, top, left + glyph.cx, top + glyph.cy);
    }
    case 3:
    case 4:
        if (in.style & BS_LEFTTEXT)
            r.right -= glyph.cx + 3;
        else
            r.left += glyph.cx + 3;
        return r;
    case 5: {
        if (!in.hasText)
            return MakeRect(0, 0, 0, 0);
        int width = in.text.cx + 2 * in.edges.cxEdge;
        int left = (in.style & (BS_LEFT | BS_RIGHT)) == BS_RIGHT ? r.right - in.edges.cxBorder - 6 - width
                                                                 : r.left + in.edges.cxBorder + 8;
        return MakeRect(left, r.top, left + width, r.top + in.text.cy);
    }
    case 6:
        r.top += in.spaceHeight / 2;
        return r;
    case 7:
        InflateRect(&r, -in.edges.cxEdge, -in.edges.cyEdge);
        return r;
    default:
        return r;
    }
}

POINT ButtonContentOrigin(const RECT& rect, SIZE content, DWORD style, bool pushLike, const VZREdges& edges)
{
    DWORD horizontal = style & (BS_LEFT | BS_RIGHT);
    if (!horizontal)
        horizontal = pushLike ? BS_CENTER : BS_LEFT;
    DWORD vertical = style & (BS_TOP | BS_BOTTOM);
    if (!vertical)
        vertical = BS_VCENTER;
    int cx = pushLike ? edges.cxBorder : 0;
    int cy = pushLike ? edges.cyBorder : 0;
    POINT pt;
    if (horizontal == BS_LEFT)
        pt.x = rect.left + cx;
    else if (horizontal == BS_RIGHT)
        pt.x = rect.right - content.cx - cx;
    else
        pt.x = rect.left + (rect.right - rect.left - content.cx) / 2;
    if (vertical == BS_TOP)
        pt.y = rect.top + cy;
    else if (vertical == BS_BOTTOM)
        pt.y = rect.bottom - content.cy - cy;
    else
        pt.y = rect.top + (rect.bottom - rect.top - content.cy) / 2;
    return pt;
}

int ComboState(bool enabled, bool pressed, bool hot) { return !enabled ? 4 : pressed ? 3
                                                                         : hot       ? 2
                                                                                     : 1; }

RECT ComboButtonRect(const RECT& client, int buttonWidth, DWORD exStyle)
{
    RECT r = client;
    if (exStyle & WS_EX_RIGHT)
        r.right = r.left + buttonWidth;
    else
        r.left = r.right - buttonWidth;
    return r;
}

int ProgressChunkCount(int length, int low, int high, int pos, int chunk, int space)
{
    if (high <= low || length <= 0)
        return 0;
    int filled = MulDiv(length, std::min(std::max(pos, low), high) - low, high - low);
    if (filled <= 0)
        return 0;
    chunk = std::max(chunk, 1);
    return (filled + space + chunk - 1) / (space + chunk);
}

int ProgressMarqueeStep(int interval, int chunk, int space) { return (interval <= 50 ? 2 : 1) * (chunk + space); }

int ProgressDefaultChunk(int across) { return across * 2 / 3; }

int SpinButtonState(int button, int hot, int pressed, bool active)
{
    if (!active)
        return 4;
    int other = button == kSpinUp ? kSpinDown : kSpinUp;
    if (pressed == button)
        return hot == button ? 3 : 2;
    if (hot == button)
        return pressed == other ? 1 : 2;
    return 1;
}

int SpinButtonAt(POINT pt, SIZE client, bool horizontal)
{
    if (pt.x < 0 || pt.y < 0 || pt.x >= client.cx || pt.y >= client.cy)
        return kSpinNone;
    if (horizontal) {
        int middle = client.cx / 2;
        return pt.x < middle ? kSpinDown : pt.x > middle ? kSpinUp
                                                         : kSpinNone;
    }
    int middle = client.cy / 2;
    return pt.y > middle ? kSpinDown : pt.y < middle ? kSpinUp
                                                     : kSpinNone;
}

namespace {
void TrackWidthRule(DWORD style, const VZREdges& edges, int& length, int& half)
{
    length = std::max(length, 2 * edges.cxEdge);
    half = (length / 2) | 1;
    if (style & TBS_ENABLESELRANGE) {
        if (style & TBS_FIXEDLENGTH)
            half = (length * 9 / 20) | 1;
        else
            length += half * 2 / 9;
    }
}
}  // namespace

VZRTrackGeometry TrackbarGeometry(DWORD style, const RECT& client, int fixedThumbLength, int cyHScroll,
                                  const VZREdges& edges)
{
    VZRTrackGeometry g = {};
    int height = client.bottom - client.top;
    int length = (style & TBS_FIXEDLENGTH) ? fixedThumbLength : 4 * cyHScroll / 3;
    int half = 0;
    TrackWidthRule(style, edges, length, half);
    if (length > 2 * edges.cxEdge && length > height) {
        length = (style & TBS_ENABLESELRANGE) ? (3 * height - 9 * edges.cyEdge) / 4 : height - 3 * edges.cyEdge;
        TrackWidthRule(style, edges, length, half);
    }
    int top = client.top;
    if ((style & (TBS_TOP | TBS_BOTH)) && !(style & TBS_NOTICKS))
        top += 8;
    g.thumbLength = length;
    g.halfWidth = half;
    g.tick.left = client.left + half + 2;
    g.tick.top = top + 2;
    g.tick.right = client.right - half - 2;
    g.tick.bottom = top + length + 2;
    g.trackWidth = std::max(1, (int)client.right - (2 * half + (int)client.left + 4));
    return g;
}

int TrackbarPixel(const VZRTrackGeometry& g, int value, int minimum, int maximum)
{
    if (minimum == maximum)
        return g.tick.left;
    return g.tick.left + MulDiv(value - minimum, std::max((int)(g.tick.right - g.tick.left - 1), 0), maximum - minimum);
}

int TrackbarThumbPart(DWORD style)
{
    if (style & TBS_BOTH)
        return (style & TBS_VERT) ? 6 : 3;
    if (style & TBS_VERT)
        return (style & TBS_LEFT) ? 7 : 8;
    return (style & TBS_TOP) ? 5 : 4;
}

int TrackbarThumbState(bool enabled, bool captured, bool focusShown, bool hot)
{
    return !enabled ? 5 : captured ? 3
                      : focusShown ? 4
                      : hot        ? 2
                                   : 1;
}

VZRToolbarBox ToolbarButtonBox(const VZRToolbarBoxInput& in)
{
    VZRToolbarBox b = {};
    const VZREdges& e = in.edges;
    int w = in.rect.right - in.rect.left;
    int h = in.rect.bottom - in.rect.top;
    b.x0 = in.rect.left + e.cxEdge;
    b.y0 = in.rect.top + e.cyEdge;
    b.width = w - 3 * e.cxEdge;
    b.height = h - 2 * e.cyEdge;
    b.imageRoom = w - 2 * e.cxEdge;
    bool dropArrows = (in.extendedStyle & TBSTYLE_EX_DRAWDDARROWS) && (in.buttonStyle & BTNS_DROPDOWN);
    bool whole = (in.buttonStyle & BTNS_WHOLEDROPDOWN) != 0;
    if (dropArrows || whole) {
        b.width -= 5;
        b.imageRoom -= 5;
    }
    b.split = dropArrows && !whole;
    b.arrow = (dropArrows || whole) && !b.split;
    b.dropWidth = b.split ? in.cyMenuCheck : 0;
    b.imageY = std::max(0, ((int)HIWORD(in.padding) - 2 * e.cyEdge) / 2);
    b.imageX = (b.imageRoom - in.image.cx) / 2;
    if (in.toolbarStyle & TBSTYLE_LIST)
        b.imageX = LOWORD(in.padding) / 2;
    if (b.split)
        b.imageX = (2 * e.cxEdge + b.imageRoom - in.image.cx - b.dropWidth) / 2;
    if (in.buttonState & (TBSTATE_CHECKED | TBSTATE_PRESSED))
        b.imageX += 1;
    return b;
}

int ToolbarButtonState(BYTE buttonState, bool hot)
{
    if (!(buttonState & TBSTATE_ENABLED))
        return 4;
    if (buttonState & TBSTATE_PRESSED)
        return 3;
    if (buttonState & TBSTATE_CHECKED)
        return 5;
    return hot ? 2 : 1;
}

RECT ToolbarSeparatorLine(const RECT& item, bool verticalBar, int thickness, const VZREdges& edges)
{
    RECT line = item;
    if (verticalBar) {
        thickness = std::max(1, std::min<int>(thickness, item.bottom - item.top));
        line.top = item.top + (item.bottom - item.top - thickness) / 2;
        line.bottom = line.top + thickness;
        line.left = std::min<LONG>(item.left + edges.cxEdge, item.right);
        line.right = std::max<LONG>(item.right - edges.cxEdge, line.left);
    } else {
        thickness = std::max(1, std::min<int>(thickness, item.right - item.left));
        line.left = item.left + (item.right - item.left - thickness) / 2;
        line.right = line.left + thickness;
        line.top = std::min<LONG>(item.top + edges.cyEdge, item.bottom);
        line.bottom = std::max<LONG>(item.bottom - edges.cyEdge, line.top);
    }
    return line;
}

VZRPartState TabItemPartState(int index, int count, int selected, int hot, bool buttons)
{
    bool isSelected = index == selected;
    if (buttons)
        return {1, isSelected ? 3 : 1};
    int state = isSelected ? 3 : index == hot ? 2
                                              : 1;
    int part = index == 0 ? 6 : (index == count - 1 && !isSelected) ? 7
                                                                    : 5;
    return {part, state};
}

RECT TabBand(DWORD style, const RECT& client, const RECT& selectedItem, int rowCount, int cyEdge)
{
    RECT band = client;
    if (style & TCS_VERTICAL) {
        if (style & TCS_RIGHT)
            band.left = selectedItem.left;
        else
            band.right = selectedItem.right;
    } else if (style & TCS_BOTTOM) {
        band.top = selectedItem.top;
    } else {
        band.bottom = cyEdge + rowCount * (selectedItem.bottom - selectedItem.top + client.top);
    }
    return band;
}

RECT TabPane(DWORD style, const RECT& client, const RECT& band)
{
    RECT pane = client;
    if (style & TCS_VERTICAL) {
        if (style & TCS_RIGHT)
            pane.right = band.left;
        else
            pane.left = band.right;
    } else if (style & TCS_BOTTOM) {
        pane.bottom = band.top;
    } else {
        pane.top = band.bottom;
    }
    return pane;
}

int HeaderItemState(int index, int hot, bool pressed)
{
    if (index != hot)
        return 1;
    return pressed ? 3 : 2;
}

int HeaderSortArrowX(const RECT& item, int textWidth, int cxEdge)
{
    int x = item.left + textWidth + 6 * cxEdge + 9;
    if (x + 9 > item.right - 3)
        x = item.right - 12;
    return std::max(x, (int)item.left + 6);
}
