// The template picker driven by messages: listing, OK, double click, tooltips,
// the host's text service and names that would leave the folder.
#include "templates/DlgExports.h"

#include "framework/tests/TempDir.h"
#include "templates/tests/TestKit.h"

namespace {

const int kList = 2008;

// The host: translates the caption and gives texts of its own.
struct Host {
    static inline std::vector<std::string> calls;
    static inline std::string tipFormat;
    static int CALLBACK Callback(CWnd* pDlg, UINT nID, LPCSTR lpszSection, LPSTR lpszBuffer, int nSize)
    {
        calls.push_back(std::string(pDlg ? "dlg " : "null ") + std::to_string(nID) + " " + lpszSection);
        if (pDlg != NULL)
            return pDlg->SetWindowText("Command templates"), 0;
        const char* texts[] = {"Templates", "Choose a folder", "Choose a template first", "Damaged template",
                               tipFormat.c_str()};
        if (nID >= 4020 && nID <= 4024 && (int)strlen(texts[nID - 4020]) < nSize)
            lstrcpynA(lpszBuffer, texts[nID - 4020], nSize);
        return 0;
    }
};

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Host::calls.clear();
        Host::tipFormat = "by %s on %s: %s";
        m_lib = m_tmp / "lib";
        ASSERT_TRUE(::CreateDirectoryA(m_lib, NULL));
        WriteFile(m_lib + "\\full.gmd", "<GrubMod>\r\n<Author>Ann</Author>\r\n<DateTime>2008</DateTime>\r\n"
                                        "<Description>Full</Description>\r\n<Contents>title Full\r\nroot (hd0,0)</Contents>\r\n</GrubMod>");
        WriteFile(m_lib + "\\nodesc.gmd", "<GrubMod><Author>Bob</Author><DateTime>9</DateTime><Contents>x</Contents></GrubMod>");
        WriteFile(m_lib + "\\broken.gmd", "<GrubMod><Author>Carl</Author><Contents>y</GrubMod>");
        WriteFile(m_lib + "\\notes.txt", "<GrubMod/>");
        WriteFile(m_lib + "\\.hidden.gmd", "<GrubMod/>");
        ::CreateDirectoryA(m_lib + "\\folder.gmd", NULL);
        WriteFile(m_tmp / "secret.gmd", "<GrubMod><Contents>SECRET</Contents></GrubMod>");
        Prepare(m_dlg, m_lib + "\\");
    }
    static void Prepare(CDlgExports& dlg, const CString& folder)
    {
        dlg.SetTestPersonPath(folder);
        dlg.m_pfnHostCallback = Host::Callback;
    }
    // Runs dlg with the steps after it has opened; returns DoModal's result.
    static INT_PTR Run(CDlgExports& dlg, std::vector<CDialogDriver::Step> steps)
    {
        steps.insert(steps.begin(), [&dlg] { return dlg.m_hWnd != NULL && ::IsWindowVisible(dlg.m_hWnd); });
        CDialogDriver driver(steps, [&dlg] { if (dlg.m_hWnd) ::EndDialog(dlg.m_hWnd, IDABORT); });
        return dlg.DoModal();
    }
    static bool Command(CDlgExports& dlg, int nID) { return ::PostMessageA(dlg.m_hWnd, WM_COMMAND, nID, 0), true; }
    HWND List() const { return ::GetDlgItem(m_dlg.m_hWnd, kList); }
    std::string InfoTip(const char* name, int nSize)
    {
        std::vector<char> buffer(nSize + 8, '#');
        NMLVGETINFOTIPA tip = {{List(), kList, LVN_GETINFOTIPA}, 0, buffer.data(), nSize, FindItem(List(), name), 0, 0};
        ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, kList, (LPARAM)&tip);
        EXPECT_EQ('#', buffer[nSize]) << "written past the tooltip buffer";
        return std::string(buffer.data(), strnlen(buffer.data(), nSize));
    }

    TempDir m_tmp;
    CString m_lib;
    CDlgExports m_dlg;
};

}  // namespace

TEST_F(PickerTest, ListsTheSampleTemplatesAndOkFillsTheMembers)
{
    CString folder = ZAVO_SOURCE_DIR "/templates/samples";
    folder.Replace('/', '\\');
    CDlgExports dlg;
    Prepare(dlg, folder);
    std::vector<std::string> items;
    ASSERT_EQ(IDOK, Run(dlg, {[&] {
                            items = ListItems(::GetDlgItem(dlg.m_hWnd, kList));
                            return SelectItem(::GetDlgItem(dlg.m_hWnd, kList), "WindowsNT") && Command(dlg, IDOK);
                        }}));
    EXPECT_EQ((std::vector<std::string>{"BootISO", "SecondDisk", "WindowsNT"}), items);
    EXPECT_STREQ("WindowsNT.gmd", dlg.m_strFileName);
    EXPECT_STREQ("Zavo", dlg.m_strAuthor);
    EXPECT_STREQ("2008-05-12", dlg.m_strDateTime);
    EXPECT_EQ(0, dlg.m_strDescription.Find("Starts Windows NT"));
    EXPECT_STREQ("title Start Windows NT/2000/XP/2003\nfind --set-root --ignore-floppies /ntldr\nchainloader /ntldr",
                 dlg.m_strContents);
    EXPECT_STREQ(folder, dlg.m_strFolder);
}

