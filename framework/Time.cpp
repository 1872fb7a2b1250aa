#include "framework/Time.h"

#include <cstring>

CTime CTime::GetCurrentTime() { return CTime(::time(NULL)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t;
    memset(&t, 0, sizeof t);
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = mktime(&t);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
#ifdef _WIN32
    // msvcrt keeps localtime's result per thread
    struct tm* p = localtime(&m_time);
    if (!p)
        return NULL;
    *ptm = *p;
    return ptm;
#else
    return localtime_r(&m_time, ptm);
#endif
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
#ifdef _WIN32
    struct tm* p = gmtime(&m_time);
    if (!p)
        return NULL;
    *ptm = *p;
    return ptm;
#else
    return gmtime_r(&m_time, ptm);
#endif
}

int CTime::Field(int tm::*field) const
{
    struct tm t;
    return GetLocalTm(&t) ? t.*field : 0;
}

int CTime::GetYear() const { return Field(&tm::tm_year) + 1900; }
int CTime::GetMonth() const { return Field(&tm::tm_mon) + 1; }
int CTime::GetDay() const { return Field(&tm::tm_mday); }
int CTime::GetHour() const { return Field(&tm::tm_hour); }
int CTime::GetMinute() const { return Field(&tm::tm_min); }
int CTime::GetSecond() const { return Field(&tm::tm_sec); }
int CTime::GetDayOfWeek() const { return Field(&tm::tm_wday) + 1; }

static CString FormatTm(const struct tm* t, LPCTSTR pFormat)
{
    CString out;
    if (!t || !pFormat || !*pFormat)
        return out;
    // strftime gives 0 both for "too small" and for an empty result
    for (size_t size = 256; size <= 65536; size *= 4) {
        size_t n = strftime(out.GetBuffer((int)size), size, pFormat, t);
        out.ReleaseBuffer((int)n);
        if (n > 0)
            break;
    }
    return out;
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm t;
    return FormatTm(GetLocalTm(&t), pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm t;
    return FormatTm(GetGmtTm(&t), pFormat);
}
