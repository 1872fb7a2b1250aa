#include "controls/MenuBar.h"
#include "controls/MenuDrawing.h"
#include "framework/DC.h"
#include "framework/ControlHelpers.h"
#include "framework/FrameWnd.h"
#include "framework/ResourceList.h"
#include "framework/ScopedHandle.h"
#include <algorithm>

#ifndef DT_HIDEPREFIX
#define DT_HIDEPREFIX 0x00100000
#endif
#ifndef COLOR_MENUHILIGHT
#define COLOR_MENUHILIGHT 29
#endif

CMenuBar* CMenuBar::s_pActiveBar = NULL;
HHOOK CMenuBar::s_hMsgHook = NULL;

BEGIN_MESSAGE_MAP(CMenuBar, CToolBarCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_ENTERIDLE, &CMenuBar::OnEnterIdle)
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_MENUBAR_TRACKPOPUP, &CMenuBar::OnTrackPopup)
    ON_MESSAGE(WM_MENUBAR_OPENCURRENT, &CMenuBar::OnOpenCurrent)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CMenuBar::OnCustomDraw)
END_MESSAGE_MAP()

CMenuBar::CMenuBar()
    : m_pMenu(NULL), m_bOwnMenuHandle(FALSE), m_nButtons(0), m_nCurrent(-1), m_bSelectFirst(FALSE),
      m_hWndPrevFocus(NULL), m_bAltAlone(FALSE), m_bCuesShown(TRUE), m_bKeepCues(FALSE), m_bSwitching(FALSE),
      m_bItemIsPopup(FALSE), m_hTrackedMenu((HMENU)-1), m_bFlatMenus(FALSE), m_bCuesAlwaysOn(TRUE)
{
    m_ptLastMouse.x = m_ptLastMouse.y = -1;
}

CMenuBar::~CMenuBar()
{
    if (m_pMenu != NULL) {
        // A handle given to SetMenu belongs to its giver (usually m_menu).
        if (!m_bOwnMenuHandle)
            m_pMenu->Detach();
        delete m_pMenu;
    }
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CMenuBar::Create(CWnd* pParentWnd, UINT nID)
{
    AfxEnsureCommonControls();
    RECT rc = {0, 0, 0, 0};
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, NULL, 0x50001844, rc, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return TRUE;
}

BOOL CMenuBar::LoadMenu(UINT nIDResource, BOOL bTrueColor)
{
    m_menu.DestroyMenu();
    m_menu.LoadMenu(nIDResource);
    if (m_pMenu == NULL)
        m_pMenu = new CMenu;
    if (m_bOwnMenuHandle)
        m_pMenu->DestroyMenu();
    else
        m_pMenu->Detach();
    m_bOwnMenuHandle = FALSE;
    if (!m_pMenu->LoadMenu(nIDResource))
        return FALSE;
    m_bOwnMenuHandle = TRUE;
    if (!m_images.Create(16, 16, bTrueColor, 0))
        return FALSE;
    return BuildButtons();
}

BOOL CMenuBar::SetMenu(HMENU hMenu)
{
    if (m_pMenu == NULL)
        m_pMenu = new CMenu;
    if (m_pMenu->m_hMenu != hMenu) {
        HMENU hOld = m_pMenu->Detach();
        // The bar's own copy goes now; any other handle stays with its owner.
        if (hOld != NULL && m_bOwnMenuHandle)
            ::DestroyMenu(hOld);
        m_bOwnMenuHandle = FALSE;
        m_pMenu->Attach(hMenu);
    }
    return BuildButtons();
}

BOOL CMenuBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), MAKEINTRESOURCE(241));
    if (hInst == NULL)
        hInst = ::GetModuleHandle(NULL);
    CToolBarResource res;
    if (!res.Load(hInst, nIDResource))
        return FALSE;
    m_iconIds.clear();
    for (UINT id : res.ids)
        if (id != 0)
            m_iconIds.push_back(id);
    return m_images.LoadBitmap(nIDResource);
}

