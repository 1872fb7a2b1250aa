// The menu generation dialog driven by messages: a sample project becomes a
// package zip (checked further by genmenu_check.py with readers not ours), and
// every failure on the way leaves the previous package as it was.
#include "designer/genmenu/GenMenuDlg.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/app/ZavomgrApp.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"
#include "testsupport/WindowsTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <unzip.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "testsupport/TestSupport.h"

CZavomgrApp theApp;

namespace {

std::string OutFolder(const char* name)
{
    std::string path = std::string("Z:") + ZAVO_BINARY_DIR + "/designer/genmenu_out/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// One member of a zip, read by the zip reader.
std::string ZipMember(const std::string& zipPath, const char* member)
{
    std::string data;
    unzFile zip = unzOpen(zipPath.c_str());
    if (!zip) return data;
    if (unzLocateFile(zip, member, 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char chunk[4096];
        int n;
        while ((n = unzReadCurrentFile(zip, chunk, sizeof(chunk))) > 0) data.append(chunk, n);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return data;
}

// Pixels that differ between two pictures of the same size; -1 for other sizes.
long DifferentPixels(const std::string& pngA, const std::string& pngB)
{
    CxImage a, b;
    if (!a.Decode((const BYTE*)pngA.data(), (DWORD)pngA.size(), 4) || !b.Decode((const BYTE*)pngB.data(), (DWORD)pngB.size(), 4) ||
        a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return -1;
    long count = 0;
    for (long y = 0; y < (long)a.GetHeight(); ++y)
        for (long x = 0; x < (long)a.GetWidth(); ++x) {
            RGBQUAD p = a.GetPixelColor(x, y), q = b.GetPixelColor(x, y);
            if (p.rgbRed != q.rgbRed || p.rgbGreen != q.rgbGreen || p.rgbBlue != q.rgbBlue) ++count;
        }
    return count;
}

// Every entry of a folder but "." and "..".
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return names;
}

// A wallpaper of two colour bands, saved as BMP.
void WriteWallpaper(const std::string& path)
{
    HDC dc = CreateCompatibleDC(NULL);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 64;
    bmi.bmiHeader.biHeight = 48;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT top = {0, 0, 64, 24}, bottom = {0, 24, 64, 48};
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 30)), green = CreateSolidBrush(RGB(30, 160, 60));
    FillRect(dc, &top, red);
    FillRect(dc, &bottom, green);
    SelectObject(dc, old);
    CxImage image;
    ASSERT_TRUE(image.CreateFromHBITMAP(bitmap));
    ASSERT_TRUE(image.Save(path.c_str(), 1));
    DeleteObject(red);
    DeleteObject(green);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// All four element types on an 800 x 600 page with a wallpaper, a default
// entry, a time-out and an entry password.
struct SampleProject {
    CUIControlList list;
    CViewCanvas canvas;

    explicit SampleProject(const std::string& folder)
    {
        std::string wallpaper = folder + "\\wall.bmp";
        WriteWallpaper(wallpaper);
        list.SetPaperSize(800, 600);
        CUIButton* first = new CUIButton;
        first->SetRect(40.0, 40.0, 240.0, 72.0);
        first->SetCaption("Windows");
        first->SetTitle("Boot Windows");
        first->SetCmdLine("chainloader (hd0,0)+1\r\nboot");
        list.Add(first);
        CUIButton* second = new CUIButton;
        second->SetRect(40.0, 90.0, 240.0, 122.0);
        second->SetCaption("Linux");
        second->SetTitle("Boot Linux");
        second->SetCmdLine("kernel /vmlinuz\r\nboot");
        second->SetPassword("secret");
        second->SetEnablePass(1);
        list.Add(second);
        CUIPicture* picture = new CUIPicture;
        picture->SetRect(400.0, 40.0, 464.0, 88.0);
        picture->SetImageFile(wallpaper.c_str());
        picture->SetAsMenu(TRUE);  // an entry of its own; the text is drawn into the wallpaper
        list.Add(picture);
        CUIStatic* text = new CUIStatic;
        text->SetRect(300.0, 500.0, 700.0, 530.0);
        text->SetCaption("Choose a system");
        list.Add(text);
        CUIProgress* progress = new CUIProgress;
        progress->SetRect(100.0, 560.0, 700.0, 580.0);
        list.Add(progress);
        canvas.SetList(&list);
        canvas.SetWallpaper(wallpaper.c_str(), TRUE);
        canvas.SetDefaultEntry(2);
        canvas.SetTimeout(7);
        canvas.SetSingleGo(1);
        canvas.SetCenterCursor(1);
    }
};

// A 1024 x 768 page without wallpaper or progress bar: one entry and a text.
struct BareProject {
    CUIControlList list;
    CViewCanvas canvas;

    BareProject()
    {
        list.SetPaperSize(1024, 768);
        CUIButton* entry = new CUIButton;
        entry->SetRect(100.0, 100.0, 400.0, 140.0);
        entry->SetCaption("Hard disk");
        entry->SetTitle("Boot from the hard disk");
        entry->SetCmdLine("chainloader (hd0,0)+1");
        list.Add(entry);
        CUIStatic* text = new CUIStatic;
        text->SetRect(100.0, 700.0, 600.0, 730.0);
        text->SetCaption("Only one");
        list.Add(text);
        canvas.SetList(&list);
        canvas.SetVesaMode(0x117);
        canvas.SetTimeout(0);
    }
};

// A pointer theme: a zip with cursor.bmp and hand.bmp (two different pictures).
void WritePointerTheme(const std::string& path, const std::string& folder)
{
    WriteWallpaper(folder + "\\pointer.bmp");
    std::string cursor = zavotest::ReadFile(folder + "\\pointer.bmp"), hand = cursor;
    hand[hand.size() - 1] ^= 0x55;
    zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_TRUE(zip != NULL);
    for (const auto& member : {std::make_pair("cursor.bmp", &cursor), std::make_pair("hand.bmp", &hand)}) {
        zip_fileinfo info = {};
        ASSERT_EQ(ZIP_OK, zipOpenNewFileInZip(zip, member.first, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED, 9));
        ASSERT_EQ(ZIP_OK, zipWriteInFileInZip(zip, member.second->data(), (unsigned)member.second->size()));
        ASSERT_EQ(ZIP_OK, zipCloseFileInZip(zip));
    }
    ASSERT_EQ(ZIP_OK, zipClose(zip, NULL));
}

// Answers the message boxes of this thread with one button while it lives,
// keeping their texts.
class BoxAnswer {
public:
    explicit BoxAnswer(int button)
    {
        s_button = button;
        s_texts.clear();
        m_hook = SetWindowsHookExA(WH_CBT, &BoxAnswer::Hook, NULL, GetCurrentThreadId());
    }
    ~BoxAnswer() { UnhookWindowsHookEx(m_hook); }
    const std::vector<std::string>& Texts() const { return s_texts; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        char cls[16] = "";
        if (code == HCBT_ACTIVATE && GetClassNameA((HWND)wParam, cls, sizeof(cls)) && strcmp(cls, "#32770") == 0 &&
            GetDlgItem((HWND)wParam, 0xFFFF)) {
            char text[512] = "";
            GetDlgItemTextA((HWND)wParam, 0xFFFF, text, sizeof(text));
            s_texts.push_back(text);
            PostMessageA((HWND)wParam, WM_COMMAND, s_button, 0);
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }
    static int s_button;
    static std::vector<std::string> s_texts;
    HHOOK m_hook;
};
int BoxAnswer::s_button = IDOK;
std::vector<std::string> BoxAnswer::s_texts;

class TestGenMenuDlg : public CGenMenuDlg {
public:
    int failAt = -1;
    int throwAt = -1;  // the step whose background job throws
    int runs = 0;
    std::vector<std::string> sounds;
    std::string workFolder;
    std::function<void(TestGenMenuDlg&)> duringElements;

protected:
    BOOL StepDone(int nStep, BOOL bOk) override
    {
        if (nStep == STEP_WALLPAPER) {
            ++runs;
            workFolder = (LPCTSTR)m_strWorkFolder;
        }
        if (nStep == STEP_ELEMENTS && duringElements) duringElements(*this);
        return nStep == failAt ? FALSE : bOk;
    }
    void PlayResultSound(BOOL bSuccess) override { sounds.push_back(bSuccess ? "SystemAsterisk" : "SystemHand"); }
    void JobStarting(int nStep) override
    {
        if (nStep == throwAt) throw std::runtime_error("job fault " + std::to_string(nStep));
    }
};

class GenMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        _putenv("ZAVO_NO_MSGBOX=1");
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = OutFolder(info->name());
        zavotest::RemoveTree(folder);
        CreateDirectoryA(OutFolder("").c_str(), NULL);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        menus = folder + "\\Kel Menus";
        project.reset(new SampleProject(folder));
        dlg.m_pControlList = &project->list;
        dlg.m_pCanvas = &project->canvas;
        dlg.m_strMenusFolder = menus.c_str();
        dlg.m_strProjectPath = "C:\\Projects\\sample.kel";
        ASSERT_TRUE(dlg.Create(IDD_GENMENU, NULL));
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd()) dlg.DestroyWindow();
    }

    // Types the name and the description and clicks the generate button.
    void Generate(const char* name, const char* description = "Two systems and a text")
    {
        dlg.SetDlgItemText(IDC_GM_NAME, name);
        dlg.SetDlgItemText(IDC_GM_DESCRIPTION, description);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GM_GENERATE, BN_CLICKED),
                        (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_GM_GENERATE));
    }

    std::string folder, menus;
    std::unique_ptr<SampleProject> project;
    TestGenMenuDlg dlg;
};

