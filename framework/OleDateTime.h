// COleDateTime: a date as days since 30 December 1899 (the fraction is the
// time of day) with a validity status, and its archive form.
#pragma once

#include "framework/FwDefs.h"

class CArchive;

class FW_API COleDateTime {
public:
    enum DateTimeStatus { valid = 0,
                          invalid = 1,
                          null = 2 };

    COleDateTime() : m_dt(0), m_status(valid) {}
    explicit COleDateTime(double dt) : m_dt(dt), m_status(valid) {}
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    bool operator==(const COleDateTime& other) const { return m_dt == other.m_dt && m_status == other.m_status; }
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }

    double m_dt;
    DateTimeStatus m_status;
};

// The status as a 32-bit value, then the date as a double; an unknown status
// read back marks the archive failed.
FW_API CArchive& operator<<(CArchive& ar, const COleDateTime& date);
FW_API CArchive& operator>>(CArchive& ar, COleDateTime& date);
