#include "controls/OwnerDrawMenu.h"
#include "controls/MenuDrawing.h"
#include "controls/tests/MenuTestSupport.h"
#include "designer/app/LangManager.h"
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

const UINT kMenu = 900;

COLORREF Face() { return ::GetSysColor(COLOR_3DFACE); }

// The record of the owner-drawn item at a position of a popup.
COwnerDrawItem* ItemData(HMENU hMenu, UINT nPos)
{
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(hMenu, nPos, TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW))
        return nullptr;
    return (COwnerDrawItem*)mii.dwItemData;
}

LONG MenuTextWidth(const std::wstring& s)
{
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = CreateMenuFont();
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE sz = {};
    ::GetTextExtentPoint32W(hDC, s.c_str(), (int)s.size(), &sz);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(NULL, hDC);
    return sz.cx;
}

DRAWITEMSTRUCT DrawStruct(HDC hDC, HMENU hMenu, UINT nPos, UINT nState, RECT rc)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = ::GetMenuItemID(hMenu, (int)nPos);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = (HWND)hMenu;
    dis.hDC = hDC;
    dis.rcItem = rc;
    dis.itemData = (ULONG_PTR)ItemData(hMenu, nPos);
    return dis;
}

TEST(OwnerDrawMenu, VersionCodesTakeTheNewestBranchAfterXP)
{
    auto code = [](DWORD platform, DWORD major, DWORD minor) {
        OSVERSIONINFO vi = {};
        vi.dwPlatformId = platform;
        vi.dwMajorVersion = major;
        vi.dwMinorVersion = minor;
        return COwnerDrawMenu::ComputeVersionCode(vi);
    };
    EXPECT_EQ(code(VER_PLATFORM_WIN32_WINDOWS, 3, 95), 0);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_WINDOWS, 4, 0), 2);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_WINDOWS, 4, 10), 3);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_WINDOWS, 4, 90), 4);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 3, 51), 1);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 4, 0), 5);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 5, 0), 6);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 5, 1), 7);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 5, 2), 7);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 6, 1), 7);
    EXPECT_EQ(code(VER_PLATFORM_WIN32_NT, 10, 0), 7);
    // This system (Wine reports a later NT) measures with the menu font.
    EXPECT_GE(COwnerDrawMenu::GetVersionCode(), 2);

    EXPECT_EQ(COwnerDrawMenu::LightenColor(RGB(0, 100, 255), 0.5), RGB(127, 177, 255));
    EXPECT_EQ(COwnerDrawMenu::DarkenColor(RGB(200, 50, 0), 0.5), RGB(100, 25, 0));
    EXPECT_EQ(COwnerDrawMenu::LightenColor(RGB(1, 2, 3), 1.5), RGB(1, 2, 3));
}

