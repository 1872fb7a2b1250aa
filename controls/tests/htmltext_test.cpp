#include "controls/HtmlColor.h"
#include "controls/HtmlTextRenderer.h"
#include "controls/tests/TextTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct DrawnLine {
    int x, y;
    std::string text;
    int weight, lfHeight, height;
    COLORREF color;
    std::string face;
};

class RecordingRenderer : public CHtmlTextRenderer {
public:
    std::vector<DrawnLine> lines;
    std::string All() const
    {
        std::string all;
        for (const DrawnLine& l : lines)
            all += l.text;
        return all;
    }

protected:
    virtual void OutputLine(CDC* pDC, int x, int y, const CString& strLine)
    {
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        char face[LF_FACESIZE] = "";
        ::GetTextFace(pDC->GetSafeHdc(), LF_FACESIZE, face);
        LOGFONT lf = {};
        ::GetObject(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT), sizeof(lf), &lf);
        lines.push_back({x, y, (LPCTSTR)strLine, (int)tm.tmWeight, (int)lf.lfHeight,
                         (int)tm.tmHeight, pDC->GetTextColor(), lf.lfFaceName});
        CHtmlTextRenderer::OutputLine(pDC, x, y, strLine);
    }
};

LOGFONT TestFont()
{
    LOGFONT lf = {};
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyn(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return lf;
}

bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
bool IsBlack(COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; }

std::vector<DrawnLine> Render(const char* text, int w = 400, int h = 200,
                              RecordingRenderer* out = NULL)
{
    RecordingRenderer local;
    RecordingRenderer& r = out ? *out : local;
    r.SetFont(TestFont(), RGB(0, 0, 0));
    r.SetText(text);
    TestCanvas canvas(w, h, RGB(255, 255, 255));
    r.Draw(&canvas.dc, CRect(0, 0, w, h));
    return r.lines;
}
}  // namespace

TEST(HtmlColor, NumbersHexAndNames)
{
    EXPECT_EQ(RGB(255, 0, 0), CHtmlColor("255,0,0").GetColor());
    EXPECT_EQ(RGB(44, 2, 0), CHtmlColor("300,2").GetColor());
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), CHtmlColor("99999999999999,-1,255").GetColor() | RGB(0xFF, 0, 0));
    EXPECT_EQ(RGB(0x12, 0xAB, 0xEF), CHtmlColor("#12abEF").GetColor());
    EXPECT_EQ(RGB(0, 0, 0), CHtmlColor("#12abE").GetColor());
    EXPECT_EQ(RGB(0, 0, 0), CHtmlColor("x#12abEF").GetColor());
    EXPECT_EQ(RGB(0, 0, 0), CHtmlColor("#").GetColor());
    EXPECT_EQ(RGB(255, 0, 0), CHtmlColor("rEd").GetColor());
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xCD), CHtmlColor("BlanchedAlmond").GetColor());
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), CHtmlColor("gray").GetColor());
    EXPECT_EQ(RGB(0x8B, 0xCD, 0x32), CHtmlColor("YellowGreen").GetColor());
    EXPECT_EQ(RGB(0xD3, 0xD3, 0xD3), CHtmlColor("LightGrey").GetColor());
    EXPECT_EQ(RGB(0, 0, 0), CHtmlColor("LightGray").GetColor());
    EXPECT_EQ(RGB(0, 0, 0), CHtmlColor(NULL).GetColor());
}

TEST(HtmlText, EntitiesAndMarkers)
{
    EXPECT_EQ('&', CHtmlTextRenderer::DecodeEntity(2));
    EXPECT_EQ('\x99', CHtmlTextRenderer::DecodeEntity(14));
    EXPECT_EQ(' ', CHtmlTextRenderer::DecodeEntity(15));
    EXPECT_EQ(' ', CHtmlTextRenderer::DecodeEntity(1));
    EXPECT_STREQ("a\x01\x08"
                 "b\x01\x02\r\n&AMP;&amp",
                 CHtmlTextRenderer::PrepareText("a&lt;b&amp;\\r\\n&AMP;&amp"));
    // A marker typed into the text is a blank, not the start of an entity.
    EXPECT_STREQ(" x", CHtmlTextRenderer::PrepareText("\x01x"));

    LPCTSTR p = "ab\x01\x09"
                "cd e";
    BOOL brk = TRUE;
    EXPECT_STREQ("ab cd ", CHtmlTextRenderer::GetNextWord(p, brk));
    EXPECT_FALSE(brk);
    EXPECT_STREQ("e", CHtmlTextRenderer::GetNextWord(p, brk));
    LPCTSTR q = "x\r\ny\x01";
    EXPECT_STREQ("x ", CHtmlTextRenderer::GetNextWord(q, brk));
    EXPECT_TRUE(brk);
    EXPECT_STREQ("y", CHtmlTextRenderer::GetNextWord(q, brk));
    EXPECT_EQ('\0', *q);
}

