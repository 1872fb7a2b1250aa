#include "framework/MemFile.h"
#include "installer/DiskImageInfo.h"

#include <cstdint>
#include <vector>

// The analysis on the bytes in memory, as on a file holding them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // an exact-size copy, so reads past the end are caught
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CDiskImageInfo info;
    info.Analyse(file);
    CString caption;
    info.GetCaption(caption);
    return 0;
}
