#include "browser/GzMemberReader.h"

#include <climits>
#include <cstring>
#include <new>

namespace {
DWORD Le16(const BYTE* p) { return (DWORD)p[0] | ((DWORD)p[1] << 8); }
DWORD Le32(const BYTE* p) { return Le16(p) | (Le16(p + 2) << 16); }
}  // namespace

GzMemberReader::GzMemberReader()
    : m_pSource(NULL), m_fileLength(0), m_dataStart(0), m_dataEnd(0), m_inputPos(0), m_dwCrc(0), m_dwSize(0),
      m_bCompressed(FALSE), m_bZip(FALSE), m_nError(ERR_NONE), m_bZInit(FALSE), m_bStreamEnd(FALSE),
      m_dwRunningCrc(0), m_filled(0), m_pInput(NULL), m_pWindow(NULL)
{
    memset(&m_z, 0, sizeof(m_z));
}

GzMemberReader::~GzMemberReader()
{
    Close();
    if (m_bZInit)
        inflateEnd(&m_z);
}

BOOL ReadFileAt(CFile& file, ULONGLONG limit, ULONGLONG offset, void* buffer, UINT length)
{
    if (offset > limit || length > limit - offset)
        return FALSE;
    if (file.Seek((LONGLONG)offset, CFile::begin) != offset)
        return FALSE;
    BYTE* p = static_cast<BYTE*>(buffer);
    while (length) {
        UINT got = file.Read(p, length);
        if (got == 0)
            return FALSE;
        p += got;
        length -= got;
    }
    return TRUE;
}

BOOL GzMemberReader::ReadExact(ULONGLONG offset, void* buffer, UINT length)
{
    return ReadFileAt(*m_pSource, m_fileLength, offset, buffer, length);
}

// Reads the container's fixed header: TEST_OK when whole, TEST_CUT when the
// file ends inside it after its magic, else TEST_NONE.
GzMemberReader::TestResult GzMemberReader::ReadFixedHeader(BYTE* header, UINT length, const BYTE* magic,
                                                           UINT magicLength)
{
    UINT have = m_fileLength < length ? (UINT)m_fileLength : length;
    if (have < magicLength || !ReadExact(0, header, have) || memcmp(header, magic, magicLength) != 0)
        return TEST_NONE;
    return have < length ? TEST_CUT : TEST_OK;
}

GzMemberReader::TestResult GzMemberReader::TestGzip()
{
    BYTE h[10];
    static const BYTE kGzip[] = {0x1F, 0x8B}, kPacked[] = {0x1F, 0x9E};
    TestResult fixed = ReadFixedHeader(h, sizeof(h), kGzip, sizeof(kGzip));
    if (fixed == TEST_NONE)
        fixed = ReadFixedHeader(h, sizeof(h), kPacked, sizeof(kPacked));
    if (fixed != TEST_OK)
        return fixed;
    if (h[2] != 8 || (h[3] & 0xE2))
        return TEST_BAD;
    ULONGLONG pos = 10;
    if (h[3] & 0x04) {
        BYTE x[2];
        if (!ReadExact(pos, x, 2))
            return TEST_CUT;
        pos += 2 + Le16(x);
    }
    for (BYTE bit = 0x08; bit <= 0x10; bit <<= 1) {
        if (!(h[3] & bit))
            continue;
        for (;;) {  // a NUL-terminated field
            BYTE c;
            if (!ReadExact(pos++, &c, 1))
                return TEST_CUT;
            if (c == 0)
                break;
        }
    }
    BYTE t[8];
    if (m_fileLength < 8 || pos > m_fileLength - 8 || !ReadExact(m_fileLength - 8, t, 8))
        return TEST_CUT;
    m_dataStart = pos;
    m_dataEnd = m_fileLength - 8;
    m_dwCrc = Le32(t);
    m_dwSize = Le32(t + 4);
    return TEST_OK;
}

GzMemberReader::TestResult GzMemberReader::TestZip()
{
    BYTE h[30];
    static const BYTE kZip[] = {'P', 'K', 3, 4};
    TestResult fixed = ReadFixedHeader(h, sizeof(h), kZip, sizeof(kZip));
    if (fixed != TEST_OK)
        return fixed;
    // encrypted, sizes in a data descriptor, or anything newer
    if ((Le16(h + 6) & 0xFFF9) || Le16(h + 8) != 8)
        return TEST_BAD;
    ULONGLONG start = 30ULL + Le16(h + 26) + Le16(h + 28);
    ULONGLONG compressed = Le32(h + 18);
    if (start + compressed > m_fileLength)
        return TEST_CUT;
    m_dataStart = start;
    m_dataEnd = start + compressed;
    m_dwCrc = Le32(h + 14);
    m_dwSize = Le32(h + 22);
    return TEST_OK;
}

LONGLONG GzMemberReader::Open(LPCTSTR path)
{
    Close();
    m_nError = ERR_NONE;
    if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return 0;
    return OpenSource(m_file);
}

LONGLONG GzMemberReader::Open(CFile& source)
{
    Close();
    m_nError = ERR_NONE;
    return OpenSource(source);
}

LONGLONG GzMemberReader::OpenSource(CFile& source)
{
    m_pSource = &source;
    m_fileLength = source.GetLength();
    m_pInput = new (std::nothrow) BYTE[INPUT_SIZE];
    m_pWindow = new (std::nothrow) BYTE[WINDOW_SIZE];
    if (!m_pInput || !m_pWindow) {
        Close();
        return 0;
    }
    TestResult r = TestGzip();
    m_bZip = r == TEST_NONE;
    if (m_bZip)
        r = TestZip();
    if (r != TEST_OK || !ResetDecoder()) {
        if (r == TEST_BAD || r == TEST_CUT)
            Fail(r == TEST_CUT ? ERR_HEADER_CUT : ERR_BAD_HEADER);
        Close();
        return 0;
    }
    m_bCompressed = TRUE;
    return m_dwSize;
}