TEST_F(GenMenu, SampleProjectBecomesOneZipAndNothingElse)
{
    CheckDlgButton(dlg.m_hWnd, IDC_GM_KEEPFILES, BST_CHECKED);
    Generate("Sample");
    ASSERT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    std::vector<std::string> left = Entries(menus);
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"Sample", "Sample.zip"}), left);
    for (const char* kept : {"kelmenu.ini", "wallpaper.jpg", "cursor.gz", "hand.gz", "minor_1.bmp", "mihov_2.bmp"})
        EXPECT_TRUE(Exists(menus + "\\Sample\\" + kept)) << kept;
    EXPECT_FALSE(Exists(menus + "\\Sample\\wallpaper.png"));
    // the work folder and the temp file that named it are gone
    ASSERT_FALSE(dlg.workFolder.empty());
    EXPECT_FALSE(Exists(dlg.workFolder));
    EXPECT_FALSE(Exists(dlg.workFolder.substr(0, dlg.workFolder.size() - 4) + ".tmp"));
    // idle again: inputs enabled, status empty, animation hidden
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_GM_GENERATE)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDCANCEL)));
    EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_GM_ANIMATION), GWL_STYLE) & WS_VISIBLE);
    char status[64] = "?";
    ::GetDlgItemTextA(dlg.m_hWnd, IDC_GM_STATUS, status, sizeof(status));
    EXPECT_STREQ("", status);

    // the package for the checks outside Wine
    std::string fixed = OutFolder("package");
    CreateDirectoryA(fixed.c_str(), NULL);
    ASSERT_TRUE(CopyFileA((menus + "\\Sample.zip").c_str(), (fixed + "\\Sample.zip").c_str(), FALSE));
}

