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

class TempDir {
public:
    TempDir()
    {
        // the empty file keeps the name taken until the folder is gone; a folder
        // left over by an earlier run keeps its name taken and another is tried
        for (int i = 0; i < 16 && m_path.IsEmpty(); ++i) {
            CString reserved;
            if (!FwGetTempFileName(FwGetTempPath(), "fwt", reserved))
                break;
            if (FwCreateDirectory(reserved + ".d")) {
                m_reserved = reserved;
                m_path = reserved + ".d";
            }
        }
        EXPECT_TRUE(!m_path.IsEmpty() && FwDirectoryExists(m_path)) << (LPCTSTR)m_path;
    }
    ~TempDir()
    {
        if (m_path.IsEmpty())
            return;
        // a file dialog may have made the folder current, which keeps it from going
        CString cwd = FwGetCurrentDirectory();
        if (cwd.GetLength() >= m_path.GetLength() && cwd.Left(m_path.GetLength()).CompareNoCase(m_path) == 0)
            FwSetCurrentDirectory(FwGetTempPath());
        RemoveTree(m_path);
        if (!FwDirectoryExists(m_path))
            FwDeleteFile(m_reserved);
    }
    const CString& Path() const { return m_path; }
    CString operator/(LPCTSTR name) const { return m_path + FwPathSeparator() + name; }

private:
    CString m_reserved;
    CString m_path;
};
