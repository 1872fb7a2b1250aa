// Link text: colours by pixels while the pointer comes and goes, underline
// modes, the click through a replaced opener, the pointer and the tooltip.
#include "controls/LinkStatic.h"
#include "controls/tests/TextTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class ParentWnd : public CWnd {
public:
    int m_nClicks = 0;
    ParentWnd()
    {
        CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "link test",
                 WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, NULL, NULL);
    }
    ~ParentWnd()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
    }
    afx_msg void OnLinkClicked() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentWnd, CWnd)
    ON_CONTROL(STN_CLICKED, 10, &ParentWnd::OnLinkClicked)
END_MESSAGE_MAP()

// Records what a click would open instead of starting a browser.
class RecordingLink : public CLinkStatic {
public:
    std::vector<std::string> opened;
    INT_PTR result = 42;

protected:
    INT_PTR OpenTarget(LPCTSTR url, int) override
    {
        opened.push_back(url);
        return result;
    }
};

void Pump(DWORD ms)
{
    DWORD end = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(10);
    } while ((LONG)(::GetTickCount() - end) < 0);
}

HWND MakeStatic(CWnd& parent, LPCTSTR text, DWORD style, int x = 20, int y = 20, int w = 300, int h = 40)
{
    return ::CreateWindowEx(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent.m_hWnd,
                            (HMENU)10, ::GetModuleHandle(NULL), NULL);
}

bool Underlined(HFONT font)
{
    LOGFONT lf = {};
    return font != NULL && ::GetObject(font, sizeof(lf), &lf) && lf.lfUnderline;
}

// Pixels of the window as they are on the screen.
struct Shot {
    int link = 0, hover = 0, visited = 0;
};

Shot Capture(CWnd& wnd)
{
    wnd.UpdateWindow();
    Pump(30);
    CRect r;
    wnd.GetWindowRect(r);
    TestCanvas canvas(r.Width(), r.Height());
    HDC screen = ::GetDC(NULL);
    ::BitBlt(canvas.dc, 0, 0, r.Width(), r.Height(), screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(NULL, screen);
    Shot s;
    int w = r.Width(), h = r.Height();
    s.link = canvas.Count(0, 0, w, h, [](COLORREF c) {
        return GetBValue(c) > 180 && GetRValue(c) < 60 && GetGValue(c) < 60;
    });
    s.hover = canvas.Count(0, 0, w, h, [](COLORREF c) {
        return GetRValue(c) > 180 && GetBValue(c) < 60 && GetGValue(c) < 60;
    });
    s.visited = canvas.Count(0, 0, w, h, [](COLORREF c) {
        return GetRValue(c) > 60 && GetRValue(c) < 120 && GetBValue(c) > 110 && GetBValue(c) < 170 &&
               GetGValue(c) < 60;
    });
    return s;
}

void PointAt(CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(r);
    ::SetCursorPos(r.left + 3, r.top + r.Height() / 2);
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, r.Height() / 2));
}

// A copy of this program as "winhlp32.exe" in the folder, carrying a 32x32
// monochrome cursor as resource 106.
bool MakeHelpProgram(const std::string& folder)
{
    char self[MAX_PATH];
    ::GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string path = folder + "\\winhlp32.exe";
    if (!::CopyFileA(self, path.c_str(), FALSE))
        return false;
    std::vector<BYTE> cur(4 + sizeof(BITMAPINFOHEADER) + 8 + 2 * 32 * 4, 0);
    cur[0] = 4;  // hot spot (4, 2)
    cur[2] = 2;
    BITMAPINFOHEADER* bih = (BITMAPINFOHEADER*)&cur[4];
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = 32;
    bih->biHeight = 64;  // image and mask
    bih->biPlanes = 1;
    bih->biBitCount = 1;
    BYTE* white = &cur[4 + sizeof(BITMAPINFOHEADER) + 4];
    white[0] = white[1] = white[2] = 0xFF;
    BYTE* image = &cur[4 + sizeof(BITMAPINFOHEADER) + 8];
    for (int i = 0; i < 32 * 4; ++i)
        image[i] = (i % 4 == 0) ? 0xF0 : 0;
    BYTE group[20] = {0, 0, 2, 0, 1, 0,  // cursor directory of one
                      32, 0, 64, 0, 1, 0, 1, 0};
    *(DWORD*)&group[14] = (DWORD)cur.size();
    group[18] = 1;  // RT_CURSOR 1
    HANDLE h = ::BeginUpdateResourceA(path.c_str(), FALSE);
    if (h == NULL)
        return false;
    bool ok = ::UpdateResourceA(h, (LPCSTR)RT_CURSOR, MAKEINTRESOURCEA(1), 0, cur.data(), (DWORD)cur.size()) &&
              ::UpdateResourceA(h, (LPCSTR)RT_GROUP_CURSOR, MAKEINTRESOURCEA(106), 0, group, sizeof(group));
    return ::EndUpdateResourceA(h, !ok) && ok;
}

std::string g_helpFolder;

