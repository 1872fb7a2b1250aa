#include "skin/support/DibCheck.h"

#include <cstring>

namespace {
const int32_t kMaxSide = 32768;

uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The information header at info, size bytes from there to the end of the data;
// the rows at bitsOffset (0: right after the colour table).
bool CheckInfo(const uint8_t* info, size_t size, size_t bitsOffset, DibLayout& out)
{
    if (size < 40)
        return false;
    DibLayout l;
    l.headerSize = Le32(info);
    if (l.headerSize != 40 && l.headerSize != 108 && l.headerSize != 124)
        return false;
    if (size < l.headerSize)
        return false;
    l.width = int32_t(Le32(info + 4));
    int32_t height = int32_t(Le32(info + 8));
    if (Le16(info + 12) != 1)
        return false;
    l.bitCount = Le16(info + 14);
    l.compression = Le32(info + 16);
    uint32_t used = Le32(info + 32);
    if (l.width <= 0 || l.width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    l.topDown = height < 0;
    l.height = height < 0 ? -height : height;
    size_t masks = 0;
    switch (l.bitCount) {
    case 1:
    case 4:
    case 8:
        if (l.compression != kDibRgb || used > (1u << l.bitCount))
            return false;
        l.colorCount = used ? used : (1u << l.bitCount);
        break;
    case 16:
    case 32:
        if (l.compression == kDibBitfields)
            masks = l.headerSize == 40 ? 12 : 0;
        else if (l.compression != kDibRgb)
            return false;
        l.colorCount = used > 256 ? 256 : used;
        break;
    case 24:
        if (l.compression != kDibRgb)
            return false;
        l.colorCount = used > 256 ? 256 : used;
        break;
    default:
        return false;
    }
    l.tableOffset = l.headerSize + masks;
    size_t afterTable = l.tableOffset + size_t(l.colorCount) * 4;
    l.bitsOffset = bitsOffset ? bitsOffset : afterTable;
    if (afterTable > size)
        return false;
    l.stride = ((size_t(l.bitCount) * size_t(l.width) + 31) / 32) * 4;
    uint64_t image = uint64_t(l.stride) * uint64_t(l.height);  // may pass 4 GiB: checked before narrowing
    if (l.bitsOffset > size || image > uint64_t(size - l.bitsOffset))
        return false;
    l.imageSize = size_t(image);
    out = l;
    return true;
}
}  // namespace

bool CheckPackedDib(const void* data, size_t size, DibLayout& layout)
{
    return data && CheckInfo(static_cast<const uint8_t*>(data), size, 0, layout);
}

bool CheckDibFile(const void* data, size_t size, DibLayout& layout)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!p || size < 14 + 40 || p[0] != 'B' || p[1] != 'M')
        return false;
    uint32_t offBits = Le32(p + 10);
    DibLayout l;
    size_t bits = offBits >= 14 ? offBits - 14 : 0;
    if (!CheckInfo(p + 14, size - 14, 0, l))
        return false;
    if (bits) {
        if (bits < l.tableOffset + size_t(l.colorCount) * 4 || bits > size - 14 || l.imageSize > size - 14 - bits)
            return false;
        l.bitsOffset = bits;
    }
    l.tableOffset += 14;
    l.bitsOffset += 14;
    layout = l;
    return true;
}
