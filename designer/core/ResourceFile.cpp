#include "designer/core/ResourceFile.h"

#include "framework/ScopedHandle.h"
#include "framework/Sys.h"

#include <cstdio>

BOOL CResourceFile::SaveToFile(UINT id, LPCTSTR type, LPCTSTR path)
{
    const void* data = NULL;
    size_t size = 0;
    const bool found = FwFindProgramResource(id, type, data, size) != FALSE;
    if (!WriteBytes(path, found ? data : NULL, found ? size : 0))
        return FALSE;
    return found ? TRUE : FALSE;
}

BOOL CResourceFile::WriteBytes(LPCTSTR path, const void* data, size_t size)
{
    if (!path || !*path)
        return FALSE;
    CScopedFile f(FwOpenStdFile(path, "wb"));
    if (!f.IsValid())
        return FALSE;
    bool ok = size == 0 || fwrite(data, 1, size, f) == size;
    if (!f.Close())
        ok = false;
    return ok ? TRUE : FALSE;
}
