#include "designer/canvas/DesignCanvas.h"

#include <math.h>

#include <algorithm>

#include "designer/canvas/CanvasContextMenu.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "framework/ClientDC.h"
#include "framework/PaintDC.h"

namespace {

// The zoom never reaches 0: every client-to-page conversion divides by it.
const double kZoomFloor = 0.01;
const UINT kPanInterval = 10;
const int kPanDeadZone = 16;
const int kAutoScrollStep = 10;
const COLORREF kPanPenColor = 0x808080;
const COLORREF kPanDotColor = 0xC0C0C0;
// Room around an element for what it draws outside its rectangle (frame,
// number badge).
const int kCullMargin = 32;

// Nearest integer; halves go up, negative values too, so that a conversion
// from client to page and back gives the same point on both sides of 0.
int Nearest(double v) { return (int)floor(v + 0.5); }

CRect Normalize(const RECT& r)
{
    CRect n(r);
    n.NormalizeRect();
    return n;
}

BOOL KeyDown(int nKey) { return ::GetKeyState(nKey) < 0; }

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
      m_pPrototype(NULL), m_pOwnList(NULL), m_bInScrollUpdate(FALSE),
      m_hPaintDC(NULL), m_pPaintBits(NULL)
{
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

BOOL CDesignCanvas::SetWallpaper(LPCTSTR lpszPath, BOOL bKeepOnly)
{
    CString path(lpszPath ? lpszPath : "");
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
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, page.cx, page.cy);
    ::ReleaseDC(NULL, hScreen);
    BOOL ok = FALSE;
    if (hMem && hBitmap) {
        {
            CScopedSelect select(hMem, hBitmap);
            image.Draw(hMem, CRect(0, 0, page.cx, page.cy), NULL, true);
        }
        CxImage paged;
        ok = paged.CreateFromHBITMAP(hBitmap);
        if (ok) {
            m_wallpaperImage = paged;
            m_strWallpaper = path;
        }
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    if (hMem)
        ::DeleteDC(hMem);
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
    // Showing one bar narrows the client area and may call for the other.
    for (int pass = 0; pass < 3; ++pass) {
        CRect rc;
        GetClientRect(&rc);
        CSize page = GetPageSize();
        CSize zoomed = ZoomSize(page.cx, page.cy);
        BOOL wantH = zoomed.cx > rc.Width(), wantV = zoomed.cy > rc.Height();
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        si.nMax = wantH ? zoomed.cx : 0;
        si.nPage = wantH ? rc.Width() : 0;
        SetScrollInfo(SB_HORZ, &si, TRUE);
        si.nMax = wantV ? zoomed.cy : 0;
        si.nPage = wantV ? rc.Height() : 0;
        SetScrollInfo(SB_VERT, &si, TRUE);
        DWORD style = GetStyle();
        BOOL hasH = (style & WS_HSCROLL) != 0, hasV = (style & WS_VSCROLL) != 0;
        if (hasH == wantH && hasV == wantV)
            break;
        if (hasH != wantH)
            ShowScrollBar(SB_HORZ, wantH);
        if (hasV != wantV)
            ShowScrollBar(SB_VERT, wantV);
    }
    m_bInScrollUpdate = FALSE;
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
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDesignCanvas::OnPaint()
{
    CPaintDC dc(this);
    PaintClient(&dc);
}

BOOL CDesignCanvas::OnEraseBkgnd(CDC*) { return TRUE; }

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
    // A 32-bit DIB, so that the grid can set its dots in memory.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.Width();
    bi.bmiHeader.biHeight = -rc.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(pDC->GetSafeHdc(), &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        hBitmap = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), rc.Width(), rc.Height());
    if (hBitmap == NULL)
        return;
    {
        CScopedSelect select(mem.GetSafeHdc(), hBitmap);
        if (pBits != NULL) {
            m_hPaintDC = mem.GetSafeHdc();
            m_pPaintBits = (DWORD*)pBits;
            m_paintSize = rc.Size();
        }
        DrawFrameArea(&mem, rc);
        mem.SetWindowOrg(h, v);
        DrawPage(&mem, pageRect);
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &mem, h, v, SRCCOPY);
        m_hPaintDC = NULL;
        m_pPaintBits = NULL;
    }
    ::DeleteObject(hBitmap);
}

