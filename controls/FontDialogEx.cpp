#include "controls/FontDialogEx.h"

namespace {
const int kColorComboId = 1139;  // the system dialog's colour list
}

CFontDialogEx::CFontDialogEx(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CFontDialog(lplfInitial, dwFlags, pdcPrinter, pParentWnd), m_crColor(0)
{
}

BOOL CFontDialogEx::OnInitDialog()
{
    BOOL bResult = CFontDialog::OnInitDialog();
    // The caller may have set the colour in the dialog's structure only.
    m_crColor = m_cf.rgbColors;
    HWND hCombo = ::GetDlgItem(m_hWnd, kColorComboId);
    if (hCombo == NULL)
        return bResult;
    ::ShowWindow(hCombo, SW_HIDE);
    CRect rc;
    ::GetWindowRect(hCombo, &rc);
    ScreenToClient(&rc);
    if (m_colorButton.Create("COLOR", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, rc, this,
                             IDC_COLOR_BUTTON)) {
        ::SetWindowPos(m_colorButton.m_hWnd, hCombo, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_colorButton.SetColor(m_crColor);
    }
    return bResult;
}

LRESULT CFontDialogEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_COLOR_ACCEPTED:
        m_crColor = m_colorButton.GetColor();
        m_cf.rgbColors = m_crColor;
        return 1;
    case MSG_COLOR_CHANGED:
    case MSG_COLOR_DROPDOWN:
    case MSG_COLOR_CLOSEUP:
    case MSG_COLOR_CANCELLED:
        return 1;
    }
    return CFontDialog::WindowProc(message, wParam, lParam);
}
