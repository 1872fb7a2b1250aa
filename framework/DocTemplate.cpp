#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/FwRes.h"
#include "framework/Sys.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_bAutoDelete(TRUE), m_nIDResource(nIDResource), m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < (int)index; i++) {
        int nNext = m_strDocStrings.Find('\n', nStart);
        if (nNext < 0)
            return FALSE;
        nStart = nNext + 1;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    rString = nEnd < 0 ? m_strDocStrings.Mid(nStart) : m_strDocStrings.Mid(nStart, nEnd - nStart);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = NULL;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    CString strFull = FwGetFullPathName(lpszPathName);
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(strFull) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strExts;
    if (GetDocString(strExts, filterExt) && !strExts.IsEmpty()) {
        CString strName(lpszPathName);
        // each of ".a;.b" against the end of the name
        int nStart = 0;
        while (nStart < strExts.GetLength()) {
            int nSemi = strExts.Find(';', nStart);
            CString strExt = nSemi < 0 ? strExts.Mid(nStart) : strExts.Mid(nStart, nSemi - nStart);
            nStart = nSemi < 0 ? strExts.GetLength() : nSemi + 1;
            if (!strExt.IsEmpty() && strName.GetLength() >= strExt.GetLength() &&
                strName.Right(strExt.GetLength()).CompareNoCase(strExt) == 0)
                return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL || !m_pDocClass->IsDerivedFrom(RUNTIME_CLASS(CDocument)))
        return NULL;
    CDocument* pDoc = (CDocument*)m_pDocClass->CreateObject();
    if (pDoc != NULL)
        AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    (void)pOther;
    if (m_pFrameClass == NULL || !m_pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)))
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* pFrame = (CFrameWnd*)m_pFrameClass->CreateObject();
    if (pFrame == NULL)
        return NULL;
    // A frame that fails to create destroys (and deletes) itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    (void)bEndSession;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);  // pos moves on before the document goes
        pDoc->OnCloseDocument();
    }
}
