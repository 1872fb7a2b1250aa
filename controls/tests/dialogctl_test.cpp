// Checkable group box (contents follow the title, nesting, radio groups),
// group line and image button states, checked by the windows' state and by
// pixels on the screen.
#include "controls/CheckableGroupBox.h"
#include "controls/ImageButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ParentWnd : public CWnd {
public:
    std::vector<std::pair<UINT, HWND>> clicks;
    ParentWnd()
    {
        static HBRUSH navy = ::CreateSolidBrush(RGB(0, 0, 128));
        CreateEx(0, AfxRegisterWndClass(0, NULL, navy), "dialog controls",
                 WS_POPUP | WS_VISIBLE, 60, 60, 500, 400, NULL, NULL);
    }
    ~ParentWnd()
    {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            clicks.push_back(std::make_pair((UINT)LOWORD(wParam), (HWND)lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

HWND Child(CWnd& parent, LPCTSTR cls, LPCTSTR text, DWORD style, int x, int y, int w, int h, UINT id)
{
    return ::CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent.m_hWnd,
                            (HMENU)(UINT_PTR)id, ::GetModuleHandle(NULL), NULL);
}

HWND Box(CWnd& parent, int x, int y, int w, int h, UINT id)
{
    return Child(parent, "BUTTON", "Box", BS_GROUPBOX, x, y, w, h, id);
}

HWND Edit(CWnd& parent, int x, int y, int w, UINT id)
{
    return Child(parent, "EDIT", "", WS_BORDER, x, y, w, 20, id);
}

void Pump(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(5);
    } while ((LONG)(::GetTickCount() - end) < 0);
}

COLORREF ScreenPixel(CWnd& wnd, int x, int y)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    POINT p = {x, y};
    ::ClientToScreen(wnd.m_hWnd, &p);
    HDC screen = ::GetDC(NULL);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(NULL, screen);
    return c;
}

} // namespace

TEST(CheckableGroupBox, TitleEnablesOnlyWhatLiesInsideTheFrame)
{
    ParentWnd parent;
    CCheckableGroupBox box;
    ASSERT_TRUE(box.SubclassWindow(Box(parent, 10, 10, 200, 100, 100)));
    const HWND inside = Edit(parent, 20, 40, 100, 101);
    const HWND partly = Edit(parent, 180, 60, 80, 102);
    const HWND touching = Edit(parent, 210, 40, 60, 103);
    const HWND below = Edit(parent, 20, 110, 60, 104);

    EXPECT_EQ(box.GetCheck(), -1);
    box.SetTitleStyle(BS_AUTOCHECKBOX);
    CString caption;
    box.GetWindowText(caption);
    EXPECT_EQ(caption, CString("   Box"));
    ASSERT_TRUE(::IsWindow(box.GetTitle().m_hWnd));
    EXPECT_EQ(::GetDlgCtrlID(box.GetTitle().m_hWnd), 0xFFFF);
    CRect title;
    box.GetTitle().GetWindowRect(&title);
    box.ScreenToClient(&title);
    EXPECT_EQ(title, CRect(10, 0, 24, 14));

    box.SetCheck(BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(inside));
    EXPECT_FALSE(::IsWindowEnabled(partly));
    EXPECT_TRUE(::IsWindowEnabled(touching));
    EXPECT_TRUE(::IsWindowEnabled(below));
    EXPECT_TRUE(box.GetTitle().IsWindowEnabled());

    box.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(inside));
    EXPECT_TRUE(::IsWindowEnabled(partly));

    // a click on the title switches the contents and tells the parent
    box.GetTitle().SendMessage(BM_CLICK);
    Pump(10);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(inside));
    ASSERT_FALSE(parent.clicks.empty());
    EXPECT_EQ(parent.clicks.back().first, 100u);
    EXPECT_EQ(parent.clicks.back().second, box.m_hWnd);

    // disabling the box takes the title along and empties the contents
    box.SetCheck(BST_CHECKED);
    box.EnableWindow(FALSE);
    EXPECT_FALSE(box.GetTitle().IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(inside));
    box.EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(inside));
}

