// Owners, enabling and activation of modal and modeless windows opened
// without a parent, and the lifetime of the application's main window.
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/PropertyPage.h"
#include "framework/FileDialog.h"
#include "framework/FontDialog.h"
#include "framework/ColorDialog.h"
#include "framework/WinApp.h"
#include "framework/tests/OwnerTestRes.h"
#include "framework/tests/TempDir.h"
#include "framework/tests/TimerDriver.h"
#include "testsupport/WindowsTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

class COuterDlg : public CDialog {
public:
    COuterDlg() : CDialog(IDD_OUTER) {}
    std::function<void()> m_runInner;
    int m_nInnerRuns = 0;
    afx_msg void OnRunInner()
    {
        if (m_runInner)
            m_runInner();
        ++m_nInnerRuns;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COuterDlg, CDialog)
    ON_COMMAND(IDC_RUN_INNER, &COuterDlg::OnRunInner)
END_MESSAGE_MAP()

// One kind of modal window run without a parent.
struct InnerKind {
    const char* name;
    std::function<void()> run;     // builds and runs it (blocks)
    std::function<HWND()> window;  // its top-level window while it is up
    std::function<void()> cancel;
};

HWND VisibleOrNull(HWND hWnd) { return hWnd != NULL && ::IsWindowVisible(hWnd) ? hWnd : NULL; }

void PostCancel(HWND hWnd)
{
    if (hWnd != NULL)
        ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
}

class CMainWindow : public CWnd {
public:
    BOOL Make()
    {
        if (!CreateEx(0, NULL, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500, 400, NULL, NULL))
            return FALSE;
        ::SetActiveWindow(m_hWnd);
        return TRUE;
    }
};

}  // namespace

