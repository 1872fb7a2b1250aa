#include "framework/Wnd.h"
#include "framework/WinApp.h"
#include "framework/Dialog.h"
#include "framework/DataExchange.h"
#include "framework/Button.h"
#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/DC.h"
#include "framework/FwRes.h"
#include "framework/tests/WinTestRes.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <stdexcept>

namespace {

UINT g_regMsg = ::RegisterWindowMessage("ZavoFwTestMessage");

class CTestWnd : public CWnd {
public:
    int m_nCreated = 0, m_nCommand = 0, m_nRange = 0, m_nCx = 0, m_nCy = 0;
    LRESULT m_lRegistered = 0;
    bool m_bDisableCmd = false;
    int m_nDisabledRan = 0;
    int m_nParentClick = 0;
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        ++m_nCreated;
        return 0;
    }
    afx_msg void OnCmd() { ++m_nCommand; }
    afx_msg void OnCmdRange(UINT nID) { m_nRange = (int)nID; }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        m_nCx = cx;
        m_nCy = cy;
    }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM l)
    {
        m_lRegistered = (LRESULT)(w + l);
        return 42;
    }
    afx_msg void OnDisabledCmd() { ++m_nDisabledRan; }
    afx_msg void OnUpdateDisabledCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bDisableCmd); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnParentClick() { ++m_nParentClick; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(101, &CTestWnd::OnCmd)
    ON_COMMAND_RANGE(200, 210, &CTestWnd::OnCmdRange)
    ON_COMMAND(300, &CTestWnd::OnDisabledCmd)
    ON_UPDATE_COMMAND_UI(300, &CTestWnd::OnUpdateDisabledCmd)
    ON_UPDATE_COMMAND_UI(301, &CTestWnd::OnUpdateChecked)
    ON_BN_CLICKED(500, &CTestWnd::OnParentClick)
    ON_BN_CLICKED(501, &CTestWnd::OnParentClick)
    ON_REGISTERED_MESSAGE(g_regMsg, &CTestWnd::OnRegistered)
END_MESSAGE_MAP()

class CReflectButton : public CButton {
public:
    int m_nClicks = 0;
    CBrush m_brush{RGB(1, 2, 3)};
    afx_msg void OnClicked() { ++m_nClicks; }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return (HBRUSH)m_brush.m_hObject; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CReflectButton::OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CAutoDeleteWnd : public CWnd {
public:
    static int s_nDeleted;
    ~CAutoDeleteWnd() { ++s_nDeleted; }
    void PostNcDestroy() override { delete this; }
};
int CAutoDeleteWnd::s_nDeleted = 0;

bool CreateTop(CWnd& w)
{
    return w.CreateEx(0, NULL, "fwtest", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL) != FALSE;
}

}  // namespace

TEST(WndMessageMap, DispatchesTypedHandlersCommandsRangesAndRegisteredMessages)
{
    CTestWnd w;
    ASSERT_TRUE(CreateTop(w));
    EXPECT_EQ(1, w.m_nCreated);
    EXPECT_EQ(&w, CWnd::FromHandlePermanent(w.m_hWnd));
    w.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
    EXPECT_EQ(123, w.m_nCx);
    EXPECT_EQ(45, w.m_nCy);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(1, w.m_nCommand);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(207, 0), 0);
    EXPECT_EQ(207, w.m_nRange);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(211, 0), 0);
    EXPECT_EQ(207, w.m_nRange);
    EXPECT_EQ(42, w.SendMessage(g_regMsg, 3, 4));
    EXPECT_EQ(7, w.m_lRegistered);
    w.DestroyWindow();
    EXPECT_EQ(NULL, w.m_hWnd);
}

TEST(WndMessageMap, MenuCommandDisabledByItsUpdateHandlerIsNotCarriedOut)
{
    CTestWnd w;
    ASSERT_TRUE(CreateTop(w));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0), 0);
    EXPECT_EQ(1, w.m_nDisabledRan);
    w.m_bDisableCmd = true;
    w.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0), 0);
    EXPECT_EQ(1, w.m_nDisabledRan);
}

