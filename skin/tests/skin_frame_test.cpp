#include "skin/objects/FrameNonClient.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/DefaultThemeSchema.h"
#include "skin/theme/ThemeClass.h"
#include "skin/tests/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

using namespace skintest;

namespace {
const char kClassName[] = "SkinFrameTestWindow";

std::string SolidLibrary() { return PackageDir() + "/SolidPackage.dll"; }
std::string BlueLibrary() { return std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll"; }

COLORREF Solid(const char* cls, const char* part, int state)
{
    static std::vector<SolidEntry> table = ReadSolidTable();
    for (const SolidEntry& e : table) {
        if (e.cls == cls && e.part == part && e.state == state)
            return e.colour;
    }
    ADD_FAILURE() << "no colour for " << cls << "." << part << " " << state;
    return 0;
}

struct Logged {
    UINT msg;
    int code;
    int pos;
};

// A frame that runs in a plain window: the window's own processing is the
// default procedure, and scroll and system commands are logged.
class TestFrame : public CVZRFrameNonClient {
public:
    explicit TestFrame(CVZRSkinContext* context) : CVZRFrameNonClient(context) {}
    void Attach(HWND window) { SetFrameWindow(window); }
    std::vector<Logged> log;
    std::vector<int> trackPositions;
    std::function<void()> onApp;
    DWORD styleAtCalcSize = 0;

protected:
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SYSCOMMAND) {
            log.push_back({msg, int(wParam & 0xFFF0), 0});
            return 0;
        }
        return DefWindowProcA(GetFrameWindow(), msg, wParam, lParam);
    }
};

LRESULT CALLBACK TestProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        TestFrame* created = static_cast<TestFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(created));
        if (created)
            created->Attach(window);
    }
    TestFrame* frame = reinterpret_cast<TestFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!frame)
        return DefWindowProcA(window, msg, wParam, lParam);
    if (msg == WM_NCCALCSIZE)
        frame->styleAtCalcSize = DWORD(GetWindowLongA(window, GWL_STYLE));
    LRESULT result = 0;
    if (frame->HandleNonClientMessage(msg, wParam, lParam, result))
        return result;
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        frame->log.push_back({msg, LOWORD(wParam), short(HIWORD(wParam))});
        int pos;
        if (LOWORD(wParam) == SB_THUMBTRACK && frame->GetTrackPos(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, &pos))
            frame->trackPositions.push_back(pos);
        return 0;
    }
    if (msg == WM_APP && frame->onApp) {
        frame->onApp();
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void RegisterTestClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    done = true;
}

