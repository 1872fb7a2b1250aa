// The four element types: drawing by pixels, their menu-file blocks and
// bitmaps over a composed wallpaper, the progress values and the web page.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "controls/ColorFont.h"
#include "designer/model/DrawnPixels.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/core/PackageFiles.h"
#include "designer/model/WallpaperCanvas.h"
#include "imaging/xImage.h"
#include "testsupport/TestSupport.h"

namespace {

std::string Fixture(const char* name)
{
    return "Z:" + std::string(ZAVO_BINARY_DIR) + "/designer/theme_fixtures/" + name;
}

void RemoveTree(const CString& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(folder + "\\*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            CString name(fd.cFileName);
            if (name == "." || name == "..")
                continue;
            CString path = folder + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path);
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(folder);
}

// A fresh folder "Page_Images" in the temp folder, removed afterwards.
class Folder {
public:
    Folder()
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        root.Format("%selements_%lu_%lu", temp, ::GetCurrentProcessId(), ::GetTickCount());
        ::CreateDirectoryA(root, NULL);
        path = root + "\\Page_Images";
        ::CreateDirectoryA(path, NULL);
    }
    ~Folder() { RemoveTree(root); }
    CString File(const char* name) const { return path + "\\" + name; }
    CString root, path;
};

RGBQUAD Quad(COLORREF c)
{
    RGBQUAD q = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
    return q;
}

bool SaveSolid(const CString& path, int w, int h, COLORREF c, DWORD type = CXIMAGE_FORMAT_PNG)
{
    CxImage image;
    image.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixelColor(x, y, Quad(c));
    return image.Save(path, type);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 6)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

#define EXPECT_COLOR(expected, actual) \
    EXPECT_TRUE(Near(expected, actual)) << std::hex << "expected " << (expected) << " got " << (actual)

struct Picture {
    explicit Picture(const CString& path) { ok = image.Load(path, CXIMAGE_FORMAT_UNKNOWN); }
    COLORREF At(int x, int y) const
    {
        RGBQUAD q = image.GetPixelColor(x, y);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    int Width() const { return (int)image.GetWidth(); }
    int Height() const { return (int)image.GetHeight(); }
    CxImage image;
    bool ok;
};

bool Exists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A 32-bit memory surface filled with one colour that elements draw into.
class Surface {
public:
    Surface(int w, int h, COLORREF fill)
    {
        dc.CreateCompatibleDC(NULL);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bitmap = ::CreateDIBSection(dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
        CRect all(0, 0, w, h);
        dc.FillSolidRect(&all, fill);
        dc.SetBkColor(fill);
    }
    ~Surface()
    {
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) { return ::GetPixel(dc.GetSafeHdc(), x, y); }
    CDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits = NULL;
};

const COLORREF kWall = RGB(10, 20, 200);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kChunk = RGB(6, 176, 37);

MenuProgressRecord Record(int w, int h)
{
    MenuProgressRecord r;
    memset(&r, 0, sizeof(r));
    r.pagewidth = w;
    r.pageheight = h;
    return r;
}

}  // namespace

// ---- menu entry ----------------------------------------------------------

TEST(MenuEntry, WritesBlockAndTwoBitmapsCutFromTheWallpaper)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    CUIButton button;
    button.SetRect(10.0, 20.0, 110.0, 50.0);
    button.SetCaption("");
    CStringArray lines;
    MenuProgressRecord record = Record(640, 480);
    int item = 1;
    ASSERT_TRUE(button.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(2, item);
    ASSERT_EQ(1, lines.GetSize());
    EXPECT_STREQ("\r\n[menuitem 1]\r\ntitle=\"Boot from 1st hard disk.\"\r\npassword=\r\n"
                 "normalimage=(rd)/minor_1.bmp\r\nhoverimage=(rd)/mihov_1.bmp\r\nleft=10\r\ntop=20\r\n"
                 "width=100\r\nheight=30\r\nshortkey=\r\ncommands=\"chainloader (hd0,0)+1\\rboot\"\r\n",
                 lines[0]);

    // The built-in normal and hover pictures: grey and blue frames.
    Picture normal(folder.File("minor_1.bmp")), hover(folder.File("mihov_1.bmp"));
    ASSERT_TRUE(normal.ok && hover.ok);
    EXPECT_EQ(100, normal.Width());
    EXPECT_EQ(30, normal.Height());
    EXPECT_EQ(100, hover.Width());
    EXPECT_EQ(30, hover.Height());
    EXPECT_COLOR(RGB(112, 112, 112), normal.At(0, 0));
    EXPECT_COLOR(RGB(60, 127, 177), hover.At(0, 0));
    EXPECT_COLOR(RGB(60, 127, 177), hover.At(99, 29));
    EXPECT_FALSE(Exists(folder.File("minor_2.bmp")));
}

TEST(MenuEntry, BlockValuesAreKeptOnTheirLines)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIButton button;
    button.SetRect(0.0, 0.0, 50.0, 20.0);
    button.SetTitle("Say \"hi\"\r\n[menuitem 9]");
    button.SetShortKey("F\r\n1");
    button.SetCmdLine("echo \"a\"\nroot (hd0)\rboot\r\n");
    button.SetEnablePass(1);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 7;
    ASSERT_TRUE(button.WriteMenuItem(lines, folder.path, record, item));
    CString block = lines[0];
    EXPECT_NE(-1, block.Find("\r\n[menuitem 7]\r\ntitle=\"Say 'hi' [menuitem 9]\"\r\npassword=\r\n"));
    EXPECT_NE(-1, block.Find("\r\nshortkey=F 1\r\ncommands=\"echo 'a'\\rroot (hd0)\\rboot\\r\"\r\n"));

