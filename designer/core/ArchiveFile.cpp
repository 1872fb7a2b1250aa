#include "designer/core/ArchiveFile.h"

#include "framework/ScopedHandle.h"
#include "framework/Sys.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <ioapi.h>
#include <unzip.h>
#include <zip.h>
#include <zlib.h>

namespace {
gzFile OpenGzip(const char* path, bool write, const char* mode)
{
    const int fd = FwOpenDescriptor(path, write ? TRUE : FALSE);
    if (fd < 0)
        return NULL;
    gzFile gz = gzdopen(fd, mode);
    if (!gz)
        FwCloseDescriptor(fd);
    return gz;
}

// Called by the zip library for every byte of a header: I/O glue that the
// fuzzers need no edges of (each edge costs a call per byte).
#if defined(__clang__)
#define ZIP_STREAM_GLUE __attribute__((no_sanitize("coverage")))
#else
#define ZIP_STREAM_GLUE
#endif

// A zip file through stdio. A file only read keeps a position past its end
// here instead of in the stream, where reads give nothing all the same, and
// its end and error states: the zip library makes thousands of one-byte reads
// and seeks there while it reads a damaged header, and each would otherwise
// go to the system (a real seek drops the stream's read buffer).
struct ZipStream {
    FILE* file;
    bool readOnly;
    bool atEnd;        // read-only: no byte left to read
    long long size;    // read-only: the file's length
    long long beyond;  // read-only: a position past the end, else -1
    int error;
};

voidpf ZCALLBACK OpenZipStream(voidpf, const char* path, int mode)
{
    bool read = (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ;
    const char* how = read ? "rb" : (mode & ZLIB_FILEFUNC_MODE_EXISTING) ? "r+b"
                                                                         : "wb";
    FILE* f = path ? FwOpenStdFile(path, how) : NULL;
    if (!f)
        return NULL;
    long long size = 0;
    if (read && (fseek(f, 0, SEEK_END) != 0 || (size = ftell(f)) < 0 || fseek(f, 0, SEEK_SET) != 0)) {
        fclose(f);
        return NULL;
    }
    return new ZipStream{f, read, false, size, -1, 0};
}

ZIP_STREAM_GLUE uLong ZCALLBACK ReadZipStream(voidpf, voidpf stream, void* buffer, uLong size)
{
    ZipStream* z = (ZipStream*)stream;
    if (z->atEnd)
        return 0;
    size_t n = fread(buffer, 1, (size_t)size, z->file);
    if (n < (size_t)size) {
        z->atEnd = z->readOnly && feof(z->file);
        z->error = ferror(z->file);
    }
    return (uLong)n;
}

uLong ZCALLBACK WriteZipStream(voidpf, voidpf stream, const void* buffer, uLong size)
{
    ZipStream* z = (ZipStream*)stream;
    size_t n = fwrite(buffer, 1, (size_t)size, z->file);
    if (n < (size_t)size)
        z->error = ferror(z->file);
    return (uLong)n;
}

ZIP_STREAM_GLUE long ZCALLBACK TellZipStream(voidpf, voidpf stream)
{
    ZipStream* z = (ZipStream*)stream;
    return z->beyond >= 0 ? (long)z->beyond : ftell(z->file);
}

ZIP_STREAM_GLUE long ZCALLBACK SeekZipStream(voidpf, voidpf stream, uLong offset, int origin)
{
    ZipStream* z = (ZipStream*)stream;
    int how = origin == ZLIB_FILEFUNC_SEEK_SET   ? SEEK_SET
              : origin == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR
              : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END
                                                 : -1;
    if (how < 0)
        return -1;
    if (!z->readOnly)
        return fseek(z->file, (long)offset, how) == 0 ? 0 : -1;
    if (how == SEEK_CUR && offset == 0)
        return 0;
    long long base = how == SEEK_SET ? 0 : how == SEEK_END ? z->size
                                                           : TellZipStream(NULL, stream);
    long long target = base + (long)offset;
    if (base < 0 || target < 0)
        return -1;
    if (target > z->size) {
        z->beyond = target;
        z->atEnd = true;
        return 0;
    }
    if (fseek(z->file, (long)target, SEEK_SET) != 0)
        return -1;
    z->beyond = -1;
    z->atEnd = false;
    return 0;
}

ZIP_STREAM_GLUE int ZCALLBACK ZipStreamError(voidpf, voidpf stream)
{
    return ((ZipStream*)stream)->error;
}

int ZCALLBACK CloseZipStream(voidpf, voidpf stream)
{
    ZipStream* z = (ZipStream*)stream;
    int result = fclose(z->file);
    delete z;
    return result;
}

// The zip library's file functions, opening through the system layer.
zlib_filefunc_def ZipFunctions()
{
    zlib_filefunc_def functions;
    functions.zopen_file = OpenZipStream;
    functions.zread_file = ReadZipStream;
    functions.zwrite_file = WriteZipStream;
    functions.ztell_file = TellZipStream;
    functions.zseek_file = SeekZipStream;
    functions.zclose_file = CloseZipStream;
    functions.zerror_file = ZipStreamError;
    functions.opaque = NULL;
    return functions;
}

const size_t TAR_BLOCK = 512;

// Octal field of a tar header: leading blanks skipped, digits to the first
// non-octal byte, never past the field.
uint64_t ReadOctal(const unsigned char* field, size_t length)
{
    size_t i = 0;
    while (i < length && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    uint64_t value = 0;
    for (; i < length && field[i] >= '0' && field[i] <= '7'; ++i)
        value = (value << 3) | (uint64_t)(field[i] - '0');
    return value;
}

bool TarChecksumValid(const unsigned char* header)
{
    uint64_t sum = 0;
    for (size_t i = 0; i < TAR_BLOCK; ++i)
        sum += (i >= 148 && i < 156) ? 32u : header[i];
    return sum == ReadOctal(header + 148, 8);
}

// A valid header at `offset` whose data lie inside the buffer; gives the
// data size and the offset of the next header.
bool TarHeaderAt(const std::vector<unsigned char>& data, size_t length, uint64_t offset,
                 uint64_t& size, uint64_t& next)
{
    if (offset > length || length - offset < TAR_BLOCK)
        return false;
    const unsigned char* header = &data[(size_t)offset];
    if (!TarChecksumValid(header))
        return false;
    size = ReadOctal(header + 124, 12);
    if (size > length - offset - TAR_BLOCK)
        return false;
    next = offset + TAR_BLOCK + (size + TAR_BLOCK - 1) / TAR_BLOCK * TAR_BLOCK;
    return true;
}

unsigned long DiskLength(const char* path)
{
    CScopedFile f(FwOpenStdFile(path, "rb"));
    if (!f.IsValid())
        return 0;
    long length = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    return length > 0 ? (unsigned long)length : 0;
}
}  // namespace

// Read-only file functions of minizip over a block of memory (glue, as the
// file's above).
struct CArchiveFile::MemoryZip {
    const unsigned char* data;
    ZPOS64_T size;
    ZPOS64_T pos;
    bool likeFile;  // seeks past the end succeed, reads there give nothing

    static voidpf ZCALLBACK Open(voidpf opaque, const void*, int mode)
    {
        if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
            return NULL;
        MemoryZip* zip = (MemoryZip*)opaque;
        zip->pos = 0;
        return zip;
    }
    ZIP_STREAM_GLUE static uLong ZCALLBACK Read(voidpf, voidpf stream, void* buf, uLong size)
    {
        MemoryZip* zip = (MemoryZip*)stream;
        ZPOS64_T left = zip->pos < zip->size ? zip->size - zip->pos : 0;
        uLong n = (ZPOS64_T)size < left ? size : (uLong)left;
        if (!n)
            return 0;
        memcpy(buf, zip->data + zip->pos, n);
        zip->pos += n;
        return n;
    }
    static uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }
    ZIP_STREAM_GLUE static ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) { return ((MemoryZip*)stream)->pos; }
    ZIP_STREAM_GLUE static long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
    {
        MemoryZip* zip = (MemoryZip*)stream;
        ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_CUR   ? zip->pos
                        : origin == ZLIB_FILEFUNC_SEEK_END ? zip->size
                                                           : 0;
        if (zip->likeFile) {
            if (offset > ~(ZPOS64_T)0 - base)
                return -1;
        } else if (offset > zip->size || base > zip->size - offset) {
            return -1;
        }
        zip->pos = base + offset;
        return 0;
    }
    static int ZCALLBACK Close(voidpf, voidpf) { return 0; }
    ZIP_STREAM_GLUE static int ZCALLBACK Error(voidpf, voidpf) { return 0; }
};

