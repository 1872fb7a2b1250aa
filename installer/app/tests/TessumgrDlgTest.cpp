// Tessumgr's dialogs in process under Wine, driven by messages: the scratch
// drive T: (linked into the prefix) is the boot drive, and the partition
// seam puts it on (hd0,1). Message boxes and the shell are answered here.
#include "deploy/core/DiskSource.h"
#include "installer/app/DriveMapDlg.h"
#include "installer/app/MenuEditDlg.h"
#include "installer/app/ShellCall.h"
#include "installer/app/TessumgrAboutDlg.h"
#include "installer/app/TessumgrApp.h"
#include "installer/app/TessumgrDlg.h"
#include "installer/app/resource.h"
#include "installer/tests/InstallerTestFiles.h"
#include "installer/tests/ScratchDrive.h"
#include "installer/ui/tests/DibCanvas.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#undef GetDriveType  // the seam's member, not the A/W macro

using namespace installer_test;

CTessumgrApp theApp;

namespace {
std::string Bin(const char* name) { return std::string(ZAVO_BINARY_DIR) + "/bin/" + name; }

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

// Disk 0: slot 1 at 32256 (T:), slot 2 at 1 MiB of type 0x83 without a letter.
struct Disks {
    DiskSource source;
    Disks()
    {
        source.ctx = this;
        source.OpenDisk = [](void*, int n, bool) -> void* { return n == 0 ? (void*)1 : NULL; };
        source.CloseDisk = [](void*, void*) {};
        source.QueryLayout = [](void*, void*, void* buffer, uint32_t size, uint32_t* error) {
            Bytes b(8 + 4 * 32, 0);
            Put32(b, 0, 4);
            Put32(b, 8 + 32, 32256);
            Put32(b, 8 + 32 + 20, 1);
            b[8 + 32 + 24] = 0x07;
            Put32(b, 8 + 64, 1 << 20);
            Put32(b, 8 + 64 + 20, 2);
            b[8 + 64 + 24] = 0x83;
            if (b.size() > size) {
                *error = DISK_ERROR_INSUFFICIENT_BUFFER;
                return false;
            }
            memcpy(buffer, b.data(), b.size());
            return true;
        };
        source.QueryGeometry = [](void*, void*, void*, uint32_t) { return false; };
        source.GetLogicalDrives = [](void*) { return uint32_t(1) << ('T' - 'A'); };
        source.GetDriveType = [](void*, const char*) { return DISK_DRIVE_FIXED; };
        source.QueryVolumeExtents = [](void*, char letter, void* buffer, uint32_t) {
            if (letter != 'T')
                return false;
            Bytes b(32, 0);
            Put32(b, 0, 1);
            Put32(b, 16, 32256);
            memcpy(buffer, b.data(), b.size());
            return true;
        };
    }
};

// The main dialog with its message boxes and editor answered by the test.
class CTestDlg : public CTessumgrDlg {
public:
    explicit CTestDlg(const DiskSource* disks) : CTessumgrDlg(disks) {}
    std::vector<std::string> shown;
    std::deque<int> answers;
    int edits = 0;
    bool brokenTheme = false;
    BOOL LoadSkin(LPCTSTR ini) override { return brokenTheme ? FALSE : CTessumgrDlg::LoadSkin(ini); }
    int ShowMessage(LPCTSTR text, LPCTSTR, UINT type) override
    {
        shown.push_back(text);
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }
    CString EditText(const CString&, int, int) override
    {
        ++edits;
        return CString();  // Cancel
    }
};

std::vector<std::string> g_shellCalls;
INT_PTR RecordShell(HWND, LPCSTR file, LPCSTR parameters)
{
    g_shellCalls.push_back(std::string(file) + (parameters ? std::string(" ") + parameters : std::string()));
    return 42;
}

const char kBootIni[] = "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                        "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Windows XP\" "
                        "/fastdetect\r\n";

std::string ProgramFile(const char* name)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(NULL, module, MAX_PATH);
    std::string folder = module;
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

void DropFile(HWND target, const std::string& path)
{
    const size_t size = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    DROPFILES* drop = (DROPFILES*)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    memcpy((char*)drop + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(memory);
    SendMessageA(target, WM_DROPFILES, (WPARAM)memory, 0);
}

void Click(CWnd& dlg, int id, int code = BN_CLICKED)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)::GetDlgItem(dlg.m_hWnd, id));
}

