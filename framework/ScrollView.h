// CScrollView: a view larger than its window, scrolled by its bars and the
// mouse wheel. Logical units are pixels (MM_TEXT).
#pragma once
#include "framework/View.h"
#include "framework/Geometry.h"

class FW_API CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();

    static const SIZE sizeDefault;
    // Only MM_TEXT is supported; sizePage/sizeLine of 0 take a tenth and a
    // hundredth of the total.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const { return GetDeviceScrollPosition(); }
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalDev; }
    int GetMapMode() const { return m_nMapMode; }

    virtual void OnPrepareDC(CDC* pDC, void* pInfo = NULL) override;
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

protected:
    int m_nMapMode;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    CPoint m_ptPos;
    BOOL m_bInUpdateBars;  // showing a bar resizes the window: no second pass

    void UpdateBars();
    DECLARE_MESSAGE_MAP()
};
