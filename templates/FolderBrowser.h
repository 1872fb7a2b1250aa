// CFolderBrowser: the shell's folder browser with a start folder and the
// chosen folder's path shown as status text.
#pragma once

#include <windows.h>
#include <shlobj.h>

class CFolderBrowser {
public:
    enum { kCancelled = 0,
           kNoPath = 1,
           kPath = 2 };
    CFolderBrowser();

    void SetFlags(UINT nSet, UINT nClear) { m_nFlags = (m_nFlags | nSet) & ~nClear; }
    void SetTitle(LPCSTR lpszTitle);
    static void SetStartFolder(LPCSTR lpszFolder);
    // szPath holds MAX_PATH characters; result kCancelled, kNoPath or kPath.
    int Browse(HWND hWndOwner, LPSTR szPath);

private:
    static int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    UINT m_nFlags;
    char m_szDisplayName[MAX_PATH];
    LPITEMIDLIST m_pidlRoot;
    char m_szTitle[MAX_PATH];
};
