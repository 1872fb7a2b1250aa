#include "designer/model/UIControl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Menu.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "controls/ColorFont.h"
#include "controls/BarPainter.h"
#include "designer/model/DrawnPixels.h"
#include "designer/app/LangManager.h"
#include "designer/model/ThemePicture.h"
#include "designer/core/Md5Crypt.h"
#include "designer/core/PathValue.h"
#include "designer/core/StringSplitter.h"
#include "designer/model/UIControlList.h"
#include "designer/model/WallpaperCanvas.h"
#include "designer/core/XmlDocument.h"
#include "imaging/xImage.h"
#include "framework/ScopedHandle.h"

CLangManager* CUIControl::s_pLang = NULL;
CPositionDisplay* CUIControl::s_pPositionDisplay = NULL;
CUIControl::PropertyDialogFactory CUIControl::s_pfnDialogFactory = NULL;

namespace {

// Last position and size shown by the handle drawing, shared by all elements,
// and the last ones drawn, shown once a drawing is complete.
CPoint g_lastShownPos(-1, -1);
CSize g_lastShownSize(-1, -1);
CPoint g_drawnPos(-1, -1);
CSize g_drawnSize(-1, -1);

// The font of the last caption drawn: the entries of a menu share one, and a
// page of them draws hundreds of captions in one paint.
HFONT CaptionFont(const LOGFONT& lf)
{
    static CScopedFont s_hFont;
    static LOGFONT s_lf;
    if (!s_hFont.IsValid() || memcmp(&s_lf, &lf, sizeof(lf)) != 0) {
        s_hFont.Reset(::CreateFontIndirect(&lf));
        s_lf = lf;
    }
    return s_hFont;
}

// Coordinates may come from a file: a value out of the int range is held at a
// bound from which widths and offsets still fit an int, NaN reads as 0.
int Truncate(double v)
{
    const double kLimit = 1073741823.0;
    if (v != v)
        return 0;
    if (v > kLimit)
        return (int)kLimit;
    if (v < -kLimit)
        return -(int)kLimit;
    return (int)v;
}
int Round(double v) { return Truncate(v + 0.5); }
double NotNan(double v) { return v == v ? v : 0.0; }

CRect Normalized(const RECT& r)
{
    CRect n(r);
    n.NormalizeRect();
    return n;
}

}  // namespace

CUIControl::CUIControl()
    : m_pFont(NULL), m_nThemeEntries(0), m_bThemeReload(FALSE), m_left(0.0), m_right(0.0), m_top(0.0),
      m_bottom(0.0), m_handleSize(6, 6), m_minSize(1, 1), m_maxSize(-1, -1), m_zoom(1.0), m_bSelected(FALSE),
      m_strTypeName("basic"), m_bQuickGo(FALSE), m_bAsMenu(FALSE), m_nEnablePass(0), m_crChunk(0),
      m_bImageLoaded(FALSE), m_nGroup(0), m_pPropertyDlg(NULL), m_nPropertyDlgId(0), m_pOwner(NULL),
      m_bOwnsPropertyDlg(FALSE)
{
    m_szImagePath[0] = '\0';
    for (int i = 0; i < 4; ++i)
        m_imageMargins[i] = 0;
    Reset();
}

CUIControl::~CUIControl()
{
    delete m_pFont;
    if (m_bOwnsPropertyDlg)
        delete m_pPropertyDlg;
}

void CUIControl::Reset()
{
    SetSizeLimits(1, 1, -1, -1);
    SetRect(0.0, 0.0, 0.0, 0.0);
    m_handleSize = CSize(6, 6);
    SetSelected(FALSE);
    m_pOwner = NULL;
    m_strName.Empty();
}

BOOL CUIControl::LoadTheme(LPCTSTR) { return FALSE; }

