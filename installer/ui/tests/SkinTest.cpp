#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/ScopedHandle.h"
#include "installer/ui/DialogSkin.h"
#include "installer/ui/SubclassWnd.h"

namespace {

std::string WindowsPath(const std::string &unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

const std::string kThemeDir = WindowsPath(ZAVO_BINARY_DIR "/bin/skin/theme/Black");
const std::string kTheme = kThemeDir + "\\theme.ini";
const char *const kThemeFiles[] = {"theme.ini", "top.bmp", "left.bmp", "right.bmp",
                                   "bottom.bmp", "close.bmp", "max.bmp", "restore.bmp",
                                   "min.bmp", "button.bmp"};

// A copy of the theme in a folder of this process, to break.
std::string CopyTheme(const char *name)
{
    char temp[MAX_PATH];
    ::GetTempPath(MAX_PATH, temp);
    std::string dir = std::string(temp) + "instui_" + std::to_string(::GetCurrentProcessId()) +
                      "_" + name;
    ::CreateDirectory(dir.c_str(), NULL);
    for (const char *f : kThemeFiles)
        ::CopyFile((kThemeDir + "\\" + f).c_str(), (dir + "\\" + f).c_str(), FALSE);
    return dir + "\\theme.ini";
}

void Pump(DWORD ms = 50)
{
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() < end);
}

TEST(SkinFrameTheme, ShippedThemeGivesItsMeasurements)
{
    CSkinFrame frame;
    ASSERT_TRUE(frame.LoadTheme(kTheme.c_str()));
    const SkinFrameMetrics &m = frame.GetMetrics();
    EXPECT_EQ(28, m.captionHeight);
    EXPECT_EQ(8, m.leftWidth);
    EXPECT_EQ(8, m.rightWidth);
    EXPECT_EQ(8, m.bottomHeight);
    EXPECT_TRUE(frame.UsesKeyColour());
    const SkinRect close = frame.CaptionButtonRect(0, 500);
    EXPECT_EQ(452, close.left);
    EXPECT_EQ(43, close.Width());
    EXPECT_EQ(26, frame.CaptionButtonRect(1, 500).Width());
    EXPECT_EQ(400, frame.CaptionButtonRect(2, 500).left);
}

TEST(SkinFrameTheme, BrokenCopiesFailOrFallBack)
{
    CSkinFrame frame;
    const std::string noBorder = CopyTheme("noborder");
    ::DeleteFile((noBorder.substr(0, noBorder.size() - 9) + "left.bmp").c_str());
    EXPECT_FALSE(frame.LoadTheme(noBorder.c_str()));
    EXPECT_FALSE(frame.IsLoaded());

    // No image count: three frames; the close button is a third of its bitmap.
    const std::string zero = CopyTheme("zero");
    ::WritePrivateProfileString("Personality", "ButtonImgCount", "0", zero.c_str());
    ASSERT_TRUE(frame.LoadTheme(zero.c_str()));
    EXPECT_EQ(43 * 4 / 3, frame.CaptionButtonRect(0, 500).Width());

    // The second Action=1 section is the restore button, shown while maximised.
    const std::string moved = CopyTheme("restore");
    ::WritePrivateProfileString("Button2", "XCoord", "80", moved.c_str());
    ASSERT_TRUE(frame.LoadTheme(moved.c_str()));
    EXPECT_EQ(500 - 74, frame.CaptionButtonRect(1, 500).left);
    ::WritePrivateProfileString("Personality", "ButtonCount", "0", moved.c_str());
    ASSERT_TRUE(frame.LoadTheme(moved.c_str()));
    EXPECT_TRUE(frame.CaptionButtonRect(0, 500).IsEmpty());
    EXPECT_TRUE(frame.CaptionButtonRect(1, 500).IsEmpty());
}

// A dialog made from a template in memory, with every kind of button.
class SkinDialog : public ::testing::Test {
protected:
    enum { kPlain = 101,
           kDefault = 102,
           kCheck = 103,
           kRadio = 104,
           kIcon = 105,
           kGroup = 106 };

    static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            s_commands.push_back(LOWORD(wParam));
        if (message == WM_ACTIVATE)
            ++s_activations;
        if (message == WM_CLOSE) {
            ++s_closes;
            return TRUE;
        }
        return message == WM_INITDIALOG;
    }

