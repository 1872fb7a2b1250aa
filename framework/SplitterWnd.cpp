#include "framework/SplitterWnd.h"
#include "framework/PaintDC.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(6), m_cySplitter(6), m_nRows(0), m_nCols(0), m_nTracking(0), m_ptTrackOffset(0, 0)
{
}

CSplitterWnd::~CSplitterWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd != NULL)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    RowColInfo init = {10, 0, 0};
    m_rows.SetSize(nRows);
    m_cols.SetSize(nCols);
    for (int i = 0; i < nRows; i++)
        m_rows[i] = init;
    for (int i = 0; i < nCols; i++)
        m_cols[i] = init;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0,
                          pParentWnd->m_hWnd, (HMENU)(UINT_PTR)nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col) != NULL ||
        pViewClass == NULL || !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    m_cols[col].nIdealSize = sizeInit.cx;
    m_rows[row].nIdealSize = sizeInit.cy;
    CWnd* pWnd = (CWnd*)pViewClass->CreateObject();
    if (pWnd == NULL)
        return FALSE;
    CCreateContext context;
    if (pContext != NULL)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    // the object is deleted when its window fails or goes
    if (!pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                      (UINT)IdFromRowCol(row, col), &context))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == NULL || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return NULL;
    HWND h = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return h != NULL ? CWnd::FromHandle(h) : NULL;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow) *pRow = row;
    if (pCol) *pCol = col;
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    cyCur = m_rows[row].nCurSize;
    cyMin = m_rows[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rows[row].nIdealSize = cyIdeal > 0 ? cyIdeal : 0;
    m_rows[row].nMinSize = cyMin > 0 ? cyMin : 0;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_cols[col].nCurSize;
    cxMin = m_cols[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_cols[col].nIdealSize = cxIdeal > 0 ? cxIdeal : 0;
    m_cols[col].nMinSize = cxMin > 0 ? cxMin : 0;
}

// Every pane but the last gets its ideal size (never less than its minimum,
// never more than what is left); the last takes the rest.
void CSplitterWnd::LayoutLine(CArray<RowColInfo, const RowColInfo&>& info, int nTotal, int nBar)
{
    int n = (int)info.GetSize();
    int nLeft = nTotal - nBar * (n - 1);
    if (nLeft < 0)
        nLeft = 0;
    for (int i = 0; i < n; i++) {
        RowColInfo& r = info[i];
        if (i == n - 1) {
            r.nCurSize = nLeft;
            break;
        }
        int nSize = r.nIdealSize;
        if (nSize < r.nMinSize)
            nSize = r.nMinSize;
        if (nSize > nLeft)
            nSize = nLeft;
        r.nCurSize = nSize;
        nLeft -= nSize;
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    LayoutLine(m_cols, rc.Width(), m_cxSplitter);
    LayoutLine(m_rows, rc.Height(), m_cySplitter);
    int y = 0;
    for (int row = 0; row < m_nRows; row++) {
        int x = 0;
        for (int col = 0; col < m_nCols; col++) {
            CWnd* pPane = GetPane(row, col);
            if (pPane != NULL)
                pPane->MoveWindow(x, y, m_cols[col].nCurSize, m_rows[row].nCurSize, TRUE);
            x += m_cols[col].nCurSize + m_cxSplitter;
        }
        y += m_rows[row].nCurSize + m_cySplitter;
    }
    Invalidate(TRUE);
}

int CSplitterWnd::HitTestBar(CPoint pt) const
{
    int x = 0;
    for (int col = 0; col + 1 < m_nCols; col++) {
        x += m_cols[col].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitter)
            return 1 + col;
        x += m_cxSplitter;
    }
    int y = 0;
    for (int row = 0; row + 1 < m_nRows; row++) {
        y += m_rows[row].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitter)
            return -(1 + row);
        y += m_cySplitter;
    }
    return 0;
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    ::FillRect(dc.m_hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    m_nTracking = HitTestBar(pt);
    if (m_nTracking == 0)
        return;
    // where in the bar the mouse took hold
    int nStart = 0;
    if (m_nTracking > 0) {
        for (int col = 0; col < m_nTracking; col++)
            nStart += m_cols[col].nCurSize + (col + 1 < m_nTracking ? m_cxSplitter : 0);
        m_ptTrackOffset = CPoint(pt.x - nStart, 0);
    } else {
        int nRow = -m_nTracking;
        for (int row = 0; row < nRow; row++)
            nStart += m_rows[row].nCurSize + (row + 1 < nRow ? m_cySplitter : 0);
        m_ptTrackOffset = CPoint(0, pt.y - nStart);
    }
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    if (m_nTracking == 0)
        return;
    // the pane before the bar takes the new size; the pane after gives it
    auto drag = [&](CArray<RowColInfo, const RowColInfo&>& info, int nIndex, int nPos, int nBar) {
        int nStart = 0;
        for (int i = 0; i < nIndex; i++)
            nStart += info[i].nCurSize + nBar;
        int nSize = nPos - nStart;
        int nMax = info[nIndex].nCurSize + info[nIndex + 1].nCurSize - info[nIndex + 1].nMinSize;
        if (nSize > nMax) nSize = nMax;
        if (nSize < info[nIndex].nMinSize) nSize = info[nIndex].nMinSize;
        if (nSize < 0) nSize = 0;
        info[nIndex].nIdealSize = nSize;
        // the panes after keep their sizes, except the one that gives way
        if (nIndex + 1 < (int)info.GetSize() - 1)
            info[nIndex + 1].nIdealSize = info[nIndex].nCurSize + info[nIndex + 1].nCurSize - nSize;
    };
    if (m_nTracking > 0)
        drag(m_cols, m_nTracking - 1, pt.x - m_ptTrackOffset.x, m_cxSplitter);
    else
        drag(m_rows, -m_nTracking - 1, pt.y - m_ptTrackOffset.y, m_cySplitter);
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint pt)
{
    if (m_nTracking == 0)
        return;
    OnMouseMove(nFlags, pt);
    m_nTracking = 0;
    ::ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd*)
{
    m_nTracking = 0;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int nBar = m_nTracking != 0 ? m_nTracking : HitTestBar(pt);
        if (nBar != 0) {
            ::SetCursor(::LoadCursor(NULL, nBar > 0 ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
