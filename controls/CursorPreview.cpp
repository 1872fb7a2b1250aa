#include "controls/CursorPreview.h"
#include "controls/BitmapPixels.h"
#include "designer/core/ArchiveFile.h"
#include "imaging/xImage.h"
#include "framework/ScopedHandle.h"

#include <vector>

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
    int w = 0, h = 0;
    std::vector<uint32_t> colour, mask;
    if (!ReadBitmapPixels(hBitmap, w, h, colour))
        return NULL;
    uint32_t key = ColorPixel(crKey);
    mask.assign(colour.size(), 0);
    for (size_t i = 0; i < colour.size(); ++i) {
        if ((colour[i] & 0xFFFFFF) == key) {
            mask[i] = 0xFFFFFF;
            colour[i] = 0;
        }
    }
    HCURSOR hCursor = NULL;
    CScopedBitmap hMask(MakeBitmapFromPixels(w, h, mask));
    CScopedBitmap hColour(MakeBitmapFromPixels(w, h, colour));
    if (hMask.IsValid() && hColour.IsValid()) {
        ICONINFO ii = {FALSE, (DWORD)nHotX, (DWORD)nHotY, hMask, hColour};
        hCursor = (HCURSOR)::CreateIconIndirect(&ii);
    }
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
        CScopedBitmap hBitmap(image.MakeBitmap());
        HCURSOR hCursor = MakePointer(hBitmap, KEY_COLOR, 1, 1);
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
