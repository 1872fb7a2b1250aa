#include "DocViewTestKit.h"
#include "TempDir.h"
#include "framework/CommandLineInfo.h"
#include "framework/Menu.h"
#include "framework/DC.h"
#include "framework/SplitterWnd.h"
#include "framework/CtrlView.h"
#include <commctrl.h>
#include <algorithm>
#include "framework/Dialog.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <dlgs.h>

std::vector<std::string> g_log;

IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)
BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
    ON_COMMAND(ID_CMD_ALL, &CNoteDoc::OnAll)
    ON_COMMAND(ID_CMD_DOCUP, &CNoteDoc::OnDocUp)
END_MESSAGE_MAP()

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << CString("NOTE") << m_strText;
        return;
    }
    CString strMagic;
    ar >> strMagic;
    if (strMagic != "NOTE") {
        ar.SetFailed();
        return;
    }
    ar >> m_strText;
}

IMPLEMENT_DYNCREATE(CNoteView, CView)
BEGIN_MESSAGE_MAP(CNoteView, CView)
    ON_COMMAND(ID_CMD_ALL, &CNoteView::OnAll)
    ON_UPDATE_COMMAND_UI(ID_CMD_UPDATED, &CNoteView::OnUpdateUpdated)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CNoteScrollView, CScrollView)

IMPLEMENT_DYNCREATE(CNoteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CNoteFrame, CFrameWnd)
    ON_COMMAND(ID_CMD_ALL, &CNoteFrame::OnAll)
    ON_COMMAND(ID_CMD_DOCUP, &CNoteFrame::OnDocUp)
    ON_COMMAND(ID_CMD_FRAMEUP, &CNoteFrame::OnFrameUp)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_CMD_ALL, &CTestApp::OnAll)
    ON_COMMAND(ID_CMD_DOCUP, &CTestApp::OnDocUp)
    ON_COMMAND(ID_CMD_FRAMEUP, &CTestApp::OnFrameUp)
    ON_COMMAND(ID_CMD_APP, &CTestApp::OnApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

namespace {

class DocView : public ::testing::Test {
protected:
    TempDir m_dir;
    CTestApp m_app;
    CSingleDocTemplate* m_pTemplate = NULL;

    void SetUp() override
    {
        g_log.clear();
        m_app.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
        m_pTemplate = new CSingleDocTemplate(IDR_NOTE, RUNTIME_CLASS(CNoteDoc),
                                             RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteView));
        m_app.AddDocTemplate(m_pTemplate);
    }
    void TearDown() override
    {
        m_app.CloseAllDocuments(FALSE);
        Pump();
    }
    CNoteDoc* Doc()
    {
        POSITION pos = m_pTemplate->GetFirstDocPosition();
        return pos ? static_cast<CNoteDoc*>(m_pTemplate->GetNextDoc(pos)) : NULL;
    }
    CNoteFrame* Frame() { return static_cast<CNoteFrame*>(m_app.m_pMainWnd); }
    CNoteView* View() { return static_cast<CNoteView*>(Frame()->GetActiveView()); }
    CString Title()
    {
        CString s;
        Frame()->GetWindowText(s);
        return s;
    }
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
};

}  // namespace

TEST_F(DocView, NewDocumentMakesFrameViewAndTitle)
{
    m_app.OnFileNew();
    CNoteDoc* pDoc = Doc();
    ASSERT_TRUE(pDoc != NULL);
    ASSERT_TRUE(Frame() != NULL);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    ASSERT_TRUE(View() != NULL);
    EXPECT_EQ(pDoc, View()->GetDocument());
    EXPECT_EQ(pDoc, Frame()->GetActiveDocument());
    EXPECT_EQ(m_pTemplate, pDoc->GetDocTemplate());
    EXPECT_EQ(1, View()->m_nInitialUpdates);
    EXPECT_EQ(CString("Note"), pDoc->GetTitle());
    EXPECT_EQ(CString("Note - DocView Test"), Title());
    EXPECT_TRUE(::GetMenu(Frame()->m_hWnd) != NULL);
    EXPECT_EQ(::GetMenu(Frame()->m_hWnd), Frame()->m_hMenuDefault);
    EXPECT_TRUE(Frame()->m_hAccelTable != NULL);
    EXPECT_EQ((UINT)IDR_NOTE, Frame()->m_nIDHelp);

    // a second new document reuses the document, the frame and the view
    CNoteView* pView = View();
    pDoc->m_strText = "x";
    pDoc->SetModifiedFlag();
    m_app.m_nAnswer = IDNO;
    m_app.OnFileNew();
    EXPECT_EQ(pDoc, Doc());
    EXPECT_EQ(pView, View());
    EXPECT_TRUE(pDoc->m_strText.IsEmpty());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(2, pView->m_nInitialUpdates);
    EXPECT_EQ(1u, m_app.m_prompts.size());

    // the view fills the frame's client area
    CRect rcClient, rcView;
    Frame()->GetClientRect(&rcClient);
    pView->GetWindowRect(&rcView);
    EXPECT_EQ(rcClient.Width(), rcView.Width());
    EXPECT_EQ(rcClient.Height(), rcView.Height());
}

TEST_F(DocView, SavedNoteReopensWithItsTextPathTitleAndRecentEntry)
{
    m_app.OnFileNew();
    CNoteDoc* pDoc = Doc();
    pDoc->m_strText = "Grüße, note one";
    pDoc->SetModifiedFlag();
    CString path = m_dir / "one.zvt";
    ASSERT_TRUE(pDoc->DoSave(path));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(FwGetFullPathName(path)));
    EXPECT_EQ(CString("one.zvt"), pDoc->GetTitle());
    Pump();
    Frame()->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(CString("one.zvt - DocView Test"), Title());
    EXPECT_EQ(0, (*m_app.m_pRecentFileList)[0].CompareNoCase(pDoc->GetPathName()));

    pDoc->m_strText = "changed";
    pDoc->SetModifiedFlag();
    m_app.m_nAnswer = IDNO;  // do not save the change
    CNoteView* pView = View();
    m_app.OnFileNew();
    ASSERT_EQ(pDoc, m_app.OpenDocumentFile(path));
    EXPECT_EQ(CString("Grüße, note one"), pDoc->m_strText);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pView, View());
    EXPECT_EQ(1u, m_app.m_prompts.size());
    EXPECT_NE(std::string::npos, m_app.m_prompts[0].find("one.zvt"));

    // Yes to the prompt saves first
    pDoc->m_strText = "saved on the way";
    pDoc->SetModifiedFlag();
    m_app.m_nAnswer = IDYES;
    m_app.OnFileNew();
    m_app.m_nAnswer = IDNO;
    ASSERT_EQ(pDoc, m_app.OpenDocumentFile(path));
    EXPECT_EQ(CString("saved on the way"), pDoc->m_strText);
}

