#include "designer/WallpaperCanvas.h"

#include "designer/UIControl.h"

CWallpaperCanvas::CWallpaperCanvas() : m_hBitmap(NULL), m_hOldBitmap(NULL) {}

CWallpaperCanvas::~CWallpaperCanvas()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

BOOL CWallpaperCanvas::Open(LPCTSTR lpszFolder)
{
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
    m_hBitmap = ::CreateDIBSection(m_dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!m_hBitmap)
        return FALSE;
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
    CRect all(CPoint(0, 0), GetSize());
    return CUIControl::SaveScreenRectPng(&m_dc, all, m_strWallpaper);
}
