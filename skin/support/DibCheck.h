// Checks of device-independent bitmaps before any pixel is read. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>

struct DibLayout {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // absolute
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t colorCount = 0;  // entries in the colour table
    size_t tableOffset = 0;   // from the start of the information header
    size_t bitsOffset = 0;    // likewise
    size_t stride = 0;
    size_t imageSize = 0;  // stride x height
};

const uint32_t kDibRgb = 0;
const uint32_t kDibBitfields = 3;

// A packed DIB (information header, colour table, rows), as a bitmap resource
// holds it: header size 40, 108 or 124, bit count 1, 4, 8, 16, 24 or 32,
// uncompressed (bit fields for 16 and 32 bits), colour table and rows inside
// the data. False otherwise.
bool CheckPackedDib(const void* data, size_t size, DibLayout& layout);
// A bitmap file: the 14-byte file header, then the information header; the
// rows start at the file header's offset. Offsets in the layout count from the
// start of the file.
bool CheckDibFile(const void* data, size_t size, DibLayout& layout);
