// Element base class: project-file blocks, default strings, geometry and
// handles, for every element type.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/ColorFont.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlFactory.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/core/XmlDocument.h"

namespace {

// The markup of one element block under a ROOT element.
CString WriteBlock(CUIControl* p)
{
    CXmlDocument doc;
    doc.AddElem("ROOT");
    p->SaveToMarkup(doc);
    return doc.GetDoc();
}

// Reads the first UICONTROL block of a text through the factory.
CUIControl* ReadBlock(const CString& text)
{
    CXmlDocument doc;
    if (!doc.SetDoc(text) || !doc.FindElem("ROOT") || !doc.IntoElem() || !doc.FindElem("UICONTROL"))
        return NULL;
    return CUIControlFactory::CreateFromMarkup(doc, doc.GetAttrib("UITYPE"));
}

CUIControl* MakeType(const char* type)
{
    if (!strcmp(type, "button")) return new CUIButton;
    if (!strcmp(type, "picture")) return new CUIPicture;
    if (!strcmp(type, "static")) return new CUIStatic;
    return new CUIProgress;
}

// Every property of the block away from its default.
void SetEveryProperty(CUIControl* p)
{
    p->SetRect(10.0, 20.0, 110.0, 50.0);
    p->SetCaption("Caption <b>&amp; \"quoted\"</b>");
    p->SetName("entry 1");
    p->SetTitle("Title: one; two, three");
    p->SetCmdLine("kernel C:\\boot\\new.img\r\ninitrd \\n literal\\\\twice\r\nboot");
    p->SetThemeFile("C:\\Themes\\Button\\blue.zmt");
    p->SetShortKey("F5");
    p->SetQuickGo(!p->GetQuickGo());
    p->SetAsMenu(!p->GetAsMenu());
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -20;
    lf.lfWidth = 3;
    lf.lfEscapement = 10;
    lf.lfOrientation = 10;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = 204;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 4;
    lf.lfPitchAndFamily = 34;
    strcpy(lf.lfFaceName, "Courier New");
    CColorFont font(lf);
    font.SetTextFormat(0x25);
    font.SetColor(RGB(0x12, 0x34, 0x56));
    p->SetFont(&font);
    p->SetGroup(77);
    p->SetPassword("s3cret");
    p->SetEnablePass(2);
    p->SetAddPath("C:\\Pictures\\hover.png");
    p->SetChunkColor(RGB(0xAB, 0xCD, 0xEF));
}

class ElementTypes : public ::testing::TestWithParam<const char*> {};

TEST_P(ElementTypes, EveryPropertySurvivesWriteReadWriteByteForByte)
{
    std::unique_ptr<CUIControl> original(MakeType(GetParam()));
    SetEveryProperty(original.get());
    CString first = WriteBlock(original.get());

    std::unique_ptr<CUIControl> loaded(ReadBlock(first));
    ASSERT_TRUE(loaded != NULL) << (LPCTSTR)first;
    EXPECT_STREQ(GetParam(), loaded->GetTypeName());
    EXPECT_STREQ((LPCTSTR)first, (LPCTSTR)WriteBlock(loaded.get()));

    EXPECT_STREQ(original->GetCmdLine(), loaded->GetCmdLine());
    EXPECT_STREQ(original->GetCaption(), loaded->GetCaption());
    EXPECT_STREQ(original->GetTitle(), loaded->GetTitle());
    EXPECT_EQ(CRect(10, 20, 110, 50), loaded->GetRect());
    EXPECT_EQ(77, loaded->GetGroup());
    EXPECT_EQ(2, loaded->GetEnablePass());
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), loaded->GetChunkColor());
    EXPECT_EQ(original->GetQuickGo(), loaded->GetQuickGo());
    EXPECT_EQ(original->GetAsMenu(), loaded->GetAsMenu());
    EXPECT_STREQ("Courier New", loaded->GetFontFaceName());
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), loaded->GetFont()->GetColor());
    EXPECT_EQ(0x25u, loaded->GetFont()->GetTextFormat());
    EXPECT_TRUE(loaded->IsThemeReloadPending());
}

