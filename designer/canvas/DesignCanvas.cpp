#include "designer/canvas/DesignCanvas.h"

#include <math.h>
#include <string.h>

#include <algorithm>

#include "designer/canvas/CanvasContextMenu.h"
#include "designer/canvas/CanvasRounding.h"
#include "designer/model/DrawnPixels.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "framework/ClientDC.h"
#include "framework/PaintDC.h"
#include "framework/ScopedHandle.h"

namespace {

const int kAutoScrollStep = 10;
const COLORREF kPanPenColor = 0x808080;
const COLORREF kPanDotColor = 0xC0C0C0;
// Room around an element for what it draws outside its rectangle (frame,
// number badge).
const int kCullMargin = 32;
// How much larger than the client area the paint's bitmap may stay: more
// than a scroll bar's width.
const int kPaintSpare = 64;

CRect Normalize(const RECT& r)
{
    CRect n(r);
    n.NormalizeRect();
    return n;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDesignCanvas, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(300, 400, &CDesignCanvas::OnElementCommand)
    ON_UPDATE_COMMAND_UI_RANGE(300, 400, &CDesignCanvas::OnUpdateElementCommand)
    ON_COMMAND(CANVAS_ID_EDIT_COPY, &CDesignCanvas::OnEditCopy)
    ON_COMMAND(CANVAS_ID_EDIT_CUT, &CDesignCanvas::OnEditCut)
    ON_COMMAND(CANVAS_ID_EDIT_PASTE, &CDesignCanvas::OnEditPaste)
    ON_COMMAND(CANVAS_ID_EDIT_GROUP, &CDesignCanvas::OnEditGroup)
    ON_COMMAND(CANVAS_ID_EDIT_UNGROUP, &CDesignCanvas::OnEditUngroup)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_COPY, &CDesignCanvas::OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_CUT, &CDesignCanvas::OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_PASTE, &CDesignCanvas::OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_UNDO, &CDesignCanvas::OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_GROUP, &CDesignCanvas::OnUpdateGroup)
    ON_UPDATE_COMMAND_UI(CANVAS_ID_EDIT_UNGROUP, &CDesignCanvas::OnUpdateGroup)
END_MESSAGE_MAP()

CDesignCanvas::CDesignCanvas()
    : m_zoom(1.0), m_zoomStep(0.01), m_zoomMax(10.0), m_zoomMin(0.0), m_pictureScale(1.0),
      m_pictureScaleStep(0.02), m_pictureScaleMax(5.0), m_pictureScaleMin(0.25), m_nDragMode(CANVAS_DRAG_NONE),
      m_nDragHandle(0), m_grabX(0), m_grabY(0), m_bAddPending(FALSE), m_bMultiCreate(FALSE), m_pDragAnchor(NULL),
      m_crFrame(::GetSysColor(COLOR_BTNSHADOW)), m_bSnapToGrid(FALSE), m_bGridVisible(TRUE), m_gridSize(8, 8),
      m_crGrid(0), m_bMarginsVisible(FALSE), m_crMargin(0xFF8080), m_nKeepInside(0), m_bPanning(FALSE),
      m_nPanTimer(100), m_nDefaultEntry(0), m_nTimeout(25), m_nVesaMode(0x111), m_nSingleGo(0),
      m_nCenterCursor(0), m_nUseShellIcon(0), m_bShowNumbers(FALSE), m_pList(NULL), m_pContextMenu(NULL),
      m_pPrototype(NULL), m_pOwnList(NULL), m_bInScrollUpdate(FALSE), m_nRedrawHold(0), m_bRedrawPending(FALSE),
      m_hPaintDC(NULL), m_pPaintBits(NULL), m_pKeptBits(NULL), m_nWallpaperChange(0)
{
    m_backgroundKey = m_previousBackgroundKey = BackgroundKey();
    for (int i = 0; i < 4; ++i)
        m_margins[i] = 4;
    static LPCSTR const kShapes[4] = {IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENWSE};
    for (int i = 0; i < 8; ++i)
        m_panCursors[i] = ::LoadCursor(NULL, kShapes[i % 4]);
}

CDesignCanvas::~CDesignCanvas()
{
    if (m_hWnd != NULL && m_bPanning)
        KillTimer(m_nPanTimer);
    delete m_pContextMenu;
    delete m_pOwnList;
    delete m_pPrototype;
}

BOOL CDesignCanvas::Create(const RECT& rect, CWnd* pParent, CUIControlList* pList, DWORD dwStyle, UINT nID)
{
    SetList(pList);
    if (m_pList == NULL) {
        m_pOwnList = new CUIControlList;
        m_pList = m_pOwnList;
    }
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CWnd::Create(cls, "", dwStyle, rect, pParent, nID))
        return FALSE;
    CSize page = GetPageSize();
    if (page.cx == 0 && page.cy == 0)
        page = CSize(rect.right - rect.left, rect.bottom - rect.top);
    m_pList->SetPaperSize(page.cx, page.cy);
    UpdateScrollBars();
    return TRUE;
}

