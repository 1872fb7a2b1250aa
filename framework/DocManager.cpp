#include "framework/DocManager.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/FwRes.h"
#include "framework/Sys.h"
#include "framework/FileDialog.h"
#include <commdlg.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() {}

CDocManager::~CDocManager()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return (CDocTemplate*)m_templateList.GetNext(pos);
}

int CDocManager::GetOpenDocumentCount()
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL) {
            pTemplate->GetNextDoc(posDoc);
            ++nCount;
        }
    }
    return nCount;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_NO_DOC_TEMPLATE);
        return;
    }
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          NULL))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->OpenDocumentFile(newName);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == 0)
        return NULL;
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pOpen = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pOpen);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pOpen;
            break;
        }
    }
    if (pOpenDocument != NULL) {
        // already open: bring its frame forward
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL) {
            CFrameWnd* pFrame = pOpenDocument->GetNextView(posView)->GetParentFrame();
            if (pFrame != NULL)
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(lpszFileName);
}

BOOL AfxAppendFilterSuffix(CString& filter, CDocTemplate* pTemplate, CString* pstrDefaultExt)
{
    CString strFilterExt, strFilterName;
    if (pTemplate == NULL || !pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) ||
        strFilterExt.IsEmpty() ||
        !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) ||
        strFilterName.IsEmpty())
        return FALSE;
    if (pstrDefaultExt != NULL) {
        CString strExt = strFilterExt;
        int nSemi = strExt.Find(';');
        if (nSemi >= 0)
            strExt = strExt.Left(nSemi);
        *pstrDefaultExt = strExt.Left(1) == "." ? strExt.Mid(1) : strExt;
    }
    strFilterExt.Replace(";.", ";*.");
    filter += strFilterName;
    filter += '|';
    filter += '*';
    filter += strFilterExt;
    filter += '|';
    return TRUE;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    CString strFilter, strDefault;
    int nFilterIndex = 0;
    if (pTemplate != NULL) {
        if (AfxAppendFilterSuffix(strFilter, pTemplate, &strDefault))
            nFilterIndex = 1;
    } else {
        POSITION pos = GetFirstDocTemplatePosition();
        BOOL bFirst = TRUE;
        while (pos != NULL) {
            CDocTemplate* pT = GetNextDocTemplate(pos);
            if (AfxAppendFilterSuffix(strFilter, pT, bFirst ? &strDefault : NULL) && bFirst) {
                nFilterIndex = 1;
                bFirst = FALSE;
            }
        }
    }
    strFilter += AfxLoadFwString(AFX_IDS_ALLFILTER);
    strFilter += "|*.*|";
    // the dialog's form: every '|' a zero character, one more at the end
    std::vector<char> filter((LPCTSTR)strFilter, (LPCTSTR)strFilter + strFilter.GetLength() + 1);
    for (char& c : filter)
        if (c == '|')
            c = 0;
    CString strTitle = AfxLoadFwString(nIDSTitle);
    return RunFileDialog(bOpenFileDialog, strTitle, lFlags, filter.data(), nFilterIndex,
                         strDefault.IsEmpty() ? NULL : (LPCTSTR)strDefault, fileName);
}

BOOL CDocManager::RunFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszTitle, DWORD lFlags,
                                LPCTSTR lpszFilter, int nFilterIndex, LPCTSTR lpszDefExt,
                                CString& fileName)
{
    if (!bOpenFileDialog)
        lFlags |= OFN_OVERWRITEPROMPT;
    CFileDialog dlg(bOpenFileDialog, lpszDefExt, fileName, lFlags | OFN_ENABLESIZING, NULL);
    dlg.m_ofn.lpstrFilter = lpszFilter;
    dlg.m_ofn.nFilterIndex = (DWORD)nFilterIndex;
    dlg.m_ofn.lpstrTitle = lpszTitle;
    dlg.m_ofn.lpstrInitialDir = m_strInitialDir.IsEmpty() ? NULL : (LPCTSTR)m_strInitialDir;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

namespace {
BOOL SetRegKey(LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszValueName = NULL)
{
    HKEY hKey;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, CString("Software\\Classes\\") + lpszKey, 0, NULL,
                         REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)strlen(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}
}  // namespace

// Registers the file types for the current user: extension -> type id ->
// readable name, icon and an open command running this program.
void CDocManager::RegisterShellFileTypes(BOOL bCompat)
{
    char szModule[MAX_PATH];
    DWORD n = ::GetModuleFileName(NULL, szModule, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    CString strPath = CString("\"") + szModule + "\"";
    POSITION pos = GetFirstDocTemplatePosition();
    for (int nTemplate = 0; pos != NULL; nTemplate++) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strTypeId, strTypeName, strExt;
        if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
            continue;
        pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName);
        if (strTypeName.IsEmpty())
            strTypeName = strTypeId;
        if (!SetRegKey(strTypeId, strTypeName))
            continue;
        if (bCompat) {
            CString strIcon;
            strIcon.Format("%s,%d", szModule, nTemplate);
            SetRegKey(strTypeId + "\\DefaultIcon", strIcon);
        }
        SetRegKey(strTypeId + "\\shell\\open\\command", strPath + " \"%1\"");
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        int nSemi = strExt.Find(';');
        if (nSemi >= 0)
            strExt = strExt.Left(nSemi);
        if (strExt.GetLength() > 1 && strExt[0] == '.')
            SetRegKey(strExt, strTypeId);
    }
}

void CDocManager::UnregisterShellFileTypes()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strTypeId, strExt;
        if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
            continue;
        CString strBase = CString("Software\\Classes\\") + strTypeId;
        ::RegDeleteKey(HKEY_CURRENT_USER, strBase + "\\shell\\open\\command");
        ::RegDeleteKey(HKEY_CURRENT_USER, strBase + "\\shell\\open");
        ::RegDeleteKey(HKEY_CURRENT_USER, strBase + "\\shell");
        ::RegDeleteKey(HKEY_CURRENT_USER, strBase + "\\DefaultIcon");
        ::RegDeleteKey(HKEY_CURRENT_USER, strBase);
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        int nSemi = strExt.Find(';');
        if (nSemi >= 0)
            strExt = strExt.Left(nSemi);
        if (strExt.GetLength() > 1 && strExt[0] == '.')
            ::RegDeleteKey(HKEY_CURRENT_USER, CString("Software\\Classes\\") + strExt);
    }
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}