void CDesignCanvas::DrawFrameArea(CDC* pDC, const CRect& rect) { pDC->FillSolidRect(&rect, m_crFrame); }

void CDesignCanvas::DrawPage(CDC* pDC, const CRect& rect)
{
    DrawBackground(pDC, rect, m_zoom);
    if (m_bGridVisible)
        DrawGrid(pDC, rect, m_zoom);
    if (m_bMarginsVisible)
        DrawMargins(pDC, rect, m_zoom);
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
    HPEN hPen = ::CreatePen(PS_SOLID, 0, m_crMargin);
    if (hPen == NULL)
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
    ::DeleteObject(hPen);
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
}

void CDesignCanvas::DrawPanAnchor(CDC* pDC)
{
    CPoint c(m_panAnchor.x + GetHScrollPos(), m_panAnchor.y + GetVScrollPos());
    CRect outer(c.x - 16, c.y - 16, c.x + 16, c.y + 16);
    HPEN hPen = ::CreatePen(PS_SOLID, 0, kPanPenColor);
    HBRUSH hDot = ::CreateSolidBrush(kPanDotColor);
    if (hPen && hDot) {
        CScopedSelect pen(pDC->GetSafeHdc(), hPen);
        {
            CScopedSelect brush(pDC->GetSafeHdc(), ::GetStockObject(WHITE_BRUSH));
            pDC->Ellipse(&outer);
        }
        outer.DeflateRect(12, 12);
        CScopedSelect brush(pDC->GetSafeHdc(), hDot);
        pDC->Ellipse(&outer);
    }
    if (hPen)
        ::DeleteObject(hPen);
    if (hDot)
        ::DeleteObject(hDot);
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
    if (l < al) { l = al; r = al + w; }
    if (t < at) { t = at; b = at + h; }
    if (r < al) { r = al; l = al + w; }
    if (b < at) { b = at; t = at + h; }
    if (r > ar) { r = ar; l = r - w; }
    if (b > ab) { b = ab; t = b - h; }
    if (l > ar) { l = ar; r = l - w; }
    if (t > ab) { t = ab; b = t - h; }
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

// ---- mouse ---------------------------------------------------------------

void CDesignCanvas::OnSize(UINT nType, int cx, int cy) { DoSize(nType, cx, cy); }
void CDesignCanvas::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { DoHScroll(nSBCode, nPos); }
void CDesignCanvas::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { DoVScroll(nSBCode, nPos); }
BOOL CDesignCanvas::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { return DoSetCursor(pWnd, nHitTest, message); }
void CDesignCanvas::OnLButtonDown(UINT nFlags, CPoint point) { DoLButtonDown(nFlags, point); }
void CDesignCanvas::OnLButtonUp(UINT nFlags, CPoint point) { DoLButtonUp(nFlags, point); }
void CDesignCanvas::OnLButtonDblClk(UINT nFlags, CPoint point) { DoLButtonDblClk(nFlags, point); }
void CDesignCanvas::OnRButtonDown(UINT nFlags, CPoint point) { DoRButtonDown(nFlags, point); }
void CDesignCanvas::OnRButtonUp(UINT nFlags, CPoint point) { DoRButtonUp(nFlags, point); }
void CDesignCanvas::OnMButtonDown(UINT nFlags, CPoint point) { DoMButtonDown(nFlags, point); }
void CDesignCanvas::OnMouseMove(UINT nFlags, CPoint point) { DoMouseMove(nFlags, point); }
BOOL CDesignCanvas::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return DoMouseWheel(nFlags, zDelta, pt); }
void CDesignCanvas::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { DoKeyDown(nChar, nRepCnt, nFlags); }
void CDesignCanvas::OnElementCommand(UINT nID) { DoElementCommand(nID); }
UINT CDesignCanvas::OnGetDlgCode() { return DLGC_WANTALLKEYS; }
void CDesignCanvas::OnKillFocus(CWnd*) { StopPanning(); }

void CDesignCanvas::DoSize(UINT, int, int) { UpdateScrollBars(); }

