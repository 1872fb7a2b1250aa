#include "controls/FontFileName.h"

#include <string.h>

#include <mutex>

namespace {

const int kMaxFontText = 260;  // names and data up to 259 characters

class CRegKey {
public:
    CRegKey() : m_hKey(NULL) {}
    ~CRegKey()
    {
        if (m_hKey != NULL) ::RegCloseKey(m_hKey);
    }
    BOOL Open(HKEY hParent, LPCTSTR lpszPath)
    {
        return ::RegOpenKeyEx(hParent, lpszPath, 0, KEY_READ, &m_hKey) == ERROR_SUCCESS;
    }
    HKEY m_hKey;
};

}  // namespace

int GetWindowsVersionClass()
{
    OSVERSIONINFO vi;
    ZeroMemory(&vi, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!::GetVersionEx(&vi))
        return 0;
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (vi.dwMajorVersion == 3)
            return 101;
        if (vi.dwMajorVersion == 4)
            return 102;
        if (vi.dwMajorVersion == 5 && vi.dwMinorVersion == 0)
            return 103;
        if (vi.dwMajorVersion == 5 && vi.dwMinorVersion == 1)
            return 104;
        return 199;
    }
#ifdef VER_PLATFORM_WIN32_CE
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_CE)
        return 201;
#endif
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (vi.dwMinorVersion == 0)
            return 1;  // 95
        if (vi.dwMinorVersion < 90)
            return 2;  // 98
        return 3;      // Me
    }
    return 0;
}

namespace {

LPCTSTR FontsKeyPath()
{
    int nClass = GetWindowsVersionClass();
    return (nClass >= 101 && nClass <= 199) ? "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
                                            : "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}

}  // namespace

BOOL FontsKeyMayHaveChanged()
{
    static std::mutex s_lock;
    static HKEY s_hKey = NULL;
    static HANDLE s_hWritten = NULL;
    static BOOL s_bWatching = FALSE;
    static DWORD s_dwLooked = 0;
    std::lock_guard<std::mutex> hold(s_lock);
    // even the look at the signal asks the system: an opening project makes
    // hundreds of fonts, so a write is seen within a moment, not at once
    const DWORD dwNow = ::GetTickCount();
    if (s_bWatching && dwNow - s_dwLooked < kFontsKeyLookMs)
        return FALSE;
    s_dwLooked = dwNow;
    if (s_bWatching && ::WaitForSingleObject(s_hWritten, 0) == WAIT_TIMEOUT)
        return FALSE;
    // watched again before the caller reads, so a write from now on is seen
    s_bWatching = FALSE;
    if (s_hWritten == NULL)
        s_hWritten = ::CreateEvent(NULL, FALSE, FALSE, NULL);
    if (s_hKey == NULL && ::RegOpenKeyEx(HKEY_LOCAL_MACHINE, FontsKeyPath(), 0, KEY_READ | KEY_NOTIFY, &s_hKey) != ERROR_SUCCESS)
        s_hKey = NULL;
    if (s_hKey != NULL && s_hWritten != NULL) {
        s_bWatching = ::RegNotifyChangeKeyValue(s_hKey, FALSE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                                s_hWritten, TRUE) == ERROR_SUCCESS;
        if (!s_bWatching) {
            // a deleted key is opened anew next time
            ::RegCloseKey(s_hKey);
            s_hKey = NULL;
        }
    }
    return TRUE;
}

BOOL GetFontFileName(LPCTSTR lpszFaceName, CString& strValueName, CString& strFileName)
{
    strValueName.Empty();
    strFileName.Empty();
    if (lpszFaceName == NULL || *lpszFaceName == '\0')
        return FALSE;

    CRegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, FontsKeyPath()))
        return FALSE;

    size_t nFaceLen = strlen(lpszFaceName);
    for (DWORD i = 0;; ++i) {
        TCHAR szName[kMaxFontText];
        BYTE data[kMaxFontText];
        DWORD cchName = kMaxFontText;
        DWORD cbData = kMaxFontText - 1;
        DWORD dwType = 0;
        LONG rc = ::RegEnumValue(key.m_hKey, i, szName, &cchName, NULL, &dwType, data, &cbData);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;  // a name or data too long for the buffers: not a font entry we can use
        szName[cchName < kMaxFontText ? cchName : kMaxFontText - 1] = '\0';
        data[cbData < kMaxFontText ? cbData : kMaxFontText - 1] = '\0';
        if (_strnicmp(szName, lpszFaceName, nFaceLen) != 0)
            continue;
        strValueName = szName;
        strFileName = (dwType == REG_SZ || dwType == REG_EXPAND_SZ) ? (LPCTSTR)data : "";
        return TRUE;
    }
    return FALSE;
}
