#include "installer/ui/SkinGeometry.h"

#include <cstdlib>

SkinSplit SkinSplitOf(int length, int fixedStart, int fixedEnd)
{
    SkinSplit s = {fixedStart, length - fixedEnd};
    if (s.end <= s.start)
        s.end = s.start + 1;
    return s;
}

std::vector<SkinPiece> SkinBorderPieces(int bitmapLength, SkinSplit split, int from,
                                        int span)
{
    std::vector<SkinPiece> pieces;
    if (span <= 0 || bitmapLength <= 0)
        return pieces;
    const int end = from + span;
    const int startLength = split.start < span ? split.start : span;
    if (startLength > 0)
        pieces.push_back({0, from, startLength});
    const int middle = split.end - split.start;
    if (middle > 0) {
        for (int x = from + split.start; x < end; x += middle)
            pieces.push_back({split.start, x, x + middle > end ? end - x : middle});
    }
    const int endLength = bitmapLength - split.end;
    if (endLength > 0 && span > startLength)
        pieces.push_back({split.end, end - endLength, endLength});
    return pieces;
}

int SkinImageCount(int count)
{
    return count < 1 ? 3 : count;
}

SkinRect SkinButtonPlacement(int xCoord, int yCoord, int bitmapWidth, int bitmapHeight,
                             int imageCount)
{
    return {xCoord - bitmapWidth / SkinImageCount(imageCount), yCoord, xCoord,
            yCoord + bitmapHeight};
}

SkinRect SkinButtonRect(const SkinRect &placement, int windowWidth)
{
    if (placement.IsEmpty())
        return {0, 0, 0, 0};
    return {windowWidth - placement.right, placement.top, windowWidth - placement.left,
            placement.bottom};
}

int SkinHitTest(const SkinFrameMetrics &m, const SkinHitInput &in, int w, int h, int x,
                int y)
{
    if (in.close.Contains(x, y))
        return kHitClose;
    if (in.minimiseBox && in.minimise.Contains(x, y))
        return kHitMinButton;
    if (in.maximiseBox && in.maximise.Contains(x, y))
        return kHitMaxButton;
    const SkinRect icon = {m.leftWidth, 5, m.leftWidth + m.iconWidth, 5 + m.iconHeight};
    if (icon.Contains(x, y))
        return kHitSysMenu;
    if (in.resizable && !in.maximised) {
        const struct {
            SkinRect r;
            int hit;
        } zones[] = {
            {{0, 0, m.leftWidth, m.captionHeight}, kHitTopLeft},
            {{w - m.leftWidth, 0, w, m.captionHeight}, kHitTopRight},
            {{0, h - m.bottomHeight, m.leftWidth, h}, kHitBottomLeft},
            {{w - m.rightWidth, h - m.bottomHeight, w, h}, kHitBottomRight},
            {{0, m.captionHeight, m.leftWidth, h - m.bottomHeight}, kHitLeft},
            {{w - m.rightWidth, m.captionHeight, w, h - m.bottomHeight}, kHitRight},
            {{m.leftWidth, h - m.bottomHeight, w - m.rightWidth, h}, kHitBottom},
            {{m.leftWidth, 0, w - m.rightWidth, m.bottomHeight}, kHitTop},
        };
        for (const auto &z : zones)
            if (z.r.Contains(x, y))
                return z.hit;
    }
    const SkinRect caption = {m.leftWidth, 5, w - m.rightWidth, m.captionHeight};
    return caption.Contains(x, y) ? kHitCaption : kHitClient;
}

SkinRect SkinClientRect(const SkinFrameMetrics &m, const SkinRect &window)
{
    return {window.left + m.leftWidth, window.top + m.captionHeight,
            window.right - m.rightWidth, window.bottom - m.bottomHeight};
}

