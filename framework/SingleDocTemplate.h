// CSingleDocTemplate: one document at a time. New and open reuse the open
// document and its frame.
#pragma once
#include "framework/DocTemplate.h"

class FW_API CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    virtual ~CSingleDocTemplate();

    virtual POSITION GetFirstDocPosition() const override;
    virtual CDocument* GetNextDoc(POSITION& rPos) const override;
    virtual void AddDocument(CDocument* pDoc) override;
    virtual void RemoveDocument(CDocument* pDoc) override;
    // NULL makes a new document. A failed open leaves the open document as it was.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    virtual void SetDefaultTitle(CDocument* pDocument) override;

protected:
    void ResetAfterFailedOpen(CDocument* pDocument);
    CDocument* m_pOnlyDoc;
};