CUIControl* CUIControl::Clone()
{
    CUIControl* pCopy = new CUIControl;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIControl::CopyFrom(CUIControl* pSource)
{
    Reset();
    m_handleSize = pSource->m_handleSize;
    m_maxSize = pSource->m_maxSize;
    m_minSize = pSource->m_minSize;
    SetSelected(pSource->m_bSelected);
    m_pOwner = pSource->m_pOwner;
    m_strTypeName = pSource->m_strTypeName;
    m_strTitle = pSource->m_strTitle;
    m_strCaption = pSource->m_strCaption;
    m_strCmdLine = pSource->m_strCmdLine;
    m_strThemeFile = pSource->m_strThemeFile;
    m_strName = pSource->m_strName;
    SetRect(pSource->m_left, pSource->m_top, pSource->m_right, pSource->m_bottom);
    m_strImageFile = pSource->m_strImageFile;
    SetFont(pSource->m_pFont);
    m_strShortKey = pSource->m_strShortKey;
    m_bQuickGo = pSource->m_bQuickGo;
    m_nEnablePass = pSource->m_nEnablePass;
    m_strPassword = pSource->m_strPassword;
    m_strAddPath = pSource->m_strAddPath;
    m_bAsMenu = pSource->m_bAsMenu;
    m_crChunk = pSource->m_crChunk;
    m_bThemeReload = TRUE;
}

BOOL CUIControl::ExportHtml(CString&, CString&, LPCTSTR, int) { return TRUE; }

BOOL CUIControl::WriteMenuItem(CStringArray&, LPCTSTR, MenuProgressRecord&, int&) { return TRUE; }

CWallpaperCanvas* CUIControl::OpenMenuCanvas(MenuProgressRecord& progress, LPCTSTR lpszFolder,
                                             CWallpaperCanvas& own)
{
    CWallpaperCanvas* pCanvas = progress.canvas ? progress.canvas : &own;
    if (!pCanvas->IsOpen() && !pCanvas->Open(lpszFolder))
        return NULL;
    return pCanvas;
}

CString CUIControl::GetDefaultString() { return GetDefaultBody() + ";"; }

CString CUIControl::GetDefaultBody() { return CString(); }

CRect CUIControl::GetRect() const
{
    return CRect(Truncate(m_left), Truncate(m_top), Truncate(m_right), Truncate(m_bottom));
}

void CUIControl::SetRect(double left, double top, double right, double bottom)
{
    SetLeft(NotNan(left));
    SetTop(NotNan(top));
    SetRight(NotNan(right));
    SetBottom(NotNan(bottom));
    CRect r = GetRect();
    if (m_minSize.cx != -1 && r.Width() < m_minSize.cx)
        SetRight(m_left + m_minSize.cx);
    if (m_minSize.cy != -1 && r.Height() < m_minSize.cy)
        SetBottom(m_top + m_minSize.cy);
    r = GetRect();
    if (m_maxSize.cx != -1 && r.Width() > m_maxSize.cx)
        SetRight(m_left + m_maxSize.cx);
    if (m_maxSize.cy != -1 && r.Height() > m_maxSize.cy)
        SetBottom(m_top + m_maxSize.cy);
    if (m_pPropertyDlg)
        m_pPropertyDlg->InitControls();
}

void CUIControl::SetRect(const RECT& rect)
{
    CRect r = Normalized(rect);
    SetRect((double)r.left, (double)r.top, (double)r.right, (double)r.bottom);
}

void CUIControl::Offset(double dx, double dy)
{
    SetRect(m_left + dx, m_top + dy, m_right + dx, m_bottom + dy);
}

double CUIControl::GetDefaultWidth() { return 32.0; }
double CUIControl::GetDefaultHeight() { return 32.0; }

void CUIControl::SetSizeLimits(int minCx, int minCy, int maxCx, int maxCy)
{
    SetMinSize(minCx, minCy);
    SetMaxSize(maxCx, maxCy);
}

void CUIControl::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    if (bSelected && m_nGroup != 0 && m_pOwner)
        m_pOwner->Broadcast(UICMD_GROUPSELECT, FALSE, this, NULL);
}

