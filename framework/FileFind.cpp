#include "framework/FileFind.h"

#include "framework/Platform.h"
#include "framework/Sys.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

struct CFileFind::Search {
    fwplat::FindState* state;
};

CFileFind::CFileFind() : m_pSearch(NULL), m_bHaveFound(FALSE), m_bHaveNext(FALSE) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close()
{
    if (m_pSearch) {
        fwplat::FindClose(m_pSearch->state);
        delete m_pSearch;
        m_pSearch = NULL;
    }
    m_bHaveFound = m_bHaveNext = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    if (!pstrName || !*pstrName)
        pstrName = "*.*";
    fwplat::FindState* s = fwplat::FindFirst(pstrName, m_next);
    if (!s)
        return FALSE;
    m_pSearch = new Search{s};
    m_bHaveNext = TRUE;
    // the root is the folder part of the full pattern, without the separator
    CString full = FwGetFullPathName(pstrName);
    int a = full.ReverseFind('\\'), b = full.ReverseFind('/');
    int cut = a > b ? a : b;
    m_strRoot = cut == 0 ? full.Left(1) : full.Left(cut < 0 ? 0 : cut);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_pSearch || !m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = TRUE;
    m_bHaveNext = fwplat::FindNext(m_pSearch->state, m_next);
    return m_bHaveNext;
}

ULONGLONG CFileFind::GetLength() const { return m_bHaveFound ? m_found.nSize : 0; }

CString CFileFind::GetFileName() const { return m_bHaveFound ? m_found.strName : CString(); }

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString path = m_strRoot;
    if (path.IsEmpty() || (path.Right(1) != "\\" && path.Right(1) != "/"))
        path += FwPathSeparator();
    return path + m_found.strName;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const { return m_bHaveFound ? m_strRoot : CString(); }

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.tWrite);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.tAccess);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.tCreation);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHaveFound && (m_found.dwAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    return m_bHaveFound && IsDirectory() && (m_found.strName == "." || m_found.strName == "..");
}
