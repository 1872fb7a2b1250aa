// Repaints of windows skinned by ozSkin.dll with the solid test package: a
// control's own painting runs once per paint, a caption's questions to its
// window are not asked again on every repaint, and keyed images drawn again
// from what the bitmap keeps still leave each destination's own pixels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "skin/draw/SkinBitmap.h"
#include "skin/engine/SkinApi.h"
#include "skin/tests/SkinHostSupport.h"
#include "skin/tests/SkinTestSupport.h"

#include <cstring>
#include <map>
#include <string>

using namespace skintest;

namespace {
bool StartSolidSkin()
{
    static bool started = skinhost::StartSolidSkin() != NULL;
    return started;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Counts the messages that reach a window, in front of every other procedure.
class MessageCounter {
public:
    explicit MessageCounter(HWND window) : m_window(window)
    {
        Counters()[window] = this;
        m_previous = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountingProc);
    }
    ~MessageCounter()
    {
        if (IsWindow(m_window))
            SetWindowLongPtrA(m_window, GWLP_WNDPROC, (LONG_PTR)m_previous);
        Counters().erase(m_window);
    }
    int Count(UINT msg) const
    {
        auto it = m_counts.find(msg);
        return it == m_counts.end() ? 0 : it->second;
    }

private:
    static std::map<HWND, MessageCounter*>& Counters()
    {
        static std::map<HWND, MessageCounter*> counters;
        return counters;
    }
    static LRESULT CALLBACK CountingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        MessageCounter* counter = Counters()[window];
        ++counter->m_counts[msg];
        return CallWindowProcA(counter->m_previous, window, msg, wParam, lParam);
    }
    HWND m_window;
    WNDPROC m_previous = NULL;
    std::map<UINT, int> m_counts;
};

struct Host {
    HWND wnd;
    explicit Host(DWORD style = WS_POPUP | WS_VISIBLE)
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = "RepaintHost";
        RegisterClassA(&wc);
        wnd = CreateWindowExA(0, "RepaintHost", "host", style, 40, 40, 400, 300, NULL, NULL, NULL, NULL);
        Pump();
    }
    ~Host() { DestroyWindow(wnd); }
};
}  // namespace

TEST(SkinnedRepaint, DatePickerDrawsItsOwnTextOnceIntoTheSkin)
{
    ASSERT_TRUE(StartSolidSkin());
    Host host;
    HWND picker = CreateWindowExA(0, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 26, host.wnd, NULL,
                                  NULL, NULL);
    SendMessageA(picker, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    SYSTEMTIME date = {2024, 5, 0, 17, 0, 0, 0, 0};
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&date);
    RECT client;
    GetClientRect(picker, &client);
    MessageCounter counter(picker);
    Canvas canvas(client.right, client.bottom);
    SendMessageA(picker, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    // Only ours: the skin hands the picker's own painting to its procedure.
    EXPECT_EQ(counter.Count(WM_PRINTCLIENT), 1);
    // The date's text is there: the left half is not one plain colour.
    COLORREF back = canvas.At(3, 3);
    int text = 0;
    for (int y = 2; y < client.bottom - 2; ++y) {
        for (int x = 2; x < client.right / 2; ++x)
            text += canvas.At(x, y) != back;
    }
    EXPECT_GT(text, 20);
    DestroyWindow(picker);
}

TEST(SkinnedRepaint, CaptionAsksForTheDragIconOnceUntilTheIconChanges)
{
    ASSERT_TRUE(StartSolidSkin());
    Host host(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    MessageCounter counter(host.wnd);
    ShowWindow(host.wnd, SW_SHOW);
    Pump();
    for (int i = 0; i < 3; ++i) {
        RedrawWindow(host.wnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    EXPECT_EQ(counter.Count(WM_QUERYDRAGICON), 1);
    SendMessageA(host.wnd, WM_SETICON, ICON_SMALL, 0);
    RedrawWindow(host.wnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(counter.Count(WM_QUERYDRAGICON), 2);
}

TEST(SkinnedRepaint, KeptKeyedImagesLeaveEachDestinationAndFollowTheSize)
{
    const COLORREF key = RGB(255, 0, 255), inside = RGB(0, 128, 0);
    CVZRSkinBitmap b;
    b.Attach(MakeBitmap24(6, 6, [&](int x, int y) { return x == 0 || y == 0 || x == 5 || y == 5 ? key : inside; }),
             FALSE, true);
    const RECT margins = Rect(1, 1, 1, 1);
    for (COLORREF back : {RGB(1, 2, 3), RGB(200, 100, 50), RGB(200, 100, 50)}) {
        Canvas c(12, 12, back);
        b.DrawImage(c.dc(), Rect(0, 0, 12, 12), Rect(0, 0, 6, 6), margins, key, kSizingStretch, false);
        EXPECT_TRUE(c.All(Rect(1, 1, 11, 11), inside));
        EXPECT_EQ(c.Count(back), 144 - 100);
    }
    Canvas wide(24, 10, RGB(9, 9, 9));
    b.DrawImage(wide.dc(), Rect(2, 1, 22, 9), Rect(0, 0, 6, 6), margins, key, kSizingStretch, false);
    EXPECT_TRUE(wide.All(Rect(3, 2, 21, 8), inside));
    EXPECT_EQ(wide.Count(inside), 18 * 6);
    EXPECT_EQ(wide.Count(key), 0);
}
