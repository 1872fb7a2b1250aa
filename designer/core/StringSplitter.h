// CStringSplitter: a text split at a separator into fields, read as text or numbers.
#pragma once

#include "framework/StringArray.h"

class CStringSplitter : public CStringArray {
public:
    CStringSplitter() {}
    CStringSplitter(LPCTSTR lpszText, TCHAR chSeparator) { Split(lpszText, chSeparator); }

    // Every separator ends a field; the text after the last one is the last
    // field, also when empty. A separator '\0' leaves the text whole.
    void Split(LPCTSTR lpszText, TCHAR chSeparator);

    // Each gives the field's value, or an empty text / 0 past the last field
    // (then the result is FALSE).
    BOOL GetText(int nIndex, CString& strOut) const;
    BOOL GetInt(int nIndex, int& nOut) const;
    BOOL GetDouble(int nIndex, double& dOut) const;
};
