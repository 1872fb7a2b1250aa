#include "designer/core/XmlDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {
std::string S(const CString& s)
{
    return std::string(s.GetString(), s.GetLength());
}

const char kProject[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
    "<!-- saved by the studio -->\r\n"
    "<!DOCTYPE ROOT [ <!ENTITY x \"y\"> ]>\r\n"
    "<ROOT Description=\"Zavomgr Settings File\">\r\n"
    "<COMMON>\r\n"
    "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n"
    "<WALLPAPER/>\r\n"
    "<PAPER>640,480</PAPER>\r\n"
    "</COMMON>\r\n"
    "<UICONTROL UITYPE='button'>\r\n"
    "<CAPTION><![CDATA[a <b> & c]]></CAPTION>\r\n"
    "<ITEMPOS LEFT=\"1\" RIGTH=\"2\" TOP = '3' BOTTOM=4 />\r\n"
    "</UICONTROL>\r\n"
    "<UICONTROL UITYPE=\"static\"/>\r\n"
    "</ROOT>\r\n";
}  // namespace

TEST(XmlDocument, ParsesAndNavigatesProjectText)
{
    CXmlDocument xml;
    ASSERT_TRUE(xml.SetDoc(kProject)) << S(xml.GetError());
    ASSERT_TRUE(xml.FindElem("ROOT"));
    EXPECT_EQ("Zavomgr Settings File", S(xml.GetAttrib("Description")));
    EXPECT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem("COMMON"));
    EXPECT_TRUE(xml.IntoElem());
    EXPECT_TRUE(xml.FindElem("VERSION"));
    EXPECT_EQ("Zavomgr.Doc.Ver:2.01", S(xml.GetData()));
    EXPECT_TRUE(xml.FindElem("WALLPAPER"));
    EXPECT_EQ("", S(xml.GetData()));
    EXPECT_TRUE(xml.FindElem("PAPER"));
    EXPECT_EQ("640,480", S(xml.GetData()));
    EXPECT_FALSE(xml.FindElem("PAPER"));  // searches forward only
    EXPECT_TRUE(xml.OutOfElem());
    ASSERT_TRUE(xml.FindElem("UICONTROL"));
    EXPECT_EQ("button", S(xml.GetAttrib("UITYPE")));
    EXPECT_TRUE(xml.FindChildElem("CAPTION"));
    EXPECT_EQ("a <b> & c", S(xml.GetChildData()));
    EXPECT_TRUE(xml.FindChildElem("ITEMPOS"));
    EXPECT_EQ("1", S(xml.GetChildAttrib("LEFT")));
    EXPECT_EQ("2", S(xml.GetChildAttrib("RIGTH")));
    EXPECT_EQ("3", S(xml.GetChildAttrib("TOP")));
    EXPECT_EQ("4", S(xml.GetChildAttrib("BOTTOM")));
    EXPECT_EQ("", S(xml.GetChildAttrib("RIGHT")));
    EXPECT_EQ("", S(xml.GetChildData()));
    EXPECT_FALSE(xml.FindChildElem("CAPTION"));
    ASSERT_TRUE(xml.FindElem("UICONTROL"));
    EXPECT_EQ("static", S(xml.GetAttrib("UITYPE")));
    EXPECT_FALSE(xml.FindChildElem());
    EXPECT_FALSE(xml.FindElem());
    EXPECT_TRUE(xml.OutOfElem());
    EXPECT_FALSE(xml.OutOfElem());
    EXPECT_EQ(kProject, S(xml.GetDoc()));
}

TEST(XmlDocument, NameMatchesWhenRequestContinuesWithSeparator)
{
    CXmlDocument xml("<A><ITEM/><ITEMPOS/><B/></A>");
    ASSERT_TRUE(xml.FindElem());
    EXPECT_FALSE(xml.FindChildElem("ITE"));
    EXPECT_TRUE(xml.FindChildElem("ITEMPOS"));
    xml.IntoElem();
    EXPECT_TRUE(xml.FindElem("B[1]"));
}