    button.SetPassword("secret");
    ASSERT_TRUE(button.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_NE(-1, lines[1].Find("\r\npassword=$1$"));
    EXPECT_EQ(9, item);
}

TEST(MenuEntry, MissingWallpaperOrUnwritableBitmapWritesNothing)
{
    Folder folder;
    CUIButton button;
    button.SetRect(0.0, 0.0, 50.0, 20.0);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 3;
    EXPECT_FALSE(button.WriteMenuItem(lines, folder.path, record, item));
    CString style, page;
    EXPECT_FALSE(button.ExportHtml(style, page, folder.path, 0));

    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    ::CreateDirectoryA(folder.File("mihov_3.bmp"), NULL);
    EXPECT_FALSE(button.WriteMenuItem(lines, folder.path, record, item));
    ::CreateDirectoryA(folder.File("BtnHover_0.png"), NULL);
    EXPECT_FALSE(button.ExportHtml(style, page, folder.path, 0));
    EXPECT_EQ(0, lines.GetSize());
    EXPECT_EQ(3, item);
    EXPECT_TRUE(style.IsEmpty() && page.IsEmpty());
}

TEST(MenuEntry, DrawsNormalPictureOfItsThemeFile)
{
    Surface surface(120, 60, RGB(255, 255, 255));
    CUIButton button;
    button.SetCaption("");
    button.SetRect(10.0, 10.0, 110.0, 40.0);
    button.DrawActualSize(&surface.dc);
    EXPECT_COLOR(RGB(112, 112, 112), surface.At(10, 10));
    EXPECT_COLOR(RGB(255, 255, 255), surface.At(5, 5));

    button.SetThemeFile(Fixture("menu.zmt").c_str());
    button.SetThemeReloadPending(TRUE);
    button.DrawActualSize(&surface.dc);
    EXPECT_FALSE(button.IsThemeReloadPending());
    EXPECT_COLOR(kRed, surface.At(10, 10));
    EXPECT_COLOR(kRed, surface.At(60, 25));
    EXPECT_COLOR(kRed, surface.At(109, 39));
    EXPECT_COLOR(RGB(255, 255, 255), surface.At(110, 40));
}

TEST(MenuEntry, BelowZoomOneTheCaptionShrinksAndTurnsTahoma)
{
    CUIButton button;
    button.SetThemeFile(Fixture("menu.zmt").c_str());
    button.SetThemeReloadPending(TRUE);
    button.SetCaption("WWW mmm");
    LOGFONT lf = {};
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lstrcpyA(lf.lfFaceName, "Courier New");
    CColorFont font(lf);
    font.SetTextFormat(37);
    font.SetColor(RGB(0, 0, 0));
    button.SetFont(&font);
    button.SetRect(0.0, 0.0, 200.0, 60.0);
    Surface drawn(120, 40, RGB(255, 255, 255));
    button.DrawOnCanvas(&drawn.dc, 0.5, -1);

    // The same caption drawn by hand at height -6 in Tahoma over red.
    Surface expected(120, 40, RGB(255, 255, 255));
    CRect rect(0, 0, 100, 30);
    expected.dc.FillSolidRect(&rect, kRed);
    LOGFONT small = lf;
    small.lfHeight = -6;
    lstrcpyA(small.lfFaceName, "Tahoma");
    HFONT hFont = ::CreateFontIndirectA(&small);
    HGDIOBJ old = ::SelectObject(expected.dc.GetSafeHdc(), hFont);
    ::SetBkMode(expected.dc.GetSafeHdc(), TRANSPARENT);
    ::DrawTextA(expected.dc.GetSafeHdc(), "WWW mmm", -1, &rect, 37);
    ::SelectObject(expected.dc.GetSafeHdc(), old);
    ::DeleteObject(hFont);
    int differ = 0, ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            differ += drawn.At(x, y) != expected.At(x, y);
            ink += x < 100 && y < 30 && drawn.At(x, y) != kRed;
        }
    EXPECT_EQ(0, differ);
    EXPECT_GT(ink, 5);
}

// The canvas keeps an entry's face from one drawing to the next: drawn again
// elsewhere, it gives what a fresh entry drawn there gives, and any change of
// caption, font, zoom, theme or background shows. So on a surface whose pixels
// the face is read from and written to directly.
TEST(MenuEntry, FaceDrawnAgainIsTheFaceDrawnAnew)
{
    auto same = [](Surface& a, Surface& b) {
        int differ = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 200; ++x)
                differ += a.At(x, y) != b.At(x, y);
        return differ;
    };
    auto entry = [](CUIButton& b, const char* caption, double left, double top) {
        b.SetCaption(caption);
        b.SetRect(left, top, left + 120.0, top + 30.0);
    };
    auto draw = [](CUIButton& b, Surface& s, double zoom, bool direct) {
        CDrawnPixels::CDirectTarget target(direct ? s.dc.GetSafeHdc() : NULL, (DWORD*)s.bits, CSize(200, 90));
        b.DrawOnCanvas(&s.dc, zoom, -1);
    };
    for (bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct" : "made apart");
        CUIButton kept;
        entry(kept, "Entry one", 5.0, 5.0);
        {
            Surface first(200, 90, kWall);
            draw(kept, first, 1.0, direct);
            EXPECT_NE(kWall, first.At(15, 15));
        }
        struct Step {
            const char* caption;
            double zoom;
            COLORREF back;
            bool theme;
            COLORREF text;
        } const steps[] = {
            {"Entry one", 1.0, kWall, false, 0},
            {"Entry one", 1.0, kWall, false, 0},
            {"Entry two", 1.0, kWall, false, 0},
            {"Entry two", 1.0, kWall, false, RGB(255, 255, 0)},
            {"Entry two", 0.75, kWall, false, RGB(255, 255, 0)},
            {"Entry two", 0.75, kGreen, false, RGB(255, 255, 0)},
            {"Entry two", 0.75, kGreen, true, RGB(255, 255, 0)},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.caption);
            entry(kept, step.caption, 37.0, 21.0);
            kept.GetFont()->SetColor(step.text);
            CUIButton fresh;
            entry(fresh, step.caption, 37.0, 21.0);
            fresh.GetFont()->SetColor(step.text);
            if (step.theme) {
                for (CUIButton* b : {&kept, &fresh}) {
                    b->SetThemeFile(Fixture("menu.zmt").c_str());
                    b->SetThemeReloadPending(TRUE);
                }
            }
            Surface again(200, 90, step.back), anew(200, 90, step.back);
            draw(kept, again, step.zoom, direct);
            draw(fresh, anew, step.zoom, false);
            EXPECT_EQ(0, same(again, anew));
            EXPECT_NE(step.back, again.At(40 + (int)(10 * step.zoom), 30));
        }
    }
}

// Each caption is drawn in its own font, also right after a caption in
// another one (captions drawn one after another share a font while it is the
// same).
TEST(MenuEntry, CaptionAfterAnotherIsDrawnInItsOwnFont)
{
    auto textRows = [](Surface& s) {
        int rows = 0;
        for (int y = 0; y < 90; ++y) {
            bool text = false;
            for (int x = 0; x < 200; ++x)
                text = text || s.At(x, y) == RGB(0, 0, 0);
            rows += text;
        }
        return rows;
    };
    CUIButton big, small;
    for (CUIButton* b : {&big, &small}) {
        b->SetCaption("Entry");
        b->SetRect(10.0, 5.0, 190.0, 85.0);
        LOGFONT lf = b->GetFont()->GetLogFontData();
        lf.lfHeight = b == &big ? -48 : -10;
        b->GetFont()->SetLogFont(lf);
    }
    Surface first(200, 90, kWall), second(200, 90, kWall), third(200, 90, kWall);
    big.DrawOnCanvas(&first.dc, 1.0, -1);
    small.DrawOnCanvas(&second.dc, 1.0, -1);
    big.DrawOnCanvas(&third.dc, 1.0, -1);
    EXPECT_GT(textRows(first), 24);
    EXPECT_LT(textRows(second), 14);
    EXPECT_EQ(textRows(first), textRows(third));
}

// A face kept from a direct target (packed: flat rows with text) and drawn
// next into another DC or another target gives what drawing it anew gives.
TEST(MenuEntry, FaceKeptFromATargetIsDrawnElsewhereAsAnew)
{
    CUIButton kept, fresh;
    for (CUIButton* b : {&kept, &fresh}) {
        b->SetCaption("Entry packed");
        b->SetRect(20.0, 20.0, 150.0, 50.0);
    }
    Surface first(200, 90, kWall), apart(200, 90, kWall), second(200, 90, kWall), anew(200, 90, kWall);
    {
        CDrawnPixels::CDirectTarget target(first.dc.GetSafeHdc(), (DWORD*)first.bits, CSize(200, 90));
        kept.DrawOnCanvas(&first.dc, 1.0, -1);
    }
    kept.DrawOnCanvas(&apart.dc, 1.0, -1);
    {
        CDrawnPixels::CDirectTarget target(second.dc.GetSafeHdc(), (DWORD*)second.bits, CSize(200, 90));
        kept.DrawOnCanvas(&second.dc, 1.0, -1);
    }
    fresh.DrawOnCanvas(&anew.dc, 1.0, -1);
    int differ = 0, text = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 200; ++x) {
            differ += (first.At(x, y) != anew.At(x, y)) + (apart.At(x, y) != anew.At(x, y)) +
                      (second.At(x, y) != anew.At(x, y));
            text += anew.At(x, y) == RGB(0, 0, 0);
        }
    EXPECT_EQ(0, differ);
    EXPECT_GT(text, 20);
}