std::wstring WideText(HWND hWnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hWnd, text, 256);
    return text;
}

std::string FieldOf(const CTessumgrDlg& dlg, int id)
{
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dlg.m_hWnd, id, text, MAX_PATH);
    return text;
}

std::string Profile(const char* value) { return theApp.GetProfileString("History", value, "").GetString(); }

// Handles this thread's messages, paints included.
void Settle()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What the window shows now, read from its DC.
std::vector<uint32_t> OnScreen(HWND hWnd)
{
    RECT r;
    GetClientRect(hWnd, &r);
    DibCanvas canvas(r.right, r.bottom);
    HDC window = GetDC(hWnd);
    BitBlt(canvas.Dc(), 0, 0, r.right, r.bottom, window, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, window);
    const DWORD* bits = canvas.Bits();
    return std::vector<uint32_t>(bits, bits + size_t(r.right) * r.bottom);
}

// What the window shows once it is painted afresh.
std::vector<uint32_t> Repainted(HWND hWnd)
{
    InvalidateRect(hWnd, NULL, FALSE);
    UpdateWindow(hWnd);
    return OnScreen(hWnd);
}

size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.size() != b.size())
        return std::max(a.size(), b.size());
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

class TessumgrTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ResetScratchDrive(kBootIni));
        theApp.SetRegistryKey("Kantel");
        theApp.InitEnvironment();
        theApp.WriteProfileString("History", NULL, NULL);
        DeleteFileA(ProgramFile("Tessumgr.lng").c_str());
        DeleteFileA(ProgramFile("language\\Tessumgr.lng").c_str());
        g_langFile = CLangFile();
        g_shellCalls.clear();
        SetTessuShell(RecordShell);
        AfxInitRichEdit();
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd)
            m_dlg.DestroyWindow();
        SetTessuShell(NULL);
        ClearFolder("T:\\");
        DeleteFileA(ProgramFile("Tessumgr.lng").c_str());
        DeleteFileA(ProgramFile("language\\Tessumgr.lng").c_str());
        g_langFile = CLangFile();
    }

    void Open(const char* bootIniHistory = "T:\\boot.ini")
    {
        if (bootIniHistory)
            theApp.WriteProfileString("History", "Boot Ini", bootIniHistory);
        ASSERT_TRUE(m_dlg.Create(IDD_TESSUMGR_DIALOG));
    }

    bool Shown(const char* key) const
    {
        const std::string text = PromptText(&g_langFile, key).GetString();
        return std::find(m_dlg.shown.begin(), m_dlg.shown.end(), text) != m_dlg.shown.end();
    }

    Disks m_disks;
    CTestDlg m_dlg{&m_disks.source};
};
}  // namespace

TEST_F(TessumgrTest, TextsComeFromEitherLanguageFileOrAreBuiltIn)
{
    Open();
    EXPECT_EQ(std::wstring(L"Tessumgr - Tessu \x591A\x542F\x52A8\x88C5\x914D\x7A0B\x5E8F"), WideText(m_dlg.m_hWnd));
    EXPECT_EQ(std::wstring(L"\x88C5\x914D(&A)"), WideText(::GetDlgItem(m_dlg.m_hWnd, IDC_ASSEMBLE)));
    m_dlg.DestroyWindow();

    const std::string lng = "[Application]\r\nTitle=Tessumgr test\r\nV Disk=Virtual disk\r\n[Button]\r\n"
                            "Assemble=&Install\r\nCancel=E&xit\r\n[Message Prompt]\r\nInvalid Bootini=Bad boot.ini\r\n";
    const char* places[] = {"Tessumgr.lng", "language\\Tessumgr.lng"};
    for (const char* place : places) {
        CreateDirectoryA(ProgramFile("language").c_str(), NULL);
        ASSERT_TRUE(WriteText(ProgramFile(place), lng));
        g_langFile = CLangFile();
        ASSERT_TRUE(theApp.LoadLanguage()) << place;
        Open();
        EXPECT_EQ(std::wstring(L"Tessumgr test"), WideText(m_dlg.m_hWnd)) << place;
        EXPECT_EQ(std::wstring(L"&Install"), WideText(::GetDlgItem(m_dlg.m_hWnd, IDC_ASSEMBLE))) << place;
        EXPECT_EQ(std::wstring(L"E&xit"), WideText(::GetDlgItem(m_dlg.m_hWnd, IDCANCEL))) << place;
        m_dlg.DestroyWindow();
        DeleteFileA(ProgramFile(place).c_str());
    }
}

