// CDocument: the data of one file, shown by one or more views. New, open,
// save and close run through the virtual steps below; no step throws, each
// reports failure by its result.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/CmdTarget.h"
#include "framework/String.h"
#include "framework/List.h"

class CArchive;
class CFile;
class CDocTemplate;
class CView;
class CFrameWnd;

class FW_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full path and the file name as title; adds it to the recent files.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize. On failure the document keeps its
    // contents, path and modified flag, and the result is FALSE.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes through Serialize into a temporary file that replaces the file
    // only when everything was written; on failure the file and the modified
    // flag stay as they were.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void Serialize(CArchive& ar) override { (void)ar; }
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, BOOL bSaving, UINT nIDPDefault);

    // Asks to save a modified document: FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame) { (void)pFrame; }
    // lpszPathName NULL or empty asks for a name; bReplace makes it the document's path.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    BOOL m_bAutoDelete;  // deleted when its last view goes
    BOOL m_bEmbedded;
    CDocTemplate* m_pDocTemplate;
    // Set by OnOpenDocument when it failed with the previous contents in place.
    BOOL m_bKeptOnFailedOpen;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
    CPtrList m_viewList;
    // The system's error of a failed save, named in its message; 0 when unknown.
    DWORD m_dwSaveError;

    // Serializes the document into or out of an open file; FALSE when the
    // archive failed.
    BOOL SerializeFile(CFile* pFile, BOOL bLoading);

    DECLARE_MESSAGE_MAP()
};
