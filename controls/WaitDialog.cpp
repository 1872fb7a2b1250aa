#include "controls/WaitDialog.h"
#include "framework/WinApp.h"

namespace {

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

// One message through the thread's pump; FALSE (with the quit code) on WM_QUIT.
BOOL PumpOne(int& nExitCode)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->PumpMessage())
            return TRUE;
        nExitCode = (int)pThread->m_msgCur.wParam;
        return FALSE;
    }
    MSG msg;
    if (!::GetMessageW(&msg, NULL, 0, 0)) {
        nExitCode = (int)msg.wParam;
        return FALSE;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return TRUE;
}

}  // namespace

CWaitDialog::CWaitDialog(BOOL* pbContinue, LPCTSTR lpszCaption, LPCTSTR lpszText, CWnd* pOwner)
    : m_pbContinue(pbContinue), m_hWndDisabled(NULL)
{
    CWnd* pDisable = pOwner != NULL ? pOwner : AfxGetMainWnd();
    if (pDisable != NULL && pDisable->GetSafeHwnd() != NULL && pDisable->IsWindowEnabled()) {
        m_hWndDisabled = pDisable->GetSafeHwnd();
        pDisable->EnableWindow(FALSE);
    }
    if (!Create(IDD, pOwner)) {
        // no dialog will close: the disabled window is given back now
        if (m_hWndDisabled != NULL)
            ::EnableWindow(m_hWndDisabled, TRUE);
        m_hWndDisabled = NULL;
        return;
    }
    SetWindowText(lpszCaption != NULL ? CString(lpszCaption) : LoadText(IDS_CAPTION));
    SetDlgItemText(IDC_TEXT, lpszText != NULL ? CString(lpszText) : LoadText(IDS_TEXT));
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    if (pOwner != NULL)
        CenterWindow(pOwner);
    ShowWindow(SW_SHOW);
}

CWaitDialog::~CWaitDialog()
{
    Close();
}

void CWaitDialog::SetText(LPCTSTR lpszText)
{
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_TEXT, lpszText);
}

void CWaitDialog::SetProgress(int nPercent)
{
    if (m_hWnd == NULL)
        return;
    nPercent = nPercent < 0 ? 0 : (nPercent > 100 ? 100 : nPercent);
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETPOS, nPercent, 0);
}

void CWaitDialog::Close()
{
    if (m_hWnd == NULL)
        return;
    // Enabled before the dialog goes, so that activation returns to it.
    if (m_hWndDisabled != NULL && ::IsWindow(m_hWndDisabled))
        ::EnableWindow(m_hWndDisabled, TRUE);
    m_hWndDisabled = NULL;
    DestroyWindow();
}

void CWaitDialog::OnOK() {}

void CWaitDialog::OnCancel()
{
    if (m_pbContinue != NULL)
        *m_pbContinue = FALSE;
    Close();
}

BOOL CWaitDialog::PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        int nExitCode = 0;
        if (!PumpOne(nExitCode)) {
            ::PostQuitMessage(nExitCode);
            return FALSE;
        }
    }
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        // Idle work stops early when a message arrives, as in the main loop.
        for (LONG lCount = 0; !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE) && pThread->OnIdle(lCount); ++lCount) {
        }
    }
    return TRUE;
}
