#include "framework/PropertySheet.h"
#include "framework/PropertyPage.h"
#include "framework/FileDialog.h"
#include "framework/FontDialog.h"
#include "framework/ColorDialog.h"
#include "framework/DataExchange.h"
#include "framework/Menu.h"
#include "framework/Bitmap.h"
#include "framework/ResourceList.h"
#include "framework/TabCtrl.h"
#include "framework/ComboBoxEx.h"
#include "framework/AnimateCtrl.h"
#include "framework/WinApp.h"
#include "framework/tests/DialogTestRes.h"
#include "framework/tests/TempDir.h"
#include "framework/tests/TimerDriver.h"
#include "framework/tests/TempMapKit.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

size_t LogIndex(const std::string& s, size_t from = 0)
{
    auto it = std::find(g_log.begin() + (ptrdiff_t)std::min(from, g_log.size()), g_log.end(), s);
    return it == g_log.end() ? std::string::npos : (size_t)(it - g_log.begin());
}

CString ItemText(HWND hWnd, int nID)
{
    char buf[512] = "";
    ::GetDlgItemText(hWnd, nID, buf, sizeof(buf));
    return CString(buf);
}

class CLogPage : public CPropertyPage {
public:
    CLogPage(UINT nID, int n) : CPropertyPage(nID), m_n(n) {}
    int m_n;
    CString m_strText;
    int m_nNextRefusals = 0;
    int m_nClicks = 0;
    void Log(const char* what) { g_log.push_back(what + std::to_string(m_n)); }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, m_strText); }
    BOOL OnInitDialog() override
    {
        Log("init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Log("set");
        CPropertySheet* pSheet = GetSheet();
        if (pSheet != NULL && pSheet->IsWizard())
            pSheet->SetWizardButtons(m_n == 0   ? PSWIZB_NEXT
                                     : m_n == 2 ? PSWIZB_BACK | PSWIZB_FINISH
                                                : PSWIZB_BACK | PSWIZB_NEXT);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Log("kill");
        return CPropertyPage::OnKillActive();
    }
    LRESULT OnWizardNext() override
    {
        Log("next");
        if (m_nNextRefusals > 0) {
            --m_nNextRefusals;
            return -1;
        }
        return 0;
    }
    LRESULT OnWizardBack() override
    {
        Log("back");
        return 0;
    }
    BOOL OnWizardFinish() override
    {
        Log("finish");
        return CPropertyPage::OnWizardFinish();
    }
    BOOL OnApply() override
    {
        Log("apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { Log("reset"); }
    BOOL OnQueryCancel() override
    {
        Log("querycancel");
        return TRUE;
    }
    afx_msg void OnPress() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogPage, CPropertyPage)
    ON_BN_CLICKED(IDC_PAGE_BTN, &CLogPage::OnPress)
END_MESSAGE_MAP()

class CLogSheet : public CPropertySheet {
public:
    explicit CLogSheet(LPCTSTR lpszCaption) : CPropertySheet(lpszCaption) {}
    explicit CLogSheet(UINT nIDCaption) : CPropertySheet(nIDCaption) {}
    int m_nPrivate = 0;
    BOOL OnInitDialog() override
    {
        g_log.push_back("sheetinit");
        return CPropertySheet::OnInitDialog();
    }
    // the same number as the sheet's PSM_SETCURSEL: the framework's own
    // page changes must not land here
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM)
    {
        m_nPrivate += (int)wParam;
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogSheet, CPropertySheet)
    ON_MESSAGE(WM_USER + 101, &CLogSheet::OnPrivate)
END_MESSAGE_MAP()

bool Press(CPropertySheet& sheet, int nButton)
{
    ::SendMessage(sheet.m_hWnd, PSM_PRESSBUTTON, nButton, 0);
    return true;
}

std::function<void()> AbortSheet(CPropertySheet& sheet)
{
    return [&sheet] {
        if (sheet.m_hWnd != NULL)
            ::PostMessage(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    };
}
}  // namespace

TEST(PropertySheetWizard, NextBackFinishKeepPageDataAndFollowPageAnswers)
{
    g_log.clear();
    CLogPage p0(IDD_PAGE1, 0), p1(IDD_PAGE2, 1), p2(IDD_PAGE3, 2);
    CLogSheet sheet("Wizard test");
    sheet.AddPage(&p0);
    sheet.AddPage(&p1);
    sheet.AddPage(&p2);
    sheet.SetWizardMode();
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    p1.m_nNextRefusals = 1;
    CDriver driver({
                       [&] {
                           if (sheet.m_hWnd == NULL || p0.m_hWnd == NULL)
                               return false;
                           EXPECT_EQ(0, sheet.GetActiveIndex());
                           EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_WIZBACK)));
                           EXPECT_EQ(7, ::SendMessage(sheet.m_hWnd, WM_USER + 101, 3, 0));
                           ::SetDlgItemText(p0.m_hWnd, IDC_PAGE_EDIT, "alpha");
                           return Press(sheet, PSBTN_NEXT);
                       },
                       [&] {
                           EXPECT_EQ(1, sheet.GetActiveIndex());
                           EXPECT_EQ(&p1, sheet.GetActivePage());
                           EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_WIZBACK)));
                           ::SendMessage(::GetDlgItem(p1.m_hWnd, IDC_PAGE_BTN), BM_CLICK, 0, 0);
                           return Press(sheet, PSBTN_BACK);
                       },
                       [&] {
                           EXPECT_EQ(0, sheet.GetActiveIndex());
                           EXPECT_EQ(CString("alpha"), ItemText(p0.m_hWnd, IDC_PAGE_EDIT));
                           Press(sheet, PSBTN_NEXT);
                           Press(sheet, PSBTN_NEXT);  // refused by page 1 once
                           EXPECT_EQ(1, sheet.GetActiveIndex());
                           return Press(sheet, PSBTN_NEXT);
                       },
                       [&] {
                           EXPECT_EQ(2, sheet.GetActiveIndex());
                           ::SetDlgItemText(p2.m_hWnd, IDC_PAGE_EDIT, "gamma");
                           return Press(sheet, PSBTN_FINISH);
                       },
                   },
                   AbortSheet(sheet));
    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_EQ(NULL, p0.m_hWnd);
    EXPECT_EQ(3, sheet.m_nPrivate);
    EXPECT_EQ(1, p1.m_nClicks);
    EXPECT_EQ(CString("alpha"), p0.m_strText);
    EXPECT_EQ(CString("gamma"), p2.m_strText);
    // the first page is active before the sheet's own initialisation ends
    EXPECT_LT(LogIndex("set0"), LogIndex("sheetinit"));
    // leaving a page: its kill-active comes before the next page's set-active
    size_t nNext = LogIndex("next0");
    EXPECT_LT(LogIndex("kill0", nNext), LogIndex("set1", nNext));
    size_t nBack = LogIndex("back1");
    EXPECT_LT(LogIndex("kill1", nBack), LogIndex("set0", nBack));
    EXPECT_EQ(2, std::count(g_log.begin(), g_log.end(), "next1"));
    EXPECT_EQ(1u, (size_t)std::count(g_log.begin(), g_log.end(), "init0"));
    EXPECT_NE(std::string::npos, LogIndex("finish2"));
}

