#include "designer/model/UIControl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/Menu.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "controls/ColorFont.h"
#include "controls/BarPainter.h"
#include "designer/app/LangManager.h"
#include "designer/model/ThemePicture.h"
#include "designer/core/Md5Crypt.h"
#include "designer/core/PackageFiles.h"
#include "designer/core/PathValue.h"
#include "designer/core/StringSplitter.h"
#include "designer/model/UIControlList.h"
#include "designer/model/WallpaperCanvas.h"
#include "designer/core/ElementText.h"
#include "designer/core/XmlDocument.h"
#include "imaging/xImage.h"
#include "framework/ScopedHandle.h"

namespace {
BOOL CaptureScreenRect(CDC* pDC, const RECT& rect, CxImage& image)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    CScopedMemDC mem(::CreateCompatibleDC(hdc));
    CScopedBitmap bmp(::CreateCompatibleBitmap(hdc, w, h));
    if (!mem.IsValid() || !bmp.IsValid())
        return FALSE;
    {
        CScopedSelect sel(mem, bmp);
        ::BitBlt(mem, 0, 0, w, h, hdc, rect.left, rect.top, SRCCOPY);
    }
    return image.CreateFromHBITMAP(bmp);
}

BOOL SaveScreenRect(CDC* pDC, const RECT& rect, LPCTSTR lpszPath, DWORD type)
{
    CxImage image;
    return CaptureScreenRect(pDC, rect, image) && image.Save(lpszPath, type);
}
}  // namespace

BOOL CUIControl::SaveScreenRectPng(CDC* pDC, const RECT& rect, LPCTSTR lpszPath)
{
    return SaveScreenRect(pDC, rect, lpszPath, CXIMAGE_FORMAT_PNG);
}

BOOL CUIControl::SaveScreenRectBmp(CDC* pDC, const RECT& rect, LPCTSTR lpszPath)
{
    return SaveScreenRect(pDC, rect, lpszPath, CXIMAGE_FORMAT_BMP);
}

BOOL CUIControl::SaveMenuBitmap(MenuProgressRecord& progress, CDC* pDC, const RECT& rect, LPCTSTR lpszFolder,
                                LPCTSTR lpszName)
{
    if (!progress.files) {
        CString path;
        path.Format("%s\\%s", lpszFolder, lpszName);
        return SaveScreenRectBmp(pDC, rect, path);
    }
    CxImage image;
    std::vector<BYTE> bytes;
    // the page's own pixels where it can give them, without a bitmap of its kind
    BOOL cut = progress.canvas && pDC == progress.canvas->GetDC() && progress.canvas->Cut(rect, image);
    if (!(cut || CaptureScreenRect(pDC, rect, image)) || !image.Encode(bytes, CXIMAGE_FORMAT_BMP))
        return FALSE;
    progress.files->Put(lpszName, std::move(bytes));
    return TRUE;
}

CString CUIControl::EscapeIniText(LPCTSTR lpszText) { return ElementText::EscapeIniText(lpszText); }
CString CUIControl::EscapeIniCommands(LPCTSTR lpszText) { return ElementText::EscapeIniCommands(lpszText); }
CString CUIControl::EscapeScriptText(LPCTSTR lpszText) { return ElementText::EscapeScriptText(lpszText); }
CString CUIControl::EscapeHtmlAttribute(LPCTSTR lpszText) { return ElementText::EscapeHtmlAttribute(lpszText); }
CString CUIControl::EscapeCssUrl(LPCTSTR lpszText) { return ElementText::EscapeCssUrl(lpszText); }

namespace {
ElementText::ItemBox BoxOf(const CRect& rect)
{
    ElementText::ItemBox box = {(int)rect.left, (int)rect.top, rect.Width(), rect.Height()};
    return box;
}
}  // namespace

CString CUIControl::FormatMenuItemBlock(int nItem, const CRect& rect, LPCTSTR lpszNormal, LPCTSTR lpszHover) const
{
    CString hash;
    GetPasswordHash(hash);
    return ElementText::MenuItemBlock(nItem, BoxOf(rect), m_strTitle, hash, lpszNormal, lpszHover, m_strShortKey,
                                      m_strCmdLine);
}

CString CUIControl::FormatAnchorStyle(LPCTSTR lpszPrefix, int nIndex, const CRect& rect, LPCTSTR lpszNormalUrl,
                                      LPCTSTR lpszHoverUrl)
{
    return ElementText::AnchorStyle(lpszPrefix, nIndex, BoxOf(rect), lpszNormalUrl, lpszHoverUrl);
}

CString CUIControl::FormatAnchorBody(LPCTSTR lpszPrefix, int nIndex) const
{
    return ElementText::AnchorBody(lpszPrefix, nIndex, m_strCmdLine, m_strTitle);
}
