#include "designer/core/ElementText.h"

#include <gtest/gtest.h>

using namespace ElementText;

TEST(ElementText, CommandLinesSurviveTheProjectFileWithTypedEscapes)
{
    const char* lines[] = {"a\r\nb", "typed \\n stays", "c:\\new\\root", "end\\", "\\\\share", ""};
    for (const char* line : lines) {
        BOOL doubled = FALSE;
        CString encoded = EncodeCmdLine(line, doubled);
        EXPECT_EQ(-1, encoded.Find('\r')) << line;
        EXPECT_EQ(-1, encoded.Find('\n')) << line;
        EXPECT_EQ(CString(line), DecodeCmdLine(encoded, doubled)) << line;
    }
    // older files: a backslash pair without the mark stays a pair
    EXPECT_EQ(CString("a\\\\b"), DecodeCmdLine("a\\\\b", FALSE));
    EXPECT_EQ(CString("a:b;c,d\r\n"), DecodeDefaultText("a\\colonb\\semicolonc\\commad\\newline"));
}

TEST(ElementText, IniValuesAreOneQuotedLine)
{
    EXPECT_EQ(CString("a b c 'q'"), EscapeIniText("a\r\nb\rc\n\"q\""));
    EXPECT_EQ(CString("kernel x\\rboot"), EscapeIniCommands("kernel x\r\nboot"));
    EXPECT_EQ(CString(""), EscapeIniText(NULL));
}

TEST(ElementText, WebTextsCannotLeaveTheirQuotes)
{
    EXPECT_EQ(CString("a&nbsp;&amp;\\n\\x22\\x27\\x3c\\x3e\\x3d\\x60\\\\\\x01"),
              EscapeScriptText("a &\r\n\"'<>=`\\\x01"));
    EXPECT_EQ(CString("&lt;b&gt; &quot;x&quot; &amp;"), EscapeHtmlAttribute("<b> \"x\" &"));
    EXPECT_EQ(CString("a\\27 \\22 \\5c \\3c \\a b"), EscapeCssUrl("a'\"\\<\nb"));
}

TEST(ElementText, BlocksCarryEscapedFields)
{
    ItemBox box = {10, 20, 100, 30};
    CString block = MenuItemBlock(3, box, "T\"1", "$1$x", "n.bmp", "h.bmp", "F1", "a\nb");
    EXPECT_EQ(CString("\r\n[menuitem 3]\r\ntitle=\"T'1\"\r\npassword=$1$x\r\nnormalimage=n.bmp\r\nhoverimage=h.bmp\r\n"
                      "left=10\r\ntop=20\r\nwidth=100\r\nheight=30\r\nshortkey=F1\r\ncommands=\"a\\rb\"\r\n"),
              block);
    CString style = AnchorStyle("btn", 2, box, "n'.png", "h.png");
    EXPECT_EQ(0, style.Find("#btn_2 a{\r\n    position: absolute;\r\n    top: 20px;\r\n    left: 10px;"));
    EXPECT_GE(style.Find("url('n\\27 .png')"), 0);
    EXPECT_GE(style.Find("#btn_2 a:hover{\r\n    background: url('h.png');"), 0);
    EXPECT_EQ(CString("<div id=\"btn_2\"><a href=\"#\" onClick=alert(\"go&nbsp;x\") title=\"&lt;t&gt;\"></a></div>"),
              AnchorBody("btn", 2, "go x", "<t>"));
}
