// The drive map: one row per partition of the partition map, in entry order,
// with its drive letter, GRUB device, kind and file system.
#pragma once

#include "framework/Dialog.h"
#include "framework/ListCtrl.h"

struct DiskSource;

class CDriveMapDlg : public CDialog {
public:
    // Disks: the system's when null.
    explicit CDriveMapDlg(const DiskSource* disks = NULL, CWnd* pParent = NULL);

    CString m_strThemeIni;  // the main dialog's unpacked theme
    CListCtrl m_list;

protected:
    virtual BOOL OnInitDialog() override;
    afx_msg void OnOkButton() { EndDialog(IDOK); }
    afx_msg void OnCancelButton() { EndDialog(IDCANCEL); }
    DECLARE_MESSAGE_MAP()

private:
    void AddColumns();
    void AddRows();

    const DiskSource* m_pDisks;
};
