// The installed Tessumgr started as a user starts it, under a Western code
// page (the test's environment sets the locale): its labels come from the
// English language file shipped in the program folder's language folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
BOOL CALLBACK CollectText(HWND hWnd, LPARAM param)
{
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof(text));
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (text[0] && IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(std::string(text) + " (" + cls + " " +
                                                                      std::to_string(GetDlgCtrlID(hWnd)) + ")");
    return TRUE;
}

// A visible window of the process whose class is `cls` and that holds a
// control `id` (0: any), other than `except`.
struct FindWindowOf {
    DWORD pid;
    const char* cls;
    int id;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindWindowOfProc(HWND hWnd, LPARAM param)
{
    FindWindowOf* f = reinterpret_cast<FindWindowOf*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (pid == f->pid && hWnd != f->except && lstrcmpiA(cls, f->cls) == 0 && IsWindowVisible(hWnd) &&
        (!f->id || GetDlgItem(hWnd, f->id))) {
        f->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The process's main dialog once it shows, or NULL after 15 s.
HWND WaitForMainDialog(DWORD pid)
{
    FindWindowOf main = {pid, "#32770", 1002, NULL, NULL};
    for (int i = 0; i < 300 && !main.found; ++i) {
        Sleep(50);
        EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&main));
    }
    return main.found;
}

// Where the process's visible tooltips stand.
BOOL CALLBACK CollectTips(HWND hWnd, LPARAM param)
{
    auto* tips = reinterpret_cast<std::pair<DWORD, std::vector<RECT>>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    RECT r;
    if (pid == tips->first && lstrcmpiA(cls, "tooltips_class32") == 0 && IsWindowVisible(hWnd) &&
        GetWindowRect(hWnd, &r))
        tips->second.push_back(r);
    return TRUE;
}

// The folder the build installs the programs into, dist\Zavo-<version>.
std::string ProgramFolder()
{
    std::string dist = "Z:" ZAVO_BINARY_DIR "/dist";
    for (char& c : dist)
        if (c == '/')
            c = '\\';
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dist + "\\Zavo-*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return std::string();
    std::string folder;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folder = dist + "\\" + found.cFileName;
    } while (folder.empty() && FindNextFileA(find, &found));
    FindClose(find);
    return folder;
}
}  // namespace

// Tessumgr started from the program folder, until its main dialog shows.
class TessumgrRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = ProgramFolder();
        ASSERT_FALSE(folder.empty());
        std::string command = "\"" + folder + "\\Tessumgr.exe\"";
        STARTUPINFOA start = {};
        start.cb = sizeof(start);
        ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &start, &m_process));
        m_dialog = WaitForMainDialog(m_process.dwProcessId);
        ASSERT_TRUE(m_dialog) << "no main dialog";
        Sleep(300);
    }
    void TearDown() override
    {
        if (!m_process.hProcess)
            return;
        if (m_dialog)
            PostMessageA(m_dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    // Runs xdotool (the Unix program, through Wine) on the X server. Wine
    // gives no end of a Unix program to wait for: its events have had time
    // to arrive when this returns.
    static bool XdoTool(const std::string& args)
    {
        std::string command = "xdotool " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA("Z:\\usr\\bin\\xdotool", &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Sleep(1000);
        return true;
    }

    // Moves the pointer to the point (screen coordinates); a step aside
    // first, since a move with --sync to where the pointer is waits for ever.
    static bool PointAt(POINT p)
    {
        return XdoTool("mousemove_relative --sync 1 1 mousemove --sync " + std::to_string(p.x) + " " +
                       std::to_string(p.y));
    }

    // Whether the process shows a tooltip right under the window (the
    // field's own tip stands there) within three seconds.
    bool TipUnder(HWND hWnd)
    {
        RECT field;
        GetWindowRect(hWnd, &field);
        for (int i = 0; i < 60; ++i) {
            std::pair<DWORD, std::vector<RECT>> tips(m_process.dwProcessId, {});
            EnumWindows(CollectTips, reinterpret_cast<LPARAM>(&tips));
            for (const RECT& t : tips.second)
                if (t.top >= field.bottom - 2 && t.top <= field.bottom + 24 && t.left < field.right &&
                    t.right > field.left)
                    return true;
            Sleep(50);
        }
        return false;
    }

    PROCESS_INFORMATION m_process = {};
    HWND m_dialog = NULL;
};

TEST_F(TessumgrRun, SystemMenuAboutItemOpensTheAboutBox)
{
    // a click on the caption's icon opens the system menu; its last item is ours
    RECT r;
    GetWindowRect(m_dialog, &r);
    POINT icon = {r.left + 10, r.top + 10};
    ASSERT_TRUE(PointAt(icon));
    ASSERT_TRUE(XdoTool("click 1"));
    FindWindowOf menu = {m_process.dwProcessId, "#32768", 0, NULL, NULL};
    EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&menu));
    ASSERT_TRUE(menu.found) << "no system menu";
    RECT items;
    GetWindowRect(menu.found, &items);
    POINT last = {items.left + 40, items.bottom - 12};
    ASSERT_TRUE(PointAt(last));
    ASSERT_TRUE(XdoTool("click 1"));
    FindWindowOf about = {m_process.dwProcessId, "#32770", 1021, m_dialog, NULL};
    for (int i = 0; i < 60 && !about.found; ++i) {
        Sleep(50);
        EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&about));
    }
    ASSERT_TRUE(about.found) << "no About box";
    char caption[128] = "";
    GetWindowTextA(about.found, caption, sizeof(caption));
    EXPECT_EQ("About Tessumgr", std::string(caption));
    PostMessageA(about.found, WM_COMMAND, MAKEWPARAM(1018, BN_CLICKED), 0);
    for (int i = 0; i < 60 && IsWindow(about.found); ++i)
        Sleep(50);
    EXPECT_FALSE(IsWindow(about.found));
}

