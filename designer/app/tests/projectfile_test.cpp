#include "designer/app/ProjectFile.h"
#include "designer/app/WebPreview.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/app/ZavomgrDoc.h"
#include "controls/ColorFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include "imaging/xImage.h"
#include <string>

namespace {

// Every property of the block set to something other than its default.
void Fill(CUIControl* c, int n)
{
    c->SetRect(10.0 + n, 20.0 + n, 110.0 + n, 60.0 + n);
    c->SetCaption(CString("Caption <&> ") + (char)('A' + n));
    c->SetName("name" + CString((char)('0' + n)));
    c->SetTitle("Title \"quoted\"");
    c->SetCmdLine("kernel /boot/vmlinuz\r\nboot");
    c->SetThemeFile("C:\\Themes\\Button\\blue.zmt");
    c->SetShortKey("F" + CString((char)('1' + n)));
    c->SetQuickGo(TRUE);
    c->SetAsMenu(TRUE);
    LOGFONT lf = {};
    lf.lfHeight = -20 - n;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfCharSet = 134;
    strcpy(lf.lfFaceName, "Tahoma");
    CColorFont font(lf);
    font.SetColor(RGB(10, 200, 30 + n));
    font.SetTextFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    c->SetFont(&font);
    c->SetGroup(7 + n);
    c->SetPassword("secret");
    c->SetEnablePass(2);
    c->SetAddPath("C:\\Pictures\\hover.png");
    c->SetChunkColor(0x12AB34 + n);
}

CString FullProject(CProjectSettings& s, CUIControlList& list)
{
    CUIControl* types[] = {new CUIButton, new CUIPicture, new CUIStatic, new CUIProgress};
    for (int i = 0; i < 4; ++i) {
        Fill(types[i], i);
        list.Add(types[i]);
    }
    list.SetPaperSize(800, 600);
    s.wallpaper = "C:\\Wallpaper\\sea & sky.jpg";
    s.defaultEntry = 3;
    s.timeout = 12;
    s.singleGo = 1;
    s.centerCursor = 1;
    s.useShellIcon = 1;
    return CProjectFile::Write(list, s);
}

CProjectFile::Result ReadText(const std::string& bytes, CUIControlList& list, CProjectSettings& s)
{
    int code = -1;
    CString error;
    return CProjectFile::Read(bytes, list, s, code, error);
}

std::string Str(const CString& s) { return std::string((LPCTSTR)s, s.GetLength()); }

TEST(ProjectFile, EveryPropertySurvivesTwoSaves)
{
    CProjectSettings s1;
    CUIControlList list1;
    CString first = FullProject(s1, list1);
    ASSERT_EQ(first.Find("<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"), 0) << Str(first);
    EXPECT_NE(first.Find("<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>"), -1);
    EXPECT_NE(first.Find("<PAPER>800,600;</PAPER>"), -1);
    EXPECT_EQ(first.Right(2), CString("\r\n"));

    CProjectSettings s2;
    CUIControlList list2;
    ASSERT_EQ(ReadText(Str(first), list2, s2), CProjectFile::ReadOk);
    ASSERT_EQ(list2.GetCount(), 4);
    EXPECT_EQ(list2.GetAt(0)->GetTypeName(), CString("button"));
    EXPECT_EQ(list2.GetAt(3)->GetTypeName(), CString("progress"));
    EXPECT_EQ(list2.GetAt(2)->GetCmdLine(), CString("kernel /boot/vmlinuz\r\nboot"));
    EXPECT_EQ(list2.GetAt(1)->GetCaption(), CString("Caption <&> B"));
    EXPECT_FALSE(list2.IsModified());
    EXPECT_EQ(s2.wallpaper, s1.wallpaper);
    EXPECT_EQ(s2.defaultEntry, 3);
    EXPECT_EQ(s2.timeout, 12);
    EXPECT_EQ(s2.useShellIcon, 1);
    CString second = CProjectFile::Write(list2, s2);
    EXPECT_EQ(Str(second), Str(first));

    CProjectSettings s3;
    CUIControlList list3;
    ASSERT_EQ(ReadText(Str(second), list3, s3), CProjectFile::ReadOk);
    EXPECT_EQ(Str(CProjectFile::Write(list3, s3)), Str(first));
}

std::string Utf16(const std::string& ascii, bool bigEndian)
{
    std::string out = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
    for (char c : ascii) {
        if (bigEndian) out += '\0';
        out += c;
        if (!bigEndian) out += '\0';
    }
    return out;
}

std::string WithLineEnds(std::string text, const char* eol, bool finalEnd)
{
    std::string out;
    size_t pos;
    while ((pos = text.find("\r\n")) != std::string::npos) {
        out += text.substr(0, pos) + eol;
        text = text.substr(pos + 2);
    }
    out += text;
    if (!finalEnd) out.erase(out.size() - strlen(eol));
    return out;
}

TEST(ProjectFile, ReadsUtf16And8BitWithAnyLineEnd)
{
    CProjectSettings s;
    CUIControlList list;
    std::string text = Str(FullProject(s, list));
    for (const char* eol : {"\r\n", "\n"}) {
        for (bool finalEnd : {true, false}) {
            std::string plain = WithLineEnds(text, eol, finalEnd);
            for (const std::string& bytes : {plain, Utf16(plain, false), Utf16(plain, true)}) {
                CProjectSettings r;
                CUIControlList read;
                ASSERT_EQ(ReadText(bytes, read, r), CProjectFile::ReadOk) << eol << finalEnd << bytes.size();
                EXPECT_EQ(read.GetCount(), 4);
                EXPECT_EQ(read.GetAt(0)->GetCmdLine(), CString("kernel /boot/vmlinuz\r\nboot"));
                EXPECT_EQ(Str(CProjectFile::Write(read, r)), text);
            }
        }
    }
}

const char kLinesProject[] =
    "zavomgr.doc.ver:1.02\r\n"
    "wallpaper:C:\\Wallpaper\\old.bmp\r\n"
    "Default:2\r\n"
    "Timeout:30\r\n"
    "SingleGo:1\r\n"
    "paper:1024,768;\r\n"
    "button:10,20,110,50,Go,entry1,0,title,cmd\\comma2,,F1,TRUE,false;\r\n"
    "static:5,5,200,40,Hello\\colon world,label,3,,,,,false,false;\r\n"
    "nonsense line\r\n"
    "picture:1,2,3;\n";

TEST(ProjectFile, LineFormatIsConvertedToTheCurrentOne)
{
    CProjectSettings s;
    s.centerCursor = 5;  // a fresh record is the caller's; defaults stay
    CUIControlList list;
    ASSERT_EQ(ReadText(kLinesProject, list, s), CProjectFile::ReadConverted);
    EXPECT_EQ(s.wallpaper, CString("C:\\Wallpaper\\old.bmp"));
    EXPECT_EQ(s.defaultEntry, 2);
    EXPECT_EQ(s.timeout, 30);
    EXPECT_EQ(s.singleGo, 1);
    EXPECT_EQ(list.GetPaperSize(), CSize(1024, 768));
    ASSERT_EQ(list.GetCount(), 2);  // the short picture line is refused
    EXPECT_EQ(list.GetAt(0)->GetCmdLine(), CString("cmd,2"));
    EXPECT_EQ(list.GetAt(1)->GetCaption(), CString("Hello: world"));
    EXPECT_FALSE(list.IsModified());

    CString saved = CProjectFile::Write(list, s);
    EXPECT_NE(saved.Find("<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>"), -1);
    EXPECT_NE(saved.Find("<PAPER>1024,768;</PAPER>"), -1);
    CProjectSettings again;
    CUIControlList reread;
    ASSERT_EQ(ReadText(Str(saved), reread, again), CProjectFile::ReadOk);
    EXPECT_EQ(reread.GetCount(), 2);
    EXPECT_EQ(again.timeout, 30);
}

TEST(ProjectFile, RefusedAndBrokenFiles)
{
    CProjectSettings s;
    CUIControlList list;
    int code = -1;
    CString error;
    EXPECT_EQ(CProjectFile::Read("Zavomgr.Doc.Ver:1.01\r\nwallpaper:x\r\n", list, s, code, error),
              CProjectFile::ReadBetaRefused);
    EXPECT_EQ(CProjectFile::Read("", list, s, code, error), CProjectFile::ReadNotText);
    EXPECT_EQ(CProjectFile::Read("<ROOT><COMMON>", list, s, code, error), CProjectFile::ReadBadStructure);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(CProjectFile::Read("<OTHER/>", list, s, code, error), CProjectFile::ReadBadStructure);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(CProjectFile::Read("<ROOT><X/></ROOT>", list, s, code, error), CProjectFile::ReadBadStructure);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(CProjectFile::Read("<ROOT><COMMON><VERSION>Zavomgr.Doc.Ver:2.02</VERSION></COMMON>"
                                 "<UICONTROL UITYPE=\"button\"/></ROOT>",
                                 list, s, code, error),
              CProjectFile::ReadUnknownVersion);
    EXPECT_EQ(list.GetCount(), 0);
}

// The document: a refused file changes nothing; a missing image keeps its path;
// a project without a wallpaper takes none from the one before.
TEST(ProjectDocument, RefusedFileLeavesTheProjectAlone)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CZavomgrDoc doc;
    CProjectSettings s;
    CUIControlList list;
    std::string full = Str(FullProject(s, list));
    ASSERT_TRUE(doc.LoadProject(full));
    ASSERT_EQ(doc.GetControlList().GetCount(), 4);

