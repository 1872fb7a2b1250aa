// Frames, dialogs and scroll bars of a host program that binds ozSkin.dll by
// name. Every test case runs in its own process: a skin, once started, stays.
#include <windows.h>

#include <gtest/gtest.h>

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

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

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
    for (HWND w : {dialog, window}) {
        SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
        Pixels p = Read(w, false);
        EXPECT_EQ(p.At(p.width / 2, 2), Solid("WINDOW", "CAPTION", 1));
        EXPECT_EQ(p.At(0, p.height / 2), Solid("WINDOW", "FRAMELEFT", 1));
        EXPECT_EQ(p.At(p.width / 2, p.height - 1), Solid("WINDOW", "FRAMEBOTTOM", 1));
        SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
        EXPECT_EQ(Read(w, false).At(p.width / 2, 2), Solid("WINDOW", "CAPTION", 2));
    }
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
