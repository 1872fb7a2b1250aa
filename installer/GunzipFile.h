// Inflates the start of a gzip file.
#pragma once

#include "framework/String.h"

class CFile;

#include <cstddef>

// True when the file is a gzip file and its first inflated bytes (at most
// `capacity`) are in the buffer; their count in `produced`. A damaged
// stream inflates nothing.
BOOL GunzipFile(void* buffer, size_t capacity, LPCTSTR path, size_t* produced = NULL);
// The same from the start of a file the caller opened (bytes in a CMemFile, say).
BOOL GunzipFile(void* buffer, size_t capacity, CFile& source, size_t* produced = NULL);