    EXPECT_FALSE(doc.LoadProject("Zavomgr.Doc.Ver:1.01\r\nwallpaper:C:\\x.bmp\r\n"));
    EXPECT_FALSE(doc.LoadProject("<ROOT><COMMON><VERSION>1.0</VERSION></COMMON></ROOT>"));
    EXPECT_FALSE(doc.LoadProject(std::string("\xFF\xFE", 2)));
    EXPECT_EQ(doc.GetControlList().GetCount(), 4);
    EXPECT_EQ(doc.GetSettings().wallpaper, s.wallpaper);
    EXPECT_EQ(Str(CProjectFile::Write(doc.GetControlList(), doc.GetSettings())), full);

    std::string bare =
        "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
        "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER/>\r\n<PAPER>0,0;</PAPER>\r\n"
        "</COMMON>\r\n</ROOT>\r\n";
    ASSERT_TRUE(doc.LoadProject(bare));
    EXPECT_EQ(doc.GetSettings().wallpaper, CString(""));
    EXPECT_EQ(doc.GetSettings().timeout, 0);
    EXPECT_EQ(doc.GetControlList().GetCount(), 0);
    EXPECT_EQ(doc.GetControlList().GetPaperSize(), CSize(640, 480));  // never a zero page
    CString saved = CProjectFile::Write(doc.GetControlList(), doc.GetSettings());
    EXPECT_NE(saved.Find("<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER/>\r\n<DEFAULT>"), -1)
        << (LPCTSTR)saved;
}

