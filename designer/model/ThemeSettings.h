// The ini text of a theme file: one "[menu theme]" or "[progress theme]"
// section naming four pictures, a clip box, smoothing and a few free texts.
#pragma once

#include "framework/Framework.h"

#include <vector>

class CThemeSettings {
public:
    enum Kind { MENU_THEME = 0,
                PROGRESS_THEME = 1 };
    // Picture slots: normal, hover, selected, disabled (menu theme) or
    // track, chunk, v_track, v_chunk (progress theme).
    enum { IMAGE_COUNT = 4 };
    // Longest values kept; longer ones are cut.
    enum { MAX_NAME = 259,
           MAX_AUTHOR = 127,
           MAX_DATE = 15,
           MAX_URL = 255 };

    explicit CThemeSettings(Kind kind);

    // Reads the key lines of this kind's section into the fields. A text
    // without the section header leaves every field as it was (FALSE).
    BOOL Parse(const char* text);
    void Reset();

    Kind GetKind() const { return m_kind; }
    LPCTSTR GetSectionHeader() const;
    static LPCTSTR GetImageKey(Kind kind, int index);
    // Margins for picture `index`: the chunk pictures are never cut.
    void GetImageMargins(int index, int& left, int& top, int& right, int& bottom) const;

    CString m_strImage[IMAGE_COUNT];
    int m_nClipLeft, m_nClipTop, m_nClipRight, m_nClipBottom;
    BOOL m_bAntiAlias;
    CString m_strAuthor;
    CString m_strDate;
    CString m_strUrl;

private:
    void ParseKeyLine(const CString& line);

    Kind m_kind;
};

namespace ThemeText {
// Splits a theme text into lines by the theme files' own rules (CR ends a
// line before any LF does) and cuts trailing blanks.
void SplitLines(const char* text, std::vector<CString>& lines);
// "(l, t, r, b)" into four margins; no '(' gives zeros, missing pieces 0.
void ParseClipBox(const char* value, int& left, int& top, int& right, int& bottom);
// A decimal integer with optional sign, saturated to 32 bits; no digits gives 0.
int ParseInt(const char* text);
// Case-insensitive name comparison of archive entries (multi-byte aware on Windows).
BOOL EntryNamesEqual(const char* a, const char* b);
}  // namespace ThemeText
