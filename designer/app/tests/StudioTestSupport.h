// Small helpers shared by the tests that run the studio or its windows.
#pragma once
#include <windows.h>

#include "testsupport/TestSupport.h"

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

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes the folder with all it holds, read-only files too.
inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

// Runs the studio's waiting messages and idle work, as its own loop would, three rounds.
template <class App>
void PumpStudio(App& app)
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!app.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        for (LONG n = 0; app.OnIdle(n); ++n) {}
    }
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
