#include "framework/ReBar.h"
#include "framework/FrameWnd.h"
#include "framework/Bitmap.h"
#include "framework/ControlHelpers.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, &CReBar::OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    SetBorders(0, 0, 0, 0);
}

CReBar::~CReBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    AfxEnsureCommonControls();
    DWORD dwBarStyle;
    DWORD dwWndStyle = SplitStyle(dwStyle, dwBarStyle);
    m_dwStyle = dwBarStyle;
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0)
        m_dwStyle |= CBRS_ALIGN_TOP;
    dwWndStyle |= dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CWnd::CreateEx(0, REBARCLASSNAME, NULL, dwWndStyle, 0, 0, 0, 0,
                        pParentWnd ? pParentWnd->m_hWnd : NULL, (HMENU)(UINT_PTR)nID))
        return FALSE;
    REBARINFO rbi;
    ZeroMemory(&rbi, sizeof(rbi));
    rbi.cbSize = sizeof(rbi);
    SendMessage(RB_SETBARINFO, 0, (LPARAM)&rbi);
    return TRUE;
}

BOOL CReBar::AddBarImpl(CWnd* pBar, REBARBANDINFO& rbbi)
{
    if (m_hWnd == NULL || pBar == NULL || pBar->m_hWnd == NULL)
        return FALSE;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
    ::SetParent(pBar->m_hWnd, m_hWnd);
    CSize size;
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    if (pControlBar != NULL) {
        size = pControlBar->CalcFixedLayout(FALSE, TRUE);
    } else {
        CRect rc;
        pBar->GetWindowRect(&rc);
        size = rc.Size();
    }
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_SIZE;
    rbbi.hwndChild = pBar->m_hWnd;
    rbbi.cxMinChild = size.cx;
    rbbi.cyMinChild = size.cy;
    rbbi.cx = size.cx;
    rbbi.wID = (UINT)::GetDlgCtrlID(pBar->m_hWnd);
    if (!SendMessage(RB_INSERTBAND, (WPARAM)-1, (LPARAM)&rbbi))
        return FALSE;
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFO rbbi;
    ZeroMemory(&rbbi, sizeof(rbbi));
    rbbi.fStyle = dwStyle;
    if (pszText != NULL) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    if (pbmp != NULL) {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = (HBITMAP)pbmp->m_hObject;
    }
    return AddBarImpl(pBar, rbbi);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = (int)SendMessage(RB_GETBARHEIGHT);
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // The bars in the bands update themselves; the band windows are no commands.
    (void)pTarget;
    (void)bDisableIfNoHndler;
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}
