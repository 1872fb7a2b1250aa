#include <gtest/gtest.h>

#include <windows.h>

#include "installer/LangFile.h"
#include "installer/ui/BitmapPushButton.h"
#include "installer/ui/GradientTitle.h"
#include "installer/ui/InfoBanner.h"
#include "installer/ui/InstallerFileEdit.h"
#include "installer/ui/PictureStatic.h"
#include "installer/ui/RadioMarkButton.h"
#include "installer/ui/VistaToolTipCtrl.h"
#include "installer/ui/tests/DibCanvas.h"

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A top-level window to hold the controls under test.
class ControlHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hHost = ::CreateWindow("STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400,
                                 200, NULL, NULL, NULL, NULL);
        ASSERT_TRUE(m_hHost != NULL);
    }
    void TearDown() override { ::DestroyWindow(m_hHost); }

    HWND Child(const char *cls, DWORD style, int x, int y, int w, int h, int id)
    {
        return ::CreateWindow(cls, "", style | WS_CHILD | WS_VISIBLE, x, y, w, h, m_hHost,
                              (HMENU)(INT_PTR)id, NULL, NULL);
    }
    static DRAWITEMSTRUCT Item(HWND hWnd, HDC hDC, UINT state)
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = hWnd;
        dis.hDC = hDC;
        dis.itemState = state;
        ::GetClientRect(hWnd, &dis.rcItem);
        return dis;
    }

    HWND m_hHost = NULL;
};

TEST_F(ControlHost, RadioMarkTakesIndeterminateAsCheckedAndDrawsItsMark)
{
    CRadioMarkButton radio;
    ASSERT_TRUE(radio.SubclassWindow(Child("BUTTON", BS_AUTORADIOBUTTON, 10, 10, 120, 24, 1000)));
    EXPECT_EQ((DWORD)BS_OWNERDRAW, radio.GetStyle() & 0x1F);
    ::SendMessage(radio.GetSafeHwnd(), BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(BST_CHECKED, ::SendMessage(radio.GetSafeHwnd(), BM_GETCHECK, 0, 0));

    DibCanvas canvas(120, 24);
    canvas.Fill(RGB(255, 255, 255));
    DRAWITEMSTRUCT dis = Item(radio.GetSafeHwnd(), canvas.Dc(), 0);
    radio.DrawItem(&dis);
    // The mark: 15 pixels at the left of the rectangle shrunk by 3.
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(3 + 7, 3 + 4 + 8));
    radio.SetCheck(BST_UNCHECKED);
    radio.DrawItem(&dis);
    EXPECT_EQ(RGB(0, 127, 0), canvas.At(3 + 7, 3 + 4 + 8));
    radio.UnsubclassWindow();
}

// Five cells of 10 x 10: distinct colours, magenta corners.
HBITMAP FiveCells()
{
    DibCanvas cells(50, 10);
    const COLORREF colours[5] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                 RGB(200, 200, 0), RGB(0, 200, 200)};
    for (int c = 0; c < 5; ++c)
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                cells.Set(c * 10 + x, y, colours[c]);
    for (int c = 0; c < 5; ++c)
        cells.Set(c * 10, 0, RGB(255, 0, 255));
    CBitmap bmp;
    cells.MoveInto(bmp);
    return (HBITMAP)bmp.Detach();
}

TEST_F(ControlHost, BitmapPushButtonShowsPressedOverHoverAndKeepsItsImageSize)
{
    CBitmapPushButton button;
    ASSERT_TRUE(button.SubclassWindow(Child("BUTTON", BS_PUSHBUTTON, 10, 10, 60, 20, 1001)));
    CScopedBitmap cells(FiveCells());
    ASSERT_TRUE(button.SetBitmap(cells, 5, 3, 3, 3, 3, TRUE));

    DibCanvas canvas(60, 20);
    DRAWITEMSTRUCT dis = Item(button.GetSafeHwnd(), canvas.Dc(), ODS_SELECTED | ODS_FOCUS);
    button.DrawItem(&dis);
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(30, 10));              // pressed over the hover cell
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.At(0, 0));  // magenta corner
    dis.itemState = ODS_FOCUS;
    button.DrawItem(&dis);
    EXPECT_EQ(RGB(200, 200, 0), canvas.At(30, 10));
    dis.itemState = ODS_SELECTED;  // pressed, neither focused nor hovered
    button.DrawItem(&dis);
    EXPECT_EQ(RGB(200, 0, 0), canvas.At(30, 10));
    dis.itemState = ODS_DISABLED;
    button.DrawItem(&dis);
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(30, 10));

    ::MoveWindow(button.GetSafeHwnd(), 10, 10, 90, 30, FALSE);
    EXPECT_EQ(60, button.GetImageSize().cx);
    button.UnsubclassWindow();
}

