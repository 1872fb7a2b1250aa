#include "DocViewTestKit.h"
#include "framework/ToolBar.h"
#include "framework/StatusBar.h"
#include "framework/ReBar.h"
#include "framework/Menu.h"
#include <gtest/gtest.h>

namespace {

class CBarsFrame : public CNoteFrame {
    DECLARE_DYNCREATE(CBarsFrame)
public:
    CToolBar m_wndToolBar;  // in the rebar
    CToolBar m_wndSideBar;  // docked at the bottom
    CStatusBar m_wndStatusBar;
    CReBar m_wndReBar;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        static const UINT kIndicators[] = {ID_SEPARATOR, ID_PANE_POS, ID_INDICATOR_CAPS};
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
            !m_wndToolBar.LoadToolBar(IDR_BARS))
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 3))
            return -1;
        if (!m_wndReBar.Create(this) || !m_wndReBar.AddBar(&m_wndToolBar, NULL, NULL, 0))
            return -1;
        if (!m_wndSideBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                   CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 1) ||
            !m_wndSideBar.LoadToolBar(IDR_BARS))
            return -1;
        m_wndSideBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndSideBar, AFX_IDW_DOCKBAR_BOTTOM);
        return 0;
    }
    CString m_strPos;
    afx_msg void OnUpdatePos(CCmdUI* pCmdUI)
    {
        if (!m_strPos.IsEmpty())
            pCmdUI->SetText(m_strPos);
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CBarsFrame, CNoteFrame)
BEGIN_MESSAGE_MAP(CBarsFrame, CNoteFrame)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(ID_PANE_POS, &CBarsFrame::OnUpdatePos)
END_MESSAGE_MAP()

class Bars : public ::testing::Test {
protected:
    CTestApp m_app;
    CSingleDocTemplate* m_pTemplate = NULL;
    CBarsFrame* m_pFrame = NULL;
    void SetUp() override
    {
        g_log.clear();
        m_pTemplate = new CSingleDocTemplate(IDR_NOTE, RUNTIME_CLASS(CNoteDoc),
                                             RUNTIME_CLASS(CBarsFrame), RUNTIME_CLASS(CNoteView));
        m_app.AddDocTemplate(m_pTemplate);
        m_app.OnFileNew();
        m_pFrame = static_cast<CBarsFrame*>(m_app.m_pMainWnd);
        ASSERT_TRUE(m_pFrame != NULL);
        m_pFrame->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE);
    }
    void TearDown() override
    {
        m_app.CloseAllDocuments(FALSE);
        Pump();
    }
    CRect ClientRectOf(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
        return rc;
    }
};

}  // namespace

TEST_F(Bars, ToolBarComesFromItsResource)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    EXPECT_EQ(5, bar.GetCount());
    EXPECT_EQ(5, bar.GetToolBarCtrl().GetButtonCount());
    EXPECT_EQ((UINT)ID_CMD_APP, bar.GetItemID(0));
    EXPECT_EQ((UINT)ID_SEPARATOR, bar.GetItemID(2));
    EXPECT_EQ(3, bar.CommandToIndex(ID_CMD_UPDATED));
    EXPECT_EQ(-1, bar.CommandToIndex(12345));
    EXPECT_EQ((UINT)TBBS_SEPARATOR, bar.GetButtonStyle(2) & 0xFFFF);
    CRect rc0, rc1;
    bar.GetItemRect(0, &rc0);
    bar.GetItemRect(1, &rc1);
    EXPECT_EQ(23, rc0.Width());
    EXPECT_EQ(rc0.right, rc1.left);

    // styles reach every button, the first one too
    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_DISABLED);
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_APP));
    bar.SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_APP));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_CMD_APP));
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), bar.GetButtonStyle(0));

    // a separator widened into room for a field
    bar.SetButtonInfo(2, 777, TBBS_SEPARATOR, 80);
    CRect rcSep;
    bar.GetItemRect(2, &rcSep);
    EXPECT_EQ(80, rcSep.Width());
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(777u, nID);
    EXPECT_EQ(80, iImage);

    // the program's own images replace the bar's
    HIMAGELIST hList = ImageList_Create(24, 24, ILC_COLOR24 | ILC_MASK, 4, 0);
    bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hList);
    EXPECT_EQ(hList, bar.GetToolBarCtrl().GetImageList());
    bar.SendMessage(TB_SETIMAGELIST, 0, 0);
    ImageList_Destroy(hList);

    // images from a bitmap strip
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, 16 * 4, 15);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_TRUE(bar.SetBitmap(hbm));
    EXPECT_EQ(4, ImageList_GetImageCount(bar.GetToolBarCtrl().GetImageList()));
    ::DeleteObject(hbm);

    EXPECT_FALSE(bar.LoadToolBar(IDR_NOTE + 50));
}

