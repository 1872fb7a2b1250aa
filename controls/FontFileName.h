// Finds the file of an installed font through the registry's Fonts key.
#pragma once
#include <windows.h>
#include "framework/String.h"

// Windows version class: 101 NT 3.51, 102 NT 4, 103 2000, 104 XP, 199 other NT,
// 201 CE, below 101 the 9x family.
int GetWindowsVersionClass();

// The first value of the Fonts key whose name begins with lpszFaceName
// (case-insensitive) gives strValueName and its data strFileName. Both are
// empty and the result FALSE when the key cannot be read or nothing matches.
BOOL GetFontFileName(LPCTSTR lpszFaceName, CString& strValueName, CString& strFileName);

// TRUE on the first call, and after the Fonts key may have been written since
// the last call that gave TRUE; always TRUE while the key cannot be watched.
// The system signals the writes, so an unchanged key costs no registry read,
// and the signal is looked at once in kFontsKeyLookMs at most.
BOOL FontsKeyMayHaveChanged();
const DWORD kFontsKeyLookMs = 250;
