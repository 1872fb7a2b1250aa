#include "framework/File.h"
#include "framework/Sys.h"
#include "installer/DiskImageInfo.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CString path;
    if (path.IsEmpty() && !FwGetTempFileName(FwGetTempPath(), "iaf", path))
        return 0;
    CFile f;
    if (!f.Open(path, CFile::modeCreate | CFile::modeWrite) || !f.Write(data, (UINT)size) || !f.Close())
        return 0;
    CDiskImageInfo info;
    info.Analyse(path);
    CString caption;
    info.GetCaption(caption);
    return 0;
}
