#include "controls/ImageStatusBar.h"
#include "framework/DC.h"
#include "framework/ScopedHandle.h"

namespace {

const COLORREF kTransparent = RGB(255, 0, 255);

// Draws the bitmap at its own size, magenta transparent; returns its width
// (0 when it is missing).
int DrawPanePicture(HDC hDC, int x, int y, UINT nBitmapId)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(nBitmapId))
        return 0;
    BITMAP bm;
    if (bmp.GetBitmap(&bm) == 0)
        return 0;
    CScopedMemDC hMemDC(::CreateCompatibleDC(hDC));
    if (!hMemDC.IsValid())
        return bm.bmWidth;
    CScopedSelect sel(hMemDC, bmp.m_hObject);
    ::TransparentBlt(hDC, x, y, bm.bmWidth, bm.bmHeight, hMemDC, 0, 0, bm.bmWidth, bm.bmHeight, kTransparent);
    return bm.bmWidth;
}

}  // namespace

void CImageStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    UINT nBitmapId;
    switch (lpDIS->itemID) {
    case 1: nBitmapId = IDB_STATUS_POSITION; break;
    case 2: nBitmapId = IDB_STATUS_SIZE; break;
    default: return;
    }
    HDC hDC = lpDIS->hDC;
    CRect rc(lpDIS->rcItem);
    CString strText = GetPaneText((int)lpDIS->itemID);
    int cxPicture = DrawPanePicture(hDC, rc.left, rc.top, nBitmapId);
    rc.left += cxPicture + 2;
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::DrawText(hDC, strText, strText.GetLength(), &rc, DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(hDC, nOldMode);
}
