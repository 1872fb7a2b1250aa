#include "designer/core/XmlPlatform.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace XmlPlatform {
bool IsLeadByte(unsigned char c)
{
#ifdef _WIN32
    // no code page leads with an ASCII byte: most text needs no system call
    return c >= 0x80 && IsDBCSLeadByte(c) != FALSE;
#else
    (void)c;
    return false;  // native builds treat text as single-byte
#endif
}
}  // namespace XmlPlatform
