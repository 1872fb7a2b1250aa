// The LZMA "alone" file format (5 property bytes, 64-bit size, LZMA data)
// over the SDK's encoder and decoder.
#pragma once
#include <cstdint>
#include "tools/lunq/LunqStream.h"

enum LzmaAloneResult {
    LZMA_ALONE_OK = 0,
    LZMA_ALONE_READ_ERROR,   // input failed or ended before its size
    LZMA_ALONE_WRITE_ERROR,  // output refused bytes
    LZMA_ALONE_MEM_ERROR,
    LZMA_ALONE_PROPS_ERROR,  // header unusable
    LZMA_ALONE_DATA_ERROR,   // compressed data corrupt or truncated
    LZMA_ALONE_TOO_LARGE,    // output beyond the caller's limit
    LZMA_ALONE_ENCODER_ERROR
};

const unsigned LZMA_ALONE_HEADER_SIZE = 13;
const uint64_t LZMA_ALONE_UNKNOWN_SIZE = ~0ull;

// Compresses exactly inputSize bytes of in with the SDK driver's defaults
// (dictionary 2^23, lc 3, lp 0, pb 2, normal mode, 128 fast bytes, BT4,
// one thread, no end marker). encoderError receives the SDK's code.
LzmaAloneResult LzmaAloneEncode(CByteReader& in, uint64_t inputSize, CByteWriter& out,
                                int* encoderError = nullptr);

// Decodes an alone file. The size field may be "unknown" (all ones): the data
// must then end with an end marker. maxOutput bounds the decoded size.
LzmaAloneResult LzmaAloneDecode(CByteReader& in, CByteWriter& out,
                                uint64_t maxOutput = LZMA_ALONE_UNKNOWN_SIZE);
