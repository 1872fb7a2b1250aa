#include "framework/String.h"

#include "framework/Sys.h"
#include "framework/Platform.h"
#ifdef _WIN32
#include "framework/ResourceList.h"
#endif

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// The shared empty string; never freed, never written.
struct NilString {
    CStringData head;
    TCHAR text[1];
};
NilString g_nil = {{-1, 0, 0}, {0}};

inline LPTSTR NilText() { return g_nil.text; }
inline bool IsNil(const CStringData* p) { return p == &g_nil.head; }
inline int SafeLen(LPCTSTR s) { return s ? (int)strlen(s) : 0; }
// Double-byte code pages: the second byte of a character may look like an
// ASCII one ('\\', '|', letters). Searches and case changes step over whole
// characters so that they never match or change half of one.
inline int CharLen(LPCTSTR p) { return fwplat::IsLeadByte((unsigned char)*p) && p[1] ? 2 : 1; }
LPCTSTR FindChar(LPCTSTR s, TCHAR ch)
{
    for (; *s; s += CharLen(s))
        if (*s == ch)
            return s;
    return NULL;
}
LPCTSTR FindSub(LPCTSTR s, LPCTSTR sub)
{
    size_t n = strlen(sub);
    for (;; s += CharLen(s)) {
        if (strncmp(s, sub, n) == 0)
            return s;
        if (!*s)
            return NULL;
    }
}
// Length of the leading run of characters in (bIn) or out of set.
int SpanSet(LPCTSTR s, LPCTSTR set, bool bIn)
{
    LPCTSTR p = s;
    while (*p) {
        int n = CharLen(p);
        bool in = n == 1 && strchr(set, *p) != NULL;
        if (in != bIn)
            break;
        p += n;
    }
    return (int)(p - s);
}
inline long AtomicInc(long* p) { return __atomic_add_fetch(p, 1, __ATOMIC_ACQ_REL); }
inline long AtomicDec(long* p) { return __atomic_sub_fetch(p, 1, __ATOMIC_ACQ_REL); }
// Out of memory is not recoverable here, and no exception may leave the library.
void* AllocOrDie(size_t n)
{
    void* p = malloc(n);
    if (!p)
        abort();
    return p;
}
inline long AtomicGet(const long* p) { return __atomic_load_n(p, __ATOMIC_ACQUIRE); }
}  // namespace

void CString::Init() { m_pchData = NilText(); }

CString::CString() { Init(); }

CString::CString(const CString& src)
{
    CStringData* d = src.GetData();
    if (!IsNil(d) && AtomicGet(&d->nRefs) >= 0) {
        AtomicInc(&d->nRefs);
        m_pchData = src.m_pchData;
    } else {
        Init();
        AssignCopy(src.GetLength(), src.m_pchData);
    }
}

CString::CString(CString&& src) noexcept
{
    if (AtomicGet(&src.GetData()->nRefs) >= 0 || IsNil(src.GetData())) {
        m_pchData = src.m_pchData;
        src.Init();
    } else {
        Init();
        AssignCopy(src.GetLength(), src.m_pchData);
    }
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat > 0) {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCTSTR lpsz)
{
    Init();
    AssignCopy(SafeLen(lpsz), lpsz);
}

CString::CString(LPCTSTR lpch, int nLength)
{
    Init();
    if (lpch && nLength > 0)
        AssignCopy(nLength, lpch);
}

CString::CString(const unsigned char* psz)
{
    Init();
    AssignCopy(SafeLen((LPCTSTR)psz), (LPCTSTR)psz);
}

CString::~CString() { Release(); }

void CString::AllocBuffer(int nLen)
{
    if (nLen <= 0) {
        Init();
        return;
    }
    CStringData* d = static_cast<CStringData*>(AllocOrDie(sizeof(CStringData) + nLen + 1));
    d->nRefs = 1;
    d->nDataLength = nLen;
    d->nAllocLength = nLen;
    d->data()[nLen] = 0;
    m_pchData = d->data();
}

