// The browser's document: it holds nothing (the frame holds the image) and
// never writes the file it was opened with.
#pragma once
#include "framework/Document.h"

class CPelsysDoc : public CDocument {
    DECLARE_DYNCREATE(CPelsysDoc)
public:
    CPelsysDoc();
    virtual ~CPelsysDoc();

    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName) override;

protected:
    afx_msg void OnFileSave();
    DECLARE_MESSAGE_MAP()
};