BOOL CUIControl::IntersectsRect(const RECT& rect) const
{
    CRect a = Normalized(GetRect());
    CRect b = Normalized(rect);
    CRect both;
    return both.IntersectRect(&a, &b);
}

int CUIControl::HitTest(const RECT& rect, POINT point) const
{
    int result = ::PtInRect(&rect, point) ? UIHANDLE_BODY : UIHANDLE_NONE;
    for (int id = UIHANDLE_TOPLEFT; id <= UIHANDLE_RIGHT; ++id) {
        CRect h = GetHandleRect(id, rect);
        if (::PtInRect(&h, point))
            result = id;
    }
    return result;
}

int CUIControl::HitTest(POINT point) const
{
    CRect r = GetRect();
    return HitTest(r, point);
}

CRect CUIControl::GetHandleRect(int nHandle, const RECT& rect) const
{
    CRect r(rect);
    r.InflateRect(2, 2);
    int hx = m_handleSize.cx / 2;
    int hy = m_handleSize.cy / 2;
    int cx = r.left, cy = r.top;
    switch (nHandle) {
    case UIHANDLE_TOPLEFT:
        cx = r.left;
        cy = r.top;
        break;
    case UIHANDLE_TOP:
        cx = r.left + (r.right - r.left) / 2;
        cy = r.top;
        break;
    case UIHANDLE_TOPRIGHT:
        cx = r.right;
        cy = r.top;
        break;
    case UIHANDLE_BOTTOMLEFT:
        cx = r.left;
        cy = r.bottom;
        break;
    case UIHANDLE_BOTTOM:
        cx = r.left + (r.right - r.left) / 2;
        cy = r.bottom;
        break;
    case UIHANDLE_BOTTOMRIGHT:
        cx = r.right;
        cy = r.bottom;
        break;
    case UIHANDLE_LEFT:
        cx = r.left;
        cy = r.top + (r.bottom - r.top) / 2;
        break;
    case UIHANDLE_RIGHT:
        cx = r.right;
        cy = r.top + (r.bottom - r.top) / 2;
        break;
    default: break;
    }
    return CRect(cx - hx, cy - hy, cx + hx, cy + hy);
}

HCURSOR CUIControl::GetHandleCursor(int nHandle) const
{
    LPCSTR id = NULL;
    switch (nHandle) {
    case UIHANDLE_BODY: id = IDC_SIZEALL; break;
    case UIHANDLE_TOPLEFT:
    case UIHANDLE_BOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case UIHANDLE_TOP:
    case UIHANDLE_BOTTOM: id = IDC_SIZENS; break;
    case UIHANDLE_TOPRIGHT:
    case UIHANDLE_BOTTOMLEFT: id = IDC_SIZENESW; break;
    case UIHANDLE_LEFT:
    case UIHANDLE_RIGHT: id = IDC_SIZEWE; break;
    default: return NULL;
    }
    return ::LoadCursor(NULL, id);
}

BOOL CUIControl::OnCommand(UINT nCommand, CUIControl* pSender, CWnd* pParent)
{
    if (nCommand == UICMD_GROUPSELECT) {
        if (pSender && pSender != this && pSender->m_nGroup == m_nGroup)
            m_bSelected = TRUE;
        return FALSE;
    }
    if (nCommand == UICMD_PROPERTIES) {
        if (!m_bSelected)
            return FALSE;
        ShowProperties(pParent, TRUE);
        return TRUE;
    }
    if (nCommand < UICMD_CUT || nCommand > UICMD_BOTTOM || !m_pOwner || !m_bSelected)
        return FALSE;
    CUIControlList* pOwner = m_pOwner;
    switch (nCommand) {
    case UICMD_CUT: pOwner->Cut(this); break;  // deletes this element
    case UICMD_COPY: pOwner->Copy(this); break;
    case UICMD_DUPLICATE:
        pOwner->Duplicate(this);
        SetSelected(FALSE);
        break;
    case UICMD_MOVEUP: pOwner->MoveUp(this); break;
    case UICMD_MOVEDOWN: pOwner->MoveDown(this); break;
    case UICMD_TOP: pOwner->BringToTop(this); break;
    case UICMD_BOTTOM: pOwner->SendToBottom(this); break;
    }
    return TRUE;
}

