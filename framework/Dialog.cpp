#include "framework/Dialog.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
#include "framework/ResourceList.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDialog::CDialog() : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDlg == NULL)
        return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

BOOL CDialog::LoadTemplate(LPCDLGTEMPLATE* ppTemplate, HINSTANCE* phInst) const
{
    if (m_lpszTemplateName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hRes = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    *ppTemplate = hGlobal ? (LPCDLGTEMPLATE)::LockResource(hGlobal) : NULL;
    *phInst = hInst;
    return *ppTemplate != NULL;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst)
{
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL && m_hWnd != NULL)
        Detach();
    return hWnd != NULL;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    LPCDLGTEMPLATE lpTemplate = NULL;
    HINSTANCE hInst = NULL;
    if (!LoadTemplate(&lpTemplate, &hInst))
        return FALSE;
    return CreateFromTemplate(lpTemplate, ModelessParent(), hInst);
}

// No parent means the main window: the dialog is owned by it (no taskbar
// button of its own, stays above it, found as its last active popup).
HWND CDialog::ModelessParent() const
{
    if (m_pParentWnd != NULL)
        return m_pParentWnd->m_hWnd;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL && pMain != this ? pMain->m_hWnd : NULL;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, ModelessParent(),
                              hInst ? hInst : AfxGetInstanceHandle());
}

namespace {
bool IsOwnedBy(HWND hWnd, HWND hWndTop)
{
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h != NULL; h = ::GetWindow(h, GW_OWNER)) {
        if (h == hWndTop)
            return true;
    }
    return false;
}

struct PopupSearch {
    HWND hWndTop;
    HWND hFound;
};

BOOL CALLBACK FindEnabledPopup(HWND hWnd, LPARAM lParam)
{
    PopupSearch* p = (PopupSearch*)lParam;
    if (::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) &&
        !(::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) && IsOwnedBy(hWnd, p->hWndTop)) {
        p->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The popup a new modal belongs on: the last active one, or, when that was
// lost (activation went to another program meanwhile), the topmost enabled
// popup of this thread above a disabled top-level window.
HWND ActivePopup(HWND hWndTop)
{
    HWND hPopup = ::GetLastActivePopup(hWndTop);
    if (hPopup != NULL && hPopup != hWndTop && ::IsWindowVisible(hPopup))
        return hPopup;
    if (::IsWindowEnabled(hWndTop))
        return hWndTop;
    PopupSearch search = {hWndTop, NULL};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindEnabledPopup, (LPARAM)&search);
    return search.hFound != NULL ? search.hFound : hWndTop;
}
}  // namespace

HWND AfxGetModalOwner(CWnd* pParentWnd, HWND* phWndTop)
{
    HWND hWnd = pParentWnd ? pParentWnd->m_hWnd : NULL;
    if (hWnd == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain ? pMain->m_hWnd : NULL;
    }
    while (hWnd != NULL && (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // The end of the owner chain: a popup owned by the frame leaves the frame
    // usable unless the frame is disabled too.
    HWND hWndTop = hWnd;
    for (HWND h = hWnd ? ::GetWindow(hWnd, GW_OWNER) : NULL; h != NULL; h = ::GetWindow(h, GW_OWNER))
        hWndTop = h;
    if (phWndTop != NULL)
        *phWndTop = hWndTop;
    if (hWnd != NULL && (pParentWnd == NULL || pParentWnd->m_hWnd == NULL))
        hWnd = ActivePopup(hWnd);
    return hWnd;
}

namespace {
HWND DisableIfEnabled(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindowEnabled(hWnd))
        return NULL;
    ::EnableWindow(hWnd, FALSE);
    return hWnd;
}
}  // namespace

CModalOwner::CModalOwner(CWnd* pParentWnd, bool bDisableOwner)
    : m_hWndOwnerDisabled(NULL), m_hWndTopDisabled(NULL)
{
    HWND hWndTop = NULL;
    m_hWndOwner = AfxGetModalOwner(pParentWnd, &hWndTop);
    Lock(hWndTop, bDisableOwner);
}

CModalOwner::CModalOwner(HWND hWndOwner, HWND hWndTop, bool bDisableOwner)
    : m_hWndOwner(hWndOwner), m_hWndOwnerDisabled(NULL), m_hWndTopDisabled(NULL)
{
    Lock(hWndTop, bDisableOwner);
}

void CModalOwner::Lock(HWND hWndTop, bool bDisableOwner)
{
    if (hWndTop != m_hWndOwner)
        m_hWndTopDisabled = DisableIfEnabled(hWndTop);
    if (bDisableOwner)
        m_hWndOwnerDisabled = DisableIfEnabled(m_hWndOwner);
}

void CModalOwner::RestoreAndHide(HWND hWndModal)
{
    Restore();
    if (hWndModal == NULL)
        return;
    bool bActive = ::GetActiveWindow() == hWndModal;
    ::SetWindowPos(hWndModal, NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (m_hWndOwner != NULL && bActive)
        ::SetActiveWindow(m_hWndOwner);
}

void CModalOwner::Restore()
{
    if (m_hWndTopDisabled != NULL)
        ::EnableWindow(m_hWndTopDisabled, TRUE);
    if (m_hWndOwnerDisabled != NULL)
        ::EnableWindow(m_hWndOwnerDisabled, TRUE);
    m_hWndTopDisabled = m_hWndOwnerDisabled = NULL;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = NULL;
    HINSTANCE hInst = NULL;
    if (!LoadTemplate(&lpTemplate, &hInst))
        return -1;
    CModalOwner owner(m_pParentWnd, true);
    HWND hWndOwner = owner.GetOwner();
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(lpTemplate, hWndOwner, hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            // OnInitDialog may have shown it (maximised, say): that stays
            if (!::IsWindowVisible(m_hWnd))
                ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            RunModalLoop(0);
        }
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    owner.RestoreAndHide(m_hWnd);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    m_nModalResult = nResult;
    if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Commands the dialog does not handle go on to its owner's routing (a
// frame: view, document, frame, application), then to the thread. Control
// notifications and the framework's own ids stay here.
BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID == 0 || nID >= 0xE000)
        return FALSE;
    HWND hOwner = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    CWnd* pOwner = hOwner != NULL ? CWnd::FromHandlePermanent(hOwner) : NULL;
    if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == NULL)
        return FALSE;
    if ((pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)) {
        if (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))
            return ::IsDialogMessageW(m_hWnd, pMsg);  // pumped messages are Unicode
    }
    return FALSE;
}

HBRUSH CDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_hDlgBkBrush != NULL &&
        (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC ||
         nCtlColor == CTLCOLOR_MSGBOX || nCtlColor == CTLCOLOR_BTN)) {
        LOGBRUSH lb;
        ::GetObject(pApp->m_hDlgBkBrush, sizeof(lb), &lb);
        pDC->SetBkColor(lb.lbColor);
        pDC->SetTextColor(pApp->m_crDlgTextClr);
        return pApp->m_hDlgBkBrush;
    }
    return (HBRUSH)Default();
}