namespace {
BOOL CALLBACK CollectTexts(HWND hWnd, LPARAM param)
{
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof(text));
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(std::to_string(GetDlgCtrlID(hWnd)) + " " + text);
    return TRUE;
}

// The caption and every child's text of the dialog hold no character
// outside ASCII (the English file's texts under the Chinese code page).
void ExpectEnglishTexts(CWnd& dlg)
{
    char caption[256] = "";
    GetWindowTextA(dlg.m_hWnd, caption, sizeof(caption));
    std::vector<std::string> texts = {std::string("caption ") + caption};
    EnumChildWindows(dlg.m_hWnd, CollectTexts, (LPARAM)&texts);
    for (const std::string& text : texts)
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; })) << text;
}
}  // namespace

TEST_F(TessumgrTest, EnglishFileGivesEveryDialogItsTexts)
{
    ASSERT_TRUE(WriteFile(ProgramFile("Tessumgr.lng"), ReadFile(std::string(ZAVO_SOURCE_DIR) + "/installer/app/Tessumgr.lng")));
    ASSERT_TRUE(theApp.LoadLanguage());
    Open();
    ExpectEnglishTexts(m_dlg);

    CMenuEditDlg edit(&m_dlg);
    edit.m_strText = "title a\n";
    ASSERT_TRUE(edit.Create(IDD_MENUEDIT, &m_dlg));
    ExpectEnglishTexts(edit);
    const std::wstring ok = WideText(::GetDlgItem(edit.m_hWnd, IDC_EDIT_OK));
    const std::wstring cancel = WideText(::GetDlgItem(edit.m_hWnd, IDC_EDIT_CANCEL));
    EXPECT_EQ(std::wstring(L"&Write"), ok);
    EXPECT_EQ(std::wstring(L"&Cancel"), cancel);
    edit.DestroyWindow();

    CTessumgrAboutDlg about(&m_dlg);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, &m_dlg));
    ExpectEnglishTexts(about);
    about.DestroyWindow();

    CDriveMapDlg map(&m_disks.source, &m_dlg);
    ASSERT_TRUE(map.Create(IDD_DRIVEMAP, &m_dlg));
    ExpectEnglishTexts(map);
    map.DestroyWindow();
}

TEST_F(TessumgrTest, BootIniComesFromHistoryThenBootDirAndHistoryIsWrittenOnClose)
{
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup",
                                             0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    char saved[MAX_PATH] = {};
    DWORD savedSize = sizeof(saved), type = 0;
    const bool hadValue = RegQueryValueExA(key, "BootDir", NULL, &type, (BYTE*)saved, &savedSize) == ERROR_SUCCESS;
    auto setBootDir = [&](const char* dir) { RegSetValueExA(key, "BootDir", 0, REG_SZ, (const BYTE*)dir, strlen(dir) + 1); };

    Open("T:\\boot.ini");
    EXPECT_EQ("T:\\boot.ini", FieldOf(m_dlg, IDC_BOOTINI_PATH));
    m_dlg.DestroyWindow();

    setBootDir("T:\\");
    Open("boot.ini");  // not on a drive: refused like an invalid one
    EXPECT_EQ("T:\\Boot.ini", FieldOf(m_dlg, IDC_BOOTINI_PATH));
    m_dlg.DestroyWindow();

    setBootDir("T:\\WINDOWS\\");
    theApp.WriteProfileString("History", NULL, NULL);
    Open(NULL);
    EXPECT_EQ("C:\\Boot.ini", FieldOf(m_dlg, IDC_BOOTINI_PATH));
    m_dlg.SetDlgItemText(IDC_IMAGE_PATH, "T:\\A.IMG");
    m_dlg.SetDlgItemText(IDC_LOADER_PATH, "T:\\LDR");
    m_dlg.DestroyWindow();
    EXPECT_EQ("T:\\A.IMG", Profile("Disk Image File"));
    EXPECT_EQ("T:\\LDR", Profile("Boot Loader"));
    EXPECT_EQ("C:\\Boot.ini", Profile("Boot Ini"));

    if (hadValue)
        RegSetValueExA(key, "BootDir", 0, type, (const BYTE*)saved, savedSize);
    else
        RegDeleteValueA(key, "BootDir");
    RegCloseKey(key);
}