// A gzip stream read from memory as the zlib library reads a file: members
// one after another, whatever follows the last member that does not start
// another ignored, and bytes that do not start with a gzip header given as
// they are.
struct CArchiveFile::GzipBytes {
    enum Step { LOOK,
                INFLATE,
                COPY,
                DONE };
    const unsigned char* next;
    unsigned long left;
    Step step;
    bool gzip;  // a member was seen
    int error;  // as gzerror gives it
    bool inflating;
    z_stream z;

    GzipBytes(const void* data, unsigned long size)
        : next((const unsigned char*)data), left(size), step(LOOK), gzip(false), error(Z_OK), inflating(false)
    {
        memset(&z, 0, sizeof z);
    }
    ~GzipBytes()
    {
        if (inflating)
            inflateEnd(&z);
    }
    // As gzread: the bytes read, 0 at the end, -1 after an error.
    int Read(void* buffer, unsigned length)
    {
        unsigned char* out = (unsigned char*)buffer;
        unsigned got = 0;
        while (got < length && step != DONE) {
            if (step == LOOK) {
                if (left > 1 && next[0] == 0x1f && next[1] == 0x8b) {
                    if (!inflating && inflateInit2(&z, 15 + 16) != Z_OK)
                        return Fail(Z_MEM_ERROR);
                    inflating = true;
                    inflateReset(&z);
                    step = INFLATE;
                    gzip = true;
                } else {
                    step = gzip ? DONE : COPY;
                }
            } else if (step == COPY) {
                unsigned n = left < length - got ? (unsigned)left : length - got;
                memcpy(out + got, next, n);
                next += n;
                left -= n;
                got += n;
                if (!left)
                    step = DONE;
            } else {
                z.next_in = (Bytef*)next;
                z.avail_in = left < UINT_MAX ? (uInt)left : UINT_MAX;
                z.next_out = out + got;
                z.avail_out = length - got;
                int result = inflate(&z, Z_NO_FLUSH);
                unsigned long used = (unsigned long)((const unsigned char*)z.next_in - next);
                next += used;
                left -= used;
                got = length - z.avail_out;
                if (result == Z_STREAM_END) {
                    step = LOOK;
                } else if (result == Z_NEED_DICT || result == Z_DATA_ERROR || result == Z_STREAM_ERROR) {
                    return Fail(Z_DATA_ERROR);
                } else if (result == Z_MEM_ERROR) {
                    return Fail(Z_MEM_ERROR);
                } else if (!left && z.avail_out) {
                    error = Z_BUF_ERROR;  // the file ends inside a member
                    step = DONE;
                }
            }
        }
        return (int)got;
    }
    int Fail(int code)
    {
        error = code;
        step = DONE;
        return -1;
    }
};

