#include "skin/objects/ControlPaint.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/tests/SkinTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace skintest;

namespace {
const COLORREF kBack = RGB(1, 2, 3);
const COLORREF kFace = RGB(11, 12, 13);

COLORREF Solid(const char* cls, const char* part, int state)
{
    for (const SolidEntry& e : ReadSolidTable()) {
        if (e.cls == cls && e.part == part && e.state == state)
            return e.colour;
    }
    ADD_FAILURE() << cls << "." << part << "(" << state << ") is not in the solid package";
    return CLR_INVALID;
}

std::vector<UINT> g_colourMessages;

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        g_colourMessages.push_back(msg);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

// Controls in a host window, painted with the solid test package.
struct Host {
    LoadedTheme theme{PackageDir() + "/SolidPackage.dll", "Solid.ini"};
    HWND wnd;
    Host()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "SkinPaintHost";
        RegisterClassA(&wc);
        wnd = CreateWindowExA(0, "SkinPaintHost", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, NULL, NULL,
                              NULL, NULL);
        g_colourMessages.clear();
    }
    ~Host() { DestroyWindow(wnd); }
    HWND Add(const char* cls, const char* text, DWORD style, int w, int h, DWORD exStyle = 0)
    {
        HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, wnd,
                                     (HMENU)100, NULL, NULL);
        SendMessageA(child, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
        return child;
    }
    CVZRSkinContext& skin() { return theme.context; }
};

SIZE ClientSize(HWND wnd)
{
    RECT r;
    GetClientRect(wnd, &r);
    SIZE s = {r.right, r.bottom};
    return s;
}

// The system's own painting of a control, as the skins' default procedure gives it.
VZRDefProc SystemPaint(HWND wnd)
{
    WNDPROC proc = (WNDPROC)GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    return [wnd, proc](UINT msg, WPARAM wParam, LPARAM lParam) { return CallWindowProcA(proc, wnd, msg, wParam, lParam); };
}

HIMAGELIST SolidImages(const std::vector<COLORREF>& colours)
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, (int)colours.size(), 0);
    for (COLORREF c : colours) {
        CScopedBitmap bitmap(MakeBitmap24(16, 16, [c](int, int) { return c; }));
        ImageList_Add(list, bitmap, NULL);
    }
    return list;
}
}  // namespace

TEST(SkinButtonPaint, PushButtonStatesFollowHotPushedDefaultAndDisabled)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND button = host.Add("BUTTON", "", BS_PUSHBUTTON, 80, 24);
    struct {
        bool hot, pushed;
        int state;
    } rows[] = {{false, false, 1}, {true, false, 2}, {true, true, 3}, {false, true, 3}};
    for (const auto& r : rows) {
        Canvas c(80, 24);
        PaintButton(host.skin(), button, c.dc(), r.hot, r.pushed);
        EXPECT_EQ(c.At(40, 12), Solid("BUTTON", "PUSHBUTTON", r.state)) << r.state;
    }
    SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | BS_DEFPUSHBUTTON);
    Canvas def(80, 24);
    PaintButton(host.skin(), button, def.dc(), false, false);
    EXPECT_EQ(def.At(40, 12), Solid("BUTTON", "PUSHBUTTON", 5));
    EnableWindow(button, FALSE);
    Canvas disabled(80, 24);
    PaintButton(host.skin(), button, disabled.dc(), true, true);
    EXPECT_EQ(disabled.At(40, 12), Solid("BUTTON", "PUSHBUTTON", 4));
    EXPECT_NE(std::find(g_colourMessages.begin(), g_colourMessages.end(), WM_CTLCOLORBTN), g_colourMessages.end());

    // Owner-drawn buttons are left to their owner.
    HWND owner = host.Add("BUTTON", "", BS_OWNERDRAW, 80, 24);
    Canvas untouched(80, 24);
    PaintButton(host.skin(), owner, untouched.dc(), true, true);
    EXPECT_EQ(untouched.Count(kBack), 80 * 24);
}

