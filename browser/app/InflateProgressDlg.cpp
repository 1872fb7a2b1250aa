#include "browser/app/InflateProgressDlg.h"

#include "resources/pelsys/resource.h"

#include <commctrl.h>

namespace {
const int kSteps = 1000;
}  // namespace

CInflateProgressDlg::CInflateProgressDlg(CWnd* pOwner, UINT textId)
    : CDialog(IDD_INFLATE_PROGRESS, pOwner), m_pOwner(pOwner), m_nTextId(textId), m_bCancelled(FALSE),
      m_bOwnerDisabled(FALSE)
{
}

CInflateProgressDlg::~CInflateProgressDlg()
{
    if (m_bOwnerDisabled)
        m_pOwner->EnableWindow(TRUE);
    if (m_hWnd)
        DestroyWindow();
}

BOOL CInflateProgressDlg::Report(void* context, ULONGLONG done, ULONGLONG total)
{
    return static_cast<CInflateProgressDlg*>(context)->Update(done, total);
}

BOOL CInflateProgressDlg::Update(ULONGLONG done, ULONGLONG total)
{
    if (total < kLargeImage || m_bCancelled)
        return !m_bCancelled;
    if (!m_hWnd) {
        if (!Create(IDD_INFLATE_PROGRESS, m_pOwner))
            return TRUE;  // inflate on without the dialog
        SendDlgItemMessage(IDC_INFLATE_PROGRESS, PBM_SETRANGE32, 0, kSteps);
        CString text;
        if (m_nTextId && text.LoadString(m_nTextId))
            SetDlgItemText(IDC_INFLATE_TEXT, text);
        if (m_pOwner && m_pOwner->IsWindowEnabled()) {
            m_pOwner->EnableWindow(FALSE);
            m_bOwnerDisabled = TRUE;
        }
        ShowWindow(SW_SHOW);
    }
    SendDlgItemMessage(IDC_INFLATE_PROGRESS, PBM_SETPOS, (WPARAM)(done * kSteps / total), 0);
    Pump();
    return !m_bCancelled;
}

// The owner is disabled, so no command of the program can start meanwhile.
void CInflateProgressDlg::Pump()
{
    MSG msg;
    while (!m_bCancelled && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            m_bCancelled = TRUE;
            break;
        }
        if (!::IsDialogMessage(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

void CInflateProgressDlg::OnCancel()
{
    m_bCancelled = TRUE;
}