TEST(ModalOwner, ModalsWithoutParentStackOnTheRunningDialog)
{
    CWinApp app("FwOwnerApp");
    CMainWindow main;
    ASSERT_TRUE(main.Make());
    app.m_pMainWnd = &main;
    TempDir dir;

    CDialog* pDlg = NULL;
    CFileDialog* pFile = NULL;
    CFontDialog* pFont = NULL;
    CColorDialog* pColor = NULL;
    CPropertySheet* pSheet = NULL;
    std::vector<InnerKind> kinds = {
        {"dialog",
         [&] { CDialog dlg(IDD_INNER); pDlg = &dlg; dlg.DoModal(); pDlg = NULL; },
         [&] { return pDlg ? VisibleOrNull(pDlg->m_hWnd) : NULL; },
         [&] { PostCancel(pDlg->m_hWnd); }},
        {"file dialog",
         [&] {
             CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All|*.*||");
             dlg.m_ofn.lpstrInitialDir = dir.Path();
             pFile = &dlg;
             dlg.DoModal();
             pFile = NULL;
         },
         [&] { return pFile && pFile->m_hWnd ? VisibleOrNull(::GetParent(pFile->m_hWnd)) : NULL; },
         [&] { PostCancel(::GetParent(pFile->m_hWnd)); }},
        {"font dialog",
         [&] { CFontDialog dlg; pFont = &dlg; dlg.DoModal(); pFont = NULL; },
         [&] { return pFont ? VisibleOrNull(pFont->m_hWnd) : NULL; },
         [&] { PostCancel(pFont->m_hWnd); }},
        {"colour dialog",
         [&] { CColorDialog dlg; pColor = &dlg; dlg.DoModal(); pColor = NULL; },
         [&] { return pColor ? VisibleOrNull(pColor->m_hWnd) : NULL; },
         [&] { PostCancel(pColor->m_hWnd); }},
        {"property sheet",
         [&] {
             CPropertyPage page(IDD_OWNER_PAGE);
             CPropertySheet sheet("Sheet");
             sheet.AddPage(&page);
             pSheet = &sheet;
             sheet.DoModal();
             pSheet = NULL;
         },
         [&] { return pSheet ? VisibleOrNull(pSheet->m_hWnd) : NULL; },
         [&] { ::PostMessage(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }},
    };

    COuterDlg outer;
    size_t nKind = 0;
    std::vector<CDriver::Step> steps;
    for (size_t i = 0; i < kinds.size(); ++i) {
        steps.push_back([&, i] {
            if (VisibleOrNull(outer.m_hWnd) == NULL)
                return false;
            nKind = i;
            outer.m_runInner = kinds[i].run;
            ::PostMessage(outer.m_hWnd, WM_COMMAND, IDC_RUN_INNER, 0);
            return true;
        });
        steps.push_back([&, i] {
            HWND hInner = kinds[i].window();
            if (hInner == NULL)
                return false;
            SCOPED_TRACE(kinds[i].name);
            EXPECT_EQ(outer.m_hWnd, ::GetWindow(hInner, GW_OWNER));
            EXPECT_FALSE(::IsWindowEnabled(outer.m_hWnd));
            EXPECT_FALSE(::IsWindowEnabled(main.m_hWnd));
            kinds[i].cancel();
            return true;
        });
        steps.push_back([&, i] {
            if (outer.m_nInnerRuns <= (int)i)
                return false;
            SCOPED_TRACE(kinds[i].name);
            EXPECT_TRUE(::IsWindowEnabled(outer.m_hWnd));
            EXPECT_FALSE(::IsWindowEnabled(main.m_hWnd));
            EXPECT_EQ(outer.m_hWnd, ::GetActiveWindow());
            return true;
        });
    }
    steps.push_back([&] {
        PostCancel(outer.m_hWnd);
        return true;
    });
    CDriver driver(steps, [&] {
        if (pDlg) PostCancel(pDlg->m_hWnd);
        if (pFile && pFile->m_hWnd) PostCancel(::GetParent(pFile->m_hWnd));
        if (pFont) PostCancel(pFont->m_hWnd);
        if (pColor) PostCancel(pColor->m_hWnd);
        if (pSheet) ::PostMessage(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        PostCancel(outer.m_hWnd);
    });
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_TRUE(driver.Finished()) << "stopped at " << kinds[nKind].name;
    EXPECT_EQ((int)kinds.size(), outer.m_nInnerRuns);
    EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
    EXPECT_EQ(main.m_hWnd, ::GetActiveWindow());
    app.m_pMainWnd = NULL;
    main.DestroyWindow();
}

namespace {
bool QuitQueued()
{
    MSG msg;
    return ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}
}  // namespace

TEST(MainWindowLifetime, DestroyedMainDialogEndsTheLoopAndIsForgotten)
{
    CWinApp app("FwOwnerApp");
    {
        // a modeless main dialog
        CDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_OUTER));
        app.m_pMainWnd = &dlg;
        app.m_pActiveWnd = &dlg;
        EXPECT_FALSE(QuitQueued());
        dlg.DestroyWindow();
        EXPECT_EQ(NULL, app.m_pMainWnd);
        EXPECT_EQ(NULL, app.m_pActiveWnd);
        EXPECT_TRUE(QuitQueued());
    }
    {
        // the modal main dialog of a dialog program
        COuterDlg dlg;
        app.m_pMainWnd = &dlg;
        CDriver driver({[&] {
                           if (VisibleOrNull(dlg.m_hWnd) == NULL)
                               return false;
                           PostCancel(dlg.m_hWnd);
                           return true;
                       }},
                       [&] { PostCancel(dlg.m_hWnd); });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(NULL, app.m_pMainWnd);
        EXPECT_TRUE(QuitQueued());
    }
    {
        // any other window leaves the main window alone
        CMainWindow main;
        ASSERT_TRUE(main.Make());
        app.m_pMainWnd = &main;
        CDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_INNER, &main));
        dlg.DestroyWindow();
        EXPECT_EQ(&main, app.m_pMainWnd);
        EXPECT_FALSE(QuitQueued());
        main.DestroyWindow();
        EXPECT_EQ(NULL, app.m_pMainWnd);
    }
}

namespace {
struct OwnedSearch {
    HWND hOwner;
    HWND hSkip;
    HWND hFound;
};

BOOL CALLBACK FindOwned(HWND hWnd, LPARAM lParam)
{
    OwnedSearch* p = (OwnedSearch*)lParam;
    if (hWnd != p->hSkip && ::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) == p->hOwner) {
        p->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible window of this thread owned by hOwner, other than hSkip.
HWND OwnedWindow(HWND hOwner, HWND hSkip = NULL)
{
    OwnedSearch search = {hOwner, hSkip, NULL};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwned, (LPARAM)&search);
    return search.hFound;
}
}  // namespace

