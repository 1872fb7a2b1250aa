#include "skin/support/ToolTipContext.h"

#include "framework/Wnd.h"
#include "skin/support/ColorTable.h"
#include "testsupport/WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace {
// The tooltip that gets the host's mouse messages, as a program relays them.
CVZRToolTipContextToolTip* g_relayTo = NULL;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_relayTo && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = {hwnd, message, wParam, lParam, (DWORD)GetMessageTime(), {0, 0}};
        GetCursorPos(&msg.pt);
        g_relayTo->RelayEvent(&msg);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A host window at a known place with the tooltip and one rectangle tool.
struct TipHost {
    HWND host;
    CWnd hostWnd;
    CVZRToolTipContextToolTip tip;
    TipHost()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "TipHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(WS_EX_TOPMOST, "TipHost", "host", WS_POPUP | WS_VISIBLE, 900, 700, 200, 120, NULL, NULL, NULL, NULL);
        hostWnd.Attach(host);
        EXPECT_TRUE(tip.Create(&hostWnd));
        RECT tool = {10, 10, 110, 60};
        tip.AddTool(&hostWnd, "tip text", &tool, (UINT_PTR)5);
        tip.SetDelayTime(TTDT_INITIAL, 1);
        SetCursorPos(950, 730);
        SetButtons(false);
        // The cursor and the new window settle first.
        Pump(50);
    }
    ~TipHost()
    {
        g_relayTo = NULL;
        SetButtons(false);
        tip.DestroyWindow();
        hostWnd.Detach();
        DestroyWindow(host);
    }
    static void SetButtons(bool held)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_LBUTTON] = held ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void Relay(UINT message)
    {
        MSG msg = {host, message, 0, 0, GetTickCount(), {950, 730}};
        tip.RelayEvent(&msg);
    }
    static void Pump(DWORD ms)
    {
        DWORD end = GetTickCount() + ms;
        while (GetTickCount() < end) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(5);
        }
    }
    bool Shown() const { return IsWindowVisible(tip.m_hWnd) && tip.IsShowing(); }
    // Pixels of the shown tip on the screen in that colour.
    int CountOnScreen(COLORREF colour) const
    {
        UpdateWindow(tip.m_hWnd);
        GdiFlush();
        RECT r;
        GetWindowRect(tip.m_hWnd, &r);
        HDC screen = GetDC(NULL);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                n += GetPixel(screen, x, y) == colour;
        }
        ReleaseDC(NULL, screen);
        return n;
    }
};
}  // namespace

TEST(SkinToolTip, ShowsAfterTheDelayAndHidesWhenItsToolIsDeleted)
{
    TipHost h;
    h.Relay(WM_MOUSEMOVE);
    EXPECT_TRUE(h.tip.IsPending());
    h.Pump(80);
    ASSERT_TRUE(h.Shown());
    EXPECT_EQ(CVZRToolTipContextToolTip::GetVisible(), &h.tip);
    EXPECT_TRUE(CVZRToolTipContextToolTip::IsMouseHooked());
    RECT r;
    GetWindowRect(h.tip.m_hWnd, &r);
    EXPECT_GE(r.top, 730);

    h.tip.DelTool(&h.hostWnd, 5);
    EXPECT_FALSE(h.Shown());
    EXPECT_EQ(CVZRToolTipContextToolTip::GetVisible(), nullptr);
    EXPECT_FALSE(CVZRToolTipContextToolTip::IsMouseHooked());
    EXPECT_EQ(h.tip.GetToolCount(), 0);
}

TEST(SkinToolTip, NoTipWhileAButtonIsHeldOrForOtherMessages)
{
    TipHost h;
    TipHost::SetButtons(true);
    h.Relay(WM_MOUSEMOVE);
    h.Pump(60);
    EXPECT_FALSE(h.tip.IsPending());
    EXPECT_FALSE(h.Shown());
    TipHost::SetButtons(false);
    h.Relay(WM_KEYDOWN);
    h.Relay(WM_TIMER);
    h.Pump(60);
    EXPECT_FALSE(h.Shown());
    // A click hides the tip, and the clicked tool shows nothing until the mouse leaves it.
    h.Relay(WM_MOUSEMOVE);
    h.Pump(60);
    ASSERT_TRUE(h.Shown());
    h.Relay(WM_LBUTTONDOWN);
    EXPECT_FALSE(h.Shown());
    h.Relay(WM_MOUSEMOVE);
    h.Pump(60);
    EXPECT_FALSE(h.Shown());
}

