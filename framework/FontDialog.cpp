#include "framework/FontDialog.h"
#include "framework/DC.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    ZeroMemory(&m_cf, sizeof(m_cf));
    ZeroMemory(&m_lf, sizeof(m_lf));
    m_szStyleName[0] = '\0';
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags | CF_ENABLEHOOK;
    m_cf.lpfnHook = AfxFontDlgHookProc;
    m_cf.lCustData = (LPARAM)this;
    m_cf.hInstance = AfxGetResourceHandle();
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL) {
        m_cf.hDC = pdcPrinter->m_hAttribDC ? pdcPrinter->m_hAttribDC : pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

CFontDialog::~CFontDialog() {}

UINT_PTR CALLBACK AfxFontDlgHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    return AfxCommonDlgHook<CFontDialog, CHOOSEFONT>(hWnd, message, lParam);
}

INT_PTR CFontDialog::DoModal()
{
    CModalOwner owner(m_pParentWnd, false);
    m_cf.hwndOwner = owner.GetOwner();
    m_cf.lpLogFont = &m_lf;
    AfxPrepareCommonDlg(m_cf, this, AfxFontDlgHookProc, CF_ENABLEHOOK, CF_ENABLETEMPLATE);
    BOOL bOK = ::ChooseFont(&m_cf);
    if (m_hWnd != NULL)
        Detach();
    return bOK ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_CHOOSEFONT_GETLOGFONT, 0, (LPARAM)lplf);
    else
        *lplf = m_lf;
}
