// The installed Tessumgr started as a user starts it, under a Western code
// page (the test's environment sets the locale): its labels come from the
// English language file shipped in the program folder's language folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Found {
    DWORD pid;
    HWND dialog;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM param)
{
    Found* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (pid == found->pid && strcmp(cls, "#32770") == 0 && IsWindowVisible(hWnd) && GetDlgItem(hWnd, 1002)) {
        found->dialog = hWnd;
        return FALSE;
    }
    return TRUE;
}

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
    Found found = {process.dwProcessId, NULL};
    for (int i = 0; i < 300 && !found.dialog; ++i) {
        Sleep(50);
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
    }
    std::vector<std::string> texts;
    if (found.dialog) {
        char title[256] = "";
        GetWindowTextA(found.dialog, title, sizeof(title));
        texts.push_back(title);
        EnumChildWindows(found.dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
        PostMessageA(found.dialog, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(found.dialog) << "no main dialog";

    EXPECT_EQ("Tessumgr - Tessu Multi-Boot Assembler", texts[0]);
    EXPECT_GT(texts.size(), 5u);
    for (const std::string& text : texts) {
        EXPECT_EQ(std::string::npos, text.find('?')) << text;
        for (unsigned char c : text)
            EXPECT_LT(c, 0x80) << text;
    }
}
