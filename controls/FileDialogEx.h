// A file dialog that opens its file list in a chosen shell view mode.
#pragma once
#include "framework/FileDialog.h"

// The dialog's shell view window, subclassed while the dialog runs.
class CListViewShellWnd : public CWnd {
public:
    CListViewShellWnd() {}
};

class CFileDialogEx : public CFileDialog {
public:
    // Shell view commands of the file list.
    enum { ViewLargeIcons = 0x7029,
           ViewThumbnails = 0x702D };

    explicit CFileDialogEx(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                           LPCTSTR lpszFileName = NULL,
                           DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

    // 0 leaves the view alone; set before DoModal.
    UINT m_nViewMode;
    void SetViewMode(UINT nViewMode) { m_nViewMode = nViewMode; }
    CListViewShellWnd& GetShellView() { return m_wndShellView; }

    virtual BOOL OnInitDialog() override;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyViewMode();

    CListViewShellWnd m_wndShellView;
};
