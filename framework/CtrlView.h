// Views that are common controls: the view's window is the control itself,
// which paints and handles its own input. CTreeView and CListView are the
// tree-view and list-view forms.
#pragma once
#include "framework/View.h"
#include "framework/TreeCtrl.h"
#include "framework/ListCtrl.h"

class FW_API CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnDraw(CDC*) override {}
    afx_msg void OnPaint();

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
    DECLARE_MESSAGE_MAP()
};

class FW_API CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();
    // The view's window as the control it is.
    CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }
};

class FW_API CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    CListCtrl& GetListCtrl() const { return *(CListCtrl*)this; }
};
