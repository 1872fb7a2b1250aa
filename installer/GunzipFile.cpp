#include "installer/GunzipFile.h"

#include "framework/File.h"

#include <zlib.h>

#include <cstring>

namespace {
const UINT kInputBlock = 16384;

struct InflateStream {
    z_stream z;
    bool ready;
    InflateStream() : ready(false)
    {
        memset(&z, 0, sizeof(z));
        ready = inflateInit2(&z, 16 + MAX_WBITS) == Z_OK;  // gzip wrapper only
    }
    ~InflateStream()
    {
        if (ready)
            inflateEnd(&z);
    }
};
}  // namespace

BOOL GunzipFile(void* buffer, size_t capacity, LPCTSTR path, size_t* produced)
{
    if (produced)
        *produced = 0;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    return GunzipFile(buffer, capacity, file, produced);
}

BOOL GunzipFile(void* buffer, size_t capacity, CFile& file, size_t* produced)
{
    if (produced)
        *produced = 0;
    if (file.Seek(0, CFile::begin) != 0)
        return FALSE;
    unsigned char input[kInputBlock];
    UINT got = file.Read(input, 2);
    if (got < 2 || input[0] != 0x1F || input[1] != 0x8B)
        return FALSE;
    InflateStream s;
    if (!s.ready)
        return FALSE;
    s.z.next_out = static_cast<Bytef*>(buffer);
    s.z.avail_out = uInt(capacity);
    s.z.next_in = input;
    s.z.avail_in = got;
    int rc = Z_OK;
    while (s.z.avail_out > 0 && rc == Z_OK) {
        if (s.z.avail_in == 0) {
            got = file.Read(input, kInputBlock);
            if (got == 0)
                break;  // a cut stream keeps what it inflated
            s.z.next_in = input;
            s.z.avail_in = got;
        }
        rc = inflate(&s.z, Z_NO_FLUSH);
        if (rc == Z_BUF_ERROR && s.z.avail_out > 0 && s.z.avail_in == 0)
            rc = Z_OK;
    }
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        return FALSE;
    const size_t total = capacity - s.z.avail_out;
    if (produced)
        *produced = total;
    return total > 0;
}
