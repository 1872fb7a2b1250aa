#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "framework/ResourceList.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    ZeroMemory(&m_psp, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
        m_psp.dwFlags |= PSP_USETITLE;
    m_bFirstSetActive = TRUE;
    m_bModified = FALSE;
}

CPropertyPage::~CPropertyPage() {}

HPROPSHEETPAGE CPropertyPage::CreatePageHandle()
{
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.hInstance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    if (m_psp.dwFlags & PSP_USETITLE)
        m_psp.pszTitle = m_strCaption;
    m_bFirstSetActive = TRUE;
    return ::CreatePropertySheetPage(&m_psp);
}

// The sheet creates the page window from our template with this procedure:
// the page object takes the window over when it initialises.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGE* psp = (const PROPSHEETPAGE*)lParam;
    CPropertyPage* pPage = psp ? (CPropertyPage*)psp->lParam : NULL;
    if (pPage == NULL || !pPage->SubclassWindow(hWnd))
        return TRUE;
    try {
        return pPage->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

CPropertySheet* CPropertyPage::GetSheet() const
{
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_hWnd == NULL)
        return;
    HWND hSheet = ::GetParent(m_hWnd);
    ::SendMessage(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

// Controls were filled by OnInitDialog on the first activation; later ones
// show what the members hold now.
BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}
void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() { m_bModified = FALSE; }
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return UpdateData(TRUE); }

// A multi-line edit closes its parent on Escape, and the parent is the page:
// that is the sheet's Cancel, not a dialog of its own ending.
void CPropertyPage::OnClose()
{
    ::PostMessage(::GetParent(m_hWnd), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;  // the sheet does the dialog keys of its pages
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->code > PSN_FIRST || pNMHDR->code < PSN_LAST || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    CPropertySheet* pSheet = GetSheet();
    LRESULT lResult = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        if (!OnApply()) {
            lResult = PSNRET_INVALID_NOCHANGEPAGE;
        } else if (pSheet != NULL && ((PSHNOTIFY*)lParam)->lParam) {
            pSheet->NoteResult(IDOK);
        }
        break;
    case PSN_RESET:
        OnReset();
        if (pSheet != NULL)
            pSheet->NoteResult(IDCANCEL);
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        if (OnWizardFinish()) {
            if (pSheet != NULL)
                pSheet->NoteResult(ID_WIZFINISH);
        } else {
            lResult = TRUE;
        }
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // Dialog procedures answer notifications through DWLP_MSGRESULT; some
    // sheets read that, others the return value: give both.
    if (m_hWnd != NULL)
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}