CArchiveFile::CArchiveFile()
    : m_gz(NULL), m_gzBytes(NULL), m_nDiskLength(0), m_zip(NULL), m_nZipIndex(-1), m_nZipEnd(INT_MAX), m_memory(NULL),
      m_nKind(KIND_NONE)
{
}

CArchiveFile::~CArchiveFile()
{
    CloseArchive();
}

BOOL CArchiveFile::Fail(LPCTSTR text)
{
    m_strError = text;
    return FALSE;
}

BOOL CArchiveFile::Open(LPCTSTR path, int mode)
{
    if (IsOpen() || !path || (mode != MODE_READ && mode != MODE_WRITE))
        return FALSE;
    if (mode == MODE_READ) {
        if (!CScopedFile(FwOpenStdFile(path, "rb")).IsValid()) {
            SetMode(MODE_CLOSED);
            return FALSE;
        }
        m_nDiskLength = DiskLength(path);
        m_gz = OpenGzip(path, false, "rb");
    } else {
        m_gz = OpenGzip(path, true, "wb");
    }
    SetMode(m_gz ? mode : MODE_CLOSED);
    if (m_gz && mode == MODE_WRITE)
        SetParams();
    return m_gz != NULL;
}

BOOL CArchiveFile::Close()
{
    if (!m_gz)
        return FALSE;
    int result = gzclose((gzFile)m_gz);
    m_gz = NULL;
    m_nDiskLength = 0;
    SetMode(MODE_CLOSED);
    return result == Z_OK;
}

