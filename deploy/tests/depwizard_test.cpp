// The deploy wizard driven by messages under Xvfb: the options page with real
// packages, its refusals and the zavo.ini text, the page places, and ISO
// builds whose images the native check reads back with readers not ours.
#include "deploy/DepWizard.h"
#include "deploy/iso/iso.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/ScopedHandle.h"
#include "resources/zavomgr/resource.h"
#include "testsupport/WindowsTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
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
// keeps their texts and captions.
class BoxAnswerer {
public:
    BoxAnswerer() : m_stop(false), m_answer(IDOK), m_thread([this] { Run(); }) {}
    ~BoxAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    void Answer(int id) { m_answer = id; }
    std::vector<std::string> Take(std::vector<std::string>* captions = nullptr)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<std::string> texts;
        texts.swap(m_texts);
        if (captions)
            captions->swap(m_captions);
        m_captions.clear();
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
                char text[2048] = "", caption[256] = "";
                GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof(text));
                GetWindowTextA(box, caption, sizeof(caption));
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_texts.push_back(text);
                    m_captions.push_back(caption);
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
    std::vector<std::string> m_captions;
    std::thread m_thread;
};

// The names in a folder other than "." and "..".
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const std::string& name : Matching(folder + "*"))
        if (name != "." && name != "..")
            names.push_back(name);
    return names;
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// A source folder with one file big enough for several progress messages.
std::string BigSource(const std::string& name)
{
    const std::string source = OutFolder() + "\\" + name;
    CreateDirectoryA(source.c_str(), NULL);
    std::ofstream big((source + "\\big.bin").c_str(), std::ios::binary);
    for (int i = 0; i < 3 * 1024; ++i)
        big << std::string(1024, (char)i);
    return source;
}

// The process's GDI objects. Where the system does not count them (Wine),
// every handle slot is asked for its object.
DWORD GdiObjects()
{
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
    DWORD count = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType((HGDIOBJ)slot))
            ++count;
    return count;
}

// What the progress hook does at a progress message of the builder.
std::function<void(int)> g_onProgress;
void OnProgress(void*, int percent)
{
    if (g_onProgress)
        g_onProgress(percent);
}