TEST(GradientControls, BandsStandInForGradientFill)
{
    CGradientTitle title(FALSE);
    title.SetColours(RGB(40, 88, 236), RGB(240, 240, 240));
    DibCanvas canvas(300, 20);
    RECT r = {0, 0, 300, 20};
    title.Paint(canvas.Dc(), r);
    EXPECT_EQ(RGB(40, 88, 236), canvas.At(0, 10));
    EXPECT_TRUE(Near(RGB(240, 240, 240), canvas.At(299, 10), 1));

    CInfoBanner banner(FALSE);
    EXPECT_TRUE(banner.GetHighlight().IsValid());
    EXPECT_EQ(900u, banner.GetHighlight().GetWidth());
    DibCanvas info(400, 60);
    RECT all = {0, 0, 400, 60};
    banner.Paint(info.Dc(), all);
    EXPECT_TRUE(Near(RGB(9, 74, 116), info.At(3, 40), 2));
    EXPECT_TRUE(Near(RGB(32, 121, 140), info.At(201, 40), 2));
    EXPECT_TRUE(Near(RGB(5, 111, 90), info.At(396, 40), 2));
    EXPECT_EQ(RGB(13, 49, 65), info.At(0, 30));
}

TEST_F(ControlHost, TwoLineTipSitsUnderItsToolAndOffTheScreenEdge)
{
    const int screen = ::GetSystemMetrics(SM_CXSCREEN);
    HWND hTool = ::CreateWindow("STATIC", "tool", WS_POPUP | WS_VISIBLE, screen - 60, 100, 50,
                                30, NULL, NULL, NULL, NULL);
    CVistaToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(CWnd::FromHandle(m_hHost), TTS_ALWAYSTIP | TTS_NOPREFIX));
    POINT pointer = {screen - 40, 110};
    const RECT r = tip.PlaceFor(pointer, hTool, "first line\r\nthe second, longer line");
    HDC hDC = ::GetDC(tip.GetSafeHwnd());
    HGDIOBJ old = ::SelectObject(hDC, (HFONT)::SendMessage(tip.GetSafeHwnd(), WM_GETFONT, 0, 0));
    TEXTMETRIC tm;
    ::GetTextMetrics(hDC, &tm);
    SIZE longer;
    ::GetTextExtentPoint32(hDC, "the second, longer line", 23, &longer);
    ::SelectObject(hDC, old);
    ::ReleaseDC(tip.GetSafeHwnd(), hDC);
    EXPECT_EQ(2 * tm.tmHeight + 6, r.bottom - r.top);
    EXPECT_EQ(longer.cx + 18, r.right - r.left);
    EXPECT_EQ(screen - 25, r.right);
    EXPECT_EQ(129, r.top);  // the tool's bottom less one
    ::DestroyWindow(hTool);
    tip.DestroyWindow();
}

TEST_F(ControlHost, PictureWithoutImageStillHasItsTip)
{
    CPictureStatic picture;
    ASSERT_TRUE(picture.SubclassWindow(Child("STATIC", SS_NOTIFY, 10, 10, 32, 32, 1002)));
    EXPECT_FALSE(picture.SetImage(4711));
    EXPECT_FALSE(picture.SetTooltipText(NULL));
    EXPECT_TRUE(picture.SetTooltipText("Open"));
    EXPECT_EQ(1, picture.GetToolTip().GetToolCount());
    EXPECT_TRUE(picture.SetTooltipText("Open again"));
    EXPECT_EQ(1, picture.GetToolTip().GetToolCount());
    picture.GetToolTip().DestroyWindow();
    picture.UnsubclassWindow();
}

