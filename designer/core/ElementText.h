// Texts of the menu elements without a window: the escapes of the project
// file's fields and command lines, the quoted values of kelmenu.ini, the web
// preview's script, attribute and CSS escapes, and the blocks built of them.
#pragma once

#include "framework/String.h"

namespace ElementText {
// Text fields of default strings ("\colon", "\comma"... back to ':' ','...).
CString DecodeDefaultText(const CString& text);
// Command lines in the project file: CR and LF as "\r" and "\n"; bDoubled
// tells whether a backslash had to be doubled.
CString EncodeCmdLine(const CString& text, BOOL& bDoubled);
CString DecodeCmdLine(const CString& text, BOOL bBackslashEscaped);

// Values of kelmenu.ini: a quoted one-line text (line breaks become blanks,
// double quotes single ones) and the quoted command lines (each line break
// becomes the two characters "\r").
CString EscapeIniText(LPCTSTR lpszText);
CString EscapeIniCommands(LPCTSTR lpszText);
// The web preview: command lines as the text of alert("...") in an unquoted
// onClick value, text for a quoted HTML attribute, text for a quoted CSS url('...').
CString EscapeScriptText(LPCTSTR lpszText);
CString EscapeHtmlAttribute(LPCTSTR lpszText);
CString EscapeCssUrl(LPCTSTR lpszText);

struct ItemBox {
    int left, top, width, height;
};

// The "[menuitem N]" block of kelmenu.ini.
CString MenuItemBlock(int nItem, const ItemBox& box, LPCTSTR lpszTitle, LPCTSTR lpszPasswordHash,
                      LPCTSTR lpszNormal, LPCTSTR lpszHover, LPCTSTR lpszShortKey, LPCTSTR lpszCmdLine);
// The web preview's anchor rule ("#<prefix>_N a" and its hover) and its body fragment.
CString AnchorStyle(LPCTSTR lpszPrefix, int nIndex, const ItemBox& box, LPCTSTR lpszNormalUrl,
                    LPCTSTR lpszHoverUrl);
CString AnchorBody(LPCTSTR lpszPrefix, int nIndex, LPCTSTR lpszCmdLine, LPCTSTR lpszTitle);
}  // namespace ElementText
