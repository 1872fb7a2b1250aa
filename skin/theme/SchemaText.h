// The theme schema's ini grammar and value grammars, and the property store
// with its lookup fallback. Window-free: the screen's dpi and character set
// are passed in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

struct SchemaFontValue {
    int32_t height = 0;
    int32_t weight = 0;
    uint8_t charSet = 0;
    char faceName[32] = {};  // the size of LOGFONT's field, zero-terminated
};

struct SchemaValue {
    int type = 0;
    int id = 0;
    int32_t number = 0;  // integer, boolean, enumeration or colour (0x00BBGGRR)
    std::string text;
    SchemaFontValue font;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t x = 0, y = 0;
};

struct SchemaScreen {
    int dpi = 96;
    int charSet = 0;
};

// Rounds as the system's MulDiv; -1 when the divisor is 0.
int32_t SchemaMulDiv(int32_t number, int32_t numerator, int32_t denominator);

// The section code of a section header's text (without the brackets), 0 when invalid.
uint32_t ParseSchemaSectionName(const std::string& text);
// A value of the named property from its (upper-cased, trimmed) text; false for
// integer lists, which are not kept.
bool CreateThemePropertyValue(const char* propertyName, int type, const std::string& text, const SchemaScreen& screen,
                              SchemaValue& out);

class SchemaStore {
public:
    explicit SchemaStore(const SchemaScreen& screen = SchemaScreen()) : m_screen(screen) {}

    // Reads every line that readLine gives until it returns false; replaces what was held.
    void Parse(const std::function<bool(std::string&)>& readLine);
    void ParseLine(const std::string& line);
    // The first found of (class, part, state), (class, part, 0), (class, 0, 0), (GLOBALS, 0, 0).
    const SchemaValue* Find(int classCode, int part, int state, int property) const;
    // False when ALPHALEVEL 255 under DOCUMENTATION (or GLOBALS) turns premultiplying off.
    bool Premultiply() const { return m_premultiply; }
    size_t Size() const { return m_values.size(); }
    void Clear();

private:
    SchemaScreen m_screen;
    std::unordered_map<uint32_t, SchemaValue> m_values;
    uint32_t m_section = 0;
    bool m_premultiply = true;
};
