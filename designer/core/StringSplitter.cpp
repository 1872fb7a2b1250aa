#include "designer/core/StringSplitter.h"

#include <cstdlib>

void CStringSplitter::Split(LPCTSTR lpszText, TCHAR chSeparator)
{
    RemoveAll();
    CString strRest = lpszText ? lpszText : "";
    if (chSeparator != '\0') {
        int nStart = 0;
        for (int nAt; (nAt = strRest.Find(chSeparator, nStart)) >= 0; nStart = nAt + 1)
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
