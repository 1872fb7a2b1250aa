// Controls of a host program skinned by ozSkin.dll with the solid test
// package: the skin's procedures and what the controls paint, read through
// WM_PRINTCLIENT and from the screen. Built twice, with and without a manifest
// asking for the version 6 common controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "skin/engine/SkinApi.h"
#include "skin/tests/SkinHostSupport.h"
#include "skin/tests/SkinTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace skintest;

namespace {
HMODULE g_skin = NULL;

bool StartSolidSkin()
{
    g_skin = skinhost::StartSolidSkin();
    return g_skin != NULL;
}

COLORREF Solid(const char* cls, const char* part, int state)
{
    for (const SolidEntry& e : ReadSolidTable()) {
        if (e.cls == cls && e.part == part && e.state == state)
            return e.colour;
    }
    ADD_FAILURE() << cls << "." << part << "(" << state << ")";
    return CLR_INVALID;
}

std::vector<UINT> g_messages;
COLORREF g_ownerColour = RGB(12, 200, 34);

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_DRAWITEM)
        g_messages.push_back(msg);
    if (msg == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HBRUSH brush = CreateSolidBrush(g_ownerColour);
        FillRect(item->hDC, &item->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

struct Host {
    HWND wnd;
    Host()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = "SkinnedHost";
        RegisterClassA(&wc);
        wnd = CreateWindowExA(WS_EX_TOPMOST, "SkinnedHost", "host", WS_POPUP | WS_VISIBLE, 660, 60, 600, 400, NULL,
                              NULL, NULL, NULL);
        g_messages.clear();
    }
    ~Host() { DestroyWindow(wnd); }
    HWND Add(const char* cls, const char* text, DWORD style, int w, int h, DWORD exStyle = 0, int x = 10, int y = 10)
    {
        HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd,
                                     (HMENU)100, NULL, NULL);
        SendMessageA(child, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
        return child;
    }
};

HMODULE ProcedureModule(HWND hwnd)
{
    MEMORY_BASIC_INFORMATION info;
    LONG_PTR proc = IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!VirtualQuery((const void*)proc, &info, sizeof(info)))
        return NULL;
    return (HMODULE)info.AllocationBase;
}

SIZE ClientSize(HWND wnd)
{
    RECT r;
    GetClientRect(wnd, &r);
    SIZE s = {r.right, r.bottom};
    return s;
}

COLORREF PrintedAt(HWND wnd, int x, int y)
{
    SIZE size = ClientSize(wnd);
    Canvas c(size.cx, size.cy);
    SendMessageA(wnd, WM_PRINTCLIENT, (WPARAM)c.dc(), PRF_CLIENT);
    return c.At(x, y);
}

void Pump()
{
    MSG msg;
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The pixel on the screen; CLR_INVALID while another program's window covers it.
COLORREF ScreenAt(HWND wnd, int x, int y)
{
    POINT pt = {x, y};
    ClientToScreen(wnd, &pt);
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetWindowPos(GetAncestor(wnd, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(wnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        Pump();
        if (WindowFromPoint(pt) != wnd)
            continue;
        HDC screen = GetDC(NULL);
        COLORREF c = GetPixel(screen, pt.x, pt.y);
        ReleaseDC(NULL, screen);
        return c;
    }
    return CLR_INVALID;
}

// Compares with the screen unless another test's window stays on top of ours.
#define EXPECT_SCREEN(wnd, x, y, colour)                             \
    do {                                                             \
        COLORREF seen = ScreenAt(wnd, x, y);                         \
        if (seen != CLR_INVALID)                                     \
            EXPECT_EQ(seen, colour);                                 \
        else                                                         \
            printf("screen covered at %d,%d: not compared\n", x, y); \
    } while (0)

// The colour of a window's non-client pixel as the window prints it.
COLORREF PrintedFrameAt(HWND wnd, int x, int y)
{
    RECT r;
    GetWindowRect(wnd, &r);
    Canvas c(r.right - r.left, r.bottom - r.top);
    SendMessageA(wnd, WM_PRINT, (WPARAM)c.dc(), PRF_NONCLIENT);
    return c.At(x, y);
}

HWND g_mdiClient = NULL;

LRESULT CALLBACK MdiFrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(wnd, g_mdiClient, msg, wParam, lParam);
}

// A top-level MDI frame with its client and two children, the second active.
struct MdiFrame {
    HWND frame = NULL, children[2] = {NULL, NULL};
    MdiFrame()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = MdiFrameProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "SkinnedMdiFrame";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefMDIChildProcA;
        wc.lpszClassName = "SkinnedMdiChild";
        RegisterClassA(&wc);
        frame = CreateWindowExA(WS_EX_TOPMOST, "SkinnedMdiFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                                560, 420, NULL, NULL, NULL, NULL);
        CLIENTCREATESTRUCT ccs = {NULL, 1000};
        g_mdiClient = CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 300,
                                      frame, NULL, NULL, &ccs);
        for (int i = 0; i < 2; ++i) {
            MDICREATESTRUCTA mcs = {"SkinnedMdiChild", "child", GetModuleHandleA(NULL), 10 + 30 * i, 10, 200, 150, 0, 0};
            children[i] = (HWND)SendMessageA(g_mdiClient, WM_MDICREATE, 0, (LPARAM)&mcs);
        }
    }
    ~MdiFrame()
    {
        DestroyWindow(frame);
        g_mdiClient = NULL;
    }
    static COLORREF Caption(HWND wnd)
    {
        RECT r;
        GetWindowRect(wnd, &r);
        return PrintedFrameAt(wnd, (r.right - r.left) / 2, 2);
    }
};

class SkinnedControls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartSolidSkin()); }
};
}  // namespace

