#include "controls/FileDialogEx.h"

namespace {
const UINT WM_APPLY_VIEW_MODE = WM_USER + 1;
const int kShellViewId = 1121;  // the file list of the dialog's frame
const UINT kFrameRefreshCommand = 40966;
}  // namespace

CFileDialogEx::CFileDialogEx(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                             DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_nViewMode(0)
{
}

BOOL CFileDialogEx::OnInitDialog()
{
    BOOL bResult = CFileDialog::OnInitDialog();
    // The shell view exists only once the frame has finished its own set-up.
    PostMessage(WM_APPLY_VIEW_MODE);
    return bResult;
}

LRESULT CFileDialogEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APPLY_VIEW_MODE) {
        ApplyViewMode();
        return 0;
    }
    return CFileDialog::WindowProc(message, wParam, lParam);
}

void CFileDialogEx::ApplyViewMode()
{
    HWND hFrame = DialogFrame();
    if (hFrame == NULL)
        return;
    HWND hView = ::GetDlgItem(hFrame, kShellViewId);
    if (hView == NULL)
        return;
    if (m_wndShellView.m_hWnd != hView) {
        if (m_wndShellView.m_hWnd != NULL)
            m_wndShellView.UnsubclassWindow();
        m_wndShellView.SubclassWindow(hView);
    }
    if (m_nViewMode != 0)
        m_wndShellView.SendMessage(WM_COMMAND, m_nViewMode, 0);
    ::SendMessage(hFrame, WM_COMMAND, kFrameRefreshCommand, 0);
}