void CDesignCanvas::Reset()
{
    m_rubberBand.SetRectEmpty();
    m_dragOffset = CPoint(0, 0);
    m_zoom = 1.0;
    m_nDragMode = CANVAS_DRAG_NONE;
    m_pDragAnchor = NULL;
    m_bAddPending = FALSE;
    StopPanning();
    DeletePrototype();
    if (m_hWnd != NULL) {
        UpdateScrollBars();
        SetHScrollPos(0);
        SetVScrollPos(0);
        Redraw();
    }
}

// ---- list and page -------------------------------------------------------

void CDesignCanvas::ReleaseOwnList()
{
    if (m_pList == m_pOwnList)
        m_pList = NULL;
    delete m_pOwnList;
    m_pOwnList = NULL;
}

void CDesignCanvas::SetList(CUIControlList* pList)
{
    if (pList != m_pOwnList)
        ReleaseOwnList();
    m_pList = pList;
    m_pDragAnchor = NULL;
}

CUIControl* CDesignCanvas::GetElementAt(int nIndex) const { return m_pList ? m_pList->GetAt(nIndex) : NULL; }

void CDesignCanvas::SetModified(BOOL bModified)
{
    if (m_pList)
        m_pList->SetModified(bModified);
}

CSize CDesignCanvas::GetPageSize() const
{
    CSize page = m_pList ? m_pList->GetPaperSize() : CSize(0, 0);
    if ((page.cx <= 0 || page.cy <= 0) && m_hWnd != NULL) {
        CRect rc;
        GetClientRect(&rc);
        if (page.cx <= 0)
            page.cx = rc.Width();
        if (page.cy <= 0)
            page.cy = rc.Height();
    }
    return CSize(page.cx > 0 ? page.cx : 0, page.cy > 0 ? page.cy : 0);
}

void CDesignCanvas::SetPageSize(CSize size)
{
    if (m_pList == NULL)
        return;
    if (m_pList->GetPaperSize() != size) {
        m_pList->SetPaperSize(size.cx, size.cy);
        UpdateScrollBars();
        Redraw();
    }
    m_pList->SetModified(TRUE);
    m_nVesaMode = 0x111;
    if (size.cx == 800)
        m_nVesaMode = 0x114;
    else if (size.cx == 1024)
        m_nVesaMode = 0x117;
}

int CDesignCanvas::SelectedCount() const { return m_pList ? m_pList->CountSelected() : 0; }

int CDesignCanvas::ElementCount() const { return m_pList ? m_pList->GetCount() : 0; }

CUIControl* CDesignCanvas::GetSelectedElement() const
{
    CUIControl* pFound = NULL;
    for (int i = 0; i < ElementCount(); ++i) {
        if (m_pList->GetAt(i)->IsSelected())
            pFound = m_pList->GetAt(i);
    }
    return pFound;
}

CUIControl* CDesignCanvas::TopSelected() const { return GetSelectedElement(); }

CSize CDesignCanvas::GetContentExtent() const
{
    CSize extent(0, 0);
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        extent.cx = std::max((int)extent.cx, Nearest(p->GetRight()));
        extent.cy = std::max((int)extent.cy, Nearest(p->GetBottom()));
    }
    return extent;
}

BOOL CDesignCanvas::GetSelectedRect(int& x, int& y, int& w, int& h) const
{
    if (SelectedCount() != 1)
        return FALSE;
    CUIControl* p = GetSelectedElement();
    x = (int)p->GetLeft();
    y = (int)p->GetTop();
    w = (int)(p->GetRight() - p->GetLeft());
    h = (int)(p->GetBottom() - p->GetTop());
    return TRUE;
}

