// CStatusBar: panes of text along the bottom of a frame, over the common
// status bar control. Pane 0 shows the frame's message (WM_SETTEXT).
#pragma once
#include "framework/ControlBar.h"
#include "framework/Array.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000  // the text is not drawn
#define SBPS_STRETCH 0x08000000   // takes the width the others leave

class FW_API CStatusBarCtrl : public CWnd {
public:
    int GetParts(int nParts, int* pParts) const { return (int)::SendMessage(m_hWnd, SB_GETPARTS, nParts, (LPARAM)pParts); }
    BOOL GetRect(int nPane, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, SB_GETRECT, nPane, (LPARAM)lpRect); }
    void SetMinHeight(int nMin) { ::SendMessage(m_hWnd, SB_SETMINHEIGHT, nMin, 0); }
    BOOL SetIcon(int nPane, HICON hIcon) { return (BOOL)::SendMessage(m_hWnd, SB_SETICON, nPane, (LPARAM)hIcon); }
    void SetTipText(int nPane, LPCTSTR lpszTipText) { ::SendMessage(m_hWnd, SB_SETTIPTEXT, nPane, (LPARAM)lpszTipText); }
    COLORREF SetBkColor(COLORREF cr) { return (COLORREF)::SendMessage(m_hWnd, SB_SETBKCOLOR, 0, (LPARAM)cr); }
};

class FW_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane's text and width come from the string of its id
    // (ID_SEPARATOR: the stretching message pane).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& s) const { s = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CStatusBarCtrl& GetStatusBarCtrl() const { return *(CStatusBarCtrl*)this; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Owner-drawn panes (SBPS_OWNERDRAW) are drawn here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

protected:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    CArray<Pane, const Pane&> m_panes;

    void UpdateParts();
    void ApplyText(int nIndex);
    void ApplyTextLater(int nIndex);
    DECLARE_MESSAGE_MAP()
};