TEST_F(GenMenu, BarePageWithPointerThemeBecomesAPackage)
{
    BareProject bare;
    dlg.m_pControlList = &bare.list;
    dlg.m_pCanvas = &bare.canvas;
    dlg.m_strProjectPath.Empty();
    const std::string theme = folder + "\\pointers.zmt";
    WritePointerTheme(theme, folder);
    dlg.SetDlgItemText(IDC_GM_THEMEPATH, theme.c_str());
    Generate("Bare", "One entry on a plain page");
    ASSERT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    EXPECT_EQ(std::vector<std::string>{"Bare.zip"}, Entries(menus));
    // for genmenu_check.py: the package and the theme it took the pointers from
    std::string fixed = OutFolder("package");
    CreateDirectoryA(fixed.c_str(), NULL);
    ASSERT_TRUE(CopyFileA((menus + "\\Bare.zip").c_str(), (fixed + "\\Bare.zip").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(theme.c_str(), (fixed + "\\pointers.zmt").c_str(), FALSE));
}

TEST_F(GenMenu, ALongDescriptionStillGivesAReadableZip)
{
    dlg.m_strName = "Long";
    dlg.m_strDescription = CString('x', 70000);
    ASSERT_TRUE(dlg.Generate()) << (LPCTSTR)dlg.GetErrorText();
    const std::string zip = zavotest::ReadFile(menus + "\\Long.zip");
    size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    ASSERT_NE(std::string::npos, end);
    size_t comment = (unsigned char)zip[end + 20] | ((unsigned char)zip[end + 21] << 8);
    EXPECT_EQ(zip.size(), end + 22 + comment);
    EXPECT_EQ(std::string("\r\n//\r\n"), zip.substr(zip.size() - 6));
}

std::string MadeText()
{
    CString text;
    theApp.m_langManager.LoadString(text, IDS_GM_ZIPPED, TRUE);
    return (LPCTSTR)text;
}

TEST_F(GenMenu, ReplacingAPackageIsAskedFirstAndNoKeepsIt)
{
    _putenv("ZAVO_NO_MSGBOX=");
    const std::string zip = menus + "\\Twice.zip";
    {
        BoxAnswer answer(IDNO);
        Generate("Twice");
        // only the word that the package was made
        EXPECT_EQ(std::vector<std::string>{MadeText()}, answer.Texts());
        ASSERT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    }
    const std::string old = zavotest::ReadFile(zip);
    {
        BoxAnswer answer(IDNO);
        Generate("Twice", "Another description");
        EXPECT_EQ(1u, answer.Texts().size());
        EXPECT_EQ(1u, dlg.sounds.size());
        EXPECT_TRUE(old == zavotest::ReadFile(zip));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_GM_GENERATE)));
    }
    {
        BoxAnswer answer(IDYES);
        Generate("Twice", "Another description");
        const std::vector<std::string> texts = answer.Texts();
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ(MadeText(), texts[1]);
        EXPECT_EQ((std::vector<std::string>{"SystemAsterisk", "SystemAsterisk"}), dlg.sounds);
        EXPECT_FALSE(old == zavotest::ReadFile(zip));
    }
    EXPECT_EQ(std::vector<std::string>{"Twice.zip"}, Entries(menus));
}