namespace {
// Logs keys seen by its pre-translation and the idle messages it gets.
class CKeyPage : public CLogPage {
public:
    using CLogPage::CLogPage;
    int m_nIdle = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
            Log("prekey");
        return CLogPage::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_nIdle;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CKeyPage, CLogPage)
    ON_MESSAGE(WM_KICKIDLE, &CKeyPage::OnKickIdle)
END_MESSAGE_MAP()

class CKeySheet : public CLogSheet {
public:
    using CLogSheet::CLogSheet;
    int m_nIdle = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
            g_log.push_back("sheetprekey");
        return CLogSheet::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_nIdle;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CKeySheet, CLogSheet)
    ON_MESSAGE(WM_KICKIDLE, &CKeySheet::OnKickIdle)
END_MESSAGE_MAP()
}  // namespace

TEST(PropertySheetWizard, ModalSheetRunsInTheFrameworkLoopAndEndDialogKeepsItsResult)
{
    g_log.clear();
    CKeyPage p0(IDD_PAGE1, 0), p1(IDD_PAGE2, 1);
    CKeySheet sheet("Loop test");
    sheet.AddPage(&p0);
    sheet.AddPage(&p1);
    sheet.SetWizardMode();
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    CDriver driver({
                       [&] {
                           if (sheet.m_hWnd == NULL || p0.m_hWnd == NULL)
                               return false;
                           HWND hEdit = ::GetDlgItem(p0.m_hWnd, IDC_PAGE_EDIT);
                           ::SetFocus(hEdit);
                           ::PostMessage(hEdit, WM_KEYDOWN, 'Q', 1);
                           ::PostMessage(hEdit, WM_KEYUP, 'Q', 0xC0000001);
                           return true;
                       },
                       [&] {
                           if (LogIndex("sheetprekey") == std::string::npos || sheet.m_nIdle == 0 || p0.m_nIdle == 0)
                               return false;
                           // the modal sheet closes itself: no cancel notes reach the pages
                           sheet.EndDialog(IDOK);
                           return true;
                       },
                   },
                   AbortSheet(sheet));
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(NULL, sheet.m_hWnd);
    size_t nPage = LogIndex("prekey0");
    EXPECT_NE(std::string::npos, nPage);
    EXPECT_LT(nPage, LogIndex("sheetprekey"));
    EXPECT_GT(sheet.m_nIdle, 0);
    EXPECT_GT(p0.m_nIdle, 0);
    EXPECT_EQ(std::string::npos, LogIndex("querycancel0"));
    EXPECT_EQ(std::string::npos, LogIndex("reset0"));
    EXPECT_EQ(std::string::npos, LogIndex("reset1"));
}

