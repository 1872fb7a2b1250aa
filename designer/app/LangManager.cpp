#include "designer/app/LangManager.h"
#include "controls/OwnerDrawMenu.h"
#include "framework/ScopedHandle.h"

#include <cstdio>
#include <cstring>

namespace {

const char kNotFound[] = "NOTFOUND";
const char kGlobal[] = "Global";
const char kEntry[] = "Default Language";
const char kFixedTitle[] = "Zavo Studio";

// Fully reads an INI-style text; TRUE when the file opened and was read to its end.
BOOL ReadIniLines(FILE* f)
{
    char line[2048];
    while (fgets(line, sizeof(line), f)) {
        size_t n = strlen(line);
        while (n && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = 0;
        if (n == 0 || line[0] == ';') continue;
        // sections and key=value pairs are read by the profile reader on lookup
    }
    return !ferror(f);
}

CString Key(UINT id, bool popup = false)
{
    CString key;
    key.Format(popup ? "%up" : "%u", id);
    return key;
}

// The owner-drawn menu keeps its texts in its own records: read and set them there.
void TranslateOwnerDrawnItems(CLangManager& lm, COwnerDrawMenu* pMenu, HMENU hMenu, LPCTSTR lpszSection)
{
    COwnerDrawMenu* pOwner = pMenu->FindPopup(hMenu);
    int count = GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos) {
        HMENU popup = GetSubMenu(hMenu, pos);
        CString current;
        if (pOwner) pOwner->GetMenuText((UINT)pos, current, MF_BYPOSITION);
        if (!current.IsEmpty()) {
            CString key = popup ? Key(GetMenuItemID(popup, 0), true) : Key(GetMenuItemID(hMenu, pos));
            LPCTSTR text = lm.Lookup(lpszSection, key);
            if (text && *text && current != text) {
                CString copy(text);
                pOwner->SetMenuText((UINT)pos, copy, MF_BYPOSITION);
            }
        }
        if (popup) TranslateOwnerDrawnItems(lm, pMenu, popup, lpszSection);
    }
}

}  // namespace

CLangManager::CLangManager() : m_bLoaded(FALSE), m_strSection("Microsoft") {}

CLangManager::~CLangManager() {}

CString CLangManager::ProgramFolder()
{
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return CString();
    char full[MAX_PATH];
    char* filePart = NULL;
    DWORD m = GetFullPathNameA(path, MAX_PATH, full, &filePart);
    CString s = (m && m < MAX_PATH) ? CString(full) : CString(path);
    if (s.Left(4) == "\\\\?\\") s = s.Mid(4);
    int slash = s.ReverseFind('\\');
    return slash >= 0 ? s.Left(slash + 1) : CString();
}

BOOL CLangManager::ReadFile(const CString& path)
{
    DWORD attr = GetFileAttributesA(path);
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) {
        m_strError.Format("Unable to open file: \"%s\"!!", (LPCTSTR)path);
        return FALSE;
    }
    CScopedFile f(fopen(path, "r"));
    if (!f.IsValid()) {
        m_strError.Format("Unable to open file: \"%s\"!!", (LPCTSTR)path);
        return FALSE;
    }
    return ReadIniLines(f);
}

void CLangManager::Init(LPCTSTR lpszProfileSection)
{
    InitFrom(ProgramFolder(), lpszProfileSection);
}

void CLangManager::InitFrom(const CString& folder, LPCTSTR lpszProfileSection)
{
    m_bLoaded = FALSE;
    m_strSection = lpszProfileSection ? lpszProfileSection : "";
    m_strFilePath = folder + "language\\zavomgr.lng";
    if (ReadFile(m_strFilePath)) {
        m_bLoaded = TRUE;
        return;
    }
    if (ReadDefaultLanguage()) return;
    char abbrev[16] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, abbrev, sizeof(abbrev));
    CString lang(abbrev);
    lang.MakeLower();
    CString base = folder;
    if (base.GetLength() && base[base.GetLength() - 1] == '\\') base = base.Left(base.GetLength() - 1);
    m_strFilePath.Format("%s\\language\\%s.ini", (LPCTSTR)base, (LPCTSTR)lang);
    SaveDefaultLanguage(m_strFilePath);
}

BOOL CLangManager::ReadDefaultLanguage()
{
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    CString value = app->GetProfileString(m_strSection, kEntry, "N/A");
    if (value == "N/A") return FALSE;
    if (!CScopedFile(fopen(value, "r")).IsValid()) return FALSE;
    m_strFilePath = value;
    return TRUE;
}

void CLangManager::SaveDefaultLanguage(LPCTSTR lpszPath)
{
    if (CWinApp* app = AfxGetApp()) app->WriteProfileString(m_strSection, kEntry, lpszPath);
}

LPCTSTR CLangManager::ReadKey(LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    m_buffer.assign(kBufferSize, 0);
    DWORD n = GetPrivateProfileStringA(lpszSection, lpszKey, kNotFound, &m_buffer[0], kBufferSize,
                                       m_strFilePath);
    if (n == 0) return &m_buffer[0];
    if (strcmp(&m_buffer[0], kNotFound) != 0) return &m_buffer[0];
    return NULL;
}

