// Progress of long work on a large image (inflating it, extracting a file),
// with Cancel. The frame is disabled while it shows; messages are pumped
// between chunks.
#pragma once
#include "framework/Dialog.h"

class CInflateProgressDlg : public CDialog {
public:
    // Work from this size on shows the dialog.
    static const ULONGLONG kLargeImage = 16u << 20;

    // textId: the line above the bar, else the dialog's own.
    explicit CInflateProgressDlg(CWnd* pOwner, UINT textId = 0);
    virtual ~CInflateProgressDlg();

    // A CImageFs progress function; the context is the dialog.
    static BOOL Report(void* context, ULONGLONG done, ULONGLONG total);

    virtual void OnCancel() override;

private:
    BOOL Update(ULONGLONG done, ULONGLONG total);
    void Pump();

    CWnd* m_pOwner;
    UINT m_nTextId;
    BOOL m_bCancelled;
    BOOL m_bOwnerDisabled;
};
