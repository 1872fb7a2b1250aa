#include "framework/ToolBar.h"
#include "framework/FrameWnd.h"
#include "framework/CmdUI.h"
#include "framework/ControlHelpers.h"
#include "framework/ResourceList.h"
#include "framework/FwRes.h"
#include "framework/ScopedHandle.h"
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT(TBN_HOTITEMCHANGE, &CToolBar::OnHotItemChange)
END_MESSAGE_MAP()

namespace {
// Command states of one toolbar button, addressed by its index.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle((int)m_nIndex);
        nStyle = bOn ? (nStyle & ~TBBS_DISABLED) : (nStyle | TBBS_DISABLED);
        pBar->SetButtonStyle((int)m_nIndex, nStyle & ~TBBS_PRESSED);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nStyle |= TBBS_INDETERMINATE;
        pBar->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};
}  // namespace

// Two layouts: the standard one (16-bit version 1, width, height, count,
// then the ids) and the one GNU windres writes for a TOOLBAR statement
// (32-bit width, height, count, then 32-bit ids).
BOOL AfxParseToolBarResource(const BYTE* pData, DWORD cb, CSize& sizeImage, std::vector<UINT>& ids)
{
    auto word = [&](DWORD i) { return (UINT)(pData[2 * i] | (pData[2 * i + 1] << 8)); };
    auto dword = [&](DWORD i) { return (UINT)word(2 * i) | ((UINT)word(2 * i + 1) << 16); };
    ids.clear();
    if (cb >= 8 && word(0) == 1 && cb == 8 + 2 * (DWORD)word(3)) {
        sizeImage = CSize((int)word(1), (int)word(2));
        for (UINT i = 0; i < word(3); i++)
            ids.push_back(word(4 + i));
        return TRUE;
    }
    if (cb >= 12 && dword(2) <= 0xFFFF && cb == 12 + 4 * dword(2) && dword(0) <= 0xFFFF &&
        dword(1) <= 0xFFFF) {
        sizeImage = CSize((int)dword(0), (int)dword(1));
        for (UINT i = 0; i < dword(2); i++)
            ids.push_back(dword(3 + i));
        return TRUE;
    }
    return FALSE;
}

CToolBar::CToolBar() : m_hImageList(NULL), m_sizeButton(23, 22), m_sizeImage(16, 15) {}

CToolBar::~CToolBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_hImageList != NULL)
        ImageList_Destroy(m_hImageList);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders,
                        UINT nID)
{
    AfxEnsureCommonControls();
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    DWORD dwBarStyle;
    DWORD dwWndStyle = SplitStyle(dwStyle, dwBarStyle);
    m_dwStyle = dwBarStyle;
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0)
        m_dwStyle |= CBRS_ALIGN_TOP;
    dwWndStyle |= dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, NULL, dwWndStyle, 0, 0, 0, 0,
                        pParentWnd ? pParentWnd->m_hWnd : NULL, (HMENU)(UINT_PTR)nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++) {
        TBBUTTON& b = buttons[(size_t)i];
        ZeroMemory(&b, sizeof(b));
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
        if (nID == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 6;
        } else {
            b.idCommand = (int)nID;
            b.iBitmap = iImage++;
            b.fsStyle = TBSTYLE_BUTTON;
            b.fsState = TBSTATE_ENABLED;
        }
    }
    m_nCount = nIDCount;
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONS, (WPARAM)nIDCount, (LPARAM)buttons.data()))
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (m_hWnd == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRes = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    DWORD cb = ::SizeofResource(hInst, hRes);
    const BYTE* pData = hGlobal ? (const BYTE*)::LockResource(hGlobal) : NULL;
    std::vector<UINT> ids;
    CSize sizeImage;
    if (pData == NULL || !AfxParseToolBarResource(pData, cb, sizeImage, ids))
        return FALSE;
    UINT nCount = (UINT)ids.size();
    if (!SetButtons(nCount ? ids.data() : NULL, (int)nCount))
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    // The images may come later (TB_SETIMAGELIST); a missing bitmap is no failure.
    LoadBitmap(lpszResourceName);
    return TRUE;
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    CScopedBitmap hbm((HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, 0));
    if (!hbm.IsValid())
        return FALSE;
    return SetBitmap(hbm);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (m_hWnd == NULL || hbmImageWell == NULL || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0)
        return FALSE;
    BITMAP bm;
    if (!::GetObject(hbmImageWell, sizeof(bm), &bm))
        return FALSE;
    HIMAGELIST hList = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK,
                                        bm.bmWidth / m_sizeImage.cx, 1);
    if (hList == NULL)
        return FALSE;
    ImageList_AddMasked(hList, hbmImageWell, RGB(192, 192, 192));
    SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hList);
    if (m_hImageList != NULL)
        ImageList_Destroy(m_hImageList);
    m_hImageList = hList;
    Invalidate();
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON b;
    ZeroMemory(&b, sizeof(b));
    if (!::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&b))
        return 0;
    return (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)b.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON b;
    ZeroMemory(&b, sizeof(b));
    if (!::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&b))
        return 0;
    return MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.cbSize = sizeof(bi);
    bi.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    // the answer is the button's index (0 for the first one), -1 on failure
    if (::SendMessage(m_hWnd, TB_GETBUTTONINFO, nIndex, (LPARAM)&bi) == -1)
        return;
    BYTE fsStyle = (BYTE)LOWORD(nStyle);
    BYTE fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (bi.fsStyle == fsStyle && bi.fsState == fsState)
        return;
    bi.fsStyle = fsStyle;
    bi.fsState = fsState;
    ::SendMessage(m_hWnd, TB_SETBUTTONINFO, nIndex, (LPARAM)&bi);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON b;
    ZeroMemory(&b, sizeof(b));
    ::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&b);
    nID = (UINT)b.idCommand;
    nStyle = MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
    iImage = b.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= (int)SendMessage(TB_BUTTONCOUNT))
        return;
    // Replacing the button is the one way that also sets a separator's width.
    TBBUTTON b;
    ZeroMemory(&b, sizeof(b));
    b.idCommand = (int)nID;
    b.fsStyle = (BYTE)LOWORD(nStyle);
    b.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    b.iBitmap = iImage;
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)&b);
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount; i++) {
        RECT rc;
        if (SendMessage(TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rc)) {
            if (rc.right > size.cx) size.cx = rc.right;
            if (rc.bottom > size.cy) size.cy = rc.bottom;
        }
    }
    if (size.cy == 0)
        size.cy = m_sizeButton.cy;
    size.cx += m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder;
    if (bStretch) {
        CSize full = CControlBar::CalcFixedLayout(TRUE, bHorz);
        if (bHorz && full.cx > 0)
            size.cx = full.cx;
        else if (!bHorz && full.cy > 0)
            size.cy = full.cy;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        TBBUTTON b;
        ZeroMemory(&b, sizeof(b));
        if (!SendMessage(TB_GETBUTTON, state.m_nIndex, (LPARAM)&b) || (b.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = (UINT)b.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!(m_dwStyle & CBRS_FLYBY))
        return;
    NMTBHOTITEM* pHot = (NMTBHOTITEM*)pNMHDR;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
    if (pFrame == NULL)
        return;
    UINT nID = (pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0 ? AFX_IDS_IDLEMESSAGE
                                                                  : (UINT)pHot->idNew;
    pFrame->m_nIDTracking = nID;
    pFrame->SendMessage(WM_SETMESSAGESTRING, nID);
}