TEST(XmlDocument, MissingCursorGivesEmptyTextAndFailures)
{
    CXmlDocument xml("<A x=\"1\">t</A>");
    EXPECT_EQ("", S(xml.GetData()));
    EXPECT_EQ("", S(xml.GetAttrib("x")));
    EXPECT_EQ("", S(xml.GetChildData()));
    EXPECT_FALSE(xml.IntoElem());
    EXPECT_FALSE(xml.OutOfElem());
    EXPECT_FALSE(xml.AddChildElem("B"));
    EXPECT_FALSE(xml.SetAttrib("y", "2"));
    EXPECT_FALSE(xml.SetAttrib(7, "y", "2"));
    EXPECT_FALSE(xml.AddElem("B"));  // a second root
    EXPECT_EQ("<A x=\"1\">t</A>", S(xml.GetDoc()));
    EXPECT_FALSE(xml.FindChildElem());  // finds the main element first
    EXPECT_EQ("t", S(xml.GetData()));
    EXPECT_FALSE(xml.FindElem("A"));
}

TEST(XmlDocument, BuildsProjectShapedDocument)
{
    CXmlDocument xml;
    ASSERT_TRUE(xml.AddElem("ROOT"));
    ASSERT_TRUE(xml.SetAttrib("Description", "Zavomgr Settings File"));
    ASSERT_TRUE(xml.AddChildElem("COMMON"));
    EXPECT_EQ("<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON/>\r\n</ROOT>\r\n", S(xml.GetDoc()));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.AddChildElem("VERSION", "Zavomgr.Doc.Ver:2.01"));
    ASSERT_TRUE(xml.AddChildElem("WALLPAPER", ""));
    ASSERT_TRUE(xml.AddChildElem("PAPER", "640,480"));
    ASSERT_TRUE(xml.OutOfElem());
    ASSERT_TRUE(xml.AddChildElem("UICONTROL"));
    ASSERT_TRUE(xml.SetChildAttrib("UITYPE", "button"));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.AddChildElem("ITEMPOS"));
    ASSERT_TRUE(xml.SetChildAttrib("LEFT", "10"));
    ASSERT_TRUE(xml.SetChildAttrib("RIGTH", "20"));
    ASSERT_TRUE(xml.SetChildAttrib("LEFT", "11"));
    ASSERT_TRUE(xml.AddChildElem("PASSWORD", "p"));
    ASSERT_TRUE(xml.OutOfElem());
    const char kExpected[] =
        "<ROOT Description=\"Zavomgr Settings File\">\r\n"
        "<COMMON>\r\n"
        "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n"
        "<WALLPAPER/>\r\n"
        "<PAPER>640,480</PAPER>\r\n"
        "</COMMON>\r\n"
        "<UICONTROL UITYPE=\"button\">\r\n"
        "<ITEMPOS LEFT=\"11\" RIGTH=\"20\"/>\r\n"
        "<PASSWORD>p</PASSWORD>\r\n"
        "</UICONTROL>\r\n"
        "</ROOT>\r\n";
    EXPECT_EQ(kExpected, S(xml.GetDoc()));

    // the index kept up with the edits: in place and in a fresh parse
    EXPECT_EQ("button", S(xml.GetChildAttrib("UITYPE")));
    EXPECT_EQ("Zavomgr Settings File", S(xml.GetAttrib("Description")));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindChildElem("ITEMPOS"));
    EXPECT_EQ("20", S(xml.GetChildAttrib("RIGTH")));
    ASSERT_TRUE(xml.FindChildElem("PASSWORD"));
    EXPECT_EQ("p", S(xml.GetChildData()));
    CXmlDocument fresh(xml.GetDoc());
    ASSERT_TRUE(fresh.FindElem("ROOT"));
    ASSERT_TRUE(fresh.IntoElem());
    ASSERT_TRUE(fresh.FindElem("COMMON"));
    EXPECT_TRUE(fresh.FindChildElem("PAPER"));
    EXPECT_EQ("640,480", S(fresh.GetChildData()));
    ASSERT_TRUE(fresh.FindElem("UICONTROL"));
    EXPECT_EQ("button", S(fresh.GetAttrib("UITYPE")));
    ASSERT_TRUE(fresh.FindChildElem("ITEMPOS"));
    EXPECT_EQ("11", S(fresh.GetChildAttrib("LEFT")));
}

