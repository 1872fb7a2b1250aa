#include "designer/app/ProjectFile.h"

#include "designer/model/UIControl.h"
#include "designer/model/UIControlFactory.h"
#include "designer/model/UIControlList.h"
#include "designer/core/XmlDocument.h"

#include <cstdlib>

namespace {

const char kDescription[] = "Zavomgr Settings File";

CString IntText(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

// The text of the next sibling of that name; empty when it is missing.
CString TakeChild(CXmlDocument& xml, LPCTSTR name)
{
    return xml.FindElem(name) ? xml.GetData() : CString();
}

}  // namespace

CProjectFile::Result CProjectFile::Read(const std::string& bytes, CUIControlList& list,
                                        CProjectSettings& settings, int& nCode,
                                        CString& strError)
{
    nCode = 0;
    strError.Empty();
    CString text;
    if (!ProjectText::ToSystemText(bytes, text)) return ReadNotText;
    std::vector<CString> lines = ProjectText::SplitLines(text);
    if (lines.empty()) return ReadNotText;
    switch (ProjectText::FormatOf(lines[0])) {
    case ProjectText::FormatBeta: return ReadBetaRefused;
    case ProjectText::FormatLines: return ReadLines(lines, list, settings);
    default: return ReadMarkup(text, list, settings, nCode, strError);
    }
}

CProjectFile::Result CProjectFile::ReadLines(const std::vector<CString>& lines,
                                             CUIControlList& list, CProjectSettings& settings)
{
    size_t i = ProjectText::ReadLinesHeader(lines, 1, settings);
    list.Clear();
    for (; i < lines.size(); ++i) {
        if (list.ParsePaper(lines[i])) continue;
        if (CUIControl* control = CUIControlFactory::CreateFromDefaultString(lines[i]))
            list.Add(control);
    }
    list.SetModified(FALSE);
    return ReadConverted;
}

CProjectFile::Result CProjectFile::ReadMarkup(const CString& text, CUIControlList& list,
                                              CProjectSettings& settings, int& nCode,
                                              CString& strError)
{
    // The whole text is parsed as it stands: its line breaks are white space
    // between elements and stay inside values.
    CXmlDocument xml;
    nCode = 0;
    if (xml.SetDoc(text)) {
        nCode = 1;
        if (xml.FindElem("ROOT")) {
            xml.IntoElem();
            nCode = 2;
            if (xml.FindElem("COMMON")) nCode = -1;
        }
    }
    if (nCode >= 0) {
        strError = xml.GetError();
        return ReadBadStructure;
    }
    nCode = 0;
    xml.IntoElem();
    if (TakeChild(xml, "VERSION").CompareNoCase(PROJECT_VERSION_CURRENT) != 0)
        return ReadUnknownVersion;
    settings.wallpaper = TakeChild(xml, "WALLPAPER");
    settings.defaultEntry = atoi(TakeChild(xml, "DEFAULT"));
    settings.timeout = atoi(TakeChild(xml, "TIMEOUT"));
    settings.singleGo = atoi(TakeChild(xml, "SINGLEGO"));
    settings.centerCursor = atoi(TakeChild(xml, "CENTCURSOR"));
    settings.useShellIcon = atoi(TakeChild(xml, "USESHELLICON"));
    list.ParsePaperValue("paper:" + TakeChild(xml, "PAPER"));
    xml.OutOfElem();

    list.Clear();
    while (xml.FindElem("UICONTROL")) {
        CString type = xml.GetAttrib("UITYPE");
        if (CUIControl* control = CUIControlFactory::CreateFromMarkup(xml, type)) list.Add(control);
    }
    list.SetModified(FALSE);
    return ReadOk;
}

CString CProjectFile::Write(CUIControlList& list, const CProjectSettings& settings)
{
    CXmlDocument xml;
    xml.SetDoc(NULL);
    xml.AddElem("ROOT");
    xml.SetAttrib("Description", kDescription);
    xml.AddChildElem("COMMON");
    xml.IntoElem();
    xml.AddChildElem("VERSION", PROJECT_VERSION_CURRENT);
    xml.AddChildElem("WALLPAPER", settings.wallpaper);
    xml.AddChildElem("DEFAULT", IntText(settings.defaultEntry));
    xml.AddChildElem("TIMEOUT", IntText(settings.timeout));
    xml.AddChildElem("SINGLEGO", IntText(settings.singleGo));
    xml.AddChildElem("CENTCURSOR", IntText(settings.centerCursor));
    xml.AddChildElem("USESHELLICON", IntText(settings.useShellIcon));
    CSize paper = list.GetPaperSize();
    CString value;
    value.Format("%i,%i;", paper.cx, paper.cy);
    xml.AddChildElem("PAPER", value);
    xml.OutOfElem();
    for (int i = 0; CUIControl* control = list.GetAt(i); ++i) control->SaveToMarkup(xml);
    list.SetModified(FALSE);
    return xml.GetDoc() + "\r\n";
}

void CProjectFile::MoveElements(CUIControlList& from, CUIControlList& to)
{
    for (int i = 0; CUIControl* control = from.GetAt(i); ++i) {
        from.SetAt(i, NULL);
        to.Add(control);
    }
    from.Clear();
}
