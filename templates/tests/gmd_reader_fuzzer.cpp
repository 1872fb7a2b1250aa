// Feeds arbitrary bytes to the .gmd reader and looks every template value up.
#include <cstddef>
#include <cstdint>
#include <string>

#include "templates/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gorvanel::XmlDocument doc;
    doc.Parse(reinterpret_cast<const char*>(data), static_cast<long>(size));
    std::string value;
    for (const char* path : {"GrubMod:Author", "GrubMod:DateTime", "GrubMod:Description", "GrubMod:Contents",
                             "GrubMod:a:b:c", ":", "GrubMod:"})
        doc.GetValue(path, "null", value);
    return 0;
}