// A project of n elements written the way the studio saves one, and the text
// that must come out, built apart from the engine.
void WriteElements(CXmlDocument& xml, int n)
{
    xml.AddElem("ROOT");
    xml.SetAttrib("Description", "Zavomgr Settings File");
    xml.AddChildElem("COMMON");
    xml.IntoElem();
    xml.AddChildElem("VERSION", "Zavomgr.Doc.Ver:2.01");
    xml.OutOfElem();
    for (int i = 0; i < n; ++i) {
        std::string number = std::to_string(i);
        xml.AddChildElem("UICONTROL");
        xml.SetChildAttrib("UITYPE", i % 2 ? "button" : "picture");
        xml.IntoElem();
        xml.AddChildElem("NAME", ("e<" + number + ">").c_str());
        xml.AddChildElem("SHORTKEY");
        xml.AddChildElem("ITEMPOS");
        xml.SetChildAttrib("LEFT", number.c_str());
        xml.SetChildAttrib("TOP", "\"");
        xml.OutOfElem();
    }
}

std::string ExpectedElements(int n)
{
    std::string text = "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
                       "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n</COMMON>\r\n";
    for (int i = 0; i < n; ++i) {
        std::string number = std::to_string(i);
        text += std::string("<UICONTROL UITYPE=\"") + (i % 2 ? "button" : "picture") + "\">\r\n";
        text += "<NAME>e&lt;" + number + "&gt;</NAME>\r\n<SHORTKEY/>\r\n";
        text += "<ITEMPOS LEFT=\"" + number + "\" TOP=\"&quot;\"/>\r\n</UICONTROL>\r\n";
    }
    return text + "</ROOT>\r\n";
}

TEST(XmlDocument, LargeDocumentIsWrittenAsItsTagsSayAndKeepsItsIndex)
{
    CXmlDocument xml;
    WriteElements(xml, 3000);
    EXPECT_EQ(ExpectedElements(3000), S(xml.GetDoc()));
    // the positions moved by the edits still point at their elements
    EXPECT_EQ("Zavomgr Settings File", S(xml.GetAttrib("Description")));
    EXPECT_EQ("button", S(xml.GetChildAttrib("UITYPE")));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindChildElem("NAME"));
    EXPECT_EQ("e<2999>", S(xml.GetChildData()));
    ASSERT_TRUE(xml.FindChildElem("ITEMPOS"));
    EXPECT_EQ("\"", S(xml.GetChildAttrib("TOP")));
}

// 10,000 elements here take 70,000 edits, about as many as saving a
// 5,000-element project; rebuilding the whole text and walking the whole
// index for each edit took minutes.
TEST(XmlDocument, WritingALargeDocumentTakesLinearTime)
{
    auto start = std::chrono::steady_clock::now();
    CXmlDocument xml;
    WriteElements(xml, 10000);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(ExpectedElements(10000).size(), static_cast<size_t>(xml.GetDoc().GetLength()));
    EXPECT_LT(seconds, 3.0);
}

TEST(XmlDocument, AddsBeforeAndAfterCurrentElement)
{
    CXmlDocument xml("<R><A/><C/></R>");
    ASSERT_TRUE(xml.FindElem());
    ASSERT_TRUE(xml.FindChildElem("A"));
    ASSERT_TRUE(xml.AddChildElem("B", "2"));
    ASSERT_TRUE(xml.AddChildElem("Z", NULL, TRUE));  // before B
    ASSERT_TRUE(xml.IntoElem());
    EXPECT_EQ("<R><A/><Z/>\r\n<B>2</B>\r\n<C/></R>", S(xml.GetDoc()));
    EXPECT_EQ("", S(xml.GetData()));
    ASSERT_TRUE(xml.FindElem("B"));
    EXPECT_EQ("2", S(xml.GetData()));
    ASSERT_TRUE(xml.FindElem("C"));
    ASSERT_TRUE(xml.AddElem("D", "4"));
    EXPECT_EQ("4", S(xml.GetData()));
    ASSERT_TRUE(xml.OutOfElem());
    EXPECT_FALSE(xml.FindChildElem());  // D is the last child
    const char* order[] = {"A", "Z", "B", "C", "D"};
    CXmlDocument fresh(xml.GetDoc());
    ASSERT_TRUE(fresh.FindElem("R"));
    for (const char* name : order)
        EXPECT_TRUE(fresh.FindChildElem(name)) << name;
    EXPECT_EQ("4", S(fresh.GetChildData()));
    EXPECT_FALSE(fresh.FindChildElem());
}

