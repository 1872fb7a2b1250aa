#include "controls/TaskbarNotifier.h"
#include "controls/BitmapPixels.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/ResourceList.h"
#include "framework/ScopedHandle.h"
#include <vector>

BEGIN_MESSAGE_MAP(CTaskbarNotifier, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, &CTaskbarNotifier::OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, &CTaskbarNotifier::OnMouseLeave)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CTaskbarNotifier::CTaskbarNotifier()
    : m_pWndOwner(NULL), m_crNormalText(RGB(133, 146, 181)), m_crSelectedText(RGB(10, 36, 106)),
      m_nSkinWidth(0), m_nSkinHeight(0), m_hHandCursor(NULL), m_nAnimStatus(0), m_nStep(2),
      m_bMouseIsOver(FALSE), m_bTracking(FALSE)
{
    ::SetRectEmpty(&m_rcText);
}

CTaskbarNotifier::~CTaskbarNotifier()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CTaskbarNotifier::Create(CWnd* pWndOwner)
{
    m_pWndOwner = pWndOwner;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), NULL);
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, lpszClass, NULL, WS_POPUP, 0, 0, 0, 0,
                    pWndOwner ? pWndOwner->m_hWnd : NULL, NULL);
}

int CTaskbarNotifier::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hHandCursor = ::LoadCursor(NULL, IDC_HAND);
    return 0;
}

HRGN CTaskbarNotifier::RegionFromBitmap(COLORREF crKey)
{
    int cx = 0, cy = 0;
    std::vector<uint32_t> px;
    if (!ReadBitmapPixels((HBITMAP)m_bmSkin.m_hObject, cx, cy, px))
        return NULL;
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < cy; ++y) {
        const uint32_t* row = px.data() + (size_t)y * cx;
        int x = 0;
        while (x < cx) {
            while (x < cx && PixelColor(row[x]) == crKey)
                ++x;
            int x0 = x;
            while (x < cx && PixelColor(row[x]) != crKey)
                ++x;
            if (x > x0) {
                CScopedRgn hRun(::CreateRectRgn(x0, y, x, y + 1));
                ::CombineRgn(hRgn, hRgn, hRun, RGN_OR);
            }
        }
    }
    return hRgn;
}

BOOL CTaskbarNotifier::SetSkin(UINT nBitmapID, int nRedKey, int nGreenKey, int nBlueKey)
{
    m_bmSkin.DeleteObject();
    if (!m_bmSkin.LoadBitmap(nBitmapID))
        return FALSE;
    BITMAP bm;
    if (!m_bmSkin.GetBitmap(&bm))
        return FALSE;
    m_nSkinWidth = bm.bmWidth;
    m_nSkinHeight = bm.bmHeight;
    ::SetRect(&m_rcText, 0, 0, m_nSkinWidth, m_nSkinHeight);
    m_rgnSkin.DeleteObject();
    if ((unsigned)nRedKey < 0xFFFF && (unsigned)nGreenKey < 0xFFFF && (unsigned)nBlueKey < 0xFFFF) {
        HRGN hRgn = RegionFromBitmap(RGB(nRedKey, nGreenKey, nBlueKey));
        if (hRgn != NULL) {
            m_rgnSkin.Attach(hRgn);
            if (m_hWnd != NULL) {
                // The window owns the region it is given: hand it a copy.
                HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
                ::CombineRgn(hCopy, hRgn, NULL, RGN_COPY);
                ::SetWindowRgn(m_hWnd, hCopy, TRUE);
            }
        }
    }
    return TRUE;
}

void CTaskbarNotifier::SetTextFont(LPCTSTR lpszFont, int nSize, int nNormalStyle, int nSelectedStyle)
{
    const int styles[2] = {nNormalStyle, nSelectedStyle};
    CFont* fonts[2] = {&m_fontNormal, &m_fontSelected};
    for (int i = 0; i < 2; ++i) {
        fonts[i]->DeleteObject();
        if (!fonts[i]->CreatePointFont(nSize, lpszFont))
            continue;
        LOGFONT lf;
        fonts[i]->GetLogFont(&lf);
        lf.lfWeight = (styles[i] & TN_TEXT_BOLD) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (styles[i] & TN_TEXT_ITALIC) ? TRUE : FALSE;
        lf.lfUnderline = (styles[i] & TN_TEXT_UNDERLINE) ? TRUE : FALSE;
        fonts[i]->DeleteObject();
        fonts[i]->CreateFontIndirect(&lf);
    }
}

void CTaskbarNotifier::SetTextColor(COLORREF crNormal, COLORREF crSelected)
{
    m_crNormalText = crNormal;
    m_crSelectedText = crSelected;
    if (m_hWnd != NULL)
        RedrawWindow();
}

void CTaskbarNotifier::SetTextRect(const RECT& rcText)
{
    m_rcText = rcText;
}

BOOL CTaskbarNotifier::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTaskbarNotifier::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (m_bmSkin.m_hObject != NULL) {
        CScopedMemDC hMem(::CreateCompatibleDC(hDC));
        CScopedSelect select(hMem, m_bmSkin.m_hObject);
        ::BitBlt(hDC, 0, 0, m_nSkinWidth, m_nSkinHeight, hMem, 0, 0, SRCCOPY);
    }
    if (!m_strCaption.IsEmpty()) {
        CFont& font = m_bMouseIsOver ? m_fontSelected : m_fontNormal;
        HGDIOBJ hOldFont = font.m_hObject ? ::SelectObject(hDC, font.m_hObject) : NULL;
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, m_bMouseIsOver ? m_crSelectedText : m_crNormalText);
        RECT rc = m_rcText;
        ::DrawText(hDC, m_strCaption, m_strCaption.GetLength(), &rc,
                   DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
        if (hOldFont)
            ::SelectObject(hDC, hOldFont);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CTaskbarNotifier::OnMouseMove(UINT, CPoint)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme;
        ZeroMemory(&tme, sizeof(tme));
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = HOVER_DEFAULT;
        m_bTracking = ::TrackMouseEvent(&tme);
    }
}

LRESULT CTaskbarNotifier::OnMouseHover(WPARAM, LPARAM)
{
    m_bMouseIsOver = TRUE;
    Invalidate();
    return 0;
}

LRESULT CTaskbarNotifier::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    m_bMouseIsOver = FALSE;
    Invalidate();
    return 0;
}

BOOL CTaskbarNotifier::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hHandCursor != NULL) {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CTaskbarNotifier::OnLButtonUp(UINT, CPoint)
{
    if (m_pWndOwner != NULL && ::IsWindow(m_pWndOwner->m_hWnd))
        ::PostMessage(m_pWndOwner->m_hWnd, WM_TASKBARNOTIFIERCLICKED, 0, 0);
}
