// CMemFile: a CFile over a growing block of memory.
#pragma once

#include "framework/File.h"

class FW_API CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Reads (and writes within) the caller's bytes; they are not freed.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the memory (the caller frees it with free()); the file becomes empty.
    BYTE* Detach();

    BOOL Open(LPCTSTR, UINT, CFileException* = NULL) override { return FALSE; }
    UINT Read(void* lpBuf, UINT nCount) override;
    BOOL Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    BOOL SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    BOOL Flush() override { return TRUE; }
    BOOL Close() override;
    void Abort() override { Close(); }

private:
    UINT m_nGrowBytes;
    size_t m_nPosition;
    size_t m_nBufferSize;
    size_t m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;

    BOOL GrowFile(size_t nNewLen);
};
