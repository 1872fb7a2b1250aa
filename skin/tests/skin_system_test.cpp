#include "framework/Wnd.h"
#include "skin/draw/SkinBitmap.h"
#include "skin/draw/SkinPaintDC.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/support/GuardedCall.h"
#include "skin/support/SysServices.h"
#include "skin/tests/SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {
struct NoSchema {
    CVZRSkinContext context;
    CVZRSkinSystemMetrics metrics{&context};
    NoSchema() { context.m_pMetrics = &metrics; }
};

TEST(SkinSystemMetrics, FollowTheSchemaOrTheSystem)
{
    NoSchema bare;
    for (int i = 0; i < kSkinColorCount; ++i) {
        EXPECT_EQ(bare.metrics.GetSkinColor(i), COLORREF(-1)) << i;
        EXPECT_EQ(bare.metrics.GetColor(i), GetSysColor(i)) << i;
    }
    bare.metrics.Refresh();
    for (int i = 0; i < kSkinColorCount; ++i) {
        EXPECT_EQ(bare.metrics.GetSkinColor(i), GetSysColor(i)) << i;
        EXPECT_EQ(bare.metrics.GetBrush(i), (HBRUSH)NULL);
    }
    EXPECT_FALSE(bare.metrics.IsSkinBrush(GetSysColorBrush(COLOR_BTNFACE)));

    // The solid package: caption 20, scroll width 0, two colours, the rest from the default table.
    LoadedTheme solid(PackageDir() + "/SolidPackage.dll", "Solid.ini");
    ASSERT_TRUE(solid.ok);
    const CVZRSkinSystemMetrics& m = solid.metrics;
    const struct
    {
        int index;
        COLORREF colour;
    } colours[] = {{COLOR_BTNFACE, RGB(11, 12, 13)}, {COLOR_WINDOW, RGB(4, 5, 6)}, {COLOR_BACKGROUND, RGB(58, 110, 165)}, {COLOR_INFOBK, RGB(255, 255, 225)}, {COLOR_MENUBAR, RGB(192, 192, 192)}, {COLOR_3DLIGHT, RGB(223, 223, 223)}};
    for (const auto& c : colours)
        EXPECT_EQ(m.GetColor(c.index), c.colour) << c.index;
    EXPECT_EQ(m.GetLight(), RGB(223, 223, 223));
    EXPECT_EQ(m.GetCaptionHeight(), 21);
    EXPECT_EQ(m.GetSmallCaptionHeight(), GetSystemMetrics(SM_CYSMCAPTION) + 1);
    EXPECT_EQ(m.GetSystemCaptionHeight(), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(m.GetSystemMetric(SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(m.IsSkinBrush(m.GetBrush(COLOR_BTNFACE)));
    EXPECT_FALSE(m.IsSkinBrush(m.GetButtonFaceBrush()));
    EXPECT_TRUE(m.GetCaptionFont());

    // Without the metrics option the sizes stay the system's.
    solid.context.m_applyOptions = kApplyColors;
    solid.metrics.Refresh();
    EXPECT_EQ(m.GetCaptionHeight(), GetSystemMetrics(SM_CYCAPTION));

    // NormalBlue sets its scroll bars and caption.
    LoadedTheme blue(std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll", "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    EXPECT_EQ(blue.metrics.GetCaptionHeight(), 23);
    EXPECT_EQ(blue.metrics.GetSystemMetric(SM_CXVSCROLL), 17);
    EXPECT_EQ(blue.metrics.GetColor(COLOR_ACTIVECAPTION), RGB(40, 95, 190));

    // A failed load afterwards: the system's colours, no skin brushes.
    solid.context.m_pSchema = nullptr;
    solid.metrics.Refresh();
    EXPECT_EQ(m.GetColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(m.GetBrush(COLOR_BTNFACE), (HBRUSH)NULL);
}

TEST(SystemServices, VersionsModulesAndMonitors)
{
    EXPECT_EQ(GetComCtlVersion(), 0x50051u);
    EXPECT_TRUE(CVZROSVersion::IsWin2000OrGreater());
    EXPECT_FALSE(CVZROSVersion::IsWin9x());

    CVZRLoadedModule comctl("COMCTL32.DLL");
    EXPECT_NE(comctl.GetHandle(), (HMODULE)NULL);
    FARPROC proc = NULL;
    EXPECT_TRUE(comctl.GetProcAddress(&proc, "InitCommonControlsEx", 0x50000));
    EXPECT_TRUE(proc);
    EXPECT_FALSE(comctl.GetProcAddress(&proc, "InitCommonControlsEx", 0x70000));
    EXPECT_FALSE(proc);
    ASSERT_EQ(GetModuleHandleA("mscms.dll"), (HMODULE)NULL);
    CVZRLoadedModule loaded("mscms.dll");
    EXPECT_EQ(loaded.GetKind(), int(CVZRLoadedModule::kLoaded));
    EXPECT_EQ(loaded.GetVersion(), 0u);
    loaded.Release();
    EXPECT_EQ(loaded.GetHandle(), (HMODULE)NULL);
    EXPECT_EQ(GetModuleHandleA("mscms.dll"), (HMODULE)NULL);
    CVZRLoadedModule missing("NoSuchModule.dll");
    EXPECT_FALSE(missing.GetProcAddress(&proc, "X"));

    RECT desktop;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    RECT none = CVZRMonitorInfo::Instance().GetWorkArea(NULL);
    EXPECT_TRUE(EqualRect(&none, &desktop));
    POINT pt = {10, 10};
    RECT area = CVZRMonitorInfo::Instance().GetWorkAreaOfPoint(pt);
    EXPECT_GT(area.right - area.left, 0);

    CVZRLock lock;
    {
        CVZRScopedLock held(lock);
    }
}

TEST(SystemServices, ThemeCallsWithoutTheDllAnswerNotAvailable)
{
    CVZRUxThemeBinding::SetModuleNameForTest("");
    CVZRUxThemeBinding theme(true);
    EXPECT_EQ(theme.OpenThemeData(NULL, L"BUTTON"), (HANDLE)NULL);
    EXPECT_FALSE(theme.IsThemeActive());
    EXPECT_FALSE(theme.IsAppThemed());
    COLORREF colour = 0;
    EXPECT_EQ(theme.GetThemeColor(1, 1, 3803, &colour), E_FAIL);
    WCHAR a[64], b[64], c[64];
    EXPECT_EQ(theme.GetCurrentThemeName(a, 64, b, 64, c, 64), E_FAIL);
    EXPECT_EQ(theme.CloseThemeData(), 0);
}

TEST(SystemServices, ThemeCallsReachTheRealDll)
{
    CVZRUxThemeBinding theme(false);
    // Wine's visual styles are off without a theme file: a call that returns, not a fault.
    theme.IsThemeActive();
    theme.OpenThemeData(NULL, L"BUTTON");
    COLORREF colour = 0;
    HRESULT hr = theme.GetThemeColor(1, 1, 3803, &colour);
    EXPECT_TRUE(hr == S_OK || FAILED(hr));
}

// Every call into a theme library whose functions fault gives "not available".
TEST(SystemServices, ThemeCallsThatFaultAnswerNotAvailable)
{
    CVZRUxThemeBinding::SetModuleNameForTest("FaultingTheme.dll");
    ASSERT_TRUE(LoadLibraryA("FaultingTheme.dll"));
    CVZRUxThemeBinding theme(true);
    EXPECT_EQ(theme.OpenThemeData(NULL, L"FAULT"), (HANDLE)NULL);
    EXPECT_FALSE(theme.IsThemeActive());
    EXPECT_EQ(theme.OpenThemeData(NULL, L"BUTTON"), (HANDLE)1);
    EXPECT_FALSE(theme.IsAppThemed());
    COLORREF colour = 0;
    EXPECT_EQ(theme.GetThemeColor(1, 1, 3803, &colour), E_FAIL);
    WCHAR a[64], b[64], c[64];
    EXPECT_EQ(theme.GetCurrentThemeName(a, 64, b, 64, c, 64), E_FAIL);
    EXPECT_EQ(theme.CloseThemeData(), E_FAIL);
    EXPECT_EQ(theme.GetHandle(), (HANDLE)NULL);
}

void FaultNow(void*)
{
    static int* volatile nowhere = NULL;
    *nowhere = 1;
}

// A fault returns to the innermost guard only; the thread goes on guarding and
// catching its own exceptions afterwards.
TEST(GuardedCall, AFaultReturnsToTheInnermostGuard)
{
    int steps = 0;
    auto inner = [&] {
        ++steps;
        EXPECT_FALSE(SkinCallGuarded(FaultNow, NULL));
        ++steps;
    };
    EXPECT_TRUE(SkinGuarded(inner));
    EXPECT_EQ(steps, 2);
    auto outer = [&] {
        EXPECT_TRUE(SkinGuarded(inner));
        FaultNow(NULL);
        ++steps;
    };
    EXPECT_FALSE(SkinGuarded(outer));
    EXPECT_EQ(steps, 4);
    bool caught = false;
    try {
        throw 1;
    } catch (int) {
        caught = true;
    }
    EXPECT_TRUE(caught);
}

LRESULT CALLBACK PaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CVZRSkinPaintDC dc(window);
        if (dc.IsValid())
            FillSolidRect(dc, Rect(0, 0, 5, 5), RGB(200, 10, 10));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SkinPaintDC, PaintsIntoAGivenDCOrThroughBeginPaint)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SkinPaintTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("SkinPaintTest", "", WS_POPUP, 0, 0, 20, 20, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(window);
    // Outside a framework window procedure no current message names this window: BeginPaint.
    Canvas given(10, 10);
    SendMessageA(window, WM_PAINT, (WPARAM)given.dc(), 0);
    EXPECT_EQ(given.Count(RGB(200, 10, 10)), 0);
    // The framework's current message carrying a DC: that DC is used, BeginPaint is not.
    MSG* current = const_cast<MSG*>(CWnd::GetCurrentMessage());
    MSG saved = *current;
    current->hwnd = window;
    current->message = WM_PAINT;
    current->wParam = (WPARAM)given.dc();
    {
        CVZRSkinPaintDC dc(window);
        ASSERT_TRUE(dc.IsValid());
        EXPECT_EQ(dc.GetSafeHdc(), given.dc());
        FillSolidRect(dc, Rect(0, 0, 5, 5), RGB(200, 10, 10));
    }
    *current = saved;
    EXPECT_EQ(given.Count(RGB(200, 10, 10)), 25);
    EXPECT_NE(GetObjectType(given.dc()), 0u);  // detached, not deleted
    // No window: nothing to paint, no DC.
    CVZRSkinPaintDC none(NULL);
    EXPECT_FALSE(none.IsValid());
    DestroyWindow(window);
}
}  // namespace
