#include "designer/WallpaperCanvas.h"

#include "designer/UIControl.h"

CWallpaperCanvas::CWallpaperCanvas()
    : m_hBitmap(NULL), m_hOldBitmap(NULL), m_bSaveDeferred(FALSE), m_bChanged(FALSE)
{
}

CWallpaperCanvas::~CWallpaperCanvas() { Close(); }

void CWallpaperCanvas::Close()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hOldBitmap = NULL;
    m_hBitmap = NULL;
    m_dc.DeleteDC();
    m_bChanged = FALSE;
}

BOOL CWallpaperCanvas::Open(LPCTSTR lpszFolder)
{
    Close();
    m_strWallpaper.Format("%s\\wallpaper.png", lpszFolder ? lpszFolder : "");
    if (!m_wallpaper.Load(m_strWallpaper, CXIMAGE_FORMAT_PNG) || !m_wallpaper.IsValid())
        return FALSE;
    if (!m_dc.CreateCompatibleDC(NULL))
        return FALSE;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = (LONG)m_wallpaper.GetWidth();
    bmi.bmiHeader.biHeight = -(LONG)m_wallpaper.GetHeight();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(m_dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!hBitmap)
        return FALSE;
    m_hBitmap = hBitmap;
    m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    DrawWallpaper();
    return TRUE;
}

void CWallpaperCanvas::DrawWallpaper()
{
    m_wallpaper.Draw(m_dc.GetSafeHdc(), 0, 0, -1, -1);
}

BOOL CWallpaperCanvas::SaveAsWallpaper()
{
    // The picture is taken as saving and loading the PNG would give it back.
    CxImage page;
    CRect all(CPoint(0, 0), GetSize());
    if (!IsOpen() || !CUIControl::CopyScreenRect(&m_dc, all, page))
        return FALSE;
    if (!m_bSaveDeferred && !page.Save(m_strWallpaper, CXIMAGE_FORMAT_PNG))
        return FALSE;
    m_wallpaper = page;
    m_bChanged = m_bSaveDeferred;
    return TRUE;
}

BOOL CWallpaperCanvas::SaveIfChanged()
{
    if (!m_bChanged)
        return TRUE;
    if (!m_wallpaper.Save(m_strWallpaper, CXIMAGE_FORMAT_PNG))
        return FALSE;
    m_bChanged = FALSE;
    return TRUE;
}
