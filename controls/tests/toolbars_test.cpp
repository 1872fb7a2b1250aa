#include "controls/ImageToolBar.h"
#include "controls/PixelEffect.h"
#include "controls/PositionToolBar.h"
#include "controls/tests/MenuTestSupport.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<UINT> g_commands;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && lParam == 0)  // commands, not the fields' notifications
        g_commands.push_back(LOWORD(wParam));
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

class ToolBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "ToolBarsTestFrame";
        ::RegisterClassA(&wc);
        m_hFrame = ::CreateWindowA(wc.lpszClassName, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 300,
                                   NULL, NULL, wc.hInstance, NULL);
        ASSERT_TRUE(m_hFrame);
        g_commands.clear();
    }
    void TearDown() override { ::DestroyWindow(m_hFrame); }
    CWnd* Frame() { return CWnd::FromHandle(m_hFrame); }
    HWND m_hFrame = NULL;
};

// A colour of the art through the normal (lightened twice by 0.04) or the
// disabled (grey, then lightened three times by 0.08) effects of the toolbar.
COLORREF Through(COLORREF cr, bool bDisabled)
{
    CGrayPixelEffect grey;
    CLightenPixelEffect normal(0.04f), disabled(0.08f);
    std::vector<CPixelEffect*> chain;
    if (bDisabled)
        chain = {&grey, &disabled, &disabled, &disabled};
    else
        chain = {&normal, &normal};
    std::vector<uint32_t> px = {CPixelEffect::Pixel(GetRValue(cr), GetGValue(cr), GetBValue(cr))};
    int w = 1, h = 1;
    RunPixelEffects(px, w, h, chain.data(), chain.size(), 0);
    return RGB(CPixelEffect::Red(px[0]), CPixelEffect::Green(px[0]), CPixelEffect::Blue(px[0]));
}

// A pixel of one image of a list drawn over a background.
COLORREF ImagePixel(CImageList& list, int nImage, int x, int y, COLORREF crBack)
{
    CPixelDC dc(24, 24, crBack);
    ImageList_Draw(list.m_hImageList, nImage, dc.m_hDC, 0, 0, ILD_TRANSPARENT);
    return dc.Pixel(x, y);
}

TEST_F(ToolBarsTest, ImageToolBarMakesHotNormalAndDisabledLists)
{
    CImageToolBar bar;
    ASSERT_TRUE(bar.Create(Frame(), WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE800));
    ASSERT_TRUE(bar.LoadToolBar(IDR_ZAVOMGRTYPE));
    bar.LoadImages(IDB_MAINTOOLBAR, RGB(255, 0, 255));
    EXPECT_EQ(bar.m_ilHot.GetImageCount(), 20);
    EXPECT_EQ(bar.m_ilNormal.GetImageCount(), 20);
    EXPECT_EQ(bar.m_ilDisabled.GetImageCount(), 20);
    EXPECT_EQ((HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST), bar.m_ilNormal.m_hImageList);
    EXPECT_EQ((HIMAGELIST)bar.SendMessage(TB_GETHOTIMAGELIST), bar.m_ilHot.m_hImageList);
    EXPECT_EQ((HIMAGELIST)bar.SendMessage(TB_GETDISABLEDIMAGELIST), bar.m_ilDisabled.m_hImageList);

    // Hot shows the art as it is, normal lightened, disabled grey and lighter; magenta around the shape.
    const COLORREF back = RGB(0, 128, 255);
    for (POINT pt : {POINT{12, 12}, POINT{4, 9}}) {
        COLORREF art = ResourceBitmapPixel(IDB_MAINTOOLBAR, pt.x, pt.y);
        ASSERT_NE(art, RGB(255, 0, 255));
        EXPECT_EQ(ImagePixel(bar.m_ilHot, 0, pt.x, pt.y, back), art);
        EXPECT_EQ(ImagePixel(bar.m_ilNormal, 0, pt.x, pt.y, back), Through(art, false));
        EXPECT_EQ(ImagePixel(bar.m_ilDisabled, 0, pt.x, pt.y, back), Through(art, true));
    }
    for (CImageList* p : {&bar.m_ilHot, &bar.m_ilNormal, &bar.m_ilDisabled})
        EXPECT_EQ(ImagePixel(*p, 0, 0, 0, back), back);
    COLORREF grey = ImagePixel(bar.m_ilDisabled, 0, 4, 9, back);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));

    // Loading again replaces the lists.
    bar.LoadImages(IDB_ELEMENTTOOLBAR, RGB(255, 0, 255));
    EXPECT_EQ(bar.m_ilNormal.GetImageCount(), 6);
}

TEST_F(ToolBarsTest, EffectBitmapLeavesItselfAloneWhenEmpty)
{
    CEffectBitmap bm(RGB(255, 255, 255));
    EXPECT_FALSE(bm.MakeDisabled(RGB(255, 0, 255)));
    ASSERT_TRUE(bm.LoadBitmap(IDB_ELEMENTTOOLBAR));
    HGDIOBJ hBefore = bm.m_hObject;
    EXPECT_TRUE(bm.MakeNormal(RGB(255, 0, 255)));
    EXPECT_NE(bm.m_hObject, hBefore);
    BITMAP info;
    bm.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 144);
    EXPECT_EQ(info.bmHeight, 24);
}

