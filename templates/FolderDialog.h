// CFolderDialog: the open-file dialog turned into a picker of several folders.
// OK takes the selected items of the shell list as they are.
#pragma once

#include "framework/FileDialog.h"
#include "framework/StringArray.h"
#include "templates/GorvanelApi.h"

class GORVANEL_API CFolderDialog : public CFileDialog {
    DECLARE_DYNAMIC(CFolderDialog)
public:
    CFolderDialog(LPCTSTR lpszStartPath, LPCTSTR lpszOkText,
                  DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, CWnd* pParentWnd = NULL);
    virtual ~CFolderDialog();

    virtual INT_PTR DoModal() override;

    CString m_strCurrentFolder;
    CStringArray m_arrNames;    // every selected item, full path
    CStringArray m_arrFolders;  // the selected items that are folders
    CString m_strNamesText;     // "name" "name" ...
    CString m_strStartFolder;
    CString m_strOkText;

protected:
    virtual void OnInitDone() override;
    virtual void OnFileNameChange() override;
    virtual void OnFolderChange() override;

private:
    void CollectSelection();
    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