TEST(ModelessOwner, ParentlessModelessBelongsToTheMainWindowWhichModalsOverItDisable)
{
    CWinApp app("FwOwnerApp");
    CMainWindow main;
    ASSERT_TRUE(main.Make());
    app.m_pMainWnd = &main;

    COuterDlg modeless;
    ASSERT_TRUE(modeless.Create(IDD_OUTER, NULL));
    EXPECT_EQ(main.m_hWnd, ::GetWindow(modeless.m_hWnd, GW_OWNER));
    modeless.ShowWindow(SW_SHOW);
    ::SetActiveWindow(modeless.m_hWnd);

    CDialog* pInner = NULL;
    int nBox = 0;
    bool bAborted = false;
    CDriver driver({
                       [&] {
                           modeless.m_runInner = [&] { CDialog dlg(IDD_INNER); pInner = &dlg; dlg.DoModal(); pInner = NULL; };
                           ::PostMessage(modeless.m_hWnd, WM_COMMAND, IDC_RUN_INNER, 0);
                           return true;
                       },
                       [&] {
                           if (pInner == NULL || VisibleOrNull(pInner->m_hWnd) == NULL)
                               return false;
                           SCOPED_TRACE("dialog");
                           EXPECT_EQ(modeless.m_hWnd, ::GetWindow(pInner->m_hWnd, GW_OWNER));
                           EXPECT_FALSE(::IsWindowEnabled(modeless.m_hWnd));
                           EXPECT_FALSE(::IsWindowEnabled(main.m_hWnd));
                           PostCancel(pInner->m_hWnd);
                           return true;
                       },
                       [&] {
                           if (modeless.m_nInnerRuns < 1)
                               return false;
                           EXPECT_TRUE(::IsWindowEnabled(modeless.m_hWnd));
                           EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
                           modeless.m_runInner = [&] { nBox = AfxMessageBox("Over the modeless dialog", MB_OK); };
                           ::PostMessage(modeless.m_hWnd, WM_COMMAND, IDC_RUN_INNER, 0);
                           return true;
                       },
                       [&] {
                           HWND hBox = OwnedWindow(modeless.m_hWnd);
                           if (hBox == NULL)
                               return false;
                           SCOPED_TRACE("message box");
                           EXPECT_FALSE(::IsWindowEnabled(modeless.m_hWnd));
                           EXPECT_FALSE(::IsWindowEnabled(main.m_hWnd));
                           ::PostMessage(hBox, WM_COMMAND, IDOK, 0);
                           return true;
                       },
                   },
                   [&] {
                       bAborted = true;
                       if (pInner != NULL)
                           PostCancel(pInner->m_hWnd);
                       for (HWND hOwner : {modeless.m_hWnd, main.m_hWnd}) {
                           HWND hBox = OwnedWindow(hOwner, modeless.m_hWnd);
                           if (hBox != NULL)
                               ::PostMessage(hBox, WM_COMMAND, IDOK, 0);
                       }
                   });
    while (!bAborted && modeless.m_nInnerRuns < 2)
        AfxPumpMessage();
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(IDOK, nBox);
    EXPECT_TRUE(::IsWindowEnabled(modeless.m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
    modeless.DestroyWindow();
    app.m_pMainWnd = NULL;
    main.DestroyWindow();
}

// A modal given a frame-owned modeless dialog as its parent disables the frame
// too, whatever kind it is, and enables it again when it ends.
TEST(ModalOwner, ExplicitModelessParentDisablesTheFrameBehindIt)
{
    CWinApp app("FwOwnerApp");
    CMainWindow main;
    ASSERT_TRUE(main.Make());
    app.m_pMainWnd = &main;
    TempDir dir;

    COuterDlg modeless;
    ASSERT_TRUE(modeless.Create(IDD_OUTER, &main));
    modeless.ShowWindow(SW_SHOW);

    CDialog* pDlg = NULL;
    CFileDialog* pFile = NULL;
    CPropertySheet* pSheet = NULL;
    std::vector<InnerKind> kinds = {
        {"dialog",
         [&] { CDialog dlg(IDD_INNER, &modeless); pDlg = &dlg; dlg.DoModal(); pDlg = NULL; },
         [&] { return pDlg ? VisibleOrNull(pDlg->m_hWnd) : NULL; },
         [&] { PostCancel(pDlg->m_hWnd); }},
        {"file dialog",
         [&] {
             CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All|*.*||", &modeless);
             dlg.m_ofn.lpstrInitialDir = dir.Path();
             pFile = &dlg;
             dlg.DoModal();
             pFile = NULL;
         },
         [&] { return pFile && pFile->m_hWnd ? VisibleOrNull(::GetParent(pFile->m_hWnd)) : NULL; },
         [&] { PostCancel(::GetParent(pFile->m_hWnd)); }},
        {"property sheet",
         [&] {
             CPropertyPage page(IDD_OWNER_PAGE);
             CPropertySheet sheet("Sheet", &modeless);
             sheet.AddPage(&page);
             pSheet = &sheet;
             sheet.DoModal();
             pSheet = NULL;
         },
         [&] { return pSheet ? VisibleOrNull(pSheet->m_hWnd) : NULL; },
         [&] { ::PostMessage(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }},
    };
    size_t nKind = 0;
    bool bAborted = false;
    std::vector<CDriver::Step> steps;
    for (size_t i = 0; i < kinds.size(); ++i) {
        steps.push_back([&, i] {
            nKind = i;
            modeless.m_runInner = kinds[i].run;
            ::PostMessage(modeless.m_hWnd, WM_COMMAND, IDC_RUN_INNER, 0);
            return true;
        });
        steps.push_back([&, i] {
            HWND hInner = kinds[i].window();
            if (hInner == NULL)
                return false;
            SCOPED_TRACE(kinds[i].name);
            EXPECT_EQ(modeless.m_hWnd, ::GetWindow(hInner, GW_OWNER));
            EXPECT_FALSE(::IsWindowEnabled(modeless.m_hWnd));
            EXPECT_FALSE(::IsWindowEnabled(main.m_hWnd));
            kinds[i].cancel();
            return true;
        });
        steps.push_back([&, i] {
            if (modeless.m_nInnerRuns <= (int)i)
                return false;
            SCOPED_TRACE(kinds[i].name);
            EXPECT_TRUE(::IsWindowEnabled(modeless.m_hWnd));
            EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
            return true;
        });
    }
    CDriver driver(steps, [&] {
        bAborted = true;
        if (pDlg) PostCancel(pDlg->m_hWnd);
        if (pFile && pFile->m_hWnd) PostCancel(::GetParent(pFile->m_hWnd));
        if (pSheet) ::PostMessage(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    while (!bAborted && !driver.Finished())
        AfxPumpMessage();
    EXPECT_TRUE(driver.Finished()) << "stopped at " << kinds[nKind].name;
    modeless.DestroyWindow();
    app.m_pMainWnd = NULL;
    main.DestroyWindow();
}

namespace {
class CNotesPage : public CPropertyPage {
public:
    CNotesPage() : CPropertyPage(IDD_NOTES_PAGE) {}
    int m_nQueries = 0;
    BOOL OnQueryCancel() override
    {
        ++m_nQueries;
        return TRUE;
    }
};
}  // namespace

// A multi-line edit takes every key from the dialog keys, and Escape makes
// it close its parent, which on a sheet is the page: the wizard is cancelled
// as by its Cancel button, from a posted key and from the keyboard.
TEST(SheetKeys, EscapeInAMultiLineEditCancelsTheWizard)
{
    for (bool keyboard : {false, true}) {
        SCOPED_TRACE(keyboard ? "keyboard" : "posted key");
        CNotesPage page;
        CPropertySheet sheet("Notes");
        sheet.AddPage(&page);
        sheet.SetWizardMode();
        HWND hNotes = NULL;
        bool pressed = false;
        CDriver driver({[&] {
                            if (page.m_hWnd == NULL)
                                return false;
                            hNotes = ::GetDlgItem(page.m_hWnd, IDC_NOTES);
                            ::SetForegroundWindow(sheet.m_hWnd);
                            ::SetFocus(hNotes);
                            return true;
                        },
                        // the X server's focus follows a moment later
                        [&, n = 0]() mutable { return ++n > 8 && ::GetFocus() == hNotes; },
                        [&] {
                            if (keyboard) {
                                pressed = zavotest::PressOnXServer(L"Escape", [] {
                                    MSG msg;
                                    while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE) && AfxPumpMessage()) {
                                    }
                                });
                            } else {
                                pressed = ::PostMessage(hNotes, WM_KEYDOWN, VK_ESCAPE, 1) != FALSE;
                            }
                            return true;
                        }},
                       [&] { sheet.EndDialog(IDABORT); });
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_TRUE(pressed);
        EXPECT_EQ(1, page.m_nQueries);
    }
}
