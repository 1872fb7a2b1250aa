// What the browser's core needs from the system beyond the framework.
#pragma once

#include "framework/String.h"

// The volume label of a drive root such as "D:\" (empty when there is none).
CString BrGetVolumeLabel(LPCTSTR root);

// The folder of the path ("." when it names none).
CString BrFolderOf(LPCTSTR path);

// Creates an empty unique file in the folder of target (the current folder
// when the path has none) and returns its path in temp.
BOOL BrTempFileBeside(LPCTSTR target, CString& temp);

// Moves source over target, replacing a file already there.
BOOL BrReplaceFile(LPCTSTR source, LPCTSTR target);

// The bytes free for this user on the disk that holds the folder.
BOOL BrGetFreeSpace(LPCTSTR folder, ULONGLONG& free);
