// Inflates the start of a gzip file.
#pragma once

#include "framework/String.h"

#include <cstddef>

// True when the file is a gzip file and its first inflated bytes (at most
// `capacity`) are in the buffer; their count in `produced`. A damaged
// stream inflates nothing.
BOOL GunzipFile(void* buffer, size_t capacity, LPCTSTR path, size_t* produced = NULL);
