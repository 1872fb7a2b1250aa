// CGlobalSetDlg: the project settings dialog (page size, wallpaper, default
// entry, time-out, boot switches, the editor's grid and the page margins).
#pragma once

#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"
#include "controls/ProfileEdit.h"

class CGlobalSetDlg : public CDialog {
public:
    explicit CGlobalSetDlg(CWnd* pParent = NULL);

    // The page size of a resolution index (1 to 3) and the VESA mode of it.
    static CSize PageSizeOf(int nIndex);
    static int VesaModeOf(int nIndex);
    static int ResolutionIndexOf(int nPageWidth);
    static CString GetResolutionText(int nVesaMode);

    int m_nGridHeight;
    int m_nGridWidth;
    int m_nMarginLeft;
    int m_nMarginTop;
    int m_nMarginBottom;
    int m_nMarginRight;
    int m_nTimeout;
    int m_nQuickGo;
    int m_nDefaultEntry;
    int m_nCenterCursor;
    int m_nPageWidth;
    int m_nPageHeight;
    int m_nResolutionIndex;
    int m_nVesaMode;
    CString m_strWallpaper;
    CString m_strSplash;
    CString m_strChosenFile;
    CString m_strInitialFolder;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    BOOL BrowseImage(UINT nTitleId);
    void ShowResolution();

    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnBrowseWallpaper();
    afx_msg void OnQuickGo();
    afx_msg void OnCenterCursor();

    CSliderCtrl m_resolution;
    CProfileEdit m_wallpaperEdit;
    DECLARE_MESSAGE_MAP()
};