void CDesignCanvas::DoLButtonDown(UINT nFlags, CPoint point)
{
    StopPanning();
    SetFocus();
    SetCapture();
    if (m_nDragMode != CANVAS_DRAG_ADD) {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_nDragHandle = 0;
    }
    m_pDragAnchor = NULL;
    BOOL ctrl = (nFlags & MK_CONTROL) != 0;
    CPoint q = ClientToPage(point);
    if (m_pList != NULL) {
        int count = m_pList->GetCount();
        if (SelectedCount() > 1 && !ctrl) {
            for (int i = 0; i < count; ++i) {
                CUIControl* p = m_pList->GetAt(i);
                if (p->IsSelected() && p->HitTest(q) == UIHANDLE_BODY) {
                    m_nDragMode = CANVAS_DRAG_MOVE;
                    RecordGrab(p, point);
                    m_pDragAnchor = p;
                }
            }
            if (m_nDragMode == CANVAS_DRAG_MOVE) {
                ::SetCursor(m_pDragAnchor->GetHandleCursor(UIHANDLE_BODY));
                m_pList->SaveUndo();
            }
        }
        if (m_nDragMode == CANVAS_DRAG_ADD) {
            if (!PointInKeepArea(q) || m_pPrototype == NULL) {
                m_nDragMode = CANVAS_DRAG_NONE;
                return;
            }
            m_pList->SaveUndo();
            m_pList->DeselectAll();
            CUIControl* pNew = m_pPrototype->Clone();
            if (m_bSnapToGrid)
                q = CPoint(SnapX(q.x), SnapY(q.y));
            pNew->SetRect((double)q.x, (double)q.y, (double)q.x, (double)q.y);
            pNew->SetSelected(TRUE);
            m_pList->Add(pNew);
            m_nDragMode = CANVAS_DRAG_RESIZE;
            m_nDragHandle = UIHANDLE_BOTTOMRIGHT;
        }
        if (m_nDragMode == CANVAS_DRAG_NONE) {
            if (!ctrl)
                m_pList->DeselectAll();
            CUIControl* pHit = NULL;
            int hit = UIHANDLE_NONE;
            for (int i = count - 1; i >= 0 && pHit == NULL; --i) {
                CUIControl* p = m_pList->GetAt(i);
                CRect cr = PageToClient(p->GetRect());
                hit = p->HitTest(cr, point);
                if (hit != UIHANDLE_NONE)
                    pHit = p;
            }
            if (pHit != NULL) {
                pHit->SetSelected(ctrl ? !pHit->IsSelected() : TRUE);
                if (!ctrl && hit == UIHANDLE_BODY) {
                    ::SetCursor(pHit->GetHandleCursor(UIHANDLE_BODY));
                    m_nDragMode = CANVAS_DRAG_MOVE;
                    RecordGrab(pHit, point);
                    if (SelectedCount() > 1)
                        m_pDragAnchor = pHit;
                } else if (!ctrl) {
                    m_nDragMode = CANVAS_DRAG_RESIZE;
                    m_nDragHandle = hit;
                }
            }
            if (m_nDragMode != CANVAS_DRAG_NONE)
                m_pList->SaveUndo();
        }
    }
    if (SelectedCount() == 0 && m_nDragMode == CANVAS_DRAG_NONE) {
        m_rubberBand = CRect(point, point);
        m_nDragMode = CANVAS_DRAG_RUBBER;
    }
    if (m_nDragMode != CANVAS_DRAG_NONE)
        Redraw();
}

void CDesignCanvas::RecordGrab(CUIControl* pControl, CPoint point)
{
    m_dragOffset = point - PageToClient(pControl->GetRect()).TopLeft();
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    m_grabX = (point.x + GetHScrollPos()) / zoom - pControl->GetLeft();
    m_grabY = (point.y + GetVScrollPos()) / zoom - pControl->GetTop();
}

void CDesignCanvas::MoveSelection(CPoint point)
{
    CUIControl* pMoved = m_pDragAnchor ? m_pDragAnchor : TopSelected();
    if (pMoved == NULL)
        return;
    // The element's corner keeps its distance from the pointer in page
    // units, so below zoom 1 it does not jump to the client pixel grid.
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    CPoint corner(Nearest((point.x + GetHScrollPos()) / zoom - m_grabX),
                  Nearest((point.y + GetVScrollPos()) / zoom - m_grabY));
    if (m_bSnapToGrid)
        corner = CPoint(SnapX(corner.x), SnapY(corner.y));
    double w = pMoved->GetRight() - pMoved->GetLeft(), h = pMoved->GetBottom() - pMoved->GetTop();
    if (m_pDragAnchor == NULL) {
        double l = corner.x, t = corner.y, r = l + w, b = t + h;
        ClampRect(l, t, r, b);
        pMoved->SetRect(l, t, r, b);
        return;
    }
    double dx = corner.x - pMoved->GetLeft(), dy = corner.y - pMoved->GetTop();
    ClampMoveDelta(dx, dy);
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->IsSelected())
            p->Offset(dx, dy);
    }
}

