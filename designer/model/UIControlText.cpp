#include "designer/model/UIControl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
#include "designer/core/ElementText.h"
#include "designer/core/XmlDocument.h"
#include "designer/core/XmlPlatform.h"
#include "imaging/xImage.h"

namespace {

const char kFontFormat[] = "%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%x-%x";
const char kFontWarning[] = "GetDefaultFromString(): Invalid font attr. settings.\n";

LPCTSTR BoolText(BOOL b) { return b ? "TRUE" : "FALSE"; }

}  // namespace

void CUIControl::SetImageFile(LPCTSTR lpszPath)
{
    m_strImageFile = lpszPath ? lpszPath : "";
    if (m_strImageFile.IsEmpty())
        return;
    CopyBounded(m_szImagePath, m_strImageFile);
    for (int i = 0; i < 4; ++i)
        m_imageMargins[i] = 4;
    m_bImageLoaded = FALSE;
    CImageObject probe;
    probe.SetMargins(5, 5, 5, 5);
    if (probe.LoadFile(m_strImageFile)) {
        m_image.SetMargins(5, 5, 5, 5);
        m_bImageLoaded = m_image.LoadFile(m_strImageFile) ? TRUE : FALSE;
    }
}

void CUIControl::SetFont(const CColorFont* pFont)
{
    if (!pFont || pFont == m_pFont)
        return;
    CColorFont* pNew = new CColorFont(pFont->GetLogFontData());
    pNew->SetTextFormat(pFont->GetTextFormat());
    pNew->SetColor(pFont->GetColor());
    delete m_pFont;
    m_pFont = pNew;
}

void CUIControl::SetPropertyDialog(CUIControlEditor* pDialog, int nDialogId)
{
    if (m_bOwnsPropertyDlg && pDialog != m_pPropertyDlg)
        delete m_pPropertyDlg;
    m_bOwnsPropertyDlg = FALSE;
    m_pPropertyDlg = pDialog;
    m_nPropertyDlgId = nDialogId;
    if (pDialog)
        pDialog->SetControl(this);
}

void CUIControl::CreatePropertyDialog()
{
    if (!s_pfnDialogFactory)
        return;
    int nId = 0;
    CUIControlEditor* pDialog = s_pfnDialogFactory(m_strTypeName, nId);
    if (!pDialog)
        return;
    SetPropertyDialog(pDialog, nId);
    m_bOwnsPropertyDlg = TRUE;
}

void CUIControl::InitType(LPCTSTR lpszType, UINT nTextFormat)
{
    SetTypeName(lpszType);
    CreatePropertyDialog();
    SetName(lpszType);
    delete m_pFont;
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(nTextFormat);
}

void CUIControl::SetBootEntryTexts()
{
    CString text = LoadInterfaceString(61467, "Boot from 1st hard disk.");
    SetCaption(text);
    SetTitle(text);
    SetCmdLine("chainloader (hd0,0)+1\r\nboot");
}

CString CUIControl::GetFontString() const
{
    CString s;
    if (!m_pFont)
        return s;
    const LOGFONT& lf = m_pFont->GetLogFontData();
    s.Format(kFontFormat, (int)lf.lfHeight, (int)lf.lfWidth, (int)lf.lfEscapement, (int)lf.lfOrientation,
             (int)lf.lfWeight, (int)lf.lfItalic, (int)lf.lfUnderline, (int)lf.lfStrikeOut, (int)lf.lfCharSet,
             (int)lf.lfOutPrecision, (int)lf.lfClipPrecision, (int)lf.lfQuality, (int)lf.lfPitchAndFamily,
             m_pFont->GetTextFormat(), (unsigned)m_pFont->GetColor());
    return s;
}

CString CUIControl::GetFontFaceName() const
{
    return m_pFont ? CString(m_pFont->GetLogFontData().lfFaceName) : CString();
}

