// CMainFrame: the studio's main window. For now the frame with the
// translated menu of resource 117 around the project's view.
#pragma once

#include "framework/FrameWnd.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
public:
  // Timer that closes the window by itself (test runs).
  enum { kExitTimer = 1 };

  CMainFrame();
  virtual ~CMainFrame();

  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
  // Menu resource 117 translated from language section "Menu"; the caller
  // owns the returned menu.
  HMENU BuildOwnerDrawMenu();

protected:
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()
};
