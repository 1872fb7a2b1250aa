// The studio's main frame and view in this process: bars and panes, the menu,
// command states, the position toolbar, and the programs the tool commands
// start (stand-ins that record how they were started).
#include "designer/app/tests/StudioTestSupport.h"
#include "designer/app/MainFrame.h"
#include "designer/app/ZavomgrDoc.h"
#include "framework/DocManager.h"
#include "framework/CreateContext.h"
#include "framework/FwRes.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrView.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

std::string TempDir() { return ProcessTempDir("zavomgr_frame_"); }

void Pump() { PumpApp(theApp); }

// The visible dialog of this thread.
BOOL CALLBACK FindBox(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !IsWindowVisible(h)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

// A studio window as start-up makes it, closed at the end of the test.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _putenv("ZAVO_NO_MSGBOX=1");
        theApp.m_langManager.InitFrom((BinDir() + "\\").c_str(), "Settings");
        CUIControl::SetLangManager(&theApp.m_langManager);
        theApp.m_strAppPath = BinDir().c_str();
        theApp.m_strBinPath = theApp.m_strAppPath + "\\Bin";
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd) theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = NULL;
        Pump();
    }
    bool Start()
    {
        if (!theApp.m_pDocManager) theApp.RegisterTemplate();
        CCommandLineInfo info;
        if (!theApp.RunCommandLine(info) || !theApp.m_pMainWnd) return false;
        theApp.InstallFrameMenu();
        frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
        if (!frame) return false;
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        Pump();
        view = frame->GetZavomgrView();
        return view != NULL && view->HasCanvas();
    }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }
    CDesignCanvas& Canvas() { return view->GetCanvas(); }
    CUIControlList& List() { return *Canvas().GetList(); }
    // The menu item's state after its popup was prepared as on opening it.
    UINT ItemState(UINT id)
    {
        HMENU menu = ::GetMenu(frame->m_hWnd);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            HMENU popup = GetSubMenu(menu, i);
            if (GetMenuState(popup, id, MF_BYCOMMAND) == (UINT)-1) continue;
            frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(i, FALSE));
            for (int j = 0; j < GetMenuItemCount(popup); ++j)
                if (HMENU sub = GetSubMenu(popup, j))
                    frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)sub, MAKELPARAM(j, FALSE));
            return GetMenuState(popup, id, MF_BYCOMMAND);
        }
        return (UINT)-1;
    }
    bool Enabled(UINT id) { return (ItemState(id) & (MF_GRAYED | MF_DISABLED)) == 0; }
    bool Checked(UINT id) { return (ItemState(id) & MF_CHECKED) != 0; }
    // Places an element of the command's type by dragging on the canvas.
    CUIControl* Place(UINT id, int x0, int y0, int x1, int y1)
    {
        Command(id);
        HWND c = Canvas().m_hWnd;
        ::SendMessage(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
        ::SendMessage(c, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
        ::SendMessage(c, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
        Pump();
        return List().GetAt(List().GetCount() - 1);
    }
    void Click(CPoint p)
    {
        HWND c = Canvas().m_hWnd;
        ::SendMessage(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessage(c, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Canvas().UpdateWindow();
        Pump();
    }
    // The view shows the page plus 4 pixels, unless the frame is at its smallest.
    bool Fitted()
    {
        CRect w;
        frame->GetWindowRect(&w);
        return ViewClient().cy == 484 || (ViewClient().cy > 484 && w.Height() == 590);
    }
    CSize ViewClient()
    {
        CRect r;
        view->GetClientRect(&r);
        return r.Size();
    }

    CMainFrame* frame = NULL;
    CZavomgrView* view = NULL;
};

TEST_F(FrameTest, StartsWithTheThreeToolbars)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(frame->GetMainToolBar().IsVisible());
    EXPECT_EQ(::GetParent(frame->GetMainToolBar().m_hWnd), frame->GetReBar().m_hWnd);
    EXPECT_EQ(frame->GetReBar().GetReBarCtrl().GetBandCount(), 1u);
    EXPECT_TRUE(frame->GetElementToolBar().IsVisible());
    EXPECT_EQ(frame->GetElementToolBar().GetCount(), 7);
    CPositionToolBar& position = frame->GetPositionToolBar();
    ASSERT_TRUE(position.m_hWnd);
    EXPECT_FALSE(position.IsVisible());
    char title[32] = "";
    position.GetWindowText(title, sizeof(title));
    EXPECT_STREQ(title, "Ctrl Position");
    // only the position toolbar shows the prompts of its buttons in the status bar
    EXPECT_TRUE(position.GetBarStyle() & CBRS_FLYBY);
    EXPECT_FALSE(frame->GetMainToolBar().GetBarStyle() & CBRS_FLYBY);
    EXPECT_FALSE(frame->GetElementToolBar().GetBarStyle() & CBRS_FLYBY);
}

TEST_F(FrameTest, StatusBarPanesShowPositionAndSize)
{
    ASSERT_TRUE(Start());
    CImageStatusBar& status = frame->GetStatusBar();
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_SIZE), 2);
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_SCRL), 5);
    UINT id, style;
    int width;
    status.GetPaneInfo(1, id, style, width);
    EXPECT_TRUE(style & SBPS_OWNERDRAW);
    EXPECT_EQ(width, 90);
    EXPECT_EQ(status.GetPaneText(1), CString(" 0, 0"));
    EXPECT_EQ(status.GetPaneText(2), CString(" 0, 0"));
    frame->ShowPosition(CPoint(12, 34), TRUE);
    frame->ShowSize(CSize(-1, -1), TRUE);
    EXPECT_EQ(status.GetPaneText(1), CString(" 12, 34"));
    EXPECT_EQ(status.GetPaneText(2), CString(" 0, 0"));
}

