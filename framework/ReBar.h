// CReBar: a bar of bands over the common rebar control; each band holds a
// child window (a toolbar, a menu bar).
#pragma once
#include "framework/ControlBar.h"

class CBitmap;

class FW_API CReBarCtrl : public CWnd {
public:
    UINT GetBandCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const { return (BOOL)::SendMessage(m_hWnd, RB_GETBANDINFO, uBand, (LPARAM)prbbi); }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_SETBANDINFO, uBand, (LPARAM)prbbi); }
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_INSERTBAND, uIndex, (LPARAM)prbbi); }
    BOOL DeleteBand(UINT uBand) { return (BOOL)::SendMessage(m_hWnd, RB_DELETEBAND, uBand, 0); }
    UINT GetBarHeight() const { return (UINT)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0); }
    UINT GetRowCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETROWCOUNT, 0, 0); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return (BOOL)::SendMessage(m_hWnd, RB_SHOWBAND, uBand, fShow); }
    void MinimizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MINIMIZEBAND, uBand, 0); }
    void MaximizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MAXIMIZEBAND, uBand, 0); }
    void GetBandBorders(UINT uBand, LPRECT prc) const { ::SendMessage(m_hWnd, RB_GETBANDBORDERS, uBand, (LPARAM)prc); }
    int IDToIndex(UINT uBandID) const { return (int)::SendMessage(m_hWnd, RB_IDTOINDEX, uBandID, 0); }
};

class FW_API CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();
    virtual ~CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Moves pBar into a new band; its height (or a control bar's own size) is
    // the band's minimum.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = NULL, CBitmap* pbmp = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    CReBarCtrl& GetReBarCtrl() const { return *(CReBarCtrl*)this; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    BOOL AddBarImpl(CWnd* pBar, REBARBANDINFO& rbbi);
    DECLARE_MESSAGE_MAP()
};