void CUIControl::ReadFontValues(LPCTSTR lpszValues, LPCTSTR lpszFace)
{
    int v[13] = {0};
    unsigned format = 0, color = 0;
    int n = sscanf(lpszValues ? lpszValues : "", kFontFormat, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                   &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &format, &color);
    if (n < 15)
        ::OutputDebugStringA(kFontWarning);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = v[0];
    lf.lfWidth = v[1];
    lf.lfEscapement = v[2];
    lf.lfOrientation = v[3];
    lf.lfWeight = v[4];
    lf.lfItalic = (BYTE)v[5];
    lf.lfUnderline = (BYTE)v[6];
    lf.lfStrikeOut = (BYTE)v[7];
    lf.lfCharSet = (BYTE)v[8];
    lf.lfOutPrecision = (BYTE)v[9];
    lf.lfClipPrecision = (BYTE)v[10];
    lf.lfQuality = (BYTE)v[11];
    lf.lfPitchAndFamily = (BYTE)v[12];
    CopyBounded(lf.lfFaceName, lpszFace);
    CColorFont* pNew = new CColorFont(lf);
    pNew->SetTextFormat(format);
    pNew->SetColor(color);
    delete m_pFont;
    m_pFont = pNew;
}

CString CUIControl::SplitKeyValue(LPCTSTR lpszText, CString& strValue)
{
    CStringSplitter parts(lpszText, ':');
    if (parts.GetCount() != 2)
        return CString();
    CString key, value;
    parts.GetText(0, key);
    parts.GetText(1, value);
    strValue = value.Trim();
    return key.Trim();
}

BOOL CUIControl::LoadFromDefaultString(LPCTSTR lpszText)
{
    CString value;
    CString key = SplitKeyValue(lpszText, value);
    return key == m_strTypeName && GetDefaultFromString(value);
}

CString CUIControl::DecodeDefaultText(const CString& text) { return ElementText::DecodeDefaultText(text); }

BOOL CUIControl::GetDefaultFromString(CString& strValue)
{
    CString value(strValue);
    if (!value.IsEmpty() && value[value.GetLength() - 1] == ';')
        value = value.Left(value.GetLength() - 1);
    CStringSplitter fields(value, ',');
    if (fields.GetCount() < 13)
        return FALSE;
    double left, top, right, bottom;
    fields.GetDouble(0, left);
    fields.GetDouble(1, top);
    fields.GetDouble(2, right);
    fields.GetDouble(3, bottom);
    SetRect(left, top, right, bottom);

    CString caption, name, title, cmd, theme, key, quick, asMenu, font, face;
    int group = 0;
    fields.GetText(4, caption);
    fields.GetText(5, name);
    fields.GetInt(6, group);
    fields.GetText(7, title);
    fields.GetText(8, cmd);
    fields.GetText(9, theme);
    fields.GetText(10, key);
    fields.GetText(11, quick);
    fields.GetText(12, asMenu);
    fields.GetText(13, font);
    fields.GetText(14, face);
    m_strTitle = DecodeDefaultText(title);
    m_strCmdLine = DecodeDefaultText(cmd);
    m_strThemeFile = DecodeDefaultText(theme);
    m_strShortKey = key;
    m_bQuickGo = quick.CompareNoCase("true") == 0;
    m_bAsMenu = asMenu.CompareNoCase("true") == 0;
    SetCaption(DecodeDefaultText(caption));
    SetName(DecodeDefaultText(name));
    SetGroup(group);
    m_bThemeReload = TRUE;
    ReadFontValues(font, face);

    CString rest;
    for (int i = 15; i < fields.GetCount(); ++i) {
        CString f;
        fields.GetText(i, f);
        if (i > 15)
            rest += ",";
        rest += f;
    }
    strValue = rest;
    return TRUE;
}

CString CUIControl::EncodeCmdLine(const CString& text, BOOL& bDoubled)
{
    return ElementText::EncodeCmdLine(text, bDoubled);
}

