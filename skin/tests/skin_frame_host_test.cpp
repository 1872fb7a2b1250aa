// Frames, dialogs and scroll bars of a host program that binds ozSkin.dll by
// name. Every test case runs in its own process: a skin, once started, stays.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/SkinApi.h"
#include "skin/tests/SkinHostSupport.h"

namespace {
// Calls that must see the patched import table, one read each.
#define FRESH __attribute__((noinline))
FRESH BOOL ScrollInfo(HWND hwnd, int bar, SCROLLINFO* info)
{
    return GetScrollInfo(hwnd, bar, info);
}
FRESH int SetInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw)
{
    return SetScrollInfo(hwnd, bar, info, redraw);
}
FRESH int SetPos(HWND hwnd, int bar, int pos, BOOL redraw) { return SetScrollPos(hwnd, bar, pos, redraw); }
FRESH BOOL EnableBar(HWND hwnd, UINT bar, UINT arrows) { return EnableScrollBar(hwnd, bar, arrows); }

using skinhost::BinDir;
using skinhost::PackagesDir;

BOOL StartSolid() { return skinhost::StartSolidSkin() != NULL; }

struct Entry {
    std::string cls, part;
    int state;
    COLORREF colour;
};

std::vector<Entry> SolidTable()
{
    std::vector<Entry> out;
    std::ifstream in(PackagesDir() + "\\solid_colours.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Entry e;
        int r, g, b;
        fields >> e.cls >> e.part >> e.state >> r >> g >> b;
        e.colour = RGB(r, g, b);
        out.push_back(e);
    }
    return out;
}

COLORREF Solid(const char* cls, const char* part, int state)
{
    for (const Entry& e : SolidTable()) {
        if (e.cls == cls && e.part == part && e.state == state)
            return e.colour;
    }
    ADD_FAILURE() << cls << "." << part;
    return 0;
}

// The pixels of a window's non-client area as it prints them, or of the screen.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> bits;
    COLORREF At(int x, int y) const { return bits[size_t(y) * width + x]; }
};

Pixels Read(HWND window, bool fromScreen)
{
    RECT r;
    GetWindowRect(window, &r);
    Pixels p;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    if (fromScreen)
        BitBlt(memory, 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY);
    else
        SendMessageA(window, WM_PRINT, WPARAM(memory), PRF_NONCLIENT);
    GdiFlush();
    const DWORD* src = static_cast<const DWORD*>(bits);
    for (int i = 0; i < p.width * p.height; ++i)
        p.bits.push_back(RGB((src[i] >> 16) & 0xFF, (src[i] >> 8) & 0xFF, src[i] & 0xFF));
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return p;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A dialog template of one caption and no controls.
std::vector<WORD> DialogTemplate(DWORD style, short cx, short cy)
{
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2 + 3 + 6, 0);
    DLGTEMPLATE* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = style;
    d->cx = cx;
    d->cy = cy;
    WORD* tail = t.data() + sizeof(DLGTEMPLATE) / 2;
    tail[0] = 0;  // menu
    tail[1] = 0;  // class
    const char* title = "Dlg";
    for (int i = 0; i < 4; ++i)
        tail[2 + i] = WORD(title[i]);
    return t;
}

std::vector<WPARAM> g_dialogActivations;

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_NCACTIVATE)
        g_dialogActivations.push_back(wParam);
    return msg == WM_INITDIALOG;
}

std::vector<std::pair<int, int>> g_scrolls;
std::vector<int> g_trackPositions;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_VSCROLL) {
        g_scrolls.push_back(std::make_pair(int(LOWORD(wParam)), int(short(HIWORD(wParam)))));
        if (LOWORD(wParam) == SB_THUMBTRACK) {
            SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
            ScrollInfo(lParam ? HWND(lParam) : hwnd, lParam ? SB_CTL : SB_VERT, &info);
            g_trackPositions.push_back(info.nTrackPos);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND HostWindow(DWORD style, int w, int h)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.lpszClassName = "SkinFrameHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "SkinFrameHost", "", style, 20, 20, w, h, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

// The screen's colours down the middle of a window's vertical bar, or across
// the middle of its horizontal one. What was drawn reaches the screen while
// the thread looks at its queue; a message no one sends lets no paint run.
std::vector<COLORREF> BarLine(HWND window, bool vertical)
{
    GdiFlush();
    MSG none;
    PeekMessageA(&none, NULL, WM_APP + 77, WM_APP + 77, PM_NOREMOVE);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&client), 2);
    std::vector<COLORREF> line;
    HDC screen = GetDC(NULL);
    if (vertical) {
        for (int y = client.top; y < client.bottom; ++y)
            line.push_back(GetPixel(screen, client.right + 5, y));
    } else {
        for (int x = client.left; x < client.right; ++x)
            line.push_back(GetPixel(screen, x, client.bottom + 5));
    }
    ReleaseDC(NULL, screen);
    return line;
}

