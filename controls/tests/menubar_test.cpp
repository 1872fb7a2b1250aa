#include "controls/MenuBar.h"
#include "controls/MenuDrawing.h"
#include "controls/tests/MenuTestSupport.h"
#include "framework/DC.h"
#include "framework/WinThread.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

const UINT kMenu = 900;

// What the frame saw of the bar's forwarding.
struct FrameLog {
    std::vector<HMENU> popups;     // WM_INITMENUPOPUP
    std::vector<UINT> commands;    // WM_COMMAND
    std::vector<UINT> selected;    // WM_MENUSELECT items of the open popups
    int nOpened = 0, nClosed = 0;  // WM_MENUSELECT of the bar itself
    int nIdle = 0;
};
FrameLog g_log;

// Steps run from a timer while popups are open: each waits for its condition.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};
std::vector<Step> g_steps;
size_t g_nStep = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nStep < g_steps.size() && g_steps[g_nStep].ready()) {
        Step& s = g_steps[g_nStep++];
        s.act();
    }
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITMENUPOPUP:
        g_log.popups.push_back((HMENU)wParam);
        return 0;
    case WM_COMMAND:
        g_log.commands.push_back(LOWORD(wParam));
        return 0;
    case WM_MENUSELECT:
        if (HIWORD(wParam) == 0xFFFF && lParam != 0)
            ++g_log.nClosed;
        else if ((HIWORD(wParam) & MF_MOUSESELECT) && (HIWORD(wParam) & MF_POPUP) && LOWORD(wParam) < 16)
            ++g_log.nOpened;
        else if (!(HIWORD(wParam) & MF_POPUP))
            g_log.selected.push_back(LOWORD(wParam));
        return 0;
    case WM_ENTERIDLE:
        ++g_log.nIdle;
        return 0;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "MenuBarTestFrame";
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        ::RegisterClassA(&wc);
        m_hFrame = ::CreateWindowA(wc.lpszClassName, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                   50, 50, 500, 300, NULL, NULL, wc.hInstance, NULL);
        ASSERT_TRUE(m_hFrame);
        ::SetForegroundWindow(m_hFrame);
        ::SetFocus(m_hFrame);
        g_log = FrameLog();
        g_steps.clear();
        g_nStep = 0;
        m_nTimer = ::SetTimer(NULL, 0, 20, StepTimer);
    }
    void TearDown() override
    {
        ::KillTimer(NULL, m_nTimer);
        if (m_bar.m_hWnd)
            m_bar.DestroyWindow();
        ::DestroyWindow(m_hFrame);
    }
    void MakeBar()
    {
        ASSERT_TRUE(m_bar.Create(CWnd::FromHandle(m_hFrame), 0));
        ASSERT_TRUE(m_bar.LoadMenu(kMenu, TRUE));
        ASSERT_TRUE(m_bar.LoadToolBar(IDR_MENUIMAGES));
        ASSERT_TRUE(m_bar.SetMenu(m_bar.m_menu.m_hMenu));
    }
    POINT ButtonCentre(int n, bool bScreen)
    {
        RECT rc = {};
        m_bar.SendMessage(TB_GETITEMRECT, n, (LPARAM)&rc);
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        if (bScreen)
            ::ClientToScreen(m_bar.m_hWnd, &pt);
        return pt;
    }
    void Click(int n)
    {
        POINT pt = ButtonCentre(n, false);
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    HMENU Popup(int n) { return ::GetSubMenu(m_bar.GetCurrentMenu(), n); }
    void Key(UINT vk) { m_bar.PostMessage(WM_KEYDOWN, vk, 1); }
    // Runs the message loop (with the framework's pre-translation) until cond holds.
    template <class F>
    bool Pump(F cond, DWORD ms = 4000)
    {
        DWORD end = ::GetTickCount() + ms;
        while (!cond()) {
            MSG msg;
            while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
                if (!AfxWalkPreTranslateTree(NULL, &msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessage(&msg);
                }
            }
            if (cond())
                break;
            if ((LONG)(::GetTickCount() - end) > 0)
                return false;
            ::Sleep(5);
        }
        return true;
    }
    bool StepsDone() const { return g_nStep == g_steps.size() && CMenuBar::GetActiveBar() == NULL; }

    HWND m_hFrame = NULL;
    UINT_PTR m_nTimer = 0;
    CMenuBar m_bar;
};

