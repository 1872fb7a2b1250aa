// Interface texts from the language file: dialog controls by section and
// control id, strings by id, menu items and message boxes.
#pragma once

#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

#include <vector>

class CLangManager {
public:
    CLangManager();
    ~CLangManager();
    CLangManager(const CLangManager&) = delete;
    CLangManager& operator=(const CLangManager&) = delete;

    void Init(LPCTSTR lpszProfileSection);
    // Init with another program folder (ending in a backslash).
    void InitFrom(const CString& folder, LPCTSTR lpszProfileSection);
    // The text stays valid only until the next lookup.
    LPCTSTR Lookup(LPCTSTR lpszSection, LPCTSTR lpszKey);
    void TranslateDialog(CWnd* pWnd, LPCTSTR lpszSection);
    void TranslateDialog(HWND hWnd, LPCTSTR lpszSection);
    // An owner-drawn menu (COwnerDrawMenu) gets its texts through the menu itself;
    // the plain variant modifies the items in place.
    void TranslateMenu(CMenu* pMenu, LPCTSTR lpszSection);
    void TranslatePlainMenu(HMENU hMenu, LPCTSTR lpszSection);
    void LoadString(CString& rString, UINT nID, BOOL bBlank);
    int MessageBox(CWnd* pOwner, LPCTSTR lpszSection, UINT nTextID, UINT nType);
    // A ready text under the caption of the studio's boxes.
    int ShowText(CWnd* pOwner, LPCTSTR lpszText, UINT nType);
    int MessageBoxWithCaption(CWnd* pOwner, LPCTSTR lpszSection, UINT nTextID, UINT nCaptionID,
                              UINT nType);
    BOOL ReadDefaultLanguage();
    void SaveDefaultLanguage(LPCTSTR lpszPath);

    const CString& GetFilePath() const { return m_strFilePath; }
    BOOL IsLoaded() const { return m_bLoaded; }
    const CString& GetLastError() const { return m_strError; }

    // The program file's folder with a trailing backslash.
    static CString ProgramFolder();

    CString m_strFilePath;
    BOOL m_bLoaded;
    CString m_strError;
    CString m_strSection;

private:
    BOOL ReadFile(const CString& path);
    LPCTSTR ReadKey(LPCTSTR lpszSection, LPCTSTR lpszKey);
    CString TextById(LPCTSTR lpszSection, UINT nID);
    void TranslateMenuItems(HMENU hMenu, LPCTSTR lpszSection);

    enum { kBufferSize = 10000 };
    std::vector<char> m_buffer;
};
