// The screen capture: a known coloured window captured into a PNG, clipping
// and refusal of empty or off-screen selections, the file name, and the
// dialog driven by mouse and key messages from a thread timer, also from a
// modal dialog over a main window that must get the focus back.
#include "designer/capture/ScreenCaptureDlg.h"
#include "designer/capture/SelectionTracker.h"
#include "framework/WinApp.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const COLORREF kFill = RGB(200, 30, 40);
const CRect kWindowRect(300, 300, 360, 340);  // away from the information box

std::string TempFile(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    ::DeleteFileA(path.c_str());
    return path;
}

BOOL FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// A topmost window filled with kFill at kWindowRect.
class ColouredWindow {
public:
    ColouredWindow() : m_brush(::CreateSolidBrush(kFill))
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.hbrBackground = m_brush;
        wc.lpszClassName = "CaptureTestFill";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "CaptureTestFill", "", WS_POPUP | WS_VISIBLE,
                                   kWindowRect.left, kWindowRect.top, kWindowRect.Width(), kWindowRect.Height(),
                                   NULL, NULL, wc.hInstance, NULL);
        ::UpdateWindow(m_hWnd);
        // Until the screen shows it (the display may lag under load).
        HDC screen = ::GetDC(NULL);
        for (int i = 0; i < 200; ++i) {
            Pump();
            if (ScreenShowsFill(screen))
                break;
            ::Sleep(10);
        }
        ::ReleaseDC(NULL, screen);
    }
    static bool ScreenShowsFill(HDC screen)
    {
        return ::GetPixel(screen, kWindowRect.left, kWindowRect.top) == kFill &&
               ::GetPixel(screen, kWindowRect.right - 1, kWindowRect.bottom - 1) == kFill;
    }
    ~ColouredWindow()
    {
        ::DestroyWindow(m_hWnd);
        ::UnregisterClassA("CaptureTestFill", ::GetModuleHandle(NULL));
        ::DeleteObject(m_brush);
        Pump();
    }
    HWND m_hWnd;

private:
    HBRUSH m_brush;
};

bool IsFill(RGBQUAD c)
{
    return c.rgbRed == GetRValue(kFill) && c.rgbGreen == GetGValue(kFill) && c.rgbBlue == GetBValue(kFill);
}

typedef std::function<void(CScreenCaptureDlg&, HWND)> Step;
std::vector<Step> g_steps;
size_t g_next = 0;
int g_idle = 0;

BOOL CALLBACK FindCapture(HWND hWnd, LPARAM lParam)
{
    if (!::GetDlgItem(hWnd, IDC_CAPTURE_INFO) || !::IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// Runs the next step on whichever capture dialog this thread shows.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hWnd = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindCapture, (LPARAM)&hWnd);
    CScreenCaptureDlg* pDlg = static_cast<CScreenCaptureDlg*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg)
        return;
    if (g_next < g_steps.size())
        g_steps[g_next++](*pDlg, hWnd);
    else if (++g_idle > 5)
        pDlg->EndDialog(IDABORT);
}

INT_PTR Drive(std::vector<Step> steps, const std::function<INT_PTR()>& run)
{
    g_steps = std::move(steps);
    g_next = 0;
    g_idle = 0;
    UINT_PTR timer = ::SetTimer(NULL, 0, 20, Tick);
    INT_PTR result = run();
    ::KillTimer(NULL, timer);
    return result;
}