BOOL CDesignCanvas::SetSelectedRect(int x, int y, int w, int h)
{
    if (SelectedCount() != 1)
        return FALSE;
    GetSelectedElement()->SetRect((double)x, (double)y, (double)x + w, (double)y + h);
    Redraw();
    return TRUE;
}

void CDesignCanvas::AddElement(CUIControl* pControl)
{
    if (m_pList && pControl)
        m_pList->Add(pControl);
}

void CDesignCanvas::SetElementRect(CUIControl* pControl, const RECT& rect)
{
    if (pControl)
        pControl->SetRect(rect);
}

// ---- settings ------------------------------------------------------------

BOOL CDesignCanvas::IsPagePicture(const CxImage& picture, CSize page)
{
    if ((LONG)picture.GetWidth() != page.cx || (LONG)picture.GetHeight() != page.cy || picture.GetBpp() != 24 ||
        picture.HasAlpha())
        return FALSE;
    // a screen of fewer colours would give them fewer
    HDC hScreen = ::GetDC(NULL);
    int depth = ::GetDeviceCaps(hScreen, BITSPIXEL) * ::GetDeviceCaps(hScreen, PLANES);
    ::ReleaseDC(NULL, hScreen);
    return depth >= 24;
}

BOOL CDesignCanvas::SetWallpaper(LPCTSTR lpszPath, BOOL bKeepOnly)
{
    CString path(lpszPath ? lpszPath : "");
    ++m_nWallpaperChange;
    if (bKeepOnly || path.IsEmpty()) {
        m_strWallpaper = path;
        if (!bKeepOnly)
            m_wallpaperImage.Destroy();
        Redraw();
        return TRUE;
    }
    CxImage image;
    if (!image.Load(path))
        return FALSE;
    CSize page = GetPageSize();
    if (page.cx <= 0 || page.cy <= 0)
        page = CSize((int)image.GetWidth(), (int)image.GetHeight());
    if (IsPagePicture(image, page)) {
        // nothing to stretch: the picture is the page as drawn
        m_wallpaperImage.Swap(image);
        m_strWallpaper = path;
        ++m_nWallpaperChange;
        Redraw();
        return TRUE;
    }
    HDC hScreen = ::GetDC(NULL);
    CScopedMemDC mem(::CreateCompatibleDC(hScreen));
    CScopedBitmap bitmap(::CreateCompatibleBitmap(hScreen, page.cx, page.cy));
    ::ReleaseDC(NULL, hScreen);
    BOOL ok = FALSE;
    if (mem.IsValid() && bitmap.IsValid()) {
        {
            CScopedSelect select(mem, bitmap);
            image.Draw(mem, CRect(0, 0, page.cx, page.cy), NULL, true);
        }
        CxImage paged;
        ok = paged.CreateFromHBITMAP(bitmap);
        if (ok) {
            m_wallpaperImage.Swap(paged);
            m_strWallpaper = path;
            ++m_nWallpaperChange;
        }
    }
    Redraw();
    return ok;
}

void CDesignCanvas::SetGridVisible(BOOL b)
{
    m_bGridVisible = b;
    Redraw();
}

void CDesignCanvas::SetGridColor(COLORREF cr)
{
    m_crGrid = cr;
    Redraw();
}

void CDesignCanvas::SetGridSize(int cx, int cy)
{
    m_gridSize = CSize(cx >= 1 ? cx : 1, cy >= 1 ? cy : 1);
    Redraw();
}

void CDesignCanvas::SetMarginsVisible(BOOL b)
{
    m_bMarginsVisible = b;
    Redraw();
}

void CDesignCanvas::GetMargins(int& left, int& top, int& right, int& bottom) const
{
    left = m_margins[0];
    top = m_margins[1];
    right = m_margins[2];
    bottom = m_margins[3];
}

void CDesignCanvas::SetMargins(int left, int top, int right, int bottom)
{
    m_margins[0] = left;
    m_margins[1] = top;
    m_margins[2] = right;
    m_margins[3] = bottom;
}