TEST_F(FrameTest, OwnerDrawnMenuHoldsEveryCommand)
{
    ASSERT_TRUE(Start());
    HMENU menu = ::GetMenu(frame->m_hWnd);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(GetSubMenu(menu, 0)));
    EXPECT_EQ(frame->m_hMenuDefault, menu);
    // every command of the frame and the view has its item
    for (UINT cmd : {32770u, 32772u, 32774u, 32775u, 32777u, 23043u, 32778u, 32782u, 32792u, 32793u,
                     32802u, 32804u, 32806u, 32807u, 32808u, 32812u, 32813u, 32816u, 32817u, 32818u,
                     32822u, 32825u, 32827u, 32833u, 32834u, 32836u, 32837u, 32838u, 59392u})
        EXPECT_NE(GetMenuState(menu, cmd, MF_BYCOMMAND), (UINT)-1) << cmd;
    EXPECT_FALSE(Enabled(ID_TOOL_ISOMD5));
    // the frame measures the menu's items and answers its mnemonics
    HMENU file = GetSubMenu(menu, 0);
    MENUITEMINFOA info = {sizeof(info)};
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(file, 0, TRUE, &info));
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, ID_FILE_NEW, 0, 0, info.dwItemData};
    frame->SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_GT(mis.itemWidth, 16u);
    EXPECT_GT(mis.itemHeight, 0u);
    EXPECT_EQ(frame->SendMessage(WM_MENUCHAR, MAKEWPARAM('n', MF_POPUP), (LPARAM)file),
              MAKELONG(0, MNC_EXECUTE));
}

TEST_F(FrameTest, ViewShowsThePageAndItsBorder)
{
    ASSERT_TRUE(Start());
    // the page of 640 x 480 plus 4 (the width is held by the smallest frame)
    EXPECT_EQ(ViewClient().cy, 484);
    EXPECT_GE(ViewClient().cx, 644);
}

TEST_F(FrameTest, ToolbarTogglesRefitTheWindowInEveryProject)
{
    ASSERT_TRUE(Start());
    for (int project = 0; project < 2; ++project) {
        SCOPED_TRACE(project);
        EXPECT_TRUE(Checked(ID_VIEW_ELEMENTBAR));
        Command(ID_VIEW_ELEMENTBAR);
        EXPECT_FALSE(frame->GetElementToolBar().IsVisible());
        EXPECT_FALSE(Checked(ID_VIEW_ELEMENTBAR));
        EXPECT_TRUE(Fitted()) << ViewClient().cy;
        Command(ID_VIEW_POSITIONBAR);
        EXPECT_TRUE(frame->GetPositionToolBar().IsVisible());
        EXPECT_TRUE(Checked(ID_VIEW_POSITIONBAR));
        EXPECT_TRUE(Fitted()) << ViewClient().cy;
        Command(ID_VIEW_TOOLBAR);  // a band of the rebar
        EXPECT_FALSE(frame->GetMainToolBar().IsVisible());
        EXPECT_TRUE(Fitted()) << ViewClient().cy;
        Command(ID_VIEW_TOOLBAR);
        Command(ID_VIEW_POSITIONBAR);
        Command(ID_VIEW_ELEMENTBAR);
        EXPECT_TRUE(frame->GetElementToolBar().IsVisible());
        EXPECT_EQ(ViewClient().cy, 484);
        Command(ID_FILE_NEW);  // the next project, same frame
    }
}

TEST_F(FrameTest, CommandsFollowTheElementsAndTheSelection)
{
    ASSERT_TRUE(Start());
    for (UINT id : {ID_SELECT_ALL, ID_CREATE_MENU, ID_WEB_PREVIEW, ID_ELEMENT_PROPERTIES, ID_ALIGN_LEFT,
                    ID_SAME_SIZE, ID_ORDER_UP, ID_SCALE_100, ID_EDIT_COPY, ID_EDIT_CUT})
        EXPECT_FALSE(Enabled(id)) << id;

    CUIControl* button = Place(ID_NEW_BUTTON, 40, 40, 140, 70);
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_EQ(view->GetPlacingMode(), CZavomgrView::PlaceButton);
    for (UINT id : {ID_SELECT_ALL, ID_CREATE_MENU, ID_WEB_PREVIEW}) EXPECT_TRUE(Enabled(id)) << id;
    Command(ID_SELECT_ALL);
    EXPECT_TRUE(button->IsSelected());
    for (UINT id : {ID_ELEMENT_PROPERTIES, ID_ORDER_UP, ID_EDIT_COPY}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(ID_ALIGN_LEFT));
    EXPECT_FALSE(Enabled(ID_SCALE_100));  // no picture selected

    Place(ID_NEW_PICTURE, 200, 200, 260, 250);
    ASSERT_EQ(List().GetCount(), 2);
    Command(ID_STOP_PLACING);
    Command(ID_SELECT_ALL);
    for (UINT id : {ID_ALIGN_LEFT, ID_ALIGN_RIGHT, ID_ALIGN_TOP, ID_ALIGN_BOTTOM, ID_SAME_SIZE,
                    ID_SCALE_25, ID_SCALE_200})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(ID_ORDER_TOP));
}

TEST_F(FrameTest, PlacingToolShowsItsStateAndStops)
{
    ASSERT_TRUE(Start());
    Place(ID_NEW_PICTURE, 200, 200, 260, 250);
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_TRUE(dynamic_cast<CUIPicture*>(List().GetAt(0)) != NULL);
    CImageToolBar& elements = frame->GetElementToolBar();
    EXPECT_FALSE(elements.SendMessage(TB_ISBUTTONENABLED, ID_STOP_PLACING));  // placed
    EXPECT_FALSE(elements.SendMessage(TB_ISBUTTONCHECKED, ID_NEW_PICTURE));
    Command(ID_NEW_PICTURE);
    EXPECT_TRUE(Checked(ID_NEW_PICTURE));
    EXPECT_TRUE(elements.SendMessage(TB_ISBUTTONENABLED, ID_STOP_PLACING));
    EXPECT_TRUE(elements.SendMessage(TB_ISBUTTONCHECKED, ID_NEW_PICTURE));
    Command(ID_STOP_PLACING);
    EXPECT_EQ(view->GetPlacingMode(), CZavomgrView::PlaceNone);
    EXPECT_FALSE(Canvas().IsAdding());
}

