// The names and menu texts of an installation: 8.3 names, GRUB paths and
// the generated menu of Tessu.sys.
#pragma once

#include "framework/String.h"

enum { MENU_BLOCK_SIZE = 314,
       MENU_PATH_LIMIT = 259 };

// Base of 1 to 8 characters, at most one dot, extension of 0 to 3.
bool IsShortName(LPCTSTR name);
// The text after the last '\' or '/' (the whole text without one).
CString FileNamePart(LPCTSTR path);

// Blanks become '_', each double-byte character one '_'; cut at the path
// limit. True when the path changed.
bool SanitizeMenuPath(CString& path);

CString InstallHeaderText();
CString IsoEmuMenuText(LPCTSTR grubPath);
// imageType 1 floppy, 2 hard disk.
CString DiskImageMenuText(LPCTSTR grubPath, int imageType, int cylinders, int heads, int sectors);
CString QuickApplicationText();