// A press of the real mouse holds its button while the tip sees it.
TEST(SkinToolTip, ARealPressOnTheToolShowsNothingUntilTheMouseLeaves)
{
    TipHost h;
    g_relayTo = &h.tip;
    auto pump = [] { TipHost::Pump(10); };
    h.Relay(WM_MOUSEMOVE);
    h.Pump(60);
    ASSERT_TRUE(h.Shown());
    ASSERT_TRUE(zavotest::RunXdotool(L"mousedown", L"1", pump));
    EXPECT_FALSE(h.Shown());
    ASSERT_TRUE(zavotest::RunXdotool(L"mouseup", L"1", pump));
    h.Relay(WM_MOUSEMOVE);
    h.Pump(60);
    EXPECT_FALSE(h.Shown());
}

TEST(SkinToolTip, TextIsGreyInTheNewerStyleElseTheTablesInfoText)
{
    CVZRColorTable& colours = CVZRColorTable::Instance();
    const COLORREF grey = RGB(0x4C, 0x4C, 0x4C), red = RGB(200, 0, 0);
    colours.SetStyleMode(5);
    {
        TipHost h;
        h.tip.UpdateTipText("MMMM HHHH", &h.hostWnd, 5);
        h.Relay(WM_MOUSEMOVE);
        h.Pump(80);
        ASSERT_TRUE(h.Shown());
        EXPECT_GT(h.CountOnScreen(grey), 0);
    }
    colours.SetStyleMode(6);
    colours.SetOverride(COLOR_INFOTEXT, red);
    {
        TipHost h;
        h.tip.UpdateTipText("MMMM HHHH", &h.hostWnd, 5);
        h.Relay(WM_MOUSEMOVE);
        h.Pump(80);
        ASSERT_TRUE(h.Shown());
        EXPECT_GT(h.CountOnScreen(red), 0);
        EXPECT_EQ(h.CountOnScreen(grey), 0);
    }
}

TEST(SkinToolTip, DestroyedWhileShownLeavesNoHookOrPointer)
{
    {
        TipHost h;
        h.Relay(WM_MOUSEMOVE);
        h.Pump(80);
        ASSERT_TRUE(h.Shown());
        h.tip.DestroyWindow();
        EXPECT_EQ(CVZRToolTipContextToolTip::GetVisible(), nullptr);
        EXPECT_FALSE(CVZRToolTipContextToolTip::IsMouseHooked());
    }
    // Mouse input after the tip is gone reaches nothing stale.
    SetCursorPos(20, 20);
    TipHost::Pump(20);
    EXPECT_EQ(CVZRToolTipContextToolTip::GetVisible(), nullptr);
}

TEST(SkinToolTip, KeepsTheSecondRectangleOfAnExtendedToolRecord)
{
    TipHost h;
    CVZRToolInfoEx extended = {};
    extended.cbSize = TTTOOLINFOA_V2_SIZE;
    extended.hwnd = h.host;
    extended.uId = 7;
    extended.rect = {0, 0, 5, 5};
    extended.lpszText = const_cast<LPSTR>("extended");
    extended.secondRect = {20, 30, 40, 50};
    ASSERT_TRUE(SendMessageA(h.tip.m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&extended));
    RECT second = {};
    ASSERT_TRUE(h.tip.GetSecondRect(h.host, 7, &second));
    EXPECT_EQ(second.left, 20);
    EXPECT_EQ(second.top, 30);
    EXPECT_EQ(second.right, 40);
    EXPECT_EQ(second.bottom, 50);

    // A record of another size carries none.
    TOOLINFOA plain = {};
    plain.cbSize = sizeof(plain);
    plain.hwnd = h.host;
    plain.uId = 8;
    plain.lpszText = const_cast<LPSTR>("plain");
    ASSERT_TRUE(SendMessageA(h.tip.m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&plain));
    EXPECT_FALSE(h.tip.GetSecondRect(h.host, 8, &second));
    EXPECT_EQ(h.tip.GetToolCount(), 3);

    // The framework's record of that size ends in a zeroed tail: its second rectangle is empty.
    ASSERT_TRUE(h.tip.GetSecondRect(h.host, 5, &second));
    EXPECT_TRUE(second.left == 0 && second.top == 0 && second.right == 0 && second.bottom == 0);
}