// Folders named "locked" cannot be listed, as a drive root's system folders.
int FailListingOfLocked(const char* path, iso_name_fn fn, void* context)
{
    // only the folder named "locked", not the source "with locked" around it
    std::string p(path);
    while (!p.empty() && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    const size_t slash = p.find_last_of("\\/");
    if (p.substr(slash == std::string::npos ? 0 : slash + 1) == "locked")
        return -1;
    return iso_plat_list(path, fn, context);
}

// A modeless wizard of the two pages, as the studio sets it up, once its
// package list has loaded.
bool OpenWizard(CDepWizard& sheet, CDepWizStep1& one, CDepWizStep2& two, bool show)
{
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    if (!sheet.Create())
        return false;
    if (show)
        sheet.ShowWindow(SW_SHOW);
    Pump();
    for (int i = 0; i < 200 && one.m_packList.IsLoading(); ++i) {
        Sleep(10);
        Pump();
    }
    return true;
}

// A double click on the package list's item, as the list reports it.
void DoubleClickPackage(CDepWizStep1& page, int item)
{
    NMITEMACTIVATE nm = {};
    nm.hdr.hwndFrom = page.m_packList.m_hWnd;
    nm.hdr.idFrom = IDC_DW_PACKLIST;
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = item;
    SendMessageA(page.m_hWnd, WM_NOTIFY, IDC_DW_PACKLIST, (LPARAM)&nm);
}

// A modeless wizard over the fixture packages, as the studio sets it up.
class DepWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.m_strMenusPath = Fixtures().c_str();
        theApp.m_strBinPath = (OutFolder() + "\\Bin").c_str();
        CreateDirectoryA(OutFolder().c_str(), NULL);
        // what an earlier run that crashed left behind
        for (const std::string& name : Matching(OutFolder() + "\\ZIS*"))
            DeleteFileA((OutFolder() + "\\" + name).c_str());
        wizard.reset(new CDepWizard(IDS_DEPWIZ_CAPTION, NULL, 0));
        ASSERT_TRUE(OpenWizard(*wizard, step1, step2, false));
    }
    void TearDown() override
    {
        iso_set_progress_hook(NULL, NULL);
        g_onProgress = nullptr;
        if (wizard->m_hWnd)
            wizard->DestroyWindow();
        Pump();
    }
    // Twenty openings after a first one, which loads what stays for the
    // process (fonts, icons, cursors), leave the GDI object count as it was.
    void ExpectOpeningsLeaveNoGdiObjects()
    {
        wizard->DestroyWindow();
        Pump();
        ASSERT_TRUE(OpenAndClose());
        const DWORD before = GdiObjects();
        ASSERT_GT(before, 0u);
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(OpenAndClose());
        EXPECT_EQ(GdiObjects(), before);
    }
    // A wizard of its own opened, taken to the target page and closed; each
    // page is drawn inactive and active again, as when the user turns to
    // another window and back.
    bool OpenAndClose()
    {
        auto drawBothStates = [](HWND sheet) {
            for (BOOL active : {FALSE, TRUE})
                SendMessageA(sheet, WM_NCACTIVATE, active, 0);
        };
        CDepWizStep1 one;
        CDepWizStep2 two;
        CDepWizard sheet(IDS_DEPWIZ_CAPTION, NULL, 0);
        if (!OpenWizard(sheet, one, two, true))
            return false;
        sheet.UpdateWindow();
        drawBothStates(sheet.m_hWnd);
        DoubleClickPackage(one, 0);
        SendMessageA(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        Pump();
        sheet.UpdateWindow();
        drawBothStates(sheet.m_hWnd);
        const bool onTarget = (HWND)SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == two.m_hWnd;
        sheet.DestroyWindow();
        Pump();
        return onTarget;
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
    void DoubleClick(int item) { DoubleClickPackage(step1, item); }
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

    void Click(int box)
    {
        SendMessageA(Page2(), WM_COMMAND, MAKEWPARAM(box, BN_CLICKED), 0);
        Pump();
    }
    // Picks the partition box's item of this root as a user would.
    bool PickPartition(const std::string& root)
    {
        HWND combo = GetDlgItem(Page2(), IDC_DW_PARTITION);
        const int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            const char* data = (const char*)SendMessageA(combo, CB_GETITEMDATA, i, 0);
            if (data && _stricmp(data, root.c_str()) == 0) {
                SendMessageA(combo, CB_SETCURSEL, i, 0);
                SendMessageA(Page2(), WM_COMMAND, MAKEWPARAM(IDC_DW_PARTITION, CBN_SELCHANGE), (LPARAM)combo);
                return true;
            }
        }
        return false;
    }
    std::string Device()
    {
        char text[128] = "";
        GetDlgItemTextA(Page2(), IDC_DW_DEVICE, text, sizeof(text));
        return text;
    }
    std::string Formatted(UINT id, const std::string& a, const std::string& b = std::string())
    {
        CString text;
        text.Format(ResourceString(id), a.c_str(), b.c_str());
        return (LPCTSTR)text;
    }
    std::vector<std::string> WorkFolders() { return Matching(Folder(TempPath()) + "\\KEL*"); }
    std::string TempPath()
    {
        char path[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, path);
        return path;
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

// The options row: each text whole in its control, no control over the next.
TEST_F(DepWizardTest, OptionsRowShowsItsTextsWhole)
{
    const int row[] = {IDC_DW_SPLASH, IDC_DW_PASSWORDLABEL, IDC_DW_PASSWORD, IDC_DW_LOWLABEL, IDC_DW_RESOLUTIONBAR,
                       IDC_DW_HIGHLABEL};
    RECT last = {};
    for (int id : row) {
        HWND control = GetDlgItem(Page1(), id);
        RECT place, client;
        GetWindowRect(control, &place);
        GetClientRect(control, &client);
        EXPECT_GE(place.left, last.right) << id;
        last = place;
        char text[64] = "";
        GetWindowTextA(control, text, sizeof(text));
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        if (id == IDC_DW_SPLASH)
            size.cx += GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth / 2;
        EXPECT_LE(size.cx, client.right) << text;
    }
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

    // the separator line above the buttons carries its caption
    char line[64] = "";
    GetWindowTextA(GetDlgItem(Sheet(), IDC_DW_SEPARATOR), line, sizeof(line));
    EXPECT_STREQ(line, "Zavo Studio 2007 ");

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
    // a name in the system code page
    std::ofstream((source + "\\caf\xE9.txt").c_str()) << "accent\n";
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

// Builds run with TMP in a folder whose parent has a '.' in its name.
TEST_F(DepWizardTest, InputsAreIgnoredWhileBuildingAndEachBuildHasItsOwnWorkFolder)
{
    const std::string dotted = OutFolder() + "\\tmp.dir", temp = dotted + "\\t";
    std::error_code error;
    std::filesystem::remove_all(dotted, error);
    std::filesystem::remove_all(OutFolder() + "\\tmp_dir", error);
    std::filesystem::create_directories(temp);
    char oldTemp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", oldTemp, sizeof(oldTemp));
    SetEnvironmentVariableA("TMP", temp.c_str());
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    const std::string source = BigSource("bigsource"), iso = OutFolder() + "\\busy.iso";
    DeleteFileA(iso.c_str());

    // at the first progress message: Escape, the close box, the system menu's
    // Close, Finish and a quit request
    std::vector<std::string> seen;
    bool sent = false;
    g_onProgress = [&](int) {
        for (const std::string& w : Matching(temp + "\\KEL*"))
            if (w.find('.') == std::string::npos)
                seen.push_back(w);
        if (sent)
            return;
        sent = true;
        PostMessageA(GetDlgItem(Page2(), IDC_DW_DEVICE), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(Sheet(), WM_CLOSE, 0, 0);
        PostMessageA(Sheet(), WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageA(Sheet(), PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        PostMessageA(Sheet(), WM_COMMAND, MAKEWPARAM(ID_WIZFINISH, BN_CLICKED), 0);
    };
    iso_set_progress_hook(OnProgress, NULL);
    boxes.Answer(IDNO);
    SetDlgItemTextA(Page2(), IDC_DW_ISOSOURCE, source.c_str());
    SetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, iso.c_str());
    Press(PSBTN_FINISH);
    EXPECT_TRUE(sent);
    ASSERT_TRUE(IsWindow(Sheet()));
    EXPECT_EQ(Active(), Page2());
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u) << "one build, no second one asking to replace";
    EXPECT_EQ(texts[0], Formatted(IDS_DW_ISODONE, iso));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), IDCANCEL)));

    // a second build: a new work folder, in the dotted temp folder, and none
    // is left; a quit request posted meanwhile is still there when it ends
    g_onProgress = [&](int) {
        for (const std::string& w : Matching(temp + "\\KEL*"))
            if (w.find('.') == std::string::npos)
                seen.push_back(w);
        if (!sent)
            return;
        sent = false;
        PostQuitMessage(7);
    };
    boxes.Answer(IDYES);
    SetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, iso.c_str());
    SendMessageA(Sheet(), PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    MSG msg;
    const bool quit = PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    ASSERT_TRUE(quit);
    EXPECT_EQ(msg.wParam, 7u);
    Pump();
    boxes.Take();
    boxes.Answer(IDNO);
    SetEnvironmentVariableA("TMP", oldTemp[0] ? oldTemp : NULL);
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(seen.front(), seen.back());
    EXPECT_TRUE(Matching(temp + "\\KEL*").empty());
    EXPECT_TRUE(Matching(OutFolder() + "\\tmp_dir").empty());
}

