#include "designer/ZavomgrView.h"

#include "designer/UIControl.h"
#include "designer/ZavomgrDoc.h"
#include "framework/DC.h"

IMPLEMENT_DYNCREATE(CZavomgrView, CView)

BEGIN_MESSAGE_MAP(CZavomgrView, CView)
END_MESSAGE_MAP()

namespace {

const int kPageMargin = 10;
const COLORREF kPageColour = 0xC67B4A;

}  // namespace

CZavomgrView::CZavomgrView() : m_bWallpaperMissing(FALSE) {}

CZavomgrView::~CZavomgrView() {}

CZavomgrDoc* CZavomgrView::GetDocument() const { return static_cast<CZavomgrDoc*>(m_pDocument); }

void CZavomgrView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
  LoadWallpaper();
  CView::OnUpdate(pSender, lHint, pHint);
}

void CZavomgrView::LoadWallpaper() {
  CZavomgrDoc* doc = GetDocument();
  CString path = doc ? doc->GetSettings().wallpaper : CString();
  if (path == m_strWallpaperShown && (m_wallpaper.IsValid() || m_bWallpaperMissing)) return;
  m_strWallpaperShown = path;
  m_wallpaper = CxImage();
  m_bWallpaperMissing = !path.IsEmpty() && !m_wallpaper.Load(path);
}

void CZavomgrView::OnDraw(CDC* pDC) {
  CZavomgrDoc* doc = GetDocument();
  if (!doc) return;
  LoadWallpaper();
  HDC dc = pDC->m_hDC;
  CSize paper = CZavomgrDoc::SanePaperSize(doc->GetControlList().GetPaperSize());
  CRect page(kPageMargin, kPageMargin, kPageMargin + paper.cx, kPageMargin + paper.cy);
  if (m_wallpaper.IsValid()) {
    m_wallpaper.Draw(dc, page);
  } else {
    HBRUSH brush = ::CreateSolidBrush(kPageColour);
    ::FillRect(dc, &page, brush);
    ::DeleteObject(brush);
  }
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  if (m_bWallpaperMissing) {
    CString text = "Wallpaper missing: " + m_strWallpaperShown;
    CRect r = page;
    r.DeflateRect(4, 4);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextA(dc, text, text.GetLength(), &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
  }
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(WHITE_PEN));
  CUIControlList& list = doc->GetControlList();
  for (int i = 0; CUIControl* control = list.GetAt(i); ++i) {
    CRect r = control->GetRect();
    r.OffsetRect(page.left, page.top);
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    CString caption = control->GetCaption();
    ::DrawTextA(dc, caption, caption.GetLength(), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::SetBkMode(dc, oldMode);
}