void CDesignCanvas::SetZoom(double zoom)
{
    double lower = m_zoomMin > kZoomFloor ? m_zoomMin : kZoomFloor;
    if (!(zoom >= lower))
        zoom = lower;
    else if (zoom > m_zoomMax)
        zoom = m_zoomMax;
    m_zoom = zoom;
    UpdateScrollBars();
    Redraw();
}

// ---- coordinates ---------------------------------------------------------

CPoint CDesignCanvas::PageToClient(double x, double y) const
{
    return CPoint(Nearest(x * m_zoom - GetHScrollPos()), Nearest(y * m_zoom - GetVScrollPos()));
}

CPoint CDesignCanvas::ClientToPage(CPoint point) const
{
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    return CPoint(Nearest((point.x + GetHScrollPos()) / zoom), Nearest((point.y + GetVScrollPos()) / zoom));
}

CRect CDesignCanvas::PageToClient(const RECT& rect) const
{
    CRect r = Normalize(rect);
    return CRect(PageToClient(r.left, r.top), PageToClient(r.right, r.bottom));
}

CRect CDesignCanvas::ClientToPage(const RECT& rect) const
{
    CRect r = Normalize(rect);
    return CRect(ClientToPage(r.TopLeft()), ClientToPage(r.BottomRight()));
}

CSize CDesignCanvas::ZoomSize(double cx, double cy) const { return CSize(Nearest(cx * m_zoom), Nearest(cy * m_zoom)); }

int CDesignCanvas::SnapX(int x) const
{
    int g = m_gridSize.cx >= 1 ? m_gridSize.cx : 1;
    return Nearest((double)x / g) * g + 2;
}

int CDesignCanvas::SnapY(int y) const
{
    int g = m_gridSize.cy >= 1 ? m_gridSize.cy : 1;
    return Nearest((double)y / g) * g + 2;
}

// ---- scrolling -----------------------------------------------------------

int CDesignCanvas::GetHScrollPos() const
{
    if (m_hWnd == NULL || !(GetStyle() & WS_HSCROLL))
        return 0;
    return ::GetScrollPos(m_hWnd, SB_HORZ);
}

int CDesignCanvas::GetVScrollPos() const
{
    if (m_hWnd == NULL || !(GetStyle() & WS_VSCROLL))
        return 0;
    return ::GetScrollPos(m_hWnd, SB_VERT);
}

void CDesignCanvas::SetHScrollPos(int nPos)
{
    if (m_hWnd != NULL)
        SetScrollPos(SB_HORZ, nPos < 0 ? 0 : nPos, TRUE);
}

void CDesignCanvas::SetVScrollPos(int nPos)
{
    if (m_hWnd != NULL)
        SetScrollPos(SB_VERT, nPos < 0 ? 0 : nPos, TRUE);
}

void CDesignCanvas::UpdateScrollBars()
{
    if (m_hWnd == NULL || m_bInScrollUpdate)
        return;
    m_bInScrollUpdate = TRUE;
    BOOL changed = FALSE, shown = FALSE;
    // Showing one bar narrows the client area and may call for the other.
    for (int pass = 0; pass < 3; ++pass) {
        CRect rc;
        GetClientRect(&rc);
        CSize page = GetPageSize();
        CSize zoomed = ZoomSize(page.cx, page.cy);
        BOOL wantH = zoomed.cx > rc.Width(), wantV = zoomed.cy > rc.Height();
        changed |= SetBarRange(SB_HORZ, wantH ? zoomed.cx : 0, wantH ? rc.Width() : 0);
        changed |= SetBarRange(SB_VERT, wantV ? zoomed.cy : 0, wantV ? rc.Height() : 0);
        DWORD style = GetStyle();
        BOOL hasH = (style & WS_HSCROLL) != 0, hasV = (style & WS_VSCROLL) != 0;
        if (hasH == wantH && hasV == wantV)
            break;
        if (hasH != wantH)
            ShowScrollBar(SB_HORZ, wantH);
        if (hasV != wantV)
            ShowScrollBar(SB_VERT, wantV);
        shown = TRUE;
    }
    // a bar shown or hidden has the whole frame drawn anew anyway
    if (changed && !shown)
        RedrawFrame();
    m_bInScrollUpdate = FALSE;
}

