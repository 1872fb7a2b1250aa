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

// Runs xdotool with the arguments on the X server: its keys go to the window
// that has the X focus, as a real keyboard's do. Wine starts the shell as a
// Unix process, with the command line in the Unix character set, and gives
// no process handle to wait on: the shell leaves xdotool's exit code in a
// file. The keys arrive while xdotool runs, so pump() runs the caller's
// messages meanwhile. The last argument goes in double quotes. False when
// xdotool did not run or failed.
template <class Pump>
bool RunXdotool(const std::wstring& args, const std::wstring& last, Pump pump)
{
    typedef char*(CDECL * UnixName)(LPCWSTR);
    UnixName toUnix = (UnixName)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    wchar_t folder[MAX_PATH], done[MAX_PATH];
    if (toUnix == NULL || !GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"xdo", 0, done))
        return false;
    char* unixDone = toUnix(done);
    if (unixDone == NULL)
        return false;
    std::wstring cmd = L"/bin/sh -c \"xdotool " + args + L" -- \\\"$0\\\"; echo $? >\\\"$1\\\"\" \"";
    bool ok = true;
    for (wchar_t c : args + last)
        ok = ok && c != L'"' && c != L'\\';  // such text would need quoting
    cmd += last + L"\" \"";
    for (const char* p = unixDone; *p; ++p)
        cmd += (wchar_t)(unsigned char)*p;  // temp paths are ASCII here
    cmd += L"\"";
    HeapFree(GetProcessHeap(), 0, unixDone);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!ok || !CreateProcessW(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        DeleteFileW(done);
        return false;
    }
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    std::string rc;
    const DWORD start = GetTickCount();
    while (rc.empty() && GetTickCount() - start < 30000) {
        pump();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        HANDLE h = CreateFileW(done, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        char buf[16] = "";
        DWORD got = 0;
        if (::ReadFile(h, buf, sizeof(buf) - 1, &got, NULL) && got > 0 && buf[got - 1] == '\n')
            rc.assign(buf, got - 1);
        CloseHandle(h);
    }
    pump();
    DeleteFileW(done);
    return rc == "0";
}

// Types the text with the X server's keyboard (xdotool maps a spare key code
// to each character in turn).
template <class Pump>
bool TypeOnXServer(const std::wstring& text, Pump pump)
{
    return RunXdotool(L"type --delay 250", text, pump);
}

// Presses a key by its X name ("Escape", "ctrl+g") on the X server.
template <class Pump>
bool PressOnXServer(const std::wstring& key, Pump pump)
{
    return RunXdotool(L"key", key, pump);
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
