// CToolBar: a bar of command buttons over the common toolbar control, loaded
// from a TOOLBAR resource (button ids) and the bitmap of the same id.
#pragma once
#include "framework/ControlBar.h"
#include "framework/ToolBarCtrl.h"
#include <vector>

// Button styles: the control's style in the low word, its state (enabled
// inverted) in the high word.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Reads a TOOLBAR resource: the image size and the button ids (0: separator).
FW_API BOOL AfxParseToolBarResource(const BYTE* pData, DWORD cb, CSize& sizeImage,
                                    std::vector<UINT>& ids);

class FW_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // Images from a bitmap strip; light grey (192,192,192) is transparent.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // NULL makes nIDCount empty separators. ID_SEPARATOR entries are separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // For a separator iImage is its width.
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    CToolBarCtrl& GetToolBarCtrl() const { return *(CToolBarCtrl*)this; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg void OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    HIMAGELIST m_hImageList;  // the list SetBitmap made (owned)
    CSize m_sizeButton, m_sizeImage;
    DECLARE_MESSAGE_MAP()
};
