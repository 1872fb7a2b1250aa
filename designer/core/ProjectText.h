// The project file as text: its bytes turned into lines of the system code
// page, the version line, and the header of the older line format.
// Window-free; builds natively.
#pragma once

#include "framework/String.h"

#include <string>
#include <vector>

#define PROJECT_VERSION_CURRENT "Zavomgr.Doc.Ver:2.01"
#define PROJECT_VERSION_LINES "Zavomgr.Doc.Ver:1.02"
#define PROJECT_VERSION_BETA "Zavomgr.Doc.Ver:1.01"

// The screen-wide settings a project file carries besides its elements;
// a new project starts with the design canvas's own defaults.
struct CProjectSettings {
    CString wallpaper;
    int defaultEntry = 0;
    int timeout = 25;
    int singleGo = 0;
    int centerCursor = 0;
    int useShellIcon = 0;
};

namespace ProjectText {

enum Encoding { EncodingAnsi,
                EncodingUtf16LE,
                EncodingUtf16BE };
enum Format { FormatMarkup,
              FormatLines,
              FormatBeta };

// By byte-order mark, else by where the zero bytes stand.
Encoding DetectEncoding(const std::string& bytes);

// The file's bytes as text of the system code page (mark dropped).
// FALSE when the bytes are not text: empty, a failed conversion, or a
// conversion much shorter than the bytes read.
BOOL ToSystemText(const std::string& bytes, CString& text);

// Lines ended by CR LF, LF or CR; a last line without an ending counts.
std::vector<CString> SplitLines(const CString& text);

// What the first line says about the rest of the file.
Format FormatOf(const CString& firstLine);

// The text after the first line break (empty when there is none).
CString AfterFirstLine(const CString& text);

// Reads the four header lines of the line format, starting at lines[index];
// a line with another key is used up and ignored. Returns the index of the
// first line after them.
size_t ReadLinesHeader(const std::vector<CString>& lines, size_t index, CProjectSettings& settings);

}  // namespace ProjectText

// System layer: UTF-16 (little-endian units) to the system code page.
BOOL ProjectWideToSystem(const std::u16string& wide, CString& text);
