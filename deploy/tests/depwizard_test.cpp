// The deploy wizard driven by messages under Xvfb: the options page with real
// packages, its refusals and the zavo.ini text, the page places, and ISO
// builds whose images the native check reads back with readers not ours.
#include "deploy/DepWizard.h"
#include "designer/app/ZavomgrApp.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

CZavomgrApp theApp;

namespace {

std::string WinPath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

std::string Fixtures() { return WinPath(ZAVO_BINARY_DIR "/deploy/package_fixtures/wizard"); }
std::string OutFolder() { return WinPath(ZAVO_BINARY_DIR "/deploy/depwizard_out"); }

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Matching(const std::string& mask)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(mask.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

CString ResourceString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Answers the message boxes of this process from a thread of its own and
// keeps their texts.
class BoxAnswerer {
public:
    BoxAnswerer() : m_stop(false), m_answer(IDOK), m_thread([this] { Run(); }) {}
    ~BoxAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    void Answer(int id) { m_answer = id; }
    std::vector<std::string> Take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<std::string> texts;
        texts.swap(m_texts);
        return texts;
    }

private:
    static BOOL CALLBACK Find(HWND hwnd, LPARAM param)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        char cls[16] = "";
        GetClassNameA(hwnd, cls, sizeof(cls));
        HWND text = GetDlgItem(hwnd, 0xFFFF);
        if (pid == GetCurrentProcessId() && strcmp(cls, "#32770") == 0 && text && IsWindowVisible(hwnd)) {
            *(HWND*)param = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    void Run()
    {
        while (!m_stop) {
            HWND box = NULL;
            EnumWindows(Find, (LPARAM)&box);
            if (box) {
                char text[2048] = "";
                GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof(text));
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_texts.push_back(text);
                }
                int answer = m_answer;
                if (!GetDlgItem(box, answer))
                    answer = GetDlgItem(box, IDOK) ? IDOK : IDCANCEL;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)GetDlgItem(box, answer));
                Sleep(200);
            }
            Sleep(20);
        }
    }

    std::atomic<bool> m_stop;
    std::atomic<int> m_answer;
    std::mutex m_mutex;
    std::vector<std::string> m_texts;
    std::thread m_thread;
};

// A modeless wizard over the fixture packages, as the studio sets it up.
class DepWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.m_strMenusPath = Fixtures().c_str();
        theApp.m_strBinPath = (OutFolder() + "\\Bin").c_str();
        CreateDirectoryA(OutFolder().c_str(), NULL);
        wizard.reset(new CDepWizard(IDS_DEPWIZ_CAPTION, NULL, 0));
        wizard->AddPage(&step1);
        wizard->AddPage(&step2);
        wizard->m_psh.dwFlags |= PSH_WIZARD;
        wizard->m_psh.dwFlags &= ~PSH_HASHELP;
        ASSERT_TRUE(wizard->Create());
        Pump();
        for (int i = 0; i < 200 && step1.m_packList.IsLoading(); ++i) {
            Sleep(10);
            Pump();
        }
    }
    void TearDown() override
    {
        if (wizard->m_hWnd)
            wizard->DestroyWindow();
        Pump();
    }
    HWND Sheet() { return wizard->m_hWnd; }
    HWND Page1() { return step1.m_hWnd; }
    HWND Page2() { return step2.m_hWnd; }
    void Press(int button)
    {
        SendMessageA(Sheet(), PSM_PRESSBUTTON, button, 0);
        Pump();
    }
    HWND Active() { return (HWND)SendMessageA(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0); }
    void DoubleClick(int item)
    {
        NMITEMACTIVATE nm = {};
        nm.hdr.hwndFrom = GetDlgItem(Page1(), IDC_DW_PACKLIST);
        nm.hdr.idFrom = IDC_DW_PACKLIST;
        nm.hdr.code = NM_DBLCLK;
        nm.iItem = item;
        SendMessageA(Page1(), WM_NOTIFY, IDC_DW_PACKLIST, (LPARAM)&nm);
    }
    void Tick(int item, bool on)
    {
        step1.m_packList.SetItemState(item, INDEXTOSTATEIMAGEMASK(on ? 2 : 1), LVIS_STATEIMAGEMASK);
    }
    int ItemOf(const char* title)
    {
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = title;
        return (int)SendMessageA(GetDlgItem(Page1(), IDC_DW_PACKLIST), LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
    }
    // Page 1 filled in as a user would, then Next.
    void ChooseAndGoOn()
    {
        DoubleClick(ItemOf("alpha"));
        Tick(ItemOf("beta"), true);
        SendMessageA(GetDlgItem(Page1(), IDC_DW_RESOLUTIONBAR), TBM_SETPOS, TRUE, 3);
        CheckDlgButton(Page1(), IDC_DW_SPLASH, BST_CHECKED);
        SetDlgItemTextA(Page1(), IDC_DW_PASSWORD, "secret");
        Press(PSBTN_NEXT);
    }
    // ISO mode on page 2 with these paths, then Finish.
    void BuildIso(const std::string& source, const std::string& target)
    {
        SetDlgItemTextA(Page2(), IDC_DW_ISOSOURCE, source.c_str());
        SetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, target.c_str());
        Press(PSBTN_FINISH);
    }

    CDepWizStep1 step1;
    CDepWizStep2 step2;
    std::unique_ptr<CDepWizard> wizard;
    BoxAnswerer boxes;
};