BOOL CArchiveFile::IsOpen() const
{
    return m_gz != NULL;
}

int CArchiveFile::Write(const void* buffer, unsigned length)
{
    if (!m_gz || m_nMode != MODE_WRITE || length == 0)
        return 0;
    return gzwrite((gzFile)m_gz, buffer, length);
}

int CArchiveFile::WriteString(LPCTSTR text)
{
    return text ? Write(text, (unsigned)strlen(text)) : 0;
}

int CArchiveFile::Read(void* buffer, unsigned length)
{
    if (!m_gz || m_nMode != MODE_READ)
        return 0;
    return gzread((gzFile)m_gz, buffer, length);
}

BOOL CArchiveFile::SetParams()
{
    if (!m_gz || m_nMode != MODE_WRITE)
        return FALSE;
    return gzsetparams((gzFile)m_gz, m_nLevel, m_nStrategy) == Z_OK;
}

BOOL CArchiveFile::ReadAll(unsigned char*& buffer, unsigned& length)
{
    buffer = NULL;
    length = 0;
    m_data.clear();
    if ((!m_gz && !m_gzBytes) || m_nMode != MODE_READ || m_nDiskLength == 0)
        return FALSE;
    const size_t chunk = m_nDiskLength < (1u << 20) ? (size_t)m_nDiskLength : (1u << 20);
    size_t total = 0;
    for (;;) {
        if (total + chunk > (size_t)MAX_DATA)
            return Fail("Could not read data from gzip archive !");
        m_data.resize(total + chunk);
        int n = m_gzBytes ? m_gzBytes->Read(&m_data[total], (unsigned)chunk)
                          : gzread((gzFile)m_gz, &m_data[total], (unsigned)chunk);
        if (n < 0) {
            m_data.clear();
            return FALSE;
        }
        if (n == 0)
            break;
        total += (size_t)n;
    }
    int err = Z_OK;
    if (m_gzBytes)
        err = m_gzBytes->error;
    else
        gzerror((gzFile)m_gz, &err);
    if (err != Z_OK || total == 0) {
        // Z_BUF_ERROR: the stream ended early (truncated file).
        m_data.clear();
        return FALSE;
    }
    m_data.resize(total + 1);
    m_data[total] = 0;
    buffer = &m_data[0];
    length = (unsigned)total;
    return TRUE;
}

void* CArchiveFile::CreateZip(LPCTSTR path)
{
    zlib_filefunc_def functions = ZipFunctions();
    return path ? zipOpen2(path, APPEND_STATUS_CREATE, NULL, &functions) : NULL;
}

BOOL CArchiveFile::OpenArchive(LPCTSTR path)
{
    CloseArchive();
    if (!path)
        return Fail("Could not determine archive type !");
    zlib_filefunc_def functions = ZipFunctions();
    m_zip = unzOpen2(path, &functions);
    if (m_zip) {
        m_nKind = KIND_ZIP;
        NoteFirstEntry();
        return TRUE;
    }
    if (!Open(path, MODE_READ))
        return Fail("Could not determine archive type !");
    return OpenGzipData(NULL, 0);
}

