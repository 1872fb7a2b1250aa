// Small helpers shared by the tests that run the studio or its windows.
#pragma once
#include <windows.h>

#include "framework/ScopedHandle.h"
#include "testsupport/TestSupport.h"
#include "testsupport/WindowsTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

// The folder of the running test program (the build's bin folder).
inline std::string BinDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.rfind('\\'));
}

// A folder of this process's own under the temp folder, made when missing.
inline std::string ProcessTempDir(const std::string& prefix)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + prefix + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), NULL);
    return dir;
}

// A path of this machine as Wine's Z: drive names it.
inline std::string WindowsPath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The harness runs some studio tests twice: ZAVO_TEST_SKINNED=1 leaves the
// studios they start skinned, and their outputs take this suffix.
inline bool SkinnedRun()
{
    const char* v = getenv("ZAVO_TEST_SKINNED");
    return v && strcmp(v, "1") == 0;
}
inline std::string RunSuffix() { return SkinnedRun() ? "Skinned" : ""; }
// Sets ZAVO_NO_SKIN for the studios this process starts.
inline void SetStudioSkin() { SetEnvironmentVariableA("ZAVO_NO_SKIN", SkinnedRun() ? NULL : "1"); }

// A skinned frame cuts its caption's corners off with a window region; an
// unskinned one has none.
inline bool HasWindowRegion(HWND window)
{
    CScopedRgn region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, region) != ERROR;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using zavotest::PumpApp;
using zavotest::RemoveTree;

// Posts a click and a double click at the client point, as the mouse sends them.
inline void PostDoubleClick(HWND window, int x, int y)
{
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

// Polls until the condition holds or the time is up.
template <class F>
bool WaitFor(F condition, int ms)
{
    for (int waited = 0; waited < ms; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

using zavotest::ReadFile;
using zavotest::WriteFile;
