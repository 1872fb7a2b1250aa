// Paths a project stores for its pictures and themes. A relative one names a
// file from the project file's folder, whatever the current folder is.
#pragma once

#include "framework/Framework.h"

class CProjectPaths {
public:
    // "C:\x", "\\server\share", "\x" and "C:x" are not relative; "" is not either.
    static BOOL IsRelative(LPCTSTR lpszPath);
    // The path from the folder, with "." and ".." steps taken; other paths as they are.
    static CString Resolve(LPCTSTR lpszPath, LPCTSTR lpszFolder);
    // What to store so that the path still names the same file from the new
    // folder: relative where the file lies under it, else absolute. Absolute
    // paths, and every path when both folders are one, stay as they are.
    static CString Rebase(LPCTSTR lpszPath, LPCTSTR lpszOldFolder, LPCTSTR lpszNewFolder);
    // The folder of a file path, without the last backslash.
    static CString FolderOf(LPCTSTR lpszFilePath);
    static BOOL SameFolder(LPCTSTR lpszFirst, LPCTSTR lpszSecond);

    // The open project's folder (empty for a project never saved); the
    // elements and the document resolve their stored paths against it.
    static void SetProjectFolder(LPCTSTR lpszFolder);
    static CString GetProjectFolder() { return s_strFolder; }
    static CString Resolve(LPCTSTR lpszPath) { return Resolve(lpszPath, s_strFolder); }

private:
    static CString s_strFolder;
};