// A studio ended in the middle of a build leaves its work folder and the
// folder's name file behind: the next build removes them, but not the folder
// of a build that runs now (its name file is held open).
TEST_F(DepWizardTest, ABuildRemovesTheWorkFolderAnEarlierOneLeftBehind)
{
    const std::string temp = OutFolder() + "\\lefttemp";
    std::error_code error;
    std::filesystem::remove_all(temp, error);
    std::filesystem::create_directories(temp + "\\KEL1A2B_tmp\\kelboot");
    std::filesystem::create_directories(temp + "\\KEL3C4D_tmp\\kelboot");
    std::filesystem::create_directories(temp + "\\KELNONAME_tmp");
    std::ofstream(temp + "\\KEL1A2B_tmp\\kelboot\\zavo.ini") << "left\n";
    std::ofstream(temp + "\\KEL1A2B_tmp\\zavoldr.bin") << "left\n";
    std::ofstream(temp + "\\KEL1A2B.tmp");
    std::ofstream(temp + "\\KEL3C4D.tmp");
    // another build's, running now
    CScopedHandle running(CreateFileA((temp + "\\KEL3C4D.tmp").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, NULL));
    ASSERT_TRUE(running.IsValid());
    char oldTemp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", oldTemp, sizeof(oldTemp));
    SetEnvironmentVariableA("TMP", temp.c_str());
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    const std::string source = OutFolder() + "\\source", iso = OutFolder() + "\\after.iso";
    CreateDirectoryA(source.c_str(), NULL);
    DeleteFileA(iso.c_str());
    boxes.Answer(IDNO);
    BuildIso(source, iso);
    SetEnvironmentVariableA("TMP", oldTemp[0] ? oldTemp : NULL);
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_ISODONE, iso));
    std::vector<std::string> left = Matching(temp + "\\KEL*");
    std::sort(left.begin(), left.end());
    // the running build's folder and a folder without a name file stay
    EXPECT_EQ(left, (std::vector<std::string>{"KEL3C4D.tmp", "KEL3C4D_tmp", "KELNONAME_tmp"}));
}

