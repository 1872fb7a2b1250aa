// CTime (a time_t) and CTimeSpan.
#pragma once

#include "framework/String.h"

#include <ctime>

class FW_API CTimeSpan {
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(time_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((((time_t)lDays * 24 + nHours) * 60) + nMins) * 60 + nSecs) {}

    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    int GetSeconds() const { return (int)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_timeSpan - s.m_timeSpan); }
    CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_timeSpan + s.m_timeSpan); }
    const CTimeSpan& operator+=(CTimeSpan s)
    {
        m_timeSpan += s.m_timeSpan;
        return *this;
    }
    const CTimeSpan& operator-=(CTimeSpan s)
    {
        m_timeSpan -= s.m_timeSpan;
        return *this;
    }
    bool operator==(CTimeSpan s) const { return m_timeSpan == s.m_timeSpan; }
    bool operator!=(CTimeSpan s) const { return m_timeSpan != s.m_timeSpan; }
    bool operator<(CTimeSpan s) const { return m_timeSpan < s.m_timeSpan; }
    bool operator>(CTimeSpan s) const { return m_timeSpan > s.m_timeSpan; }
    bool operator<=(CTimeSpan s) const { return m_timeSpan <= s.m_timeSpan; }
    bool operator>=(CTimeSpan s) const { return m_timeSpan >= s.m_timeSpan; }

private:
    time_t m_timeSpan;
};

class FW_API CTime {
public:
    static CTime GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(time_t time) : m_time(time) {}
    // Local time; nDST < 0 lets the C library decide.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    // The broken-down local (or UTC) time; NULL when the time is out of range.
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    time_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;  // 1-12
    int GetDay() const;    // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    // strftime() formats of the local (or UTC) time.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;

    const CTime& operator=(time_t t)
    {
        m_time = t;
        return *this;
    }
    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    const CTime& operator+=(CTimeSpan span)
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    const CTime& operator-=(CTimeSpan span)
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
    time_t m_time;
    int Field(int tm::*field) const;
};
