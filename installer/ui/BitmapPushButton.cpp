#include "installer/ui/BitmapPushButton.h"

#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "installer/ui/BitmapRoutines.h"
#include "installer/ui/SkinGeometry.h"

IMPLEMENT_DYNAMIC(CBitmapPushButton, CButton)

CBitmapPushButton::CBitmapPushButton()
    : m_imageSize{0, 0}, m_bBuilt(FALSE), m_nBitmapId(0), m_nCells(5), m_nTop(8), m_nBottom(8),
      m_nLeft(8), m_nRight(17), m_bSideBySide(TRUE), m_crKey(RGB(255, 0, 255)),
      m_bTracking(FALSE), m_bHover(FALSE), m_font("MS Sans Serif") {}

CBitmapPushButton::~CBitmapPushButton() {}

void CBitmapPushButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

BOOL CBitmapPushButton::SetBitmap(UINT nId, int nCells, int nTop, int nBottom, int nLeft,
                                  int nRight, BOOL bSideBySide)
{
    m_nBitmapId = nId;
    CBitmap source;
    if (!source.LoadBitmap(nId))
        return FALSE;
    return SetBitmap((HBITMAP)source, nCells, nTop, nBottom, nLeft, nRight, bSideBySide);
}

BOOL CBitmapPushButton::SetBitmap(HBITMAP hBitmap, int nCells, int nTop, int nBottom, int nLeft,
                                  int nRight, BOOL bSideBySide)
{
    m_nCells = nCells < 1 ? 1 : nCells;
    m_nTop = nTop;
    m_nBottom = nBottom;
    m_nLeft = nLeft;
    m_nRight = nRight;
    m_bSideBySide = bSideBySide;
    m_bBuilt = FALSE;
    BITMAP bm = {};
    RECT client = {};
    if (!hBitmap || !::GetObject(hBitmap, sizeof bm, &bm) || !m_hWnd)
        return FALSE;
    ::GetClientRect(m_hWnd, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return FALSE;
    CBitmap *pSource = CBitmap::FromHandle(hBitmap);
    HDC hScreen = ::GetDC(NULL);
    CScopedMemDC mem(::CreateCompatibleDC(hScreen));
    static const int kCellOf[4] = {0, 1, 2, 3};
    BOOL ok = mem.IsValid();
    for (int i = 0; i < 4 && ok; ++i) {
        const int cell = kCellOf[i];
        const SkinRect src = m_bSideBySide
                                 ? SkinRect{cell * bm.bmWidth / m_nCells, 0,
                                            (cell + 1) * bm.bmWidth / m_nCells, bm.bmHeight}
                                 : SkinRect{0, cell * bm.bmHeight / m_nCells, bm.bmWidth,
                                            (cell + 1) * bm.bmHeight / m_nCells};
        m_images[i].DeleteObject();
        ok = m_images[i].Attach(::CreateCompatibleBitmap(hScreen, client.right, client.bottom));
        if (!ok)
            break;
        CScopedSelect sel(mem, m_images[i]);
        CDC *pMem = CDC::FromHandle(mem);
        for (const SkinSlice &s : SkinNineSlices(src, client.right, client.bottom, m_nTop,
                                                 m_nLeft, m_nRight, m_nBottom)) {
            if (s.dest.IsEmpty() || s.src.IsEmpty())
                continue;
            RECT from = {s.src.left, s.src.top, s.src.right, s.src.bottom};
            RECT to = {s.dest.left, s.dest.top, s.dest.right, s.dest.bottom};
            StretchBitmapPart(pSource, pMem, &to, &from);
        }
    }
    ::ReleaseDC(NULL, hScreen);
    m_imageSize = {client.right, client.bottom};
    m_bBuilt = ok;
    if (m_hWnd)
        Invalidate();
    return ok;
}

void CBitmapPushButton::SetTextColour(COLORREF crText)
{
    m_font.SetColor(crText);
    if (m_hWnd)
        UpdateWindow();
}

void CBitmapPushButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const RECT item = lpDIS->rcItem;
    const int w = item.right - item.left, h = item.bottom - item.top;
    CScopedMemDC mem(::CreateCompatibleDC(lpDIS->hDC));
    CScopedBitmap canvas(::CreateCompatibleBitmap(lpDIS->hDC, w, h));
    if (!mem.IsValid() || !canvas.IsValid())
        return;
    CScopedSelect sel(mem, canvas);
    RECT all = {0, 0, w, h};
    ::FillRect(mem, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    const SkinPushLook look = SkinPushButtonLook(
        (lpDIS->itemState & ODS_FOCUS) != 0, m_bHover != FALSE,
        (lpDIS->itemState & ODS_SELECTED) != 0, (lpDIS->itemState & ODS_DISABLED) != 0);
    CDC *pMem = CDC::FromHandle(mem);
    if (m_bBuilt) {
        for (int image : {look.first, look.second}) {
            if (image >= 0)
                DrawTransparentBitmap(pMem, 0, 0, m_imageSize.cx, m_imageSize.cy,
                                      &m_images[image], 0, 0, m_crKey, NULL);
        }
    }
    char text[256] = "";
    ::GetWindowText(m_hWnd, text, sizeof text);
    RECT textRect = all;
    textRect.left += look.textShift;
    CScopedSelect font(mem, m_font);
    ::SetTextColor(mem, look.greyText ? ::GetSysColor(COLOR_GRAYTEXT) : m_font.GetColor());
    ::SetBkMode(mem, TRANSPARENT);
    ::DrawText(mem, text, -1, &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ::BitBlt(lpDIS->hDC, item.left, item.top, w, h, mem, 0, 0, SRCCOPY);
}

LRESULT CBitmapPushButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_bTracking) {
            ::InvalidateRect(m_hWnd, NULL, FALSE);
            TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, m_hWnd, 1};
            m_bTracking = ::TrackMouseEvent(&tme);
        }
        break;
    case WM_MOUSEHOVER:
        m_bHover = TRUE;
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        return 0;
    case WM_MOUSELEAVE:
        m_bTracking = m_bHover = FALSE;
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return FALSE;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