TEST_P(ElementTypes, CloneCopiesEverythingButTheGroup)
{
    std::unique_ptr<CUIControl> original(MakeType(GetParam()));
    SetEveryProperty(original.get());
    std::unique_ptr<CUIControl> copy(original->Clone());
    EXPECT_STREQ(GetParam(), copy->GetTypeName());
    EXPECT_EQ(0, copy->GetGroup());
    copy->SetGroup(original->GetGroup());
    EXPECT_STREQ((LPCTSTR)WriteBlock(original.get()), (LPCTSTR)WriteBlock(copy.get()));
}

void ExpectBodyAsDocument(CUIControl* p)
{
    CString body("untouched");
    ASSERT_TRUE(p->WriteUndoBody(body)) << (LPCTSTR)p->GetCaption();
    // what undo compared before: the block cut out of the document
    const CString fromDocument = CUIControlList::DocumentBody(p);
    EXPECT_EQ(0, fromDocument.Find("<UICONTROL"));
    EXPECT_STREQ((LPCTSTR)fromDocument, (LPCTSTR)body);
}

TEST_P(ElementTypes, UndoBodyIsTheDocumentsBlockWithoutPlaceAndGroup)
{
    std::unique_ptr<CUIControl> p(MakeType(GetParam()));
    ExpectBodyAsDocument(p.get());
    SetEveryProperty(p.get());
    ExpectBodyAsDocument(p.get());
    // markup characters, line breaks and high bytes in every text
    p->SetCaption("<ITEMPOS LEFT=\"1\"/>\r\n<GROUP>5</GROUP>\n&lt; 'x' \xe9\xff");
    p->SetName("a&b>c");
    p->SetTitle("\"quoted\" and 'single'");
    p->SetCmdLine("kernel \\n\r\n</CMDLINE>");
    p->SetThemeFile("");
    p->SetShortKey("<");
    p->SetPassword("p&<>\"'");
    p->SetAddPath("C:\\x\\\xe4.png");
    LOGFONT lf = p->GetFont()->GetLogFontData();
    strcpy(lf.lfFaceName, "A&B \"<x>'");
    CColorFont font(lf);
    p->SetFont(&font);
    ExpectBodyAsDocument(p.get());
    p->SetCmdLine("");
    p->SetEnablePass(0);
    ExpectBodyAsDocument(p.get());
}

INSTANTIATE_TEST_SUITE_P(All, ElementTypes, ::testing::Values("button", "picture", "static", "progress"));

TEST(ElementBlock, UndoBodyOfAnElementWithoutFontIsTheDocumentsBlock)
{
    CUIControl c;
    c.SetCaption("x");
    ExpectBodyAsDocument(&c);
}

// Under a double-byte code page (936 here): Chinese texts are written
// straight, while a character whose second byte is a markup character, or a
// lead byte at a text's end, is left to the document.
TEST(ElementBlockDoubleByte, UndoBodyWritesChineseTextsAndLeavesOddBytesToTheDocument)
{
    if (::GetACP() != 936)
        GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8), this is " << ::GetACP();
    CUIButton b;
    b.SetCaption("\xd6\xd0\xce\xc4 <\xb2\xcb\xb5\xa5> & \x81\x40");  // GBK text, markup, a trail byte 0x40
    b.SetTitle("\xc6\xf4\xb6\xaf");
    LOGFONT lf = b.GetFont()->GetLogFontData();
    strcpy(lf.lfFaceName, "\xcb\xce\xcc\xe5");
    CColorFont font(lf);
    b.SetFont(&font);
    ExpectBodyAsDocument(&b);

    const char* odd[] = {"\x81<GROUP>", "\x81>", "\x81&", "\x81\"", "\x81'", "ends in a lead byte \x81"};
    for (const char* text : odd) {
        CUIButton e;
        e.SetCaption(text);
        CString body("untouched");
        EXPECT_FALSE(e.WriteUndoBody(body)) << text;
        EXPECT_STREQ("untouched", (LPCTSTR)body) << text;
    }
    CUIButton face;
    strcpy(lf.lfFaceName, "\xcb\xce\xcc");
    CColorFont cut(lf);
    face.SetFont(&cut);
    CString body;
    EXPECT_FALSE(face.WriteUndoBody(body));

    // undo still tells their changes apart
    CUIControlList list;
    std::vector<CString> blocks;
    for (const char* text : odd) {
        CUIButton* e = new CUIButton;
        e->SetCaption(text);
        list.Add(e);
        blocks.push_back(WriteBlock(e));
    }
    list.SaveUndo();
    list.GetAt(0)->SetCaption("\x81<GROUP>x");
    list.GetAt(5)->SetName("changed");
    list.Undo();
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_STREQ((LPCTSTR)blocks[(size_t)i], (LPCTSTR)WriteBlock(list.GetAt(i))) << i;
}

