// The folder tree of the browser's left pane.
#pragma once
#include "browser/app/ShellImageLists.h"
#include "framework/CtrlView.h"

class CLeftView : public CTreeView {
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView();
    virtual ~CLeftView();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnInitialUpdate() override;

protected:
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CShellImageLists m_images;
};