TEST(PropertySheetTabbed, OkAppliesVisitedPagesCancelResetsThem)
{
    g_log.clear();
    CLogPage p0(IDD_PAGE1, 0), p1(IDD_PAGE2, 1);
    CLogSheet sheet(IDS_SHEET);
    sheet.AddPage(&p0);
    sheet.AddPage(&p1);
    {
        CDriver driver({
                           [&] {
                               if (sheet.m_hWnd == NULL)
                                   return false;
                               CString strCaption;
                               sheet.GetWindowText(strCaption);
                               EXPECT_EQ(CString("Sheet from string"), strCaption);
                               ::SetDlgItemText(p0.m_hWnd, IDC_PAGE_EDIT, "one");
                               EXPECT_TRUE(sheet.SetActivePage(&p1));
                               EXPECT_EQ(1, sheet.GetActiveIndex());
                               ::SetDlgItemText(p1.m_hWnd, IDC_PAGE_EDIT, "two");
                               p1.SetModified();
                               EXPECT_TRUE(p1.IsModified());
                               return Press(sheet, PSBTN_OK);
                           },
                       },
                       AbortSheet(sheet));
        EXPECT_EQ(IDOK, sheet.DoModal());
    }
    EXPECT_EQ(CString("one"), p0.m_strText);
    EXPECT_EQ(CString("two"), p1.m_strText);
    EXPECT_NE(std::string::npos, LogIndex("apply0"));
    EXPECT_NE(std::string::npos, LogIndex("apply1"));
    EXPECT_FALSE(p1.IsModified());

    // the same objects run again; Cancel resets and reports IDCANCEL
    g_log.clear();
    sheet.SetActivePage(1);
    {
        CDriver driver({
                           [&] {
                               if (sheet.m_hWnd == NULL)
                                   return false;
                               EXPECT_EQ(1, sheet.GetActiveIndex());
                               EXPECT_EQ(NULL, p0.m_hWnd);  // never shown this time
                               EXPECT_EQ(CString("two"), ItemText(p1.m_hWnd, IDC_PAGE_EDIT));
                               return Press(sheet, PSBTN_CANCEL);
                           },
                       },
                       AbortSheet(sheet));
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
    }
    EXPECT_NE(std::string::npos, LogIndex("reset1"));
    EXPECT_EQ(std::string::npos, LogIndex("apply1"));
}

