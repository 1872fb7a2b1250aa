// PNG decoding into 8-bit RGB or RGBA rows through libpng. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPng {
    std::vector<uint8_t> rows;  // height rows of width x channels bytes, top first
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 0;  // 3 or 4
    uint8_t background[3] = {127, 127, 127};
};

// Larger images are refused.
const uint32_t kPngMaxSide = 16384;
const size_t kPngMaxBytes = size_t(64) << 20;

// False for anything that is not a whole, decodable PNG within the limits.
bool DecodePng(const void* data, size_t size, DecodedPng& out);
