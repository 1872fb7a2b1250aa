// Dialog 130: the source folder, output file and volume name of an image
// built from a folder; the values are kept in the profile section "DumpDir".
#pragma once
#include "framework/Dialog.h"

class CNewFsFromDirDlg : public CDialog {
public:
    enum { kMaxPath = 256,
           kMaxVolume = 15 };

    explicit CNewFsFromDirDlg(CWnd* pParent = NULL);

    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;

    CString m_strDir;
    CString m_strFile;
    CString m_strVolume;

protected:
    afx_msg void OnBrowseDir();
    afx_msg void OnBrowseFile();
    DECLARE_MESSAGE_MAP()
};