// The depth a paint asks of its DC once: a selected, numbered entry drawn in
// a direct target gives what it gives drawn anywhere else (gradient badge,
// solid handles), and the depth is asked anew of each target, also nested.
TEST(MenuEntry, SelectedNumberedEntryDrawnInATargetIsDrawnAsElsewhere)
{
    Surface outer(200, 90, kWall), inner(200, 90, kWall), apart(200, 90, kWall);
    CUIButton b;
    b.SetCaption("Entry");
    b.SetRect(30.0, 25.0, 150.0, 55.0);
    b.SetSelected(TRUE);
    b.DrawOnCanvas(&apart.dc, 1.0, 7);
    {
        CDrawnPixels::CDirectTarget first(outer.dc.GetSafeHdc(), (DWORD*)outer.bits, CSize(200, 90));
        EXPECT_EQ(::GetDeviceCaps(outer.dc.GetSafeHdc(), BITSPIXEL),
                  CDrawnPixels::BitsPerPixel(outer.dc.GetSafeHdc()));
        {
            CDrawnPixels::CDirectTarget second(inner.dc.GetSafeHdc(), (DWORD*)inner.bits, CSize(200, 90));
            EXPECT_EQ(::GetDeviceCaps(inner.dc.GetSafeHdc(), BITSPIXEL),
                      CDrawnPixels::BitsPerPixel(inner.dc.GetSafeHdc()));
            b.DrawOnCanvas(&inner.dc, 1.0, 7);
        }
        b.DrawOnCanvas(&outer.dc, 1.0, 7);
    }
    int differ = 0, badge = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 200; ++x) {
            differ += (outer.At(x, y) != apart.At(x, y)) + (inner.At(x, y) != apart.At(x, y));
            badge += x >= 27 && x < 51 && y >= 22 && y < 42 && apart.At(x, y) != kWall;
        }
    EXPECT_EQ(0, differ);
    EXPECT_GT(badge, 24 * 20 / 2);
}

TEST(MenuEntry, ThemeWithABadPictureKeepsTheRestAndIsNotRetried)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIButton button;
    button.SetCaption("");
    button.SetRect(0.0, 0.0, 60.0, 30.0);
    button.SetThemeFile(Fixture("badpicture.zmt").c_str());
    button.SetThemeReloadPending(TRUE);
    EXPECT_FALSE(button.OpenThemeArchive(Fixture("badpicture.zmt").c_str()));
    Surface surface(80, 40, RGB(255, 255, 255));
    button.DrawActualSize(&surface.dc);
    EXPECT_FALSE(button.IsThemeReloadPending());
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 1;
    ASSERT_TRUE(button.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_COLOR(kRed, Picture(folder.File("minor_1.bmp")).At(30, 15));
    EXPECT_COLOR(RGB(60, 127, 177), Picture(folder.File("mihov_1.bmp")).At(0, 0));
}

TEST(MenuEntry, UndrawnThemeIsLoadedBeforeTheBitmapsAreWritten)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIButton button;
    button.SetCaption("");
    button.SetRect(20.0, 20.0, 80.0, 50.0);
    button.SetThemeFile(Fixture("menu.zmt").c_str());
    button.SetThemeReloadPending(TRUE);
    std::unique_ptr<CUIControl> copy(button.Clone());
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 1;
    ASSERT_TRUE(copy->WriteMenuItem(lines, folder.path, record, item));
    EXPECT_COLOR(kRed, Picture(folder.File("minor_1.bmp")).At(30, 15));
    EXPECT_COLOR(kGreen, Picture(folder.File("mihov_1.bmp")).At(30, 15));
}

TEST(MenuEntry, WebFragmentsAreEscaped)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIButton button;
    button.SetRect(5.0, 6.0, 45.0, 26.0);
    button.SetTitle("A \"b\" <c> & d");
    button.SetCmdLine("echo \"x\" <y>&z\r\nboot 'q'=\\");
    CString style, page;
    ASSERT_TRUE(button.ExportHtml(style, page, folder.path, 4));
    EXPECT_STREQ("<div id=\"Button_4\"><a href=\"#\" onClick=alert(\""
                 "echo&nbsp;\\x22x\\x22&nbsp;\\x3cy\\x3e&amp;z\\nboot&nbsp;\\x27q\\x27\\x3d\\\\"
                 "\") title=\"A &quot;b&quot; &lt;c&gt; &amp; d\"></a></div>",
                 page);
    EXPECT_STREQ("#Button_4 a{\r\n    position: absolute;\r\n    top: 6px;\r\n    left: 5px;\r\n\r\n"
                 "    width: 40px;\r\n    background: url('./Page_Images/BtnNormal_4.png');\r\n"
                 "    background-repeat: no-repeat;\r\n    height: 20px;\r\n    overflow: hidden;\r\n}\r\n\r\n"
                 "#Button_4 a:hover{\r\n    background: url('./Page_Images/BtnHover_4.png');\r\n}\r\n",
                 style);
    Picture normal(folder.File("BtnNormal_4.png"));
    ASSERT_TRUE(normal.ok);
    EXPECT_EQ(40, normal.Width());
    EXPECT_EQ(20, normal.Height());
    EXPECT_TRUE(Picture(folder.File("BtnHover_4.png")).ok);

    EXPECT_STREQ("a\\27 b\\5c c\\22 \\3c /style\\3e ", CUIControl::EscapeCssUrl("a'b\\c\"</style>"));
}

// ---- picture -------------------------------------------------------------

TEST(Picture, BuiltInPictureGivesSizeAndDrawsStretched)
{
    CUIPicture picture;
    EXPECT_EQ(132.0, picture.GetDefaultWidth());
    EXPECT_EQ(27.0, picture.GetDefaultHeight());
    picture.SetCaption("");
    picture.SetRect(0.0, 0.0, 264.0, 54.0);
    Surface surface(300, 60, RGB(255, 255, 255));
    picture.DrawActualSize(&surface.dc);
    EXPECT_COLOR(RGB(170, 200, 240), surface.At(132, 27));
    EXPECT_COLOR(RGB(255, 255, 255), surface.At(280, 30));
}

