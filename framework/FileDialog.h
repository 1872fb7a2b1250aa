// The system's open and save dialogs, explorer style. Our hook attaches the
// object to the dialog's child window and turns the dialog's notifications
// into the virtual handlers below. The file name buffer is bounded: a
// selection that does not fit makes DoModal fail (CommDlgExtendedError gives
// FNERR_BUFFERTOOSMALL), it is never cut short.
#pragma once
#include "framework/CommonDialog.h"

class FW_API CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter in the form "Text|*.ext|Text 2|*.a;*.b||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                         LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);
    virtual ~CFileDialog();

    OPENFILENAME m_ofn;  // callers may change it (buffer, title, folder, template) before DoModal
    BOOL m_bOpenFileDialog;

    virtual INT_PTR DoModal() override;
    DWORD GetExtendedError() const { return m_dwExtError; }

    // After DoModal (or while the dialog runs: what it shows now).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Multiple selection: every chosen file as a full path.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // While the dialog runs
    void SetControlText(int nID, LPCTSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCSTR lpsz);

    // Handlers of the dialog's notifications
    virtual BOOL OnFileNameOK();  // TRUE refuses the name
    virtual void OnInitDone();
    virtual void OnFileNameChange();  // the selection changed
    virtual void OnFolderChange();
    virtual void OnTypeChange();
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // explorer style: our window is a child of the system's dialog
    HWND DialogFrame() const { return m_hWnd && (m_ofn.Flags & OFN_EXPLORER) ? ::GetParent(m_hWnd) : NULL; }
    CString SendPathMessage(UINT nMsg) const;
    LPCTSTR FileBufferEnd() const { return m_ofn.lpstrFile + m_ofn.nMaxFile; }

    TCHAR m_szFileName[_MAX_PATH];
    TCHAR m_szFileTitle[_MAX_PATH];
    CString m_strDefExt;
    char* m_pszFilter;  // the filter with NUL separators
    DWORD m_dwExtError;
};

FW_API UINT_PTR CALLBACK AfxFileDlgHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Splits a framework filter ("a|b||") into the system's form ("a\0b\0\0").
// Returns a new[] buffer; double-byte characters of the code page, whose
// second byte may be a '|', are kept whole.
FW_API char* AfxMakeFilterBuffer(LPCTSTR lpszFilter, UINT nCodePage = CP_ACP);