TEST(CheckableGroupBox, InnerBoxKeepsItsOwnStateUnderTheOuter)
{
    ParentWnd parent;
    CCheckableGroupBox outer, inner;
    ASSERT_TRUE(outer.SubclassWindow(Box(parent, 10, 10, 300, 200, 100)));
    ASSERT_TRUE(inner.SubclassWindow(Box(parent, 30, 40, 200, 120, 101)));
    const HWND edit = Edit(parent, 50, 80, 100, 102);
    outer.SetTitleStyle(BS_AUTOCHECKBOX);
    inner.SetTitleStyle(BS_AUTOCHECKBOX);
    inner.SetCheck(BST_CHECKED);
    outer.SetCheck(BST_UNCHECKED);
    EXPECT_FALSE(inner.IsWindowEnabled());
    EXPECT_FALSE(inner.GetTitle().IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(edit));

    inner.GetTitle().SetCheck(BST_UNCHECKED);
    outer.SetCheck(BST_CHECKED);
    EXPECT_TRUE(inner.IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(edit));

    outer.SetCheck(BST_UNCHECKED);
    inner.GetTitle().SetCheck(BST_CHECKED);
    outer.SetCheck(BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(edit));
}

TEST(CheckableGroupBox, RadioTitlesOfOneGroupExcludeEachOther)
{
    ParentWnd parent;
    CCheckableGroupBox a, b, other;
    ASSERT_TRUE(a.SubclassWindow(Box(parent, 10, 10, 200, 80, 100)));
    ASSERT_TRUE(b.SubclassWindow(Box(parent, 10, 100, 200, 80, 101)));
    ASSERT_TRUE(other.SubclassWindow(Box(parent, 10, 200, 200, 80, 102)));
    const HWND inA = Edit(parent, 20, 40, 100, 103);
    const HWND inB = Edit(parent, 20, 130, 100, 104);
    const HWND inOther = Edit(parent, 20, 230, 100, 105);
    for (CCheckableGroupBox* p : {&a, &b, &other})
        p->SetTitleStyle(BS_AUTORADIOBUTTON);
    a.SetGroupId(2);
    b.SetGroupId(2);
    other.SetGroupId(3);
    b.SetCheck(BST_CHECKED);
    other.SetCheck(BST_CHECKED);

    a.GetTitle().SendMessage(BM_CLICK);
    Pump(10);
    EXPECT_EQ(a.GetCheck(), BST_CHECKED);
    EXPECT_EQ(b.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(inA));
    EXPECT_FALSE(::IsWindowEnabled(inB));
    EXPECT_TRUE(::IsWindowEnabled(inOther));
}

TEST(GroupLine, EtchedLineFollowsTheCaption)
{
    ParentWnd parent;
    CGroupLine empty, titled;
    ASSERT_TRUE(empty.SubclassWindow(Child(parent, "STATIC", "", SS_SUNKEN, 10, 10, 300, 20, 100)));
    ASSERT_TRUE(titled.SubclassWindow(Child(parent, "STATIC", "Section", 0, 10, 50, 300, 20, 101)));
    EXPECT_FALSE(empty.GetStyle() & SS_SUNKEN);
    EXPECT_FALSE(empty.IsWindowEnabled());

    HDC dc = ::GetDC(empty.m_hWnd);
    TEXTMETRIC tm;
    ::SelectObject(dc, (HFONT)empty.SendMessage(WM_GETFONT));
    ::GetTextMetrics(dc, &tm);
    SIZE text;
    ::GetTextExtentPoint32(dc, "Section", 7, &text);
    ::ReleaseDC(empty.m_hWnd, dc);
    const int half = tm.tmHeight / 2;
    const COLORREF hilight = ::GetSysColor(COLOR_3DHILIGHT) & 0xFFFFFF;
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW) & 0xFFFFFF;
    EXPECT_EQ(ScreenPixel(empty, half, half), hilight);
    EXPECT_EQ(ScreenPixel(empty, half, half - 1), shadow);
    EXPECT_NE(ScreenPixel(empty, half - 1, half), hilight);
    EXPECT_EQ(ScreenPixel(empty, 290, half), hilight);
    // with a caption the line starts after the text
    EXPECT_NE(ScreenPixel(titled, text.cx + 2, half), hilight);
    EXPECT_EQ(ScreenPixel(titled, text.cx + half, half), hilight);
    EXPECT_EQ(ScreenPixel(titled, 290, half), hilight);
}