TEST(Picture, PlainPictureIsMergedIntoTheWallpaper)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CString red = folder.File("red.png");
    ASSERT_TRUE(SaveSolid(red, 8, 8, kRed));
    CUIPicture picture;
    picture.SetCaption("");
    picture.SetThemeFile(red);
    picture.SetThemeReloadPending(TRUE);
    picture.SetRect(10.0, 10.0, 50.0, 30.0);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 1;
    ASSERT_TRUE(picture.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(0, lines.GetSize());
    EXPECT_EQ(1, item);
    Picture wall(folder.File("wallpaper.png"));
    EXPECT_COLOR(kRed, wall.At(30, 20));
    EXPECT_COLOR(kWall, wall.At(60, 20));

    // A menu text later in z-order cuts its bitmaps from the merged page.
    CUIStatic text;
    text.SetAsMenu(TRUE);
    text.SetCaption("");
    text.SetRect(1.0, 1.0, 100.0, 50.0);
    ASSERT_TRUE(text.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_COLOR(kRed, Picture(folder.File("minor_1.bmp")).At(30, 20));
    EXPECT_COLOR(kWall, Picture(folder.File("minor_1.bmp")).At(70, 20));
}

TEST(Picture, MenuPictureWithAndWithoutHoverFile)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIPicture picture;
    picture.SetCaption("");
    picture.SetAsMenu(TRUE);
    picture.SetRect(10.0, 10.0, 50.0, 30.0);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 1;
    ASSERT_TRUE(picture.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_NE(-1, lines[0].Find("\r\nnormalimage=(rd)/minor_1.bmp\r\nhoverimage=(rd)/minor_1.bmp\r\n"
                                "left=10\r\ntop=10\r\nwidth=40\r\nheight=20\r\n"));
    EXPECT_FALSE(Exists(folder.File("mihov_1.bmp")));
    Picture normal(folder.File("minor_1.bmp"));
    EXPECT_EQ(40, normal.Width());
    EXPECT_EQ(20, normal.Height());

    CString green = folder.File("green.bmp");
    ASSERT_TRUE(SaveSolid(green, 4, 4, kGreen, CXIMAGE_FORMAT_BMP));
    picture.SetAddPath(green);
    ASSERT_TRUE(picture.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_NE(-1, lines[1].Find("\r\nnormalimage=(rd)/minor_2.bmp\r\nhoverimage=(rd)/mihov_2.bmp\r\n"));
    EXPECT_COLOR(kGreen, Picture(folder.File("mihov_2.bmp")).At(20, 10));
    EXPECT_EQ(3, item);

    CString style, page;
    ASSERT_TRUE(picture.ExportHtml(style, page, folder.path, 2));
    EXPECT_NE(-1, style.Find("url('./Page_Images/PicureCtrl_2.png')"));
    EXPECT_NE(-1, style.Find("#Picture_2 a:hover{\r\n    background: url('./Page_Images/PicureCtrlHov_2.png');"));
    EXPECT_NE(-1, page.Find("<div id=\"Picture_2\">"));
}

// The canvas keeps a picture's face as it keeps an entry's: drawn again, also
// after a zoom step and the step back, it gives what a fresh picture drawn
// there gives, and a new picture file, caption or zoom shows.
// Shared drawings are made apart in one bitmap kept for all of them: each is
// made as in a new bitmap of its size, whatever a larger one before it left
// there, and sees a clip of its own size.
TEST(SharedDrawing, MadeAsInANewBitmapOfItsSize)
{
    auto fill = [](CDC* pDC, const CRect& r) { pDC->FillSolidRect(&r, RGB(255, 255, 255)); };
    // inverts the top half and fills the right half of what it may draw on
    auto mark = [](CDC* pDC, const CRect& r) {
        pDC->PatBlt(r.left, r.top, r.Width(), r.Height() / 2, DSTINVERT);
        CRect clip;
        pDC->GetClipBox(&clip);
        clip.left = (clip.left + clip.right) / 2;
        pDC->FillSolidRect(&clip, kRed);
    };
    Surface target(200, 90, kWall), fresh(40, 20, RGB(0, 0, 0));
    CDrawnPixels::DrawShared(&target.dc, CRect(0, 0, 120, 80), "shared fill 120x80", fill);
    CDrawnPixels::DrawShared(&target.dc, CRect(130, 10, 170, 30), "shared mark 40x20", mark);
    mark(&fresh.dc, CRect(0, 0, 40, 20));
    int differ = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            differ += target.At(130 + x, 10 + y) != fresh.At(x, y);
    EXPECT_EQ(0, differ);
    EXPECT_EQ(RGB(255, 255, 255), fresh.At(5, 5));
    EXPECT_EQ(kRed, fresh.At(30, 15));
}

TEST(Picture, FaceDrawnAgainIsTheFaceDrawnAnew)
{
    Folder folder;
    CString red = folder.File("red.png"), green = folder.File("green.png");
    ASSERT_TRUE(SaveSolid(red, 8, 8, kRed));
    ASSERT_TRUE(SaveSolid(green, 8, 8, kGreen));
    auto draw = [](CUIPicture& p, Surface& s, double zoom, bool direct) {
        CDrawnPixels::CDirectTarget target(direct ? s.dc.GetSafeHdc() : NULL, (DWORD*)s.bits, CSize(200, 90));
        p.DrawOnCanvas(&s.dc, zoom, -1);
    };
    auto load = [](CUIPicture& p, const CString& file) {
        p.SetThemeFile(file);
        p.SetThemeReloadPending(TRUE);
    };
    for (bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct" : "made apart");
        CUIPicture kept;
        kept.SetCaption("");
        kept.SetRect(20.0, 10.0, 100.0, 60.0);
        load(kept, red);
        struct Step {
            const char* caption;
            double zoom;
            const CString* file;
        } const steps[] = {
            {"", 1.0, &red},
            {"", 1.0, &red},
            {"", 1.0, &green},
            {"Pic", 1.0, &green},
            {"Pic", 1.25, &green},
            {"Pic", 1.0, &green},
            {"Pic", 1.25, &red},
            {"Pic", 1.0, &red},
        };
        const CString* shown = &red;
        for (const Step& step : steps) {
            SCOPED_TRACE(testing::Message() << step.caption << " " << step.zoom << " " << (LPCTSTR)*step.file);
            kept.SetCaption(step.caption);
            if (step.file != shown)
                load(kept, *step.file);
            shown = step.file;
            CUIPicture fresh;
            fresh.SetCaption(step.caption);
            fresh.SetRect(20.0, 10.0, 100.0, 60.0);
            load(fresh, *step.file);
            Surface again(200, 90, kWall), anew(200, 90, kWall);
            draw(kept, again, step.zoom, direct);
            draw(fresh, anew, step.zoom, false);
            int differ = 0;
            for (int y = 0; y < 90; ++y)
                for (int x = 0; x < 200; ++x)
                    differ += again.At(x, y) != anew.At(x, y);
            EXPECT_EQ(0, differ);
            EXPECT_EQ(step.file == &red ? kRed : kGreen, again.At((int)(30 * step.zoom), (int)(20 * step.zoom)));
        }
    }
}

// ---- static text ---------------------------------------------------------

TEST(StaticText, DrawsDottedFrameAroundTheGrownRectangle)
{
    Surface surface(80, 50, RGB(255, 255, 255));
    CUIStatic text;
    text.SetCaption("");
    text.SetRect(10.0, 10.0, 60.0, 30.0);
    text.DrawActualSize(&surface.dc);
    int framed = 0;
    for (int x = 9; x < 61; ++x)
        framed += surface.At(x, 9) == CUIStatic::kFrameColor;
    EXPECT_GT(framed, 10);
    EXPECT_EQ(RGB(255, 255, 255), surface.At(8, 8));
    EXPECT_EQ(RGB(255, 255, 255), surface.At(35, 20));

    text.SetCaption("<b>WWWW</b>");
    text.DrawActualSize(&surface.dc);
    int dark = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 60; ++x)
            dark += GetRValue(surface.At(x, y)) < 80;
    EXPECT_GT(dark, 10);
}

// A text is drawn over what lies under it: drawn again in a direct target it
// gives what a fresh text drawn there gives, also over other pixels than the
// last time, after a zoom step and back, and with a new caption or colour.
TEST(StaticText, TextDrawnAgainIsTheTextDrawnAnew)
{
    auto draw = [](CUIStatic& t, Surface& s, double zoom) {
        CDrawnPixels::CDirectTarget target(s.dc.GetSafeHdc(), (DWORD*)s.bits, CSize(200, 90));
        t.DrawOnCanvas(&s.dc, zoom, -1);
    };
    CUIStatic kept;
    kept.SetRect(20.0, 10.0, 120.0, 40.0);
    struct Step {
        const char* caption;
        double zoom;
        COLORREF back;
        COLORREF text;
    } const steps[] = {
        {"<b>Text</b>", 1.0, kWall, RGB(255, 255, 255)},
        {"<b>Text</b>", 1.0, kWall, RGB(255, 255, 255)},
        {"<b>Text</b>", 1.0, kGreen, RGB(255, 255, 255)},
        {"<b>Text</b>", 1.25, kGreen, RGB(255, 255, 255)},
        {"<b>Text</b>", 1.0, kWall, RGB(255, 255, 255)},
        {"<b>Text</b>", 1.0, kWall, RGB(255, 255, 0)},
        {"<i>Other</i>", 1.0, kWall, RGB(255, 255, 0)},
        {"<i>Other</i>", 1.25, kWall, RGB(255, 255, 0)},
        {"<i>Other</i>", 1.0, kGreen, RGB(255, 255, 0)},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.caption << " " << step.zoom << " " << std::hex << step.back);
        kept.SetCaption(step.caption);
        kept.GetFont()->SetColor(step.text);
        CUIStatic fresh;
        fresh.SetRect(20.0, 10.0, 120.0, 40.0);
        fresh.SetCaption(step.caption);
        fresh.GetFont()->SetColor(step.text);
        Surface again(200, 90, step.back), anew(200, 90, step.back);
        draw(kept, again, step.zoom);
        draw(fresh, anew, step.zoom);
        int differ = 0, ink = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 200; ++x) {
                differ += again.At(x, y) != anew.At(x, y);
                ink += again.At(x, y) == step.text;
            }
        EXPECT_EQ(0, differ);
        EXPECT_GT(ink, 10);
    }
}

