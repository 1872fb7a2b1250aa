#include "designer/canvas/ViewCanvas.h"

#include <math.h>

#include "designer/core/PathValue.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "framework/ScopedHandle.h"
#include "framework/Sys.h"

namespace {

int Nearest(double v) { return (int)floor(v + 0.5); }

// A page-size bitmap compatible with the screen, selected into a memory DC
// for as long as the object lives.
class CPageBitmap {
public:
    explicit CPageBitmap(CSize size) : m_hOld(NULL)
    {
        if (size.cx <= 0 || size.cy <= 0)
            return;
        HDC hScreen = ::GetDC(NULL);
        m_hDC.Reset(::CreateCompatibleDC(hScreen));
        m_hBitmap.Reset(::CreateCompatibleBitmap(hScreen, size.cx, size.cy));
        ::ReleaseDC(NULL, hScreen);
        if (m_hDC.IsValid() && m_hBitmap.IsValid())
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CPageBitmap()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    BOOL IsValid() const { return m_hOld != NULL; }
    HDC GetDC() const { return m_hDC; }
    // The picture drawn so far; the bitmap is taken out of the DC for it.
    BOOL ToImage(CxImage& image)
    {
        ::GdiFlush();
        ::SelectObject(m_hDC, m_hOld);
        BOOL ok = image.CreateFromHBITMAP(m_hBitmap);
        ::SelectObject(m_hDC, m_hBitmap);
        return ok;
    }

private:
    CPageBitmap(const CPageBitmap&);
    CPageBitmap& operator=(const CPageBitmap&);
    CScopedMemDC m_hDC;
    CScopedBitmap m_hBitmap;
    HGDIOBJ m_hOld;
};

}  // namespace

CViewCanvas::CViewCanvas() {}

CViewCanvas::~CViewCanvas() {}

void CViewCanvas::DrawBackground(CDC* pDC, const CRect& rect, double)
{
    if (m_strWallpaper.IsEmpty())
        pDC->FillSolidRect(&rect, CANVAS_PAGE_COLOR);
    else if (m_wallpaperImage.IsValid())
        m_wallpaperImage.Draw(pDC->GetSafeHdc(), rect);
}

void CViewCanvas::DrawGrid(CDC* pDC, const CRect&, double zoom)
{
    CSize page = GetPageSize();
    int gx = m_gridSize.cx >= 1 ? m_gridSize.cx : 1;
    int gy = m_gridSize.cy >= 1 ? m_gridSize.cy : 1;
    int columns = page.cx / gx, rows = page.cy / gy;
    HDC hdc = pDC->GetSafeHdc();
    if (hdc == m_hPaintDC && m_pPaintBits != NULL) {
        // The paint's own bitmap: set the dots in memory, in device pixels.
        POINT origin;
        ::GetWindowOrgEx(hdc, &origin);
        ::GdiFlush();
        DWORD value = ((DWORD)GetRValue(m_crGrid) << 16) | ((DWORD)GetGValue(m_crGrid) << 8) | GetBValue(m_crGrid);
        for (int i = 0; i < columns; ++i) {
            int x = Nearest((gx * i + 2) * zoom) - origin.x;
            if (x < 0 || x >= m_paintSize.cx)
                continue;
            for (int j = 0; j < rows; ++j) {
                int y = Nearest((gy * j + 2) * zoom) - origin.y;
                if (y >= 0 && y < m_paintSize.cy)
                    m_pPaintBits[(size_t)y * m_paintSize.cx + x] = value;
            }
        }
        return;
    }
    for (int i = 0; i < columns; ++i) {
        int x = Nearest((gx * i + 2) * zoom);
        for (int j = 0; j < rows; ++j)
            ::SetPixelV(hdc, x, Nearest((gy * j + 2) * zoom), m_crGrid);
    }
}

BOOL CViewCanvas::MakePagePicture(CxImage& image)
{
    CSize page = GetPageSize();
    CxImage wallpaper;
    BOOL loaded = !m_strWallpaper.IsEmpty() && wallpaper.Load(m_strWallpaper);
    if (loaded && IsPagePicture(wallpaper, page)) {
        // nothing to stretch: the pixels are what drawing them into a page bitmap gives
        image.Swap(wallpaper);
        return TRUE;
    }
    CPageBitmap bitmap(page);
    if (!bitmap.IsValid())
        return FALSE;
    CRect rect(0, 0, page.cx, page.cy);
    if (loaded) {
        wallpaper.Draw(bitmap.GetDC(), rect, NULL, true);
    } else {
        CDC dc;
        dc.Attach(bitmap.GetDC());
        dc.FillSolidRect(&rect, CANVAS_PAGE_COLOR);
        dc.Detach();
    }
    return bitmap.ToImage(image);
}

BOOL CViewCanvas::SavePagePicture(LPCTSTR lpszFolder, CString& strPngPath, CxImage& image, BOOL bReadSoon)
{
    strPngPath = CString(lpszFolder) + "\\wallpaper.png";
    if (!MakePagePicture(image))
        return FALSE;
    if (bReadSoon)
        image.SetPngCompression(0);
    BOOL saved = image.Save(strPngPath, CXIMAGE_FORMAT_PNG);
    image.SetPngCompression(-1);
    return saved;
}

void CViewCanvas::ExportWallpaperHtml(CString& strStyle, CString& strBody, LPCTSTR lpszFolder)
{
    CString png;
    CxImage image;
    SavePagePicture(lpszFolder, png, image);
    CString url;
    CPathValue(png).GetParentRelativePath(url);
    url.Replace('\\', '/');
    CSize page = GetPageSize();
    CString style;
    style.Format("#Wallpaper {\r\n    background: url('%s');\r\n    background-repeat: no-repeat;\r\n"
                 "    background-position: left top;\r\n    width: %dpx;\r\n    height: %dpx;\r\n"
                 "    position: absolute;\r\n    top: 0px;\r\n    left: 0px;\r\n}\r\n",
                 (LPCTSTR)CUIControl::EscapeCssUrl(url), (int)page.cx, (int)page.cy);
    strStyle += style;
    strBody += "\r\n\r\n<!-- Wallpaper -->\r\n<div id=\"Wallpaper\" OnMouseOver=\"stop_timeout();\"> </div>";
}

void CViewCanvas::RenderWallpaper(LPCTSTR lpszFolder, LPCTSTR lpszPreviewPath)
{
    m_strPreviewPath = lpszPreviewPath ? lpszPreviewPath : "";
    CString png;
    CxImage image;
    // The preview does not depend on the wallpaper file being written; when it
    // is, the preview gets its bytes rather than a second encoding.
    BOOL saved = SavePagePicture(lpszFolder, png, image, TRUE);
    if (image.IsValid() && !m_strPreviewPath.IsEmpty() && !(saved && FwCopyFile(png, m_strPreviewPath, FALSE))) {
        image.SetPngCompression(0);
        image.Save(m_strPreviewPath, CXIMAGE_FORMAT_PNG);
        image.SetPngCompression(-1);
    }
}

void CViewCanvas::SavePreviewPicture()
{
    CxImage picture, thumbnail;
    if (!m_strPreviewPath.IsEmpty())
        picture.Load(m_strPreviewPath);
    if (MakePreviewPicture(picture, thumbnail))
        thumbnail.Save(m_strPreviewPath, CXIMAGE_FORMAT_PNG);
}

BOOL CViewCanvas::MakePreviewPicture(CxImage& picture, CxImage& thumbnail)
{
    CSize page = GetPageSize();
    CPageBitmap bitmap(page);
    if (!bitmap.IsValid())
        return FALSE;
    if (picture.IsValid())
        picture.Draw(bitmap.GetDC(), CRect(0, 0, page.cx, page.cy), NULL, true);
    CDC dc;
    dc.Attach(bitmap.GetDC());
    BOOL progressDrawn = FALSE;
    for (int i = 0; i < ElementCount(); ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->GetTypeName().CompareNoCase("progress") == 0) {
            if (progressDrawn)
                continue;
            progressDrawn = TRUE;
        }
        p->DrawActualSize(&dc);
    }
    dc.Detach();
    // drawn, the picture's buffer takes the page
    RGBQUAD white = {255, 255, 255, 255};
    return bitmap.ToImage(picture) && picture.Thumbnail(240, 180, white, &thumbnail);
}
