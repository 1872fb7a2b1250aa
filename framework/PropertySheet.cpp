#include "framework/PropertySheet.h"
#include "framework/Dialog.h"
#include "framework/PropertyPage.h"
#include "framework/TabCtrl.h"
#include "framework/WinApp.h"
#include "framework/ControlHelpers.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {
// The sheet PropertySheet is building on this thread, for the callback.
thread_local CPropertySheet* t_pSheetInit = NULL;
}  // namespace

CPropertySheet::CPropertySheet() { CommonConstruct(NULL, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    ZeroMemory(&m_psh, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_phPages = NULL;
    m_bModeless = FALSE;
    m_nResult = IDCANCEL;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete[] m_phPages;
}

int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM)
{
    // The creation hook normally attached the sheet already; this catches a
    // sheet window made before the hook could see it.
    CPropertySheet* pSheet = t_pSheetInit;
    if (message == PSCB_INITIALIZED && pSheet != NULL && pSheet->m_hWnd == NULL)
        pSheet->AttachSheet(hWnd);
    return 0;
}

void CPropertySheet::AttachSheet(HWND hWnd)
{
    SubclassWindow(hWnd);
}

BOOL CPropertySheet::BuildHeader(HWND hWndParent, DWORD dwExtraFlags)
{
    int n = GetPageCount();
    if (n == 0)
        return FALSE;
    delete[] m_phPages;
    m_phPages = new HPROPSHEETPAGE[n];
    for (int i = 0; i < n; ++i) {
        m_phPages[i] = GetPage(i)->CreatePageHandle();
        if (m_phPages[i] == NULL) {
            while (i-- > 0)
                ::DestroyPropertySheetPage(m_phPages[i]);
            return FALSE;
        }
    }
    m_psh.dwFlags &= ~(PSH_PROPSHEETPAGE | PSH_MODELESS);
    m_psh.dwFlags |= PSH_USECALLBACK | dwExtraFlags;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_psh.phpage = m_phPages;
    m_psh.nPages = (UINT)n;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    if (m_psh.nStartPage >= (UINT)n)
        m_psh.nStartPage = 0;
    m_nResult = IDCANCEL;
    return TRUE;
}

// The sheet runs modeless under the framework's modal loop, so the thread's
// pre-translate walk and idle messages reach sheet, pages and controls.
INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != NULL)
        return -1;
    AfxEnsureCommonControls();
    m_bModeless = FALSE;
    CModalOwner owner(m_pParentWnd, true);
    HWND hWndOwner = owner.GetOwner();
    if (!BuildHeader(hWndOwner, PSH_MODELESS))
        return -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (!CreateSheet()) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return -1;
    }
    if (m_nFlags & WF_CONTINUEMODAL) {
        // the sheet may have been shown already: that stays
        if (!::IsWindowVisible(m_hWnd))
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop(0);
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    owner.RestoreAndHide(m_hWnd);
    if (m_hWnd != NULL)
        DestroyWindow();
    return m_nResult;
}

BOOL CPropertySheet::CreateSheet()
{
    t_pSheetInit = this;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    t_pSheetInit = NULL;
    if (hWnd == NULL || hWnd == (HWND)(INT_PTR)-1)
        return FALSE;
    if (m_hWnd == NULL)
        SubclassWindow(hWnd);
    return TRUE;
}

// A modal sheet runs until it has no current page (OK, Cancel, Finish) or
// EndDialog ends the loop.
BOOL CPropertySheet::ContinueModal()
{
    return CWnd::ContinueModal() && SheetMessage(PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD)
{
    if (m_hWnd != NULL)
        return FALSE;
    AfxEnsureCommonControls();
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    if (!BuildHeader(hWndParent, PSH_MODELESS))
        return FALSE;
    m_bModeless = TRUE;
    if (!CreateSheet()) {
        m_bModeless = FALSE;
        return FALSE;
    }
    if (dwStyle == (DWORD)-1 || (dwStyle & WS_VISIBLE))
        ::ShowWindow(m_hWnd, SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // a handler may have destroyed a self-deleting sheet: then this is gone
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return lResult;
    if (message == WM_INITDIALOG) {
        // The system's initialisation (buttons, first page) ran above.
        OnInitDialog();
        return lResult;
    }
    if (message == WM_KICKIDLE) {
        CWnd* pPage = GetActivePage();
        if (pPage != NULL && pPage->m_hWnd != NULL && pPage->SendMessage(WM_KICKIDLE, wParam, lParam))
            lResult = TRUE;
        return lResult;
    }
    if (message == WM_COMMAND || message == PSM_PRESSBUTTON || message == WM_SYSCOMMAND)
        CloseIfEnded();
    return lResult;
}

// A modeless sheet that was closed has no current page: it goes away.
void CPropertySheet::CloseIfEnded()
{
    if (m_bModeless && m_hWnd != NULL && SheetMessage(PSM_GETCURRENTPAGEHWND, 0, 0) == 0) {
        m_bModeless = FALSE;
        DestroyWindow();
    }
}

// The framework's own requests go straight to the system's sheet procedure,
// so a derived sheet's message map entry for the same number (private
// messages from WM_USER + 101 on) cannot take them.
LRESULT CPropertySheet::SheetMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_hWnd == NULL)
        return 0;
    if (m_pfnSuper != NULL)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == NULL)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bHandled = (BOOL)SheetMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
    // Escape or Enter may have closed a self-deleting sheet already.
    if (bHandled && ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        CloseIfEnded();
    return bHandled;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    m_pages.Add(pPage);
    if (m_hWnd != NULL) {
        HPROPSHEETPAGE hPage = pPage->CreatePageHandle();
        if (hPage == NULL || !SheetMessage(PSM_ADDPAGE, 0, (LPARAM)hPage)) {
            if (hPage != NULL)
                ::DestroyPropertySheetPage(hPage);
            m_pages.RemoveAt(m_pages.GetSize() - 1);
        }
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int n = GetPageIndex(pPage);
    if (n >= 0)
        RemovePage(n);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        SheetMessage(PSM_REMOVEPAGE, nPage, 0);
    m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageCount() const { return (int)m_pages.GetSize(); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return NULL;
    return (CPropertyPage*)m_pages.GetAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages.GetAt(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hPage = (HWND)SheetMessage(PSM_GETCURRENTPAGEHWND, 0, 0);
    for (int i = 0; i < GetPageCount(); ++i) {
        if (hPage != NULL && GetPage(i)->m_hWnd == hPage)
            return i;
    }
    HWND hTab = (HWND)SheetMessage(PSM_GETTABCONTROL, 0, 0);
    return hTab ? (int)::SendMessage(hTab, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)SheetMessage(PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        SheetMessage(PSM_SETTITLE, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != NULL)
        SheetMessage(PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != NULL)
        SheetMessage(PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == NULL)
        return FALSE;
    SheetMessage(PSM_PRESSBUTTON, nButton, 0);
    CloseIfEnded();
    return TRUE;
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == NULL)
        return NULL;
    return (CTabCtrl*)CWnd::FromHandle((HWND)SheetMessage(PSM_GETTABCONTROL, 0, 0));
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_hWnd == NULL)
        return;
    if (m_bModeless) {
        m_bModeless = FALSE;
        DestroyWindow();
        return;
    }
    m_nResult = nEndID;
    EndModalLoop(nEndID);
}