TEST(StaticText, MenuTextWritesEqualBitmapsOfTheGrownRectangle)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CUIStatic text;
    text.SetAsMenu(TRUE);
    text.SetCaption("");
    text.SetRect(50.0, 60.0, 150.0, 90.0);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 4;
    ASSERT_TRUE(text.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(5, item);
    EXPECT_NE(-1, lines[0].Find("[menuitem 4]\r\n"));
    EXPECT_NE(-1, lines[0].Find("\r\nleft=49\r\ntop=59\r\nwidth=102\r\nheight=32\r\n"));
    std::string minor = zavotest::ReadFile(folder.File("minor_4.bmp")), hover = zavotest::ReadFile(folder.File("mihov_4.bmp"));
    EXPECT_FALSE(minor.empty());
    EXPECT_EQ(minor, hover);
    Picture normal(folder.File("minor_4.bmp"));
    EXPECT_EQ(102, normal.Width());
    EXPECT_EQ(32, normal.Height());
    int framed = 0;
    for (int x = 0; x < 102; ++x)
        framed += normal.At(x, 0) == CUIStatic::kFrameColor;
    EXPECT_GT(framed, 10);
    EXPECT_COLOR(kWall, normal.At(50, 16));
}

TEST(StaticText, PlainTextIsMergedAndWebTextIsEscaped)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, RGB(255, 255, 255)));
    CUIStatic text;
    text.SetCaption("<b>WWWWWW</b>");
    text.SetRect(10.0, 10.0, 150.0, 60.0);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    int item = 1;
    ASSERT_TRUE(text.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(0, lines.GetSize());
    Picture wall(folder.File("wallpaper.png"));
    int dark = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 10; x < 150; ++x)
            dark += GetRValue(wall.At(x, y)) < 80;
    EXPECT_GT(dark, 10);

    text.SetAsMenu(TRUE);
    text.SetTitle("<t>");
    text.SetCmdLine("a b");
    CString style, page;
    ASSERT_TRUE(text.ExportHtml(style, page, folder.path, 1));
    EXPECT_STREQ("<div id=\"Static_1\"><a href=\"#\" onClick=alert(\"a&nbsp;b\") title=\"&lt;t&gt;\"></a></div>",
                 page);
    EXPECT_NE(-1, style.Find("#Static_1 a:hover{\r\n    background: url('./Page_Images/PicureCtrl_1.png');"));
    EXPECT_NE(-1, style.Find("top: 9px;\r\n    left: 9px;\r\n\r\n    width: 142px;"));
}

// ---- progress bar --------------------------------------------------------

TEST(Progress, ChunkCountCountsFromTheLowerBound)
{
    CUIProgress bar;
    EXPECT_EQ(5, bar.GetChunkCount(200));
    bar.SetRange(10, 30);
    bar.SetPos(15);
    EXPECT_EQ(5, bar.GetChunkCount(200));
    bar.SetRange(-10, 10);
    bar.SetPos(-10);
    EXPECT_EQ(0, bar.GetChunkCount(200));
    bar.SetPos(10);
    EXPECT_EQ(20, bar.GetChunkCount(200));
}

TEST(Progress, DrawsTrackAndChunksUpToThePosition)
{
    CUIProgress bar;
    bar.SetRange(10, 30);
    bar.SetPos(15);
    bar.SetRect(0.0, 0.0, 200.0, 19.0);
    Surface surface(220, 30, RGB(255, 255, 255));
    bar.DrawActualSize(&surface.dc);
    EXPECT_COLOR(RGB(160, 160, 160), surface.At(0, 0));
    EXPECT_COLOR(kChunk, surface.At(7, 9));
    EXPECT_COLOR(kChunk, surface.At(47, 9));
    EXPECT_FALSE(Near(kChunk, surface.At(60, 9), 40));
    EXPECT_FALSE(Near(kChunk, surface.At(150, 9), 40));
    EXPECT_EQ(RGB(255, 255, 255), surface.At(210, 9));
}

TEST(Progress, ThemeClipBoxInsetsTheBandByItsOwnEdges)
{
    CUIProgress bar;
    EXPECT_EQ(CRect(3, 3, 97, 27), bar.GetChunkBand(CRect(0, 0, 100, 30)));
    bar.SetThemeFile(Fixture("progress.zmt").c_str());
    bar.SetThemeReloadPending(TRUE);
    bar.SetRect(0.0, 0.0, 100.0, 30.0);
    Surface surface(120, 40, RGB(255, 255, 255));
    bar.DrawActualSize(&surface.dc);
    EXPECT_EQ(CRect(2, 3, 96, 25), bar.GetChunkBand(CRect(0, 0, 100, 30)));
    // The theme's chunk is green; band rows 3 to 24.
    EXPECT_COLOR(kGreen, surface.At(4, 3));
    EXPECT_COLOR(kGreen, surface.At(4, 24));
    EXPECT_FALSE(Near(kGreen, surface.At(4, 26), 40));
}