// Takes its hand from the stand-in help program.
class StandInHandLink : public CLinkStatic {
protected:
    HCURSOR LoadLinkCursor() override { return LoadHandCursor(g_helpFolder.c_str()); }
};

}  // namespace

TEST(LinkStatic, TextAndTargetStandInForEachOtherAndTheWindowFitsTheText)
{
    ParentWnd parent;
    CLinkStatic noText, noTarget, right;
    noText.SetURL("http://www.zavo-studio.example/");
    ASSERT_TRUE(noText.SubclassWindow(MakeStatic(parent, "", 0)));
    CString text;
    noText.GetWindowText(text);
    EXPECT_EQ(text, CString("http://www.zavo-studio.example/"));
    EXPECT_TRUE(noText.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(noText.GetUnderline(), -1);
    EXPECT_FALSE(Underlined(noText.GetCurrentFont()));

    ASSERT_TRUE(noTarget.SubclassWindow(MakeStatic(parent, "Home page", 0, 20, 70)));
    EXPECT_EQ(noTarget.GetURL(), CString("Home page"));
    CRect r;
    noTarget.GetWindowRect(r);
    parent.ScreenToClient(r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 70);
    EXPECT_GT(r.Width(), 20);
    EXPECT_LT(r.Width(), 150);
    EXPECT_LT(r.Height(), 40);

    // a right-aligned text keeps its right edge, a centred image its middle
    ASSERT_TRUE(right.SubclassWindow(MakeStatic(parent, "Home", SS_RIGHT | SS_CENTERIMAGE, 20, 120)));
    right.GetWindowRect(r);
    parent.ScreenToClient(r);
    EXPECT_EQ(r.right, 320);
    EXPECT_GT(r.left, 200);
    EXPECT_NEAR((r.top + r.bottom) / 2.0, 140.0, 1.0);
}

TEST(LinkStatic, HoverLightsUpAndUnderlinesUntilThePointerLeaves)
{
    ParentWnd parent;
    CLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(parent, "WWWWWWWW link", 0)));
    ::SetCursorPos(0, 0);
    Shot idle = Capture(link);
    EXPECT_GT(idle.link, 20);
    EXPECT_EQ(idle.hover, 0);

    PointAt(link);
    EXPECT_TRUE(link.IsOver());
    EXPECT_TRUE(Underlined(link.GetCurrentFont()));
    Shot over = Capture(link);
    EXPECT_GT(over.hover, 20);
    EXPECT_LT(over.link, over.hover / 4);

    // no further mouse message: the timer notices the pointer has gone
    ::SetCursorPos(0, 0);
    Pump(300);
    EXPECT_FALSE(link.IsOver());
    EXPECT_FALSE(Underlined(link.GetCurrentFont()));
    Shot left = Capture(link);
    EXPECT_GT(left.link, 20);
    EXPECT_EQ(left.hover, 0);
}

TEST(LinkStatic, UnderlineModesAlwaysAndNever)
{
    ParentWnd parent;
    CLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(parent, "link", 0)));
    ::SetCursorPos(0, 0);
    link.SetUnderline(1);
    EXPECT_TRUE(Underlined(link.GetCurrentFont()));
    PointAt(link);
    ::SetCursorPos(0, 0);
    Pump(300);
    EXPECT_FALSE(link.IsOver());
    EXPECT_TRUE(Underlined(link.GetCurrentFont()));

    link.SetUnderline(0);
    EXPECT_FALSE(Underlined(link.GetCurrentFont()));
    PointAt(link);
    EXPECT_TRUE(link.IsOver());
    EXPECT_FALSE(Underlined(link.GetCurrentFont()));
    ::SetCursorPos(0, 0);
    Pump(300);
}

TEST(LinkStatic, ClickOpensTheTargetAndMarksTheLinkVisitedOnlyOnSuccess)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    ParentWnd parent;
    RecordingLink link;
    link.SetURL("http://www.zavo-studio.example/download.htm");
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(parent, "WWWWWWWW updates", 0)));
    ::SetCursorPos(0, 0);

    link.result = SE_ERR_SHARE;
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(link.opened.size(), 1u);
    EXPECT_EQ(link.opened[0], "http://www.zavo-studio.example/download.htm");
    EXPECT_FALSE(link.GetVisited());
    EXPECT_EQ(parent.m_nClicks, 0);  // the link handles its own click

    link.result = 33;
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link.opened.size(), 2u);
    EXPECT_TRUE(link.GetVisited());
    EXPECT_FALSE(link.IsOver());
    Shot s = Capture(link);
    EXPECT_GT(s.visited, 20);
    EXPECT_EQ(s.hover, 0);
}