CString CUIControl::DecodeCmdLine(const CString& text, BOOL bBackslashEscaped)
{
    return ElementText::DecodeCmdLine(text, bBackslashEscaped);
}

namespace {
// The CMDLINE child carries this attribute when its backslashes are doubled.
const char kCmdEscapeAttr[] = "ESC";
}  // namespace

// Receives the children of a UICONTROL block in file order: each child, then
// the attributes of its start tag.
class CMarkupFieldSink {
public:
    virtual void Child(LPCTSTR lpszName, LPCTSTR lpszValue) = 0;
    virtual void ChildAttrib(LPCTSTR lpszName, LPCTSTR lpszValue) = 0;

protected:
    ~CMarkupFieldSink() {}
};

namespace {

class CDocumentSink : public CMarkupFieldSink {
public:
    explicit CDocumentSink(CXmlDocument& doc) : m_doc(doc) {}
    void Child(LPCTSTR lpszName, LPCTSTR lpszValue) override { m_doc.AddChildElem(lpszName, lpszValue); }
    void ChildAttrib(LPCTSTR lpszName, LPCTSTR lpszValue) override { m_doc.SetChildAttrib(lpszName, lpszValue); }

private:
    CXmlDocument& m_doc;
};

bool IsMarkupChar(unsigned char c)
{
    return c == '<' || c == '>' || c == '&' || c == '"' || c == '\'';
}

// Appends text escaped as CXmlDocument escapes it. False where the document
// would scan it differently: a double-byte character ending in a markup
// character, or a lead byte at the end.
bool AppendEscaped(std::string& out, LPCTSTR lpszText, BOOL bAttrib)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(lpszText ? lpszText : "");
    size_t n = strlen(reinterpret_cast<const char*>(p));
    bool special = false;
    for (size_t i = 0; i < n; ++i) {
        if (p[i] >= 0x80 && XmlPlatform::IsLeadByte(p[i])) {
            if (i + 1 >= n || IsMarkupChar(p[i + 1]))
                return false;
            ++i;
        } else if (IsMarkupChar(p[i])) {
            special = true;
        }
    }
    if (!special) {
        out.append(reinterpret_cast<const char*>(p), n);
    } else {
        CString escaped = CXmlDocument::EscapeText(lpszText, bAttrib);
        out.append(escaped, (size_t)escaped.GetLength());
    }
    return true;
}

// Writes the lines that CXmlDocument::AddChildElem and SetChildAttrib would add.
class CUndoBodyWriter : public CMarkupFieldSink {
public:
    CUndoBodyWriter() : m_pName(NULL), m_bPlain(true) { m_text.reserve(640); }
    void Child(LPCTSTR lpszName, LPCTSTR lpszValue) override
    {
        CloseChild();
        m_pName = lpszName;
        m_text += '<';
        m_text += lpszName;
        m_data.clear();
        m_bPlain = AppendEscaped(m_data, lpszValue, FALSE) && m_bPlain;
    }
    void ChildAttrib(LPCTSTR lpszName, LPCTSTR lpszValue) override
    {
        if (m_pName == NULL)
            return;
        m_text += ' ';
        m_text += lpszName;
        m_text += "=\"";
        m_bPlain = AppendEscaped(m_text, lpszValue, TRUE) && m_bPlain;
        m_text += '"';
    }
    void CloseChild()
    {
        if (m_pName == NULL)
            return;
        if (m_data.empty()) {
            m_text += "/>\r\n";
        } else {
            m_text += '>';
            m_text += m_data;
            m_text += "</";
            m_text += m_pName;
            m_text += ">\r\n";
        }
        m_pName = NULL;
    }
    std::string m_text;
    std::string m_data;  // the open child's escaped value
    LPCTSTR m_pName;     // the open child, NULL when none
    bool m_bPlain;
};

}  // namespace

