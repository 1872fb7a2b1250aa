#include "controls/TaskbarNotifier.h"
#include "controls/ToolBarImages.h"
#include "controls/tests/MenuTestSupport.h"
#include "framework/DC.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

// The owner of the notifier: a plain window that counts its click messages.
int g_nClicks = 0;
LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TASKBARNOTIFIERCLICKED)
        ++g_nClicks;
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND MakeOwner()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "NotifierTestOwner";
    ::RegisterClassA(&wc);
    return ::CreateWindowA(wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL,
                           wc.hInstance, NULL);
}

TEST(TaskbarNotifier, StaysHiddenWithTheFramesSkinAndTextSettings)
{
    HWND hOwner = MakeOwner();
    ASSERT_TRUE(hOwner);
    CWnd owner;
    owner.Attach(hOwner);
    {
        CTaskbarNotifier notifier;
        ASSERT_TRUE(notifier.Create(&owner));
        EXPECT_FALSE(notifier.IsWindowVisible());
        EXPECT_EQ(::GetWindow(notifier.m_hWnd, GW_OWNER), hOwner);
        RECT rc;
        notifier.GetWindowRect(&rc);
        EXPECT_EQ(rc.right - rc.left, 0);

        EXPECT_FALSE(notifier.SetSkin(4711));
        ASSERT_TRUE(notifier.SetSkin(IDB_NOTIFIER_SKIN, -1, -1, -1));
        EXPECT_EQ(notifier.GetSkinWidth(), 200);
        EXPECT_EQ(notifier.GetSkinHeight(), 90);
        EXPECT_EQ(notifier.GetTextRect().right, 200);
        EXPECT_EQ(notifier.GetSkinRegion(), (HRGN)NULL);
        notifier.SetTextFont("Tahoma", 90, TN_TEXT_NORMAL, TN_TEXT_UNDERLINE);
        notifier.SetTextColor(RGB(0, 0, 0), RGB(0, 0, 200));
        RECT rcText = {66, 40, notifier.GetSkinWidth() - 10, notifier.GetSkinHeight() - 25};
        notifier.SetTextRect(rcText);
        EXPECT_EQ(notifier.GetTextRect().bottom, 65);

        // A key colour cuts its pixels out of the region: the skin's frame is (40, 60, 110).
        ASSERT_TRUE(notifier.SetSkin(IDB_NOTIFIER_SKIN, 40, 60, 110));
        ASSERT_NE(notifier.GetSkinRegion(), (HRGN)NULL);
        EXPECT_FALSE(::PtInRegion(notifier.GetSkinRegion(), 0, 0));
        EXPECT_FALSE(::PtInRegion(notifier.GetSkinRegion(), 199, 45));
        EXPECT_TRUE(::PtInRegion(notifier.GetSkinRegion(), 1, 1));
        EXPECT_TRUE(::PtInRegion(notifier.GetSkinRegion(), 198, 88));
    }
    owner.Detach();
    ::DestroyWindow(hOwner);
}

TEST(TaskbarNotifier, ShowsHoversPostsItsClickToTheOwnerAndHides)
{
    HWND hOwner = MakeOwner();
    CWnd owner;
    owner.Attach(hOwner);
    CTaskbarNotifier notifier;
    ASSERT_TRUE(notifier.Create(&owner));
    ASSERT_TRUE(notifier.SetSkin(IDB_NOTIFIER_SKIN));
    notifier.m_strCaption = "Menu ready";
    notifier.SetWindowPos(NULL, 100, 100, notifier.GetSkinWidth(), notifier.GetSkinHeight(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    notifier.UpdateWindow();
    EXPECT_TRUE(notifier.IsWindowVisible());

    notifier.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(80, 50));
    EXPECT_TRUE(notifier.IsMouseOver());
    notifier.UpdateWindow();
    notifier.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(notifier.IsMouseOver());

    g_nClicks = 0;
    notifier.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 50));
    notifier.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(80, 50));
    EXPECT_EQ(g_nClicks, 0);  // posted, not sent
    EXPECT_TRUE(PumpUntil([] { return g_nClicks == 1; }));

    notifier.ShowWindow(SW_HIDE);
    EXPECT_FALSE(notifier.IsWindowVisible());
    notifier.DestroyWindow();
    owner.Detach();
    ::DestroyWindow(hOwner);
}

// Toolbar 186's image 0 has a shape on magenta around (4, 4); (0, 0) is background.
COLORREF Icon0() { return ResourceBitmapPixel(IDR_MENUIMAGES, 4, 4); }