TEST_F(MenuBarTest, ButtonsFromTheMenuAndIconsFromTheToolbar)
{
    MakeBar();
    EXPECT_EQ(m_bar.GetButtonCount(), 3);
    char text[64] = "";
    TBBUTTON b = {};
    m_bar.GetButton(1, &b);
    EXPECT_EQ(b.idCommand, 1);
    EXPECT_EQ(b.iBitmap, I_IMAGENONE);
    m_bar.SendMessage(TB_GETBUTTONTEXTA, 1, (LPARAM)text);
    EXPECT_STREQ(text, "&Edit");
    RECT rc;
    m_bar.GetWindowRect(&rc);
    EXPECT_GT(rc.right - rc.left, 0);
    EXPECT_GT(rc.bottom - rc.top, 0);

    EXPECT_EQ(m_bar.GetIconIndex(57600), 0);
    EXPECT_EQ(m_bar.GetIconIndex(57635), 3);  // after a separator
    EXPECT_EQ(m_bar.GetIconIndex(57664), 20);
    EXPECT_EQ(m_bar.GetIconIndex(40001), -1);
    EXPECT_FALSE(m_bar.LoadToolBar(4711));
}

TEST_F(MenuBarTest, MenusMadeByTheBarAreDestroyedOnceAndOthersAreLeft)
{
    HMENU hFirstCopy = NULL, hSecondCopy = NULL, hOwn = NULL, hForeign = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(kMenu));
    HMENU hFirstPopup = NULL;
    {
        CMenuBar bar;
        ASSERT_TRUE(bar.Create(CWnd::FromHandle(m_hFrame), 0));
        ASSERT_TRUE(bar.LoadMenu(kMenu, TRUE));
        hFirstCopy = bar.GetCurrentMenu();
        hFirstPopup = ::GetSubMenu(hFirstCopy, 0);
        ASSERT_TRUE(bar.LoadMenu(kMenu, TRUE));  // the first copies go
        hSecondCopy = bar.GetCurrentMenu();
        EXPECT_FALSE(::IsMenu(hFirstCopy));
        EXPECT_FALSE(::IsMenu(hFirstPopup));
        hOwn = bar.m_menu.m_hMenu;
        ASSERT_TRUE(bar.SetMenu(hOwn));  // the bar's copy goes, m_menu stays
        EXPECT_FALSE(::IsMenu(hSecondCopy));
        EXPECT_TRUE(::IsMenu(hOwn));
        EXPECT_EQ(bar.GetButtonCount(), 3);
        ASSERT_TRUE(bar.SetMenu(hForeign));  // a caller's menu is only borrowed
        EXPECT_TRUE(::IsMenu(hOwn));
    }
    EXPECT_FALSE(::IsMenu(hOwn));
    EXPECT_TRUE(::IsMenu(hForeign));
    ::DestroyMenu(hForeign);
}

TEST_F(MenuBarTest, ClickOpensThePopupAndItsCommandReachesTheFrame)
{
    MakeBar();
    g_steps = {
        {[] { return g_log.popups.size() == 1; }, [this] { Key(VK_DOWN); Key(VK_RETURN); }},
    };
    Click(1);
    ASSERT_TRUE(Pump([] { return !g_log.commands.empty(); }));
    ASSERT_EQ(g_log.popups.size(), 1u);
    EXPECT_EQ(g_log.popups[0], Popup(1));
    EXPECT_EQ(g_log.commands[0], 57635u);  // Cut, the first item of Edit
    EXPECT_EQ(g_log.nOpened, 1);
    EXPECT_EQ(g_log.nClosed, 1);
    ASSERT_FALSE(g_log.selected.empty());
    EXPECT_EQ(g_log.selected[0], 57635u);
    // Every item but the separator became owner-drawn.
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfo(Popup(0), 0, TRUE, &mii);
    EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);  // File was never opened
    ::GetMenuItemInfo(Popup(1), 2, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
}

TEST_F(MenuBarTest, MouseMovesSwitchPopupsWithoutClosingInBetween)
{
    MakeBar();
    g_steps = {
        {[] { return g_log.popups.size() == 1; },
         [this] { POINT pt = ButtonCentre(2, true); ::PostMessage(m_bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); }},
        {[] { return g_log.popups.size() == 2; },
         [this] { POINT pt = ButtonCentre(2, true); ::PostMessage(m_bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x + 1, pt.y)); }},
        {[] { return true; }, [this] { Key(VK_ESCAPE); }},
    };
    Click(0);
    ASSERT_TRUE(Pump([this] { return StepsDone(); }));
    ASSERT_EQ(g_log.popups.size(), 2u);
    EXPECT_EQ(g_log.popups[0], Popup(0));
    EXPECT_EQ(g_log.popups[1], Popup(2));
    EXPECT_TRUE(g_log.selected.empty());  // no first item preselected
    EXPECT_EQ(g_log.nOpened, 2);
    EXPECT_EQ(g_log.nClosed, 1);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 2);
}