TEST_F(DocView, FailedOpenLeavesTextPathAndModifiedFlag)
{
    m_app.OnFileNew();
    CNoteDoc* pDoc = Doc();
    CString good = m_dir / "good.zvt";
    pDoc->m_strText = "alpha";
    ASSERT_TRUE(pDoc->DoSave(good));
    pDoc->m_strText = "beta";
    pDoc->SetModifiedFlag();
    CString fullGood = pDoc->GetPathName();

    CString garbage = m_dir / "garbage.zvt";
    std::string junk = "\x05\x00\x00\x00NOTEjunk that is no note at all";
    ASSERT_TRUE(WriteBytes(garbage, junk));
    CString wrongMagic = m_dir / "magic.zvt";
    ASSERT_TRUE(WriteBytes(wrongMagic, std::string("\x04"
                                                   "BEEF\x01x",
                                                   7)));
    CString huge = m_dir / "huge.zvt";
    ASSERT_TRUE(WriteBytes(huge, std::string("\xff\xff\xff\xff\x7f", 5)));
    CString missing = m_dir / "missing.zvt";

    m_app.m_nAnswer = IDNO;
    for (const CString& bad : {garbage, wrongMagic, huge, missing}) {
        m_app.m_prompts.clear();
        EXPECT_TRUE(m_app.OpenDocumentFile(bad) == NULL) << (LPCTSTR)bad;
        EXPECT_EQ(pDoc, Doc());
        EXPECT_EQ(CString("beta"), pDoc->m_strText);
        EXPECT_EQ(fullGood, pDoc->GetPathName());
        EXPECT_EQ(CString("good.zvt"), pDoc->GetTitle());
        EXPECT_TRUE(pDoc->IsModified());
        ASSERT_EQ(2u, m_app.m_prompts.size());  // the save question, then the failure
        EXPECT_NE(std::string::npos, m_app.m_prompts[1].find("Failed to open"));
    }
    // a later save goes to the good file, never to one that failed to open
    pDoc->OnFileSave();
    EXPECT_EQ(junk, zavotest::ReadFile(garbage));
    EXPECT_EQ(std::string("\x04NOTE\x04"
                          "beta"),
              zavotest::ReadFile(good));
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(DocView, FailedOpenOfFirstDocumentLeavesNoDocumentOrFrame)
{
    CString missing = m_dir / "missing.zvt";
    EXPECT_TRUE(m_app.OpenDocumentFile(missing) == NULL);
    EXPECT_TRUE(Doc() == NULL);
    EXPECT_TRUE(m_app.m_pMainWnd == NULL);
}

TEST_F(DocView, FailedSaveKeepsModifiedFlagAndTheOldFile)
{
    m_app.OnFileNew();
    CNoteDoc* pDoc = Doc();
    CString path = m_dir / "kept.zvt";
    pDoc->m_strText = "one";
    ASSERT_TRUE(pDoc->DoSave(path));
    std::string before = zavotest::ReadFile(path);
    ASSERT_TRUE(::SetFileAttributes(path, FILE_ATTRIBUTE_READONLY));

    pDoc->m_strText = "two";
    pDoc->SetModifiedFlag();
    m_app.m_prompts.clear();
    EXPECT_FALSE(pDoc->OnSaveDocument(path));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(before, zavotest::ReadFile(path));
    ASSERT_EQ(1u, m_app.m_prompts.size());
    EXPECT_NE(std::string::npos, m_app.m_prompts[0].find("Failed to save"));

    CString nowhere = m_dir / "no such folder\\x.zvt";
    m_app.m_prompts.clear();
    EXPECT_FALSE(pDoc->DoSave(nowhere));
    EXPECT_TRUE(pDoc->IsModified());
    // the system's reason follows, as for a full disk
    ASSERT_EQ(1u, m_app.m_prompts.size());
    const std::string reason = (LPCTSTR)FwFormatSystemMessage(ERROR_DIRECTORY);
    EXPECT_EQ(std::string("\n") + reason,
              m_app.m_prompts[0].substr(m_app.m_prompts[0].find("Failed to save document.") + 24));
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(FwGetFullPathName(path)));

    // nothing but the file itself is left in the folder
    ::SetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATA fd;
    HANDLE hFind = ::FindFirstFile(m_dir / "*", &fd);
    int nFiles = 0;
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++nFiles;
        } while (::FindNextFile(hFind, &fd));
        ::FindClose(hFind);
    }
    EXPECT_EQ(1, nFiles);
}

TEST_F(DocView, CommandsGoToViewThenDocumentThenFrameThenApplication)
{
    m_app.OnFileNew();
    Command(ID_CMD_ALL);
    Command(ID_CMD_DOCUP);
    Command(ID_CMD_FRAMEUP);
    Command(ID_CMD_APP);
    Command(ID_CMD_NONE);
    std::vector<std::string> expected = {"view:all", "doc:docup", "frame:frameup", "app:app"};
    EXPECT_EQ(expected, g_log);

    // without an active view the frame comes first
    g_log.clear();
    Frame()->SetActiveView(NULL);
    Command(ID_CMD_ALL);
    Command(ID_CMD_DOCUP);
    expected = {"frame:all", "frame:docup"};
    EXPECT_EQ(expected, g_log);
}