TEST_F(PickerTest, ListsOnlyTemplateFilesAndLetsTheHostTranslate)
{
    std::vector<std::string> items;
    std::string caption, folderText;
    ASSERT_EQ(IDCANCEL, Run(m_dlg, {[&] {
                                items = ListItems(List());
                                caption = WindowText(m_dlg.m_hWnd);
                                folderText = WindowText(::GetDlgItem(m_dlg.m_hWnd, 2007));
                                return Command(m_dlg, IDCANCEL);
                            }}));
    EXPECT_EQ((std::vector<std::string>{"broken", "full", "nodesc"}), items);
    EXPECT_EQ("Command templates", caption);
    EXPECT_EQ(std::string(m_lib + "\\"), folderText);
    ASSERT_FALSE(Host::calls.empty());
    EXPECT_EQ("dlg 0 Dlg_GORVANL", Host::calls.front());
}

TEST_F(PickerTest, ListTitleIsTheFramesOwnTitleShownWhole)
{
    const int kTitle = 4011;
    char szClass[16] = "";
    LONG_PTR style = 0;
    bool enabled = false;
    RECT frame = {}, list = {};
    SIZE needs = {};
    ASSERT_EQ(IDCANCEL, Run(m_dlg, {[&] {
                                HWND title = ::GetDlgItem(m_dlg.m_hWnd, kTitle);
                                // the host's English text
                                ::SetWindowTextA(title, "Command templates available");
                                ::GetClassNameA(title, szClass, sizeof(szClass));
                                style = ::GetWindowLongPtrA(title, GWL_STYLE);
                                enabled = ::IsWindowEnabled(title) != 0;
                                ::GetWindowRect(title, &frame);
                                ::GetWindowRect(List(), &list);
                                HDC dc = ::GetDC(title);
                                HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(title, WM_GETFONT, 0, 0));
                                ::GetTextExtentPoint32A(dc, "Command templates available", 27, &needs);
                                ::SelectObject(dc, old);
                                ::ReleaseDC(title, dc);
                                return Command(m_dlg, IDCANCEL);
                            }}));
    EXPECT_STREQ("Button", szClass);
    EXPECT_EQ(BS_GROUPBOX, style & BS_TYPEMASK);
    EXPECT_TRUE(enabled);
    RECT inside = {};
    EXPECT_TRUE(::IntersectRect(&inside, &frame, &list) && ::EqualRect(&inside, &list));
    // the title starts a few pixels into the frame's top line
    EXPECT_LE(needs.cx + 16, frame.right - frame.left);
}

TEST_F(PickerTest, OkWithoutSelectionAsksTheHostAndStaysOpen)
{
    std::string text, caption;
    bool stillOpen = false;
    ASSERT_EQ(IDCANCEL, Run(m_dlg, std::vector<CDialogDriver::Step>{[&] { return Command(m_dlg, IDOK); }} +
                                       AnswerBox(m_dlg.m_hWnd, &text, &caption, IDOK) +
                                       std::vector<CDialogDriver::Step>{[&] { return (stillOpen = ::IsWindowVisible(m_dlg.m_hWnd)), Command(m_dlg, IDCANCEL); }}));
    EXPECT_EQ("Choose a template first", text);
    EXPECT_EQ("Templates", caption);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(1, std::count(Host::calls.begin(), Host::calls.end(), "null 4022 String"));
}

TEST_F(PickerTest, DoubleClickIsOkAndMissingOrBrokenValuesReadNull)
{
    ASSERT_EQ(IDOK, Run(m_dlg, {[&] {
                            NMITEMACTIVATE act = {{List(), kList, (UINT)NM_DBLCLK}, -1};
                            return SelectItem(List(), "nodesc") && ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, kList, (LPARAM)&act) >= 0;
                        }}));
    EXPECT_STREQ("nodesc.gmd", m_dlg.m_strFileName);
    EXPECT_STREQ("Bob", m_dlg.m_strAuthor);
    EXPECT_STREQ("null", m_dlg.m_strDescription);
    EXPECT_STREQ("x", m_dlg.m_strContents);

    ASSERT_EQ(IDOK, Run(m_dlg, {[&] { return SelectItem(List(), "broken") && Command(m_dlg, IDOK); }}));
    EXPECT_STREQ("Carl", m_dlg.m_strAuthor);
    EXPECT_STREQ("null", m_dlg.m_strContents);
}

TEST_F(PickerTest, ItemNamesCannotLeaveTheFolder)
{
    ASSERT_EQ(IDOK, Run(m_dlg, {[&] {
                            char szName[] = "..\\secret";
                            ListView_SetItemText(List(), FindItem(List(), "full"), 0, szName);
                            return SelectItem(List(), szName) && Command(m_dlg, IDOK);
                        }}));
    EXPECT_STREQ("null", m_dlg.m_strContents);
}

TEST_F(PickerTest, InfoTipShowsTheValuesOrTheDamagedTextWithinTheBuffer)
{
    std::string full, nodesc, cut, hostile;
    ASSERT_EQ(IDCANCEL, Run(m_dlg, {[&] {
                                full = InfoTip("full", 260);
                                nodesc = InfoTip("nodesc", 260);
                                cut = InfoTip("full", 6);
                                Host::tipFormat = "%s %d %n %s %s %s %%";
                                hostile = InfoTip("full", 260);
                                return Command(m_dlg, IDCANCEL);
                            }}));
    EXPECT_EQ("by Ann on 2008: Full", full);
    EXPECT_EQ("Damaged template", nodesc);
    EXPECT_EQ("by An", cut);
    EXPECT_EQ("Ann %d %n 2008 Full %s %", hostile);
    CDlgExports noHost;
    EXPECT_NE('\0', noHost.TranslateString(4024)[0]);
}