TEST(XmlDocument, AddsChildIntoElementWithoutContent)
{
    CXmlDocument xml("<R></R>");
    ASSERT_TRUE(xml.FindElem());
    ASSERT_TRUE(xml.AddChildElem("A", "x"));
    EXPECT_EQ("<R>\r\n<A>x</A>\r\n</R>", S(xml.GetDoc()));
    EXPECT_EQ("x", S(xml.GetChildData()));
}

TEST(XmlDocument, EscapesRoundTripInTextAndAttributes)
{
    const char kNasty[] = "<a & b> 'q' \"dq\" &amp; &lt;tail&";
    CXmlDocument xml;
    ASSERT_TRUE(xml.AddElem("R"));
    ASSERT_TRUE(xml.SetAttrib("v", kNasty));
    ASSERT_TRUE(xml.AddChildElem("T", kNasty));
    EXPECT_EQ("<R v=\"&lt;a &amp; b&gt; &apos;q&apos; &quot;dq&quot; &amp;amp; &amp;lt;tail&amp;\">\r\n"
              "<T>&lt;a &amp; b&gt; 'q' \"dq\" &amp;amp; &amp;lt;tail&amp;</T>\r\n</R>\r\n",
              S(xml.GetDoc()));
    EXPECT_EQ(kNasty, S(xml.GetAttrib("v")));
    EXPECT_EQ(kNasty, S(xml.GetChildData()));
    CXmlDocument fresh(xml.GetDoc());
    ASSERT_TRUE(fresh.FindChildElem("T"));
    EXPECT_EQ(kNasty, S(fresh.GetAttrib("v")));
    EXPECT_EQ(kNasty, S(fresh.GetChildData()));
}

TEST(XmlDocument, UnescapeLeavesUnknownAndTruncatedEntities)
{
    EXPECT_EQ("<>&'\"", S(CXmlDocument::UnescapeText("&lt;&gt;&amp;&apos;&quot;")));
    EXPECT_EQ("&nbsp; &#60; &", S(CXmlDocument::UnescapeText("&nbsp; &#60; &")));
    EXPECT_EQ("a&l", S(CXmlDocument::UnescapeText("a&lt;", 3)));  // stops at the length
    EXPECT_EQ("&am", S(CXmlDocument::UnescapeText("&am")));
    EXPECT_EQ("a&lt;b&gt;", S(CXmlDocument::EscapeText("a<b>", TRUE)));
    EXPECT_EQ("'\"", S(CXmlDocument::EscapeText("'\"", FALSE)));
}

