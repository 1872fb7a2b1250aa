// CMainFrame: the studio's main window. It carries the menu (owner-drawn
// window menu, or a menu bar in the rebar when the skin is active), the main
// and elements toolbars, the position toolbar, the status bar with the
// position and size panes, and the taskbar notifier; it starts the sibling
// programs, the help, a command prompt and the password dialog.
#pragma once

#include "controls/ImageStatusBar.h"
#include "controls/ImageToolBar.h"
#include "controls/MenuBar.h"
#include "controls/OwnerDrawMenu.h"
#include "controls/PositionToolBar.h"
#include "controls/TaskbarNotifier.h"
#include "designer/model/UIControl.h"
#include "framework/FrameWnd.h"
#include "framework/ReBar.h"

class CZavomgrView;
class CDesignCanvas;

class CMainFrame : public CFrameWnd, public CPositionDisplay {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // Timer that closes the window by itself (test runs).
    enum { kExitTimer = 1 };
    enum { kMinTrackWidth = 685,
           kMinTrackHeight = 590,
           kPaneWidth = 90 };

    CMainFrame();
    virtual ~CMainFrame();

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // Menu resource 117 with the icons of toolbar 186, translated from language
    // section "Menu"; the handle is detached and belongs to the caller. The
    // menu's records stay with the frame, so it is built once per frame.
    HMENU BuildOwnerDrawMenu();

    virtual void ShowPosition(CPoint point, BOOL bFromToolbar) override;
    virtual void ShowSize(CSize size, BOOL bFromToolbar) override;
    // The position toolbar's ranges follow the page size.
    void SetPageSize(int cx, int cy);
    virtual void GetMessageString(UINT nID, CString& rMessage) const override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    // The program folder with a trailing backslash followed by the help topic.
    static CString HelpTopicPath(const CString& appPath);
    // The command interpreter: %ComSpec%, else the system's own.
    static CString CommandInterpreter();
    // The help viewer's entry point (HtmlHelpA); NULL loads it from hhctrl.ocx.
    typedef HWND(WINAPI* HtmlHelpProc)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HtmlHelpProc s_pfnHtmlHelp;

    CZavomgrView* GetZavomgrView() const;
    CDesignCanvas* GetCanvas() const;
    CImageToolBar& GetMainToolBar() { return m_wndToolBar; }
    CImageToolBar& GetElementToolBar() { return m_wndElementBar; }
    CPositionToolBar& GetPositionToolBar() { return m_wndPositionBar; }
    CImageStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CReBar& GetReBar() { return m_wndReBar; }
    CMenuBar& GetMenuBar() { return m_wndMenuBar; }
    CTaskbarNotifier& GetNotifier() { return m_wndNotifier; }
    COwnerDrawMenu& GetOwnerDrawMenu() { return m_menu; }

protected:
    BOOL CreateMenuBar();
    BOOL CreateToolBars();
    BOOL CreateStatusBar();
    BOOL CreateReBar(BOOL bSkin);
    BOOL CreatePositionBar();
    void CreateNotifier();
    void ToggleBar(CControlBar* pBar);
    void FitToPage();
    // Applies a typed position toolbar value to the selected element.
    void ApplyField(UINT nFieldID);
    void StartSibling(LPCTSTR lpszProgram);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnNotifierClicked(WPARAM wParam, LPARAM lParam);
    afx_msg void OnViewToolBar();
    afx_msg void OnViewElementBar();
    afx_msg void OnViewPositionBar();
    afx_msg void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewElementBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewPositionBar(CCmdUI* pCmdUI);
    afx_msg void OnHelpContents();
    afx_msg void OnGrubMd5();
    afx_msg void OnTessumgr();
    afx_msg void OnPelsys();
    afx_msg void OnCommandPrompt();
    afx_msg void OnPositionField(UINT nID);
    afx_msg void OnUpdatePositionField(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePositionCaption(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectionPanes(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    COwnerDrawMenu m_menu;
    CTaskbarNotifier m_wndNotifier;
    CImageStatusBar m_wndStatusBar;
    CImageToolBar m_wndToolBar;
    CImageToolBar m_wndElementBar;
    CMenuBar m_wndMenuBar;
    CReBar m_wndReBar;
    CString m_strNotifierTarget;
    CPositionToolBar m_wndPositionBar;
    BOOL m_bMenuBuilt;
};