void GzMemberReader::Close()
{
    delete[] m_pInput;
    delete[] m_pWindow;
    m_pInput = m_pWindow = NULL;
    if (m_file.IsOpen())
        m_file.Close();
    m_pSource = NULL;
    m_bCompressed = FALSE;
}

BOOL GzMemberReader::ResetDecoder()
{
    int ret = m_bZInit ? inflateReset(&m_z) : inflateInit2(&m_z, -MAX_WBITS);
    if (ret != Z_OK)
        return FALSE;
    m_bZInit = TRUE;
    m_z.avail_in = 0;
    m_z.next_in = m_pInput;
    m_inputPos = m_dataStart;
    m_filled = 0;
    m_dwRunningCrc = crc32(0, Z_NULL, 0);
    m_bStreamEnd = FALSE;
    return TRUE;
}

// Inflates the next bytes into the window, up to its end; at least one
// byte unless the stream ends. Truncated input is an error, never a stall.
BOOL GzMemberReader::DecodeStretch()
{
    if (m_bStreamEnd) {
        Fail(ERR_CHECK);  // more data wanted than the stream holds
        return FALSE;
    }
    UINT ring = (UINT)(m_filled % WINDOW_SIZE);
    UINT space = WINDOW_SIZE - ring;
    m_z.next_out = m_pWindow + ring;
    m_z.avail_out = space;
    for (;;) {
        if (m_z.avail_in == 0 && m_inputPos < m_dataEnd) {
            ULONGLONG left = m_dataEnd - m_inputPos;
            UINT want = left < INPUT_SIZE ? (UINT)left : (UINT)INPUT_SIZE;
            if (!ReadExact(m_inputPos, m_pInput, want)) {
                Fail(ERR_DECODER);
                return FALSE;
            }
            m_inputPos += want;
            m_z.next_in = m_pInput;
            m_z.avail_in = want;
        }
        int ret = inflate(&m_z, Z_NO_FLUSH);
        if (ret == Z_STREAM_END) {
            m_bStreamEnd = TRUE;
            break;
        }
        if (ret != Z_OK) {  // Z_BUF_ERROR here: the input ran out
            Fail(ret == Z_BUF_ERROR && m_inputPos >= m_dataEnd ? ERR_TRUNCATED : ERR_DECODER);
            return FALSE;
        }
        if (m_z.avail_out < space)
            break;
    }
    UINT produced = space - m_z.avail_out;
    m_dwRunningCrc = crc32(m_dwRunningCrc, m_pWindow + ring, produced);
    m_filled += produced;
    if (m_filled > m_dwSize || (m_bStreamEnd && (m_filled != m_dwSize || m_dwRunningCrc != m_dwCrc))) {
        Fail(ERR_CHECK);
        return FALSE;
    }
    return TRUE;
}

// At the stated end, the stream must end too: this checks CRC and size.
BOOL GzMemberReader::FinishCheck()
{
    while (!m_bStreamEnd && !m_nError)
        DecodeStretch();
    return !m_nError;
}

int GzMemberReader::ReadAt(void* buffer, DWORD offset, UINT length)
{
    if (!m_bCompressed || m_nError)
        return -1;
    if (offset >= m_dwSize)
        return 0;
    if (length > m_dwSize - offset)
        length = m_dwSize - offset;
    if (length > INT_MAX)
        length = INT_MAX;
    if (m_filled > offset && m_filled - offset > WINDOW_SIZE && !ResetDecoder()) {
        Fail(ERR_DECODER);
        return -1;
    }
    BYTE* out = static_cast<BYTE*>(buffer);
    ULONGLONG pos = offset;
    UINT done = 0;
    while (done < length && !m_nError) {
        while (pos >= m_filled && !m_nError)
            DecodeStretch();
        if (m_nError)
            break;
        UINT ring = (UINT)(pos % WINDOW_SIZE);
        ULONGLONG n = m_filled - pos;
        if (n > length - done)
            n = length - done;
        if (n > WINDOW_SIZE - ring)
            n = WINDOW_SIZE - ring;
        memcpy(out + done, m_pWindow + ring, (size_t)n);
        pos += n;
        done += (UINT)n;
    }
    if (!m_nError && pos == m_dwSize)
        FinishCheck();
    return m_nError ? -1 : (int)done;
}

BOOL GzMemberReader::Probe(BYTE (&buffer)[PROBE_SIZE], LPCTSTR path)
{
    GzMemberReader reader;
    return reader.ProbeOpened(buffer, reader.Open(path));
}

BOOL GzMemberReader::Probe(BYTE (&buffer)[PROBE_SIZE], CFile& source)
{
    GzMemberReader reader;
    return reader.ProbeOpened(buffer, reader.Open(source));
}

BOOL GzMemberReader::ProbeOpened(BYTE (&buffer)[PROBE_SIZE], LONGLONG size)
{
    if (!IsCompressed())
        return FALSE;
    memset(buffer, 0, sizeof(buffer));
    UINT want = size < PROBE_SIZE ? (UINT)size : (UINT)PROBE_SIZE;
    if (want == 0)
        return FALSE;
    // the window read stops short of the stated end, so no check runs here
    return ReadAt(buffer, 0, want) == (int)want;
}