TEST_F(GenMenu, OnlyTheFirstProgressBarIsWrittenAndDrawn)
{
    Generate("OneBar");
    CUIProgress* second = new CUIProgress;
    second->SetRect(100.0, 20.0, 300.0, 30.0);
    project->list.Add(second);
    CheckDlgButton(dlg.m_hWnd, IDC_GM_KEEPFILES, BST_CHECKED);
    Generate("Bars");
    ASSERT_EQ((std::vector<std::string>{"SystemAsterisk", "SystemAsterisk"}), dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    const std::string ini = zavotest::ReadFile(menus + "\\Bars\\kelmenu.ini");
    EXPECT_NE(std::string::npos, ini.find("[progress]\r\npleft=100\r\nptop=560\r\npwidth=600\r\npheight=20\r\n")) << ini;
    EXPECT_EQ(ini.find("pleft="), ini.rfind("pleft="));
    EXPECT_EQ(std::string::npos, ini.find("[menuitem 4]"));
    // the preview as without the second bar
    const std::string oneBar = ZipMember(menus + "\\OneBar.zip", "OneBar.png");
    EXPECT_EQ(0, DifferentPixels(oneBar, ZipMember(menus + "\\Bars.zip", "Bars.png")));

    // in list order: the other bar first, and it is the one written and drawn
    CUIControlList& list = project->list;
    int last = list.GetCount() - 1, first = last - 1;
    CUIControl* bar = list.GetAt(first);
    list.SetAt(first, list.GetAt(last));
    list.SetAt(last, bar);
    Generate("Swapped");
    EXPECT_NE(std::string::npos, zavotest::ReadFile(menus + "\\Swapped\\kelmenu.ini").find("pleft=100\r\nptop=20\r\n"));
    EXPECT_LT(0, DifferentPixels(oneBar, ZipMember(menus + "\\Swapped.zip", "Swapped.png")));
}

TEST_F(GenMenu, FirstBuildMakesTheMenusFolder)
{
    menus = folder + "\\fresh\\install\\Kel Menus";
    dlg.m_strMenusFolder = menus.c_str();
    Generate("First");
    EXPECT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    EXPECT_EQ(std::vector<std::string>{"First.zip"}, Entries(menus));
}

TEST_F(GenMenu, EveryFailureKeepsTheOldPackage)
{
    Generate("Keep");
    ASSERT_EQ(1u, dlg.sounds.size());
    ASSERT_EQ("SystemAsterisk", dlg.sounds[0]);
    const std::string zip = menus + "\\Keep.zip", old = zavotest::ReadFile(zip);
    ASSERT_FALSE(old.empty());

    const int steps[] = {TestGenMenuDlg::STEP_WORKFOLDER, TestGenMenuDlg::STEP_WALLPAPER,
                         TestGenMenuDlg::STEP_ELEMENTS, TestGenMenuDlg::STEP_JPEG,
                         TestGenMenuDlg::STEP_POINTERS, TestGenMenuDlg::STEP_INI,
                         TestGenMenuDlg::STEP_COPY, TestGenMenuDlg::STEP_ROMFS,
                         TestGenMenuDlg::STEP_GZIP, TestGenMenuDlg::STEP_PREVIEW,
                         TestGenMenuDlg::STEP_DESCRIPTION, TestGenMenuDlg::STEP_ZIP,
                         TestGenMenuDlg::STEP_REPLACE};
    CheckDlgButton(dlg.m_hWnd, IDC_GM_KEEPFILES, BST_CHECKED);
    for (int step : steps) {
        dlg.sounds.clear();
        dlg.workFolder.clear();
        dlg.failAt = step;
        Generate("Keep", "Another description");
        EXPECT_EQ(std::vector<std::string>{"SystemHand"}, dlg.sounds) << "step " << step;
        EXPECT_TRUE(old == zavotest::ReadFile(zip)) << "step " << step;
        EXPECT_FALSE(dlg.GetErrorText().IsEmpty()) << "step " << step;
        if (!dlg.workFolder.empty()) {
            EXPECT_FALSE(Exists(dlg.workFolder)) << "step " << step;
        }
        for (const std::string& name : Entries(menus))
            EXPECT_TRUE(name == "Keep.zip" || name == "Keep") << name << " left by step " << step;
    }
    CheckDlgButton(dlg.m_hWnd, IDC_GM_KEEPFILES, BST_UNCHECKED);

    // a read-only package is not replaced
    dlg.failAt = -1;
    dlg.sounds.clear();
    ASSERT_TRUE(SetFileAttributesA(zip.c_str(), FILE_ATTRIBUTE_READONLY));
    Generate("Keep", "Another description");
    SetFileAttributesA(zip.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(std::vector<std::string>{"SystemHand"}, dlg.sounds);
    EXPECT_TRUE(old == zavotest::ReadFile(zip));

    // a menus folder that cannot be made: a file stands in its place
    std::string blocked = folder + "\\blocked";
    std::ofstream(blocked.c_str()) << "not a folder";
    dlg.m_strMenusFolder = (blocked + "\\Kel Menus").c_str();
    dlg.sounds.clear();
    Generate("Keep");
    EXPECT_EQ(std::vector<std::string>{"SystemHand"}, dlg.sounds);
    EXPECT_EQ("not a folder", zavotest::ReadFile(blocked));
}

TEST_F(GenMenu, AJobThatThrowsFailsItsStepWithWhatWasThrown)
{
    Generate("Keep");
    ASSERT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds);
    const std::string zip = menus + "\\Keep.zip", old = zavotest::ReadFile(zip);
    for (int step : {TestGenMenuDlg::STEP_WORKFOLDER, TestGenMenuDlg::STEP_JPEG, TestGenMenuDlg::STEP_ROMFS}) {
        dlg.sounds.clear();
        dlg.throwAt = step;
        Generate("Keep", "Another description");
        EXPECT_EQ(std::vector<std::string>{"SystemHand"}, dlg.sounds) << "step " << step;
        const std::string error = (LPCTSTR)dlg.GetErrorText();
        EXPECT_NE(std::string::npos, error.find("job fault " + std::to_string(step))) << error;
        EXPECT_TRUE(old == zavotest::ReadFile(zip)) << "step " << step;
    }
    // the studio goes on: the next build is whole
    dlg.throwAt = -1;
    dlg.sounds.clear();
    Generate("Keep", "Another description");
    EXPECT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
}

TEST_F(GenMenu, AFileThatCannotBeReadFailsTheBuildByName)
{
    // a picture held open without sharing by another program when the image is built
    HANDLE lock = INVALID_HANDLE_VALUE;
    dlg.duringElements = [&lock](TestGenMenuDlg& d) {
        std::string path = d.workFolder + "\\Kelboot\\locked.png";
        std::ofstream(path.c_str(), std::ios::binary) << "picture";
        lock = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    };
    Generate("Locked");
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(std::vector<std::string>{"SystemHand"}, dlg.sounds);
    std::string error = (LPCTSTR)dlg.GetErrorText();
    EXPECT_NE(std::string::npos, error.find("locked.png")) << error;
    EXPECT_FALSE(Exists(menus + "\\Locked.zip"));
}

TEST_F(GenMenu, NamesThatAreNotOneFileNameAreRefused)
{
    for (const char* bad : {"a\\b", "a/b", "..", "x..y", "CON", "lpt1", "Nul.txt", "com9 ", "a:b", "a*", "q?", "ok.",
                            "tab\there", ""}) {
        EXPECT_FALSE(CGenMenuDlg::IsValidMenuName(bad)) << bad;
        Generate(bad);
    }
    EXPECT_TRUE(dlg.sounds.empty());
    EXPECT_FALSE(Exists(menus));
    for (const char* good : {"My menu", "v1.2", "CONSOLE", "com10", "lpt"})
        EXPECT_TRUE(CGenMenuDlg::IsValidMenuName(good)) << good;
}

TEST_F(GenMenu, AJobInProgressCannotBeStartedAgainOrClosedAndKeepsQuit)
{
    dlg.duringElements = [](TestGenMenuDlg& d) {
        EXPECT_TRUE(d.IsGenerating());
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_GM_GENERATE, BN_CLICKED), 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostQuitMessage(42);
    };
    Generate("Twice");
    EXPECT_EQ(1, dlg.runs);
    EXPECT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, msg.wParam);
}

