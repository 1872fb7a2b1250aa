#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <vector>

#include "controls/ColorButton.h"
#include "controls/ColorPickerNav.h"
#include "controls/tests/TextTestSupport.h"

namespace {

struct Report {
    UINT msg;
    COLORREF color;
    LPARAM id;
};

// A parent window that records the colour button's reports.
class ReportWnd : public CWnd {
public:
    std::vector<Report> reports;
    CWnd* pCloseOnAccept = NULL;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= MSG_COLOR_CHANGED && message <= MSG_COLOR_CANCELLED) {
            reports.push_back({message, (COLORREF)wParam, lParam});
            if (message == MSG_COLOR_ACCEPTED && pCloseOnAccept != NULL)
                pCloseOnAccept->DestroyWindow();
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const UINT kId = 1280;

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, NULL, "colorbuttontest", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                                      NULL, NULL));
        ASSERT_TRUE(m_button.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 70, 32),
                                    &m_parent, kId));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CColorPickerPopup* Click()
    {
        m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), (LPARAM)m_button.m_hWnd);
        return dynamic_cast<CColorPickerPopup*>(CWnd::FromHandlePermanent(::GetCapture()));
    }
    static void Key(CWnd* w, UINT vk) { w->SendMessage(WM_KEYDOWN, vk, 1); }
    std::vector<UINT> Messages() const
    {
        std::vector<UINT> v;
        for (auto& r : m_parent.reports)
            v.push_back(r.msg);
        return v;
    }

    ReportWnd m_parent;
    CColorButton m_button;
};

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kLightOrange = RGB(255, 173, 91);

}  // namespace

TEST_F(ColorButtonTest, OwnerClosedByTheReportTakesThePopupWithIt)
{
    EXPECT_EQ((DWORD)BS_OWNERDRAW, m_button.GetStyle() & BS_TYPEMASK);
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    HWND hPopup = popup->m_hWnd;
    m_parent.pCloseOnAccept = &m_button;
    Key(popup, VK_DOWN);
    Key(popup, VK_RETURN);
    EXPECT_FALSE(IsWindow(hPopup));
    EXPECT_EQ(NULL, m_button.m_hWnd);
    EXPECT_EQ(CColorPickerPopup::GetTableColor(0), m_button.GetColor());
}

TEST_F(ColorButtonTest, EscapeRestoresTheInitialColourWithoutChange)
{
    m_button.SetColor(kRed);
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    HWND hPopup = popup->m_hWnd;
    EXPECT_TRUE(m_button.IsPopupOpen());
    EXPECT_EQ(16, popup->GetChosenCell());
    Key(popup, VK_RIGHT);
    Key(popup, VK_RIGHT);
    Key(popup, VK_DOWN);
    EXPECT_EQ(26, popup->GetHotCell());
    Key(popup, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(hPopup));
    EXPECT_FALSE(m_button.IsPopupOpen());
    EXPECT_EQ(kRed, m_button.GetColor());
    std::vector<UINT> want = {MSG_COLOR_DROPDOWN, MSG_COLOR_CLOSEUP, MSG_COLOR_CANCELLED};
    EXPECT_EQ(want, Messages());
    for (auto& r : m_parent.reports) {
        EXPECT_EQ(kRed, r.color);
        EXPECT_EQ((LPARAM)kId, r.id);
    }
}

TEST_F(ColorButtonTest, AcceptingReportsChangeOnlyForANewColour)
{
    m_button.SetColor(kRed);
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    Key(popup, VK_RIGHT);
    Key(popup, VK_RETURN);
    EXPECT_EQ(kLightOrange, m_button.GetColor());
    std::vector<UINT> want = {MSG_COLOR_DROPDOWN, MSG_COLOR_CLOSEUP, MSG_COLOR_ACCEPTED, MSG_COLOR_CHANGED};
    EXPECT_EQ(want, Messages());
    EXPECT_EQ(kLightOrange, m_parent.reports.back().color);

    m_parent.reports.clear();
    popup = Click();
    ASSERT_TRUE(popup != NULL);
    Key(popup, VK_LEFT);
    Key(popup, VK_RIGHT);
    Key(popup, VK_SPACE);
    want = {MSG_COLOR_DROPDOWN, MSG_COLOR_CLOSEUP, MSG_COLOR_ACCEPTED};
    EXPECT_EQ(want, Messages());
    EXPECT_EQ(kLightOrange, m_button.GetColor());
}