TEST_F(DocView, MenuItemsWithoutHandlerAreDisabledUnlessAutoEnableIsOff)
{
    m_app.OnFileNew();
    CMenu* pPopup = CMenu::FromHandle(::GetSubMenu(Frame()->m_hMenuDefault, 1));
    ASSERT_TRUE(pPopup != NULL);
    auto state = [&](UINT nID) { return ::GetMenuState(pPopup->m_hMenu, nID, MF_BYCOMMAND); };
    Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, 1);
    EXPECT_FALSE(state(ID_CMD_ALL) & MF_GRAYED);
    EXPECT_FALSE(state(ID_CMD_APP) & MF_GRAYED);
    EXPECT_TRUE(state(ID_CMD_NONE) & MF_GRAYED);
    EXPECT_TRUE(state(ID_CMD_UPDATED) & MF_GRAYED);

    Frame()->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(pPopup->m_hMenu, ID_CMD_NONE, MF_BYCOMMAND | MF_ENABLED);
    Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, 1);
    EXPECT_FALSE(state(ID_CMD_NONE) & MF_GRAYED);
    EXPECT_TRUE(state(ID_CMD_UPDATED) & MF_GRAYED);  // its own handler still counts

    // a disabled command sent anyway is not carried out
    Command(ID_CMD_UPDATED);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(DocView, RecentFileMenuListsOpenedFileAndReopensIt)
{
    m_app.OnFileNew();
    CString path = m_dir / "recent.zvt";
    Doc()->m_strText = "recent";
    ASSERT_TRUE(Doc()->DoSave(path));
    m_app.OnFileNew();
    EXPECT_TRUE(Doc()->m_strText.IsEmpty());

    CMenu* pFile = CMenu::FromHandle(::GetSubMenu(Frame()->m_hMenuDefault, 0));
    Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pFile->m_hMenu, 0);
    CString item;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, item, MF_BYCOMMAND);
    EXPECT_NE(-1, item.Find("recent.zvt")) << (LPCTSTR)item;
    EXPECT_FALSE(::GetMenuState(pFile->m_hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(CString("recent"), Doc()->m_strText);
    EXPECT_EQ(CString("recent.zvt"), Doc()->GetTitle());
}

TEST_F(DocView, RecentFileStaysAfterCancelAtSaveChangesAndGoesWhenItCannotOpen)
{
    m_app.OnFileNew();
    CString path = m_dir / "recent.zvt";
    ASSERT_TRUE(Doc()->DoSave(path));
    m_app.OnFileNew();
    Doc()->m_strText = "unsaved";
    Doc()->SetModifiedFlag();
    m_app.m_nAnswer = IDCANCEL;
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(1u, m_app.m_prompts.size());
    EXPECT_EQ(CString("unsaved"), Doc()->m_strText);
    EXPECT_EQ(0, (*m_app.m_pRecentFileList)[0].CompareNoCase(FwGetFullPathName(path)));

    m_app.m_nAnswer = IDNO;
    Doc()->SetModifiedFlag(FALSE);
    ASSERT_TRUE(FwDeleteFile(path));
    Command(ID_FILE_MRU_FILE1);
    EXPECT_TRUE((*m_app.m_pRecentFileList)[0].IsEmpty());
}

namespace {
class CCountingFrame : public CFrameWnd {
public:
    int m_nIdleUpdates = 0;
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam)
    {
        ++m_nIdleUpdates;
        return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingFrame, CFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CCountingFrame::OnIdleUpdate)
END_MESSAGE_MAP()
class CIdleLogWnd : public CWnd {
public:
    explicit CIdleLogWnd(std::vector<std::string>* pLog, const char* name) : m_pLog(pLog), m_name(name) {}
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        m_pLog->push_back(m_name);
        return 0;
    }
    std::vector<std::string>* m_pLog;
    std::string m_name;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleLogWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CIdleLogWnd::OnIdleUpdate)
END_MESSAGE_MAP()
}  // namespace

// Every descendant with an object of ours, parents before their children,
// also below a window without one.
TEST_F(DocView, IdleUpdateReachesEveryDescendantParentsFirst)
{
    m_app.OnFileNew();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_app.m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL);
    std::vector<std::string> log;
    CIdleLogWnd outer(&log, "outer"), inner(&log, "inner"), below(&log, "below");
    const RECT rc = {0, 0, 40, 40};
    ASSERT_TRUE(outer.Create(NULL, "", WS_CHILD | WS_VISIBLE, rc, pFrame, 901));
    ASSERT_TRUE(inner.Create(NULL, "", WS_CHILD | WS_VISIBLE, rc, &outer, 902));
    HWND hPlain = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 40, pFrame->m_hWnd,
                                    (HMENU)903, NULL, NULL);
    ASSERT_TRUE(hPlain != NULL);
    CWnd plain;
    plain.m_hWnd = hPlain;
    ASSERT_TRUE(below.Create(NULL, "", WS_CHILD | WS_VISIBLE, rc, &plain, 904));
    plain.m_hWnd = NULL;
    m_app.OnIdle(0);
    auto at = [&](const char* name) { return std::find(log.begin(), log.end(), name) - log.begin(); };
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "outer"));
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "inner"));
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "below"));
    EXPECT_LT(at("outer"), at("inner"));
    below.DestroyWindow();
    ::DestroyWindow(hPlain);
    inner.DestroyWindow();
    outer.DestroyWindow();
}

TEST_F(DocView, IdleUpdateReachesEveryVisibleTopLevelFrame)
{
    m_app.OnFileNew();
    CCountingFrame* pOther = new CCountingFrame;  // deletes itself when destroyed
    ASSERT_TRUE(pOther->Create(NULL, "Second frame", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault));
    m_app.OnIdle(0);
    EXPECT_EQ(0, pOther->m_nIdleUpdates);  // not while hidden
    pOther->ShowWindow(SW_SHOWNOACTIVATE);
    m_app.OnIdle(0);
    EXPECT_EQ(1, pOther->m_nIdleUpdates);
    pOther->DestroyWindow();
}

TEST_F(DocView, ShellCommandOpensNamedFileAfterNewDocument)
{
    CString path = m_dir / "shell.zvt";
    {
        m_app.OnFileNew();
        Doc()->m_strText = "from the command line";
        ASSERT_TRUE(Doc()->DoSave(path));
        m_app.CloseAllDocuments(FALSE);
        Pump();
        ASSERT_TRUE(Doc() == NULL);
        m_app.m_pRecentFileList->Remove(0);
    }
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileNew;
    ASSERT_TRUE(m_app.ProcessShellCommand(info));
    ASSERT_TRUE(Doc() != NULL);
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = path;
    ASSERT_TRUE(m_app.ProcessShellCommand(info));
    EXPECT_EQ(CString("from the command line"), Doc()->m_strText);
    EXPECT_EQ(0, (*m_app.m_pRecentFileList)[0].CompareNoCase(FwGetFullPathName(path)));

    info.m_strFileName = m_dir / "absent.zvt";
    EXPECT_FALSE(m_app.ProcessShellCommand(info));
    info.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(m_app.ProcessShellCommand(info));
}

