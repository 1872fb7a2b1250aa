#include "framework/Archive.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <vector>
#endif

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode), m_lpBufStart(NULL), m_nBufSize(0),
      m_nBufCur(0), m_nBufMax(0), m_bUserBuf(lpBuf != NULL), m_bFailed(pFile == NULL)
{
    if (nBufSize < 128)
        nBufSize = 128;
    m_nBufSize = (UINT)nBufSize;
    m_lpBufStart = lpBuf ? static_cast<BYTE*>(lpBuf) : static_cast<BYTE*>(malloc(m_nBufSize));
    if (!m_lpBufStart) {
        m_bUserBuf = TRUE;
        m_nBufSize = 0;
        m_bFailed = TRUE;
    }
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete))
        Close();
    if (!m_bUserBuf)
        free(m_lpBufStart);
}

BOOL CArchive::Flush()
{
    if (!m_pFile)
        return FALSE;
    if (IsStoring()) {
        if (m_nBufCur && !m_pFile->Write(m_lpBufStart, m_nBufCur))
            m_bFailed = TRUE;
        m_nBufCur = 0;
    } else if (m_nBufCur < m_nBufMax) {
        // give back what was read ahead
        m_pFile->Seek(-(LONGLONG)(m_nBufMax - m_nBufCur), CFile::current);
        m_nBufCur = m_nBufMax = 0;
    }
    return !m_bFailed;
}

BOOL CArchive::Close()
{
    BOOL ok = Flush();
    m_pFile = NULL;
    return ok;
}

void CArchive::Abort()
{
    m_nBufCur = m_nBufMax = 0;
    m_pFile = NULL;
}

BOOL CArchive::FillBuffer()
{
    if (!m_pFile || m_nBufSize == 0)
        return FALSE;
    m_nBufCur = 0;
    m_nBufMax = m_pFile->Read(m_lpBufStart, m_nBufSize);
    return m_nBufMax > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading() || !lpBuf) {
        m_bFailed = TRUE;
        return 0;
    }
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufCur >= m_nBufMax && !FillBuffer())
            break;
        UINT n = m_nBufMax - m_nBufCur;
        if (n > nMax - done)
            n = nMax - done;
        memcpy(out + done, m_lpBufStart + m_nBufCur, n);
        m_nBufCur += n;
        done += n;
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring() || !m_pFile || (!lpBuf && nMax)) {
        m_bFailed = TRUE;
        return;
    }
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_nBufCur == m_nBufSize && !Flush())
            return;
        UINT n = m_nBufSize - m_nBufCur;
        if (n > nMax)
            n = nMax;
        memcpy(m_lpBufStart + m_nBufCur, in, n);
        m_nBufCur += n;
        in += n;
        nMax -= n;
    }
}

CArchive& CArchive::operator<<(BYTE by)
{
    Write(&by, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    BYTE b[2] = {(BYTE)w, (BYTE)(w >> 8)};
    Write(b, 2);
    return *this;
}

CArchive& CArchive::WriteU32(uint32_t v)
{
    BYTE b[4] = {(BYTE)v, (BYTE)(v >> 8), (BYTE)(v >> 16), (BYTE)(v >> 24)};
    Write(b, 4);
    return *this;
}

CArchive& CArchive::WriteU64(uint64_t v)
{
    WriteU32((uint32_t)v);
    return WriteU32((uint32_t)(v >> 32));
}

CArchive& CArchive::operator<<(float f)
{
    uint32_t v;
    memcpy(&v, &f, 4);
    return WriteU32(v);
}

CArchive& CArchive::operator<<(double d)
{
    uint64_t v;
    memcpy(&v, &d, 8);
    return WriteU64(v);
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFF) {
        *this << (BYTE)dwCount;
        return;
    }
    *this << (BYTE)0xFF;
    if (dwCount < 0xFFFE) {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    WriteU32((uint32_t)dwCount);
}

CArchive& CArchive::operator<<(const CString& str)
{
    WriteCount((DWORD_PTR)str.GetLength());
    Write((LPCTSTR)str, (UINT)str.GetLength());
    return *this;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz)
        Write(lpsz, (UINT)strlen(lpsz));
}

CArchive& CArchive::operator>>(BYTE& by)
{
    by = 0;
    if (Read(&by, 1) != 1) {
        by = 0;
        m_bFailed = TRUE;
    }
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    BYTE b[2] = {0, 0};
    if (Read(b, 2) != 2) {
        m_bFailed = TRUE;
        b[0] = b[1] = 0;
    }
    w = (WORD)(b[0] | (b[1] << 8));
    return *this;
}

uint32_t CArchive::ReadU32()
{
    BYTE b[4];
    if (Read(b, 4) != 4) {
        m_bFailed = TRUE;
        return 0;
    }
    return (uint32_t)b[0] | ((uint32_t)b[1] << 8) | ((uint32_t)b[2] << 16) | ((uint32_t)b[3] << 24);
}

uint64_t CArchive::ReadU64()
{
    uint64_t lo = ReadU32();
    uint64_t hi = ReadU32();
    return m_bFailed ? 0 : lo | (hi << 32);
}

CArchive& CArchive::operator>>(short& w)
{
    WORD v;
    *this >> v;
    w = (short)v;
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE v;
    *this >> v;
    ch = (char)v;
    return *this;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE v;
    *this >> v;
    b = v != 0;
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    i = (int)ReadU32();
    return *this;
}