// The gzip stream opened by Open, or else the bytes.
BOOL CArchiveFile::OpenGzipData(const void* bytes, unsigned long size)
{
    GzipBytes stream(bytes, size);
    if (!m_gz) {
        m_gzBytes = &stream;
        m_nDiskLength = size;
        SetMode(MODE_READ);
    }
    unsigned char* data = NULL;
    unsigned length = 0;
    BOOL read = ReadAll(data, length);
    if (m_gzBytes) {
        m_gzBytes = NULL;
        m_nDiskLength = 0;
        SetMode(MODE_CLOSED);
    } else {
        Close();
    }
    if (!read)
        return Fail("Could not read data from gzip archive !");
    uint64_t tarSize = 0, next = 0;
    m_nKind = TarHeaderAt(m_data, length, 0, tarSize, next) ? KIND_TAR_GZIP : KIND_GZIP;
    return TRUE;
}

BOOL CArchiveFile::OpenArchiveBytes(const void* data, unsigned long size)
{
    CloseArchive();
    if (!data && size)
        return Fail("Could not determine archive type !");
    if (OpenMemoryZip(data, size, true))
        return TRUE;
    m_strError.Empty();
    return OpenGzipData(data, size);
}

BOOL CArchiveFile::OpenArchiveFromMemory(const void* data, unsigned long size)
{
    CloseArchive();
    if (!data || size == 0)
        return Fail("Could not determine archive type !");
    return OpenMemoryZip(data, size, false);
}

BOOL CArchiveFile::OpenMemoryZip(const void* data, unsigned long size, bool likeFile)
{
    m_memory = new MemoryZip();
    m_memory->data = (const unsigned char*)data;
    m_memory->size = size;
    m_memory->pos = 0;
    m_memory->likeFile = likeFile;
    zlib_filefunc64_def io;
    io.zopen64_file = MemoryZip::Open;
    io.zread_file = MemoryZip::Read;
    io.zwrite_file = MemoryZip::Write;
    io.ztell64_file = MemoryZip::Tell;
    io.zseek64_file = MemoryZip::Seek;
    io.zclose_file = MemoryZip::Close;
    io.zerror_file = MemoryZip::Error;
    io.opaque = m_memory;
    m_zip = unzOpen2_64("memory", &io);
    if (!m_zip) {
        CloseArchive();
        return Fail("Could not determine archive type !");
    }
    m_nKind = KIND_ZIP;
    NoteFirstEntry();
    return TRUE;
}

// Opening a zip goes to its first entry: reaching it again would read the
// same header, with the same result.
void CArchiveFile::NoteFirstEntry()
{
    unz_file_pos pos;
    if (unzGetFilePos((unzFile)m_zip, &pos) == UNZ_OK)
        m_nZipIndex = 0;
    else
        m_nZipEnd = 0;
}

int CArchiveFile::GetEntryCount()
{
    switch (m_nKind) {
    case KIND_ZIP: {
        unz_global_info info;
        if (unzGetGlobalInfo((unzFile)m_zip, &info) != UNZ_OK || info.number_entry > 0x7fffffffUL) {
            Fail("Could not get files from the archive !");
            return -1;
        }
        return (int)info.number_entry;
    }
    case KIND_GZIP:
        return 1;
    case KIND_TAR_GZIP: {
        const size_t length = m_data.empty() ? 0 : m_data.size() - 1;
        int count = 0;
        uint64_t offset = 0, size = 0, next = 0;
        while (TarHeaderAt(m_data, length, offset, size, next)) {
            ++count;
            offset = next;
        }
        return count;
    }
    default:
        Fail("Archive not opened");
        return -1;
    }
}

BOOL CArchiveFile::GetEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name)
{
    data = NULL;
    size = 0;
    isFile = FALSE;
    switch (m_nKind) {
    case KIND_ZIP:
        return ReadZipEntry(index, data, size, isFile, name);
    case KIND_GZIP:
        data = &m_data[0];
        size = (unsigned)(m_data.size() - 1);
        isFile = TRUE;
        name = "unknown";
        return TRUE;
    case KIND_TAR_GZIP:
        return ReadTarEntry(index, data, size, isFile, name);
    default:
        return Fail("Archive not opened");
    }
}