TEST(SkinButtonPaint, CheckRadioAndMixedGlyphs)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND check = host.Add("BUTTON", "Check", BS_AUTO3STATE, 120, 20);
    HWND radio = host.Add("BUTTON", "Radio", BS_AUTORADIOBUTTON, 120, 20);
    RECT glyph = {0, 3, 13, 16};
    struct {
        HWND wnd;
        int check;
        const char* part;
        int state;
    } rows[] = {{check, BST_UNCHECKED, "CHECKBOX", 1},
                {check, BST_CHECKED, "CHECKBOX", 5},
                {check, BST_INDETERMINATE, "CHECKBOX", 9},
                {radio, BST_UNCHECKED, "RADIOBUTTON", 1},
                {radio, BST_CHECKED, "RADIOBUTTON", 5}};
    for (const auto& r : rows) {
        SendMessageA(r.wnd, BM_SETCHECK, r.check, 0);
        Canvas c(120, 20);
        PaintButton(host.skin(), r.wnd, c.dc(), false, false);
        EXPECT_TRUE(c.All(glyph, Solid("BUTTON", r.part, r.state))) << r.part << " " << r.check;
        // The background comes from the parent's colour message: none here, so the skin's face.
        EXPECT_EQ(c.At(119, 0), kFace);
    }
    SendMessageA(check, BM_SETCHECK, BST_INDETERMINATE, 0);
    EnableWindow(check, FALSE);
    Canvas disabled(120, 20);
    PaintButton(host.skin(), check, disabled.dc(), false, false);
    EXPECT_EQ(disabled.At(6, 9), Solid("BUTTON", "CHECKBOX", 12));
}

