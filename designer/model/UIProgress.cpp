#include "designer/model/UIProgress.h"
#include "designer/core/ProjectPaths.h"

#include "designer/model/WallpaperCanvas.h"

CUIProgress::CUIProgress() : m_theme(CThemeSettings::PROGRESS_THEME)
{
    InitType("progress", 37);
    SetAsMenu(FALSE);
    m_nLower = 0;
    m_nUpper = 0;
    m_nStep = 1;
    m_nPos = 0;
    SetRange(0, 20);
    SetPos(5);
    m_theme.m_bAntiAlias = TRUE;
    LoadDefaultTheme();
}

CUIProgress::~CUIProgress() {}

CUIControl* CUIProgress::Clone()
{
    return CloneAs<CUIProgress>();
}

CUIControl* CUIProgress::CreateFromMarkup(CXmlDocument& doc)
{
    return NewFromMarkup<CUIProgress>(doc);
}

CUIControl* CUIProgress::CreateFromDefaultString(LPCTSTR lpszText)
{
    return NewFromDefaultString<CUIProgress>(lpszText);
}

void CUIProgress::UpdateStep()
{
    long long step = (long long)m_nUpper - m_nLower;
    if (step < 0)
        step = -step;
    m_nStep = step == 0 ? 1 : (step > 0x7FFFFFFF ? 0x7FFFFFFF : (int)step);
}

void CUIProgress::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    UpdateStep();
}

BOOL CUIProgress::SetPos(int nPos)
{
    if (nPos < m_nLower)
        nPos = m_nLower;
    if (nPos > m_nUpper)
        nPos = m_nUpper;
    m_nPos = nPos;
    return TRUE;
}

BOOL CUIProgress::LoadDefaultTheme()
{
    static const struct {
        UINT id;
        int margins[4];
    } kPictures[CThemeSettings::IMAGE_COUNT] = {
        {146, {3, 3, 4, 4}}, {145, {0, 0, 0, 0}}, {136, {3, 3, 4, 4}}, {135, {0, 0, 0, 0}}};
    m_theme.m_nClipLeft = m_theme.m_nClipTop = m_theme.m_nClipRight = m_theme.m_nClipBottom = 3;
    BOOL result = TRUE;
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        const int* m = kPictures[i].margins;
        int loaded = LoadBuiltInThemePicture(m_images[i], kPictures[i].id, m[0], m[1], m[2], m[3]);
        if (loaded == 0)
            return FALSE;
        result = loaded > 0;
    }
    return result;
}

BOOL CUIProgress::LoadTheme(LPCTSTR lpszTheme)
{
    if (!m_theme.Parse(lpszTheme))
        return FALSE;
    return ApplyTheme();
}

BOOL CUIProgress::LoadChunkFile(LPCTSTR lpszPath)
{
    // A file that does not load keeps the chunk picture there was.
    CThemePicture picture;
    picture.SetMargins(0, 0, 0, 0);
    if (!picture.LoadFile(CProjectPaths::Resolve(lpszPath)))
        return FALSE;
    m_images[CHUNK] = picture;
    return TRUE;
}

BOOL CUIProgress::ApplyTheme()
{
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        if (i == CHUNK && m_bAsMenu) {
            // A menu bar's own chunk picture stands in for the theme's, which
            // must still be there.
            unsigned char* data = NULL;
            unsigned size = 0;
            if (!FindThemeEntry(m_theme.m_strImage[i], data, size))
                return FALSE;
            LoadChunkFile(m_strAddPath);
            continue;
        }
        int l, t, r, b;
        m_theme.GetImageMargins(i, l, t, r, b);
        if (!LoadThemeEntry(m_theme.m_strImage[i], l, t, r, b, m_images[i]))
            return FALSE;
    }
    return TRUE;
}

void CUIProgress::LoadPendingTheme()
{
    if (!IsThemeReloadPending())
        return;
    if (!m_strThemeFile.IsEmpty()) {
        OpenThemeArchive(CProjectPaths::Resolve(m_strThemeFile));
        SetThemeReloadPending(FALSE);
    } else if (m_bAsMenu && !m_strAddPath.IsEmpty() &&
               ::GetFileAttributesA(CProjectPaths::Resolve(m_strAddPath)) != INVALID_FILE_ATTRIBUTES) {
        // The flag stays: the picture is read again until a theme is given.
        LoadChunkFile(m_strAddPath);
    }
}

CRect CUIProgress::GetChunkBand(const CRect& rect) const
{
    return CRect(rect.left + m_theme.m_nClipLeft, rect.top + m_theme.m_nClipTop, rect.right - m_theme.m_nClipRight,
                 rect.bottom - m_theme.m_nClipBottom);
}

int CUIProgress::GetChunkCount(int nBarWidth) const
{
    int chunkWidth = m_images[CHUNK].GetImageWidth();
    if (m_nPos == m_nLower || chunkWidth <= 0 || nBarWidth <= 0)
        return 0;
    long long count = ((long long)m_nPos - m_nLower) * (nBarWidth / m_nStep) / chunkWidth;
    return count < 0 ? 0 : (count > 0x7FFFFFFF ? 0x7FFFFFFF : (int)count);
}