void CDesignCanvas::ResizeSelection(CPoint point)
{
    CUIControl* p = TopSelected();
    if (p == NULL)
        return;
    CPoint q = ClientToPage(point);
    if (m_bSnapToGrid)
        q = CPoint(SnapX(q.x), SnapY(q.y));
    double l = p->GetLeft(), t = p->GetTop(), r = p->GetRight(), b = p->GetBottom();
    BOOL moveL = FALSE, moveT = FALSE, moveR = FALSE, moveB = FALSE;
    switch (m_nDragHandle) {
    case UIHANDLE_TOPLEFT: moveL = moveT = TRUE; break;
    case UIHANDLE_TOP: moveT = TRUE; break;
    case UIHANDLE_TOPRIGHT: moveR = moveT = TRUE; break;
    case UIHANDLE_BOTTOMLEFT: moveL = moveB = TRUE; break;
    case UIHANDLE_BOTTOM: moveB = TRUE; break;
    case UIHANDLE_BOTTOMRIGHT: moveR = moveB = TRUE; break;
    case UIHANDLE_LEFT: moveL = TRUE; break;
    case UIHANDLE_RIGHT: moveR = TRUE; break;
    default: return;
    }
    CSize minSize = p->GetMinSize(), maxSize = p->GetMaxSize();
    double dummy = 0;
    if (moveL || moveR) {
        double x = q.x;
        double span = moveL ? r - x : x - l;
        if (minSize.cx != -1 && span < minSize.cx)
            span = minSize.cx;
        if (maxSize.cx != -1 && span > maxSize.cx)
            span = maxSize.cx;
        x = moveL ? r - span : l + span;
        dummy = moveT ? t : b;
        ClampPoint(x, dummy);
        (moveL ? l : r) = x;
    }
    if (moveT || moveB) {
        double y = q.y;
        double span = moveT ? b - y : y - t;
        if (minSize.cy != -1 && span < minSize.cy)
            span = minSize.cy;
        if (maxSize.cy != -1 && span > maxSize.cy)
            span = maxSize.cy;
        y = moveT ? b - span : t + span;
        dummy = moveL ? l : r;
        ClampPoint(dummy, y);
        (moveT ? t : b) = y;
    }
    p->SetRect(l, t, r, b);
}

void CDesignCanvas::DoMouseMove(UINT, CPoint point)
{
    if (m_nDragMode == CANVAS_DRAG_NONE || m_nDragMode == CANVAS_DRAG_ADD)
        return;
    int dx = 0, dy = 0;
    if (m_nDragMode == CANVAS_DRAG_RUBBER) {
        DrawRubberBand();
        AutoScroll(point, dx, dy);
        m_rubberBand.left -= dx;
        m_rubberBand.top -= dy;
        m_rubberBand.right = point.x;
        m_rubberBand.bottom = point.y;
        DrawRubberBand();
        return;
    }
    if (m_nDragMode == CANVAS_DRAG_MOVE)
        MoveSelection(point);
    else if (m_nDragMode == CANVAS_DRAG_RESIZE)
        ResizeSelection(point);
    AutoScroll(point, dx, dy);
    Redraw();
}