// A window owned by the test, destroyed at the end.
struct TestWindow {
    HWND hwnd = NULL;
    TestWindow(TestFrame* frame, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent = NULL,
               const char* text = "")
    {
        RegisterTestClass();
        hwnd = CreateWindowExA(exStyle, kClassName, text, style, x, y, w, h, parent, NULL, GetModuleHandleA(NULL), frame);
    }
    ~TestWindow()
    {
        if (hwnd && IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    SIZE Size() const
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        SIZE s = {r.right - r.left, r.bottom - r.top};
        return s;
    }
};

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The non-client area as the frame prints it.
std::unique_ptr<Canvas> PrintFrame(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    std::unique_ptr<Canvas> c(new Canvas(r.right - r.left, r.bottom - r.top));
    SendMessageA(window, WM_PRINT, WPARAM(c->dc()), PRF_NONCLIENT);
    return c;
}

POINT Centre(const RECT& r)
{
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return p;
}

// A window point as the screen point of a non-client message.
LPARAM ScreenParam(HWND window, POINT windowPoint)
{
    RECT r;
    GetWindowRect(window, &r);
    return MAKELPARAM(r.left + windowPoint.x, r.top + windowPoint.y);
}

// A window point as a client point of a captured mouse message.
LPARAM ClientParam(HWND window, POINT windowPoint)
{
    RECT r;
    GetWindowRect(window, &r);
    POINT p = {r.left + windowPoint.x, r.top + windowPoint.y};
    ScreenToClient(window, &p);
    return MAKELPARAM(p.x, p.y);
}

void SetKey(int key, bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

std::vector<int> Codes(const TestFrame& f, UINT msg)
{
    std::vector<int> out;
    for (const Logged& l : f.log) {
        if (l.msg == msg)
            out.push_back(l.code);
    }
    return out;
}

const DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
}  // namespace

TEST(SkinFrame, SidesCaptionAndButtonsInEveryState)
{
    LoadedTheme solid(SolidLibrary(), "Solid.ini");
    ASSERT_TRUE(solid.ok);
    TestFrame frame(&solid.context);
    TestWindow w(&frame, kFrameStyle, 0, 40, 40, 300, 200);
    ASSERT_TRUE(w.hwnd);
    // Activation follows the display's focus: the test sets it.
    Pump();
    SendMessageA(w.hwnd, WM_NCACTIVATE, TRUE, 0);
    SIZE size = w.Size();
    RECT b = frame.m_borders;
    EXPECT_EQ(b.top, solid.metrics.GetCaptionHeight() + b.bottom);

    std::unique_ptr<Canvas> c = PrintFrame(w.hwnd);
    ASSERT_EQ(frame.m_buttons.size(), 3u);
    EXPECT_EQ(c->At(0, size.cy / 2), Solid("WINDOW", "FRAMELEFT", 1));
    EXPECT_EQ(c->At(size.cx - 1, size.cy / 2), Solid("WINDOW", "FRAMERIGHT", 1));
    EXPECT_EQ(c->At(size.cx / 2, size.cy - 1), Solid("WINDOW", "FRAMEBOTTOM", 1));
    EXPECT_EQ(c->At(size.cx / 2, 2), Solid("WINDOW", "CAPTION", 1));
    POINT close = Centre(frame.m_buttons[0]->rect);
    POINT max = Centre(frame.m_buttons[1]->rect);
    EXPECT_EQ(c->At(close.x, close.y), Solid("WINDOW", "CLOSEBUTTON", 1));
    EXPECT_EQ(c->At(max.x, max.y), Solid("WINDOW", "MAXBUTTON", 1));
    EXPECT_LT(frame.m_buttons[1]->rect.right, frame.m_buttons[0]->rect.left);

    // Hot under the mouse, then pressed inside the button loop.
    SendMessageA(w.hwnd, WM_NCMOUSEMOVE, HTCLOSE, ScreenParam(w.hwnd, close));
    c = PrintFrame(w.hwnd);
    EXPECT_EQ(c->At(close.x, close.y), Solid("WINDOW", "CLOSEBUTTON", 2));
    EXPECT_EQ(c->At(max.x, max.y), Solid("WINDOW", "MAXBUTTON", 1));
    COLORREF pressed = 0;
    frame.onApp = [&]() {
        SendMessageA(w.hwnd, WM_NCACTIVATE, TRUE, 0);
        pressed = PrintFrame(w.hwnd)->At(close.x, close.y);
    };
    PostMessageA(w.hwnd, WM_APP, 0, 0);
    PostMessageA(w.hwnd, WM_LBUTTONUP, 0, ClientParam(w.hwnd, close));
    SendMessageA(w.hwnd, WM_NCLBUTTONDOWN, HTCLOSE, ScreenParam(w.hwnd, close));
    EXPECT_EQ(pressed, Solid("WINDOW", "CLOSEBUTTON", 3));
    EXPECT_EQ(Codes(frame, WM_SYSCOMMAND), std::vector<int>{SC_CLOSE});

    // Inactive caption and sides.
    SendMessageA(w.hwnd, WM_NCACTIVATE, FALSE, 0);
    c = PrintFrame(w.hwnd);
    EXPECT_EQ(c->At(size.cx / 2, 2), Solid("WINDOW", "CAPTION", 2));
    EXPECT_EQ(c->At(0, size.cy / 2), Solid("WINDOW", "FRAMELEFT", 2));
    SendMessageA(w.hwnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(PrintFrame(w.hwnd)->At(size.cx / 2, 2), Solid("WINDOW", "CAPTION", 1));
    // A disabled window (the owner of a modal dialog) shows the caption it is told.
    EnableWindow(w.hwnd, FALSE);
    SendMessageA(w.hwnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(PrintFrame(w.hwnd)->At(size.cx / 2, 2), Solid("WINDOW", "CAPTION", 2));
    SendMessageA(w.hwnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(PrintFrame(w.hwnd)->At(size.cx / 2, 2), Solid("WINDOW", "CAPTION", 1));
    EnableWindow(w.hwnd, TRUE);

    // The screen shows the same frame.
    Pump();
    RedrawWindow(w.hwnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SetWindowPos(w.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    RECT wr;
    GetWindowRect(w.hwnd, &wr);
    Canvas screen(size.cx, size.cy);
    {
        CClientDC dc(NULL);
        BitBlt(screen.dc(), 0, 0, size.cx, size.cy, dc, wr.left, wr.top, SRCCOPY);
    }
    // Other programs on the display may take the activation meanwhile: either state.
    COLORREF bottom = screen.At(size.cx / 2, size.cy - 1), caption = screen.At(size.cx / 2, 2);
    EXPECT_TRUE(bottom == Solid("WINDOW", "FRAMEBOTTOM", 1) || bottom == Solid("WINDOW", "FRAMEBOTTOM", 2));
    EXPECT_TRUE(caption == Solid("WINDOW", "CAPTION", 1) || caption == Solid("WINDOW", "CAPTION", 2));

    // After a failed reload the window shows none of the package's colours.
    solid.context.m_pSchema = nullptr;
    solid.metrics.Refresh();
    c = PrintFrame(w.hwnd);
    std::set<COLORREF> package;
    for (const SolidEntry& e : ReadSolidTable())
        package.insert(e.colour);
    for (int y = 0; y < size.cy; y += 2) {
        for (int x = 0; x < size.cx; x += 2)
            ASSERT_EQ(package.count(c->At(x, y)), 0u) << x << "," << y;
    }
}

TEST(SkinFrame, CaptionButtonsAndHitCodesByStyle)
{
    LoadedTheme solid(SolidLibrary(), "Solid.ini");
    ASSERT_TRUE(solid.ok);
    {
        TestFrame frame(&solid.context);
        TestWindow w(&frame, WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_MINIMIZEBOX, 0, 10, 10, 200, 100);
        PrintFrame(w.hwnd);
        EXPECT_TRUE(frame.m_buttons.empty());
    }
    {
        TestFrame frame(&solid.context);
        TestWindow w(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_MAXIMIZEBOX,
                     WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP, 10, 10, 200, 100);
        PrintFrame(w.hwnd);
        ASSERT_EQ(frame.m_buttons.size(), 1u);
        EXPECT_EQ(frame.m_buttons[0]->part, 19);
        EXPECT_EQ(frame.m_borders.top - frame.m_borders.bottom, solid.metrics.GetSmallCaptionHeight());
    }
    TestFrame frame(&solid.context);
    TestWindow w(&frame, kFrameStyle, WS_EX_CONTEXTHELP, 10, 10, 300, 150);
    EnableMenuItem(GetSystemMenu(w.hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    std::unique_ptr<Canvas> c = PrintFrame(w.hwnd);
    ASSERT_EQ(frame.m_buttons.size(), 4u);
    std::vector<int> codes;
    for (auto& button : frame.m_buttons)
        codes.push_back(button->hitCode);
    EXPECT_EQ(codes, (std::vector<int>{HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}));
    POINT close = Centre(frame.m_buttons[0]->rect);
    EXPECT_EQ(c->At(close.x, close.y), Solid("WINDOW", "CLOSEBUTTON", 4));
    for (size_t i = 1; i < frame.m_buttons.size(); ++i) {
        POINT p = Centre(frame.m_buttons[i]->rect);
        EXPECT_EQ(SendMessageA(w.hwnd, WM_NCHITTEST, 0, ScreenParam(w.hwnd, p)), frame.m_buttons[i]->hitCode);
    }
    POINT min = Centre(frame.m_buttons[2]->rect);
    EXPECT_EQ(c->At(min.x, min.y), Solid("WINDOW", "MINBUTTON", 1));
    // A close the system reports where the skin has no enabled button is the caption.
    int mapped = 0;
    RECT wr;
    GetWindowRect(w.hwnd, &wr);
    for (int x = 0; x < wr.right - wr.left; ++x) {
        for (int y = 0; y < frame.m_borders.top; ++y) {
            POINT p = {x, y};
            LPARAM at = ScreenParam(w.hwnd, p);
            if (DefWindowProcA(w.hwnd, WM_NCHITTEST, 0, at) != HTCLOSE)
                continue;
            LRESULT own = SendMessageA(w.hwnd, WM_NCHITTEST, 0, at);
            EXPECT_TRUE(own == HTCAPTION || own == HTMAXBUTTON || own == HTMINBUTTON || own == HTHELP)
                << own << " at " << x << "," << y;
            mapped += own == HTCAPTION;
        }
    }
    EXPECT_GT(mapped, 0);
    // A press that leaves the button before the release sends nothing.
    POINT max = Centre(frame.m_buttons[1]->rect);
    SendMessageA(w.hwnd, WM_NCMOUSEMOVE, HTMAXBUTTON, ScreenParam(w.hwnd, max));
    POINT away = {max.x, frame.m_borders.top + 30};
    PostMessageA(w.hwnd, WM_MOUSEMOVE, 0, ClientParam(w.hwnd, away));
    PostMessageA(w.hwnd, WM_LBUTTONUP, 0, ClientParam(w.hwnd, away));
    SendMessageA(w.hwnd, WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenParam(w.hwnd, max));
    EXPECT_TRUE(Codes(frame, WM_SYSCOMMAND).empty());
    EXPECT_EQ(GetCapture(), (HWND)NULL);
    // A quit inside the loop ends it unclicked and reaches the outer loop.
    SendMessageA(w.hwnd, WM_NCMOUSEMOVE, HTMAXBUTTON, ScreenParam(w.hwnd, max));
    PostQuitMessage(7);
    SendMessageA(w.hwnd, WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenParam(w.hwnd, max));
    EXPECT_TRUE(Codes(frame, WM_SYSCOMMAND).empty());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(SkinFrame, RegionCutsTheCaptionCorners)
{
    LoadedTheme blue(BlueLibrary(), "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    CVZRDefaultThemeSchema* schema = static_cast<CVZRDefaultThemeSchema*>(blue.schema.get());
    TestFrame frame(&blue.context);
    TestWindow w(&frame, kFrameStyle, 0, 20, 20, 320, 200);
    SIZE size = w.Size();
    EXPECT_EQ(size.cy, 200 + blue.metrics.GetCaptionHeight() - GetSystemMetrics(SM_CYCAPTION));
    CScopedRgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(w.hwnd, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, size.cx - 1, 0));
    EXPECT_TRUE(PtInRegion(region, size.cx / 2, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 10));
    EXPECT_TRUE(PtInRegion(region, size.cx - 1, size.cy - 1));
    EXPECT_EQ(schema->GetCornerCacheSize(), 1u);
    // Another width reuses the record; a narrower window than the margins gets a temporary one.
    SetWindowPos(w.hwnd, NULL, 0, 0, 400, 220, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(schema->GetCornerCacheSize(), 1u);
    CScopedRgn narrow(schema->CalcFrameRegion(&frame, 12, 100));
    EXPECT_EQ(schema->GetCornerCacheSize(), 1u);
    EXPECT_FALSE(PtInRegion(narrow, 0, 0));
    EXPECT_TRUE(PtInRegion(narrow, 6, 20));
    schema->ReloadMetrics();
    EXPECT_EQ(schema->GetCornerCacheSize(), 0u);
}

namespace {
// The light glyph pixels of a caption button, relative to its rectangle.
std::set<std::pair<int, int>> GlyphPixels(const Canvas& c, const RECT& button)
{
    std::set<std::pair<int, int>> glyph;
    for (int y = button.top; y < button.bottom; ++y) {
        for (int x = button.left; x < button.right; ++x) {
            COLORREF v = c.At(x, y);
            if (GetRValue(v) > 230 && GetGValue(v) > 230 && GetBValue(v) > 230)
                glyph.insert({x - button.left, y - button.top});
        }
    }
    return glyph;
}

int CountInColumn(const std::set<std::pair<int, int>>& glyph, int x)
{
    int n = 0;
    for (const auto& p : glyph)
        n += p.first == x;
    return n;
}
}  // namespace

TEST(SkinFrame, NormalBlueMaximiseGlyphKeepsItsSidesAndAMaximisedWindowShowsRestore)
{
    LoadedTheme blue(BlueLibrary(), "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    TestFrame frame(&blue.context);
    TestWindow w(&frame, kFrameStyle, 0, 20, 20, 320, 200);
    std::unique_ptr<Canvas> c = PrintFrame(w.hwnd);
    ASSERT_EQ(frame.m_buttons.size(), 3u);
    ASSERT_EQ(frame.m_buttons[1]->hitCode, HTMAXBUTTON);
    const std::set<std::pair<int, int>> maximise = GlyphPixels(*c, frame.m_buttons[1]->rect);
    ASSERT_FALSE(maximise.empty());
    // the outline at the caption button's size: its right side as long as its left
    const int left = maximise.begin()->first, right = maximise.rbegin()->first;
    EXPECT_GT(right - left, 3);
    EXPECT_EQ(CountInColumn(maximise, right), CountInColumn(maximise, left));

    ShowWindow(w.hwnd, SW_MAXIMIZE);
    c = PrintFrame(w.hwnd);
    ASSERT_EQ(frame.m_buttons.size(), 3u);
    ASSERT_EQ(frame.m_buttons[1]->hitCode, HTMAXBUTTON);
    const std::set<std::pair<int, int>> restore = GlyphPixels(*c, frame.m_buttons[1]->rect);
    EXPECT_FALSE(restore.empty());
    EXPECT_NE(restore, maximise);
}

namespace {
// A window with both bars over 0..100, page 10.
struct ScrolledWindow {
    LoadedTheme theme{SolidLibrary(), "Solid.ini"};
    TestFrame frame{&theme.context};
    TestWindow window{&frame, kFrameStyle | WS_VSCROLL | WS_HSCROLL, 0, 30, 30, 300, 260};
    ScrolledWindow()
    {
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
        SetScrollInfo(window.hwnd, SB_VERT, &info, TRUE);
        SetScrollInfo(window.hwnd, SB_HORZ, &info, TRUE);
        PrintFrame(window.hwnd);
    }
    HWND hwnd() const { return window.hwnd; }
    CVZRScrollBarInfo& v() { return frame.m_vBar; }
    void Press(POINT at) { SendMessageA(hwnd(), WM_NCLBUTTONDOWN, HTVSCROLL, ScreenParam(hwnd(), at)); }
    POINT Along(int y) const
    {
        POINT p = {(frame.m_vBar.rect.left + frame.m_vBar.rect.right) / 2, y};
        return p;
    }
};
}  // namespace

TEST(SkinFrame, ScrollBarGeometryAndPixels)
{
    ScrolledWindow s;
    CVZRScrollBarInfo& v = s.v();
    ASSERT_TRUE(v.visible);
    RECT client;
    GetClientRect(s.hwnd(), &client);
    EXPECT_EQ(v.rect.right - v.rect.left, s.theme.metrics.GetSystemMetric(SM_CXVSCROLL));
    EXPECT_EQ(v.rect.bottom - v.rect.top, client.bottom);
    std::unique_ptr<Canvas> c = PrintFrame(s.hwnd());
    EXPECT_EQ(c->At(v.rect.left + 3, v.rect.top + 3), Solid("SCROLLBAR", "ARROWBTN", 1));
    EXPECT_EQ(c->At(v.rect.left + 3, v.rect.bottom - 3), Solid("SCROLLBAR", "ARROWBTN", 5));
    EXPECT_EQ(c->At(v.rect.left + 3, v.thumbTop + 2), Solid("SCROLLBAR", "THUMBBTNVERT", 1));
    CVZRScrollBarInfo& h = s.frame.m_hBar;
    EXPECT_EQ(c->At(h.rect.left + 3, h.rect.top + 3), Solid("SCROLLBAR", "ARROWBTN", 9));
    // A sizable window's own box is its corner: the grip.
    EXPECT_EQ(c->At(v.rect.left + 3, h.rect.top + 3), Solid("SCROLLBAR", "SIZEBOX", 1));
    // Hot under the mouse.
    POINT down = s.Along(v.rect.bottom - 3);
    SendMessageA(s.hwnd(), WM_NCMOUSEMOVE, HTVSCROLL, ScreenParam(s.hwnd(), down));
    EXPECT_EQ(v.hotPart, kScrollSecondArrow);
    EXPECT_EQ(PrintFrame(s.hwnd())->At(down.x, down.y), Solid("SCROLLBAR", "ARROWBTN", 6));
    EXPECT_EQ(SendMessageA(s.hwnd(), WM_NCHITTEST, 0, ScreenParam(s.hwnd(), down)), HTVSCROLL);
}

TEST(SkinFrame, ArrowClickRepeatsPerTimerMessage)
{
    ScrolledWindow s;
    POINT down = s.Along(s.v().rect.bottom - 3);
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), down));
    s.Press(down);
    EXPECT_EQ(Codes(s.frame, WM_VSCROLL), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(s.frame.GetTracking(), nullptr);
    EXPECT_EQ(s.v().hotPart, kScrollNone);

    // Three repeat ticks with the cursor on the arrow, one off it.
    s.frame.log.clear();
    RECT wr;
    GetWindowRect(s.hwnd(), &wr);
    SetCursorPos(wr.left + down.x, wr.top + down.y);
    for (int i = 0; i < 3; ++i)
        PostMessageA(s.hwnd(), WM_TIMER, kScrollRepeatTimer, 0);
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), down));
    s.Press(down);
    EXPECT_EQ(Codes(s.frame, WM_VSCROLL), (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN,
                                                            SB_ENDSCROLL}));
    s.frame.log.clear();
    SetCursorPos(wr.left + 5, wr.top + 5);
    PostMessageA(s.hwnd(), WM_TIMER, kScrollRepeatTimer, 0);
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), down));
    s.Press(down);
    EXPECT_EQ(Codes(s.frame, WM_VSCROLL), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));

    // A quit inside the loop ends it and reaches the outer loop.
    s.frame.log.clear();
    PostQuitMessage(3);
    s.Press(down);
    EXPECT_EQ(Codes(s.frame, WM_VSCROLL), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(GetCapture(), (HWND)NULL);
}

TEST(SkinFrame, ThumbDragTracksSnapsBackAndJumpsWithShift)
{
    ScrolledWindow s;
    CVZRScrollBarInfo& v = s.v();
    int startTop = v.thumbTop;
    POINT thumb = s.Along(v.thumbTop + 3);
    SetKey(VK_LBUTTON, true);
    POINT lower = s.Along(thumb.y + 40);
    PostMessageA(s.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, ClientParam(s.hwnd(), lower));
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), lower));
    s.Press(thumb);
    std::vector<int> codes = Codes(s.frame, WM_VSCROLL);
    ASSERT_EQ(codes, (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    int moved = s.frame.log[1].pos;
    CVZRScrollBarInfo expect = v;
    expect.thumbTop = startTop + 40;
    EXPECT_EQ(moved, PosFromPixel(expect, startTop + 40));
    EXPECT_EQ(s.frame.log[2].pos, moved);
    // The tracked position while dragging; the system's after it.
    EXPECT_EQ(s.frame.trackPositions, (std::vector<int>{0, moved}));
    int pos;
    EXPECT_FALSE(s.frame.GetTrackPos(SB_VERT, &pos));
    EXPECT_EQ(GetScrollPos(s.hwnd(), SB_VERT), 0);

    // Far off the bar the thumb goes back where the drag began.
    s.frame.log.clear();
    POINT offBar = {thumb.x - 400, thumb.y + 40};
    PostMessageA(s.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, ClientParam(s.hwnd(), lower));
    PostMessageA(s.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, ClientParam(s.hwnd(), offBar));
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), offBar));
    s.Press(thumb);
    codes = Codes(s.frame, WM_VSCROLL);
    ASSERT_EQ(codes.size(), 5u);
    EXPECT_EQ(s.frame.log[2].pos, 0);
    EXPECT_EQ(s.frame.log[3].code, SB_THUMBPOSITION);
    EXPECT_EQ(s.frame.log[3].pos, 0);

    // Shift on the track centres the thumb under the cursor at once.
    s.frame.log.clear();
    SetKey(VK_SHIFT, true);
    POINT track = s.Along(v.secondArrowStart - 30);
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), track));
    s.Press(track);
    SetKey(VK_SHIFT, false);
    SetKey(VK_LBUTTON, false);
    codes = Codes(s.frame, WM_VSCROLL);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[0], SB_THUMBTRACK);
    int jumped = s.frame.log[codes.size() - 2].pos;
    expect = v;
    EXPECT_NEAR(jumped, PosFromPixel(expect, track.y - v.thumbLength / 2), 1);

    // A page click without Shift pages.
    s.frame.log.clear();
    PostMessageA(s.hwnd(), WM_LBUTTONUP, 0, ClientParam(s.hwnd(), track));
    s.Press(track);
    EXPECT_EQ(Codes(s.frame, WM_VSCROLL), (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL}));
}

