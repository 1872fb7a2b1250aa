#include "designer/model/UIPicture.h"
#include "designer/core/ProjectPaths.h"

#include "designer/model/WallpaperCanvas.h"
#include "framework/ResourceList.h"

CUIPicture::CUIPicture()
{
    InitType("picture", 53);
    SetBootEntryTexts();
    SetAsMenu(FALSE);
    LoadDefaultPicture();
}

CUIPicture::~CUIPicture() {}

CUIControl* CUIPicture::Clone()
{
    return CloneAs<CUIPicture>();
}

BOOL CUIPicture::LoadDefaultPicture()
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(149), "CTRL_IMGS");
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(149), "CTRL_IMGS");
    if (hRes == NULL)
        return FALSE;
    BOOL loaded = m_picture.LoadResource(hRes, CXIMAGE_FORMAT_UNKNOWN, hInst);
    PictureLoaded();
    return loaded;
}

double CUIPicture::GetDefaultWidth()
{
    return m_picture.IsValid() ? (double)m_picture.GetWidth() : CUIControl::GetDefaultWidth();
}

double CUIPicture::GetDefaultHeight()
{
    return m_picture.IsValid() ? (double)m_picture.GetHeight() : CUIControl::GetDefaultHeight();
}

void CUIPicture::LoadPendingPicture()
{
    if (!IsThemeReloadPending() || m_strThemeFile.IsEmpty())
        return;
    m_picture.Load(CProjectPaths::Resolve(m_strThemeFile), CXIMAGE_FORMAT_UNKNOWN);
    PictureLoaded();
    SetThemeReloadPending(FALSE);
}

void CUIPicture::PictureLoaded()
{
    m_pictureStamp.Touch();
    m_pictureKey.clear();
    CDrawnPixels::AddPixelsToKey(m_pictureKey, m_picture.GetBits(), (int)m_picture.GetWidth(),
                                 (int)m_picture.GetHeight());
}

void CUIPicture::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    LoadPendingPicture();
    CRect rect(left, top, right, bottom);
    // the stretched picture covers the rectangle, so an unchanged face is a
    // copy of the last one; without a caption the face is the shared
    // stretched picture itself, while that is kept for the pictures like it
    std::string key;
    CDrawnPixels::AddToKey(key, m_pictureStamp.Get());
    const BOOL shared = m_strCaption.IsEmpty() && CDrawnPixels::IsShared(m_pictureKey, rect.Size());
    if (m_picture.IsValid() && !shared && AddTextToKey(key, m_strCaption)) {
        m_drawnFace.Draw(pDC, rect, key, [this](CDC* pTarget, const CRect& r) { DrawFace(pTarget, r); });
    } else {
        m_drawnFace.Forget();
        DrawFace(pDC, rect);
    }
}

void CUIPicture::DrawFace(CDC* pDC, const CRect& rect)
{
    // the same picture at the same size is stretched once for all elements
    if (m_picture.IsValid())
        CDrawnPixels::DrawShared(pDC, rect, m_pictureKey, [this](CDC* pTarget, const CRect& r) {
            m_picture.Draw(pTarget->GetSafeHdc(), r, NULL, true);
        });
    if (m_strCaption.IsEmpty())
        return;
    CString text(m_strCaption);
    text.Replace("\\n", "\n");
    DrawFontText(pDC, rect, text, TRUE);
}

void CUIPicture::Compose(CWallpaperCanvas& canvas, const CxImage& picture, const CRect& rect)
{
    // a picture merged into the wallpaper draws over the whole page
    if (m_bAsMenu)
        canvas.DrawWallpaper(rect);
    else
        canvas.DrawWallpaper();
    picture.Draw(canvas.GetDC()->GetSafeHdc(), rect, NULL, true);
    if (!m_strCaption.IsEmpty())
        DrawFontText(canvas.GetDC(), rect, m_strCaption, FALSE);
}

BOOL CUIPicture::WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress, int& nItem)
{
    LoadPendingPicture();
    CRect rect = GetRect();
    CWallpaperCanvas own;
    CWallpaperCanvas* pCanvas = OpenMenuCanvas(progress, lpszFolder, own);
    if (!pCanvas)
        return FALSE;
    CWallpaperCanvas& canvas = *pCanvas;
    Compose(canvas, m_picture, rect);
    if (!m_bAsMenu)
        return canvas.SaveAsWallpaper();

    CString normalFile, hoverFile, normalName, hoverName;
    normalFile.Format("minor_%d.bmp", nItem);
    normalName.Format("(rd)/minor_%d.bmp", nItem);
    if (!SaveMenuBitmap(progress, canvas.GetDC(), rect, lpszFolder, normalFile))
        return FALSE;
    hoverName = normalName;
    if (!m_strAddPath.IsEmpty()) {
        // A hover picture that does not load leaves the wallpaper and caption.
        CxImage hover;
        hover.Load(CProjectPaths::Resolve(m_strAddPath), CXIMAGE_FORMAT_UNKNOWN);
        Compose(canvas, hover, rect);
        hoverFile.Format("mihov_%d.bmp", nItem);
        hoverName.Format("(rd)/mihov_%d.bmp", nItem);
        if (!SaveMenuBitmap(progress, canvas.GetDC(), rect, lpszFolder, hoverFile))
            return FALSE;
    }
    lines.Add(FormatMenuItemBlock(nItem, rect, normalName, hoverName));
    ++nItem;
    return TRUE;
}

BOOL CUIPicture::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex)
{
    LoadPendingPicture();
    CRect rect = GetRect();
    CWallpaperCanvas canvas;
    if (!canvas.Open(lpszFolder))
        return FALSE;
    Compose(canvas, m_picture, rect);
    if (!m_bAsMenu)
        return canvas.SaveAsWallpaper();

    CString normalPath, hoverPath;
    normalPath.Format("%s\\PicureCtrl_%d.png", lpszFolder, nIndex);
    if (!SaveScreenRectPng(canvas.GetDC(), rect, normalPath))
        return FALSE;
    hoverPath = normalPath;
    if (!m_strAddPath.IsEmpty()) {
        CxImage hover;
        hover.Load(CProjectPaths::Resolve(m_strAddPath), CXIMAGE_FORMAT_UNKNOWN);
        Compose(canvas, hover, rect);
        hoverPath.Format("%s\\PicureCtrlHov_%d.png", lpszFolder, nIndex);
        if (!SaveScreenRectPng(canvas.GetDC(), rect, hoverPath))
            return FALSE;
    }
    ToLoaderPath(normalPath);
    ToLoaderPath(hoverPath);
    strStyle += FormatAnchorStyle("Picture", nIndex, rect, normalPath, hoverPath);
    strPage += FormatAnchorBody("Picture", nIndex);
    return TRUE;
}

CUIControl* CUIPicture::CreateFromMarkup(CXmlDocument& doc)
{
    return NewFromMarkup<CUIPicture>(doc);
}

CUIControl* CUIPicture::CreateFromDefaultString(LPCTSTR lpszText)
{
    return NewFromDefaultString<CUIPicture>(lpszText);
}