TEST_F(Bars, IdleUpdateDisablesButtonsNothingHandles)
{
    CToolBarCtrl& ctrl = m_pFrame->m_wndSideBar.GetToolBarCtrl();
    m_app.OnIdle(0);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_APP));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_ALL));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_NONE));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_UPDATED));
    // the bar inside the rebar is updated as well
    EXPECT_FALSE(m_pFrame->m_wndToolBar.GetToolBarCtrl().IsButtonEnabled(ID_CMD_NONE));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetToolBarCtrl().IsButtonEnabled(ID_CMD_APP));

    m_pFrame->m_bAutoMenuEnable = FALSE;
    ctrl.EnableButton(ID_CMD_NONE, TRUE);
    m_app.OnIdle(0);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_NONE));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_UPDATED));

    // a click on a button inside the rebar reaches the application
    m_pFrame->m_wndToolBar.SendMessage(WM_COMMAND, 0, 0);  // nothing: no id
    ::SendMessage(m_pFrame->m_wndReBar.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_CMD_APP, BN_CLICKED),
                  (LPARAM)m_pFrame->m_wndToolBar.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{"app:app"}, g_log);
}

TEST_F(Bars, FrameLaysOutRebarDockedBarStatusBarAndView)
{
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcReBar = ClientRectOf(m_pFrame->m_wndReBar);
    CRect rcStatus = ClientRectOf(m_pFrame->m_wndStatusBar);
    CRect rcSide = ClientRectOf(m_pFrame->m_wndSideBar);
    CRect rcView = ClientRectOf(*m_pFrame->GetActiveView());
    EXPECT_EQ(0, rcReBar.top);
    EXPECT_GT(rcReBar.Height(), 20);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
    EXPECT_EQ(rcStatus.top, rcSide.bottom);
    EXPECT_EQ(rcReBar.bottom, rcView.top);
    EXPECT_EQ(rcSide.top, rcView.bottom);
    EXPECT_EQ(rcClient.Width(), rcView.Width());
    EXPECT_EQ(CBRS_ALIGN_BOTTOM, m_pFrame->m_wndSideBar.GetBarStyle() & CBRS_ALIGN_ANY);

    // hiding the status bar gives its room to the others
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    rcSide = ClientRectOf(m_pFrame->m_wndSideBar);
    EXPECT_EQ(rcClient.bottom, rcSide.bottom);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_VIEW_STATUS_BAR, "Status bar");
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    EXPECT_FALSE(menu.GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, TRUE, FALSE);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    EXPECT_TRUE(menu.GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(&m_pFrame->m_wndStatusBar, m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
}

TEST_F(Bars, StatusBarPanesAndMenuPrompts)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(ID_PANE_POS));
    EXPECT_EQ((UINT)ID_INDICATOR_CAPS, bar.GetItemID(2));
    EXPECT_EQ(CString("  0000, 0000  "), bar.GetPaneText(1));

    EXPECT_TRUE(bar.SetPaneText(1, " 12, 34"));
    EXPECT_EQ(CString(" 12, 34"), bar.GetPaneText(1));
    char szText[64] = "";
    bar.SendMessage(SB_GETTEXT, 1, (LPARAM)szText);
    EXPECT_STREQ(" 12, 34", szText);
    EXPECT_FALSE(bar.SetPaneText(7, "out of range"));

    bar.SetPaneInfo(1, ID_PANE_POS, SBPS_NORMAL, 90);
    UINT nID, nStyle;
    int cx;
    bar.GetPaneInfo(1, nID, nStyle, cx);
    EXPECT_EQ((UINT)ID_PANE_POS, nID);
    EXPECT_EQ(90, cx);
    CRect rcPane;
    bar.GetItemRect(1, &rcPane);
    EXPECT_GE(rcPane.Width(), 90);
    CRect rcBar;
    bar.GetClientRect(&rcBar);
    CRect rcLast;
    bar.GetItemRect(2, &rcLast);
    CRect rcFirst;
    bar.GetItemRect(0, &rcFirst);
    EXPECT_GT(rcFirst.Width(), rcPane.Width());  // the message pane stretches

    // idle time shows the idle message; a menu item its prompt; a closed menu the idle text again
    m_app.OnIdle(0);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_CMD_APP, MF_STRING), (LPARAM)::GetMenu(m_pFrame->m_hWnd));
    EXPECT_EQ(CString("Runs the application command"), bar.GetPaneText(0));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
    // A menu bar of our own says its popup closed with the popup's menu: idle again too.
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_CMD_APP, MF_STRING), (LPARAM)hMenu);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(2, 0xFFFF), (LPARAM)hMenu);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
    m_app.OnIdle(0);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
    m_pFrame->SetMessageText("free text");
    CString strWnd;
    bar.GetWindowText(strWnd);
    EXPECT_EQ(CString("free text"), strWnd);
}

