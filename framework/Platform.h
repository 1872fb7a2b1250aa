// The system calls of the framework's portable classes; Sys.cpp implements
// them for Win32 and POSIX. Internal to the library.
#pragma once

#include "framework/FileFind.h"
#include "framework/String.h"

namespace fwplat {
// Opens with CFile::OpenFlags; returns INVALID_HANDLE_VALUE and sets the last error on failure.
HANDLE OpenFile(LPCTSTR path, UINT flags);
BOOL ReadFile(HANDLE h, void* buf, UINT count, UINT& done);
BOOL WriteFile(HANDLE h, const void* buf, UINT count);
BOOL SeekFile(HANDLE h, LONGLONG off, UINT from, ULONGLONG& pos);
BOOL TruncateFile(HANDLE h, ULONGLONG size);
BOOL FlushFile(HANDLE h);
BOOL CloseFile(HANDLE h);
BOOL FileSize(HANDLE h, ULONGLONG& size);

// Entry data of one path (name = last component).
BOOL StatPath(LPCTSTR path, CFileFind::Entry& e);

struct FindState;
// Lists the folder of `pattern`; the first match in e, NULL when none.
FindState* FindFirst(LPCTSTR pattern, CFileFind::Entry& e);
BOOL FindNext(FindState* s, CFileFind::Entry& e);
void FindClose(FindState* s);

// Whether c starts a two-byte character in the system code page.
bool IsLeadByte(unsigned char c);
}  // namespace fwplat
