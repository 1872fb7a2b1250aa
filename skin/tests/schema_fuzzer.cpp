// Schema grammar and package texts on arbitrary bytes.
#include "skin/theme/PackageText.h"
#include "skin/theme/SchemaText.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Utf16LineReader reader(data, size);
    SchemaStore store;
    store.Parse([&reader](std::string& line) {
        std::u16string wide;
        if (!reader.ReadLine(wide))
            return false;
        line.assign(wide.begin(), wide.end());
        return true;
    });
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    SchemaStore plain;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        plain.ParseLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    GetDefaultIniNameFromText(data, size);
    return 0;
}