int CMenuBar::GetIconIndex(UINT nID) const
{
    for (size_t i = 0; i < m_iconIds.size(); ++i)
        if (m_iconIds[i] == nID)
            return (int)i;
    return -1;
}

BOOL CMenuBar::BuildButtons()
{
    for (int i = 0; i < m_nButtons; ++i)
        SendMessage(TB_DELETEBUTTON, 0, 0);
    HMENU hMenu = GetCurrentMenu();
    m_nButtons = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    if (m_nButtons < 0)
        m_nButtons = 0;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(1, 1));
    for (int i = 0; i < m_nButtons; ++i) {
        char text[256] = "";
        ::GetMenuStringA(hMenu, (UINT)i, text, sizeof(text) - 2, MF_BYPOSITION);
        text[strlen(text) + 1] = 0;  // the string list ends with two NULs
        TBBUTTON b;
        ZeroMemory(&b, sizeof(b));
        b.iBitmap = I_IMAGENONE;
        b.idCommand = i;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_AUTOSIZE;
        b.iString = SendMessage(TB_ADDSTRINGA, 0, (LPARAM)text);
        if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&b)) {
            m_nButtons = i;
            return FALSE;
        }
    }
    UpdateLayout();
    return TRUE;
}

HWND CMenuBar::FrameWindow() const
{
    HWND h = ::GetParent(m_hWnd);
    while (h != NULL && (::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h) != NULL)
        h = ::GetParent(h);
    return h;
}

void CMenuBar::UpdateLayout()
{
    BOOL bCues = TRUE, bFlat = FALSE;
    ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bCues, 0);
    ::SystemParametersInfo(SPI_GETFLATMENU, 0, &bFlat, 0);
    m_bCuesAlwaysOn = bCues;
    m_bFlatMenus = bFlat;
    ShowKeyboardCues(bCues);

    HFONT hFont = CreateMenuFont();
    if (hFont != NULL) {
        SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
        m_fontMenu.DeleteObject();
        m_fontMenu.Attach(hFont);
    }
    CSize size(0, 0);
    RECT rc;
    if (m_nButtons > 0 && SendMessage(TB_GETITEMRECT, m_nButtons - 1, (LPARAM)&rc))
        size = CSize(rc.right, rc.bottom);

    HWND hParent = ::GetParent(m_hWnd);
    HWND hFrame = FrameWindow();
    if (hParent == hFrame) {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        return;
    }
    int nBands = (int)::SendMessage(hParent, RB_GETBANDCOUNT, 0, 0);
    for (int i = 0; i < nBands; ++i) {
        REBARBANDINFO rbbi;
        ZeroMemory(&rbbi, sizeof(rbbi));
        rbbi.cbSize = REBARBANDINFO_V3_SIZE;
        rbbi.fMask = RBBIM_CHILD;
        if (!::SendMessage(hParent, RB_GETBANDINFO, i, (LPARAM)&rbbi) || rbbi.hwndChild != m_hWnd)
            continue;
        rbbi.fMask = RBBIM_CHILDSIZE;
        rbbi.cxMinChild = size.cx;
        rbbi.cyMinChild = rbbi.cyChild = rbbi.cyMaxChild = size.cy;
        ::SendMessage(hParent, RB_SETBANDINFO, i, (LPARAM)&rbbi);
        break;
    }
    RECT rcParent;
    ::GetClientRect(hParent, &rcParent);
    ::SetWindowPos(hParent, NULL, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(hParent, NULL, 0, 0, rcParent.right, rcParent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hFrame));
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