TEST_F(DocView, CloseAsksToSaveAndCancelKeepsTheWindow)
{
    m_app.OnFileNew();
    Doc()->SetModifiedFlag();
    HWND hFrame = Frame()->m_hWnd;
    m_app.m_nAnswer = IDCANCEL;
    ::SendMessage(hFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(Doc() != NULL);
    m_app.m_nAnswer = IDNO;
    ::SendMessage(hFrame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_TRUE(Doc() == NULL);
    EXPECT_TRUE(m_app.m_pMainWnd == NULL);
    EXPECT_EQ(2u, m_app.m_prompts.size());
}

// Logoff and shutdown: the question decides whether the session may end,
// and the end itself closes the documents.
TEST_F(DocView, SessionEndQueryCancelKeepsTheChangeAndTheFile)
{
    m_app.OnFileNew();
    CString path = m_dir / "session.zvt";
    Doc()->m_strText = "on disk";
    ASSERT_TRUE(Doc()->DoSave(path));
    std::string before = zavotest::ReadFile((LPCTSTR)path);
    Doc()->m_strText = "edited";
    Doc()->SetModifiedFlag();
    m_app.m_nAnswer = IDCANCEL;
    EXPECT_EQ(0, Frame()->SendMessage(WM_QUERYENDSESSION, 0, 0));
    ASSERT_EQ(1u, m_app.m_prompts.size());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(CString("edited"), Doc()->m_strText);
    EXPECT_EQ(before, zavotest::ReadFile((LPCTSTR)path));
}

TEST_F(DocView, SessionEndQueryYesSavesTheChange)
{
    m_app.OnFileNew();
    CString path = m_dir / "session.zvt";
    ASSERT_TRUE(Doc()->DoSave(path));
    Doc()->m_strText = "saved at logoff";
    Doc()->SetModifiedFlag();
    m_app.m_nAnswer = IDYES;
    EXPECT_NE(0, Frame()->SendMessage(WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(Doc()->IsModified());
    m_app.m_nAnswer = IDNO;
    m_app.OnFileNew();
    ASSERT_TRUE(m_app.OpenDocumentFile(path) != NULL);
    EXPECT_EQ(CString("saved at logoff"), Doc()->m_strText);
}

TEST_F(DocView, SessionEndClosesTheDocumentsOnlyWhenItEnds)
{
    m_app.OnFileNew();
    HWND hFrame = Frame()->m_hWnd;
    ::SendMessage(hFrame, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(Doc() != NULL);
    ::SendMessage(hFrame, WM_ENDSESSION, TRUE, 0);
    m_app.Run();
    EXPECT_TRUE(Doc() == NULL);
    EXPECT_EQ(1, m_app.m_nExits);
    EXPECT_TRUE(m_app.m_prompts.empty());
}

namespace {
HWND g_hEndingFrame = NULL;

void CALLBACK EndSessionNow(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(NULL, id);
    ::SendMessage(g_hEndingFrame, WM_ENDSESSION, TRUE, 0);
}
}  // namespace

// The end of the session arrives inside a dialog's loop: the code after the
// loop still finds its document, and the program ends once.
TEST_F(DocView, SessionEndInsideAModalLoopWaitsForItToUnwind)
{
    m_app.OnFileNew();
    CNoteDoc* pDoc = Doc();
    g_hEndingFrame = Frame()->m_hWnd;
    CWnd box;
    ASSERT_TRUE(box.CreateEx(0, "STATIC", "box", WS_POPUP, 0, 0, 10, 10, g_hEndingFrame, NULL));
    UINT_PTR timer = ::SetTimer(NULL, 0, 20, EndSessionNow);
    box.RunModalLoop();
    ::KillTimer(NULL, timer);
    EXPECT_EQ(pDoc, Doc());
    EXPECT_EQ(0, m_app.m_nExits);
    box.DestroyWindow();
    m_app.Run();
    EXPECT_TRUE(Doc() == NULL);
    EXPECT_EQ(1, m_app.m_nExits);
}

TEST_F(DocView, FileCloseCommandClosesTheDocument)
{
    m_app.OnFileNew();
    Doc()->SetModifiedFlag();
    m_app.m_nAnswer = IDCANCEL;
    Command(ID_FILE_CLOSE);
    ASSERT_TRUE(Doc() != NULL);
    m_app.m_nAnswer = IDNO;
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(Doc() == NULL);
}

TEST_F(DocView, DroppedFileOpensThroughTheApplication)
{
    m_app.OnFileNew();
    CString path = m_dir / "dropped.zvt";
    Doc()->m_strText = "dropped";
    ASSERT_TRUE(Doc()->DoSave(path));
    m_app.OnFileNew();

    CString full = FwGetFullPathName(path);
    size_t cb = sizeof(DROPFILES) + (size_t)full.GetLength() + 2;
    HGLOBAL hDrop = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    DROPFILES* pDrop = (DROPFILES*)::GlobalLock(hDrop);
    pDrop->pFiles = sizeof(DROPFILES);
    memcpy((char*)pDrop + sizeof(DROPFILES), (LPCTSTR)full, (size_t)full.GetLength());
    ::GlobalUnlock(hDrop);
    Frame()->SendMessage(WM_DROPFILES, (WPARAM)hDrop, 0);  // the frame frees it
    EXPECT_EQ(CString("dropped"), Doc()->m_strText);
}

TEST_F(DocView, UpdateAllViewsSkipsTheSender)
{
    m_app.OnFileNew();
    CNoteView* pView = View();
    int nBefore = pView->m_nUpdates;
    Doc()->UpdateAllViews(NULL);
    EXPECT_EQ(nBefore + 1, pView->m_nUpdates);
    Doc()->UpdateAllViews(pView);
    EXPECT_EQ(nBefore + 1, pView->m_nUpdates);
    POSITION pos = Doc()->GetFirstViewPosition();
    EXPECT_EQ(pView, Doc()->GetNextView(pos));
    EXPECT_TRUE(pos == NULL);
}

TEST_F(DocView, DocStringFieldsAndShellRegistration)
{
    static const char* kFields[] = {"DocView Test", "Note", "Note", "Note files (*.zvt)", ".zvt",
                                    "ZavoTest.Note", "Zavo Test Note"};
    for (int i = 0; i <= CDocTemplate::regFileTypeName; i++) {
        CString s;
        EXPECT_TRUE(m_pTemplate->GetDocString(s, (CDocTemplate::DocStringIndex)i));
        EXPECT_EQ(CString(kFields[i]), s);
    }
    m_app.RegisterShellFileTypes(TRUE);
    char buf[256] = "";
    LONG cb = sizeof(buf);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CURRENT_USER, "Software\\Classes\\.zvt", buf, &cb));
    EXPECT_STREQ("ZavoTest.Note", buf);
    cb = sizeof(buf);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CURRENT_USER,
                                             "Software\\Classes\\ZavoTest.Note\\shell\\open\\command", buf, &cb));
    EXPECT_NE(nullptr, strstr(buf, "\"%1\""));
    m_app.UnregisterShellFileTypes();
    cb = sizeof(buf);
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValue(HKEY_CURRENT_USER, "Software\\Classes\\.zvt", buf, &cb));
}

