// The stub the program carries: resource "LUNQ" 101 on Windows, an array
// generated from the same file elsewhere.
#include "tools/lunq/Lunq.h"

#ifdef _WIN32
#include <windows.h>

std::vector<uint8_t> LunqLoadStub()
{
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(101), "LUNQ");
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const uint8_t* bytes = data ? static_cast<const uint8_t*>(LockResource(data)) : nullptr;
    if (!bytes)
        return std::vector<uint8_t>();
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(nullptr, res));
}
#else
extern "C" const unsigned char g_lunqStub[];
extern "C" const unsigned long g_lunqStubSize;

std::vector<uint8_t> LunqLoadStub()
{
    return std::vector<uint8_t>(g_lunqStub, g_lunqStub + g_lunqStubSize);
}
#endif
