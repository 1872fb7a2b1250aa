#include "browser/GzMemberReader.h"
#include "framework/MemFile.h"

#include <cstdint>
#include <vector>

// The container reader on the bytes in memory: forwards, then back beyond
// the window, then the probe.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // an exact-size copy, so reads past the end are caught
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    GzMemberReader r;
    LONGLONG n = r.Open(file);
    std::vector<BYTE> buf(40000);
    for (DWORD at = 0; n > 0 && at < 1u << 22;) {
        int got = r.ReadAt(buf.data(), at, (UINT)buf.size());
        if (got <= 0)
            break;
        at += got;
    }
    r.ReadAt(buf.data(), 10, 100);
    r.Close();
    BYTE head[GzMemberReader::PROBE_SIZE];
    GzMemberReader::Probe(head, file);
    return 0;
}
