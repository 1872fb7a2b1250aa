#include "designer/core/ProjectText.h"

#include <cstdlib>

namespace ProjectText {

Encoding DetectEncoding(const std::string& bytes)
{
    size_t n = bytes.size();
    if (n >= 2) {
        unsigned char b0 = (unsigned char)bytes[0], b1 = (unsigned char)bytes[1];
        if (b0 == 0xFF && b1 == 0xFE) return EncodingUtf16LE;
        if (b0 == 0xFE && b1 == 0xFF) return EncodingUtf16BE;
    }
    // Text of the code page has no zero bytes; UTF-16 of markup has many, on
    // the high byte of each unit.
    size_t zerosEven = 0, zerosOdd = 0, pairs = n / 2;
    for (size_t i = 0; i + 1 < n; i += 2) {
        if (bytes[i] == 0) ++zerosEven;
        if (bytes[i + 1] == 0) ++zerosOdd;
    }
    if (zerosOdd > zerosEven && zerosOdd * 4 >= pairs) return EncodingUtf16LE;
    if (zerosEven > zerosOdd && zerosEven * 4 >= pairs) return EncodingUtf16BE;
    return EncodingAnsi;
}

BOOL ToSystemText(const std::string& bytes, CString& text)
{
    text.Empty();
    if (bytes.empty()) return FALSE;
    Encoding enc = DetectEncoding(bytes);
    if (enc == EncodingAnsi) {
        text = CString(bytes.data(), (int)bytes.size());
    } else {
        size_t start = 0;
        unsigned char b0 = (unsigned char)bytes[0];
        if (bytes.size() >= 2 && (b0 == 0xFF || b0 == 0xFE) &&
            (unsigned char)bytes[1] == (b0 == 0xFF ? 0xFE : 0xFF))
            start = 2;
        std::u16string wide;
        wide.reserve((bytes.size() - start) / 2);
        for (size_t i = start; i + 1 < bytes.size(); i += 2) {
            unsigned lo = (unsigned char)bytes[i], hi = (unsigned char)bytes[i + 1];
            if (enc == EncodingUtf16BE) std::swap(lo, hi);
            wide += (char16_t)(lo | (hi << 8));
        }
        if (!ProjectWideToSystem(wide, text)) return FALSE;
    }
    // far fewer characters than bytes: not a text file
    if ((long long)text.GetLength() < (long long)bytes.size() / 2 - 20) return FALSE;
    return TRUE;
}

std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    LPCTSTR p = text;
    int n = text.GetLength(), start = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] != '\r' && p[i] != '\n') continue;
        lines.push_back(CString(p + start, i - start));
        if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.push_back(CString(p + start, n - start));
    return lines;
}

Format FormatOf(const CString& firstLine)
{
    if (firstLine.CompareNoCase(PROJECT_VERSION_LINES) == 0) return FormatLines;
    if (firstLine.CompareNoCase(PROJECT_VERSION_BETA) == 0) return FormatBeta;
    return FormatMarkup;
}

CString AfterFirstLine(const CString& text)
{
    int i = text.FindOneOf("\r\n");
    if (i < 0) return CString();
    if (text[i] == '\r' && i + 1 < text.GetLength() && text[i + 1] == '\n') ++i;
    return text.Mid(i + 1);
}

size_t ReadLinesHeader(const std::vector<CString>& lines, size_t index, CProjectSettings& settings)
{
    static const char* const keys[] = {"wallpaper", "Default", "Timeout", "SingleGo"};
    for (int k = 0; k < 4 && index < lines.size(); ++k) {
        const CString& line = lines[index++];
        int colon = line.Find(':');
        if (colon < 0 || line.Left(colon).CompareNoCase(keys[k]) != 0) continue;
        CString value = line.Mid(colon + 1);
        switch (k) {
        case 0: settings.wallpaper = value; break;
        case 1: settings.defaultEntry = atoi(value); break;
        case 2: settings.timeout = atoi(value); break;
        case 3: settings.singleGo = atoi(value); break;
        }
    }
    return index;
}

}  // namespace ProjectText
