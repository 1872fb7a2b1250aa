// Puts the pointer images of the menu package into its folder: from the
// pointer theme archive when there is one, else the built-in images.
#pragma once

#include "designer/core/ArchiveFile.h"

class CThemePointerPacker {
public:
    enum { IDR_CURSOR_GZ = 159,
           IDR_HAND_GZ = 161 };

    CThemePointerPacker() {}
    virtual ~CThemePointerPacker() {}

    void SetArchivePath(LPCTSTR path) { m_strArchivePath = path; }
    // 1, or 0 when an entry of the archive cannot be read.
    int Run(LPCTSTR folder);
    // The built-in "cursor.gz" and "hand.gz"; false when one cannot be written.
    BOOL WriteDefaultPointers(LPCTSTR folder);

private:
    int CopyPointers(const CString& folder, BOOL& foundHand, BOOL& foundCursor);

    CArchiveFile m_archive;
    CString m_strArchivePath;
};
