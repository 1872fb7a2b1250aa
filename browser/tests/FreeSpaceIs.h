// Makes every disk report a given free space while the object lives.
#pragma once

#include "browser/ImageFs.h"

struct FreeSpaceIs {
    explicit FreeSpaceIs(ULONGLONG bytes) : m_old(CImageFs::s_pfnFreeSpace)
    {
        Stored() = bytes;
        CImageFs::s_pfnFreeSpace = Report;
    }
    ~FreeSpaceIs() { CImageFs::s_pfnFreeSpace = m_old; }
    CImageFs::FreeSpaceProc m_old;

private:
    static ULONGLONG& Stored()
    {
        static ULONGLONG s_bytes = 0;
        return s_bytes;
    }
    static BOOL Report(LPCTSTR, ULONGLONG& free)
    {
        free = Stored();
        return TRUE;
    }
};