TEST_F(SkinnedControls, EveryMappedControlIsHandledInTheSkinLibrary)
{
    Host host;
    const char* classes[] = {"Button", "ComboBox", "Edit", DATETIMEPICK_CLASSA, MONTHCAL_CLASSA, "ListBox",
                             WC_LISTVIEWA, WC_HEADERA, WC_TREEVIEWA, PROGRESS_CLASSA, STATUSCLASSNAMEA, UPDOWN_CLASSA,
                             TRACKBAR_CLASSA, WC_TABCONTROLA, TOOLBARCLASSNAMEA, "MDIClient"};
    for (const char* cls : classes) {
        CLIENTCREATESTRUCT mdi = {NULL, 1000};
        HWND child = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 30, host.wnd, NULL, NULL,
                                     strcmp(cls, "MDIClient") == 0 ? &mdi : NULL);
        ASSERT_NE(child, nullptr) << cls;
        EXPECT_EQ(ProcedureModule(child), g_skin) << cls;
        DestroyWindow(child);
    }
}

TEST_F(SkinnedControls, PushButtonsNormalHotPressedDefaultAndDisabled)
{
    Host host;
    HWND button = host.Add("BUTTON", "", BS_PUSHBUTTON, 80, 24);
    EXPECT_EQ(PrintedAt(button, 40, 12), Solid("BUTTON", "PUSHBUTTON", 1));
    EXPECT_SCREEN(button, 40, 12, Solid("BUTTON", "PUSHBUTTON", 1));
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(PrintedAt(button, 40, 12), Solid("BUTTON", "PUSHBUTTON", 2));
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    // Pressed by BM_SETSTATE: the system's own pressed drawing never reaches the screen.
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(PrintedAt(button, 40, 12), Solid("BUTTON", "PUSHBUTTON", 3));
    EXPECT_SCREEN(button, 40, 12, Solid("BUTTON", "PUSHBUTTON", 3));
    EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(PrintedAt(button, 40, 12), Solid("BUTTON", "PUSHBUTTON", 5));
    EnableWindow(button, FALSE);
    EXPECT_EQ(PrintedAt(button, 40, 12), Solid("BUTTON", "PUSHBUTTON", 4));
}

TEST_F(SkinnedControls, CheckRadioAndMixedBoxesAndOwnerDrawnButtons)
{
    Host host;
    HWND check = host.Add("BUTTON", "Check", BS_AUTO3STATE, 120, 20);
    HWND radio = host.Add("BUTTON", "Radio", BS_AUTORADIOBUTTON, 120, 20, 0, 10, 40);
    SendMessageA(check, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(PrintedAt(check, 6, 9), Solid("BUTTON", "CHECKBOX", 9));
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(PrintedAt(check, 6, 9), Solid("BUTTON", "CHECKBOX", 5));
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(PrintedAt(radio, 6, 9), Solid("BUTTON", "RADIOBUTTON", 5));

    HWND owner = host.Add("BUTTON", "", BS_OWNERDRAW, 60, 20, 0, 10, 70);
    g_messages.clear();
    EXPECT_SCREEN(owner, 30, 10, g_ownerColour);
    EXPECT_NE(std::find(g_messages.begin(), g_messages.end(), (UINT)WM_DRAWITEM), g_messages.end());
}

// A push button that a class library subclasses and turns owner-drawn after
// its creation: its own procedure passes WM_PAINT on through CallWindowProc.
namespace {
WNDPROC g_buttonProc = NULL;
LRESULT CALLBACK LibrarySubclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_buttonProc, wnd, msg, wParam, lParam);
}
}  // namespace

