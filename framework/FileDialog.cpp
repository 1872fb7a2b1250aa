#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {
// Length of the string at p, not looking at or past end.
size_t BoundedLen(LPCTSTR p, LPCTSTR end)
{
    if (p >= end)
        return 0;
    const void* z = memchr(p, 0, (size_t)(end - p));
    return z ? (size_t)((LPCTSTR)z - p) : (size_t)(end - p);
}

// Start of the name part of a path ('\\', '/' and ':' end folders); steps
// over double-byte characters, whose second byte may look like a '\\'.
LPCTSTR FileNamePart(LPCTSTR lpszPath)
{
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p; p = ::CharNext(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return lpszName;
}

// Position of the last '.' of a name, or NULL.
LPCTSTR LastDot(LPCTSTR lpszName)
{
    LPCTSTR lpszDot = NULL;
    for (LPCTSTR p = lpszName; *p; p = ::CharNext(p)) {
        if (*p == '.')
            lpszDot = p;
    }
    return lpszDot;
}
}  // namespace

char* AfxMakeFilterBuffer(LPCTSTR lpszFilter, UINT nCodePage)
{
    if (lpszFilter == NULL || *lpszFilter == '\0')
        return NULL;
    size_t n = strlen(lpszFilter);
    char* pBuf = new char[n + 2];
    memcpy(pBuf, lpszFilter, n + 1);
    pBuf[n + 1] = '\0';
    for (char* p = pBuf; *p;) {
        if (::IsDBCSLeadByteEx(nCodePage, (BYTE)*p) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (*p == '|')
            *p = '\0';
        ++p;
    }
    return pBuf;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_pszFilter(NULL),
      m_dwExtError(0)
{
    ZeroMemory(&m_ofn, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = AfxFileDlgHookProc;
    m_ofn.lCustData = (LPARAM)this;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    // A name that does not fit is left out rather than cut.
    if (lpszFileName != NULL && strlen(lpszFileName) < _MAX_PATH)
        lstrcpyn(m_szFileName, lpszFileName, _MAX_PATH);
    m_pszFilter = AfxMakeFilterBuffer(lpszFilter);
    m_ofn.lpstrFilter = m_pszFilter;
}

CFileDialog::~CFileDialog()
{
    delete[] m_pszFilter;
}

UINT_PTR CALLBACK AfxFileDlgHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    return AfxCommonDlgHook<CFileDialog, OPENFILENAME>(hWnd, message, lParam);
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.lpstrFile == NULL || m_ofn.nMaxFile == 0)
        return IDCANCEL;
    CModalOwner owner(m_pParentWnd, false);
    m_ofn.hwndOwner = owner.GetOwner();
    AfxPrepareCommonDlg(m_ofn, this, AfxFileDlgHookProc, OFN_ENABLEHOOK, OFN_ENABLETEMPLATE);
    // A caller's initial name without a terminator inside the buffer is dropped.
    if (BoundedLen(m_ofn.lpstrFile, FileBufferEnd()) >= m_ofn.nMaxFile)
        m_ofn.lpstrFile[0] = '\0';
    m_dwExtError = 0;
    BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    if (!bOK)
        m_dwExtError = ::CommDlgExtendedError();
    if (m_hWnd != NULL)
        Detach();
    return bOK ? IDOK : IDCANCEL;
}

CString CFileDialog::SendPathMessage(UINT nMsg) const
{
    CString str;
    HWND hFrame = DialogFrame();
    if (hFrame == NULL)
        return str;
    int n = (int)::SendMessage(hFrame, nMsg, 0, 0);
    if (n <= 0)
        return str;
    char* p = str.GetBuffer(n + 1);
    p[0] = '\0';
    int nGot = (int)::SendMessage(hFrame, nMsg, (WPARAM)(n + 1), (LPARAM)p);
    p[n] = '\0';
    str.ReleaseBuffer(nGot > 0 ? -1 : 0);
    return str;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != NULL && (m_ofn.Flags & OFN_EXPLORER))
        return SendPathMessage(CDM_GETFILEPATH);
    if (m_dwExtError != 0)  // the buffer may hold the size the system wanted
        return CString();
    size_t n = BoundedLen(m_ofn.lpstrFile, FileBufferEnd());
    return n < m_ofn.nMaxFile ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    if (m_hWnd != NULL && (m_ofn.Flags & OFN_EXPLORER))
        return SendPathMessage(CDM_GETSPEC);
    CString strPath = GetPathName();
    return CString(FileNamePart(strPath));
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    LPCTSTR lpszDot = LastDot(strName);
    return lpszDot ? CString(lpszDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    LPCTSTR lpszDot = LastDot(strName);
    return lpszDot ? strName.Left((int)(lpszDot - (LPCTSTR)strName)) : strName;
}

CString CFileDialog::GetFolderPath() const
{
    if (m_hWnd != NULL && (m_ofn.Flags & OFN_EXPLORER))
        return SendPathMessage(CDM_GETFOLDERPATH);
    CString strPath = GetPathName();
    int nName = (int)(FileNamePart(strPath) - (LPCTSTR)strPath);
    CString strFolder = strPath.Left(nName);
    // "C:\" keeps its backslash, "C:\dir\" loses it
    if (strFolder.GetLength() > 3 && strFolder[strFolder.GetLength() - 1] == '\\')
        strFolder = strFolder.Left(strFolder.GetLength() - 1);
    return strFolder;
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == NULL || m_ofn.lpstrFile[0] == '\0' || m_dwExtError != 0)
        return NULL;
    return (POSITION)m_ofn.lpstrFile;
}

