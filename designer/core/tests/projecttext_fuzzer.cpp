// Project file bytes of any kind: decoding, line splitting and the header reader.
#include "designer/core/ProjectText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes((const char*)data, size);
    CString text;
    if (!ProjectText::ToSystemText(bytes, text)) return 0;
    std::vector<CString> lines = ProjectText::SplitLines(text);
    if (lines.empty()) return 0;
    ProjectText::FormatOf(lines[0]);
    ProjectText::AfterFirstLine(text);
    CProjectSettings settings;
    ProjectText::ReadLinesHeader(lines, 1, settings);
    return 0;
}