BOOL CDesignCanvas::SetBarRange(int nBar, int nMax, int nPage)
{
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (::GetScrollInfo(m_hWnd, nBar, &si) && si.nMin == 0 && si.nMax == nMax && si.nPage == (UINT)nPage)
        return FALSE;
    si.nMin = 0;
    si.nMax = nMax;
    si.nPage = (UINT)nPage;
    SetScrollInfo(nBar, &si, FALSE);
    return TRUE;
}

void CDesignCanvas::RedrawFrame()
{
    CRect window, client;
    GetWindowRect(&window);
    ScreenToClient(&window);
    GetClientRect(&client);
    CScopedRgn frame(::CreateRectRgnIndirect(&window));
    CScopedRgn inside(::CreateRectRgnIndirect(&client));
    if (!frame.IsValid() || !inside.IsValid() || ::CombineRgn(frame, frame, inside, RGN_DIFF) == ERROR)
        return;
    ::RedrawWindow(m_hWnd, NULL, frame, RDW_FRAME | RDW_INVALIDATE);
}

static int NextScrollPos(CWnd* pWnd, int nBar, UINT nSBCode)
{
    SCROLLINFO si;
    if (!pWnd->GetScrollInfo(nBar, &si))
        return -1;
    int pos = si.nPos;
    int last = si.nMax - (si.nPage > 0 ? (int)si.nPage - 1 : 0);
    if (last < si.nMin)
        last = si.nMin;
    switch (nSBCode) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= (int)si.nPage; break;
    case SB_PAGEDOWN: pos += (int)si.nPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = last; break;
    default: return -1;
    }
    if (pos < si.nMin)
        pos = si.nMin;
    if (pos > last)
        pos = last;
    return pos;
}

void CDesignCanvas::DoHScroll(UINT nSBCode, UINT)
{
    int pos = NextScrollPos(this, SB_HORZ, nSBCode);
    if (pos < 0)
        return;
    SetHScrollPos(pos);
    Redraw();
}

void CDesignCanvas::DoVScroll(UINT nSBCode, UINT)
{
    int pos = NextScrollPos(this, SB_VERT, nSBCode);
    if (pos < 0)
        return;
    SetVScrollPos(pos);
    Redraw();
}

// The zoomed page is what scrolls, so auto-scroll follows it at any zoom.
int CDesignCanvas::ScrollByX(int dx)
{
    CRect rc;
    GetClientRect(&rc);
    if (!(GetStyle() & WS_HSCROLL) || rc.Width() >= ZoomSize(GetPageSize().cx, 0).cx)
        return 0;
    int old = GetHScrollPos();
    SetHScrollPos(old + dx);
    int change = GetHScrollPos() - old;
    if (change != 0)
        Redraw();
    return change;
}

int CDesignCanvas::ScrollByY(int dy)
{
    CRect rc;
    GetClientRect(&rc);
    if (!(GetStyle() & WS_VSCROLL) || rc.Height() >= ZoomSize(0, GetPageSize().cy).cy)
        return 0;
    int old = GetVScrollPos();
    SetVScrollPos(old + dy);
    int change = GetVScrollPos() - old;
    if (change != 0)
        Redraw();
    return change;
}

void CDesignCanvas::AutoScroll(CPoint point, int& dx, int& dy)
{
    CRect rc;
    GetClientRect(&rc);
    dx = dy = 0;
    if (point.x >= rc.right)
        dx = ScrollByX(kAutoScrollStep);
    else if (point.x < 0)
        dx = ScrollByX(-kAutoScrollStep);
    if (point.y >= rc.bottom)
        dy = ScrollByY(kAutoScrollStep);
    else if (point.y < 0)
        dy = ScrollByY(-kAutoScrollStep);
}

// ---- drawing -------------------------------------------------------------

