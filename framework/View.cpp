#include "framework/View.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/PaintDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    return static_cast<CFrameWnd*>(CWnd::GetParentFrame());
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    // the plain border becomes the sunken edge
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return nResult;
    HWND hFocus = ::GetFocus();
    if (pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
    else if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus))
        ::SetFocus(m_hWnd);  // a bar's field had the focus
    return nResult;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    (void)pSender;
    (void)lHint;
    (void)pHint;
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    (void)pDeactiveView;
    if (bActivate && pActivateView == this && ::GetFocus() != m_hWnd) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && ::GetActiveWindow() == pFrame->m_hWnd)
            ::SetFocus(m_hWnd);
    }
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
