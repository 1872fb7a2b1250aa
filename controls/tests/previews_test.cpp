#include "controls/ColorFont.h"
#include "controls/CursorPreview.h"
#include "controls/PicturePreview.h"
#include "controls/ProgressPreview.h"
#include "controls/TextPreview.h"
#include "controls/ThumbnailStatic.h"
#include "controls/tests/TextTestSupport.h"
#include "framework/DC.h"
#include "imaging/xImage.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "zavo_previews_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
}

std::string Fixture(const char* name)
{
    return std::string("Z:") + ZAVO_BINARY_DIR + "/designer/theme_fixtures/" + name;
}

std::string WriteImage(const char* name, int w, int h, COLORREF colour)
{
    CxImage image;
    image.Create(w, h, 24, CXIMAGE_FORMAT_BMP);
    RGBQUAD q = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixelColor(x, y, q);
    std::string path = TempPath(name);
    EXPECT_TRUE(image.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
    return path;
}

template <class T>
void CreateStatic(T& control, CWnd& parent, int w, int h, LPCTSTR text = "")
{
    control.Create(text, WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + w, 10 + h), &parent, 1000);
}

class SinkWindow : public TestTopWindow, public ICursorPreviewSink {
public:
    HCURSOR received = NULL;
    int calls = 0;
    virtual void SetCursorPreview(HCURSOR hCursor)
    {
        received = hCursor;
        ++calls;
    }
};
}  // namespace

TEST(ProgressPreview, BarRowsCornersAndLightenedTopHalf)
{
    TestCanvas canvas(20, 10);
    CProgressPreview::DrawBar(&canvas.dc, CRect(0, 0, 20, 10), 0x88887C, RGB(0xF0, 0xF0, 0xF0));
    // chunk R 0x7C G 0x88 B 0x88: base (24, 36, 36), dark (38, 50, 50)
    EXPECT_EQ(RGB(24, 36, 36), canvas.Pixel(5, 0));
    EXPECT_EQ(RGB(24, 36, 36), canvas.Pixel(0, 5));
    EXPECT_EQ(RGB(178, 183, 183), canvas.Pixel(5, 1));  // row (46, 58, 58) at 63% white
    EXPECT_EQ(RGB(106, 118, 118), canvas.Pixel(5, 8));  // lower half: the plain gradient
    EXPECT_EQ(RGB(0xF0, 0xF0, 0xF0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0xF0, 0xF0, 0xF0), canvas.Pixel(19, 9));
    EXPECT_EQ(RGB(154, 159, 159), canvas.Pixel(1, 0));
    EXPECT_EQ(RGB(154, 159, 159), canvas.Pixel(19, 8));
    EXPECT_EQ(RGB(24, 36, 36), canvas.Pixel(18, 8));
    // A bar too small to round is still drawn without touching outside pixels.
    TestCanvas tiny(3, 3);
    CProgressPreview::DrawBar(&tiny.dc, CRect(1, 1, 2, 2), 0x88887C, 0);
    EXPECT_EQ(RGB(255, 0, 255), tiny.Pixel(0, 0));
    EXPECT_EQ(RGB(24, 36, 36), tiny.Pixel(1, 1));
}