TEST(OwnerDrawMenu, LoadsPopupsAsOwnerDrawnItemsUnderAPlainBar)
{
    COwnerDrawMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4711));
    EXPECT_EQ(menu.m_hMenu, (HMENU)NULL);
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    ASSERT_EQ(::GetMenuItemCount(menu.m_hMenu), 3);

    char buf[64];
    ::GetMenuStringA(menu.m_hMenu, 1, buf, sizeof(buf), MF_BYPOSITION);
    EXPECT_STREQ(buf, "&Edit");
    EXPECT_EQ(ItemData(menu.m_hMenu, 0), nullptr);  // the bar is drawn by the system

    HMENU hFile = ::GetSubMenu(menu.m_hMenu, 0);
    HMENU hRecent = ::GetSubMenu(hFile, 3);
    ASSERT_TRUE(hFile && hRecent);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(hFile));
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(hRecent));
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(menu.m_hMenu));
    ASSERT_EQ(::GetMenuItemCount(hFile), 5);
    for (UINT i = 0; i < 5; ++i)
        ASSERT_NE(ItemData(hFile, i), nullptr) << i;
    EXPECT_TRUE(ItemData(hFile, 2)->nFlags & MF_SEPARATOR);
    EXPECT_EQ(ItemData(hFile, 3)->nID, (UINT_PTR)hRecent);
    EXPECT_EQ(ItemData(hRecent, 1)->nID, 40002u);

    // Accelerators are aligned: every label before a tab is padded to one width.
    std::wstring a = ItemData(hFile, 0)->strText, b = ItemData(hFile, 1)->strText;
    ASSERT_NE(a.find(L'\t'), std::wstring::npos);
    EXPECT_EQ(a.substr(a.find(L'\t')), L"\tCtrl+N");
    LONG wa = MenuTextWidth(a.substr(0, a.find(L'\t')));
    LONG wb = MenuTextWidth(b.substr(0, b.find(L'\t')));
    LONG widest = MenuTextWidth(L"&Open... ");
    EXPECT_GE(wa, widest);
    EXPECT_GE(wb, widest);
    EXPECT_LT(wa - widest, MenuTextWidth(L" ") + 1);

    menu.DestroyMenu();
    EXPECT_FALSE(::IsMenu(hFile));
    EXPECT_FALSE(::IsMenu(hRecent));
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(hFile));
}

TEST(OwnerDrawMenu, EveryMenuIsDestroyedOnceWhenTheWindowOwnsTheBar)
{
    HMENU hFile = NULL, hBar = NULL;
    HWND hWnd = ::CreateWindowA("STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd);
    {
        COwnerDrawMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        hFile = ::GetSubMenu(menu.m_hMenu, 0);
        hBar = menu.Detach();
        ::SetMenu(hWnd, hBar);
        ::DestroyWindow(hWnd);  // destroys the bar and its popups
        EXPECT_FALSE(::IsMenu(hBar));
        // A new menu may now take one of the old handles; the object must not touch it.
        HMENU hOther = ::CreatePopupMenu();
        ::AppendMenuA(hOther, MF_STRING, 1, "other");
        menu.DestroyMenu();
        EXPECT_TRUE(::IsMenu(hOther));
        ::DestroyMenu(hOther);
    }
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(hFile));
}

TEST(OwnerDrawMenu, MeasuresTextPlusIconColumnAndSeparators)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    HMENU hFile = ::GetSubMenu(menu.m_hMenu, 0);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemData = (ULONG_PTR)ItemData(hFile, 0);
    menu.MeasureItem(&mis);
    EXPECT_EQ((LONG)mis.itemWidth, MenuTextWidth(ItemData(hFile, 0)->strText) + 31);
    EXPECT_EQ((int)mis.itemHeight, std::max(22, ::GetSystemMetrics(SM_CYMENU)));

    mis.itemData = (ULONG_PTR)ItemData(hFile, 2);
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 0u);
    EXPECT_EQ(mis.itemHeight, 3u);

    // An item without text keeps the full height.
    ASSERT_TRUE(menu.FindPopup(hFile)->SetMenuText(1, "", MF_BYPOSITION));
    mis.itemData = (ULONG_PTR)ItemData(hFile, 1);
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 31u);
    EXPECT_GE(mis.itemHeight, 22u);
    // Item data that is no record of a live menu is never read.
    COwnerDrawItem foreign = {L"foreign", -1, MF_OWNERDRAW, 1, 0};
    for (ULONG_PTR data : {(ULONG_PTR)0, (ULONG_PTR)&foreign, (ULONG_PTR)0x1234}) {
        mis.itemData = data;
        mis.itemWidth = 77;
        menu.MeasureItem(&mis);
        EXPECT_EQ(mis.itemWidth, 77u);
    }
}

