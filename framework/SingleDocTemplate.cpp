#include "framework/SingleDocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/FwRes.h"
#include "framework/WinState.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != NULL)
        m_pOnlyDoc->m_pDocTemplate = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc == NULL ? NULL : (POSITION)&m_pOnlyDoc;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos != NULL ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = NULL;
    CDocTemplate::RemoveDocument(pDoc);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strTitle;
    if (!GetDocString(strTitle, docName) || strTitle.IsEmpty())
        strTitle = AfxLoadFwString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(strTitle);
}

// A modified document a failed open did not put back may hold half a load:
// it becomes a new untitled one, so Save cannot write that over the old file.
void CSingleDocTemplate::ResetAfterFailedOpen(CDocument* pDocument)
{
    SetDefaultTitle(pDocument);
    if (!pDocument->OnNewDocument())
        pDocument->CDocument::OnNewDocument();
    pDocument->UpdateAllViews(NULL);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (pDocument != NULL) {
        if (!pDocument->SaveModified()) {
            AfxGetThreadState()->bOpenNotTried = true;
            return NULL;
        }
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != NULL)
            pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == NULL) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return NULL;
        }
        bCreated = TRUE;
    }
    if (pFrame == NULL) {
        // The document lives on its own while its frame is made.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (bCreated)
                delete pDocument;
            return NULL;
        }
    }

    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();  // takes the view and so the document
            return NULL;
        }
    } else {
        // OnOpenDocument keeps the contents, path and modified flag of a failed open.
        pDocument->m_bKeptOnFailedOpen = FALSE;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated)
                pFrame->DestroyWindow();
            else if (pDocument->IsModified() && !pDocument->m_bKeptOnFailedOpen)
                ResetAfterFailedOpen(pDocument);
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinApp* pApp = AfxGetApp();
    if (bCreated && pApp != NULL && pApp->m_pMainWnd == NULL)
        pApp->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