TEST(ProgressPreview, SavesTheChunkStripAsPng)
{
    TestTopWindow parent;
    CProgressPreview preview;
    CreateStatic(preview, parent, 40, 12);
    preview.SetChunkColor(RGB(200, 40, 40));
    std::string path = TempPath("chunk.png");
    ASSERT_TRUE(preview.SaveImage(path.c_str()));
    CxImage saved;
    ASSERT_TRUE(saved.Load(path.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(2u, saved.GetWidth());
    EXPECT_EQ(12u, saved.GetHeight());
    TestCanvas canvas(40, 12);
    CProgressPreview::DrawBar(&canvas.dc, CRect(0, 0, 40, 12), RGB(200, 40, 40), RGB(0xF0, 0xF0, 0xF0));
    for (int y = 0; y < 12; ++y) {
        RGBQUAD q = saved.GetPixelColor(1, y);
        EXPECT_EQ(canvas.Pixel(4, y), RGB(q.rgbRed, q.rgbGreen, q.rgbBlue)) << y;
    }
    ::DeleteFileA(path.c_str());
    CProgressPreview noWindow;
    EXPECT_FALSE(noWindow.SaveImage(path.c_str()));
}

TEST(PicturePreview, HoverShowsTheHoverPictureAndLeaveTheNormalOne)
{
    std::string red = WriteImage("red.bmp", 8, 8, RGB(255, 0, 0));
    std::string green = WriteImage("green.bmp", 8, 8, RGB(0, 255, 0));
    TestTopWindow parent;
    CPicturePreview preview;
    CreateStatic(preview, parent, 30, 20);
    EXPECT_TRUE(preview.LoadImageFile(red.c_str(), TRUE));
    EXPECT_TRUE(preview.LoadImageFile(green.c_str(), FALSE));
    TestCanvas canvas(30, 20);
    preview.Draw(&canvas.dc);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(15, 10));
    preview.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(preview.IsHovering());
    preview.Draw(&canvas.dc);
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(15, 10));
    preview.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(preview.IsHovering());
    preview.Draw(&canvas.dc);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(15, 10));
    EXPECT_TRUE(preview.GetStyle() & SS_NOTIFY);
    // files that do not load leave both pictures as they were
    const std::string empty = TempPath("empty.png"), text = TempPath("text.png");
    ::CloseHandle(::CreateFileA(empty.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    {
        std::ofstream(text.c_str(), std::ios::binary) << "not a picture";
    }
    for (const std::string& bad : {TempPath("missing.bmp"), empty, text}) {
        EXPECT_FALSE(preview.LoadImageFile(bad.c_str(), TRUE));
        preview.Draw(&canvas.dc);
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(15, 10)) << bad;
        preview.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
        preview.Draw(&canvas.dc);
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(15, 10)) << bad;
        preview.SendMessage(WM_MOUSELEAVE);
    }
    ::DeleteFileA(empty.c_str());
    ::DeleteFileA(text.c_str());
    ::DeleteFileA(red.c_str());
    ::DeleteFileA(green.c_str());
}

TEST(PicturePreview, ResourcePicturesAndCaptionFont)
{
    TestTopWindow parent;
    CPicturePreview preview;
    CreateStatic(preview, parent, 40, 42, "Caption");
    EXPECT_TRUE(preview.LoadResourceImages(IDR_CTRL_NORMAL));
    EXPECT_FALSE(preview.LoadResourceImages(9999));
    CColorFont red("Arial");
    red.SetColor(RGB(255, 0, 0));
    LOGFONT lf = red.GetLogFontData();
    lf.lfHeight = -20;
    CColorFont big(lf);
    CColorFont& caption = const_cast<CColorFont&>(preview.GetCaptionFont());
    caption.SetColor(RGB(0, 0, 200));
    preview.SetFont(big);
    EXPECT_EQ(-20, preview.GetCaptionFont().GetLogFontData().lfHeight);
    EXPECT_EQ(RGB(0, 0, 200), preview.GetCaptionFont().GetColor());
    TestCanvas canvas(40, 42);
    preview.Draw(&canvas.dc);
    int captionInk = 0;
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 40; ++x)
            captionInk += canvas.Pixel(x, y) == RGB(0, 0, 200) ? 1 : 0;
    EXPECT_GT(captionInk, 5);
}

TEST(TextPreview, DrawsTheWindowTextInTheFontColour)
{
    TestTopWindow parent;
    CTextPreview preview;
    CreateStatic(preview, parent, 80, 30, "Text");
    preview.GetTextFont().SetColor(RGB(0, 160, 0));
    TestCanvas canvas(80, 30);
    canvas.dc.FillSolidRect(0, 0, 80, 30, RGB(255, 255, 255));
    preview.Draw(&canvas.dc);
    int ink = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            COLORREF c = canvas.Pixel(x, y);
            ink += c == RGB(0, 160, 0) ? 1 : 0;
            other += c != RGB(0, 160, 0) && c != RGB(255, 255, 255) && GetRValue(c) > GetGValue(c) ? 1 : 0;
        }
    EXPECT_GT(ink, 5);
    EXPECT_EQ(0, other);
}

