#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BYTE> copy(data, data + size);
    CMemFile f(copy.data(), (UINT)copy.size());
    CArchive ar(&f, CArchive::load, 128);
    // the first byte picks the order of reads
    BYTE plan = size ? data[0] : 0;
    for (int i = 0; i < 64 && !ar.IsFailed(); ++i) {
        switch ((plan >> (i % 8)) & 3) {
        case 0: {
            CString s;
            ar >> s;
            break;
        }
        case 1: {
            CString s;
            if (!ar.ReadString(s)) return 0;
            break;
        }
        case 2: {
            char buf[17];
            if (!ar.ReadString(buf, sizeof buf)) return 0;
            break;
        }
        default: {
            ULONGLONG v;
            int n;
            ar >> v >> n;
            break;
        }
        }
    }
    return 0;
}