TEST_F(ColorButtonTest, TrackSelectionFollowsTheHotCell)
{
    m_button.SetTrackSelection(TRUE);
    m_button.SetColor(kRed);
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    Key(popup, VK_RIGHT);
    EXPECT_EQ(kLightOrange, m_button.GetColor());
    ASSERT_EQ(2u, m_parent.reports.size());
    EXPECT_EQ((UINT)MSG_COLOR_CHANGED, m_parent.reports[1].msg);
    Key(popup, VK_ESCAPE);
    EXPECT_EQ(kRed, m_button.GetColor());
}

TEST_F(ColorButtonTest, InitialCellForAutomaticUnknownAndTableColours)
{
    CColorPickerPopup* popup = Click();  // CLR_DEFAULT
    ASSERT_TRUE(popup != NULL);
    EXPECT_EQ(PICK_DEFAULT, popup->GetChosenCell());
    Key(popup, VK_ESCAPE);

    m_button.SetColor(RGB(1, 2, 3));
    popup = Click();
    ASSERT_TRUE(popup != NULL);
    EXPECT_EQ(PICK_CUSTOM, popup->GetChosenCell());
    Key(popup, VK_ESCAPE);

    m_button.SetCustomText("");
    popup = Click();
    ASSERT_TRUE(popup != NULL);
    EXPECT_EQ(PICK_NONE, popup->GetChosenCell());
    Key(popup, VK_LEFT);  // from nothing: the last cell, there is no more box
    EXPECT_EQ(39, popup->GetHotCell());
    Key(popup, VK_ESCAPE);
    EXPECT_EQ(RGB(1, 2, 3), m_button.GetColor());
}

TEST_F(ColorButtonTest, MouseChoosesACellAndReleaseOutsideCancels)
{
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    CRect rc = popup->GetCellRect(10);
    CRect rcDefault = popup->GetCellRect(PICK_DEFAULT);
    EXPECT_GT(rc.top, rcDefault.bottom);
    EXPECT_EQ(10, popup->HitTest(rc.CenterPoint()));
    EXPECT_EQ(PICK_DEFAULT, popup->HitTest(rcDefault.CenterPoint()));
    EXPECT_EQ(PICK_CUSTOM, popup->HitTest(popup->GetCellRect(PICK_CUSTOM).CenterPoint()));
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
    EXPECT_EQ(10, popup->GetHotCell());
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
    EXPECT_EQ(CColorPickerPopup::GetTableColor(10), m_button.GetColor());

    m_button.SetColor(kRed);
    popup = Click();
    ASSERT_TRUE(popup != NULL);
    CRect cell = popup->GetCellRect(3);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 1, cell.top + 1));
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    EXPECT_EQ(kRed, m_button.GetColor());
    EXPECT_EQ((UINT)MSG_COLOR_CANCELLED, m_parent.reports.back().msg);
}

TEST_F(ColorButtonTest, PopupOpensBelowOrAboveTheButton)
{
    CColorPickerPopup* popup = Click();
    ASSERT_TRUE(popup != NULL);
    CRect rcButton, rcPopup;
    m_button.GetWindowRect(&rcButton);
    popup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcButton.left, rcPopup.left);
    EXPECT_EQ(rcButton.bottom, rcPopup.top);
    Key(popup, VK_ESCAPE);

    int cy = GetSystemMetrics(SM_CYSCREEN);
    m_parent.SetWindowPos(NULL, 100, cy - 60, 300, 60, SWP_NOZORDER);
    popup = Click();
    ASSERT_TRUE(popup != NULL);
    m_button.GetWindowRect(&rcButton);
    popup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcButton.top, rcPopup.bottom);
    EXPECT_LE(rcPopup.bottom, cy);
    Key(popup, VK_ESCAPE);
}

TEST(ColorButtonDraw, SwatchShowsTheDefaultColourAndNoneWhenDisabled)
{
    TestCanvas canvas(60, 24, RGB(0, 0, 0));
    HDC dc = canvas.dc;

    CColorButton button;
    DRAWITEMSTRUCT dis;
    memset(&dis, 0, sizeof(dis));
    dis.CtlType = ODT_BUTTON;
    dis.hDC = dc;
    SetRect(&dis.rcItem, 0, 0, 60, 24);
    button.DrawItem(&dis);
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE), GetPixel(dc, 15, 12));

    button.SetColor(RGB(10, 200, 30));
    button.DrawItem(&dis);
    EXPECT_EQ(RGB(10, 200, 30), GetPixel(dc, 15, 12));

    dis.itemState = ODS_DISABLED;
    button.DrawItem(&dis);
    EXPECT_NE(RGB(10, 200, 30), GetPixel(dc, 15, 12));
}
