// Helpers for the Windows test programs that run windows or write folders.
#pragma once

#include <windows.h>

#include <string>

namespace zavotest {
// Removes the folder with all it holds, read-only files too.
inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
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

// Runs the application's waiting messages and idle work, as its own loop
// would, three rounds.
template <class App>
void PumpApp(App& app)
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
}  // namespace zavotest
