// CFile: an unbuffered binary file over the system's handle.
// Unlike MFC, nothing here throws: Open returns FALSE and fills the optional
// CFileException; Read returns the count read (0 at the end or on failure);
// Write returns FALSE unless every byte was written; Seek returns
// (ULONGLONG)-1 on failure. GetLastError() of the object keeps the last
// system error code.
#pragma once

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"

// The cause of a failed file operation (a plain record; never thrown).
class FW_API CFileException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = NULL)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

    // Maps a system error code (Win32 code) to one of the causes above.
    static int OsErrorToException(LONG lOsError);
    // The system's text for m_lOsError.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = NULL) const;
    void Delete() {}

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

struct FW_API CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size;
    BYTE m_attribute;  // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[MAX_PATH];
};

class FW_API CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,  // accepted, files are always binary
        typeBinary = 0x8000
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0,
                        current = 0x1,
                        end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Opens the file; check m_hFile != hFileNull (MFC would throw).
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual BOOL SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual BOOL Flush();
    virtual BOOL Close();
    virtual void Abort();
    BOOL GetStatus(CFileStatus& rStatus) const;

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    CString GetFileTitle() const;
    BOOL IsOpen() const { return m_hFile != hFileNull; }
    DWORD GetLastError() const { return m_dwLastError; }

    static BOOL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static BOOL Remove(LPCTSTR lpszFileName);
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

    HANDLE m_hFile;

protected:
    CString m_strFileName;
    DWORD m_dwLastError;

private:
    BOOL Fail();
};
