// The web page that previews a project: the page picture as its background,
// every element's style and part of the page, and the progress script.
#pragma once

#include "designer/core/ProjectText.h"
#include "framework/Geometry.h"
#include "framework/StringArray.h"

class CUIControlList;

class CWebPreview {
public:
    // The page, its images going into the folder "<page title>_Images" beside it.
    // pfnStep (may be NULL) is told of each step from 1 to 4 before it runs,
    // and with 0 after each element's pictures; when it answers FALSE the
    // build stops there. FALSE when stopped, or when that folder cannot be
    // made; pError (may be NULL) then says why.
    static BOOL Build(LPCTSTR lpszPagePath, const CProjectSettings& settings, CUIControlList& list,
                      LPCTSTR lpszProgressScript, CStringArray& lines,
                      BOOL (*pfnStep)(int nStep, void* pContext) = NULL, void* pContext = NULL,
                      CString* pError = NULL);

    // The images folder of a page path.
    static CString ImagesFolderOf(LPCTSTR lpszPagePath);
    // The page picture (wallpaper stretched to the page, or the page colour) as
    // folder\wallpaper.png, and the wallpaper's style rule and body element.
    static void ExportWallpaper(const CProjectSettings& settings, CSize page, LPCTSTR lpszFolder,
                                CString& strStyle, CString& strBody);

    // Text for a quoted CSS string: quotes, backslashes, line breaks and "<"
    // (which could end the style block) as CSS escapes.
    static CString CssString(LPCTSTR lpszText);
    // The script with its one number put in; any other '%' stays as it is.
    static CString FormatProgressScript(LPCTSTR lpszScript, int nWidth);
};
