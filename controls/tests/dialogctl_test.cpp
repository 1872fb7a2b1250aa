// Checkable group box (contents follow the title, nesting, radio groups) and
// image button states, checked by the windows' state and by screen pixels.
#include "controls/CheckableGroupBox.h"
#include "controls/ImageButton.h"

#include <gtest/gtest.h>

namespace {

class ParentWnd : public CWnd {
public:
    UINT lastClick = 0;
    ParentWnd()
    {
        static HBRUSH navy = ::CreateSolidBrush(RGB(0, 0, 128));
        CreateEx(0, AfxRegisterWndClass(0, NULL, navy), "dialog controls", WS_POPUP | WS_VISIBLE, 60, 60, 500, 400,
                 NULL, NULL);
    }
    ~ParentWnd() { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            lastClick = LOWORD(wParam);
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

HWND Edit(CWnd& parent, int x, int y, int w)
{
    return Child(parent, "EDIT", "", WS_BORDER, x, y, w, 20, 0);
}

// Pixels of the window's client area from x0 to x1 that pass the test.
template <class Pred>
int CountPixels(CWnd& wnd, int x0, int x1, Pred pred)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CRect r;
    wnd.GetClientRect(&r);
    wnd.ClientToScreen(&r);
    HDC screen = ::GetDC(NULL);
    int count = 0;
    for (int y = r.top + 3; y < r.bottom - 3; ++y)
        for (int x = r.left + x0; x < r.left + x1; ++x)
            count += pred(::GetPixel(screen, x, y)) ? 1 : 0;
    ::ReleaseDC(NULL, screen);
    return count;
}

}  // namespace

TEST(CheckableGroupBox, TitleEnablesOnlyWhatLiesInsideTheFrame)
{
    ParentWnd parent;
    CCheckableGroupBox box;
    ASSERT_TRUE(box.SubclassWindow(Box(parent, 10, 10, 200, 100, 100)));
    const HWND inside = Edit(parent, 20, 40, 100), partly = Edit(parent, 180, 60, 80);
    const HWND touching = Edit(parent, 210, 40, 60);
    EXPECT_EQ(box.GetCheck(), -1);
    box.SetTitleStyle(BS_AUTOCHECKBOX);
    CString caption;
    box.GetWindowText(caption);
    EXPECT_EQ(caption.Left(3), CString("   "));
    EXPECT_EQ(caption.Mid(caption.GetLength() - 3), CString("Box"));
    CRect title;
    box.GetTitle().GetWindowRect(&title);
    box.ScreenToClient(&title);
    EXPECT_EQ(title, CRect(10, 0, 24, 14));

    box.SetCheck(BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(inside));
    EXPECT_FALSE(::IsWindowEnabled(partly));
    EXPECT_TRUE(::IsWindowEnabled(touching));
    box.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(partly));

    box.GetTitle().SendMessage(BM_CLICK);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(inside));
    EXPECT_EQ(parent.lastClick, 100u);

    box.SetCheck(BST_CHECKED);
    box.EnableWindow(FALSE);
    EXPECT_FALSE(box.GetTitle().IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(inside));
}