void CDesignCanvas::FinishDrag()
{
    if (m_pList == NULL)
        return;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        CRect r = p->GetRect();
        if (m_nDragMode == CANVAS_DRAG_MOVE) {
            if (m_bSnapToGrid)
                r.OffsetRect(SnapX(r.left) - r.left, SnapY(r.top) - r.top);
            p->SetRect(r);
        } else if (m_bSnapToGrid) {
            int h = m_nDragHandle;
            if (h == UIHANDLE_TOPLEFT || h == UIHANDLE_BOTTOMLEFT || h == UIHANDLE_LEFT)
                r.left = SnapX(r.left);
            if (h == UIHANDLE_TOPRIGHT || h == UIHANDLE_BOTTOMRIGHT || h == UIHANDLE_RIGHT)
                r.right = SnapX(r.right);
            if (h == UIHANDLE_TOPLEFT || h == UIHANDLE_TOP || h == UIHANDLE_TOPRIGHT)
                r.top = SnapY(r.top);
            if (h == UIHANDLE_BOTTOMLEFT || h == UIHANDLE_BOTTOM || h == UIHANDLE_BOTTOMRIGHT)
                r.bottom = SnapY(r.bottom);
            p->SetRect(r);
        }
    }
    m_pList->SetModified(TRUE);
}

void CDesignCanvas::DoLButtonUp(UINT, CPoint)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_nDragMode == CANVAS_DRAG_MOVE || m_nDragMode == CANVAS_DRAG_RESIZE) {
        FinishDrag();
    } else if (m_nDragMode == CANVAS_DRAG_RUBBER && m_pList != NULL) {
        m_pList->DeselectAll();
        CRect band = ClientToPage(m_rubberBand);
        if (band.Width() == 0 && band.Height() == 0)
            band.InflateRect(1, 1);
        for (int i = 0; i < ElementCount(); ++i) {
            if (m_pList->GetAt(i)->IntersectsRect(band))
                m_pList->GetAt(i)->SetSelected(TRUE);
        }
    }
    m_rubberBand.SetRectEmpty();
    m_pDragAnchor = NULL;
    Redraw();
    // Placing goes on only when this press was a placement: once Escape or a
    // right press has cancelled it, a click selects again.
    if (m_bMultiCreate && m_pPrototype != NULL && m_bAddPending) {
        m_nDragMode = CANVAS_DRAG_ADD;
    } else {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_bAddPending = FALSE;
    }
    m_nDragHandle = 0;
}

void CDesignCanvas::DoLButtonDblClk(UINT, CPoint)
{
    if (SelectedCount() == 1)
        GetSelectedElement()->ShowProperties(this, TRUE);
}

void CDesignCanvas::DoRButtonDown(UINT, CPoint point)
{
    StopPanning();
    CPoint q = ClientToPage(point);
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->HitTest(q) == UIHANDLE_BODY && !p->IsSelected()) {
            m_pList->DeselectAll();
            p->SetSelected(TRUE);
        }
    }
    Redraw();
    m_nDragMode = CANVAS_DRAG_NONE;
    m_bAddPending = FALSE;
}

void CDesignCanvas::DoRButtonUp(UINT, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    CUIControl* p = SelectedCount() == 1 ? GetSelectedElement() : NULL;
    if (p != NULL && p->HitTest(ClientToPage(point)) == UIHANDLE_BODY)
        p->TrackContextMenu(screen.x, screen.y, this);
    else
        ShowContextMenu(screen);
}

void CDesignCanvas::DoMButtonDown(UINT, CPoint point)
{
    if (m_bPanning) {
        StopPanning();
        return;
    }
    if (!(GetStyle() & (WS_HSCROLL | WS_VSCROLL)))
        return;
    m_panAnchor = point;
    m_bPanning = TRUE;
    SetTimer(m_nPanTimer, kPanInterval);
    Redraw();
}

void CDesignCanvas::StopPanning()
{
    if (!m_bPanning)
        return;
    m_bPanning = FALSE;
    if (m_hWnd != NULL)
        KillTimer(m_nPanTimer);
    Redraw();
}

void CDesignCanvas::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nPanTimer)
        OnPanTimer();
    else
        CWnd::OnTimer(nIDEvent);
}

void CDesignCanvas::OnPanTimer()
{
    KillTimer(m_nPanTimer);
    if (!m_bPanning)
        return;
    CPoint pointer;
    ::GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    SetHScrollPos(GetHScrollPos() + (pointer.x - m_panAnchor.x) / kPanDeadZone);
    SetVScrollPos(GetVScrollPos() + (pointer.y - m_panAnchor.y) / kPanDeadZone);
    Redraw();
    SetTimer(m_nPanTimer, kPanInterval);
}

