#include "browser/app/LeftView.h"

#include "browser/app/BrowserMessages.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNCREATE(CLeftView, CTreeView)

BEGIN_MESSAGE_MAP(CLeftView, CTreeView)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, &CLeftView::OnSelChanged)
END_MESSAGE_MAP()

CLeftView::CLeftView() {}

CLeftView::~CLeftView() {}

BOOL CLeftView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

void CLeftView::OnInitialUpdate()
{
    CTreeView::OnInitialUpdate();
    ::SendMessage(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)m_images.Small());
}

void CLeftView::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* tv = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    CFrameWnd* frame = GetParentFrame();
    if (tv->itemNew.hItem && frame)
        frame->SendMessage(WM_SHOW_FOLDER, (WPARAM)tv->itemNew.hItem, 0);
    *pResult = 0;
}