TEST(SkinFrame, SizeGripOnlyInTheSizableCorner)
{
    LoadedTheme solid(SolidLibrary(), "Solid.ini");
    ASSERT_TRUE(solid.ok);
    TestFrame parentFrame(&solid.context);
    TestWindow parent(&parentFrame, kFrameStyle, 0, 50, 50, 400, 300);
    RECT client;
    GetClientRect(parent.hwnd, &client);
    COLORREF grip = Solid("SCROLLBAR", "SIZEBOX", 1);
    COLORREF face = solid.metrics.GetColor(COLOR_BTNFACE);
    struct Case {
        DWORD exStyle;
        int x, y;
        bool corner;
    } cases[] = {
        {0, client.right - 150, client.bottom - 120, true},
        {0, 10, 10, false},
        {WS_EX_LEFTSCROLLBAR, client.right - 150, client.bottom - 120, true},
    };
    for (const Case& k : cases) {
        TestFrame frame(&solid.context);
        TestWindow child(&frame, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, k.exStyle, k.x, k.y, 150, 120,
                         parent.hwnd);
        SCROLLINFO info = {sizeof(info), SIF_RANGE, 0, 10, 0, 0};
        SetScrollInfo(child.hwnd, SB_VERT, &info, FALSE);
        std::unique_ptr<Canvas> c = PrintFrame(child.hwnd);
        const CVZRScrollBarInfo& v = frame.m_vBar;
        const CVZRScrollBarInfo& h = frame.m_hBar;
        int boxX = k.exStyle ? v.rect.left + 2 : v.rect.right - 2;
        EXPECT_EQ(c->At(boxX, h.rect.bottom - 2), k.corner ? grip : face) << k.x;
        if (k.exStyle) {
            EXPECT_EQ(v.rect.left, 0);
            EXPECT_EQ(h.rect.left, v.rect.right);
        }
    }
}