class PositionBarTest : public ToolBarsTest {
protected:
    void SetUp() override
    {
        ToolBarsTest::SetUp();
        ASSERT_TRUE(m_bar.Create(Frame(), WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0xE805));
    }
    CString Text(UINT nID)
    {
        CString s;
        m_bar.GetDlgItemText((int)nID, s);
        return s;
    }
    void Type(UINT nID, const char* text) { m_bar.SetDlgItemText((int)nID, text); }
    CPositionToolBar m_bar;
};

TEST_F(PositionBarTest, FourGroupsReplaceTheToolbarButtons)
{
    // nothing is left of the resource's buttons but the twelve slots
    EXPECT_EQ(m_bar.GetToolBarCtrl().GetButtonCount(), 12);
    for (UINT id = 188; id <= 199; ++id)
        EXPECT_TRUE(::GetDlgItem(m_bar.m_hWnd, (int)id)) << id;
    TBBUTTON b = {};
    m_bar.SendMessage(TB_GETBUTTON, 1, (LPARAM)&b);
    EXPECT_EQ(b.idCommand, 188);
    EXPECT_TRUE(b.fsStyle & TBSTYLE_SEP);
    m_bar.SendMessage(TB_GETBUTTON, 11, (LPARAM)&b);
    EXPECT_EQ(b.idCommand, 195);
    for (UINT id = 23056; id <= 23063; ++id)
        EXPECT_EQ(m_bar.SendMessage(TB_COMMANDTOINDEX, id), -1) << id;
    // the bar ends with the last spin
    RECT rcLast;
    m_bar.GetItemRect(11, &rcLast);
    CSize fixed = m_bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_LE(fixed.cx, rcLast.right + 32);
    EXPECT_STREQ(Text(198), "CX");
    RECT rcCap, rcField;
    ::GetWindowRect(::GetDlgItem(m_bar.m_hWnd, 196), &rcCap);
    ::GetWindowRect(::GetDlgItem(m_bar.m_hWnd, 188), &rcField);
    EXPECT_LE(rcCap.right, rcField.left + 1);
    EXPECT_GT(rcField.right - rcField.left, rcCap.right - rcCap.left);
    // The spins start at 0 with their fields as buddies.
    EXPECT_EQ((HWND)m_bar.GetSpin(188)->SendMessage(UDM_GETBUDDY), ::GetDlgItem(m_bar.m_hWnd, 188));
    EXPECT_STREQ(Text(191), "0");
    int lo = -1, hi = -1;
    m_bar.GetSpin(189)->GetRange32(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 480);
}

TEST_F(PositionBarTest, ShowsAndTakesValuesWithinThePage)
{
    m_bar.SetPosition(100, 50);
    m_bar.SetSize(100, 80);
    EXPECT_STREQ(Text(188), "100");
    EXPECT_STREQ(Text(189), "50");
    EXPECT_STREQ(Text(190), "100");
    EXPECT_STREQ(Text(191), "80");

    m_bar.SetRanges(640, 480, 640, 480, FALSE);
    Type(188, "700");
    EXPECT_EQ(m_bar.TakeValue(188, 100), 540);  // left + width stays on the page
    EXPECT_STREQ(Text(188), "540");
    DWORD nStart = 0, nEnd = 0;
    ::SendDlgItemMessage(m_bar.m_hWnd, 188, EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
    EXPECT_EQ(nStart, 0u);  // the value taken is selected whole
    EXPECT_EQ(nEnd, 3u);
    Type(190, "600");
    EXPECT_EQ(m_bar.TakeValue(190, 100), 540);  // width from left 100
    Type(189, "-20");
    EXPECT_EQ(m_bar.TakeValue(189, 80), 0);
    m_bar.SetRanges(800, 600, 800, 600, FALSE);
    Type(188, "700");
    EXPECT_EQ(m_bar.TakeValue(188, 100), 700);
    EXPECT_EQ(m_bar.TakeValue(4711, 0), -1);
}

TEST_F(PositionBarTest, EnterInAFieldReachesTheFrameAndNowhereElse)
{
    HWND hField = ::GetDlgItem(m_bar.m_hWnd, 190);
    MSG msg = {hField, WM_KEYDOWN, VK_RETURN, 1};
    ::SetFocus(hField);
    if (::GetFocus() != hField)
        GTEST_SKIP() << "no focus on this desktop";
    m_bar.PreTranslateMessage(&msg);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], 190u);

    HWND hSpin = ::GetDlgItem(m_bar.m_hWnd, 192);
    ::SetFocus(hSpin);
    msg.hwnd = hSpin;
    EXPECT_TRUE(m_bar.PreTranslateMessage(&msg));  // swallowed
    EXPECT_EQ(g_commands.size(), 1u);
    msg.wParam = VK_TAB;
    EXPECT_FALSE(m_bar.PreTranslateMessage(&msg));
}

}  // namespace
