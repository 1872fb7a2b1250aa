#include "designer/model/UIStatic.h"

#include "controls/ColorFont.h"
#include "designer/model/WallpaperCanvas.h"

CUIStatic::CUIStatic()
{
    InitType("static", 5);
    SetBootEntryTexts();
    SetAsMenu(FALSE);
    CHtmlTextRenderer::InitEntityCodes();
    m_renderer.SetTransparent(TRUE);
    m_renderer.SetMargins(0, 0);
}

CUIStatic::~CUIStatic() {}

CUIControl* CUIStatic::Clone()
{
    return CloneAs<CUIStatic>();
}

void CUIStatic::DrawMarkup(CDC* pDC, const CRect& rect)
{
    if (m_strCaption.IsEmpty() || !m_pFont)
        return;
    m_renderer.SetText(m_strCaption);
    m_renderer.SetFont(*m_pFont);
    m_renderer.Draw(pDC, rect);
}

void CUIStatic::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    CRect grown(left, top, right, bottom);
    grown.InflateRect(1, 1);
    // drawn over what lies under it, so kept with those pixels
    std::string key;
    CDrawnPixels::AddToKey(key, (LPCTSTR)m_strCaption);
    CDrawnPixels::AddToKey(key, m_pFont != NULL);
    if (m_pFont) {
        CDrawnPixels::AddToKey(key, m_pFont->GetLogFontData());
        CDrawnPixels::AddToKey(key, m_pFont->GetColor());
    }
    m_drawnFace.DrawOver(pDC, grown, key, [this](CDC* pTarget, const CRect& r) {
        DrawDottedFrame(pTarget, r);
        DrawMarkup(pTarget, r);
    });
}

CRect CUIStatic::Compose(CWallpaperCanvas& canvas)
{
    CRect grown = GetRect();
    grown.InflateRect(1, 1);
    // a text merged into the wallpaper draws over the whole page
    if (m_bAsMenu)
        canvas.DrawWallpaper(grown);
    else
        canvas.DrawWallpaper();
    if (m_bAsMenu)
        DrawDottedFrame(canvas.GetDC(), grown);
    DrawMarkup(canvas.GetDC(), grown);
    return grown;
}

BOOL CUIStatic::WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress, int& nItem)
{
    CWallpaperCanvas own;
    CWallpaperCanvas* pCanvas = OpenMenuCanvas(progress, lpszFolder, own);
    if (!pCanvas)
        return FALSE;
    CWallpaperCanvas& canvas = *pCanvas;
    CRect grown = Compose(canvas);
    if (!m_bAsMenu)
        return canvas.SaveAsWallpaper();

    CString normalFile, hoverFile, normalName, hoverName;
    normalFile.Format("minor_%d.bmp", nItem);
    hoverFile.Format("mihov_%d.bmp", nItem);
    if (!SaveMenuBitmap(progress, canvas.GetDC(), grown, lpszFolder, normalFile) ||
        !SaveMenuBitmap(progress, canvas.GetDC(), grown, lpszFolder, hoverFile))
        return FALSE;
    normalName.Format("(rd)/minor_%d.bmp", nItem);
    hoverName.Format("(rd)/mihov_%d.bmp", nItem);
    lines.Add(FormatMenuItemBlock(nItem, grown, normalName, hoverName));
    ++nItem;
    return TRUE;
}

BOOL CUIStatic::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex)
{
    CWallpaperCanvas canvas;
    if (!canvas.Open(lpszFolder))
        return FALSE;
    CRect grown = Compose(canvas);
    if (!m_bAsMenu)
        return canvas.SaveAsWallpaper();

    CString path;
    path.Format("%s\\PicureCtrl_%d.png", lpszFolder, nIndex);
    if (!SaveScreenRectPng(canvas.GetDC(), grown, path))
        return FALSE;
    ToLoaderPath(path);
    strStyle += FormatAnchorStyle("Static", nIndex, grown, path, path);
    strPage += FormatAnchorBody("Static", nIndex);
    return TRUE;
}

CUIControl* CUIStatic::CreateFromMarkup(CXmlDocument& doc)
{
    return NewFromMarkup<CUIStatic>(doc);
}

CUIControl* CUIStatic::CreateFromDefaultString(LPCTSTR lpszText)
{
    return NewFromDefaultString<CUIStatic>(lpszText);
}