TEST_F(Bars, ToolTipIsTheTextAfterTheLineBreak)
{
    NMTTDISPINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    info.hdr.idFrom = ID_CMD_APP;
    info.hdr.code = TTN_NEEDTEXTA;
    m_pFrame->SendMessage(WM_NOTIFY, ID_CMD_APP, (LPARAM)&info);
    EXPECT_STREQ("Application command", info.szText);

    NMTTDISPINFOW infoW;
    ZeroMemory(&infoW, sizeof(infoW));
    infoW.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    infoW.hdr.idFrom = ID_CMD_APP;
    infoW.hdr.code = TTN_NEEDTEXTW;
    m_pFrame->SendMessage(WM_NOTIFY, ID_CMD_APP, (LPARAM)&infoW);
    EXPECT_STREQ(L"Application command", infoW.szText);

    // a long tip is cut to what the buffer holds
    ZeroMemory(&infoW, sizeof(infoW));
    infoW.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    infoW.hdr.idFrom = ID_CMD_LONGTIP;
    infoW.hdr.code = TTN_NEEDTEXTW;
    m_pFrame->SendMessage(WM_NOTIFY, ID_CMD_LONGTIP, (LPARAM)&infoW);
    EXPECT_EQ(79u, wcslen(infoW.szText));
    EXPECT_EQ(L'0', infoW.szText[0]);
    ZeroMemory(&info, sizeof(info));
    info.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    info.hdr.idFrom = ID_CMD_LONGTIP;
    info.hdr.code = TTN_NEEDTEXTA;
    m_pFrame->SendMessage(WM_NOTIFY, ID_CMD_LONGTIP, (LPARAM)&info);
    EXPECT_EQ(79u, strlen(info.szText));

    // a string without a tooltip part leaves the text alone
    ZeroMemory(&info, sizeof(info));
    info.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    info.hdr.idFrom = ID_CMD_NONE;
    info.hdr.code = TTN_NEEDTEXTA;
    m_pFrame->SendMessage(WM_NOTIFY, ID_CMD_NONE, (LPARAM)&info);
    EXPECT_STREQ("", info.szText);
}

TEST_F(Bars, ReBarHoldsTheToolBarInABand)
{
    CReBarCtrl& rebar = m_pFrame->m_wndReBar.GetReBarCtrl();
    ASSERT_EQ(1u, rebar.GetBandCount());
    REBARBANDINFO rbbi;
    ZeroMemory(&rbbi, sizeof(rbbi));
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
    ASSERT_TRUE(rebar.GetBandInfo(0, &rbbi));
    EXPECT_EQ(m_pFrame->m_wndToolBar.m_hWnd, rbbi.hwndChild);
    EXPECT_EQ(m_pFrame->m_wndReBar.m_hWnd, ::GetParent(m_pFrame->m_wndToolBar.m_hWnd));
    EXPECT_GE((int)rebar.GetBarHeight(), (int)rbbi.cyMinChild);

    // the toolbar command hides the band with the bar; the view takes its room
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(0, ClientRectOf(*m_pFrame->GetActiveView()).top);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(ClientRectOf(m_pFrame->m_wndReBar).bottom, ClientRectOf(*m_pFrame->GetActiveView()).top);
}

namespace {
class CDrawnStatusBar : public CStatusBar {
public:
    int m_nDrawn = 0;
    UINT m_nLastItem = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDrawn;
        m_nLastItem = lpDIS->itemID;
    }
};
}  // namespace

TEST_F(Bars, OwnerDrawnPaneIsDrawnByTheBar)
{
    CDrawnStatusBar bar;
    static const UINT kIds[] = {ID_SEPARATOR, ID_PANE_POS};
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR + 7));
    ASSERT_TRUE(bar.SetIndicators(kIds, 2));
    bar.SetPaneInfo(1, ID_PANE_POS, SBPS_OWNERDRAW, 90);
    m_pFrame->RecalcLayout();
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GT(bar.m_nDrawn, 0);
    EXPECT_EQ(1u, bar.m_nLastItem);
    bar.DestroyWindow();
}