TEST(OwnerDrawMenu, TextsByCommandAndPosition)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    CString s;
    ASSERT_TRUE(menu.GetMenuText(40002, s, MF_BYCOMMAND));
    EXPECT_STREQ(s, "&Second");
    ASSERT_TRUE(menu.SetMenuText(40002, "Zweite", MF_BYCOMMAND));
    HMENU hRecent = ::GetSubMenu(::GetSubMenu(menu.m_hMenu, 0), 3);
    EXPECT_EQ(ItemData(hRecent, 1)->strText, L"Zweite");
    EXPECT_FALSE(menu.GetMenuText(12345, s, MF_BYCOMMAND));
    EXPECT_FALSE(menu.SetMenuText(12345, "x", MF_BYCOMMAND));
    EXPECT_FALSE(menu.GetMenuText(3, s, MF_BYPOSITION));
    EXPECT_FALSE(menu.SetMenuText(99, "x", MF_BYPOSITION));

    // The bar's own items are plain text and show a new text at once.
    ASSERT_TRUE(menu.SetMenuText(2, "&Hilfe", MF_BYPOSITION));
    char buf[32];
    ::GetMenuStringA(menu.m_hMenu, 2, buf, sizeof(buf), MF_BYPOSITION);
    EXPECT_STREQ(buf, "&Hilfe");
    ASSERT_TRUE(menu.GetMenuText(2, s, MF_BYPOSITION));
    EXPECT_STREQ(s, "&Hilfe");
}

TEST(OwnerDrawMenu, MnemonicsAnswerMenuChar)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    CMenu* pFile = CMenu::FromHandle(::GetSubMenu(menu.m_hMenu, 0));
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('x', MF_POPUP, pFile), MAKELONG(4, MNC_EXECUTE));
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('X', MF_POPUP, pFile), MAKELONG(4, MNC_EXECUTE));
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('o', MF_POPUP, pFile), MAKELONG(1, MNC_EXECUTE));
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('x', 0, pFile), 0);
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('q', MF_POPUP, pFile), 0);
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('x', MF_POPUP, NULL), 0);

    // An item appended behind the menu's back is picked up before the search.
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 40010, "&Quit");
    EXPECT_EQ(COwnerDrawMenu::FindMnemonic('q', MF_POPUP, pFile), MAKELONG(5, MNC_EXECUTE));
    ASSERT_NE(ItemData(pFile->m_hMenu, 5), nullptr);
    EXPECT_EQ(ItemData(pFile->m_hMenu, 5)->strText, L"&Quit");

    // The character comes in the system code page, as the frame's 8-bit window gets it.
    for (int b = 0x80; b <= 0xFF; ++b) {
        char c = (char)b;
        wchar_t w = 0;
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &c, 1, &w, 1) != 1 || w == (wchar_t)b ||
            !::IsCharAlphaW(w))
            continue;
        char text[] = {'&', c, 'u', 'i', 't', 0};
        ASSERT_TRUE(menu.SetMenuText(40010, text, MF_BYCOMMAND));
        EXPECT_EQ(COwnerDrawMenu::FindMnemonic((UINT)b, MF_POPUP, pFile), MAKELONG(5, MNC_EXECUTE)) << b;
        break;
    }
}

TEST(OwnerDrawMenu, ResyncKeepsTextsChangedInPlaceAndDropsRemovedItems)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    HMENU hEdit = ::GetSubMenu(menu.m_hMenu, 1);
    ::ModifyMenuA(hEdit, 1, MF_BYPOSITION | MF_STRING, 57634, "&Kopieren\tCtrl+C");
    ::DeleteMenu(hEdit, 0, MF_BYPOSITION);
    COwnerDrawMenu::UpdateMenu(CMenu::FromHandle(hEdit));
    ASSERT_EQ(::GetMenuItemCount(hEdit), 3);
    ASSERT_NE(ItemData(hEdit, 0), nullptr);
    EXPECT_EQ(ItemData(hEdit, 0)->strText, L"&Kopieren\tCtrl+C");
    EXPECT_EQ(ItemData(hEdit, 0)->nID, 57634u);
    EXPECT_EQ(ItemData(hEdit, 2)->nID, 57600u);
    CString s;
    ASSERT_TRUE(menu.GetMenuText(57634, s, MF_BYCOMMAND));
    EXPECT_STREQ(s, "&Kopieren\tCtrl+C");
    COwnerDrawMenu::UpdateMenu(NULL);
}