TEST(ToolBarImages, NothingWorksBeforeCreate)
{
    CToolBarImages images;
    EXPECT_EQ(images.GetImageWidth(), -1);
    EXPECT_FALSE(images.LoadBitmap(IDR_MENUIMAGES));
    CPixelDC dc(20, 20);
    EXPECT_FALSE(images.Draw(CDC::FromHandle(dc.m_hDC), 0, 0, 0, 0));
    EXPECT_FALSE(images.Create(0, 16, 1, 0));
}

TEST(ToolBarImages, TrueColourListsDrawNormalHotAndDisabledImages)
{
    CToolBarImages images;
    ASSERT_TRUE(images.Create(16, 16, 1, 0));
    EXPECT_TRUE(images.GetDepth() == 24 || images.GetDepth() == 32);
    EXPECT_FALSE(images.LoadBitmap(4711));
    ASSERT_TRUE(images.LoadBitmap(IDR_MENUIMAGES));
    EXPECT_EQ(images.GetNormal().GetImageCount(), 24);
    EXPECT_EQ(images.GetHot().GetImageCount(), 24);
    EXPECT_EQ(images.GetDisabled().GetImageCount(), 24);

    const COLORREF back = RGB(10, 200, 10);
    const COLORREF icon = Icon0();
    ASSERT_NE(icon, RGB(255, 0, 255));
    COLORREF expected[3] = {icon, CToolBarImages::HotColor(icon), CToolBarImages::DisabledColor(icon)};
    for (int mode = 0; mode < 3; ++mode) {
        CPixelDC dc(40, 40, back);
        EXPECT_TRUE(images.Draw(CDC::FromHandle(dc.m_hDC), 10, 10, mode, 0)) << mode;
        EXPECT_EQ(dc.Pixel(10 + 4, 10 + 4), expected[mode]) << mode;
        EXPECT_EQ(dc.Pixel(10, 10), back) << mode;  // magenta is transparent
        EXPECT_EQ(dc.Pixel(9, 14), back) << mode;
    }
    EXPECT_NE(expected[0], expected[1]);
    COLORREF grey = expected[2];
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
    // A second image is the next 16 pixels of the strip.
    CPixelDC dc(40, 40, back);
    images.Draw(CDC::FromHandle(dc.m_hDC), 0, 0, 0, 1);
    EXPECT_EQ(dc.Pixel(8, 10), ResourceBitmapPixel(IDR_MENUIMAGES, 16 + 8, 10));
}

TEST(ToolBarImages, DerivedColoursAndDepthAtTheirBounds)
{
    EXPECT_EQ(CToolBarImages::HotColor(RGB(0, 128, 255)), RGB(0, 97, 255));
    EXPECT_EQ(CToolBarImages::DisabledColor(RGB(0, 0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(CToolBarImages::DisabledColor(RGB(128, 128, 128)), RGB(180, 180, 180));
    EXPECT_EQ(CToolBarImages::DisabledColor(RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(CToolBarImages::DisabledColor(RGB(255, 0, 0)), RGB(139, 139, 139));
    // a grey that would reach the mask colour stays opaque
    EXPECT_NE(CToolBarImages::DisabledColor(RGB(145, 145, 145)), RGB(192, 192, 192));
    EXPECT_EQ(CToolBarImages::DepthFor(1, 5), 24);
    EXPECT_EQ(CToolBarImages::DepthFor(1, 6), 32);
    EXPECT_EQ(CToolBarImages::DepthFor(0, 6), 4);
    EXPECT_EQ(CToolBarImages::DepthFor(2, 5), 4);
}

TEST(ToolBarImages, SixteenColourListEmbossesDisabledImages)
{
    CToolBarImages images;
    ASSERT_TRUE(images.Create(16, 16, 0, 0));
    EXPECT_EQ(images.GetDepth(), 4);
    EXPECT_EQ(images.GetHot().m_hImageList, (HIMAGELIST)NULL);
    ASSERT_TRUE(images.LoadBitmap(IDR_MENUIMAGES));
    const COLORREF back = RGB(255, 255, 255);
    CPixelDC dc(40, 40, back);
    // (3, 6) is on the dark outline of image 0
    EXPECT_FALSE(images.Draw(CDC::FromHandle(dc.m_hDC), 10, 10, 2, 0));
    EXPECT_EQ(dc.Pixel(10 + 3, 10 + 6), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(dc.Pixel(10, 10), back);
    CPixelDC dc2(40, 40, back);
    EXPECT_TRUE(images.Draw(CDC::FromHandle(dc2.m_hDC), 10, 10, 1, 0));
    EXPECT_NE(dc2.Pixel(10 + 3, 10 + 6), back);
    EXPECT_EQ(dc2.Pixel(10, 10), back);
}

}  // namespace
