// State updates of a command's user-interface items (menu items, buttons).
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"

class CCmdTarget;
class CMenu;
class CWnd;

class FW_API CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 off, 1 on, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's handlers for the state; disables the item when no
    // command handler exists and bDisableIfNoHndler is set.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;      // menu item position
    CMenu* m_pMenu;     // the menu holding the item, or NULL
    CMenu* m_pSubMenu;  // the popup the item opens, or NULL
    CWnd* m_pOther;     // the window (button, bar) for non-menu items
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;
    CMenu* m_pParentMenu;
};
