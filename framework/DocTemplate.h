// CDocTemplate: ties a document class, a frame class and a view class to one
// resource id (menu, icon, accelerators and the document string).
#pragma once
#include "framework/CmdTarget.h"
#include "framework/String.h"

class CDocument;
class CFrameWnd;

class FW_API CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Fields of the document string, separated by '\n'.
    enum DocStringIndex {
        windowTitle,     // main window title (single-document programs)
        docName,         // base of default document names
        fileNewName,     // name in the File New list
        filterName,      // open dialog filter text
        filterExt,       // file extension, ".ext"
        regFileTypeId,   // registry file type id
        regFileTypeName  // readable registry file type name
    };
    enum Confidence { noAttempt,
                      maybeAttemptForeign,
                      maybeAttemptNative,
                      yesAttemptForeign,
                      yesAttemptNative,
                      yesAlreadyOpen };

    virtual ~CDocTemplate();

    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    UINT GetResourceID() const { return m_nIDResource; }

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    BOOL m_bAutoDelete;  // deleted by the document manager

    CString m_strDocStrings;
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
};
