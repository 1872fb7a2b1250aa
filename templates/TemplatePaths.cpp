#include "templates/TemplatePaths.h"

#include <windows.h>

bool EndsWithBackslash(const CString& strPath)
{
    LPCSTR psz = strPath;
    int nLen = strPath.GetLength();
    if (nLen == 0)
        return false;
    LPCSTR pLast = ::CharPrevA(psz, psz + nLen);
    return pLast == psz + nLen - 1 && *pLast == '\\';
}

CString WithBackslash(const CString& strFolder)
{
    return EndsWithBackslash(strFolder) ? strFolder : strFolder + "\\";
}

bool IsPlainName(const CString& strName)
{
    if (strName.IsEmpty() || strName == "." || strName == "..")
        return false;
    for (LPCSTR p = strName; *p != '\0'; p = ::CharNextA(p)) {
        if (::IsDBCSLeadByte((BYTE)*p))
            continue;
        if (*p == '\\' || *p == '/' || *p == ':' || *p == '*' || *p == '?')
            return false;
    }
    return true;
}

CString TemplateFilePath(const CString& strFolder, const CString& strName)
{
    if (!IsPlainName(strName))
        return CString();
    return WithBackslash(strFolder) + strName + ".gmd";
}

CString FormatTip(const CString& strFormat, const CString& a, const CString& b, const CString& c)
{
    const CString* texts[] = {&a, &b, &c};
    int nNext = 0;
    CString strOut;
    for (LPCSTR p = strFormat; *p != '\0';) {
        LPCSTR pNext = ::CharNextA(p);
        if (p[0] == '%' && p[1] == 's' && nNext < 3) {
            strOut += *texts[nNext++];
            pNext = p + 2;
        } else if (p[0] == '%' && p[1] == '%') {
            strOut += '%';
            pNext = p + 2;
        } else {
            strOut += CString(p, (int)(pNext - p));
        }
        p = pNext;
    }
    return strOut;
}

void CopyTipText(LPSTR pszDest, int nSize, const CString& strText)
{
    if (pszDest == NULL || nSize <= 0)
        return;
    LPCSTR pSrc = strText;
    int nUsed = 0;
    while (pSrc[nUsed] != '\0') {
        int nChar = ::IsDBCSLeadByte((BYTE)pSrc[nUsed]) && pSrc[nUsed + 1] != '\0' ? 2 : 1;
        if (nUsed + nChar > nSize - 1)
            break;
        nUsed += nChar;
    }
    memcpy(pszDest, pSrc, nUsed);
    pszDest[nUsed] = '\0';
}