// Where the caption's first character starts, in the box's client area: the
// group box draws its caption from x = 7.
int CaptionTextLeft(CCheckableGroupBox& box)
{
    CString caption;
    box.GetWindowText(caption);
    int blanks = 0;
    while (blanks < caption.GetLength() && caption[blanks] == ' ')
        ++blanks;
    HDC hDC = ::GetDC(box.m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HGDIOBJ)box.SendMessage(WM_GETFONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(hDC, caption, blanks, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(box.m_hWnd, hDC);
    return 7 + size.cx;
}

TEST(CheckableGroupBox, TitleLeavesRoomForTheCaptionInAnyFont)
{
    ParentWnd parent;
    for (int height : {-8, -11, -12, -16, -24}) {
        for (const char* face : {"Tahoma", "SimSun", "Courier New"}) {
            HFONT hFont = ::CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
            CCheckableGroupBox box;
            ASSERT_TRUE(box.SubclassWindow(Box(parent, 10, 10, 200, 100, 100)));
            box.SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
            box.SetTitleStyle(BS_AUTOCHECKBOX);
            CRect title;
            box.GetTitle().GetWindowRect(&title);
            box.ScreenToClient(&title);
            EXPECT_GT(CaptionTextLeft(box), title.right) << face << " " << height;
            box.DestroyWindow();
            ::DeleteObject(hFont);
        }
    }
}

TEST(CheckableGroupBox, InnerBoxFollowsItsOwnTitleUnderTheOuter)
{
    ParentWnd parent;
    CCheckableGroupBox outer, inner;
    ASSERT_TRUE(outer.SubclassWindow(Box(parent, 10, 10, 300, 200, 100)));
    ASSERT_TRUE(inner.SubclassWindow(Box(parent, 30, 40, 200, 120, 101)));
    const HWND edit = Edit(parent, 50, 80, 100);
    outer.SetTitleStyle(BS_AUTOCHECKBOX);
    inner.SetTitleStyle(BS_AUTOCHECKBOX);
    inner.SetCheck(BST_CHECKED);
    outer.SetCheck(BST_UNCHECKED);
    EXPECT_FALSE(inner.GetTitle().IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(edit));

    inner.GetTitle().SetCheck(BST_UNCHECKED);
    outer.SetCheck(BST_CHECKED);
    EXPECT_TRUE(inner.IsWindowEnabled());
    EXPECT_FALSE(::IsWindowEnabled(edit));
    inner.GetTitle().SendMessage(BM_CLICK);
    EXPECT_TRUE(::IsWindowEnabled(edit));
}

TEST(CheckableGroupBox, RadioTitlesOfOneGroupExcludeEachOther)
{
    ParentWnd parent;
    CCheckableGroupBox a, b, other;
    ASSERT_TRUE(a.SubclassWindow(Box(parent, 10, 10, 200, 80, 100)));
    ASSERT_TRUE(b.SubclassWindow(Box(parent, 10, 100, 200, 80, 101)));
    ASSERT_TRUE(other.SubclassWindow(Box(parent, 10, 200, 200, 80, 102)));
    const HWND inB = Edit(parent, 20, 130, 100);
    for (CCheckableGroupBox* p : {&a, &b, &other})
        p->SetTitleStyle(BS_AUTORADIOBUTTON);
    a.SetGroupId(2);
    b.SetGroupId(2);
    other.SetGroupId(3);
    b.SetCheck(BST_CHECKED);
    other.SetCheck(BST_CHECKED);
    a.GetTitle().SendMessage(BM_CLICK);
    EXPECT_EQ(a.GetCheck(), BST_CHECKED);
    EXPECT_EQ(b.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(inB));
}

namespace {

const COLORREF kIn = RGB(200, 0, 0), kOut = RGB(0, 160, 0), kFocus = RGB(0, 0, 200);

void Colour(CImageButton& button)
{
    button.SetColor(CImageButton::COLOR_BK_IN, kIn, FALSE);
    button.SetColor(CImageButton::COLOR_BK_OUT, kOut, FALSE);
    button.SetColor(CImageButton::COLOR_BK_FOCUS, kFocus, FALSE);
}

void Hover(CWnd& button, BOOL bOver)
{
    CRect r;
    button.GetWindowRect(&r);
    ::SetCursorPos(bOver ? r.left + 70 : 0, bOver ? r.top + 20 : 0);
    button.SendMessage(bOver ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, MAKELPARAM(70, 20));
}

}  // namespace

TEST(ImageButton, BackgroundFollowsHoverFocusAndCheck)
{
    ParentWnd parent;
    CImageButton push, check;
    ASSERT_TRUE(push.SubclassWindow(Child(parent, "BUTTON", "", BS_DEFPUSHBUTTON, 20, 20, 80, 40, 10)));
    ASSERT_TRUE(check.SubclassWindow(Child(parent, "BUTTON", "", BS_AUTOCHECKBOX, 20, 100, 80, 40, 11)));
    Colour(push);
    Colour(check);
    EXPECT_EQ(push.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(check.IsCheckBox());
    auto is = [](COLORREF c) { return [c](COLORREF p) { return p == c; }; };

    Hover(push, FALSE);
    EXPECT_GT(CountPixels(push, 3, 77, is(kOut)), 1000);
    Hover(push, TRUE);
    EXPECT_GT(CountPixels(push, 3, 77, is(kIn)), 1000);
    Hover(push, FALSE);  // leaving needs no further move over the button
    EXPECT_FALSE(push.IsMouseOver());
    parent.SetForegroundWindow();
    push.SetFocus();
    EXPECT_GT(CountPixels(push, 3, 77, is(kFocus)), 1000);

    check.SendMessage(BM_SETCHECK, 2);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
    EXPECT_GT(CountPixels(check, 3, 77, is(kIn)), 1000);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), 0);
    EXPECT_EQ(parent.lastClick, 11u);
}

TEST(ImageButton, IconInEveryStateGreyedAndEmbossedWhenDisabled)
{
    ParentWnd parent;
    CImageButton button;
    ASSERT_TRUE(button.SubclassWindow(Child(parent, "BUTTON", "WWW", BS_PUSHBUTTON | WS_TABSTOP, 20, 20, 140, 50, 10)));
    const HWND next = Child(parent, "BUTTON", "next", BS_PUSHBUTTON | WS_TABSTOP, 20, 80, 80, 30, 11);
    Colour(button);
    EXPECT_EQ(button.SetIcon(9200), 0u);
    EXPECT_FALSE(button.GetOutIcon());
    auto notBk = [](COLORREF bk) { return [bk](COLORREF p) { return p != bk; }; };
    Hover(button, FALSE);
    EXPECT_GT(CountPixels(button, 3, 40, notBk(kOut)), 100);
    Hover(button, TRUE);
    EXPECT_GT(CountPixels(button, 3, 40, notBk(kIn)), 100);
    Hover(button, FALSE);

    parent.SetForegroundWindow();
    button.SetFocus();
    button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), next);
    auto coloured = [](COLORREF c) {
        return c != kOut && (abs(GetRValue(c) - GetGValue(c)) > 16 || abs(GetGValue(c) - GetBValue(c)) > 16);
    };
    EXPECT_EQ(CountPixels(button, 3, 40, coloured), 0);
    const COLORREF hilight = ::GetSysColor(COLOR_3DHILIGHT), text = ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(CountPixels(button, 40, 137, [hilight](COLORREF c) { return c == hilight; }), 10);
    EXPECT_EQ(CountPixels(button, 40, 137, [text](COLORREF c) { return c == text; }), 0);

    EXPECT_EQ(button.SetIcon(9200, CImageButton::GREY_ICON), 0u);
    EXPECT_TRUE(button.GetOutIcon());
    EXPECT_EQ(button.SetIcon(9999, CImageButton::GREY_ICON), 1u);
    EXPECT_FALSE(button.GetInIcon());
    EXPECT_FALSE(button.GetOutIcon());
}