void CUIControl::ShowProperties(CWnd* pParent, BOOL bShow)
{
    if (!m_pPropertyDlg || !bShow)
        return;
    m_pPropertyDlg->SetOwnerWnd(pParent);
    m_pPropertyDlg->DoModal();
}

CString CUIControl::LoadInterfaceString(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (s_pLang)
        s_pLang->LoadString(text, nID, FALSE);
    else if (!text.LoadString(nID))
        text.Empty();
    if (text.IsEmpty())
        text = lpszFallback;
    return text;
}

void CUIControl::TrackContextMenu(int x, int y, CWnd* pWnd)
{
    static const UINT kItems[] = {UICMD_CUT, UICMD_COPY, UICMD_DUPLICATE, 0, UICMD_MOVEUP,
                                  UICMD_MOVEDOWN, UICMD_TOP, UICMD_BOTTOM, 0, UICMD_PROPERTIES};
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (UINT id : kItems) {
        if (id == 0)
            menu.AppendMenu(MF_SEPARATOR);
        else
            menu.AppendMenu(MF_STRING, id, LoadInterfaceString(id, ""));
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, pWnd);
}

void CUIControl::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    CScopedSelect pen(pDC->GetSafeHdc(), ::GetStockObject(BLACK_PEN));
    CScopedSelect brush(pDC->GetSafeHdc(), ::GetStockObject(WHITE_BRUSH));
    pDC->Rectangle(left, top, right, bottom);
}