TEST_F(SkinnedControls, ButtonTurnedOwnerDrawnPaintsThroughItsParentWhenShown)
{
    Host host;
    HWND button = host.Add("BUTTON", "", BS_PUSHBUTTON, 60, 20, 0, 10, 70);
    g_buttonProc = (WNDPROC)SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)LibrarySubclass);
    SetWindowLongA(button, GWL_STYLE, (GetWindowLongA(button, GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW);
    g_messages.clear();
    EXPECT_SCREEN(button, 30, 10, g_ownerColour);
    EXPECT_NE(std::find(g_messages.begin(), g_messages.end(), (UINT)WM_DRAWITEM), g_messages.end());
    SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)g_buttonProc);
}

TEST_F(SkinnedControls, InputControlsLoseTheirBordersAndAskForStaticColoursWhenReadOnly)
{
    Host host;
    HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_BORDER, 120, 100, WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(combo, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongA(combo, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    SIZE size = ClientSize(combo);
    EXPECT_EQ(PrintedAt(combo, size.cx - 4, size.cy / 2), Solid("COMBOBOX", "DROPDOWNBUTTON", 1));
    EnableWindow(combo, FALSE);
    g_messages.clear();
    PrintedAt(combo, 0, 0);
    ASSERT_FALSE(g_messages.empty());
    EXPECT_EQ(g_messages.front(), (UINT)WM_CTLCOLORSTATIC);

    HWND edit = host.Add("EDIT", "text", ES_READONLY, 100, 20, WS_EX_CLIENTEDGE, 10, 150);
    g_messages.clear();
    RedrawWindow(edit, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_NE(std::find(g_messages.begin(), g_messages.end(), (UINT)WM_CTLCOLORSTATIC), g_messages.end());
    EXPECT_EQ(std::find(g_messages.begin(), g_messages.end(), (UINT)WM_CTLCOLOREDIT), g_messages.end());

    HWND picker = host.Add(DATETIMEPICK_CLASSA, "", DTS_SHOWNONE, 160, 24, 0, 10, 200);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    SIZE p = ClientSize(picker);
    EXPECT_EQ(PrintedAt(picker, 1 + (p.cy - 2) / 2, p.cy / 2), Solid("BUTTON", "CHECKBOX", 1));
}

TEST_F(SkinnedControls, ListsGetTheSkinColoursAndBarsAndTabsPaintFromTheTheme)
{
    Host host;
    HWND list = host.Add(WC_LISTVIEWA, "", LVS_REPORT, 100, 100);
    HWND tree = host.Add(WC_TREEVIEWA, "", 0, 100, 100, 0, 120, 10);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(4, 5, 6));
    EXPECT_EQ((COLORREF)SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), RGB(4, 5, 6));

    HWND progress = host.Add(PROGRESS_CLASSA, "", 0, 200, 20, 0, 10, 150);
    SendMessageA(progress, PBM_SETPOS, 50, 0);
    EXPECT_EQ(PrintedAt(progress, 6, 10), Solid("PROGRESS", "CHUNK", 1));

    HWND tab = host.Add(WC_TABCONTROLA, "", 0, 300, 100, 0, 250, 10);
    TCITEMA item = {TCIF_TEXT};
    item.pszText = (LPSTR) "Page";
    SendMessageA(tab, TCM_INSERTITEMA, 0, (LPARAM)&item);
    SendMessageA(tab, TCM_INSERTITEMA, 1, (LPARAM)&item);
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    RECT first;
    SendMessageA(tab, TCM_GETITEMRECT, 0, (LPARAM)&first);
    EXPECT_EQ(PrintedAt(tab, first.right - 1, first.bottom - 2), Solid("TAB", "TOPTABITEM", 3));
}

TEST_F(SkinnedControls, PopupMenuClosedByEscapeAndListBoxScrolledByKeys)
{
    Host host;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "First");
    AppendMenuA(menu, MF_STRING, 2, "Second");
    SetForegroundWindow(host.wnd);
    PostMessageA(host.wnd, WM_KEYDOWN, VK_ESCAPE, 0);
    BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 700, 100, 0, host.wnd, NULL);
    EXPECT_EQ(chosen, FALSE);
    DestroyMenu(menu);

    HWND box = host.Add("LISTBOX", "", WS_VSCROLL | LBS_NOTIFY, 120, 80, 0, 10, 150);
    for (int i = 0; i < 40; ++i)
        SendMessageA(box, LB_ADDSTRING, 0, (LPARAM) "item");
    SetFocus(box);
    SendMessageA(box, LB_SETCURSEL, 0, 0);
    Pump();
    RECT window, client;
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    MapWindowPoints(box, NULL, reinterpret_cast<POINT*>(&client), 2);
    // The skinned bar on the screen, beside the client area, before and after the keys.
    auto bar = [&]() {
        std::vector<COLORREF> column;
        if (WindowFromPoint({client.right + 2, client.top + 2}) != box)
            return column;
        HDC screen = GetDC(NULL);
        for (int y = window.top; y < window.bottom; ++y)
            column.push_back(GetPixel(screen, client.right + 2, y));
        ReleaseDC(NULL, screen);
        return column;
    };
    std::vector<COLORREF> before = bar();
    SendMessageA(box, WM_KEYDOWN, VK_END, 0);
    EXPECT_GT(GetScrollPos(box, SB_VERT), 0);
    EXPECT_EQ(ProcedureModule(box), g_skin);
    std::vector<COLORREF> after = bar();
    if (!before.empty() && !after.empty())
        EXPECT_NE(before, after) << "the skinned bar was not redrawn";
}

