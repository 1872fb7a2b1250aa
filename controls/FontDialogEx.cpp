#include "controls/FontDialogEx.h"

#include <dlgs.h>

namespace {
const int kColorComboId = 1139;  // the system dialog's colour list

int CALLBACK TakeFaceName(const LOGFONT* lf, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    *(CString*)lParam = lf->lfFaceName;
    return 0;
}

CString ItemText(HWND hDlg, int id)
{
    char text[LF_FACESIZE * 2] = "";
    ::GetDlgItemText(hDlg, id, text, sizeof(text));
    return CString(text);
}
}  // namespace

CFontDialogEx::CFontDialogEx(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CFontDialog(lplfInitial, dwFlags, pdcPrinter, pParentWnd), m_crColor(0), m_bChanged(TRUE)
{
}

CString CFontDialogEx::ListedFaceName(const LOGFONT& lf)
{
    CString strFace;
    HDC hdc = ::GetDC(NULL);
    if (hdc == NULL)
        return strFace;
    LOGFONT probe;
    ZeroMemory(&probe, sizeof(probe));
    probe.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(probe.lfFaceName, lf.lfFaceName, LF_FACESIZE);
    ::EnumFontFamiliesEx(hdc, &probe, TakeFaceName, (LPARAM)&strFace, 0);
    if (strFace.IsEmpty()) {
        HFONT hFont = ::CreateFontIndirect(&lf);
        HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : NULL;
        char face[LF_FACESIZE] = "";
        if (hFont && ::GetTextFace(hdc, LF_FACESIZE, face) > 0)
            strFace = face;
        if (hOld)
            ::SelectObject(hdc, hOld);
        if (hFont)
            ::DeleteObject(hFont);
    }
    ::ReleaseDC(NULL, hdc);
    return strFace;
}

// The system's dialog starts at a face of its list only: a face it does not
// list by that name starts it at its first face and smallest size. It is
// given the listed face, and the font comes back whole when nothing changed.
INT_PTR CFontDialogEx::DoModal()
{
    const LOGFONT lfStart = m_lf;
    const BOOL bFromFont = (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) && lfStart.lfFaceName[0] != '\0';
    m_strOwnFace = bFromFont ? lfStart.lfFaceName : "";
    m_strLookAtStart.Empty();
    m_bChanged = TRUE;
    if (bFromFont) {
        CString strListed = ListedFaceName(lfStart);
        if (!strListed.IsEmpty())
            lstrcpyn(m_lf.lfFaceName, strListed, LF_FACESIZE);
    }
    INT_PTR nResult = CFontDialog::DoModal();
    if (bFromFont && (nResult != IDOK || !m_bChanged))
        m_lf = lfStart;
    return nResult;
}

CString CFontDialogEx::ControlsLook() const
{
    CString strLook;
    strLook.Format("%s|%s|%s|%d|%d", (LPCTSTR)ItemText(m_hWnd, cmb1), (LPCTSTR)ItemText(m_hWnd, cmb2),
                   (LPCTSTR)ItemText(m_hWnd, cmb3), ::IsDlgButtonChecked(m_hWnd, chx1),
                   ::IsDlgButtonChecked(m_hWnd, chx2));
    return strLook;
}

void CFontDialogEx::OnOK()
{
    m_bChanged = m_strLookAtStart.IsEmpty() || ControlsLook() != m_strLookAtStart;
    CFontDialog::OnOK();
}

BOOL CFontDialogEx::OnInitDialog()
{
    BOOL bResult = CFontDialog::OnInitDialog();
    // A face the list has under another name, or does not have, is still shown by its own name.
    if (!m_strOwnFace.IsEmpty() && ItemText(m_hWnd, cmb1).CompareNoCase(m_strOwnFace) != 0)
        ::SetDlgItemText(m_hWnd, cmb1, m_strOwnFace);
    if (!m_strOwnFace.IsEmpty())
        m_strLookAtStart = ControlsLook();
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