TEST_F(MenuBarTest, ArrowsWrapAroundAndEscapeLeavesKeyboardMode)
{
    MakeBar();
    g_steps = {
        {[] { return g_log.popups.size() == 1; }, [this] { Key(VK_RIGHT); }},                            // Help -> File
        {[] { return g_log.popups.size() == 2 && !g_log.selected.empty(); }, [this] { Key(VK_LEFT); }},  // -> Help
        {[] { return g_log.popups.size() == 3; }, [this] { Key(VK_ESCAPE); }},
    };
    Click(2);
    ASSERT_TRUE(Pump([this] { return StepsDone(); }));
    ASSERT_EQ(g_log.popups.size(), 3u);
    EXPECT_EQ(g_log.popups[1], Popup(0));
    EXPECT_EQ(g_log.popups[2], Popup(2));
    EXPECT_EQ(g_log.selected[0], 57600u);  // File opened with its first item selected
    EXPECT_EQ(g_log.nClosed, 1);

    // Escape in the popup: the bar has the focus, the button is hot, the cues show.
    EXPECT_EQ(::GetFocus(), m_bar.m_hWnd);
    EXPECT_EQ((int)m_bar.SendMessage(TB_GETHOTITEM), 2);
    EXPECT_TRUE(m_bar.AreCuesShown());
    // A second Escape gives the focus back.
    MSG msg = {m_bar.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1};
    EXPECT_TRUE(m_bar.PreTranslateMessage(&msg));
    EXPECT_EQ(::GetFocus(), m_hFrame);
}

// The frame hands its keys to the bar when the bar stands in for its window menu.
TEST_F(MenuBarTest, AltKeysOfTheFrameReachTheBarAndNoOtherWindows)
{
    MakeBar();
    HWND hEdit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 60, 100, 20, m_hFrame, NULL, NULL, NULL);
    ::SetFocus(hEdit);
    const LPARAM kAlt = LPARAM(KF_ALTDOWN) << 16;
    auto key = [&](HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        MSG m = {hWnd, msg, wParam, lParam};
        return m_bar.TranslateFrameKey(&m) != FALSE;
    };

    // Alt+E in a child of the frame opens Edit with its first item selected
    g_steps = {{[] { return g_log.popups.size() == 1 && !g_log.selected.empty(); },
                [this] { ::PostMessage(m_bar.m_hWnd, WM_CANCELMODE, 0, 0); }}};
    EXPECT_TRUE(key(hEdit, WM_SYSCHAR, 'e', kAlt | 1));
    ASSERT_TRUE(Pump([this] { return StepsDone(); }));
    ASSERT_EQ(g_log.popups.size(), 1u);
    EXPECT_EQ(g_log.popups[0], Popup(1));
    EXPECT_EQ(g_log.selected[0], 57635u);
    // Alt+Space is the system menu's; a letter of no item is not taken
    EXPECT_FALSE(key(hEdit, WM_SYSCHAR, ' ', kAlt | 1));
    EXPECT_FALSE(key(hEdit, WM_SYSCHAR, 'q', kAlt | 1));

    // Alt pressed and released alone: keyboard mode on the first button; F10 leaves it
    ::SetFocus(hEdit);
    EXPECT_FALSE(key(hEdit, WM_SYSKEYDOWN, VK_MENU, kAlt | 1));
    EXPECT_TRUE(key(hEdit, WM_SYSKEYUP, VK_MENU, 1));
    EXPECT_EQ(::GetFocus(), m_bar.m_hWnd);
    EXPECT_EQ((int)m_bar.SendMessage(TB_GETHOTITEM), 0);
    EXPECT_TRUE(key(m_bar.m_hWnd, WM_SYSKEYDOWN, VK_F10, 1));
    EXPECT_EQ(::GetFocus(), hEdit);
    // Alt with another key between is not Alt alone
    EXPECT_FALSE(key(hEdit, WM_SYSKEYDOWN, VK_MENU, kAlt | 1));
    EXPECT_FALSE(key(hEdit, WM_SYSKEYDOWN, 'Q', kAlt | 1));
    EXPECT_FALSE(key(hEdit, WM_SYSKEYUP, VK_MENU, 1));
    EXPECT_EQ(::GetFocus(), hEdit);

    // a dialog the frame owns, or the frame disabled by one: nothing is taken
    HWND hOwned = ::CreateWindowA("EDIT", "", WS_POPUP | WS_VISIBLE, 600, 60, 100, 20, m_hFrame, NULL, NULL, NULL);
    EXPECT_FALSE(key(hOwned, WM_SYSCHAR, 'e', kAlt | 1));
    ::DestroyWindow(hOwned);
    ::EnableWindow(m_hFrame, FALSE);
    EXPECT_FALSE(key(hEdit, WM_SYSCHAR, 'e', kAlt | 1));
    ::EnableWindow(m_hFrame, TRUE);
    EXPECT_EQ(g_log.popups.size(), 1u);
}