TEST(ElementBlock, CommandLineLinesAreEscapedOnOneLine)
{
    CUIButton b;
    b.SetCmdLine("a\r\nb");
    CString text = WriteBlock(&b);
    EXPECT_NE(-1, text.Find("a\\r\\nb</CMDLINE>")) << (LPCTSTR)text;
}

TEST(ElementBlock, PlainPathsAreWrittenAsBeforeAndTrickyBackslashesRoundTrip)
{
    CUIButton b;
    b.SetCmdLine("kernel \\boot\\vmlinuz\r\nboot");
    CString text = WriteBlock(&b);
    EXPECT_NE(-1, text.Find("<CMDLINE>kernel \\boot\\vmlinuz\\r\\nboot</CMDLINE>")) << (LPCTSTR)text;

    const char* tricky[] = {"\\", "a\\", "\\\r\n", "\\\\", "\\n\\r", "x\\\\\\ny", "\\\n\\"};
    for (const char* t : tricky) {
        BOOL doubled = FALSE;
        CString once = CUIControl::EncodeCmdLine(t, doubled);
        EXPECT_STREQ(t, CUIControl::DecodeCmdLine(once, doubled)) << t;
        EXPECT_EQ(-1, once.FindOneOf("\r\n"));
        b.SetCmdLine(t);
        std::unique_ptr<CUIControl> p(ReadBlock(WriteBlock(&b)));
        ASSERT_TRUE(p != NULL);
        EXPECT_STREQ(t, p->GetCmdLine());
    }
}

TEST(ElementBlock, OldFilesKeepTheirBackslashesAndLineBreaks)
{
    // Written before backslashes were doubled: no ESC attribute.
    CString text =
        "<ROOT>\r\n<UICONTROL UITYPE=\"button\">\r\n<CAPTION>Go</CAPTION>\r\n"
        "<CMDLINE>find --set-root \\\\boot\\x.img\\r\\nboot</CMDLINE>\r\n"
        "<ITEMPOS LEFT=\"1\" RIGTH=\"41\" TOP=\"2\" BOTTOM=\"22\"/>\r\n</UICONTROL>\r\n</ROOT>\r\n";
    std::unique_ptr<CUIControl> p(ReadBlock(text));
    ASSERT_TRUE(p != NULL);
    EXPECT_STREQ("find --set-root \\\\boot\\x.img\r\nboot", p->GetCmdLine());
    EXPECT_EQ(CRect(1, 2, 41, 22), p->GetRect());
}

TEST(ElementBlock, CoordinatesComeBackTruncated)
{
    CUIStatic s;
    s.SetRect(10.7, 20.2, 60.9, 40.5);
    std::unique_ptr<CUIControl> p(ReadBlock(WriteBlock(&s)));
    ASSERT_TRUE(p != NULL);
    EXPECT_DOUBLE_EQ(10.0, p->GetLeft());
    EXPECT_DOUBLE_EQ(60.0, p->GetRight());
}

