// CZavomgrView: the project's view. For now a plain page: the wallpaper (or
// the page colour) at the page size and a framed stand-in per element.
#pragma once

#include "framework/View.h"
#include "imaging/xImage.h"

class CZavomgrDoc;

class CZavomgrView : public CView {
  DECLARE_DYNCREATE(CZavomgrView)
public:
  CZavomgrView();
  virtual ~CZavomgrView();

  CZavomgrDoc* GetDocument() const;
  virtual void OnDraw(CDC* pDC) override;
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

  // TRUE when the project names a wallpaper whose image did not load.
  BOOL IsWallpaperMissing() const { return m_bWallpaperMissing; }

protected:
  void LoadWallpaper();

  CxImage m_wallpaper;
  CString m_strWallpaperShown;
  BOOL m_bWallpaperMissing;

  DECLARE_MESSAGE_MAP()
};
