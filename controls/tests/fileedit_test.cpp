// File edit control driven by messages: parsing the text, flag refusals, data
// exchange, drops, shortcuts, the parent's vetoes, the real file dialog and
// folder browser. Every case runs with the resource texts and with a second
// set of texts, no status line and an image on the button.
#include "controls/FileEditCtrl.h"

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/tests/TempDir.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
typedef std::vector<std::string> Paths;

const UINT kFieldId = 100;
const COLORREF kImageColour = RGB(255, 0, 0);

// Steps run one per tick of a thread timer while a modal loop runs; a step
// returns false to be tried again. After 200 ticks the rest is dropped and
// every dialog of the thread is cancelled.
class Driver {
public:
    typedef std::function<bool()> Step;
    explicit Driver(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(NULL, 0, 40, Tick);
    }
    ~Driver()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = NULL;
    }
    bool Done() const { return m_nNext == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static Driver* s_pCurrent;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    int m_nTicks = 0;
    bool m_bBusy = false;
    UINT_PTR m_nTimer = 0;
};
Driver* Driver::s_pCurrent = NULL;

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !::IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// The file dialog or folder browser this thread shows.
HWND ThreadDialog()
{
    HWND found = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, (LPARAM)&found);
    return found;
}

void CALLBACK Driver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Driver* d = s_pCurrent;
    if (!d || d->m_bBusy)
        return;
    d->m_bBusy = true;
    if (++d->m_nTicks > 200) {
        d->m_nNext = d->m_steps.size() + 1;
        if (HWND hDlg = ThreadDialog())
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    } else if (d->m_nNext < d->m_steps.size() && d->m_steps[d->m_nNext]()) {
        ++d->m_nNext;
    }
    d->m_bBusy = false;
}

std::string Text(HWND hWnd)
{
    char sz[4096] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

// The parent: records the notifications and answers them.
class ParentWnd : public CWnd {
public:
    struct Note {
        UINT code;
        bool hasText;
        std::string text;
    };
    std::vector<Note> notes;
    LRESULT replyPre = 0, replyPost = 0, replyDrop = 0;

    ParentWnd()
    {
        CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "file edit test",
                 WS_POPUP | WS_VISIBLE, 50, 50, 500, 200, NULL, NULL);
    }
    ~ParentWnd()
    {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        FileEditNotify* pNotify = reinterpret_cast<FileEditNotify*>(lParam);
        if (wParam != kFieldId || pNotify->hdr.code < FEN_PREBROWSE || pNotify->hdr.code > FEN_DROP)
            return CWnd::OnNotify(wParam, lParam, pResult);
        Note note = {pNotify->hdr.code, pNotify->pNewText != NULL,
                     pNotify->pNewText ? std::string((LPCTSTR)*pNotify->pNewText) : std::string()};
        notes.push_back(note);
        *pResult = note.code == FEN_PREBROWSE ? replyPre : note.code == FEN_POSTBROWSE ? replyPost
                                                                                       : replyDrop;
        return TRUE;
    }
};

