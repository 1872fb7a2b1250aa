// CArchive: buffered binary storing and loading over a CFile, in MFC's byte
// layout (little-endian; CString with MFC's length prefix).
// Unlike MFC nothing throws: a failed or short read or write sets IsFailed(),
// and values read after it are zero (strings empty).
#pragma once

#include "framework/File.h"
#include "framework/String.h"

class FW_API CArchive {
public:
    enum Mode { store = 0,
                load = 1,
                bNoFlushOnDelete = 2,
                bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();  // flushes a storing archive unless bNoFlushOnDelete

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsFailed() const { return m_bFailed; }
    // For readers that find the data malformed: the load then counts as failed.
    void SetFailed() { m_bFailed = TRUE; }
    CFile* GetFile() const { return m_pFile; }
    // Bytes still to come (buffer and file), for checking lengths read.
    ULONGLONG Remaining() const;

    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    BOOL Flush();
    BOOL Close();
    void Abort();

    // A line without its "\r\n" / "\n"; FALSE at the end of the file.
    BOOL ReadString(CString& rString);
    // Up to nMax-1 chars of a line, a "\r\n" given as "\n"; NULL at the end.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // The text as it stands (no line break added).
    void WriteString(LPCTSTR lpsz);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(bool b) { return *this << (BYTE)(b ? 1 : 0); }
    CArchive& operator<<(int i) { return WriteU32((uint32_t)i); }
    CArchive& operator<<(unsigned u) { return WriteU32((uint32_t)u); }
#ifdef _WIN32
    CArchive& operator<<(LONG l)
    {
        return WriteU32((uint32_t)l);
    }
    CArchive& operator<<(DWORD dw) { return WriteU32((uint32_t)dw); }
#endif
    CArchive& operator<<(LONGLONG dwdw)
    {
        return WriteU64((uint64_t)dwdw);
    }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteU64((uint64_t)dwdw); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(const CString& str);
    CArchive& operator<<(LPCTSTR psz) { return *this << CString(psz); }

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned& u);
#ifdef _WIN32
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
#endif
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(CString& str);

    // Length prefixes of strings, as MFC writes them.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    void* m_pDocument;

private:
    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_lpBufStart;
    UINT m_nBufSize;
    UINT m_nBufCur;  // next byte to read or write
    UINT m_nBufMax;  // bytes held (loading)
    BOOL m_bUserBuf;
    BOOL m_bFailed;

    CArchive& WriteU32(uint32_t v);
    CArchive& WriteU64(uint64_t v);
    uint32_t ReadU32();
    uint64_t ReadU64();
    BOOL FillBuffer();
    BOOL ReadStringLength(ULONGLONG& nLength, BOOL& bUnicode);

    CArchive(const CArchive&) = delete;
    void operator=(const CArchive&) = delete;
};