BOOL CDesignCanvas::DoMouseWheel(UINT, short zDelta, CPoint)
{
    static int s_accumulated = 0;
    s_accumulated += zDelta;
    int lines = s_accumulated / WHEEL_DELTA;
    SCROLLINFO si;
    if ((GetStyle() & WS_VSCROLL) && GetScrollInfo(SB_VERT, &si) && si.nMax != 0) {
        SetVScrollPos(GetVScrollPos() - lines);
        s_accumulated -= lines * WHEEL_DELTA;
        Redraw();
    }
    return TRUE;
}

HCURSOR CDesignCanvas::GetCursorForPoint(CPoint point)
{
    if (m_bPanning) {
        int dx = point.x - m_panAnchor.x, dy = point.y - m_panAnchor.y;
        BOOL sideways = dx > kPanDeadZone || dx < -kPanDeadZone;
        if (sideways && dy > kPanDeadZone)
            return m_panCursors[dx > 0 ? 3 : 1];
        if (sideways && dy < -kPanDeadZone)
            return m_panCursors[dx > 0 ? 1 : 3];
        return m_panCursors[sideways ? 2 : 0];
    }
    if (m_nDragMode == CANVAS_DRAG_ADD)
        return ::LoadCursor(NULL, IDC_CROSS);
    HCURSOR hCursor = NULL;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        int hit = p->HitTest(PageToClient(p->GetRect()), point);
        if (hit > UIHANDLE_BODY)
            hCursor = p->GetHandleCursor(hit);
    }
    return hCursor;
}

BOOL CDesignCanvas::DoSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        HCURSOR hCursor = GetCursorForPoint(point);
        if (hCursor != NULL) {
            ::SetCursor(hCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- keyboard ------------------------------------------------------------

void CDesignCanvas::StepSelection(UINT nChar, BOOL bResize)
{
    double zoom = m_zoom > kZoomFloor ? m_zoom : kZoomFloor;
    double sx = (m_bSnapToGrid ? m_gridSize.cx : 1) / zoom;
    double sy = (m_bSnapToGrid ? m_gridSize.cy : 1) / zoom;
    sx = sx < 1.0 ? 1.0 : sx;
    sy = sy < 1.0 ? 1.0 : sy;
    double dx = 0, dy = 0;
    switch (nChar) {
    case VK_DOWN: dy = sy; break;
    case VK_UP: dy = -sy; break;
    case VK_RIGHT: dx = sx; break;
    case VK_LEFT: dx = -sx; break;
    default: return;
    }
    if (SelectedCount() == 0)
        return;
    ClampMoveDelta(dx, dy);
    m_pList->SaveUndo();
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (!p->IsSelected())
            continue;
        if (bResize) {
            int r = Nearest(p->GetRight() + dx), b = Nearest(p->GetBottom() + dy);
            if (m_bSnapToGrid) {
                r = dx != 0 ? SnapX(r) : r;
                b = dy != 0 ? SnapY(b) : b;
            }
            p->SetRect(p->GetLeft(), p->GetTop(), dx != 0 ? r : p->GetRight(), dy != 0 ? b : p->GetBottom());
            continue;
        }
        double w = p->GetRight() - p->GetLeft(), h = p->GetBottom() - p->GetTop();
        double l = p->GetLeft() + dx, t = p->GetTop() + dy;
        if (m_bSnapToGrid) {
            l = SnapX(Nearest(l));
            t = SnapY(Nearest(t));
        }
        double r = l + w, b = t + h;
        ClampRect(l, t, r, b);
        p->SetRect(Nearest(l), Nearest(t), Nearest(r), Nearest(b));
    }
    m_pList->SetModified(TRUE);
}

void CDesignCanvas::DoKeyDown(UINT nChar, UINT, UINT)
{
    StopPanning();
    BOOL shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    if (m_pList != NULL) {
        switch (nChar) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: StepSelection(nChar, shift); break;
        case VK_PRIOR: ctrl ? OrderTop() : OrderUp(); break;
        case VK_NEXT: ctrl ? OrderBottom() : OrderDown(); break;
        case VK_DELETE: shift ? Cut() : DeleteSelected(); break;
        case VK_INSERT: shift ? Paste() : DuplicateSelected(); break;
        case VK_RETURN:
            if (ctrl)
                ShowSelectedProperties();
            break;
        case 'A': if (ctrl) SelectAll(); break;
        case 'X': if (ctrl) Cut(); break;
        case 'V': if (ctrl) Paste(); break;
        case 'C': if (ctrl) Copy(); break;
        case 'Z': if (ctrl) Undo(); break;
        default: break;
        }
        Redraw();
    }
    if (nChar == VK_ESCAPE) {
        m_nDragMode = CANVAS_DRAG_NONE;
        m_bAddPending = FALSE;
    } else if (nChar == VK_ADD) {
        SetZoom(m_zoom + m_zoomStep);
    } else if (nChar == VK_SUBTRACT) {
        SetZoom(m_zoom - m_zoomStep);
    }
}