TEST(WndCmdUI, DisablesMenuItemsNothingHandlesAndAppliesUpdateHandlers)
{
    CTestWnd w;
    ASSERT_TRUE(CreateTop(w));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "handled");
    menu.AppendMenu(MF_STRING, 999, "nobody");
    menu.AppendMenu(MF_STRING, 301, "checked");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = menu.GetMenuItemID((int)state.m_nIndex);
        state.DoUpdate(&w, TRUE);
    }
    EXPECT_FALSE(menu.GetMenuState(101, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(999, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(301, MF_BYCOMMAND) & MF_CHECKED);
    // an update handler that leaves the state alone does not make a command
    EXPECT_TRUE(menu.GetMenuState(301, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(WndReflection, ControlHandlesItsOwnNotificationAndColourBeforeTheParent)
{
    CTestWnd parent;
    ASSERT_TRUE(CreateTop(parent));
    CReflectButton btn;
    CButton plain;
    ASSERT_TRUE(btn.Create("r", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 500));
    ASSERT_TRUE(plain.Create("p", WS_VISIBLE | BS_PUSHBUTTON, CRect(60, 0, 110, 20), &parent, 501));
    btn.SendMessage(BM_CLICK);
    plain.SendMessage(BM_CLICK);
    EXPECT_EQ(1, btn.m_nClicks);
    EXPECT_EQ(1, parent.m_nParentClick);  // only the plain button reached the parent
    HDC hdc = ::GetDC(btn.m_hWnd);
    LRESULT lr = parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)hdc, (LPARAM)btn.m_hWnd);
    ::ReleaseDC(btn.m_hWnd, hdc);
    EXPECT_EQ((LRESULT)btn.m_brush.m_hObject, lr);
}

namespace {
class CThrowingWnd : public CWnd {
public:
    bool m_bThrowOnCreate = false;
    int m_nPaints = 0;
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        if (m_bThrowOnCreate)
            throw std::runtime_error("creation failed half-way");
        return 0;
    }
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        throw std::runtime_error("paint failed");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()
}  // namespace

// A handler's exception stops at the window procedure, answered as a failure.
// The i686 unwinder of one module cannot walk another's frames, so there only
// the library's own exceptions reach it and a handler here cannot be used.
#if defined(__i386__)
#define SKIP_UNLESS_UNWINDING_CROSSES_MODULES() \
    GTEST_SKIP() << "an exception thrown in the program cannot unwind into the library on i686"
#else
#define SKIP_UNLESS_UNWINDING_CROSSES_MODULES() (void)0
#endif

TEST(WndException, ThrowingCreateFailsTheCreation)
{
    SKIP_UNLESS_UNWINDING_CROSSES_MODULES();
    CThrowingWnd w;
    w.m_bThrowOnCreate = true;
    EXPECT_FALSE(CreateTop(w));
    EXPECT_EQ(NULL, w.m_hWnd);
}

TEST(WndException, ThrowingPaintIsNotRepeated)
{
    SKIP_UNLESS_UNWINDING_CROSSES_MODULES();
    CThrowingWnd w;
    ASSERT_TRUE(CreateTop(w));
    w.ShowWindow(SW_SHOW);
    w.UpdateWindow();
    MSG msg;
    for (int i = 0; i < 20 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); ++i)
        ::DispatchMessage(&msg);
    EXPECT_EQ(1, w.m_nPaints);
    EXPECT_FALSE(::GetUpdateRect(w.m_hWnd, NULL, FALSE));
    w.DestroyWindow();
}

TEST(WndHandleMap, TemporaryWrappersSubclassingAndSelfDeletingWindows)
{
    HWND h = ::CreateWindowEx(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(h != NULL);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(h));
    CWnd* pTemp = CWnd::FromHandle(h);
    EXPECT_EQ(pTemp, CWnd::FromHandle(h));
    CTestWnd sub;
    ASSERT_TRUE(sub.SubclassWindow(h));
    EXPECT_EQ(&sub, CWnd::FromHandle(h));
    sub.SendMessage(WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(1, sub.m_nCommand);
    EXPECT_EQ(h, sub.UnsubclassWindow());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(h));
    ::DestroyWindow(h);
    CWnd::DeleteTempMap();

    CAutoDeleteWnd::s_nDeleted = 0;
    CAutoDeleteWnd* p = new CAutoDeleteWnd;
    ASSERT_TRUE(CreateTop(*p));
    HWND hAuto = p->m_hWnd;
    ::DestroyWindow(hAuto);
    EXPECT_EQ(1, CAutoDeleteWnd::s_nDeleted);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hAuto));
}

namespace {
class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST) {}
    CString m_strName;
    int m_nCount = 0;
    int m_bFlag = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 10);
        DDX_Check(pDX, IDC_FLAG, m_bFlag);
    }
};

