// The scratch drive T: that scratch_drive.sh links into the Wine prefix for
// the tests that write boot files.
#pragma once

#include "installer/tests/InstallerTestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace installer_test {
// Empties the folder (its name ends in a backslash), read-only files too.
inline void ClearFolder(const std::string& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = fd.cFileName, path = folder + name;
        if (name == "." || name == "..")
            continue;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ClearFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

// An empty T: holding only the given boot.ini.
inline ::testing::AssertionResult ResetScratchDrive(const std::string& bootIni)
{
    if (GetFileAttributesA("T:\\") == INVALID_FILE_ATTRIBUTES)
        return ::testing::AssertionFailure() << "scratch drive T: is not linked";
    ClearFolder("T:\\");
    if (!WriteText("T:\\boot.ini", bootIni))
        return ::testing::AssertionFailure() << "cannot write T:\\boot.ini";
    return ::testing::AssertionSuccess();
}
}  // namespace installer_test
