// What the installer's window-free code needs from the system beyond the
// framework and the file helpers.
#pragma once

#include "framework/String.h"

#include <cstdint>

namespace InstallerPlatform {
// The folder of the program file, without a trailing separator.
CString ProgramFolder();
// Sets the creation and last-write times of a file from a DOS date and time
// read as local time.
bool SetFileDosTime(const char* path, uint32_t dosDateTime);
// A lead byte of a double-byte character in the system code page (GBK natively).
bool IsLeadByte(unsigned char c);
}  // namespace InstallerPlatform
