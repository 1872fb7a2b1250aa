#include "installer/LangFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLangFile lang;
    lang.ParseText(reinterpret_cast<const char*>(data), size);
    lang.GetValue("Button", "Assemble");
    lang.GetValue("", "");
    return 0;
}