// The buffer holds either one full path, or (several files chosen) the folder
// followed by the names, each ending in NUL, the list ending in an empty one.
CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpsz = (LPCTSTR)pos;
    LPCTSTR lpszEnd = FileBufferEnd();
    if (lpsz == NULL || lpsz < m_ofn.lpstrFile || lpsz >= lpszEnd) {
        pos = NULL;
        return CString();
    }
    size_t nFirst = BoundedLen(m_ofn.lpstrFile, lpszEnd);
    LPCTSTR lpszAfterFirst = m_ofn.lpstrFile + nFirst + 1;
    bool bList = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && lpszAfterFirst < lpszEnd &&
                 *lpszAfterFirst != '\0';
    if (!bList) {
        pos = NULL;
        return nFirst < m_ofn.nMaxFile ? CString(m_ofn.lpstrFile) : CString();
    }
    if (lpsz == m_ofn.lpstrFile)
        lpsz = lpszAfterFirst;
    size_t nName = BoundedLen(lpsz, lpszEnd);
    LPCTSTR lpszNext = lpsz + nName + 1;
    pos = (lpszNext < lpszEnd && *lpszNext != '\0') ? (POSITION)lpszNext : NULL;
    if (lpsz + nName >= lpszEnd) {  // no terminator: a damaged buffer
        pos = NULL;
        return CString();
    }
    CString strPath(m_ofn.lpstrFile, (int)nFirst);
    if (strPath.IsEmpty() || strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    return strPath + CString(lpsz, (int)nName);
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    if (DialogFrame() != NULL)
        ::SendMessage(DialogFrame(), CDM_SETCONTROLTEXT, nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    if (DialogFrame() != NULL)
        ::SendMessage(DialogFrame(), CDM_HIDECONTROL, nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    m_strDefExt = lpsz;
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : (LPCTSTR)m_strDefExt;
    if (DialogFrame() != NULL)
        ::SendMessage(DialogFrame(), CDM_SETDEFEXT, 0, (LPARAM)m_ofn.lpstrDefExt);
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}
UINT CFileDialog::OnShareViolation(LPCTSTR) { return OFN_SHAREWARN; }

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    OFNOTIFY* pNotify = (OFNOTIFY*)lParam;
    if (pNotify->hdr.hwndFrom != DialogFrame())
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    LRESULT lResult = 0;
    switch (pNotify->hdr.code) {
    case CDN_INITDONE: OnInitDone(); break;
    case CDN_SELCHANGE: OnFileNameChange(); break;
    case CDN_FOLDERCHANGE: OnFolderChange(); break;
    case CDN_TYPECHANGE: OnTypeChange(); break;
    case CDN_SHAREVIOLATION: lResult = OnShareViolation(pNotify->pszFile); break;
    case CDN_FILEOK: lResult = OnFileNameOK() ? 1 : 0; break;
    default:
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    }
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}
