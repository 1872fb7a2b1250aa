// Writes a list of lines to a text file, each followed by the line end.
#pragma once

#include "framework/Framework.h"

class CTextFileWriter {
public:
    CTextFileWriter(LPCTSTR extension, LPCTSTR lineTerminator);
    virtual ~CTextFileWriter() {}

    // Asks for a file; the window layer supplies the dialog.
    virtual BOOL BrowseForFile(BOOL forSave, CString& path);

    // 1 on success, 0 on failure (GetErrorText says why).
    int Save(LPCTSTR path, const CStringArray& lines);

    const CString& GetErrorText() const { return m_strError; }
    void SetInitialFolder(LPCTSTR folder) { m_strInitialFolder = folder; }
    const CString& GetExtension() const { return m_strExtension; }

private:
    CString m_strInitialFolder;
    CString m_strError;
    CString m_strExtension;
    CString m_strLineEnd;
};
