#include "installer/IniFile.h"

#include <windows.h>

CString CIniFile::GetValue(LPCTSTR section, LPCTSTR key)
{
    char buffer[256] = {};
    m_nResult = int(GetPrivateProfileStringA(section, key, "", buffer, sizeof(buffer), m_strPath));
    return CString(buffer, m_nResult);
}

int CIniFile::WriteValue(LPCTSTR section, LPCTSTR key, LPCTSTR value)
{
    m_nResult = WritePrivateProfileStringA(section, key, value, m_strPath);
    return m_nResult;
}