TEST(SkinInputPaint, ComboDropButtonBordersAndColourMessages)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_BORDER, 120, 100, WS_EX_CLIENTEDGE);
    StripInputBorders(combo);
    EXPECT_FALSE(GetWindowLongA(combo, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongA(combo, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    SIZE size = ClientSize(combo);
    int button = size.cx - GetSystemMetrics(SM_CXVSCROLL) / 2;
    Canvas c(size.cx, size.cy);
    PaintComboBox(host.skin(), combo, c.dc(), false, SystemPaint(combo));
    EXPECT_EQ(c.At(button, size.cy / 2), Solid("COMBOBOX", "DROPDOWNBUTTON", 1));
    EXPECT_EQ(InputCtlColorMessage(combo, true), (UINT)WM_CTLCOLOREDIT);

    EnableWindow(combo, FALSE);
    g_colourMessages.clear();
    Canvas off(size.cx, size.cy);
    PaintComboBox(host.skin(), combo, off.dc(), true, SystemPaint(combo));
    EXPECT_EQ(off.At(button, size.cy / 2), Solid("COMBOBOX", "DROPDOWNBUTTON", 4));
    ASSERT_FALSE(g_colourMessages.empty());
    EXPECT_EQ(g_colourMessages.front(), (UINT)WM_CTLCOLORSTATIC);

    HWND editable = host.Add("COMBOBOX", "", CBS_DROPDOWN, 120, 100);
    HWND field = GetWindow(editable, GW_CHILD);
    ASSERT_NE(field, nullptr);
    SendMessageA(field, EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(InputCtlColorMessage(editable, true), (UINT)WM_CTLCOLORSTATIC);
    HWND edit = host.Add("EDIT", "", 0, 80, 20);
    EXPECT_EQ(InputCtlColorMessage(edit, false), (UINT)WM_CTLCOLOREDIT);
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(InputCtlColorMessage(edit, false), (UINT)WM_CTLCOLORSTATIC);
}

TEST(SkinInputPaint, DateTimeWithoutADateShowsAnEmptyBox)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND picker = host.Add(DATETIMEPICK_CLASSA, "", DTS_SHOWNONE, 160, 24);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    SIZE size = ClientSize(picker);
    int x = 1 + (size.cy - 2) / 2;
    Canvas none(size.cx, size.cy);
    PaintDateTime(host.skin(), picker, none.dc(), false, 0x50051);
    EXPECT_EQ(none.At(x, size.cy / 2), Solid("BUTTON", "CHECKBOX", 1));
    SYSTEMTIME date = {2024, 5, 0, 17, 0, 0, 0, 0};
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&date);
    Canvas set(size.cx, size.cy);
    PaintDateTime(host.skin(), picker, set.dc(), false, 0x50051);
    EXPECT_EQ(set.At(x, size.cy / 2), Solid("BUTTON", "CHECKBOX", 5));
    EXPECT_EQ(set.At(size.cx - 4, size.cy / 2), Solid("COMBOBOX", "DROPDOWNBUTTON", 1));
}

TEST(SkinListPaint, HeaderItemsInDisplayOrderWithImagesAndNoArrowBesideAnImage)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND header = host.Add(WC_HEADERA, "", HDS_BUTTONS, 360, 24);
    const std::vector<COLORREF> colours = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250)};
    HIMAGELIST images = SolidImages(colours);
    SendMessageA(header, HDM_SETIMAGELIST, 0, (LPARAM)images);
    for (int i = 0; i < 3; ++i) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_FORMAT | HDI_IMAGE | HDI_TEXT;
        item.cxy = 120;
        item.fmt = HDF_LEFT | HDF_IMAGE | HDF_STRING | (i == 1 ? HDF_SORTUP : 0);
        item.iImage = i;
        item.pszText = (LPSTR) "Item";
        SendMessageA(header, HDM_INSERTITEMA, i, (LPARAM)&item);
    }
    int order[3] = {2, 0, 1};
    SendMessageA(header, HDM_SETORDERARRAY, 3, (LPARAM)order);
    SIZE size = ClientSize(header);
    Canvas c(size.cx, size.cy);
    PaintHeader(host.skin(), header, c.dc(), 0, false, VZRDefProc(), 0x50051);
    int margin = 3 * GetSystemMetrics(SM_CXEDGE);
    for (int index = 0; index < 3; ++index) {
        RECT r;
        SendMessageA(header, HDM_GETITEMRECT, index, (LPARAM)&r);
        EXPECT_EQ(r.left, 120 * (index == 2 ? 0 : index + 1));
        EXPECT_EQ(c.At(r.left + margin + 8, size.cy / 2), colours[index]) << index;
        EXPECT_EQ(c.At(r.right - 3, 2), Solid("HEADER", "HEADERITEM", index == 0 ? 2 : 1)) << index;
    }
    RECT sorted;
    SendMessageA(header, HDM_GETITEMRECT, 1, (LPARAM)&sorted);
    int shadow = 0;
    COLORREF arrow = SkinColor(host.skin(), COLOR_BTNSHADOW);
    for (int x = sorted.left; x < sorted.right; ++x) {
        for (int y = 0; y < size.cy; ++y)
            shadow += c.At(x, y) == arrow;
    }
    EXPECT_EQ(shadow, 0);
    ImageList_Destroy(images);

    HWND list = host.Add(WC_LISTVIEWA, "", LVS_REPORT, 100, 100);
    HWND tree = host.Add(WC_TREEVIEWA, "", 0, 100, 100);
    ApplyListViewColors(host.skin(), list, true);
    ApplyTreeViewColors(host.skin(), tree, true);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(4, 5, 6));
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), RGB(4, 5, 6));
    EXPECT_EQ((COLORREF)SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), RGB(4, 5, 6));
    ApplyTreeViewColors(host.skin(), tree, false);
    EXPECT_EQ((COLORREF)SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), (COLORREF)-1);
}