TEST(InstallerFileEdit, TextsFromTheLanguageFileOrBuiltIn)
{
    const FileEditTexts builtin = InstallerFileEditTexts(NULL);
    EXPECT_STREQ(";", builtin.strSeparator);
    EXPECT_STREQ("\xCB\xF9\xD3\xD0\xC0\xE0\xD0\xCD (*.*)|*.*||", builtin.strFilter);
    EXPECT_STREQ("\xE4\xAF\xC0\xC0", builtin.strButtonTip);

    CLangFile lang;
    const char text[] = "[Tool Tips]\r\nSeparator=,\r\nAll Files=Any file|*.*||\r\n"
                        "Button Tip=Browse\r\nFile Dialog Title=Pick one\r\n";
    ASSERT_TRUE(lang.ParseText(text, sizeof text - 1));
    const FileEditTexts texts = InstallerFileEditTexts(&lang);
    EXPECT_STREQ(",", texts.strSeparator);
    EXPECT_STREQ("Any file|*.*||", texts.strFilter);
    EXPECT_STREQ("Browse", texts.strButtonTip);
    EXPECT_STREQ("Pick one", texts.strTitle);
    EXPECT_STREQ("\xC8\xB7\xB6\xA8", texts.strOkCaption);  // missing: built in
}

// A 16 x 16 colour icon of one colour.
HICON SolidIcon(COLORREF colour)
{
    DibCanvas image(16, 16);
    image.Fill(colour);
    CBitmap colourBmp;
    image.MoveInto(colourBmp);
    CScopedBitmap mask(::CreateBitmap(16, 16, 1, 1, NULL));
    {
        CScopedMemDC dc(::CreateCompatibleDC(NULL));
        CScopedSelect sel(dc, mask);
        ::PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    }
    ICONINFO ii = {TRUE, 0, 0, mask, colourBmp};
    return ::CreateIconIndirect(&ii);
}

TEST_F(ControlHost, FileEditButtonShowsTheIconNormalGreyAndEmbossed)
{
    CFileEditCtrl edit;
    ASSERT_TRUE(edit.Create(FEF_OPEN | FEF_FLAT | FEF_GRAYSCALE, WS_EX_CLIENTEDGE, "",
                            WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 260, 34),
                            CWnd::FromHandle(m_hHost), 1008));
    CVistaToolTipCtrl tip;
    ASSERT_TRUE(SetupInstallerFileEdit(edit, NULL, &tip, SolidIcon(RGB(200, 40, 40)), TRUE));
    EXPECT_EQ(FEF_BUTTONTIP | FEF_CLIENTTIP,
              edit.GetFlags() & (FEF_BUTTONTIP | FEF_CLIENTTIP));

    RECT w;
    ::GetWindowRect(edit.GetSafeHwnd(), &w);
    const int cx = (w.right - w.left) - 2 - 13, cy = (w.bottom - w.top) / 2;
    auto pixel = [&]() {
        ::SetWindowPos(edit.GetSafeHwnd(), NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        ::RedrawWindow(edit.GetSafeHwnd(), NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = ::GetWindowDC(edit.GetSafeHwnd());
        COLORREF c = ::GetPixel(dc, cx, cy);
        ::ReleaseDC(edit.GetSafeHwnd(), dc);
        return c;
    };
    edit.SetFocus();
    EXPECT_EQ(RGB(200, 40, 40), pixel());
    ::SetFocus(m_hHost);  // flat again: grey
    const int grey = (200 * 30 + 40 * 59 + 40 * 11) / 100;
    EXPECT_TRUE(Near(RGB(grey, grey, grey), pixel(), 2)) << std::hex << pixel();
    edit.EnableWindow(FALSE);  // embossed: the dark icon in the shadow colour
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), pixel());
    edit.DestroyWindow();
    tip.DestroyWindow();
}

}  // namespace
