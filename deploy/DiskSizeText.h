// Disk sizes as the disk box shows them.
#pragma once

#include <cstdint>

// "%0.2f KB", "MB", "GB" or "TB" of a size in KB, in a buffer of 64
// characters that the next call overwrites.
const char* FormatDiskSize(uint64_t kilobytes);