void CMenuBar::ShowKeyboardCues(BOOL bShow)
{
    bShow = bShow ? TRUE : FALSE;
    if (bShow == m_bCuesShown)
        return;
    if (!bShow && m_bCuesAlwaysOn)
        return;
    m_bCuesShown = bShow;
    if (m_hWnd != NULL)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CMenuBar::SetHotItem(int nHot)
{
    if (nHot >= 0) {
        HWND hFocus = ::GetFocus();
        if (hFocus != m_hWnd) {
            m_hWndPrevFocus = hFocus;
            ::SetFocus(m_hWnd);
        }
        // After the focus: the control makes its first button hot when it gets it.
        SendMessage(TB_SETHOTITEM, nHot, 0);
    } else {
        SendMessage(TB_SETHOTITEM, nHot, 0);
        HWND hPrev = m_hWndPrevFocus;
        m_hWndPrevFocus = NULL;
        if (hPrev != NULL && ::IsWindow(hPrev))
            ::SetFocus(hPrev);
    }
}

int CMenuBar::HitTestButton(POINT ptClient) const
{
    int n = (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&ptClient);
    return n >= 0 && n < m_nButtons ? n : -1;
}

BOOL CMenuBar::IsTopLevelPopup(HMENU hMenu) const
{
    HMENU hBar = GetCurrentMenu();
    for (int i = 0; hBar != NULL && i < m_nButtons; ++i)
        if (::GetSubMenu(hBar, i) == hMenu)
            return TRUE;
    return FALSE;
}

// ---- opening popups ----

LRESULT CMenuBar::OnOpenCurrent(WPARAM, LPARAM)
{
    TrackPopup();
    return 0;
}

LRESULT CMenuBar::OnTrackPopup(WPARAM, LPARAM)
{
    TrackPopup();
    return 0;
}

void CMenuBar::TrackPopup()
{
    if (m_nButtons <= 0 || GetCurrentMenu() == NULL || s_pActiveBar != NULL)
        return;
    if (m_nCurrent < 0)
        m_nCurrent = m_nButtons - 1;
    else if (m_nCurrent >= m_nButtons)
        m_nCurrent = 0;
    if (::GetFocus() == m_hWnd && m_hWndPrevFocus != NULL && ::IsWindow(m_hWndPrevFocus)) {
        BOOL bCues = m_bCuesShown;
        HWND hPrev = m_hWndPrevFocus;
        m_hWndPrevFocus = NULL;
        ::SetFocus(hPrev);
        ShowKeyboardCues(bCues);
    }
    m_bItemIsPopup = m_bKeepCues = m_bSwitching = FALSE;
    m_hTrackedMenu = (HMENU)-1;
    SendMessage(TB_SETHOTITEM, (WPARAM)-1, 0);
    SendMessage(TB_PRESSBUTTON, m_nCurrent, MAKELPARAM(TRUE, 0));

    const int nIndex = m_nCurrent;
    HMENU hMenu = GetCurrentMenu();
    HWND hFrame = FrameWindow();
    ::SendMessage(hFrame, WM_MENUSELECT, MAKEWPARAM(nIndex, MF_MOUSESELECT | MF_HILITE | MF_POPUP), (LPARAM)hMenu);

    RECT rc, rcDesk;
    SendMessage(TB_GETITEMRECT, nIndex, (LPARAM)&rc);
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)&rc, 2);
    ::GetWindowRect(::GetDesktopWindow(), &rcDesk);
    ::IntersectRect(&rc, &rc, &rcDesk);
    TPMPARAMS tpm;
    tpm.cbSize = sizeof(tpm);
    tpm.rcExclude = rc;

    HMENU hPopup = ::GetSubMenu(hMenu, nIndex);
    if (hPopup != NULL) {
        s_pActiveBar = this;
        s_hMsgHook = ::SetWindowsHookEx(WH_MSGFILTER, &CMenuBar::MenuInputFilter, NULL, ::GetCurrentThreadId());
        ::TrackPopupMenuEx(hPopup, TPM_LEFTALIGN | TPM_VERPOSANIMATION | TPM_VERTICAL | TPM_RIGHTBUTTON,
                           rc.left, rc.bottom, m_hWnd, &tpm);
        if (s_hMsgHook != NULL)
            ::UnhookWindowsHookEx(s_hMsgHook);
        s_hMsgHook = NULL;
        s_pActiveBar = NULL;
    }
    if (::IsWindow(m_hWnd))
        SendMessage(TB_PRESSBUTTON, nIndex, MAKELPARAM(FALSE, 0));
    if (!m_bKeepCues)
        ShowKeyboardCues(FALSE);
    if (!m_bSwitching)
        ::SendMessage(hFrame, WM_MENUSELECT, MAKEWPARAM(nIndex, 0xFFFF), (LPARAM)hMenu);
}