TEST(ProjectDocument, MissingWallpaperImageKeepsItsPath)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CZavomgrDoc doc;
    std::string text =
        "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
        "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER>C:\\no\\such\\wall.jpg</WALLPAPER>\r\n"
        "<DEFAULT>1</DEFAULT>\r\n<TIMEOUT>5</TIMEOUT>\r\n<SINGLEGO>0</SINGLEGO>\r\n"
        "<CENTCURSOR>0</CENTCURSOR>\r\n<USESHELLICON>0</USESHELLICON>\r\n<PAPER>640,480;</PAPER>\r\n"
        "</COMMON>\r\n</ROOT>\r\n\r\n";
    ASSERT_TRUE(doc.LoadProject(text));
    EXPECT_EQ(doc.GetSettings().wallpaper, CString("C:\\no\\such\\wall.jpg"));
    EXPECT_EQ(Str(CProjectFile::Write(doc.GetControlList(), doc.GetSettings())), text);
}

// A new project has the canvas's time-out of 25 and no wallpaper; a later
// new project keeps the settings of the one before except its wallpaper.
TEST(ProjectDocument, NewProjectStartsFromTheCanvasDefaults)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CZavomgrDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CString fresh = CProjectFile::Write(doc.GetControlList(), doc.GetSettings());
    EXPECT_NE(fresh.Find("<WALLPAPER/>\r\n<DEFAULT>0</DEFAULT>\r\n<TIMEOUT>25</TIMEOUT>\r\n"), -1)
        << (LPCTSTR)fresh;
    EXPECT_NE(fresh.Find("<PAPER>640,480;</PAPER>"), -1);

    CProjectSettings s;
    CUIControlList list;
    ASSERT_TRUE(doc.LoadProject(Str(FullProject(s, list))));
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetSettings().wallpaper, CString(""));
    EXPECT_EQ(doc.GetSettings().timeout, 12);
    EXPECT_EQ(doc.GetControlList().GetCount(), 0);
    EXPECT_EQ(doc.GetControlList().GetPaperSize(), CSize(640, 480));
}

