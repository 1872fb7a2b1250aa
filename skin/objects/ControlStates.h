// Parts, states and rectangles of the skinned controls as functions of their
// styles and states: what the control skins paint, before any drawing.
#pragma once

#include <windows.h>

// Theme part and state of what a control paints.
struct VZRPartState {
    int part;
    int state;
};

// Border and edge sizes the layouts use (from the skin metrics).
struct VZREdges {
    int cxBorder;
    int cyBorder;
    int cxEdge;
    int cyEdge;
};

// ---- buttons
int ButtonType(DWORD style);
bool IsPushLikeButton(DWORD style);
bool IsCheckBoxType(int type);
bool IsRadioType(int type);
// Layout kind of the content: 7 push, 3 check text, 4 radio text, 5 group caption, 0 client.
int ButtonContentLayout(DWORD style);
// The part and state of a button of that style; part 0 draws nothing.
VZRPartState ButtonPartState(DWORD style, bool enabled, bool pushed, bool hot, int check);

struct VZRButtonLayoutInput {
    RECT client;
    DWORD style;
    SIZE glyph;       // the glyph part's size
    int spaceHeight;  // height of a space in the button's font
    SIZE text;        // caption extent (group boxes)
    bool hasText;
    VZREdges edges;
};
// Layout rectangles 0 to 7 (1 and 2 glyphs, 3 and 4 texts beside them,
// 5 group caption, 6 group frame, 7 push content).
RECT ButtonLayoutRect(int kind, const VZRButtonLayoutInput& in);
// Where content of that size goes in the rectangle by the alignment bits.
POINT ButtonContentOrigin(const RECT& rect, SIZE content, DWORD style, bool pushLike, const VZREdges& edges);

// ---- combo box and date-time
int ComboState(bool enabled, bool pressed, bool hot);
// The drop button's rectangle: at the right, or the left for WS_EX_RIGHT.
RECT ComboButtonRect(const RECT& client, int buttonWidth, DWORD exStyle);

// ---- progress
// Chunks that a bar of that length fills at the position; none for an empty range.
int ProgressChunkCount(int length, int low, int high, int pos, int chunk, int space);
// How far the marquee moves on each tick.
int ProgressMarqueeStep(int interval, int chunk, int space);
// Default chunk across a bar of that thickness.
int ProgressDefaultChunk(int across);

// ---- up-down
const int kSpinNone = 0;
const int kSpinDown = 1;  // down or left
const int kSpinUp = 2;    // up or right
int SpinButtonState(int button, int hot, int pressed, bool active);
int SpinButtonAt(POINT pt, SIZE client, bool horizontal);

// ---- trackbar
struct VZRTrackGeometry {
    int thumbLength;
    int halfWidth;
    RECT tick;
    int trackWidth;
};
// client is taken with x and y swapped for vertical trackbars.
VZRTrackGeometry TrackbarGeometry(DWORD style, const RECT& client, int fixedThumbLength, int cyHScroll,
                                  const VZREdges& edges);
int TrackbarPixel(const VZRTrackGeometry& g, int value, int minimum, int maximum);
int TrackbarThumbPart(DWORD style);
int TrackbarThumbState(bool enabled, bool captured, bool focusShown, bool hot);

// ---- toolbar
struct VZRToolbarBox {
    int x0, y0, width, height, imageRoom;
    int dropWidth;  // the split part, 0 without one
    bool arrow;     // a drop arrow is drawn in the button
    bool split;
    int imageX, imageY;  // offsets from (x0, y0)
};
struct VZRToolbarBoxInput {
    RECT rect;
    DWORD toolbarStyle;
    DWORD extendedStyle;  // TB_GETEXTENDEDSTYLE
    BYTE buttonStyle;
    BYTE buttonState;
    DWORD padding;  // TB_GETPADDING
    SIZE image;
    int cyMenuCheck;
    VZREdges edges;
};
VZRToolbarBox ToolbarButtonBox(const VZRToolbarBoxInput& in);
int ToolbarButtonState(BYTE buttonState, bool hot);
// The line a separator item draws: across the middle of the item, thickness
// wide (the part's own width, or 2), clear of the item's ends by the edges.
// Vertical tool bars (CCS_VERT) get a horizontal line.
RECT ToolbarSeparatorLine(const RECT& item, bool verticalBar, int thickness, const VZREdges& edges);

// ---- tabs
VZRPartState TabItemPartState(int index, int count, int selected, int hot, bool buttons);
// The strip that holds the tabs.
RECT TabBand(DWORD style, const RECT& client, const RECT& selectedItem, int rowCount, int cyEdge);
// The client without the band.
RECT TabPane(DWORD style, const RECT& client, const RECT& band);

// ---- header
int HeaderItemState(int index, int hot, bool pressed);
// Left edge of the sort arrow for an item of that text width.
int HeaderSortArrowX(const RECT& item, int textWidth, int cxEdge);