void CUIProgress::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    LoadPendingTheme();
    CRect rect(left, top, right, bottom);
    BOOL smooth = m_theme.m_bAntiAlias;
    m_images[TRACK].Draw(pDC, rect, 0, smooth);
    CRect band = GetChunkBand(rect);
    int chunkWidth = m_images[CHUNK].GetImageWidth();
    if (band.Height() <= 0)
        return;
    int count = GetChunkCount(rect.Width());
    CRect chunk(band.left, band.top, band.left + chunkWidth, band.bottom);
    for (int i = 0; i < count; ++i) {
        m_images[CHUNK].Draw(pDC, chunk, 0, smooth);
        chunk.OffsetRect(chunkWidth, 0);
    }
}

BOOL CUIProgress::WriteMenuItem(CStringArray&, LPCTSTR lpszFolder, MenuProgressRecord& progress, int&)
{
    LoadPendingTheme();
    CRect rect = GetRect();
    CWallpaperCanvas own;
    CWallpaperCanvas* pCanvas = OpenMenuCanvas(progress, lpszFolder, own);
    if (!pCanvas)
        return FALSE;
    pCanvas->DrawWallpaper();

    // Keep the bar 5 pixels inside the page.
    if (progress.pagewidth > 0 && rect.right >= progress.pagewidth)
        rect.right = progress.pagewidth - 5;
    if (progress.pageheight > 0 && rect.bottom >= progress.pageheight)
        rect.bottom = progress.pageheight - 5;
    CRect band = GetChunkBand(rect);

    CDC* pDC = pCanvas->GetDC();
    m_images[TRACK].Draw(pDC, rect, 0, m_theme.m_bAntiAlias);
    if (!SaveMenuBitmap(progress, pDC, rect, lpszFolder, "track.bmp"))
        return FALSE;

    // One pass over the band for every chunk height: chunks with transparent
    // parts build up as they do at boot time.
    int cw = m_images[CHUNK].GetImageWidth(), ch = m_images[CHUNK].GetImageHeight();
    if (cw > 0 && ch > 0 && band.Width() > 0 && band.Height() > 0) {
        int passes = (band.Height() + ch - 1) / ch;
        for (int pass = 0; pass < passes; ++pass) {
            for (int x = 0; x < band.Width(); x += cw) {
                CRect chunk(band.left + x, band.top, band.left + x + cw, band.bottom);
                m_images[CHUNK].Draw(pDC, chunk, 0, TRUE);
            }
        }
    }
    CRect chunkRect(band.left, rect.top, band.right, rect.bottom);
    if (!SaveMenuBitmap(progress, pDC, chunkRect, lpszFolder, "chunk.bmp"))
        return FALSE;

    progress.pleft = rect.left;
    progress.ptop = rect.top;
    progress.pwidth = rect.Width();
    progress.pheight = rect.Height();
    progress.pchkleft = band.left;
    CopyBounded(progress.ptrack, "(rd)/track.bmp");
    CopyBounded(progress.pchunk, "(rd)/chunk.bmp");
    return TRUE;
}

BOOL CUIProgress::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int)
{
    LoadPendingTheme();
    CString trackPath, chunkPath;
    trackPath.Format("%s\\ProgressTrack.png", lpszFolder);
    chunkPath.Format("%s\\ProgressChunk.png", lpszFolder);
    CRect rect = GetRect();
    CWallpaperCanvas canvas;
    if (!canvas.Open(lpszFolder))
        return FALSE;
    CDC* pDC = canvas.GetDC();
    BOOL smooth = m_theme.m_bAntiAlias;
    m_images[TRACK].Draw(pDC, rect, 0, smooth);
    if (!SaveScreenRectPng(pDC, rect, trackPath))
        return FALSE;

    CRect band = GetChunkBand(rect);
    int cw = m_images[CHUNK].GetImageWidth();
    CRect chunk(band.left, band.top, band.left + cw, band.bottom);
    // A chunk picture without pixels shows no chunks; the rule stays empty.
    if (cw > 0 && band.Height() > 0) {
        m_images[CHUNK].Draw(pDC, chunk, 0, smooth);
        if (!SaveScreenRectPng(pDC, chunk, chunkPath))
            return FALSE;
    }

    ToLoaderPath(trackPath);
    ToLoaderPath(chunkPath);
    CString rule;
    rule.Format("#ProgressTrack \r\n{\tbackground: url('%s');\r\n\tbackground-repeat: no-repeat;\r\n"
                "\tbackground-position: left top;\r\n\theight: %dpx;\r\n\twidth: %dpx;\r\n\tposition: absolute;\r\n"
                "\ttop: %dpx;\r\n\tleft: %dpx;\r\n}\r\n",
                (LPCTSTR)EscapeCssUrl(trackPath), rect.Height(), rect.Width(), (int)rect.top, (int)rect.left);
    strStyle += rule;
    strPage += "<!--ProgressBar-->\r\n<div id=\"ProgressTrack\"> </div>";
    rule.Format("#ProgressChunk \r\n{\tbackground: url('%s');\r\n\tbackground-position: left top;\r\n"
                "\theight: %dpx;\r\n\twidth: %dpx;\r\n\tposition: absolute;\r\n\toverflow: hidden;\r\n"
                "\ttop: %dpx;\r\n\tleft: %dpx;\r\n}\r\n",
                (LPCTSTR)EscapeCssUrl(chunkPath), band.Height(), GetChunkCount(rect.Width()) * cw, (int)band.top,
                (int)band.left);
    strStyle += rule;
    strPage += "\r\n<div id=\"ProgressChunk\"> </div>";
    return TRUE;
}