TEST_F(TessumgrTest, NewUserDropsAFloppyImageAndAssembles)
{
    ASSERT_TRUE(WriteText("T:\\boot.ini", std::string(kBootIni).replace(std::string(kBootIni).find("30"), 2, "0")));
    ASSERT_TRUE(WriteFile("T:\\FLOPPY.IMG", ReadFile(Bin("tessufd.bin"))));
    Open();
    EXPECT_EQ(CAssembler::MODE_VIRTUAL_DISK, m_dlg.GetMode());
    DropFile(m_dlg.m_editImage.m_hWnd, "T:\\FLOPPY.IMG");
    EXPECT_EQ("T:\\FLOPPY.IMG", FieldOf(m_dlg, IDC_IMAGE_PATH));
    EXPECT_EQ(CDiskImageInfo::TYPE_FLOPPY, m_dlg.m_assembler.m_image.m_nType);
    EXPECT_NE(std::string::npos, std::string(m_dlg.GetInfoText().GetString()).find("\r\n"));

    Click(m_dlg, IDC_ASSEMBLE);  // timeout 0: the question is answered Yes
    EXPECT_TRUE(Shown("Modify Timout"));
    EXPECT_TRUE(Shown("Operation OK"));
    EXPECT_EQ(CAssembler::STATUS_OK, m_dlg.m_assembler.m_nStatus);
    EXPECT_NE(GetFileAttributesA("T:\\Tessu.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA("T:\\Zeldr.bin"), INVALID_FILE_ATTRIBUTES);
    Bytes ini = ReadFile("T:\\boot.ini");
    const std::string text(ini.begin(), ini.end());
    EXPECT_NE(std::string::npos, text.find("T:\\Zeldr.bin=\"Tessu - FLOPPY.IMG\""));
    EXPECT_NE(std::string::npos, text.find("partition(1)\\WINDOWS=\"Windows XP\" /fastdetect"));
    EXPECT_NE(std::string::npos, text.find("timeout=5"));
    Bytes sys = ReadFile("T:\\Tessu.sys");
    ASSERT_GT(sys.size(), 192u + 314u);
    EXPECT_NE(std::string::npos, std::string(sys.begin() + 192, sys.begin() + 506).find("(hd0,1)/FLOPPY.IMG"));
}

TEST_F(TessumgrTest, BootLoaderModeDetectsWithoutEditorAndReloadOpensIt)
{
    ASSERT_TRUE(WriteFile("T:\\TSLDR.SYS", ReadFile(Bin("tessu.sys"))));
    theApp.WriteProfileString("History", "Boot Loader", "T:\\TSLDR.SYS");
    Open();
    Click(m_dlg, IDC_RADIO_LOADER);
    EXPECT_EQ(CAssembler::MODE_BOOT_LOADER, m_dlg.GetMode());
    EXPECT_EQ(CBootLoaderInfo::TYPE_TESSU, m_dlg.m_assembler.m_loader.m_nType);
    EXPECT_EQ(0, m_dlg.edits);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(m_dlg.m_hWnd, IDC_IMAGE_PATH)));

    const Bytes before = ReadFile("T:\\TSLDR.SYS");
    Click(m_dlg, IDC_PIC_RELOAD_LOADER, STN_CLICKED);
    EXPECT_EQ(1, m_dlg.edits);
    EXPECT_TRUE(before == ReadFile("T:\\TSLDR.SYS"));  // Cancel

    Click(m_dlg, IDC_ASSEMBLE);
    EXPECT_TRUE(Shown("Operation OK"));
    Bytes zeldr = ReadFile("T:\\Zeldr.bin");
    ASSERT_GT(zeldr.size(), 768u);
    EXPECT_EQ("TSLDR.SYS", std::string((const char*)&zeldr[752]));

    // the quick application chains TESSU.SYS in this mode too
    Click(m_dlg, IDC_PIC_QUICK, STN_CLICKED);
    zeldr = ReadFile("T:\\Zeldr.bin");
    EXPECT_EQ("TESSU.SYS", std::string((const char*)&zeldr[752]));
    EXPECT_EQ(ReadFile(Bin("tessuqa.sys")).size(), ReadFile("T:\\Tessu.sys").size());
}