// Fills the button with one colour, so that its pixels show it was used.
class SolidImage : public CFileEditImage {
public:
    explicit SolidImage(UINT* pLastBits) : m_pLastBits(pLastBits) {}
    void Draw(HDC hDC, const RECT& rect, UINT nBits) override
    {
        *m_pLastBits = nBits;
        HBRUSH hBrush = ::CreateSolidBrush(kImageColour);
        RECT inner = {rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
        ::FillRect(hDC, &inner, hBrush);
        ::DeleteObject(hBrush);
    }

private:
    UINT* m_pLastBits;
};

struct Setup {
    const char* name;
    bool ownTexts;
    char separator;
    const char* title;
    const char* okCaption;
    bool statusLine;
};

const Setup kStudio = {"ResourceTexts", false, ';', "Choose a disc image", "Take it", true};
const Setup kOther = {"OwnTexts", true, ',', "Pick a text", "Use", false};

class FileEdit : public ::testing::TestWithParam<Setup> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.m_hWnd != NULL);
        m_dir = m_tmp / "files";
        ::CreateDirectoryA(m_dir, NULL);
        for (const char* name : {"a.txt", "b.txt", "b"})
            Touch(m_dir + "\\" + name);
        ::CreateDirectoryA(m_dir + "\\sub.txt", NULL);
    }
    void TearDown() override
    {
        if (m_field.m_hWnd)
            m_field.DestroyWindow();
    }

    static void Touch(const CString& path)
    {
        HANDLE h = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ::CloseHandle(h);
    }

    std::string Sep() const { return std::string(1, GetParam().separator) + " "; }

    // A field on the parent with this test's parameter set.
    bool Make(DWORD dwFlags, const CString& text = "")
    {
        if (m_field.m_hWnd)
            m_field.DestroyWindow();
        if (GetParam().ownTexts) {
            FileEditTexts texts;
            texts.strSeparator = CString(GetParam().separator);
            texts.strFilter = "Text files (*.txt)|*.txt|All (*.*)|*.*||";
            texts.strTitle = GetParam().title;
            texts.strOkCaption = GetParam().okCaption;
            texts.strButtonTip = "Look";
            texts.bStatusLine = FALSE;
            m_field.SetTexts(texts);
            m_field.SetButtonImage(new SolidImage(&m_nImageBits));
            m_field.SetButtonFace(RGB(244, 244, 244), FALSE);
        }
        if (!m_field.Create(dwFlags, WS_EX_CLIENTEDGE, text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            CRect(10, 10, 410, 40), &m_parent, kFieldId))
            return false;
        return true;
    }

    Paths Read()
    {
        Paths paths;
        for (POSITION pos = m_field.GetStartPosition(); pos;)
            paths.push_back((LPCTSTR)m_field.GetNextPathName(pos));
        return paths;
    }

    std::string D(const char* name) const { return std::string((LPCTSTR)m_dir) + "\\" + name; }

    TempDir m_tmp;
    CString m_dir;
    ParentWnd m_parent;
    CFileEditCtrl m_field;
    UINT m_nImageBits = 0;
};

TEST_P(FileEdit, ParsesTheTextIntoPaths)
{
    const std::string sep = Sep();
    ASSERT_TRUE(Make(FEF_OPEN));
    EXPECT_TRUE(Read().empty());
    m_field.SetWindowText(CString(sep.c_str()) + "  " + sep.c_str() + " ");
    EXPECT_TRUE(Read().empty());

    const std::string two = D("a.txt") + sep + "b.txt";
    m_field.SetWindowText(two.c_str());
    EXPECT_EQ(Paths{D("a.txt")}, Read());
    ASSERT_TRUE(m_field.ModifyFlags(0, FEF_MULTIPLE));
    EXPECT_EQ((Paths{D("a.txt"), D("b.txt")}), Read());
    // a one-letter name is relative to the first path's folder too
    m_field.SetWindowText((D("a.txt") + sep + "b").c_str());
    EXPECT_EQ((Paths{D("a.txt"), D("b")}), Read());

    // wildcards skip folders; a single field takes the first match
    ASSERT_TRUE(m_field.SetFlags(FEF_OPEN | FEF_MULTIPLE | FEF_WILDCARDS));
    m_field.SetWindowText(D("*.txt").c_str());
    Paths found = Read();
    std::sort(found.begin(), found.end());
    EXPECT_EQ((Paths{D("a.txt"), D("b.txt")}), found);
    ASSERT_TRUE(m_field.SetFlags(FEF_OPEN | FEF_WILDCARDS));
    EXPECT_EQ(1u, Read().size());

    // folders: a root keeps its backslash, others lose it unless asked for
    ASSERT_TRUE(m_field.SetFlags(FEF_FOLDER));
    m_field.SetWindowText("C:\\");
    EXPECT_EQ(Paths{"C:\\"}, Read());
    m_field.SetWindowText((D("sub.txt") + "\\").c_str());
    EXPECT_EQ(Paths{D("sub.txt")}, Read());
    ASSERT_TRUE(m_field.SetFlags(FEF_FOLDER | FEF_TRAILINGSLASH));
    m_field.SetWindowText(D("sub.txt").c_str());
    EXPECT_EQ(Paths{D("sub.txt") + "\\"}, Read());
}