TEST_F(SkinnedControls, MaximisedMdiChildKeepsItsSkinBordersOutsideTheClient)
{
    Host host;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefMDIChildProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SkinnedMdiChild";
    RegisterClassA(&wc);
    CLIENTCREATESTRUCT ccs = {NULL, 1000};
    HWND client = CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 300,
                                  host.wnd, NULL, NULL, &ccs);
    ASSERT_NE(client, nullptr);
    MDICREATESTRUCTA mcs = {"SkinnedMdiChild", "child", GetModuleHandleA(NULL), 10, 10, 200, 150, 0, 0};
    HWND child = (HWND)SendMessageA(client, WM_MDICREATE, 0, (LPARAM)&mcs);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(ProcedureModule(client), g_skin);
    SendMessageA(client, WM_MDIMAXIMIZE, (WPARAM)child, 0);
    SetWindowPos(client, NULL, 0, 0, 520, 320, SWP_NOZORDER | SWP_NOMOVE);
    RECT childClient, mdiClient;
    GetClientRect(child, &childClient);
    GetClientRect(client, &mdiClient);
    MapWindowPoints(child, NULL, reinterpret_cast<POINT*>(&childClient), 2);
    MapWindowPoints(client, NULL, reinterpret_cast<POINT*>(&mdiClient), 2);
    EXPECT_TRUE(EqualRect(&childClient, &mdiClient))
        << childClient.left << "," << childClient.top << "," << childClient.right << "," << childClient.bottom << " vs "
        << mdiClient.left << "," << mdiClient.top << "," << mdiClient.right << "," << mdiClient.bottom;
}