TEST(TextPreview, ErasingTakesTheOldTextAway)
{
    TestTopWindow parent;
    CTextPreview preview;
    CreateStatic(preview, parent, 80, 30, "Text");
    TestCanvas canvas(80, 30);
    canvas.dc.FillSolidRect(0, 0, 80, 30, RGB(255, 0, 255));
    EXPECT_TRUE(preview.SendMessage(WM_ERASEBKGND, (WPARAM)canvas.dc.GetSafeHdc()));
    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(crFace, canvas.Pixel(0, 0));
    EXPECT_EQ(crFace, canvas.Pixel(79, 29));
}

TEST(ThumbnailStatic, HeldImageFollowsTheClientSize)
{
    TestTopWindow parent;
    CThumbnailStatic thumb;
    CreateStatic(thumb, parent, 60, 60);
    CxImage image;
    image.Create(40, 20, 24, CXIMAGE_FORMAT_BMP);
    thumb.SetImage(CxImage());
    EXPECT_FALSE(thumb.GetImage().IsValid());
    thumb.SetImage(image);
    TestCanvas canvas(150, 150);
    thumb.Draw(&canvas.dc);
    EXPECT_EQ(60u, thumb.GetImage().GetWidth());
    EXPECT_EQ(60u, thumb.GetImage().GetHeight());
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(30, 2));  // above the centred picture
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(30, 30));
    thumb.MoveWindow(0, 0, 120, 100);
    thumb.Draw(&canvas.dc);
    EXPECT_EQ(120u, thumb.GetImage().GetWidth());
    EXPECT_EQ(100u, thumb.GetImage().GetHeight());
}

TEST(CursorPreview, KeyColourPixelsAreTransparent)
{
    TestCanvas canvas(4, 2);
    canvas.dc.FillSolidRect(0, 0, 4, 2, 0x420000);
    canvas.dc.SetPixel(1, 1, RGB(10, 20, 30));
    HBITMAP hBitmap = (HBITMAP)::GetCurrentObject(canvas.dc, OBJ_BITMAP);
    HCURSOR hCursor = CCursorPreview::MakePointer(hBitmap, CCursorPreview::KEY_COLOR, 1, 1);
    ASSERT_TRUE(hCursor != NULL);
    ICONINFO ii;
    ASSERT_TRUE(::GetIconInfo(hCursor, &ii));
    EXPECT_FALSE(ii.fIcon);
    EXPECT_EQ(1u, ii.xHotspot);
    EXPECT_EQ(1u, ii.yHotspot);
    CDC mem;
    mem.Attach(::CreateCompatibleDC(NULL));
    HGDIOBJ old = ::SelectObject(mem, ii.hbmMask);
    EXPECT_EQ(RGB(255, 255, 255), mem.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), mem.GetPixel(1, 1));
    ::SelectObject(mem, ii.hbmColor);
    EXPECT_EQ(RGB(0, 0, 0), mem.GetPixel(0, 0));
    EXPECT_EQ(RGB(10, 20, 30), mem.GetPixel(1, 1));
    ::SelectObject(mem, old);
    ::DeleteObject(ii.hbmMask);
    ::DeleteObject(ii.hbmColor);
    ::DestroyCursor(hCursor);
    EXPECT_EQ(NULL, CCursorPreview::MakePointer(NULL, 0, 0, 0));
}

TEST(CursorPreview, PointersFromTheArchiveAndToTheParent)
{
    SinkWindow parent;
    CCursorPreview preview;
    CreateStatic(preview, parent, 30, 30);
    EXPECT_FALSE(preview.LoadCursors(Fixture("missing.zip").c_str()));
    EXPECT_EQ(0, parent.calls);
    ASSERT_TRUE(preview.LoadCursors(Fixture("pointers.zip").c_str()));
    HCURSOR hHand = preview.GetHandCursor();
    ASSERT_TRUE(hHand != NULL);
    ASSERT_TRUE(preview.GetArrowCursor() != NULL);
    EXPECT_EQ(preview.GetArrowCursor(), parent.received);
    // Without "hand.bmp" (a sub-folder entry does not count) the hand stays.
    ASSERT_TRUE(preview.LoadCursors(Fixture("nohand.zip").c_str()));
    EXPECT_EQ(hHand, preview.GetHandCursor());
    EXPECT_EQ(2, parent.calls);
    EXPECT_TRUE(preview.SendMessage(WM_SETCURSOR, (WPARAM)preview.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(hHand, ::GetCursor());
}