TEST_P(FileEdit, RefusesConflictingModesAndKeepsItsBrowseObjects)
{
    EXPECT_FALSE(m_field.Create(FEF_OPEN | FEF_SAVE, 0, "", WS_CHILD, CRect(0, 0, 100, 20), &m_parent, kFieldId));
    EXPECT_TRUE(m_field.m_hWnd == NULL);

    ASSERT_TRUE(Make(FEF_OPEN));
    OPENFILENAME* pOfn = m_field.GetOpenFileName();
    ASSERT_TRUE(pOfn != NULL);
    EXPECT_TRUE(m_field.GetBrowseInfo() == NULL);
    EXPECT_FALSE(m_field.SetFlags(FEF_FOLDER | FEF_OPEN));
    EXPECT_FALSE(m_field.SetFlags(FEF_OPEN | FEF_SAVE));
    EXPECT_FALSE(m_field.SetFlags(0));
    EXPECT_EQ(pOfn, m_field.GetOpenFileName());
    EXPECT_EQ((DWORD)FEF_OPEN, m_field.GetFlags());

    // the dialog's options are read back as flags
    pOfn->Flags |= OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS;
    EXPECT_EQ((DWORD)(FEF_OPEN | FEF_MULTIPLE | FEF_NODEREFERENCE), m_field.GetFlags());

    ASSERT_TRUE(m_field.SetFlags(FEF_FOLDER));
    EXPECT_TRUE(m_field.GetOpenFileName() == NULL);
    ASSERT_TRUE(m_field.GetBrowseInfo() != NULL);
    EXPECT_EQ((LPARAM)&m_field, m_field.GetBrowseInfo()->lParam);
}

// Builds what the shell hands over when files are dropped.
HGLOBAL MakeDrop(const std::vector<std::string>& files)
{
    std::string list;
    for (const std::string& f : files)
        list += f + '\0';
    list += '\0';
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    DROPFILES* p = (DROPFILES*)::GlobalLock(h);
    p->pFiles = sizeof(DROPFILES);
    p->fWide = FALSE;
    memcpy((char*)p + sizeof(DROPFILES), list.data(), list.size());
    ::GlobalUnlock(h);
    return h;
}

TEST_P(FileEdit, DropTakesWhatTheModeAllowsAndAVetoKeepsTheText)
{
    const std::vector<std::string> three = {D("a.txt"), D("b.txt"), D("b")};
    ASSERT_TRUE(Make(FEF_OPEN, "before"));
    m_field.SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(three), 0);
    EXPECT_EQ(D("a.txt"), Text(m_field.m_hWnd));
    ASSERT_EQ(1u, m_parent.notes.size());
    EXPECT_EQ((UINT)FEN_DROP, m_parent.notes[0].code);

    ASSERT_TRUE(m_field.ModifyFlags(0, FEF_MULTIPLE));
    m_field.SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(three), 0);
    const std::string sep = Sep();
    EXPECT_EQ(D("a.txt") + sep + "b.txt" + sep + "b", Text(m_field.m_hWnd));

    m_parent.replyDrop = 1;
    m_field.SetWindowText("kept");
    m_field.SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(three), 0);
    EXPECT_EQ("kept", Text(m_field.m_hWnd));
    EXPECT_EQ(D("a.txt") + sep + "b.txt" + sep + "b", m_parent.notes.back().text);
}

bool MakeShortcut(const CString& link, const CString& target)
{
    IShellLinkA* pLink = NULL;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&pLink)))
        return false;
    IPersistFile* pFile = NULL;
    bool ok = SUCCEEDED(pLink->SetPath(target)) &&
              SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void**)&pFile));
    if (ok) {
        WCHAR wsz[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, link, -1, wsz, MAX_PATH);
        ok = SUCCEEDED(pFile->Save(wsz, TRUE));
        pFile->Release();
    }
    pLink->Release();
    return ok;
}

