#include "designer/model/UIControl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Menu.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "controls/ColorFont.h"
#include "controls/BarPainter.h"
#include "designer/app/LangManager.h"
#include "designer/model/ThemePicture.h"
#include "designer/core/Md5Crypt.h"
#include "designer/core/PathValue.h"
#include "designer/core/StringSplitter.h"
#include "designer/model/UIControlList.h"
#include "designer/model/WallpaperCanvas.h"
#include "designer/core/XmlDocument.h"
#include "imaging/xImage.h"

namespace {
BOOL SaveScreenRect(CDC* pDC, const RECT& rect, LPCTSTR lpszPath, DWORD type)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    HDC mem = ::CreateCompatibleDC(hdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(hdc, w, h);
    BOOL ok = FALSE;
    if (mem && bmp) {
        {
            CScopedSelect sel(mem, bmp);
            ::BitBlt(mem, 0, 0, w, h, hdc, rect.left, rect.top, SRCCOPY);
        }
        CxImage image;
        ok = image.CreateFromHBITMAP(bmp) && image.Save(lpszPath, type);
    }
    if (bmp)
        ::DeleteObject(bmp);
    if (mem)
        ::DeleteDC(mem);
    return ok;
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

namespace {
// Appends c as a JavaScript hex escape.
void AppendScriptHex(CString& out, unsigned char c)
{
    char buf[8];
    snprintf(buf, sizeof(buf), "\\x%02x", c);
    out += buf;
}

// A quoted kelmenu.ini value: each line break (CR LF, CR or LF) becomes
// lpszBreak, double quotes single ones.
CString EscapeIniValue(LPCTSTR lpszText, LPCTSTR lpszBreak)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            ++p;
        if (*p == '\r' || *p == '\n')
            out += lpszBreak;
        else if (*p == '"')
            out += '\'';
        else
            out += *p;
    }
    return out;
}
}  // namespace

CString CUIControl::EscapeIniText(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, " ");
}

CString CUIControl::EscapeIniCommands(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, "\\r");
}

CString CUIControl::EscapeScriptText(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\r' && p[1] == '\n') {
            ++p;
            c = '\n';
        }
        switch (c) {
        case ' ': out += "&nbsp;"; break;
        case '&': out += "&amp;"; break;
        case '\r':
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        // Characters that would end the string, the unquoted attribute or
        // the tag.
        case '"': case '\'': case '<': case '>': case '=': case '`':
            AppendScriptHex(out, c);
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                AppendScriptHex(out, c);
            else
                out += (char)c;
        }
    }
    return out;
}

CString CUIControl::EscapeHtmlAttribute(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += *p;
        }
    }
    return out;
}

CString CUIControl::EscapeCssUrl(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\'' || c == '"' || c == '\\' || c == '<' || c == '>' || c < 0x20 || c == 0x7F) {
            char buf[8];
            snprintf(buf, sizeof(buf), "\\%x ", c);
            out += buf;
        } else {
            out += (char)c;
        }
    }
    return out;
}

CString CUIControl::FormatMenuItemBlock(int nItem, const CRect& rect, LPCTSTR lpszNormal, LPCTSTR lpszHover) const
{
    CString hash;
    GetPasswordHash(hash);
    CString block;
    block.Format("\r\n[menuitem %d]\r\ntitle=\"%s\"\r\npassword=%s\r\nnormalimage=%s\r\nhoverimage=%s\r\n"
                 "left=%d\r\ntop=%d\r\nwidth=%d\r\nheight=%d\r\nshortkey=%s\r\ncommands=\"%s\"\r\n",
                 nItem, (LPCTSTR)EscapeIniText(m_strTitle), (LPCTSTR)hash, lpszNormal, lpszHover, (int)rect.left,
                 (int)rect.top, rect.Width(), rect.Height(), (LPCTSTR)EscapeIniText(m_strShortKey),
                 (LPCTSTR)EscapeIniCommands(m_strCmdLine));
    return block;
}

CString CUIControl::FormatAnchorStyle(LPCTSTR lpszPrefix, int nIndex, const CRect& rect, LPCTSTR lpszNormalUrl,
                                      LPCTSTR lpszHoverUrl)
{
    CString rule;
    rule.Format("#%s_%d a{\r\n    position: absolute;\r\n    top: %dpx;\r\n    left: %dpx;\r\n\r\n"
                "    width: %dpx;\r\n    background: url('%s');\r\n    background-repeat: no-repeat;\r\n"
                "    height: %dpx;\r\n    overflow: hidden;\r\n}\r\n\r\n#%s_%d a:hover{\r\n"
                "    background: url('%s');\r\n}\r\n",
                lpszPrefix, nIndex, (int)rect.top, (int)rect.left, rect.Width(), (LPCTSTR)EscapeCssUrl(lpszNormalUrl),
                rect.Height(), lpszPrefix, nIndex, (LPCTSTR)EscapeCssUrl(lpszHoverUrl));
    return rule;
}

CString CUIControl::FormatAnchorBody(LPCTSTR lpszPrefix, int nIndex) const
{
    CString body;
    body.Format("<div id=\"%s_%d\"><a href=\"#\" onClick=alert(\"%s\") title=\"%s\"></a></div>", lpszPrefix, nIndex,
                (LPCTSTR)EscapeScriptText(m_strCmdLine), (LPCTSTR)EscapeHtmlAttribute(m_strTitle));
    return body;
}
