// CViewCanvas: the view's design canvas. It supplies the page background
// and the dot grid, and renders the page into the pictures that the menu
// package and the web preview use (always at zoom 1, in page pixels).
#pragma once

#include "designer/canvas/DesignCanvas.h"

// Plain page colour when no wallpaper is shown.
const COLORREF CANVAS_PAGE_COLOR = 0xC67B4A;

class CViewCanvas : public CDesignCanvas {
public:
    CViewCanvas();
    virtual ~CViewCanvas();

    virtual void DrawBackground(CDC* pDC, const CRect& rect, double zoom) override;
    virtual void DrawGrid(CDC* pDC, const CRect& rect, double zoom) override;

    // Writes the page picture to folder\wallpaper.png and appends the
    // wallpaper's style rule and body fragment to the web page's texts (as
    // the element list's ExportHtml does).
    void ExportWallpaperHtml(CString& strStyle, CString& strBody, LPCTSTR lpszFolder);
    // Writes the page picture to folder\wallpaper.png and, as PNG, to the
    // preview path, which is remembered for SavePreviewPicture. Both files
    // are stored uncompressed: the menu package reads them back and keeps
    // neither.
    void RenderWallpaper(LPCTSTR lpszFolder, LPCTSTR lpszPreviewPath);
    // Draws the elements at their size over the picture at the remembered
    // preview path and saves a 240 x 180 thumbnail of it over that path.
    void SavePreviewPicture();
    // The same pictures in memory: the page picture (the wallpaper stretched
    // to the page, or the plain page colour), and the 240 x 180 thumbnail of
    // the elements drawn at their size over a page picture. FALSE when a
    // bitmap could not be made. The page picture given to the thumbnail is
    // used up: it holds the page with the elements after.
    BOOL RenderPagePicture(CxImage& page) { return MakePagePicture(page); }
    BOOL MakePreviewPicture(CxImage& page, CxImage& thumbnail);
    const CString& GetPreviewPath() const { return m_strPreviewPath; }

protected:
    // The wallpaper stretched to the page, or the plain page colour, as an
    // image of the page size; FALSE when no bitmap could be made.
    BOOL MakePagePicture(CxImage& image);
    // bReadSoon: stored uncompressed, for a file read back and not kept.
    BOOL SavePagePicture(LPCTSTR lpszFolder, CString& strPngPath, CxImage& image, BOOL bReadSoon = FALSE);

    CString m_strPreviewPath;
};
