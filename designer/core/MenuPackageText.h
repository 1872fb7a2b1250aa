// The texts of a menu package: the package name check, kelmenu.ini values,
// the VESA mode of a page and its resolution text, the zip comment, and the
// picture size in a PNG file's header. Window-free.
#pragma once

#include "framework/String.h"

#include <cstddef>

// The version kelmenu.ini names in its header and its [common] section.
const char kKelMenuVersion[] = "2.01";

namespace MenuPackageText {
// A name that can stand as one file name in the menus folder.
bool IsValidMenuName(LPCTSTR lpszName);
// A text as one value line of kelmenu.ini: control characters become blanks.
CString IniValue(LPCTSTR lpszText);
// 0x111, 0x114 or 0x117 for a page 640, 800 or 1024 wide; 0 for others.
int VesaModeOf(int nPageWidth);
// "640 x 480", "800 x 600", "1024 x 768" or "N/A".
CString ResolutionText(int nVesaMode);
// At most 65535 bytes: a longer description is cut at a whole character.
CString ZipComment(LPCTSTR lpszDescription, int nVesaMode, LPCTSTR lpszProjectPath);
// The size in the first 24 bytes of a PNG file; false when they are no PNG header.
bool PngHeaderSize(const unsigned char* head, size_t size, int& cx, int& cy);
// The same for a file; false when it cannot be read or is no PNG.
bool PngFileSize(LPCTSTR lpszPath, int& cx, int& cy);
}  // namespace MenuPackageText