TEST_F(FrameTest, ViewTogglesAndElementToolsAreChecked)
{
    ASSERT_TRUE(Start());
    Command(ID_KEEP_INSIDE);
    Command(ID_KEEP_INSIDE);
    EXPECT_TRUE(Checked(ID_KEEP_INSIDE));
    EXPECT_FALSE(Checked(ID_SHOW_GRID));
    Command(ID_SHOW_NUMBERS);
    EXPECT_TRUE(Checked(ID_SHOW_NUMBERS));
    Command(ID_NEW_STATIC);
    EXPECT_TRUE(Checked(ID_NEW_STATIC));
    EXPECT_FALSE(Checked(ID_NEW_BUTTON));
    Command(ID_MULTI_CREATE);
    EXPECT_EQ(view->GetPlacingMode(), CZavomgrView::PlaceNone);
    EXPECT_TRUE(Canvas().GetMultiCreate());
}

// Enter in a field of the position toolbar, as the message loop delivers it.
void TypeInField(CPositionToolBar& bar, UINT id, const char* text)
{
    CEdit* field = bar.GetField(id);
    field->SetWindowText(text);
    field->SetFocus();
    MSG msg = {field->m_hWnd, WM_KEYDOWN, VK_RETURN, 0};
    if (!theApp.PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Pump();
}

int FieldValue(CPositionToolBar& bar, UINT id)
{
    return (int)GetDlgItemInt(bar.m_hWnd, id, NULL, TRUE);
}

TEST_F(FrameTest, PositionToolbarShowsAndEditsTheSelectedElement)
{
    ASSERT_TRUE(Start());
    frame->SetForegroundWindow();
    CUIControl* element = Place(ID_NEW_STATIC, 60, 60, 160, 100);
    ASSERT_TRUE(element);
    Command(ID_STOP_PLACING);
    Command(ID_VIEW_POSITIONBAR);
    CPositionToolBar& bar = frame->GetPositionToolBar();
    ASSERT_TRUE(bar.IsVisible());
    // nothing selected: the fields are disabled
    Click(CPoint(600, 400));
    ASSERT_EQ(Canvas().SelectedCount(), 0);
    EXPECT_FALSE(bar.GetField(IDC_POS_LEFT)->IsWindowEnabled());

    CRect r = element->GetRect();
    Click(Canvas().PageToClient(CRect(r.left + 5, r.top + 5, r.left + 6, r.top + 6)).TopLeft());
    ASSERT_EQ(Canvas().SelectedCount(), 1);
    EXPECT_TRUE(bar.GetField(IDC_POS_LEFT)->IsWindowEnabled());
    EXPECT_EQ(FieldValue(bar, IDC_POS_LEFT), r.left);
    EXPECT_EQ(FieldValue(bar, IDC_POS_TOP), r.top);
    EXPECT_EQ(FieldValue(bar, IDC_POS_WIDTH), r.Width());
    EXPECT_EQ(FieldValue(bar, IDC_POS_HEIGHT), r.Height());
    ASSERT_GT(r.Width(), 0);

    TypeInField(bar, IDC_POS_LEFT, "700");  // beyond the page: kept inside it
    EXPECT_EQ(FieldValue(bar, IDC_POS_LEFT), 640 - r.Width());
    // the value shown is selected whole, ready to be typed over
    DWORD start = 0, end = 0;
    bar.GetField(IDC_POS_LEFT)->SendMessage(EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ((DWORD)bar.GetField(IDC_POS_LEFT)->GetWindowTextLength(), end);
    EXPECT_EQ(element->GetRect().left, 640 - r.Width());
    EXPECT_EQ(element->GetRect().Width(), r.Width());

    TypeInField(bar, IDC_POS_TOP, "30");
    EXPECT_EQ(element->GetRect().top, 30);
    TypeInField(bar, IDC_POS_LEFT, "100");
    TypeInField(bar, IDC_POS_WIDTH, "600");
    EXPECT_EQ(FieldValue(bar, IDC_POS_WIDTH), 540);
    EXPECT_EQ(element->GetRect(), CRect(100, 30, 640, 30 + r.Height()));
    TypeInField(bar, IDC_POS_HEIGHT, "0");  // no element of no height
    EXPECT_EQ(element->GetRect().Height(), r.Height());

    // the status panes follow the element's drawing
    EXPECT_EQ(frame->GetStatusBar().GetPaneText(1), CString(" 100, 30"));
}

// The dark pixels of a window as the screen shows it.
int DarkPixels(HWND h)
{
    RECT r;
    GetClientRect(h, &r);
    HDC dc = GetDC(h);
    int dark = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96;
        }
    ReleaseDC(h, dc);
    return dark;
}

// Maximising or enlarging the frame leaves the position toolbar's captions
// and fields drawn, with nothing selected.
TEST_F(FrameTest, PositionToolbarStaysDrawnWhenTheFrameGrows)
{
    ASSERT_TRUE(Start());
    Command(ID_VIEW_POSITIONBAR);
    CPositionToolBar& bar = frame->GetPositionToolBar();
    ASSERT_TRUE(bar.IsVisible());
    HWND caption = ::GetDlgItem(bar.m_hWnd, CPositionToolBar::CAPTION_LEFT + 2);
    ASSERT_TRUE(caption);
    Pump();
    ASSERT_GT(DarkPixels(caption), 0);
    for (int show : {SW_MAXIMIZE, SW_RESTORE}) {
        frame->ShowWindow(show);
        Pump();
        EXPECT_GT(DarkPixels(caption), 0) << "after ShowWindow " << show;
    }
    CRect w;
    frame->GetWindowRect(&w);
    frame->MoveWindow(w.left, w.top, w.Width() + 120, w.Height() + 80);
    Pump();
    EXPECT_GT(DarkPixels(caption), 0) << "after enlarging";
}

// Ctrl+A typed in a field of the position toolbar selects the field's text;
// the page's selection stays.
TEST_F(FrameTest, CtrlAInAPositionFieldSelectsItsText)
{
    ASSERT_TRUE(Start());
    Place(ID_NEW_STATIC, 200, 200, 260, 240);
    CUIControl* element = Place(ID_NEW_STATIC, 60, 60, 160, 100);
    ASSERT_TRUE(element);
    Command(ID_STOP_PLACING);
    ASSERT_EQ(Canvas().SelectedCount(), 1);
    Command(ID_VIEW_POSITIONBAR);
    CEdit* field = frame->GetPositionToolBar().GetField(IDC_POS_LEFT);
    frame->SetForegroundWindow();
    field->SetFocus();
    field->SendMessage(EM_SETSEL, 1, 1);
    Pump();
    ASSERT_EQ(field->m_hWnd, ::GetFocus());
    ASSERT_TRUE(zavotest::PressOnXServer(L"ctrl+a", Pump));
    Pump();
    DWORD start = 1, end = 0;
    field->SendMessage(EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ((DWORD)field->GetWindowTextLength(), end);
    EXPECT_GT(end, 0u);
    EXPECT_EQ(Canvas().SelectedCount(), 1);
}

// Cancels the dialog that a command opened, as its close button does.
void CALLBACK CancelBox(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, (LPARAM)&dlg);
    if (!dlg) return;
    KillTimer(NULL, id);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Once a dialog has closed, keys typed on the keyboard edit the page again
// without a click on it first.
TEST_F(FrameTest, KeysReachTheCanvasAfterADialogCloses)
{
    ASSERT_TRUE(Start());
    CUIControl* element = Place(ID_NEW_STATIC, 60, 60, 160, 100);
    ASSERT_TRUE(element);
    Command(ID_STOP_PLACING);
    ASSERT_EQ(Canvas().SelectedCount(), 1);
    frame->SetForegroundWindow();
    Pump();
    for (UINT command : {ID_APP_ABOUT, ID_PROJECT_PROPERTIES}) {
        UINT_PTR timer = SetTimer(NULL, 0, 50, CancelBox);
        Command(command);
        KillTimer(NULL, timer);
        Pump();
        int left = element->GetRect().left;
        ASSERT_TRUE(zavotest::PressOnXServer(L"Right", Pump));
        Pump();
        EXPECT_EQ(element->GetRect().left, left + 1) << "after command " << command;
    }
}

void CALLBACK ChooseLargestPage(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, (LPARAM)&dlg);
    if (!dlg) return;
    KillTimer(NULL, id);
    HWND slider = GetDlgItem(dlg, IDC_GS_RESOLUTION);
    SendMessageA(slider, TBM_SETPOS, TRUE, 3);
    SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3), (LPARAM)slider);
    SetDlgItemTextA(dlg, IDC_GS_TIMEOUT, "17");
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
}