// Where the thumb's colour runs along a bar, as a fraction of its length; -1 without it.
double ThumbAt(const std::vector<COLORREF>& line)
{
    const COLORREF thumb = Solid("SCROLLBAR", "THUMBBTNVERT", 1);
    int first = -1, last = -1;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == thumb) {
            if (first < 0)
                first = int(i);
            last = int(i);
        }
    }
    return first < 0 ? -1.0 : (first + last) / 2.0 / double(line.size());
}

// A window of a control class with a vertical bar to scroll, in a topmost host.
HWND ScrolledControl(HWND host, const char* cls)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL;
    if (strcmp(cls, "Edit") == 0)
        style |= ES_MULTILINE;
    if (strcmp(cls, WC_LISTVIEWA) == 0)
        style |= LVS_REPORT;
    HWND control = CreateWindowExA(0, cls, "", style, 10, 10, 200, 200, host, NULL, GetModuleHandleA(NULL), NULL);
    if (strcmp(cls, WC_LISTVIEWA) == 0) {
        LVCOLUMNA column = {LVCF_WIDTH, 0, 150};
        SendMessageA(control, LVM_INSERTCOLUMNA, 0, LPARAM(&column));
    }
    std::string text;
    for (int i = 0; i < 100; ++i) {
        char line[16];
        sprintf(line, "line %d", i);
        if (strcmp(cls, WC_LISTVIEWA) == 0) {
            LVITEMA item = {LVIF_TEXT, i};
            item.pszText = line;
            SendMessageA(control, LVM_INSERTITEMA, 0, LPARAM(&item));
        } else if (strcmp(cls, WC_TREEVIEWA) == 0) {
            TVINSERTSTRUCTA insert = {};
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT;
            insert.item.pszText = line;
            SendMessageA(control, TVM_INSERTITEMA, 0, LPARAM(&insert));
        }
        text += std::string(line) + "\r\n";
    }
    if (strcmp(cls, "Edit") == 0)
        SetWindowTextA(control, text.c_str());
    return control;
}

void SetKey(int key, bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}
}  // namespace

TEST(SkinFrameHost, DialogsAndUnknownClassesGetThemedFrames)
{
    ASSERT_TRUE(StartSolid());
    std::vector<WORD> t = DialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 160, 80);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(NULL), reinterpret_cast<DLGTEMPLATE*>(t.data()), NULL,
                                             DialogProc, 0);
    ASSERT_TRUE(dialog);
    HWND window = HostWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    Pump();
    g_dialogActivations.clear();
    for (HWND w : {dialog, window}) {
        SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
        Pixels p = Read(w, false);
        EXPECT_EQ(p.At(p.width / 2, 2), Solid("WINDOW", "CAPTION", 1));
        EXPECT_EQ(p.At(0, p.height / 2), Solid("WINDOW", "FRAMELEFT", 1));
        EXPECT_EQ(p.At(p.width / 2, p.height - 1), Solid("WINDOW", "FRAMEBOTTOM", 1));
        SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
        EXPECT_EQ(Read(w, false).At(p.width / 2, 2), Solid("WINDOW", "CAPTION", 2));
    }
    // The dialog's own procedure hears of the activations the skin takes (on
    // 64-bit it lies above 4 GB).
    EXPECT_EQ(g_dialogActivations, (std::vector<WPARAM>{TRUE, FALSE}));
    // The screen shows the dialog's frame too.
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    Pixels screen = Read(dialog, true);
    // Other programs on the display may take the activation meanwhile: either state.
    COLORREF bottom = screen.At(screen.width / 2, screen.height - 1);
    EXPECT_TRUE(bottom == Solid("WINDOW", "FRAMEBOTTOM", 1) || bottom == Solid("WINDOW", "FRAMEBOTTOM", 2));
    DestroyWindow(dialog);
    DestroyWindow(window);
}

TEST(SkinFrameHost, WithoutTheSkinNoPackageColourShows)
{
    HWND window = HostWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 300, 200);
    Pump();
    Pixels p = Read(window, false);
    std::set<COLORREF> package;
    for (const Entry& e : SolidTable())
        package.insert(e.colour);
    ASSERT_GT(package.size(), 50u);
    for (COLORREF c : p.bits)
        ASSERT_EQ(package.count(c), 0u);
    DestroyWindow(window);
}

TEST(SkinFrameHost, TrackedPositionWhileDraggingAndTheSystemsAfter)
{
    ASSERT_TRUE(StartSolid());
    HWND window = HostWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 300, 260);
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    Pump();
    RECT client;
    GetClientRect(window, &client);
    POINT corner = {client.right, 0};
    ClientToScreen(window, &corner);
    // The thumb sits below the package's 17-pixel up arrow at the top of the bar.
    POINT thumb = {corner.x + 5, corner.y + 17 + 4};
    POINT moved = {thumb.x, thumb.y + 50};
    ScreenToClient(window, &moved);
    SetKey(VK_LBUTTON, true);
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    SendMessageA(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
    SetKey(VK_LBUTTON, false);
    ASSERT_GE(g_scrolls.size(), 4u);
    EXPECT_EQ(g_scrolls.back().first, SB_ENDSCROLL);
    EXPECT_EQ(g_scrolls[g_scrolls.size() - 2].first, SB_THUMBPOSITION);
    int last = g_scrolls[g_scrolls.size() - 2].second;
    EXPECT_GT(last, 10);
    ASSERT_EQ(g_trackPositions.size(), g_scrolls.size() - 2);
    EXPECT_EQ(g_trackPositions.back(), last);
    // After the drag the system's own value.
    SCROLLINFO after = {sizeof(after), SIF_TRACKPOS | SIF_POS};
    ASSERT_TRUE(ScrollInfo(window, SB_VERT, &after));
    EXPECT_EQ(after.nTrackPos, after.nPos);
    DestroyWindow(window);
}

