#include "controls/ImageStatusBar.h"
#include "framework/DC.h"
#include "framework/ScopedHandle.h"

#include <utility>

namespace {

const COLORREF kTransparent = RGB(255, 0, 255);

}  // namespace

int CImageStatusBar::DrawPicture(HDC hDC, int x, int y, int nPane, UINT nBitmapId)
{
    PanePicture& picture = m_pictures[nPane];
    if (!picture.bLoaded) {
        picture.bLoaded = TRUE;
        CBitmap bmp;
        BITMAP bm;
        if (!bmp.LoadBitmap(nBitmapId) || bmp.GetBitmap(&bm) == 0)
            return 0;
        picture.size.cx = bm.bmWidth;
        picture.size.cy = bm.bmHeight;
        CScopedMemDC hImageDC(::CreateCompatibleDC(hDC)), hMaskDC(::CreateCompatibleDC(hDC));
        CScopedBitmap mask(::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, NULL));
        if (!hImageDC.IsValid() || !hMaskDC.IsValid() || !mask.IsValid())
            return picture.size.cx;  // drawn without its picture
        {
            CScopedSelect selImage(hImageDC, bmp.m_hObject);
            CScopedSelect selMask(hMaskDC, mask);
            // white where the picture is magenta
            ::SetBkColor(hImageDC, kTransparent);
            ::BitBlt(hMaskDC, 0, 0, bm.bmWidth, bm.bmHeight, hImageDC, 0, 0, SRCCOPY);
            // those pixels black in the picture
            ::SetBkColor(hImageDC, RGB(255, 255, 255));
            ::SetTextColor(hImageDC, RGB(0, 0, 0));
            ::BitBlt(hImageDC, 0, 0, bm.bmWidth, bm.bmHeight, hMaskDC, 0, 0, 0x00220326);  // DSna
        }
        picture.image.Reset((HBITMAP)bmp.Detach());
        picture.mask = std::move(mask);
    }
    if (!picture.image.IsValid() || !picture.mask.IsValid())
        return picture.size.cx;
    CScopedMemDC hMemDC(::CreateCompatibleDC(hDC));
    if (!hMemDC.IsValid())
        return picture.size.cx;
    const int cx = picture.size.cx, cy = picture.size.cy;
    const COLORREF oldBack = ::SetBkColor(hDC, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    {
        CScopedSelect sel(hMemDC, picture.mask);
        ::BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCAND);
    }
    {
        CScopedSelect sel(hMemDC, picture.image);
        ::BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCPAINT);
    }
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
    return cx;
}

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
    int cxPicture = DrawPicture(hDC, rc.left, rc.top, (int)lpDIS->itemID - 1, nBitmapId);
    rc.left += cxPicture + 2;
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::DrawText(hDC, strText, strText.GetLength(), &rc, DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(hDC, nOldMode);
}