void CMenuBar::CancelForSwitch()
{
    SendMessage(TB_PRESSBUTTON, m_nCurrent, MAKELPARAM(FALSE, 0));
    m_bKeepCues = TRUE;
    m_bSwitching = TRUE;
    SendMessage(WM_CANCELMODE);
}

void CMenuBar::OnLButtonDown(UINT, CPoint point)
{
    POINT pt = {point.x, point.y};
    int n = HitTestButton(pt);
    if (n < 0)
        return;
    m_nCurrent = n;
    m_bSelectFirst = FALSE;
    TrackPopup();
}

LRESULT CALLBACK CMenuBar::MenuInputFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    CMenuBar* pBar = s_pActiveBar;
    if (nCode == MSGF_MENU && pBar != NULL && lParam != 0 && pBar->OnMenuInput((MSG*)lParam))
        return TRUE;
    return ::CallNextHookEx(s_hMsgHook, nCode, wParam, lParam);
}

BOOL CMenuBar::OnMenuInput(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_MOUSEMOVE: {
        POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
        ::ScreenToClient(m_hWnd, &pt);
        if (pt.x == m_ptLastMouse.x && pt.y == m_ptLastMouse.y)
            return TRUE;
        m_ptLastMouse = pt;
        int n = HitTestButton(pt);
        if (n < 0 || n == m_nCurrent)
            return FALSE;
        CancelForSwitch();
        m_nCurrent = n;
        PostMessage(WM_MENUBAR_TRACKPOPUP);
        return TRUE;
    }
    case WM_LBUTTONDOWN: {
        POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
        ::ScreenToClient(m_hWnd, &pt);
        if (HitTestButton(pt) != m_nCurrent || m_nCurrent < 0)
            return FALSE;
        m_bKeepCues = TRUE;
        m_bSwitching = TRUE;
        SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    case WM_KEYDOWN:
        switch (pMsg->wParam) {
        case VK_ESCAPE:
            if (!IsTopLevelPopup(m_hTrackedMenu))
                return FALSE;
            m_ptLastMouse.x = m_ptLastMouse.y = -1;
            m_bKeepCues = TRUE;
            SendMessage(WM_CANCELMODE);
            SetHotItem(m_nCurrent);
            ShowKeyboardCues(TRUE);
            return TRUE;
        case VK_LEFT:
            if (!IsTopLevelPopup(m_hTrackedMenu))
                return FALSE;
            CancelForSwitch();
            --m_nCurrent;
            m_bSelectFirst = TRUE;
            PostMessage(WM_MENUBAR_TRACKPOPUP);
            return TRUE;
        case VK_RIGHT:
            if (m_bItemIsPopup)
                return FALSE;
            CancelForSwitch();
            m_bSelectFirst = TRUE;
            ++m_nCurrent;
            PostMessage(WM_MENUBAR_TRACKPOPUP);
            return TRUE;
        }
        return FALSE;
    case WM_MENUSELECT:
        NoteMenuSelect(LOWORD(pMsg->wParam), HIWORD(pMsg->wParam), (HMENU)pMsg->lParam);
        return TRUE;
    }
    return FALSE;
}

