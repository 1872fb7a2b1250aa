#include "controls/CursorPreview.h"
#include "designer/ArchiveFile.h"
#include "imaging/xImage.h"

#include <vector>

namespace {

// The bitmap's pixels as 32-bit top-down rows.
bool ReadPixels(HDC hDC, HBITMAP hBitmap, int w, int h, std::vector<DWORD>& pixels)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    pixels.assign((size_t)w * h, 0);
    return ::GetDIBits(hDC, hBitmap, 0, h, &pixels[0], &bi, DIB_RGB_COLORS) == h;
}

HBITMAP MakeBitmap(HDC hDC, int w, int h, std::vector<DWORD>& pixels)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, w, h);
    if (hBitmap != NULL)
        ::SetDIBits(hDC, hBitmap, 0, h, &pixels[0], &bi, DIB_RGB_COLORS);
    return hBitmap;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCursorPreview, CStatic)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CCursorPreview::CCursorPreview() : m_hHand(NULL), m_hArrow(NULL) {}

CCursorPreview::~CCursorPreview()
{
    Replace(m_hHand, NULL);
    Replace(m_hArrow, NULL);
}

void CCursorPreview::Replace(HCURSOR& hTarget, HCURSOR hNew)
{
    if (hTarget != NULL)
        ::DestroyCursor(hTarget);
    hTarget = hNew;
}

HCURSOR CCursorPreview::MakePointer(HBITMAP hBitmap, COLORREF crKey, int nHotX, int nHotY)
{
    BITMAP bm;
    if (hBitmap == NULL || !::GetObject(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    int w = bm.bmWidth, h = bm.bmHeight;
    HDC hScreen = ::GetDC(NULL);
    std::vector<DWORD> colour, mask;
    HCURSOR hCursor = NULL;
    if (ReadPixels(hScreen, hBitmap, w, h, colour)) {
        // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
        DWORD key = (GetRValue(crKey) << 16) | (GetGValue(crKey) << 8) | GetBValue(crKey);
        mask.assign(colour.size(), 0);
        for (size_t i = 0; i < colour.size(); ++i) {
            if ((colour[i] & 0xFFFFFF) == key) {
                mask[i] = 0xFFFFFF;
                colour[i] = 0;
            }
        }
        HBITMAP hMask = MakeBitmap(hScreen, w, h, mask);
        HBITMAP hColour = MakeBitmap(hScreen, w, h, colour);
        if (hMask != NULL && hColour != NULL) {
            ICONINFO ii = {FALSE, (DWORD)nHotX, (DWORD)nHotY, hMask, hColour};
            hCursor = (HCURSOR)::CreateIconIndirect(&ii);
        }
        if (hMask != NULL)
            ::DeleteObject(hMask);
        if (hColour != NULL)
            ::DeleteObject(hColour);
    }
    ::ReleaseDC(NULL, hScreen);
    return hCursor;
}

BOOL CCursorPreview::LoadCursors(LPCTSTR lpszArchivePath)
{
    CArchiveFile archive;
    if (!archive.OpenArchive(lpszArchivePath))
        return FALSE;
    int nCount = archive.GetEntryCount();
    for (int i = 0; i < nCount; ++i) {
        unsigned char* data = NULL;
        unsigned size = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!archive.GetEntry(i, data, size, isFile, name) || !isFile)
            continue;
        BOOL bArrow = name.CompareNoCase("cursor.bmp") == 0;
        if (!bArrow && name.CompareNoCase("hand.bmp") != 0)
            continue;
        CxImage image;
        if (!image.Decode(data, size, CXIMAGE_FORMAT_BMP))
            continue;
        HBITMAP hBitmap = image.MakeBitmap();
        HCURSOR hCursor = MakePointer(hBitmap, KEY_COLOR, 1, 1);
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        if (hCursor != NULL)
            Replace(bArrow ? m_hArrow : m_hHand, hCursor);
    }
    archive.CloseArchive();
    CWnd* pParent = m_hWnd != NULL ? GetParent() : NULL;
    ICursorPreviewSink* pSink = dynamic_cast<ICursorPreviewSink*>(pParent);
    if (pSink != NULL)
        pSink->SetCursorPreview(m_hArrow);
    return TRUE;
}

BOOL CCursorPreview::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hHand != NULL) {
        ::SetCursor(m_hHand);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}
