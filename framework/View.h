// CView: a child window of a frame that shows its document. Commands it does
// not handle go on to the document.
#pragma once
#include "framework/Wnd.h"
#include "framework/CreateContext.h"

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class FW_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = NULL)
    {
        (void)pDC;
        (void)pInfo;
    }
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
    {
        (void)nState;
        (void)pFrameWnd;
    }
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual void PostNcDestroy() override;

    // Printing: preparation (the print dialog, or the default printer for
    // direct printing), then one job of pages drawn through OnPrint.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
    {
        (void)pDC;
        (void)pInfo;
    }
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
    {
        (void)pDC;
        (void)pInfo;
    }
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);

protected:
    CDocument* m_pDocument;
    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};