TEST(SkinTabPaint, SelectedTabIsDrawnLastAndLarger)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND tab = host.Add(WC_TABCONTROLA, "", 0, 300, 120);
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (LPSTR) "Page";
        SendMessageA(tab, TCM_INSERTITEMA, i, (LPARAM)&item);
    }
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    SIZE size = ClientSize(tab);
    Canvas c(size.cx, size.cy);
    PaintTab(host.skin(), tab, c.dc(), 2);
    RECT first, last;
    SendMessageA(tab, TCM_GETITEMRECT, 0, (LPARAM)&first);
    SendMessageA(tab, TCM_GETITEMRECT, 2, (LPARAM)&last);
    COLORREF selected = Solid("TAB", "TOPTABITEM", 3);
    EXPECT_EQ(c.At(first.left + 2, first.bottom - 2), Solid("TAB", "TOPTABITEMLEFTEDGE", 1));
    // The selected tab, 2 pixels larger, covers the edges of both neighbours.
    EXPECT_EQ(c.At(first.right - 1, first.bottom - 2), selected);
    EXPECT_EQ(c.At(last.left, last.bottom - 2), selected);
    EXPECT_EQ(c.At(last.right - 3, last.bottom - 2), Solid("TAB", "TOPTABITEMRIGHTEDGE", 2));
}

TEST(SkinTabPaint, ToolbarEmbossesDisabledButtonsAndSkipsHiddenOnes)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND toolbar = host.Add(TOOLBARCLASSNAMEA, "", TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER, 400, 40);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const COLORREF red = RGB(250, 10, 10);
    HIMAGELIST images = SolidImages({red});
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, (LPARAM)images);
    std::string longText(300, 'W');
    TBBUTTON buttons[3] = {{0, 1, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, -1},
                           {0, 2, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {0}, 0, -1},
                           {0, 3, 0, BTNS_BUTTON, {0}, 0, -1}};
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, (LPARAM)buttons);
    TBBUTTONINFOA info = {sizeof(info), TBIF_TEXT};
    info.pszText = &longText[0];
    SendMessageA(toolbar, TB_SETBUTTONINFOA, 1, (LPARAM)&info);
    EXPECT_EQ(GetToolbarButtonText(toolbar, 1).GetLength(), 255);
    EXPECT_TRUE(GetToolbarButtonText(toolbar, 3).IsEmpty());

    SIZE size = ClientSize(toolbar);
    Canvas c(size.cx, size.cy);
    PaintToolbar(host.skin(), toolbar, c.dc(), 0x50051);
    RECT enabled, disabled;
    SendMessageA(toolbar, TB_GETITEMRECT, 0, (LPARAM)&enabled);
    SendMessageA(toolbar, TB_GETITEMRECT, 2, (LPARAM)&disabled);
    auto count = [&](const RECT& r, COLORREF colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < std::min((int)r.right, (int)size.cx); ++x)
                n += c.At(x, y) == colour;
        }
        return n;
    };
    EXPECT_GT(count(enabled, red), 100);
    EXPECT_EQ(count(enabled, Solid("TOOLBAR", "BUTTON", 1)) > 0, true);
    EXPECT_EQ(count(disabled, red), 0);
    EXPECT_GT(count(disabled, SkinColor(host.skin(), COLOR_BTNSHADOW)), 50);
    EXPECT_GT(count(disabled, Solid("TOOLBAR", "BUTTON", 4)), 0);
    ImageList_Destroy(images);
}

