// A fresh folder under the system temp path, removed with its content.
#pragma once

#include "framework/FileFind.h"
#include "framework/Sys.h"

#include <gtest/gtest.h>

inline void RemoveTree(const CString& dir)
{
    CFileFind ff;
    BOOL more = ff.FindFile(dir + FwPathSeparator() + "*.*");
    while (more) {
        more = ff.FindNextFile();
        if (ff.IsDots())
            continue;
        if (ff.IsDirectory())
            RemoveTree(ff.GetFilePath());
        else
            FwDeleteFile(ff.GetFilePath());
    }
    ff.Close();
    FwRemoveDirectory(dir);
}

class TempDir
{
public:
    TempDir()
    {
        // the empty file keeps the name taken until the folder is gone
        if (FwGetTempFileName(FwGetTempPath(), "fwt", m_reserved)) {
            m_path = m_reserved + ".d";
            EXPECT_TRUE(FwCreateDirectory(m_path)) << (LPCTSTR)m_path;
        }
        EXPECT_TRUE(FwDirectoryExists(m_path)) << (LPCTSTR)m_path;
    }
    ~TempDir()
    {
        RemoveTree(m_path);
        FwDeleteFile(m_reserved);
    }
    const CString& Path() const { return m_path; }
    CString operator/(LPCTSTR name) const { return m_path + FwPathSeparator() + name; }

private:
    CString m_reserved;
    CString m_path;
};
