#include "designer/model/WallpaperCanvas.h"

CWallpaperCanvas::CWallpaperCanvas()
    : m_hOldBitmap(NULL), m_pBits(NULL), m_bSaveDeferred(FALSE), m_bChanged(FALSE)
{
}

CWallpaperCanvas::~CWallpaperCanvas() { Close(); }

void CWallpaperCanvas::Close()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
    m_hBitmap.Reset();
    m_hOldBitmap = NULL;
    m_pBits = NULL;
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
    m_hBitmap.Reset(::CreateDIBSection(m_dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &bits, NULL, 0));
    if (!m_hBitmap.IsValid())
        return FALSE;
    m_pBits = bits;
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
    if (!IsOpen())
        return FALSE;
    // The pixels as saving and loading the PNG gives them back: 24 bits, opaque.
    CSize size = GetSize();
    ::GdiFlush();
    DWORD* dst = (DWORD*)m_wallpaper.Create((DWORD)size.cx, (DWORD)size.cy, 24, 0);
    if (!dst)
        return FALSE;
    const DWORD* src = (const DWORD*)m_pBits;
    for (size_t i = 0, n = (size_t)size.cx * size.cy; i < n; ++i)
        dst[i] = src[i] | 0xFF000000u;
    if (!m_bSaveDeferred && !m_wallpaper.Save(m_strWallpaper, CXIMAGE_FORMAT_PNG))
        return FALSE;
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
