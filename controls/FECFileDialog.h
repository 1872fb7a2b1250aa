// CFECFileDialog: the file dialog of the file edit control. A multiple
// selection longer than the dialog's buffer is kept in buffers of its own,
// so such a selection still ends with IDOK and yields every file.
#pragma once

#include "framework/FileDialog.h"

class CFECFileDialog : public CFileDialog {
    DECLARE_DYNAMIC(CFECFileDialog)
public:
    CFECFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                   DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                   CWnd* pParentWnd = NULL);
    virtual ~CFECFileDialog();

    virtual INT_PTR DoModal() override;
    POSITION GetStartPosition();
    CString GetNextPathName(POSITION& pos) const;

    // The OK button's caption; empty keeps the system's.
    void SetOkCaption(LPCTSTR lpszCaption) { m_strOkCaption = lpszCaption ? lpszCaption : ""; }

protected:
    virtual void OnFileNameChange() override;
    virtual void OnInitDone() override;

private:
    void FreeBuffers();

    BOOL m_bParsed;
    char* m_pszFolder;  // with their NUL; NULL while the selection fits the dialog's buffer
    char* m_pszNames;
    size_t m_nNames;  // characters of m_pszNames, the NUL not counted
    CString m_strOkCaption;
};