namespace {
// Runs m_onIdle at the first idle message of each idle time of the sheet's
// modal loop, and starts the next idle time at once, until m_onIdle says stop.
class CIdlePage : public CPropertyPage {
public:
    explicit CIdlePage(UINT nID) : CPropertyPage(nID) {}
    std::function<bool(int)> m_onIdle;
    int m_nPasses = 0;
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount != 0)
            return FALSE;
        if (m_nPasses < 200 && m_onIdle(m_nPasses++))
            PostMessage(WM_NULL);
        else if (GetSheet() != NULL)
            GetSheet()->EndDialog(IDOK);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdlePage, CPropertyPage)
    ON_MESSAGE(WM_KICKIDLE, &CIdlePage::OnKickIdle)
END_MESSAGE_MAP()
}  // namespace

TEST(PropertySheetModal, IdleFreesTheWrappersItMadeAndKeepsTheCallersWrappers)
{
    const int kPerPass = 10, kPasses = 12;
    CIdleWrapperWork work(kPerPass, kPasses);
    ASSERT_TRUE(work.HandlesMade());
    const size_t nHeld = work.Hold();

    size_t nMost = 0;
    CIdlePage page(IDD_PAGE1);
    CPropertySheet sheet("Idle test");
    sheet.AddPage(&page);
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    page.m_onIdle = [&](int nPass) {
        nMost = std::max(nMost, AfxGetTempWrapperCount());
        return work.Pass(nPass);
    };
    CDriver driver({}, AbortSheet(sheet));
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(kPasses + 1, page.m_nPasses);
    EXPECT_LT(nMost, nHeld + 5 * kPerPass);
    EXPECT_TRUE(work.HeldKept());
    DeleteAllTempMaps();
    EXPECT_EQ(0u, AfxGetTempWrapperCount());
}