BOOL CUIControl::SaveToMarkup(CXmlDocument& doc)
{
    doc.AddChildElem("UICONTROL", NULL);
    doc.SetChildAttrib("UITYPE", m_strTypeName);
    doc.IntoElem();
    CDocumentSink sink(doc);
    WriteMarkupFields(sink, TRUE);
    doc.OutOfElem();
    return TRUE;
}

BOOL CUIControl::WriteUndoBody(CString& strBody) const
{
    CUndoBodyWriter writer;
    writer.m_text += "<UICONTROL UITYPE=\"";
    writer.m_bPlain = AppendEscaped(writer.m_text, m_strTypeName, TRUE);
    writer.m_text += "\">\r\n";
    WriteMarkupFields(writer, FALSE);
    writer.CloseChild();
    writer.m_text += "</UICONTROL>";
    if (!writer.m_bPlain)
        return FALSE;
    strBody = CString(writer.m_text.data(), (int)writer.m_text.size());
    return TRUE;
}

void CUIControl::WriteMarkupFields(CMarkupFieldSink& sink, BOOL bPlace) const
{
    CString s;
    sink.Child("CAPTION", m_strCaption);
    sink.Child("NAME", m_strName);
    sink.Child("TITLE", m_strTitle);
    BOOL doubled = FALSE;
    sink.Child("CMDLINE", EncodeCmdLine(m_strCmdLine, doubled));
    if (doubled)
        sink.ChildAttrib(kCmdEscapeAttr, "1");
    sink.Child("THEMEFILE", m_strThemeFile);
    sink.Child("SHORTKEY", m_strShortKey);
    sink.Child("QUICKGO", BoolText(m_bQuickGo));
    sink.Child("ASMENU", BoolText(m_bAsMenu));
    sink.Child("FONT", GetFontString());
    sink.ChildAttrib("NAME", GetFontFaceName());
    if (bPlace) {
        s.Format("%d", m_nGroup);
        sink.Child("GROUP", s);
        sink.Child("ITEMPOS", NULL);
        CRect r = GetRect();
        s.Format("%d", r.left);
        sink.ChildAttrib("LEFT", s);
        s.Format("%d", r.right);
        sink.ChildAttrib("RIGTH", s);
        s.Format("%d", r.top);
        sink.ChildAttrib("TOP", s);
        s.Format("%d", r.bottom);
        sink.ChildAttrib("BOTTOM", s);
    }
    sink.Child("PASSWORD", m_strPassword);
    s.Format("%d", m_nEnablePass);
    sink.Child("ENABLEPASS", s);
    sink.Child("ADDPATH", m_strAddPath);
    s.Format("%x", (unsigned)m_crChunk);
    sink.Child("CHUNKCOLOR", s);
}

BOOL CUIControl::LoadFromMarkup(CXmlDocument& doc)
{
    if (doc.FindChildElem("CAPTION"))
        SetCaption(doc.GetChildData());
    if (doc.FindChildElem("NAME"))
        SetName(doc.GetChildData());
    if (doc.FindChildElem("TITLE"))
        SetTitle(doc.GetChildData());
    if (doc.FindChildElem("CMDLINE")) {
        BOOL escaped = !doc.GetChildAttrib(kCmdEscapeAttr).IsEmpty();
        SetCmdLine(DecodeCmdLine(doc.GetChildData(), escaped));
    }
    if (doc.FindChildElem("THEMEFILE"))
        SetThemeFile(doc.GetChildData());
    if (doc.FindChildElem("SHORTKEY"))
        SetShortKey(doc.GetChildData());
    if (doc.FindChildElem("QUICKGO"))
        SetQuickGo(doc.GetChildData().CompareNoCase("TRUE") == 0);
    if (doc.FindChildElem("ASMENU"))
        SetAsMenu(doc.GetChildData().CompareNoCase("TRUE") == 0);
    if (doc.FindChildElem("FONT"))
        ReadFontValues(doc.GetChildData(), doc.GetChildAttrib("NAME"));
    if (doc.FindChildElem("GROUP"))
        SetGroup(atoi(doc.GetChildData()));
    if (doc.FindChildElem("ITEMPOS")) {
        SetRect(atof(doc.GetChildAttrib("LEFT")), atof(doc.GetChildAttrib("TOP")),
                atof(doc.GetChildAttrib("RIGTH")), atof(doc.GetChildAttrib("BOTTOM")));
    }
    if (doc.FindChildElem("PASSWORD"))
        SetPassword(doc.GetChildData());
    if (doc.FindChildElem("ENABLEPASS"))
        SetEnablePass(atoi(doc.GetChildData()));
    if (doc.FindChildElem("ADDPATH"))
        SetAddPath(doc.GetChildData());
    if (doc.FindChildElem("CHUNKCOLOR"))
        SetChunkColor((COLORREF)strtoul(doc.GetChildData(), NULL, 16));
    m_bThemeReload = TRUE;
    return TRUE;
}

