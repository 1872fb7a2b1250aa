// Progress of the inflation of a large compressed image, with Cancel. The
// frame is disabled while it shows; messages are pumped between chunks.
#pragma once
#include "framework/Dialog.h"

class CInflateProgressDlg : public CDialog {
public:
    // Images from this size on show the dialog.
    static const ULONGLONG kLargeImage = 16u << 20;

    explicit CInflateProgressDlg(CWnd* pOwner);
    virtual ~CInflateProgressDlg();

    // A CImageFs progress function; the context is the dialog.
    static BOOL Report(void* context, ULONGLONG done, ULONGLONG total);

    virtual void OnCancel() override;

private:
    BOOL Update(ULONGLONG done, ULONGLONG total);
    void Pump();

    CWnd* m_pOwner;
    BOOL m_bCancelled;
    BOOL m_bOwnerDisabled;
};