TEST(HtmlText, BoldRunContinuesIntoPlainRun)
{
    std::vector<DrawnLine> lines = Render("<B>bold</B> plain");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("bold", lines[0].text);
    EXPECT_EQ(700, lines[0].weight);
    EXPECT_EQ(" plain", lines[1].text);
    EXPECT_EQ(400, lines[1].weight);
    EXPECT_EQ(lines[0].y, lines[1].y);
    EXPECT_GT(lines[1].x, lines[0].x + 15);

    lines = Render("<b>x</b></b>y<i>z");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(700, lines[0].weight);
    EXPECT_EQ(400, lines[1].weight);
}

// A run that ends with a typed line break hands the next run the start of the
// new line; a break inside a run leaves the next run behind its last line.
TEST(HtmlText, RunAfterALineBreakStartsAtTheLeft)
{
    std::vector<DrawnLine> lines = Render("ab\\r\\n<B>c</B>d");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("ab ", lines[0].text);
    EXPECT_EQ("c", lines[1].text);
    EXPECT_EQ(0, lines[1].x);
    EXPECT_GT(lines[1].y, lines[0].y);
    EXPECT_EQ(lines[1].y, lines[2].y);
    EXPECT_GT(lines[2].x, 0);

    lines = Render("a\\r\\nbbbb<B>c</B>");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("bbbb", lines[1].text);
    EXPECT_EQ(0, lines[1].x);
    EXPECT_EQ(lines[1].y, lines[2].y);
    EXPECT_GT(lines[2].x, 15);
}

TEST(HtmlText, LooseAngleBracketsAndEntitiesAreText)
{
    EXPECT_EQ("a<b", [] { RecordingRenderer r; Render("a<b", 400, 200, &r); return r.All(); }());
    std::vector<DrawnLine> lines = Render("&lt;B&gt;x");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("<B>x", lines[0].text);
    EXPECT_EQ(400, lines[0].weight);
}

TEST(HtmlText, NonBreakingSpaceKeepsWordsTogether)
{
    TestCanvas probe(10, 10);
    CFont font;
    LOGFONT lf = TestFont();
    font.CreateFontIndirect(&lf);
    CScopedSelect sel(&probe.dc, &font);
    int width = probe.dc.GetTextExtent("wwww wwww").cx;
    EXPECT_EQ(2u, Render("wwww wwww", width + 1).size());
    EXPECT_EQ(1u, Render("wwww&nbsp;wwww", width + 1).size());
}

TEST(HtmlText, BigSmallFontAndCode)
{
    std::vector<DrawnLine> lines = Render("a<BIG><BIG>b</FONT>c<big>d</CODE>e<SMALL>f");
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ(-14, lines[0].lfHeight);
    EXPECT_EQ(-16, lines[1].lfHeight);
    EXPECT_EQ(-14, lines[2].lfHeight);
    EXPECT_EQ(-15, lines[3].lfHeight);
    EXPECT_EQ(-14, lines[4].lfHeight);
    EXPECT_EQ(-13, lines[5].lfHeight);

    lines = Render("<CODE>mono</CODE>x");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("Courier New", lines[0].face);
    EXPECT_EQ("Tahoma", lines[1].face);
}

TEST(HtmlText, FontColourAndSize)
{
    std::vector<DrawnLine> lines = Render("a<FONT COLOR=\"Red\" SIZE=\"4\">b</FONT>c");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(RGB(255, 0, 0), lines[1].color);
    EXPECT_EQ(-18, lines[1].lfHeight);
    EXPECT_GT(lines[1].height, lines[0].height);
    EXPECT_EQ(RGB(0, 0, 0), lines[2].color);

    lines = Render("<font color=Red>b");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(RGB(0, 0, 0), lines[0].color);
    // Unknown words are skipped; FACE is cut to the LOGFONT field.
    lines = Render("<FONT x=1 face=\"Courier New\" bgcolor=\"0,0,255\">m");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("Courier New", lines[0].face);
    std::string longFace = "<FONT FACE=\"" + std::string(300, 'F') + "\" SIZE=\"99999999999\">m";
    lines = Render(longFace.c_str(), 400, 1300);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(std::string(31, 'F'), lines[0].face);
    EXPECT_EQ(-1000, lines[0].lfHeight);
}