TEST_F(DepWizardTest, EmulatorTestStartsBinQemuOnTheShortPath)
{
    const std::string bin = OutFolder() + "\\Bin", log = OutFolder() + "\\qemu.log";
    CreateDirectoryA(bin.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(WinPath(ZAVO_BINARY_DIR "/bin/zavo_standin.exe").c_str(), (bin + "\\qemu.exe").c_str(),
                          FALSE));
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("ZAVO_STANDIN_LOG", log.c_str());
    ChooseAndGoOn();
    const std::string source = OutFolder() + "\\small source", iso = OutFolder() + "\\a long image name.iso";
    CreateDirectoryA(source.c_str(), NULL);
    std::ofstream((source + "\\a.txt").c_str()) << "a\n";
    DeleteFileA(iso.c_str());
    boxes.Answer(IDYES);
    BuildIso(source, iso);
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u) << (texts.empty() ? "" : texts.back());
    for (int i = 0; i < 100 && ReadBytes(log).find('\n') == std::string::npos; ++i)
        Sleep(50);
    char shortPath[MAX_PATH] = "";
    ASSERT_NE(GetShortPathNameA(iso.c_str(), shortPath, MAX_PATH), 0u);
    EXPECT_NE(std::string(shortPath), iso);
    const std::string expected =
        std::string("-L . -m 32 -no-kqemu -std-vga -cdrom \"") + shortPath + "\" -localtime -boot d\n" + bin + "\n";
    const std::string logged = ReadBytes(log);
    EXPECT_NE(logged.find(expected), std::string::npos) << logged;
    EXPECT_NE(logged.find("qemu.exe"), std::string::npos) << logged;

    // without the emulator the failure is reported
    DeleteFileA((bin + "\\qemu.exe").c_str());
    BuildIso(source, iso);  // Yes to replacing, Yes to the test
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], Formatted(IDS_DW_NOEMULATOR, bin + "\\qemu.exe"));
    boxes.Answer(IDNO);
}

