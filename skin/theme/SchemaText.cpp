#include "skin/theme/SchemaText.h"

#include "skin/theme/SchemaTables.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
const int kPropertyAlphaLevel = 2402;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string Upper(std::string s)
{
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    return s;
}

int32_t Clamp(long v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return int32_t(v);
}

// One integer at p after optional blanks; base 0 reads as "%i" does. False when none.
bool ReadInt(const char*& p, int base, int32_t& out)
{
    while (IsBlank(*p))
        ++p;
    char* end = nullptr;
    errno = 0;
    long v = strtol(p, &end, base);
    if (end == p)
        return false;
    p = end;
    out = Clamp(v);
    return true;
}

// Integers separated by one literal separator each, as sscanf reads "%d,%d,...".
int ReadList(const char* p, int base, int32_t* values, int count)
{
    int read = 0;
    for (; read < count; ++read) {
        if (read > 0) {
            if (*p != ',')
                break;
            ++p;
        }
        if (!ReadInt(p, base, values[read]))
            break;
    }
    return read;
}

void ReadFont(const std::string& text, const SchemaScreen& screen, SchemaFontValue& font)
{
    size_t comma = text.find(',');
    std::string face = text.substr(0, comma);
    if (face.empty())
        return;
    // A face longer than the field is cut.
    strncpy(font.faceName, face.c_str(), sizeof(font.faceName) - 1);
    font.faceName[sizeof(font.faceName) - 1] = 0;
    font.weight = 400;
    font.charSet = uint8_t(screen.charSet);
    if (comma == std::string::npos)
        return;
    const char* p = text.c_str() + comma + 1;
    int32_t points = 0;
    if (!ReadInt(p, 10, points))
        return;
    font.height = -SchemaMulDiv(points, screen.dpi, 72);
    while (IsBlank(*p))
        ++p;
    if (*p != ',')
        return;
    ++p;
    while (IsBlank(*p))
        ++p;
    std::string style;
    while (*p && !IsBlank(*p))
        style += *p++;
    if (style == "BOLD")
        font.weight = 700;
}
}  // namespace

int32_t SchemaMulDiv(int32_t number, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = int64_t(number) * numerator;
    int64_t half = (denominator < 0 ? -int64_t(denominator) : int64_t(denominator)) / 2;
    bool negative = (product < 0) != (denominator < 0);
    int64_t absProduct = product < 0 ? -product : product;
    int64_t absDen = denominator < 0 ? -int64_t(denominator) : int64_t(denominator);
    int64_t result = (absProduct + half) / absDen;
    if (negative)
        result = -result;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int32_t(result);
}

uint32_t ParseSchemaSectionName(const std::string& raw)
{
    if (raw.find(':') != std::string::npos)
        return 0;
    std::string text;
    for (char c : raw) {
        if (c != ' ')
            text += c;
    }
    std::string state;
    size_t paren = text.find('(');
    if (paren != std::string::npos) {
        if (text.size() >= paren + 2)
            state = text.substr(paren + 1, text.size() - paren - 2);
        text.erase(paren);
    }
    std::string className = text, partName;
    size_t dot = text.find('.');
    if (dot != std::string::npos) {
        className = text.substr(0, dot);
        partName = text.substr(dot + 1);
    }
    int classCode = GetSchemaClassCode(className.c_str());
    if (!classCode)
        return 0;
    int part = 0, stateCode = 0;
    if (!partName.empty()) {
        part = GetSchemaPartCode(className.c_str(), partName.c_str());
        if (!part)
            return 0;
    }
    if (!state.empty()) {
        stateCode = GetSchemaStateCode(partName.empty() ? className.c_str() : partName.c_str(), state.c_str());
        if (!stateCode)
            return 0;
    }
    return MakeSchemaPropertyKey(classCode, part, stateCode, 0);
}

bool CreateThemePropertyValue(const char* propertyName, int type, const std::string& text, const SchemaScreen& screen,
                              SchemaValue& out)
{
    out = SchemaValue();
    out.type = type;
    const char* p = text.c_str();
    switch (type) {
    case kSchemaString:
        out.text = text;
        return true;
    case kSchemaInt:
        ReadInt(p, 10, out.number);
        return true;
    case kSchemaBool:
        out.number = Upper(text) == "TRUE";
        return true;
    case kSchemaColor: {
        int32_t rgb[3] = {0, 0, 0};
        for (int i = 0; i < 3 && ReadInt(p, 0, rgb[i]); ++i) {
        }
        out.number = int32_t((uint32_t(rgb[0]) & 0xFF) | ((uint32_t(rgb[1]) & 0xFF) << 8) |
                             ((uint32_t(rgb[2]) & 0xFF) << 16));
        return true;
    }
    case kSchemaRect: {
        int32_t v[4] = {0, 0, 0, 0};
        ReadList(p, 10, v, 4);
        out.left = v[0];
        out.right = v[1];
        out.top = v[2];
        out.bottom = v[3];
        return true;
    }
    case kSchemaFont:
        ReadFont(text, screen, out.font);
        return true;
    case kSchemaEnum:
        out.number = GetSchemaEnumValue(propertyName, text.c_str());
        return true;
    case kSchemaPosition: {
        int32_t v[2] = {0, 0};
        ReadList(p, 0, v, 2);
        out.x = v[0];
        out.y = v[1];
        return true;
    }
    default:
        return false;
    }
}

void SchemaStore::Clear()
{
    m_values.clear();
    m_section = 0;
    m_premultiply = true;
}

void SchemaStore::Parse(const std::function<bool(std::string&)>& readLine)
{
    Clear();
    std::string line;
    while (readLine(line))
        ParseLine(line);
    const SchemaValue* alpha = Find(kSchemaClassDocumentation, 0, 0, kPropertyAlphaLevel);
    m_premultiply = !(alpha && alpha->type == kSchemaInt && alpha->number == 255);
}

void SchemaStore::ParseLine(const std::string& raw)
{
    size_t start = 0;
    while (start < raw.size() && IsBlank(raw[start]))
        ++start;
    if (start < raw.size() && raw[start] == ';')
        return;
    std::string line = raw.substr(start, raw.find(';', start) == std::string::npos ? std::string::npos
                                                                                   : raw.find(';', start) - start);
    line = Upper(Trim(line));
    if (line.empty())
        return;
    if (line[0] == '[') {
        m_section = line.size() >= 2 ? ParseSchemaSectionName(line.substr(1, line.size() - 2)) : 0;
        return;
    }
    if (!m_section)
        return;
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0)
        return;
    std::string name = Trim(line.substr(0, equals));
    int type = 0;
    int id = GetSchemaPropertyCode(name.c_str(), &type);
    if (!id || !type)
        return;
    uint32_t key = m_section + uint32_t(id);
    m_values.erase(key);
    SchemaValue value;
    if (!CreateThemePropertyValue(name.c_str(), type, Trim(line.substr(equals + 1)), m_screen, value))
        return;
    value.id = id;
    m_values[key] = value;
}

const SchemaValue* SchemaStore::Find(int classCode, int part, int state, int property) const
{
    const int tries[4][3] = {{classCode, part, state}, {classCode, part, 0}, {classCode, 0, 0}, {kSchemaClassGlobals, 0, 0}};
    for (int i = state ? 0 : 1; i < 4; ++i) {
        auto it = m_values.find(MakeSchemaPropertyKey(tries[i][0], tries[i][1], tries[i][2], property));
        if (it != m_values.end())
            return &it->second;
    }
    return nullptr;
}
