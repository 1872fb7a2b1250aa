#include "framework/CmdUI.h"
#include "framework/CmdTarget.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pOther(NULL),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0), m_pParentMenu(NULL) {}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu == NULL)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                             MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        // Keep the keyboard focus on an enabled window.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL)
                ::SendMessage(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu == NULL)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex,
                            MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != NULL && m_pSubMenu == NULL) {
        MENUITEMINFO mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (::GetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii)) {
            mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
            mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
            ::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        }
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == NULL)
        lpszText = "";
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        UINT nState = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION);
        nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HILITE);
        ::ModifyMenu(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState,
                     m_nID, lpszText);
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        char szOld[512];
        ::GetWindowText(m_pOther->m_hWnd, szOld, sizeof(szOld));
        if (lstrcmp(szOld, lpszText) != 0)
            ::SetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and popups have no command
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged && m_nID < 0xF000) {
        AFX_CMDHANDLERINFO info;
        info.pTarget = NULL;
        info.pmf = NULL;
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
