// CZavomgrView: the studio's only view. The design canvas fills it; the view
// binds the editor's commands to the canvas and the document, keeps the
// placing mode of new elements, runs the project properties and fits the
// main window to the page.
#pragma once

#include "designer/canvas/ViewCanvas.h"
#include "framework/View.h"

class CZavomgrDoc;

class CZavomgrView : public CView {
    DECLARE_DYNCREATE(CZavomgrView)
public:
    // Placing modes: the type of the element the next click places.
    enum { PlaceNone = 0,
           PlaceButton = 1,
           PlacePicture = 2,
           PlaceStatic = 3,
           PlaceProgress = 4 };

    CZavomgrView();
    virtual ~CZavomgrView();

    CZavomgrDoc* GetDocument() const;
    CViewCanvas& GetCanvas() { return m_canvas; }
    BOOL HasCanvas() const { return m_canvas.m_hWnd != NULL; }
    BOOL IsReady() const { return m_bReady; }
    int GetPlacingMode() const { return m_nPlacing; }

    // Sizes the main window so that the view's client area is the page plus 4
    // pixels each way; 0 takes the canvas's page size.
    void FitFrameToPage(int width, int height);

    virtual void OnDraw(CDC* pDC) override;
    virtual void OnInitialUpdate() override;
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

protected:
    void PushSettingsToCanvas();
    void ShowWallpaper(const CString& path);
    static BOOL CanReadPicture(const CString& path);
    void StartPlacing(CUIControl* pPrototype, int nMode);
    void ScalePicture(double factor);
    BOOL AnyPictureSelected() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnUndo();
    afx_msg void OnCut();
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnSelectAll();
    afx_msg void OnElementProperties();
    afx_msg void OnProjectProperties();
    afx_msg void OnNewButton();
    afx_msg void OnNewPicture();
    afx_msg void OnNewStatic();
    afx_msg void OnNewProgress();
    afx_msg void OnStopPlacing();
    afx_msg void OnMultiCreate();
    afx_msg void OnScale(UINT nID);
    afx_msg void OnShowGrid();
    afx_msg void OnSnapGrid();
    afx_msg void OnShowMargins();
    afx_msg void OnKeepInside();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignRight();
    afx_msg void OnAlignTop();
    afx_msg void OnAlignBottom();
    afx_msg void OnSameSize();
    afx_msg void OnOrderUp();
    afx_msg void OnOrderDown();
    afx_msg void OnOrderTop();
    afx_msg void OnOrderBottom();
    afx_msg void OnShowNumbers();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedElements(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedOne(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedTwo(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePlacing(CCmdUI* pCmdUI);
    afx_msg void OnUpdateStopPlacing(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMultiCreate(CCmdUI* pCmdUI);
    afx_msg void OnUpdateScale(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShowGrid(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSnapGrid(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShowMargins(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeepInside(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShowNumbers(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectionIds(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CViewCanvas m_canvas;
    BOOL m_bReady;
    int m_nPlacing;
};