TEST_F(GenMenu, ShowsProgressWhileBusyAndWorksUnderATempPathWithADot)
{
    std::string temp = folder + "\\temp.dir";
    ASSERT_TRUE(CreateDirectoryA(temp.c_str(), NULL));
    char saved[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TMP", temp.c_str());
    bool busyShown = false;
    dlg.duringElements = [&](TestGenMenuDlg& d) {
        char status[128] = "";
        ::GetDlgItemTextA(d.m_hWnd, IDC_GM_STATUS, status, sizeof(status));
        LONG animation = ::GetWindowLongA(::GetDlgItem(d.m_hWnd, IDC_GM_ANIMATION), GWL_STYLE);
        busyShown = status[0] != '\0' && (animation & WS_VISIBLE) &&
                    !::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_GM_GENERATE)) &&
                    !::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_GM_NAME)) &&
                    !::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDCANCEL));
    };
    Generate("Dotted");
    SetEnvironmentVariableA("TMP", saved[0] ? saved : NULL);
    EXPECT_TRUE(busyShown);
    EXPECT_EQ(std::vector<std::string>{"SystemAsterisk"}, dlg.sounds) << (LPCTSTR)dlg.GetErrorText();
    EXPECT_EQ(0u, dlg.workFolder.find(temp + "\\KEL")) << dlg.workFolder;
    EXPECT_TRUE(Entries(temp).empty());
}

