// CSplitterWnd: a static grid of panes (views) separated by bars the user
// drags. Pane (row, col) has the child id AFX_IDW_PANE_FIRST + row * 16 + col.
#pragma once
#include "framework/Wnd.h"
#include "framework/CreateContext.h"
#include "framework/Array.h"

class FW_API CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    virtual ~CSplitterWnd();

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    virtual void RecalcLayout();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    int m_cxSplitter, m_cySplitter;  // width of the bars between panes

protected:
    struct RowColInfo {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };
    int m_nRows, m_nCols;
    CArray<RowColInfo, const RowColInfo&> m_rows, m_cols;
    // the bar being dragged: 0 none, 1 + index for a column bar, -(1 + index) for a row bar
    int m_nTracking;
    CPoint m_ptTrackOffset;

    // The bar under pt as m_nTracking encodes it, or 0.
    int HitTestBar(CPoint pt) const;
    static void LayoutLine(CArray<RowColInfo, const RowColInfo&>& info, int nTotal, int nBar);
    DECLARE_MESSAGE_MAP()
};