TEST_F(DepWizardTest, IsoPathRulesAndFailedBuildsKeepTheOldImage)
{
    ChooseAndGoOn();
    const std::string source = OutFolder() + "\\rules";
    CreateDirectoryA(source.c_str(), NULL);
    std::ofstream((source + "\\a.txt").c_str()) << "a\n";
    boxes.Answer(IDNO);
    // relative targets: "a.iso" is kept, ".iso" gets a second extension
    SetCurrentDirectoryA(OutFolder().c_str());
    for (const char* name : {"a.iso", ".iso.iso"})
        DeleteFileA((OutFolder() + "\\" + name).c_str());
    BuildIso(source, "a.iso");
    BuildIso(source, ".iso");
    EXPECT_EQ(boxes.Take().size(), 2u);
    EXPECT_TRUE(Exists(OutFolder() + "\\a.iso"));
    EXPECT_TRUE(Exists(OutFolder() + "\\.iso.iso"));
    EXPECT_FALSE(Exists(OutFolder() + "\\a.iso.iso"));

    // a source the builder refuses (its boot folder's zavo.ini twice): the
    // builder's own message under the image step's caption, no question, the
    // old image as it was
    const std::string old = ReadBytes(OutFolder() + "\\a.iso");
    CreateDirectoryA((source + "\\kelboot").c_str(), NULL);
    std::ofstream((source + "\\kelboot\\zavo.ini").c_str()) << "clash\n";
    boxes.Answer(IDYES);
    BuildIso(source, OutFolder() + "\\a.iso");
    std::vector<std::string> captions;
    std::vector<std::string> texts = boxes.Take(&captions);
    DeleteFileA((source + "\\kelboot\\zavo.ini").c_str());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(CString(texts[0].c_str()), ResourceString(IDS_DW_REPLACEISO));
    EXPECT_EQ(texts[1], iso_last_error());
    EXPECT_EQ(CString(captions[1].c_str()), ResourceString(IDS_APP_CAPTION));
    EXPECT_NE(texts[1].find("Unable to sort directory"), std::string::npos) << texts[1];
    EXPECT_EQ(ReadBytes(OutFolder() + "\\a.iso"), old);
    EXPECT_TRUE(Matching(OutFolder() + "\\ZIS*").empty());
}

// A target the build could not write is refused with its cause before any
// work: no work folder in the temp folder, no run of the builder.
TEST_F(DepWizardTest, TargetIsCheckedBeforeTheBuildStarts)
{
    const std::string temp = OutFolder() + "\\checktemp";
    std::error_code error;
    std::filesystem::remove_all(temp, error);
    std::filesystem::create_directories(temp);
    char oldTemp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", oldTemp, sizeof(oldTemp));
    SetEnvironmentVariableA("TMP", temp.c_str());
    int builds = 0;
    g_onProgress = [&](int) { ++builds; };
    iso_set_progress_hook(OnProgress, NULL);
    ChooseAndGoOn();
    const std::string source = OutFolder() + "\\source";
    CreateDirectoryA(source.c_str(), NULL);
    boxes.Answer(IDNO);

    const std::string folder = OutFolder() + "\\no such folder\\";
    BuildIso(source, folder + "x.iso");
    std::vector<std::string> captions;
    std::vector<std::string> texts = boxes.Take(&captions);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_NOISOFOLDER, folder));
    EXPECT_EQ(CString(captions[0].c_str()), ResourceString(IDS_APP_CAPTION));

    // names the code page cannot hold: as a file dialog gives them, and as
    // the field holds a name dropped in
    const std::string unreadable = OutFolder() + "\\????.iso";
    BuildIso(source, unreadable);
    HWND target = GetDlgItem(Page2(), IDC_DW_ISOTARGET);
    SetWindowTextW(target, (std::wstring(L"Z:\\") + L"\x6620\x50cf.iso").c_str());
    char held[MAX_PATH] = "";
    GetWindowTextA(target, held, sizeof(held));
    Press(PSBTN_FINISH);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_BADISONAME, unreadable));
    EXPECT_EQ(texts[1], Formatted(IDS_DW_BADISONAME, held));

    SetEnvironmentVariableA("TMP", oldTemp[0] ? oldTemp : NULL);
    EXPECT_EQ(builds, 0);
    EXPECT_TRUE(Matching(temp + "\\KEL*").empty());
    EXPECT_TRUE(Matching(OutFolder() + "\\ZIS*").empty());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), IDCANCEL)));
}

