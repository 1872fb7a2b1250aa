// CZavomgrDoc: the studio's project. It owns the element list and the
// screen-wide settings, reads and writes the project file and carries the
// project-wide commands.
#pragma once

#include "framework/File.h"
#include "framework/Document.h"
#include "designer/app/ProjectFile.h"
#include "designer/model/UIControlList.h"

#include <string>

class CView;

class CZavomgrDoc : public CDocument {
    DECLARE_DYNCREATE(CZavomgrDoc)
public:
    CZavomgrDoc();
    virtual ~CZavomgrDoc();

    CUIControlList& GetControlList() { return m_controlList; }
    // The settings the project file carries besides the elements. The view's
    // canvas shows and edits them; a wallpaper whose image does not load keeps
    // its path here.
    CProjectSettings& GetSettings() { return m_settings; }

    virtual BOOL OnNewDocument() override;
    // Reads the whole file first: a file that is refused or cannot be read
    // leaves the open project, its path and its flags as they were.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // A save that fails after writing the text keeps the elements' unsaved mark.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    virtual void Serialize(CArchive& ar) override;
    virtual BOOL SaveModified() override;
    virtual void DeleteContents() override;

    // The project file's bytes into the document; FALSE (after the message)
    // when they are refused, and then nothing changes.
    BOOL LoadProject(const std::string& bytes);
    void RebasePaths(const CString& oldFolder, const CString& newFolder);
    // The view of that class; NULL (and a trace) when the view is another one.
    CView* FindView(CRuntimeClass* pClass);

    // Page sizes a project may have; others give the default page.
    static CSize SanePaperSize(CSize size);

    // Opens the written web page (ShellExecuteA); tests put a recorder here.
    typedef HINSTANCE(WINAPI* ShellOpenProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static ShellOpenProc s_pfnShellOpen;

    afx_msg void OnCreateMenu();
    afx_msg void OnWebPreview();
    afx_msg void OnMultiBoot();

protected:
    CUIControlList m_controlList;
    CProjectSettings m_settings;

    DECLARE_MESSAGE_MAP()
};
