#include "designer/core/ElementText.h"

#include <cstdio>
#include <cstring>

namespace {
// Appends c as a JavaScript hex escape.
void AppendScriptHex(CString& out, unsigned char c)
{
    char buf[8];
    snprintf(buf, sizeof(buf), "\\x%02x", c);
    out += buf;
}

// A quoted kelmenu.ini value: each line break (CR LF, CR or LF) becomes
// lpszBreak, double quotes single ones.
CString EscapeIniValue(LPCTSTR lpszText, LPCTSTR lpszBreak)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            ++p;
        if (*p == '\r' || *p == '\n')
            out += lpszBreak;
        else if (*p == '"')
            out += '\'';
        else
            out += *p;
    }
    return out;
}
}  // namespace

namespace ElementText {
CString DecodeDefaultText(const CString& text)
{
    CString s(text);
    s.Replace("\\colon", ":");
    s.Replace("\\semicolon", ";");
    s.Replace("\\comma", ",");
    s.Replace("\\newline", "\r\n");
    return s;
}

// Command lines go into the project file on one line: CR and LF become "\r"
// and "\n". A backslash that would read as the start of such an escape is
// doubled, so that a typed "\n" survives; other backslashes stay single.
CString EncodeCmdLine(const CString& text, BOOL& bDoubled)
{
    CString out;
    bDoubled = FALSE;
    int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        char c = text[i];
        char next = i + 1 < n ? text[i + 1] : '\0';
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\' && next && strchr("rn\\\r\n", next)) {
            out += "\\\\";
            bDoubled = TRUE;
        } else {
            out += c;
        }
    }
    return out;
}

// Without the escape mark (older files, or nothing was doubled) a backslash
// pair stays as it is.
CString DecodeCmdLine(const CString& text, BOOL bBackslashEscaped)
{
    CString out;
    int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        char c = text[i];
        char next = i + 1 < n ? text[i + 1] : '\0';
        if (c == '\\' && next == 'r') {
            out += '\r';
            ++i;
        } else if (c == '\\' && next == 'n') {
            out += '\n';
            ++i;
        } else if (c == '\\' && next == '\\' && bBackslashEscaped) {
            out += '\\';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

CString EscapeIniText(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, " ");
}

CString EscapeIniCommands(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, "\\r");
}

CString EscapeScriptText(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\r' && p[1] == '\n') {
            ++p;
            c = '\n';
        }
        switch (c) {
        case ' ': out += "&nbsp;"; break;
        case '&': out += "&amp;"; break;
        case '\r':
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        // Characters that would end the string, the unquoted attribute or
        // the tag.
        case '"':
        case '\'':
        case '<':
        case '>':
        case '=':
        case '`':
            AppendScriptHex(out, c);
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                AppendScriptHex(out, c);
            else
                out += (char)c;
        }
    }
    return out;
}

CString EscapeHtmlAttribute(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += *p;
        }
    }
    return out;
}

CString EscapeCssUrl(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\'' || c == '"' || c == '\\' || c == '<' || c == '>' || c < 0x20 || c == 0x7F) {
            char buf[8];
            snprintf(buf, sizeof(buf), "\\%x ", c);
            out += buf;
        } else {
            out += (char)c;
        }
    }
    return out;
}

CString MenuItemBlock(int nItem, const ItemBox& box, LPCTSTR lpszTitle, LPCTSTR lpszPasswordHash,
                      LPCTSTR lpszNormal, LPCTSTR lpszHover, LPCTSTR lpszShortKey, LPCTSTR lpszCmdLine)
{
    CString block;
    block.Format("\r\n[menuitem %d]\r\ntitle=\"%s\"\r\npassword=%s\r\nnormalimage=%s\r\nhoverimage=%s\r\n"
                 "left=%d\r\ntop=%d\r\nwidth=%d\r\nheight=%d\r\nshortkey=%s\r\ncommands=\"%s\"\r\n",
                 nItem, (LPCTSTR)EscapeIniText(lpszTitle), lpszPasswordHash, lpszNormal, lpszHover, box.left,
                 box.top, box.width, box.height, (LPCTSTR)EscapeIniText(lpszShortKey),
                 (LPCTSTR)EscapeIniCommands(lpszCmdLine));
    return block;
}

CString AnchorStyle(LPCTSTR lpszPrefix, int nIndex, const ItemBox& box, LPCTSTR lpszNormalUrl,
                    LPCTSTR lpszHoverUrl)
{
    CString rule;
    rule.Format("#%s_%d a{\r\n    position: absolute;\r\n    top: %dpx;\r\n    left: %dpx;\r\n\r\n"
                "    width: %dpx;\r\n    background: url('%s');\r\n    background-repeat: no-repeat;\r\n"
                "    height: %dpx;\r\n    overflow: hidden;\r\n}\r\n\r\n#%s_%d a:hover{\r\n"
                "    background: url('%s');\r\n}\r\n",
                lpszPrefix, nIndex, box.top, box.left, box.width, (LPCTSTR)EscapeCssUrl(lpszNormalUrl),
                box.height, lpszPrefix, nIndex, (LPCTSTR)EscapeCssUrl(lpszHoverUrl));
    return rule;
}

CString AnchorBody(LPCTSTR lpszPrefix, int nIndex, LPCTSTR lpszCmdLine, LPCTSTR lpszTitle)
{
    CString body;
    body.Format("<div id=\"%s_%d\"><a href=\"#\" onClick=alert(\"%s\") title=\"%s\"></a></div>", lpszPrefix, nIndex,
                (LPCTSTR)EscapeScriptText(lpszCmdLine), (LPCTSTR)EscapeHtmlAttribute(lpszTitle));
    return body;
}
}  // namespace ElementText