TEST(ElementBlock, CoordinatesBeyondTheIntRangeKeepTheirOrder)
{
    CString text = "<ROOT><UICONTROL UITYPE=\"button\"><ITEMPOS LEFT=\"-1e300\" RIGTH=\"1e12\" TOP=\"nan\" "
                   "BOTTOM=\"nan\"/></UICONTROL></ROOT>";
    std::unique_ptr<CUIControl> p(ReadBlock(text));
    ASSERT_TRUE(p != NULL);
    CRect r = p->GetRect();
    EXPECT_LT(r.left, -1000000000);
    EXPECT_GT(r.right, 1000000000);
    EXPECT_GT(r.Width(), 0);
    // NaN edges read as 0; the minimum size then gives the height.
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(1, r.Height());
    EXPECT_EQ(UIHANDLE_BODY, p->HitTest(CPoint(5, 0)));
}

TEST(ElementBlock, LongFaceNameIsCutToTheFontField)
{
    CString face;
    for (int i = 0; i < 200; ++i)
        face += 'F';
    CString text = "<ROOT><UICONTROL UITYPE=\"static\"><FONT NAME=\"" + face +
                   "\">-14-0-0-0-400-0-0-0-1-0-0-2-18-5-0</FONT></UICONTROL></ROOT>";
    std::unique_ptr<CUIControl> p(ReadBlock(text));
    ASSERT_TRUE(p != NULL);
    EXPECT_EQ(LF_FACESIZE - 1, p->GetFontFaceName().GetLength());
}

TEST(DefaultString, FieldsAndEscapesAreRead)
{
    CUIButton b;
    ASSERT_TRUE(b.LoadFromDefaultString(
        "button:10,20,110,50,Go,entry1,0,title,cmd\\comma2,,F1,TRUE,false"));
    EXPECT_EQ(CRect(10, 20, 110, 50), b.GetRect());
    EXPECT_STREQ("Go", b.GetCaption());
    EXPECT_STREQ("entry1", b.GetName());
    EXPECT_STREQ("title", b.GetTitle());
    EXPECT_STREQ("cmd,2", b.GetCmdLine());
    EXPECT_STREQ("F1", b.GetShortKey());
    EXPECT_TRUE(b.GetQuickGo());
    EXPECT_FALSE(b.GetAsMenu());
    EXPECT_TRUE(b.IsThemeReloadPending());
    ASSERT_TRUE(b.GetFont() != NULL);
}

TEST(DefaultString, EveryEscapeAndALiteralBackslashNSurviveTheProjectFile)
{
    CUIButton b;
    CString value =
        " 1.5,2,30,40,a\\colonb\\semicolonc\\commad\\newlinee,n\\comma1,12,t\\colon1,"
        "root\\newlineecho \\n done,th\\comma.zmt,Ctrl\\comma,true,TRUE,"
        "-16-0-0-0-700-1-0-0-134-0-0-2-18-25-ff00,Arial,extra1,extra2; ";
    ASSERT_TRUE(b.LoadFromDefaultString(CString("button:") + value));
    EXPECT_STREQ("a:b;c,d\r\ne", b.GetCaption());
    EXPECT_STREQ("n,1", b.GetName());
    EXPECT_EQ(12, b.GetGroup());
    EXPECT_STREQ("t:1", b.GetTitle());
    EXPECT_STREQ("root\r\necho \\n done", b.GetCmdLine());
    EXPECT_STREQ("th,.zmt", b.GetThemeFile());
    EXPECT_STREQ("Ctrl\\comma", b.GetShortKey());
    EXPECT_TRUE(b.GetAsMenu());
    EXPECT_STREQ("Arial", b.GetFontFaceName());
    EXPECT_STREQ("-16-0-0-0-700-1-0-0-134-0-0-2-18-25-ff00", b.GetFontString());
    EXPECT_DOUBLE_EQ(1.5, b.GetLeft());

    // The further fields are handed back to the caller.
    CString rest = value;
    CUIStatic s;
    ASSERT_TRUE(s.GetDefaultFromString(rest.Trim()));
    EXPECT_STREQ("extra1,extra2", rest);

    std::unique_ptr<CUIControl> p(ReadBlock(WriteBlock(&b)));
    ASSERT_TRUE(p != NULL);
    EXPECT_STREQ("root\r\necho \\n done", p->GetCmdLine());
    EXPECT_STREQ("a:b;c,d\r\ne", p->GetCaption());
    EXPECT_STREQ((LPCTSTR)WriteBlock(&b), (LPCTSTR)WriteBlock(p.get()));
}

