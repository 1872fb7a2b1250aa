// The studio under Wine on a copy of the sample project, driven by messages
// as a user would: the menu package through its dialog, then File Save. The
// package is read by sample_package_check with readers that are not ours.
#include "designer/app/tests/StudioTestSupport.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kMenuName[] = "SampleTest";
const char kDescriptionText[] = "The sample project's boot menu";

std::string WindowsPath(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The program folder the studio runs from: the build's, or an installed one.
std::string StudioDir() {
  const char* dir = getenv("ZAVO_STUDIO_DIR");
  return dir && *dir ? std::string(dir) : BinDir();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName, path = folder + "\\" + name;
      if (name == "." || name == "..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string Text(HWND h) {
  char buf[512] = "";
  GetWindowTextA(h, buf, sizeof(buf));
  return buf;
}

// Polls until the condition holds or the time is up.
template <class F>
bool WaitFor(F condition, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

struct Search {
  DWORD pid;
  int child;  // a control the window must hold; 0 for none
  HWND found;
};

BOOL CALLBACK FindTopWindow(HWND h, LPARAM lp) {
  Search* s = (Search*)lp;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid && IsWindowVisible(h) && (!s->child || GetDlgItem(h, s->child))) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindTop(DWORD pid, int child) {
  Search s = {pid, child, NULL};
  EnumWindows(FindTopWindow, (LPARAM)&s);
  return s.found;
}

class SampleStudio : public ::testing::Test {
protected:
  void SetUp() override {
    const char* out = getenv("ZAVO_SAMPLE_OUT");
    folder = out && *out ? std::string(out) : WindowsPath(ZAVO_BINARY_DIR "/designer/sample_out");
    project = folder + "\\Sample.kel";
    original = ReadFile(WindowsPath(ZAVO_SOURCE_DIR "/samples/Sample.kel"));
    ASSERT_NE(original.find("<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>"), std::string::npos);
    RemoveTree(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    // the sample as the build placed it in the program folder
    std::string sample = StudioDir() + "\\Zavo Projects\\Sample\\";
    for (const char* name : {"Sample.kel", "wallpaper.png", "logo.png", "chunk.png"})
      ASSERT_TRUE(CopyFileA((sample + name).c_str(), (folder + "\\" + name).c_str(), FALSE)) << sample + name;
    zip = StudioDir() + "\\Kel Menus\\" + kMenuName + ".zip";
    SetFileAttributesA(zip.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(zip.c_str());
    ASSERT_FALSE(Exists(zip));

    // started as tools/run.sh starts it: in the project's folder, the project on the command line
    SetEnvironmentVariableA("ZAVO_EXIT_AFTER", "90000");
    SetEnvironmentVariableA("ZAVO_NO_MSGBOX", "1");
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    log = CreateFileA((folder + "\\studio.log").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOA si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = log;
    std::string cmd = "\"" + StudioDir() + "\\Zavomgr.exe\" \"" + project + "\"";
    ASSERT_TRUE(CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, 0, NULL, folder.c_str(), &si, &pi));
    WaitForInputIdle(pi.hProcess, 10000);
    ASSERT_TRUE(WaitFor([&] { return (main = FindTop(pi.dwProcessId, 0)) != NULL; }, 20000));
  }

  void TearDown() override {
    if (pi.hProcess) {
      if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
        if (main) PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
      }
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
    if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
  }

  std::string StudioLog() { return ReadFile(folder + "\\studio.log"); }

  std::string folder, project, original, zip;
  PROCESS_INFORMATION pi = {};
  HANDLE log = INVALID_HANDLE_VALUE;
  HWND main = NULL;
};

TEST_F(SampleStudio, MakesTheMenuPackageAndSavesTheProjectUnchanged) {
  // the command line's project comes after the empty one the studio starts with
  WaitFor([&] { return Text(main) == "Sample.kel - Zavo Studio 2008"; }, 10000);
  ASSERT_EQ(Text(main), "Sample.kel - Zavo Studio 2008") << StudioLog();

  // Create menu: the dialog is modal, so the command is posted
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_CREATE_MENU, 0), 0);
  HWND dlg = NULL;
  ASSERT_TRUE(WaitFor([&] { return (dlg = FindTop(pi.dwProcessId, IDC_GM_GENERATE)) != NULL; }, 20000)) << StudioLog();
  EXPECT_EQ(GetWindowLongPtrA(dlg, GWLP_HWNDPARENT), (LONG_PTR)main);
  HWND generate = GetDlgItem(dlg, IDC_GM_GENERATE), status = GetDlgItem(dlg, IDC_GM_STATUS);
  ASSERT_TRUE(SetDlgItemTextA(dlg, IDC_GM_NAME, kMenuName));
  ASSERT_TRUE(SetDlgItemTextA(dlg, IDC_GM_DESCRIPTION, kDescriptionText));
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_GM_GENERATE, BN_CLICKED), (LPARAM)generate);

  // busy: the button goes grey and the status speaks; done: the button is back, the status empty
  bool busy = false;
  std::vector<std::string> texts;
  auto done = [&] {
    if (!IsWindowEnabled(generate)) busy = true;
    std::string t = status ? Text(status) : std::string();
    if (!t.empty() && (texts.empty() || texts.back() != t)) texts.push_back(t);
    return IsWindowEnabled(generate) && (busy || Exists(zip)) && (!status || t.empty());
  };
  ASSERT_TRUE(WaitFor(done, 60000)) << StudioLog();
  EXPECT_TRUE(Exists(zip)) << StudioLog();
  EXPECT_FALSE(texts.empty()) << "no status text while the package was made";
  EXPECT_EQ(StudioLog().find("[messagebox]"), std::string::npos) << StudioLog();

  // the job's last message pump runs with the inputs back on, and a Cancel
  // that it takes is ignored: the user clicks again
  int clicks = 0;
  ASSERT_TRUE(WaitFor([&] {
    if (!IsWindow(dlg)) return true;
    if (clicks++ % 10 == 0)
      PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
    return false;
  }, 10000));

  // File Save writes the open project: what is on disk now must go
  std::ofstream(project, std::ios::binary) << "changed on disk";
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
  EXPECT_EQ(ReadFile(project), original);

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 15000), (DWORD)WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(StudioLog().find("[messagebox]"), std::string::npos) << StudioLog();
}

}  // namespace