void CString::Release()
{
    CStringData* d = GetData();
    if (IsNil(d))
        return;
    long refs = AtomicGet(&d->nRefs);
    if (refs < 0 || AtomicDec(&d->nRefs) <= 0)
        free(d);
    Init();
}

void CString::Empty()
{
    if (GetLength() == 0 && IsNil(GetData()))
        return;
    Release();
}

void CString::CopyBeforeWrite()
{
    CStringData* d = GetData();
    if (IsNil(d) || AtomicGet(&d->nRefs) <= 1)
        return;
    LPTSTR old = m_pchData;
    int len = d->nDataLength;
    AllocBuffer(len);
    memcpy(m_pchData, old, len + 1);
    AtomicDec(&d->nRefs);
}

// Gives an unshared buffer of at least nLen chars; the old content is dropped.
void CString::AllocBeforeWrite(int nLen)
{
    CStringData* d = GetData();
    if (!IsNil(d) && AtomicGet(&d->nRefs) <= 1 && nLen <= d->nAllocLength)
        return;
    Release();
    AllocBuffer(nLen);
}

void CString::SetLength(int nLen)
{
    CStringData* d = GetData();
    if (IsNil(d))
        return;
    d->nDataLength = nLen;
    m_pchData[nLen] = 0;
}

void CString::AssignCopy(int nSrcLen, LPCTSTR src)
{
    if (nSrcLen <= 0) {
        Release();
        return;
    }
    // src may point into our own buffer
    if (src >= m_pchData && src <= m_pchData + GetLength() && !IsNil(GetData())) {
        CString tmp(src, nSrcLen);
        *this = tmp;
        return;
    }
    AllocBeforeWrite(nSrcLen);
    memcpy(m_pchData, src, nSrcLen);
    SetLength(nSrcLen);
}

const CString& CString::operator=(const CString& src)
{
    if (m_pchData == src.m_pchData)
        return *this;
    CStringData* s = src.GetData();
    if (!IsNil(s) && AtomicGet(&s->nRefs) >= 0 && AtomicGet(&GetData()->nRefs) >= 0) {
        AtomicInc(&s->nRefs);
        Release();
        m_pchData = src.m_pchData;
    } else {
        AssignCopy(src.GetLength(), src.m_pchData);
    }
    return *this;
}

