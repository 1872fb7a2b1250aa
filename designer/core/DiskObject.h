// Copies, deletes, creates and lists files and folders. Every operation
// returns a truth value and keeps a text for its last failure; an optional
// feedback window (an HWND on Windows) shows what is being worked on.
#pragma once

#include "framework/Framework.h"

class CDiskObject {
public:
    explicit CDiskObject(void* feedbackWindow = NULL);
    virtual ~CDiskObject() {}

    BOOL CopyFolderFiles(LPCTSTR source, LPCTSTR target);
    BOOL CopyFileToFolder(LPCTSTR file, LPCTSTR folder);
    BOOL RemoveFile(LPCTSTR file);
    BOOL CreateFolderPath(LPCTSTR folder);
    BOOL EmptyFolder(LPCTSTR folder);
    BOOL RemoveFolder(LPCTSTR folder);
    BOOL CopyFolder(LPCTSTR source, LPCTSTR target);
    BOOL FileExists(LPCTSTR file);
    BOOL CreateEmptyFile(LPCTSTR file);
    BOOL ListFiles(LPCTSTR folder, CStringArray& list, BOOL withPath);
    BOOL ListFilesMatching(LPCTSTR mask, LPCTSTR folder, CStringArray& list, BOOL withPath);
    BOOL FolderExists(LPCTSTR folder);
    // Every folder below `folder`, depth first, each ending in '\'.
    BOOL ListAllFolders(LPCTSTR folder, CStringArray& list);
    // Removes the folder with everything in it. Links inside the tree are
    // removed, never followed.
    BOOL RemoveFolderTree(LPCTSTR folder);

    CString GetFileNamePart(LPCTSTR path);
    CString GetFolderPart(LPCTSTR path);
    CString QualifyPath(LPCTSTR path);
    CString QualifyFolder(LPCTSTR folder);

    const CString& GetErrorText() const { return m_strError; }
    void ClearError() { m_strError.Empty(); }
    void SetSystemError(unsigned long code, LPCTSTR path);
    void SetInternalError();

private:
    enum ListKind { LIST_FILES,
                    LIST_LINKED_FOLDERS };
    BOOL ListEntries(ListKind kind, LPCTSTR mask, const CString& folder, CStringArray& list, BOOL withPath);
    BOOL CollectFolders(const CString& folder, CStringArray& list);
    BOOL MakeFolder(const CString& path);
    void Feedback(LPCTSTR text);
    static BOOL IsEmptyName(LPCTSTR name) { return !name || !*name; }

    CString m_strError;
    void* m_pFeedbackWindow;
};