TEST(HtmlText, WrapsCutsAndStopsAtTheBottom)
{
    std::vector<DrawnLine> lines = Render("aa wwwwwwwwwwwwwwwwwwww bb", 60);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("aa ", lines[0].text);
    EXPECT_EQ("wwwwwwwwwwwwwwwwwwww ", lines[1].text);
    EXPECT_GT(lines[1].y, lines[0].y);

    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "line<BR>";
    lines = Render(many.c_str(), 200, 50);
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines.size(), 5u);
    for (const DrawnLine& l : lines)
        EXPECT_LE(l.y + l.height, 50);
}

TEST(HtmlText, BrokenMarkupEndsAndIsDrawnAsText)
{
    const char* texts[] = {"x<FONT COLOR=\"Red\"", "x<HR SIZE=3", "x<A HREF=\"y", "x&amp", "x\x01",
                           "<", "</", "<B", "x<FONT COLOR=\"Red>y", "&", "x<HR SIZE=\"-5\">y"};
    for (const char* text : texts) {
        RecordingRenderer r;
        Render(text, 300, 100, &r);
        EXPECT_FALSE(r.lines.empty()) << text;
    }
    RecordingRenderer r;
    Render("x<FONT COLOR=\"Red\"", 300, 100, &r);
    EXPECT_EQ("x<FONT COLOR=\"Red\"", r.All());
}

TEST(HtmlText, SubscriptSuperscriptAndCentre)
{
    std::vector<DrawnLine> lines = Render("a<SUB>b</SUB>c<SUP>d</SUP>");
    ASSERT_EQ(4u, lines.size());
    EXPECT_GT(lines[1].y, lines[0].y);
    EXPECT_EQ(lines[2].y, lines[0].y);
    EXPECT_LT(lines[3].y, lines[0].y);

    lines = Render("<CENTER>mid</CENTER>", 400);
    ASSERT_EQ(1u, lines.size());
    EXPECT_GT(lines[0].x, 150);
    EXPECT_LT(lines[0].x, 200);
}

TEST(HtmlText, PixelsOfColouredRunsAndRule)
{
    RecordingRenderer r;
    r.SetFont(TestFont(), RGB(0, 0, 0));
    r.SetText("<FONT COLOR=\"#FF0000\">MMMM</FONT>MMMM<HR SIZE=\"3\">");
    TestCanvas canvas(300, 100, RGB(255, 255, 255));
    r.Draw(&canvas.dc, CRect(10, 20, 300, 100));
    ASSERT_GE(r.lines.size(), 2u);
    int split = 10 + r.lines[1].x;
    // The rule's pen is centred on the next line top: leave out the last rows.
    int top = 20 + r.lines[0].y, bottom = top + r.lines[0].height - 2;
    EXPECT_GT(canvas.Count(10, top, split, bottom, IsRed), 20);
    EXPECT_EQ(0, canvas.Count(10, top, split, bottom, IsBlack));
    EXPECT_GT(canvas.Count(split, top, 300, bottom, IsBlack), 20);
    EXPECT_EQ(0, canvas.Count(split + 4, top, 300, bottom, IsRed));  // a glyph may overhang its advance
    // Above and left of the target rectangle nothing changed.
    EXPECT_EQ(0, canvas.Count(0, 0, 300, 20, [](COLORREF c) { return c != RGB(255, 255, 255); }));
    EXPECT_EQ(0, canvas.Count(0, 0, 10, 100, [](COLORREF c) { return c != RGB(255, 255, 255); }));
    // The rule: a full black row somewhere below the text.
    int ruleRows = 0;
    for (int y = top; y < 100; ++y)
        ruleRows += canvas.Count(10, y, 300, y + 1, IsBlack) == 290 ? 1 : 0;
    EXPECT_GE(ruleRows, 2);
}