TEST(LinkStatic, FailureTextsAndTheBrowserCommandLine)
{
    EXPECT_EQ(CLinkStatic::ReasonText(26), CString("A sharing violation occurred. "));
    EXPECT_EQ(CLinkStatic::ReasonText(0), CString("The operating system is out\nof memory or resources."));
    EXPECT_EQ(CLinkStatic::ReasonText(7), CString("Unknown Error (7) occurred."));
    EXPECT_EQ(CLinkStatic::ReasonText(-3), CString("Unknown Error (-3) occurred."));

    const char* url = "http://x.example/";
    // the placeholder becomes the quoted target and the rest of the line stays
    EXPECT_EQ(CLinkStatic::BrowserCommand("\"C:\\b\\br.exe\" -nohome \"%1\" -x", url),
              CString("\"C:\\b\\br.exe\" -nohome \"http://x.example/\" -x"));
    EXPECT_EQ(CLinkStatic::BrowserCommand("C:\\br.exe %1 -new", url),
              CString("C:\\br.exe \"http://x.example/\" -new"));
    EXPECT_EQ(CLinkStatic::BrowserCommand("C:\\br.exe", url), CString("C:\\br.exe \"http://x.example/\""));
    EXPECT_EQ(CLinkStatic::BrowserCommand("br.exe %1", "C:\\My Pages\\a b.htm"),
              CString("br.exe \"C:\\My Pages\\a b.htm\""));
    EXPECT_EQ(CLinkStatic::BrowserCommand("br.exe \"%1\"", "x\" & calc \""), CString("br.exe \"x%22 & calc %22\""));
}

TEST(LinkStatic, PointerAndTooltipFollowTheTarget)
{
    ParentWnd parent;
    CLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(parent, "link", 0)));

    // the help program's hand, when this system has one
    char folder[MAX_PATH];
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    HMODULE help = ::LoadLibraryExA((std::string(folder) + "\\winhlp32.exe").c_str(), NULL,
                                    LOAD_LIBRARY_AS_DATAFILE);
    bool hasHand = help != NULL && ::LoadCursor(help, MAKEINTRESOURCE(106)) != NULL;
    if (help != NULL)
        ::FreeLibrary(help);
    EXPECT_EQ(hasHand, link.GetLinkCursor() != NULL);
    if (link.GetLinkCursor() != NULL) {
        EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, (WPARAM)link.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), link.GetLinkCursor());
    }

    // with the help program's hand, the pointer over the link is that hand
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    g_helpFolder = std::string(tmp) + "linkhand_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(g_helpFolder.c_str(), NULL);
    ASSERT_TRUE(MakeHelpProgram(g_helpFolder));
    HCURSOR loaded = CLinkStatic::LoadHandCursor(g_helpFolder.c_str());
    EXPECT_TRUE(loaded != NULL);
    if (loaded != NULL)
        ::DestroyCursor(loaded);
    EXPECT_TRUE(CLinkStatic::LoadHandCursor((g_helpFolder + "\\none").c_str()) == NULL);
    {
        StandInHandLink hand;
        ASSERT_TRUE(hand.SubclassWindow(MakeStatic(parent, "hand", 0, 20, 120)));
        ASSERT_TRUE(hand.GetLinkCursor() != NULL);
        ::SetCursor(NULL);
        EXPECT_TRUE(hand.SendMessage(WM_SETCURSOR, (WPARAM)hand.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), hand.GetLinkCursor());
    }
    ::DeleteFileA((g_helpFolder + "\\winhlp32.exe").c_str());
    ::RemoveDirectoryA(g_helpFolder.c_str());

    link.SetURL("http://www.zavo-studio.example/");
    HWND tip = NULL;
    for (HWND h = ::FindWindowEx(NULL, NULL, TOOLTIPS_CLASS, NULL); h; h = ::FindWindowEx(NULL, h, TOOLTIPS_CLASS, NULL))
        if (::GetWindow(h, GW_OWNER) == parent.m_hWnd)
            tip = h;
    ASSERT_TRUE(tip != NULL);
    EXPECT_EQ(::SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[128] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = link.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessage(tip, TTM_GETTEXTA, sizeof(text), (LPARAM)&ti);
    EXPECT_STREQ(text, "http://www.zavo-studio.example/");

    // shown, a target's '&' stays: the tip is as wide as the whole text
    const char mail[] = "mailto:a@example.org?subject=&&&&&&&&&&&&&&&&&&&&&&&&&&&&&&&&&body=b";
    link.SetURL(mail);
    ::SendMessage(tip, TTM_TRACKACTIVATE, TRUE, (LPARAM)&ti);
    const LRESULT bubble = ::SendMessage(tip, TTM_GETBUBBLESIZE, 0, (LPARAM)&ti);
    ::SendMessage(tip, TTM_TRACKACTIVATE, FALSE, (LPARAM)&ti);
    HDC dc = ::GetDC(tip);
    HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessage(tip, WM_GETFONT, 0, 0));
    RECT whole = {0, 0, 0, 0};
    ::DrawTextA(dc, mail, -1, &whole, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(tip, dc);
    EXPECT_GE(LOWORD(bubble), whole.right);

    link.DestroyWindow();
    link.SetURL("http://after.example/");  // no window: only stored
    EXPECT_EQ(link.GetURL(), CString("http://after.example/"));
}
