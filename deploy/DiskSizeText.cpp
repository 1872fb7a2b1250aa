#include "deploy/DiskSizeText.h"

#include <cstdio>

const char* FormatDiskSize(uint64_t kilobytes)
{
    static char text[64];
    const double count = (double)kilobytes;
    if (kilobytes < 1024ull)
        snprintf(text, sizeof(text), "%0.2f KB", count);
    else if (kilobytes < 1048576ull)
        snprintf(text, sizeof(text), "%0.2f MB", count * (1.0 / 1024));
    else if (kilobytes < 1073741824ull)
        snprintf(text, sizeof(text), "%0.2f GB", count * (1.0 / 1048576));
    else
        snprintf(text, sizeof(text), "%0.2f TB", count * (1.0 / 1073741824));
    return text;
}