TEST(PropertySheetModeless, PagesAddedAndRemovedLiveOkAppliesAndDestroys)
{
    g_log.clear();
    CLogPage p0(IDD_PAGE1, 0), p1(IDD_PAGE2, 1), p2(IDD_PAGE3, 2);
    CLogSheet sheet("Modeless test");
    sheet.AddPage(&p0);
    sheet.AddPage(&p1);
    ASSERT_TRUE(sheet.Create());
    ASSERT_TRUE(sheet.m_hWnd != NULL);
    EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
    EXPECT_TRUE(p0.m_hWnd != NULL);
    EXPECT_NE(std::string::npos, LogIndex("sheetinit"));
    ASSERT_TRUE(sheet.GetTabControl() != NULL);
    sheet.AddPage(&p2);
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_EQ(3, (int)::SendMessage(sheet.GetTabControl()->m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    sheet.RemovePage(&p2);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(2, (int)::SendMessage(sheet.GetTabControl()->m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_TRUE(sheet.SetActivePage(1));
    ASSERT_TRUE(p1.m_hWnd != NULL);
    ::SetDlgItemText(p1.m_hWnd, IDC_PAGE_EDIT, "live");
    EXPECT_TRUE(sheet.PressButton(PSBTN_OK));
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_EQ(NULL, p1.m_hWnd);
    EXPECT_EQ(CString("live"), p1.m_strText);
    EXPECT_EQ(0, sheet.m_nPrivate);
    EXPECT_NE(std::string::npos, LogIndex("apply0"));
    EXPECT_NE(std::string::npos, LogIndex("apply1"));
}

namespace {
class CSelfDeletingSheet : public CPropertySheet {
public:
    explicit CSelfDeletingSheet(bool* pDeleted) : CPropertySheet("Self-deleting"), m_pDeleted(pDeleted) {}
    void PostNcDestroy() override
    {
        *m_pDeleted = true;
        delete this;
    }
    bool* m_pDeleted;
};

void PumpUntil(const bool& bDone)
{
    for (int i = 0; i < 200 && !bDone; ++i) {
        MSG msg;
        if (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        else
            ::Sleep(5);
    }
}
}  // namespace

TEST(PropertySheetModeless, SelfDeletingSheetClosedByEscapeOrEnterGoesAway)
{
    for (WPARAM key : {(WPARAM)VK_ESCAPE, (WPARAM)VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "escape" : "enter");
        g_log.clear();
        bool bDeleted = false;
        CLogPage page(IDD_PAGE1, 0);
        CSelfDeletingSheet* pSheet = new CSelfDeletingSheet(&bDeleted);
        pSheet->AddPage(&page);
        ASSERT_TRUE(pSheet->Create());
        HWND hEdit = ::GetDlgItem(page.m_hWnd, IDC_PAGE_EDIT);
        ::SetFocus(hEdit);
        ::PostMessage(hEdit, WM_KEYDOWN, key, 1);
        PumpUntil(bDeleted);
        EXPECT_TRUE(bDeleted);
        EXPECT_EQ(NULL, page.m_hWnd);
        EXPECT_NE(std::string::npos, LogIndex(key == VK_ESCAPE ? "reset0" : "apply0"));
    }
}

namespace {
const UINT kCloseNow = 0x7F00;

// Destroys itself from its own command handler; what it leaves behind is
// scribbled over, so a later touch of the object shows.
class CClosingSheet : public CSelfDeletingSheet {
public:
    using CSelfDeletingSheet::CSelfDeletingSheet;
    static void operator delete(void* p, size_t n) { memset(p, 0xA5, n); }
    afx_msg void OnCloseNow() { DestroyWindow(); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CClosingSheet, CSelfDeletingSheet)
    ON_COMMAND(kCloseNow, &CClosingSheet::OnCloseNow)
END_MESSAGE_MAP()
}  // namespace

TEST(PropertySheetModeless, SheetDestroyedByItsOwnCommandIsNotTouchedAfterwards)
{
    bool bDeleted = false;
    CLogPage page(IDD_PAGE1, 0);
    // the scribbled block is never freed: nothing else may land in it
    CClosingSheet* pSheet = new CClosingSheet(&bDeleted);
    pSheet->AddPage(&page);
    ASSERT_TRUE(pSheet->Create());
    HWND hSheet = pSheet->m_hWnd;
    ::SendMessage(hSheet, WM_COMMAND, MAKEWPARAM(kCloseNow, 0), 0);
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(::IsWindow(hSheet));
}

// ---- common dialogs ----

namespace {
HWND FileNameControl(HWND hFrame)
{
    HWND h = ::GetDlgItem(hFrame, cmb13);
    return h ? h : ::GetDlgItem(hFrame, edt1);
}

class CTestFileDialog : public CFileDialog {
public:
    using CFileDialog::CFileDialog;
    int m_nInit = 0, m_nInitDone = 0, m_nFolder = 0, m_nOk = 0, m_nRefuse = 0;
    CString m_strPathAtOk;
    BOOL OnInitDialog() override
    {
        ++m_nInit;
        return CFileDialog::OnInitDialog();
    }
    void OnInitDone() override { ++m_nInitDone; }
    void OnFolderChange() override { ++m_nFolder; }
    BOOL OnFileNameOK() override
    {
        ++m_nOk;
        m_strPathAtOk = GetPathName();
        if (m_nRefuse > 0) {
            --m_nRefuse;
            return TRUE;
        }
        return FALSE;
    }
};

// Steps that type a name into the running file dialog and press OK.
std::vector<CDriver::Step> TypeAndOk(CFileDialog& dlg, CString strName, int nPresses = 1)
{
    std::vector<CDriver::Step> steps;
    steps.push_back([&dlg] { return dlg.m_hWnd != NULL && ::IsWindowVisible(::GetParent(dlg.m_hWnd)); });
    for (int i = 0; i < nPresses; ++i) {
        steps.push_back([&dlg, strName] {
            if (dlg.m_hWnd == NULL)
                return false;
            HWND hFrame = ::GetParent(dlg.m_hWnd);
            ::SetWindowText(FileNameControl(hFrame), strName);
            ::SendMessage(hFrame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          (LPARAM)::GetDlgItem(hFrame, IDOK));
            return true;
        });
    }
    return steps;
}

std::function<void()> AbortFileDialog(CFileDialog& dlg)
{
    return [&dlg] {
        if (dlg.m_hWnd != NULL)
            ::PostMessage(::GetParent(dlg.m_hWnd), WM_COMMAND, IDCANCEL, 0);
    };
}

void Touch(const CString& path)
{
    HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << (LPCTSTR)path;
    ::CloseHandle(h);
}
}  // namespace

TEST(FileDialog, FilterSplitsAtBarsButNotInsideDoubleByteCharacters)
{
    // GBK 0x81 0x7C is one character whose second byte is a '|'
    const char gbk[] = "\x81\x7C (*.iso)|*.iso|All|*.*||";
    char* p = AfxMakeFilterBuffer(gbk, 936);
    ASSERT_TRUE(p != NULL);
    const char want[] = "\x81\x7C (*.iso)\0*.iso\0All\0*.*\0";
    EXPECT_EQ(0, memcmp(p, want, sizeof(want)));
    delete[] p;
    p = AfxMakeFilterBuffer("Text|*.txt", 936);  // no closing bars
    const char want2[] = "Text\0*.txt\0";
    EXPECT_EQ(0, memcmp(p, want2, sizeof(want2)));
    delete[] p;
    EXPECT_EQ(NULL, AfxMakeFilterBuffer("", 936));
}

TEST(FileDialog, HookRoutesNotificationsAndNamesAreSplit)
{
    TempDir dir;
    Touch(dir / "alpha.txt");
    CTestFileDialog dlg(TRUE, "txt", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                        "Text (*.txt)|*.txt|All files|*.*||");
    dlg.m_ofn.lpstrInitialDir = dir.Path();
    dlg.m_nRefuse = 1;  // the first OK is refused, the dialog stays
    CDriver driver(TypeAndOk(dlg, "alpha.txt", 2), AbortFileDialog(dlg));
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(1, dlg.m_nInit);
    EXPECT_EQ(1, dlg.m_nInitDone);
    EXPECT_GE(dlg.m_nFolder, 1);
    EXPECT_EQ(2, dlg.m_nOk);
    EXPECT_EQ(NULL, dlg.m_hWnd);
    CString strPath = dir / "alpha.txt";
    EXPECT_EQ(0, strPath.CompareNoCase(dlg.m_strPathAtOk)) << (LPCTSTR)dlg.m_strPathAtOk;
    EXPECT_EQ(0, strPath.CompareNoCase(dlg.GetPathName())) << (LPCTSTR)dlg.GetPathName();
    EXPECT_EQ(CString("alpha.txt"), dlg.GetFileName());
    EXPECT_EQ(CString("txt"), dlg.GetFileExt());
    EXPECT_EQ(CString("alpha"), dlg.GetFileTitle());
    EXPECT_EQ(0, dir.Path().CompareNoCase(dlg.GetFolderPath())) << (LPCTSTR)dlg.GetFolderPath();
    POSITION pos = dlg.GetStartPosition();
    EXPECT_EQ(0, strPath.CompareNoCase(dlg.GetNextPathName(pos)));
    EXPECT_EQ(NULL, pos);
}

TEST(FileDialog, MultipleSelectionYieldsEveryPath)
{
    TempDir dir;
    Touch(dir / "one.txt");
    Touch(dir / "two.txt");
    char buf[2048] = "";
    CTestFileDialog dlg(TRUE, NULL, NULL, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "All|*.*||");
    dlg.m_ofn.lpstrFile = buf;
    dlg.m_ofn.nMaxFile = sizeof(buf);
    dlg.m_ofn.lpstrInitialDir = dir.Path();
    CDriver driver(TypeAndOk(dlg, "\"one.txt\" \"two.txt\""), AbortFileDialog(dlg));
    ASSERT_EQ(IDOK, dlg.DoModal());
    std::vector<CString> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos != NULL;)
        paths.push_back(dlg.GetNextPathName(pos));
    ASSERT_EQ(2u, paths.size());
    EXPECT_EQ(0, (dir / "one.txt").CompareNoCase(paths[0])) << (LPCTSTR)paths[0];
    EXPECT_EQ(0, (dir / "two.txt").CompareNoCase(paths[1])) << (LPCTSTR)paths[1];
}

TEST(FileDialog, PathLongerThanTheBufferFailsInsteadOfBeingCut)
{
    TempDir dir;
    CString strName = "a_rather_long_file_name_for_a_small_buffer.txt";
    Touch(dir / strName);
    char buf[40];
    memset(buf, 'x', sizeof(buf));
    buf[0] = '\0';
    CTestFileDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, "All|*.*||");
    dlg.m_ofn.lpstrFile = buf;
    dlg.m_ofn.nMaxFile = 30;
    dlg.m_ofn.lpstrInitialDir = dir.Path();
    CDriver driver(TypeAndOk(dlg, strName), AbortFileDialog(dlg));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ((DWORD)FNERR_BUFFERTOOSMALL, dlg.GetExtendedError());
    EXPECT_EQ('x', buf[30]);  // nothing written past the stated size
    EXPECT_TRUE(dlg.GetPathName().IsEmpty());
    EXPECT_EQ(NULL, dlg.GetStartPosition());
}

namespace {
class CExtraFileDialog : public CFileDialog {
public:
    CExtraFileDialog() : CFileDialog(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All|*.*||")
    {
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_FILEEXTRA);
    }
    int m_nClicks = 0;
    CString m_strFolder;
    afx_msg void OnExtra()
    {
        ++m_nClicks;
        m_strFolder = GetFolderPath();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExtraFileDialog, CFileDialog)
    ON_BN_CLICKED(IDC_EXTRA_BTN, &CExtraFileDialog::OnExtra)
END_MESSAGE_MAP()
}  // namespace

TEST(FileDialog, TemplateControlsReachTheMessageMap)
{
    TempDir dir;
    CExtraFileDialog dlg;
    dlg.m_ofn.lpstrInitialDir = dir.Path();
    CDriver driver({
                       [&] {
                           if (dlg.m_hWnd == NULL || !::IsWindowVisible(::GetParent(dlg.m_hWnd)))
                               return false;
                           HWND hBtn = ::GetDlgItem(dlg.m_hWnd, IDC_EXTRA_BTN);
                           EXPECT_TRUE(hBtn != NULL);
                           ::SendMessage(hBtn, BM_CLICK, 0, 0);
                           ::PostMessage(::GetParent(dlg.m_hWnd), WM_COMMAND, IDCANCEL, 0);
                           return true;
                       },
                   },
                   AbortFileDialog(dlg));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0u, dlg.GetExtendedError());
    EXPECT_EQ(1, dlg.m_nClicks);
    EXPECT_EQ(0, dir.Path().CompareNoCase(dlg.m_strFolder)) << (LPCTSTR)dlg.m_strFolder;
}

namespace {
class CTestFontDialog : public CFontDialog {
public:
    using CFontDialog::CFontDialog;
    bool m_bColorCombo = false;
    BOOL OnInitDialog() override
    {
        m_bColorCombo = ::GetDlgItem(m_hWnd, cmb4) != NULL;
        return CFontDialog::OnInitDialog();
    }
};
}  // namespace

TEST(FontDialog, InitialFontAndColourComeBackAfterOk)
{
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpy(lf.lfFaceName, "Tahoma");
    CTestFontDialog dlg(&lf);
    dlg.m_cf.rgbColors = RGB(200, 0, 0);
    CDriver driver({
                       [&] {
                           if (dlg.m_hWnd == NULL)
                               return false;
                           LOGFONT cur;
                           dlg.GetCurrentFont(&cur);
                           EXPECT_STREQ("Tahoma", cur.lfFaceName);
                           ::SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                         (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
                           return true;
                       },
                   },
                   [&] { if (dlg.m_hWnd) ::PostMessage(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(dlg.m_bColorCombo);
    EXPECT_EQ(CString("Tahoma"), dlg.GetFaceName());
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_EQ(RGB(200, 0, 0), dlg.GetColor());
    EXPECT_GT(dlg.GetSize(), 0);
}

TEST(ColorDialog, ColourSetWhileRunningIsTheResult)
{
    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
    bool bInitial = false;
    CDriver driver({
                       [&] {
                           if (dlg.m_hWnd == NULL)
                               return false;
                           bInitial = dlg.GetColor() == RGB(10, 20, 30);
                           dlg.SetCurrentColor(RGB(1, 2, 3));
                           ::SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                         (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
                           return true;
                       },
                   },
                   [&] { if (dlg.m_hWnd) ::PostMessage(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bInitial);
    EXPECT_EQ(RGB(1, 2, 3), dlg.GetColor());
}

// ---- resources of extension libraries ----

TEST(ResourceLibrary, ProgramFirstThenRegisteredLibraries)
{
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_LIBONLY));
    HMODULE hLib = ::LoadLibrary("fw_test_lib.dll");
    ASSERT_TRUE(hLib != NULL);
    EXPECT_TRUE(str.LoadString(IDS_LIBONLY));
    EXPECT_EQ(CString("from library"), str);
    EXPECT_TRUE(str.LoadString(IDS_SHARED));
    EXPECT_EQ(CString("from program"), str);
    EXPECT_EQ(hLib, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_LIBDLG), RT_DIALOG));

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_LIBMENU));
    CString strItem;
    menu.GetMenuString(0, strItem, MF_BYPOSITION);
    EXPECT_EQ(CString("Library"), strItem);

    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(IDB_LIBBMP));
    BITMAP bm;
    ASSERT_TRUE(::GetObject(bmp.m_hObject, sizeof(bm), &bm) > 0);
    EXPECT_EQ(5, bm.bmWidth);
    EXPECT_EQ(3, bm.bmHeight);

    {
        CDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_LIBDLG));
        CString strCaption;
        dlg.GetWindowText(strCaption);
        EXPECT_EQ(CString("Library dialog"), strCaption);
    }
    bmp.DeleteObject();
    menu.DestroyMenu();
    ::FreeLibrary(hLib);
    EXPECT_FALSE(str.LoadString(IDS_LIBONLY));
    EXPECT_EQ(NULL, AfxFindStringResourceHandle(IDS_LIBONLY));
}

TEST(CommonControls, ComboBoxWithImagesAndAnimation)
{
    AfxEnableControlContainer();
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, NULL, "host", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CComboBoxEx combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 200, 150), &host, 10));
    CString strLong('x', 700);
    EXPECT_EQ(0, combo.InsertItem(0, "first", 0, 0));
    EXPECT_EQ(1, combo.InsertItem(1, strLong, 0, 0, 1, 42));
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(CString("first"), combo.GetItemText(0));
    EXPECT_EQ(strLong, combo.GetItemText(1));
    EXPECT_TRUE(combo.GetComboBoxCtrl() != NULL);
    EXPECT_EQ(1, combo.DeleteItem(0));
    EXPECT_EQ(1, combo.GetCount());

    CAnimateCtrl anim;
    ASSERT_TRUE(anim.Create(WS_VISIBLE, CRect(0, 160, 40, 190), &host, 11));
    EXPECT_FALSE(anim.Open("no such clip.avi"));
    EXPECT_FALSE(anim.Open(999u));
    EXPECT_FALSE(anim.IsPlaying());
}

// OLE starts once per thread; a second call neither fails nor starts it again,
// and the clipboard's OLE side answers afterwards.
TEST(OleStartUp, StartsOnceAndClipboardAnswers)
{
    ASSERT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleInit());
    IDataObject* pData = NULL;
    HRESULT hr = ::OleGetClipboard(&pData);
    EXPECT_TRUE(SUCCEEDED(hr));
    if (pData)
        pData->Release();
}
