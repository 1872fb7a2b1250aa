#include "controls/DialogHeader.h"
#include "controls/WaitDialog.h"
#include "controls/tests/TextTestSupport.h"
#include "framework/DC.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

void Drain()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

int ProgressPos(CWaitDialog& dlg)
{
    return (int)dlg.SendDlgItemMessage(CWaitDialog::IDC_PROGRESS, PBM_GETPOS, 0, 0);
}

struct CommonControls {
    CommonControls()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&icc);
    }
} g_commonControls;
}  // namespace

TEST(WaitDialog, ShowsDefaultTextsDisablesOwnerAndClampsProgress)
{
    TestTopWindow owner;
    BOOL bContinue = TRUE;
    CWaitDialog dlg(&bContinue, NULL, NULL, &owner);
    ASSERT_TRUE(dlg.GetSafeHwnd() != NULL);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(owner.IsWindowEnabled());
    // The 8-bit build shows the strings in the system code page.
    char caption[64] = "", line[64] = "";
    ASSERT_EQ(18, ::LoadStringA(::GetModuleHandle(NULL), CWaitDialog::IDS_CAPTION, caption, 64));
    ASSERT_EQ(31, ::LoadStringA(::GetModuleHandle(NULL), CWaitDialog::IDS_TEXT, line, 64));
    CString text;
    dlg.GetWindowText(text);
    EXPECT_STREQ(caption, text);
    dlg.GetDlgItemText(CWaitDialog::IDC_TEXT, text);
    EXPECT_STREQ(line, text);

    dlg.SetProgress(-5);
    EXPECT_EQ(0, ProgressPos(dlg));
    dlg.SetProgress(250);
    EXPECT_EQ(100, ProgressPos(dlg));
    dlg.SetProgress(42);
    EXPECT_EQ(42, ProgressPos(dlg));
    dlg.SetText("step 2");
    dlg.GetDlgItemText(CWaitDialog::IDC_TEXT, text);
    EXPECT_STREQ("step 2", text);

    dlg.Close();
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_TRUE(owner.IsWindowEnabled());
    dlg.Close();
    dlg.SetProgress(10);
    dlg.SetText("gone");
    EXPECT_TRUE(bContinue);
}