TEST_F(TessumgrTest, RefusedBootIniKeepsThePreviousPathAndCancelledBrowseChangesNothing)
{
    ASSERT_TRUE(WriteText("T:\\other.ini", "[boot loader]\r\ndefault=x\r\n[operating systems]\r\n"));
    Open();
    DropFile(m_dlg.m_editBootIni.m_hWnd, "T:\\other.ini");
    EXPECT_TRUE(Shown("Invalid Bootini"));
    EXPECT_EQ("T:\\boot.ini", FieldOf(m_dlg, IDC_BOOTINI_PATH));
    EXPECT_EQ(CString("T:\\boot.ini"), m_dlg.m_assembler.m_strBootIniPath);

    ASSERT_TRUE(WriteText("T:\\good.ini", kBootIni));
    DropFile(m_dlg.m_editBootIni.m_hWnd, "T:\\good.ini");
    EXPECT_EQ(CString("T:\\good.ini"), m_dlg.m_assembler.m_strBootIniPath);

    FileEditNotify notify = {};
    notify.hdr.hwndFrom = m_dlg.m_editImage.m_hWnd;
    notify.hdr.idFrom = IDC_IMAGE_PATH;
    notify.hdr.code = FEN_POSTBROWSE;
    notify.pFEC = &m_dlg.m_editImage;
    notify.pNewText = NULL;
    const size_t shownBefore = m_dlg.shown.size();
    EXPECT_EQ(0, m_dlg.SendMessage(WM_NOTIFY, IDC_IMAGE_PATH, (LPARAM)&notify));
    EXPECT_EQ(shownBefore, m_dlg.shown.size());
    EXPECT_EQ("", FieldOf(m_dlg, IDC_IMAGE_PATH));
}

// The band shows each new finding without waiting for another paint.
TEST_F(TessumgrTest, InformationBandIsRedrawnAfterDropBrowseReloadAndModeChange)
{
    ASSERT_TRUE(WriteFile("T:\\FLOPPY.IMG", ReadFile(Bin("tessufd.bin"))));
    Bytes iso(0x9000, 0);
    memcpy(&iso[0x8001], "CD001", 5);
    ASSERT_TRUE(WriteFile("T:\\DATA.ISO", iso));
    Open();
    const HWND band = ::GetDlgItem(m_dlg.m_hWnd, IDC_INFO_BAND);
    ASSERT_TRUE(band);
    Settle();
    std::vector<uint32_t> before = OnScreen(band);
    EXPECT_EQ(0u, Differences(before, Repainted(band))) << "first start";

    DropFile(m_dlg.m_editImage.m_hWnd, "T:\\FLOPPY.IMG");
    Settle();
    std::vector<uint32_t> now = OnScreen(band);
    EXPECT_NE(0u, Differences(before, now));
    EXPECT_EQ(0u, Differences(now, Repainted(band))) << "after the drop";

    CString browsed("T:\\DATA.ISO");
    FileEditNotify notify = {};
    notify.hdr.hwndFrom = m_dlg.m_editImage.m_hWnd;
    notify.hdr.idFrom = IDC_IMAGE_PATH;
    notify.hdr.code = FEN_POSTBROWSE;
    notify.pFEC = &m_dlg.m_editImage;
    notify.pNewText = &browsed;
    m_dlg.SendMessage(WM_NOTIFY, IDC_IMAGE_PATH, (LPARAM)&notify);
    ASSERT_EQ(CString("T:\\DATA.ISO"), m_dlg.m_assembler.m_image.m_strPath);
    Settle();
    before = now;
    now = OnScreen(band);
    EXPECT_NE(0u, Differences(before, now));
    EXPECT_EQ(0u, Differences(now, Repainted(band))) << "after the browse";

    // the file changed behind the field's back
    ASSERT_TRUE(WriteFile("T:\\DATA.ISO", ReadFile(Bin("tessufd.bin"))));
    Click(m_dlg, IDC_PIC_RELOAD_IMAGE, STN_CLICKED);
    Settle();
    before = now;
    now = OnScreen(band);
    EXPECT_NE(0u, Differences(before, now));
    EXPECT_EQ(0u, Differences(now, Repainted(band))) << "after the reload";

    Click(m_dlg, IDC_RADIO_LOADER);
    Settle();
    before = now;
    now = OnScreen(band);
    EXPECT_NE(0u, Differences(before, now));
    EXPECT_EQ(0u, Differences(now, Repainted(band))) << "after the mode change";
}