TEST(DefaultString, WrongKeyOrTooFewFieldsChangeNothing)
{
    CUIButton b;
    CString before = WriteBlock(&b);
    EXPECT_FALSE(b.LoadFromDefaultString("Button:10,20,110,50,Go,entry1,0,title,cmd,,F1,TRUE,false"));
    EXPECT_FALSE(b.LoadFromDefaultString("button:10,20,110,50,Go,entry1,0,title,cmd,,F1,TRUE"));
    EXPECT_FALSE(b.LoadFromDefaultString("button:1:2"));
    EXPECT_STREQ((LPCTSTR)before, (LPCTSTR)WriteBlock(&b));
    EXPECT_STREQ(";", CUIControl().GetDefaultString());
}

TEST(Geometry, MinimumAndMaximumSizeKeepTheLeftEdge)
{
    CUIControl c;
    EXPECT_EQ(CRect(0, 0, 1, 1), c.GetRect());
    c.SetRect(5.0, 5.0, 5.0, 5.0);
    EXPECT_EQ(CRect(5, 5, 6, 6), c.GetRect());
    c.SetSizeLimits(10, 10, 20, 20);
    c.SetRect(CRect(100, 100, 40, 40));  // reversed: normalised first
    EXPECT_EQ(CRect(40, 40, 60, 60), c.GetRect());
    c.Offset(0.5, -0.5);
    EXPECT_DOUBLE_EQ(40.5, c.GetLeft());
    EXPECT_DOUBLE_EQ(39.5, c.GetTop());
}

TEST(Geometry, HandlesSitOnTheInflatedRectangleAndTheHighestIdWins)
{
    CUIControl c;
    c.SetRect(10.0, 10.0, 50.0, 30.0);
    CRect r = c.GetRect();
    EXPECT_EQ(CRect(5, 5, 11, 11), c.GetHandleRect(UIHANDLE_TOPLEFT, r));
    EXPECT_EQ(CRect(27, 29, 33, 35), c.GetHandleRect(UIHANDLE_BOTTOM, r));
    EXPECT_EQ(UIHANDLE_TOPLEFT, c.HitTest(CPoint(10, 10)));
    EXPECT_EQ(UIHANDLE_BODY, c.HitTest(CPoint(20, 15)));
    EXPECT_EQ(UIHANDLE_NONE, c.HitTest(CPoint(60, 15)));
    EXPECT_EQ(UIHANDLE_RIGHT, c.HitTest(CPoint(52, 20)));
    // A tiny element: every handle overlaps, the last one tested wins.
    c.SetRect(0.0, 0.0, 2.0, 2.0);
    EXPECT_EQ(UIHANDLE_RIGHT, c.HitTest(CPoint(1, 1)));
    EXPECT_TRUE(c.GetHandleCursor(UIHANDLE_BODY) != NULL);
    EXPECT_TRUE(c.GetHandleCursor(0) == NULL);
    EXPECT_TRUE(c.IntersectsRect(CRect(2, 2, -5, -5)));
    EXPECT_FALSE(c.IntersectsRect(CRect(2, 2, 9, 9)));
}