// ---- placing -------------------------------------------------------------

void CDesignCanvas::DeletePrototype()
{
    delete m_pPrototype;
    m_pPrototype = NULL;
}

void CDesignCanvas::SetPrototype(CUIControl* pPrototype)
{
    if (pPrototype != m_pPrototype)
        DeletePrototype();
    m_pPrototype = pPrototype;
    if (pPrototype != NULL) {
        m_bAddPending = TRUE;
        m_nDragMode = CANVAS_DRAG_ADD;
        ::SetCursor(::LoadCursor(NULL, IDC_CROSS));
    } else {
        m_bAddPending = FALSE;
        m_nDragMode = CANVAS_DRAG_NONE;
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    }
}

void CDesignCanvas::SetMultiCreate(BOOL bOn)
{
    m_bMultiCreate = bOn;
    m_nDragMode = CANVAS_DRAG_NONE;
    m_bAddPending = FALSE;
    DeletePrototype();
}

// ---- commands ------------------------------------------------------------

void CDesignCanvas::SelectAll()
{
    if (m_pList == NULL)
        return;
    m_pList->SelectAll();
    Redraw();
}

void CDesignCanvas::DeselectAll()
{
    if (m_pList)
        m_pList->DeselectAll();
}

void CDesignCanvas::DeleteSelected()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->DeleteSelected();
    m_pDragAnchor = NULL;
    Redraw();
}

void CDesignCanvas::Cut()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->CopySelected();
    DeleteSelected();
}

void CDesignCanvas::Copy()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->CopySelected();
}

void CDesignCanvas::Paste()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->DeselectAll();
    m_pList->Paste();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::Undo()
{
    if (m_pList == NULL)
        return;
    m_pList->Undo();
    m_pDragAnchor = NULL;
    Redraw();
}

void CDesignCanvas::Group()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->GroupSelected();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::Ungroup()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->UngroupSelected();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::DuplicateSelected()
{
    if (SelectedCount() != 1)
        return;
    CUIControl* p = GetSelectedElement();
    m_pList->SaveUndo();
    m_pList->Duplicate(p);
    p->SetSelected(FALSE);
    Redraw();
}