namespace {
// Records the file dialog's filter instead of showing it.
class CPromptManager : public CDocManager {
public:
    CString m_strFilter, m_strDefExt, m_strTitle, m_strProposed;
    int m_nFilterIndex = -1;
    int m_nAsked = 0;
    CString m_strAnswer;
    BOOL RunFileDialog(BOOL, LPCTSTR lpszTitle, DWORD, LPCTSTR lpszFilter, int nFilterIndex,
                       LPCTSTR lpszDefExt, CString& fileName) override
    {
        ++m_nAsked;
        m_strProposed = fileName;
        m_strTitle = lpszTitle;
        m_strFilter.Empty();
        for (LPCTSTR p = lpszFilter; *p; p += strlen(p) + 1)
            m_strFilter += CString(p) + "|";
        m_nFilterIndex = nFilterIndex;
        m_strDefExt = lpszDefExt ? lpszDefExt : "";
        if (m_strAnswer.IsEmpty())
            return FALSE;
        fileName = m_strAnswer;
        return TRUE;
    }
};
}  // namespace

TEST(DocManager, PromptFilterComesFromTheTemplatesAndSaveAsUsesTheAnswer)
{
    TempDir dir;
    CTestApp app;
    CPromptManager* pManager = new CPromptManager;
    app.m_pDocManager = pManager;  // replaced before the first template
    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_NOTE, RUNTIME_CLASS(CNoteDoc),
                                                           RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteView));
    pTemplate->m_strDocStrings = "T\nN\nN\nTwo kinds\n.zvt;.zvu\nId\nName";
    app.AddDocTemplate(pTemplate);
    app.OnFileNew();
    POSITION pos = app.GetFirstDocTemplatePosition();
    EXPECT_EQ(pTemplate, app.GetNextDocTemplate(pos));

    CString name;
    EXPECT_FALSE(app.DoPromptFileName(name, AFX_IDS_OPENFILE, 0, TRUE, NULL));
    EXPECT_EQ(CString("Two kinds|*.zvt;*.zvu|All Files (*.*)|*.*|"), pManager->m_strFilter);
    EXPECT_EQ(1, pManager->m_nFilterIndex);
    EXPECT_EQ(CString("zvt"), pManager->m_strDefExt);
    EXPECT_EQ(CString("Open"), pManager->m_strTitle);

    pos = pTemplate->GetFirstDocPosition();
    CNoteDoc* pDoc = static_cast<CNoteDoc*>(pTemplate->GetNextDoc(pos));
    pDoc->m_strText = "as";
    pManager->m_strAnswer = dir / "saved as.zvt";
    pDoc->OnFileSaveAs();
    EXPECT_EQ(CString("saved as.zvt"), pDoc->GetTitle());
    EXPECT_EQ(CString("N.zvt"), pManager->m_strProposed);  // title and first extension
    EXPECT_FALSE(zavotest::ReadFile(dir / "saved as.zvt").empty());

    // Save keeps to the document's file without asking; a read-only one asks for another
    pManager->m_nAsked = 0;
    pDoc->m_strText = "again";
    pDoc->OnFileSave();
    EXPECT_EQ(0, pManager->m_nAsked);
    EXPECT_EQ(std::string("\x04NOTE\x05"
                          "again"),
              zavotest::ReadFile(dir / "saved as.zvt"));
    ASSERT_TRUE(::SetFileAttributes(dir / "saved as.zvt", FILE_ATTRIBUTE_READONLY));
    pManager->m_strAnswer = dir / "copy.zvt";
    pDoc->OnFileSave();
    EXPECT_EQ(1, pManager->m_nAsked);
    EXPECT_EQ(CString("copy.zvt"), pDoc->GetTitle());
    ::SetFileAttributes(dir / "saved as.zvt", FILE_ATTRIBUTE_NORMAL);

    // a cancelled prompt saves nothing and keeps the flag
    pManager->m_strAnswer.Empty();
    pDoc->SetModifiedFlag();
    EXPECT_FALSE(pDoc->DoSave(NULL));
    EXPECT_TRUE(pDoc->IsModified());
    app.CloseAllDocuments(FALSE);
    Pump();
}

