// The measuring side of the installer's skin, free of windows: border
// splits and tiles, caption button rectangles, the frame's hit test, nine
// slices of a button cell, colour values of the theme file and the tooltip's
// place. Hit codes are the system's HT values.
#pragma once
#include <string>
#include <vector>

struct SkinRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

enum SkinHit {
    kHitClient = 1,
    kHitCaption = 2,
    kHitSysMenu = 3,
    kHitMinButton = 8,
    kHitMaxButton = 9,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
    kHitClose = 20
};

// Start and end of the stretchable middle of a border bitmap of the length;
// the end never falls on or before the start.
struct SkinSplit {
    int start, end;
};
SkinSplit SkinSplitOf(int length, int fixedStart, int fixedEnd);

// One copy of a border piece: source offset and length along the border,
// destination offset.
struct SkinPiece {
    int src, dest, length;
};
// Start piece, middle tiles cut at the span's end, end piece ending at the
// span's end.
std::vector<SkinPiece> SkinBorderPieces(int bitmapLength, SkinSplit split, int from,
                                        int span);

// Frames in a caption button bitmap; a count below 1 is taken as 3.
int SkinImageCount(int count);

// A caption button's place from the theme: {XCoord - frame width, YCoord,
// XCoord, YCoord + bitmap height}.
SkinRect SkinButtonPlacement(int xCoord, int yCoord, int bitmapWidth, int bitmapHeight,
                             int imageCount);
// In window coordinates for a window of the width (empty placement: empty).
SkinRect SkinButtonRect(const SkinRect &placement, int windowWidth);

struct SkinFrameMetrics {
    int captionHeight, leftWidth, rightWidth, bottomHeight;
    int iconWidth, iconHeight;  // the small icon, drawn at (leftWidth, 5)
};

struct SkinHitInput {
    SkinRect close, maximise, minimise;  // window coordinates, empty when absent
    bool minimiseBox, maximiseBox, resizable, maximised;
};

int SkinHitTest(const SkinFrameMetrics &m, const SkinHitInput &in, int width, int height,
                int x, int y);

// Client area of a window rectangle inside the skinned frame.
SkinRect SkinClientRect(const SkinFrameMetrics &m, const SkinRect &window);

// Nine source and destination rectangles of a cell drawn over a width and
// height: the corners unscaled, edges and centre stretched. Order: top-left,
// top-right, bottom-left, bottom-right, top, bottom, left, right, centre.
struct SkinSlice {
    SkinRect src, dest;
};
std::vector<SkinSlice> SkinNineSlices(const SkinRect &cell, int width, int height, int top,
                                      int left, int right, int bottom);

// The cell of a skin button state (0 normal, 1 hover, 2 pressed, 3 focused,
// 4 disabled) in the five-cell bitmap.
int SkinButtonCell(int state);
// The state of a button from its flags.
int SkinButtonState(bool enabled, bool focused, bool hovered, bool held);

// "r g b" (blanks, tabs or line feeds between) as a COLORREF value; the
// default when the text is empty or a number is missing.
unsigned SkinParseColour(const std::string &text, unsigned fallback);
// A theme file value's name part joined to the ini file's folder.
std::string SkinThemeFile(const std::string &iniPath, const std::string &value);

// The tooltip's box: below the tool's window, from the pointer, kept 25
// pixels from the right edge of the screen.
SkinRect SkinTipRect(int pointerX, int toolBottom, int textWidth, int lines, int lineHeight,
                     int screenWidth);

// Band i (1 to 255) of a gradient over a length: its start and end offsets
// and its colour between the two ends.
int SkinBandStart(int length, int band);
unsigned SkinBandColour(unsigned from, unsigned to, int band);

// What a bitmap push button shows: state images 0 normal, 1 pressed,
// 2 disabled, 3 hover or focus (-1: none), and how far its text moves.
struct SkinPushLook {
    int first, second;
    int textShift;
    bool greyText;
};
SkinPushLook SkinPushButtonLook(bool focused, bool hovered, bool pressed, bool disabled);

// The moving picture of the banner advances 10 pixels; past the right edge
// it comes back from the left, three quarters of its width outside.
int SkinBannerStep(int x, int backgroundWidth, int movingWidth);

// The 64-band light-blue fill of the tooltip: band of a row, colour of a band.
int SkinTipBand(int row, int height);
unsigned SkinTipBandColour(int band);