TEST(SkinFrame, ResetTimerRecalculatesWithoutTheBars)
{
    ScrolledWindow s;
    s.frame.styleAtCalcSize = 0;
    SetTimer(s.hwnd(), kResetTimer, 5000, NULL);
    SendMessageA(s.hwnd(), WM_TIMER, kResetTimer, 0);
    EXPECT_NE(s.frame.styleAtCalcSize, 0u);
    EXPECT_EQ(s.frame.styleAtCalcSize & (WS_VSCROLL | WS_HSCROLL), 0u);
    EXPECT_TRUE(GetWindowLongA(s.hwnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(s.frame.m_lockCount, 0);
}

TEST(SkinFrame, SecondSchemaBarWithNothingHotShowsOnlyGlyphs)
{
    LoadedTheme office(PackageDir() + "/OfficePackage.dll", "Office.ini");
    ASSERT_TRUE(office.ok);
    CVZRScrollBarInfo bar;
    bar.vertical = 1;
    bar.visible = 1;
    bar.barType = SB_VERT;
    CalcScrollBarInfo(SkinRect{0, 0, 17, 200}, bar, 0, 100, 10, 0, 17);
    Canvas quiet(17, 200), hot(17, 200);
    office.schema->DrawScrollBar(quiet.dc(), NULL, &bar);
    bar.hotPart = kScrollThumb;
    office.schema->DrawScrollBar(hot.dc(), NULL, &bar);
    // The glyph's ink is there both times; the arrow button's background only when hot.
    EXPECT_EQ(quiet.At(8, 7), RGB(40, 60, 100));
    EXPECT_EQ(hot.At(8, 7), RGB(40, 60, 100));
    EXPECT_NE(quiet.At(1, 1), hot.At(1, 1));
}
