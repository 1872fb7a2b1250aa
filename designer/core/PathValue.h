// A path split into drive, folder, name and extension.
#pragma once

#include "framework/Framework.h"

class CPathValue {
public:
    enum { PART_DRIVE = 0,
           PART_FOLDER = 1,
           PART_NAME = 2,
           PART_EXTENSION = 3 };

    explicit CPathValue(LPCTSTR path);

    // The text from part min(from, to) to the end of part `to`, plus suffix.
    CString GetPart(int from, LPCTSTR suffix, int to) const;
    // ".\<last folder>\<name><extension>"; empty when the folder has no name.
    void GetParentRelativePath(CString& out) const;
    const CString& GetPath() const { return m_strPath; }

private:
    void Split();

    CString m_strPath;
    int m_nStart[4];
    int m_nLength[4];
};
