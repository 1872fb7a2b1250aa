#include "installer/BootLoaderInfo.h"

#include <cstdint>
#include <cstring>

// The first bytes of the input are the head; its first 4 bytes also scale the length.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    unsigned char head[CBootLoaderInfo::HEAD_SIZE] = {};
    memcpy(head, data, size < sizeof(head) ? size : sizeof(head));
    uint64_t length = size;
    if (size >= 4)
        length = (uint64_t(data[0]) | uint64_t(data[1]) << 8 | uint64_t(data[2]) << 16) * 4 + size;
    BOOL supported = FALSE;
    const char* key = NULL;
    CBootLoaderInfo::Classify(head, length, supported, key);
    return key ? 0 : 1;
}
