// The browser's toolbar: buttons from a toolbar resource, images from the
// bitmap of the same id in normal, hot and disabled lists.
#pragma once
#include "controls/ToolBarImages.h"
#include "framework/ToolBar.h"

class CImageToolBar : public CToolBar {
public:
    CImageToolBar();
    virtual ~CImageToolBar();

    BOOL CreateEx(CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT nIDResource, BOOL bTrueColor);
    CToolBarImages& GetImages() { return m_images; }

private:
    CToolBarImages m_images;
};
