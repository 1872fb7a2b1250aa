// The text side of a theme package: UTF-16LE ini texts, the THEMES_INI list
// and resource name mangling. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Lines of a UTF-16LE text: an odd last byte is dropped, a leading byte-order
// mark skipped; lines end at CR or CR LF (a lone LF stays in the line). Text
// after the last CR is not a line of a text resource; the text of a file
// (readLastLine) gives it as its last line, as any text file does.
class Utf16LineReader {
public:
    Utf16LineReader() {}
    Utf16LineReader(const void* data, size_t size, bool readLastLine = false) { Reset(data, size, readLastLine); }
    void Reset(const void* data, size_t size, bool readLastLine = false);
    bool ReadLine(std::u16string& line);

private:
    const uint8_t* m_pos = nullptr;
    const uint8_t* m_end = nullptr;
    bool m_readLastLine = false;
    char16_t At(const uint8_t* p) const { return char16_t(p[0] | (p[1] << 8)); }
};

// The name of the first "[File.NAME]" of a THEMES_INI text followed by "_ini"; empty when none.
// The whole text is searched, line ends or not.
std::u16string GetDefaultIniNameFromText(const void* data, size_t size);
// Every '.' and '\' replaced by '_'.
std::string MangleResourceName(const std::string& name);
