// boot.ini through the system's private-profile functions.
#pragma once

#include "framework/String.h"

class CIniFile {
public:
    CIniFile() : m_nResult(0) {}
    explicit CIniFile(LPCTSTR path) : m_strPath(path), m_nResult(0) {}
    virtual ~CIniFile() {}

    void SetPath(LPCTSTR path) { m_strPath = path; }
    // Empty when missing; longer values are cut at 255 characters.
    CString GetValue(LPCTSTR section, LPCTSTR key);
    // The system call's result: non-zero when written.
    int WriteValue(LPCTSTR section, LPCTSTR key, LPCTSTR value);
    int GetResult() const { return m_nResult; }

private:
    CString m_strPath;
    int m_nResult;
};
