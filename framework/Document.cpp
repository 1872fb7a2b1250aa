#include "framework/Document.h"
#include "framework/DocTemplate.h"
#include "framework/DocManager.h"
#include "framework/View.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/MemFile.h"
#include "framework/FwRes.h"
#include "framework/Sys.h"
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

CString AfxLoadFwString(UINT nID)
{
    CString str;
    CWinApp* pApp = AfxGetApp();
    if ((pApp != NULL ? pApp->LoadLibraryString(nID, str) : str.LoadString(nID)) && !str.IsEmpty())
        return str;
    switch (nID) {
    case AFX_IDS_OPENFILE: return "Open";
    case AFX_IDS_SAVEFILE: return "Save As";
    case AFX_IDS_ALLFILTER: return "All Files (*.*)";
    case AFX_IDS_UNTITLED: return "Untitled";
    case AFX_IDS_IDLEMESSAGE: return "Ready";
    case AFX_IDP_INVALID_FILENAME: return "Invalid filename.";
    case AFX_IDP_FAILED_TO_OPEN_DOC: return "Failed to open document.";
    case AFX_IDP_FAILED_TO_SAVE_DOC: return "Failed to save document.";
    case AFX_IDP_ASK_TO_SAVE: return "Save changes to %1?";
    case AFX_IDP_FAILED_TO_CREATE_DOC: return "Failed to create empty document.";
    case AFX_IDP_PARSE_INT: return "Please enter an integer.";
    case AFX_IDP_PARSE_UINT: return "Please enter a positive integer.";
    case AFX_IDP_PARSE_INT_RANGE: return "Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_UINT_RANGE: return "Please enter a positive integer between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return "Enter no more than %1 characters.";
    default: return str;
    }
}

CDocument::CDocument()
    : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(NULL),
      m_bKeptOnFailedOpen(FALSE), m_bModified(FALSE), m_dwSaveError(0)
{
}

CDocument::~CDocument()
{
    // Views outliving their document must not reach back into it.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
        GetNextView(pos)->m_pDocument = NULL;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = FwGetFullPathName(lpszPathName);
    if (m_strPathName.IsEmpty())
        m_strPathName = lpszPathName;
    int nSep = m_strPathName.ReverseFind('\\');
    int nSlash = m_strPathName.ReverseFind('/');
    if (nSlash > nSep)
        nSep = nSlash;
    SetTitle(m_strPathName.Mid(nSep + 1));
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != NULL)
        pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (pView == NULL || m_viewList.Find(pView) != NULL)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();  // may delete this
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
            pFrame->DelayUpdateFrameTitle();
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- new, open, save, close ----

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::SerializeFile(CFile* pFile, BOOL bLoading)
{
    CArchive ar(pFile, bLoading ? CArchive::load : CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    BOOL bOk = FALSE;
    try {
        Serialize(ar);
        bOk = ar.Close() && !ar.IsFailed();
    } catch (...) {
        // A reader that throws counts as a failed load or save.
        ar.Abort();
        bOk = FALSE;
    }
    return bOk;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    if (lpszPathName == NULL || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite)) {
        m_bKeptOnFailedOpen = TRUE;
        ReportSaveLoadException(lpszPathName, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    // Keep the current contents so that a file that fails to load leaves them.
    CMemFile backup;
    BOOL bHaveBackup = SerializeFile(&backup, FALSE);
    BOOL bWasModified = IsModified();

    DeleteContents();
    SetModifiedFlag(FALSE);
    BOOL bOk = SerializeFile(&file, TRUE);
    file.Close();
    if (bOk) {
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    DeleteContents();
    if (bHaveBackup) {
        backup.SeekToBegin();
        m_bKeptOnFailedOpen = SerializeFile(&backup, TRUE);
    }
    SetModifiedFlag(bWasModified);
    ReportSaveLoadException(lpszPathName, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == 0) {
        ReportSaveLoadException(lpszPathName, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    CString strFull = FwGetFullPathName(lpszPathName);
    if (strFull.IsEmpty())
        strFull = lpszPathName;
    int nSep = strFull.ReverseFind('\\');
    CString strFolder = nSep >= 0 ? strFull.Left(nSep + 1) : CString(".");
    // a read-only file is not replaced (the rename would bypass its protection)
    DWORD dwAttrib = ::GetFileAttributes(strFull);
    BOOL bOk = dwAttrib == INVALID_FILE_ATTRIBUTES ||
               !(dwAttrib & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    CString strTemp;
    DWORD dwError = 0;
    if (bOk && !FwGetTempFileName(strFolder, "zfw", strTemp)) {
        bOk = FALSE;
        dwError = FwGetLastError();
    }
    if (bOk) {
        CFile file;
        bOk = file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive) &&
              SerializeFile(&file, FALSE);
        if (bOk)
            bOk = file.Flush();
        if (!bOk)
            dwError = file.GetLastError();
        file.Close();
        if (bOk && !::MoveFileEx(strTemp, strFull, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            bOk = FALSE;
            dwError = FwGetLastError();
        }
        if (!bOk)
            ::DeleteFile(strTemp);
    }
    if (!bOk) {
        m_dwSaveError = dwError;
        ReportSaveLoadException(lpszPathName, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, BOOL bSaving, UINT nIDPDefault)
{
    CString strPrompt = AfxLoadFwString(nIDPDefault);
    if (lpszPathName != NULL && *lpszPathName != 0)
        strPrompt = CString(lpszPathName) + "\n" + strPrompt;
    // a full disk or a refused folder is said, not only that the save failed
    if (bSaving && m_dwSaveError != 0)
        strPrompt += "\n" + FwFormatSystemMessage(m_dwSaveError);
    m_dwSaveError = 0;
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; the document must live on
    // until they are all gone.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && pFrame->m_hWnd != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->m_hWnd != NULL) {
            pView->DestroyWindow();
        }
        // a view that stays (no window, or its frame failed to go) is let go
        if (!m_viewList.IsEmpty() && (CView*)m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName;
    if (strName.IsEmpty()) {
        strName = m_strTitle;
        if (strName.IsEmpty())
            strName = AfxLoadFwString(AFX_IDS_UNTITLED);
    }
    CString strPrompt = AfxLoadFwString(AFX_IDP_ASK_TO_SAVE);
    strPrompt.Replace("%1", strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Another frame still showing the document keeps it open without asking.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CFrameWnd* pOther = GetNextView(pos)->GetParentFrame();
        if (pOther != NULL && pOther != pFrame)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? lpszPathName : "";
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            // no characters a file name cannot hold
            int i = newName.FindOneOf(" #%;/\\");
            if (i >= 0)
                newName = newName.Left(i);
            CString strExt;
            if (m_pDocTemplate != NULL &&
                m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty()) {
                int nSemi = strExt.Find(';');
                if (nSemi >= 0)
                    strExt = strExt.Left(nSemi);
                newName += strExt;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL || pApp->m_pDocManager == NULL ||
            !pApp->m_pDocManager->DoPromptFileName(newName,
                                                   AFX_IDS_SAVEFILE,
                                                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                                   m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    // A file or folder that went away is asked for again, like a read-only file.
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES
                                             : ::GetFileAttributes(m_strPathName);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(NULL); }

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}