TEST(Progress, FillsRecordAndWritesTrackAndChunkBitmaps)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    CUIProgress bar;
    bar.SetRange(10, 30);
    bar.SetRect(100.0, 440.0, 700.0, 480.0);
    CStringArray lines;
    MenuProgressRecord record = Record(640, 480);
    int item = 2;
    ASSERT_TRUE(bar.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(0, lines.GetSize());
    EXPECT_EQ(2, item);
    EXPECT_EQ(100, record.pleft);
    EXPECT_EQ(440, record.ptop);
    EXPECT_EQ(535, record.pwidth);
    EXPECT_EQ(35, record.pheight);
    EXPECT_EQ(103, record.pchkleft);
    EXPECT_STREQ("(rd)/track.bmp", record.ptrack);
    EXPECT_STREQ("(rd)/chunk.bmp", record.pchunk);
    Picture track(folder.File("track.bmp")), chunk(folder.File("chunk.bmp"));
    ASSERT_TRUE(track.ok && chunk.ok);
    EXPECT_EQ(535, track.Width());
    EXPECT_EQ(35, track.Height());
    EXPECT_EQ(529, chunk.Width());
    EXPECT_EQ(35, chunk.Height());
    EXPECT_COLOR(kChunk, chunk.At(4, 17));
    EXPECT_COLOR(kChunk, chunk.At(500, 17));
    EXPECT_COLOR(RGB(160, 160, 160), chunk.At(4, 0));
}

TEST(Progress, UndrawnThemeOrOwnChunkIsUsedByTheMenuAndTheWebPage)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    CUIProgress bar;
    bar.SetThemeFile(Fixture("progress.zmt").c_str());
    bar.SetThemeReloadPending(TRUE);
    bar.SetRect(100.0, 400.0, 300.0, 430.0);
    CStringArray lines;
    MenuProgressRecord record = Record(640, 480);
    int item = 1;
    ASSERT_TRUE(bar.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_FALSE(bar.IsThemeReloadPending());
    // The theme's clip box (2, 3, 4, 5) places the band; its chunk is green.
    EXPECT_EQ(102, record.pchkleft);
    Picture chunk(folder.File("chunk.bmp"));
    ASSERT_TRUE(chunk.ok);
    EXPECT_EQ(194, chunk.Width());
    EXPECT_EQ(30, chunk.Height());
    EXPECT_COLOR(kGreen, chunk.At(4, 3));
    EXPECT_COLOR(kGreen, chunk.At(190, 24));
    EXPECT_FALSE(Near(kGreen, chunk.At(4, 26), 40));

    // Without a theme, an own chunk picture is read before the first drawing.
    CString red = folder.File("red.png");
    ASSERT_TRUE(SaveSolid(red, 8, 8, kRed));
    CUIProgress own;
    own.SetAsMenu(TRUE);
    own.SetAddPath(red);
    own.SetThemeReloadPending(TRUE);
    own.SetRect(20.0, 30.0, 220.0, 49.0);
    CString style, page;
    ASSERT_TRUE(own.ExportHtml(style, page, folder.path, 0));
    Picture one(folder.File("ProgressChunk.png"));
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(8, one.Width());
    EXPECT_COLOR(kRed, one.At(4, 6));
    EXPECT_NE(-1, style.Find("\theight: 13px;\r\n\twidth: 48px;\r\n\tposition: absolute;\r\n\toverflow: hidden;"));
    ASSERT_TRUE(own.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_COLOR(kRed, Picture(folder.File("chunk.bmp")).At(4, 9));
}

TEST(Progress, FailedBitmapLeavesTheRecordEmpty)
{
    Folder folder;
    CUIProgress bar;
    bar.SetRect(10.0, 10.0, 110.0, 30.0);
    CStringArray lines;
    MenuProgressRecord record = Record(640, 480);
    int item = 1;
    EXPECT_FALSE(bar.WriteMenuItem(lines, folder.path, record, item));
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    ::CreateDirectoryA(folder.File("chunk.bmp"), NULL);
    EXPECT_FALSE(bar.WriteMenuItem(lines, folder.path, record, item));
    EXPECT_EQ(0, record.pleft);
    EXPECT_EQ(0, record.pwidth);
    EXPECT_STREQ("", record.ptrack);
}

TEST(Progress, WebRulesForTrackAndOneChunk)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    CUIProgress bar;
    bar.SetRect(20.0, 30.0, 220.0, 49.0);
    CString style, page;
    ASSERT_TRUE(bar.ExportHtml(style, page, folder.path, 7));
    EXPECT_STREQ("<!--ProgressBar-->\r\n<div id=\"ProgressTrack\"> </div>\r\n<div id=\"ProgressChunk\"> </div>", page);
    EXPECT_NE(-1, style.Find("#ProgressTrack \r\n{\tbackground: url('./Page_Images/ProgressTrack.png');\r\n"
                             "\tbackground-repeat: no-repeat;\r\n\tbackground-position: left top;\r\n"
                             "\theight: 19px;\r\n\twidth: 200px;\r\n\tposition: absolute;\r\n\ttop: 30px;\r\n"
                             "\tleft: 20px;\r\n}\r\n"));
    EXPECT_NE(-1, style.Find("#ProgressChunk \r\n{\tbackground: url('./Page_Images/ProgressChunk.png');\r\n"
                             "\tbackground-position: left top;\r\n\theight: 13px;\r\n\twidth: 50px;\r\n"
                             "\tposition: absolute;\r\n\toverflow: hidden;\r\n\ttop: 33px;\r\n\tleft: 23px;\r\n}\r\n"));
    Picture chunk(folder.File("ProgressChunk.png"));
    EXPECT_EQ(10, chunk.Width());
    EXPECT_EQ(13, chunk.Height());
    EXPECT_EQ(200, Picture(folder.File("ProgressTrack.png")).Width());
}

// ---- the list's menu walk ------------------------------------------------

TEST(MenuWalk, ElementsShareOnePageAndSeeWhatWasMergedBeforeThem)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    CString red = folder.File("red.png");
    ASSERT_TRUE(SaveSolid(red, 8, 8, kRed));
    CUIControlList list;
    const double lefts[2] = {10.0, 120.0};
    CUIPicture* merged[2];
    for (int i = 0; i < 2; ++i) {
        merged[i] = new CUIPicture;
        merged[i]->SetCaption("");
        merged[i]->SetThemeFile(red);
        merged[i]->SetThemeReloadPending(TRUE);
        merged[i]->SetRect(lefts[i], 10.0, lefts[i] + 40.0, 30.0);
    }
    CUIStatic* text = new CUIStatic;
    text->SetAsMenu(TRUE);
    text->SetCaption("");
    text->SetRect(1.0, 1.0, 150.0, 50.0);
    list.Add(merged[0]);
    list.Add(text);
    list.Add(merged[1]);

    // The caller's page: the merges wait in it until the caller saves them.
    CWallpaperCanvas page;
    page.SetSaveDeferred(TRUE);
    CStringArray lines;
    MenuProgressRecord record = Record(200, 100);
    record.canvas = &page;
    EXPECT_TRUE(list.WriteMenuItems(lines, folder.path, record));
    EXPECT_EQ(&page, record.canvas);
    ASSERT_EQ(1, lines.GetSize());
    Picture cut(folder.File("minor_1.bmp"));
    EXPECT_COLOR(kRed, cut.At(30, 20));
    EXPECT_COLOR(kWall, cut.At(130, 20));
    EXPECT_COLOR(kWall, Picture(folder.File("wallpaper.png")).At(130, 20));
    ASSERT_TRUE(page.IsChanged());
    RGBQUAD q = page.GetWallpaper().GetPixelColor(130, 20);
    EXPECT_COLOR(kRed, RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    ASSERT_TRUE(page.SaveIfChanged());
    EXPECT_FALSE(page.IsChanged());
    Picture saved(folder.File("wallpaper.png"));
    EXPECT_COLOR(kRed, saved.At(30, 20));
    EXPECT_COLOR(kRed, saved.At(130, 20));
    EXPECT_COLOR(kWall, saved.At(80, 20));

    // Without one the walk shares its own page and saves the merges at the end.
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 200, 100, kWall));
    record.canvas = NULL;
    lines.RemoveAll();
    EXPECT_TRUE(list.WriteMenuItems(lines, folder.path, record));
    EXPECT_TRUE(record.canvas == NULL);
    EXPECT_COLOR(kRed, Picture(folder.File("wallpaper.png")).At(130, 20));
    EXPECT_COLOR(kRed, Picture(folder.File("minor_1.bmp")).At(30, 20));
}