TEST(Properties, PasswordModeIsCappedAndHashedOnlyWhenOn)
{
    CUIButton b;
    b.SetEnablePass(5);
    EXPECT_EQ(2, b.GetEnablePass());
    b.SetEnablePass(-1);
    EXPECT_EQ(-1, b.GetEnablePass());
    CString hash;
    b.SetPassword("pw");
    b.SetEnablePass(0);
    b.GetPasswordHash(hash);
    EXPECT_TRUE(hash.IsEmpty());
    b.SetEnablePass(1);
    b.GetPasswordHash(hash);
    EXPECT_EQ(0, hash.Find("$1$"));
    EXPECT_EQ(CRect(1, 2, 3, 4), CUIControl::ParseClipBox("clipbox=(1, 2,3,4)"));
    EXPECT_EQ(CRect(0, 0, 0, 0), CUIControl::ParseClipBox("1,2,3,4"));
    EXPECT_EQ(CRect(7, 0, 0, 0), CUIControl::ParseClipBox("(7"));
    CString path = "C:\\Menu\\Images\\item1.bmp";
    CUIControl::ToLoaderPath(path);
    EXPECT_STREQ("./Images/item1.bmp", path);
}

TEST(Properties, BaseElementWithoutFontClonesAndWrites)
{
    CUIControl c;
    c.SetCaption("x");
    std::unique_ptr<CUIControl> copy(c.Clone());
    EXPECT_STREQ("basic", copy->GetTypeName());
    EXPECT_TRUE(copy->GetFont() == NULL);
    EXPECT_NE(-1, WriteBlock(copy.get()).Find("UITYPE=\"basic\""));
}

std::string Fixture(const char* name)
{
    return "Z:" + std::string(ZAVO_BINARY_DIR) + "/designer/theme_fixtures/" + name;
}

// Takes a theme text when its pictures can be found in the open package.
class ThemeProbe : public CUIControl {
public:
    BOOL LoadTheme(LPCTSTR lpszTheme) override
    {
        texts.push_back(lpszTheme);
        unsigned char* data = NULL;
        unsigned size = 0;
        CString wanted = CString(lpszTheme).Find("none.bmp") >= 0 ? "img/none.bmp" : "IMG/Hover.bmp";
        if (!FindThemeEntry(wanted, data, size))
            return FALSE;
        hover = std::string((const char*)data, size);
        return TRUE;
    }
    std::vector<CString> texts;
    std::string hover;
};

TEST(ThemePackage, FirstAcceptedIniWinsAndEntriesAreFoundWithoutCase)
{
    ThemeProbe menu;
    EXPECT_TRUE(menu.OpenThemeArchive(Fixture("menu.zmt").c_str()));
    ASSERT_EQ(1u, menu.texts.size());
    EXPECT_EQ(0, menu.texts[0].Find("; a menu entry theme"));
    EXPECT_EQ(0u, menu.hover.find("BM"));
    unsigned char* data = NULL;
    unsigned size = 1;
    EXPECT_FALSE(menu.FindThemeEntry("img/hover.bmp", data, size));  // closed again
    EXPECT_EQ(0u, size);

    ThemeProbe two;
    EXPECT_TRUE(two.OpenThemeArchive(Fixture("twoini.zmt").c_str()));
    EXPECT_EQ(2u, two.texts.size());

    const char* refused[] = {"plain.zmt", "nopictures.zmt", "menu_truncated.zmt", "empty.zmt", "missing.zmt"};
    for (const char* name : refused) {
        ThemeProbe probe;
        EXPECT_FALSE(probe.OpenThemeArchive(Fixture(name).c_str())) << name;
    }
}

TEST(Drawing, ElementsDrawIntoAMemoryDc)
{
    HDC screen = ::GetDC(NULL);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    CDC dc;
    dc.Attach(mem);
    const char* types[] = {"button", "picture", "static", "progress"};
    for (const char* t : types) {
        std::unique_ptr<CUIControl> p(MakeType(t));
        p->SetRect(20.0, 20.0, 120.0, 60.0);
        p->SetSelected(TRUE);
        p->DrawOnCanvas(&dc, 1.0, 3);
    }
    // White body, light-blue handle at the top-left corner.
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(60, 50));
    EXPECT_EQ(RGB(197, 231, 246), dc.GetPixel(122, 40));
    dc.Detach();
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(NULL, screen);
}

}  // namespace