TEST(SkinFrameHost, ScrollBarControlRedrawsOnNewInfo)
{
    ASSERT_TRUE(StartSolid());
    HWND window = HostWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300);
    HWND bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 10, 10, 17, 200, window, NULL,
                               GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(bar);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    Pump();
    Pixels p = Read(bar, true);
    COLORREF thumb = Solid("SCROLLBAR", "THUMBBTNVERT", 1);
    EXPECT_EQ(p.At(8, 3), Solid("SCROLLBAR", "ARROWBTN", 1));
    EXPECT_EQ(p.At(8, 17 + 5), thumb);
    // Without redraw the screen keeps the old thumb; with it the new one shows.
    info.fMask = SIF_POS;
    info.nPos = 50;
    SendMessageA(bar, SBM_SETSCROLLINFO, FALSE, LPARAM(&info));
    Pump();
    EXPECT_EQ(Read(bar, true).At(8, 17 + 5), thumb);
    info.nPos = 90;
    SendMessageA(bar, SBM_SETSCROLLINFO, TRUE, LPARAM(&info));
    Pump();
    p = Read(bar, true);
    EXPECT_NE(p.At(8, 17 + 5), thumb);
    EXPECT_EQ(p.At(8, 200 - 17 - 5), thumb);
    // A click on the lower arrow scrolls the parent's way.
    g_scrolls.clear();
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(8, 195));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 195));
    ASSERT_EQ(g_scrolls.size(), 2u);
    EXPECT_EQ(g_scrolls[0].first, SB_LINEDOWN);
    EXPECT_EQ(g_scrolls[1].first, SB_ENDSCROLL);
    DestroyWindow(window);
}

// The system paints its own bar when asked to redraw: the skin's must show at once.
TEST(SkinFrameHost, ScrollingWithRedrawShowsTheSkinsBarAtOnce)
{
    ASSERT_TRUE(StartSolid());
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HWND host = HostWindow(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 300, 260);
    SetWindowPos(host, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    std::vector<HWND> windows = {host};
    for (const char* cls : {WC_LISTVIEWA, WC_TREEVIEWA, "Edit"})
        windows.push_back(ScrolledControl(host, cls));
    for (HWND w : windows) {
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof(cls));
        // Shown one at a time, each over the host's own bar.
        for (HWND other : windows) {
            if (other != host)
                ShowWindow(other, other == w ? SW_SHOW : SW_HIDE);
        }
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
        SetInfo(w, SB_VERT, &info, TRUE);
        RedrawWindow(host, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        double start = ThumbAt(BarLine(w, true));
        EXPECT_GE(start, 0.0) << cls;
        EXPECT_LT(start, 0.3) << cls;
        info.fMask = SIF_POS;
        info.nPos = 90;
        SetInfo(w, SB_VERT, &info, TRUE);
        std::vector<COLORREF> line = BarLine(w, true);
        EXPECT_GT(ThumbAt(line), 0.7) << cls;
        ASSERT_GT(line.size(), 10u);
        EXPECT_EQ(line[2], Solid("SCROLLBAR", "ARROWBTN", 1)) << cls;
        SetPos(w, SB_VERT, 0, TRUE);
        double back = ThumbAt(BarLine(w, true));
        EXPECT_GE(back, 0.0) << cls;
        EXPECT_LT(back, 0.3) << cls;
    }
    DestroyWindow(host);
}

TEST(SkinFrameHost, EnablingOneBarRedrawsThatBarAlone)
{
    ASSERT_TRUE(StartSolid());
    HWND window = HostWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 300, 260);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetInfo(window, SB_VERT, &info, FALSE);
    SetInfo(window, SB_HORZ, &info, FALSE);
    RedrawWindow(window, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    // Blacken the whole frame: what the skin draws again shows up.
    RECT r;
    GetWindowRect(window, &r);
    HDC dc = GetWindowDC(window);
    RECT all = {0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    ASSERT_EQ(BarLine(window, true)[2], RGB(0, 0, 0));
    EnableBar(window, SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_EQ(BarLine(window, true)[2], Solid("SCROLLBAR", "ARROWBTN", 1));
    EXPECT_EQ(BarLine(window, false)[2], RGB(0, 0, 0));
    Pixels p = Read(window, true);
    EXPECT_EQ(p.At(p.width / 2, 2), RGB(0, 0, 0));
    EnableBar(window, SB_BOTH, ESB_ENABLE_BOTH);
    EXPECT_EQ(BarLine(window, false)[2], Solid("SCROLLBAR", "ARROWBTN", 9));
    DestroyWindow(window);
}
