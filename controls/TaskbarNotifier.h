// A borderless popup owned by the main frame that shows a skin bitmap and a
// text; a click on it posts WM_TASKBARNOTIFIERCLICKED to the owner.
#pragma once
#include "framework/Wnd.h"
#include "framework/Font.h"
#include "framework/Bitmap.h"
#include "framework/Rgn.h"

#define WM_TASKBARNOTIFIERCLICKED (WM_USER + 123)

// Text styles of SetTextFont.
#define TN_TEXT_NORMAL 0x0000
#define TN_TEXT_BOLD 0x0001
#define TN_TEXT_ITALIC 0x0002
#define TN_TEXT_UNDERLINE 0x0004

class CTaskbarNotifier : public CWnd {
public:
    CTaskbarNotifier();
    virtual ~CTaskbarNotifier();

    BOOL Create(CWnd* pWndOwner);
    // Key values of -1 (or any value from 0xFFFF up) make no window region.
    BOOL SetSkin(UINT nBitmapID, int nRedKey = -1, int nGreenKey = -1, int nBlueKey = -1);
    void SetTextFont(LPCTSTR lpszFont, int nSize, int nNormalStyle, int nSelectedStyle);
    void SetTextColor(COLORREF crNormal, COLORREF crSelected);
    void SetTextRect(const RECT& rcText);

    int GetSkinWidth() const { return m_nSkinWidth; }
    int GetSkinHeight() const { return m_nSkinHeight; }
    const RECT& GetTextRect() const { return m_rcText; }
    BOOL IsMouseOver() const { return m_bMouseIsOver; }
    HRGN GetSkinRegion() const { return (HRGN)m_rgnSkin.m_hObject; }

    CString m_strCaption;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pWndOwner;
    CFont m_fontNormal;
    CFont m_fontSelected;
    COLORREF m_crNormalText;
    COLORREF m_crSelectedText;
    CBitmap m_bmSkin;
    CRgn m_rgnSkin;
    RECT m_rcText;
    int m_nSkinWidth;
    int m_nSkinHeight;
    HCURSOR m_hHandCursor;
    int m_nAnimStatus;
    int m_nStep;
    BOOL m_bMouseIsOver;
    BOOL m_bTracking;

    HRGN RegionFromBitmap(COLORREF crKey);
};