TEST_F(FrameTest, ProjectPropertiesResizeThePageAndTheWindow)
{
    ASSERT_TRUE(Start());
    UINT_PTR timer = SetTimer(NULL, 0, 50, ChooseLargestPage);
    Command(ID_PROJECT_PROPERTIES);
    KillTimer(NULL, timer);
    EXPECT_EQ(Canvas().GetPageSize(), CSize(1024, 768));
    EXPECT_EQ(Canvas().GetTimeout(), 17);
    EXPECT_EQ(ViewClient(), CSize(1028, 772));
    CRect w;
    frame->GetWindowRect(&w);
    int screenX = GetSystemMetrics(SM_CXSCREEN), screenY = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(abs(w.left + w.right - screenX), 2);
    EXPECT_LE(abs(w.top + w.bottom - screenY), 2);
    EXPECT_TRUE(view->GetDocument()->IsModified());
    EXPECT_EQ(view->GetDocument()->GetSettings().timeout, 17);
    // the position toolbar's fields take values up to the new page
    EXPECT_EQ(frame->GetPositionToolBar().m_nMaxLeft, 1024);
    EXPECT_EQ(frame->GetPositionToolBar().m_nMaxHeight, 768);
}

TEST_F(FrameTest, OpenedProjectShowsItsPageAndSettingsUnchanged)
{
    ASSERT_TRUE(Start());
    std::string project = TempDir() + "\\wide.kel";
    std::ofstream(project, std::ios::binary)
        << "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
           "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<DEFAULT>2</DEFAULT>\r\n"
           "<TIMEOUT>30</TIMEOUT>\r\n<PAPER>800,600;</PAPER>\r\n</COMMON>\r\n</ROOT>\r\n";
    ASSERT_TRUE(theApp.OpenDocumentFile(project.c_str()));
    Pump();
    EXPECT_EQ(Canvas().GetPageSize(), CSize(800, 600));
    EXPECT_EQ(Canvas().GetTimeout(), 30);
    EXPECT_EQ(Canvas().GetDefaultEntry(), 2);
    EXPECT_EQ(ViewClient(), CSize(804, 604));
    EXPECT_EQ(frame->GetPositionToolBar().m_nMaxWidth, 800);
    EXPECT_FALSE(view->GetDocument()->IsModified());
    EXPECT_FALSE(List().IsModified());
    // the owner-drawn File menu lists it as the first recent file
    if (!theApp.m_pRecentFileList) theApp.LoadStdProfileSettings(8);
    theApp.AddToRecentFileList(project.c_str());
    ItemState(ID_FILE_MRU_FILE1);
    MENUITEMINFOA info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(::GetMenu(frame->m_hWnd), ID_FILE_MRU_FILE1, FALSE, &info));
    auto* record = (COwnerDrawItem*)info.dwItemData;
    ASSERT_TRUE((info.fType & MFT_OWNERDRAW) && COwnerDrawMenu::IsRecord(record));
    EXPECT_NE(record->strText.find(L"wide.kel"), std::wstring::npos);
    DeleteFileA(project.c_str());
}

WNDPROC g_canvasProc = NULL;
int g_canvasPaints = 0;

LRESULT CALLBACK CountingCanvasProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) ++g_canvasPaints;
    return CallWindowProcA(g_canvasProc, h, msg, wp, lp);
}

