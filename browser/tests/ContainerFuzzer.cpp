#include "browser/GzMemberReader.h"
#include "framework/File.h"
#include "framework/Sys.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CString path;
    if (path.IsEmpty() && !FwGetTempFileName(FwGetTempPath(), "bcf", path))
        return 0;
    CFile f;
    if (!f.Open(path, CFile::modeCreate | CFile::modeWrite) || !f.Write(data, (UINT)size) || !f.Close())
        return 0;
    GzMemberReader r;
    LONGLONG n = r.Open(path);
    std::vector<BYTE> buf(40000);
    // forwards, then back beyond the window
    for (DWORD at = 0; n > 0 && at < 1u << 22;) {
        int got = r.ReadAt(buf.data(), at, (UINT)buf.size());
        if (got <= 0)
            break;
        at += got;
    }
    r.ReadAt(buf.data(), 10, 100);
    BYTE head[GzMemberReader::PROBE_SIZE];
    GzMemberReader::Probe(head, path);
    return 0;
}
