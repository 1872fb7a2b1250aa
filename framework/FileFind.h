// CFileFind: lists the entries of a folder that match a Windows pattern
// ("*.*" matches every name). Natively "." and ".." come first (as on
// Windows), then the rest in directory order; matching ignores case.
#pragma once

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"

class FW_API CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    virtual ~CFileFind();

    // Starts a search; as in MFC, call FindNextFile before the first entry is
    // available. Returns FALSE when nothing matches.
    virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
    // Moves to the next entry; FALSE when it is the last one (still valid).
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    // The folder of the search, absolute, without a trailing separator.
    virtual CString GetRoot() const;

    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;

    BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

    struct Entry {
        CString strName;
        DWORD dwAttributes;
        ULONGLONG nSize;
        time_t tCreation, tAccess, tWrite;
    };

private:
    struct Search;
    Search* m_pSearch;
    Entry m_found;
    Entry m_next;
    BOOL m_bHaveFound;
    BOOL m_bHaveNext;
    CString m_strRoot;
};
