// The patched fields of the boot files: the chained-name field of the loaders
// and the preset menu of Zavo.sys. The studio and the installer both write them.
#pragma once
#include <cstddef>
#include <ctime>
#include <string>

const char kBootFilesVersion[] = "2.01";

// Chained-name field: the name, its NUL and zeros.
const size_t kLoaderNameFieldSize = 16;
const long kZeldrNameOffset = 752;  // Zeldr.bin (hard disk)
const size_t kZeldrImageSize = 8192;
const long kCdLoaderNameOffset = 2032;  // zavoldr.bin (CD)
const size_t kCdLoaderImageSize = 2048;
// In zavoldr.bin the field ends at 2045: 0x55 0xAA at 2046 and 2047 stay.
const size_t kCdLoaderNameWriteSize = 14;
const char kChainedSystemName[] = "ZAVO.SYS";

// Preset-menu field of Zavo.sys; 0x55 0xAA follow at 1022 and 1023.
const long kPresetFieldOffset = 704;
const size_t kPresetFieldSize = 318;
const size_t kMaxPresetBootPath = 53;
// The preset text without its three values and its NUL.
const size_t kPresetFixedLength = 235;

// "%d %b. %Y %H:%M:%S GMT" in English whatever the C locale: 25 characters.
std::string FormatGmtTime(time_t when);

// The 16-byte name field; false when the name needs more than 15 bytes.
bool MakeLoaderNameField(const char* name, unsigned char (&field)[kLoaderNameFieldSize]);

// The preset text for the boot path ("(cd)/kelboot", "(hd0,1)/kelboot").
std::string MakePresetText(const char* bootPath, const char* version, const std::string& gmtTime);

// The text zero-padded to the field; false (field untouched) when the boot
// path is over 53 characters or the text would not leave room for its NUL.
bool MakePresetField(const char* bootPath, time_t when, unsigned char (&field)[kPresetFieldSize]);

// Writes bytes over an existing file at `offset` (never creates or
// truncates it); false with a reason in `error`.
bool PatchFileBytes(const char* path, long offset, const void* data, size_t size, std::string& error);

// Writes `name` into a loader's name field: at 752 for Zeldr.bin, at 2032
// for zavoldr.bin (14 bytes there).
bool PatchLoaderName(const char* path, bool cdLoader, const char* name, std::string& error);

// Writes the preset field of Zavo.sys; a boot path too long leaves the file as it was.
bool PatchPresetMenu(const char* path, const char* bootPath, time_t when, std::string& error);
