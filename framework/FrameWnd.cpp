#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/Document.h"
#include "framework/ControlBar.h"
#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "framework/ResourceList.h"
#include "framework/FwRes.h"
#include <shellapi.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_hMenuDefault(NULL), m_hAccelTable(NULL), m_nIDHelp(0), m_bAutoMenuEnable(TRUE),
      m_nIDTracking(AFX_IDS_IDLEMESSAGE), m_nIDLastMessage(0), m_dwDockStyle(0), m_nIdleFlags(0),
      m_pViewActive(NULL), m_bInRecalcLayout(FALSE)
{
}

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

// ---- creation ----

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1));
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext)
{
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        hMenu = ::LoadMenu(hInst, lpszMenuName);
    }
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        x = y = cx = cy = CW_USEDEFAULT;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd ? pParentWnd->m_hWnd : NULL, hMenu, (LPVOID)pContext)) {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    HACCEL hAccel = ::LoadAccelerators(hInst, lpszResourceName);
    if (hAccel == NULL)
        return FALSE;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hAccel;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    strFull.LoadString(nIDResource);
    int nEnd = strFull.Find('\n');
    CString strTitle = nEnd >= 0 ? strFull.Left(nEnd) : strFull;
    LPCTSTR lpszRes = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIcon(AfxFindResourceHandle(lpszRes, RT_GROUP_ICON), lpszRes);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1), hIcon);
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszRes, 0, pContext))
        return FALSE;
    m_strTitle = strTitle;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(lpszRes);
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)lpcs;
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL ||
        !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return NULL;
    CWnd* pView = (CWnd*)pContext->m_pNewViewClass->CreateObject();
    if (pView == NULL)
        return NULL;
    // A failed creation destroys (and so deletes) the view object.
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

void CFrameWnd::OnDestroy()
{
    // The window's own menu goes with it; a default menu not shown would leak.
    if (m_hMenuDefault != NULL && m_hMenuDefault != ::GetMenu(m_hWnd))
        ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = NULL;
    m_pViewActive = NULL;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// ---- views and documents ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew != NULL)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

namespace {
// The first view with the pane id, searched depth first (a splitter holds its
// panes one level down).
CView* FindPaneView(HWND hParent)
{
    for (HWND h = ::GetTopWindow(hParent); h != NULL; h = ::GetNextWindow(h, GW_HWNDNEXT)) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        if (p != NULL && p->IsKindOf(RUNTIME_CLASS(CView)) &&
            ::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST)
            return static_cast<CView*>(p);
        if (CView* pChild = FindPaneView(h))
            return pChild;
    }
    return NULL;
}
}  // namespace

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        pView = FindPaneView(m_hWnd);
        if (pView != NULL)
            SetActiveView(pView, FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    RecalcLayout();
    if (bMakeVisible) {
        ActivateFrame();
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
        else
            nCmdShow = SW_SHOW;
    }
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE) {
        ::BringWindowToTop(m_hWnd);
        RecalcLayout();
    }
}