TEST_F(MenuBarTest, CascadedSubmenuTakesRightAndEscapeFirst)
{
    MakeBar();
    HMENU hRecent = NULL;
    g_steps = {
        // File opened with its first item; go down to "Recent" (item 3, after the separator).
        {[] { return g_log.popups.size() == 1 && !g_log.selected.empty(); },
         [this] { Key(VK_DOWN); Key(VK_DOWN); }},
        {[] { return true; }, [this] { Key(VK_RIGHT); }},                       // opens the submenu
        {[] { return g_log.popups.size() == 2; }, [this] { Key(VK_ESCAPE); }},  // closes only it
        {[] { return true; }, [this] { Key(VK_DOWN); Key(VK_RETURN); }},                                      // Exit
    };
    MSG msg = {m_bar.m_hWnd, WM_KEYDOWN, 0, 1};
    m_bar.SetHotItem(0);
    EXPECT_EQ(::GetFocus(), m_bar.m_hWnd);
    msg.message = WM_SYSKEYDOWN;
    msg.wParam = 'F';  // the mnemonic of "&File"
    EXPECT_TRUE(m_bar.PreTranslateMessage(&msg));
    ASSERT_TRUE(Pump([] { return !g_log.commands.empty(); }));
    hRecent = ::GetSubMenu(Popup(0), 3);
    ASSERT_EQ(g_log.popups.size(), 2u);
    EXPECT_EQ(g_log.popups[0], Popup(0));
    EXPECT_EQ(g_log.popups[1], hRecent);
    EXPECT_EQ(g_log.commands[0], 57665u);
}

TEST_F(MenuBarTest, MeasuresAndDrawsPopupItemsWithIcons)
{
    MakeBar();
    HFONT hFont = CreateMenuFont();
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    RECT rl = {}, ra = {};
    ::DrawTextA(hDC, "&New", -1, &rl, DT_CALCRECT | DT_SINGLELINE);
    ::DrawTextA(hDC, "Ctrl+N", -1, &ra, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hFont);
    int H = std::max<int>(rl.bottom, 20);

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 57600;
    m_bar.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ((int)mis.itemHeight, H);
    EXPECT_EQ((int)mis.itemWidth, H / 2 + rl.right + 24 + H / 2 + ra.right);
    mis.itemID = 9999;  // no such item: no text
    m_bar.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ(mis.itemHeight, 20u);
    EXPECT_EQ(mis.itemWidth, 34u);

    const COLORREF icon = ResourceBitmapPixel(IDR_MENUIMAGES, 4, 4);  // image 0 of toolbar 186
    struct {
        UINT state;
        COLORREF expected;
    } cases[] = {
        {0, icon},
        {ODS_SELECTED, CToolBarImages::HotColor(icon)},
        {ODS_GRAYED, CToolBarImages::DisabledColor(icon)},
    };
    for (auto& c : cases) {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = 57600;
        dis.itemState = c.state;
        dis.hDC = dc.m_hDC;
        dis.rcItem = {0, 0, 200, 22};
        m_bar.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
        EXPECT_EQ(dc.Pixel(2 + 4, 3 + 4), c.expected) << c.state;
        COLORREF back = ::GetSysColor(c.state == ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_MENU);
        EXPECT_EQ(dc.Pixel(190, 1), back) << c.state;
        EXPECT_GT(dc.CountOther({24, 0, 80, 22}, back), 0) << c.state;
    }
}

// Sets a system flag for this process and puts the old value back.
class CSystemFlag {
public:
    CSystemFlag(UINT nGet, UINT nSet, BOOL bValue) : m_nSet(nSet)
    {
        ::SystemParametersInfo(nGet, 0, &m_bOld, 0);
        ::SystemParametersInfo(nSet, 0, (PVOID)(INT_PTR)bValue, 0);
    }
    ~CSystemFlag() { ::SystemParametersInfo(m_nSet, 0, (PVOID)(INT_PTR)m_bOld, 0); }

private:
    UINT m_nSet;
    BOOL m_bOld = FALSE;
};