// Values far beyond any field the project keeps them in are cut or refused,
// never copied past the field.
TEST(ProjectDocument, OversizedValuesStayInBounds)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    std::string face(5000, 'F'), caption(200000, 'c');
    std::string text =
        "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
        "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER>" +
        std::string(70000, 'w') +
        "</WALLPAPER>\r\n<DEFAULT>99999999999999999999</DEFAULT>\r\n"
        "<PAPER>2147483647,-2147483648;</PAPER>\r\n</COMMON>\r\n"
        "<UICONTROL UITYPE=\"static\">\r\n<CAPTION>" +
        caption + "</CAPTION>\r\n"
                  "<FONT NAME=\"" +
        face + "\">" + std::string(3000, '9') + "," + std::string(3000, '-') +
        "</FONT>\r\n<ITEMPOS LEFT=\"1e308\" RIGTH=\"-1e308\" TOP=\"nan\" BOTTOM=\"" +
        std::string(400, '7') + "\"/>\r\n</UICONTROL>\r\n</ROOT>\r\n";
    CZavomgrDoc doc;
    ASSERT_TRUE(doc.LoadProject(text));
    ASSERT_EQ(doc.GetControlList().GetCount(), 1);
    CUIControl* c = doc.GetControlList().GetAt(0);
    EXPECT_EQ(c->GetCaption().GetLength(), (int)caption.size());
    EXPECT_LT(c->GetFontFaceName().GetLength(), LF_FACESIZE);
    EXPECT_EQ(doc.GetControlList().GetPaperSize(), CSize(640, 480));
    EXPECT_EQ(doc.GetSettings().wallpaper.GetLength(), 70000);
}

// A save that cannot replace the file leaves the project marked as unsaved,
// so that closing it still asks.
TEST(ProjectDocument, FailedSaveKeepsTheUnsavedMark)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string path = std::string(tmp) + "locked_" + std::to_string(GetCurrentProcessId()) + ".kel";
    CZavomgrDoc doc;
    doc.GetControlList().Add(new CUIStatic);
    ASSERT_TRUE(doc.GetControlList().IsModified());

    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
    EXPECT_TRUE(doc.GetControlList().IsModified());
    CloseHandle(lock);

    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    EXPECT_FALSE(doc.GetControlList().IsModified());
    DeleteFileA(path.c_str());
}

TEST(WebPreview, PageWithWallpaperRuleAndScript)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "webpreview_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), NULL);
    // a quote in the page name must not end the style's url string
    std::string page = dir + "\\it's.html";
    CProjectSettings s;
    s.wallpaper = "C:\\no\\such.jpg";  // the page colour instead
    CUIControlList list;
    list.SetPaperSize(800, 600);
    CStringArray lines;
    ASSERT_TRUE(CWebPreview::Build(page.c_str(), s, list, "<script>var w = %d; /* 100% */</script>", lines));
    std::string all;
    for (int i = 0; i < lines.GetSize(); ++i) all += std::string((LPCTSTR)lines[i]) + "\n";
    EXPECT_EQ(all.find("<html><head>\n"), 0u);
    EXPECT_NE(all.find("width: 800px;\r\n    height: 600px;"), std::string::npos) << all;
    EXPECT_NE(all.find("url('./it\\27 s_Images/wallpaper.png')"), std::string::npos) << all;
    EXPECT_NE(all.find("<script>var w = 0; /* 100% */</script>"), std::string::npos);
    EXPECT_NE(all.find("<div id=\"Wallpaper\""), std::string::npos);
    std::string png = dir + "\\it's_Images\\wallpaper.png";
    CxImage picture;
    ASSERT_TRUE(picture.Load(png.c_str()));
    EXPECT_EQ(picture.GetWidth(), 800u);
    RGBQUAD c = picture.GetPixelColor(5, 5);
    EXPECT_EQ(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue), (COLORREF)0xC67B4A);
    DeleteFileA(png.c_str());
    RemoveDirectoryA((dir + "\\it's_Images").c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(WebPreview, ImagesFolderThatCannotBeMadeFailsThePage)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    // a file where the page's folder should be
    std::string blocker = std::string(tmp) + "webpreview_" + std::to_string(GetCurrentProcessId()) + "_file";
    CProjectSettings s;
    s.wallpaper = "C:\\no\\such.jpg";  // a page colour picture to write
    CUIControlList list;
    list.SetPaperSize(800, 600);
    CStringArray lines;
    std::ofstream(blocker) << "x";
    CString error;
    EXPECT_FALSE(CWebPreview::Build((blocker + "\\page.html").c_str(), s, list, "", lines, NULL, NULL, &error));
    EXPECT_EQ(error.Find((blocker + "\\page_Images").c_str()), 0) << (LPCTSTR)error;
    DeleteFileA(blocker.c_str());
}

TEST(WebPreview, CssStringAndProgressScriptAreEscaped)
{
    EXPECT_EQ(CWebPreview::CssString("a'b\"c\\d</style>"), CString("a\\27 b\\22 c\\5C d\\3C /style>"));
    EXPECT_EQ(CWebPreview::FormatProgressScript("x%sy%d", 7), CString("x%sy7"));
}

}  // namespace