const CString& CString::operator=(CString&& src) noexcept
{
    if (this != &src)
        *this = static_cast<const CString&>(src);
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCTSTR lpsz)
{
    AssignCopy(SafeLen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(const unsigned char* psz) { return *this = (LPCTSTR)psz; }

void CString::ConcatInPlace(int nSrcLen, LPCTSTR src)
{
    if (nSrcLen <= 0)
        return;
    CStringData* d = GetData();
    int len = d->nDataLength;
    if (IsNil(d) || AtomicGet(&d->nRefs) > 1 || len + nSrcLen > d->nAllocLength) {
        int newAlloc = len + nSrcLen;
        newAlloc += newAlloc / 2;  // amortised growth for repeated +=
        CStringData* nd = static_cast<CStringData*>(AllocOrDie(sizeof(CStringData) + newAlloc + 1));
        nd->nRefs = 1;
        nd->nAllocLength = newAlloc;
        memcpy(nd->data(), m_pchData, len);
        memcpy(nd->data() + len, src, nSrcLen);  // src may be our old buffer: still alive
        nd->nDataLength = len + nSrcLen;
        nd->data()[len + nSrcLen] = 0;
        Release();
        m_pchData = nd->data();
    } else {
        memmove(m_pchData + len, src, nSrcLen);
        SetLength(len + nSrcLen);
    }
}

const CString& CString::operator+=(const CString& s)
{
    ConcatInPlace(s.GetLength(), s.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeLen(lpsz), lpsz);
    return *this;
}

CString CString::Concat(LPCTSTR a, int na, LPCTSTR b, int nb)
{
    CString r;
    if (na + nb > 0) {
        r.AllocBuffer(na + nb);
        if (na)
            memcpy(r.m_pchData, a, na);
        if (nb)
            memcpy(r.m_pchData + na, b, nb);
    }
    return r;
}

CString operator+(const CString& s1, const CString& s2)
{
    return CString::Concat(s1, s1.GetLength(), s2, s2.GetLength());
}
CString operator+(const CString& s, TCHAR ch) { return CString::Concat(s, s.GetLength(), &ch, 1); }
CString operator+(TCHAR ch, const CString& s) { return CString::Concat(&ch, 1, s, s.GetLength()); }
CString operator+(const CString& s, LPCTSTR p)
{
    return CString::Concat(s, s.GetLength(), p, SafeLen(p));
}
CString operator+(LPCTSTR p, const CString& s)
{
    return CString::Concat(p, SafeLen(p), s, s.GetLength());
}

TCHAR CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_pchData[nIndex];
}

TCHAR CString::operator[](int nIndex) const { return GetAt(nIndex); }

void CString::SetAt(int nIndex, TCHAR ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

static int NoCaseCompare(LPCTSTR a, LPCTSTR b)
{
    for (;; ++a, ++b) {
        bool bDouble = CharLen(a) == 2;
        int ca = bDouble ? (unsigned char)*a : tolower((unsigned char)*a);
        int cb = bDouble ? (unsigned char)*b : tolower((unsigned char)*b);
        if (ca != cb || !ca)
            return ca - cb;
        if (bDouble && (*++a != *++b || !*a))
            return (unsigned char)*a - (unsigned char)*b;
    }
}

int CString::Compare(LPCTSTR lpsz) const { return strcmp(m_pchData, lpsz ? lpsz : ""); }
int CString::CompareNoCase(LPCTSTR lpsz) const { return NoCaseCompare(m_pchData, lpsz ? lpsz : ""); }
int CString::Collate(LPCTSTR lpsz) const { return strcoll(m_pchData, lpsz ? lpsz : ""); }
int CString::CollateNoCase(LPCTSTR lpsz) const
{
#ifdef _WIN32
    return _stricoll(m_pchData, lpsz ? lpsz : "");
#else
    return NoCaseCompare(m_pchData, lpsz ? lpsz : "");
#endif
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const
{
    int len = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > len)
        nFirst = len;
    if (nCount > len - nFirst)
        nCount = len - nFirst;
    if (nFirst == 0 && nCount == len)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    int len = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= len)
        return *this;
    return CString(m_pchData + len - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR set) const
{
    return Left(SpanSet(m_pchData, set ? set : "", true));
}

CString CString::SpanExcluding(LPCTSTR set) const
{
    return Left(SpanSet(m_pchData, set ? set : "", false));
}

CString& CString::MakeUpper()
{
    CopyBeforeWrite();
    for (int i = 0; i < GetLength(); i += CharLen(m_pchData + i))
        if (CharLen(m_pchData + i) == 1)
            m_pchData[i] = (TCHAR)toupper((unsigned char)m_pchData[i]);
    return *this;
}

CString& CString::MakeLower()
{
    CopyBeforeWrite();
    for (int i = 0; i < GetLength(); i += CharLen(m_pchData + i))
        if (CharLen(m_pchData + i) == 1)
            m_pchData[i] = (TCHAR)tolower((unsigned char)m_pchData[i]);
    return *this;
}

CString& CString::MakeReverse()
{
    CopyBeforeWrite();
    for (int i = 0, j = GetLength() - 1; i < j; ++i, --j) {
        TCHAR t = m_pchData[i];
        m_pchData[i] = m_pchData[j];
        m_pchData[j] = t;
    }
    return *this;
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew || Find(chOld) < 0)
        return 0;
    CopyBeforeWrite();
    int n = 0;
    for (int i = 0; i < GetLength(); i += CharLen(m_pchData + i)) {
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            ++n;
        }
    }
    return n;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int oldLen = SafeLen(lpszOld);
    if (oldLen == 0)
        return 0;
    int newLen = SafeLen(lpszNew);
    int count = 0;
    for (LPCTSTR p = FindSub(m_pchData, lpszOld); p; p = FindSub(p + oldLen, lpszOld))
        ++count;
    if (!count)
        return 0;
    CString out;
    out.AllocBuffer(GetLength() + count * (newLen - oldLen));
    LPTSTR dst = out.m_pchData;
    LPCTSTR src = m_pchData;
    for (LPCTSTR p = FindSub(src, lpszOld); p; p = FindSub(src, lpszOld)) {
        memcpy(dst, src, p - src);
        dst += p - src;
        if (newLen)
            memcpy(dst, lpszNew, newLen);
        dst += newLen;
        src = p + oldLen;
    }
    memcpy(dst, src, m_pchData + GetLength() - src);
    *this = out;
    return count;
}