void CDesignCanvas::Redraw()
{
    if (m_hWnd == NULL)
        return;
    if (m_nRedrawHold > 0) {
        m_bRedrawPending = TRUE;
        return;
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDesignCanvas::ReleaseRedraw()
{
    if (m_nRedrawHold > 0 && --m_nRedrawHold == 0 && m_bRedrawPending) {
        m_bRedrawPending = FALSE;
        Redraw();
    }
}

void CDesignCanvas::OnPaint()
{
    CPaintDC dc(this);
    PaintClient(&dc);
}

BOOL CDesignCanvas::OnEraseBkgnd(CDC*) { return TRUE; }

bool CDesignCanvas::BackgroundKey::operator==(const BackgroundKey& o) const
{
    return client == o.client && page == o.page && h == o.h && v == o.v && zoom == o.zoom && frame == o.frame &&
           grid == o.grid && margin == o.margin && gridVisible == o.gridVisible &&
           marginsVisible == o.marginsVisible && gridSize == o.gridSize &&
           memcmp(margins, o.margins, sizeof(margins)) == 0 && wallpaper == o.wallpaper;
}

CDesignCanvas::BackgroundKey CDesignCanvas::GetBackgroundKey(const CRect& client, int h, int v, CSize zoomed) const
{
    BackgroundKey key = BackgroundKey();
    key.client = client.Size();
    key.page = zoomed;
    key.h = h;
    key.v = v;
    key.zoom = m_zoom;
    key.frame = m_crFrame;
    key.grid = m_crGrid;
    key.margin = m_crMargin;
    key.gridVisible = m_bGridVisible;
    key.marginsVisible = m_bMarginsVisible;
    key.gridSize = m_gridSize;
    memcpy(key.margins, m_margins, sizeof(key.margins));
    key.wallpaper = m_nWallpaperChange;
    return key;
}

void CDesignCanvas::PaintClient(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;
    int h = GetHScrollPos(), v = GetVScrollPos();
    CSize page = GetPageSize();
    CSize zoomed = ZoomSize(page.cx, page.cy);
    CRect pageRect(0, 0, zoomed.cx + 1, zoomed.cy + 1);

    CDC mem;
    if (!mem.CreateCompatibleDC(pDC))
        return;
    // A 32-bit DIB, so that the grid can set its dots in memory; the same one
    // while the client area fits in it with little to spare (a new one costs
    // its pages on the first touch, and scroll bars coming and going change
    // the client area by their width).
    if (!m_paintBitmap.IsValid() || !FitsKeptBitmap(rc.Size())) {
        m_paintBitmap.Reset();
        m_pKeptBits = NULL;
        KeepBackgroundAsPrevious();
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = rc.Width();
        bi.bmiHeader.biHeight = -rc.Height();
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* pBits = NULL;
        m_paintBitmap.Reset(::CreateDIBSection(pDC->GetSafeHdc(), &bi, DIB_RGB_COLORS, &pBits, NULL, 0));
        m_pKeptBits = (DWORD*)pBits;
        m_keptSize = rc.Size();
    }
    CScopedBitmap fallback;
    HBITMAP hTarget = m_paintBitmap;
    if (m_pKeptBits == NULL) {
        fallback.Reset(::CreateCompatibleBitmap(pDC->GetSafeHdc(), rc.Width(), rc.Height()));
        hTarget = fallback;
    }
    if (hTarget == NULL)
        return;
    {
        CScopedSelect select(mem.GetSafeHdc(), hTarget);
        // the whole kept bitmap, of which the client area may be a part
        const CSize target = m_pKeptBits != NULL ? m_keptSize : rc.Size();
        const size_t pixels = (size_t)target.cx * target.cy;
        if (target != rc.Size())
            mem.IntersectClipRect(&rc);
        BackgroundKey key = GetBackgroundKey(rc, h, v, zoomed);
        if (m_pKeptBits != NULL) {
            m_hPaintDC = mem.GetSafeHdc();
            m_pPaintBits = m_pKeptBits;
            m_paintSize = target;
        }
        if (m_pKeptBits != NULL && !(m_background.size() == pixels && key == m_backgroundKey) &&
            m_previousBackground.size() == pixels && key == m_previousBackgroundKey) {
            // the one before the last: a zoom step and the step back
            m_background.swap(m_previousBackground);
            std::swap(m_backgroundKey, m_previousBackgroundKey);
        }
        if (m_pKeptBits != NULL && m_background.size() == pixels && key == m_backgroundKey) {
            ::GdiFlush();
            memcpy(m_pKeptBits, &m_background[0], pixels * sizeof(DWORD));
            mem.SetWindowOrg(h, v);
        } else {
            DrawFrameArea(&mem, rc);
            mem.SetWindowOrg(h, v);
            DrawPageLayers(&mem, pageRect);
            if (m_pKeptBits != NULL) {
                ::GdiFlush();
                KeepBackgroundAsPrevious();
                m_background.assign(m_pKeptBits, m_pKeptBits + pixels);
                m_backgroundKey = key;
            }
        }
        {
            CDrawnPixels::CDirectTarget direct(m_pKeptBits != NULL ? mem.GetSafeHdc() : NULL, m_pKeptBits, target);
            DrawPageContents(&mem);
        }
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &mem, h, v, SRCCOPY);
        m_hPaintDC = NULL;
        m_pPaintBits = NULL;
    }
}

BOOL CDesignCanvas::FitsKeptBitmap(CSize client) const
{
    return client.cx <= m_keptSize.cx && client.cy <= m_keptSize.cy && m_keptSize.cx - client.cx <= kPaintSpare &&
           m_keptSize.cy - client.cy <= kPaintSpare;
}

void CDesignCanvas::KeepBackgroundAsPrevious()
{
    if (m_background.empty())
        return;
    m_previousBackground.swap(m_background);
    m_previousBackgroundKey = m_backgroundKey;
    m_background.clear();
}

void CDesignCanvas::DrawFrameArea(CDC* pDC, const CRect& rect) { pDC->FillSolidRect(&rect, m_crFrame); }

void CDesignCanvas::DrawPage(CDC* pDC, const CRect& rect)
{
    DrawPageLayers(pDC, rect);
    DrawPageContents(pDC);
}

void CDesignCanvas::DrawPageLayers(CDC* pDC, const CRect& rect)
{
    DrawBackground(pDC, rect, m_zoom);
    if (m_bGridVisible)
        DrawGrid(pDC, rect, m_zoom);
    if (m_bMarginsVisible)
        DrawMargins(pDC, rect, m_zoom);
}

void CDesignCanvas::DrawPageContents(CDC* pDC)
{
    DrawElements(pDC, m_zoom);
    if (m_bPanning)
        DrawPanAnchor(pDC);
}

void CDesignCanvas::DrawPlain(CDC* pDC, const CRect& rect, double zoom)
{
    DeselectAll();
    DrawBackground(pDC, rect, zoom);
    DrawElements(pDC, zoom);
}

void CDesignCanvas::DrawBackground(CDC* pDC, const CRect& rect, double) { pDC->FillSolidRect(&rect, RGB(255, 255, 255)); }

void CDesignCanvas::DrawGrid(CDC*, const CRect&, double) {}

void CDesignCanvas::DrawMargins(CDC* pDC, const CRect& rect, double zoom)
{
    CScopedPen hPen(::CreatePen(PS_SOLID, 0, m_crMargin));
    if (!hPen.IsValid())
        return;
    {
        CScopedSelect pen(pDC->GetSafeHdc(), hPen);
        int l = rect.left + Nearest(m_margins[0] * zoom);
        int t = rect.top + Nearest(m_margins[1] * zoom);
        int r = rect.right - Nearest(m_margins[2] * zoom) - 1;
        int b = rect.bottom - Nearest(m_margins[3] * zoom) - 1;
        if (m_margins[0] != 0) {
            pDC->MoveTo(l, t);
            pDC->LineTo(l, b);
        }
        if (m_margins[2] != 0) {
            pDC->MoveTo(r, t);
            pDC->LineTo(r, b);
        }
        if (m_margins[1] != 0) {
            pDC->MoveTo(l, t);
            pDC->LineTo(r, t);
        }
        if (m_margins[3] != 0) {
            pDC->MoveTo(l, b);
            pDC->LineTo(r, b);
        }
    }
}

void CDesignCanvas::DrawElements(CDC* pDC, double zoom)
{
    // Elements wholly outside the drawn area are skipped, except selected
    // ones: their handles report the position to the frame.
    CRect clip;
    int clipKind = pDC->GetClipBox(&clip);
    BOOL cull = clipKind == SIMPLEREGION || clipKind == COMPLEXREGION;
    int number = 0;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        int shown = -1;
        if (m_bShowNumbers && p->GetAsMenu())
            shown = number++;
        if (cull && !p->IsSelected()) {
            CRect r(Nearest(p->GetLeft() * zoom), Nearest(p->GetTop() * zoom), Nearest(p->GetRight() * zoom),
                    Nearest(p->GetBottom() * zoom));
            r.NormalizeRect();
            r.InflateRect(kCullMargin, kCullMargin);
            CRect both;
            if (!both.IntersectRect(&r, &clip))
                continue;
        }
        p->DrawOnCanvas(pDC, zoom, shown);
    }
    CUIControl::ShowDrawnPosition();
}