TEST_F(DepWizardTest, OptionsPageListsPackagesAndRefusesMissingChoices)
{
    HWND list = GetDlgItem(Page1(), IDC_DW_PACKLIST);
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_GE(ItemOf("alpha"), 0);
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_NORMAL);
    EXPECT_EQ(ImageList_GetImageCount(images), 2);

    // no default menu: the page stays
    Press(PSBTN_NEXT);
    EXPECT_EQ(Active(), Page1());
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_NODEFAULT));

    // 33 bytes of password: refused, the field emptied and focused
    DoubleClick(ItemOf("alpha"));
    SetDlgItemTextA(Page1(), IDC_DW_PASSWORD, std::string(33, 'p').c_str());
    Press(PSBTN_NEXT);
    EXPECT_EQ(Active(), Page1());
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_MD5_TOOLONG));
    EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(Page1(), IDC_DW_PASSWORD)), 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(Page1(), IDC_DW_PASSWORD));

    // 32 bytes pass
    SetDlgItemTextA(Page1(), IDC_DW_PASSWORD, std::string(32, 'p').c_str());
    Press(PSBTN_NEXT);
    EXPECT_EQ(Active(), Page2());
    EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(DepWizardTest, NextWritesTheChoicesAndAlwaysTakesTheDefaultMenu)
{
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    const CString text = step1.GetConfigText();
    EXPECT_NE(text.Find("vesa=0x117\r\n"), -1);
    EXPECT_NE(text.Find("splash=1\r\n"), -1);
    EXPECT_NE(text.Find("menu=alpha.gz\r\n"), -1);
    EXPECT_NE(text.Find("password=$1$"), -1);
    EXPECT_EQ(step1.GetTickedPackages().GetSize(), 2);

    // the default menu unticked still goes along; Next, Back, Next rebuilds
    Press(PSBTN_BACK);
    ASSERT_EQ(Active(), Page1());
    Tick(ItemOf("alpha"), false);
    Tick(ItemOf("beta"), false);
    SendMessageA(GetDlgItem(Page1(), IDC_DW_RESOLUTIONBAR), TBM_SETPOS, TRUE, 2);
    Press(PSBTN_NEXT);
    ASSERT_EQ(Active(), Page2());
    ASSERT_EQ(step1.GetTickedPackages().GetSize(), 1);
    EXPECT_NE(step1.GetTickedPackages()[0].Find("alpha.zip"), -1);
    EXPECT_NE(step1.GetConfigText().Find("vesa=0x114\r\n"), -1);
    EXPECT_NE(step1.GetConfigText().Find("menu=alpha.gz\r\n"), -1);
}

