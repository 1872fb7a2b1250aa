#include "designer/capture/CaptureInfoBox.h"

#include "framework/DC.h"
#include "framework/ResourceList.h"

BEGIN_MESSAGE_MAP(CCaptureInfoBox, CEdit)
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CCaptureInfoBox::CCaptureInfoBox() : m_sizeBitmap(0, 0), m_bCorner(TRUE) {}

CCaptureInfoBox::~CCaptureInfoBox() {}

BOOL CCaptureInfoBox::LoadBackground(UINT nIDBitmap)
{
    if (m_hBitmap.IsValid())
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
    m_hBitmap.Reset((HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(nIDBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!m_hBitmap.IsValid())
        return FALSE;
    BITMAP bm = {};
    ::GetObject(m_hBitmap, sizeof(bm), &bm);
    m_sizeBitmap = CSize(bm.bmWidth, bm.bmHeight);
    m_hBrush.Reset(::CreatePatternBrush(m_hBitmap));
    return TRUE;
}

void CCaptureInfoBox::ToggleCorner(int nScreenWidth)
{
    if (!GetSafeHwnd())
        return;
    CSize size = m_sizeBitmap;
    if (size.cx <= 0 || size.cy <= 0) {
        CRect rc;
        GetWindowRect(&rc);
        size = rc.Size();
    }
    if (!m_bCorner) {
        MoveWindow(nScreenWidth - 180, 10, size.cx, size.cy);
        m_bCorner = TRUE;
    } else {
        MoveWindow(10, 10, size.cx, size.cy);
        m_bCorner = FALSE;
    }
}

HBRUSH CCaptureInfoBox::CtlColor(CDC* pDC)
{
    if (pDC && pDC->GetSafeHdc()) {
        ::SetTextColor(pDC->GetSafeHdc(), RGB(255, 255, 255));
        ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    }
    return m_hBrush.IsValid() ? m_hBrush.Get() : (HBRUSH)::GetStockObject(BLACK_BRUSH);
}

void CCaptureInfoBox::OnMouseMove(UINT nFlags, CPoint point)
{
    CEdit::OnMouseMove(nFlags, point);
    ToggleCorner(::GetSystemMetrics(SM_CXSCREEN));
}

// The dialog selects an edit's whole text when it gives it the focus; the
// hint is drawn plain, never highlighted.
UINT CCaptureInfoBox::OnGetDlgCode() { return CEdit::OnGetDlgCode() & ~DLGC_HASSETSEL; }

void CCaptureInfoBox::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    ::SendMessage(GetSafeHwnd(), EM_SETSEL, (WPARAM)-1, 0);
    ::HideCaret(GetSafeHwnd());
}