// Setting up the canvas for the project (page, wallpaper, settings) paints it
// once, not once per setting.
TEST_F(FrameTest, OpeningAProjectPaintsTheCanvasOnce)
{
    ASSERT_TRUE(Start());
    std::string dir = TempDir();
    CxImage picture;
    ASSERT_TRUE(picture.Create(800, 600, 24) != NULL);
    ASSERT_TRUE(picture.Save((dir + "\\paper.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    std::string project = dir + "\\papered.kel";
    std::ofstream(project, std::ios::binary)
        << "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
           "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER>paper.bmp</WALLPAPER>\r\n"
           "<TIMEOUT>30</TIMEOUT>\r\n<PAPER>800,600;</PAPER>\r\n</COMMON>\r\n</ROOT>\r\n";
    HWND canvas = Canvas().m_hWnd;
    g_canvasProc = (WNDPROC)SetWindowLongPtrA(canvas, GWLP_WNDPROC, (LONG_PTR)CountingCanvasProc);
    g_canvasPaints = 0;
    ASSERT_TRUE(theApp.OpenDocumentFile(project.c_str()));
    Pump();
    SetWindowLongPtrA(canvas, GWLP_WNDPROC, (LONG_PTR)g_canvasProc);
    EXPECT_TRUE(Canvas().GetWallpaperImage().IsValid());
    EXPECT_EQ(Canvas().GetWallpaper(), CString("paper.bmp"));
    EXPECT_EQ(Canvas().GetTimeout(), 30);
    EXPECT_GE(g_canvasPaints, 1);
    EXPECT_LE(g_canvasPaints, 2);
    DeleteFileA(project.c_str());
    DeleteFileA((dir + "\\paper.bmp").c_str());
}

TEST_F(FrameTest, SessionEndQuerySavesTheModifiedProject)
{
    ASSERT_TRUE(Start());
    std::string project = TempDir() + "\\session.kel";
    const std::string before =
        "<ROOT Description=\"Zavomgr Settings File\">\r\n<COMMON>\r\n"
        "<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<DEFAULT>2</DEFAULT>\r\n"
        "<TIMEOUT>30</TIMEOUT>\r\n<PAPER>800,600;</PAPER>\r\n</COMMON>\r\n</ROOT>\r\n";
    std::ofstream(project, std::ios::binary) << before;
    ASSERT_TRUE(theApp.OpenDocumentFile(project.c_str()));
    Pump();
    view->GetDocument()->SetModifiedFlag();
    // the message box answers its default button, Yes: the project is saved
    EXPECT_NE(0, frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_FALSE(view->GetDocument()->IsModified());
    // written out in the studio's own layout
    std::string after = ReadFile(project);
    EXPECT_NE(after, before);
    EXPECT_NE(after.find("<TIMEOUT>30</TIMEOUT>"), std::string::npos) << after;
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    DeleteFileA(project.c_str());
}

// Every command item of the menu and its popups.
void MenuCommands(HMENU menu, std::vector<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            MenuCommands(popup, ids);
        else if (UINT id = GetMenuItemID(menu, i))
            ids.push_back(id);
    }
}

TEST_F(FrameTest, EveryMenuCommandHasAStatusPrompt)
{
    ASSERT_TRUE(Start());
    std::vector<UINT> ids;
    MenuCommands(::GetMenu(frame->m_hWnd), ids);
    ASSERT_GT(ids.size(), 40u);
    for (UINT id : ids) {
        CString text;
        frame->GetMessageString(id, text);
        if (id != ID_FILE_MRU_FILE1) {
            EXPECT_FALSE(text.IsEmpty()) << "no status text for " << id;
        }
    }
}

TEST_F(FrameTest, TooltipsAndPromptsComeFromTheLanguageFile)
{
    ASSERT_TRUE(Start());
    // "创建新项目\n新建" in section String
    CString prompt;
    frame->GetMessageString(ID_FILE_NEW, prompt);
    EXPECT_EQ(prompt, CString("\xb4\xb4\xbd\xa8\xd0\xc2\xcf\xee\xc4\xbf "));
    TOOLTIPTEXTA a = {};
    a.hdr.hwndFrom = frame->GetMainToolBar().m_hWnd;
    a.hdr.idFrom = ID_FILE_NEW;
    a.hdr.code = TTN_NEEDTEXTA;
    frame->SendMessage(WM_NOTIFY, ID_FILE_NEW, (LPARAM)&a);
    EXPECT_STREQ(a.szText, "\xd0\xc2\xbd\xa8");
    TOOLTIPTEXTW w = {};
    w.hdr.hwndFrom = frame->GetMainToolBar().m_hWnd;
    w.hdr.idFrom = ID_TOOL_PELSYS;  // only in the string table
    w.hdr.code = TTN_NEEDTEXTW;
    frame->SendMessage(WM_NOTIFY, ID_TOOL_PELSYS, (LPARAM)&w);
    EXPECT_TRUE(std::wstring(w.szText) == L"Pelsys");
}

TEST_F(FrameTest, DataExchangePromptsComeFromTheLanguageFile)
{
    ASSERT_TRUE(Start());
    // "请输入一个整数。" and "请输入一个介于 %1 和 %2 之间的整数。" in section String
    EXPECT_EQ(AfxLoadFwString(AFX_IDP_PARSE_INT),
              CString("\xc7\xeb\xca\xe4\xc8\xeb\xd2\xbb\xb8\xf6\xd5\xfb\xca\xfd\xa1\xa3"));
    EXPECT_EQ(AfxLoadFwString(AFX_IDP_PARSE_INT_RANGE),
              CString("\xc7\xeb\xca\xe4\xc8\xeb\xd2\xbb\xb8\xf6\xbd\xe9\xd3\xda %1 \xba\xcd %2 "
                      "\xd6\xae\xbc\xe4\xb5\xc4\xd5\xfb\xca\xfd\xa1\xa3"));
}

// A language file of the test's own, in force while the object lives.
struct OwnLanguage {
    std::string dir;
    explicit OwnLanguage(const std::string& text) : dir(TempDir() + "\\lang")
    {
        CreateDirectoryA(dir.c_str(), NULL);
        CreateDirectoryA((dir + "\\language").c_str(), NULL);
        std::ofstream(dir + "\\language\\zavomgr.lng", std::ios::binary) << text;
        theApp.m_langManager.InitFrom((dir + "\\").c_str(), "Settings");
    }
    ~OwnLanguage()
    {
        DeleteFileA((dir + "\\language\\zavomgr.lng").c_str());
        RemoveDirectoryA((dir + "\\language").c_str());
        RemoveDirectoryA(dir.c_str());
        theApp.m_langManager.InitFrom((BinDir() + "\\").c_str(), "Settings");
    }
};

// The texts of the element's own context menu, read while it is open.
std::vector<std::string> g_menuTexts;

BOOL CALLBACK FindPopupMenu(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32768") || !IsWindowVisible(h)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

void CALLBACK ReadAndClosePopup(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND popup = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindPopupMenu, (LPARAM)&popup);
    if (!popup) return;
    KillTimer(NULL, id);
    HMENU menu = (HMENU)SendMessageA(popup, MN_GETHMENU, 0, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        g_menuTexts.push_back(text);
    }
    EndMenu();
}

// UTF-8 text as the language file's code page (936) has it.
std::string Gbk(const char* utf8)
{
    wchar_t wide[128];
    char bytes[256];
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 128);
    WideCharToMultiByte(936, 0, wide, -1, bytes, sizeof(bytes), NULL, NULL);
    return bytes;
}

TEST_F(FrameTest, ElementContextMenuHasItsTextsInBothLanguages)
{
    ASSERT_TRUE(Start());
    Place(ID_NEW_BUTTON, 40, 40, 200, 90);
    CPoint at(100, 60);
    Click(at);
    ASSERT_EQ(Canvas().SelectedCount(), 1);
    auto openMenu = [&] {
        g_menuTexts.clear();
        UINT_PTR timer = SetTimer(NULL, 0, 50, ReadAndClosePopup);
        HWND c = Canvas().m_hWnd;
        ::SendMessage(c, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        ::SendMessage(c, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        KillTimer(NULL, timer);
        Pump();
    };
    // the build's Chinese language file
    openMenu();
    const char* kChinese[] = {"剪切(&T)", "复制(&C)", "创建副本(&D)", "", "ID+1", "ID-1", "最大 ID", "最小 ID", "",
                              "属性(&R)..."};
    ASSERT_EQ(g_menuTexts.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(g_menuTexts[i], Gbk(kChinese[i])) << i;

    // without a language file: the string table's texts
    OwnLanguage none("");
    openMenu();
    ASSERT_EQ(g_menuTexts.size(), 10u);
    const int kIds[] = {300, 301, 302, 0, 303, 304, 305, 306, 0, 307};
    for (int i = 0; i < 10; ++i) {
        char expected[128] = "";
        if (kIds[i]) LoadStringA(GetModuleHandleA(NULL), kIds[i], expected, sizeof(expected));
        EXPECT_EQ(g_menuTexts[i], expected) << i;
        EXPECT_EQ(g_menuTexts[i].empty(), kIds[i] == 0) << i;
    }
}

// The position and size panes show the selected element's place, and " 0, 0"
// once nothing is selected or a new project starts.
TEST_F(FrameTest, StatusPanesFollowTheSelection)
{
    ASSERT_TRUE(Start());
    CImageStatusBar& status = frame->GetStatusBar();
    Place(ID_NEW_BUTTON, 40, 40, 200, 90);
    CPoint inside(100, 60), outside(400, 300);
    Click(inside);
    ASSERT_EQ(Canvas().SelectedCount(), 1);
    CRect r = List().GetAt(0)->GetRect();
    CString place, size;
    place.Format(" %d, %d", r.left, r.top);
    size.Format(" %d x %d", r.Width(), r.Height());
    EXPECT_EQ(status.GetPaneText(1), place);
    EXPECT_EQ(status.GetPaneText(2), size);
    Click(outside);
    ASSERT_EQ(Canvas().SelectedCount(), 0);
    EXPECT_EQ(status.GetPaneText(1), CString(" 0, 0"));
    EXPECT_EQ(status.GetPaneText(2), CString(" 0, 0"));
    // the same element again, in the same place
    Click(inside);
    EXPECT_EQ(status.GetPaneText(1), place);
    EXPECT_EQ(status.GetPaneText(2), size);
    view->GetDocument()->SetModifiedFlag(FALSE);
    List().SetModified(FALSE);
    Command(ID_FILE_NEW);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(status.GetPaneText(1), CString(" 0, 0"));
    EXPECT_EQ(status.GetPaneText(2), CString(" 0, 0"));
}

TEST_F(FrameTest, LongTooltipsAreCutNotLost)
{
    ASSERT_TRUE(Start());
    std::string chinese;
    for (int i = 0; i < 50; ++i) chinese += "\xb0\xb4";
    OwnLanguage lang("[String]\r\n32775=Button\\n" + std::string(100, 'x') + "\r\n32772=Picture\\n" +
                     chinese + "\r\n");
    TOOLTIPTEXTW w = {};
    w.hdr.hwndFrom = frame->GetElementToolBar().m_hWnd;
    w.hdr.idFrom = ID_NEW_BUTTON;
    w.hdr.code = TTN_NEEDTEXTW;
    frame->SendMessage(WM_NOTIFY, ID_NEW_BUTTON, (LPARAM)&w);
    EXPECT_TRUE(std::wstring(w.szText) == std::wstring(79, L'x'));
    TOOLTIPTEXTA a = {};
    a.hdr.hwndFrom = frame->GetElementToolBar().m_hWnd;
    a.hdr.idFrom = ID_NEW_PICTURE;
    a.hdr.code = TTN_NEEDTEXTA;
    frame->SendMessage(WM_NOTIFY, ID_NEW_PICTURE, (LPARAM)&a);
    // a double-byte character is never cut in half
    EXPECT_EQ(std::string(a.szText), chinese.substr(0, GetACP() == 936 ? 78 : 79));
}

struct StandIns {
    std::string dir, log;
    StandIns() : dir(TempDir()), log(dir + "\\started.txt")
    {
        std::string exe = BinDir() + "\\zavo_standin.exe";
        CopyFileA(exe.c_str(), (dir + "\\Tessumgr.exe").c_str(), FALSE);
        CopyFileA(exe.c_str(), (dir + "\\Pelsys.exe").c_str(), FALSE);
        CopyFileA(exe.c_str(), (dir + "\\cmd_standin.exe").c_str(), FALSE);
        CreateDirectoryA((dir + "\\Bin").c_str(), NULL);
        SetEnvironmentVariableA("ZAVO_STANDIN_LOG", log.c_str());
        DeleteFileA(log.c_str());  // a record left by an earlier process with this id
    }
    // The stand-in's record: command line, then working folder.
    std::string Wait()
    {
        for (int i = 0; i < 100; ++i) {
            std::string text = ReadFile(log);
            if (std::count(text.begin(), text.end(), '\n') >= 2) {
                DeleteFileA(log.c_str());
                return text;
            }
            Sleep(50);
        }
        return "";
    }
};

std::string Lower(std::string s)
{
    for (char& c : s) c = (char)tolower((unsigned char)c);
    return s;
}

TEST_F(FrameTest, ToolCommandsStartTheProgramsInTheirFolders)
{
    ASSERT_TRUE(Start());
    StandIns s;
    theApp.m_strAppPath = s.dir.c_str();
    theApp.m_strBinPath = (s.dir + "\\Bin").c_str();
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);

    Command(ID_TOOL_TESSUMGR);
    std::string started = Lower(s.Wait());
    EXPECT_NE(started.find(Lower(s.dir + "\\tessumgr.exe")), std::string::npos) << started;
    EXPECT_EQ(started.substr(started.find('\n') + 1), Lower(std::string(cwd)) + "\n");

    Command(ID_TOOL_PELSYS);
    started = Lower(s.Wait());
    EXPECT_NE(started.find(Lower(s.dir + "\\pelsys.exe")), std::string::npos) << started;

    SetEnvironmentVariableA("ComSpec", (s.dir + "\\cmd_standin.exe").c_str());
    _putenv(("ComSpec=" + s.dir + "\\cmd_standin.exe").c_str());
    Command(ID_TOOL_CMDPROMPT);
    started = s.Wait();
    std::string line = started.substr(0, started.find('\n'));
    EXPECT_NE(Lower(line).find("cmd_standin.exe"), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 3), " /k") << line;
    EXPECT_EQ(Lower(started.substr(started.find('\n') + 1)), Lower(s.dir + "\\Bin\n"));
    _putenv("ComSpec=");
    EXPECT_EQ(CMainFrame::CommandInterpreter(), CString("C:\\Windows\\system32\\Cmd.exe"));
}

std::string g_helpPath;
UINT g_helpCommand = 99;
HWND g_helpResult = NULL;

HWND WINAPI HelpStandIn(HWND, LPCSTR path, UINT command, DWORD_PTR)
{
    g_helpPath = path;
    g_helpCommand = command;
    return g_helpResult;
}

std::string g_boxText, g_boxCaption;

void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, (LPARAM)&box);
    if (!box) return;
    KillTimer(NULL, id);
    char buf[256] = "";
    GetWindowTextA(box, buf, sizeof(buf));
    g_boxCaption = buf;
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof(buf));
    g_boxText = buf;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// A string as the studio shows it: from the language file, else the string table.
std::string ResourceText(UINT id)
{
    CString text;
    theApp.m_langManager.LoadString(text, id, FALSE);
    return (LPCTSTR)text;
}

TEST_F(FrameTest, HelpOpensTheTopicOrTellsItIsMissing)
{
    ASSERT_TRUE(Start());
    theApp.m_strAppPath = "C:\\Studio";
    CMainFrame::s_pfnHtmlHelp = HelpStandIn;
    g_helpResult = frame->m_hWnd;
    Command(ID_HELP_CONTENTS);
    EXPECT_EQ(g_helpPath, "C:\\Studio\\Zavomgr.chm::/html/Welcome.htm");
    EXPECT_EQ(g_helpCommand, 0u);  // HH_DISPLAY_TOPIC

    g_helpResult = NULL;
    _putenv("ZAVO_NO_MSGBOX=");
    UINT_PTR timer = SetTimer(NULL, 0, 50, ReadAndCloseBox);
    Command(ID_HELP_CONTENTS);
    KillTimer(NULL, timer);
    CMainFrame::s_pfnHtmlHelp = NULL;
    EXPECT_EQ(g_boxCaption, ResourceText(IDS_HELP_CAPTION));
    EXPECT_EQ(g_boxText, ResourceText(IDS_HELP_MISSING));
}

TEST_F(FrameTest, SkinnedFrameShowsTheMenuInTheFirstRebarBand)
{
    theApp.m_strAppPath = (BinDir() + "\\skintest\\true").c_str();
    ASSERT_TRUE(theApp.StartSkin());
    theApp.m_strAppPath = BinDir().c_str();
    ASSERT_TRUE(Start());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), (HMENU)NULL);
    CReBarCtrl& rebar = frame->GetReBar().GetReBarCtrl();
    ASSERT_EQ(rebar.GetBandCount(), 2u);
    REBARBANDINFO band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD;
    rebar.GetBandInfo(0, &band);
    EXPECT_EQ(band.hwndChild, frame->GetMenuBar().m_hWnd);
    rebar.GetBandInfo(1, &band);
    EXPECT_EQ(band.hwndChild, frame->GetMainToolBar().m_hWnd);
    // the bar shows the translated menu
    char text[64] = "";
    GetMenuStringA(frame->GetMenuBar().GetCurrentMenu(), 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "\xce\xc4\xbc\xfe(&F)");
    theApp.m_bSkin = FALSE;
}

}  // namespace

