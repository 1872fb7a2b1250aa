#include "skin/theme/PackageText.h"

void Utf16LineReader::Reset(const void* data, size_t size, bool readLastLine)
{
    m_readLastLine = readLastLine;
    m_pos = static_cast<const uint8_t*>(data);
    m_end = m_pos ? m_pos + (size & ~size_t(1)) : nullptr;
    if (m_pos && m_end - m_pos >= 2 && At(m_pos) == 0xFEFF)
        m_pos += 2;
}

bool Utf16LineReader::ReadLine(std::u16string& line)
{
    line.clear();
    if (!m_pos)
        return false;
    for (const uint8_t* p = m_pos; p < m_end; p += 2) {
        if (At(p) != u'\r')
            continue;
        for (const uint8_t* q = m_pos; q < p; q += 2)
            line += At(q);
        m_pos = p + 2;
        if (m_pos < m_end && At(m_pos) == u'\n')
            m_pos += 2;
        return true;
    }
    bool last = m_readLastLine && m_pos < m_end;
    for (; last && m_pos < m_end; m_pos += 2)
        line += At(m_pos);
    m_pos = m_end;
    return last;
}

std::u16string GetDefaultIniNameFromText(const void* data, size_t size)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    size_t even = p ? size & ~size_t(1) : 0;
    std::u16string text;
    for (size_t i = 0; i < even; i += 2)
        text += char16_t(p[i] | (p[i + 1] << 8));
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
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
