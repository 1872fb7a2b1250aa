// CDocManager: the application's list of document templates, the File New
// and File Open commands and the file name prompts. Programs may derive
// their own and set it as CWinApp::m_pDocManager before AddDocTemplate.
#pragma once
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/List.h"

class CDocTemplate;
class CDocument;

class FW_API CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    virtual ~CDocManager();  // deletes the templates marked m_bAutoDelete

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual int GetOpenDocumentCount();

    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // A file dialog for opening or saving; name in/out. TRUE on OK.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual void RegisterShellFileTypes(BOOL bCompat);
    virtual void UnregisterShellFileTypes();
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // Initial folder of the file dialogs (empty: the system's choice).
    CString m_strInitialDir;

protected:
    CPtrList m_templateList;
    // The dialog itself; tests and programs may replace it. lpszFilter is in
    // the dialog's own form: name, '\0', pattern, '\0', ..., ending "\0\0".
    virtual BOOL RunFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszTitle, DWORD lFlags,
                               LPCTSTR lpszFilter, int nFilterIndex, LPCTSTR lpszDefExt,
                               CString& fileName);
};

// Adds "name|*.ext|" for a template's filter fields (several extensions
// separated by ";." each get a "*"); returns FALSE when the template has none.
FW_API BOOL AfxAppendFilterSuffix(CString& filter, CDocTemplate* pTemplate, CString* pstrDefaultExt);