TEST(HtmlText, EmptyTextLeavesTargetAndOpaqueFillsWhite)
{
    RecordingRenderer r;
    r.SetFont(TestFont(), RGB(0, 0, 0));
    TestCanvas canvas(50, 50, RGB(0, 0, 255));
    r.Draw(&canvas.dc, CRect(0, 0, 50, 50));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(25, 25));

    r.SetText(" ");
    r.SetTransparent(FALSE);
    r.Draw(&canvas.dc, CRect(10, 10, 40, 40));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(25, 25));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 5));
    r.SetTransparent(TRUE);
    r.SetText("x");
    r.Draw(&canvas.dc, CRect(41, 0, 50, 50));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(48, 45));
}

TEST(HtmlText, TagSoupEndsAndStaysInsideTheTarget)
{
    static const char* const kPieces[] = {
        "<B>", "</B>", "<i>", "</U>", "<FONT", " COLOR=\"", "Red", "\"", ">", " SIZE=\"9\"", "<HR",
        " SIZE=", "7", "&amp;", "&", "&nbsp;", "\x01", "<", "</", "\\r\\n", "\r\n", "<BR>", "word ",
        "<CENTER>", "</CENTER>", "<SUB>", "<SUP>", "</FONT>", "<BIG>", "</SMALL>", "<CODE>",
        "<A HREF=", "</A>", " ", "\xB0\xA1", "BGCOLOR=\"#00ff00\"", "FACE=\"x"};
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    const COLORREF kOutside = RGB(1, 2, 3);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (unsigned i = 0, n = 1 + next(30); i < n; ++i)
            text += kPieces[next(sizeof(kPieces) / sizeof(kPieces[0]))];
        RecordingRenderer r;
        r.SetFont(TestFont(), RGB(0, 0, 0));
        r.SetText(text.c_str());
        r.SetTransparent(round % 2);
        TestCanvas canvas(140, 80, kOutside);
        r.Draw(&canvas.dc, CRect(10, 10, 130, 70));
        int outside = canvas.CountColour(0, 0, 140, 80, kOutside) - canvas.CountColour(10, 10, 130, 70, kOutside);
        ASSERT_EQ(140 * 80 - 120 * 60, outside) << text;
    }
}

// Text drawn into a memory DC does not depend on the DC's state left by
// earlier drawing (origin, alignment, spacing, colours, font), and leaves
// that state as it was.
TEST(HtmlText, MemoryTargetGivesTheSamePixelsWhateverItsState)
{
    const char* kText = "<B>Bold</B> plain <FONT COLOR=\"#FF0000\">red</FONT> and a long line that wraps<HR SIZE=\"2\">";
    CHtmlTextRenderer r;
    r.SetFont(TestFont(), RGB(0, 0, 0));
    r.SetText(kText);
    TestCanvas clean(200, 120, RGB(240, 240, 240));
    r.Draw(&clean.dc, CRect(20, 10, 180, 110));

    TestCanvas used(200, 120, RGB(240, 240, 240));
    HDC hdc = used.dc.GetSafeHdc();
    ::SetWindowOrgEx(hdc, 7, 3, NULL);
    ::SetTextAlign(hdc, TA_BOTTOM | TA_RIGHT | TA_UPDATECP);
    ::SetTextCharacterExtra(hdc, 5);
    ::SetTextColor(hdc, RGB(0, 0, 255));
    ::SetBkMode(hdc, OPAQUE);
    HFONT big = ::CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ oldFont = ::SelectObject(hdc, big);
    r.Draw(&used.dc, CRect(20 + 7, 10 + 3, 180 + 7, 110 + 3));
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(clean.Pixel(x, y), used.Pixel(x, y)) << x << "," << y;
    POINT org;
    ::GetWindowOrgEx(hdc, &org);
    EXPECT_EQ(7, org.x);
    EXPECT_EQ(3, org.y);
    EXPECT_EQ((UINT)(TA_BOTTOM | TA_RIGHT | TA_UPDATECP), ::GetTextAlign(hdc));
    EXPECT_EQ(5, ::GetTextCharacterExtra(hdc));
    EXPECT_EQ(RGB(0, 0, 255), ::GetTextColor(hdc));
    EXPECT_EQ(OPAQUE, ::GetBkMode(hdc));
    EXPECT_EQ(big, ::GetCurrentObject(hdc, OBJ_FONT));
    ::SelectObject(hdc, oldFont);
    ::DeleteObject(big);
}