std::vector<SkinSlice> SkinNineSlices(const SkinRect &s, int w, int h, int top, int left,
                                      int right, int bottom)
{
    const int sx1 = s.left + left, sx2 = s.right - right;
    const int sy1 = s.top + top, sy2 = s.bottom - bottom;
    const int dx2 = w - right, dy2 = h - bottom;
    return {
        {{s.left, s.top, sx1, sy1}, {0, 0, left, top}},
        {{sx2, s.top, s.right, sy1}, {dx2, 0, w, top}},
        {{s.left, sy2, sx1, s.bottom}, {0, dy2, left, h}},
        {{sx2, sy2, s.right, s.bottom}, {dx2, dy2, w, h}},
        {{sx1, s.top, sx2, sy1}, {left, 0, dx2, top}},
        {{sx1, sy2, sx2, s.bottom}, {left, dy2, dx2, h}},
        {{s.left, sy1, sx1, sy2}, {0, top, left, dy2}},
        {{sx2, sy1, s.right, sy2}, {dx2, top, w, dy2}},
        {{sx1, sy1, sx2, sy2}, {left, top, dx2, dy2}},
    };
}

int SkinButtonCell(int state)
{
    static const int kCells[] = {0, 3, 1, 3, 2};
    return state >= 0 && state <= 4 ? kCells[state] : 0;
}

int SkinButtonState(bool enabled, bool focused, bool hovered, bool held)
{
    if (!enabled)
        return 4;
    if (!hovered)
        return focused ? 3 : 0;
    return held ? 2 : 1;
}

unsigned SkinParseColour(const std::string &text, unsigned fallback)
{
    const char *kBlanks = " \t\r\n";
    if (text.find_first_not_of(kBlanks) == std::string::npos)
        return fallback;
    unsigned values[3] = {0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        pos = text.find_first_not_of(kBlanks, pos);
        if (pos == std::string::npos)
            break;
        const size_t end = text.find_first_of(kBlanks, pos);
        values[i] = (unsigned)atoi(text.substr(pos, end - pos).c_str()) & 0xFF;
        pos = end;
    }
    return values[0] | values[1] << 8 | values[2] << 16;
}

std::string SkinThemeFile(const std::string &iniPath, const std::string &value)
{
    const size_t cut = value.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
    const size_t folder = iniPath.find_last_of("/\\");
    const std::string dir = folder == std::string::npos ? "" : iniPath.substr(0, folder + 1);
    return dir + "/" + name;
}

SkinRect SkinTipRect(int pointerX, int toolBottom, int textWidth, int lines, int lineHeight,
                     int screenWidth)
{
    SkinRect r = {pointerX, toolBottom - 1, pointerX + textWidth + 18,
                  toolBottom - 1 + lines * lineHeight + 6};
    const int limit = screenWidth - 25;
    if (r.right > limit) {
        r.left -= r.right - limit;
        r.right = limit;
    }
    return r;
}

int SkinBandStart(int length, int band)
{
    return (int)((long long)length * (band - 1) / 255);
}

unsigned SkinBandColour(unsigned from, unsigned to, int band)
{
    unsigned out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (int)(from >> shift & 0xFF), b = (int)(to >> shift & 0xFF);
        out |= (unsigned)(a + (b - a) * (band - 1) / 255) << shift;
    }
    return out;
}

SkinPushLook SkinPushButtonLook(bool focused, bool hovered, bool pressed, bool disabled)
{
    if (focused || hovered)
        return pressed ? SkinPushLook{3, 1, 5, false} : SkinPushLook{3, -1, 0, false};
    if (disabled)
        return {2, -1, 0, true};
    return {0, -1, 0, false};
}

int SkinBannerStep(int x, int backgroundWidth, int movingWidth)
{
    x += 10;
    return x > backgroundWidth ? -(movingWidth * 3 / 4) : x;
}

int SkinTipBand(int row, int height)
{
    return height > 0 ? row * 63 / height : 0;
}

unsigned SkinTipBandColour(int band)
{
    return (unsigned)(214 - band / 4) | (unsigned)(240 - band / 4) << 8 |
           (unsigned)(253 - band / 3) << 16;
}