TEST_F(TessumgrTest, ModeChangeWithoutAPathShowsThatModesTitle)
{
    ASSERT_TRUE(WriteFile("T:\\FLOPPY.IMG", ReadFile(Bin("tessufd.bin"))));
    Open();
    DropFile(m_dlg.m_editImage.m_hWnd, "T:\\FLOPPY.IMG");
    const CString floppy = m_dlg.GetInfoText();
    Click(m_dlg, IDC_RADIO_LOADER);
    ASSERT_EQ("", FieldOf(m_dlg, IDC_LOADER_PATH));
    const CString loader = m_dlg.GetInfoText();
    EXPECT_NE(floppy, loader);
    EXPECT_EQ(0, loader.Find(InstallerText(&g_langFile, "Application", "B Loader"))) << loader.GetString();
    Click(m_dlg, IDC_RADIO_VDISK);
    EXPECT_EQ(floppy, m_dlg.GetInfoText());
}

TEST_F(TessumgrTest, FloppyPictureWorksOnlyAfterAContactLink)
{
    Open();
    Click(m_dlg, IDC_RADIO_LOADER);
    Click(m_dlg, IDC_PIC_FLOPPY, STN_CLICKED);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("T:\\TessuImg.gz"));

    CTessumgrAboutDlg about(&m_dlg);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, &m_dlg));
    Click(about, IDC_LINK_MAIL2, STN_CLICKED);
    about.DestroyWindow();
    ASSERT_EQ(1u, g_shellCalls.size());
    EXPECT_EQ(0u, g_shellCalls[0].find("mailto:tessu@example.org?subject="));
    EXPECT_TRUE(m_dlg.IsExpert());

    Click(m_dlg, IDC_PIC_FLOPPY, STN_CLICKED);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("T:\\TessuImg.gz"));
    EXPECT_EQ("T:\\TessuImg.gz", FieldOf(m_dlg, IDC_IMAGE_PATH));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(m_dlg.m_hWnd, IDC_IMAGE_PATH)));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(m_dlg.m_hWnd, IDC_RADIO_VDISK));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("T:\\Tessu.sys"));
    ASSERT_FALSE(m_dlg.shown.empty());
    EXPECT_NE(std::string::npos, m_dlg.shown.back().find("Hi, friend!"));

    Click(m_dlg, IDC_PIC_OPEN_BOOTINI, STN_CLICKED);
    EXPECT_EQ("notepad.exe T:\\boot.ini", g_shellCalls.back());
}