TEST(MenuWalk, NumbersEntriesInZOrderAndReportsAFailedElement)
{
    Folder folder;
    ASSERT_TRUE(SaveSolid(folder.File("wallpaper.png"), 640, 480, kWall));
    CUIControlList list;
    CUIButton* first = new CUIButton;
    first->SetRect(0.0, 0.0, 50.0, 20.0);
    CUIProgress* bar = new CUIProgress;
    bar->SetRect(10.0, 400.0, 210.0, 420.0);
    CUIProgress* second = new CUIProgress;
    second->SetRect(10.0, 100.0, 110.0, 120.0);
    CUIPicture* picture = new CUIPicture;
    picture->SetAsMenu(TRUE);
    picture->SetRect(100.0, 100.0, 232.0, 127.0);
    list.Add(first);
    list.Add(bar);
    list.Add(second);
    list.Add(picture);
    CStringArray lines;
    MenuProgressRecord record = Record(640, 480);
    EXPECT_TRUE(list.WriteMenuItems(lines, folder.path, record));
    ASSERT_EQ(2, lines.GetSize());
    EXPECT_NE(-1, lines[0].Find("[menuitem 1]"));
    EXPECT_NE(-1, lines[1].Find("[menuitem 2]"));
    EXPECT_EQ(400, record.ptop);

    // The entry's hover bitmap cannot be written: the walk goes on and the
    // picture (no hover file) becomes item 1.
    Folder blocked;
    ASSERT_TRUE(SaveSolid(blocked.File("wallpaper.png"), 640, 480, kWall));
    ::CreateDirectoryA(blocked.File("mihov_1.bmp"), NULL);
    lines.RemoveAll();
    EXPECT_FALSE(list.WriteMenuItems(lines, blocked.path, record));
    ASSERT_EQ(1, lines.GetSize());
    EXPECT_NE(-1, lines[0].Find("[menuitem 1]\r\ntitle=\"Boot from 1st hard disk.\"\r\npassword=\r\n"
                                "normalimage=(rd)/minor_1.bmp\r\nhoverimage=(rd)/minor_1.bmp\r\nleft=100\r\n"));
    EXPECT_EQ(132, Picture(blocked.File("minor_1.bmp")).Width());
}

// ---- the shared page -----------------------------------------------------

TEST(WallpaperPage, DrawingInAnAreaStaysThereAndTheNextDrawStartsFromTheWallpaper)
{
    CxImage wall;
    ASSERT_TRUE(wall.Create(100, 60, 24));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            wall.SetPixelColor(x, y, Quad(RGB(x * 2, y * 4, 100)));
    CWallpaperCanvas page;
    ASSERT_TRUE(page.Open(wall));
    HDC dc = page.GetDC()->GetSafeHdc();
    auto wallAt = [&wall](int x, int y) {
        RGBQUAD q = wall.GetPixelColor(x, y);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    CRect all(0, 0, 100, 60);

    page.DrawWallpaper(CRect(10, 10, 40, 30));
    page.GetDC()->FillSolidRect(&all, kRed);
    EXPECT_EQ(kRed, ::GetPixel(dc, 10, 10));
    EXPECT_EQ(kRed, ::GetPixel(dc, 39, 29));
    EXPECT_EQ(wallAt(9, 10), ::GetPixel(dc, 9, 10));
    EXPECT_EQ(wallAt(40, 29), ::GetPixel(dc, 40, 29));

    // the next area overlaps the first: the first's drawing is gone
    page.DrawWallpaper(CRect(30, 20, 60, 50));
    EXPECT_EQ(wallAt(35, 25), ::GetPixel(dc, 35, 25));
    EXPECT_EQ(wallAt(10, 10), ::GetPixel(dc, 10, 10));
    page.GetDC()->FillSolidRect(&all, kGreen);

    // the whole page: drawing goes anywhere and is merged
    page.DrawWallpaper();
    EXPECT_EQ(wallAt(35, 25), ::GetPixel(dc, 35, 25));
    EXPECT_EQ(wallAt(59, 49), ::GetPixel(dc, 59, 49));
    CRect band(0, 50, 100, 60);
    page.GetDC()->FillSolidRect(&band, kGreen);
    ASSERT_TRUE(page.SaveAsWallpaper());
    RGBQUAD merged = page.GetWallpaper().GetPixelColor(5, 55), kept = page.GetWallpaper().GetPixelColor(35, 25);
    EXPECT_EQ(kGreen, RGB(merged.rgbRed, merged.rgbGreen, merged.rgbBlue));
    EXPECT_EQ(wallAt(35, 25), RGB(kept.rgbRed, kept.rgbGreen, kept.rgbBlue));
    EXPECT_EQ(255, merged.rgbReserved);

    // an area after the merge starts from the merged wallpaper
    page.DrawWallpaper(CRect(0, 40, 100, 60));
    EXPECT_EQ(kGreen, ::GetPixel(dc, 5, 55));
    EXPECT_EQ(wallAt(5, 45), ::GetPixel(dc, 5, 45));
}

TEST(MenuWalk, PicturesHandedOverInMemoryEqualTheFilesAndSeeNoEarlierEntry)
{
    Folder folder;
    CxImage wall;
    ASSERT_TRUE(wall.Create(240, 120, 24));
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 240; ++x)
            wall.SetPixelColor(x, y, Quad(RGB(x, y * 2, 90)));
    ASSERT_TRUE(wall.Save(folder.File("wallpaper.png"), CXIMAGE_FORMAT_PNG));
    CString red = folder.File("red.png");
    ASSERT_TRUE(SaveSolid(red, 8, 8, kRed));

    // two overlapping entries with long captions, a merged picture under a
    // third entry, and a text entry over the first
    CUIControlList list;
    const double boxes[3][4] = {{10, 10, 110, 40}, {60, 25, 160, 55}, {150, 60, 230, 110}};
    for (int i = 0; i < 3; ++i) {
        CUIButton* entry = new CUIButton;
        entry->SetRect(boxes[i][0], boxes[i][1], boxes[i][2], boxes[i][3]);
        entry->SetCaption("A caption much wider than its entry");
        list.Add(entry);
        if (i == 1) {
            CUIPicture* merged = new CUIPicture;
            merged->SetCaption("");
            merged->SetThemeFile(red);
            merged->SetThemeReloadPending(TRUE);
            merged->SetRect(140.0, 70.0, 200.0, 100.0);
            list.Add(merged);
        }
    }
    CUIStatic* text = new CUIStatic;
    text->SetAsMenu(TRUE);
    text->SetCaption("Text");
    text->SetRect(20.0, 20.0, 90.0, 50.0);
    list.Add(text);

    CStringArray onDisk, inMemory;
    CPackageFiles files;
    CWallpaperCanvas page;
    ASSERT_TRUE(page.Open(wall));
    MenuProgressRecord record = Record(240, 120);
    record.canvas = &page;
    record.files = &files;
    ASSERT_TRUE(list.WriteMenuItems(inMemory, folder.path, record));
    EXPECT_FALSE(Exists(folder.File("minor_1.bmp")));
    record = Record(240, 120);
    ASSERT_TRUE(list.WriteMenuItems(onDisk, folder.path, record));
    ASSERT_EQ(onDisk.GetSize(), inMemory.GetSize());
    for (int i = 0; i < onDisk.GetSize(); ++i)
        EXPECT_EQ(CString(onDisk[i]), CString(inMemory[i]));
    ASSERT_EQ(8u, files.Files().size());
    for (const CPackageFiles::File& file : files.Files()) {
        const std::string saved = zavotest::ReadFile((LPCTSTR)folder.File(file.name.c_str()));
        EXPECT_TRUE(saved == std::string(file.bytes.begin(), file.bytes.end())) << file.name;
    }

    // the second entry alone on the page gives the same pictures: nothing of
    // the first entry is left in them
    CUIControlList alone;
    CUIButton* second = new CUIButton;
    second->SetRect(boxes[1][0], boxes[1][1], boxes[1][2], boxes[1][3]);
    second->SetCaption("A caption much wider than its entry");
    alone.Add(second);
    CPackageFiles own;
    CWallpaperCanvas fresh;
    ASSERT_TRUE(fresh.Open(wall));
    CStringArray lines;
    record = Record(240, 120);
    record.canvas = &fresh;
    record.files = &own;
    ASSERT_TRUE(alone.WriteMenuItems(lines, folder.path, record));
    ASSERT_TRUE(own.Find("minor_1.bmp") && files.Find("minor_2.bmp"));
    EXPECT_TRUE(own.Find("minor_1.bmp")->bytes == files.Find("minor_2.bmp")->bytes);
    EXPECT_TRUE(own.Find("mihov_1.bmp")->bytes == files.Find("mihov_2.bmp")->bytes);
}

