#include <cstddef>
#include <cstdint>

#include "installer/ui/KoImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CKoImage img;
    if (img.Decode(data, size, KO_TYPE_UNKNOWN) && img.GetWidth() < 4096) {
        (void)img.GetPixelColor((int32_t)img.GetWidth() - 1,
                                (int32_t)img.GetHeight() - 1);
    }
    return 0;
}
