#include "framework/OleDateTime.h"

#include "framework/Archive.h"

CArchive& operator<<(CArchive& ar, const COleDateTime& date)
{
    ar << (LONG)date.m_status;
    return ar << date.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& date)
{
    LONG status = 0;
    double value = 0;
    ar >> status >> value;
    if (status < COleDateTime::valid || status > COleDateTime::null) {
        ar.SetFailed();
        date = COleDateTime();
        date.m_status = COleDateTime::invalid;
        return ar;
    }
    date.m_dt = value;
    date.m_status = (COleDateTime::DateTimeStatus)status;
    return ar;
}