TEST_P(FileEdit, ShortcutsResolveToTheirTargetUnlessTold)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(NULL)));
    const CString link = m_dir + "\\to a.lnk";
    ASSERT_TRUE(MakeShortcut(link, D("a.txt").c_str()));
    ::CoUninitialize();

    ASSERT_TRUE(Make(FEF_OPEN, link));
    EXPECT_EQ(Paths{D("a.txt")}, Read());
    m_field.SendMessage(WM_DROPFILES, (WPARAM)MakeDrop({(LPCTSTR)link}), 0);
    EXPECT_EQ(D("a.txt"), Text(m_field.m_hWnd));

    ASSERT_TRUE(m_field.SetFlags(FEF_OPEN | FEF_NODEREFERENCE));
    m_field.SetWindowText(link);
    EXPECT_EQ(Paths{(LPCTSTR)link}, Read());
    // the thread's COM state is as before: not entered
    HRESULT hr = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    EXPECT_EQ(S_OK, hr);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
}

TEST_P(FileEdit, AVetoBeforeBrowsingOpensNoDialog)
{
    ASSERT_TRUE(Make(FEF_OPEN, "kept"));
    m_parent.replyPre = 1;
    bool sawDialog = false;
    Driver driver({[&] {
        sawDialog = ThreadDialog() != NULL;
        if (sawDialog)
            ::PostMessageA(ThreadDialog(), WM_COMMAND, IDCANCEL, 0);
        return sawDialog;
    }});
    EXPECT_TRUE(m_field.ButtonClicked());
    EXPECT_FALSE(sawDialog);
    ASSERT_EQ(1u, m_parent.notes.size());
    EXPECT_EQ((UINT)FEN_PREBROWSE, m_parent.notes[0].code);
    EXPECT_FALSE(m_parent.notes[0].hasText);
    EXPECT_EQ("kept", Text(m_field.m_hWnd));
}

TEST_P(FileEdit, FileDialogOkSetsTheTextCancelAndAVetoKeepIt)
{
    ASSERT_TRUE(Make(FEF_OPEN, D("a.txt").c_str()));
    std::string title, okText, startName;
    auto answer = [&](const std::string& name, int nCommand) -> Driver::Step {
        return [&, name, nCommand] {
            HWND hDlg = ThreadDialog();
            if (!hDlg)
                return false;
            title = Text(hDlg);
            okText = Text(::GetDlgItem(hDlg, IDOK));
            char sz[MAX_PATH] = "";
            if (!::GetDlgItemTextA(hDlg, 0x47C, sz, MAX_PATH))
                ::GetDlgItemTextA(hDlg, 0x480, sz, MAX_PATH);
            startName = sz;
            if (!name.empty()) {
                ::SetDlgItemTextA(hDlg, 0x47C, name.c_str());
                ::SetDlgItemTextA(hDlg, 0x480, name.c_str());
            }
            return ::PostMessageA(hDlg, WM_COMMAND, nCommand, 0) != 0;
        };
    };
    {
        Driver driver({answer(D("b.txt"), IDOK)});
        EXPECT_TRUE(m_field.ButtonClicked());
    }
    EXPECT_EQ(D("b.txt"), Text(m_field.m_hWnd));
    EXPECT_EQ(GetParam().title, title);
    EXPECT_EQ(GetParam().okCaption, okText);
    EXPECT_EQ(std::string::npos, (title + okText).find('?'));
    EXPECT_EQ("a.txt", startName);  // the dialog opens on the field's file
    ASSERT_EQ(2u, m_parent.notes.size());
    EXPECT_EQ((UINT)FEN_POSTBROWSE, m_parent.notes[1].code);
    EXPECT_EQ(D("b.txt"), m_parent.notes[1].text);

    {
        Driver driver({answer("", IDCANCEL)});
        EXPECT_FALSE(m_field.ButtonClicked());
    }
    EXPECT_EQ(D("b.txt"), Text(m_field.m_hWnd));
    EXPECT_FALSE(m_parent.notes.back().hasText);

    m_parent.replyPost = 1;
    {
        Driver driver({answer(D("a.txt"), IDOK)});
        EXPECT_FALSE(m_field.ButtonClicked());
    }
    EXPECT_EQ(D("b.txt"), Text(m_field.m_hWnd));
    EXPECT_EQ(D("a.txt"), m_parent.notes.back().text);
    EXPECT_TRUE(m_field.GetOpenFileName()->lpstrInitialDir == NULL);
}

