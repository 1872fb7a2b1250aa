// Print setup through the application's command, the print commands of a
// view, and the printer handles the application keeps.
#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/PrintInfo.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class CPrintApp : public CWinApp {
public:
    CPrintApp() : CWinApp("FwPrintApp") {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintApp, CWinApp)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

class CPrintView : public CView {
public:
    int m_nDraws = 0;
    int m_nPrepares = 0;
    void OnDraw(CDC*) override { ++m_nDraws; }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        ++m_nPrepares;
        return DoPreparePrinting(pInfo);
    }
    void PostNcDestroy() override {}  // a member of the test, not on the heap
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintView, CView)
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

// Closes every dialog of this thread that shows up (the print dialogs and the
// system's own "no printer" notes) with Cancel, from a thread timer that runs
// inside their modal loops.
std::vector<std::string> g_closed;

BOOL CALLBACK CloseDialog(HWND hWnd, LPARAM)
{
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") == 0 && ::IsWindowVisible(hWnd)) {
        char title[128] = "";
        ::GetWindowTextA(hWnd, title, sizeof(title));
        g_closed.push_back(title);
        ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return TRUE;
}

void CALLBACK PressCancel(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseDialog, 0);
}

struct CancelTimer {
    UINT_PTR id;
    CancelTimer() : id(::SetTimer(NULL, 0, 150, PressCancel)) { g_closed.clear(); }
    ~CancelTimer() { ::KillTimer(NULL, id); }
};

bool MenuItemEnabled(CCmdTarget* target, UINT id)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, id, "item");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = 1;
    state.m_nIndex = 0;
    state.m_nID = id;
    state.DoUpdate(target, TRUE);
    return !(menu.GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace

TEST(PrintSetup, CommandIsEnabledAndItsDialogClosesWithCancelOrFailsCleanly)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CPrintApp app;
    EXPECT_TRUE(MenuItemEnabled(&app, ID_FILE_PRINT_SETUP));
    CWinApp plain("FwPlainApp");
    EXPECT_FALSE(MenuItemEnabled(&plain, ID_FILE_PRINT_SETUP));

    for (int round = 0; round < 2; ++round) {
        CancelTimer timer;
        ASSERT_TRUE(app.OnCmdMsg(ID_FILE_PRINT_SETUP, CN_COMMAND, NULL, NULL));
        DWORD error = ::CommDlgExtendedError();
        // cancelled: the dialog was there; failed (no printer): an error code
        EXPECT_TRUE(error != 0 || !g_closed.empty()) << round;
        if (app.m_printer.m_hDevNames != NULL) {
            EXPECT_GT(::GlobalSize(app.m_printer.m_hDevNames), sizeof(DEVNAMES));
        }
    }

    // a second call with the kept handles does not fail because of them
    PRINTDLG pd = {};
    pd.Flags = PD_PRINTSETUP;
    CancelTimer timer;
    INT_PTR result = app.DoPrintDialog(&pd);
    EXPECT_NE(result, IDOK);
    if (result == -1) {
        EXPECT_NE(::CommDlgExtendedError(), (DWORD)PDERR_DNDMMISMATCH);
    }
    EXPECT_EQ(pd.hDevMode, app.m_printer.m_hDevMode);
    EXPECT_EQ(pd.hDevNames, app.m_printer.m_hDevNames);
}

TEST(PrintSetup, KeptHandlesThatNoLongerMatchAreDroppedAndTheDialogAskedAgain)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CPrintApp app;
    // device names of a printer that does not exist
    const char names[] = "winspool\0No Such Printer 42\0NUL:\0";
    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof(names));
    DEVNAMES* dn = (DEVNAMES*)::GlobalLock(hNames);
    WORD base = sizeof(DEVNAMES);
    dn->wDriverOffset = base;
    dn->wDeviceOffset = base + 9;
    dn->wOutputOffset = base + 9 + 19;
    memcpy((char*)dn + base, names, sizeof(names));
    ::GlobalUnlock(hNames);
    app.m_printer.m_hDevNames = hNames;

    PRINTDLG pd = {};
    pd.Flags = PD_PRINTSETUP;
    CancelTimer timer;
    INT_PTR result = app.DoPrintDialog(&pd);
    EXPECT_NE(result, IDOK);
    DWORD error = ::CommDlgExtendedError();
    EXPECT_NE(error, (DWORD)PDERR_PRINTERNOTFOUND);
    EXPECT_NE(error, (DWORD)PDERR_DNDMMISMATCH);
}

TEST(PrintView, PrintCommandsRunThePreparationAndNeverDrawWithoutAPrinterJob)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CPrintApp app;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "print test", WS_POPUP | WS_VISIBLE, 0, 0,
                                200, 100, NULL, NULL));
    CPrintView view;
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(MenuItemEnabled(&view, ID_FILE_PRINT));
    EXPECT_TRUE(MenuItemEnabled(&view, ID_FILE_PRINT_PREVIEW));
    view.UpdateWindow();
    int draws = view.m_nDraws;

    {
        CancelTimer timer;
        view.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    }
    EXPECT_EQ(view.m_nPrepares, 1);
    EXPECT_EQ(view.m_nDraws, draws);  // cancelled or no printer: nothing printed

    PRINTDLG pd = {};
    bool hasPrinter = app.GetPrinterDeviceDefaults(&pd) != FALSE;
    if (!hasPrinter) {
        view.SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
        EXPECT_EQ(view.m_nPrepares, 2);
        EXPECT_EQ(view.m_nDraws, draws);
    }
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    view.DestroyWindow();
    parent.DestroyWindow();
}

TEST(PrintInfo, PageRangeFollowsTheDialogChoice)
{
    CPrintInfo info;
    info.SetMaxPage(5);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 5u);
    info.m_pd.Flags |= PD_PAGENUMS;
    info.m_pd.nFromPage = 2;
    info.m_pd.nToPage = 3;
    EXPECT_EQ(info.GetFromPage(), 2u);
    EXPECT_EQ(info.GetToPage(), 3u);
}
