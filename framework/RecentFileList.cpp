#include "framework/RecentFileList.h"
#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_nSize(nSize < 1 ? 1 : nSize),
      m_arrNames(new CString[nSize < 1 ? 1 : nSize]) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

static CString FullPath(LPCTSTR lpszPathName)
{
    char buf[MAX_PATH * 2];
    char* pFile = NULL;
    DWORD n = ::GetFullPathName(lpszPathName, sizeof(buf), buf, &pFile);
    if (n == 0 || n >= sizeof(buf))
        return CString(lpszPathName);
    return CString(buf);
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == 0)
        return;
    CString strName = FullPath(lpszPathName);
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
        if (m_arrNames[iMRU].CompareNoCase(strName) == 0)
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = strName;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        if (m_arrNames[i].IsEmpty())
            pApp->WriteProfileString(m_strSectionName, strEntry, NULL);
        else
            pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

// The length of the longest start of s, at most nMax bytes, that cuts no character.
static int WholeChars(LPCTSTR s, int nMax)
{
    LPCTSTR p = s;
    while (*p) {
        LPCTSTR q = ::CharNext(p);
        if (q - s > nMax)
            break;
        p = q;
    }
    return (int)(p - s);
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir,
                                     int nCurDir, BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    strName = m_arrNames[nIndex];
    // Files in the current folder show without their folder.
    if (lpszCurDir != NULL && nCurDir > 0 && strName.GetLength() > nCurDir &&
        strName.Left(nCurDir).CompareNoCase(lpszCurDir) == 0 &&
        strName.Mid(nCurDir).Find('\\') < 0)
        strName = strName.Mid(nCurDir);
    if (m_nMaxDisplayLength > 0 && strName.GetLength() > m_nMaxDisplayLength) {
        int nSlash = strName.ReverseFind('\\');
        CString strFile = strName.Mid(nSlash + 1);
        if (bAtLeastName && strFile.GetLength() >= m_nMaxDisplayLength - 4)
            strName = strFile;
        else {
            int nKeep = m_nMaxDisplayLength - strFile.GetLength() - 4;
            strName = strName.Left(WholeChars(strName, nKeep > 3 ? nKeep : 3)) + "...\\" + strFile;
        }
    }
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == NULL)
        return;
    if (m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nIndex, m_strOriginal, MF_BYPOSITION);
    if (m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int i = 0; i < m_nSize; i++)
        pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
    CString strCurDir = FwGetCurrentDirectory();
    if (!strCurDir.IsEmpty() && strCurDir[strCurDir.GetLength() - 1] != '\\')
        strCurDir += '\\';
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize; iMRU++) {
        CString strName;
        if (!GetDisplayName(strName, iMRU, strCurDir, strCurDir.GetLength()))
            break;
        strName.Replace("&", "&&");
        CString strItem;
        strItem.Format("&%d %s", (iMRU + 1 + (int)m_nStart) % 10, (LPCTSTR)strName);
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++,
                          strItem);
    }
    pCmdUI->m_nIndex--;  // the caller steps to the next item
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
