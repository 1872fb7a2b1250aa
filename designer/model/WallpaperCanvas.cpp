#include "designer/model/WallpaperCanvas.h"

#include <cstring>

CWallpaperCanvas::CWallpaperCanvas()
    : m_bMarkedChanged(FALSE), m_bStale(FALSE), m_hOldBitmap(NULL), m_pBits(NULL), m_bSaveDeferred(FALSE), m_bChanged(FALSE),
      m_rcDrawn(0, 0, 0, 0), m_size(0, 0)
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
    m_bStale = FALSE;
    m_base.clear();
    m_marked.clear();
    m_rcDrawn.SetRectEmpty();
    m_size = CSize(0, 0);
}

BOOL CWallpaperCanvas::Open(LPCTSTR lpszFolder)
{
    Close();
    m_strWallpaper.Format("%s\\wallpaper.png", lpszFolder ? lpszFolder : "");
    if (!m_wallpaper.Load(m_strWallpaper, CXIMAGE_FORMAT_PNG) || !m_wallpaper.IsValid())
        return FALSE;
    return MakeBitmap(m_wallpaper);
}

BOOL CWallpaperCanvas::Open(const CxImage& picture)
{
    Close();
    m_strWallpaper.Empty();
    if (!picture.IsValid())
        return FALSE;
    if (picture.GetBpp() != 24 || picture.HasAlpha()) {
        m_wallpaper = picture;
        return MakeBitmap(m_wallpaper);
    }
    // an opaque 24-bit picture is what its pixels give back: it is made
    // from them only when asked for
    if (!MakeBitmap(picture))
        return FALSE;
    m_bStale = TRUE;
    return TRUE;
}

BOOL CWallpaperCanvas::MakeBitmap(const CxImage& picture)
{
    m_size = CSize((int)picture.GetWidth(), (int)picture.GetHeight());
    if (!m_dc.CreateCompatibleDC(NULL))
        return FALSE;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_size.cx;
    bmi.bmiHeader.biHeight = -m_size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    m_hBitmap.Reset(::CreateDIBSection(m_dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &bits, NULL, 0));
    if (!m_hBitmap.IsValid())
        return FALSE;
    m_pBits = bits;
    m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    // the colours drawing the picture gives, copied
    const DWORD* src = (const DWORD*)picture.GetBits();
    m_base.assign(src, src + PixelCount());
    memcpy(m_pBits, src, PixelCount() * sizeof(DWORD));
    m_rcDrawn.SetRectEmpty();
    return TRUE;
}

size_t CWallpaperCanvas::PixelCount() const { return (size_t)m_size.cx * m_size.cy; }

void CWallpaperCanvas::Restore()
{
    ::SelectClipRgn(m_dc.GetSafeHdc(), NULL);
    if (m_rcDrawn.IsRectEmpty())
        return;
    // the wallpaper's pixels as drawing it gave them, copied back
    ::GdiFlush();
    const size_t width = m_size.cx;
    const size_t count = (size_t)m_rcDrawn.Width();
    DWORD* bits = (DWORD*)m_pBits;
    for (int y = m_rcDrawn.top; y < m_rcDrawn.bottom; ++y) {
        const size_t at = (size_t)y * width + m_rcDrawn.left;
        memcpy(bits + at, &m_base[at], count * sizeof(DWORD));
    }
    m_rcDrawn.SetRectEmpty();
}

void CWallpaperCanvas::DrawWallpaper()
{
    Restore();
    // what is drawn next may go anywhere
    m_rcDrawn = CRect(CPoint(0, 0), GetSize());
}

void CWallpaperCanvas::DrawWallpaper(const CRect& area)
{
    Restore();
    m_rcDrawn.IntersectRect(&area, CRect(CPoint(0, 0), GetSize()));
    ::IntersectClipRect(m_dc.GetSafeHdc(), m_rcDrawn.left, m_rcDrawn.top, m_rcDrawn.right, m_rcDrawn.bottom);
}

BOOL CWallpaperCanvas::SaveAsWallpaper()
{
    if (!IsOpen())
        return FALSE;
    ::GdiFlush();
    const DWORD* src = (const DWORD*)m_pBits;
    m_base.assign(src, src + PixelCount());
    m_bStale = TRUE;
    // the bitmap is the wallpaper now
    ::SelectClipRgn(m_dc.GetSafeHdc(), NULL);
    m_rcDrawn.SetRectEmpty();
    if (!m_bSaveDeferred && !m_strWallpaper.IsEmpty() &&
        !(UpdateWallpaper() && m_wallpaper.Save(m_strWallpaper, CXIMAGE_FORMAT_PNG)))
        return FALSE;
    m_bChanged = m_bSaveDeferred;
    return TRUE;
}

BOOL CWallpaperCanvas::Cut(const RECT& rect, CxImage& picture)
{
    const CSize size = GetSize();
    if (!IsOpen() || rect.left < 0 || rect.top < 0 || rect.right > size.cx || rect.bottom > size.cy ||
        rect.right <= rect.left || rect.bottom <= rect.top)
        return FALSE;
    const int w = rect.right - rect.left;
    DWORD* dst = (DWORD*)picture.Create((DWORD)w, (DWORD)(rect.bottom - rect.top), 24, 0);
    if (!dst)
        return FALSE;
    ::GdiFlush();
    const DWORD* bits = (const DWORD*)m_pBits;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const DWORD* src = bits + (size_t)y * size.cx + rect.left;
        for (int x = 0; x < w; ++x)
            *dst++ = src[x] | 0xFF000000u;
    }
    return TRUE;
}

void CWallpaperCanvas::Mark()
{
    m_marked = m_base;
    m_bMarkedChanged = m_bChanged;
}

void CWallpaperCanvas::Revert()
{
    std::vector<DWORD> merged;
    Revert(merged);
}

void CWallpaperCanvas::Revert(std::vector<DWORD>& merged)
{
    merged.clear();
    if (m_marked.size() != m_base.size())
        return;
    merged.swap(m_base);
    m_base.swap(m_marked);
    m_bStale = TRUE;
    m_bChanged = m_bMarkedChanged;
    m_rcDrawn = CRect(CPoint(0, 0), GetSize());
    Restore();
}

BOOL CWallpaperCanvas::UpdateWallpaper() const
{
    if (!m_bStale)
        return TRUE;
    // The pixels as saving and loading the PNG gives them back: 24 bits, opaque.
    CSize size = GetSize();
    DWORD* dst = (DWORD*)m_wallpaper.Create((DWORD)size.cx, (DWORD)size.cy, 24, 0);
    if (!dst)
        return FALSE;
    for (size_t i = 0, n = m_base.size(); i < n; ++i)
        dst[i] = m_base[i] | 0xFF000000u;
    m_bStale = FALSE;
    return TRUE;
}

const CxImage& CWallpaperCanvas::GetWallpaper() const
{
    UpdateWallpaper();
    return m_wallpaper;
}

BOOL CWallpaperCanvas::SaveIfChanged()
{
    if (!m_bChanged || m_strWallpaper.IsEmpty())
        return TRUE;
    if (!UpdateWallpaper() || !m_wallpaper.Save(m_strWallpaper, CXIMAGE_FORMAT_PNG))
        return FALSE;
    m_bChanged = FALSE;
    return TRUE;
}