namespace {

// ---- password dialog ----

struct SeenBox {
    std::string text;  // in the system code page, as the studio shows it
    HICON icon;
};
std::vector<SeenBox> g_md5Boxes;
HWND g_md5Dialog = NULL;
std::string g_made, g_made32, g_afterEmpty, g_afterTooLong, g_md5Caption;
LRESULT g_md5Limit = 0;

BOOL CALLBACK FindOwnedBox(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !IsWindowVisible(h) || GetWindow(h, GW_OWNER) != g_md5Dialog)
        return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

// Message boxes of the password dialog: read, then closed.
void CALLBACK AnswerMd5Box(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = NULL;
    if (g_md5Dialog) EnumThreadWindows(GetCurrentThreadId(), FindOwnedBox, (LPARAM)&box);
    if (!box) return;
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    HICON icon = (HICON)SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0);
    g_md5Boxes.push_back({text, icon});
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

BOOL CALLBACK FindMd5Dialog(HWND h, LPARAM lp)
{
    if (!IsWindowVisible(h) || !GetDlgItem(h, IDC_MD5_MAKE)) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

std::string HashField(HWND dlg)
{
    char buf[128] = "";
    GetDlgItemTextA(dlg, IDC_MD5_HASH, buf, sizeof(buf));
    return buf;
}

void Press(HWND dlg, int id, const char* password, const char* hash = NULL)
{
    SetDlgItemTextA(dlg, IDC_MD5_PASSWORD, password);
    if (hash) SetDlgItemTextA(dlg, IDC_MD5_HASH, hash);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id));
}