BOOL CUIControl::OpenThemeArchive(LPCTSTR lpszPath)
{
    BOOL accepted = FALSE;
    if (m_themeArchive.OpenArchive(lpszPath)) {
        m_nThemeEntries = m_themeArchive.GetEntryCount();
        for (int i = 0; i < m_nThemeEntries && !accepted; ++i) {
            unsigned char* data = NULL;
            unsigned size = 0;
            BOOL isFile = FALSE;
            CString name;
            if (!m_themeArchive.GetEntry(i, data, size, isFile, name))
                break;
            CString lower(name);
            lower.MakeLower();
            if (lower.GetLength() < 4 || lower.Right(4) != ".ini")
                continue;
            CString text((LPCTSTR)data, (int)size);
            accepted = LoadTheme(text);
        }
    }
    m_themeArchive.CloseArchive();
    return accepted;
}

BOOL CUIControl::FindThemeEntry(LPCTSTR lpszName, unsigned char*& pData, unsigned& nSize)
{
    int count = m_themeArchive.GetEntryCount();
    for (int i = 0; i < count; ++i) {
        unsigned char* data = NULL;
        unsigned size = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!m_themeArchive.GetEntry(i, data, size, isFile, name))
            break;
        if (isFile && name.CompareNoCase(lpszName) == 0) {
            pData = data;
            nSize = size;
            return TRUE;
        }
    }
    pData = NULL;
    nSize = 0;
    return FALSE;
}

BOOL CUIControl::LoadThemeEntry(LPCTSTR lpszName, int nLeft, int nTop, int nRight, int nBottom,
                                CThemePicture& picture)
{
    unsigned char* data = NULL;
    unsigned size = 0;
    if (!FindThemeEntry(lpszName, data, size))
        return FALSE;
    CThemePicture decoded;
    decoded.SetMargins(nLeft, nTop, nRight, nBottom);
    if (!decoded.LoadMemory(data, size, CXIMAGE_FORMAT_UNKNOWN))
        return FALSE;
    picture = decoded;
    return TRUE;
}

CRect CUIControl::ParseClipBox(LPCTSTR lpszText)
{
    CRect r(0, 0, 0, 0);
    const char* p = lpszText ? strchr(lpszText, '(') : NULL;
    if (!p)
        return r;
    LONG* edges[4] = {&r.left, &r.top, &r.right, &r.bottom};
    ++p;
    for (int i = 0; i < 4; ++i) {
        *edges[i] = atoi(p);
        p = strchr(p, ',');
        if (!p)
            break;
        ++p;
    }
    return r;
}

void CUIControl::GetPasswordHash(CString& strHash) const
{
    strHash.Empty();
    if (m_nEnablePass == 0 || m_strPassword.IsEmpty())
        return;
    char out[40] = {0};
    MakeMd5CryptPassword(m_strPassword, out);
    strHash = out;
}

void CUIControl::ToLoaderPath(CString& strPath)
{
    CString out;
    CPathValue(strPath).GetParentRelativePath(out);
    out.Replace('\\', '/');
    strPath = out;
}
