// A small modeless dialog with a text line and a progress bar that a long job
// on the interface thread shows while it works; Escape stops the job.
#pragma once
#include <windows.h>
#include "framework/Dialog.h"

class CWaitDialog : public CDialog {
public:
    enum { IDD = 23040,
           IDC_TEXT = 23041,
           IDC_PROGRESS = 23042 };
    enum { IDS_CAPTION = 61515,
           IDS_TEXT = 61516 };

    // Disables the owner (or the main window), then shows the dialog. Cancel
    // clears *pbContinue.
    CWaitDialog(BOOL* pbContinue, LPCTSTR lpszCaption = NULL, LPCTSTR lpszText = NULL,
                CWnd* pOwner = NULL);
    virtual ~CWaitDialog();

    void SetText(LPCTSTR lpszText);
    // Clamped to 0..100.
    void SetProgress(int nPercent);
    // Enables the disabled window again and destroys the dialog; harmless twice.
    void Close();

    // Handles the waiting messages and the idle work. FALSE when the message
    // loop should end: the quit message is then posted again for the main loop.
    static BOOL PumpMessages();

protected:
    virtual void OnOK();
    virtual void OnCancel();

private:
    BOOL* m_pbContinue;
    HWND m_hWndDisabled;
};