    static void Word(std::vector<WORD> &t, WORD w) { t.push_back(w); }
    static void Text(std::vector<WORD> &t, const char *s)
    {
        while (*s)
            t.push_back((WORD)*s++);
        t.push_back(0);
    }
    static void Item(std::vector<WORD> &t, DWORD style, short x, short y, short cx, short cy,
                     WORD id, const char *text)
    {
        if (t.size() % 2)
            t.push_back(0);
        const DWORD full = style | WS_CHILD | WS_VISIBLE;
        Word(t, LOWORD(full));
        Word(t, HIWORD(full));
        Word(t, 0);
        Word(t, 0);
        for (short v : {x, y, cx, cy})
            Word(t, (WORD)v);
        Word(t, id);
        Word(t, 0xFFFF);
        Word(t, 0x0080);
        Text(t, text);
        Word(t, 0);
    }

    void SetUp() override
    {
        s_commands.clear();
        s_activations = 0;
        s_closes = 0;
        std::vector<WORD> t;
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX | WS_THICKFRAME | WS_VISIBLE;
        Word(t, LOWORD(style));
        Word(t, HIWORD(style));
        Word(t, 0);
        Word(t, 0);
        Word(t, 6);
        for (short v : {10, 10, 220, 120})
            Word(t, (WORD)v);
        Word(t, 0);
        Word(t, 0);
        Text(t, "Skinned");
        Item(t, BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 60, 16, kPlain, "Plain");
        Item(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 80, 10, 60, 16, kDefault, "OK");
        Item(t, BS_AUTOCHECKBOX, 10, 40, 60, 12, kCheck, "Check");
        Item(t, BS_AUTORADIOBUTTON, 80, 40, 60, 12, kRadio, "Radio");
        Item(t, BS_PUSHBUTTON | BS_ICON, 150, 10, 30, 16, kIcon, "");
        Item(t, BS_GROUPBOX, 10, 60, 120, 40, kGroup, "Group");
        m_hDlg = ::CreateDialogIndirect(::GetModuleHandle(NULL), (LPCDLGTEMPLATE)t.data(), NULL,
                                        Proc);
        ASSERT_TRUE(m_hDlg != NULL);
        m_pDlg = CWnd::FromHandle(m_hDlg);
        ASSERT_TRUE(m_skin.LoadSkin(m_pDlg, kTheme.c_str(), TRUE));
        ::SetForegroundWindow(m_hDlg);
        Pump();
    }

    void TearDown() override
    {
        if (m_hDlg)
            ::DestroyWindow(m_hDlg);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_hDlg, id); }
    CSkinButton *Skinned(int id)
    {
        for (int i = 0; i < m_skin.GetButtonCount(); ++i)
            if (m_skin.GetButton(i)->GetSafeHwnd() == Item(id))
                return m_skin.GetButton(i);
        return NULL;
    }
    COLORREF PixelOf(HWND hWnd, int x, int y)
    {
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        HDC dc = ::GetWindowDC(hWnd);
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(hWnd, dc);
        return c;
    }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    static std::vector<int> s_commands;
    static int s_activations;
    static int s_closes;
    HWND m_hDlg = NULL;
    CWnd *m_pDlg = NULL;
    CDialogSkin m_skin;
};

std::vector<int> SkinDialog::s_commands;
int SkinDialog::s_activations;
int SkinDialog::s_closes;

TEST_F(SkinDialog, OnlyPlainAndDefaultPushButtonsAreSkinnedOnce)
{
    EXPECT_EQ(2, m_skin.GetButtonCount());
    EXPECT_TRUE(Skinned(kPlain) != NULL);
    EXPECT_TRUE(Skinned(kDefault) != NULL);
    EXPECT_TRUE(Skinned(kIcon) == NULL);
    EXPECT_TRUE(m_skin.LoadSkin(m_pDlg, kTheme.c_str(), TRUE));
    EXPECT_EQ(2, m_skin.GetButtonCount());
    EXPECT_FALSE(m_skin.LoadSkin(m_pDlg, (kThemeDir + "\\missing.ini").c_str(), TRUE));
}

