// CStringSplitter: a text split at a separator into fields, read as text or numbers.
#pragma once

#include "framework/StringArray.h"

class CStringSplitter : public CStringArray
{
public:
    CStringSplitter() {}
    CStringSplitter(LPCTSTR lpszText, LPCTSTR lpszSeparator) { Split(lpszText, lpszSeparator); }

    // Every separator ends a field; the text after the last one is the last
    // field, also when empty. An empty separator leaves the text whole.
    void Split(LPCTSTR lpszText, LPCTSTR lpszSeparator);

    // Each gives the field's value, or an empty text / 0 past the last field
    // (then the result is FALSE).
    BOOL GetText(int nIndex, CString& strOut) const;
    BOOL GetInt(int nIndex, int& nOut) const;
    BOOL GetDouble(int nIndex, double& dOut) const;
};