TEST_F(GenMenu, QualityFollowsTrackbarAndEnterInItsField)
{
    HWND bar = ::GetDlgItem(dlg.m_hWnd, IDC_GM_QUALITYBAR), edit = ::GetDlgItem(dlg.m_hWnd, IDC_GM_QUALITY);
    EXPECT_EQ(85, (int)SendMessageA(bar, TBM_GETPOS, 0, 0));
    EXPECT_EQ(1, (int)SendMessageA(bar, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(100, (int)SendMessageA(bar, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(85u, ::GetDlgItemInt(dlg.m_hWnd, IDC_GM_QUALITY, NULL, FALSE));
    EXPECT_EQ(85, dlg.m_nQuality);

    SendMessageA(bar, TBM_SETPOS, TRUE, 30);
    SendMessageA(dlg.m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)bar);
    EXPECT_EQ(30, dlg.m_nQuality);
    EXPECT_EQ(30u, ::GetDlgItemInt(dlg.m_hWnd, IDC_GM_QUALITY, NULL, FALSE));

    ::SetDlgItemTextA(dlg.m_hWnd, IDC_GM_QUALITY, "64");
    ::SetFocus(edit);
    MSG enter = {edit, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(dlg.PreTranslateMessage(&enter));
    EXPECT_EQ(64, dlg.m_nQuality);
    EXPECT_EQ(64, (int)SendMessageA(bar, TBM_GETPOS, 0, 0));
}

TEST(GenMenuText, IniValuesStayOnTheirLineAndEmptyProgressWritesZeros)
{
    CViewCanvas canvas;
    canvas.SetDefaultEntry(3);
    canvas.SetTimeout(10);
    MenuProgressRecord record;
    memset(&record, 0, sizeof(record));
    CString text = CGenMenuDlg::MakeIniSections(canvas, 0x117, record);
    EXPECT_NE(-1, text.Find("default=3\r\ntimeout=10\r\nvesamode=0x117\r\n"));
    EXPECT_NE(-1, text.Find("[progress]\r\npleft=0\r\nptop=0\r\npwidth=0\r\npheight=0\r\npchkleft=0\r\nptrack=\r\npchunk=\r\n\r\n"));

    // a page width without a mode of its own keeps the project's mode
    canvas.SetVesaMode(0x114);
    EXPECT_NE(-1, CGenMenuDlg::MakeIniSections(canvas, 0, record).Find("\r\nvesamode=0x114\r\n"));

    strcpy(record.ptrack, "(rd)/t.bmp\r\n[common]\r\ntimeout=0");
    text = CGenMenuDlg::MakeIniSections(canvas, 0x117, record);
    EXPECT_EQ(-1, text.Find("\r\n[common]"));
    EXPECT_NE(-1, text.Find("ptrack=(rd)/t.bmp  [common]  timeout=0\r\n"));
}

TEST(GenMenuText, CommentAndResolutionFollowThePage)
{
    EXPECT_EQ(0x111, CGenMenuDlg::VesaModeOf(640));
    EXPECT_EQ(0x117, CGenMenuDlg::VesaModeOf(1024));
    EXPECT_EQ(CString("N/A"), CGenMenuDlg::ResolutionText(CGenMenuDlg::VesaModeOf(700)));
    CString comment = CGenMenuDlg::MakeZipComment("Menu", 0x117, "");
    EXPECT_EQ(CString("\r\nMenu\r\n\r\n// ") + CString('=', 59) +
                  "\r\n// Resolution: 1024 x 768\r\n// Project: N/A\r\n//\r\n",
              comment);
    // the zip keeps at most 65535 bytes of comment: the description gives way
    comment = CGenMenuDlg::MakeZipComment(CString('x', 70000), 0x111, "C:\\p.kel");
    EXPECT_EQ(65535, comment.GetLength());
    EXPECT_EQ(0, comment.Find("\r\nxxx"));
    EXPECT_EQ(CString("\r\n// Resolution: 640 x 480\r\n// Project: C:\\p.kel\r\n//\r\n"), comment.Right(54));

    CString header = CGenMenuDlg::MakeIniHeader();
    EXPECT_EQ(0, header.Find(";\r\n; Zavo Graphic Menu System Configuration File.\r\n"));
    EXPECT_NE(-1, header.Find(";                         ver: 2.01\r\n"));
    EXPECT_EQ(CString(" GMT\r\n"), header.Right(6));
}

}  // namespace
