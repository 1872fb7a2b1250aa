#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_bAutoDelete(FALSE),
      m_cxLeftBorder(6), m_cxRightBorder(0), m_cyTopBorder(2), m_cyBottomBorder(2), m_nCount(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
}

DWORD CControlBar::SplitStyle(DWORD dwStyle, DWORD& dwBarStyle)
{
    // The bar styles share the low word with the control's own styles: keep them apart.
    dwBarStyle = dwStyle & (CBRS_ALL & ~WS_VISIBLE);
    return (dwStyle & ~CBRS_ALL) | (dwStyle & WS_VISIBLE) | WS_CHILD;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite != NULL)
        return m_pDockSite;
    return static_cast<CFrameWnd*>(GetParentFrame());
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != NULL) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    if (bStretch && m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL) {
        CRect rc;
        m_pDockSite->GetClientRect(&rc);
        if (bHorz)
            size.cx = rc.Width();
        else
            size.cy = rc.Height();
    }
    return size;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* pTarget = static_cast<CFrameWnd*>(GetParentFrame());
    if (pTarget != NULL) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pTarget);
        OnUpdateCmdUI(pTarget, (BOOL)wParam && pFrame->m_bAutoMenuEnable);
    }
    return 0;
}

// Commands and notifications of the bar's items (and of bars inside it) go to the frame.
BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return FALSE;
    ::SendMessage(pFrame->m_hWnd, WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return FALSE;
    *pResult = ::SendMessage(pFrame->m_hWnd, WM_NOTIFY, wParam, lParam);
    return TRUE;
}
