#include "framework/ColorDialog.h"
#include "framework/WinApp.h"
#include <colordlg.h>

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    ZeroMemory(&m_cc, sizeof(m_cc));
    for (COLORREF& clr : m_clrCustom)
        clr = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = m_clrCustom;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK | CC_RGBINIT;
    m_cc.lpfnHook = AfxColorDlgHookProc;
    m_cc.lCustData = (LPARAM)this;
    m_cc.rgbResult = clrInit;
    m_cc.hInstance = (HWND)AfxGetResourceHandle();
}

UINT_PTR CALLBACK AfxColorDlgHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    return AfxCommonDlgHook<CColorDialog, CHOOSECOLOR>(hWnd, message, lParam);
}

INT_PTR CColorDialog::DoModal()
{
    CModalOwner owner(m_pParentWnd, false);
    m_cc.hwndOwner = owner.GetOwner();
    if (m_cc.lpCustColors == NULL)
        m_cc.lpCustColors = m_clrCustom;
    AfxPrepareCommonDlg(m_cc, this, AfxColorDlgHookProc, CC_ENABLEHOOK, CC_ENABLETEMPLATE);
    BOOL bOK = ::ChooseColor(&m_cc);
    if (m_hWnd != NULL)
        Detach();
    return bOK ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    static const UINT s_nSetRgb = ::RegisterWindowMessage(SETRGBSTRING);
    if (m_hWnd == NULL)
        return;
    ::SendMessage(m_hWnd, s_nSetRgb, 0, (LPARAM)clr);
    // Dialogs that ignore the message follow their red, green and blue fields.
    static const int s_nFields[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    const BYTE parts[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    for (int i = 0; i < 3; ++i) {
        if (::GetDlgItem(m_hWnd, s_nFields[i]) != NULL)
            ::SetDlgItemInt(m_hWnd, s_nFields[i], parts[i], FALSE);
    }
}