LPCTSTR CLangManager::Lookup(LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    if (!m_bLoaded || !lpszSection || !*lpszSection || !lpszKey) return NULL;
    if (LPCTSTR text = ReadKey(lpszSection, lpszKey)) return text;
    if (LPCTSTR text = ReadKey(kGlobal, lpszKey)) return text;
    m_buffer.clear();
    return NULL;
}

void CLangManager::TranslateDialog(CWnd* pWnd, LPCTSTR lpszSection)
{
    if (pWnd) TranslateDialog(pWnd->GetSafeHwnd(), lpszSection);
}

void CLangManager::TranslateDialog(HWND hWnd, LPCTSTR lpszSection)
{
    if (!m_bLoaded || !hWnd) return;
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        UINT id = (UINT)GetDlgCtrlID(child);
        // static texts without an id: 65535 in a dialog template, -1 in an extended one
        if (id == 65535 || id == (UINT)-1) continue;
        LPCTSTR text = Lookup(lpszSection, Key(id));
        if (text && *text) SetWindowTextA(child, text);
    }
    LPCTSTR title = Lookup(lpszSection, "Title");
    if (title && *title) SetWindowTextA(hWnd, title);
    UpdateWindow(hWnd);
}

void CLangManager::TranslateMenu(CMenu* pMenu, LPCTSTR lpszSection)
{
    COwnerDrawMenu* pOwnerDrawn = dynamic_cast<COwnerDrawMenu*>(pMenu);
    if (!pOwnerDrawn) {
        if (pMenu) TranslatePlainMenu(pMenu->GetSafeHmenu(), lpszSection);
        return;
    }
    if (!m_bLoaded || !pOwnerDrawn->m_hMenu || !IsMenu(pOwnerDrawn->m_hMenu)) return;
    TranslateOwnerDrawnItems(*this, pOwnerDrawn, pOwnerDrawn->m_hMenu, lpszSection);
}

void CLangManager::TranslatePlainMenu(HMENU hMenu, LPCTSTR lpszSection)
{
    if (!m_bLoaded || !hMenu || !IsMenu(hMenu)) return;
    TranslateMenuItems(hMenu, lpszSection);
}

void CLangManager::TranslateMenuItems(HMENU hMenu, LPCTSTR lpszSection)
{
    int count = GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos) {
        UINT state = GetMenuState(hMenu, pos, MF_BYPOSITION);
        char current[1025] = "";
        GetMenuStringA(hMenu, pos, current, 1024, MF_BYPOSITION);
        HMENU popup = GetSubMenu(hMenu, pos);
        if (current[0]) {
            CString key;
            if (popup) {
                UINT first = GetMenuItemID(popup, 0);
                key = Key(first, true);
            } else {
                key = Key(GetMenuItemID(hMenu, pos));
            }
            LPCTSTR text = Lookup(lpszSection, key);
            if (text && *text && strcmp(text, current) != 0) {
                CString copy(text);
                UINT flags = MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
                if (popup)
                    ModifyMenuA(hMenu, pos, flags | MF_POPUP, (UINT_PTR)popup, copy);
                else
                    ModifyMenuA(hMenu, pos, flags, GetMenuItemID(hMenu, pos), copy);
            }
        }
        if (popup) TranslateMenuItems(popup, lpszSection);
    }
}

void CLangManager::LoadString(CString& rString, UINT nID, BOOL bBlank)
{
    LPCTSTR text = Lookup("String", Key(nID));
    if (text && *text) {
        rString = text;
    } else if (!rString.LoadString(nID)) {
        rString.Empty();
    }
    rString.Replace("\\r\\n", "\r\n");
    rString.Replace("\\n", bBlank ? " \n" : "\n");
    rString.Replace("\\r", bBlank ? " \r" : "\r");
}

CString CLangManager::TextById(LPCTSTR lpszSection, UINT nID)
{
    LPCTSTR text = Lookup(lpszSection, Key(nID));
    CString s;
    if (text && *text)
        s = text;
    else
        s.LoadString(nID);
    return s;
}

int CLangManager::MessageBox(CWnd* pOwner, LPCTSTR lpszSection, UINT nTextID, UINT nType)
{
    return ShowText(pOwner, TextById(lpszSection, nTextID), nType);
}

int CLangManager::ShowText(CWnd* pOwner, LPCTSTR lpszText, UINT nType)
{
    CString caption;
    LoadString(caption, 122, TRUE);
    if (caption.IsEmpty()) caption = kFixedTitle;
    return AfxShowMessageBox(pOwner ? pOwner->GetSafeHwnd() : NULL, lpszText, caption, nType);
}

int CLangManager::MessageBoxWithCaption(CWnd* pOwner, LPCTSTR lpszSection, UINT nTextID,
                                        UINT nCaptionID, UINT nType)
{
    CString text = TextById(lpszSection, nTextID);
    CString caption = TextById(lpszSection, nCaptionID);
    return AfxShowMessageBox(pOwner ? pOwner->GetSafeHwnd() : NULL, text, caption, nType);
}
