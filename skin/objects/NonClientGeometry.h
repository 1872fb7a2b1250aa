// Window-free geometry of skinned non-client areas: border counts and widths,
// the client rectangle, caption buttons by style, caption corner shapes, and
// scroll bar layout, hit codes and positions.
#pragma once

#include <cstdint>
#include <vector>

struct SkinRect {
    int left, top, right, bottom;
};

// Style bits as the system defines them.
namespace skinstyle {
const uint32_t kBorder = 0x00800000;
const uint32_t kDlgFrame = 0x00400000;
const uint32_t kCaption = 0x00C00000;
const uint32_t kSysMenu = 0x00080000;
const uint32_t kThickFrame = 0x00040000;
const uint32_t kMinimizeBox = 0x00020000;
const uint32_t kMaximizeBox = 0x00010000;
const uint32_t kHScroll = 0x00100000;
const uint32_t kVScroll = 0x00200000;
const uint32_t kChild = 0x40000000;
const uint32_t kExDlgModalFrame = 0x00000001;
const uint32_t kExToolWindow = 0x00000080;
const uint32_t kExWindowEdge = 0x00000100;
const uint32_t kExClientEdge = 0x00000200;
const uint32_t kExContextHelp = 0x00000400;
const uint32_t kExLeftScrollBar = 0x00004000;
const uint32_t kExStaticEdge = 0x00020000;
const uint32_t kExLayoutRtl = 0x00400000;
}  // namespace skinstyle

// The rounding multiply-divide of the system: -1 for a zero divisor.
int SkinMulDiv(int number, int numerator, int denominator);

// Border units of a style pair.
int BorderCount(uint32_t style, uint32_t exStyle, bool withFrame, bool withClientEdge, int borderMultiplier);

struct FrameMetrics {
    int cxBorder, cyBorder, cxEdge, cyEdge;
    int borderMultiplier;
    int captionHeight, smallCaptionHeight;
};

// Border widths (left, top with the caption, right, bottom) of a window that is
// not a maximized captioned top-level window.
SkinRect FrameBorders(uint32_t style, uint32_t exStyle, const FrameMetrics& m);
// Those of a maximized captioned top-level window whose adjusted 100 x 100
// rectangle overhangs by `overhang` on the left.
SkinRect MaximizedFrameBorders(uint32_t exStyle, int overhang, const FrameMetrics& m);

// Caption button glyphs, numbered as the frame-control caption states.
const int kGlyphClose = 0;
const int kGlyphMinimise = 1;
const int kGlyphMaximise = 2;
const int kGlyphRestore = 3;
const int kGlyphHelp = 4;
// The glyph as rectangles to fill, centred in the area and sized by it: drawn
// without a glyph font. Empty for an unknown glyph or an empty area.
std::vector<SkinRect> CaptionGlyphRects(int glyph, const SkinRect& area);

struct NonClientBars {
    bool horizontal, vertical;
};

// The client rectangle in a window rectangle: less the borders and the scroll bars.
SkinRect NonClientClientRect(const SkinRect& window, const SkinRect& borders, uint32_t style, uint32_t exStyle,
                             int vBarWidth, int hBarHeight);
// A non-client scroll bar's rectangle next to a client rectangle.
SkinRect NonClientScrollBarRect(const SkinRect& client, bool vertical, uint32_t exStyle, int vBarWidth,
                                int hBarHeight);

// Caption buttons of a style pair, right to left.
struct CaptionButtonSlot {
    int hitCode;
    int part;
    int command;
    bool enabled;
};
const int kHitMinButton = 8;
const int kHitMaxButton = 9;
const int kHitClose = 20;
const int kHitHelp = 21;
const int kScMinimize = 0xF020;
const int kScMaximize = 0xF030;
const int kScClose = 0xF060;
const int kScRestore = 0xF120;
const int kScContextHelp = 0xF180;
std::vector<CaptionButtonSlot> CaptionButtonSlots(uint32_t style, uint32_t exStyle, bool maximized, bool minimized,
                                                  bool closeDisabledInMenu);

// Caption button size from the close image's frame (0 x 0 without one) and the
// height g that the caption leaves.
int CaptionButtonHeight(int topBorder, int correction, int borderCount, int cxBorder, uint32_t exStyle);
void CaptionButtonSize(int g, bool toolWindow, int frameWidth, int frameHeight, int* width, int* height);
int CaptionButtonTop(uint32_t style, uint32_t exStyle, int borderMultiplier, int topBorder, int height);

// Key-colour shapes of a caption image drawn at a window's top border height.
struct PixelRun {
    int y, x0, x1;  // [x0, x1)
};
struct CaptionCorners {
    std::vector<PixelRun> left;   // from x = 0
    std::vector<PixelRun> right;  // x relative to width - rightMargin
    int transparentRows = 0;
};
// pixels: width x height, 0x00RRGGBB, top row first.
CaptionCorners ScanCaptionCorners(const uint32_t* pixels, int width, int height, uint32_t key, int leftMargin,
                                  int rightMargin);

// Scroll bar hit codes.
const int kScrollNone = 0;
const int kScrollFirstArrow = 60;
const int kScrollSecondArrow = 61;
const int kScrollPageBefore = 62;
const int kScrollPageAfter = 63;
const int kScrollThumb = 64;

const int kBarHorz = 0;
const int kBarVert = 1;
const int kBarCtl = 2;

// One scroll bar: its values and layout along and across its axis.
struct CVZRScrollBarInfo {
    int nMin = 0, nMax = 0, nPage = 0, nPos = 0;
    int start = 0, end = 0;
    int crossStart = 0, crossEnd = 0;
    int thumbLength = 0;
    int firstArrowEnd = 0, secondArrowStart = 0;
    int dragThumbTop = 0;
    int thumbBottom = 0, thumbTop = 0;
    int trackLength = 0;
    int firstThumbPos = 0;
    SkinRect rect = {0, 0, 0, 0};
    int hotPart = kScrollNone;
    int pressed = 0;  // the hot part is held down
    int vertical = 0;
    int barType = kBarHorz;
    int visible = 0;
};

// arrow: the arrow's length metric (vertical arrow height or horizontal arrow width).
void CalcScrollBarInfo(const SkinRect& rect, CVZRScrollBarInfo& bar, int nMin, int nMax, int nPage, int nPos,
                       int arrow);
int HitTestScrollBar(const CVZRScrollBarInfo& bar, int x, int y);
int PosFromPixel(const CVZRScrollBarInfo& bar, int pixel);
// The part pressed at a coordinate along the axis and the span that tracks it.
int ScrollPressPart(const CVZRScrollBarInfo& bar, int along, int* spanStart, int* spanEnd);
// The thumb top a drag puts at a coordinate: within the track, or back at the
// drag's start when the cursor left the tracking rectangle.
int DragThumbTop(const CVZRScrollBarInfo& bar, int along, int offset, bool inside);
