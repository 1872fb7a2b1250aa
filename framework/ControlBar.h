// CControlBar: a bar along an edge of its frame (toolbar, status bar,
// rebar). The frame places it; at idle time it updates its items' states
// through the frame's command routing.
#pragma once
#include "framework/Wnd.h"
#include "framework/FwRes.h"

class CFrameWnd;

// Bar styles (kept by the bar, not by the window)
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ALL 0x0040FFFFL

class FW_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }
    BOOL IsVisible() const { return (GetStyle() & WS_VISIBLE) != 0; }
    CFrameWnd* GetDockingFrame() const;
    int GetCount() const { return m_nCount; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);

    // The size the bar wants: full width (or height) when bStretch.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the items' states from pTarget's handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    virtual void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DWORD m_dwStyle;
    DWORD m_dwDockStyle;
    CFrameWnd* m_pDockSite;
    BOOL m_bAutoDelete;
    int m_cxLeftBorder, m_cxRightBorder, m_cyTopBorder, m_cyBottomBorder;

protected:
    int m_nCount;
    // Splits the bar styles from the window styles of a Create call.
    static DWORD SplitStyle(DWORD dwStyle, DWORD& dwBarStyle);
    DECLARE_MESSAGE_MAP()
};