TEST(OwnerDrawMenu, TranslatedFromTheLanguageFilesMenuSection)
{
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    CString folder;
    folder.Format("%sodmenu_%lu\\", tmp, ::GetCurrentProcessId());
    ::CreateDirectoryA(folder, NULL);
    ::CreateDirectoryA(folder + "language", NULL);
    FILE* f = fopen(folder + "language\\zavomgr.lng", "wb");
    ASSERT_TRUE(f);
    fputs("[Menu]\r\n57600p=&Datei\r\n57600=&Neu\tStrg+N\r\n40001p=&Zuletzt\r\n40002=&Zweite\r\n"
          "57601=&Open...\tCtrl+O\r\n",
          f);
    fclose(f);
    {
        CLangManager lm;
        lm.InitFrom(folder, "Settings");
        ASSERT_TRUE(lm.IsLoaded());
        COwnerDrawMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        lm.TranslateMenu(&menu, "Menu");
        char buf[64];
        ::GetMenuStringA(menu.m_hMenu, 0, buf, sizeof(buf), MF_BYPOSITION);
        EXPECT_STREQ(buf, "&Datei");
        HMENU hFile = ::GetSubMenu(menu.m_hMenu, 0), hEdit = ::GetSubMenu(menu.m_hMenu, 1);
        EXPECT_EQ(ItemData(hFile, 0)->strText, L"&Neu\tStrg+N");
        EXPECT_EQ(ItemData(hEdit, 3)->strText, L"&Neu\tStrg+N");  // the same command in Edit
        EXPECT_EQ(ItemData(hFile, 3)->strText, L"&Zuletzt");      // a cascading item
        EXPECT_EQ(ItemData(::GetSubMenu(hFile, 3), 1)->strText, L"&Zweite");
        // Items stay owner-drawn and keep their records; the measured width follows the text.
        ASSERT_NE(ItemData(hFile, 0), nullptr);
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemData = (ULONG_PTR)ItemData(hFile, 0);
        menu.MeasureItem(&mis);
        EXPECT_EQ((LONG)mis.itemWidth, MenuTextWidth(L"&Neu\tStrg+N") + 31);
    }
    ::DeleteFileA(folder + "language\\zavomgr.lng");
    ::RemoveDirectoryA(folder + "language");
    ::RemoveDirectoryA(folder);
}

// Toolbar windows this thread made while a hook was in place, and which went again.
struct ToolbarWatch {
    std::vector<HWND> created, destroyed;
    bool anyVisible = false;
};
ToolbarWatch g_watch;
HHOOK g_hCbt = NULL;

bool IsToolbarClass(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof(name));
    return lstrcmpiA(name, TOOLBARCLASSNAMEA) == 0;
}

LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && IsToolbarClass((HWND)wParam)) {
        g_watch.created.push_back((HWND)wParam);
        if (((CBT_CREATEWNDA*)lParam)->lpcs->style & WS_VISIBLE)
            g_watch.anyVisible = true;
    } else if (nCode == HCBT_DESTROYWND && IsToolbarClass((HWND)wParam)) {
        g_watch.destroyed.push_back((HWND)wParam);
    }
    return ::CallNextHookEx(g_hCbt, nCode, wParam, lParam);
}

TEST(OwnerDrawMenu, TheToolbarReadForIconsIsNeverShownAndGoesAway)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    g_watch = ToolbarWatch();
    g_hCbt = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
    ASSERT_TRUE(menu.AddToolbarIcons(IDR_MENUIMAGES));
    EXPECT_FALSE(menu.AddToolbarIcons(4711));
    ::UnhookWindowsHookEx(g_hCbt);
    ASSERT_EQ(g_watch.created.size(), 1u);
    EXPECT_FALSE(g_watch.anyVisible);
    EXPECT_EQ(g_watch.destroyed, g_watch.created);
    EXPECT_FALSE(::IsWindow(g_watch.created[0]));
}

class OwnerDrawMenuIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        ASSERT_TRUE(menu.AddToolbarIcons(IDR_MENUIMAGES));
        hFile = ::GetSubMenu(menu.m_hMenu, 0);
        hEdit = ::GetSubMenu(menu.m_hMenu, 1);
    }
    COwnerDrawMenu menu;
    HMENU hFile = NULL, hEdit = NULL;
};

TEST_F(OwnerDrawMenuIcons, CommandsShareFourImagesFromTheirToolbarPosition)
{
    int nNew = ItemData(hFile, 0)->nGlobalImage;
    ASSERT_GE(nNew, 0);
    EXPECT_EQ(ItemData(hEdit, 3)->nGlobalImage, nNew);  // "New again": the same command
    EXPECT_EQ(COwnerDrawMenu::FindGlobalImage(57600), nNew);
    EXPECT_EQ(ItemData(hFile, 4)->nGlobalImage, -1);  // not on the toolbar
    EXPECT_GE(ItemData(hEdit, 0)->nGlobalImage, 0);
    int nCount = COwnerDrawMenu::GetGlobalImages()->GetImageCount();
    EXPECT_EQ(nCount % 4, 0);
    // Loading the icons again replaces the images instead of adding more.
    ASSERT_TRUE(menu.AddToolbarIcons(IDR_MENUIMAGES));
    EXPECT_EQ(COwnerDrawMenu::GetGlobalImages()->GetImageCount(), nCount);
    EXPECT_FALSE(menu.AddToolbarIcons(4711));
}

TEST_F(OwnerDrawMenuIcons, DrawsWashedSelectedAndDisabledIcons)
{
    const RECT rc = {0, 0, 200, 22};
    const COLORREF icon = ResourceBitmapPixel(IDR_MENUIMAGES, 4, 4);  // toolbar image 0 (command 57600)
    const int x = 4, y = 4;                                           // icon origin of a 22-pixel item
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hFile, 0, 0, rc);
        menu.DrawItem(&dis);
        EXPECT_EQ(dc.Pixel(x + 4, y + 4), COwnerDrawMenu::LightenColor(icon, 0.3));
        EXPECT_EQ(dc.Pixel(x, y), Face());  // transparent corner
        COLORREF back = COwnerDrawMenu::DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
        EXPECT_EQ(dc.Pixel(195, 2), back);
        // Label from x 31, accelerator right-aligned 16 pixels before the edge.
        EXPECT_GT(dc.CountOther({31, 0, 80, 22}, back), 0);
        EXPECT_GT(dc.CountOther({120, 0, 184, 22}, back), 0);
        EXPECT_EQ(dc.CountOther({185, 1, 199, 21}, back), 0);
    }
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hFile, 0, ODS_SELECTED, rc);
        menu.DrawItem(&dis);
        EXPECT_EQ(dc.Pixel(x - 1 + 4, y - 1 + 4), icon);
        EXPECT_EQ(dc.Pixel(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
    }
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hFile, 0, ODS_GRAYED | ODS_SELECTED, rc);
        menu.DrawItem(&dis);
        COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(dc.Pixel(x + 4, y + 4), COwnerDrawMenu::LightenColor(shadow, (GetRValue(icon) + GetGValue(icon) + GetBValue(icon)) / 3.0 / 255.0));
        EXPECT_NE(dc.Pixel(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));  // never shown selected
    }
}