void CUIControl::DrawBadge(CDC* pDC, int left, int top, int nNumber)
{
    CRect badge(left - 3, top - 3, left + 21, top + 17);
    if (CDrawnPixels::BitsPerPixel(pDC->GetSafeHdc()) > 8) {
        int saved = pDC->SaveDC();
        pDC->ExcludeClipRect(badge.left, badge.top, badge.left + 1, badge.top + 1);
        pDC->ExcludeClipRect(badge.right - 1, badge.top, badge.right, badge.top + 1);
        pDC->ExcludeClipRect(badge.left, badge.bottom - 1, badge.left + 1, badge.bottom);
        pDC->ExcludeClipRect(badge.right - 1, badge.bottom - 1, badge.right, badge.bottom);
        CBarPainter painter(pDC);
        painter.FillGradient(badge, RGB(255, 255, 255), RGB(255, 255, 255), 90);
        pDC->RestoreDC(saved);
        CRect inner(badge);
        inner.DeflateRect(1, 1);
        painter.FillGradient(inner, RGB(77, 180, 251), RGB(62, 65, 142), 90);
    } else {
        pDC->FillSolidRect(&badge, RGB(49, 105, 182));
    }
    CString text;
    text.Format("%d", nNumber);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(RGB(255, 255, 255));
    pDC->DrawText(text, &badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}

void CUIControl::DrawOnCanvas(CDC* pDC, double zoom, int nNumber)
{
    m_zoom = zoom;
    CRect r(Truncate(m_left * zoom + 0.5), Truncate(m_top * zoom + 0.5), Truncate(m_right * zoom + 0.5),
            Truncate(m_bottom * zoom + 0.5));
    Draw(pDC, r.left, r.top, r.right, r.bottom);
    if (nNumber >= 0)
        DrawBadge(pDC, r.left, r.top, nNumber);
    if (m_bSelected)
        DrawHandles(pDC, r);
}

void CUIControl::DrawActualSize(CDC* pDC)
{
    m_zoom = 1.0;
    Draw(pDC, Round(m_left), Round(m_top), Round(m_right), Round(m_bottom));
}

void CUIControl::DrawDottedFrame(CDC* pDC, const RECT& rect)
{
    HDC hdc = pDC->GetSafeHdc();
    // one pen for every frame: hundreds are drawn in one paint
    static const CScopedPen s_hPen(::CreatePen(PS_DOT, 0, kFrameColor));
    CScopedSelect pen(hdc, s_hPen);
    CScopedSelect brush(hdc, ::GetStockObject(NULL_BRUSH));
    int oldRop = pDC->SetROP2(R2_COPYPEN);
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    pDC->SetROP2(oldRop);
}

void CUIControl::ForgetShownPlace()
{
    g_lastShownPos = g_drawnPos = CPoint(-1, -1);
    g_lastShownSize = g_drawnSize = CSize(-1, -1);
}

void CUIControl::DrawHandles(CDC* pDC, const RECT& rect)
{
    HDC hdc = pDC->GetSafeHdc();
    {
        CScopedSelect black(hdc, ::GetStockObject(BLACK_BRUSH));
        // on 32-bit pixels a solid brush fills as the background colour does,
        // without the text machinery behind a background fill; one brush for
        // the handles of every element
        static const CScopedBrush s_hBrush(::CreateSolidBrush(kFrameColor));
        const BOOL brush = CDrawnPixels::BitsPerPixel(hdc) == 32 && s_hBrush.IsValid();
        for (int id = UIHANDLE_TOPLEFT; id <= UIHANDLE_RIGHT; ++id) {
            CRect h = GetHandleRect(id, rect);
            if (brush)
                ::FillRect(hdc, &h, s_hBrush);
            else
                pDC->FillSolidRect(&h, kFrameColor);
        }
    }
    DrawDottedFrame(pDC, rect);

    g_drawnPos = CPoint(rect.left, rect.top);
    g_drawnSize = CSize(rect.right - rect.left, rect.bottom - rect.top);
}

// Once per drawing, not per selected element: with hundreds selected the
// frame's position fields were set hundreds of times per frame.
void CUIControl::ShowDrawnPosition()
{
    if (g_drawnPos != g_lastShownPos) {
        g_lastShownPos = g_drawnPos;
        if (s_pPositionDisplay)
            s_pPositionDisplay->ShowPosition(g_drawnPos, FALSE);
    }
    if (g_drawnSize != g_lastShownSize) {
        g_lastShownSize = g_drawnSize;
        if (s_pPositionDisplay)
            s_pPositionDisplay->ShowSize(g_drawnSize, FALSE);
    }
}

BOOL CUIControl::AddTextToKey(std::string& key, LPCTSTR lpszText) const
{
    CDrawnPixels::AddToKey(key, m_zoom);
    CDrawnPixels::AddToKey(key, lpszText);
    CDrawnPixels::AddToKey(key, m_pFont != NULL);
    if (m_pFont) {
        if (m_pFont->GetTextFormat() & DT_NOCLIP)
            return FALSE;
        CDrawnPixels::AddToKey(key, m_pFont->GetLogFontData());
        CDrawnPixels::AddToKey(key, m_pFont->GetColor());
        CDrawnPixels::AddToKey(key, m_pFont->GetTextFormat());
    }
    return TRUE;
}

void CUIControl::DrawFontText(CDC* pDC, const CRect& rect, const CString& text, BOOL bCanvas)
{
    if (!m_pFont)
        return;
    LOGFONT lf = m_pFont->GetLogFontData();
    if (bCanvas) {
        lf.lfHeight = (LONG)(lf.lfHeight * m_zoom + 0.5);
        if (m_zoom < 1.0)
            CopyBounded(lf.lfFaceName, "Tahoma");
    }
    CScopedSelect font(pDC->GetSafeHdc(), CaptionFont(lf));
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(m_pFont->GetColor());
    CRect r(rect);
    pDC->DrawText(text, &r, m_pFont->GetTextFormat());
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}
