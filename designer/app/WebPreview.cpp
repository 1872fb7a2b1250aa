#include "designer/app/WebPreview.h"

#include "deploy/core/BootFields.h"
#include "designer/core/DiskObject.h"
#include "designer/core/PathValue.h"
#include "designer/core/ProjectPaths.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "imaging/xImage.h"
#include "framework/DC.h"
#include "framework/ScopedHandle.h"

#include <ctime>

namespace {

const COLORREF kPageColour = 0xC67B4A;

BOOL Step(BOOL (*pfnStep)(int, void*), void* pContext, int nStep)
{
    return pfnStep == NULL || pfnStep(nStep, pContext);
}

typedef BOOL (*StepProc)(int, void*);

// The export's step, told after each element; stopped when the user stopped.
struct ElementStep {
    StepProc pfnStep;
    void* pContext;
    BOOL stopped;
};

BOOL AfterElement(void* p)
{
    ElementStep* step = static_cast<ElementStep*>(p);
    step->stopped = !Step(step->pfnStep, step->pContext, 0);
    return !step->stopped;
}

// The page picture of the given size, saved as PNG.
void SavePagePicture(const CProjectSettings& settings, CSize page, const CString& path)
{
    CxImage wallpaper;
    bool loaded = !settings.wallpaper.IsEmpty() && wallpaper.Load(CProjectPaths::Resolve(settings.wallpaper));
    HDC screen = ::GetDC(NULL);
    CScopedMemDC dc(::CreateCompatibleDC(screen));
    CScopedBitmap bitmap(::CreateCompatibleBitmap(screen, page.cx, page.cy));
    ::ReleaseDC(NULL, screen);
    if (!dc.IsValid() || !bitmap.IsValid()) return;
    {
        CScopedSelect select(dc, bitmap);
        RECT r = {0, 0, page.cx, page.cy};
        if (loaded) {
            wallpaper.Draw(dc, r, NULL, true);
        } else {
            CScopedBrush brush(::CreateSolidBrush(kPageColour));
            ::FillRect(dc, &r, brush);
        }
    }
    CxImage picture;
    if (picture.CreateFromHBITMAP(bitmap)) picture.Save(path, CXIMAGE_FORMAT_PNG);
}

}  // namespace

CString CWebPreview::ImagesFolderOf(LPCTSTR lpszPagePath)
{
    CPathValue path(lpszPagePath);
    return path.GetPart(CPathValue::PART_DRIVE, "", CPathValue::PART_FOLDER) +
           path.GetPart(CPathValue::PART_NAME, "_Images", CPathValue::PART_NAME);
}

CString CWebPreview::CssString(LPCTSTR lpszText)
{
    CString out;
    for (const unsigned char* p = (const unsigned char*)lpszText; p && *p; ++p) {
        switch (*p) {
        case '\'': out += "\\27 "; break;
        case '"': out += "\\22 "; break;
        case '\\': out += "\\5C "; break;
        case '<': out += "\\3C "; break;
        case '\r': out += "\\D "; break;
        case '\n': out += "\\A "; break;
        default: out += (char)*p;
        }
    }
    return out;
}

CString CWebPreview::FormatProgressScript(LPCTSTR lpszScript, int nWidth)
{
    CString script(lpszScript), number;
    number.Format("%d", nWidth);
    int at = script.Find("%d");
    if (at >= 0) script = script.Left(at) + number + script.Mid(at + 2);
    return script;
}

void CWebPreview::ExportWallpaper(const CProjectSettings& settings, CSize page, LPCTSTR lpszFolder,
                                  CString& strStyle, CString& strBody)
{
    CString png = CString(lpszFolder) + "\\wallpaper.png";
    SavePagePicture(settings, page, png);
    CString url;
    CPathValue(png).GetParentRelativePath(url);
    url.Replace('\\', '/');
    CString style;
    style.Format(
        "#Wallpaper {\r\n    background: url('%s');\r\n    background-repeat: no-repeat;\r\n"
        "    background-position: left top;\r\n    width: %dpx;\r\n    height: %dpx;\r\n"
        "    position: absolute;\r\n    top: 0px;\r\n    left: 0px;\r\n}\r\n",
        (LPCTSTR)CssString(url), page.cx, page.cy);
    strStyle += style;
    strBody += "\r\n\r\n<!-- Wallpaper -->\r\n<div id=\"Wallpaper\" OnMouseOver=\"stop_timeout();\"> </div>";
}

BOOL CWebPreview::Build(LPCTSTR lpszPagePath, const CProjectSettings& settings,
                        CUIControlList& list, LPCTSTR lpszProgressScript, CStringArray& lines,
                        BOOL (*pfnStep)(int, void*), void* pContext, CString* pError)
{
    CString folder = ImagesFolderOf(lpszPagePath);
    if (!Step(pfnStep, pContext, 1)) return FALSE;
    CDiskObject disk;
    if (!disk.CreateFolderPath(folder)) {
        if (pError) *pError = folder + "\n" + disk.GetErrorText();
        return FALSE;
    }

    CString meta;
    meta.Format("<META name=\"date\" content=\"%s\">", FormatGmtTime(time(NULL)).c_str());
    lines.RemoveAll();
    lines.Add("<html><head>");
    lines.Add("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">");
    lines.Add("<meta name=\"generator\" content=\"Zavo Studio 2007\">");
    lines.Add(meta);
    lines.Add("<title>ZavoUI Web Preview</title>\r\n");

    CString style = "<style type=\"text/css\">\r\n", body;
    CSize page = list.GetPaperSize();
    if (page.cx <= 0 || page.cy <= 0) page = CSize(640, 480);
    if (!Step(pfnStep, pContext, 2)) return FALSE;
    ExportWallpaper(settings, page, folder, style, body);
    if (!Step(pfnStep, pContext, 3)) return FALSE;
    ElementStep step = {pfnStep, pContext, FALSE};
    list.ExportHtml(style, body, folder, AfterElement, &step);  // an element that fails leaves its part out
    if (step.stopped) return FALSE;
    style += "</style>";
    lines.Add(style);

    if (!Step(pfnStep, pContext, 4)) return FALSE;
    int width = list.GetProgressWidth();
    lines.Add(FormatProgressScript(lpszProgressScript, width < 0 ? 0 : width));
    lines.Add("</head><body>");
    lines.Add(body);
    lines.Add("</body></html>");
    return TRUE;
}
