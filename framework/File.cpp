#include "framework/File.h"

#include "framework/Platform.h"
#include "framework/Sys.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

int CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    CString msg = FwFormatSystemMessage((DWORD)m_lOsError);
    strncpy(lpszError, msg, nMaxError - 1);
    lpszError[nMaxError - 1] = 0;
    return TRUE;
}

CFile::CFile() : m_hFile(hFileNull), m_dwLastError(0) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_dwLastError(0)
{
    Open(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Close();
}

BOOL CFile::Fail()
{
    m_dwLastError = FwGetLastError();
    return FALSE;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Close();
    m_strFileName = lpszFileName;
    m_hFile = lpszFileName && *lpszFileName ? fwplat::OpenFile(lpszFileName, nOpenFlags)
                                            : hFileNull;
    if (m_hFile == hFileNull) {
        m_dwLastError = lpszFileName && *lpszFileName ? FwGetLastError() : ERROR_INVALID_NAME;
        if (pError) {
            pError->m_lOsError = (LONG)m_dwLastError;
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_dwLastError = 0;
    if (pError) {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = 0;
    }
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull || nCount == 0 || !lpBuf)
        return 0;
    UINT done = 0;
    if (!fwplat::ReadFile(m_hFile, lpBuf, nCount, done))
        Fail();
    return done;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return TRUE;
    if (m_hFile == hFileNull || !lpBuf)
        return FALSE;
    return fwplat::WriteFile(m_hFile, lpBuf, nCount) ? TRUE : Fail();
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    ULONGLONG pos = 0;
    if (m_hFile == hFileNull || !fwplat::SeekFile(m_hFile, lOff, nFrom, pos)) {
        Fail();
        return (ULONGLONG)-1;
    }
    return pos;
}

ULONGLONG CFile::GetPosition() const
{
    ULONGLONG pos = 0;
    if (m_hFile == hFileNull || !fwplat::SeekFile(m_hFile, 0, current, pos))
        return (ULONGLONG)-1;
    return pos;
}

ULONGLONG CFile::GetLength() const
{
    ULONGLONG size = 0;
    if (m_hFile == hFileNull || !fwplat::FileSize(m_hFile, size))
        return 0;
    return size;
}

BOOL CFile::SetLength(ULONGLONG dwNewLen)
{
    if (m_hFile == hFileNull)
        return FALSE;
    return fwplat::TruncateFile(m_hFile, dwNewLen) ? TRUE : Fail();
}

BOOL CFile::Flush()
{
    if (m_hFile == hFileNull)
        return FALSE;
    return fwplat::FlushFile(m_hFile) ? TRUE : Fail();
}

BOOL CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != hFileNull) {
        ok = fwplat::CloseFile(m_hFile);
        if (!ok)
            Fail();
    }
    m_hFile = hFileNull;
    m_strFileName.Empty();
    return ok;
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        fwplat::CloseFile(m_hFile);
    m_hFile = hFileNull;
    m_strFileName.Empty();
}

static int LastSeparator(const CString& path)
{
    int a = path.ReverseFind('\\'), b = path.ReverseFind('/');
    return a > b ? a : b;
}

CString CFile::GetFileName() const { return m_strFileName.Mid(LastSeparator(m_strFileName) + 1); }

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

static void FillStatus(LPCTSTR fullName, const CFileFind::Entry& e, CFileStatus& s)
{
    s.m_ctime = CTime(e.tCreation);
    s.m_atime = CTime(e.tAccess);
    s.m_mtime = CTime(e.tWrite);
    s.m_size = e.nSize;
    DWORD a = e.dwAttributes;
    s.m_attribute = (BYTE)(a == FILE_ATTRIBUTE_NORMAL ? 0 : (a & 0x3F));
    s.m_padding = 0;
    strncpy(s.m_szFullName, fullName, MAX_PATH - 1);
    s.m_szFullName[MAX_PATH - 1] = 0;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    if (m_hFile == hFileNull || m_strFileName.IsEmpty())
        return FALSE;
    return GetStatus(m_strFileName, rStatus);
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    CFileFind::Entry e;
    if (!lpszFileName || !fwplat::StatPath(lpszFileName, e))
        return FALSE;
    FillStatus(FwGetFullPathName(lpszFileName), e, rStatus);
    return TRUE;
}

BOOL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) { return FwMoveFile(lpszOldName, lpszNewName); }
BOOL CFile::Remove(LPCTSTR lpszFileName) { return FwDeleteFile(lpszFileName); }