TEST_F(DepWizardTest, PagesStayJustUnderTheBanner)
{
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    RECT banner, first, second;
    GetWindowRect(wizard->m_banner.m_hWnd, &banner);
    GetWindowRect(Page2(), &second);
    const int top = second.top;
    EXPECT_GE(top, banner.bottom);
    EXPECT_LE(top, banner.bottom + 16);
    for (int round = 0; round < 5; ++round) {
        Press(PSBTN_BACK);
        Press(PSBTN_NEXT);
    }
    ASSERT_EQ(Active(), Page2());
    GetWindowRect(Page2(), &second);
    EXPECT_EQ(second.top, top);
    Press(PSBTN_BACK);
    GetWindowRect(Page1(), &first);
    EXPECT_EQ(first.top, top);

    // the banner's texts and the Finish button's caption follow the page
    char finish[64] = "";
    Press(PSBTN_NEXT);
    GetWindowTextA(GetDlgItem(Sheet(), ID_WIZFINISH), finish, sizeof(finish));
    EXPECT_EQ(CString(finish), ResourceString(IDS_DW_CREATE));
}

TEST_F(DepWizardTest, IsoTargetRulesAndRefusals)
{
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    // no paths
    BuildIso("", "");
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_NOISOPATH));
    // a missing source: the builder's check, and no image
    const std::string target = OutFolder() + "\\missing";
    DeleteFileA((target + ".iso").c_str());
    BuildIso(OutFolder() + "\\no such folder", target);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_NOSOURCE));
    EXPECT_FALSE(Exists(target + ".iso"));
    // the MBR mode writes nothing
    SendMessageA(Page2(), WM_COMMAND, MAKEWPARAM(IDC_DW_MBRBOX, BN_CLICKED), 0);
    EXPECT_EQ(step2.m_nMode, CDepWizStep2::MODE_MBR);
    Press(PSBTN_FINISH);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_UNSUPPORTED));
    // the sheet is usable again after every refusal
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), IDCANCEL)));
    EXPECT_EQ(Active(), Page2());
}

TEST_F(DepWizardTest, BuildsAnIsoBesideItsTargetAndAsksBeforeReplacing)
{
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    const std::string source = OutFolder() + "\\source";
    CreateDirectoryA(source.c_str(), NULL);
    CreateDirectoryA((source + "\\Kelboot").c_str(), NULL);
    std::ofstream((source + "\\Kelboot\\extra.txt").c_str()) << "from the source\n";
    std::ofstream((source + "\\readme.txt").c_str()) << "source root\n";
    const std::string iso = OutFolder() + "\\image.iso";
    DeleteFileA(iso.c_str());

    boxes.Answer(IDNO);
    BuildIso(source, OutFolder() + "\\image");
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u) << (texts.empty() ? "" : texts[0]);
    CString done;
    done.Format(ResourceString(IDS_DW_ISODONE), iso.c_str());
    EXPECT_EQ(CString(texts[0].c_str()), done);
    const std::string image = ReadBytes(iso);
    ASSERT_GT(image.size(), 32768u);
    EXPECT_EQ(image.substr(32769, 5), "CD001");
    EXPECT_TRUE(Matching(OutFolder() + "\\ZIS*").empty());
    // for the native check
    std::ofstream(OutFolder() + "\\image.expected.ini", std::ios::binary)
        << (LPCTSTR)step1.GetConfigText() << "\r\n";

    // a second Finish asks first; No keeps the image
    BuildIso(source, iso);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_REPLACEISO));
    EXPECT_EQ(ReadBytes(iso), image);
    // ".ISO" in capitals is kept
    boxes.Answer(IDYES);
    const std::string upper = OutFolder() + "\\UPPER.ISO";
    DeleteFileA(upper.c_str());
    boxes.Answer(IDNO);
    BuildIso(source, upper);
    boxes.Take();
    EXPECT_TRUE(Exists(upper));
    EXPECT_FALSE(Exists(upper + ".iso"));
}

}  // namespace