TEST_F(DepWizardTest, FoldersTheBuilderCouldNotListAreNamedBeforeTheQuestion)
{
    ChooseAndGoOn();
    const std::string source = OutFolder() + "\\with locked", iso = OutFolder() + "\\locked.iso";
    CreateDirectoryA(source.c_str(), NULL);
    CreateDirectoryA((source + "\\locked").c_str(), NULL);
    std::ofstream((source + "\\locked\\inside.txt").c_str()) << "not listed\n";
    std::ofstream((source + "\\kept.txt").c_str()) << "kept\n";
    DeleteFileA(iso.c_str());
    boxes.Answer(IDNO);
    iso_list_folder = FailListingOfLocked;
    BuildIso(source, iso);
    iso_list_folder = iso_plat_list;
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_LEFTOUT, source + "\\locked\n"));
    EXPECT_EQ(texts[1], Formatted(IDS_DW_ISODONE, iso));
    EXPECT_TRUE(Exists(iso));
}

TEST_F(DepWizardTest, ReopeningRestoresTheLastPaths)
{
    ChooseAndGoOn();
    const std::string source = OutFolder() + "\\remembered source", target = OutFolder() + "\\remembered.iso";
    SetDlgItemTextA(Page2(), IDC_DW_ISOSOURCE, source.c_str());
    SetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, target.c_str());
    wizard->DestroyWindow();
    Pump();
    TearDown();
    SetUp();
    ChooseAndGoOn();
    char text[MAX_PATH] = "";
    GetDlgItemTextA(Page2(), IDC_DW_ISOSOURCE, text, sizeof(text));
    EXPECT_EQ(std::string(text), source);
    GetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, text, sizeof(text));
    EXPECT_EQ(std::string(text), target);
}

// Opening the wizard, going to the target page and closing it again, twenty
// times, as the studio's command does with pages of its own each time.
TEST_F(DepWizardTest, OpeningAndClosingLeavesNoGdiObjects)
{
    if (!GetEnvironmentVariableA("ZAVO_DESKTOP_ALONE", NULL, 0))
        GTEST_SKIP() << "needs the desktop to itself";
    ExpectOpeningsLeaveNoGdiObjects();
}

// The same under the skin, started as the studio starts it. Both run alone
// by ctest with ZAVO_DESKTOP_ALONE set: the skin keeps the frame's pictures
// of the state a window is made in, and another test's window taking the
// focus would make a new set of them (unskinned, the theme's own caches).
TEST_F(DepWizardTest, OpeningAndClosingSkinnedLeavesNoGdiObjects)
{
    if (!GetEnvironmentVariableA("ZAVO_DESKTOP_ALONE", NULL, 0))
        GTEST_SKIP() << "needs the desktop to itself";
    char program[MAX_PATH] = "";
    GetModuleFileNameA(NULL, program, sizeof(program));
    *strrchr(program, '\\') = '\0';
    theApp.m_strAppPath = program;
    _putenv("ZAVO_NO_SKIN=");
    ASSERT_TRUE(theApp.StartSkin());
    ExpectOpeningsLeaveNoGdiObjects();
}

// Run alone by ctest with ZAVO_X_INPUT set: the X server's mouse clicks the
// window under the pointer, which no other test's window may cover.
TEST_F(DepWizardTest, DoubleClickOnNextLeavesTheTargetPageShown)
{
    if (!GetEnvironmentVariableA("ZAVO_X_INPUT", NULL, 0))
        GTEST_SKIP() << "needs the X server's mouse to itself";
    // paths from an earlier visit, as the remembered ones are
    ChooseAndGoOn();
    ASSERT_EQ(Active(), Page2());
    const std::string source = OutFolder() + "\\source", iso = OutFolder() + "\\clicked.iso";
    CreateDirectoryA(source.c_str(), NULL);
    DeleteFileA(iso.c_str());
    SetDlgItemTextA(Page2(), IDC_DW_ISOSOURCE, source.c_str());
    SetDlgItemTextA(Page2(), IDC_DW_ISOTARGET, iso.c_str());
    Press(PSBTN_BACK);
    ASSERT_EQ(Active(), Page1());
    ShowWindow(Sheet(), SW_SHOW);
    SetForegroundWindow(Sheet());
    Sleep(GetDoubleClickTime());
    Pump();

    RECT next;
    GetWindowRect(GetDlgItem(Sheet(), ID_WIZNEXT), &next);
    const std::wstring at = std::to_wstring((next.left + next.right) / 2) + L" " +
                            std::to_wstring((next.top + next.bottom) / 2);
    // a step aside first: a move with --sync to where the pointer already is waits for ever
    ASSERT_TRUE(zavotest::RunXdotool(L"mousemove_relative --sync 1 1 mousemove --sync " + at +
                                         L" click --repeat 2 --delay 120",
                                     L"1", Pump));
    for (int i = 0; i < 20; ++i) {
        Sleep(20);
        Pump();
    }
    EXPECT_EQ(Active(), Page2());
    EXPECT_TRUE(boxes.Take().empty());
    EXPECT_FALSE(Exists(iso));

    // a click on Create after the double-click time builds
    Sleep(GetDoubleClickTime());
    ASSERT_TRUE(zavotest::RunXdotool(L"click", L"1", Pump));
    for (int i = 0; i < 500 && !Exists(iso); ++i) {
        Sleep(20);
        Pump();
    }
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_ISODONE, iso));
}