void CDesignCanvas::DrawPanAnchor(CDC* pDC)
{
    CPoint c(m_panAnchor.x + GetHScrollPos(), m_panAnchor.y + GetVScrollPos());
    CRect outer(c.x - 16, c.y - 16, c.x + 16, c.y + 16);
    CScopedPen hPen(::CreatePen(PS_SOLID, 0, kPanPenColor));
    CScopedBrush hDot(::CreateSolidBrush(kPanDotColor));
    if (hPen.IsValid() && hDot.IsValid()) {
        CScopedSelect pen(pDC->GetSafeHdc(), hPen);
        {
            CScopedSelect brush(pDC->GetSafeHdc(), ::GetStockObject(WHITE_BRUSH));
            pDC->Ellipse(&outer);
        }
        outer.DeflateRect(12, 12);
        CScopedSelect brush(pDC->GetSafeHdc(), hDot);
        pDC->Ellipse(&outer);
    }
}

void CDesignCanvas::DrawRubberBand()
{
    CRect r = Normalize(m_rubberBand);
    if (r.IsRectEmpty() || m_hWnd == NULL)
        return;
    CClientDC dc(this);
    dc.DrawFocusRect(&r);
}

// ---- keeping inside the page or the margins ------------------------------

BOOL CDesignCanvas::GetKeepArea(double& l, double& t, double& r, double& b) const
{
    CSize page = GetPageSize();
    if (m_nKeepInside == 1) {
        l = 0;
        t = 0;
        r = page.cx;
        b = page.cy;
        return TRUE;
    }
    if (m_nKeepInside == 2) {
        l = m_margins[0];
        t = m_margins[1];
        r = page.cx - m_margins[2];
        b = page.cy - m_margins[3];
        return TRUE;
    }
    return FALSE;
}