// ---- messages of the open popup ----

void CMenuBar::NoteMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu)
{
    m_hTrackedMenu = hMenu;
    m_bItemIsPopup = (nFlags & MF_POPUP) != 0 && nFlags != 0xFFFF;
    if (nFlags != 0xFFFF)
        ::SendMessage(FrameWindow(), WM_MENUSELECT, MAKEWPARAM(nItem, nFlags), (LPARAM)hMenu);
}

void CMenuBar::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    NoteMenuSelect(nItemID, nFlags, hSysMenu);
}

LRESULT CMenuBar::OnEnterIdle(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(FrameWindow(), WM_ENTERIDLE, wParam, lParam);
}

BOOL CMenuBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return (BOOL)::SendMessage(FrameWindow(), WM_COMMAND, wParam, lParam);
}

void CMenuBar::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CToolBarCtrl::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (pPopupMenu == NULL)
        return;
    HMENU hPopup = pPopupMenu->m_hMenu;
    ::SendMessage(FrameWindow(), WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(nIndex, bSysMenu));
    int n = ::GetMenuItemCount(hPopup);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFO mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfo(hPopup, (UINT)i, TRUE, &mii) || (mii.fType & MFT_SEPARATOR))
            continue;
        mii.fType |= MFT_OWNERDRAW;
        ::SetMenuItemInfo(hPopup, (UINT)i, TRUE, &mii);
    }
    if (m_bSelectFirst) {
        PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        m_bSelectFirst = FALSE;
    }
}

// The text of an item by command id; a cascading item is found by its submenu.
CString CMenuBar::ItemText(UINT nID) const
{
    CString s;
    HMENU hMenu = GetCurrentMenu();
    if (hMenu == NULL)
        return s;
    if (::GetMenuState(hMenu, nID, MF_BYCOMMAND) != (UINT)-1 && !::IsMenu((HMENU)(UINT_PTR)nID)) {
        CMenu::FromHandle(hMenu)->GetMenuString(nID, s, MF_BYCOMMAND);
        return s;
    }
    std::vector<HMENU> stack(1, hMenu);
    while (!stack.empty()) {
        HMENU h = stack.back();
        stack.pop_back();
        int n = ::GetMenuItemCount(h);
        for (int i = 0; i < n; ++i) {
            HMENU hSub = ::GetSubMenu(h, i);
            if (hSub == NULL)
                continue;
            if (hSub == (HMENU)(UINT_PTR)nID) {
                CMenu::FromHandle(h)->GetMenuString((UINT)i, s, MF_BYPOSITION);
                return s;
            }
            stack.push_back(hSub);
        }
    }
    return s;
}

void CMenuBar::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == NULL || lpMIS->CtlType != ODT_MENU) {
        CToolBarCtrl::OnMeasureItem(nIDCtl, lpMIS);
        return;
    }
    CString text = ItemText(lpMIS->itemID);
    int tab = text.Find('\t');
    CString label = tab >= 0 ? text.Left(tab) : text;
    CString accel = tab >= 0 ? text.Mid(tab + 1) : CString();
    RECT rcLabel = {0, 0, 0, 0}, rcAccel = {0, 0, 0, 0};
    {
        CScopedMemDC hDC(::CreateCompatibleDC(NULL));
        CScopedSelect font(hDC, m_fontMenu.m_hObject);
        ::DrawText(hDC, label, label.GetLength(), &rcLabel, DT_CALCRECT | DT_SINGLELINE);
        if (!accel.IsEmpty())
            ::DrawText(hDC, accel, accel.GetLength(), &rcAccel, DT_CALCRECT | DT_SINGLELINE);
    }
    int h = std::max<int>(rcLabel.bottom - rcLabel.top, 20);
    int w = h / 2 + (rcLabel.right - rcLabel.left) + 24;
    if (!accel.IsEmpty())
        w += h / 2 + (rcAccel.right - rcAccel.left);
    lpMIS->itemWidth = (UINT)w;
    lpMIS->itemHeight = (UINT)h;
}