// The strip across the About box's top: one blue, the program's icon at its
// left edge, the window text in white at the right.
TEST_F(TessumgrTest, AboutBoxWearsABlueTitleStripWithTheProgramIcon)
{
    Open();
    CTessumgrAboutDlg about(&m_dlg);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, &m_dlg));
    about.ShowWindow(SW_SHOW);
    Settle();
    const HWND strip = ::GetDlgItem(about.m_hWnd, IDC_ABOUT_TITLE);
    ASSERT_TRUE(strip);
    RECT r;
    ::GetClientRect(strip, &r);
    const std::vector<uint32_t> pixels = OnScreen(strip);
    about.DestroyWindow();
    ASSERT_GE(r.bottom, 32);
    const uint32_t blue = 0x2858EC;  // RGB 40, 88, 236 as a DIB holds it
    auto at = [&](int x, int y) { return pixels[size_t(y) * r.right + x] & 0xFFFFFF; };
    EXPECT_EQ(blue, at(40, 1));
    EXPECT_EQ(blue, at(r.right / 2, r.bottom - 2));
    EXPECT_EQ(blue, at(r.right - 2, 1));
    int icon = 0, white = 0;
    const int top = (r.bottom - 32 + 1) / 2;
    for (int y = top; y < top + 32; ++y)
        for (int x = 0; x < 32; ++x)
            icon += at(x, y) != blue;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = r.right / 2; x < r.right; ++x)
            white += at(x, y) == 0xFFFFFF;
    EXPECT_GT(icon, 200);
    EXPECT_GT(white, 20);
    for (int y = 0; y < r.bottom; ++y)
        EXPECT_EQ(blue, at(34, y)) << y;  // nothing between the icon and the text
}

TEST_F(TessumgrTest, ThemeFolderLivesAsLongAsTheMainDialogAndABrokenThemeLeavesThePlainLayout)
{
    m_dlg.brokenTheme = true;
    Open();
    EXPECT_FALSE(m_dlg.IsSkinned());
    CRect plain, band, client;
    m_dlg.GetWindowRect(&plain);
    ::GetWindowRect(::GetDlgItem(m_dlg.m_hWnd, IDC_INFO_BAND), &band);
    m_dlg.GetClientRect(&client);
    m_dlg.ClientToScreen(&client);
    EXPECT_EQ(plain.Width() - 6, band.Width());
    EXPECT_EQ(client.left, band.left);
    EXPECT_EQ(client.bottom, band.bottom);
    m_dlg.DestroyWindow();

    m_dlg.brokenTheme = false;
    Open();
    EXPECT_TRUE(m_dlg.IsSkinned());
    CRect skinned;
    m_dlg.GetWindowRect(&skinned);
    EXPECT_EQ(skinned.Height() - 10, plain.Height());
    const std::string ini = m_dlg.GetThemeIni().GetString();
    ASSERT_FALSE(ini.empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ini.c_str()));
    m_dlg.DestroyWindow();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ini.c_str()));
}

TEST(TessumgrDriveMap, ListsEntriesInOrderWithLettersAndFileSystems)
{
    Disks disks;
    g_langFile = CLangFile();
    CDriveMapDlg dlg(&disks.source);
    ASSERT_TRUE(dlg.Create(IDD_DRIVEMAP));
    ASSERT_EQ(2, dlg.m_list.GetItemCount());
    EXPECT_EQ(CString("T:"), dlg.m_list.GetItemText(0, 0));
    EXPECT_EQ(CString("(hd0,1)"), dlg.m_list.GetItemText(0, 1));
    EXPECT_EQ(CString("NTFS"), dlg.m_list.GetItemText(0, 3));
    EXPECT_EQ(CString("N/A"), dlg.m_list.GetItemText(1, 0));
    EXPECT_EQ(CString("(hd0,2)"), dlg.m_list.GetItemText(1, 1));
    EXPECT_EQ(CString("Linux Ext2/Ext3"), dlg.m_list.GetItemText(1, 3));
    dlg.DestroyWindow();
}

namespace {
class CTestMenuEdit : public CMenuEditDlg {
public:
    std::vector<std::string> shown;
    int ShowMessage(LPCTSTR text, UINT) override
    {
        shown.push_back(text);
        return IDOK;
    }
};
}  // namespace