// Drives the open modal dialog: types texts and presses OK (twice when asked).
struct Driver {
    static const char* s_count;
    static int s_okPresses;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        // Tests run in parallel on one desktop: only this process's dialog.
        HWND hDlg = NULL;
        while ((hDlg = ::FindWindowEx(NULL, hDlg, NULL, "Test dialog")) != NULL) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hDlg, &pid);
            if (pid == ::GetCurrentProcessId())
                break;
        }
        if (hDlg == NULL)
            return;
        ::SetDlgItemText(hDlg, IDC_NAME, "zavo");
        ::SetDlgItemText(hDlg, IDC_COUNT, s_count);
        ::CheckDlgButton(hDlg, IDC_FLAG, BST_CHECKED);
        ::SendMessage(::GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
        if (::IsWindowVisible(hDlg) && ++s_okPresses >= 2) {
            ::KillTimer(NULL, id);
            ::SendMessage(::GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0);
        }
    }
};
const char* Driver::s_count = "5";
int Driver::s_okPresses = 0;
}  // namespace

TEST(DialogModal, ExchangesDataAndEndsWithOk)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CTestDlg dlg;
    dlg.m_strName = "start";
    Driver::s_count = "5";
    Driver::s_okPresses = 0;
    UINT_PTR t = ::SetTimer(NULL, 0, 50, Driver::Tick);
    EXPECT_EQ(IDOK, dlg.DoModal());
    ::KillTimer(NULL, t);
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_EQ(CString("zavo"), dlg.m_strName);
    EXPECT_EQ(5, dlg.m_nCount);
    EXPECT_EQ(1, dlg.m_bFlag);
}

TEST(DialogModal, ValidationFailureKeepsTheDialogOpen)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    CTestDlg dlg;
    Driver::s_count = "12x";
    Driver::s_okPresses = 0;
    UINT_PTR t = ::SetTimer(NULL, 0, 50, Driver::Tick);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ::KillTimer(NULL, t);
    EXPECT_GE(Driver::s_okPresses, 2);
    EXPECT_EQ(0, dlg.m_nCount);
}

namespace {
// Enables OK from the fields as they change, the usual way.
class CEchoDlg : public CDialog {
public:
    CEchoDlg() : CDialog(IDD_TEST) {}
    CString m_strName;
    int m_bFlag = 0;
    int m_nChanges = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Check(pDX, IDC_FLAG, m_bFlag);
    }
    afx_msg void OnNameChange()
    {
        ++m_nChanges;
        UpdateData(TRUE);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CEchoDlg, CDialog)
    ON_EN_CHANGE(IDC_NAME, &CEchoDlg::OnNameChange)
END_MESSAGE_MAP()
}  // namespace

TEST(DialogData, ChangeHandlerReadingTheFieldsKeepsTheInitialValues)
{
    CEchoDlg dlg;
    dlg.m_strName = "start";
    dlg.m_bFlag = 1;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    EXPECT_EQ(0, dlg.m_nChanges);
    EXPECT_EQ(1, dlg.m_bFlag);
    EXPECT_EQ(BST_CHECKED, (int)::IsDlgButtonChecked(dlg.m_hWnd, IDC_FLAG));
    CString text;
    dlg.GetDlgItemText(IDC_NAME, text);
    EXPECT_EQ(CString("start"), text);

    // the user's typing still reaches the handler
    ::SetDlgItemText(dlg.m_hWnd, IDC_NAME, "typed");
    EXPECT_EQ(1, dlg.m_nChanges);
    EXPECT_EQ(CString("typed"), dlg.m_strName);
    EXPECT_EQ(1, dlg.m_bFlag);
    dlg.DestroyWindow();
}

namespace {
// Posts the quit code once the dialog is up.
struct QuitDriver {
    static int s_nCode;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(NULL, id);
        ::PostQuitMessage(s_nCode);
    }
};
int QuitDriver::s_nCode = 0;

// The code of the WM_QUIT waiting in the queue, or -1.
int QueuedQuitCode()
{
    MSG msg;
    return ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) ? (int)msg.wParam : -1;
}
}  // namespace

TEST(DialogModal, QuitInsideTheLoopReachesTheOuterLoopWithItsCode)
{
    for (bool bApp : {false, true}) {
        SCOPED_TRACE(bApp ? "with an application" : "without an application");
        std::unique_ptr<CWinApp> pApp(bApp ? new CWinApp("QuitTest") : NULL);
        CTestDlg dlg;
        QuitDriver::s_nCode = bApp ? 7 : 42;
        UINT_PTR t = ::SetTimer(NULL, 0, 50, QuitDriver::Tick);
        EXPECT_EQ(-1, dlg.DoModal());
        ::KillTimer(NULL, t);
        EXPECT_EQ(QuitDriver::s_nCode, QueuedQuitCode());
    }
}

