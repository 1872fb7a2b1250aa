// The entry fields the zip writer takes for a member stamped with the local
// time of now.
#pragma once

#include <zip.h>

#include <ctime>

inline zip_fileinfo ZipEntryInfoNow()
{
    zip_fileinfo info = {};
    time_t now = time(NULL);
    if (const tm* t = localtime(&now)) {
        info.tmz_date.tm_sec = t->tm_sec;
        info.tmz_date.tm_min = t->tm_min;
        info.tmz_date.tm_hour = t->tm_hour;
        info.tmz_date.tm_mday = t->tm_mday;
        info.tmz_date.tm_mon = t->tm_mon;
        info.tmz_date.tm_year = t->tm_year + 1900;
    }
    return info;
}
