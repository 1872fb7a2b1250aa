// CGenMD5Dlg: makes the boot loader's MD5-crypt hash of a password and checks
// a password against a hash.
#pragma once

#include "framework/Dialog.h"

class CGenMD5Dlg : public CDialog {
public:
    enum { kMaxPassword = 32 };
    explicit CGenMD5Dlg(CWnd* pParent = NULL);

protected:
    virtual BOOL OnInitDialog() override;
    void Tell(UINT nTextID, UINT nType);
    afx_msg void OnMake();
    afx_msg void OnCheck();
    DECLARE_MESSAGE_MAP()
};
