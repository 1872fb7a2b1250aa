#include "framework/CtrlView.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

// the control paints itself, not through OnDraw
void CCtrlView::OnPaint()
{
    Default();
}

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEWA, AFX_WS_DEFAULT_VIEW) {}

CListView::CListView() : CCtrlView(WC_LISTVIEWA, AFX_WS_DEFAULT_VIEW) {}