// Run by ctest in a prefix of its own whose drive ZAVO_SPARE_DRIVE is a temp folder.
TEST_F(DepWizardTest, HardDiskModeInstallsOnThePartitionChosenAtFinish)
{
    char letter[4] = "";
    if (!GetEnvironmentVariableA("ZAVO_SPARE_DRIVE", letter, sizeof(letter)))
        GTEST_SKIP() << "no spare drive";
    const std::string root = std::string(1, letter[0]) + ":\\";
    // what an earlier run that crashed left in this prefix's temp folder
    std::error_code error;
    for (const std::string& name : WorkFolders())
        std::filesystem::remove_all(Folder(TempPath()) + "\\" + name, error);
    ChooseAndGoOn();
    Click(IDC_DW_HDDBOX);
    ASSERT_EQ(step2.m_nMode, CDepWizStep2::MODE_HARD_DISK);
    // a partition picked, Back, Next, another picked: the last one counts
    ASSERT_TRUE(PickPartition("C:\\"));
    Press(PSBTN_BACK);
    Press(PSBTN_NEXT);
    ASSERT_TRUE(PickPartition(root));
    EXPECT_EQ(Device(), "hd?,?");

    // no device for the drive: 61512, nothing written
    Press(PSBTN_FINISH);
    std::vector<std::string> texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_NODEVICE, root));
    EXPECT_TRUE(Entries(root).empty());
    // a boot path over 53 characters: refused before anything is written
    SetDlgItemTextA(Page2(), IDC_DW_DEVICE, ("(hd0," + std::string(40, '9') + ")").c_str());
    Press(PSBTN_FINISH);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_BOOTPATHLONG, "(hd0," + std::string(40, '9') + ")/kelboot"));
    EXPECT_TRUE(Entries(root).empty());
    EXPECT_TRUE(WorkFolders().empty());

    // a failing install step: its reason, and no success message
    CreateDirectoryA((root + "Zavo.sys").c_str(), NULL);
    SetDlgItemTextA(Page2(), IDC_DW_DEVICE, "  (hd0,0)  ");
    Press(PSBTN_FINISH);
    texts = boxes.Take();
    RemoveDirectoryA((root + "Zavo.sys").c_str());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(_stricmp(texts[0].c_str(), (root + "Zavo.sys is a folder").c_str()), 0) << texts[0];
    EXPECT_FALSE(Exists(root + "Zeldr.bin"));

    // the device typed with blanks around it
    SetDlgItemTextA(Page2(), IDC_DW_DEVICE, "  (hd0,0)  ");
    Press(PSBTN_FINISH);
    texts = boxes.Take();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], Formatted(IDS_DW_HDDDONE, root, root + "Zavo.sys"));
    EXPECT_TRUE(Exists(root + "Zeldr.bin"));
    EXPECT_NE(ReadBytes(root + "Zavo.sys").find("(hd0,0)/kelboot/zavo.ini"), std::string::npos);
    EXPECT_EQ(ReadBytes(root + "Kelboot\\zavo.ini"), std::string((LPCTSTR)step1.GetConfigText()) + "\r\n");
    EXPECT_TRUE(Exists(root + "Kelboot\\alpha.gz"));
    EXPECT_TRUE(WorkFolders().empty());
}

}  // namespace