int CString::Remove(TCHAR ch)
{
    if (Find(ch) < 0)
        return 0;
    CopyBeforeWrite();
    int len = GetLength(), j = 0;
    for (int i = 0; i < len;) {
        int n = CharLen(m_pchData + i);
        if (n == 2 || m_pchData[i] != ch) {
            memmove(m_pchData + j, m_pchData + i, (size_t)n);
            j += n;
        }
        i += n;
    }
    SetLength(j);
    return len - j;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    TCHAR s[2] = {ch, 0};
    return Insert(nIndex, s);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int len = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > len)
        nIndex = len;
    int n = SafeLen(pstr);
    if (n) {
        CString out = Concat(m_pchData, nIndex, pstr, n);
        out += m_pchData + nIndex;
        *this = out;
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int len = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < len) {
        if (nCount > len - nIndex)
            nCount = len - nIndex;
        CopyBeforeWrite();
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, len - nIndex - nCount + 1);
        GetData()->nDataLength = len - nCount;
    }
    return GetLength();
}

void CString::FormatV(LPCTSTR fmt, va_list args)
{
    Empty();
    AppendFormatV(fmt, args);
}

void CString::AppendFormatV(LPCTSTR fmt, va_list args)
{
    if (!fmt)
        return;
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n <= 0)
        return;
    if (n < (int)sizeof small) {
        ConcatInPlace(n, small);
        return;
    }
    int len = GetLength();
    // the arguments may point into this string: format into a fresh one
    CString out;
    out.AllocBuffer(len + n);
    memcpy(out.m_pchData, m_pchData, len);
    va_copy(copy, args);
    vsnprintf(out.m_pchData + len, n + 1, fmt, copy);
    va_end(copy);
    *this = out;
}

void CString::Format(LPCTSTR fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    CString out;
    out.AppendFormatV(fmt, args);
    va_end(args);
    *this = out;
}

void CString::AppendFormat(LPCTSTR fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    AppendFormatV(fmt, args);
    va_end(args);
}

static bool InSet(TCHAR c, LPCTSTR set) { return c && set && strchr(set, c); }
static bool IsSpace(TCHAR c) { return isspace((unsigned char)c) != 0; }

CString& CString::TrimRight(LPCTSTR targets)
{
    // the end of the last character outside the set, found from the front
    int len = GetLength(), end = 0;
    for (int i = 0; i < len;) {
        int n = CharLen(m_pchData + i);
        i += n;
        if (n == 2 || !InSet(m_pchData[i - 1], targets))
            end = i;
    }
    if (end != len) {
        CopyBeforeWrite();
        SetLength(end);
    }
    return *this;
}

CString& CString::TrimRight()
{
    int len = GetLength(), end = len;
    while (end > 0 && IsSpace(m_pchData[end - 1]))
        --end;
    if (end != len) {
        CopyBeforeWrite();
        SetLength(end);
    }
    return *this;
}

CString& CString::TrimRight(TCHAR ch)
{
    TCHAR s[2] = {ch, 0};
    return TrimRight(s);
}

CString& CString::TrimLeft(LPCTSTR targets)
{
    int i = 0;
    while (i < GetLength() && InSet(m_pchData[i], targets))
        ++i;
    return i ? (Delete(0, i), *this) : *this;
}

CString& CString::TrimLeft()
{
    int i = 0;
    while (i < GetLength() && IsSpace(m_pchData[i]))
        ++i;
    return i ? (Delete(0, i), *this) : *this;
}

