// Writes a binary resource of the program to a file.
#pragma once

#include "framework/Framework.h"

#include <cstddef>

class CResourceFile {
public:
    CResourceFile() {}
    virtual ~CResourceFile() {}

    // False when the resource is missing (an empty file is left) or the file
    // cannot be written.
    BOOL SaveToFile(UINT id, LPCTSTR type, LPCTSTR path);
    static BOOL WriteBytes(LPCTSTR path, const void* data, size_t size);
};
