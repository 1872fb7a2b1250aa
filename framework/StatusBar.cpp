#include "framework/StatusBar.h"
#include "framework/FrameWnd.h"
#include "framework/CmdUI.h"
#include "framework/ControlHelpers.h"
#include "framework/FwRes.h"
#include "framework/ScopedHandle.h"
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_DRAWITEM_REFLECT()
    ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
END_MESSAGE_MAP()

namespace {
const int kPaneMargin = 8;  // room for the pane's border around its text

class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        pBar->SetPaneStyle((int)m_nIndex, bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        pBar->SetPaneStyle((int)m_nIndex, nCheck ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

CString IndicatorText(UINT nID)
{
    CString str;
    if (str.LoadString(nID))
        return str;
    switch (nID) {
    case ID_INDICATOR_CAPS: return "CAP";
    case ID_INDICATOR_NUM: return "NUM";
    case ID_INDICATOR_SCRL: return "SCRL";
    default: return str;
    }
}
}  // namespace

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    AfxEnsureCommonControls();
    DWORD dwBarStyle;
    DWORD dwWndStyle = SplitStyle(dwStyle, dwBarStyle);
    m_dwStyle = dwBarStyle;
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0)
        m_dwStyle |= CBRS_ALIGN_BOTTOM;
    dwWndStyle |= dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    // a frame the user can size gets the grip in the corner
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME) && (m_dwStyle & CBRS_ALIGN_BOTTOM))
        dwWndStyle |= SBARS_SIZEGRIP;
    return CWnd::CreateEx(0, STATUSCLASSNAME, NULL, dwWndStyle, 0, 0, 0, 0,
                          pParentWnd ? pParentWnd->m_hWnd : NULL, (HMENU)(UINT_PTR)nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > 255)
        return FALSE;
    m_panes.SetSize(nIDCount);
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)SendMessage(WM_GETFONT));
    BOOL bOk = TRUE;
    for (int i = 0; i < nIDCount; i++) {
        Pane& p = m_panes[i];
        p.nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
        p.nStyle = SBPS_NORMAL;
        p.strText.Empty();
        p.cxText = 0;
        if (p.nID == ID_SEPARATOR) {
            if (i == 0)
                p.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        p.strText = IndicatorText(p.nID);
        if (p.strText.IsEmpty())
            bOk = FALSE;
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32(hDC, p.strText, p.strText.GetLength(), &sz);
        p.cxText = sz.cx;
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    m_nCount = nIDCount;
    UpdateParts();
    for (int i = 0; i < nIDCount; i++)
        ApplyText(i);
    return bOk;
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == NULL)
        return;
    int nCount = (int)m_panes.GetSize();
    CRect rc;
    GetClientRect(&rc);
    int cxFixed = 0, nStretch = -1;
    for (int i = 0; i < nCount; i++) {
        if ((m_panes[i].nStyle & SBPS_STRETCH) && nStretch < 0)
            nStretch = i;
        else
            cxFixed += m_panes[i].cxText + kPaneMargin;
    }
    // room for the size grip
    int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int cxStretch = rc.Width() - cxFixed - cxGrip;
    if (cxStretch < 0)
        cxStretch = 0;
    std::vector<int> edges((size_t)(nCount > 0 ? nCount : 1));
    int x = 0;
    for (int i = 0; i < nCount; i++) {
        x += i == nStretch ? cxStretch : m_panes[i].cxText + kPaneMargin;
        edges[(size_t)i] = x;
    }
    SendMessage(SB_SETPARTS, (WPARAM)(nCount > 0 ? nCount : 1), (LPARAM)edges.data());
}

void CStatusBar::ApplyText(int nIndex)
{
    const Pane& p = m_panes[nIndex];
    WPARAM w = (WPARAM)nIndex | (p.nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW));
    if (p.nStyle & SBT_OWNERDRAW)
        DefWindowProc(SB_SETTEXT, w, 0);
    else
        DefWindowProc(SB_SETTEXT, w, (LPARAM)(LPCTSTR)((p.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)p.strText));
}

// The control draws a new text at once. Held back, texts set one after
// another (a position and a size) share the next paint of the bar; what was
// waiting to be drawn before still is. Holding back drawing drops what the
// bar's children wait for, so a bar with children draws at once.
void CStatusBar::ApplyTextLater(int nIndex)
{
    CScopedRgn pending(::CreateRectRgn(0, 0, 0, 0));
    if (m_hWnd == NULL || !(GetStyle() & WS_VISIBLE) || ::GetWindow(m_hWnd, GW_CHILD) != NULL ||
        !pending.IsValid() || ::GetUpdateRgn(m_hWnd, pending, FALSE) == ERROR) {
        ApplyText(nIndex);
        return;
    }
    SetRedraw(FALSE);
    ApplyText(nIndex);
    SetRedraw(TRUE);
    ::InvalidateRgn(m_hWnd, pending, TRUE);
    CRect rect;
    GetItemRect(nIndex, &rect);
    InvalidateRect(&rect, FALSE);
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < (int)m_panes.GetSize(); i++)
        if (m_panes[i].nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.GetSize() ? m_panes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= (int)m_panes.GetSize()) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_panes[nIndex].nID;
    nStyle = m_panes[nIndex].nStyle;
    cxWidth = m_panes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.GetSize())
        return;
    Pane& p = m_panes[nIndex];
    p.nID = nID;
    p.nStyle = nStyle;
    p.cxText = cxWidth > 0 ? cxWidth : 0;
    UpdateParts();
    ApplyText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.GetSize() ? m_panes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.GetSize() || m_panes[nIndex].nStyle == nStyle)
        return;
    BOOL bParts = ((m_panes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[nIndex].nStyle = nStyle;
    if (bParts)
        UpdateParts();
    ApplyText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.GetSize() ? m_panes[nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.GetSize())
        return FALSE;
    Pane& p = m_panes[nIndex];
    CString strNew = lpszNewText ? lpszNewText : "";
    if (p.strText == strNew)
        return TRUE;
    p.strText = strNew;
    if (bUpdate)
        ApplyTextLater(nIndex);
    else
        ApplyText(nIndex);
    return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)SendMessage(WM_GETFONT));
    TEXTMETRIC tm;
    ::GetTextMetrics(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    int nBorders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)nBorders);
    size.cy = tm.tmHeight - tm.tmInternalLeading + 2 * nBorders[1] + 6;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)bDisableIfNoHndler;
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.GetSize();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[(int)state.m_nIndex].nID;
        // panes are not commands: one without an update handler stays as it is
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType;
    (void)cx;
    (void)cy;
    UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_panes.GetSize() == 0)
        return DefWindowProc(WM_SETTEXT, 0, lParam);
    SetPaneText(0, (LPCTSTR)lParam, FALSE);
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.GetSize() == 0)
        return DefWindowProc(WM_GETTEXT, wParam, lParam);
    const CString& s = m_panes[0].strText;
    if (wParam == 0 || lParam == 0)
        return 0;
    lstrcpyn((LPTSTR)lParam, s, (int)wParam);
    return lstrlen((LPCTSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.GetSize() == 0)
        return DefWindowProc(WM_GETTEXTLENGTH, wParam, lParam);
    return m_panes[0].strText.GetLength();
}