namespace {
class CMaximisedDlg : public CTestDlg {
public:
    bool m_bZoomedInLoop = false;
    BOOL OnInitDialog() override
    {
        CTestDlg::OnInitDialog();
        ShowWindow(SW_SHOWMAXIMIZED);
        return TRUE;
    }
};
CMaximisedDlg* g_pMaximised = NULL;
void CALLBACK CheckZoomedAndCancel(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(NULL, id);
    g_pMaximised->m_bZoomedInLoop = ::IsZoomed(g_pMaximised->m_hWnd) != FALSE;
    g_pMaximised->EndDialog(IDCANCEL);
}
}  // namespace

TEST(DialogModal, ShownByOnInitDialogKeepsItsShowState)
{
    CMaximisedDlg dlg;
    g_pMaximised = &dlg;
    UINT_PTR t = ::SetTimer(NULL, 0, 50, CheckZoomedAndCancel);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ::KillTimer(NULL, t);
    g_pMaximised = NULL;
    EXPECT_TRUE(dlg.m_bZoomedInLoop);
}

namespace {
// Records the prompts; answers the library's strings from its own table.
class CPromptApp : public CWinApp {
public:
    CPromptApp() : CWinApp("PromptTest") {}
    std::map<UINT, CString> m_texts;
    std::vector<std::string> m_prompts;
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_prompts.push_back(lpszPrompt);
        return IDOK;
    }
    BOOL LoadLibraryString(UINT nID, CString& rString) override
    {
        auto it = m_texts.find(nID);
        if (it == m_texts.end())
            return CWinApp::LoadLibraryString(nID, rString);
        rString = it->second;
        return TRUE;
    }
};

// The prompt a failed exchange of the dialog shows for these field texts.
std::string ExchangePrompt(CPromptApp& app, const char* pszName, const char* pszCount)
{
    CTestDlg dlg;
    if (!dlg.Create(IDD_TEST))
        return "no dialog";
    dlg.SetDlgItemText(IDC_NAME, pszName);
    dlg.SetDlgItemText(IDC_COUNT, pszCount);
    app.m_prompts.clear();
    BOOL bOk = dlg.UpdateData(TRUE);
    dlg.DestroyWindow();
    if (bOk || app.m_prompts.size() != 1)
        return "no single prompt";
    return app.m_prompts[0];
}
}  // namespace

TEST(DialogData, PromptsAreEnglishWithoutTextsOfTheProgram)
{
    CPromptApp app;
    EXPECT_EQ("Please enter an integer.", ExchangePrompt(app, "a", "x"));
    EXPECT_EQ("Please enter an integer between 1 and 10.", ExchangePrompt(app, "a", "12"));
    EXPECT_EQ("Enter no more than 8 characters.", ExchangePrompt(app, "ninechars", "5"));
}

TEST(DialogData, PromptsComeFromTheProgramsTexts)
{
    CPromptApp app;
    app.m_texts[AFX_IDP_PARSE_INT] = "\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFB\xCA\xFD";  // GBK
    app.m_texts[AFX_IDP_PARSE_INT_RANGE] = "%1 .. %2 %d";
    app.m_texts[AFX_IDP_PARSE_STRING_SIZE] = "<= %1";
    EXPECT_EQ("\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFB\xCA\xFD", ExchangePrompt(app, "a", "x"));
    // a stray format sequence in a language text stays as it is
    EXPECT_EQ("1 .. 10 %d", ExchangePrompt(app, "a", "12"));
    EXPECT_EQ("<= 8", ExchangePrompt(app, "ninechars", "5"));
}

TEST(GdiMemoryDC, DrawsPixelsAndScopedSelectionIsRestored)
{
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 16, 16));
    ::ReleaseDC(NULL, screen.Detach());
    HGDIOBJ hOrigBmp = ::GetCurrentObject(mem.m_hDC, OBJ_BITMAP);
    {
        CScopedSelect sel(mem, bmp);
        mem.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
        mem.FillSolidRect(4, 4, 2, 2, RGB(0, 0, 255));
        EXPECT_EQ(RGB(255, 0, 0), mem.GetPixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 255), mem.GetPixel(5, 5));
        EXPECT_EQ(RGB(255, 0, 0), mem.GetPixel(6, 6));
    }
    EXPECT_EQ(hOrigBmp, ::GetCurrentObject(mem.m_hDC, OBJ_BITMAP));
}