bool SelectAllFiles(HWND hDlg, size_t nWanted)
{
    HWND hList = ::FindWindowExA(::GetDlgItem(hDlg, 0x461 /* lst2 */), NULL, "SysListView32", NULL);
    if (!hList || (size_t)ListView_GetItemCount(hList) < nWanted)
        return false;
    ::SetFocus(hList);
    for (int i = 0; i < ListView_GetItemCount(hList); ++i)
        ListView_SetItemState(hList, i, LVIS_SELECTED, LVIS_SELECTED);
    return true;
}

TEST_P(FileEdit, AMultipleSelectionLongerThanTheBufferEndsOkWithEveryFile)
{
    // The system's name box takes some 260 characters, so a selection that it
    // holds outgrows the 260-character buffer through a long folder name.
    const CString many = m_tmp / CString('f', 120);
    ::CreateDirectoryA(many, NULL);
    Paths names;
    for (int i = 0; i < 5; ++i) {
        char name[64];
        sprintf(name, "a rather long file name number %02d%s", i, GetParam().ownTexts ? ".txt" : ".iso");
        names.push_back(name);
        Touch(many + "\\" + name);
    }
    ASSERT_TRUE(Make(FEF_OPEN | FEF_MULTIPLE, many + "\\" + names[0].c_str()));
    bool selected = false;
    {
        Driver driver({[&] {
                           HWND hDlg = ThreadDialog();
                           return hDlg && (selected = SelectAllFiles(hDlg, names.size()));
                       },
                       [&] {
                           HWND hDlg = ThreadDialog();
                           return hDlg && ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0) != 0;
                       }});
        EXPECT_TRUE(m_field.ButtonClicked());
    }
    ASSERT_TRUE(selected);
    Paths got = Read();
    std::sort(got.begin(), got.end());
    Paths want;
    for (const std::string& n : names)
        want.push_back(std::string((LPCTSTR)many) + "\\" + n);
    EXPECT_EQ(want, got);
    EXPECT_GT(Text(m_field.m_hWnd).size(), (size_t)MAX_PATH);
}

BOOL CALLBACK FindStatusProc(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<std::pair<std::string, bool>*>(lParam);
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0 && ::IsWindowVisible(hWnd) && Text(hWnd) == find->first)
        find->second = true;
    return TRUE;
}

TEST_P(FileEdit, FolderBrowserStartsOnTheFieldAndShowsTheStatusLineWhenAsked)
{
    const std::string folder = D("sub.txt");
    ASSERT_TRUE(Make(FEF_FOLDER | FEF_TRAILINGSLASH, folder.c_str()));
    std::pair<std::string, bool> status(folder, false);
    {
        Driver driver({[&] {
            HWND hDlg = ThreadDialog();
            if (!hDlg)
                return false;
            ::EnumChildWindows(hDlg, FindStatusProc, (LPARAM)&status);
            return ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0) != 0;
        }});
        EXPECT_TRUE(m_field.ButtonClicked());
    }
    EXPECT_EQ(folder + "\\", Text(m_field.m_hWnd));
    EXPECT_EQ(GetParam().statusLine, status.second);
}

