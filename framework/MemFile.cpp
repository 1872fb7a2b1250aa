#include "framework/MemFile.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes ? nGrowBytes : 1024), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    // as in MFC: with nGrowBytes 0 the buffer holds data to read, else it is empty room
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* p = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return p;
}

BOOL CMemFile::Close()
{
    if (m_bAutoDelete)
        free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    if (!m_nGrowBytes)
        m_nGrowBytes = 1024;
    return TRUE;
}

BOOL CMemFile::GrowFile(size_t nNewLen)
{
    if (nNewLen <= m_nBufferSize)
        return TRUE;
    if (!m_bAutoDelete || m_nGrowBytes == 0) {
        m_dwLastError = ERROR_DISK_FULL;  // a caller's fixed buffer
        return FALSE;
    }
    size_t size = m_nBufferSize;
    while (size < nNewLen)
        size += size / 2 > m_nGrowBytes ? size / 2 : m_nGrowBytes;
    BYTE* p = static_cast<BYTE*>(realloc(m_lpBuffer, size));
    if (!p) {
        m_dwLastError = ERROR_NOT_ENOUGH_MEMORY;
        return FALSE;
    }
    m_lpBuffer = p;
    m_nBufferSize = size;
    return TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || !lpBuf)
        return 0;
    size_t n = m_nFileSize - m_nPosition;
    if (n > nCount)
        n = nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return (UINT)n;
}

BOOL CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return TRUE;
    if (!lpBuf || !GrowFile(m_nPosition + nCount))
        return FALSE;
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition += nCount;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
    return TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition
                                     : nFrom == end       ? (LONGLONG)m_nFileSize
                                                          : -1;
    if (base < 0 || base + lOff < 0) {
        m_dwLastError = ERROR_INVALID_PARAMETER;
        return (ULONGLONG)-1;
    }
    m_nPosition = (size_t)(base + lOff);
    return m_nPosition;
}

BOOL CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > (size_t)-1 / 2 || !GrowFile((size_t)dwNewLen))
        return FALSE;
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, (size_t)dwNewLen - m_nFileSize);
    m_nFileSize = (size_t)dwNewLen;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
    return TRUE;
}
