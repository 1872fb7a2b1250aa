#include "designer/MainFrame.h"

#include "designer/ZavomgrApp.h"
#include "resources/zavomgr/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                           CCreateContext* pContext) {
  CZavomgrApp* app = static_cast<CZavomgrApp*>(AfxGetApp());
  CString title;
  app->m_langManager.LoadString(title, IDR_ZAVOMGRTYPE, FALSE);
  int nl = title.Find('\n');
  if (nl >= 0) title = title.Left(nl);
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (!title.IsEmpty()) {
    SetTitle(title);
    OnUpdateFrameTitle(TRUE);
  }
  if (HMENU menu = ::GetMenu(m_hWnd)) app->m_langManager.TranslatePlainMenu(menu, "Menu");
  return TRUE;
}

HMENU CMainFrame::BuildOwnerDrawMenu() {
  HMENU menu = ::LoadMenu(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_ZAVOMGRTYPE));
  if (menu)
    static_cast<CZavomgrApp*>(AfxGetApp())->m_langManager.TranslatePlainMenu(menu, "Menu");
  return menu;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kExitTimer) {
    KillTimer(kExitTimer);
    PostMessage(WM_CLOSE);
  }
}
