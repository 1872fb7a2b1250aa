#include "designer/core/Md5CryptPlatform.h"

#ifdef _WIN32
#define _CRT_RAND_S
#include <stdlib.h>
#else
#include <random>
#endif

namespace Md5CryptPlatform {
unsigned int RandomNumber()
{
#ifdef _WIN32
    unsigned int value = 0;
    if (rand_s(&value) == 0)
        return value;
    return 0;
#else
    std::random_device device;
    return device();
#endif
}
}  // namespace Md5CryptPlatform
