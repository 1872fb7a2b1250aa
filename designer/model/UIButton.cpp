#include "designer/model/UIButton.h"
#include "designer/core/ProjectPaths.h"

#include "controls/ColorFont.h"
#include "controls/OffscreenDC.h"
#include "designer/model/WallpaperCanvas.h"

CUIButton::CUIButton() : m_theme(CThemeSettings::MENU_THEME)
{
    InitType("button", 37);
    SetBootEntryTexts();
    SetAsMenu(TRUE);
    LoadDefaultTheme();
}

CUIButton::~CUIButton() {}

CUIControl* CUIButton::Clone()
{
    return CloneAs<CUIButton>();
}

BOOL CUIButton::LoadDefaultTheme()
{
    static const UINT kIds[CThemeSettings::IMAGE_COUNT] = {139, 138, 140, 137};
    m_theme.m_nClipLeft = m_theme.m_nClipTop = m_theme.m_nClipRight = m_theme.m_nClipBottom = 3;
    BOOL result = TRUE;
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        int loaded = LoadBuiltInThemePicture(m_images[i], kIds[i], 3, 3, 3, 3);
        if (loaded == 0)
            return FALSE;
        result = loaded > 0;
    }
    return result;
}

BOOL CUIButton::LoadTheme(LPCTSTR lpszTheme)
{
    if (!m_theme.Parse(lpszTheme))
        return FALSE;
    return ApplyTheme();
}

BOOL CUIButton::ApplyTheme()
{
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        int l, t, r, b;
        m_theme.GetImageMargins(i, l, t, r, b);
        if (!LoadThemeEntry(m_theme.m_strImage[i], l, t, r, b, m_images[i]))
            return FALSE;
    }
    return TRUE;
}

void CUIButton::LoadPendingTheme()
{
    if (!IsThemeReloadPending() || m_strThemeFile.IsEmpty())
        return;
    OpenThemeArchive(CProjectPaths::Resolve(m_strThemeFile));
    SetThemeReloadPending(FALSE);
}

void CUIButton::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    CRect rect(left, top, right, bottom);
    // a memory DC (the canvas draws into one) needs no second buffer; there
    // an unchanged face is a copy of the last one
    if (::GetObjectType(pDC->GetSafeHdc()) == OBJ_MEMDC) {
        LoadPendingTheme();
        const COLORREF crBack = pDC->GetBkColor();
        std::string key;
        if (m_images[NORMAL].StaysInside(rect) && GetFaceKey(crBack, key))
            m_drawnFace.Draw(pDC, rect, key, [this, crBack](CDC* pTarget, const CRect& r) { DrawFace(pTarget, r, crBack); });
        else
            DrawFace(pDC, rect, crBack);
        return;
    }
    COffscreenDC offscreen(pDC, &rect);
    DrawFace(offscreen.IsValid() ? (CDC*)&offscreen : pDC, rect, pDC->GetBkColor());
}

BOOL CUIButton::GetFaceKey(COLORREF crBack, std::string& key) const
{
    key.clear();
    CDrawnPixels::AddToKey(key, crBack);
    CDrawnPixels::AddToKey(key, m_images[NORMAL].GetChangeStamp());
    return AddTextToKey(key, m_strCaption);
}

void CUIButton::DrawFace(CDC* pTarget, const CRect& rect, COLORREF crBack)
{
    LoadPendingTheme();
    if (!m_images[NORMAL].Covers(rect))
        pTarget->FillSolidRect(&rect, crBack);
    m_images[NORMAL].Draw(pTarget, rect, 0, FALSE);
    DrawFontText(pTarget, rect, m_strCaption, TRUE);
}

void CUIButton::Compose(CWallpaperCanvas& canvas, int nState, const CRect& rect)
{
    canvas.DrawWallpaper(rect);
    m_images[nState].Draw(canvas.GetDC(), rect, 0, FALSE);
    DrawFontText(canvas.GetDC(), rect, m_strCaption, FALSE);
}

BOOL CUIButton::WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress, int& nItem)
{
    LoadPendingTheme();
    CString normalFile, hoverFile;
    normalFile.Format("minor_%d.bmp", nItem);
    hoverFile.Format("mihov_%d.bmp", nItem);
    CRect rect = GetRect();
    CWallpaperCanvas own;
    CWallpaperCanvas* pCanvas = OpenMenuCanvas(progress, lpszFolder, own);
    if (!pCanvas)
        return FALSE;
    Compose(*pCanvas, NORMAL, rect);
    if (!SaveMenuBitmap(progress, pCanvas->GetDC(), rect, lpszFolder, normalFile))
        return FALSE;
    Compose(*pCanvas, HOVER, rect);
    if (!SaveMenuBitmap(progress, pCanvas->GetDC(), rect, lpszFolder, hoverFile))
        return FALSE;
    CString normalName, hoverName;
    normalName.Format("(rd)/minor_%d.bmp", nItem);
    hoverName.Format("(rd)/mihov_%d.bmp", nItem);
    lines.Add(FormatMenuItemBlock(nItem, rect, normalName, hoverName));
    ++nItem;
    return TRUE;
}

BOOL CUIButton::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex)
{
    LoadPendingTheme();
    CString normalPath, hoverPath;
    normalPath.Format("%s\\BtnNormal_%d.png", lpszFolder, nIndex);
    hoverPath.Format("%s\\BtnHover_%d.png", lpszFolder, nIndex);
    CRect rect = GetRect();
    CWallpaperCanvas canvas;
    if (!canvas.Open(lpszFolder))
        return FALSE;
    Compose(canvas, NORMAL, rect);
    if (!SaveScreenRectPng(canvas.GetDC(), rect, normalPath))
        return FALSE;
    Compose(canvas, HOVER, rect);
    if (!SaveScreenRectPng(canvas.GetDC(), rect, hoverPath))
        return FALSE;
    ToLoaderPath(normalPath);
    ToLoaderPath(hoverPath);
    strStyle += FormatAnchorStyle("Button", nIndex, rect, normalPath, hoverPath);
    strPage += FormatAnchorBody("Button", nIndex);
    return TRUE;
}

CUIControl* CUIButton::CreateFromMarkup(CXmlDocument& doc)
{
    return NewFromMarkup<CUIButton>(doc);
}

CUIControl* CUIButton::CreateFromDefaultString(LPCTSTR lpszText)
{
    return NewFromDefaultString<CUIButton>(lpszText);
}