CArchive& CArchive::operator>>(unsigned& u)
{
    u = (unsigned)ReadU32();
    return *this;
}

#ifdef _WIN32
CArchive& CArchive::operator>>(LONG& l)
{
    l = (LONG)ReadU32();
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    dw = (DWORD)ReadU32();
    return *this;
}
#endif

CArchive& CArchive::operator>>(LONGLONG& v)
{
    v = (LONGLONG)ReadU64();
    return *this;
}

CArchive& CArchive::operator>>(ULONGLONG& v)
{
    v = (ULONGLONG)ReadU64();
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    uint32_t v = ReadU32();
    memcpy(&f, &v, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    uint64_t v = ReadU64();
    memcpy(&d, &v, 8);
    return *this;
}

ULONGLONG CArchive::Remaining() const
{
    ULONGLONG inBuffer = m_nBufMax - m_nBufCur;
    if (!m_pFile)
        return inBuffer;
    ULONGLONG len = m_pFile->GetLength(), pos = m_pFile->GetPosition();
    return inBuffer + (pos != (ULONGLONG)-1 && len > pos ? len - pos : 0);
}

BOOL CArchive::ReadStringLength(ULONGLONG& nLength, BOOL& bUnicode)
{
    bUnicode = FALSE;
    for (int marks = 0; marks < 2; ++marks) {
        BYTE b;
        *this >> b;
        if (b < 0xFF) {
            nLength = b;
            return !m_bFailed;
        }
        WORD w;
        *this >> w;
        if (w == 0xFFFE) {  // a UTF-16 string follows, then its own length
            bUnicode = TRUE;
            continue;
        }
        if (w < 0xFFFF) {
            nLength = w;
            return !m_bFailed;
        }
        uint32_t dw = ReadU32();
        if (dw < 0xFFFFFFFFu) {
            nLength = dw;
            return !m_bFailed;
        }
        nLength = ReadU64();
        return !m_bFailed;
    }
    return FALSE;
}

DWORD_PTR CArchive::ReadCount()
{
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w < 0xFFFF)
        return w;
    return (DWORD_PTR)ReadU32();
}

CArchive& CArchive::operator>>(CString& str)
{
    str.Empty();
    ULONGLONG len = 0;
    BOOL unicode = FALSE;
    if (!ReadStringLength(len, unicode))
        return *this;
    ULONGLONG bytes = unicode ? len * 2 : len;
    // a length beyond the data is a damaged file, not a huge allocation
    if (len > 0x7FFFFFFF || bytes > Remaining()) {
        m_bFailed = TRUE;
        return *this;
    }
    if (!unicode) {
        UINT n = Read(str.GetBuffer((int)len), (UINT)len);
        str.ReleaseBuffer((int)n);
        if (n != len)
            m_bFailed = TRUE;
        return *this;
    }
    CString raw;
    UINT n = Read(raw.GetBuffer((int)bytes), (UINT)bytes);
    raw.ReleaseBuffer((int)n);
    if (n != bytes) {
        m_bFailed = TRUE;
        return *this;
    }
    const BYTE* p = reinterpret_cast<const BYTE*>((LPCTSTR)raw);
#ifdef _WIN32
    std::vector<WCHAR> wide((size_t)len + 1);
    for (size_t i = 0; i < (size_t)len; ++i)
        wide[i] = (WCHAR)(p[2 * i] | (p[2 * i + 1] << 8));
    int out = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)len, NULL, 0, NULL, NULL);
    if (out > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)len, str.GetBuffer(out), out, NULL, NULL);
        str.ReleaseBuffer(out);
    }
#else
    LPTSTR dst = str.GetBuffer((int)len);
    for (size_t i = 0; i < (size_t)len; ++i) {
        unsigned c = p[2 * i] | (p[2 * i + 1] << 8);
        dst[i] = c < 0x80 ? (TCHAR)c : '?';
    }
    str.ReleaseBuffer((int)len);
#endif
    return *this;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    if (!IsLoading())
        return FALSE;
    BOOL any = FALSE;
    for (;;) {
        if (m_nBufCur >= m_nBufMax && !FillBuffer())
            return any;
        any = TRUE;
        const BYTE* start = m_lpBufStart + m_nBufCur;
        const BYTE* nl = static_cast<const BYTE*>(memchr(start, '\n', m_nBufMax - m_nBufCur));
        UINT n = nl ? (UINT)(nl - start) : m_nBufMax - m_nBufCur;
        rString += CString(reinterpret_cast<LPCTSTR>(start), (int)n);
        m_nBufCur += n;
        if (nl) {
            ++m_nBufCur;
            if (rString.Right(1) == "\r")
                rString.Delete(rString.GetLength() - 1);
            return TRUE;
        }
    }
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0 || !IsLoading())
        return NULL;
    UINT n = 0;
    BOOL any = FALSE;
    while (n + 1 < nMax) {
        if (m_nBufCur >= m_nBufMax && !FillBuffer())
            break;
        any = TRUE;
        char c = (char)m_lpBufStart[m_nBufCur++];
        if (c == '\n') {
            if (n > 0 && lpsz[n - 1] == '\r')
                --n;
            lpsz[n++] = '\n';
            break;
        }
        lpsz[n++] = c;
    }
    lpsz[n] = 0;
    return any ? lpsz : NULL;
}