TEST(SkinTabPaint, ToolbarSeparatorsAreLinesNotFilledGaps)
{
    Host host;
    LoadedTheme blue(std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll", "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    HWND toolbar = host.Add(TOOLBARCLASSNAMEA, "", CCS_NORESIZE | CCS_NODIVIDER, 400, 40);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // A separator's image index is its width.
    TBBUTTON buttons[3] = {{-1, 1, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, -1},
                           {24, 0, TBSTATE_ENABLED, BTNS_SEP, {0}, 0, -1},
                           {-1, 2, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, -1}};
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, (LPARAM)buttons);
    SIZE size = ClientSize(toolbar);
    Canvas c(size.cx, size.cy);
    PaintToolbar(blue.context, toolbar, c.dc(), 0x50051);
    RECT gap;
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETITEMRECT, 1, (LPARAM)&gap));
    ASSERT_GE(gap.right - gap.left, 8);
    // The package's separator colour in one thin line at the middle, the face around it.
    const COLORREF line = RGB(140, 160, 200);
    int y = (gap.top + gap.bottom) / 2, first = -1, last = -1;
    for (int x = gap.left; x < gap.right; ++x) {
        if (c.At(x, y) == line) {
            last = x;
            if (first < 0)
                first = x;
        }
    }
    ASSERT_GE(first, 0);
    EXPECT_LE(last - first + 1, 2);
    EXPECT_LE(std::abs((first + last) / 2 - (gap.left + gap.right) / 2), 1);
    EXPECT_EQ(c.At(gap.left, y), SkinColor(blue.context, COLOR_BTNFACE));
    EXPECT_EQ(c.At(gap.right - 1, y), SkinColor(blue.context, COLOR_BTNFACE));
}

TEST(SkinBarPaint, ProgressChunksEmptyRangesAndManyTicks)
{
    Host host;
    ASSERT_TRUE(host.theme.ok);
    HWND progress = host.Add(PROGRESS_CLASSA, "", 0, 200, 20);
    SendMessageA(progress, PBM_SETRANGE32, 0, 100);
    SendMessageA(progress, PBM_SETPOS, 50, 0);
    COLORREF chunk = Solid("PROGRESS", "CHUNK", 1);
    SIZE size = ClientSize(progress);
    Canvas half(size.cx, size.cy);
    PaintProgress(host.skin(), progress, half.dc(), 0);
    EXPECT_EQ(half.At(6, size.cy / 2), chunk);
    EXPECT_NE(half.At(size.cx - 8, size.cy / 2), chunk);
    SendMessageA(progress, PBM_SETRANGE32, 5, 5);
    Canvas empty(size.cx, size.cy);
    PaintProgress(host.skin(), progress, empty.dc(), 0);
    EXPECT_EQ(empty.Count(chunk), 0);

    HWND spin = host.Add(UPDOWN_CLASSA, "", UDS_HORZ, 40, 20);
    SendMessageA(spin, UDM_SETRANGE32, 3, 3);
    SIZE spinSize = ClientSize(spin);
    Canvas s(spinSize.cx, spinSize.cy);
    PaintSpin(host.skin(), spin, s.dc(), kSpinUp, kSpinNone);
    EXPECT_EQ(s.At(4, 10), Solid("SPIN", "DOWNHORZ", 4));
    EXPECT_EQ(s.At(spinSize.cx - 4, 10), Solid("SPIN", "UPHORZ", 4));
    SendMessageA(spin, UDM_SETRANGE32, 0, 9);
    Canvas live(spinSize.cx, spinSize.cy);
    PaintSpin(host.skin(), spin, live.dc(), kSpinUp, kSpinNone);
    EXPECT_EQ(live.At(spinSize.cx - 4, 10), Solid("SPIN", "UPHORZ", 2));

    HWND track = host.Add(TRACKBAR_CLASSA, "", TBS_AUTOTICKS | TBS_BOTH, 300, 40);
    SendMessageA(track, TBM_SETRANGEMAX, FALSE, 3000);
    SendMessageA(track, TBM_SETTICFREQ, 1, 0);
    SIZE trackSize = ClientSize(track);
    Canvas t(trackSize.cx, trackSize.cy);
    PaintTrackbar(host.skin(), track, t.dc(), false, 1);
    RECT thumb;
    SendMessageA(track, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    EXPECT_EQ(t.At((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), Solid("TRACKBAR", "THUMB", 1));
    EXPECT_GT(t.Count(SkinColor(host.skin(), COLOR_BTNTEXT)), 500);
}