TEST_F(SkinnedControls, MdiChildCaptionFollowsTheFramesActivation)
{
    MdiFrame mdi;
    ASSERT_NE(mdi.children[1], nullptr);
    ASSERT_EQ((HWND)SendMessageA(g_mdiClient, WM_MDIGETACTIVE, 0, 0), mdi.children[1]);
    SendMessageA(mdi.frame, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(MdiFrame::Caption(mdi.children[1]), Solid("WINDOW", "CAPTION", 1));
    SendMessageA(mdi.frame, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(MdiFrame::Caption(mdi.frame), Solid("WINDOW", "CAPTION", 2));
    EXPECT_EQ(MdiFrame::Caption(mdi.children[1]), Solid("WINDOW", "CAPTION", 2));
    EXPECT_EQ(MdiFrame::Caption(mdi.children[0]), Solid("WINDOW", "CAPTION", 2));
    SendMessageA(mdi.frame, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(MdiFrame::Caption(mdi.children[1]), Solid("WINDOW", "CAPTION", 1));
    EXPECT_EQ(MdiFrame::Caption(mdi.children[0]), Solid("WINDOW", "CAPTION", 2));

    // Activated and deactivated by the system, the child shows what the frame shows.
    Host other;
    SetActiveWindow(mdi.frame);
    Pump();
    EXPECT_EQ(MdiFrame::Caption(mdi.children[1]), MdiFrame::Caption(mdi.frame));
    SetActiveWindow(other.wnd);
    Pump();
    EXPECT_EQ(MdiFrame::Caption(mdi.children[1]), MdiFrame::Caption(mdi.frame));
}

TEST_F(SkinnedControls, ClientEdgedListBoxShowsItsOwnBackgroundInsideTheBorder)
{
    // The shipped theme rings a list box's border line with the list's own colour.
    ThemeStartProc start = (ThemeStartProc)(void*)GetProcAddress(g_skin, "ThemeStart");
    ASSERT_TRUE(start((skinhost::BinDir() + "\\ThemeUI.dll").c_str(), "NormalBlue.ini"));
    Host host;
    HWND box = host.Add("LISTBOX", "", 0, 120, 80, WS_EX_CLIENTEDGE);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(PrintedFrameAt(box, 0, 40), RGB(100, 130, 190));
    EXPECT_EQ(PrintedFrameAt(box, 1, 40), white);
    EXPECT_EQ(PrintedFrameAt(box, 60, 1), white);
    EXPECT_SCREEN(box, -1, 38, white);
}

// Check boxes and radio buttons in the studio's own theme.
namespace {
class ShippedTheme : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_skin = LoadLibraryA((skinhost::BinDir() + "\\ozSkin.dll").c_str());
        ThemeStartProc start = g_skin ? (ThemeStartProc)(void*)GetProcAddress(g_skin, "ThemeStart") : NULL;
        ASSERT_TRUE(start && start((skinhost::BinDir() + "\\ThemeUI.dll").c_str(), "NormalBlue.ini"));
    }
};

int Lightness(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

// The lightest and the darkest pixel inside the glyph's border (the glyph is
// 13 x 13 at the left, centred in height).
std::pair<int, int> GlyphFace(HWND button)
{
    SIZE size = ClientSize(button);
    Canvas c(size.cx, size.cy);
    SendMessageA(button, WM_PRINTCLIENT, (WPARAM)c.dc(), PRF_CLIENT);
    const int top = (size.cy - 13) / 2;
    int light = 0, dark = 255;
    for (int y = top + 3; y < top + 10; ++y) {
        for (int x = 3; x < 10; ++x) {
            light = std::max(light, Lightness(c.At(x, y)));
            dark = std::min(dark, Lightness(c.At(x, y)));
        }
    }
    return {light, dark};
}
}  // namespace

TEST_F(ShippedTheme, UncheckedBoxesShowALightFaceAndCheckedOnesADarkMark)
{
    Host host;
    HWND check = host.Add("BUTTON", "Check", BS_AUTOCHECKBOX, 120, 20);
    HWND radio = host.Add("BUTTON", "Radio", BS_AUTORADIOBUTTON, 120, 20, 0, 10, 40);
    const char* const states[] = {"normal", "hot", "pressed", "disabled"};
    for (HWND button : {check, radio}) {
        for (const char* state : states) {
            SCOPED_TRACE(std::string(button == check ? "check box " : "radio ") + state);
            const bool disabled = strcmp(state, "disabled") == 0;
            EnableWindow(button, !disabled);
            SendMessageA(button, WM_MOUSEMOVE, 0, strcmp(state, "hot") == 0 ? MAKELPARAM(5, 5) : MAKELPARAM(-1, -1));
            SendMessageA(button, BM_SETSTATE, strcmp(state, "pressed") == 0, 0);
            SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
            std::pair<int, int> unchecked = GlyphFace(button);
            EXPECT_GT(unchecked.second, 170) << "the unchecked face is light all over";
            SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
            std::pair<int, int> checked = GlyphFace(button);
            EXPECT_GT(checked.first, 170) << "the face around the mark stays light";
            EXPECT_LT(checked.second, disabled ? 150 : 100) << "the mark is dark";
        }
    }
}

// Disabled text (a greyed label drawn with DrawState) comes once, in the
// theme's grey text colour, without the embossed copy in the highlight.
TEST_F(ShippedTheme, DisabledTextIsDrawnOnceInTheThemesGrey)
{
    const COLORREF face = RGB(228, 236, 248), grey = RGB(128, 128, 128);
    Canvas c(120, 20, face);
    HGDIOBJ old = SelectObject(c.dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(c.dc(), TRANSPARENT);
    const char text[] = "Zavo Studio 2007";
    ASSERT_TRUE(DrawStateA(c.dc(), NULL, NULL, (LPARAM)text, (WPARAM)strlen(text), 2, 2, 110, 16,
                           DST_PREFIXTEXT | DSS_DISABLED));
    SelectObject(c.dc(), old);
    EXPECT_GT(c.Count(grey), 20);
    EXPECT_EQ(c.Count(face) + c.Count(grey), 120 * 20);
}