TEST(AppProfile, RegistryValuesAndRecentFiles)
{
    CWinApp app("FwTestApp");
    app.SetRegistryKey("ZavoFwTest");
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", 17));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "zavo"));
    EXPECT_EQ(17u, app.GetProfileInt("Settings", "Count", 0));
    EXPECT_EQ(CString("zavo"), app.GetProfileString("Settings", "Name"));
    EXPECT_EQ(5u, app.GetProfileInt("Settings", "Missing", 5));
    DWORD dw = 0, cb = sizeof(dw);
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER,
                                            "Software\\ZavoFwTest\\FwTestApp\\Settings", 0, KEY_READ, &hKey));
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueEx(hKey, "Count", NULL, NULL, (LPBYTE)&dw, &cb));
    ::RegCloseKey(hKey);
    EXPECT_EQ(17u, dw);
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL));
    EXPECT_EQ(CString("gone"), app.GetProfileString("Settings", "Name", "gone"));

    app.LoadStdProfileSettings(3);
    ASSERT_TRUE(app.m_pRecentFileList != NULL);
    CRecentFileList& mru = *app.m_pRecentFileList;
    mru.Add("C:\\a.prj");
    mru.Add("C:\\b.prj");
    mru.Add("c:\\A.PRJ");
    mru.Add("C:\\c.prj");
    mru.Add("C:\\d.prj");
    EXPECT_EQ(CString("C:\\d.prj"), mru[0]);
    EXPECT_EQ(CString("C:\\c.prj"), mru[1]);
    EXPECT_EQ(0, mru[2].CompareNoCase("c:\\a.prj"));
    app.SaveStdProfileSettings();
    EXPECT_EQ(CString("C:\\d.prj"), app.GetProfileString("Recent File List", "File1"));
    ::RegDeleteKey(HKEY_CURRENT_USER, "Software\\ZavoFwTest\\FwTestApp\\Recent File List");
    ::RegDeleteKey(HKEY_CURRENT_USER, "Software\\ZavoFwTest\\FwTestApp\\Settings");
}

TEST(AppMessageBox, HookReturnsTheDefaultButtonWithoutShowing)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    EXPECT_EQ(IDOK, AfxMessageBox("x"));
    EXPECT_EQ(IDNO, AfxMessageBox("x", MB_YESNO | MB_DEFBUTTON2));
    EXPECT_EQ(IDYES, AfxMessageBox("x", MB_YESNOCANCEL));
}

namespace {

const char kLongCaption[] = "Zavo Studio 2008 - a caption longer than its text";

struct ShownBox {
    int nCaptionNeeds = 0, nCaptionRoom = 0;
    int nButtonCentre = 0, nClientCentre = 0;
    bool bSeen = false;
};
ShownBox g_box;

// The room the caption bar leaves for the caption, against its text in the
// caption font; then the box is closed.
void CALLBACK MeasureBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hBox = ::FindWindowA("#32770", kLongCaption);
    if (hBox == NULL || g_box.bSeen)
        return;
    g_box.bSeen = true;
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HFONT hFont = ::CreateFontIndirectA(&ncm.lfCaptionFont);
    HDC hDC = ::GetDC(hBox);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, kLongCaption, (int)strlen(kLongCaption), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hBox, hDC);
    ::DeleteObject(hFont);
    RECT rcClient, rcButton;
    ::GetClientRect(hBox, &rcClient);
    g_box.nCaptionNeeds = size.cx;
    g_box.nCaptionRoom = rcClient.right - ::GetSystemMetrics(SM_CXSMICON) - ncm.iCaptionWidth;
    ::GetWindowRect(::GetDlgItem(hBox, IDOK), &rcButton);
    ::MapWindowPoints(NULL, hBox, (POINT*)&rcButton, 2);
    g_box.nButtonCentre = (rcButton.left + rcButton.right) / 2;
    g_box.nClientCentre = rcClient.right / 2;
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(AppMessageBox, CaptionLongerThanTheTextIsShownWhole)
{
    _putenv("ZAVO_NO_MSGBOX=");
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, MeasureBox);
    EXPECT_EQ(IDOK, AfxShowMessageBox(NULL, "Short.", kLongCaption, MB_OK | MB_ICONINFORMATION));
    ::KillTimer(NULL, nTimer);
    ASSERT_TRUE(g_box.bSeen);
    EXPECT_GE(g_box.nCaptionRoom, g_box.nCaptionNeeds);
    EXPECT_NEAR(g_box.nClientCentre, g_box.nButtonCentre, 2);
}
