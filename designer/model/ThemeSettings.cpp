#include "designer/model/ThemeSettings.h"

#include <climits>
#include <cstring>
#include <cctype>
#ifdef _WIN32
#include <mbstring.h>
#endif

namespace {
const char* const kMenuKeys[] = {"normal", "hover", "selected", "disabled"};
const char* const kProgressKeys[] = {"track", "chunk", "v_track", "v_chunk"};

BOOL IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

BOOL StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (tolower((unsigned char)*text) != tolower((unsigned char)*prefix))
            return FALSE;
    return TRUE;
}

CString Cut(const char* value, int maxLength)
{
    size_t length = strlen(value);
    return CString(value, (int)(length > (size_t)maxLength ? (size_t)maxLength : length));
}

// One piece of the clip box, from `p` up to `stop` (or the end); returns where
// the next piece starts, or NULL when `stop` was not found.
const char* ClipPiece(const char* p, char stop, int& value)
{
    const char* end = strchr(p, stop);
    size_t length = end ? (size_t)(end - p) : strlen(p);
    CString piece(p, (int)length);
    const char* q = piece;
    while (IsBlank(*q) || *q == '"')
        ++q;
    CString number(q, (int)strcspn(q, "\""));
    value = ThemeText::ParseInt(number);
    return end ? end + 1 : NULL;
}
}  // namespace

namespace ThemeText {
void SplitLines(const char* text, std::vector<CString>& lines)
{
    lines.clear();
    size_t length = strlen(text);
    size_t count = 1;
    for (size_t i = 0; i + 1 < length; ++i)
        if (text[i] == '\n')
            ++count;
    const char* p = text;
    const char* end = text + length;
    for (size_t n = 0; n < count; ++n) {
        const char* cr = strchr(p, '\r');
        const char* stop;
        const char* next;
        if (cr) {
            stop = cr;
            next = cr[1] == '\n' ? cr + 2 : cr + 1;
        } else {
            const char* lf = strchr(p, '\n');
            stop = lf ? lf : end;
            next = lf ? lf + 1 : end;
        }
        while (stop > p && IsBlank(stop[-1]))
            --stop;
        lines.push_back(CString(p, (int)(stop - p)));
        p = next;
    }
}

int ParseInt(const char* text)
{
    const char* p = text;
    BOOL negative = FALSE;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > (long long)INT_MAX + 1)
            value = (long long)INT_MAX + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return (int)value;
}

void ParseClipBox(const char* value, int& left, int& top, int& right, int& bottom)
{
    left = top = right = bottom = 0;
    const char* p = strchr(value, '(');
    if (!p)
        return;
    int* out[4] = {&left, &top, &right, &bottom};
    ++p;
    for (int i = 0; i < 4 && p; ++i)
        p = ClipPiece(p, i < 3 ? ',' : ')', *out[i]);
}

BOOL EntryNamesEqual(const char* a, const char* b)
{
#ifdef _WIN32
    return _mbsicmp((const unsigned char*)a, (const unsigned char*)b) == 0;
#else
    for (; *a && *b; ++a, ++b)
        if (tolower((unsigned char)*a) != tolower((unsigned char)*b))
            return FALSE;
    return *a == *b;
#endif
}
}  // namespace ThemeText

CThemeSettings::CThemeSettings(Kind kind) : m_kind(kind)
{
    Reset();
}

void CThemeSettings::Reset()
{
    for (int i = 0; i < IMAGE_COUNT; ++i)
        m_strImage[i].Empty();
    m_nClipLeft = m_nClipTop = m_nClipRight = m_nClipBottom = 0;
    m_bAntiAlias = FALSE;
    m_strAuthor.Empty();
    m_strDate.Empty();
    m_strUrl.Empty();
}

LPCTSTR CThemeSettings::GetSectionHeader() const
{
    return m_kind == MENU_THEME ? "[menu theme]" : "[progress theme]";
}

LPCTSTR CThemeSettings::GetImageKey(Kind kind, int index)
{
    if (index < 0 || index >= IMAGE_COUNT)
        return "";
    return kind == MENU_THEME ? kMenuKeys[index] : kProgressKeys[index];
}

void CThemeSettings::GetImageMargins(int index, int& left, int& top, int& right, int& bottom) const
{
    if (m_kind == PROGRESS_THEME && (index == 1 || index == 3)) {
        left = top = right = bottom = 0;
        return;
    }
    left = m_nClipLeft;
    top = m_nClipTop;
    right = m_nClipRight;
    bottom = m_nClipBottom;
}

BOOL CThemeSettings::Parse(const char* text)
{
    if (!text)
        return FALSE;
    std::vector<CString> lines;
    ThemeText::SplitLines(text, lines);
    size_t i = 0;
    while (i < lines.size() && lines[i].CompareNoCase(GetSectionHeader()) != 0)
        ++i;
    if (i == lines.size())
        return FALSE;
    for (++i; i < lines.size() && !(lines[i].GetLength() > 0 && lines[i][0] == '['); ++i)
        ParseKeyLine(lines[i]);
    return TRUE;
}

void CThemeSettings::ParseKeyLine(const CString& line)
{
    enum { KEY_CLIPBOX = IMAGE_COUNT,
           KEY_ANTIALIAS,
           KEY_AUTHOR,
           KEY_DATE,
           KEY_URL,
           KEY_COUNT };
    static const char* const kOtherKeys[] = {"clipbox", "anti-aliase", "author", "date", "url"};
    const char* start = SkipBlanks(line);
    if (!*start)
        return;
    int key = 0;
    for (; key < KEY_COUNT; ++key) {
        const char* name = key < IMAGE_COUNT ? GetImageKey(m_kind, key) : kOtherKeys[key - IMAGE_COUNT];
        if (StartsWithNoCase(start, name))
            break;
    }
    if (key == KEY_COUNT)
        return;
    const char* equals = strchr(start, '=');
    if (!equals) {
        if (key < IMAGE_COUNT)
            m_strImage[key].Empty();
        return;
    }
    const char* value = SkipBlanks(equals + 1);
    switch (key) {
    case KEY_CLIPBOX:
        ThemeText::ParseClipBox(value, m_nClipLeft, m_nClipTop, m_nClipRight, m_nClipBottom);
        break;
    case KEY_ANTIALIAS:
        m_bAntiAlias = StartsWithNoCase(equals + 1, "true");
        break;
    case KEY_AUTHOR:
        m_strAuthor = Cut(value, MAX_AUTHOR);
        break;
    case KEY_DATE:
        m_strDate = Cut(value, MAX_DATE);
        break;
    case KEY_URL:
        m_strUrl = Cut(value, MAX_URL);
        break;
    default:
        m_strImage[key] = Cut(value, MAX_NAME);
        break;
    }
}