BOOL CArchiveFile::GoToZipEntry(int index, CString& name, BOOL& isFile, unsigned long& size)
{
    unzFile zip = (unzFile)m_zip;
    // Walking the entries in order steps on from the current one, not from
    // the first, and an entry that could not be reached ends every walk there.
    bool onTheWay = m_nZipIndex >= 0 && m_nZipIndex <= index;
    int result = index < 0 || index >= m_nZipEnd ? UNZ_PARAMERROR : UNZ_OK;
    if (result == UNZ_OK) {
        int i = onTheWay ? m_nZipIndex : 0;
        m_nZipIndex = -1;
        if (!onTheWay)
            result = unzGoToFirstFile(zip);
        for (; i < index && result == UNZ_OK; ++i)
            result = unzGoToNextFile(zip);
        if (result == UNZ_OK)
            m_nZipIndex = index;
        else
            m_nZipEnd = i;  // the entry the failed step was to reach
    }
    unz_file_info info;
    if (result == UNZ_OK)
        result = unzGetCurrentFileInfo(zip, &info, NULL, 0, NULL, 0, NULL, 0);
    std::vector<char> entryName(result == UNZ_OK ? info.size_filename + 1u : 1u, '\0');
    if (result == UNZ_OK)
        result = unzGetCurrentFileInfo(zip, &info, &entryName[0], (uLong)entryName.size(), NULL, 0, NULL, 0);
    if (result != UNZ_OK)
        return Fail("Could not get file at the specified position from the archive !");
    const size_t nameLength = strlen(&entryName[0]);
    const bool folderName = nameLength > 0 && (entryName[nameLength - 1] == '/' || entryName[nameLength - 1] == '\\');
    isFile = !folderName && !(info.external_fa & 0x10);
    name = &entryName[0];
    size = info.uncompressed_size;
    return TRUE;
}

BOOL CArchiveFile::GetEntryName(int index, CString& name, BOOL& isFile)
{
    isFile = FALSE;
    if (m_nKind != KIND_ZIP) {
        unsigned char* data = NULL;
        unsigned size = 0;
        return GetEntry(index, data, size, isFile, name);
    }
    unsigned long size = 0;
    return GoToZipEntry(index, name, isFile, size);
}

BOOL CArchiveFile::ReadZipEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name)
{
    unzFile zip = (unzFile)m_zip;
    CString entryName;
    BOOL entryIsFile = FALSE;
    unsigned long declaredSize = 0;
    if (!GoToZipEntry(index, entryName, entryIsFile, declaredSize))
        return FALSE;

    m_entry.clear();
    const char* unzipFailed = "Could not unzip file at the specified position from the archive !";
    if (declaredSize > (unsigned long)MAX_DATA || unzOpenCurrentFile(zip) != UNZ_OK)
        return Fail(unzipFailed);
    // The declared size is only a hint: the buffer grows with what inflates.
    const size_t declared = (size_t)declaredSize;
    m_entry.reserve(declared < (1u << 20) ? declared + 1 : (1u << 20));
    unsigned char chunk[16384];
    int n = 0;
    while ((n = unzReadCurrentFile(zip, chunk, sizeof chunk)) > 0) {
        if (m_entry.size() + (size_t)n > declared)
            break;
        m_entry.insert(m_entry.end(), chunk, chunk + n);
    }
    int closed = unzCloseCurrentFile(zip);
    if (n != 0 || closed != UNZ_OK || m_entry.size() != declared) {
        m_entry.clear();
        return Fail(unzipFailed);
    }
    m_entry.push_back(0);
    data = &m_entry[0];
    size = (unsigned)declared;
    isFile = entryIsFile;
    name = entryName;
    return TRUE;
}