namespace {

class TestImageButton : public CImageButton {
public:
    using CImageButton::CreateGrayscaleIcon;
};

const COLORREF kIn = RGB(200, 0, 0), kOut = RGB(0, 160, 0), kFocus = RGB(0, 0, 200);

void Paint(TestImageButton& button)
{
    button.SetColor(CImageButton::COLOR_BK_IN, kIn, FALSE);
    button.SetColor(CImageButton::COLOR_BK_OUT, kOut, FALSE);
    button.SetColor(CImageButton::COLOR_BK_FOCUS, kFocus, FALSE);
}

} // namespace

TEST(ImageButton, BackgroundFollowsHoverFocusAndCheck)
{
    ParentWnd parent;
    TestImageButton push, check;
    ASSERT_TRUE(push.SubclassWindow(Child(parent, "BUTTON", "", BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 20, 80, 40, 10)));
    ASSERT_TRUE(check.SubclassWindow(Child(parent, "BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 100, 80, 40, 11)));
    Paint(push);
    Paint(check);
    EXPECT_EQ(push.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_TRUE(push.IsDefault());
    EXPECT_FALSE(push.IsCheckBox());
    EXPECT_TRUE(check.IsCheckBox());
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(check.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

    ::SetCursorPos(0, 0);
    EXPECT_EQ(ScreenPixel(push, 40, 20), kOut);

    CRect r;
    push.GetWindowRect(&r);
    ::SetCursorPos(r.left + 40, r.top + 20);
    push.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 20));
    EXPECT_TRUE(push.IsMouseOver());
    EXPECT_EQ(ScreenPixel(push, 40, 20), kIn);
    // leaving clears the hover look without another move over the button
    push.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(push.IsMouseOver());
    ::SetCursorPos(0, 0);
    EXPECT_EQ(ScreenPixel(push, 40, 20), kOut);

    parent.SetForegroundWindow();
    push.SetFocus();
    EXPECT_EQ(ScreenPixel(push, 40, 20), kFocus);

    // a check-box button stays pressed while checked; 2 counts as checked
    check.SendMessage(BM_SETCHECK, 2);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
    EXPECT_EQ(ScreenPixel(check, 40, 20), kIn);
    check.SendMessage(BM_SETCHECK, 0);
    EXPECT_EQ(ScreenPixel(check, 40, 20), kOut);
    // a click toggles it and still reaches the parent
    check.SendMessage(BM_CLICK);
    Pump(10);
    EXPECT_EQ(check.GetCheck(), 1);
    ASSERT_FALSE(parent.clicks.empty());
    EXPECT_EQ(parent.clicks.back().first, 11u);
}

TEST(ImageButton, DisabledButtonEmbossesItsCaptionAndPassesTheFocusOn)
{
    ParentWnd parent;
    TestImageButton button;
    ASSERT_TRUE(button.SubclassWindow(Child(parent, "BUTTON", "WWWW", BS_PUSHBUTTON | WS_TABSTOP, 20, 20, 120, 40, 10)));
    const HWND next = Child(parent, "BUTTON", "next", BS_PUSHBUTTON | WS_TABSTOP, 20, 80, 80, 30, 11);
    Paint(button);
    parent.SetForegroundWindow();
    button.SetFocus();
    ASSERT_EQ(::GetFocus(), button.m_hWnd);
    button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), next);

    button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    CRect r;
    button.GetWindowRect(&r);
    HDC screen = ::GetDC(NULL);
    int hilight = 0, shadow = 0, text = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = ::GetPixel(screen, x, y);
            hilight += c == (::GetSysColor(COLOR_3DHILIGHT) & 0xFFFFFF);
            shadow += c == (::GetSysColor(COLOR_3DSHADOW) & 0xFFFFFF);
            text += c == (::GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF);
        }
    ::ReleaseDC(NULL, screen);
    EXPECT_GT(hilight, 10);
    EXPECT_GT(shadow, 10);
    EXPECT_EQ(text, 0);
}