TEST_F(SkinDialog, ClicksAndSpaceSendOneCommandOnlyWhenReleasedInside)
{
    HWND b = Item(kPlain);
    ::SendMessage(b, WM_MOUSEMOVE, 0, At(10, 10));
    ::SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessage(b, WM_MOUSEMOVE, MK_LBUTTON, At(400, 400));
    ::SendMessage(b, WM_LBUTTONUP, 0, At(400, 400));
    EXPECT_TRUE(s_commands.empty());

    ::SendMessage(b, WM_MOUSEMOVE, 0, At(10, 10));
    ::SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessage(b, WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(std::vector<int>{kPlain}, s_commands);

    s_commands.clear();
    ::SendMessage(b, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessage(b, WM_KEYUP, VK_SPACE, 0);
    ::SendMessage(b, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(std::vector<int>{kPlain}, s_commands);
}

TEST_F(SkinDialog, DisabledShowsTheGreyCellAndTheRegionFollowsTheKey)
{
    HWND b = Item(kPlain);
    RECT client;
    ::GetClientRect(b, &client);
    COLORREF normal = PixelOf(b, client.right / 2, 4);
    EXPECT_GT(GetBValue(normal), GetRValue(normal));  // the blue-grey normal cell
    ::EnableWindow(b, FALSE);
    Pump();
    EXPECT_EQ(2, Skinned(kPlain)->GetRegionCell());
    COLORREF disabled = PixelOf(b, client.right / 2, 4);
    EXPECT_EQ(GetRValue(disabled), GetBValue(disabled));
    CScopedRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, ::GetWindowRgn(b, rgn));
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 5, 5));
    EXPECT_FALSE(::PtInRegion(rgn, client.right - 1, client.bottom - 1));
}

// Counts the paints a window gets.
class CPaintCounter : public CSubclassWnd {
public:
    int m_nPaints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(SkinDialog, PaintingSettlesAndTheFrameFollowsTheTheme)
{
    CPaintCounter counter;
    counter.SubclassWindow(Item(kDefault));
    ::InvalidateRect(Item(kDefault), NULL, FALSE);
    Pump(150);
    EXPECT_GE(counter.m_nPaints, 1);
    EXPECT_LE(counter.m_nPaints, 2);
    counter.SubclassWindow((HWND)NULL);

    RECT w, c;
    ::GetWindowRect(m_hDlg, &w);
    ::GetClientRect(m_hDlg, &c);
    EXPECT_EQ(w.right - w.left - 16, c.right);
    EXPECT_EQ(w.bottom - w.top - 36, c.bottom);

    const int width = w.right - w.left;
    const SkinRect close = m_skin.GetFrame().CaptionButtonRect(0, width);
    EXPECT_EQ(RGB(170, 40, 30), PixelOf(m_hDlg, close.left + 2, close.top + 3));
    EXPECT_EQ(RGB(24 + 4, 24 + 4, 24 + 4 + 8), PixelOf(m_hDlg, 3, 100));
    EXPECT_EQ(RGB(70, 70, 80), PixelOf(m_hDlg, 0, 100));
}

TEST_F(SkinDialog, MaximiseRestoreAndMinimiseComeBackToTheSavedRectangle)
{
    RECT before, work, now;
    ::GetWindowRect(m_hDlg, &before);
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CSkinFrame &frame = m_skin.GetFrame();
    ::SendMessage(m_hDlg, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ::GetWindowRect(m_hDlg, &now);
    EXPECT_TRUE(::EqualRect(&work, &now));
    EXPECT_EQ(CSkinFrame::STATE_MAXIMISED, frame.GetState());
    ::SendMessage(m_hDlg, WM_SYSCOMMAND, SC_RESTORE, 0);
    ::GetWindowRect(m_hDlg, &now);
    EXPECT_TRUE(::EqualRect(&before, &now));

    frame.Minimise();
    EXPECT_TRUE(::IsIconic(m_hDlg));
    frame.Restore();
    EXPECT_FALSE(::IsIconic(m_hDlg));
    EXPECT_EQ(CSkinFrame::STATE_NORMAL, frame.GetState());
    ::GetWindowRect(m_hDlg, &now);
    EXPECT_TRUE(::EqualRect(&before, &now));

    // The caption's close button closes through WM_CLOSE only for a press on it.
    const int width = now.right - now.left;
    const SkinRect close = frame.CaptionButtonRect(0, width);
    const LPARAM onClose = MAKELPARAM(now.left + close.left + 3, now.top + close.top + 3);
    EXPECT_EQ(HTCLOSE, ::SendMessage(m_hDlg, WM_NCHITTEST, 0, onClose));
    ::SendMessage(m_hDlg, WM_NCLBUTTONDOWN, HTCLIENT, 0);
    ::SendMessage(m_hDlg, WM_NCLBUTTONUP, HTCLOSE, onClose);
    EXPECT_EQ(0, s_closes);
    ::SendMessage(m_hDlg, WM_NCLBUTTONDOWN, HTCLOSE, onClose);
    ::SendMessage(m_hDlg, WM_NCLBUTTONUP, HTCLOSE, onClose);
    EXPECT_EQ(1, s_closes);
}

TEST_F(SkinDialog, ActivationReachesTheDialog)
{
    const int before = s_activations;
    ::SendMessage(m_hDlg, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(before + 1, s_activations);
}

}  // namespace
