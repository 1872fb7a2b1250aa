#include "controls/ProfileEdit.h"
#include "framework/WinApp.h"

BOOL CProfileEdit::LoadState(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    CWinApp* pApp = AfxGetApp();
    if (lpszSection == NULL || *lpszSection == '\0' || pApp == NULL)
        return FALSE;
    SetWindowText(pApp->GetProfileString(lpszSection, lpszEntry, ""));
    return TRUE;
}

BOOL CProfileEdit::SaveState(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        CString strText;
        GetWindowText(strText);
        pApp->WriteProfileString(lpszSection, lpszEntry, strText);
    }
    return TRUE;
}
