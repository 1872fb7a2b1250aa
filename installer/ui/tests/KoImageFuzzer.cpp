#include <cstddef>
#include <cstdint>

#include "installer/ui/KoImage.h"

// Images up to 4 MB: a short run-length bitmap may state a 256 MB image,
// whose allocation alone (and its shadow under the sanitizer) costs more than
// a thousand inputs of other kinds. Both sides of the limit stay covered.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    CKoImage::SetMemoryLimit(4000000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CKoImage img;
    if (img.Decode(data, size, KO_TYPE_UNKNOWN) && img.GetWidth() < 4096) {
        (void)img.GetPixelColor((int32_t)img.GetWidth() - 1,
                                (int32_t)img.GetHeight() - 1);
    }
    return 0;
}