BOOL CArchiveFile::ReadTarEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name)
{
    const size_t length = m_data.empty() ? 0 : m_data.size() - 1;
    uint64_t offset = 0, entrySize = 0, next = 0;
    for (int i = 0; i < index; ++i) {
        if (!TarHeaderAt(m_data, length, offset, entrySize, next))
            return Fail("Invalid file position !");
        offset = next;
    }
    if (index < 0 || !TarHeaderAt(m_data, length, offset, entrySize, next))
        return Fail("Invalid file position !");
    const unsigned char* header = &m_data[(size_t)offset];
    const unsigned char* body = header + TAR_BLOCK;
    m_entry.assign(body, body + (size_t)entrySize);
    m_entry.push_back(0);
    data = &m_entry[0];
    size = (unsigned)entrySize;
    isFile = header[156] == '0' || header[156] == 0;
    const char* field = (const char*)header;
    name = CString(std::string(field, strnlen(field, 100)).c_str());
    return TRUE;
}

BOOL CArchiveFile::GetComment(CString& text)
{
    text.Empty();
    if (m_nKind == KIND_NONE)
        return Fail("Archive not opened");
    if (m_nKind != KIND_ZIP)
        return TRUE;
    unz_global_info info;
    if (unzGetGlobalInfo((unzFile)m_zip, &info) != UNZ_OK)
        return Fail("Could not get files from the archive !");
    std::vector<char> comment(info.size_comment + 1u, '\0');
    if (info.size_comment && unzGetGlobalComment((unzFile)m_zip, &comment[0], (uLong)comment.size()) < 0)
        return Fail("Could not get files from the archive !");
    text = &comment[0];
    return TRUE;
}

void CArchiveFile::CloseArchive()
{
    if (m_zip)
        unzClose((unzFile)m_zip);
    m_zip = NULL;
    m_nZipIndex = -1;
    m_nZipEnd = INT_MAX;
    delete m_memory;
    m_memory = NULL;
    if (IsOpen())
        Close();
    std::vector<unsigned char>().swap(m_data);
    std::vector<unsigned char>().swap(m_entry);
    m_strError.Empty();
    m_nKind = KIND_NONE;
}

BOOL CArchiveFile::GzipFile(LPCTSTR path)
{
    m_strError.Empty();
    if (!path || !*path)
        return Fail("Could not open the file to compress !");
    const std::string output = std::string(path) + ".gz";
    CScopedFile in(FwOpenStdFile(path, "rb"));
    if (!in.IsValid()) {
        fprintf(stderr, "%s: %s\n", path, strerror(errno));
        return Fail((CString("Could not open ") + path).operator LPCTSTR());
    }
    gzFile out = OpenGzip(output.c_str(), true, "wb9");
    if (!out) {
        return Fail((CString("Could not create ") + output.c_str()).operator LPCTSTR());
    }
    char chunk[16384];
    bool complete = false;
    for (;;) {
        size_t n = fread(chunk, 1, sizeof chunk, in);
        if (ferror(in))
            break;
        if (n == 0) {
            complete = true;
            break;
        }
        if (gzwrite(out, chunk, (unsigned)n) != (int)n)
            break;
    }
    in.Close();
    if (gzclose(out) != Z_OK)
        complete = false;
    if (!complete) {
        // A partly written archive is worse than none.
        FwDeleteFile(output.c_str());
        return Fail((CString("Could not compress ") + path).operator LPCTSTR());
    }
    if (!FwDeleteFile(path))
        return Fail((CString("Could not delete ") + path).operator LPCTSTR());
    return TRUE;
}

BOOL CArchiveFile::GzipData(const void* data, size_t length, LPCTSTR output)
{
    m_strError.Empty();
    if (!output || !*output || (!data && length))
        return Fail("Could not open the file to compress !");
    gzFile out = OpenGzip(output, true, "wb9");
    if (!out)
        return Fail((CString("Could not create ") + output).operator LPCTSTR());
    const char* p = static_cast<const char*>(data);
    bool complete = true;
    while (length > 0 && complete) {
        unsigned n = length > (1u << 30) ? (1u << 30) : (unsigned)length;
        complete = gzwrite(out, p, n) == (int)n;
        p += n;
        length -= n;
    }
    if (gzclose(out) != Z_OK)
        complete = false;
    if (!complete) {
        FwDeleteFile(output);
        return Fail((CString("Could not compress into ") + output).operator LPCTSTR());
    }
    return TRUE;
}
