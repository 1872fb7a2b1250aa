// The main menu as a row of text buttons on a toolbar control, for a rebar band.
// It opens the popups itself, moves between them with the mouse and the arrow
// keys, draws their items with command icons and forwards every menu message
// and command to its frame.
#pragma once
#include "framework/ToolBarCtrl.h"
#include "framework/Menu.h"
#include "framework/Font.h"
#include "controls/ToolBarImages.h"
#include <vector>

// Posted to open the popup of the current button.
#define WM_MENUBAR_TRACKPOPUP 0x0B09
// Sent to open the current popup at once.
#define WM_MENUBAR_OPENCURRENT (WM_USER + 1801)

class CMenuBar : public CToolBarCtrl {
public:
    CMenuBar();
    virtual ~CMenuBar();

    BOOL Create(CWnd* pParentWnd, UINT nID);
    BOOL LoadMenu(UINT nIDResource, BOOL bTrueColor);
    BOOL SetMenu(HMENU hMenu);
    BOOL LoadToolBar(UINT nIDResource);
    void ShowKeyboardCues(BOOL bShow);
    // A hot button of 0 or more takes the focus; -1 gives it back.
    void SetHotItem(int nHot);
    // Called from the frame's pre-translation; while the bar stands in for the
    // frame's window menu, Alt with a letter opens that popup, Alt alone or F10
    // enters or leaves keyboard mode. TRUE when the key was taken.
    BOOL TranslateFrameKey(MSG* pMsg);

    int GetCurrentIndex() const { return m_nCurrent; }
    BOOL AreCuesShown() const { return m_bCuesShown; }
    HMENU GetCurrentMenu() const { return m_pMenu ? m_pMenu->m_hMenu : NULL; }
    int GetIconIndex(UINT nID) const;
    CToolBarImages& GetImages() { return m_images; }
    // The bar whose popup is open, NULL when none.
    static CMenuBar* GetActiveBar() { return s_pActiveBar; }

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    CMenu m_menu;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnTrackPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenCurrent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CMenu* m_pMenu;         // the menu whose items are the buttons
    BOOL m_bOwnMenuHandle;  // its handle was made by LoadMenu
    CFont m_fontMenu;
    int m_nButtons;
    int m_nCurrent;
    POINT m_ptLastMouse;
    BOOL m_bSelectFirst;
    HWND m_hWndPrevFocus;
    BOOL m_bAltAlone;  // Alt is down and no other key came since
    BOOL m_bCuesShown;
    BOOL m_bKeepCues;
    BOOL m_bSwitching;
    BOOL m_bItemIsPopup;
    HMENU m_hTrackedMenu;
    CToolBarImages m_images;
    std::vector<UINT> m_iconIds;
    BOOL m_bFlatMenus;
    BOOL m_bCuesAlwaysOn;

    static CMenuBar* s_pActiveBar;
    static HHOOK s_hMsgHook;

    BOOL BuildButtons();
    void UpdateLayout();
    void TrackPopup();
    BOOL OpenByMnemonic(UINT nKey);
    void ToggleKeyboardMode();
    void CancelForSwitch();
    HWND FrameWindow() const;
    int HitTestButton(POINT ptClient) const;
    BOOL IsTopLevelPopup(HMENU hMenu) const;
    void NoteMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu);
    CString ItemText(UINT nID) const;
    BOOL OnMenuInput(MSG* pMsg);
    void DrawPopupItem(LPDRAWITEMSTRUCT lpDIS);
    static LRESULT CALLBACK MenuInputFilter(int nCode, WPARAM wParam, LPARAM lParam);
};
