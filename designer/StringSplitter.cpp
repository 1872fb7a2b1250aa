#include "designer/StringSplitter.h"

#include <cstdlib>
#include <cstring>

void CStringSplitter::Split(LPCTSTR lpszText, LPCTSTR lpszSeparator)
{
    RemoveAll();
    CString strRest = lpszText ? lpszText : "";
    int nSep = lpszSeparator ? static_cast<int>(std::strlen(lpszSeparator)) : 0;
    if (nSep > 0) {
        int nStart = 0;
        for (int nAt; (nAt = strRest.Find(lpszSeparator, nStart)) >= 0; nStart = nAt + nSep)
            Add(strRest.Mid(nStart, nAt - nStart));
        strRest = strRest.Mid(nStart);
    }
    Add(strRest);
}

BOOL CStringSplitter::GetText(int nIndex, CString& strOut) const
{
    if (nIndex < 0 || nIndex >= GetSize()) {
        strOut.Empty();
        return FALSE;
    }
    strOut = GetAt(nIndex);
    return TRUE;
}

BOOL CStringSplitter::GetInt(int nIndex, int& nOut) const
{
    CString strField;
    BOOL bFound = GetText(nIndex, strField);
    nOut = bFound ? std::atoi(strField) : 0;
    return bFound;
}

BOOL CStringSplitter::GetDouble(int nIndex, double& dOut) const
{
    CString strField;
    BOOL bFound = GetText(nIndex, strField);
    dOut = bFound ? std::strtod(strField, NULL) : 0.0;
    return bFound;
}