// Each path field shows its own tip where the pointer rests on its text.
TEST_F(TessumgrRun, EachPathFieldShowsItsTooltip)
{
    const struct {
        int id;
        const char* tip;
    } fields[] = {{1008, "Fdd/Hdd/ISO disk image"}, {1013, "boot.ini lies"}, {1009, "NT/PE/BS boot loader"}};
    // a click on a label makes the dialog the active window, whose tools show tips
    RECT label;
    GetWindowRect(GetDlgItem(m_dialog, 1026), &label);
    POINT onLabel = {label.left + 5, (label.top + label.bottom) / 2};
    ASSERT_TRUE(PointAt(onLabel));
    ASSERT_TRUE(XdoTool("click 1"));
    for (const auto& field : fields) {
        if (field.id == 1009)  // the loader field shows in boot-loader mode
            PostMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), (LPARAM)GetDlgItem(m_dialog, 1001));
        Sleep(300);
        HWND edit = GetDlgItem(m_dialog, field.id);
        ASSERT_TRUE(IsWindowVisible(edit)) << field.id;
        RECT r;
        GetWindowRect(edit, &r);
        POINT p = {r.left + (r.right - r.left) / 3, (r.top + r.bottom) / 2};
        ASSERT_TRUE(PointAt(p));
        p.x -= 20;
        ASSERT_TRUE(PointAt(p));
        EXPECT_TRUE(TipUnder(edit)) << field.id;
        POINT away = {5, 5};
        ASSERT_TRUE(PointAt(away));
        Sleep(300);
    }
}

TEST(TessumgrStart, WesternCodePageShowsTheEnglishLabels)
{
    ASSERT_EQ(1252u, GetACP());
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\language\\Tessumgr.lng").c_str()));
    std::string command = "\"" + folder + "\\Tessumgr.exe\"";
    STARTUPINFOA start = {};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &start, &process));
    const HWND dialog = WaitForMainDialog(process.dwProcessId);
    std::vector<std::string> texts;
    if (dialog) {
        char title[256] = "";
        GetWindowTextA(dialog, title, sizeof(title));
        texts.push_back(title);
        EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(dialog) << "no main dialog";

    EXPECT_EQ("Tessumgr - Tessu Multi-Boot Assembler", texts[0]);
    EXPECT_GT(texts.size(), 5u);
    for (const std::string& text : texts) {
        EXPECT_EQ(std::string::npos, text.find('?')) << text;
        for (unsigned char c : text)
            EXPECT_LT(c, 0x80) << text;
    }
}
