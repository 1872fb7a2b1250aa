// CString: a reference-counted 8-bit string (copy on write), system code page.
#pragma once

#include "framework/FwDefs.h"

#include <cstdarg>

struct CStringData {
    long nRefs;  // -1: locked (never shared)
    int nDataLength;
    int nAllocLength;  // chars, not counting the terminator
    TCHAR* data() { return reinterpret_cast<TCHAR*>(this + 1); }
};

class FW_API CString {
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCTSTR lpsz);
    CString(LPCTSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString();

    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }
    LPCTSTR GetString() const { return m_pchData; }

    const CString& operator=(const CString& stringSrc);
    const CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(TCHAR ch);
    const CString& operator=(LPCTSTR lpsz);
    const CString& operator=(const unsigned char* psz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(LPCTSTR lpsz);

    friend FW_API CString operator+(const CString& string1, const CString& string2);
    friend FW_API CString operator+(const CString& string, TCHAR ch);
    friend FW_API CString operator+(TCHAR ch, const CString& string);
    friend FW_API CString operator+(const CString& string, LPCTSTR lpsz);
    friend FW_API CString operator+(LPCTSTR lpsz, const CString& string);

    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCTSTR lpszFormat, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    void AppendFormat(LPCTSTR lpszFormat, ...);
    void AppendFormatV(LPCTSTR lpszFormat, va_list argList);

    CString& Trim();
    CString& Trim(TCHAR chTarget);
    CString& Trim(LPCTSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(TCHAR chTarget);
    CString& TrimRight(LPCTSTR lpszTargets);

    int Find(TCHAR ch, int nStart = 0) const;
    int Find(LPCTSTR lpszSub, int nStart = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;
    // Next token after iStart; iStart becomes -1 (and the result empty) at the end.
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBuffer();
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

    // Loads string resource nID from AfxGetResourceHandle(); natively always FALSE.
    BOOL LoadString(UINT nID);

private:
    LPTSTR m_pchData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void Release();
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int nLen);
    void SetLength(int nLen);
    static CString Concat(LPCTSTR a, int na, LPCTSTR b, int nb);
};

FW_API bool operator==(const CString& s1, const CString& s2);
FW_API bool operator==(const CString& s1, LPCTSTR s2);
FW_API bool operator==(LPCTSTR s1, const CString& s2);
FW_API bool operator==(const CString& s1, TCHAR ch);
FW_API bool operator!=(const CString& s1, const CString& s2);
FW_API bool operator!=(const CString& s1, LPCTSTR s2);
FW_API bool operator!=(LPCTSTR s1, const CString& s2);
FW_API bool operator!=(const CString& s1, TCHAR ch);
FW_API bool operator<(const CString& s1, const CString& s2);
FW_API bool operator<(const CString& s1, LPCTSTR s2);
FW_API bool operator<(LPCTSTR s1, const CString& s2);
FW_API bool operator>(const CString& s1, const CString& s2);
FW_API bool operator>(const CString& s1, LPCTSTR s2);
FW_API bool operator>(LPCTSTR s1, const CString& s2);
FW_API bool operator<=(const CString& s1, const CString& s2);
FW_API bool operator<=(const CString& s1, LPCTSTR s2);
FW_API bool operator<=(LPCTSTR s1, const CString& s2);
FW_API bool operator>=(const CString& s1, const CString& s2);
FW_API bool operator>=(const CString& s1, LPCTSTR s2);
FW_API bool operator>=(LPCTSTR s1, const CString& s2);