void CDesignCanvas::OrderUp()
{
    if (SelectedCount() != 1)
        return;
    m_pList->MoveUp(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderDown()
{
    if (SelectedCount() != 1)
        return;
    m_pList->MoveDown(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderTop()
{
    if (SelectedCount() != 1)
        return;
    m_pList->BringToTop(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderBottom()
{
    if (SelectedCount() != 1)
        return;
    m_pList->SendToBottom(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::ShowSelectedProperties()
{
    if (SelectedCount() == 1)
        GetSelectedElement()->ShowProperties(this, TRUE);
}

namespace {

enum AlignKind { ALIGN_LEFT, ALIGN_RIGHT, ALIGN_TOP, ALIGN_BOTTOM, ALIGN_SIZE };

void AlignTo(CUIControl* e, const CUIControl* r, AlignKind kind)
{
    double w = e->GetRight() - e->GetLeft(), h = e->GetBottom() - e->GetTop();
    switch (kind) {
    case ALIGN_LEFT: e->SetRect(r->GetLeft(), e->GetTop(), r->GetLeft() + w, e->GetBottom()); break;
    case ALIGN_RIGHT: e->SetRect(r->GetRight() - w, e->GetTop(), r->GetRight(), e->GetBottom()); break;
    case ALIGN_TOP: e->SetRect(e->GetLeft(), r->GetTop(), e->GetRight(), r->GetTop() + h); break;
    case ALIGN_BOTTOM: e->SetRect(e->GetLeft(), r->GetBottom() - h, e->GetRight(), r->GetBottom()); break;
    case ALIGN_SIZE:
        e->SetRect(e->GetLeft(), e->GetTop(), e->GetLeft() + (r->GetRight() - r->GetLeft()),
                   e->GetTop() + (r->GetBottom() - r->GetTop()));
        break;
    }
}

}  // namespace

static void AlignSelection(CDesignCanvas* pCanvas, CUIControlList* pList, int kind)
{
    if (pList == NULL || pCanvas->SelectedCount() < 2)
        return;
    pList->SaveUndo();
    CUIControl* pRef = pCanvas->GetSelectedElement();
    for (int i = 0; i < pList->GetCount(); ++i) {
        CUIControl* e = pList->GetAt(i);
        if (e->IsSelected() && e != pRef)
            AlignTo(e, pRef, (AlignKind)kind);
    }
    AlignTo(pRef, pRef, (AlignKind)kind);
    pList->SetModified(TRUE);
    pCanvas->Redraw();
}

void CDesignCanvas::AlignLeft() { AlignSelection(this, m_pList, ALIGN_LEFT); }
void CDesignCanvas::AlignRight() { AlignSelection(this, m_pList, ALIGN_RIGHT); }
void CDesignCanvas::AlignTop() { AlignSelection(this, m_pList, ALIGN_TOP); }
void CDesignCanvas::AlignBottom() { AlignSelection(this, m_pList, ALIGN_BOTTOM); }
void CDesignCanvas::SameSize() { AlignSelection(this, m_pList, ALIGN_SIZE); }

void CDesignCanvas::SetPictureScale(double scale)
{
    if (!(scale > 0.0) || m_pList == NULL)
        return;
    CUIControl* pPicture = NULL;
    for (int i = 0; i < ElementCount() && pPicture == NULL; ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->IsSelected() && p->GetTypeName() == "picture")
            pPicture = p;
    }
    if (pPicture != NULL) {
        int x = (int)pPicture->GetLeft(), y = (int)pPicture->GetTop();
        int w = (int)pPicture->GetDefaultWidth(), h = (int)pPicture->GetDefaultHeight();
        if (scale != 1.0) {
            w = (int)(pPicture->GetDefaultWidth() * scale);
            h = (int)(pPicture->GetDefaultHeight() * scale);
        }
        CRect rc;
        GetClientRect(&rc);
        if (x + w <= rc.Width() && y + h <= rc.Height()) {
            pPicture->SetRect(pPicture->GetLeft(), pPicture->GetTop(), (double)x + w, (double)y + h);
            m_pictureScale = scale;
        }
    }
    Redraw();
}

void CDesignCanvas::DoElementCommand(UINT nID)
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->Broadcast(nID, TRUE, NULL, this);
    m_pDragAnchor = NULL;
    Redraw();
}

CCanvasContextMenu* CDesignCanvas::GetContextMenu()
{
    if (m_pContextMenu == NULL)
        m_pContextMenu = new CCanvasContextMenu;
    return m_pContextMenu;
}

void CDesignCanvas::ShowContextMenu(CPoint screenPoint) { GetContextMenu()->Track(this, screenPoint); }

BOOL CDesignCanvas::CanPaste() const { return m_pList != NULL && m_pList->GetClipboardCount() != 0; }

BOOL CDesignCanvas::CanUndo() const { return m_pList != NULL && m_pList->GetUndoCount() > 0; }

void CDesignCanvas::OnUpdateCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(CanCopy()); }
void CDesignCanvas::OnUpdatePaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste()); }
void CDesignCanvas::OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(CanUndo()); }
void CDesignCanvas::OnUpdateGroup(CCmdUI* pCmdUI) { pCmdUI->Enable(SelectedCount() >= 2); }
void CDesignCanvas::OnUpdateElementCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(AnySelected()); }

void CDesignCanvas::OnEditCopy() { Copy(); }
void CDesignCanvas::OnEditCut() { Cut(); }
void CDesignCanvas::OnEditPaste() { Paste(); }
void CDesignCanvas::OnEditUndo() { Undo(); }
void CDesignCanvas::OnEditGroup() { Group(); }
void CDesignCanvas::OnEditUngroup() { Ungroup(); }