TEST_F(DocView, ScrollViewFollowsBarsAndWheel)
{
    m_pTemplate->m_pViewClass = RUNTIME_CLASS(CNoteScrollView);
    m_app.OnFileNew();
    Frame()->SetWindowPos(NULL, 0, 0, 300, 300, SWP_NOZORDER | SWP_NOMOVE);
    CNoteScrollView* pView = static_cast<CNoteScrollView*>(Frame()->GetActiveView());
    ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CScrollView)));
    pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(100, 150), CSize(10, 15));
    CRect rc;
    pView->GetClientRect(&rc);
    EXPECT_TRUE(pView->GetStyle() & WS_VSCROLL);

    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(CPoint(0, 15), pView->GetDeviceScrollPosition());
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(CPoint(0, 165), pView->GetScrollPosition());
    EXPECT_EQ(165, pView->GetScrollPos(SB_VERT));
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 700), 0);
    EXPECT_EQ(700, pView->GetDeviceScrollPosition().y);
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    pView->GetClientRect(&rc);
    EXPECT_EQ(2000 - rc.Height(), pView->GetDeviceScrollPosition().y);
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5000), 0);
    EXPECT_EQ(2000 - rc.Height(), pView->GetDeviceScrollPosition().y);
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(0, pView->GetDeviceScrollPosition().y);

    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    EXPECT_EQ((int)nLines * 15, pView->GetDeviceScrollPosition().y);
    pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(10, pView->GetDeviceScrollPosition().x);
    pView->ScrollToPosition(CPoint(-5, 40));
    EXPECT_EQ(CPoint(0, 40), pView->GetDeviceScrollPosition());

    // the DC is shifted by the position
    HDC hDC = ::GetDC(pView->m_hWnd);
    CDC* pDC = CDC::FromHandle(hDC);
    pView->OnPrepareDC(pDC);
    EXPECT_EQ(CPoint(0, -40), pDC->GetViewportOrg());
    ::ReleaseDC(pView->m_hWnd, hDC);

    // a smaller page brings the position back into range
    pView->SetScrollSizes(MM_TEXT, CSize(100, 100));
    EXPECT_EQ(CPoint(0, 0), pView->GetDeviceScrollPosition());
}

namespace {
class CSplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CSplitFrame)
public:
    CSplitterWnd m_split;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_split.CreateStatic(this, 1, 2) &&
               m_split.CreateView(0, 0, RUNTIME_CLASS(CNoteView), CSize(120, 100), pContext) &&
               m_split.CreateView(0, 1, RUNTIME_CLASS(CNoteView), CSize(100, 100), pContext);
    }
};
IMPLEMENT_DYNCREATE(CSplitFrame, CFrameWnd)

class CRowSplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CRowSplitFrame)
public:
    CSplitterWnd m_split;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        m_split.SetRowInfo(0, 0, 0);  // before creation: nothing to set
        return m_split.CreateStatic(this, 2, 1) &&
               m_split.CreateView(0, 0, RUNTIME_CLASS(CNoteView), CSize(100, 80), pContext) &&
               m_split.CreateView(1, 0, RUNTIME_CLASS(CNoteView), CSize(100, 80), pContext) &&
               !m_split.CreateView(1, 0, RUNTIME_CLASS(CNoteView), CSize(1, 1), pContext) &&
               !m_split.CreateView(2, 0, RUNTIME_CLASS(CNoteView), CSize(1, 1), pContext);
    }
};
IMPLEMENT_DYNCREATE(CRowSplitFrame, CFrameWnd)
}  // namespace

TEST_F(DocView, RowSplitterSizesRowsAndDragsTheHorizontalBar)
{
    m_pTemplate->m_pFrameClass = RUNTIME_CLASS(CRowSplitFrame);
    m_app.OnFileNew();
    CRowSplitFrame* pFrame = static_cast<CRowSplitFrame*>(m_app.m_pMainWnd);
    pFrame->SetWindowPos(NULL, 0, 0, 300, 400, SWP_NOZORDER | SWP_NOMOVE);
    CSplitterWnd& split = pFrame->m_split;
    ASSERT_EQ(2, split.GetRowCount());
    ASSERT_EQ(1, split.GetColumnCount());
    CWnd* pTop = split.GetPane(0, 0);
    CWnd* pBottom = split.GetPane(1, 0);
    ASSERT_TRUE(pTop && pBottom);
    int row = -1, col = -1;
    EXPECT_TRUE(split.IsChildPane(pBottom, &row, &col));
    EXPECT_EQ(1, row);
    EXPECT_EQ(0, col);
    EXPECT_FALSE(split.IsChildPane(pFrame, &row, &col));

    split.SetRowInfo(0, 100, 30);
    split.RecalcLayout();
    CRect rcSplit, rcTop, rcBottom;
    split.GetClientRect(&rcSplit);
    pTop->GetWindowRect(&rcTop);
    pBottom->GetWindowRect(&rcBottom);
    EXPECT_EQ(100, rcTop.Height());
    EXPECT_EQ(rcSplit.Height() - 100 - split.m_cySplitter, rcBottom.Height());
    EXPECT_EQ(rcSplit.Width(), rcTop.Width());

    int y = 100 + 3;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, y));
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, y + 60));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, y + 60));
    pTop->GetWindowRect(&rcTop);
    EXPECT_EQ(160, rcTop.Height());
    int cy = 0, cyMin = 0;
    split.GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(160, cy);
    EXPECT_EQ(30, cyMin);
    // far past the end: the bottom pane keeps its minimum
    int cyBottom = 0, cyBottomMin = 0;
    split.GetRowInfo(1, cyBottom, cyBottomMin);
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 160 + 3));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 5000));
    pTop->GetWindowRect(&rcTop);
    int cyMax = rcSplit.Height() - split.m_cySplitter - cyBottomMin;
    EXPECT_EQ(cyMax, rcTop.Height());
    // a click beside the bar moves nothing
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 50));
    pTop->GetWindowRect(&rcTop);
    EXPECT_EQ(cyMax, rcTop.Height());
}

TEST_F(DocView, SplitterHoldsTwoViewsOfTheDocumentAndMovesItsBar)
{
    m_pTemplate->m_pFrameClass = RUNTIME_CLASS(CSplitFrame);
    m_app.OnFileNew();
    CSplitFrame* pFrame = static_cast<CSplitFrame*>(m_app.m_pMainWnd);
    pFrame->SetWindowPos(NULL, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    CSplitterWnd& split = pFrame->m_split;
    CWnd* pLeft = split.GetPane(0, 0);
    CWnd* pRight = split.GetPane(0, 1);
    ASSERT_TRUE(pLeft && pRight);
    EXPECT_TRUE(split.GetPane(1, 0) == NULL);
    EXPECT_EQ(pLeft, pFrame->GetActiveView());
    int nViews = 0;
    for (POSITION pos = Doc()->GetFirstViewPosition(); pos != NULL; Doc()->GetNextView(pos))
        ++nViews;
    EXPECT_EQ(2, nViews);
    EXPECT_EQ(1, static_cast<CNoteView*>(pRight)->m_nInitialUpdates);

    CRect rcSplit, rcLeft, rcRight;
    split.GetClientRect(&rcSplit);
    pLeft->GetWindowRect(&rcLeft);
    pRight->GetWindowRect(&rcRight);
    EXPECT_EQ(120, rcLeft.Width());
    EXPECT_EQ(rcSplit.Width() - 120 - split.m_cxSplitter, rcRight.Width());
    int cx = 0, cxMin = 0;
    split.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(120, cx);

    split.SetColumnInfo(0, 200, 20);
    split.RecalcLayout();
    pLeft->GetWindowRect(&rcLeft);
    EXPECT_EQ(200, rcLeft.Width());

    // drag the bar 50 pixels to the left
    int x = 200 + 2;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 50));
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 50, 60));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x - 50, 60));
    pLeft->GetWindowRect(&rcLeft);
    EXPECT_EQ(150, rcLeft.Width());
    // never below the minimum
    x = 150 + 2;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 50));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(0, 60));
    pLeft->GetWindowRect(&rcLeft);
    EXPECT_EQ(20, rcLeft.Width());
}

