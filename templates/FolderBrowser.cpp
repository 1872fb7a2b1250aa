#include "templates/FolderBrowser.h"

namespace {

char g_szStartFolder[MAX_PATH];

void CopyBounded(LPSTR dst, LPCSTR src, int size)
{
    lstrcpynA(dst, src ? src : "", size);
}

// COM for one browse on a thread that has none; a thread that already
// entered an apartment keeps it as it was.
class CBrowseApartment {
public:
    CBrowseApartment() : m_bEntered(FALSE)
    {
        HRESULT hr = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        if (hr == S_OK)
            m_bEntered = TRUE;
        else if (hr == S_FALSE)
            ::CoUninitialize();  // it was there already
    }
    ~CBrowseApartment()
    {
        if (m_bEntered)
            ::CoUninitialize();
    }

private:
    CBrowseApartment(const CBrowseApartment&);
    CBrowseApartment& operator=(const CBrowseApartment&);
    BOOL m_bEntered;
};

}  // namespace

CFolderBrowser::CFolderBrowser() : m_nFlags(0), m_pidlRoot(NULL)
{
    m_szDisplayName[0] = '\0';
    m_szTitle[0] = '\0';
}

void CFolderBrowser::SetTitle(LPCSTR lpszTitle)
{
    if (lpszTitle != NULL)
        CopyBounded(m_szTitle, lpszTitle, MAX_PATH);
}

void CFolderBrowser::SetStartFolder(LPCSTR lpszFolder)
{
    CopyBounded(g_szStartFolder, lpszFolder, MAX_PATH);
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM)
{
    if (uMsg == BFFM_INITIALIZED) {
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)g_szStartFolder);
    } else if (uMsg == BFFM_SELCHANGED) {
        char szPath[MAX_PATH];
        if (lParam != 0 && ::SHGetPathFromIDListA((LPCITEMIDLIST)lParam, szPath))
            ::SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)szPath);
    }
    return 0;
}

int CFolderBrowser::Browse(HWND hWndOwner, LPSTR szPath)
{
    if (szPath == NULL)
        return kNoPath;
    BROWSEINFOA bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.hwndOwner = hWndOwner;
    bi.pidlRoot = m_pidlRoot;
    bi.pszDisplayName = m_szDisplayName;
    bi.lpszTitle = m_szTitle;
    bi.ulFlags = m_nFlags;
    bi.lpfn = BrowseCallback;
    CBrowseApartment apartment;
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    if (pidl == NULL)
        return kCancelled;
    szPath[0] = '\0';
    BOOL bPath = ::SHGetPathFromIDListA(pidl, szPath);
    ::CoTaskMemFree(pidl);
    return bPath && szPath[0] != '\0' ? kPath : kNoPath;
}