TEST_F(OwnerDrawMenuIcons, ChecksAndRadioDotsWithoutIcons)
{
    const RECT rc = {0, 0, 200, 22};
    HMENU hRecent = ::GetSubMenu(hFile, 3);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    COLORREF box = COwnerDrawMenu::LightenColor(::GetSysColor(COLOR_HIGHLIGHT), 0.85);
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hRecent, 0, ODS_CHECKED, rc);
        menu.DrawItem(&dis);
        // Box (1, 1)-(21, 21); the glyph starts at (8, 8): first stroke covers y 10..11.
        EXPECT_EQ(dc.Pixel(2, 2), box);
        EXPECT_EQ(dc.Pixel(1, 1), ::GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(dc.Pixel(8, 10), text);
        EXPECT_EQ(dc.Pixel(8, 9), box);
        EXPECT_EQ(dc.Pixel(14, 8), text);
        EXPECT_EQ(dc.Pixel(14, 10), box);
    }
    ::CheckMenuRadioItem(hRecent, 0, 1, 1, MF_BYPOSITION);
    {
        CPixelDC dc(200, 22);
        DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hRecent, 1, ODS_CHECKED, rc);
        menu.DrawItem(&dis);
        EXPECT_EQ(dc.Pixel(10, 10), text);  // centre of the dot
        EXPECT_EQ(dc.Pixel(8, 14), box);    // below the dot: no check stroke
    }
}

TEST_F(OwnerDrawMenuIcons, SeparatorShowsItsLineFromX30)
{
    CPixelDC dc(200, 3);
    DRAWITEMSTRUCT dis = DrawStruct(dc.m_hDC, hFile, 2, 0, {0, 0, 200, 3});
    menu.DrawItem(&dis);
    COLORREF back = COwnerDrawMenu::DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
    EXPECT_EQ(dc.Pixel(25, 1), back);
    EXPECT_NE(dc.Pixel(40, 1), back);
    EXPECT_EQ(dc.Pixel(10, 1), Face());
}

// A frame window that hands its menu messages to the owner-drawn menu, as the
// studio's frame does.
struct FrameState {
    COwnerDrawMenu* pMenu = nullptr;
    int nMeasured = 0, nDrawn = 0, nInit = 0;
    UINT nMinHeight = 1000;
};
FrameState g_frame;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITMENUPOPUP:
        ++g_frame.nInit;
        if (COwnerDrawMenu::IsOwnerDrawMenu((HMENU)wParam))
            COwnerDrawMenu::UpdateMenu(CMenu::FromHandle((HMENU)wParam));
        return 0;
    case WM_MEASUREITEM: {
        LPMEASUREITEMSTRUCT p = (LPMEASUREITEMSTRUCT)lParam;
        g_frame.pMenu->MeasureItem(p);
        ++g_frame.nMeasured;
        g_frame.nMinHeight = std::min(g_frame.nMinHeight, p->itemHeight);
        return TRUE;
    }
    case WM_DRAWITEM:
        g_frame.pMenu->DrawItem((LPDRAWITEMSTRUCT)lParam);
        ++g_frame.nDrawn;
        return TRUE;
    case WM_ENTERIDLE:
        if (g_frame.nDrawn > 0)
            ::EndMenu();
        return 0;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

TEST_F(OwnerDrawMenuIcons, APopupShownBySystemIsMeasuredAndDrawnThroughTheFrame)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "OwnerDrawMenuTestFrame";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowA(wc.lpszClassName, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, 300, 200, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hWnd);
    ::SetForegroundWindow(hWnd);
    g_frame = FrameState();
    g_frame.pMenu = &menu;
    ::TrackPopupMenu(hFile, TPM_LEFTALIGN, 20, 20, 0, hWnd, NULL);
    EXPECT_EQ(g_frame.nInit, 1);
    EXPECT_EQ(g_frame.nMeasured, 5);
    EXPECT_GT(g_frame.nDrawn, 0);
    EXPECT_EQ(g_frame.nMinHeight, 3u);
    ::DestroyWindow(hWnd);
}

}  // namespace
