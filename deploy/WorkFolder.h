// The temp work folder of one job (a menu package, a boot media build).
#pragma once
#include "framework/ScopedHandle.h"
#include "framework/String.h"

// Made under a unique temp name with one boot folder in it; removed with
// everything in it, and with the empty file the system made for its name,
// however the job ends. While the job runs it holds that file open with no
// sharing: a folder whose name file no one holds was left by a job that was
// ended in the middle, and the next job removes it.
class CWorkFolder {
public:
    ~CWorkFolder();
    BOOL Make(LPCTSTR bootFolder);
    const CString& Path() const { return m_strPath; }

    // The empty file beside a work folder: KEL1A2B_tmp has KEL1A2B.tmp.
    static CString NameFileOf(const CString& folder);
    // Removes the work folders in the temp folder that no job holds.
    static void RemoveLeftBehind(const CString& tempFolder);

private:
    CString m_strPath;
    CString m_strNameFile;
    CScopedHandle m_nameFile;
};