TEST(WallpaperPage, CutIsWhatABitmapCopyGivesAndRevertDropsTheMergesSince)
{
    CxImage wall;
    ASSERT_TRUE(wall.Create(64, 40, 24));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            wall.SetPixelColor(x, y, Quad(RGB(x * 4, y * 6, 30)));
    CWallpaperCanvas page;
    ASSERT_TRUE(page.Open(wall));
    HDC dc = page.GetDC()->GetSafeHdc();
    page.DrawWallpaper(CRect(5, 5, 40, 30));
    CRect inner(10, 8, 30, 20);
    page.GetDC()->FillSolidRect(&inner, kRed);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, 6, 12, "Cut", 3);

    const RECT rect = {3, 4, 45, 33};
    CxImage cut;
    ASSERT_TRUE(page.Cut(rect, cut));
    CScopedMemDC mem(::CreateCompatibleDC(dc));
    CScopedBitmap copy(::CreateCompatibleBitmap(dc, 42, 29));
    {
        CScopedSelect select(mem, copy);
        ::BitBlt(mem, 0, 0, 42, 29, dc, rect.left, rect.top, SRCCOPY);
    }
    CxImage copied;
    ASSERT_TRUE(copied.CreateFromHBITMAP(copy));
    ASSERT_EQ(copied.GetWidth(), cut.GetWidth());
    ASSERT_EQ(copied.GetHeight(), cut.GetHeight());
    EXPECT_EQ(copied.GetBpp(), cut.GetBpp());
    EXPECT_EQ(0, memcmp(copied.GetBits(), cut.GetBits(), (size_t)42 * 29 * 4));
    const RECT outside = {50, 30, 70, 40};
    EXPECT_FALSE(page.Cut(outside, cut));

    page.Mark();
    page.DrawWallpaper();
    CRect band(0, 30, 64, 40);
    page.GetDC()->FillSolidRect(&band, kGreen);
    ASSERT_TRUE(page.SaveAsWallpaper());
    std::vector<DWORD> merged;
    page.Revert(merged);
    ASSERT_EQ((size_t)64 * 40, merged.size());
    EXPECT_EQ((DWORD)0x00A000, merged[35 * 64 + 3] & 0xFFFFFF);
    RGBQUAD q = page.GetWallpaper().GetPixelColor(3, 35), w = wall.GetPixelColor(3, 35);
    EXPECT_EQ(RGB(w.rgbRed, w.rgbGreen, w.rgbBlue), RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    EXPECT_EQ(RGB(w.rgbRed, w.rgbGreen, w.rgbBlue), ::GetPixel(dc, 3, 35));
    EXPECT_EQ(RGB(8, 12, 30), ::GetPixel(dc, 2, 2));
}

TEST(WallpaperPage, PictureOpenedComesBackAsItWasGiven)
{
    CxImage opaque, clear;
    ASSERT_TRUE(opaque.Create(33, 21, 24));
    ASSERT_TRUE(clear.Create(33, 21, 32));
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 33; ++x) {
            RGBQUAD o = Quad(RGB(x * 7, y * 11, x ^ y));
            o.rgbReserved = 255;
            opaque.SetPixelColor(x, y, o);
            RGBQUAD q = Quad(RGB(y * 5, x * 3, 200));
            q.rgbReserved = (BYTE)(x * 8);
            clear.SetPixelColor(x, y, q);
        }
    ASSERT_FALSE(opaque.HasAlpha());
    ASSERT_TRUE(clear.HasAlpha());
    for (const CxImage* given : {&opaque, &clear}) {
        CWallpaperCanvas page;
        ASSERT_TRUE(page.Open(*given));
        EXPECT_EQ(CSize(33, 21), page.GetSize());
        // a merge taken back gives the pixels back as 24 bits
        for (int pass = 0; pass < (given == &opaque ? 2 : 1); ++pass) {
            const CxImage& back = page.GetWallpaper();
            ASSERT_EQ(given->GetWidth(), back.GetWidth());
            ASSERT_EQ(given->GetHeight(), back.GetHeight());
            EXPECT_EQ(given->GetBpp(), back.GetBpp());
            EXPECT_EQ(given->HasAlpha(), back.HasAlpha());
            EXPECT_EQ(0, memcmp(given->GetBits(), back.GetBits(), (size_t)33 * 21 * 4)) << "pass " << pass;
            page.Mark();
            page.DrawWallpaper();
            CRect band(0, 4, 33, 9);
            page.GetDC()->FillSolidRect(&band, kGreen);
            ASSERT_TRUE(page.SaveAsWallpaper());
            page.Revert();
        }
    }
}
