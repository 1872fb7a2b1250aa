#include "controls/VersionInfo.h"

#include <stdio.h>
#include <string.h>
#include <vector>

namespace {

const char* const kStringNames[CVersionInfo::StringCount] = {
    "CompanyName",
    "FileDescription",
    "FileVersion",
    "InternalName",
    "LegalCopyright",
    "OriginalFileName",
    "ProductName",
    "ProductVersion",
    "Comments",
    "LegalTrademarks",
    "PrivateBuild",
    "SpecialBuild",
};

// A version string as stored: its length may or may not count the terminator.
CString QueryString(const void* pBlock, const char* pszPath)
{
    LPVOID pValue = NULL;
    UINT nLen = 0;
    if (!::VerQueryValue(pBlock, pszPath, &pValue, &nLen) || pValue == NULL)
        return CString();
    const char* psz = (const char*)pValue;
    UINT n = 0;
    while (n < nLen && psz[n] != '\0')
        ++n;
    return CString(psz, (int)n);
}

}  // namespace

CVersionInfo::CVersionInfo()
{
    Clear();
}

void CVersionInfo::Clear()
{
    memset(&m_fixed, 0, sizeof(m_fixed));
    for (int i = 0; i < StringCount; ++i)
        m_strings[i].Empty();
}

const CString& CVersionInfo::GetString(int nIndex) const
{
    static const CString s_empty;
    return (nIndex >= 0 && nIndex < StringCount) ? m_strings[nIndex] : s_empty;
}

BOOL CVersionInfo::ReadFromModule(HMODULE hModule)
{
    char szPath[MAX_PATH + 1];
    DWORD n = ::GetModuleFileName(hModule, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        Clear();
        return FALSE;
    }
    szPath[n] = '\0';
    return ReadFromFile(szPath);
}

int CVersionInfo::ChooseTranslation(const WORD* pPairs, int nPairs, WORD wUserLang)
{
    if (pPairs == NULL || nPairs <= 0)
        return -1;
    for (int i = 0; i < nPairs; ++i)
        if (pPairs[2 * i] == wUserLang)
            return i;
    for (int i = 0; i < nPairs; ++i)
        if ((pPairs[2 * i] & 0xFF) == (wUserLang & 0xFF))
            return i;
    for (int i = 0; i < nPairs; ++i)
        if ((pPairs[2 * i] & 0xFF) == 0)
            return i;
    for (int i = 0; i < nPairs; ++i)
        if ((pPairs[2 * i] & 0xFF) == LANG_ENGLISH)
            return i;
    return 0;
}

BOOL CVersionInfo::ReadFromFile(LPCTSTR lpszPath)
{
    Clear();
    if (lpszPath == NULL)
        return FALSE;
    DWORD dwHandle = 0;
    DWORD dwSize = ::GetFileVersionInfoSize(lpszPath, &dwHandle);
    if (dwSize == 0)
        return FALSE;
    std::vector<BYTE> block(dwSize);
    if (!::GetFileVersionInfo(lpszPath, 0, dwSize, block.data()))
        return FALSE;

    LPVOID pValue = NULL;
    UINT nLen = 0;
    if (::VerQueryValue(block.data(), "\\", &pValue, &nLen) && pValue != NULL && nLen == sizeof(VS_FIXEDFILEINFO))
        memcpy(&m_fixed, pValue, sizeof(m_fixed));

    pValue = NULL;
    nLen = 0;
    if (!::VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &pValue, &nLen) || pValue == NULL)
        return TRUE;
    const WORD* pPairs = (const WORD*)pValue;
    int nPick = ChooseTranslation(pPairs, (int)(nLen / (2 * sizeof(WORD))), ::GetUserDefaultLangID());
    if (nPick < 0)
        return TRUE;
    for (int i = 0; i < StringCount; ++i) {
        char szPath[80];
        snprintf(szPath, sizeof(szPath), "\\StringFileInfo\\%04X%04X\\%s",
                 pPairs[2 * nPick], pPairs[2 * nPick + 1], kStringNames[i]);
        m_strings[i] = QueryString(block.data(), szPath);
    }
    return TRUE;
}
