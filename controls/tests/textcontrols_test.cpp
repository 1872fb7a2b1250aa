#include "controls/DialogHeader.h"
#include "controls/WaitDialog.h"
#include "framework/DC.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace
{
class TopWindow : public CWnd
{
public:
    explicit TopWindow(int w = 300, int h = 200)
    {
        CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 50, 50, w, h, NULL, NULL);
    }
    ~TopWindow()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
    }
};

std::wstring TextW(HWND hWnd)
{
    wchar_t buffer[256] = L"";
    ::GetWindowTextW(hWnd, buffer, 256);
    return buffer;
}

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
    TopWindow owner;
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

TEST(WaitDialog, CancelClearsTheFlagAndCloses)
{
    TopWindow owner;
    BOOL bContinue = TRUE;
    CWaitDialog dlg(&bContinue, "Working", "Please wait", &owner);
    ASSERT_TRUE(dlg.GetSafeHwnd() != NULL);
    EXPECT_EQ(L"Working", TextW(dlg.GetSafeHwnd()));
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(CWaitDialog::PumpMessages());
    EXPECT_FALSE(bContinue);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(WaitDialog, QuitDuringThePumpSurvivesForTheMainLoop)
{
    CWinApp app("waittest");
    TopWindow mainWnd;
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

TEST(DialogHeader, InitGrowsTheDialogAndMoveCtrlsPushesControlsDown)
{
    CDialogHeader header;
    CWnd noWindow;
    header.Init(&noWindow);
    header.Init(NULL);
    EXPECT_EQ(NULL, header.GetSafeHwnd());

    TopWindow dialog(300, 200);
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
    TopWindow dialog(300, 100);
    CDialogHeader header;
    header.Init(&dialog);
    ASSERT_TRUE(header.GetSafeHwnd() != NULL);
    CRect client;
    header.GetClientRect(&client);

    auto render = [&](LPCTSTR title, LPCTSTR desc, int& titleInk, int& descInk, COLORREF& line) {
        header.SetTitleText(title);
        header.SetDescText(desc);
        CDC mem;
        mem.Attach(::CreateCompatibleDC(NULL));
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = client.Width();
        bi.bmiHeader.biHeight = -client.Height();
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ hOld = ::SelectObject(mem, hBitmap);
        mem.FillSolidRect(&client, RGB(255, 0, 255));
        header.Draw(&mem);
        titleInk = descInk = 0;
        COLORREF window = ::GetSysColor(COLOR_WINDOW);
        for (int y = 0; y < client.Height() - 2; ++y)
            for (int x = 0; x < client.Width(); ++x) {
                COLORREF c = mem.GetPixel(x, y);
                EXPECT_NE(RGB(255, 0, 255), c) << x << "," << y;
                if (c != window)
                    ++(y < 10 + 15 ? titleInk : descInk);
            }
        line = mem.GetPixel(client.Width() / 2, client.Height() - 2);
        ::SelectObject(mem, hOld);
        ::DeleteObject(hBitmap);
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