TEST(TessumgrMenuEdit, KeepsLineEndsAndRefusesTextsOverTheLimitOrNotANumber)
{
    AfxInitRichEdit();
    CTestMenuEdit dlg;
    dlg.m_strText = "title a\nkernel b\n";
    ASSERT_TRUE(dlg.Create(IDD_MENUEDIT));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_OK, BN_CLICKED), 0);
    EXPECT_EQ(CString("title a\nkernel b\n"), dlg.m_strText);  // unchanged text, same bytes
    EXPECT_TRUE(dlg.shown.empty());
    dlg.DestroyWindow();

    CTestMenuEdit longer;
    longer.m_strText = "x";
    ASSERT_TRUE(longer.Create(IDD_MENUEDIT));
    longer.ShowWindow(SW_SHOW);
    longer.m_edit.SetWindowText(CString('a', 313) + "\r\nb");  // 315 bytes with LF
    longer.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_OK, BN_CLICKED), 0);
    ASSERT_EQ(1u, longer.shown.size());
    EXPECT_EQ("Menu is too large! Please retry.", longer.shown[0]);
    EXPECT_EQ(CString("x"), longer.m_strText);
    EXPECT_TRUE(::IsWindowVisible(longer.m_hWnd));
    longer.m_edit.SetWindowText(CString('a', 312) + "\r\nb");  // 314
    longer.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_OK, BN_CLICKED), 0);
    EXPECT_EQ(314, longer.m_strText.GetLength());
    longer.DestroyWindow();

    CTestMenuEdit number;
    number.m_strText = "FFFFFF80";
    number.m_nMaxLength = 8;
    number.m_nFieldType = CBootLoaderInfo::TYPE_GRUB2;
    ASSERT_TRUE(number.Create(IDD_MENUEDIT));
    number.ShowWindow(SW_SHOW);
    number.m_edit.SetWindowText("12G");
    number.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_OK, BN_CLICKED), 0);
    ASSERT_EQ(1u, number.shown.size());
    EXPECT_EQ(PromptText(&g_langFile, "Loader Value Invalid").GetString(), number.shown[0]);
    EXPECT_TRUE(::IsWindowVisible(number.m_hWnd));
    number.m_edit.SetWindowText("12");
    number.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_OK, BN_CLICKED), 0);
    EXPECT_EQ(CString("12"), number.m_strText);
    number.DestroyWindow();

    CTestMenuEdit cancelled;
    cancelled.m_strText = "keep";
    ASSERT_TRUE(cancelled.Create(IDD_MENUEDIT));
    cancelled.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_CANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(cancelled.m_strText.IsEmpty());
    cancelled.DestroyWindow();
}

namespace {
// Each push button of the dialog: bitmap 135's five cells, 3-pixel slices.
void ExpectTessuButtons(CWnd& dlg, std::initializer_list<int> ids)
{
    for (int id : ids) {
        CBitmapPushButton* button = dynamic_cast<CBitmapPushButton*>(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, id)));
        ASSERT_TRUE(button) << id;
        EXPECT_EQ(5, button->GetCellCount()) << id;
        const RECT slices = button->GetSlices();
        EXPECT_EQ(3, slices.left) << id;
        EXPECT_EQ(3, slices.top) << id;
        EXPECT_EQ(3, slices.right) << id;
        EXPECT_EQ(3, slices.bottom) << id;
    }
}
}  // namespace

TEST_F(TessumgrTest, EveryDialogsPushButtonsUseThreePixelSlices)
{
    Open();
    ExpectTessuButtons(m_dlg, {IDC_ASSEMBLE, IDCANCEL});
    CDriveMapDlg map(&m_disks.source);
    ASSERT_TRUE(map.Create(IDD_DRIVEMAP));
    ExpectTessuButtons(map, {IDC_MAP_OK, IDC_MAP_CANCEL});
    map.DestroyWindow();
    CMenuEditDlg edit;
    edit.m_strText = "title a\n";
    ASSERT_TRUE(edit.Create(IDD_MENUEDIT));
    ExpectTessuButtons(edit, {IDC_EDIT_OK, IDC_EDIT_CANCEL});
    edit.DestroyWindow();
}