TEST(XmlDocument, ReplacesUnquotedAndSingleQuotedAttributes)
{
    CXmlDocument xml("<R a=1 b='2'><C/></R>");
    ASSERT_TRUE(xml.FindElem());
    ASSERT_TRUE(xml.SetAttrib("a", "x\"y"));
    ASSERT_TRUE(xml.SetAttrib("b", "it's"));
    EXPECT_EQ("<R a=\"x&quot;y\" b='it&apos;s'><C/></R>", S(xml.GetDoc()));
    EXPECT_EQ("x\"y", S(xml.GetAttrib("a")));
    EXPECT_EQ("it's", S(xml.GetAttrib("b")));
    EXPECT_TRUE(xml.FindChildElem("C"));

    // after a quote that never closes a new attribute could not be read back
    ASSERT_TRUE(xml.SetDoc("<R a=\"x></R>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_FALSE(xml.SetAttrib("b", "1"));
    EXPECT_EQ("<R a=\"x></R>", S(xml.GetDoc()));
    EXPECT_EQ("", S(xml.GetAttrib("a")));
    ASSERT_TRUE(xml.SetDoc("<R a=\"x b=1></R>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ("1", S(xml.GetAttrib("b")));
    EXPECT_FALSE(xml.SetAttrib("b", "2"));  // the new quotes would pair with the stray one
    ASSERT_TRUE(xml.SetDoc("<R a= />"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_FALSE(xml.SetAttrib("b", "2"));  // would become the value of a
    EXPECT_EQ("<R a= />", S(xml.GetDoc()));
}

TEST(XmlDocument, RejectsNamesThatWouldNotReadBack)
{
    CXmlDocument xml;
    EXPECT_FALSE(xml.AddElem(""));
    EXPECT_FALSE(xml.AddElem(NULL));
    EXPECT_FALSE(xml.AddElem("a b"));
    EXPECT_FALSE(xml.AddElem("a/"));
    EXPECT_FALSE(xml.AddElem("a<"));
    ASSERT_TRUE(xml.AddElem("a"));
    EXPECT_FALSE(xml.SetAttrib("x=y", "1"));
    EXPECT_FALSE(xml.SetAttrib("'", "1"));
    EXPECT_EQ("<a/>\r\n", S(xml.GetDoc()));
}

TEST(XmlDocument, MalformedInputsFailWithTheirMessage)
{
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "Element tag not found"},
        {"just text", "Element tag not found"},
        {"</A>", "Element tag not found"},
        {"<A>", "End tag of A element not found"},
        {"<A><B></A>", "End tag does not correspond to B"},
        {"<A></B>", "End tag does not correspond to A"},
        {"<A>x<", "Abrupt end within tag"},
        {"<A>< \r\n", "Abrupt end within tag"},
        {"<\"A\">", "Tag starts with quote"},
        {"<A", "End of tag not found"},
        {"<A b='>'", "End tag of A element not found"},
        {"<A></A", "End tag not completed for element A"},
        {"<A></", "End tag not completed for element A"},
        {"<A></A x", "End tag not completed for element A"},
        {"<!-- open <A/>", "Invalid node"},
        {"<?xml <A/>", "Invalid node"},
        {"<![CDATA[ <A/>", "Invalid node"},
        {"<!DOCTYPE [ > <A/>", "Invalid node"},
        {"<A><![CDATA[x]]</A>", "Invalid node"},
    };
    for (const Case& c : cases) {
        CXmlDocument xml;
        EXPECT_FALSE(xml.SetDoc(c.text)) << c.text;
        EXPECT_EQ(c.error, S(xml.GetError())) << c.text;
        EXPECT_EQ(c.text, S(xml.GetDoc()));
        EXPECT_FALSE(xml.FindElem());
        EXPECT_FALSE(xml.FindChildElem());
    }
}

TEST(XmlDocument, AfterFailedParseOnlyARootCanBeAdded)
{
    CXmlDocument xml;
    EXPECT_FALSE(xml.SetDoc("<?xml version=\"1.0\"?>\r\n"));
    ASSERT_TRUE(xml.AddElem("ROOT"));
    EXPECT_EQ("<?xml version=\"1.0\"?>\r\n<ROOT/>\r\n", S(xml.GetDoc()));
    CXmlDocument fresh;
    EXPECT_TRUE(fresh.SetDoc(xml.GetDoc()));
}

TEST(XmlDocument, DeepNestingIsRefusedWithoutRecursion)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    CXmlDocument xml;
    EXPECT_FALSE(xml.SetDoc(deep.c_str()));
    EXPECT_EQ("Elements nested too deeply", S(xml.GetError()));

    std::string ok;
    for (int i = 0; i < CXmlDocument::MAX_DEPTH; ++i)
        ok += "<a>";
    for (int i = 0; i < CXmlDocument::MAX_DEPTH; ++i)
        ok += "</a>";
    EXPECT_TRUE(xml.SetDoc(ok.c_str())) << S(xml.GetError());
}

TEST(XmlDocument, TextAfterRootIsIgnoredAndIndexGrows)
{
    std::string text = "<R>";
    for (int i = 0; i < 500; ++i)
        text += "<I/>";
    text += "</R> trailing <junk";
    CXmlDocument xml;
    ASSERT_TRUE(xml.SetDoc(text.c_str()));
    ASSERT_TRUE(xml.FindElem("R"));
    int count = 0;
    while (xml.FindChildElem("I"))
        ++count;
    EXPECT_EQ(500, count);
}

TEST(XmlDocument, DataOfElementWithChildrenIsEmpty)
{
    CXmlDocument xml("<R> text <C>c</C> more </R>");
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ("", S(xml.GetData()));
    ASSERT_TRUE(xml.FindChildElem());
    EXPECT_EQ("c", S(xml.GetChildData()));
    ASSERT_TRUE(xml.SetDoc("<R>  <![CDATA[raw &lt;]]>  </R>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ("raw &lt;", S(xml.GetData()));
    ASSERT_TRUE(xml.SetDoc("<R>a<!-- c -->b</R>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ("a<!-- c -->b", S(xml.GetData()));
}
