#include "controls/PicturePreview.h"
#include "controls/ColorFont.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"
#include "framework/ResourceList.h"

BEGIN_MESSAGE_MAP(CPicturePreview, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, &CPicturePreview::OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, &CPicturePreview::OnMouseLeave)
END_MESSAGE_MAP()

CPicturePreview::CPicturePreview()
    : m_bSmooth(TRUE), m_bHover(FALSE), m_bTracking(FALSE), m_pFont(new CColorFont("Tahoma"))
{
}

CPicturePreview::~CPicturePreview()
{
    delete m_pFont;
}

BOOL CPicturePreview::LoadResourceImages(UINT nID)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), "CTRL_IMGS");
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(nID), "CTRL_IMGS");
    if (hRes == NULL)
        return FALSE;
    BOOL bNormal = m_normal.LoadResource(hRes, CXIMAGE_FORMAT_UNKNOWN, hInst);
    BOOL bHover = m_hover.LoadResource(hRes, CXIMAGE_FORMAT_UNKNOWN, hInst);
    if (m_hWnd != NULL)
        Invalidate();
    return bNormal && bHover;
}

BOOL CPicturePreview::LoadImageFile(LPCTSTR lpszPath, BOOL bBoth)
{
    CxImage picture;
    if (!picture.Load(lpszPath, CXIMAGE_FORMAT_UNKNOWN))
        return FALSE;
    if (bBoth)
        m_normal = picture;
    m_hover = picture;
    if (m_hWnd != NULL)
        Invalidate();
    return TRUE;
}

void CPicturePreview::SetFont(const CColorFont& font)
{
    m_pFont->SetLogFont(font.GetLogFontData());
    if (m_hWnd != NULL)
        Invalidate();
}

void CPicturePreview::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
}

BOOL CPicturePreview::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPicturePreview::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::TrackMouseEvent(&tme);
        Invalidate();
    }
    CStatic::OnMouseMove(nFlags, point);
}

LRESULT CPicturePreview::OnMouseHover(WPARAM, LPARAM)
{
    m_bHover = TRUE;
    Invalidate();
    return 0;
}

LRESULT CPicturePreview::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate();
    return 0;
}

void CPicturePreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        Draw(&dc);
        return;
    }
    CScopedSelect select(&memDC, &bitmap);
    Draw(&memDC);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
}

void CPicturePreview::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_MENU));
    const CxImage& image = m_bHover ? m_hover : m_normal;
    if (image.IsValid())
        image.Draw(pDC->GetSafeHdc(), client, NULL, m_bSmooth != FALSE);
    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    m_pFont->DrawText(pDC, strText, &client);
}