// Makes and checks hashes in the open dialog as a user would, then cancels it.
void CALLBACK DriveMd5Dialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMd5Dialog, (LPARAM)&dlg);
    if (!dlg) return;
    KillTimer(NULL, id);
    g_md5Dialog = dlg;
    char caption[64] = "";
    GetWindowTextA(dlg, caption, sizeof(caption));
    g_md5Caption = caption;
    g_md5Limit = SendDlgItemMessageA(dlg, IDC_MD5_PASSWORD, EM_GETLIMITTEXT, 0, 0);
    Press(dlg, IDC_MD5_MAKE, "pass word");
    g_made = HashField(dlg);
    Press(dlg, IDC_MD5_CHECK, "pass word");                                      // 1: match
    Press(dlg, IDC_MD5_CHECK, "pass words");                                     // 2: mismatch
    Press(dlg, IDC_MD5_CHECK, "secret", "$1$abcdefgh$cHJi5PXp/ki/ktXzqlk6I1");   // 3: match
    Press(dlg, IDC_MD5_CHECK, "secret", "$1$abcdefgh$cHJi5PXp/ki/ktXzqlk6I1x");  // 4: mismatch
    Press(dlg, IDC_MD5_CHECK, "secret", "$1$");                                  // 5: mismatch
    Press(dlg, IDC_MD5_CHECK, "secret", "");                                     // 6: fill in
    Press(dlg, IDC_MD5_MAKE, "");                                                // 7: empty
    g_afterEmpty = HashField(dlg);
    Press(dlg, IDC_MD5_MAKE, std::string(32, 'p').c_str());
    g_made32 = HashField(dlg);
    Press(dlg, IDC_MD5_MAKE, std::string(33, 'p').c_str());  // 8: too long
    g_afterTooLong = HashField(dlg);
    Press(dlg, IDC_MD5_CHECK, std::string(33, 'p').c_str(), g_made32.c_str());  // 9: too long
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(FrameTest, PasswordDialogMakesAndChecksMd5CryptHashes)
{
    ASSERT_TRUE(Start());
    _putenv("ZAVO_NO_MSGBOX=");
    UINT_PTR driver = SetTimer(NULL, 0, 50, DriveMd5Dialog);
    UINT_PTR answer = SetTimer(NULL, 0, 20, AnswerMd5Box);
    Command(ID_TOOL_GRUBMD5);
    KillTimer(NULL, driver);
    KillTimer(NULL, answer);
    g_md5Dialog = NULL;

    EXPECT_EQ(g_md5Caption, "Grub MD5 \xc3\xdc\xc2\xeb");  // from section GenMD5_Dlg
    EXPECT_EQ(g_md5Limit, 32);
    // "$1$", a one-character salt, "$" and 22 characters; the check against a hash that
    // openssl passwd -1 made (box 3) shows the format is the same
    ASSERT_EQ(g_made.size(), 27u) << g_made;
    const std::string alphabet = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(g_made.substr(0, 3), "$1$");
    EXPECT_NE(alphabet.find(g_made[3]), std::string::npos);
    EXPECT_EQ(g_made[4], '$');
    EXPECT_EQ(g_made.find_first_not_of(alphabet, 5), std::string::npos) << g_made;
    EXPECT_EQ(g_made32.size(), 27u);
    EXPECT_EQ(g_afterEmpty, "");
    EXPECT_EQ(g_afterTooLong, "");

    HICON info = LoadIcon(NULL, IDI_INFORMATION), stop = LoadIcon(NULL, IDI_HAND);
    const struct {
        UINT text;
        HICON icon;
    } kBoxes[] = {{IDS_MD5_MATCH, info}, {IDS_MD5_MISMATCH, stop}, {IDS_MD5_MATCH, info}, {IDS_MD5_MISMATCH, stop}, {IDS_MD5_MISMATCH, stop}, {IDS_MD5_FILLIN, info}, {IDS_MD5_EMPTY, info}, {IDS_MD5_TOOLONG, info}, {IDS_MD5_TOOLONG, info}};
    ASSERT_EQ(g_md5Boxes.size(), sizeof(kBoxes) / sizeof(kBoxes[0]));
    for (size_t i = 0; i < g_md5Boxes.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(g_md5Boxes[i].text, ResourceText(kBoxes[i].text));
        EXPECT_EQ(g_md5Boxes[i].icon, kBoxes[i].icon);
    }
}

}  // namespace
