// CFrameWnd: a top-level window holding control bars around one client pane
// (the view, child id AFX_IDW_PANE_FIRST). Commands go to the active view
// (and through it the document), then the frame, then the application.
#pragma once
#include "framework/Wnd.h"
#include "framework/CreateContext.h"
#include "framework/List.h"

class CView;
class CDocument;
class CControlBar;
class CMenu;

#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E

#define FWS_ADDTOTITLE 0x00008000L   // the title shows the document's name
#define FWS_PREFIXTITLE 0x00004000L  // document name before the application's

class FW_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    virtual ~CFrameWnd();

    static const CRect rectDefault;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                        CCreateContext* pContext = NULL);
    virtual BOOL IsFrameWnd() const override { return TRUE; }
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    virtual CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Places the control bars along the edges and the pane in what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    virtual CWnd* GetMessageBar();
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    void DelayRecalcLayout(BOOL bNotify = TRUE)
    {
        (void)bNotify;
        m_nIdleFlags |= idleLayout;
    }

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // Tooltips of bar buttons: the part of the command's string after its first line break.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    HMENU m_hMenuDefault;  // the menu shown while no other is installed
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;          // the resource id of LoadFrame
    BOOL m_bAutoMenuEnable;  // disable commands no one handles
    UINT m_nIDTracking;      // the command whose message the status bar shows
    UINT m_nIDLastMessage;
    DWORD m_dwDockStyle;

    enum { idleMenu = 1,
           idleTitle = 2,
           idleNotify = 4,
           idleLayout = 8 };
    UINT m_nIdleFlags;

protected:
    CView* m_pViewActive;
    CString m_strTitle;
    CPtrList m_listControlBars;
    BOOL m_bInRecalcLayout;

    DECLARE_MESSAGE_MAP()
};