CString& CString::TrimLeft(TCHAR ch)
{
    TCHAR s[2] = {ch, 0};
    return TrimLeft(s);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCTSTR targets) { return TrimRight(targets).TrimLeft(targets); }

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength() || !ch)
        return -1;
    LPCTSTR p = FindChar(m_pchData + nStart, ch);
    return p ? (int)(p - m_pchData) : -1;
}

int CString::Find(LPCTSTR sub, int nStart) const
{
    if (!sub || nStart < 0 || nStart > GetLength())
        return -1;
    LPCTSTR p = FindSub(m_pchData + nStart, sub);
    return p ? (int)(p - m_pchData) : -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    LPCTSTR pLast = NULL;
    for (LPCTSTR p = ch ? FindChar(m_pchData, ch) : NULL; p; p = FindChar(p + CharLen(p), ch))
        pLast = p;
    return pLast ? (int)(pLast - m_pchData) : -1;
}

int CString::FindOneOf(LPCTSTR set) const
{
    if (!set || !*set)
        return -1;
    int i = SpanSet(m_pchData, set, false);
    return i < GetLength() ? i : -1;
}

CString CString::Tokenize(LPCTSTR tokens, int& iStart) const
{
    int len = GetLength();
    if (iStart < 0 || iStart >= len) {
        iStart = -1;
        return CString();
    }
    if (!tokens || !*tokens) {
        CString r = Mid(iStart);
        iStart = len;
        return r;
    }
    int from = iStart + SpanSet(m_pchData + iStart, tokens, true);
    if (from >= len) {
        iStart = -1;
        return CString();
    }
    int n = SpanSet(m_pchData + from, tokens, false);
    iStart = from + n + 1;
    return Mid(from, n);
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    CStringData* d = GetData();
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    if (IsNil(d) || AtomicGet(&d->nRefs) > 1 || nMinBufLength > d->nAllocLength) {
        int len = d->nDataLength;
        int alloc = nMinBufLength > len ? nMinBufLength : len;
        if (alloc == 0)
            alloc = 1;  // always a writable buffer, even for GetBuffer(0)
        CStringData* nd = static_cast<CStringData*>(AllocOrDie(sizeof(CStringData) + alloc + 1));
        nd->nRefs = 1;
        nd->nAllocLength = alloc;
        nd->nDataLength = len;
        memcpy(nd->data(), m_pchData, len + 1);
        Release();
        m_pchData = nd->data();
    }
    return m_pchData;
}

LPTSTR CString::GetBuffer() { return GetBuffer(0); }

void CString::ReleaseBuffer(int nNewLength)
{
    CStringData* d = GetData();
    if (IsNil(d))
        return;
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pchData, d->nAllocLength);
    if (nNewLength > d->nAllocLength)
        nNewLength = d->nAllocLength;
    SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* d = GetData();
    if (!IsNil(d) && d->nDataLength != d->nAllocLength) {
        CString tmp(m_pchData, d->nDataLength);
        *this = tmp;
    }
}

LPTSTR CString::LockBuffer()
{
    LPTSTR p = GetBuffer(0);
    GetData()->nRefs = -1;
    return p;
}

void CString::UnlockBuffer()
{
    CStringData* d = GetData();
    if (!IsNil(d) && d->nRefs < 0)
        d->nRefs = 1;
}

BOOL CString::LoadString(UINT nID)
{
#ifdef _WIN32
    // the program's strings first, then those of the registered libraries
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    if (hInst == NULL) {
        Empty();
        return FALSE;
    }
    // a result that fills the buffer may have been cut off: retry larger
    for (int size = 256; size <= 65536; size *= 4) {
        int n = ::LoadStringA(hInst, nID, GetBuffer(size), size);
        ReleaseBuffer(n > 0 ? n : 0);
        if (n <= 0) {
            Empty();
            return FALSE;
        }
        if (n < size - 1)
            break;
    }
    FreeExtra();
    return TRUE;
#else
    (void)nID;
    Empty();
    return FALSE;
#endif
}

bool operator==(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator==(const CString& a, TCHAR ch) { return a.GetLength() == 1 && a[0] == ch; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator!=(const CString& a, TCHAR ch) { return !(a == ch); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
