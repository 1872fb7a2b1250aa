// Reading and writing the project file (.kel): the markup format of the
// current version and the older line format, which is converted on reading.
#pragma once

#include "designer/core/ProjectText.h"

#include <string>

class CUIControlList;

class CProjectFile {
public:
    enum Result {
        ReadOk,            // current format
        ReadConverted,     // line format; saving writes the current one
        ReadBetaRefused,   // the beta line format is not read at all
        ReadNotText,       // empty, or bytes that are not text
        ReadBadStructure,  // markup that does not parse or lacks ROOT or COMMON
        ReadUnknownVersion
    };

    // Reads a whole project file into an empty list and fresh settings. The
    // caller keeps its own project until this returns ReadOk or ReadConverted.
    // For ReadBadStructure, nCode is 0 (parse), 1 (no ROOT) or 2 (no COMMON)
    // and strError the markup engine's error text.
    static Result Read(const std::string& bytes, CUIControlList& list, CProjectSettings& settings,
                       int& nCode, CString& strError);

    // The whole file text of the current format, ending in CR LF.
    static CString Write(CUIControlList& list, const CProjectSettings& settings);

    // Moves every element of one list to the end of another, in order.
    static void MoveElements(CUIControlList& from, CUIControlList& to);

private:
    static Result ReadLines(const std::vector<CString>& lines, CUIControlList& list,
                            CProjectSettings& settings);
    static Result ReadMarkup(const CString& text, CUIControlList& list, CProjectSettings& settings,
                             int& nCode, CString& strError);
};