TEST_F(MenuBarTest, CuesHideOnlyWhenTheSystemAllowsIt)
{
    {
        CSystemFlag cues(SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, FALSE);
        MakeBar();
        EXPECT_FALSE(m_bar.AreCuesShown());
        m_bar.ShowKeyboardCues(TRUE);
        EXPECT_TRUE(m_bar.AreCuesShown());
        m_bar.ShowKeyboardCues(FALSE);
        EXPECT_FALSE(m_bar.AreCuesShown());
        // Opened by the mouse and closed: still hidden.
        g_steps = {{[] { return g_log.popups.size() == 1; }, [this] { Key(VK_DOWN); Key(VK_RETURN); }}};
        Click(0);
        ASSERT_TRUE(Pump([] { return !g_log.commands.empty(); }));
        EXPECT_FALSE(m_bar.AreCuesShown());
    }
    CSystemFlag cues(SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, TRUE);
    ASSERT_TRUE(m_bar.SetMenu(m_bar.m_menu.m_hMenu));  // reads the setting again
    EXPECT_TRUE(m_bar.AreCuesShown());
    m_bar.ShowKeyboardCues(FALSE);
    EXPECT_TRUE(m_bar.AreCuesShown());
}

TEST_F(MenuBarTest, FlatMenusDrawItemsAndButtonsThemselves)
{
    CSystemFlag flat(SPI_GETFLATMENU, SPI_SETFLATMENU, TRUE);
    MakeBar();
    const COLORREF hilite = ::GetSysColor(COLOR_MENUHILIGHT), frame = ::GetSysColor(COLOR_HIGHLIGHT);
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = 57600;
        dis.itemState = ODS_SELECTED;
        dis.hDC = dc.m_hDC;
        dis.rcItem = {0, 0, 200, 22};
        m_bar.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
        EXPECT_EQ(dc.Pixel(0, 0), frame);
        EXPECT_EQ(dc.Pixel(190, 2), hilite);
        EXPECT_EQ(dc.Pixel(2 + 4, 3 + 4), CToolBarImages::HotColor(ResourceBitmapPixel(IDR_MENUIMAGES, 4, 4)));
    }
    {
        // A checked item without an icon: a framed box with the check mark in it.
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = 40001;
        dis.itemState = ODS_CHECKED;
        dis.hDC = dc.m_hDC;
        dis.rcItem = {0, 0, 200, 22};
        m_bar.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
        EXPECT_EQ(dc.Pixel(1, 2), frame);
        EXPECT_GT(dc.CountOther({3, 4, 17, 18}, ::GetSysColor(COLOR_MENU)), 0);
        // selected, the box keeps the menu's colour and the mark stays in the menu's text colour
        dis.itemState = ODS_CHECKED | ODS_SELECTED;
        m_bar.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
        int marks = 0;
        for (int y = 4; y < 18; ++y)
            for (int x = 3; x < 17; ++x) marks += dc.Pixel(x, y) == ::GetSysColor(COLOR_MENUTEXT);
        EXPECT_GT(marks, 3);
    }
    // The buttons: item notifications, then a hot button filled and its text drawn.
    CPixelDC dc(60, 20);
    NMTBCUSTOMDRAW cd = {};
    cd.nmcd.hdr.hwndFrom = m_bar.m_hWnd;
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = dc.m_hDC;
    LRESULT lr = 0;
    EXPECT_TRUE(m_bar.OnChildNotify(WM_NOTIFY, 0, (LPARAM)&cd, &lr));
    EXPECT_EQ(lr, CDRF_NOTIFYITEMDRAW);
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    cd.nmcd.dwItemSpec = 1;
    cd.nmcd.uItemState = CDIS_HOT;
    cd.nmcd.rc = {0, 0, 60, 20};
    EXPECT_TRUE(m_bar.OnChildNotify(WM_NOTIFY, 0, (LPARAM)&cd, &lr));
    EXPECT_EQ(lr, CDRF_SKIPDEFAULT);
    EXPECT_EQ(dc.Pixel(0, 0), frame);
    EXPECT_EQ(dc.Pixel(2, 2), hilite);
    EXPECT_GT(dc.CountOther({1, 1, 59, 19}, hilite), 0);  // the text
}

}  // namespace