TEST_P(FileEdit, ButtonIsDrawnWithTheImageOrTheDots)
{
    ASSERT_TRUE(Make(FEF_OPEN));
    m_field.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    CRect window, client;
    m_field.GetWindowRect(window);
    m_field.GetClientRect(client);
    // a 30-pixel field of which the client is about 26 high: 8/10 of that wide
    const int nWidth = m_field.GetButtonWidth();
    EXPECT_EQ(client.Height() * 8 / 10, nWidth);
    HDC hDC = ::GetWindowDC(m_field.m_hWnd);
    int red = 0;
    for (int x = window.Width() - nWidth; x < window.Width(); ++x)
        for (int y = 0; y < window.Height(); ++y)
            red += ::GetPixel(hDC, x, y) == kImageColour;
    ::ReleaseDC(m_field.m_hWnd, hDC);
    if (GetParam().ownTexts) {
        EXPECT_GT(red, 20);
        EXPECT_EQ((UINT)FEI_CENTER, m_nImageBits);
    } else {
        EXPECT_EQ(0, red);
    }
    EXPECT_EQ(nWidth, m_field.SetButtonWidth(40));
    EXPECT_EQ(40, m_field.GetButtonWidth());
}

BOOL CALLBACK FindTipProc(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && ::SendMessageA(hWnd, TTM_ENUMTOOLSA, 0, (LPARAM)&ti) &&
        ti.hwnd == find->first)
        find->second = hWnd;
    return TRUE;
}

std::string TipText(HWND hTip, HWND hField, UINT_PTR nTool)
{
    char sz[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = hField;
    ti.uId = nTool;
    ti.lpszText = sz;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof(sz), (LPARAM)&ti);
    return sz;
}

TEST_P(FileEdit, TooltipsGiveTheButtonTipAndTheTextTip)
{
    CToolTipCtrl ownTip;
    if (GetParam().ownTexts)
        m_field.SetToolTipCtrl(&ownTip);
    ASSERT_TRUE(Make(FEF_OPEN | FEF_BUTTONTIP | FEF_CLIENTTIP));
    m_field.SetToolTipText("The file to read");
    MSG msg = {m_field.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    m_field.PreTranslateMessage(&msg);
    std::pair<HWND, HWND> find(m_field.m_hWnd, (HWND)NULL);
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTipProc, (LPARAM)&find);
    ASSERT_TRUE(find.second != NULL);
    if (GetParam().ownTexts)
        EXPECT_EQ(ownTip.m_hWnd, find.second);
    EXPECT_EQ(2, (int)::SendMessageA(find.second, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(GetParam().ownTexts ? "Look" : "Browse", TipText(find.second, m_field.m_hWnd, 1));
    EXPECT_EQ("The file to read", TipText(find.second, m_field.m_hWnd, 2));
    m_field.DestroyWindow();
    if (ownTip.m_hWnd)
        ownTip.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Texts, FileEdit, ::testing::Values(kStudio, kOther),
                         [](const ::testing::TestParamInfo<Setup>& info) { return std::string(info.param.name); });

// A dialog that binds its edit with data exchange.
class BoundDialog : public CDialog {
public:
    DWORD m_dwFlags = FEF_FOLDER;
    CFileEditCtrl m_path;
    BoundDialog() : CDialog(500) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_FileEditCtrl(pDX, 501, m_path, m_dwFlags);
    }
};

TEST(FileEditExchange, BindsTheDialogsEditAndARefusalFailsUpdateData)
{
    TempDir tmp;
    BoundDialog good;
    ASSERT_TRUE(good.Create(500));
    EXPECT_EQ(&good.m_path, CWnd::FromHandlePermanent(::GetDlgItem(good.m_hWnd, 501)));
    EXPECT_EQ((DWORD)FEF_FOLDER, good.m_path.GetFlags());
    good.m_path.SetWindowText(tmp.Path() + "\\");
    EXPECT_TRUE(good.UpdateData(TRUE));
    POSITION pos = good.m_path.GetStartPosition();
    EXPECT_STREQ(tmp.Path(), good.m_path.GetNextPathName(pos));
    good.DestroyWindow();

    BoundDialog bad;
    bad.m_dwFlags = FEF_OPEN | FEF_SAVE;
    ASSERT_TRUE(bad.Create(500));
    EXPECT_FALSE(bad.UpdateData(TRUE));
    EXPECT_TRUE(bad.m_path.m_hWnd == NULL);
    bad.DestroyWindow();
}
}  // namespace
