// PNG decoding of arbitrary bytes.
#include "skin/support/PngDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedPng image;
    if (DecodePng(data, size, image) && !image.rows.empty()) {
        volatile uint8_t sink = image.rows.back();
        (void)sink;
    }
    return 0;
}
