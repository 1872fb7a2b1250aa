// Thin portable system helpers. Paths may use '\' or '/'; natively '\' is
// turned into '/' before the POSIX call, and paths returned are native.
// Failures return FALSE (or an empty result); FwGetLastError() tells why,
// as a Win32 error code (natively translated from errno).
#pragma once

#include "framework/String.h"

#include <cstddef>
#include <cstdio>

// Module whose resources CString::LoadString and the window classes use
// (default: the exe's module; natively NULL).
FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE hInstResource);

FW_API CString FwGetCurrentDirectory();
FW_API BOOL FwSetCurrentDirectory(LPCTSTR lpszPath);
FW_API BOOL FwCreateDirectory(LPCTSTR lpszPath);
FW_API BOOL FwRemoveDirectory(LPCTSTR lpszPath);
FW_API BOOL FwDeleteFile(LPCTSTR lpszPath);
FW_API BOOL FwCopyFile(LPCTSTR lpszSource, LPCTSTR lpszTarget, BOOL bFailIfExists);
FW_API BOOL FwMoveFile(LPCTSTR lpszSource, LPCTSTR lpszTarget);
// FILE_ATTRIBUTE_* bits, INVALID_FILE_ATTRIBUTES when the path does not exist.
FW_API DWORD FwGetFileAttributes(LPCTSTR lpszPath);
FW_API BOOL FwFileExists(LPCTSTR lpszPath);  // file or folder
FW_API BOOL FwDirectoryExists(LPCTSTR lpszPath);
FW_API DWORD FwGetLastError();
FW_API void FwSetLastError(DWORD dwError);
// The system's text for an error code, without the trailing line break.
FW_API CString FwFormatSystemMessage(DWORD dwError);
// The temp folder, ending in a separator.
FW_API CString FwGetTempPath();
// Creates an empty unique file "<folder>\<up to 3 chars of prefix><hex>.tmp",
// returns its number (0 on failure) and its path in strPath.
FW_API UINT FwGetTempFileName(LPCTSTR lpszFolder, LPCTSTR lpszPrefix, CString& strPath);
// _access(): mode 0 exists, 2 writable, 4 readable, 6 both; 0 on success, -1 on failure.
FW_API int FwAccess(LPCTSTR lpszPath, int nMode);
// The absolute form of a path (no check that it exists).
FW_API CString FwGetFullPathName(LPCTSTR lpszPath);
// The path in the form the system takes ('\' becomes '/' natively).
FW_API CString FwNativePath(LPCTSTR lpszPath);
// The separator the platform's own paths use.
FW_API TCHAR FwPathSeparator();
// Whether c starts a two-byte character in the system code page (never natively).
FW_API BOOL FwIsLeadByte(unsigned char c);
// A stdio stream; the path is in the system code page on Windows too. On
// failure the last error tells why.
FW_API FILE* FwOpenStdFile(LPCTSTR lpszPath, LPCTSTR lpszMode);
// After a failed C library call on a stream: natively the last error is taken
// from errno; Windows keeps the one the system set.
FW_API void FwNoteStdioError();
// A binary file descriptor (-1 on failure), for libraries that take one.
FW_API int FwOpenDescriptor(LPCTSTR lpszPath, BOOL bWrite);
FW_API void FwCloseDescriptor(int fd);
// Whether the path is a file that opens for reading (a folder is not).
FW_API BOOL FwCanOpenForRead(LPCTSTR lpszPath);
// Creates the file, or empties it when it exists.
FW_API BOOL FwCreateOrTruncate(LPCTSTR lpszPath);
// A resource of the program's own module; FALSE when missing (always natively).
FW_API BOOL FwFindProgramResource(UINT nID, LPCTSTR lpszType, const void*& pData, size_t& nSize);
// Shows text in a window (a feedback control); nothing when there is none.
FW_API void FwSetWindowText(void* hWnd, LPCTSTR lpszText);