void CMenuBar::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == NULL || lpDIS->CtlType != ODT_MENU) {
        CToolBarCtrl::OnDrawItem(nIDCtl, lpDIS);
        return;
    }
    DrawPopupItem(lpDIS);
}

namespace {

void DrawCheckMark(HDC hDC, const RECT& rcBox, COLORREF cr)
{
    CFont font;
    if (!font.CreatePointFont(100, "Marlett"))
        return;
    HGDIOBJ hOld = ::SelectObject(hDC, font.m_hObject);
    COLORREF old = ::SetTextColor(hDC, cr);
    RECT rc = rcBox;
    ::DrawText(hDC, "a", 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(hDC, old);
    ::SelectObject(hDC, hOld);
}

void DrawTexts(HDC hDC, const RECT& rc, const CString& label, const CString& accel, UINT nFormat)
{
    RECT r = rc;
    ::DrawText(hDC, label, label.GetLength(), &r, nFormat);
    if (!accel.IsEmpty()) {
        r = rc;
        ::DrawText(hDC, accel, accel.GetLength(), &r, nFormat | DT_RIGHT);
    }
}

}  // namespace

void CMenuBar::DrawPopupItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    CDC* pDC = CDC::FromHandle(hDC);
    const RECT& rcItem = lpDIS->rcItem;
    const int cyItem = rcItem.bottom - rcItem.top;
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL bChecked = (lpDIS->itemState & ODS_CHECKED) != 0;
    BOOL bDisabled = (lpDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    CString text = ItemText(lpDIS->itemID);
    int tab = text.Find('\t');
    CString label = tab >= 0 ? text.Left(tab) : text;
    CString accel = tab >= 0 ? text.Mid(tab + 1) : CString();
    int nIcon = GetIconIndex(lpDIS->itemID);
    int yOff = (cyItem - 16) / 2;
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOldText = ::GetTextColor(hDC);
    RECT rcText = rcItem;
    rcText.left += 24;
    rcText.right -= cyItem;
    UINT nFormat = DT_VCENTER | DT_SINGLELINE | (m_bCuesShown ? 0 : DT_HIDEPREFIX);
    int nMode = bDisabled ? CToolBarImages::MODE_DISABLED : bSelected ? CToolBarImages::MODE_HOT
                                                                      : CToolBarImages::MODE_NORMAL;
    if (m_bFlatMenus) {
        if (bSelected) {
            FillSolid(hDC, rcItem, ::GetSysColor(COLOR_MENUHILIGHT));
            FrameSolid(hDC, rcItem, ::GetSysColor(COLOR_HIGHLIGHT));
        } else {
            FillSolid(hDC, rcItem, ::GetSysColor(COLOR_MENU));
        }
        COLORREF crText = bDisabled ? ::GetSysColor(bSelected ? COLOR_BTNSHADOW : COLOR_GRAYTEXT)
                                    : ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        ::SetTextColor(hDC, crText);
        if (bChecked) {
            RECT rcBox = {2, rcItem.top + yOff, 18, rcItem.top + yOff + 16};
            if (bSelected) {
                FillSolid(hDC, rcBox, ::GetSysColor(COLOR_MENU));
            } else {
                RECT rcOut = rcBox;
                ::InflateRect(&rcOut, 1, 1);
                FrameSolid(hDC, rcOut, ::GetSysColor(COLOR_HIGHLIGHT));
            }
            // the box keeps the menu's colour under the highlight: so does the mark
            if (nIcon < 0)
                DrawCheckMark(hDC, rcBox, bSelected && !bDisabled ? ::GetSysColor(COLOR_MENUTEXT) : crText);
        }
        if (nIcon >= 0)
            m_images.Draw(pDC, rcItem.left + 2, rcItem.top + yOff, nMode, nIcon);
        DrawTexts(hDC, rcText, label, accel, nFormat);
    } else {
        if (bSelected) {
            FillSolid(hDC, rcItem, ::GetSysColor(COLOR_HIGHLIGHT));
            if (nIcon >= 0 || bChecked) {
                RECT rcStrip = {rcItem.left, rcItem.top, 21, rcItem.bottom};
                FillSolid(hDC, rcStrip, ::GetSysColor(COLOR_MENU));
            }
        } else {
            FillSolid(hDC, rcItem, ::GetSysColor(COLOR_MENU));
        }
        if (!bDisabled && (bChecked || (bSelected && nIcon >= 0))) {
            RECT rcBox = {0, rcItem.top + yOff - 2, 20, rcItem.top + yOff + 18};
            if (bChecked && !bSelected) {
                static const WORD kDither[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
                CScopedBitmap hbm(::CreateBitmap(8, 8, 1, 1, kDither));
                CScopedBrush hbr(::CreatePatternBrush(hbm));
                COLORREF oldText = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
                COLORREF oldBk = ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
                ::FillRect(hDC, &rcBox, hbr);
                ::SetTextColor(hDC, oldText);
                ::SetBkColor(hDC, oldBk);
            } else {
                FillSolid(hDC, rcBox, ::GetSysColor(COLOR_MENU));
            }
            if (bChecked && nIcon < 0)
                DrawCheckMark(hDC, rcBox, ::GetSysColor(COLOR_MENUTEXT));
            ::DrawEdge(hDC, &rcBox, bChecked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        if (nIcon >= 0)
            m_images.Draw(pDC, rcItem.left + 2, rcItem.top + yOff, nMode, nIcon);
        if (bDisabled && !bSelected) {
            RECT rcShift = rcText;
            ::OffsetRect(&rcShift, 1, 1);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTexts(hDC, rcShift, label, accel, nFormat);
            ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
        } else if (bDisabled) {
            ::SetTextColor(hDC, ::GetSysColor(COLOR_GRAYTEXT));
        } else {
            ::SetTextColor(hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
        DrawTexts(hDC, rcText, label, accel, nFormat);
    }
    ::SetTextColor(hDC, crOldText);
    ::SetBkMode(hDC, nOldMode);
}

// ---- keyboard mode ----

void CMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    CToolBarCtrl::OnKillFocus(pNewWnd);
    SendMessage(TB_SETHOTITEM, (WPARAM)-1, 0);
    ShowKeyboardCues(FALSE);
}

BOOL CMenuBar::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && pMsg->hwnd == m_hWnd &&
        ::GetFocus() == m_hWnd) {
        UINT nKey = (UINT)pMsg->wParam;
        switch (nKey) {
        case VK_RETURN:
        case VK_UP:
        case VK_DOWN:
            m_nCurrent = (int)SendMessage(TB_GETHOTITEM);
            m_bSelectFirst = TRUE;
            TrackPopup();
            return TRUE;
        case VK_ESCAPE: {
            HWND hPrev = m_hWndPrevFocus;
            m_hWndPrevFocus = NULL;
            if (hPrev != NULL && ::IsWindow(hPrev))
                ::SetFocus(hPrev);
            return TRUE;
        }
        default:
            break;
        }
        return OpenByMnemonic(nKey);
    }
    return CToolBarCtrl::PreTranslateMessage(pMsg);
}

BOOL CMenuBar::OpenByMnemonic(UINT nKey)
{
    HMENU hMenu = GetCurrentMenu();
    for (int i = 0; hMenu != NULL && i < m_nButtons; ++i) {
        char text[256] = "";
        ::GetMenuStringA(hMenu, (UINT)i, text, sizeof(text), MF_BYPOSITION);
        const char* amp = strchr(text, '&');
        if (amp == NULL || amp[1] == 0)
            continue;
        if ((UINT)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)amp[1]) ==
            (UINT)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)nKey)) {
            m_nCurrent = i;
            m_bSelectFirst = TRUE;
            PostMessage(WM_MENUBAR_TRACKPOPUP);
            ShowKeyboardCues(TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CMenuBar::TranslateFrameKey(MSG* pMsg)
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd) || m_nButtons <= 0)
        return FALSE;
    // keys of the bar's own frame only, while it has no window menu: not of a dialog it owns
    HWND hFrame = ::GetAncestor(m_hWnd, GA_ROOT);
    if (pMsg->hwnd == NULL || ::GetAncestor(pMsg->hwnd, GA_ROOT) != hFrame || !::IsWindowEnabled(hFrame) ||
        ::GetMenu(hFrame) != NULL)
        return FALSE;
    BOOL bRepeat = (HIWORD(pMsg->lParam) & KF_REPEAT) != 0;
    switch (pMsg->message) {
    case WM_SYSCHAR:
        m_bAltAlone = FALSE;
        // Alt with a letter; Alt+Space stays the system menu's
        if ((HIWORD(pMsg->lParam) & KF_ALTDOWN) && pMsg->wParam > ' ' && pMsg->hwnd != m_hWnd)
            return OpenByMnemonic((UINT)pMsg->wParam);
        return FALSE;
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU) {
            if (!bRepeat)
                m_bAltAlone = TRUE;
            return FALSE;
        }
        m_bAltAlone = FALSE;
        if (pMsg->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0) {
            ToggleKeyboardMode();
            return TRUE;
        }
        return FALSE;
    case WM_SYSKEYUP:
        if (pMsg->wParam == VK_MENU && m_bAltAlone) {
            m_bAltAlone = FALSE;
            ToggleKeyboardMode();
            return TRUE;
        }
        return pMsg->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0;
    case WM_KEYDOWN:
        m_bAltAlone = FALSE;
        return FALSE;
    default:
        return FALSE;
    }
}