// ---- layout ----

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != NULL && m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
    m_nIdleFlags |= idleLayout;
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
    m_nIdleFlags |= idleLayout;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != NULL && (UINT)::GetDlgCtrlID(pBar->m_hWnd) == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    // a bar in a rebar band shows and hides with its band
    HWND hParent = ::GetParent(pBar->m_hWnd);
    char szClass[32] = "";
    ::GetClassName(hParent, szClass, sizeof(szClass));
    if (lstrcmpi(szClass, REBARCLASSNAME) == 0) {
        UINT nBands = (UINT)::SendMessage(hParent, RB_GETBANDCOUNT, 0, 0);
        for (UINT i = 0; i < nBands; i++) {
            REBARBANDINFO rbbi;
            ZeroMemory(&rbbi, sizeof(rbbi));
            rbbi.cbSize = sizeof(rbbi);
            rbbi.fMask = RBBIM_CHILD;
            if (::SendMessage(hParent, RB_GETBANDINFO, i, (LPARAM)&rbbi) &&
                rbbi.hwndChild == pBar->m_hWnd) {
                ::SendMessage(hParent, RB_SHOWBAND, i, bShow);
                break;
            }
        }
    }
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    (void)lpRect;
    if (pBar == NULL)
        return;
    DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: dwAlign = CBRS_ALIGN_TOP; break;
    case AFX_IDW_DOCKBAR_BOTTOM: dwAlign = CBRS_ALIGN_BOTTOM; break;
    case AFX_IDW_DOCKBAR_LEFT: dwAlign = CBRS_ALIGN_LEFT; break;
    case AFX_IDW_DOCKBAR_RIGHT: dwAlign = CBRS_ALIGN_RIGHT; break;
    default: {
        // the first side both the bar and the frame allow, top first
        DWORD dwAllowed = pBar->m_dwDockStyle & m_dwDockStyle;
        static const DWORD kOrder[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT,
                                       CBRS_ALIGN_RIGHT};
        for (DWORD d : kOrder)
            if (dwAllowed & d) {
                dwAlign = d;
                break;
            }
        if (dwAlign == 0)
            dwAlign = CBRS_ALIGN_TOP;
    }
    }
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | dwAlign);
    pBar->m_pDockSite = this;
    // docked bars come after the fixed ones, nearer the pane
    RemoveControlBar(pBar);
    AddControlBar(pBar);
    RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    (void)bNotify;
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    CRect rc;
    GetClientRect(&rc);
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd == NULL || ::GetParent(pBar->m_hWnd) != m_hWnd ||
            !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        BOOL bHorz = (dwAlign & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) == 0;
        CSize size = pBar->CalcFixedLayout(TRUE, bHorz);
        CRect rcBar = rc;
        if (dwAlign & CBRS_ALIGN_BOTTOM) {
            rcBar.top = rc.bottom - size.cy;
            rc.bottom = rcBar.top;
        } else if (dwAlign & CBRS_ALIGN_LEFT) {
            rcBar.right = rc.left + size.cx;
            rc.left = rcBar.right;
        } else if (dwAlign & CBRS_ALIGN_RIGHT) {
            rcBar.left = rc.right - size.cx;
            rc.right = rcBar.left;
        } else {
            rcBar.bottom = rc.top + size.cy;
            rc.top = rcBar.bottom;
        }
        if (rc.bottom < rc.top) rc.bottom = rc.top;
        if (rc.right < rc.left) rc.right = rc.left;
        pBar->MoveWindow(&rcBar, TRUE);
    }
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane != NULL)
        ::MoveWindow(hPane, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---- command routing and command states ----

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL &&
        ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)pTarget;
    (void)bDisableIfNoHndler;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)nIndex;
    if (bSysMenu || pMenu == NULL)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == (UINT)-1) {
            // a popup takes the state of its first item; only its text can change
            CMenu* pSub = pMenu->GetSubMenu((int)state.m_nIndex);
            if (pSub == NULL)
                continue;
            state.m_nID = pSub->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.m_pSubMenu = pSub;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // an update handler may have added or removed items (recent files)
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount &&
                   pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    (void)hSysMenu;
    // The menu closed: the system says so with no menu, a menu bar of our own
    // with the popup it tracked; no item has every flag set.
    if (nFlags == 0xFFFF)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout();
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
    return 0;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
              : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                  : VK_SCROLL;
    pCmdUI->Enable((::GetKeyState(nVK) & 1) != 0);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    if (nID == 0)
        return FALSE;
    CString str;
    if (!str.LoadString((UINT)nID))
        return FALSE;
    int nBreak = str.FindOneOf("\r\n");
    if (nBreak < 0)
        return FALSE;
    CString strTip = str.Mid(nBreak + 1);
    if (strTip.IsEmpty())
        return FALSE;
    // at most 79 characters and the terminator fit the notification's buffer
    if (bWide) {
        TOOLTIPTEXTW* p = (TOOLTIPTEXTW*)pNMHDR;
        std::vector<WCHAR> wide((size_t)strTip.GetLength() + 1, 0);
        ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, wide.data(), (int)wide.size());
        lstrcpynW(p->szText, wide.data(), sizeof(p->szText) / sizeof(p->szText[0]));
        p->lpszText = p->szText;
    } else {
        TOOLTIPTEXTA* p = (TOOLTIPTEXTA*)pNMHDR;
        lstrcpyn(p->szText, strTip, sizeof(p->szText));
        p->lpszText = p->szText;
    }
    *pResult = 0;
    return TRUE;
}

// ---- status bar text ----

CWnd* CFrameWnd::GetMessageBar()
{
    HWND h = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    return h != NULL ? CWnd::FromHandle(h) : NULL;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    if (nID == 0)
        return;
    if (nID == AFX_IDS_IDLEMESSAGE) {
        rMessage = AfxLoadFwString(nID);
        return;
    }
    if (rMessage.LoadString(nID)) {
        int nBreak = rMessage.Find('\n');
        if (nBreak >= 0)
            rMessage = rMessage.Left(nBreak);
    }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    CWnd* pBar = GetMessageBar();
    if (pBar != NULL) {
        CString str;
        if (lParam != 0)
            str = (LPCTSTR)lParam;
        else
            GetMessageString((UINT)wParam, str);
        pBar->SetWindowText(str);
    }
    return (LRESULT)nIDLast;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

// ---- title ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc != NULL)
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (lpszDocName == NULL || *lpszDocName == 0)
        strText = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        strText = CString(lpszDocName) + (m_strTitle.IsEmpty() ? "" : " - ") + m_strTitle;
    else
        strText = m_strTitle + (m_strTitle.IsEmpty() ? "" : " - ") + lpszDocName;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

// ---- activation, closing, dropped files ----

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        ::SetFocus(m_pViewActive->m_hWnd);
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (m_pViewActive != NULL)
        m_pViewActive->OnActivateFrame(nState, this);
}

void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL && !pDoc->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        if (pDoc == NULL && !pApp->SaveAllModified())
            return;
        HWND hWnd = m_hWnd;
        pApp->CloseAllDocuments(FALSE);
        // closing the documents normally took this frame with them
        if (!::IsWindow(hWnd))
            return;
    }
    DestroyWindow();
}

// The session ends only once the user has saved or given up each document.
BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

// This may come inside a dialog's loop, whose code goes on after it: the
// documents close when the loops have unwound.
void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* pApp = AfxGetApp();
    if (!bEnding || pApp == NULL || pApp->m_pMainWnd != this)
        return;
    pApp->EndSession();
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    ::SetActiveWindow(m_hWnd);
    UINT nFiles = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, NULL, 0);
    CWinApp* pApp = AfxGetApp();
    for (UINT i = 0; i < nFiles && pApp != NULL; i++) {
        UINT nLen = ::DragQueryFile(hDropInfo, i, NULL, 0);
        std::vector<char> name((size_t)nLen + 1, 0);
        ::DragQueryFile(hDropInfo, i, name.data(), nLen + 1);
        pApp->OpenDocumentFile(name.data());
    }
    ::DragFinish(hDropInfo);
}
