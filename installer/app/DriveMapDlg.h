// The drive map: one row per partition of the partition map, in entry order,
// with its drive letter, GRUB device, kind and file system.
#pragma once

#include "framework/Dialog.h"
#include "framework/ToolTipCtrl.h"
#include "installer/ui/BitmapPushButton.h"
#include "installer/ui/DialogSkin.h"
#include "installer/ui/GradientListCtrl.h"
#include "installer/ui/PictureStatic.h"

struct DiskSource;

class CDriveMapDlg : public CDialog {
public:
    // Disks: the system's when null.
    explicit CDriveMapDlg(const DiskSource* disks = NULL, CWnd* pParent = NULL);

    CString m_strThemeIni;  // the main dialog's unpacked theme
    CGradientListCtrl m_list;

protected:
    virtual BOOL OnInitDialog() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg void OnOkButton() { EndDialog(IDOK); }
    afx_msg void OnCancelButton() { EndDialog(IDCANCEL); }
    DECLARE_MESSAGE_MAP()

private:
    void AddColumns();
    void AddRows();

    const DiskSource* m_pDisks;
    CToolTipCtrl m_toolTip;
    CDialogSkin m_skin;
    CBitmapPushButton m_buttons[2];
    CPictureStatic m_banner;
    CPictureStatic m_alert;
};