TEST(WaitDialog, OwnerIsEnabledAgainWhenTheDialogCannotBeMade)
{
    TestTopWindow owner;
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));  // holds no such dialog
    BOOL bContinue = TRUE;
    CWaitDialog dlg(&bContinue, "Working", "Please wait", &owner);
    AfxSetResourceHandle(previous);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(WaitDialog, CancelClearsTheFlagAndCloses)
{
    TestTopWindow owner;
    BOOL bContinue = TRUE;
    CWaitDialog dlg(&bContinue, "Working", "Please wait", &owner);
    ASSERT_TRUE(dlg.GetSafeHwnd() != NULL);
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_STREQ("Working", caption);
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(CWaitDialog::PumpMessages());
    EXPECT_FALSE(bContinue);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(WaitDialog, EscapeThroughTheApplicationPumpCancels)
{
    CWinApp app("waittest");
    TestTopWindow owner;
    BOOL bContinue = TRUE;
    CWaitDialog dlg(&bContinue, "Working", "Please wait", &owner);
    ASSERT_TRUE(dlg.GetSafeHwnd() != NULL);
    dlg.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(CWaitDialog::PumpMessages());
    EXPECT_FALSE(bContinue);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(WaitDialog, QuitDuringThePumpSurvivesForTheMainLoop)
{
    CWinApp app("waittest");
    TestTopWindow mainWnd;
    app.m_pMainWnd = &mainWnd;
    BOOL bContinue = TRUE;
    {
        CWaitDialog dlg(&bContinue);
        ASSERT_TRUE(dlg.GetSafeHwnd() != NULL);
        EXPECT_FALSE(mainWnd.IsWindowEnabled());
        Drain();
        dlg.SetProgress(50);
        ::PostQuitMessage(7);
        EXPECT_FALSE(CWaitDialog::PumpMessages());
        MSG msg;
        ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(7u, msg.wParam);
        EXPECT_TRUE(CWaitDialog::PumpMessages());
    }
    // The destructor closes the dialog and gives the main window back.
    EXPECT_TRUE(mainWnd.IsWindowEnabled());
    EXPECT_TRUE(bContinue);
    app.m_pMainWnd = NULL;
}

TEST(DialogHeader, HeightIsAtLeastWhatIconAndTextsNeed)
{
    CDialogHeader header;
    int nIcon = ::GetSystemMetrics(SM_CYICON) + 2 * 10 + 1;
    header.SetHeaderHeight(10);
    EXPECT_EQ(nIcon > 51 ? nIcon : 51, header.GetHeaderHeight());
    header.SetIconResource(TRUE, 9999);  // missing: no icon, but the 48-pixel size
    header.SetHeaderHeight(10);
    EXPECT_EQ(69, header.GetHeaderHeight());
    header.SetHeaderHeight(100);
    EXPECT_EQ(100, header.GetHeaderHeight());
}

// The icons the band loads itself go with it or with the next one; given ones stay.
TEST(DialogHeader, LoadedIconsAreDestroyedGivenOnesKept)
{
    HICON hGiven = ::LoadIcon(NULL, IDI_APPLICATION);
    HICON hFirst = NULL;
    ICONINFO ii;
    {
        CDialogHeader header;
        header.SetIconResource(TRUE, 9100);
        hFirst = header.GetIcon();
        ASSERT_TRUE(hFirst != NULL);
        header.SetIconResource(TRUE, 9100);
        HICON hSecond = header.GetIcon();
        ASSERT_TRUE(hSecond != NULL);
        EXPECT_FALSE(::GetIconInfo(hFirst, &ii));
        header.SetIcon(hGiven);
        EXPECT_FALSE(::GetIconInfo(hSecond, &ii));
        header.SetIconResource(FALSE, 9100);
        hFirst = header.GetIcon();
    }
    EXPECT_FALSE(::GetIconInfo(hFirst, &ii));
    ASSERT_TRUE(::GetIconInfo(hGiven, &ii));
    ::DeleteObject(ii.hbmMask);
    ::DeleteObject(ii.hbmColor);
}

TEST(DialogHeader, InitGrowsTheDialogAndMoveCtrlsPushesControlsDown)
{
    CDialogHeader header;
    CWnd noWindow;
    header.Init(&noWindow);
    header.Init(NULL);
    EXPECT_EQ(NULL, header.GetSafeHwnd());

    TestTopWindow dialog(300, 200);
    HWND hStatic = ::CreateWindowA("STATIC", "x", WS_CHILD | WS_VISIBLE, 10, 20, 50, 15,
                                   dialog.GetSafeHwnd(), NULL, NULL, NULL);
    header.SetHeaderHeight(80);
    header.Init(&dialog);
    header.MoveCtrls(&dialog);
    ASSERT_TRUE(header.GetSafeHwnd() != NULL);
    CRect rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(280, rect.Height());
    EXPECT_EQ(300, rect.Width());
    header.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    EXPECT_EQ(CRect(-1, -1, 299, 79), rect);
    ::GetWindowRect(hStatic, &rect);
    dialog.ScreenToClient(&rect);
    EXPECT_EQ(CRect(10, 100, 60, 115), rect);
}

TEST(DialogHeader, DrawsTitleDescriptionAndEtchedLine)
{
    TestTopWindow dialog(300, 100);
    CDialogHeader header;
    header.Init(&dialog);
    ASSERT_TRUE(header.GetSafeHwnd() != NULL);
    CRect client;
    header.GetClientRect(&client);

    auto render = [&](LPCTSTR title, LPCTSTR desc, int& titleInk, int& descInk, COLORREF& line) {
        header.SetTitleText(title);
        header.SetDescText(desc);
        TestCanvas canvas(client.Width(), client.Height());
        header.Draw(&canvas.dc);
        COLORREF window = ::GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(0, canvas.CountColour(0, 0, client.Width(), client.Height(), RGB(255, 0, 255)));
        titleInk = canvas.Count(0, 0, client.Width(), 25, [window](COLORREF c) { return c != window; });
        descInk = canvas.Count(0, 25, client.Width(), client.Height() - 2, [window](COLORREF c) { return c != window; });
        line = canvas.Pixel(client.Width() / 2, client.Height() - 2);
    };
    int titleInk, descInk;
    COLORREF line;
    render("Banner title", "", titleInk, descInk, line);
    EXPECT_GT(titleInk, 30);
    EXPECT_EQ(0, descInk);
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), line);
    render("", "A description", titleInk, descInk, line);
    EXPECT_EQ(0, titleInk);
    EXPECT_GT(descInk, 30);
}
