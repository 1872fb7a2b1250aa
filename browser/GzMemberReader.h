// Random-access reads of the decompressed data of a gzip file or of the
// first member of a zip file, through a 32 KiB window of inflated bytes.
#pragma once

#include "framework/File.h"

#include <zlib.h>

// Reads exactly `length` bytes at `offset`, never past `limit`.
BOOL ReadFileAt(CFile& file, ULONGLONG limit, ULONGLONG offset, void* buffer, UINT length);

class GzMemberReader {
public:
    enum { ERR_NONE = 0,
           ERR_DECODER = 1,
           ERR_CHECK = 2,
           ERR_TRUNCATED = 3,  // the compressed data end too soon
           ERR_BAD_HEADER = 16,
           ERR_HEADER_CUT = 17 };  // the header, or the data it states, run past the file's end
    enum { WINDOW_SIZE = 0x8000,
           INPUT_SIZE = 0x10000,
           PROBE_SIZE = 512 };

    GzMemberReader();
    ~GzMemberReader();

    // The decompressed size, or 0 when the file cannot be opened or holds
    // no usable container (a plain file, or a bad header: see GetError).
    LONGLONG Open(LPCTSTR path);
    // The same from a file the caller opened and keeps open until Close
    // (bytes in memory through a CMemFile, say).
    LONGLONG Open(CFile& source);
    // Bytes read, -1 after an error of the container or the decoder. The
    // data's CRC and size are checked when a read reaches the end.
    int ReadAt(void* buffer, DWORD offset, UINT length);
    void Close();

    // True for a gzip file or a zip with a usable first member whose first
    // bytes (512, or all when fewer) could be read into the buffer.
    static BOOL Probe(BYTE (&buffer)[PROBE_SIZE], LPCTSTR path);
    static BOOL Probe(BYTE (&buffer)[PROBE_SIZE], CFile& source);

    BOOL IsCompressed() const { return m_bCompressed; }
    BOOL IsZip() const { return m_bZip; }
    int GetError() const { return m_nError; }
    DWORD GetSize() const { return m_dwSize; }

private:
    enum TestResult { TEST_NONE,
                      TEST_OK,
                      TEST_BAD,
                      TEST_CUT };
    LONGLONG OpenSource(CFile& source);
    BOOL ProbeOpened(BYTE (&buffer)[PROBE_SIZE], LONGLONG size);
    TestResult ReadFixedHeader(BYTE* header, UINT length, const BYTE* magic, UINT magicLength);
    TestResult TestGzip();
    TestResult TestZip();
    BOOL ReadExact(ULONGLONG offset, void* buffer, UINT length);
    BOOL ResetDecoder();
    BOOL DecodeStretch();
    BOOL FinishCheck();
    void Fail(int error)
    {
        if (!m_nError) m_nError = error;
    }

    CFile m_file;      // opened by path
    CFile* m_pSource;  // the file read: m_file or the caller's
    ULONGLONG m_fileLength;
    ULONGLONG m_dataStart;  // first byte of the deflate data
    ULONGLONG m_dataEnd;    // the deflate data end before this byte
    ULONGLONG m_inputPos;   // next file byte fed to the decoder
    DWORD m_dwCrc;          // from the container
    DWORD m_dwSize;         // decompressed size from the container
    BOOL m_bCompressed;
    BOOL m_bZip;
    int m_nError;

    z_stream m_z;
    BOOL m_bZInit;
    BOOL m_bStreamEnd;
    DWORD m_dwRunningCrc;
    ULONGLONG m_filled;  // decompressed bytes produced since the start
    BYTE* m_pInput;
    BYTE* m_pWindow;
};