BOOL CDesignCanvas::PointInKeepArea(CPoint q) const
{
    double l, t, r, b;
    if (!GetKeepArea(l, t, r, b))
        return TRUE;
    return q.x >= l && q.y >= t && q.x <= r && q.y <= b;
}

void CDesignCanvas::ClampRect(double& l, double& t, double& r, double& b) const
{
    double al, at, ar, ab;
    if (!GetKeepArea(al, at, ar, ab))
        return;
    double w = fabs(r - l), h = fabs(b - t);
    if (l < al) {
        l = al;
        r = al + w;
    }
    if (t < at) {
        t = at;
        b = at + h;
    }
    if (r < al) {
        r = al;
        l = al + w;
    }
    if (b < at) {
        b = at;
        t = at + h;
    }
    if (r > ar) {
        r = ar;
        l = r - w;
    }
    if (b > ab) {
        b = ab;
        t = b - h;
    }
    if (l > ar) {
        l = ar;
        r = l - w;
    }
    if (t > ab) {
        t = ab;
        b = t - h;
    }
}

void CDesignCanvas::ClampPoint(double& x, double& y) const
{
    double l, t, r, b;
    if (!GetKeepArea(l, t, r, b))
        return;
    if (x < l) x = l;
    if (x > r) x = r;
    if (y < t) y = t;
    if (y > b) y = b;
}

void CDesignCanvas::ClampMoveDelta(double& dx, double& dy) const
{
    double al, at, ar, ab;
    if (!GetKeepArea(al, at, ar, ab))
        return;
    double l = 4294967295.0, t = 4294967295.0, r = 0, b = 0;
    if (SelectedCount() == 0)
        return;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        l = std::min(l, std::min(p->GetLeft(), p->GetRight()) + dx);
        r = std::max(r, std::max(p->GetLeft(), p->GetRight()) + dx);
        t = std::min(t, std::min(p->GetTop(), p->GetBottom()) + dy);
        b = std::max(b, std::max(p->GetTop(), p->GetBottom()) + dy);
    }
    if (l < al) {
        dx += al - l;
        r += al - l;
    }
    if (t < at) {
        dy += at - t;
        b += at - t;
    }
    if (r > ar)
        dx -= r - ar;
    if (b > ab)
        dy -= b - ab;
}