TEST(ImageButton, GreyIconKeepsBlackAndMask)
{
    const int n = 32;
    std::vector<DWORD> pixels(n * n, 0x00FF0000);   // red
    pixels[0] = 0;                                   // black stays black
    HBITMAP color = ::CreateBitmap(n, n, 1, 32, pixels.data());
    std::vector<BYTE> maskBits(n * n / 8, 0);
    HBITMAP mask = ::CreateBitmap(n, n, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 16, 16, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ASSERT_TRUE(icon);
    HICON grey = TestImageButton::CreateGrayscaleIcon(icon);
    ASSERT_TRUE(grey);
    ICONINFO out;
    ASSERT_TRUE(::GetIconInfo(grey, &out));
    std::vector<DWORD> got(n * n);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = n;
    bi.bmiHeader.biHeight = -n;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = ::CreateCompatibleDC(NULL);
    ASSERT_EQ(::GetDIBits(dc, out.hbmColor, 0, n, got.data(), &bi, DIB_RGB_COLORS), n);
    ::DeleteDC(dc);
    EXPECT_EQ(got[0] & 0xFFFFFF, 0u);
    const DWORD g = (DWORD)(0.299 * 255);
    EXPECT_EQ(got[5] & 0xFFFFFF, (g << 16) | (g << 8) | g);
    for (HBITMAP h : {out.hbmColor, out.hbmMask, color, mask})
        ::DeleteObject(h);
    ::DestroyIcon(icon);
    ::DestroyIcon(grey);
}

namespace {

// Pixels of the button's left part (where the icon sits) that differ from
// the background colour.
int IconPixels(CWnd& button, COLORREF background, int width)
{
    button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    CRect r;
    button.GetWindowRect(&r);
    HDC screen = ::GetDC(NULL);
    int count = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.left + width; ++x)
            count += ::GetPixel(screen, x, y) != background;
    ::ReleaseDC(NULL, screen);
    return count;
}

} // namespace

TEST(ImageButton, IconWithoutSecondIconDrawsInEveryStateAndGreysWhenDisabled)
{
    ParentWnd parent;
    TestImageButton button;
    ASSERT_TRUE(button.SubclassWindow(Child(parent, "BUTTON", "Go", BS_PUSHBUTTON, 20, 20, 140, 50, 10)));
    Paint(button);
    EXPECT_EQ(button.SetIcon(9200), 0u);
    ASSERT_TRUE(button.GetInIcon());
    EXPECT_FALSE(button.GetOutIcon());

    ::SetCursorPos(0, 0);
    const int idle = IconPixels(button, kOut, 40);
    EXPECT_GT(idle, 100);
    CRect r;
    button.GetWindowRect(&r);
    ::SetCursorPos(r.left + 70, r.top + 25);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(70, 25));
    EXPECT_GT(IconPixels(button, kIn, 40), 100);
    button.SendMessage(WM_MOUSELEAVE);
    ::SetCursorPos(0, 0);

    // greyed when disabled: no pixel keeps a colour
    button.EnableWindow(FALSE);
    button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    HDC screen = ::GetDC(NULL);
    int coloured = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.left + 40; ++x) {
            const COLORREF c = ::GetPixel(screen, x, y);
            if (c == kOut)
                continue;
            coloured += abs(GetRValue(c) - GetGValue(c)) > 16 || abs(GetGValue(c) - GetBValue(c)) > 16;
        }
    ::ReleaseDC(NULL, screen);
    EXPECT_EQ(coloured, 0);
    button.EnableWindow(TRUE);

    // a grey second icon; an icon that is not there frees both
    EXPECT_EQ(button.SetIcon(9200, CImageButton::GREY_ICON), 0u);
    EXPECT_TRUE(button.GetOutIcon());
    EXPECT_EQ(button.SetIcon(9999, CImageButton::GREY_ICON), 1u);
    EXPECT_FALSE(button.GetInIcon());
    EXPECT_FALSE(button.GetOutIcon());
    EXPECT_EQ(button.SetIcon(0), 0u);
}