// Texts set one after another are drawn together with the next paint of the
// bar, and what was waiting to be drawn before still is.
TEST_F(Bars, PaneTextsSetInARowShareTheNextPaint)
{
    CDrawnStatusBar bar;
    static const UINT kIds[] = {ID_SEPARATOR, ID_PANE_POS, ID_INDICATOR_CAPS};
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR + 7));
    bar.SetIndicators(kIds, 3);
    bar.SetPaneInfo(1, ID_PANE_POS, SBPS_OWNERDRAW, 90);
    bar.SetPaneInfo(2, ID_INDICATOR_CAPS, SBPS_OWNERDRAW, 90);
    m_pFrame->RecalcLayout();
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CRect message, pos, caps;
    bar.GetItemRect(0, &message);
    bar.GetItemRect(1, &pos);
    bar.GetItemRect(2, &caps);
    ASSERT_FALSE(message.IsRectEmpty());
    bar.InvalidateRect(&message, FALSE);
    bar.m_nDrawn = 0;

    EXPECT_TRUE(bar.SetPaneText(1, " 12, 34"));
    EXPECT_TRUE(bar.SetPaneText(2, " 5 x 6"));
    EXPECT_EQ(0, bar.m_nDrawn);
    EXPECT_EQ(CString(" 5 x 6"), bar.GetPaneText(2));
    HRGN pending = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, ::GetUpdateRgn(bar.m_hWnd, pending, FALSE));
    for (const CRect& r : {message, pos, caps})
        EXPECT_TRUE(::PtInRegion(pending, r.CenterPoint().x, r.CenterPoint().y)) << r.left;
    ::DeleteObject(pending);

    bar.UpdateWindow();
    EXPECT_EQ(2, bar.m_nDrawn);

    bar.DestroyWindow();
}

TEST_F(Bars, ClickOnAButtonInTheRebarRunsTheCommand)
{
    m_app.OnIdle(0);
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rc;
    bar.GetItemRect(0, &rc);  // ID_CMD_APP
    LPARAM lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    bar.SendMessage(WM_LBUTTONUP, 0, lParam);
    Pump();
    EXPECT_EQ(std::vector<std::string>{"app:app"}, g_log);

    // a disabled button does nothing
    g_log.clear();
    bar.GetItemRect(1, &rc);  // ID_CMD_NONE
    lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    bar.SendMessage(WM_LBUTTONUP, 0, lParam);
    Pump();
    EXPECT_TRUE(g_log.empty());
}

TEST_F(Bars, FlyByTextFollowsTheHotButton)
{
    NMTBHOTITEM hot;
    ZeroMemory(&hot, sizeof(hot));
    hot.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_CMD_APP;
    ::SendMessage(m_pFrame->m_wndReBar.m_hWnd, WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(CString("Runs the application command"), m_pFrame->m_wndStatusBar.GetPaneText(0));
    hot.idNew = 0;
    hot.dwFlags = HICF_LEAVING;
    ::SendMessage(m_pFrame->m_wndReBar.m_hWnd, WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(CString("Ready"), m_pFrame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(Bars, IdleUpdateSetsPaneTextsAndKeyIndicators)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    m_pFrame->m_strPos = " 7, 8";
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CAPITAL];
    auto shown = [&](int nPane) {
        char sz[64] = "";
        bar.SendMessage(SB_GETTEXT, (WPARAM)nPane, (LPARAM)sz);
        return std::string(sz);
    };
    keys[VK_CAPITAL] = 1;
    ::SetKeyboardState(keys);
    m_app.OnIdle(0);
    EXPECT_EQ(CString(" 7, 8"), bar.GetPaneText(1));
    EXPECT_EQ("CAP", shown(2));
    keys[VK_CAPITAL] = 0;
    ::SetKeyboardState(keys);
    m_app.OnIdle(0);
    EXPECT_EQ("", shown(2));
    EXPECT_EQ(CString("CAP"), bar.GetPaneText(2));  // the text stays for the next time
    EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED);
    keys[VK_CAPITAL] = saved;
    ::SetKeyboardState(keys);
}

TEST_F(Bars, ClickOnTheActiveViewTakesTheFocusBackFromABarField)
{
    CView* pView = m_pFrame->GetActiveView();
    ASSERT_TRUE(pView != NULL);
    HWND hField = ::CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 200, 2, 80, 18,
                                   m_pFrame->m_wndToolBar.m_hWnd, NULL, NULL, NULL);
    ASSERT_TRUE(hField != NULL);
    ::SetFocus(hField);
    ASSERT_EQ(hField, ::GetFocus());
    // what the system sends the window under a click before the button message
    pView->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pView->m_hWnd, ::GetFocus());
    EXPECT_EQ(pView, m_pFrame->GetActiveView());
    ::DestroyWindow(hField);
}
