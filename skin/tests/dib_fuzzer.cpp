// Bitmap checks of arbitrary bytes; every row the layout promises is touched.
#include "skin/support/DibCheck.h"

static void Touch(const uint8_t* data, size_t size, const DibLayout& l)
{
    if (l.bitsOffset + l.imageSize > size || l.tableOffset + l.colorCount * 4 > size)
        __builtin_trap();
    volatile uint8_t sink = 0;
    if (l.imageSize)
        sink = data[l.bitsOffset + l.imageSize - 1];
    (void)sink;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DibLayout layout;
    if (CheckPackedDib(data, size, layout))
        Touch(data, size, layout);
    if (CheckDibFile(data, size, layout))
        Touch(data, size, layout);
    return 0;
}
