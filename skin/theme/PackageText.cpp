#include "skin/theme/PackageText.h"

void Utf16LineReader::Reset(const void* data, size_t size)
{
    m_pos = static_cast<const uint8_t*>(data);
    m_end = m_pos ? m_pos + (size & ~size_t(1)) : nullptr;
    if (m_pos && m_end - m_pos >= 2 && At(m_pos) == 0xFEFF)
        m_pos += 2;
}

bool Utf16LineReader::ReadLine(std::u16string& line)
{
    line.clear();
    if (!m_pos || m_pos >= m_end)
        return false;
    while (m_pos < m_end) {
        char16_t c = At(m_pos);
        m_pos += 2;
        if (c == u'\r') {
            if (m_pos < m_end && At(m_pos) == u'\n')
                m_pos += 2;
            return true;
        }
        line += c;
    }
    return true;
}

std::u16string GetDefaultIniNameFromText(const void* data, size_t size)
{
    Utf16LineReader reader(data, size);
    std::u16string text, line;
    while (reader.ReadLine(line)) {
        text += line;
        text += u'\n';
    }
    size_t at = text.find(u"[File.");
    if (at == std::u16string::npos)
        return std::u16string();
    at += 6;
    size_t close = text.find(u']', at);
    if (close == std::u16string::npos)
        return std::u16string();
    return text.substr(at, close - at) + u"_ini";
}

std::string MangleResourceName(const std::string& name)
{
    std::string out = name;
    for (char& c : out) {
        if (c == '.' || c == '\\')
            c = '_';
    }
    return out;
}