INT_PTR RunDialog(CScreenCaptureDlg& dlg, std::vector<Step> steps)
{
    return Drive(std::move(steps), [&] { return dlg.DoModal(); });
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

Step Send(UINT message, int x, int y, WPARAM wParam = 0)
{
    return [=](CScreenCaptureDlg&, HWND hWnd) { ::SendMessage(hWnd, message, wParam, At(x, y)); };
}

// Draws a selection from (x1, y1) to (x2, y2) with the left button.
std::vector<Step> DrawSelection(int x1, int y1, int x2, int y2)
{
    return {Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON), Send(WM_MOUSEMOVE, x2, y2, MK_LBUTTON),
            Send(WM_LBUTTONUP, x2, y2)};
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

CString InfoText(HWND hWnd)
{
    char text[512] = "";
    ::GetDlgItemTextA(hWnd, IDC_CAPTURE_INFO, text, sizeof(text));
    return CString(text);
}

CString ResourceText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

TEST(ScreenCapture, SavesAKnownRegionOfTheScreenAsPng)
{
    ColouredWindow window;
    CScreenCaptureDlg dlg;
    ASSERT_TRUE(dlg.HasFrozenScreen());
    // The screen is frozen: a window gone afterwards still shows in the capture.
    ::ShowWindow(window.m_hWnd, SW_HIDE);
    Pump();
    const std::string file = TempFile("capture_known.png");
    dlg.SetTargetFile(file.c_str());
    ASSERT_TRUE(dlg.SaveSelection(CRect(290, 290, 370, 350)));

    CxImage image;
    ASSERT_TRUE(image.Load(file.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(80u, image.GetWidth());
    EXPECT_EQ(60u, image.GetHeight());
    EXPECT_TRUE(IsFill(image.GetPixelColor(10, 10)));
    EXPECT_TRUE(IsFill(image.GetPixelColor(69, 49)));
    EXPECT_TRUE(IsFill(image.GetPixelColor(40, 30)));
    EXPECT_FALSE(IsFill(image.GetPixelColor(9, 9)));
    EXPECT_FALSE(IsFill(image.GetPixelColor(70, 50)));
    ::DeleteFileA(file.c_str());
}

TEST(ScreenCapture, ClipsSelectionsToTheScreenAndRefusesEmptyOnes)
{
    CScreenCaptureDlg dlg;
    const CSize screen = dlg.GetScreenSize();
    const std::string file = TempFile("capture_clip.png");
    dlg.SetTargetFile(file.c_str());

    // Partly off the bottom-right corner, and given turned over.
    ASSERT_TRUE(dlg.SaveSelection(CRect(screen.cx + 50, screen.cy + 40, screen.cx - 20, screen.cy - 10)));
    CxImage image;
    ASSERT_TRUE(image.Load(file.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(20u, image.GetWidth());
    EXPECT_EQ(10u, image.GetHeight());
    ASSERT_TRUE(::DeleteFileA(file.c_str()));

    const CRect refused[] = {CRect(-50, -50, -10, -10), CRect(screen.cx, 0, screen.cx + 30, 30),
                             CRect(10, 10, 10, 40), CRect(10, 10, 40, 10), CRect(-1, -1, -1, -1)};
    for (const CRect& rc : refused) {
        EXPECT_FALSE(dlg.SaveSelection(rc)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_FALSE(FileExists(file));
    }

    // Without a target file nothing is written.
    CScreenCaptureDlg unnamed;
    EXPECT_FALSE(unnamed.SaveSelection(CRect(0, 0, 10, 10)));
}

TEST(ScreenCapture, NamesTheFileUnderTheThemesFolderWithinAPath)
{
    EXPECT_STREQ("C:\\Themes\\Pictures\\Screen\\screen_20261209_113000.png",
                 CScreenCaptureDlg::MakeTargetName("C:\\Themes", "20261209_113000"));
    const std::string longFolder = "C:\\" + std::string(MAX_PATH - 40, 'x');
    EXPECT_TRUE(CScreenCaptureDlg::MakeTargetName(longFolder.c_str(), "20261209_113000").IsEmpty());
    EXPECT_TRUE(CScreenCaptureDlg::MakeTargetName(NULL, "1").IsEmpty());

    // A name that cannot be made shows no dialog and gives no file.
    CString file = "unchanged";
    EXPECT_EQ(IDCANCEL, CScreenCaptureDlg::CaptureToFile(NULL, longFolder.c_str(), "20261209_113000", file));
    EXPECT_STREQ("unchanged", file);
}

TEST(ScreenCapture, PlacesTheLabelBoxBesideTheSelection)
{
    const CSize box(60, 90);
    // Above the selection, starting just right of its left edge.
    EXPECT_EQ(CRect(203, 107, 263, 197), CScreenCaptureDlg::PlaceLabelBox(CRect(200, 200, 400, 300), box, 1280));
    // At the right edge of the screen: left of the selection.
    EXPECT_EQ(CRect(1167, 107, 1227, 197), CScreenCaptureDlg::PlaceLabelBox(CRect(1230, 200, 1270, 300), box, 1280));
    // Too near the top: inside the selection, below its top edge.
    EXPECT_EQ(CRect(203, 53, 263, 143), CScreenCaptureDlg::PlaceLabelBox(CRect(200, 50, 400, 300), box, 1280));
}

TEST(SelectionTracker, HitsHandlesAndKeepsTheMinimumSizeOnTheGrabbedSide)
{
    CSelectionTracker tracker;
    tracker.m_nStyle = CSelectionTracker::solidLine | CSelectionTracker::resizeOutside |
                       CSelectionTracker::handlesOnLine;
    tracker.m_nHandleSize = 4;
    tracker.m_sizeMin = CSize(8, 8);
    tracker.m_rect = CRect(100, 100, 200, 150);
    EXPECT_EQ(0, tracker.HitTest(CPoint(100, 100)));
    EXPECT_EQ(2, tracker.HitTest(CPoint(200, 150)));
    EXPECT_EQ(4, tracker.HitTest(CPoint(150, 100)));
    EXPECT_EQ(7, tracker.HitTest(CPoint(100, 125)));
    EXPECT_EQ(8, tracker.HitTest(CPoint(130, 130)));
    EXPECT_EQ(8, tracker.HitTest(CPoint(200, 140)));
    EXPECT_EQ(-1, tracker.HitTest(CPoint(202, 140)));
    CRect trueRect;
    tracker.GetTrueRect(&trueRect);
    EXPECT_EQ(CRect(98, 98, 202, 152), trueRect);

    // A narrow rectangle shows no side handles on its short sides.
    tracker.m_rect = CRect(100, 100, 110, 200);
    EXPECT_FALSE(tracker.IsHandleShown(4));
    EXPECT_TRUE(tracker.IsHandleShown(5));

    const CRect start(100, 100, 200, 150);
    EXPECT_EQ(CRect(110, 105, 210, 155), tracker.AdjustRect(start, 8, CSize(10, 5)));
    EXPECT_EQ(CRect(100, 100, 230, 150), tracker.AdjustRect(start, 5, CSize(30, 9)));
    // Dragged past the opposite edge: widened back to the minimum on that side.
    EXPECT_EQ(CRect(192, 100, 200, 150), tracker.AdjustRect(start, 7, CSize(150, 0)));
    EXPECT_EQ(CRect(100, 100, 200, 108), tracker.AdjustRect(start, 6, CSize(0, -80)));
}

TEST(ScreenCaptureDialog, DrawsASelectionAndSavesItOnADoubleClickInside)
{
    ColouredWindow window;
    const std::string file = TempFile("capture_dialog.png");
    CScreenCaptureDlg dlg;
    dlg.SetTargetFile(file.c_str());
    CString startText, selectedText;
    BOOL bWasOpen = FALSE;
    DWORD infoSelection = 1;
    INT_PTR result = RunDialog(dlg, std::vector<Step>{[&](CScreenCaptureDlg&, HWND h) {
                                        startText = InfoText(h);
                                        DWORD sel = (DWORD)::SendDlgItemMessage(h, IDC_CAPTURE_INFO, EM_GETSEL, 0, 0);
                                        infoSelection = HIWORD(sel) - LOWORD(sel);
                                    }} + DrawSelection(290, 290, 370, 350) +
                                        std::vector<Step>{[&](CScreenCaptureDlg& d, HWND h) {
                                                              selectedText = InfoText(h);
                                                              EXPECT_TRUE(d.HasSelection());
                                                              EXPECT_FALSE(d.IsDrawingSelection());
                                                          },
                                                          // Outside the selection: nothing.
                                                          Send(WM_LBUTTONDBLCLK, 600, 600, MK_LBUTTON),
                                                          [&](CScreenCaptureDlg&, HWND h) { bWasOpen = ::IsWindow(h); },
                                                          Send(WM_LBUTTONDBLCLK, 320, 320, MK_LBUTTON)});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(bWasOpen);
    EXPECT_EQ(0u, infoSelection);  // the hint is not drawn highlighted
    EXPECT_EQ(CString("\r\n\r\n") + ResourceText(IDS_CAPTURE_START), startText);
    EXPECT_EQ(CString("\r\n\r\n") + ResourceText(IDS_CAPTURE_SELECTED), selectedText);
    // The new selection starts 4 pixels in from the first point.
    EXPECT_EQ(CRect(294, 294, 370, 350), dlg.GetSelection());
    CxImage image;
    ASSERT_TRUE(image.Load(file.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(76u, image.GetWidth());
    EXPECT_EQ(56u, image.GetHeight());
    EXPECT_TRUE(IsFill(image.GetPixelColor(6, 6)));
    EXPECT_FALSE(IsFill(image.GetPixelColor(5, 5)));
    ::DeleteFileA(file.c_str());
}

TEST(ScreenCaptureDialog, EscDropsTheSelectionFirstAndThenCloses)
{
    CScreenCaptureDlg dlg;
    CRect afterFirstEsc;
    BOOL bSelectionAfterEsc = TRUE, bOpenAfterEsc = FALSE;
    INT_PTR result = RunDialog(
        dlg, DrawSelection(400, 400, 500, 480) +
                 std::vector<Step>{[&](CScreenCaptureDlg&, HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); },
                                   [&](CScreenCaptureDlg& d, HWND h) {
                                       bSelectionAfterEsc = d.HasSelection();
                                       afterFirstEsc = d.GetSelection();
                                       bOpenAfterEsc = ::IsWindow(h);
                                   },
                                   [&](CScreenCaptureDlg&, HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(bSelectionAfterEsc);
    EXPECT_TRUE(bOpenAfterEsc);
    EXPECT_EQ(CRect(-1, -1, -1, -1), afterFirstEsc);

    // The right button does the same.
    CScreenCaptureDlg second;
    BOOL bOpen = FALSE;
    result = RunDialog(second, DrawSelection(400, 400, 500, 480) +
                                   std::vector<Step>{Send(WM_RBUTTONUP, 450, 450),
                                                     [&](CScreenCaptureDlg& d, HWND h) {
                                                         bOpen = ::IsWindow(h) && !d.HasSelection();
                                                     },
                                                     Send(WM_RBUTTONUP, 450, 450)});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(bOpen);
}

TEST(ScreenCaptureDialog, MovesAndResizesTheSelectionWithTheTracker)
{
    CScreenCaptureDlg dlg;
    CRect moved, resized, restored;
    auto track = [](int x, int y, std::vector<std::pair<UINT, POINT>> queued) {
        return [=](CScreenCaptureDlg&, HWND h) {
            for (auto& m : queued)
                ::PostMessage(h, m.first, m.first == WM_KEYDOWN ? VK_ESCAPE : 0, At(m.second.x, m.second.y));
            ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        };
    };
    INT_PTR result = RunDialog(
        dlg, DrawSelection(396, 396, 500, 480) +
                 std::vector<Step>{
                     // Middle grabbed: moved by (30, 20) keeping its size.
                     track(450, 440, {{WM_MOUSEMOVE, {470, 450}}, {WM_LBUTTONUP, {480, 460}}}),
                     [&](CScreenCaptureDlg& d, HWND) { moved = d.GetSelection(); },
                     // Right edge grabbed (handle 5 centred on it).
                     track(530, 460, {{WM_MOUSEMOVE, {560, 300}}, {WM_LBUTTONUP, {580, 300}}}),
                     [&](CScreenCaptureDlg& d, HWND) { resized = d.GetSelection(); },
                     // Esc while tracking restores the rectangle of the start.
                     track(450, 450, {{WM_MOUSEMOVE, {700, 700}}, {WM_KEYDOWN, {0, 0}}}),
                     [&](CScreenCaptureDlg& d, HWND) { restored = d.GetSelection(); },
                     [](CScreenCaptureDlg& d, HWND) { d.EndDialog(IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(CRect(430, 420, 530, 500), moved);
    EXPECT_EQ(CRect(430, 420, 580, 500), resized);
    EXPECT_EQ(resized, restored);
}

TEST(ScreenCaptureDialog, InformationBoxChangesCornerWhenTheMouseMovesOverIt)
{
    // the box starts away from the pointer: one left in its corner by an
    // earlier program would move it at once
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2);
    CScreenCaptureDlg dlg;
    std::vector<CRect> places;
    auto place = [&](CScreenCaptureDlg&, HWND h) {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(h, IDC_CAPTURE_INFO), &rc);
        places.push_back(rc);
    };
    auto over = [](CScreenCaptureDlg&, HWND h) {
        ::SendMessage(::GetDlgItem(h, IDC_CAPTURE_INFO), WM_MOUSEMOVE, 0, At(5, 5));
    };
    RunDialog(dlg, {place, over, place, over, place, over, place,
                    [](CScreenCaptureDlg& d, HWND) { d.EndDialog(IDCANCEL); }});
    ASSERT_EQ(4u, places.size());
    const int cx = dlg.GetScreenSize().cx;
    EXPECT_EQ(CRect(10, 10, 190, 160), places[0]);
    EXPECT_EQ(CRect(10, 10, 190, 160), places[1]);
    EXPECT_EQ(CRect(cx - 180, 10, cx, 160), places[2]);
    EXPECT_EQ(CRect(10, 10, 190, 160), places[3]);
}

TEST(ScreenCaptureDialog, CaptureToFileMakesTheFoldersAndGivesTheWrittenFile)
{
    const std::string themes = TempFile("capture_themes");
    const std::string expected = themes + "\\Pictures\\Screen\\screen_20261209_120000.png";
    ::DeleteFileA(expected.c_str());
    CString file;
    const INT_PTR result = Drive(DrawSelection(396, 396, 450, 430) + std::vector<Step>{Send(WM_LBUTTONDBLCLK, 420, 420)},
                                 [&] { return CScreenCaptureDlg::CaptureToFile(NULL, themes.c_str(), "20261209_120000", file); });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(expected.c_str(), file);
    CxImage image;
    ASSERT_TRUE(image.Load(expected.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(50u, image.GetWidth());
    EXPECT_EQ(30u, image.GetHeight());
    ASSERT_TRUE(::DeleteFileA(expected.c_str()));

    // A file that cannot be written (a folder in its place) is not given.
    ASSERT_TRUE(::CreateDirectoryA(expected.c_str(), NULL));
    file = "unchanged";
    EXPECT_EQ(IDCANCEL, Drive(DrawSelection(396, 396, 450, 430) + std::vector<Step>{Send(WM_LBUTTONDBLCLK, 420, 420)}, [&] {
                  return CScreenCaptureDlg::CaptureToFile(NULL, themes.c_str(), "20261209_120000", file);
              }));
    EXPECT_STREQ("unchanged", file);
    ::RemoveDirectoryA(expected.c_str());
    ::RemoveDirectoryA((themes + "\\Pictures\\Screen").c_str());
    ::RemoveDirectoryA((themes + "\\Pictures").c_str());
    ::RemoveDirectoryA(themes.c_str());
}

namespace {

const UINT kOwnerDialog = 30001;
const UINT kStartCapture = WM_APP + 1;

// A property dialog run modally over the main window; it opens the capture
// as its capture button does and records the windows' state afterwards.
class CCaptureOwnerDlg : public CDialog {
public:
    CCaptureOwnerDlg(CWnd* pMain, const std::string& themes)
        : CDialog(kOwnerDialog, pMain), m_pMain(pMain), m_themes(themes) {}
    INT_PTR m_nResult = -1;
    BOOL m_bActive = FALSE, m_bFocusInside = FALSE, m_bMainVisible = FALSE, m_bMainEnabled = TRUE;
    BOOL m_bMainBeneath = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(kStartCapture);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kStartCapture)
            return CDialog::WindowProc(message, wParam, lParam);
        CString file;
        m_nResult = CScreenCaptureDlg::CaptureToFile(this, m_themes.c_str(), "20261209_130000", file);
        Pump();
        HWND hMain = m_pMain->GetSafeHwnd();
        m_bActive = ::GetActiveWindow() == m_hWnd;
        m_bFocusInside = ::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus());
        m_bMainVisible = ::IsWindowVisible(hMain);
        m_bMainEnabled = ::IsWindowEnabled(hMain);
        for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == hMain)
                m_bMainBeneath = TRUE;
        EndDialog(IDOK);
        return 0;
    }

private:
    CWnd* m_pMain;
    std::string m_themes;
};

}  // namespace

TEST(ScreenCaptureDialog, AfterSavingOrCancellingThePropertyDialogKeepsTheFocusOverTheMainWindow)
{
    CWinApp app("CaptureLockTest");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, NULL, "Capture main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, NULL, NULL));
    app.m_pMainWnd = &main;
    const std::string themes = TempFile("capture_lock_themes");
    const std::vector<Step> save = DrawSelection(396, 396, 450, 430) + std::vector<Step>{Send(WM_LBUTTONDBLCLK, 420, 420)};
    const std::vector<Step> cancel{[](CScreenCaptureDlg&, HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); }};
    for (const std::vector<Step>* steps : {&save, &cancel}) {
        SCOPED_TRACE(steps == &save ? "saved" : "cancelled");
        CCaptureOwnerDlg owner(&main, themes);
        EXPECT_EQ(IDOK, Drive(*steps, [&] { return owner.DoModal(); }));
        EXPECT_EQ(steps == &save ? IDOK : IDCANCEL, owner.m_nResult);
        EXPECT_TRUE(owner.m_bActive);
        EXPECT_TRUE(owner.m_bFocusInside);
        EXPECT_TRUE(owner.m_bMainVisible);
        EXPECT_FALSE(owner.m_bMainEnabled);
        EXPECT_TRUE(owner.m_bMainBeneath);
        // closing the dialog gives the main window back
        EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
    }
    app.m_pMainWnd = NULL;
    main.DestroyWindow();
    const std::string file = themes + "\\Pictures\\Screen\\screen_20261209_130000.png";
    ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA((themes + "\\Pictures\\Screen").c_str());
    ::RemoveDirectoryA((themes + "\\Pictures").c_str());
    ::RemoveDirectoryA(themes.c_str());
}