namespace {
// Types a name into the file dialog this thread shows and presses OK.
CString g_strTyped;
int g_nTicks = 0;
BOOL CALLBACK FindFileDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    ::GetClassName(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}
void CALLBACK TypeIntoFileDialog(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    HWND hDlg = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindFileDialog, (LPARAM)&hDlg);
    if (hDlg == NULL) {
        if (++g_nTicks > 100)
            ::KillTimer(NULL, idEvent);
        return;
    }
    ::KillTimer(NULL, idEvent);
    HWND hName = ::GetDlgItem(hDlg, cmb13);
    if (hName == NULL)
        hName = ::GetDlgItem(hDlg, edt1);
    ::SetWindowText(hName, g_strTyped);
    ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
}
}  // namespace

TEST_F(DocView, FileOpenCommandAsksThroughTheFileDialog)
{
    m_app.OnFileNew();
    CString path = m_dir / "asked.zvt";
    Doc()->m_strText = "asked for";
    ASSERT_TRUE(Doc()->DoSave(path));
    m_app.OnFileNew();
    ASSERT_TRUE(Doc()->m_strText.IsEmpty());

    g_strTyped = FwGetFullPathName(path);
    g_nTicks = 0;
    ::SetTimer(NULL, 0, 50, TypeIntoFileDialog);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(CString("asked for"), Doc()->m_strText);
    EXPECT_EQ(CString("asked.zvt"), Doc()->GetTitle());
}

TEST_F(DocView, AcceleratorOfTheFrameRunsItsCommand)
{
    m_app.OnFileNew();
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = View()->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'A';
    msg.lParam = 1;
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(std::vector<std::string>{"app:app"}, g_log);
    msg.wParam = 'Q';
    EXPECT_FALSE(m_app.PreTranslateMessage(&msg));
}

TEST_F(DocView, TitleWithoutAddToTitleStyleStaysTheApplications)
{
    m_app.OnFileNew();
    Frame()->ModifyStyle(FWS_ADDTOTITLE, 0);
    Frame()->SetWindowText("fixed");
    Doc()->SetTitle("other");
    Frame()->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(CString("fixed"), Title());
    Frame()->ModifyStyle(0, FWS_ADDTOTITLE);
    Frame()->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(CString("other - DocView Test"), Title());
}

TEST_F(DocView, ForeignExtensionStillOpensThroughTheOnlyTemplate)
{
    m_app.OnFileNew();
    CString path = m_dir / "note.txt";
    Doc()->m_strText = "foreign";
    ASSERT_TRUE(Doc()->DoSave(path));
    CDocument* pMatch = NULL;
    EXPECT_EQ(CDocTemplate::yesAlreadyOpen, m_pTemplate->MatchDocType(path, pMatch));
    EXPECT_EQ(Doc(), pMatch);
    m_app.OnFileNew();
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, m_pTemplate->MatchDocType(path, pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptNative, m_pTemplate->MatchDocType(m_dir / "x.ZVT", pMatch));
    ASSERT_TRUE(m_app.OpenDocumentFile(path) != NULL);
    EXPECT_EQ(CString("foreign"), Doc()->m_strText);
    EXPECT_EQ(1, m_app.m_pDocManager->GetOpenDocumentCount());
}

TEST(FrameWnd, LoadFrameWithoutContextTakesMenuTitleAndAccelerators)
{
    CTestApp app;
    g_log.clear();
    CNoteFrame* pFrame = new CNoteFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_NOTE));
    HWND hWnd = pFrame->m_hWnd;
    EXPECT_EQ(CString("DocView Test"), pFrame->GetTitle());
    CString strText;
    pFrame->GetWindowText(strText);
    EXPECT_EQ(CString("DocView Test"), strText);
    EXPECT_TRUE(::GetMenu(hWnd) != NULL);
    EXPECT_TRUE(pFrame->m_hAccelTable != NULL);
    EXPECT_TRUE(pFrame->GetActiveView() == NULL);
    EXPECT_TRUE(pFrame->GetActiveDocument() == NULL);
    pFrame->SendMessage(WM_COMMAND, ID_CMD_FRAMEUP);
    EXPECT_EQ(std::vector<std::string>{"frame:frameup"}, g_log);
    g_log.clear();
    // not the main window: closing it only destroys it
    ::SendMessage(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hWnd));

    // an id without menu, string or accelerators still makes a plain window
    CNoteFrame* pBare = new CNoteFrame;
    ASSERT_TRUE(pBare->LoadFrame(IDR_NOTE + 77));
    EXPECT_TRUE(::GetMenu(pBare->m_hWnd) == NULL);
    EXPECT_TRUE(pBare->m_hAccelTable == NULL);
    pBare->DestroyWindow();
}