void CMenuBar::ToggleKeyboardMode()
{
    if (::GetFocus() == m_hWnd) {
        SetHotItem(-1);
    } else {
        SetHotItem(0);
        ShowKeyboardCues(TRUE);
    }
}

// ---- the bar's own buttons ----

void CMenuBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    LPNMTBCUSTOMDRAW pCD = (LPNMTBCUSTOMDRAW)pNMHDR;
    *pResult = CDRF_DODEFAULT;
    if (pCD->nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (m_bFlatMenus)
            *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pCD->nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !m_bFlatMenus)
        return;
    HDC hDC = pCD->nmcd.hdc;
    RECT rc = pCD->nmcd.rc;
    BOOL bHot = (pCD->nmcd.uItemState & (CDIS_HOT | CDIS_SELECTED)) != 0 ||
                (int)pCD->nmcd.dwItemSpec == (int)SendMessage(TB_GETHOTITEM) ||
                (SendMessage(TB_ISBUTTONPRESSED, pCD->nmcd.dwItemSpec) != 0);
    if (bHot) {
        FillSolid(hDC, rc, ::GetSysColor(COLOR_MENUHILIGHT));
        FrameSolid(hDC, rc, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    char text[256] = "";
    ::GetMenuStringA(GetCurrentMenu(), (UINT)pCD->nmcd.dwItemSpec, text, sizeof(text), MF_BYPOSITION);
    HGDIOBJ hOld = m_fontMenu.m_hObject ? ::SelectObject(hDC, m_fontMenu.m_hObject) : NULL;
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOld = ::SetTextColor(hDC, ::GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    ::DrawText(hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | (m_bCuesShown ? 0 : DT_HIDEPREFIX));
    ::SetTextColor(hDC, crOld);
    ::SetBkMode(hDC, nOldMode);
    if (hOld)
        ::SelectObject(hDC, hOld);
    *pResult = CDRF_SKIPDEFAULT;
}