TEST_F(DocView, DialogCommandsGoOnToTheOwnerFrameThenTheApplication)
{
    m_app.OnFileNew();
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ROUTE, Frame()));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_DOCUP, BN_CLICKED),
                    (LPARAM)::GetDlgItem(dlg.m_hWnd, ID_CMD_DOCUP));
    dlg.SendMessage(WM_COMMAND, ID_CMD_FRAMEUP, 0);
    ASSERT_EQ(2u, g_log.size());
    EXPECT_EQ("doc:docup", g_log[0]);
    EXPECT_EQ("frame:frameup", g_log[1]);
    // buttons whose handler lives in the frame stay enabled
    dlg.UpdateDialogControls(&dlg, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, ID_CMD_DOCUP)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, ID_CMD_FRAMEUP)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, ID_CMD_NONE)));
    dlg.DestroyWindow();

    // without an owner the thread (the application) is next
    CWnd* pFrame = m_app.m_pMainWnd;
    m_app.m_pMainWnd = NULL;
    CDialog lone;
    ASSERT_TRUE(lone.Create(IDD_ROUTE));
    m_app.m_pMainWnd = pFrame;
    EXPECT_EQ(NULL, ::GetParent(lone.m_hWnd));
    g_log.clear();
    lone.SendMessage(WM_COMMAND, ID_CMD_APP, 0);
    ASSERT_EQ(1u, g_log.size());
    EXPECT_EQ("app:app", g_log[0]);
}

namespace {
// Counts the Save As prompts and cancels them.
class CCountingDocManager : public CDocManager {
public:
    int m_nPrompts = 0;
    BOOL DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*) override
    {
        ++m_nPrompts;
        return FALSE;
    }
};

// Loads straight into the document and leaves half a load when it fails.
class CHalfLoadDoc : public CNoteDoc {
    DECLARE_DYNCREATE(CHalfLoadDoc)
public:
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override
    {
        if (CString(lpszPathName).Find("half") < 0)
            return CNoteDoc::OnOpenDocument(lpszPathName);
        DeleteContents();
        m_strText = "half";
        SetModifiedFlag();
        return FALSE;
    }
};
IMPLEMENT_DYNCREATE(CHalfLoadDoc, CNoteDoc)
}  // namespace

TEST(DocSave, VanishedFolderAsksForANameAndAHalfLoadNeverReachesTheOldFile)
{
    TempDir dir;
    CTestApp app;
    CCountingDocManager* pManager = new CCountingDocManager;
    app.m_pDocManager = pManager;
    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(
        IDR_NOTE, RUNTIME_CLASS(CHalfLoadDoc), RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteView));
    app.AddDocTemplate(pTemplate);
    app.OnFileNew();
    POSITION pos = pTemplate->GetFirstDocPosition();
    CHalfLoadDoc* pDoc = static_cast<CHalfLoadDoc*>(pTemplate->GetNextDoc(pos));
    ASSERT_TRUE(pDoc != NULL);

    // the folder of the saved file is removed: Save asks once, writes nothing
    CString folder = dir / "gone";
    ASSERT_TRUE(::CreateDirectory(folder, NULL));
    CString path = folder + "\\note.zvt";
    pDoc->m_strText = "kept";
    ASSERT_TRUE(pDoc->DoSave(path));
    ASSERT_TRUE(::DeleteFile(path));
    ASSERT_TRUE(::RemoveDirectory(folder));
    pDoc->SetModifiedFlag();
    EXPECT_FALSE(pDoc->DoFileSave());
    EXPECT_EQ(1, pManager->m_nPrompts);
    EXPECT_FALSE(FwFileExists(folder));
    EXPECT_TRUE(app.m_prompts.empty()) << app.m_prompts[0];

    // a load that fails half-way into the open document: it becomes a new
    // untitled one, so Save cannot put the half load over the good file
    CString good = dir / "good.zvt";
    ASSERT_TRUE(pDoc->DoSave(good));
    ASSERT_TRUE(WriteBytes(dir / "half.zvt", "\x04NOTE\x09cut"));
    EXPECT_TRUE(app.OpenDocumentFile(dir / "half.zvt") == NULL);
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->m_strText.IsEmpty());
    EXPECT_EQ(CString("Note"), pDoc->GetTitle());
    pManager->m_nPrompts = 0;
    EXPECT_FALSE(pDoc->DoFileSave());
    EXPECT_EQ(1, pManager->m_nPrompts);
    EXPECT_EQ(std::string("\x04NOTE\x04kept"), zavotest::ReadFile(good));
    app.CloseAllDocuments(FALSE);
    Pump();
}

namespace {
class CControlSplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CControlSplitFrame)
public:
    CSplitterWnd m_split;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_split.CreateStatic(this, 1, 2) &&
               m_split.CreateView(0, 0, RUNTIME_CLASS(CTreeView), CSize(150, 150), pContext) &&
               m_split.CreateView(0, 1, RUNTIME_CLASS(CListView), CSize(100, 100), pContext);
    }
};
IMPLEMENT_DYNCREATE(CControlSplitFrame, CFrameWnd)
}  // namespace

TEST_F(DocView, TreeAndListViewsAreTheirControlsInsideTheSplitter)
{
    m_pTemplate->m_pFrameClass = RUNTIME_CLASS(CControlSplitFrame);
    m_app.OnFileNew();
    CControlSplitFrame* pFrame = static_cast<CControlSplitFrame*>(m_app.m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL);
    CWnd* pTree = pFrame->m_split.GetPane(0, 0);
    CWnd* pList = pFrame->m_split.GetPane(0, 1);
    ASSERT_TRUE(pTree && pList);
    EXPECT_TRUE(pTree->IsKindOf(RUNTIME_CLASS(CTreeView)));
    EXPECT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CListView)));
    char cls[64] = "";
    ::GetClassNameA(pTree->m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(WC_TREEVIEWA, cls);
    ::GetClassNameA(pList->m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(WC_LISTVIEWA, cls);

    TVINSERTSTRUCTA tvi = {};
    tvi.hInsertAfter = TVI_LAST;
    tvi.item.mask = TVIF_TEXT;
    tvi.item.pszText = const_cast<char*>("root");
    HTREEITEM hRoot = (HTREEITEM)pTree->SendMessage(TVM_INSERTITEMA, 0, (LPARAM)&tvi);
    EXPECT_TRUE(hRoot != NULL);
    EXPECT_EQ(1, (int)pTree->SendMessage(TVM_GETCOUNT));
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT;
    lvi.pszText = const_cast<char*>("file.txt");
    EXPECT_EQ(0, (int)pList->SendMessage(LVM_INSERTITEMA, 0, (LPARAM)&lvi));
    EXPECT_EQ(1, (int)pList->SendMessage(LVM_GETITEMCOUNT));

    // the controls paint themselves
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    EXPECT_EQ(pTree, pFrame->GetActiveView());
}
